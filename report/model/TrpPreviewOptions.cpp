#include "TrpPreviewOptions.h"

const TrpPropertyList& TrpPreviewOptions::properties() const {
    using K = TrpPropertyKind;
    using C = TrpPreviewOptions;
    static const TrpPropertyList list(
        nullptr, {
                     TrpProp::field("Buttons", K::Set, &C::Buttons).withDefault(4095),
                     TrpProp::flag("Maximized", &C::Maximized).withDefault(1),
                     TrpProp::flag("MDIChild", &C::MDIChild).withDefault(0),
                     TrpProp::flag("Modal", &C::Modal).withDefault(1),
                     TrpProp::flag("OutlineExpand", &C::OutlineExpand).withDefault(1),
                     TrpProp::flag("OutlineVisible", &C::OutlineVisible).withDefault(0),
                     TrpProp::field("OutlineWidth", K::Integer, &C::OutlineWidth).withDefault(120),
                     TrpProp::field("PagesInCache", K::Integer, &C::PagesInCache).withDefault(50),
                     TrpProp::flag("ShowCaptions", &C::ShowCaptions).withDefault(0),
                     TrpProp::flag("ThumbnailVisible", &C::ThumbnailVisible).withDefault(0),
                     TrpProp::field("Zoom", K::Float, &C::Zoom),
                     TrpProp::choice("ZoomMode", TrpEnumInfo::ZoomMode(), &C::ZoomMode).withDefault(0),
                 });
    return list;
}
