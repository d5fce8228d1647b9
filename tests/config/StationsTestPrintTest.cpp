#include "CaptureQueues.h"
#include "ModalDriver.h"
#include "PrintSpooler.h"
#include "SettingsWindowsFixture.h"
#include "StationsMgtForm.h"
#include "TrpErrorBox.h"
#include "TrpPreviewPages.h"
#include "TrpPrintDialog.h"
#include "TrpPrinters.h"
#include "TrpReport.h"
#include "TrpReportUi.h"

#include <QComboBox>
#include <QPushButton>
#include <QToolButton>

// Print Test of the stations window through the private test scheduler: the preview of the test receipt,
// then its print dialog, and the job on a capture queue.
namespace {

class StationsTestPrint : public SettingsWindowsFixture {
protected:
    void SetUp() override {
        if (qEnvironmentVariableIsEmpty("VELORIA_TEST_CUPS_DIR")) {
            GTEST_SKIP() << "runs under ctest, with the test scheduler";
        }
        SettingsWindowsFixture::SetUp();
        PrintSpooler::setCurrent(nullptr);
        TrpPrinters::reset();
        TrpReportUi::install();
        TrpErrorBox::setHandler([](const QString& text) {
            MessageService::current().show(
                {QLatin1String(TrpErrorBox::Caption), text, MessageIcon::Error, MbOk});
        });
    }
    void TearDown() override {
        TrpErrorBox::setHandler({});
        TrpPrinters::reset();
        SettingsWindowsFixture::TearDown();
    }
};

TEST_F(StationsTestPrint, ThePreviewShowsTheTestReceiptWhichPrintsOnThePrinterChosenInTheDialog) {
    // The selected station's printer does not exist: it plays no part in the test print.
    db.exec(
        QStringLiteral("INSERT INTO KitchenStations (Customer_ID, Restaurant_ID, Outlet_ID, Station_Name, "
                       "isActive) VALUES (1, 2, 3, 'Nowhere', 1)"));
    TStationsMgtForm form(dataModule);
    const int before = jobCount("Grill");
    bool printed = false;
    whenModal<QDialog>(
        [&](QDialog* window) {
            return window->objectName() == QStringLiteral("TrpPreviewForm") &&
                   form.rep_Test->PreviewPages().Count() > 0;
        },
        [&](QDialog* preview) {
            EXPECT_EQ(form.rep_Test->PreviewPages().Count(), 1);
            EXPECT_TRUE(form.rep_Test->PrintOptions().Printer.isEmpty());
            EXPECT_TRUE(form.rep_Test->PrintOptions().ShowDialog);
            whenModal<TrpPrintDialog>([&](TrpPrintDialog* dialog) {
                auto* printer = child<QComboBox>(dialog, "cb_Printer");
                printer->setCurrentIndex(printer->findText(QStringLiteral("Grill")));
                child<QPushButton>(dialog, "btn_OK")->click();
                printed = true;
            });
            child<QToolButton>(preview, "btn_Print")->click();
            child<QToolButton>(preview, "btn_Close")->click();
        });
    form.btn_TestPrint->click();
    ASSERT_TRUE(printed);
    EXPECT_TRUE(form.rep_Test->FileName().endsWith(QStringLiteral("/Reports/en/rep_TestReceipt_80.xml")))
        << form.rep_Test->FileName().toStdString();
    ASSERT_TRUE(waitForJobs("Grill", before + 1));
    const QString text =
        runTool(QStringLiteral("pdftotext"), {newestJob(QStringLiteral("Grill")), QStringLiteral("-")});
    EXPECT_TRUE(text.contains(QStringLiteral("Test Check"))) << text.toStdString();
    EXPECT_TRUE(messages.shown.empty());
}

} // namespace
