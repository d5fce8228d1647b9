#include "OutputFile.h"

#include <QFile>
#include <cerrno>
#include <cstring>

namespace {

// The system's own reason for the last failed step. A write cut short (a full disk after part of the
// document, a file size limit) leaves the file object without a reason of its own ("Unknown error"),
// while the system still holds why the rest was refused.
QString reasonOf(const QFile& file, int code) {
    if (code != 0) {
        return QString::fromLocal8Bit(std::strerror(code));
    }
    return file.errorString();
}

bool write(const QString& path, const QByteArray& bytes, QIODevice::OpenMode mode, QString* why) {
    QFile file(path);
    int code = 0;
    const auto fail = [&] {
        if (why != nullptr) {
            *why = reasonOf(file, code);
        }
        file.close();
        return false;
    };
    errno = 0;
    if (!file.open(QIODevice::WriteOnly | mode)) {
        code = errno;
        return fail();
    }
    // Closing a file forgets an earlier write error, so every step is judged before the file is closed.
    errno = 0;
    if (file.write(bytes) != bytes.size() || !file.flush() || file.error() != QFileDevice::NoError) {
        code = errno;
        return fail();
    }
    errno = 0;
    file.close();
    if (file.error() != QFileDevice::NoError) {
        code = errno;
        return fail();
    }
    return true;
}

} // namespace

bool OutputFile::writeAll(const QString& path, const QByteArray& bytes, QString* why) {
    return write(path, bytes, QIODevice::Truncate, why);
}

bool OutputFile::append(const QString& path, const QByteArray& bytes, QString* why) {
    return write(path, bytes, QIODevice::Append, why);
}
