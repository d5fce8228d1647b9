// The ESC/POS raster of tickets without a printer: the queue options read, pages of dots placed on heads of
// every width, the feed and the cut, and real kitchen tickets drawn at the printers' resolutions read back
// dot for dot by a decoder of the tests' own.
#include "DotCanvas.h"
#include "EscPosDecoder.h"
#include "EscPosEncoder.h"
#include "EscPosSettings.h"
#include "KitchenTicket.h"
#include "PrintSpooler.h"
#include "PrinterLanguage.h"
#include "TrpPagePainter.h"
#include "TrpPageRenderer.h"
#include "TrpPreviewPages.h"
#include "TrpPreviewPagesSource.h"

#include <QMap>
#include <QPainter>
#include <gtest/gtest.h>

namespace {

using Options = QMap<QString, QString>;

EscPosSettings settingsOf(const Options& options) {
    return EscPosSettings::fromQueueOptions(
        QStringLiteral("Grill"), [&options](const char* name) { return options.value(QLatin1String(name)); });
}

TEST(EscPosQueueOptions, ValuesTheOperatorSets) {
    EXPECT_EQ(settingsOf({}), EscPosSettings{}) << "no option: an 80 mm head at 203 dpi";
    const EscPosSettings narrow = settingsOf({{QStringLiteral("veloria-dots"), QStringLiteral("384")},
                                              {QStringLiteral("veloria-dpi"), QStringLiteral("180")},
                                              {QStringLiteral("veloria-cut"), QStringLiteral("none")},
                                              {QStringLiteral("veloria-feed"), QStringLiteral("0")}});
    EXPECT_EQ(narrow, (EscPosSettings{384, 180, EscPosSettings::Cut::None, 0}));
    EXPECT_EQ(settingsOf({{QStringLiteral("veloria-cut"), QStringLiteral("full")}}).cut,
              EscPosSettings::Cut::Full);

    const auto language = [](const QString& value) {
        return printerLanguageOf(QStringLiteral("Grill"), [&value](const char*) { return value; });
    };
    EXPECT_EQ(language(QString()), PrinterLanguage::Pdf) << "a queue without the option keeps its PDFs";
    EXPECT_EQ(language(QStringLiteral("pdf")), PrinterLanguage::Pdf);
    EXPECT_EQ(language(QStringLiteral("escpos")), PrinterLanguage::EscPos);
}

TEST(EscPosQueueOptions, EachBadValueNamesTheQueueAndTheOption) {
    const struct {
        const char* option;
        const char* value;
        const char* takes;
    } cases[] = {
        {"veloria-dots", "577",
         "the dots a line prints across, a multiple of 8 from 8 to 2048 (576 for 80 mm "
         "paper, 384 for 58 mm)"}, // not whole bytes of dots
        {"veloria-dots", "0", nullptr},
        {"veloria-dots", "wide", nullptr},
        {"veloria-dots", "4096", nullptr},
        {"veloria-dpi", "0", "the printer's dots per inch, a whole number from 72 to 600 (203 or 180)"},
        {"veloria-dpi", "203dpi", nullptr},
        {"veloria-cut", "half", "partial, full or none"},
        {"veloria-cut", "Partial", nullptr}, // the scheduler keeps values as typed
        {"veloria-feed", "-1", "the dot rows fed before the cut, a whole number from 0 to 1000"},
        {"veloria-feed", "1001", nullptr},
    };
    QString takes;
    for (const auto& c : cases) {
        if (c.takes != nullptr) {
            takes = QLatin1String(c.takes);
        }
        try {
            settingsOf({{QLatin1String(c.option), QLatin1String(c.value)}});
            ADD_FAILURE() << c.option << "=" << c.value << " was taken";
        } catch (const SpoolError& e) {
            EXPECT_EQ(e.message(),
                      QStringLiteral("Printer \"Grill\": the queue option %1 is \"%2\"; it takes %3")
                          .arg(QLatin1String(c.option), QLatin1String(c.value), takes));
        }
    }
    try {
        printerLanguageOf(QStringLiteral("Grill"), [](const char*) { return QStringLiteral("zpl"); });
        ADD_FAILURE() << "veloria-format=zpl was taken";
    } catch (const SpoolError& e) {
        EXPECT_EQ(
            e.message(),
            QStringLiteral(
                "Printer \"Grill\": the queue option veloria-format is \"zpl\"; it takes escpos or pdf"));
    }
}

// A page whose dots tell every column and row apart: a diagonal, both edges and a row pattern.
DotPage patterned(int width, int height) {
    DotPage page(width, height);
    for (int y = 0; y < height; ++y) {
        page.setDot(y % width, y);
        page.setDot(0, y);
        page.setDot(width - 1, y);
        if (y % 7 == 0) {
            for (int x = 0; x < width; x += 3) {
                page.setDot(x, y);
            }
        }
    }
    return page;
}

TEST(EscPosEncoding, PagesOnHeadsOfEveryWidth) {
    const struct {
        int pageWidth;
        int dots;
    } cases[] = {
        {576, 576}, // the 72 mm ticket at 203 dpi fills an 80 mm head
        {511, 576}, // the same ticket at 180 dpi: centred, 32 dots each side, not on a byte boundary
        {576, 512}, // cut: the right 64 dots do not print
        {576, 384}, // a 58 mm head
        {384, 576}, // a 58 mm ticket centred on an 80 mm head, on a byte boundary
        {13, 16},   // an odd shift inside one byte
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.pageWidth << " dots on a head of " << c.dots);
        const DotPage page = patterned(c.pageWidth, 600);
        EscPosSettings settings;
        settings.dots = c.dots;
        const DecodedEscPos decoded = decodeEscPos(EscPosEncoder::encode({page}, settings));
        ASSERT_TRUE(decoded.error.isEmpty()) << decoded.error.toStdString();
        EXPECT_EQ(decoded.width, c.dots);
        EXPECT_EQ(decoded.bandRows, (QList<int>{256, 256, 88}));
        EXPECT_TRUE(decoded.dots == placedOnHead(page, c.dots));
    }
}

