// Printed tickets end to end: a real embedded database, the test scheduler's capture queues, the Printed
// Tickets window and the printers' state strip driven as the operator drives them.
#include "CaptureQueues.h"
#include "CapturingMessageService.h"
#include "DispatchTestBed.h"
#include "PrintedTicketsForm.h"
#include "StationStateStrip.h"
#include "TrpPageSource.h"
#include "TrpPreviewHook.h"
#include "TrpPrinters.h"
#include "TrpReport.h"

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QThread>
#include <gtest/gtest.h>

namespace {

QByteArray bytesOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

const char* const Queues[] = {"Kitchen", "Grill", "Salads", "Packaging"};

class PrintedTicketsThroughCups : public ::testing::Test {
protected:
    void SetUp() override {
        TrpPrinters::reset();
        for (const char* queue : Queues) {
            runTool(QStringLiteral("cupsenable"), {QString::fromLatin1(queue)});
            runTool(QStringLiteral("cupsaccept"), {QString::fromLatin1(queue)});
            before[queue] = jobCount(queue);
        }
        grill = bed.station(QStringLiteral("Grill"));
        salads = bed.station(QStringLiteral("Salads"));
        kitchen = bed.station(QStringLiteral("Kitchen"));
        burger = bed.item(QStringLiteral("Beef Burger"), {}, grill);
        salad = bed.item(QStringLiteral("Caesar Salad"), {}, salads);
        soup = bed.item(QStringLiteral("Lentil Soup"), {}, kitchen);
        bed.copyToPackaging(QStringLiteral("Grill"));
    }
    void TearDown() override {
        for (const char* queue : Queues) {
            runTool(QStringLiteral("cupsenable"), {QString::fromLatin1(queue)});
            runTool(QStringLiteral("cupsaccept"), {QString::fromLatin1(queue)});
        }
        TrpPrinters::reset();
    }

    // The queue's jobs since the test began, once `count` of them are there.
    QStringList newJobs(const char* queue, int count) {
        EXPECT_TRUE(waitForJobs(queue, before[queue] + count)) << queue;
        const QStringList all = capturedJobs(QString::fromLatin1(queue));
        QStringList files;
        for (qsizetype i = before[queue]; i < all.size(); ++i) {
            files << captureFolder(QString::fromLatin1(queue)) + QLatin1Char('/') + all[i];
        }
        return files;
    }

    QList<TicketArchive::Entry> archivedFor(const QString& printer) {
        QList<TicketArchive::Entry> found;
        for (const TicketArchive::Entry& e : bed.printedTickets().archive().day(QDate::currentDate())) {
            if (e.ticket.printer == printer) {
                found << e;
            }
        }
        return found;
    }

