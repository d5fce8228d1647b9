// Takes the picture of the preview window showing the test receipt, as the stations window opens it:
//   xvfb-run -a preview-screenshot docs        (scripts/screenshots does this)
// The receipt is the shipped template, read from Reports/en beside the program.
#include "PuertoRicoStyle.h"
#include "TrpPreviewForm.h"
#include "TrpPreviewPages.h"
#include "TrpPreviewPagesSource.h"
#include "TrpReport.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QPixmap>
#include <QScreen>
#include <cstdio>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: preview-screenshot OUTPUT-FOLDER\n");
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    applyPuertoRicoTheme(app);

    const QString receipt =
        QCoreApplication::applicationDirPath() + QStringLiteral("/Reports/en/rep_TestReceipt_80.xml");
    TrpReport report;
    if (!report.LoadFromFile(receipt) || !report.PrepareReport(true) || report.PreviewPages().Count() == 0) {
        std::fprintf(stderr, "preview-screenshot: cannot prepare %s\n", qPrintable(receipt));
        return 1;
    }
    const TrpPreviewPagesSource pages(report.PreviewPages());
    TrpPreviewForm form(report, pages);
    // A virtual display has no window manager to maximize the window: give it the screen.
    form.setGeometry(QGuiApplication::primaryScreen()->availableGeometry());
    form.setWindowState(Qt::WindowMaximized);
    form.prepareLater({});
    form.show();
    QDeadlineTimer deadline(1500);
    while (!deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    }
    const QString path = folder.filePath(QStringLiteral("preview.png"));
    if (!form.grab().save(path, "PNG")) {
        std::fprintf(stderr, "preview-screenshot: cannot write %s\n", qPrintable(path));
        return 1;
    }
    std::printf("%s\n", qPrintable(path));
    return 0;
}