TEST(EscPosEncoding, FeedAndCutAfterEachPage) {
    const struct {
        EscPosSettings::Cut cut;
        int feed;
        QByteArray tail;
    } cases[] = {
        {EscPosSettings::Cut::Partial, 120, QByteArray("\x1bJ\x78\x1dV\x01", 6)},
        {EscPosSettings::Cut::Full, 120, QByteArray("\x1bJ\x78\x1dV\x00", 6)},
        {EscPosSettings::Cut::None, 120, QByteArray("\x1bJ\x78", 3)},
        {EscPosSettings::Cut::Partial, 0, QByteArray("\x1dV\x01", 3)},
        // ESC J feeds at most 255 rows at a time.
        {EscPosSettings::Cut::Partial, 300, QByteArray("\x1bJ\xff\x1bJ\x2d\x1dV\x01", 9)},
    };
    for (const auto& c : cases) {
        EscPosSettings settings;
        settings.cut = c.cut;
        settings.feed = c.feed;
        const QByteArray document =
            EscPosEncoder::encode({patterned(576, 10), patterned(576, 300)}, settings);
        EXPECT_TRUE(document.endsWith(c.tail)) << c.feed;
        EXPECT_EQ(document.count(c.tail), 2) << "each page is cut off on its own";
        EXPECT_TRUE(EscPosEncoder::isWholeDocument(document));
        EXPECT_FALSE(EscPosEncoder::isWholeDocument(document.left(document.size() - c.tail.size() - 1)))
            << "a copy cut short inside the last image";
        EXPECT_EQ(EscPosEncoder::headDots(document), 576);
    }
}

// A kitchen ticket of `items` lines, prepared from the shipped template.
class KitchenTicketDots : public ::testing::Test {
protected:
    void prepare(int items) {
        ticket = std::make_unique<KitchenTicket>(items);
        ASSERT_TRUE(ticket->prepare());
        source = std::make_unique<TrpPreviewPagesSource>(ticket->report.PreviewPages());
    }
    std::unique_ptr<KitchenTicket> ticket;
    std::unique_ptr<TrpPreviewPagesSource> source;
};

TEST_F(KitchenTicketDots, TheDocumentIsTheTicketsDotsOnEveryHead) {
    prepare(5);
    const struct {
        int dots;
        int dpi;
        int ticketWidth; // 72 mm at that resolution, rounded up
    } cases[] = {{576, 203, 576}, {512, 203, 576}, {384, 203, 576},
                 {576, 180, 511}, {512, 180, 511}, {384, 180, 511}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.dots << " dots at " << c.dpi << " dpi");
        EscPosSettings settings;
        settings.dots = c.dots;
        settings.dpi = c.dpi;
        const DotPage page = TrpPageRenderer::renderDots(*source, 0, c.dpi);
        EXPECT_EQ(page.width(), c.ticketWidth);
        const DecodedEscPos decoded = decodeEscPos(TrpPageRenderer::escPosDocument(*source, settings));
        ASSERT_TRUE(decoded.error.isEmpty()) << decoded.error.toStdString();
        EXPECT_EQ(decoded.width, c.dots);
        EXPECT_TRUE(decoded.dots == placedOnHead(page, c.dots));
        EXPECT_EQ(decoded.tail, QByteArray("\x1bJ\x78\x1dV\x01", 6));
    }
}

