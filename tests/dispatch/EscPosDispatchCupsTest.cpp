// Receipt printers without a driver, end to end: a real embedded database, the test scheduler, a raw queue
// whose device is a receipt printer listening on a loopback port (it keeps every byte), and a capture queue
// for the PDF printer beside it.
#include "CaptureQueues.h"
#include "DispatchTestBed.h"
#include "EscPosDecoder.h"
#include "EscPosEncoder.h"
#include "ReceiptPrinter.h"
#include "TrpPageRenderer.h"
#include "TrpPrinters.h"
#include "TrpStoredPages.h"

#include <QFile>
#include <QThread>
#include <gtest/gtest.h>

namespace {

QByteArray bytesOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The raw queue "Pass" on the receipt printer, its options set as an operator sets them.
void addReceiptQueue(const ReceiptPrinter& printer, const QStringList& options) {
    QStringList args = {QStringLiteral("-p"),
                        QStringLiteral("Pass"),
                        QStringLiteral("-E"),
                        QStringLiteral("-v"),
                        printer.uri(),
                        QStringLiteral("-m"),
                        QStringLiteral("raw"),
                        QStringLiteral("-o"),
                        QStringLiteral("printer-error-policy=retry-job"),
                        QStringLiteral("-o"),
                        QStringLiteral("veloria-format-default=escpos")};
    for (const QString& option : options) {
        args << QStringLiteral("-o") << option;
    }
    runTool(QStringLiteral("lpadmin"), args);
}

class ReceiptPrinterThroughCups : public ::testing::Test {
protected:
    void SetUp() override {
        TrpPrinters::reset();
        runTool(QStringLiteral("cupsenable"), {QStringLiteral("Kitchen")});
        runTool(QStringLiteral("cupsaccept"), {QStringLiteral("Kitchen")});
        kitchenBefore = jobCount("Kitchen");
        pass = bed.station(QStringLiteral("Pass"));
        kitchen = bed.station(QStringLiteral("Kitchen"));
        burger = bed.item(QStringLiteral("Beef Burger"), {}, pass);
        fries = bed.item(QStringLiteral("Fries"), {}, pass);
        soup = bed.item(QStringLiteral("Lentil Soup"), {}, kitchen);
    }
    void TearDown() override {
        runTool(QStringLiteral("lpadmin"), {QStringLiteral("-x"), QStringLiteral("Pass")});
        TrpPrinters::reset();
    }

    // The newest ticket archived for the printer.
    TicketArchive::Entry archivedFor(const QString& printer) {
        const QList<TicketArchive::Entry> day = bed.printedTickets().archive().day(QDate::currentDate());
        for (auto e = day.rbegin(); e != day.rend(); ++e) {
            if (e->ticket.printer == printer) {
                return *e;
            }
        }
        ADD_FAILURE() << "nothing archived for " << printer.toStdString();
        return {};
    }

    // Checks that `received` is the archived ticket's dots on the head, as one whole ESC/POS document.
    void expectTheArchivedTicket(const QByteArray& received, int dots, int dpi, const QByteArray& tail) {
        const DecodedEscPos decoded = decodeEscPos(received);
        ASSERT_TRUE(decoded.error.isEmpty()) << decoded.error.toStdString();
        EXPECT_EQ(decoded.width, dots);
        for (const int rows : decoded.bandRows) {
            EXPECT_LE(rows, EscPosEncoder::MaxBandRows);
        }
        EXPECT_EQ(decoded.tail, tail);
        const TicketArchive::Entry entry = archivedFor(QStringLiteral("Pass"));
        EXPECT_TRUE(entry.documentFile.endsWith(QStringLiteral(".escpos")))
            << entry.documentFile.toStdString();
        EXPECT_EQ(bytesOf(entry.documentFile), received) << "the archive keeps what the printer received";
        const TrpStoredPages pages = bed.printedTickets().archive().pages(entry);
        EXPECT_TRUE(decoded.dots == placedOnHead(TrpPageRenderer::renderDots(pages, 0, dpi), dots));
    }

