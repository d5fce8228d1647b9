#include "TrpPageHeader.h"

const TrpPropertyList& TrpPageHeader::properties() const {
    static const TrpPropertyList list(
        &TrpBand::properties(), {
                                    TrpProp::boolean("PrintOnFirstPage", &TrpPageHeader::PrintOnFirstPage,
                                                     &TrpPageHeader::SetPrintOnFirstPage)
                                        .withDefault(1),
                                    stretchedProperty(),
                                });
    return list;
}
