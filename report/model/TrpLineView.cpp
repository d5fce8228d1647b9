#include "TrpLineView.h"

const TrpPropertyList& TrpLineView::properties() const {
    using C = TrpCustomLineView;
    const auto build = [] {
        std::vector<TrpProperty> own{
            TrpProp::boolean("ArrowEnd", &C::ArrowEnd, &C::SetArrowEnd).withDefault(0),
            TrpProp::integer("ArrowLength", &C::ArrowLength, &C::SetArrowLength).withDefault(20),
            TrpProp::boolean("ArrowSolid", &C::ArrowSolid, &C::SetArrowSolid).withDefault(0),
            TrpProp::boolean("ArrowStart", &C::ArrowStart, &C::SetArrowStart).withDefault(0),
            TrpProp::integer("ArrowWidth", &C::ArrowWidth, &C::SetArrowWidth).withDefault(5),
            TrpProp::integer("Color", &C::Color, &C::SetColor).withDefault(TrpNoColor),
            TrpProp::boolean("Diagonal", &C::Diagonal, &C::SetDiagonal).withDefault(0),
            frameProperty(),
        };
        for (auto& p : visibilityProperties()) {
            own.push_back(std::move(p));
        }
        return own;
    };
    static const TrpPropertyList list(&TrpStretcheable::properties(), build());
    return list;
}
