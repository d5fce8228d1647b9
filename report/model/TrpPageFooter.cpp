#include "TrpPageFooter.h"

const TrpPropertyList& TrpPageFooter::properties() const {
    using C = TrpPageFooter;
    static const TrpPropertyList list(
        &TrpBand::properties(),
        {
            TrpProp::boolean("PrintOnFirstPage", &C::PrintOnFirstPage, &C::SetPrintOnFirstPage)
                .withDefault(1),
            TrpProp::boolean("PrintOnLastPage", &C::PrintOnLastPage, &C::SetPrintOnLastPage).withDefault(1),
            TrpProp::boolean("PrintOnSinglePage", &C::PrintOnSinglePage, &C::SetPrintOnSinglePage)
                .withDefault(0),
        });
    return list;
}
