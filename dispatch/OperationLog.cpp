#include "OperationLog.h"

#include "LogTimeStamp.h"

#include <QFile>
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
            QFile file(filePath());
            if (!file.open(QIODevice::WriteOnly | QIODevice::Append)) {
                throw std::runtime_error(file.errorString().toStdString());
            }
            const QByteArray bytes = (line + QStringLiteral("\r\n")).toUtf8();
            if (file.write(bytes) != bytes.size() || !file.flush()) {
                throw std::runtime_error(file.errorString().toStdString());
            }
            file.close();
            echo(forMemo(line));
            if (mirror_) {
                mirror_(forMemo(line));
            }
        } catch (const std::exception& e) {
            // The file missed the line, but the operator still reads it in the mirror, followed by why the
            // file did not take it (a missing Logs folder must not hide every ticket printed).
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
