#include "TrpDataPage.h"

TrpDataPage::TrpDataPage() {
    SetWidth(1000);
    SetHeight(1000);
}

const TrpPropertyList& TrpDataPage::properties() const {
    static const TrpPropertyList list(&TrpComponent::properties(), {
                                                                       boundsProperty("Left"),
                                                                       boundsProperty("Top"),
                                                                       boundsProperty("Width"),
                                                                       boundsProperty("Height"),
                                                                   });
    return list;
}
