#include "TrpEnumInfo.h"

#include <cstring>

namespace {
char lowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}
} // namespace

const char* TrpEnumInfo::name(int ordinal) const {
    if (ordinal < 0 || ordinal >= count()) {
        return nullptr;
    }
    return m_names[static_cast<size_t>(ordinal)];
}

int TrpEnumInfo::indexOf(QByteArrayView name) const {
    for (size_t i = 0; i < m_names.size(); ++i) {
        const char* member = m_names[i];
        const auto length = static_cast<qsizetype>(std::strlen(member));
        if (length != name.size()) {
            continue;
        }
        bool same = true;
        for (qsizetype k = 0; k < length && same; ++k) {
            same = lowerAscii(member[k]) == lowerAscii(name[k]);
        }
        if (same) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

#define TRP_ENUM(function, ...)                                                                              \
    const TrpEnumInfo& TrpEnumInfo::function() {                                                             \
        static const TrpEnumInfo info{__VA_ARGS__};                                                          \
        return info;                                                                                         \
    }

TRP_ENUM(Boolean, "False", "True")
TRP_ENUM(HAlign, "haLeft", "haRight", "haCenter", "haBlock")
TRP_ENUM(VAlign, "vaTop", "vaBottom", "vaCenter")
TRP_ENUM(Align, "baNone", "baLeft", "baRight", "baCenter", "baWidth", "baBottom", "baClient", "baHidden")
TRP_ENUM(ShiftMode, "smDontShift", "smAlways", "smWhenOverlapped")
TRP_ENUM(StretchMode, "smDontStretch", "smActualHeight", "smMaxHeight")
TRP_ENUM(ShiftEngine, "seLinear", "seTree", "seDontShift")
TRP_ENUM(FillType, "ftBrush", "ftGradient", "ftGlass")
TRP_ENUM(BrushStyle, "bsSolid", "bsClear", "bsHorizontal", "bsVertical", "bsFDiagonal", "bsBDiagonal",
         "bsCross", "bsDiagCross")
TRP_ENUM(FrameStyle, "fsSolid", "fsDash", "fsDot", "fsDashDot", "fsDashDotDot", "fsDouble", "fsAltDot",
         "fsSquare")
TRP_ENUM(FormatKind, "fkText", "fkNumeric", "fkDateTime", "fkBoolean")
TRP_ENUM(PrintOrientation, "poPortrait", "poLandscape")
TRP_ENUM(DuplexMode, "dmNone", "dmVertical", "dmHorizontal", "dmSimplex")
TRP_ENUM(PrintMode, "pmDefault", "pmSplit", "pmJoin", "pmScale")
TRP_ENUM(PrintPages, "ppAll", "ppOdd", "ppEven")
TRP_ENUM(SilentMode, "simMessageBoxes", "simReThrow", "simSilent")
TRP_ENUM(ZoomMode, "zmDefault", "zmWholePage", "zmPageWidth", "zmManyPages")
TRP_ENUM(FontPitch, "fpDefault", "fpVariable", "fpFixed")
TRP_ENUM(FontQuality, "fqDefault", "fqDraft", "fqProof", "fqNonAntialiased", "fqAntialiased", "fqClearType",
         "fqClearTypeNatural")

#undef TRP_ENUM
