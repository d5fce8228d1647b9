#include "CupsSpooler.h"

#include "CaptureQueues.h"
#include "QtGTestPrinters.h"

#include <QFile>
#include <QPainter>
#include <QRegularExpression>
#include <QThread>
#include <gtest/gtest.h>

namespace {

SpoolPageSettings ticketPage(int lengthTenths) {
    SpoolPageSettings page;
    page.paperWidth = 720;
    page.paperLength = lengthTenths;
    return page;
}

// Returns the document the job handed over.
QByteArray printTicket(PrintSpooler& spooler, const QString& queue, const QString& title,
                       const QString& text) {
    auto job = spooler.startJob(queue, title, QString());
    job->beginPage(ticketPage(1433));
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(50);
    job->painter().setFont(font);
    job->painter().drawText(QPointF(100, 200), text);
    job->endPage();
    job->finish();
    return job->document();
}

class CupsSpooling : public ::testing::Test {
protected:
    void SetUp() override {
        if (qEnvironmentVariableIsEmpty("VELORIA_TEST_CUPS_DIR")) {
            GTEST_SKIP() << "runs under ctest, with the test scheduler";
        }
    }
    CupsSpooler spooler;
};

TEST_F(CupsSpooling, ListsTheQueuesAndTheDefault) {
    QStringList names = spooler.printerNames();
    names.sort();
    EXPECT_EQ(names, QStringList({"Grill", "Kitchen", "Packaging"}));
    EXPECT_EQ(spooler.defaultPrinterName(), QStringLiteral("Kitchen"));
    const auto caps = spooler.openPrinter(QStringLiteral("Grill"));
    ASSERT_TRUE(caps);
    EXPECT_EQ(caps->dpiX, 600);
    EXPECT_EQ(caps->papers.front().first, 256);
    EXPECT_FALSE(spooler.openPrinter(QStringLiteral("Bar")));
}

TEST_F(CupsSpooling, ATicketReachesTheQueueWithItsCustomPaper) {
    const int before = jobCount("Kitchen");
    const QByteArray document =
        printTicket(spooler, QStringLiteral("Kitchen"), QStringLiteral("rep_KitchenOrder.xml"),
                    QStringLiteral("Grilled halloumi"));
    ASSERT_TRUE(waitForJobs("Kitchen", before + 1));
    const QString base = newestJob(QStringLiteral("Kitchen"));
    const QString stem = base.left(base.size() - 4);
    // The job keeps exactly the bytes the queue received (a reprint sends them again).
    QFile captured(base);
    ASSERT_TRUE(captured.open(QIODevice::ReadOnly));
    EXPECT_EQ(captured.readAll(), document);
    const QString options = readText(stem + QStringLiteral(".options"));
    EXPECT_TRUE(options.contains(QStringLiteral("media=Custom.72x143.3mm"))) << options.toStdString();
    EXPECT_TRUE(options.contains(QStringLiteral("orientation-requested=3"))) << options.toStdString();
    EXPECT_EQ(readText(stem + QStringLiteral(".title")), QStringLiteral("rep_KitchenOrder.xml"));
    const QString info = runTool(QStringLiteral("pdfinfo"), {base});
    EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Pages: +1\n")))) << info.toStdString();
    // 72 x 143.3 mm is 204.09 x 406.21 points; the PDF states whole points.
    const auto size = QRegularExpression(QStringLiteral("Page size: +([0-9.]+) x ([0-9.]+) pts")).match(info);
    ASSERT_TRUE(size.hasMatch()) << info.toStdString();
    EXPECT_NEAR(size.captured(1).toDouble(), 204.09, 0.5);
    EXPECT_NEAR(size.captured(2).toDouble(), 406.21, 0.5);
    EXPECT_TRUE(runTool(QStringLiteral("pdftotext"), {base, QStringLiteral("-")})
                    .contains(QStringLiteral("Grilled halloumi")));
}

TEST_F(CupsSpooling, AQueueThatRejectsJobsRefusesThemByName) {
    runTool(QStringLiteral("cupsreject"), {QStringLiteral("Grill")});
    const int before = jobCount("Grill");
    try {
        printTicket(spooler, QStringLiteral("Grill"), QStringLiteral("t"), QStringLiteral("x"));
        ADD_FAILURE() << "the job was taken";
    } catch (const SpoolError& e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("\"Grill\""))) << e.what();
    }
    EXPECT_EQ(spooler.queueState(QStringLiteral("Grill")), QueueState::NotAccepting);
    runTool(QStringLiteral("cupsaccept"), {QStringLiteral("Grill")});
    QThread::msleep(300);
    EXPECT_EQ(jobCount("Grill"), before);
}

