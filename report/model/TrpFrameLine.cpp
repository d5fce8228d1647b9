#include "TrpFrameLine.h"

#include "TrpFrame.h"

namespace {
// A side's values are written only where they differ from those of the frame that holds it.
TrpProperty::StoredRule differsFromFrame(QVariant (*frameValue)(const TrpFrame&), const char* name) {
    return [frameValue, name](const TrpPersistent& self, const TrpPersistent* owner) {
        const auto* frame = dynamic_cast<const TrpFrame*>(owner);
        const QVariant own = self.property(QString::fromLatin1(name));
        return frame == nullptr || own != frameValue(*frame);
    };
}
} // namespace

const TrpPropertyList& TrpFrameLine::properties() const {
    using K = TrpPropertyKind;
    static const TrpPropertyList list(
        nullptr,
        {
            TrpProp::field("Color", K::Integer, &TrpFrameLine::Color)
                .storedWhen(differsFromFrame([](const TrpFrame& f) { return QVariant(f.Color()); }, "Color")),
            TrpProp::choice("Style", TrpEnumInfo::FrameStyle(), &TrpFrameLine::Style)
                .storedWhen(differsFromFrame(
                    [](const TrpFrame& f) { return QVariant(static_cast<int>(f.Style())); }, "Style")),
            TrpProp::field("Width", K::Float, &TrpFrameLine::Width)
                .storedWhen(differsFromFrame([](const TrpFrame& f) { return QVariant(f.Width()); }, "Width")),
        });
    return list;
}
