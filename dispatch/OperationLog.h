#pragma once

#include <QDateTime>
#include <QLocale>
#include <QString>
#include <functional>

// The operator's log: each line goes to "Printing_Server_Log.txt" in the log folder and to the log's
// mirror (the main window's memo). The file is opened and closed for every line, and the folder is made when
// it is missing; when the file cannot take a line, the mirror shows the line and then the file's path and
// the system's reason, and the failure never reaches the caller.
class OperationLog {
public:
    using Clock = std::function<QDateTime()>;
    // Shows one line of the log as the operator reads it (a message's CR LF turned into a line feed).
    using Mirror = std::function<void(const QString& line)>;

    explicit OperationLog(QString folder, Mirror mirror = {});

    void write(const QString& message) noexcept;

    // Receives every line that the mirror receives, in every log of the process: the program run as a
    // service has no window and hands its log to the system's journal this way. Empty by default.
    using Echo = std::function<void(const QString& line)>;
    static void setEcho(Echo echo);

    QString filePath() const;
    void setClock(Clock clock) { clock_ = std::move(clock); }
    void setLocale(const QLocale& locale) { locale_ = locale; }

private:
    QString stamp() const;

    QString folder_;
    Mirror mirror_;
    Clock clock_;
    QLocale locale_;
};
