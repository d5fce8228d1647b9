#include "TrpReportComponent.h"

const TrpPropertyList& TrpReportComponent::properties() const {
    static const TrpPropertyList list(&TrpComponent::properties(),
                                      {
                                          TrpProp::string("Description", &TrpReportComponent::Description,
                                                          &TrpReportComponent::SetDescription),
                                      });
    return list;
}
