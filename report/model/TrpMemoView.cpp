#include "TrpMemoView.h"

namespace {
bool storedDisplayFormat(const TrpPersistent& o, const TrpPersistent*) {
    return static_cast<const TrpCustomMemoView&>(o).Formats().size() == 1;
}
bool storedDelimiters(const TrpPersistent& o, const TrpPersistent*) {
    return static_cast<const TrpCustomMemoView&>(o).ExpressionDelimiters() != QLatin1String("[,]");
}
} // namespace

const TrpPropertyList& TrpMemoView::properties() const {
    using C = TrpCustomMemoView;
    const auto build = [] {
        std::vector<TrpProperty> own{
            TrpProp::boolean("AllowExpressions", &C::AllowExpressions, &C::SetAllowExpressions)
                .withDefault(1),
            TrpProp::boolean("AllowHTMLTags", &C::AllowHTMLTags, &C::SetAllowHTMLTags).withDefault(0),
            TrpProp::boolean("AutoWidth", &C::AutoWidth, &C::SetAutoWidth).withDefault(0),
            TrpProp::real("CharSpacing", &C::CharSpacing, &C::SetCharSpacing).withDefault(0.0),
            TrpProp::boolean("Clipped", &C::Clipped, &C::SetClipped).withDefault(1),
        };
        for (auto& p : dataProperties()) {
            own.push_back(std::move(p));
        }
        std::vector<TrpProperty> rest{
            TrpProp::subObject("DisplayFormat", &C::DisplayFormat).storedWhen(storedDisplayFormat),
            TrpProp::string("ExpressionDelimiters", &C::ExpressionDelimiters, &C::SetExpressionDelimiters)
                .storedWhen(storedDelimiters),
            fontProperty(),
            frameProperty(),
            TrpProp::enumeration("FillType", TrpEnumInfo::FillType(), &C::FillType, &C::SetFillType),
            TrpProp::subObject("Fill", &C::FillForEditing),
            TrpProp::real("GapX", &C::GapX, &C::SetGapX).withDefault(2.0),
            TrpProp::real("GapY", &C::GapY, &C::SetGapY).withDefault(1.0),
            TrpProp::enumeration("HAlign", TrpEnumInfo::HAlign(), &C::HAlign, &C::SetHAlign).withDefault(0),
            TrpProp::boolean("HideZeros", &C::HideZeros, &C::SetHideZeros).withDefault(0),
            TrpProp::real("LineSpacing", &C::LineSpacing, &C::SetLineSpacing).withDefault(2.0),
            TrpProp::real("ParagraphGap", &C::ParagraphGap, &C::SetParagraphGap).withDefault(0.0),
            parentFontProperty(),
            TrpProp::integer("Rotation", &C::Rotation, &C::SetRotation).withDefault(0),
            TrpProp::boolean("RTLReading", &C::RTLReading, &C::SetRTLReading).withDefault(0),
            TrpProp::boolean("ShrinkToFit", &C::ShrinkToFit, &C::SetShrinkToFit).withDefault(0),
            TrpProp::boolean("SuppressRepeated", &C::SuppressRepeated, &C::SetSuppressRepeated)
                .withDefault(0),
            TrpProp::boolean("Underlines", &C::Underlines, &C::SetUnderlines).withDefault(0),
            TrpProp::enumeration("VAlign", TrpEnumInfo::VAlign(), &C::VAlign, &C::SetVAlign).withDefault(0),
            TrpProp::boolean("WordBreak", &C::WordBreak, &C::SetWordBreak).withDefault(0),
            TrpProp::boolean("WordWrap", &C::WordWrap, &C::SetWordWrap).withDefault(1),
            TrpProp::boolean("Wysiwyg", &C::Wysiwyg, &C::SetWysiwyg).withDefault(1),
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
