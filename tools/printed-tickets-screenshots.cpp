// Takes the pictures of the printed tickets for the documentation: the main window with each printer's
// state after the demo's first cycle, the Printed Tickets window with that day's tickets, and one of them
// in the preview. Run by scripts/screenshots under Xvfb, with VELORIA_SETTINGS naming the demo's settings:
//   printed-tickets-screenshots OUTPUT-FOLDER
// The demo's printers are folders here, so that no print scheduler is needed.
#include "DataModule1.h"
#include "MainForm.h"
#include "MessageService.h"
#include "PdfFolderSpooler.h"
#include "PrintDispatcher.h"
#include "PrintedTicketsForm.h"
#include "PuertoRicoStyle.h"
#include "StartUp.h"
#include "TrpPreviewForm.h"
#include "TrpPreviewHook.h"
#include "TrpPrinters.h"
#include "TrpReportUi.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QPixmap>
#include <QScreen>
#include <QTableWidget>
#include <QTemporaryDir>
#include <cstdio>

namespace {

void settle(int milliseconds) {
    QDeadlineTimer deadline(milliseconds);
    while (!deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    }
}

bool save(QWidget& window, const QDir& folder, const QString& name) {
    const QString path = folder.filePath(name);
    if (!window.grab().save(path, "PNG")) {
        std::fprintf(stderr, "printed-tickets-screenshots: cannot write %s\n", qPrintable(path));
        return false;
    }
    std::printf("%s\n", qPrintable(path));
    return true;
}

// The program's folder as installed: the templates below it, an empty Logs folder.
bool prepareProgramFolder(const QDir& program) {
    const QDir templates(QCoreApplication::applicationDirPath() + QStringLiteral("/Reports/en"));
    if (!program.mkpath(QStringLiteral("Reports/en")) || !program.mkpath(QStringLiteral("Logs"))) {
        return false;
    }
    for (const QString& name : templates.entryList({QStringLiteral("rep_*.xml")}, QDir::Files)) {
        if (!QFile::copy(templates.filePath(name), program.filePath(QStringLiteral("Reports/en/")) + name)) {
            return false;
        }
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: printed-tickets-screenshots OUTPUT-FOLDER\n");
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    applyPuertoRicoTheme(app);
    TrpReportUi::install();

    QTemporaryDir program;
    if (!prepareProgramFolder(QDir(program.path()))) {
        std::fprintf(stderr, "printed-tickets-screenshots: cannot prepare the program folder\n");
        return 1;
    }
    PdfFolderSpooler printers(program.filePath(QStringLiteral("printed")),
                              {"Kitchen", "Grill", "Salads", "Bar", "Packaging"}, QStringLiteral("Kitchen"));
    PrintSpooler::setCurrent(&printers);
    TrpPrinters::reset();

    TDataModule1 data;
    createDataModule(data);
    TMainForm form(program.path());
    form.setDataModule(&data);
    form.show();
    form.activateWindow();
    settle(500);
    form.btn_StartPrintingServerClick();
    for (int tick = 0; tick < form.server().SecondsToFirePrintingTimer; ++tick) {
        form.Timer_PrintingTimer();
    }
    settle(500);
    bool ok = save(form, folder, QStringLiteral("station-state.png"));

    TPrintedTicketsForm tickets(form.dispatcher().printedTickets(), &form);
    tickets.show();
    tickets.activateWindow();
    settle(500);
    ok = save(tickets, folder, QStringLiteral("printed-tickets.png")) && ok;

    // A kitchen ticket in the preview, as "Preview" opens it.
    for (int row = 0; row < tickets.grd_Tickets->rowCount(); ++row) {
        if (tickets.grd_Tickets->item(row, 1)->text() == QStringLiteral("Kitchen") &&
            tickets.grd_Tickets->item(row, 3)->text() == QStringLiteral("Grill")) {
            tickets.grd_Tickets->selectRow(row);
            break;
        }
    }
    TrpPreviewHook::setHandler(
        [&](TrpReport& report, const TrpPageSource& pages, const std::function<void()>&) {
            TrpPreviewForm preview(report, pages);
            preview.setGeometry(QGuiApplication::primaryScreen()->availableGeometry());
            preview.prepareLater({});
            preview.show();
            settle(1000);
            ok = save(preview, folder, QStringLiteral("printed-ticket-preview.png")) && ok;
        });
    tickets.btn_PreviewClick();
    form.btn_StopPrintingServerClick();
    TrpPrinters::reset();
    PrintSpooler::setCurrent(nullptr);
    return ok ? 0 : 1;
}
