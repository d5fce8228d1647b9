#include "EscPosSettings.h"
#include "PdfFolderSpooler.h"
#include "TrpEngine.h"
#include "TrpJsonData.h"
#include "TrpPageRenderer.h"
#include "TrpPreviewPagesSource.h"
#include "TrpPrintedDocument.h"
#include "TrpPrinters.h"
#include "TrpReport.h"

#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

namespace {

QString data(const QString& name) {
    return qEnvironmentVariable("VELORIA_TEST_DATA") + QStringLiteral("/report/") + name;
}

struct ToolRun {
    int exitCode = -1;
    QString out;
    QString err;
};

ToolRun renderTicket(const QStringList& arguments) {
    QProcess process;
    process.start(QStringLiteral(RENDER_TICKET), arguments);
    EXPECT_TRUE(process.waitForFinished(60000));
    return ToolRun{process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
                   QString::fromUtf8(process.readAllStandardOutput()),
                   QString::fromUtf8(process.readAllStandardError())};
}

const QStringList KitchenTicket = {data(QStringLiteral("kitchen_order.xml")), QStringLiteral("--data"),
                                   data(QStringLiteral("kitchen_order.json")), QStringLiteral("--now"),
                                   QStringLiteral("2020-12-25T19:05:00")};

// The kitchen ticket the tool is given, prepared here the same way: its rows and the tool's clock.
struct PreparedKitchenTicket {
    PreparedKitchenTicket() {
        QFile json(data(QStringLiteral("kitchen_order.json")));
        if (!json.open(QIODevice::ReadOnly)) {
            return;
        }
        rows = std::make_unique<TrpJsonData>(json.readAll());
        prepared = report->LoadFromFile(KitchenTicket[0]);
        report->Engine().SetClock([] { return QDateTime(QDate(2020, 12, 25), QTime(19, 5)); });
        prepared = prepared && report->PrepareReport(true);
    }

