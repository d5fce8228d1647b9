// Drawing a prepared page: positions scaled from report pixels, margins, line views along their edge,
// pictures keeping their proportions, alignment, clipping and where views show.
#include "EngineTestSupport.h"
#include "TrpLineView.h"
#include "TrpMemoView.h"
#include "TrpPageHeader.h"
#include "TrpPageRenderer.h"
#include "TrpPictureView.h"
#include "TrpReportPage.h"

#include <QBuffer>
#include <QPainter>
#include <gtest/gtest.h>

namespace {

constexpr double Px = TrpPixelsPerMm;

TrpMemoView* addMemo(TrpComponent* band, const char* name, QRectF r, const QString& text) {
    auto* memo = band->Create<TrpMemoView>();
    memo->SetName(QString::fromLatin1(name));
    memo->SetLeft(r.left());
    memo->SetTop(r.top());
    memo->SetWidth(r.width());
    memo->SetHeight(r.height());
    memo->SetText(text);
    TrpFont font;
    font.Height = -15;
    memo->SetFont(font);
    return memo;
}

// A picture view showing a `size` image of one colour, stored as PNG.
TrpPictureView* addPicture(TrpComponent* band, const char* name, QRectF r, QSize size,
                           Qt::GlobalColor color) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(color);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    auto* picture = band->Create<TrpPictureView>();
    picture->SetName(QString::fromLatin1(name));
    picture->SetLeft(r.left());
    picture->SetTop(r.top());
    picture->SetWidth(r.width());
    picture->SetHeight(r.height());
    picture->PictureForEditing()->setImageData(QString::fromLatin1(TrpPicture::PngClassName), png);
    return picture;
}

// A 72 mm endless page, margins 1 mm left and 2 mm top, one header holding the views under test.
std::unique_ptr<TrpReport> drawingReport() {
    auto report = std::make_unique<TrpReport>();
    report->EngineOptions().NewSilentMode = TrpSilentMode::simSilent;
    auto* page = report->Create<TrpReportPage>();
    page->SetName(QStringLiteral("Page1"));
    page->SetPaperWidth(72);
    page->SetPaperHeight(100);
    page->SetLeftMargin(1);
    page->SetTopMargin(2);
    page->SetEndlessHeight(true);
    auto* header = page->Create<TrpPageHeader>();
    header->SetName(QStringLiteral("Head"));
    header->SetWidth(264);
    header->SetHeight(200);

    auto* line = header->Create<TrpLineView>();
    line->SetName(QStringLiteral("Rule"));
    line->SetTop(10);
    line->SetWidth(264);
    line->FrameForEditing()->SetTyp(TrpFrameTyp::ftTop);
    line->FrameForEditing()->SetWidth(2);

    addMemo(header, "Right", QRectF(0, 20, 200, 20), QStringLiteral("WWW"))->SetHAlign(TrpHAlign::haRight);
    addMemo(header, "PreviewOnly", QRectF(0, 50, 100, 20), QStringLiteral("WWWW"))
        ->SetVisibility(TrpVisibility::vsPreview);
    // Text far wider than its memo, which does not wrap: clipped at the memo's edge.
    TrpMemoView* clipped = addMemo(header, "Clipped", QRectF(0, 80, 60, 20), QString(30, QLatin1Char('W')));
    clipped->SetWordWrap(false);

    addPicture(header, "Logo", QRectF(100, 110, 60, 60), QSize(100, 50), Qt::red);
    return report;
}

bool dark(const QImage& image, int x, int y) {
    return qGray(image.pixel(x, y)) < 128;
}

// Dark pixels in a rectangle of device pixels.
int inkIn(const QImage& image, QRect r) {
    int n = 0;
    r = r.intersected(image.rect());
    for (int y = r.top(); y <= r.bottom(); ++y) {
        for (int x = r.left(); x <= r.right(); ++x) {
            n += dark(image, x, y) ? 1 : 0;
        }
    }
    return n;
}

