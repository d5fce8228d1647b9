#include "OperationLog.h"

#include "LogTimeStamp.h"
#include "OutputFile.h"

#include <QDir>
#include <exception>
#include <stdexcept>

namespace {

// The mirror breaks lines at line feeds only; a message's CR LF must not leave a stray carriage return.
QString forMemo(QString line) {
    return line.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

OperationLog::Echo& processEcho() {
    static OperationLog::Echo echo;
    return echo;
}

// The mirror and the echo show the same line.
void echo(const QString& line) {
    if (processEcho()) {
        processEcho()(line);
    }
}

} // namespace

void OperationLog::setEcho(Echo echo) {
    processEcho() = std::move(echo);
}

OperationLog::OperationLog(QString folder, Mirror mirror)
    : folder_(std::move(folder)), mirror_(std::move(mirror)),
      clock_([] { return QDateTime::currentDateTime(); }), locale_(QLocale::system()) {}

QString OperationLog::filePath() const {
    return folder_ + QStringLiteral("Printing_Server_Log.txt");
}

QString OperationLog::stamp() const {
    return formatLogTimeStamp(clock_(), locale_);
}

void OperationLog::write(const QString& message) noexcept {
    try {
        const QString line = stamp() + QStringLiteral(" - ") + message;
        try {
            // A fresh installation, or the program copied elsewhere, has no log folder yet; whatever stops
            // it from being made, opening the file then tells.
            QDir().mkpath(folder_);
            QString why;
            if (!OutputFile::append(filePath(), (line + QStringLiteral("\r\n")).toUtf8(), &why)) {
                throw std::runtime_error(QStringLiteral("The log file \"%1\" cannot be written: %2")
                                             .arg(filePath(), why)
                                             .toStdString());
            }
            echo(forMemo(line));
            if (mirror_) {
                mirror_(forMemo(line));
            }
        } catch (const std::exception& e) {
            // The file missed the line, but the operator still reads it in the mirror, followed by why the
            // file did not take it (a log folder that cannot be made must not hide every ticket printed).
            const QString failure = forMemo(stamp() + QStringLiteral(" - ") + QString::fromUtf8(e.what()));
            echo(forMemo(line));
            echo(failure);
            if (mirror_) {
                mirror_(forMemo(line));
                mirror_(failure);
            }
        }
    } catch (...) {
        // The log is the last resort of every caller; it has nowhere further to report to.
    }
}
