#include "TrpFormat.h"

const TrpPropertyList& TrpFormat::properties() const {
    using K = TrpPropertyKind;
    static const TrpPropertyList list(
        nullptr, {
                     TrpProp::field("DecimalSeparator", K::String, &TrpFormat::DecimalSeparator),
                     TrpProp::field("FormatStr", K::String, &TrpFormat::FormatStr),
                     TrpProp::choice("Kind", TrpEnumInfo::FormatKind(), &TrpFormat::Kind).withDefault(0),
                     TrpProp::field("ThousandSeparator", K::String, &TrpFormat::ThousandSeparator),
                 });
    return list;
}
