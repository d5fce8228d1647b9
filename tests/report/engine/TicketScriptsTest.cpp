// Every script on paper as on screen: a kitchen ticket whose second-language name and remark are in one
// script, printed to PDF, read back by poppler and by Ghostscript (the default print filter chain) and
// compared with the engine's own 203-dpi raster of the same ticket; the text read out of the PDF is the
// text typed, and every font is embedded.
#include "EngineTestSupport.h"
#include "TrpDrawText.h"
#include "TrpPageRenderer.h"

#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

using EngineTest::kitchenData;
using EngineTest::prepare;

QByteArray shippedKitchenTemplate() {
    QFile file(qEnvironmentVariable("VELORIA_SOURCE_DIR") +
               QStringLiteral("/templates/rep_KitchenOrder.xml"));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << "the shipped kitchen template is missing";
    return file.readAll();
}

QString run(const QString& program, const QStringList& args) {
    QProcess process;
    process.start(program, args);
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0) {
        ADD_FAILURE() << program.toStdString() << " failed: " << process.readAllStandardError().toStdString();
    }
    return QString::fromUtf8(process.readAllStandardOutput() + process.readAllStandardError());
}

QByteArray jsonString(QString text) {
    text.replace(u'\\', QStringLiteral("\\\\")).replace(u'"', QStringLiteral("\\\""));
    return '"' + text.toUtf8() + '"';
}

// One item whose second name and remark are `text`.
QByteArray itemsWith(const QString& text) {
    return "[{\"QTY\": 2, \"Displayed_Name_PL\": \"Dish of the day\", \"Displayed_Name_SL\": " +
           jsonString(text) + ", \"Remarks\": " + jsonString(text) + "}]";
}

struct Comparison {
    qint64 ink = 0; // dark pixels of the engine's raster
    int worst = 0;  // the most clearly differing pixels in one block
};

// Compared block by block: two rasterisers differ at a few edge pixels of every glyph, and the raster
// engine puts each baseline on a whole pixel where a PDF reader keeps the exact place, so a pixel counts as
// differing only when no pixel within one of its place in the preview has its shade. A box for a glyph, a
// reversed word, a mark on the wrong letter or a glyph from another face still changes many pixels in one
// place. Pictures may differ by a pixel in size (rounding of the paper); the common part counts.
constexpr int Block = 12;
constexpr int Tolerance = 16;

Comparison compare(const QImage& readBack, const QImage& drawn) {
    const QImage a = readBack.convertToFormat(QImage::Format_Grayscale8);
    const QImage e = drawn.convertToFormat(QImage::Format_Grayscale8);
    const int width = std::min(a.width(), e.width());
    const int height = std::min(a.height(), e.height());
    const auto matchesNear = [&](int x, int y) {
        const int shade = a.constScanLine(y)[x];
        for (int ny = std::max(0, y - 1); ny <= std::min(height - 1, y + 1); ++ny) {
            for (int nx = std::max(0, x - 1); nx <= std::min(width - 1, x + 1); ++nx) {
                if (std::abs(shade - e.constScanLine(ny)[nx]) <= 128) {
                    return true;
                }
            }
        }
        return false;
    };
    Comparison result;
    for (int by = 0; by < height; by += Block) {
        for (int bx = 0; bx < width; bx += Block) {
            int differing = 0;
            for (int y = by; y < std::min(by + Block, height); ++y) {
                for (int x = bx; x < std::min(bx + Block, width); ++x) {
                    result.ink += e.constScanLine(y)[x] < 128 ? 1 : 0;
                    differing += matchesNear(x, y) ? 0 : 1;
                }
            }
            result.worst = std::max(result.worst, differing);
        }
    }
    return result;
}

// What a reader gives back, without the direction marks poppler adds around right-to-left lines and
// with lines joined as the memo wrapped them.
QString readableText(QString text) {
    static const QRegularExpression marks(QStringLiteral("[\\x{200E}\\x{200F}\\x{202A}-\\x{202E}]"));
    text.remove(marks);
    return text.simplified();
}

// The ticket's PDF, as a print queue receives it, written to `dir`.
QString savePdf(const QTemporaryDir& dir, const QString& name, const TrpPreviewPages& pages) {
    const QString path = dir.filePath(name + QStringLiteral(".pdf"));
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(TrpPageRenderer::pdfDocument(pages, name));
    return path;
}

struct Printed {
    QImage raster;
    QString pdf;
    QList<char32_t> missing;
};

Printed printTicket(const QTemporaryDir& dir, const QString& name, const QString& text) {
    TrpDrawText::instance().takeMissingCharacters();
    const PreparedTicket ticket = prepare(shippedKitchenTemplate(), kitchenData(itemsWith(text)));
    EXPECT_TRUE(ticket.prepared);
    Printed printed;
    printed.missing = TrpDrawText::instance().takeMissingCharacters();
    printed.raster = TrpPageRenderer::renderImage(ticket.pages(), 0, 203);
    printed.pdf = savePdf(dir, name, ticket.pages());
    return printed;
}