    DispatchTestBed bed;
    int kitchenBefore = 0;
    qint64 pass = 0, kitchen = 0, burger = 0, fries = 0, soup = 0;
};

TEST_F(ReceiptPrinterThroughCups, AnOrderOnAReceiptPrinterAndAPdfPrinter) {
    ReceiptPrinter printer;
    addReceiptQueue(printer, {});
    const qint64 order =
        bed.order(1042, {{burger, 2, QStringLiteral("Well done")}, {fries, 1, {}}, {soup, 1, {}}});
    bed.queue(order);
    bed.start();

    ASSERT_TRUE(printer.waitForJobs(1));
    ASSERT_TRUE(waitForJobs("Kitchen", kitchenBefore + 1));
    QThread::msleep(300); // a further job would show up now
    ASSERT_EQ(printer.jobs().size(), 1);
    const QByteArray received = printer.jobs().front();
    EXPECT_TRUE(received.startsWith("\x1b@"));
    expectTheArchivedTicket(received, 576, 203, QByteArray("\x1bJ\x78\x1dV\x01", 6));

    const QString pdf = newestJob(QStringLiteral("Kitchen"));
    EXPECT_TRUE(bytesOf(pdf).startsWith("%PDF-")) << "a queue without veloria-format keeps its PDFs";
    EXPECT_EQ(bytesOf(archivedFor(QStringLiteral("Kitchen")).documentFile), bytesOf(pdf));
    EXPECT_EQ(bed.unprinted(order), 0);
    EXPECT_TRUE(bed.logLines(QStringLiteral("Printer Pass:")).isEmpty()) << "the ticket fills the head";

    // Reprint sends the kept bytes again; a queue of the other language refuses, naming what it takes.
    const TicketArchive::Entry kept = archivedFor(QStringLiteral("Pass"));
    bed.printedTickets().reprint(kept, QStringLiteral("Pass"));
    ASSERT_TRUE(printer.waitForJobs(2));
    EXPECT_EQ(printer.jobs()[1], received);
    EXPECT_TRUE(archivedFor(QStringLiteral("Pass")).ticket.reprint);
    EXPECT_EQ(bytesOf(archivedFor(QStringLiteral("Pass")).documentFile), received);
    const struct {
        TicketArchive::Entry entry;
        const char* printer;
        const char* reason;
    } refusals[] = {
        {kept, "Kitchen",
         "the ticket was kept as ESC/POS for a receipt printer and the queue takes PDF "
         "(veloria-format)"},
        {archivedFor(QStringLiteral("Kitchen")), "Pass",
         "the ticket was kept as a PDF and the queue takes ESC/POS (veloria-format)"},
    };
    for (const auto& r : refusals) {
        try {
            bed.printedTickets().reprint(r.entry, QLatin1String(r.printer));
            ADD_FAILURE() << "reprinted on " << r.printer;
        } catch (const SpoolError& e) {
            EXPECT_EQ(e.message(), QStringLiteral("Printer \"%1\" refused the print job: %2")
                                       .arg(QLatin1String(r.printer), QLatin1String(r.reason)));
        }
    }
    QThread::msleep(300);
    EXPECT_EQ(printer.jobs().size(), 2);
    EXPECT_EQ(jobCount("Kitchen"), kitchenBefore + 1);
}

TEST_F(ReceiptPrinterThroughCups, TheQueuesHeadResolutionAndCut) {
    const struct {
        QStringList options;
        int dots;
        int dpi;
        QByteArray tail;
        const char* notice; // the log line the first ticket brings, once
    } cases[] = {
        {{QStringLiteral("veloria-dots-default=512"), QStringLiteral("veloria-cut-default=full")},
         512,
         203,
         QByteArray("\x1bJ\x78\x1dV\x00", 6),
         "Printer Pass: tickets 576 dots wide are cut at its head's 512 dots; the right 64 dots do not "
         "print"},
        {{QStringLiteral("veloria-dots-default=384"), QStringLiteral("veloria-cut-default=none"),
          QStringLiteral("veloria-feed-default=200")},
         384,
         203,
         QByteArray("\x1bJ\xc8", 3),
         "Printer Pass: tickets 576 dots wide are cut at its head's 384 dots; the right 192 dots do not "
         "print"},
        {{QStringLiteral("veloria-dpi-default=180"), QStringLiteral("veloria-cut-default=partial")},
         576,
         180,
         QByteArray("\x1bJ\x78\x1dV\x01", 6),
         "Printer Pass: tickets 511 dots wide are centred on its head of 576 dots"},
    };
    int number = 2000;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.options.join(QLatin1Char(' ')).toStdString());
        ReceiptPrinter printer;
        addReceiptQueue(printer, c.options);
        bed.panel.log.clear();
        for (int ticket = 0; ticket < 2; ++ticket) {
            const qint64 order = bed.order(++number, {{burger, 1, {}}});
            bed.queue(order);
            bed.cycle();
            ASSERT_TRUE(printer.waitForJobs(ticket + 1));
            EXPECT_EQ(bed.unprinted(order), 0);
        }
        expectTheArchivedTicket(printer.jobs().back(), c.dots, c.dpi, c.tail);
        EXPECT_EQ(bed.logLines(QStringLiteral("Printer Pass:")).join(QLatin1Char('\n')).toStdString(),
                  c.notice)
            << "said once for the queue, not for every ticket";
        runTool(QStringLiteral("lpadmin"), {QStringLiteral("-x"), QStringLiteral("Pass")});
    }
}

