// The ticket PDF writer against an independent reader (poppler's tools): pages and their sizes, embedded
// font subsets, extractable text, and the drawing itself compared with the raster engine's.
#include "TicketPdfWriter.h"

#include "CaptureQueues.h"

#include <QFile>
#include <QFontInfo>
#include <QImage>
#include <QPainter>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>

namespace {

QFont ticketFont(bool bold) {
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(92); // 11 pt at 600 dpi
    font.setBold(bold);
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setKerning(false);
    return font;
}

// A ticket-like page in 600 dpi units: a bold heading, accented and composite glyphs, a rule, text cut
// off by its clip, a filled box. Baselines fall on whole pixels at 150 dpi, where the raster engine puts
// them whatever was asked.
void drawTicket(QPainter& p, const QString& heading) {
    p.setFont(ticketFont(true));
    p.setPen(Qt::black);
    p.drawText(QPointF(60, 152), heading);
    p.setFont(ticketFont(false));
    p.drawText(QPointF(60, 300), QStringLiteral("Pierś z kurczaka, crème brûlée 12,50 €"));
    QPen rule(Qt::black);
    rule.setWidthF(12);
    rule.setCapStyle(Qt::FlatCap);
    p.setPen(rule);
    p.drawLine(QPointF(60, 360), QPointF(1600, 360));
    p.save();
    p.setClipRect(QRectF(60, 400, 500, 150));
    p.setPen(Qt::black);
    p.drawText(QPointF(60, 500), QStringLiteral("Clipped away beyond this"));
    p.restore();
    p.fillRect(QRectF(1200, 600, 300, 100), Qt::black);
    // A measured line as tickets draw theirs: straight into a ticket PDF, through the painter elsewhere;
    // clipped, inside a moved painter.
    p.save();
    p.setClipRect(QRectF(60, 800, 700, 200));
    p.translate(40, 400);
    p.setPen(Qt::black);
    const QString line = QStringLiteral("Straight in, cut off here");
    if (!TicketPdfWriter::drawTextRun(p, QPointF(20, 520), ticketFont(false), line)) {
        p.setFont(ticketFont(false));
        p.drawText(QPointF(20, 520), line);
    }
    p.restore();
}

QByteArray pdfOf(const QString& heading, const QList<QSizeF>& pages) {
    TicketPdfWriter writer(QStringLiteral("rep_KitchenOrder.xml"));
    writer.setPageSize(pages.front());
    QPainter painter(&writer);
    for (qsizetype i = 0; i < pages.size(); ++i) {
        if (i > 0) {
            writer.setPageSize(pages[i]);
            writer.newPage();
        }
        drawTicket(painter, heading);
    }
    painter.end();
    return writer.document();
}

QString save(const QTemporaryDir& dir, const QString& name, const QByteArray& data) {
    const QString path = dir.filePath(name);
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(data);
    return path;
}

TEST(TicketPdfWriter, PagesFontsAndTextAsAReaderSeesThem) {
    QTemporaryDir dir;
    const QString path = save(dir, QStringLiteral("t.pdf"),
                              pdfOf(QStringLiteral("Order 42"), {QSizeF(72, 143.27), QSizeF(72, 60)}));
    const QString info =
        runTool(QStringLiteral("pdfinfo"),
                {QStringLiteral("-f"), QStringLiteral("1"), QStringLiteral("-l"), QStringLiteral("2"), path});
    EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Pages: +2\n")))) << info.toStdString();
    EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Title: +rep_KitchenOrder.xml\n"))));
    // 72 x 143.27 mm and 72 x 60 mm in points, each page its own paper.
    EXPECT_TRUE(
        info.contains(QRegularExpression(QStringLiteral("Page +1 size: +204.09\\d* x 406.1\\d* pts"))))
        << info.toStdString();
    EXPECT_TRUE(
        info.contains(QRegularExpression(QStringLiteral("Page +2 size: +204.09\\d* x 170.07\\d* pts"))))
        << info.toStdString();
    EXPECT_FALSE(info.contains(QStringLiteral("Syntax Error"))) << info.toStdString();

    const QString fonts = runTool(QStringLiteral("pdffonts"), {path});
    EXPECT_TRUE(fonts.contains(QRegularExpression(
        QStringLiteral("\\+LiberationSans-Bold +CID TrueType +Identity-H +yes +yes +yes"))))
        << fonts.toStdString();
    EXPECT_TRUE(fonts.contains(QRegularExpression(
        QStringLiteral("\\+LiberationSans-Regular +CID TrueType +Identity-H +yes +yes +yes"))))
        << fonts.toStdString();

    const QString text = runTool(QStringLiteral("pdftotext"), {path, QStringLiteral("-")});
    EXPECT_EQ(text.count(QStringLiteral("Order 42")), 2) << text.toStdString();
    EXPECT_EQ(text.count(QStringLiteral("Pierś z kurczaka, crème brûlée 12,50 €")), 2) << text.toStdString();
    EXPECT_EQ(text.count(QStringLiteral("Straight in")), 2) << text.toStdString();

    // Faces are shared by the documents of a process, glyph numbers are not: a second document with other
    // characters reads right too.
    const QString second =
        save(dir, QStringLiteral("u.pdf"), pdfOf(QStringLiteral("Łódź Żurek"), {QSizeF(72, 80)}));
    EXPECT_TRUE(runTool(QStringLiteral("pdftotext"), {second, QStringLiteral("-")})
                    .contains(QStringLiteral("Łódź Żurek")));
}

TEST(TicketPdfWriter, DrawsWhatTheRasterEngineDraws) {
    QTemporaryDir dir;
    const QString path =
        save(dir, QStringLiteral("t.pdf"), pdfOf(QStringLiteral("Order 42"), {QSizeF(72, 50)}));
    runTool(QStringLiteral("pdftoppm"),
            {QStringLiteral("-r"), QStringLiteral("150"), QStringLiteral("-gray"), QStringLiteral("-png"),
             QStringLiteral("-singlefile"), path, dir.filePath(QStringLiteral("page"))});
    const QImage read =
        QImage(dir.filePath(QStringLiteral("page.png"))).convertToFormat(QImage::Format_Grayscale8);
    ASSERT_FALSE(read.isNull());

    QImage drawn(read.size(), QImage::Format_RGB32);
    drawn.fill(Qt::white);
    {
        QPainter p(&drawn);
        p.setRenderHint(QPainter::Antialiasing);
        p.scale(150.0 / 600, 150.0 / 600);
        drawTicket(p, QStringLiteral("Order 42"));
    }
    const QImage expected = drawn.convertToFormat(QImage::Format_Grayscale8);
    // Compared block by block: two rasterisers differ at a few edge pixels of every glyph, while a missing
    // accent, a glyph drawn from the wrong outline, a moved line or a clip not kept changes many pixels
    // in one place.
    constexpr int Block = 12;
    qint64 ink = 0;
    int worst = 0;
    for (int by = 0; by < read.height(); by += Block) {
        for (int bx = 0; bx < read.width(); bx += Block) {
            int differing = 0;
            for (int y = by; y < std::min(by + Block, read.height()); ++y) {
                for (int x = bx; x < std::min(bx + Block, read.width()); ++x) {
                    const int a = read.constScanLine(y)[x];
                    const int e = expected.constScanLine(y)[x];
                    ink += e < 128 ? 1 : 0;
                    differing += std::abs(a - e) > 128 ? 1 : 0;
                }
            }
            worst = std::max(worst, differing);
        }
    }
    ASSERT_GT(ink, 2000);
    EXPECT_LE(worst, 16) << "pixels differing clearly in one block of " << Block << " x " << Block;
}

// One page drawn by `draw` (600 dpi units) into a ticket PDF and onto a 150 dpi raster; the PDF read back
// by poppler at 150 dpi and compared pixel by pixel with the raster.
struct DrawnTwice {
    QString pdf;
    qint64 ink = 0;    // dark pixels of the raster
    int differing = 0; // pixels that differ clearly
};

DrawnTwice drawTwice(const QTemporaryDir& dir, const QSizeF& pageMm,
                     const std::function<void(QPainter&)>& draw) {
    TicketPdfWriter writer(QStringLiteral("drawn twice"));
    writer.setPageSize(pageMm);
    {
        QPainter painter(&writer);
        draw(painter);
    }
    DrawnTwice result;
    result.pdf = save(dir, QStringLiteral("twice.pdf"), writer.document());
    runTool(QStringLiteral("pdftoppm"),
            {QStringLiteral("-r"), QStringLiteral("150"), QStringLiteral("-gray"), QStringLiteral("-png"),
             QStringLiteral("-singlefile"), result.pdf, dir.filePath(QStringLiteral("twice"))});
    const QImage read =
        QImage(dir.filePath(QStringLiteral("twice.png"))).convertToFormat(QImage::Format_Grayscale8);
    EXPECT_FALSE(read.isNull());
    QImage drawn(read.size(), QImage::Format_RGB32);
    drawn.fill(Qt::white);
    {
        QPainter p(&drawn);
        p.setRenderHint(QPainter::Antialiasing);
        p.scale(150.0 / 600, 150.0 / 600);
        draw(p);
    }
    const QImage expected = drawn.convertToFormat(QImage::Format_Grayscale8);
    for (int y = 0; y < read.height(); ++y) {
        for (int x = 0; x < read.width(); ++x) {
            result.ink += expected.constScanLine(y)[x] < 128 ? 1 : 0;
            result.differing +=
                std::abs(read.constScanLine(y)[x] - expected.constScanLine(y)[x]) > 128 ? 1 : 0;
        }
    }
    return result;
}

// Text drawn through the painter (not a measured ticket line) reaches the document as the glyphs the
// painter shaped: joined, reordered and from fallback faces, as the raster engine draws them.
TEST(TicketPdfWriter, TextThePainterShapesKeepsItsGlyphs) {
    const QStringList lines = {QStringLiteral("برغر لحم"), QStringLiteral("פלאפל"),
                               QStringLiteral("宫保鸡丁 김치"), QStringLiteral("ข้าวผัด नमस्ते")};
    QTemporaryDir dir;
    const DrawnTwice page = drawTwice(dir, QSizeF(72, 50), [&lines](QPainter& p) {
        p.setFont(ticketFont(false));
        p.setPen(Qt::black);
        for (qsizetype i = 0; i < lines.size(); ++i) {
            p.drawText(QPointF(60, 152 + 200 * i), lines[i]);
        }
    });
    ASSERT_GT(page.ink, 1000);
    EXPECT_LT(page.differing, page.ink / 20) << "of " << page.ink << " dark pixels";
    const QString text = runTool(QStringLiteral("pdftotext"), {page.pdf, QStringLiteral("-")});
    for (const QString& line : lines) {
        EXPECT_TRUE(text.contains(line)) << line.toStdString() << " in " << text.toStdString();
    }
}

// A face that cannot be embedded as TrueType (CFF outlines, here Ghostscript's own Nimbus Sans) is drawn
// as its filled outlines: the page shows what the preview shows, and no font is left for a printer to
// substitute. (Readers give no text back for such a line: outlines carry none.)
TEST(TicketPdfWriter, AFaceThatIsNotTrueTypeIsDrawnAsOutlines) {
    QFont cff(QStringLiteral("Nimbus Sans"));
    cff.setPixelSize(92);
    cff.setHintingPreference(QFont::PreferNoHinting);
    cff.setKerning(false);
    if (!QFontInfo(cff).family().startsWith(QStringLiteral("Nimbus Sans"))) {
        GTEST_SKIP() << "no CFF face installed (fonts-urw-base35 comes with ghostscript)";
    }
    QTemporaryDir dir;
    const DrawnTwice page = drawTwice(dir, QSizeF(72, 20), [&cff](QPainter& p) {
        p.setPen(Qt::black);
        const QString line = QStringLiteral("Nimbus 42 outlined");
        if (!TicketPdfWriter::drawTextRun(p, QPointF(60, 152), cff, line)) {
            p.setFont(cff);
            p.drawText(QPointF(60, 152), line);
        }
    });
    EXPECT_FALSE(runTool(QStringLiteral("pdffonts"), {page.pdf}).contains(QStringLiteral("Nimbus")));
    ASSERT_GT(page.ink, 300);
    EXPECT_LT(page.differing, page.ink / 20) << "of " << page.ink << " dark pixels";
}

} // namespace