QImage popplerPage(const QTemporaryDir& dir, const QString& pdf) {
    const QString out = dir.filePath(QStringLiteral("poppler"));
    run(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QStringLiteral("203"), QStringLiteral("-gray"),
                                     QStringLiteral("-png"), QStringLiteral("-singlefile"), pdf, out});
    return QImage(out + QStringLiteral(".png"));
}

QImage ghostscriptPage(const QTemporaryDir& dir, const QString& pdf) {
    const QString out = dir.filePath(QStringLiteral("gs.png"));
    run(QStringLiteral("gs"),
        {QStringLiteral("-q"), QStringLiteral("-dSAFER"), QStringLiteral("-dBATCH"),
         QStringLiteral("-dNOPAUSE"), QStringLiteral("-sDEVICE=pnggray"), QStringLiteral("-r203"),
         QStringLiteral("-dTextAlphaBits=4"), QStringLiteral("-dGraphicsAlphaBits=4"),
         QStringLiteral("-sOutputFile=") + out, pdf});
    return QImage(out);
}

struct ScriptCase {
    const char* script;
    QString text;
};

class TicketScripts : public testing::TestWithParam<ScriptCase> {};

TEST_P(TicketScripts, PaperShowsWhatThePreviewShowsAndGivesTheTextBack) {
    const ScriptCase& c = GetParam();
    QTemporaryDir dir;
    const Printed printed = printTicket(dir, QStringLiteral("ticket"), c.text);
    ASSERT_FALSE(printed.raster.isNull());

    const QImage poppler = popplerPage(dir, printed.pdf);
    ASSERT_FALSE(poppler.isNull());
    const Comparison byPoppler = compare(poppler, printed.raster);
    ASSERT_GT(byPoppler.ink, 2000);
    EXPECT_LE(byPoppler.worst, Tolerance) << c.script << ": poppler's page differs from the preview's";

    const QImage ghostscript = ghostscriptPage(dir, printed.pdf);
    ASSERT_FALSE(ghostscript.isNull());
    EXPECT_LE(compare(ghostscript, printed.raster).worst, Tolerance)
        << c.script << ": Ghostscript's page differs from the preview's";

    const QString text = readableText(run(QStringLiteral("pdftotext"), {printed.pdf, QStringLiteral("-")}));
    EXPECT_TRUE(text.contains(c.text.simplified())) << c.script << ": " << text.toStdString();

    // Every font is embedded: a printer never substitutes one of its own.
    const QStringList fonts =
        run(QStringLiteral("pdffonts"), {printed.pdf}).split(u'\n', Qt::SkipEmptyParts).mid(2);
    ASSERT_FALSE(fonts.isEmpty());
    for (const QString& font : fonts) {
        EXPECT_TRUE(font.contains(QRegularExpression(QStringLiteral(" yes +yes +yes +\\d+ +0$"))))
            << c.script << ": " << font.toStdString();
    }
    const QString check = run(QStringLiteral("qpdf"), {QStringLiteral("--check"), printed.pdf});
    EXPECT_FALSE(check.contains(QStringLiteral("WARNING"))) << check.toStdString();
    EXPECT_TRUE(printed.missing.isEmpty()) << c.script;
}

INSTANTIATE_TEST_SUITE_P(
    EveryScript, TicketScripts,
    testing::Values(
        ScriptCase{"Latin with diacritics", QStringLiteral("Crème brûlée, jalapeño à la française")},
        ScriptCase{"Polish", QStringLiteral("Żurek, pierś z kurczaka, łosoś")},
        ScriptCase{"Turkish", QStringLiteral("Çiğ köfte, İskender, şiş")},
        ScriptCase{"Vietnamese", QStringLiteral("Phở bò tái, bánh mì, cà phê sữa đá")},
        ScriptCase{"Greek", QStringLiteral("Σουβλάκι χοιρινό")},
        ScriptCase{"Cyrillic", QStringLiteral("Борщ со сметаной")},
        ScriptCase{"Arabic", QStringLiteral("برغر لحم بدون بصل")},
        ScriptCase{"Persian", QStringLiteral("چلو کباب کوبیده")},
        ScriptCase{"Hebrew", QStringLiteral("פלאפל בפיתה")},
        ScriptCase{"Chinese", QStringLiteral("宫保鸡丁")},
        ScriptCase{"Japanese", QStringLiteral("味噌ラーメン")},
        ScriptCase{"Korean", QStringLiteral("김치찌개")}, ScriptCase{"Thai", QStringLiteral("ผัดไทย ข้าวผัด")},
        ScriptCase{"Devanagari", QStringLiteral("दाल मखनी")},
        ScriptCase{"Mixed directions", QStringLiteral("Burger برغر")},
        ScriptCase{"Decomposed accents", QStringLiteral("Jalapen\u0303o Cafe\u0301")},
        ScriptCase{"Soft hyphen and joiners", QStringLiteral("Schnitzel\u00ADteller \u200D\uFE0F")},
        ScriptCase{"Emoji", QStringLiteral("Chili \U0001F336 \U0001F600")}),
    [](const testing::TestParamInfo<ScriptCase>& info) {
        std::string name;
        for (const char c : std::string(info.param.script)) {
            if (std::isalnum(static_cast<unsigned char>(c))) {
                name += c;
            }
        }
        return name;
    });

