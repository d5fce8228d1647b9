#pragma once

#include <QDateTime>
#include <QLocale>
#include <QString>
#include <functional>

class QPlainTextEdit;

// The operator's log: each line goes to "Printing_Server_Log.txt" in the log folder and to the main
// window's memo. The file is opened and closed for every line; when the file cannot take a line, the memo
// shows the line and then the reason, and the failure never reaches the caller.
class OperationLog {
public:
    using Clock = std::function<QDateTime()>;

    OperationLog(QString folder, QPlainTextEdit* memo);

    void write(const QString& message) noexcept;

    // Receives every line that the memo receives, in every log of the process: the program run as a
    // service has no window and hands its log to the system's journal this way. Empty by default.
    using Echo = std::function<void(const QString& line)>;
    static void setEcho(Echo echo);

    QString filePath() const;
    void setClock(Clock clock) { clock_ = std::move(clock); }
    void setLocale(const QLocale& locale) { locale_ = locale; }

private:
    QString stamp() const;

    QString folder_;
    QPlainTextEdit* memo_;
    Clock clock_;
    QLocale locale_;
};
