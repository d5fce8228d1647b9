#include "TestReceiptTemplate.h"

#include "TicketTemplateParts.h"
#include "TrpMemoView.h"
#include "TrpPageFooter.h"
#include "TrpPageHeader.h"
#include "TrpPicture.h"
#include "TrpPictureView.h"
#include "TrpReport.h"
#include "TrpReportPage.h"
#include "TrpReportSummary.h"

#include <cmath>

using namespace TicketTemplateParts;

namespace {

constexpr double FirstRowTop = 347.71676;
constexpr double RowPitch = 22.67718; // 6 mm
constexpr double RowHeight = 18.89765;
constexpr double ItemWidth = 166.29920283;
constexpr double QtyLeft = 168.189085;
constexpr double QtyWidth = 26.45671;
constexpr double PriceLeft = 196.53556;
constexpr double PriceWidth = 64.25201;

QByteArray memoName(int number) {
    return "Memo" + QByteArray::number(number);
}

// Row k: the item, quantity and price memos, named Memo18 (row 0) or Memo<20+3k>, then Memo<21+3k> and
// Memo<22+3k>. The item memos of rows 25, 26, 39 and 40 stand a little to the right.
void addItemRow(TrpComponent& band, int row) {
    const double top = TestReceiptTemplate::itemRowTop(row);
    const bool indented = row == 25 || row == 26 || row == 39 || row == 40;
    const int base = 20 + 3 * row;
    addMemo(band, memoName(row == 0 ? 18 : base).constData(), indented ? 1.889765 : 0, top, ItemWidth,
            RowHeight, -13, {QStringLiteral("Test Item")});
    addMemo(band, memoName(base + 1).constData(), QtyLeft, top, QtyWidth, RowHeight, -13,
            {QStringLiteral("1")})
        ->SetHAlign(TrpHAlign::haCenter);
    addMemo(band, memoName(base + 2).constData(), PriceLeft, top, PriceWidth, RowHeight, -13,
            {QStringLiteral("99,999.99")})
        ->SetHAlign(TrpHAlign::haRight);
}

void addItemRows(TrpComponent& band, int first, int last) {
    for (int row = first; row <= last; ++row) {
        addItemRow(band, row);
    }
}

void addFooter(TrpReportPage& page) {
    auto* footer = addBand<TrpPageFooter>(page, "PageFooter1", 1421.10328, RollWidth, 77.85838);
    auto* date =
        addMemo(*footer, "Date", 3.77953, 20.50402, 86.92919, 19.11812, -13, {QStringLiteral("[Date]")});
    date->DisplayFormat()->Kind = TrpFormatKind::fkDateTime;
    date->DisplayFormat()->FormatStr = QStringLiteral("dd/MM/yyyy");
    auto* time =
        addMemo(*footer, "Time", 219.21274, 20.50402, 41.57483, 19.11812, -13, {QStringLiteral("[Time]")});
    time->SetHAlign(TrpHAlign::haCenter);
    time->DisplayFormat()->Kind = TrpFormatKind::fkDateTime;
    time->DisplayFormat()->FormatStr = QStringLiteral("HH:mm");
    addMemo(*footer, "Memo2", 11.33859, 52.91342, 241.88992, 19.11812, -13,
            {QStringLiteral("Merivale POS System")})
        ->SetHAlign(TrpHAlign::haCenter);
}

void addSummary(TrpReportPage& page, const QByteArray& logoPng) {
    auto* summary = addBand<TrpReportSummary>(page, "ReportSummary1", 113.3859, RollWidth, 1285.0402);
    summary->SetStretched(true);

    addMemo(*summary, "Memo3", 51.023655, 145.511905, 158.74026, 18.89765, -13,
            {QStringLiteral("Test Check")})
        ->SetHAlign(TrpHAlign::haCenter);
    addMemo(*summary, "Memo4", 0, 317.48052, ItemWidth, 18.89765, -13, {QStringLiteral("Item Name")})
        ->FrameForEditing()
        ->SetTyp(TrpFrameTyp::ftBottom);
    auto* qty =
        addMemo(*summary, "Memo5", QtyLeft, 317.48052, QtyWidth, 18.89765, -13, {QStringLiteral("Qty")});
    qty->SetHAlign(TrpHAlign::haCenter);
    qty->FrameForEditing()->SetTyp(TrpFrameTyp::ftBottom);
    auto* price = addMemo(*summary, "Memo6", PriceLeft, 317.48052, PriceWidth, 18.89765, -13,
                          {QStringLiteral("Price")});
    price->SetHAlign(TrpHAlign::haCenter);
    price->FrameForEditing()->SetTyp(TrpFrameTyp::ftBottom);
    addMemo(*summary, "Memo19", 0, 192.75603, 260.78757, 94.48825, -13,
            {QStringLiteral("Order Kind: Test Order"), QStringLiteral("Order Number: 999"),
             QStringLiteral("Order Date: 99/99/9999"),
             QStringLiteral("Order Details: Dine in section - Dine in Table"),
             QStringLiteral("Cashier: Test Cashier")});
    // 35 characters: shows on paper how many fit on one line.
    auto* pattern = addMemo(*summary, "mem_Reprinted", 0, 170.07885, 260.78757, 18.89765, -13,
                            {QStringLiteral("#234567890234567890234567890234567#")}, true);
    pattern->SetHAlign(TrpHAlign::haCenter);
    pattern->SetStretchMode(TrpStretchMode::smActualHeight);

    addItemRows(*summary, 0, 26);

    addMemo(*summary, "Mem_RestName_en", 17.007885, 3.77953, 226.7718, 37.7953, -15,
            {QStringLiteral("Restaurant Name"), QStringLiteral("Branch Name")}, true)
        ->SetHAlign(TrpHAlign::haCenter);

    auto* logo = summary->Create<TrpPictureView>();
    logo->SetName(QStringLiteral("img_Logo"));
    logo->SetAllowVectorExport(true);
    logo->SetLeft(17.00795823);
    logo->SetTop(45.35436);
    logo->SetWidth(226.77165354);
    logo->SetHeight(94.48818898);
    logo->SetHightQuality(false);
    logo->SetTransparent(false);
    logo->SetTransparentColor(TrpWhite);
    logo->SetKeepAspectRatio(true);
    logo->SetStretched(true);
    logo->PictureForEditing()->setImageData(QString::fromLatin1(TrpPicture::PngClassName), logoPng);

    addItemRows(*summary, 32, 40);
    addItemRows(*summary, 27, 31);
}

void addHeader(TrpReportPage& page) {
    auto* header = addBand<TrpPageHeader>(page, "PageHeader1", 18.89765, RollWidth, 34.01577);
    auto* title = addMemo(*header, "Memo1", 3.77953, 3.77953, 257.00804, 26.45671, -16,
                          {QStringLiteral("Testing Receipt Printer")}, true);
    title->SetHAlign(TrpHAlign::haCenter);
    title->SetStretchMode(TrpStretchMode::smActualHeight);
}

} // namespace

namespace TestReceiptTemplate {

double itemRowTop(int row) {
    return std::round((FirstRowTop + row * RowPitch) * 1e5) / 1e5;
}

std::unique_ptr<TrpReport> testReceipt(const QByteArray& logoPng) {
    auto report = newReport();
    TrpReportPage* page = addPages(*report);
    page->SetTopMargin(7.5);
    // The bands' kinds, not their order here, decide where they print.
    addFooter(*page);
    addSummary(*page, logoPng);
    addHeader(*page);
    return report;
}

} // namespace TestReceiptTemplate
