#include "ReportTestSupport.h"
#include "TrpDBDataset.h"
#include "TrpDataPage.h"
#include "TrpLineView.h"
#include "TrpMasterData.h"
#include "TrpMemoView.h"
#include "TrpPageFooter.h"
#include "TrpPageHeader.h"
#include "TrpPictureView.h"
#include "TrpReportPage.h"
#include "TrpReportSummary.h"

#include <QBuffer>
#include <QImage>
#include <gtest/gtest.h>

namespace {

QByteArray pngBytes() {
    QImage image(5, 4, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return buffer.data();
}

// A template using every class of the tree and many properties away from their defaults.
void buildEveryClass(TrpReport& report, TrpDataSet& orders, TrpDataSet& master) {
    report.SetVersion("2.0");
    report.SetDotMatrixReport(true);
    report.PrintOptions().Printer = "Kitchen \"A\" & <B>";
    report.PrintOptions().ShowDialog = false;
    report.PrintOptions().Copies = 3;
    report.PrintOptions().PageNumbers = "1,3-5";
    report.ReportOptions().Name = "Kitchen ticket";
    report.ReportOptions().Description = QStringList{"first", "second"};
    report.ReportOptions().CreateDate = 44190.6285416667;
    report.ReportOptions().LastChange = 44190.5;
    report.EngineOptions().DoublePass = true;
    report.EngineOptions().ConvertNulls = false;
    report.SetScriptText({"begin", "  // comment", "end."});
    report.AddDataset(&orders);
    report.AddDataset(&master);

    report.Create<TrpDataPage>()->SetName("Data");
    auto* page = report.Create<TrpReportPage>();
    page->SetName("Page1");
    page->SetOrientation(TrpPrintOrientation::poLandscape);
    page->SetPaperWidth(72);
    page->SetPaperHeight(3276);
    page->SetPaperSize(184);
    page->SetLeftMargin(1);
    page->SetTopMargin(30);
    page->SetBottomMargin(7.5);
    page->SetEndlessHeight(true);
    page->SetMirrorMode(TrpMirrorControlMode::mcmRTLContent);
    page->SetBin(2);
    page->SetDuplex(TrpDuplexMode::dmVertical);
    TrpFont pageFont;
    pageFont.Height = -11;
    page->SetFont(pageFont);

    auto* header = page->Create<TrpPageHeader>();
    header->SetName("PageHeader1");
    header->SetTop(18.89765);
    header->SetHeight(113.3859);
    header->SetWidth(264.5671);
    header->SetStretched(true);
    header->SetPrintOnFirstPage(false);
    header->FrameForEditing()->SetTyp(TrpFrameTyp::ftTop | TrpFrameTyp::ftBottom);
    header->FrameForEditing()->SetWidth(2.5);
    header->FrameForEditing()->LeftLine()->Color = 255;
    header->FillForEditing()->BackColor = TrpWhite;

    auto* memo = header->Create<TrpMemoView>();
    memo->SetName("Memo19");
    memo->SetLeft(3.77953);
    memo->SetTop(37.7953);
    memo->SetWidth(257.00804);
    memo->SetHeight(18.89765);
    memo->SetText("Order Kind: [repDS_OrdersMaster.\"Order_Kind_Desc\"]\r\nWaiter: <none> & more\r\n");
    memo->SetStretchMode(TrpStretchMode::smActualHeight);
    memo->SetDataSet(&master);
    memo->SetHAlign(TrpHAlign::haBlock);
    memo->SetVAlign(TrpVAlign::vaCenter);
    memo->SetGapX(3);
    memo->SetLineSpacing(-1.25);
    memo->SetRotation(90);
    memo->SetExpressionDelimiters("<%,%>");
    memo->SetWordWrap(false);
    memo->SetIndexTag(4);
    memo->SetVisibility(TrpVisibility::vsPrint);
    memo->SetAlign(TrpAlign::baWidth);
    memo->SetShiftMode(TrpShiftMode::smWhenOverlapped);
    memo->AddFormat()->Kind = TrpFormatKind::fkText;
    TrpFormat* date = memo->AddFormat();
    date->Kind = TrpFormatKind::fkDateTime;
    date->FormatStr = "dd/MM/yyyy hh:mm ampm";
    TrpFormat* number = memo->AddFormat();
    number->Kind = TrpFormatKind::fkNumeric;
    number->FormatStr = "%2.2f";
    number->DecimalSeparator = ",";
    number->ThousandSeparator = ".";
    TrpFont bold;
    bold.Height = -15;
    bold.Style = TrpFontStyle::fsBold | TrpFontStyle::fsItalic;
    bold.Name = QString::fromUtf8("Łódź Sans");
    bold.Color = 0x123456;
    memo->SetFont(bold);

    auto* data = page->Create<TrpMasterData>();
    data->SetName("MasterData1");
    data->SetTop(192.75603);
    data->SetHeight(45.35436);
    data->SetDataSet(&orders);
    data->SetRowCount(2);
    data->SetFilter("x > 1");
    auto* item = data->Create<TrpMemoView>();
    item->SetName("repDS_KitchenOrdersItem_Name");
    item->SetDataSet(&orders);
    item->SetDataField("Displayed_Name_PL");
    item->SetText("[repDS_KitchenOrders.\"Displayed_Name_PL\"]");
    item->SetCanShrink(true);
    item->DisplayFormat()->Kind = TrpFormatKind::fkNumeric;
    auto* line = data->Create<TrpLineView>();
    line->SetName("Line1");
    line->SetTop(45.35436);
    line->SetWidth(264.5671);
    line->SetColor(TrpBlack);
    line->FrameForEditing()->SetTyp(TrpFrameTyp::ftTop);
    line->FrameForEditing()->SetStyle(TrpFrameStyle::fsDash);
    line->SetArrowEnd(true);
    line->SetArrowLength(12);
    auto* empty = data->Create<TrpMemoView>();
    empty->SetName("EmptyLast");
    empty->SetMemo({"kept", ""});

    auto* summary = page->Create<TrpReportSummary>();
    summary->SetName("ReportSummary1");
    summary->SetPrintAtBottom(true);
    auto* picture = summary->Create<TrpPictureView>();
    picture->SetName("img_Logo");
    picture->SetLeft(17.00795823);
    picture->SetWidth(226.77165354);
    picture->SetHeight(94.48818898);
    picture->SetTransparentColor(TrpWhite);
    picture->SetKeepAspectRatio(false);
    picture->SetCenter(true);
    picture->PictureForEditing()->setImageData(TrpPicture::PngClassName, pngBytes());

    auto* footer = page->Create<TrpPageFooter>();
    footer->SetName("PageFooter1");
    footer->SetHeight(60.47238236);
    footer->SetPrintOnSinglePage(true);
    footer->SetVisible(false);
    auto* time = footer->Create<TrpMemoView>();
    time->SetName("Time");
    time->SetText("[Time]");
    time->SetParentFont(true);
}

TEST(TemplateRoundTrip, WrittenTemplateReadsBackToTheSameTree) {
    QObject window;
    window.setObjectName("MainForm");
    TrpDBDataset orders(&window);
    orders.SetName("repDS_KitchenOrders");
    TrpDBDataset master(&window);
    master.SetName("repDS_OrdersMaster");

    TrpReport original;
    original.SetOwner(&window);
    buildEveryClass(original, orders, master);
    const QByteArray written = original.SaveToMemory();

    const ReportTest::CapturedErrorBox box;
    TrpReport copy;
    copy.SetOwner(&window);
    copy.LoadFromMemory(written);
    EXPECT_TRUE(box.texts().isEmpty());
    EXPECT_TRUE(copy.Errors().isEmpty()) << copy.Errors().join('\n').toStdString();
    // DoublePass and ConvertNulls come from the file; the rest of the engine options stay the component's.
    EXPECT_EQ(ReportTest::differences(original, copy), QStringList());
    EXPECT_EQ(copy.SaveToMemory(), written);
}

TEST(TemplateRoundTrip, FixtureReadWriteReadGivesTheSameTree) {
    QObject window;
    TrpDBDataset orders(&window);
    orders.SetName("repDS_KitchenOrders");
    TrpDBDataset master(&window);
    master.SetName("repDS_OrdersMaster");

    TrpReport first;
    first.SetOwner(&window);
    first.LoadFromMemory(ReportTest::fixture("kitchen_order.xml"));
    ASSERT_TRUE(first.Errors().isEmpty());
    ASSERT_EQ(first.Datasets().size(), 2u);
    EXPECT_EQ(first.Datasets()[0]->DataSet(), &orders);

    TrpReport second;
    second.SetOwner(&window);
    second.LoadFromMemory(first.SaveToMemory());
    EXPECT_EQ(ReportTest::differences(first, second), QStringList());
}

TEST(TemplateWriter, WritesTheDocumentForm) {
    TrpReport report;
    report.Create<TrpDataPage>()->SetName("Data");
    auto* page = report.Create<TrpReportPage>();
    page->SetName("Page1");
    page->SetPaperWidth(72);
    auto* band = page->Create<TrpMasterData>();
    band->SetName("B");
    auto* memo = band->Create<TrpMemoView>();
    memo->SetName("M");
    memo->SetWidth(0.00001);
    memo->SetText("a\"b");
    const QString text = QString::fromUtf8(report.SaveToMemory());
    const QStringList lines = text.split("\r\n");
    ASSERT_GE(lines.size(), 8);
    EXPECT_EQ(lines[0], QString("<?xml version=\"1.0\" encoding=\"utf-8\" standalone=\"no\"?>"));
    EXPECT_TRUE(lines[1].startsWith("<TrpReport ")) << lines[1].toStdString();
    EXPECT_TRUE(lines[1].contains("ScriptText.Text=\"begin&#13;&#10;&#13;&#10;end.\""));
    EXPECT_TRUE(lines[1].contains("PrintOptions.Printer=\"Default\""));
    EXPECT_FALSE(lines[1].contains("Name="));
    EXPECT_EQ(lines[2],
              QString("  <TrpDataPage Name=\"Data\" Left=\"0\" Top=\"0\" Width=\"1000\" Height=\"1000\"/>"));
    // Orientation (default) omitted, then the dimensions, the code, the margins; the frame's Typ always.
    EXPECT_EQ(
        lines[3],
        QString("  <TrpReportPage Name=\"Page1\" PaperWidth=\"72\" PaperHeight=\"297\" PaperSize=\"256\" "
                "LeftMargin=\"0\" RightMargin=\"0\" TopMargin=\"0\" BottomMargin=\"0\" "
                "ColumnWidth=\"0\" Frame.Typ=\"0\">"));
    EXPECT_EQ(lines[4],
              QString("    <TrpMasterData Name=\"B\" FillType=\"ftBrush\" Frame.Typ=\"0\" Height=\"0\" "
                      "Left=\"0\" Top=\"0\" Width=\"0\" ColumnWidth=\"0\" ColumnGap=\"0\" RowCount=\"0\">"));
    EXPECT_EQ(lines[5],
              QString("      <TrpMemoView Name=\"M\" AllowVectorExport=\"True\" Left=\"0\" Top=\"0\" "
                      "Width=\"1E-5\" Height=\"0\" Frame.Typ=\"0\" FillType=\"ftBrush\" Text=\"a&#34;b\"/>"));
    EXPECT_EQ(lines[6], QString("    </TrpMasterData>"));
    EXPECT_EQ(lines[7], QString("  </TrpReportPage>"));
}

} // namespace
