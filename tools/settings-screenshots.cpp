// Takes the pictures of the station and printer settings windows for the documentation, over the demo
// restaurant database and a set of demo printers:
//   xvfb-run -a settings-screenshots docs data/schema        (scripts/screenshots does this)
#include "ChooseStationForm.h"
#include "DataModule1.h"
#include "DispatchingPrinterSettingsForm.h"
#include "PdfFolderSpooler.h"
#include "PuertoRicoStyle.h"
#include "StationsDetailsForm.h"
#include "StationsMgtForm.h"
#include "WindowPicture.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <cstdio>
#include <exception>

namespace {

bool save(QWidget& window, const QDir& folder, const QString& name) {
    window.show();
    window.activateWindow(); // a bare X server has no window manager to do it
    settle([&] { return window.isActiveWindow(); });
    const bool saved = saveWindowPicture(window, folder, name, "settings-screenshots");
    window.hide();
    return saved;
}

QString readScript(const QDir& schema, const QString& name) {
    QFile file(schema.filePath(name));
    if (!file.open(QIODevice::ReadOnly)) {
        throw std::runtime_error("cannot read " + file.fileName().toStdString());
    }
    return QString::fromUtf8(file.readAll());
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: settings-screenshots OUTPUT-FOLDER SCHEMA-FOLDER\n");
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    const QDir schema(QString::fromLocal8Bit(argv[2]));
    applyPuertoRicoTheme(app);

    QTemporaryDir work;
    const QString file = work.filePath(QStringLiteral("demo.db"));
    QFile(file).open(QIODevice::WriteOnly);
    TDataModule1 dataModule;
    dataModule.ConnectionStr = composeConnectionString(
        QString(), QString(), QString(), QStringLiteral("sqlite:") + file, QStringLiteral("DEMO"));
    dataModule.ADOConnection1.setConnectionString(dataModule.ConnectionStr);
    dataModule.Customer_ID = dataModule.Restaurant_ID = dataModule.Outlet_ID = QStringLiteral("1");
    try {
        dataModule.ADOConnection1.open();
        dataModule.ADOConnection1.executeScript(readScript(schema, QStringLiteral("sqlite.sql")));
        dataModule.ADOConnection1.executeScript(readScript(schema, QStringLiteral("demo-seed.sql")));
        dataModule.ADOConnection1.executeScript(QStringLiteral(
            "INSERT INTO KitchenStations (Customer_ID, Restaurant_ID, Outlet_ID, Station_Name, "
            "isActive) VALUES (1, 1, 1, 'Pastry', 0);"));
    } catch (const std::exception& e) {
        std::fprintf(stderr, "settings-screenshots: %s\n", e.what());
        return 1;
    }
    // The demo printers, whatever this machine has installed.
    PdfFolderSpooler printers(work.path(),
                              {QStringLiteral("Bar"), QStringLiteral("Grill"), QStringLiteral("Kitchen"),
                               QStringLiteral("Packaging"), QStringLiteral("Salads")},
                              QStringLiteral("Kitchen"));
    PrintSpooler::setCurrent(&printers);

    bool ok = true;
    {
        TStationsMgtForm stations(dataModule);
        ok = save(stations, folder, QStringLiteral("stations.png")) && ok;
    }
    {
        TStationsDetailsForm details;
        details.edt_Printer_Name->setText(QStringLiteral("Grill"));
        details.chk_isActive->setChecked(true);
        ok = save(details, folder, QStringLiteral("station-details.png")) && ok;
    }
    {
        TChooseStationForm choose(dataModule);
        ok = save(choose, folder, QStringLiteral("choose-station.png")) && ok;
    }
    {
        TDispatchingPrinterSettingsForm dispatching(dataModule);
        ok = save(dispatching, folder, QStringLiteral("dispatching-printer-settings.png")) && ok;
    }
    PrintSpooler::setCurrent(nullptr);
    return ok ? 0 : 1;
}