TEST_F(KitchenTicketDots, ALongTicketLosesNothingBetweenBands) {
    prepare(200);
    const DotPage page = TrpPageRenderer::renderDots(*source, 0, 203);
    const DecodedEscPos decoded = decodeEscPos(TrpPageRenderer::escPosDocument(*source, EscPosSettings{}));
    ASSERT_TRUE(decoded.error.isEmpty()) << decoded.error.toStdString();
    EXPECT_GT(decoded.bandRows.size(), 40) << "a ticket of some 3 m is many bands";
    for (qsizetype i = 0; i + 1 < decoded.bandRows.size(); ++i) {
        EXPECT_EQ(decoded.bandRows[i], EscPosEncoder::MaxBandRows);
    }
    EXPECT_TRUE(decoded.dots == page);
}

TEST_F(KitchenTicketDots, DrawnForOneBitPerDotWithoutGrey) {
    // What the threshold sees: a ticket drawn as a receipt printer's job draws it (on grey bytes, as the
    // canvas does, and on colour pixels) holds no grey at all, so no glyph edge is left to the threshold.
    prepare(5);
    const TrpPageSettings format = source->PageFormat(0);
    const int width = 576;
    const int height = static_cast<int>(format.PaperHeight / 25.4 * 203) + 1;
    for (const QImage::Format kind : {QImage::Format_Grayscale8, QImage::Format_RGB32}) {
        QImage image(width, height, kind);
        image.fill(Qt::white);
        {
            QPainter painter(&image);
            painter.setRenderHint(QPainter::TextAntialiasing, false);
            source->DrawPage(0, painter, 203 / 96.0, 203 / 96.0, 0, 0, true);
        }
        const QImage grey = image.convertToFormat(QImage::Format_Grayscale8);
        int black = 0;
        int between = 0;
        for (int y = 0; y < height; ++y) {
            const uchar* pixels = grey.constScanLine(y);
            for (int x = 0; x < width; ++x) {
                black += pixels[x] == 0;
                between += pixels[x] != 0 && pixels[x] != 255;
            }
        }
        EXPECT_GT(black, 1000) << kind;
        EXPECT_EQ(between, 0) << kind;
    }
}

TEST(OneBitPages, APictureKeepsItsTonesAsDitheredDots) {
    // A picture fading from black on the left to white on the right, as wide as the 72 mm ticket: dithered,
    // its columns print about as many dots as their tone is dark; a threshold would print its left half
    // solid and its right half blank.
    QImage fade(256, 32, QImage::Format_Grayscale8);
    for (int y = 0; y < fade.height(); ++y) {
        for (int x = 0; x < fade.width(); ++x) {
            fade.scanLine(y)[x] = static_cast<uchar>(x);
        }
    }
    TrpPreparedView picture;
    picture.kind = TrpPreparedView::Kind::Picture;
    picture.image = fade;
    picture.keepAspectRatio = false;
    picture.bounds = QRectF(0, 0, 72 * TrpPixelsPerMm, 20 * TrpPixelsPerMm);
    TrpPreparedBand band;
    band.views.push_back(picture);
    TrpPreviewPage page;
    page.bands.push_back(band);
    TrpPageSettings settings;
    settings.PaperWidth = 72;
    settings.PaperHeight = 20;

    DotCanvas canvas(SpoolPageSettings::customPaper(72, 20, false), 203);
    TrpPagePainter(canvas.painter(), 203 / 96.0, 203 / 96.0, TrpDrawTarget::Printer)
        .drawPage(page, settings, QPointF(0, 0));
    const DotPage dots = canvas.finish();
    ASSERT_EQ(dots.width(), 576);
    const auto darkShare = [&dots](int from, int to) {
        int printed = 0;
        for (int y = 0; y < dots.height(); ++y) {
            for (int x = from; x < to; ++x) {
                printed += dots.dot(x, y);
            }
        }
        return printed / double((to - from) * dots.height());
    };
    EXPECT_GT(darkShare(0, 64), 0.8);
    EXPECT_NEAR(darkShare(256, 320), 0.5, 0.1) << "the middle grey is half dots, not solid or blank";
    EXPECT_LT(darkShare(512, 576), 0.2);
}

} // namespace
