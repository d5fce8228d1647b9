#include "CaptureQueues.h"
#include "KitchenTicket.h"
#include "PrintSpooler.h"
#include "ReportTestSupport.h"
#include "TextPageSource.h"
#include "TrpPreviewPages.h"
#include "TrpPrinters.h"
#include "TrpReport.h"
#include "TrpReportPrinter.h"

#include <QFile>
#include <QRegularExpression>
#include <QThread>
#include <gtest/gtest.h>

// Reports printed through a real scheduler: the private test scheduler's capture queues Kitchen (the
// default), Grill and Packaging keep every job's PDF, title and options; a second scheduler has no queue.
namespace {

class ReportPrintingThroughCups : public ::testing::Test {
protected:
    void SetUp() override {
        if (qEnvironmentVariableIsEmpty("CUPS_SERVER")) {
            GTEST_SKIP() << "runs under ctest, with the test scheduler";
        }
        PrintSpooler::setCurrent(nullptr);
        TrpPrinters::reset();
        report.PrintOptions().ShowDialog = false;
        report.ReportOptions().Name = QStringLiteral("rep_KitchenOrder.xml");
        pages.pages.push_back(TextPageSource::ticket(143.27, {QStringLiteral("Mixed Grill x 2")}));
    }
    void TearDown() override { TrpPrinters::reset(); }

    bool printOn(const QString& printer) {
        report.PrintOptions().Printer = printer;
        return TrpReportPrinter::Print(report, pages);
    }

