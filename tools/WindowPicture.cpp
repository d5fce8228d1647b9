#include "WindowPicture.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QPixmap>
#include <QWidget>
#include <cstdio>

void settle(const std::function<bool()>& ready) {
    QDeadlineTimer deadline(3000);
    while (!deadline.hasExpired() && !ready()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    }
    QDeadlineTimer paint(300);
    while (!paint.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    }
}

bool saveWindowPicture(QWidget& window, const QDir& folder, const QString& name, const char* tool) {
    const QString path = folder.filePath(name);
    if (!window.grab().save(path, "PNG")) {
        std::fprintf(stderr, "%s: cannot write %s\n", tool, qPrintable(path));
        return false;
    }
    std::printf("%s\n", qPrintable(path));
    return true;
}
