#include "TrpReportSummary.h"

const TrpPropertyList& TrpReportSummary::properties() const {
    using C = TrpReportSummary;
    static const TrpPropertyList list(
        &TrpBand::properties(),
        {
            TrpProp::boolean("AllowSplit", &C::AllowSplit, &C::SetAllowSplit).withDefault(0),
            TrpProp::boolean("PrintAtBottom", &C::PrintAtBottom, &C::SetPrintAtBottom).withDefault(0),
            TrpProp::boolean("StartNewPage", &C::StartNewPage, &C::SetStartNewPage).withDefault(0),
            stretchedProperty(),
        });
    return list;
}
