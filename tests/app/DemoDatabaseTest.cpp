#include "CapturingMessageService.h"
#include "DataModule1.h"
#include "DbQuery.h"
#include "MainForm.h"
#include "PdfFolderSpooler.h"
#include "StartUp.h"
#include "TrpPrinters.h"

#include <QDir>
#include <QFile>
#include <QPlainTextEdit>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QString runScript(const QString& name, const QStringList& arguments) {
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(QStringLiteral("bash"), QStringList{qEnvironmentVariable("VELORIA_SOURCE_DIR") +
                                                      QStringLiteral("/scripts/") + name} +
                                              arguments);
    if (!process.waitForFinished(60000) || process.exitCode() != 0) {
        ADD_FAILURE() << name.toStdString() << ": " << process.readAll().toStdString();
    }
    return QString::fromUtf8(process.readAll());
}

// The demo as scripts/run sets it up: a seeded database under `dir`/demo, a settings file pointing at it,
// the Logs folder, and the data module read from those settings.
struct DemoSetup {
    explicit DemoSetup(const QTemporaryDir& dir)
        : db(dir.filePath(QStringLiteral("demo/restaurant.db"))),
          settings(dir.filePath(QStringLiteral("demo/HKCU.reg"))) {
        runScript(QStringLiteral("seed-demo-db"), {db});
        runScript(QStringLiteral("write-demo-settings"), {settings, db});
        EXPECT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("Logs")));
        qputenv("VELORIA_SETTINGS", settings.toUtf8());
        createDataModule(data);
        qunsetenv("VELORIA_SETTINGS");
    }

    QString db;
    QString settings;
    TDataModule1 data;
};

} // namespace

// The demo as scripts/run sets it up: seeded database, settings file pointing at it, Start pressed.
TEST(DemoDatabase, StartConnectsToTheSeededDemoAndQueuedOrdersArrive) {
    QTemporaryDir dir;
    CapturingMessageService messages;
    DemoSetup demo(dir);
    const QString& db = demo.db;
    TDataModule1& data = demo.data;
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(data.Outlet_ID, QStringLiteral("1"));
    EXPECT_TRUE(
        data.ConnectionStr.contains(QStringLiteral("Data Source=sqlite:") + db + QStringLiteral(";")));

    TMainForm form(dir.path());
    form.setDataModule(&data);
    form.btn_StartPrintingServerClick();
    EXPECT_TRUE(form.Memo1->toPlainText().endsWith(
        QStringLiteral("Timer Enabled. Checking for new orders every >5< seconds")))
        << form.Memo1->toPlainText().toStdString();
    EXPECT_TRUE(form.server().Use_Packaging_Printer);

    DbQuery queue(StatementId::ReadyToPrintQ, &data.ADOConnection1);
    for (const char* key : {"Customer_ID", "Restaurant_ID", "Outlet_ID"}) {
        queue.setParameter(QString::fromLatin1(key), QStringLiteral("1"));
    }
    queue.open();
    const int seeded = queue.recordCount();
    EXPECT_GT(seeded, 0);
    EXPECT_TRUE(
        runScript(QStringLiteral("queue-random-order"), {db}).startsWith(QStringLiteral("Queued order #")));
    queue.open();
    EXPECT_EQ(queue.recordCount(), seeded + 1);
    form.btn_StopPrintingServerClick();
}

// The demo prints: Start on the seeded database with printers of the demo's names prints every queued
// order and void in the first cycle, and a newly queued order in the next.
TEST(DemoDatabase, TheFirstCyclePrintsTheSeededOrdersAndVoids) {
    QTemporaryDir dir;
    CapturingMessageService messages;
    DemoSetup demo(dir);
    ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("Reports/en")));
    const QDir templates(qEnvironmentVariable("VELORIA_SOURCE_DIR") + QStringLiteral("/templates"));
    for (const QString& name : templates.entryList({QStringLiteral("rep_*.xml")}, QDir::Files)) {
        ASSERT_TRUE(
            QFile::copy(templates.filePath(name), dir.filePath(QStringLiteral("Reports/en/")) + name));
    }
    PdfFolderSpooler printers(dir.filePath(QStringLiteral("printed")),
                              {"Kitchen", "Grill", "Salads", "Bar", "Packaging"}, QStringLiteral("Kitchen"));
    PrintSpooler::setCurrent(&printers);
    TrpPrinters::reset();

    TMainForm form(dir.path());
    form.setDataModule(&demo.data);
    form.btn_StartPrintingServerClick();
    for (int tick = 0; tick < 6; ++tick) {
        form.Timer_PrintingTimer();
    }
    const QString log = form.Memo1->toPlainText();
    EXPECT_FALSE(log.contains(QStringLiteral("Failed"))) << log.toStdString();
    EXPECT_TRUE(log.contains(QStringLiteral("Using Printer: Grill"))) << log.toStdString();
    const qsizetype first = printers.jobs().size();
    EXPECT_GE(first, 5);

    runScript(QStringLiteral("queue-random-order"), {demo.db});
    for (int tick = 0; tick < 6; ++tick) {
        form.Timer_PrintingTimer();
    }
    EXPECT_GT(printers.jobs().size(), first) << form.Memo1->toPlainText().toStdString();
    form.btn_StopPrintingServerClick();
    EXPECT_TRUE(messages.shown.empty());
    TrpPrinters::reset();
    PrintSpooler::setCurrent(nullptr);
}
