#include "TrpBrushFill.h"

const TrpPropertyList& TrpBrushFill::properties() const {
    using K = TrpPropertyKind;
    static const TrpPropertyList list(
        nullptr,
        {
            TrpProp::field("BackColor", K::Integer, &TrpBrushFill::BackColor).withDefault(TrpNoColor),
            TrpProp::field("ForeColor", K::Integer, &TrpBrushFill::ForeColor).withDefault(TrpBlack),
            TrpProp::choice("Style", TrpEnumInfo::BrushStyle(), &TrpBrushFill::Style).withDefault(0),
        });
    return list;
}