    DispatchTestBed bed{true};
    std::map<std::string, int> before;
    qint64 grill = 0, salads = 0, kitchen = 0, burger = 0, salad = 0, soup = 0;
};

TEST_F(PrintedTicketsThroughCups, EachArchivedTicketIsTheJobItsQueueCaptured) {
    const qint64 order = bed.order(1042, {{burger, 1, {}}, {salad, 2, {}}, {soup, 1, {}}});
    bed.queue(order);
    bed.voidItem(QStringLiteral("Beef Burger"), {}, QStringLiteral("Cold"), grill, order);
    bed.start();
    const std::map<std::string, int> expected = {
        {"Kitchen", 1}, {"Grill", 2}, {"Salads", 1}, {"Packaging", 2}};
    int archived = 0;
    for (const auto& [queue, count] : expected) {
        const QStringList jobs = newJobs(queue.c_str(), count);
        const QList<TicketArchive::Entry> entries = archivedFor(QString::fromStdString(queue));
        ASSERT_EQ(entries.size(), count) << queue;
        ASSERT_EQ(jobs.size(), count) << queue;
        for (int i = 0; i < count; ++i) {
            EXPECT_FALSE(bytesOf(entries[i].documentFile).isEmpty());
            EXPECT_EQ(bytesOf(entries[i].documentFile), bytesOf(jobs[i])) << queue << " ticket " << i;
        }
        archived += count;
    }
    EXPECT_EQ(bed.printedTickets().archive().day(QDate::currentDate()).size(), archived);
}

// The window lists the day's tickets, shows the selected one in the preview, and sends it again to the
// printer chosen; a queue that refuses it gets the standard error box and a log line.
TEST_F(PrintedTicketsThroughCups, ReprintFromTheWindow) {
    const qint64 order = bed.order(1043, {{burger, 1, {}}});
    bed.queue(order);
    bed.start();
    const QStringList grillJobs = newJobs("Grill", 1);
    CapturingMessageService boxes;

    TPrintedTicketsForm form(bed.printedTickets());
    auto* grid = form.findChild<QTableWidget*>(QStringLiteral("grd_Tickets"));
    ASSERT_NE(grid, nullptr);
    ASSERT_EQ(grid->rowCount(), 2); // the packaging copy, then the Grill's ticket
    EXPECT_EQ(grid->item(1, 1)->text(), QStringLiteral("Kitchen"));
    EXPECT_EQ(grid->item(1, 2)->text(), QStringLiteral("#%1 (1043)").arg(order));
    EXPECT_EQ(grid->item(1, 3)->text(), QStringLiteral("Grill"));
    grid->selectRow(1);

    int previewPages = 0;
    QString previewCaption;
    TrpPreviewHook::setHandler(
        [&](TrpReport& report, const TrpPageSource& pages, const std::function<void()>&) {
            previewPages = pages.PageCount();
            previewCaption = report.ReportOptions().Name;
        });
    form.findChild<QPushButton*>(QStringLiteral("btn_Preview"))->click();
    TrpPreviewHook::setHandler({});
    EXPECT_EQ(previewPages, 1);
    EXPECT_EQ(previewCaption, QStringLiteral("Kitchen Order #%1 - Grill").arg(order));

    auto* printer = form.findChild<QComboBox*>(QStringLiteral("cb_Printer"));
    printer->setCurrentIndex(printer->findData(QStringLiteral("Salads")));
    form.findChild<QPushButton*>(QStringLiteral("btn_Reprint"))->click();
    const QStringList saladsJobs = newJobs("Salads", 1);
    ASSERT_EQ(saladsJobs.size(), 1);
    EXPECT_EQ(bytesOf(saladsJobs[0]), bytesOf(grillJobs[0]));
    EXPECT_EQ(bed.logLines(QStringLiteral("Reprinting")),
              QStringList({QStringLiteral("Reprinting Order #%1 on Salads").arg(order)}));
    ASSERT_EQ(grid->rowCount(), 3);
    EXPECT_EQ(grid->item(2, 1)->text(), QStringLiteral("Kitchen (reprint)"));

    ASSERT_TRUE(boxes.shown.empty());
    runTool(QStringLiteral("cupsreject"), {QStringLiteral("Kitchen")});
    grid->selectRow(1);
    printer->setCurrentIndex(printer->findData(QStringLiteral("Kitchen")));
    form.findChild<QPushButton*>(QStringLiteral("btn_Reprint"))->click();
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].icon, MessageIcon::Error);
    EXPECT_TRUE(boxes.shown[0].text.contains(QStringLiteral("Kitchen"))) << boxes.shown[0].text.toStdString();
    const QStringList failed = bed.logLines(QStringLiteral("on Kitchen Failed: "));
    ASSERT_EQ(failed.size(), 1);
    EXPECT_TRUE(failed[0].startsWith(QStringLiteral("Reprinting Order #%1 on Kitchen Failed: ").arg(order)));
    QThread::msleep(300);
    EXPECT_EQ(jobCount("Kitchen"), before["Kitchen"]);
}

// A paused queue shows as paused; a queue that refused a ticket is marked until one of its tickets prints.
TEST_F(PrintedTicketsThroughCups, TheStripShowsPausedQueuesAndFailuresUntilAGoodTicket) {
    StationStateStrip strip(bed.printedTickets().stations());
    const auto box = [&strip](const char* printer) {
        auto* label = strip.findChild<QLabel*>(QStringLiteral("station_") + QLatin1String(printer));
        return label != nullptr ? label->text() : QStringLiteral("(none)");
    };
    runTool(QStringLiteral("cupsdisable"), {QStringLiteral("Grill")});
    runTool(QStringLiteral("cupsreject"), {QStringLiteral("Salads")});
    bed.queue(bed.order(1, {{burger, 1, {}}, {salad, 1, {}}}));
    bed.start();
    EXPECT_TRUE(box("Grill").startsWith(QStringLiteral("Grill\npaused\n"))) << box("Grill").toStdString();
    EXPECT_TRUE(box("Salads").startsWith(QStringLiteral("Salads\nnot accepting\nfailed ")))
        << box("Salads").toStdString();
    EXPECT_TRUE(box("Packaging").startsWith(QStringLiteral("Packaging\nready\n")));
    EXPECT_EQ(box("Kitchen"), QStringLiteral("(none)")); // no ticket for it since Start

    runTool(QStringLiteral("cupsaccept"), {QStringLiteral("Salads")});
    runTool(QStringLiteral("cupsenable"), {QStringLiteral("Grill")});
    bed.cycle(); // the order is tried again; only the Salads' ticket is still due
    EXPECT_EQ(bed.queued(), 0);
    EXPECT_TRUE(box("Salads").startsWith(QStringLiteral("Salads\nready\n"))) << box("Salads").toStdString();
    EXPECT_FALSE(box("Salads").contains(QStringLiteral("failed")));
    EXPECT_TRUE(box("Grill").startsWith(QStringLiteral("Grill\nready\n"))) << box("Grill").toStdString();

    bed.server.Start(); // a new Start forgets the printers
    EXPECT_EQ(box("Grill"), QStringLiteral("(none)"));
}

} // namespace
