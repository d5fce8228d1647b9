#include "TicketTemplateParts.h"

#include "TrpDataPage.h"
#include "TrpMemoView.h"
#include "TrpReport.h"
#include "TrpReportPage.h"

namespace TicketTemplateParts {

std::unique_ptr<TrpReport> newReport() {
    auto report = std::make_unique<TrpReport>();
    report->SetScriptLanguage(QStringLiteral("PascalScript"));
    report->SetScriptText({QStringLiteral("begin"), QString(), QStringLiteral("end.")});
    // The program names the station's printer before every print.
    report->PrintOptions().Printer = QStringLiteral("Default");
    report->PrintOptions().ShowDialog = false;
    report->PrintOptions().PrintOnSheet = 0;
    report->PreviewOptions().Zoom = 1;
    report->PreviewOptions().Buttons = 4095;
    // A fixed design date keeps the generated files the same from run to run.
    report->ReportOptions().CreateDate = DesignDate;
    report->ReportOptions().LastChange = DesignDate;
    return report;
}

TrpReportPage* addPages(TrpReport& report) {
    auto* data = report.Create<TrpDataPage>();
    data->SetName(QStringLiteral("Data"));
    data->SetWidth(1000);
    data->SetHeight(1000);

    auto* page = report.Create<TrpReportPage>();
    page->SetName(QStringLiteral("Page1"));
    page->SetPaperWidth(72);
    page->SetPaperHeight(3276);
    // A code outside the standard table: kept, with the dimensions above.
    page->SetPaperSize(184);
    page->SetEndlessHeight(true);
    page->SetLeftMargin(1);
    page->SetRightMargin(1);
    page->SetTopMargin(30);
    page->SetBottomMargin(7.5);
    page->FrameForEditing()->SetTyp(0);
    page->SetMirrorMode(0);
    return page;
}

void setFont(TrpComponent& object, int height, bool bold) {
    TrpFont font;
    font.Name = QStringLiteral("Arial");
    font.Height = height;
    font.Style = bold ? TrpFontStyle::fsBold : 0;
    font.Color = TrpBlack;
    font.Charset = 1;
    object.SetFont(font);
}

TrpMemoView* addMemo(TrpComponent& band, const char* name, double left, double top, double width,
                     double height, int fontHeight, const QStringList& lines, bool bold) {
    auto* memo = band.Create<TrpMemoView>();
    memo->SetName(QString::fromLatin1(name));
    memo->SetAllowVectorExport(true);
    memo->SetLeft(left);
    memo->SetTop(top);
    memo->SetWidth(width);
    memo->SetHeight(height);
    setFont(*memo, fontHeight, bold);
    memo->FrameForEditing()->SetTyp(0);
    memo->SetMemo(lines);
    return memo;
}

void bind(TrpMemoView& memo, TrpDataSet& dataSet, const QString& field) {
    memo.SetDataSet(&dataSet);
    memo.SetDataField(field);
}

} // namespace TicketTemplateParts
