#include "VoidTicketTemplate.h"

#include "TicketTemplateParts.h"
#include "TrpMemoView.h"
#include "TrpPageFooter.h"
#include "TrpPageHeader.h"
#include "TrpReport.h"
#include "TrpReportPage.h"

using namespace TicketTemplateParts;

namespace VoidTicketTemplate {

std::unique_ptr<TrpReport> kitchenVoid() {
    auto report = newReport();
    // The page keeps the report's font.
    TrpReportPage* page = addPages(*report);

    auto* header = addBand<TrpPageHeader>(*page, "PageHeader1", 18.89765, RollWidth, 71.81107);
    header->SetStretched(true);
    addMemo(*header, "Memo1", 68.03154, 5.669295, 128.50402, 22.67718, -21, {QStringLiteral("Item Voided")})
        ->SetHAlign(TrpHAlign::haCenter);
    addMemo(*header, "Memo_VoidMessage", 5.669295, 41.57483, 253.22851, 22.67718, -16,
            {QStringLiteral("Memo_VoidMessage")})
        ->SetStretchMode(TrpStretchMode::smActualHeight);

    auto* footer = addBand<TrpPageFooter>(*page, "PageFooter1", 151.1812, RollWidth, 56.69295);
    // The date prints in the default form of the regional settings: no display format.
    addMemo(*footer, "Date", 3.77953, 11.33859, 64.25201, 11.33859, -9, {QStringLiteral("[Date]")});
    auto* time =
        addMemo(*footer, "Time", 204.09462, 11.33859, 56.69295, 11.33859, -9, {QStringLiteral("[Time]")});
    time->SetHAlign(TrpHAlign::haRight);
    time->DisplayFormat()->Kind = TrpFormatKind::fkDateTime;
    time->DisplayFormat()->FormatStr = QStringLiteral("HH:mm");
    auto* signature = addMemo(*footer, "Memo2", 47.244125, 30.23624, 170.07885, 15.11812, -11,
                              {QStringLiteral("Merivale POS System")});
    signature->SetHAlign(TrpHAlign::haCenter);
    signature->SetStretchMode(TrpStretchMode::smActualHeight);
    return report;
}

} // namespace VoidTicketTemplate