// A character that no installed font has prints as the same one box on paper as in the preview, and the
// measuring tells which character it was, so that the operation log can name it.
TEST(TicketScripts, ACharacterNoFontHasIsOneBoxOnPaperAndNamed) {
    QTemporaryDir dir;
    const Printed printed = printTicket(dir, QStringLiteral("box"), QStringLiteral("Special \uE000 sauce"));
    EXPECT_EQ(printed.missing, QList<char32_t>{0xE000});
    const Comparison c = compare(popplerPage(dir, printed.pdf), printed.raster);
    EXPECT_LE(c.worst, Tolerance);
}

// The ticket's bold heading lines in a script whose font has no bold face: the platform emboldens the
// outlines, and paper shows the same weight.
TEST(TicketScripts, BoldLinesFromAFaceWithoutBoldMatchThePreview) {
    const QByteArray master = R"({"Master_ID": 7, "Order_Seq": 42, "Order_Kind_Desc": "堂食 Dine in",
        "Open_DateTime": "2020-12-25T19:05:00", "Waiter_Name": "김민준", "Order_Upper_Line": "大厅",
        "Order_Downer_Line": "ไทย", "Master_Remarks": null})";
    QTemporaryDir dir;
    const PreparedTicket ticket = prepare(shippedKitchenTemplate(), kitchenData(itemsWith("Rice"), master));
    ASSERT_TRUE(ticket.prepared);
    const QString pdf = savePdf(dir, QStringLiteral("bold"), ticket.pages());
    const QImage raster = TrpPageRenderer::renderImage(ticket.pages(), 0, 203);
    EXPECT_LE(compare(popplerPage(dir, pdf), raster).worst, Tolerance);
    EXPECT_LE(compare(ghostscriptPage(dir, pdf), raster).worst, Tolerance);

    // Only the emboldened face is stroked; the real bold face after it on the same line is filled only.
    QStringList stroked;
    bool stroking = false;
    for (const QString& line : run(QStringLiteral("mutool"), {QStringLiteral("draw"), QStringLiteral("-F"),
                                                              QStringLiteral("trace"), pdf})
                                   .split(u'\n')) {
        if (line.contains(QStringLiteral("<stroke_text")) || line.contains(QStringLiteral("<fill_text"))) {
            stroking = line.contains(QStringLiteral("<stroke_text"));
        } else if (stroking && line.contains(QStringLiteral("<span font="))) {
            stroked.append(line.section(u'"', 1, 1));
        }
    }
    ASSERT_FALSE(stroked.isEmpty());
    for (const QString& font : std::as_const(stroked)) {
        EXPECT_TRUE(font.contains(QStringLiteral("WenQuanYi"))) << font.toStdString();
    }
}

// The demo's own second-language names, as the seeded database holds them, print as the preview draws them.
TEST(TicketScripts, TheDemoNamesPrintAsThePreviewShowsThem) {
    QFile seed(qEnvironmentVariable("VELORIA_SOURCE_DIR") + QStringLiteral("/data/schema/demo-seed.sql"));
    ASSERT_TRUE(seed.open(QIODevice::ReadOnly));
    static const QRegularExpression row(QStringLiteral("\\(1, 1, 1, '([^']*)', '([^']*)', \\d+\\)"));
    QByteArray items = "[";
    QStringList second;
    for (const QRegularExpressionMatch& m : row.globalMatch(QString::fromUtf8(seed.readAll()))) {
        items += (second.isEmpty() ? "" : ",") + QByteArray("{\"QTY\": 1, \"Displayed_Name_PL\": ") +
                 jsonString(m.captured(1)) + ", \"Displayed_Name_SL\": " + jsonString(m.captured(2)) +
                 ", \"Remarks\": null}";
        second.append(m.captured(2));
    }
    items += "]";
    ASSERT_GE(second.size(), 5);

    QTemporaryDir dir;
    const PreparedTicket ticket = prepare(shippedKitchenTemplate(), kitchenData(items));
    ASSERT_TRUE(ticket.prepared);
    const QString pdf = savePdf(dir, QStringLiteral("demo"), ticket.pages());
    EXPECT_LE(compare(popplerPage(dir, pdf), TrpPageRenderer::renderImage(ticket.pages(), 0, 203)).worst,
              Tolerance);
    const QString text = readableText(run(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")}));
    for (const QString& name : std::as_const(second)) {
        EXPECT_TRUE(text.contains(name)) << name.toStdString() << " in " << text.toStdString();
    }
}

} // namespace
