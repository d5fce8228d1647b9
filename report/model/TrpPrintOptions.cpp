#include "TrpPrintOptions.h"

const TrpPropertyList& TrpPrintOptions::properties() const {
    using K = TrpPropertyKind;
    using C = TrpPrintOptions;
    static const TrpPropertyList list(
        nullptr, {
                     TrpProp::field("Copies", K::Integer, &C::Copies).withDefault(1),
                     TrpProp::flag("Collate", &C::Collate).withDefault(1),
                     TrpProp::choice("Duplex", TrpEnumInfo::DuplexMode(), &C::Duplex).withDefault(0),
                     TrpProp::field("PageNumbers", K::String, &C::PageNumbers),
                     TrpProp::field("Printer", K::String, &C::Printer),
                     TrpProp::choice("PrintMode", TrpEnumInfo::PrintMode(), &C::PrintMode).withDefault(0),
                     TrpProp::field("PrintOnSheet", K::Integer, &C::PrintOnSheet).withDefault(0),
                     TrpProp::choice("PrintPages", TrpEnumInfo::PrintPages(), &C::PrintPages).withDefault(0),
                     TrpProp::flag("Reverse", &C::Reverse).withDefault(0),
                     TrpProp::flag("ShowDialog", &C::ShowDialog).withDefault(1),
                 });
    return list;
}
