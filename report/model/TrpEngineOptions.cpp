#include "TrpEngineOptions.h"

const TrpPropertyList& TrpEngineOptions::properties() const {
    using C = TrpEngineOptions;
    static const TrpPropertyList list(
        nullptr,
        {
            TrpProp::flag("ConvertNulls", &C::ConvertNulls).withDefault(1),
            TrpProp::flag("DoublePass", &C::DoublePass).withDefault(0),
            TrpProp::flag("IgnoreDevByZero", &C::IgnoreDevByZero).withDefault(0),
            TrpProp::flag("IgnoreExprError", &C::IgnoreExprError).withDefault(0),
            TrpProp::choice("NewSilentMode", TrpEnumInfo::SilentMode(), &C::NewSilentMode).withDefault(0),
            TrpProp::flag("PrintIfEmpty", &C::PrintIfEmpty).withDefault(1),
        });
    return list;
}
