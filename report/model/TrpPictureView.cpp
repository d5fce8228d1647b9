#include "TrpPictureView.h"

const TrpPropertyList& TrpPictureView::properties() const {
    using C = TrpPictureView;
    const auto build = [] {
        std::vector<TrpProperty> own{
            TrpProp::boolean("AutoSize", &C::AutoSize, &C::SetAutoSize).withDefault(0),
            TrpProp::boolean("Center", &C::Center, &C::SetCenter).withDefault(0),
        };
        for (auto& p : dataProperties()) {
            own.push_back(std::move(p));
        }
        std::vector<TrpProperty> rest{
            frameProperty(),
            // Always written.
            TrpProp::boolean("HightQuality", &C::HightQuality, &C::SetHightQuality),
            TrpProp::boolean("KeepAspectRatio", &C::KeepAspectRatio, &C::SetKeepAspectRatio).withDefault(1),
            TrpProp::subObject("Picture", &C::PictureForEditing),
            TrpProp::boolean("Stretched", &C::Stretched, &C::SetStretched).withDefault(1),
            TrpProp::boolean("Transparent", &C::Transparent, &C::SetTransparent),
            TrpProp::integer("TransparentColor", &C::TransparentColor, &C::SetTransparentColor),
        };
        for (auto& p : rest) {
            own.push_back(std::move(p));
        }
        for (auto& p : visibilityProperties()) {
            own.push_back(std::move(p));
        }
        return own;
    };
    static const TrpPropertyList list(&TrpStretcheable::properties(), build());
    return list;
}