TEST(TrpPageDraw, ViewsLandWhereTheLayoutPutThemAtAnyScale) {
    auto report = drawingReport();
    ASSERT_TRUE(report->PrepareReport(true));
    const TrpPreviewPages& pages = report->PreviewPages();
    ASSERT_EQ(pages.Count(), 1);
    for (const double dpi : {96.0, 203.0}) {
        const double s = dpi / 96;
        const QImage image = TrpPageRenderer::renderImage(pages, 0, dpi);
        const double x0 = 1 * Px * s;
        const double y0 = 2 * Px * s;
        // The rule: 2 px thick along its top edge, across its width.
        const int ruleY = static_cast<int>(y0 + 10 * s);
        EXPECT_TRUE(dark(image, static_cast<int>(x0 + 5 * s), ruleY)) << dpi;
        EXPECT_TRUE(dark(image, static_cast<int>(x0 + 260 * s), ruleY)) << dpi;
        EXPECT_FALSE(dark(image, static_cast<int>(x0 + 130 * s), ruleY + static_cast<int>(4 * s))) << dpi;
        // Right aligned: ink in the right quarter of the memo, none in its left half.
        const auto band = [&](double left, double top, double width, double height) {
            return QRect(static_cast<int>(x0 + left * s), static_cast<int>(y0 + top * s),
                         static_cast<int>(width * s), static_cast<int>(height * s));
        };
        EXPECT_GT(inkIn(image, band(150, 20, 50, 20)), 0) << dpi;
        EXPECT_EQ(inkIn(image, band(0, 20, 100, 20)), 0) << dpi;
        // A view shown only in the preview is not printed.
        EXPECT_EQ(inkIn(image, band(0, 50, 100, 20)), 0) << dpi;
        // Clipped at the memo's right edge.
        EXPECT_GT(inkIn(image, band(0, 80, 60, 20)), 0) << dpi;
        EXPECT_EQ(inkIn(image, band(62, 80, 100, 20)), 0) << dpi;
        // The picture: 100 x 50 scaled into 60 x 60 keeping its proportions, anchored top left.
        const QColor inside =
            image.pixelColor(static_cast<int>(x0 + 130 * s), static_cast<int>(y0 + 125 * s));
        EXPECT_GT(inside.red(), 200) << dpi;
        EXPECT_LT(inside.green(), 60) << dpi;
        EXPECT_EQ(image.pixelColor(static_cast<int>(x0 + 130 * s), static_cast<int>(y0 + 160 * s)),
                  QColor(Qt::white))
            << dpi << ": below the scaled picture";
    }
}

TEST(TrpPageDraw, ImagesKeptByTheCallerStayIntactWhileMoreAreRendered) {
    // Raster pixels are reused from one image to the next: one still held must not be drawn over, and a
    // reused one is drawn whole, not over what was there.
    auto report = drawingReport();
    ASSERT_TRUE(report->PrepareReport(true));
    const TrpPreviewPages& pages = report->PreviewPages();
    QImage first = TrpPageRenderer::renderImage(pages, 0, 203);
    const QImage expected = first.copy();
    QImage second = TrpPageRenderer::renderImage(pages, 0, 203);
    EXPECT_NE(first.constBits(), second.constBits());
    second.fill(Qt::black);
    EXPECT_EQ(first, expected);
    first.fill(Qt::black);
    first = QImage();
    second = QImage();
    for (int i = 0; i < 2; ++i) {
        QImage again = TrpPageRenderer::renderImage(pages, 0, 203);
        EXPECT_EQ(again, expected) << i;
        again.fill(Qt::black);
    }
}

