// Prepared pages written to bytes and read back draw exactly as the report's own pages: the archived
// ticket in the preview is the ticket that was printed.
#include "TrpStoredPages.h"

#include "KitchenTicket.h"
#include "TrpError.h"
#include "TrpPreviewPages.h"
#include "TrpPreviewPagesSource.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

namespace {

QImage draw(const TrpPageSource& pages, int index, bool forPrinter) {
    constexpr double dpi = 150;
    const TrpPageSettings f = pages.PageFormat(index);
    QImage image(static_cast<int>(f.PaperWidth / 25.4 * dpi) + 1,
                 static_cast<int>(f.PaperHeight / 25.4 * dpi) + 1, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    pages.DrawPage(index, painter, dpi / 96, dpi / 96, 0, 0, forPrinter);
    return image;
}

void expectSameDrawing(const TrpPreviewPages& prepared) {
    const TrpPreviewPagesSource original(prepared);
    const TrpStoredPages stored = TrpStoredPages::fromBytes(TrpStoredPages(prepared).toBytes());
    ASSERT_EQ(stored.PageCount(), original.PageCount());
    for (int i = 0; i < original.PageCount(); ++i) {
        EXPECT_EQ(stored.PageFormat(i).PaperHeight, original.PageFormat(i).PaperHeight);
        EXPECT_EQ(stored.PageFormat(i).PaperSize, original.PageFormat(i).PaperSize);
        for (const bool forPrinter : {true, false}) {
            EXPECT_TRUE(draw(stored, i, forPrinter) == draw(original, i, forPrinter))
                << "page " << i << (forPrinter ? " for the printer" : " in the preview");
        }
    }
}

TEST(TrpStoredPages, AKitchenTicketDrawsAsPrepared) {
    KitchenTicket ticket(4);
    ASSERT_TRUE(ticket.prepare());
    expectSameDrawing(ticket.report.PreviewPages());
}

// Its logo, frames and fonts of several sizes come back as well.
TEST(TrpStoredPages, TheTestReceiptDrawsAsPrepared) {
    TrpReport report;
    report.EngineOptions().NewSilentMode = TrpSilentMode::simReThrow;
    ASSERT_TRUE(report.LoadFromFile(KitchenTicket::templatePath(QStringLiteral("rep_TestReceipt_80.xml"))));
    ASSERT_TRUE(report.PrepareReport(true));
    expectSameDrawing(report.PreviewPages());
}

TEST(TrpStoredPages, DamagedBytesAreRefused) {
    KitchenTicket ticket(1);
    ASSERT_TRUE(ticket.prepare());
    const QByteArray good = TrpStoredPages(ticket.report.PreviewPages()).toBytes();
    for (const QByteArray& bad : {QByteArray(), QByteArray("not pages at all"), good.left(good.size() / 2),
                                  good + QByteArray("trailing")}) {
        try {
            TrpStoredPages::fromBytes(bad);
            ADD_FAILURE() << "accepted " << bad.size() << " bytes";
        } catch (const TrpError& e) {
            EXPECT_EQ(e.message(), QStringLiteral("The stored pages are damaged"));
        }
    }
}

} // namespace
