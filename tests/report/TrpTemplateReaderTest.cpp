#include "ReportTestSupport.h"
#include "TrpDataPage.h"
#include "TrpLineView.h"
#include "TrpMasterData.h"
#include "TrpMemoView.h"
#include "TrpPictureView.h"
#include "TrpReportPage.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <functional>
#include <gtest/gtest.h>

using ReportTest::document;
using ReportTest::load;
using ReportTest::pageWithBand;

namespace {

TrpMemoView* memo(const TrpReport& report, const char* name = "M1") {
    return dynamic_cast<TrpMemoView*>(report.FindObject(QString::fromLatin1(name)));
}

TrpReportPage* page(const TrpReport& report) {
    return dynamic_cast<TrpReportPage*>(report.FindObject("Page1"));
}

// ---------------------------------------------------------------------------------------------------------
// The edge cases of the format and the object model, one row each: the document and what it must give.
struct EdgeCase {
    const char* name;
    QByteArray data;
    std::function<void(const TrpReport&)> check;
};

QByteArray oldStyle(const QByteArray& fontName, const QByteArray& text) {
    return QByteArray("<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n<TrpReport>") +
           pageWithBand("<TrpMemoView Name=\"M1\" Font.Name=\"" + fontName + "\" Text=\"" + text + "\"/>") +
           "</TrpReport>";
}

std::vector<EdgeCase> edgeCases() {
    return {
        // Either separator reads the same number; spaces inside it are ignored.
        {"DecimalComma", document(pageWithBand("<TrpMemoView Name=\"M1\" Left=\"45,35436\"/>")),
         [](const TrpReport& r) {
             EXPECT_DOUBLE_EQ(memo(r)->Left(), 45.35436);
         }},
        {"DecimalPoint", document(pageWithBand("<TrpMemoView Name=\"M1\" Left=\"45.35436\"/>")),
         [](const TrpReport& r) {
             EXPECT_DOUBLE_EQ(memo(r)->Left(), 45.35436);
         }},
        {"FloatWithSpaces", document(pageWithBand("<TrpMemoView Name=\"M1\" Width=\" 1 000,5 \"/>")),
         [](const TrpReport& r) {
             EXPECT_DOUBLE_EQ(memo(r)->Width(), 1000.5);
         }},
        // An enumeration by member name (any letter case) or by its ordinal.
        {"EnumByName", document(pageWithBand("<TrpMemoView Name=\"M1\" HAlign=\"haCenter\"/>")),
         [](const TrpReport& r) {
             EXPECT_EQ(memo(r)->HAlign(), TrpHAlign::haCenter);
         }},
        {"EnumByNumber", document(pageWithBand("<TrpMemoView Name=\"M1\" HAlign=\"2\"/>")),
         [](const TrpReport& r) {
             EXPECT_EQ(memo(r)->HAlign(), TrpHAlign::haCenter);
         }},
        {"EnumOtherCase", document(pageWithBand("<TrpMemoView Name=\"M1\" halign=\"HACENTER\"/>")),
         [](const TrpReport& r) {
             EXPECT_EQ(memo(r)->HAlign(), TrpHAlign::haCenter);
         }},
        // An unknown member name is no error and leaves the property as it was.
        {"EnumUnknownName", document(pageWithBand("<TrpMemoView Name=\"M1\" HAlign=\"haMiddle\"/>")),
         [](const TrpReport& r) {
             EXPECT_EQ(memo(r)->HAlign(), TrpHAlign::haLeft);
             EXPECT_TRUE(r.Errors().isEmpty());
         }},
        {"BooleanAsNumber",
         document(pageWithBand("<TrpMemoView Name=\"M1\" WordWrap=\"0\" Clipped=\"false\"/>")),
         [](const TrpReport& r) {
             EXPECT_FALSE(memo(r)->WordWrap());
             EXPECT_FALSE(memo(r)->Clipped());
         }},
        // Encoded CR LF in Text: two words give two lines, a final break no empty line, two LF three lines.
        {"TextTwoLines", document(pageWithBand("<TrpMemoView Name=\"M1\" Text=\"Hot&#13;&#10;Soup\"/>")),
         [](const TrpReport& r) {
             EXPECT_EQ(memo(r)->Memo(), (QStringList{"Hot", "Soup"}));
         }},
        {"TextFinalBreak", document(pageWithBand("<TrpMemoView Name=\"M1\" Text=\"Hot&#13;&#10;\"/>")),
         [](const TrpReport& r) {
             EXPECT_EQ(memo(r)->Memo(), (QStringList{"Hot"}));
         }},
        {"TextTwoLineFeeds", document(pageWithBand("<TrpMemoView Name=\"M1\" Text=\"Hot&#10;&#10;Soup\"/>")),
         [](const TrpReport& r) {
             EXPECT_EQ(memo(r)->Memo(), (QStringList{"Hot", "", "Soup"}));
         }},
        {"TextOtherBreaks",
         document(pageWithBand("<TrpMemoView Name=\"M1\" Text=\"a&#13;b&#0;c&#8232;d\"/>")),
         [](const TrpReport& r) {
             EXPECT_EQ(memo(r)->Memo(), (QStringList{"a", "b", "c", "d"}));
         }},
        // Without standalone= the attribute texts are ANSI; memo texts stay UTF-8.
        {"OldStyleDeclaration",
         oldStyle("Ar\xE9"
                  "al",
                  "Caf\xC3\xA9"),
         [](const TrpReport& r) {
             EXPECT_EQ(memo(r)->Font().Name, QString::fromUtf8("Aréal"));
             EXPECT_EQ(memo(r)->Memo(), QStringList{QString::fromUtf8("Café")});
         }},
        {"OldStyleEuroSign", oldStyle("\x80", "x"),
         [](const TrpReport& r) {
             EXPECT_EQ(memo(r)->Font().Name, QString::fromUtf8("€"));
         }},
        {"Utf8Declaration",
         document(pageWithBand("<TrpMemoView Name=\"M1\" Font.Name=\"Ar\xC3\xA9"
                               "al\" Text=\"Caf\xC3\xA9\"/>")),
         [](const TrpReport& r) {
             EXPECT_EQ(memo(r)->Font().Name, QString::fromUtf8("Aréal"));
         }},
        // Paper: explicit dimensions make the size user-defined; a non-standard code keeps them; a
        // standard code replaces them.
        {"PaperNonStandardCode",
         document("<TrpReportPage Name=\"Page1\" PaperWidth=\"72\" PaperHeight=\"3276\" PaperSize=\"184\"/>"),
         [](const TrpReport& r) {
             EXPECT_DOUBLE_EQ(page(r)->PaperWidth(), 72);
             EXPECT_DOUBLE_EQ(page(r)->PaperHeight(), 3276);
             EXPECT_EQ(page(r)->PaperSize(), 184);
         }},
        {"PaperStandardCodeAfterDimensions",
         document("<TrpReportPage Name=\"Page1\" PaperWidth=\"72\" PaperHeight=\"3276\" PaperSize=\"9\"/>"),
         [](const TrpReport& r) {
             EXPECT_DOUBLE_EQ(page(r)->PaperWidth(), 210);
             EXPECT_DOUBLE_EQ(page(r)->PaperHeight(), 297);
             EXPECT_EQ(page(r)->PaperSize(), 9);
         }},
        {"PaperDimensionsOnly", document("<TrpReportPage Name=\"Page1\" PaperWidth=\"72\"/>"),
         [](const TrpReport& r) {
             EXPECT_EQ(page(r)->PaperSize(), 256);
             EXPECT_DOUBLE_EQ(page(r)->Width(), 272); // 72 x 3.77953 = 272.126 px
         }},
        {"LandscapeStandardCode",
         document("<TrpReportPage Name=\"Page1\" Orientation=\"poLandscape\" PaperSize=\"11\"/>"),
         [](const TrpReport& r) {
             EXPECT_DOUBLE_EQ(page(r)->PaperWidth(), 210);
             EXPECT_DOUBLE_EQ(page(r)->PaperHeight(), 148);
         }},
        // Set members by bit: 12 is top and bottom, 8 bottom only; font style 1 is bold.
        {"FrameTopAndBottom", document(pageWithBand("<TrpLineView Name=\"L1\" Frame.Typ=\"12\"/>")),
         [](const TrpReport& r) {
             const auto* line = dynamic_cast<TrpLineView*>(r.FindObject("L1"));
             EXPECT_TRUE(line->Frame().hasSide(TrpFrameTyp::ftTop));
             EXPECT_TRUE(line->Frame().hasSide(TrpFrameTyp::ftBottom));
             EXPECT_FALSE(line->Frame().hasSide(TrpFrameTyp::ftLeft));
         }},
        {"FontStyleBoldBottomLine",
         document(pageWithBand("<TrpMemoView Name=\"M1\" Font.Style=\"1\" Frame.Typ=\"8\"/>")),
         [](const TrpReport& r) {
             EXPECT_EQ(memo(r)->Font().Style, TrpFontStyle::fsBold);
             EXPECT_EQ(memo(r)->Frame().Typ(), TrpFrameTyp::ftBottom);
             EXPECT_FALSE(memo(r)->ParentFont()); // a font part makes the font the memo's own
         }},
        // Character references in every string value; any other "&" stays.
        {"CharacterReferences",
         document(pageWithBand(
             "<TrpMemoView Name=\"M1\" DataField=\"&quot;a&amp;b&lt;c&gt;&#65;&#x42;&foo;&#67\"/>")),
         [](const TrpReport& r) {
             EXPECT_EQ(memo(r)->DataField(), QString("\"a&b<c>A&#x42;&foo;&#67"));
         }},
        {"ReferenceToNoCharacter",
         document(pageWithBand("<TrpMemoView Name=\"M1\" DataField=\"&#55296;&#9999999;\"/>")),
         [](const TrpReport& r) {
             EXPECT_EQ(memo(r)->DataField(), QString("&#55296;&#9999999;"));
         }},
        // A closing tag in other letter case closes the element.
        {"ClosingTagOtherCase",
         document(
             "<TrpReportPage Name=\"Page1\"><trpmasterdata Name=\"B1\"></TRPMASTERDATA></trpReportPage>"),
         [](const TrpReport& r) {
             EXPECT_NE(r.FindObject("B1"), nullptr);
         }},
        // Comments are skipped wherever a tag could begin, also holding "<" and ">".
        {"Comments", document("<!-- a <b> --><TrpReportPage Name=\"Page1\"><!--x--></TrpReportPage>"),
         [](const TrpReport& r) {
             EXPECT_NE(page(r), nullptr);
             EXPECT_TRUE(r.Errors().isEmpty());
         }},
        // A byte order mark (or any text) before the declaration is skipped.
        {"ByteOrderMark", "\xEF\xBB\xBF" + document("<TrpReportPage Name=\"Page1\"/>"),
         [](const TrpReport& r) {
             EXPECT_NE(page(r), nullptr);
         }},
        // A missing final closing tag is accepted.
        {"UnclosedRoot",
         QByteArray(ReportTest::Declaration) +
             "<TrpReport><TrpReportPage Name=\"Page1\"><TrpMasterData Name=\"B1\">",
         [](const TrpReport& r) {
             EXPECT_NE(r.FindObject("B1"), nullptr);
             EXPECT_TRUE(r.Errors().isEmpty());
         }},
        // Only spaces separate attributes: after a line break the name matches nothing; line breaks stay
        // part of the tag.
        {"LineBreakInTag", document(pageWithBand("<TrpMemoView Name=\"M1\"\r\nLeft=\"5\" Top=\"7\"/>")),
         [](const TrpReport& r) {
             EXPECT_DOUBLE_EQ(memo(r)->Left(), 0);
             EXPECT_DOUBLE_EQ(memo(r)->Top(), 7);
         }},
        // An attribute that names no property is skipped without an error; so is one of a read-only path.
        {"UnknownAttribute",
         document(pageWithBand("<TrpMemoView Name=\"M1\" Colour=\"5\" Font.Size=\"9\" Nope.Left=\"3\"/>")),
         [](const TrpReport& r) {
             EXPECT_NE(memo(r), nullptr);
             EXPECT_DOUBLE_EQ(memo(r)->Left(), 0);
             EXPECT_TRUE(r.Errors().isEmpty());
         }},
        // The second element with a name updates the first object, which stays in its band.
        {"DuplicateNameUpdates",
         document(
             "<TrpReportPage Name=\"Page1\"><TrpPageHeader Name=\"H\"><TrpMemoView Name=\"M1\" Left=\"1\"/>"
             "</TrpPageHeader><TrpMasterData Name=\"B\"><TrpMemoView Name=\"m1\" Top=\"9\"/></TrpMasterData>"
             "</TrpReportPage>"),
         [](const TrpReport& r) {
             EXPECT_EQ(memo(r)->Parent()->Name(), QString("H"));
             EXPECT_DOUBLE_EQ(memo(r)->Left(), 1);
             EXPECT_DOUBLE_EQ(memo(r)->Top(), 9);
             EXPECT_TRUE(r.FindObject("B")->Objects().empty());
         }},
        // Script text as a list of strings.
        {"ScriptText", document("", "ScriptText.Text=\"begin&#13;&#10;  x;&#13;&#10;end.\""),
         [](const TrpReport& r) {
             EXPECT_EQ(r.ScriptText(), (QStringList{"begin", "  x;", "end."}));
         }},
        // The root's Name is ignored; the root's option paths apply.
        {"RootAttributes",
         document("", "Name=\"Other\" PrintOptions.Printer=\"Kitchen\" PrintOptions.Copies=\"2\""),
         [](const TrpReport& r) {
             EXPECT_TRUE(r.Name().isEmpty());
             EXPECT_EQ(r.PrintOptions().Printer, QString("Kitchen"));
             EXPECT_EQ(r.PrintOptions().Copies, 2);
         }},
        // Several formats as a nested collection; a single one as DisplayFormat attributes.
        {"FormatsCollection",
         document(pageWithBand(
             "<TrpMemoView Name=\"M1\"><Formats><item/><x FormatStr=\"HH:mm\" Kind=\"fkDateTime\"/>"
             "</Formats></TrpMemoView>")),
         [](const TrpReport& r) {
             ASSERT_EQ(memo(r)->Formats().size(), 2u);
             EXPECT_EQ(memo(r)->Formats()[1]->Kind, TrpFormatKind::fkDateTime);
             EXPECT_EQ(memo(r)->Formats()[1]->FormatStr, QString("HH:mm"));
         }},
        {"DisplayFormat",
         document(pageWithBand("<TrpMemoView Name=\"M1\" DisplayFormat.Kind=\"fkDateTime\"/>")),
         [](const TrpReport& r) {
             ASSERT_EQ(memo(r)->Formats().size(), 1u);
             EXPECT_EQ(memo(r)->Formats()[0]->Kind, TrpFormatKind::fkDateTime);
         }},
        // A memo's frame side values follow the frame unless written for the side.
        {"FrameSides",
         document(pageWithBand("<TrpMemoView Name=\"M1\" Frame.Width=\"2\" Frame.TopLine.Width=\"3\"/>")),
         [](const TrpReport& r) {
             EXPECT_DOUBLE_EQ(memo(r)->Frame().leftLine().Width, 2);
             EXPECT_DOUBLE_EQ(memo(r)->Frame().topLine().Width, 3);
         }},
        // Text between elements and after the root is ignored.
        {"TextBetweenElements",
         document("stray text <TrpReportPage Name=\"Page1\"/> more") + "trailing <junk",
         [](const TrpReport& r) {
             EXPECT_NE(page(r), nullptr);
             EXPECT_TRUE(r.Errors().isEmpty());
         }},
        // Rotation is stored modulo 360.
        {"Rotation", document(pageWithBand("<TrpMemoView Name=\"M1\" Rotation=\"-90\"/>")),
         [](const TrpReport& r) {
             EXPECT_EQ(memo(r)->Rotation(), 270);
         }},
    };
}

class EdgeCaseTest : public ::testing::TestWithParam<EdgeCase> {};

TEST_P(EdgeCaseTest, ReadsAsTheFormatSays) {
    const auto report = load(GetParam().data);
    GetParam().check(*report);
}

INSTANTIATE_TEST_SUITE_P(TemplateReader, EdgeCaseTest, ::testing::ValuesIn(edgeCases()),
                         [](const ::testing::TestParamInfo<EdgeCase>& info) {
                             return std::string(info.param.name);
                         });

// ---------------------------------------------------------------------------------------------------------
// Each rejection rule with its tiny document and the exact error lines it gives.
struct ErrorCase {
    const char* name;
    QByteArray data;
    QStringList lines;
    bool objectsRead; // whether the page of the document was read
};

std::vector<ErrorCase> errorCases() {
    const QByteArray decl = ReportTest::Declaration;
    const QStringList invalid{"Invalid file format"};
    return {
        {"LessThanInsideTag", document("<TrpReportPage Name=\"Page1\" Left=\"<\"/>"), invalid, false},
        {"TruncatedInsideTag", decl + "<TrpReport><TrpReportPage Name=\"Page1\"/><TrpMasterData Name=\"B",
         invalid, false},
        {"TruncatedComment", decl + "<TrpReport><TrpReportPage Name=\"Page1\"/><!-- no end", invalid, false},
        {"MissingDeclaration", "<TrpReport><TrpReportPage Name=\"Page1\"/></TrpReport>", invalid, false},
        {"WrongClosingName", document("<TrpReportPage Name=\"Page1\"></TrpReportPages>"), invalid, false},
        {"StrayClosingTag", document("<TrpReportPage Name=\"Page1\"/></TrpReportPage>"), invalid, false},
        {"EmptyInput", QByteArray(), invalid, false},
        {"UnknownClassInBand",
         document(
             pageWithBand("<TrpMemoView Name=\"M1\"/><TrpChartView Name=\"C1\"><TrpMemoView Name=\"Inner\"/>"
                          "</TrpChartView>")),
         {"Cannot find class TrpChartView"},
         true},
        {"UnknownRootClass",
         decl + "<TrpPrintout><TrpReportPage Name=\"Page1\"/></TrpPrintout>",
         {"Cannot find class TrpPrintout"},
         false},
        {"TreeClassAsRoot", decl + "<TrpMemoView Name=\"M1\"/>", invalid, false},
        {"ReportNestedInTree",
         document("<TrpReportPage Name=\"Page1\"><TrpReport/></TrpReportPage>"),
         {"Cannot find class TrpReport"},
         true},
        {"TabInsideTag",
         document("<TrpReportPage Name=\"Page1\"/><TrpMemoView\tName=\"M1\"/>"),
         {"Cannot find class TrpMemoView\tName=\"M1\""},
         true},
        {"UnconvertibleNumbers",
         document(pageWithBand("<TrpMemoView Name=\"M1\" Left=\"12px\" Font.Height=\"-1x\" Frame.Typ=\"4.0\" "
                               "Rotation=\"99999999999\"/>")),
         {"'-1x' is not a valid integer value", "'12px' is not a valid floating point value",
          "'4.0' is not a valid integer value", "'99999999999' is not a valid integer value"},
         true},
        {"DuplicateRename",
         document(pageWithBand("<TrpMemoView Name=\"M1\"/><TrpMemoView Name=\"M2\" Name=\"m1\"/>")),
         {"prDupl"},
         true},
        {"MalformedPropData",
         document(pageWithBand("<TrpPictureView Name=\"P1\" Picture.PropData=\"0444617461XZ\"/>")),
         {"P1: Invalid picture data"},
         true},
        {"PropDataNotARecord",
         document(pageWithBand("<TrpPictureView Name=\"P1\" Picture.PropData=\"0102\"/>")),
         {"P1: Invalid picture data"},
         true},
        {"PropDataLengthBeyondData",
         document(pageWithBand("<TrpPictureView Name=\"P1\" Picture.PropData=\"04446174610AFF000000\"/>")),
         {"P1: Invalid picture data"},
         true},
        // The picture record is well formed but the PNG bytes are not an image.
        {"PngThatDoesNotDecode",
         document(pageWithBand(
             "<TrpPictureView Name=\"P1\" Picture.PropData=\"04446174610A0D0000000A54504E474F626A656374"
             "0102\"/>")),
         {"P1: Picture cannot be decoded"},
         true},
        // Lines are sorted and each is held once.
        {"SortedUnique",
         document(
             pageWithBand("<TrpZeta Name=\"Z\"/><TrpAlpha Name=\"A\"/><TrpZeta Name=\"Z2\"/><TrpMemoView "
                          "Name=\"M1\" Left=\"x\"/>")),
         {"'x' is not a valid floating point value", "Cannot find class TrpAlpha",
          "Cannot find class TrpZeta"},
         true},
    };
}

class ErrorLineTest : public ::testing::TestWithParam<ErrorCase> {};

TEST_P(ErrorLineTest, GivesTheExactLines) {
    const auto report = load(GetParam().data);
    EXPECT_EQ(report->Errors(), GetParam().lines);
    EXPECT_EQ(report->FindObject("Page1") != nullptr, GetParam().objectsRead);
    // The data page is there in every case, as the report's first child.
    ASSERT_FALSE(report->Objects().empty());
    EXPECT_NE(dynamic_cast<TrpDataPage*>(report->Objects().front().get()), nullptr);
}

INSTANTIATE_TEST_SUITE_P(TemplateReader, ErrorLineTest, ::testing::ValuesIn(errorCases()),
                         [](const ::testing::TestParamInfo<ErrorCase>& info) {
                             return std::string(info.param.name);
                         });

// ---------------------------------------------------------------------------------------------------------

TEST(TemplateReader, UnknownClassSkipsOnlyItsElement) {
    const auto report = load(document(pageWithBand(
        "<TrpMemoView Name=\"M1\"/><TrpChartView Name=\"C1\"><TrpMemoView Name=\"Inner\"/></TrpChartView>"
        "<TrpMemoView Name=\"M2\" Left=\"4\"/>")));
    EXPECT_EQ(report->FindObject("Inner"), nullptr);
    ASSERT_NE(memo(*report, "M2"), nullptr);
    EXPECT_DOUBLE_EQ(memo(*report, "M2")->Left(), 4);
}

TEST(TemplateReader, FailedRenameKeepsTheName) {
    const auto report =
        load(document(pageWithBand("<TrpMemoView Name=\"M1\"/><TrpMemoView Name=\"M2\" Name=\"M1\"/>")));
    EXPECT_NE(memo(*report, "M2"), nullptr);
    EXPECT_EQ(report->FindObject("MasterData1")->Objects().size(), 2u);
}

// Names are looked up by key while reading; a name given up by a rename is free again, and a later
// element with a name in other letter case updates the object that has it.
TEST(TemplateReader, RenamedObjectsFreeTheirNameAndCaseFoldedNamesMeetAgain) {
    const auto report = load(document(pageWithBand("<TrpMemoView Name=\"A\" Name=\"B\"/>"
                                                   "<TrpMemoView Name=\"a\" Left=\"4\"/>"
                                                   "<TrpMemoView Name=\"b\" Top=\"7\"/>")));
    EXPECT_TRUE(report->Errors().isEmpty());
    ASSERT_EQ(report->FindObject("MasterData1")->Objects().size(), 2u);
    ASSERT_NE(memo(*report, "a"), nullptr);
    EXPECT_DOUBLE_EQ(memo(*report, "a")->Left(), 4);
    ASSERT_NE(memo(*report, "B"), nullptr);
    EXPECT_EQ(memo(*report, "B")->Name(), QStringLiteral("b")) << "the later element renames it";
    EXPECT_DOUBLE_EQ(memo(*report, "B")->Top(), 7);
}

TEST(TemplateReader, UnconvertibleValueKeepsThePropertyAndGoesOn) {
    const auto report =
        load(document(pageWithBand("<TrpMemoView Name=\"M1\" Left=\"3\" Left=\"x\" Top=\"4\"/>")));
    EXPECT_DOUBLE_EQ(memo(*report)->Left(), 3);
    EXPECT_DOUBLE_EQ(memo(*report)->Top(), 4);
}

TEST(TemplateReader, HugeAttributeValueIsKept) {
    const QByteArray big(2 * 1024 * 1024, 'x');
    const auto report = load(document(pageWithBand("<TrpMemoView Name=\"M1\" Text=\"" + big + "\"/>")));
    ASSERT_EQ(memo(*report)->Memo().size(), 1);
    EXPECT_EQ(memo(*report)->Memo().first().size(), big.size());
}

TEST(TemplateReader, DeepNestingIsAFormatErrorNotACrash) {
    QByteArray body;
    for (int i = 0; i < 100000; ++i) {
        body += "<TrpMemoView>";
    }
    const auto report = load(document(body));
    EXPECT_EQ(report->Errors(), QStringList{"Invalid file format"});
}

TEST(TemplateReader, PictureRecordCarriesThePng) {
    QImage image(7, 3, QImage::Format_ARGB32);
    image.fill(Qt::red);
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    TrpPicture picture;
    picture.setImageData(TrpPicture::PngClassName, buffer.data());
    const QByteArray hex = picture.PropData().toHex().toUpper();

    const auto report =
        load(document(pageWithBand("<TrpPictureView Name=\"P1\" Picture.PropData=\"" + hex + "\"/>")));
    const auto* view = dynamic_cast<TrpPictureView*>(report->FindObject("P1"));
    ASSERT_NE(view, nullptr);
    EXPECT_TRUE(report->Errors().isEmpty());
    EXPECT_EQ(view->Picture().graphicClass(), QString("TPNGObject"));
    EXPECT_EQ(view->Picture().bytes(), buffer.data());
    EXPECT_EQ(view->Picture().image().size(), QSize(7, 3));
}

TEST(TemplateReader, PropDataNameIsMatchedWithExactCase) {
    const auto report = load(document(pageWithBand("<TrpPictureView Name=\"P1\" Picture.propdata=\"00\"/>")));
    EXPECT_TRUE(report->Errors().isEmpty());
    EXPECT_TRUE(dynamic_cast<TrpPictureView*>(report->FindObject("P1"))->Picture().isEmpty());
}

TEST(TemplateReader, KitchenTicketFixtureReadsWithoutErrors) {
    const auto report = load(ReportTest::fixture("kitchen_order.xml"));
    EXPECT_TRUE(report->Errors().isEmpty()) << report->Errors().join('\n').toStdString();
    const auto* memo19 = memo(*report, "Memo19");
    ASSERT_NE(memo19, nullptr);
    EXPECT_EQ(memo19->Memo().size(), 5);
    ASSERT_EQ(memo19->Formats().size(), 6u);
    EXPECT_EQ(memo19->Formats()[2]->FormatStr, QString("dd/MM/yyyy hh:mm ampm"));
    EXPECT_EQ(memo19->Font().Height, -15);
    const auto* header = report->FindObject("PageHeader1");
    EXPECT_EQ(header->Font().Height, -13);
    EXPECT_EQ(page(*report)->Font().Height, -11);
    EXPECT_DOUBLE_EQ(page(*report)->BottomMargin(), 7.5);
    EXPECT_TRUE(page(*report)->EndlessHeight());
    EXPECT_EQ(report->PrintOptions().ShowDialog, false);
    // A memo without its own font takes its band's.
    const auto* line = report->FindObject("Line1");
    EXPECT_EQ(line->Font().Height, -11);
}

} // namespace

namespace {

// Inputs the fuzzer once broke the reader with: each must read, write and read again.
TEST(TemplateReader, FuzzRegressionsReadSafely) {
    const QDir dir(ReportTest::fixturePath("fuzz-regressions"));
    const QStringList files = dir.entryList(QDir::Files);
    for (const QString& name : files) {
        if (name.endsWith(".md")) {
            continue;
        }
        QFile file(dir.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << name.toStdString();
        const auto first = load(file.readAll());
        const auto second = load(first->SaveToMemory());
        const auto third = load(second->SaveToMemory());
        EXPECT_EQ(third->SaveToMemory(), second->SaveToMemory()) << name.toStdString();
    }
}

} // namespace
