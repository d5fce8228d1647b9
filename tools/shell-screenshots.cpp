// Takes the pictures of the splash and About windows for the documentation, as they look on a desktop:
//   xvfb-run -a shell-screenshots docs        (scripts/screenshots does this)
// It carries the program's file version, so the windows show what the program shows.
#include "AboutForm.h"
#include "PuertoRicoStyle.h"
#include "SplashForm.h"
#include "WindowPicture.h"

#include <QApplication>
#include <QDir>
#include <QProgressBar>
#include <cstdio>

namespace {

bool save(QWidget& window, const QDir& folder, const QString& name) {
    return saveWindowPicture(window, folder, name, "shell-screenshots");
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: shell-screenshots OUTPUT-FOLDER\n");
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    applyPuertoRicoTheme(app);

    bool ok = true;
    {
        TSplashForm splash;
        splash.show();
        splash.advanceTo(60);
        settle([&] { return splash.isVisible(); });
        ok = save(splash, folder, QStringLiteral("splash.png")) && ok;
    }
    {
        TAboutForm about;
        about.show();
        about.activateWindow(); // a bare X server has no window manager to do it
        settle([&] { return about.isActiveWindow(); });
        ok = save(about, folder, QStringLiteral("about.png")) && ok;
    }
    return ok ? 0 : 1;
}
