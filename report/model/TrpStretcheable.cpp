#include "TrpStretcheable.h"

const TrpPropertyList& TrpStretcheable::properties() const {
    using C = TrpStretcheable;
    static const TrpPropertyList list(
        &TrpView::properties(),
        {
            TrpProp::enumeration("StretchMode", TrpEnumInfo::StretchMode(), &C::StretchMode,
                                 &C::SetStretchMode)
                .withDefault(0),
            TrpProp::boolean("CanShrink", &C::CanShrink, &C::SetCanShrink).withDefault(0),
        });
    return list;
}

std::vector<TrpProperty> TrpStretcheable::visibilityProperties() {
    return {
        TrpProp::set("Visibility", &TrpView::Visibility, &TrpView::SetVisibility)
            .withDefault(TrpVisibility::All),
        visibleProperty(),
    };
}
