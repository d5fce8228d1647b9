#include "TrpDrawText.h"

#include "QtGTestPrinters.h"

#include <QFontMetricsF>
#include <QImage>
#include <QMutexLocker>
#include <QPainter>
#include <gtest/gtest.h>

namespace {

TrpTextFont arial(int height, int style = 0) {
    TrpTextFont font;
    font.name = QStringLiteral("Arial");
    font.height = height;
    font.style = style;
    return font;
}

// Wraps `lines` in a memo of `width` report pixels with the default gaps and returns the measuring object.
TrpDrawText& measure(const QStringList& lines, double width, int fontHeight = -15, bool wordWrap = true) {
    TrpDrawText& text = TrpDrawText::instance();
    text.setFont(arial(fontHeight));
    TrpTextOptions options;
    options.wordWrap = wordWrap;
    text.setOptions(options);
    text.setDimensions(TrpDrawText::textRect(QRectF(0, 0, width, 20), 2, 1, 1, 0));
    text.setText(lines);
    return text;
}

int memoHeightOf(const QStringList& lines, double width) {
    const TrpDrawText& text = measure(lines, width);
    return TrpDrawText::memoHeight(text.calcHeight(), 1, 1, 0, 0);
}

TEST(TrpDrawTextFonts, ArialIsMeasuredWithAMetricCompatibleFace) {
    // Tickets are laid out with Arial's widths; a substitute with other widths would wrap differently.
    ASSERT_EQ(TrpDrawText::resolvedFamily(QStringLiteral("Arial")), QStringLiteral("Liberation Sans"))
        << "install fonts-liberation2: Arial must resolve to a face with Arial's metrics";
    QMutexLocker lock(&TrpDrawText::lock());
    TrpDrawText& text = TrpDrawText::instance();
    text.setFont(arial(-15));
    // Arial's advance of "W" is 1933 and of "i" 455 units of 2048 to the em; the em is 92 px at 600 dpi.
    EXPECT_NEAR(text.textWidth600(QStringLiteral("W")), 92.0 * 1933 / 2048, 0.01);
    EXPECT_NEAR(text.textWidth600(QStringLiteral("Wi")), 92.0 * (1933 + 455) / 2048, 0.01);
}

TEST(TrpDrawTextFonts, PointSizesAndCharacterHeights) {
    struct Case {
        int height;
        int points;
        int charHeight600;
    } const cases[] = {{15, 11, 92},
                       {-15, 11, 92},
                       {13, 10, 83},
                       {11, 8, 67},
                       {16, 12, 100},
                       {21, 16, 133},
                       // 10.5 and 4.5 points round to the even size.
                       {14, 10, 83},
                       {-6, 4, 33}};
    QMutexLocker lock(&TrpDrawText::lock());
    for (const Case& c : cases) {
        EXPECT_EQ(arial(c.height).pointSize(), c.points) << c.height;
        TrpDrawText::instance().setFont(arial(c.height));
        EXPECT_EQ(TrpDrawText::instance().charHeight600(), c.charHeight600) << c.height;
    }
    TrpDrawText::instance().setFont(arial(-15));
    TrpDrawText::instance().setOptions(TrpTextOptions{});
    EXPECT_DOUBLE_EQ(TrpDrawText::instance().lineHeight(), 92 / 6.25 + 2); // 16.72
}

TEST(TrpDrawTextHeights, MemoHeightsFollowTheLineCount) {
    QMutexLocker lock(&TrpDrawText::lock());
    const QString word = QStringLiteral("Halloumi");
    struct Case {
        const char* why;
        QStringList lines;
        int height;
    } const cases[] = {
        {"one line: Round(16.72 + 2)", {word}, 19},
        {"three lines: Round(3 x 16.72 + 2)", {word, word, word}, 52},
        {"five lines: Round(83.6 + 2)", {word, word, word, word, word}, 86},
        {"an empty line counts as a line", {QString()}, 19},
        {"no lines: the gaps only", {}, 2},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(memoHeightOf(c.lines, 200), c.height) << c.why;
    }
}

TEST(TrpDrawTextHeights, FramesShadowsAndHalvesToEven) {
    EXPECT_EQ(TrpDrawText::memoHeight(16.72, 1, 1, 4 | 8, 0), 19); // 16.72 + 2 + 0 + 0.5 = 19.22
    EXPECT_EQ(TrpDrawText::memoHeight(16.72, 1, 3, 4 | 8, 0), 21); // + 1 + 1.5
    EXPECT_EQ(TrpDrawText::memoHeight(16.72, 1, 1, 0, 4), 23);     // a drop shadow of 4
    EXPECT_EQ(TrpDrawText::memoHeight(0.5, 0, 1, 0, 0), 0);
    EXPECT_EQ(TrpDrawText::memoHeight(1.5, 0, 1, 0, 0), 2);
    EXPECT_EQ(TrpDrawText::memoHeight(2.5, 0, 1, 0, 0), 2);
    const QRectF framed = TrpDrawText::textRect(QRectF(10, 20, 100, 30), 2, 1, 3, 1 | 2 | 4 | 8);
    EXPECT_EQ(framed, QRectF(QPointF(13, 22), QPointF(107, 48))); // 12+1, 21+1, 109-2, 50-2
    // Frame halves of a half pixel round to the even 0.
    const QRectF thin = TrpDrawText::textRect(QRectF(10, 20, 100, 30), 2, 1, 1, 1 | 2 | 4 | 8);
    EXPECT_EQ(thin, QRectF(QPointF(12, 21), QPointF(109, 50))); // Round(0) and Round(0.5) are 0
    const QRectF two = TrpDrawText::textRect(QRectF(10, 20, 100, 30), 2, 1, 2, 1 | 2 | 4 | 8);
    EXPECT_EQ(two, QRectF(QPointF(12, 21), QPointF(108, 49))); // Round(0.5) = 0, Round(1) = 1
}

TEST(TrpDrawTextWrapping, BreaksOnlyAtSpacesAndCutsLongWords) {
    QMutexLocker lock(&TrpDrawText::lock());
    const QString name =
        QStringLiteral("Grilled chicken breast with lemon, thyme and roasted garlic butter sauce");
    const TrpDrawText& text = measure({name}, 150);
    ASSERT_GE(text.lines().size(), 3);
    QStringList pieces;
    const double width600 = std::round(6.25 * (149 - 2)); // the text rectangle spans 2..149
    for (qsizetype i = 0; i < text.lines().size(); ++i) {
        const TrpTextLine& line = text.lines()[i];
        EXPECT_LE(line.width600, width600) << line.text.toStdString();
        EXPECT_FALSE(line.text.startsWith(QLatin1Char(' '))) << "the break space is dropped";
        EXPECT_EQ(line.firstOfParagraph, i == 0);
        EXPECT_EQ(line.lastOfParagraph, i == text.lines().size() - 1);
        if (i + 1 < text.lines().size()) {
            // Greedy: the next word would not have fitted.
            const QString next = text.lines()[i + 1].text.section(QLatin1Char(' '), 0, 0);
            EXPECT_GT(text.textWidth600(line.text + QLatin1Char(' ') + next), width600)
                << line.text.toStdString();
        }
        pieces << line.text;
    }
    EXPECT_EQ(pieces.join(QLatin1Char(' ')), name);

    const QString longWord = QStringLiteral("Supercalifragilisticexpialidocious");
    const TrpDrawText& cut = measure({longWord}, 60);
    ASSERT_GE(cut.lines().size(), 2);
    QString joined;
    for (const TrpTextLine& line : cut.lines()) {
        joined += line.text;
    }
    EXPECT_EQ(joined, longWord) << "a word wider than the memo is cut inside, nothing lost";
}

// A text rectangle 10 report pixels wide offers Round(6.25 x 10) = Round(62.5) = 62 dots, halves to even:
// a text 62.75 dots wide no longer fits. The character spacing tunes "ii" to the widths of the table.
TEST(TrpDrawTextWrapping, TheAvailableWidthAtAHalfDotRoundsToEven) {
    QMutexLocker lock(&TrpDrawText::lock());
    TrpDrawText& text = TrpDrawText::instance();
    text.setFont(arial(-15));
    text.setOptions(TrpTextOptions{});
    const double natural = text.textWidth600(QStringLiteral("ii"));
    ASSERT_LT(natural, 61);
    const struct {
        double width600;
        qsizetype lines;
    } cases[] = {{61.75, 1}, {61.99, 1}, {62.25, 2}, {62.75, 2}};
    for (const auto& c : cases) {
        TrpTextOptions options;
        options.charSpacing = (c.width600 - natural) / 2 / TrpDrawText::Ratio;
        text.setOptions(options);
        text.setDimensions(QRectF(QPointF(0, 0), QPointF(10, 20)));
        text.setText({QStringLiteral("ii")});
        EXPECT_EQ(text.lines().size(), c.lines) << c.width600;
    }
}

TEST(TrpDrawTextWrapping, SingleCharactersAndUnwrappedMemosStayOneLine) {
    QMutexLocker lock(&TrpDrawText::lock());
    EXPECT_EQ(measure({QStringLiteral("W")}, 3).lines().size(), 1);
    EXPECT_EQ(measure({QStringLiteral("a long line that does not fit")}, 20, -15, false).lines().size(), 1);
    EXPECT_EQ(measure({QStringLiteral("two"), QString(), QStringLiteral("paragraphs")}, 200).lines().size(),
              3);
}

// Text that is joined, combined or reordered is measured by its shaped glyphs: a line is as wide as it is
// drawn, and it breaks only between clusters (never between a letter and its accent).
TEST(TrpDrawTextWrapping, ShapedTextIsMeasuredAsDrawnAndBreaksBetweenClusters) {
    QMutexLocker lock(&TrpDrawText::lock());
    TrpDrawText& text = measure({QStringLiteral("x")}, 200);
    const QFont font = [] {
        QFont f(QStringLiteral("Arial"));
        f.setPixelSize(92);
        f.setHintingPreference(QFont::PreferNoHinting);
        f.setKerning(false);
        f.setStyleStrategy(QFont::PreferOutline);
        return f;
    }();
    // The painter's own advance of the whole string, shaped.
    const auto drawnWidth = [&font](const QString& line) {
        return QFontMetricsF(font).horizontalAdvance(line);
    };
    struct Case {
        const char* what;
        QString text;
    } const cases[] = {
        {"joined Arabic", QStringLiteral("برغر لحم")},
        {"a soft hyphen takes no room", QStringLiteral("Schnitzel\u00ADteller")},
        {"decomposed accents", QStringLiteral("Jalapen\u0303o")},
        {"a fallback face", QStringLiteral("宫保鸡丁")},
        {"Thai marks", QStringLiteral("ข้าวผัด")},
    };
    for (const Case& c : cases) {
        EXPECT_NEAR(text.textWidth600(c.text), drawnWidth(c.text), 0.02) << c.what;
    }

    // A long word of accented letters typed as letter + mark, in a memo that holds about four letters: no
    // line begins with a mark.
    const QString word = QStringLiteral("e\u0301").repeated(12);
    measure({word}, 30);
    ASSERT_GT(text.lines().size(), 1);
    QString joined;
    for (const TrpTextLine& line : text.lines()) {
        EXPECT_NE(line.text.front().category(), QChar::Mark_NonSpacing) << line.text.toStdString();
        joined += line.text;
        EXPECT_NEAR(line.width600, drawnWidth(line.text), 0.02);
    }
    EXPECT_EQ(joined, word);
    // In a memo narrower than one letter, each letter stands alone with its accent (the wrapping ends
    // such a paragraph with an empty line, as it does for plain letters).
    measure({word.left(6)}, 3);
    QStringList letters;
    for (const TrpTextLine& line : text.lines()) {
        if (!line.text.isEmpty()) {
            letters.append(line.text);
        }
    }
    EXPECT_EQ(letters, QStringList(3, QStringLiteral("e\u0301")));
}

// Characters no installed font has are told once each, and only until they are taken.
TEST(TrpDrawTextWrapping, CharactersNoFontHasAreCollected) {
    QMutexLocker lock(&TrpDrawText::lock());
    TrpDrawText& text = TrpDrawText::instance();
    text.takeMissingCharacters();
    measure({QStringLiteral("Plain"), QStringLiteral("a\uE000b\uE000"), QStringLiteral("\U000F0001 \u200D")},
            200);
    EXPECT_EQ(text.takeMissingCharacters(), (QList<char32_t>{0xE000, 0xF0001}));
    EXPECT_TRUE(text.takeMissingCharacters().isEmpty());
}

TEST(TrpDrawTextDrawing, DrawsTheSameLinesAtAnyResolution) {
    QMutexLocker lock(&TrpDrawText::lock());
    const TrpDrawText& text = measure({QStringLiteral("Order #42")}, 200);
    // At 96, 203 and 600 dpi the ink starts and ends at the same report positions.
    QList<QPair<double, double>> extents;
    for (const double dpi : {600.0, 203.0, 96.0}) {
        const double scale = dpi / 96.0;
        QImage image(static_cast<int>(210 * scale), static_cast<int>(20 * scale), QImage::Format_ARGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        text.drawText(painter, scale, scale, QPointF(0, 0));
        painter.end();
        int minX = image.width();
        int maxX = -1;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                if (qGray(image.pixel(x, y)) < 128) {
                    minX = std::min(minX, x);
                    maxX = std::max(maxX, x);
                }
            }
        }
        ASSERT_GE(maxX, 0) << dpi;
        extents.append({minX / scale, (maxX + 1) / scale});
        EXPECT_NEAR(extents.back().first, extents.front().first, 1.0) << dpi;
        EXPECT_NEAR(extents.back().second, extents.front().second, 1.0) << dpi;
    }
    // The text starts at the text rectangle's left edge (2) and its ink ends within its advance width.
    EXPECT_NEAR(extents.front().first, 2.0, 1.5);
    EXPECT_LE(extents.front().second, 2.0 + text.calcWidth() + 0.5);
}

} // namespace
