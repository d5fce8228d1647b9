#include "TrpBand.h"

const TrpPropertyList& TrpBand::properties() const {
    using C = TrpBand;
    static const TrpPropertyList list(
        &TrpReportComponent::properties(),
        {
            TrpProp::enumeration("FillType", TrpEnumInfo::FillType(), &C::FillType, &C::SetFillType),
            TrpProp::subObject("Fill", &C::FillForEditing),
            fontProperty(),
            TrpProp::subObject("Frame", &C::FrameForEditing),
            boundsProperty("Height"),
            boundsProperty("Left"),
            parentFontProperty(),
            TrpProp::enumeration("ShiftEngine", TrpEnumInfo::ShiftEngine(), &C::ShiftEngine,
                                 &C::SetShiftEngine)
                .withDefault(static_cast<int>(TrpShiftEngine::seTree)),
            boundsProperty("Top"),
            TrpProp::boolean("Vertical", &C::Vertical, &C::SetVertical).withDefault(0),
            visibleProperty(),
            boundsProperty("Width"),
        });
    return list;
}

TrpProperty TrpBand::stretchedProperty() {
    return TrpProp::boolean("Stretched", &TrpBand::Stretched, &TrpBand::SetStretched).withDefault(0);
}