// A paused queue (paper out) still takes the ticket: it waits there and prints once the queue resumes.
TEST_F(CupsSpooling, APausedQueueKeepsTheJobUntilItIsResumed) {
    runTool(QStringLiteral("cupsdisable"), {QStringLiteral("Grill")});
    EXPECT_EQ(spooler.queueState(QStringLiteral("Grill")), QueueState::Paused);
    const int before = jobCount("Grill");
    printTicket(spooler, QStringLiteral("Grill"), QStringLiteral("t"), QStringLiteral("x"));
    QThread::msleep(300);
    EXPECT_EQ(jobCount("Grill"), before) << "printed while paused";
    runTool(QStringLiteral("cupsenable"), {QStringLiteral("Grill")});
    EXPECT_TRUE(waitForJobs("Grill", before + 1));
    EXPECT_EQ(spooler.queueState(QStringLiteral("Grill")), QueueState::Ready);
}

TEST_F(CupsSpooling, AKeptDocumentIsSubmittedAgainWithItsPaper) {
    const QByteArray document = printTicket(spooler, QStringLiteral("Kitchen"), QStringLiteral("t"),
                                            QStringLiteral("Soup of the day"));
    const int before = jobCount("Packaging");
    SpoolPageSettings page = ticketPage(2005);
    page.copies = 2;
    const int job =
        CupsSpooler::submit(QStringLiteral("Packaging"), QStringLiteral("reprint"), document, page);
    EXPECT_GT(job, 0);
    ASSERT_TRUE(waitForJobs("Packaging", before + 1));
    const QString base = newestJob(QStringLiteral("Packaging"));
    const QString stem = base.left(base.size() - 4);
    QFile captured(base);
    ASSERT_TRUE(captured.open(QIODevice::ReadOnly));
    EXPECT_EQ(captured.readAll(), document);
    EXPECT_EQ(readText(stem + QStringLiteral(".title")), QStringLiteral("reprint"));
    const QString options = readText(stem + QStringLiteral(".options"));
    EXPECT_TRUE(options.contains(QStringLiteral("media=Custom.72x200.5mm"))) << options.toStdString();

    // A queue that rejects jobs refuses the submission itself, by name, and keeps nothing.
    runTool(QStringLiteral("cupsreject"), {QStringLiteral("Grill")});
    const int grillBefore = jobCount("Grill");
    try {
        CupsSpooler::submit(QStringLiteral("Grill"), QStringLiteral("reprint"), document, page);
        ADD_FAILURE() << "the rejecting queue took the job";
    } catch (const SpoolError& e) {
        EXPECT_TRUE(e.message().startsWith(QStringLiteral("Printer \"Grill\" refused the print job: ")))
            << e.what();
    }
    runTool(QStringLiteral("cupsaccept"), {QStringLiteral("Grill")});
    QThread::msleep(300);
    EXPECT_EQ(jobCount("Grill"), grillBefore);
}

TEST_F(CupsSpooling, UnknownQueueIsRefused) {
    EXPECT_EQ(spooler.queueState(QStringLiteral("Bar")), QueueState::Missing);
    try {
        printTicket(spooler, QStringLiteral("Bar"), QStringLiteral("t"), QStringLiteral("x"));
        ADD_FAILURE() << "the job was taken";
    } catch (const SpoolError& e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("not installed"))) << e.what();
    }
}

} // namespace
