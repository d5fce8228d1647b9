#include "OutputFile.h"

#include <QFile>

bool OutputFile::writeAll(const QString& path, const QByteArray& bytes, QString* why) {
    QFile file(path);
    const auto fail = [&] {
        if (why != nullptr) {
            *why = file.errorString();
        }
        file.close();
        return false;
    };
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        return fail();
    }
    // Closing a file forgets an earlier write error, so every step is judged before the file is closed.
    if (file.write(bytes) != bytes.size() || !file.flush() || file.error() != QFileDevice::NoError) {
        return fail();
    }
    file.close();
    if (file.error() != QFileDevice::NoError) {
        return fail();
    }
    return true;
}