TEST_F(ReceiptPrinterThroughCups, ABadOptionFailsTheTicketAndKeepsTheOrderQueued) {
    ReceiptPrinter printer;
    addReceiptQueue(printer, {QStringLiteral("veloria-dots-default=80mm")});
    const qint64 order = bed.order(1043, {{burger, 1, {}}});
    bed.queue(order);
    bed.cycle();
    EXPECT_EQ(bed.unprinted(order), 1);
    EXPECT_EQ(bed.queued(), 1);
    const QStringList failed = bed.logLines(QStringLiteral("Failed"));
    ASSERT_EQ(failed.size(), 1);
    EXPECT_TRUE(failed[0].contains(QStringLiteral(
        "Printer \"Pass\": the queue option veloria-dots is \"80mm\"; it takes the dots a line prints "
        "across, a multiple of 8 from 8 to 2048")))
        << failed[0].toStdString();
    QThread::msleep(300);
    EXPECT_TRUE(printer.jobs().isEmpty());

    // Put right on the queue, the next cycle prints it.
    runTool(QStringLiteral("lpadmin"), {QStringLiteral("-p"), QStringLiteral("Pass"), QStringLiteral("-o"),
                                        QStringLiteral("veloria-dots-default=576")});
    bed.cycle();
    EXPECT_EQ(bed.unprinted(order), 0);
    EXPECT_TRUE(printer.waitForJobs(1));
}

TEST_F(ReceiptPrinterThroughCups, APrinterHangingUpInTheMiddleOfAJobGetsItAgain) {
    // Some 3 m of ticket, far more than the connection's buffers hold: the hang-up comes while the queue
    // still sends.
    QList<DispatchTestBed::Line> lines;
    for (int i = 0; i < 200; ++i) {
        lines.append({i % 2 == 0 ? burger : fries, 1, QStringLiteral("Line %1").arg(i)});
    }
    ReceiptPrinter printer(20000);
    addReceiptQueue(printer, {});
    const qint64 order = bed.order(1044, lines);
    bed.queue(order);
    bed.cycle();
    // The queue took the job: the order is done, whatever the printer does with it.
    EXPECT_EQ(bed.unprinted(order), 0);
    EXPECT_TRUE(bed.logLines(QStringLiteral("Failed")).isEmpty());

    // The scheduler sends the whole job again after its retry interval (the test scheduler's is 1 s).
    ASSERT_TRUE(printer.waitForJobs(2, 30000));
    const QList<QByteArray> jobs = printer.jobs();
    EXPECT_EQ(jobs[0].size(), 20000) << "the first connection ended where the printer hung up";
    EXPECT_TRUE(jobs[1].startsWith(jobs[0])) << "the retry starts again from ESC @";
    expectTheArchivedTicket(jobs[1], 576, 203, QByteArray("\x1bJ\x78\x1dV\x01", 6));
    QThread::msleep(1500);
    EXPECT_EQ(printer.jobs().size(), 2) << "the whole job, once";
}

} // namespace