    TrpReport report;
    TextPageSource pages;
    ReportTest::CapturedErrorBox errorBox;
};

class WithQueues : public ReportPrintingThroughCups {
    void SetUp() override {
        ReportPrintingThroughCups::SetUp();
        if (!IsSkipped() && qEnvironmentVariableIsEmpty("VELORIA_TEST_CUPS_DIR")) {
            GTEST_SKIP() << "needs the scheduler with queues";
        }
    }
};

class WithoutQueues : public ReportPrintingThroughCups {
    void SetUp() override {
        ReportPrintingThroughCups::SetUp();
        if (!IsSkipped() && !qEnvironmentVariableIsEmpty("VELORIA_TEST_CUPS_DIR")) {
            GTEST_SKIP() << "needs the scheduler without queues";
        }
    }
};

TEST_F(WithQueues, ATicketReachesTheQueueAsOneCustomPageWithItsText) {
    const int before = jobCount("Kitchen");
    ASSERT_TRUE(printOn(QStringLiteral("Kitchen")));
    ASSERT_TRUE(waitForJobs("Kitchen", before + 1));
    const QString pdf = newestJob(QStringLiteral("Kitchen"));
    const QString stem = pdf.left(pdf.size() - 4);
    const QString options = readText(stem + QStringLiteral(".options"));
    // 1433 tenths of a millimetre long, 720 wide, portrait, one copy.
    EXPECT_TRUE(options.contains(QStringLiteral("media=Custom.72x143.3mm"))) << options.toStdString();
    EXPECT_TRUE(options.contains(QStringLiteral("orientation-requested=3"))) << options.toStdString();
    // One copy is the queue's default, which it does not repeat among the job's options.
    EXPECT_FALSE(options.contains(QRegularExpression(QStringLiteral("\\bcopies=(?!1\\b)"))))
        << options.toStdString();
    EXPECT_EQ(readText(stem + QStringLiteral(".title")), QStringLiteral("rep_KitchenOrder.xml"));
    const QString info = runTool(QStringLiteral("pdfinfo"), {pdf});
    EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Pages: +1\n")))) << info.toStdString();
    const auto size = QRegularExpression(QStringLiteral("Page size: +([0-9.]+) x ([0-9.]+) pts")).match(info);
    ASSERT_TRUE(size.hasMatch()) << info.toStdString();
    EXPECT_NEAR(size.captured(1).toDouble() * 25.4 / 72, 72.0, 0.2);
    EXPECT_NEAR(size.captured(2).toDouble() * 25.4 / 72, 143.3, 0.2);
    EXPECT_TRUE(runTool(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")})
                    .contains(QStringLiteral("Mixed Grill x 2")));
    EXPECT_TRUE(errorBox.texts().isEmpty());
}

TEST_F(WithQueues, APreparedKitchenTicketPrintsAsOnePageOfItsOwnLength) {
    KitchenTicket ticket(3);
    ASSERT_TRUE(ticket.prepare());
    ASSERT_EQ(ticket.report.PreviewPages().Count(), 1);
    const double length = ticket.report.PreviewPages().GetPageSize(0).height();
    ticket.report.PrintOptions().Printer = QStringLiteral("kitchen");
    ticket.report.PrintOptions().ShowDialog = false;
    const int before = jobCount("Kitchen");
    ASSERT_TRUE(ticket.report.Print());
    ASSERT_TRUE(waitForJobs("Kitchen", before + 1));
    const QString pdf = newestJob(QStringLiteral("Kitchen"));
    const QString stem = pdf.left(pdf.size() - 4);
    EXPECT_EQ(readText(stem + QStringLiteral(".title")), ticket.report.FileName()) << "the template's path";
    const QString info = runTool(QStringLiteral("pdfinfo"), {pdf});
    EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Pages: +1\n")))) << info.toStdString();
    const auto size = QRegularExpression(QStringLiteral("Page size: +([0-9.]+) x ([0-9.]+) pts")).match(info);
    ASSERT_TRUE(size.hasMatch()) << info.toStdString();
    EXPECT_NEAR(size.captured(1).toDouble() * 25.4 / 72, 72.0, 0.2);
    EXPECT_NEAR(size.captured(2).toDouble() * 25.4 / 72, std::round(length * 10) / 10, 0.2);
    const QString text = runTool(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
    for (const char* expected : {"Mixed Grill 1", "Mixed Grill 3", "Maya"}) {
        EXPECT_TRUE(text.contains(QString::fromLatin1(expected))) << expected << "\n" << text.toStdString();
    }
}

TEST_F(WithQueues, PrinterNamesFollowTheSelectionRules) {
    struct Step {
        const char* why;
        const char* name;
        const char* queue;
    } const steps[] = {
        {"an unknown name as the first job: the default printer", "Bar", "Kitchen"},
        {"a name in other letter case", "gRiLl", "Grill"},
        {"an unknown name after a job on Grill: Grill", "Bar", "Grill"},
        {"the template's Default", "Default", "Grill"},
        {"another printer", "packaging", "Packaging"},
    };
    for (const Step& s : steps) {
        const int before = jobCount(s.queue);
        ASSERT_TRUE(printOn(QString::fromLatin1(s.name))) << s.why;
        EXPECT_TRUE(waitForJobs(s.queue, before + 1)) << s.why;
    }
    EXPECT_TRUE(errorBox.texts().isEmpty());
}

TEST_F(WithQueues, AQueueThatTakesNoJobsMakesPrintRaise) {
    runTool(QStringLiteral("cupsreject"), {QStringLiteral("Packaging")});
    const int before = jobCount("Packaging");
    try {
        printOn(QStringLiteral("Packaging"));
        ADD_FAILURE() << "reported as printed";
    } catch (const SpoolError& e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("\"Packaging\""))) << e.what();
    }
    EXPECT_EQ(report.PrintOptions().Printer, QStringLiteral("Packaging")) << "options restored";
    runTool(QStringLiteral("cupsaccept"), {QStringLiteral("Packaging")});
    QThread::msleep(300);
    EXPECT_EQ(jobCount("Packaging"), before);
}

TEST_F(WithoutQueues, NoPrinterAtAllIsSaidAndNothingIsQueued) {
    EXPECT_FALSE(printOn(QStringLiteral("Kitchen")));
    EXPECT_EQ(errorBox.texts(), QStringList({"No printers installed on your system"}));
    EXPECT_TRUE(
        runTool(QStringLiteral("lpstat"), {QStringLiteral("-W"), QStringLiteral("all"), QStringLiteral("-o")})
            .trimmed()
            .isEmpty());
}

} // namespace
