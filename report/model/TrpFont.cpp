#include "TrpFont.h"

const TrpPropertyList& TrpFont::properties() const {
    using K = TrpPropertyKind;
    static const TrpPropertyList list(
        nullptr, {
                     TrpProp::field("Charset", K::Integer, &TrpFont::Charset),
                     TrpProp::field("Color", K::Integer, &TrpFont::Color),
                     TrpProp::field("Height", K::Integer, &TrpFont::Height),
                     TrpProp::field("Name", K::String, &TrpFont::Name),
                     TrpProp::field("Orientation", K::Integer, &TrpFont::Orientation).withDefault(0),
                     TrpProp::choice("Pitch", TrpEnumInfo::FontPitch(), &TrpFont::Pitch).withDefault(0),
                     TrpProp::choice("Quality", TrpEnumInfo::FontQuality(), &TrpFont::Quality).withDefault(0),
                     TrpProp::field("Style", K::Set, &TrpFont::Style),
                 });
    return list;
}

bool TrpFont::operator==(const TrpFont& other) const {
    return Name == other.Name && Height == other.Height && Style == other.Style && Color == other.Color &&
           Charset == other.Charset && Pitch == other.Pitch && Quality == other.Quality &&
           Orientation == other.Orientation;
}
