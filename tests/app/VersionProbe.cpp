// A tiny program with a file version of its own: it opens the splash window the way the program does and
// prints the two labels that come from its own file, so that tests can start it from any folder.
#include "SplashForm.h"

#include <QApplication>
#include <QLabel>
#include <QTextStream>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const TSplashForm splash;
    QTextStream out(stdout);
    out << splash.labels.lbl_Version->text() << '\n' << splash.labels.lbl_LastUpdated->text() << '\n';
    return 0;
}