// Views that mark rows below their own rectangle, each followed by a view whose rows lie inside what the one
// before marked: text a memo does not clip, lines stepping upwards, a picture larger than its view, a thick
// line; optionally a page frame round everything.
std::unique_ptr<TrpReport> reachingReport(bool pageFrame) {
    auto report = drawingReport();
    if (pageFrame) {
        auto* page = static_cast<TrpReportPage*>(report->FindObject(QStringLiteral("Page1")));
        page->FrameForEditing()->SetTyp(TrpFrameTyp::ftLeft | TrpFrameTyp::ftRight | TrpFrameTyp::ftTop |
                                        TrpFrameTyp::ftBottom);
        page->FrameForEditing()->SetWidth(4);
    }
    TrpComponent* header = report->FindObject(QStringLiteral("Head"));
    TrpMemoView* overflow = addMemo(header, "Overflow", QRectF(0, 200, 250, 15),
                                    QStringLiteral("one\ntwo\nthree\nfour\nfive\nsix"));
    overflow->SetClipped(false);
    addMemo(header, "Below", QRectF(0, 230, 250, 15), QStringLiteral("seven"));
    TrpMemoView* upwards = addMemo(header, "Upwards", QRectF(0, 330, 250, 15), QStringLiteral("a\nb\nc"));
    upwards->SetLineSpacing(-40);
    upwards->SetClipped(false);

    addPicture(header, "Natural", QRectF(0, 350, 20, 20), QSize(100, 40), Qt::blue)->SetStretched(false);

    auto* rule = header->Create<TrpLineView>();
    rule->SetName(QStringLiteral("Thick"));
    rule->SetTop(400);
    rule->SetWidth(264);
    rule->FrameForEditing()->SetTyp(TrpFrameTyp::ftTop);
    rule->FrameForEditing()->SetWidth(12);
    addMemo(header, "Last", QRectF(0, 402, 250, 15), QStringLiteral("eight"))->FillForEditing()->BackColor =
        0x00FFFF;
    header->SetHeight(430);
    return report;
}

TEST(TrpPageDraw, AnImageIsThePageDrawnOnWhiteWhateverItsViewsReach) {
    // An image's rows are cleared as the drawing comes down the page; nothing a view marks below its own
    // rectangle may be cleared again by a later view, and nothing left by an earlier image may remain.
    for (const bool pageFrame : {false, true}) {
        auto report = reachingReport(pageFrame);
        ASSERT_TRUE(report->PrepareReport(true));
        const TrpPreviewPages& pages = report->PreviewPages();
        for (const double dpi : {96.0, 203.0, 600.0}) {
            const double s = dpi / 96;
            QImage stale = TrpPageRenderer::renderImage(pages, 0, dpi);
            QImage expected(stale.size(), QImage::Format_RGB32);
            stale.fill(Qt::black);
            stale = QImage();
            expected.fill(Qt::white);
            QPainter painter(&expected);
            pages.DrawPage(0, painter, s, s, QPointF(0, 0), TrpDrawTarget::Printer);
            painter.end();
            // The fixture does reach: text under the unclipped memo's bottom and blue under the picture's.
            const double y0 = 2 * Px * s;
            EXPECT_GT(inkIn(expected, QRect(0, static_cast<int>(y0 + 216 * s), expected.width(),
                                            static_cast<int>(12 * s))),
                      0)
                << dpi;
            EXPECT_EQ(
                expected.pixelColor(static_cast<int>(1 * Px * s + 50 * s), static_cast<int>(y0 + 385 * s)),
                QColor(Qt::blue))
                << dpi;

            const QImage image = TrpPageRenderer::renderImage(pages, 0, dpi);
            ASSERT_EQ(image.size(), expected.size()) << dpi;
            EXPECT_TRUE(image == expected) << dpi << (pageFrame ? " with a page frame" : "");
        }
    }
}

TEST(TrpPageDraw, ThePreviewShowsItsViewsAndStaysInsideThePage) {
    auto report = drawingReport();
    ASSERT_TRUE(report->PrepareReport(true));
    const TrpPreviewPages& pages = report->PreviewPages();
    QImage image(800, 1000, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    // Zoom 100 %, the page drawn 40 px right and 30 px down in the window, the painter's own state kept.
    painter.setPen(Qt::blue);
    pages.DrawPage(0, painter, 1, 1, QPointF(40, 30), TrpDrawTarget::Preview);
    EXPECT_EQ(painter.pen().color(), QColor(Qt::blue));
    painter.end();
    const double x0 = 40 + 1 * Px;
    const double y0 = 30 + 2 * Px;
    EXPECT_GT(inkIn(image, QRect(static_cast<int>(x0), static_cast<int>(y0 + 50), 100, 20)), 0)
        << "the preview shows views meant for the preview";
    EXPECT_EQ(inkIn(image, QRect(0, 0, 40, 1000)), 0) << "nothing left of the page";
    EXPECT_EQ(pages.GetPageSize(0).width(), 72);
}

} // namespace