    std::unique_ptr<TrpJsonData> rows;
    std::unique_ptr<TrpReport> report = std::make_unique<TrpReport>();
    bool prepared = false;
};

TEST(RenderTicket, ThermalPrinterImageMatchesTheReference) {
    QTemporaryDir dir;
    const QString out = dir.filePath(QStringLiteral("ticket.png"));
    const ToolRun run =
        renderTicket(KitchenTicket + QStringList{QStringLiteral("--png"), out, QStringLiteral("--dpi"),
                                                 QStringLiteral("203")});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QImage actual = QImage(out).convertToFormat(QImage::Format_Grayscale8);
    const QImage expected =
        QImage(data(QStringLiteral("kitchen_order_203dpi.png"))).convertToFormat(QImage::Format_Grayscale8);
    ASSERT_FALSE(expected.isNull());
    ASSERT_EQ(actual.size(), expected.size())
        << "72 mm at 203 dpi is 576 dots wide; the length is the ticket's";
    EXPECT_EQ(actual.width(), 576);
    // Anti-aliasing may differ in a few edge pixels between rasterisers; one changed digit does not stay
    // under this.
    qint64 differing = 0;
    for (int y = 0; y < actual.height(); ++y) {
        const uchar* a = actual.constScanLine(y);
        const uchar* e = expected.constScanLine(y);
        for (int x = 0; x < actual.width(); ++x) {
            differing += std::abs(int(a[x]) - int(e[x])) > 96 ? 1 : 0;
        }
    }
    EXPECT_LE(differing, 25) << differing << " pixels differ clearly";
}

TEST(RenderTicket, PdfPageIsTheTicketsPaper) {
    QTemporaryDir dir;
    const QString out = dir.filePath(QStringLiteral("ticket.pdf"));
    const ToolRun run = renderTicket(KitchenTicket + QStringList{QStringLiteral("--pdf"), out});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QRegularExpressionMatch size =
        QRegularExpression(QStringLiteral(R"(page 1: ([\d.]+) x ([\d.]+) mm)")).match(run.out);
    ASSERT_TRUE(size.hasMatch()) << run.out.toStdString();
    EXPECT_EQ(size.captured(1), QStringLiteral("72.00"));
    QFile pdf(out);
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    const QRegularExpressionMatch box =
        QRegularExpression(QStringLiteral(R"(/MediaBox \[0 0 ([\d.]+) ([\d.]+)\])"))
            .match(QString::fromLatin1(pdf.readAll()));
    ASSERT_TRUE(box.hasMatch());
    // The PDF states its page in whole points.
    EXPECT_NEAR(box.captured(1).toDouble(), 72 / 25.4 * 72, 0.5);
    EXPECT_NEAR(box.captured(2).toDouble(), size.captured(2).toDouble() / 25.4 * 72, 0.5);
}

TEST(RenderTicket, FailuresPrintTheErrorLinesAndExitNonZero) {
    QTemporaryDir dir;
    const QString png = dir.filePath(QStringLiteral("t.png"));
    struct Case {
        const char* why;
        QStringList arguments;
        int exitCode;
        const char* message;
    } const cases[] = {
        {"an unknown name in a memo",
         KitchenTicket + QStringList{"--memo", "Memo5=Ask [Manager]", "--png", png}, 1,
         "Memo5: Error in expression 'Manager'"},
        {"a memo the template lacks", KitchenTicket + QStringList{"--memo", "Nothing=x", "--png", png}, 1,
         "no memo named \"Nothing\""},
        {"a missing template",
         {"missing.xml", "--data", data("kitchen_order.json"), "--png", png},
         1,
         "Template file not found"},
        {"data that is not JSON",
         {data("kitchen_order.xml"), "--data", data("kitchen_order.xml"), "--png", png},
         1,
         "Invalid JSON data"},
        {"no output", KitchenTicket, 2, "--pdf OUT"},
        // A full device takes nothing: the ticket is not written, whatever the format.
        {"a PDF on a full device", KitchenTicket + QStringList{"--pdf", "/dev/full"}, 1,
         "Cannot write \"/dev/full\""},
        {"a PNG on a full device", KitchenTicket + QStringList{"--png", "/dev/full"}, 1,
         "Cannot write \"/dev/full\""},
        {"a resolution that is not a number", KitchenTicket + QStringList{"--png", png, "--dpi", "nan"}, 2,
         "--dpi takes"},
        {"an infinite resolution", KitchenTicket + QStringList{"--png", png, "--dpi", "inf"}, 2,
         "--dpi takes"},
        // The receipt printer's options are judged as a queue's are.
        {"a head that is not whole bytes of dots",
         KitchenTicket + QStringList{"--escpos", png, "--dots", "577"}, 2,
         "the queue option veloria-dots is \"577\""},
        {"a cut the printers do not know", KitchenTicket + QStringList{"--escpos", png, "--cut", "half"}, 2,
         "the queue option veloria-cut is \"half\"; it takes partial, full or none"},
        {"ESC/POS on a full device", KitchenTicket + QStringList{"--escpos", "/dev/full"}, 1,
         "Cannot write \"/dev/full\""},
    };
    for (const Case& c : cases) {
        const ToolRun run = renderTicket(c.arguments);
        EXPECT_EQ(run.exitCode, c.exitCode) << c.why;
        EXPECT_TRUE(run.err.contains(QString::fromUtf8(c.message))) << c.why << ": " << run.err.toStdString();
    }
    EXPECT_FALSE(QFile::exists(png)) << "nothing is written for a failed ticket";
}

// The PDF render-ticket writes is the document a print queue receives for the same ticket: the program
// and the tool draw through one path.
TEST(RenderTicket, PdfIsTheDocumentAPrinterReceives) {
    QTemporaryDir dir;
    const QString out = dir.filePath(QStringLiteral("ticket.pdf"));
    const ToolRun run = renderTicket(KitchenTicket + QStringList{QStringLiteral("--pdf"), out});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    QFile rendered(out);
    ASSERT_TRUE(rendered.open(QIODevice::ReadOnly));

    const PreparedKitchenTicket ticket;
    ASSERT_TRUE(ticket.prepared);
    TrpReport& report = *ticket.report;
    PdfFolderSpooler printers(dir.filePath(QStringLiteral("printers")), {QStringLiteral("Kitchen")},
                              QStringLiteral("Kitchen"));
    PrintSpooler::setCurrent(&printers);
    TrpPrinters::reset();
    report.PrintOptions().Printer = QStringLiteral("Kitchen");
    report.PrintOptions().ShowDialog = false;
    QByteArray printed;
    EXPECT_TRUE(report.Print([&printed](const TrpPrintedDocument& d) { printed = d.document; }));
    TrpPrinters::reset();
    PrintSpooler::setCurrent(nullptr);

    ASSERT_FALSE(printed.isEmpty());
    EXPECT_TRUE(rendered.readAll() == printed);
}

// --escpos writes what a receipt printer's queue with those options sends its printer for the ticket.
TEST(RenderTicket, EscPosIsWhatAReceiptPrintersQueueSends) {
    QTemporaryDir dir;
    const QString out = dir.filePath(QStringLiteral("ticket.escpos"));
    const ToolRun run = renderTicket(
        KitchenTicket + QStringList{QStringLiteral("--escpos"), out, QStringLiteral("--dots"),
                                    QStringLiteral("384"), QStringLiteral("--dpi"), QStringLiteral("180"),
                                    QStringLiteral("--cut"), QStringLiteral("full")});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    QFile rendered(out);
    ASSERT_TRUE(rendered.open(QIODevice::ReadOnly));

    const PreparedKitchenTicket ticket;
    ASSERT_TRUE(ticket.prepared);
    TrpReport& report = *ticket.report;
    const EscPosSettings queue{384, 180, EscPosSettings::Cut::Full, EscPosSettings::DefaultFeed};
    const QByteArray expected =
        TrpPageRenderer::escPosDocument(TrpPreviewPagesSource(report.PreviewPages()), queue);
    EXPECT_TRUE(rendered.readAll() == expected);
    EXPECT_TRUE(expected.endsWith(QByteArray("\x1bJ\x78\x1dV\x00", 6)));
}

} // namespace
