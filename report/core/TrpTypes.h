#pragma once

#include <QtGlobal>

// Units, colours and enumerations shared by the classes of the report object tree. Enumerations are
// stored in template files by their member names; the order of the members is their ordinal value.

// Report positions are pixels at 96 to the inch; paper and margins are millimetres. The factor is the
// literal value the templates were designed with, not 96 / 25.4.
inline constexpr double TrpPixelsPerMm = 3.77953;

// Colours are 0x00BBGGRR; this value means "no colour".
inline constexpr qint32 TrpNoColor = 0x1FFFFFFF;
inline constexpr qint32 TrpBlack = 0;
inline constexpr qint32 TrpWhite = 0xFFFFFF;

// The paper code of a user-defined paper size.
inline constexpr int TrpCustomPaperSize = 256;

enum class TrpHAlign { haLeft, haRight, haCenter, haBlock };
enum class TrpVAlign { vaTop, vaBottom, vaCenter };
enum class TrpAlign { baNone, baLeft, baRight, baCenter, baWidth, baBottom, baClient, baHidden };
enum class TrpShiftMode { smDontShift, smAlways, smWhenOverlapped };
enum class TrpStretchMode { smDontStretch, smActualHeight, smMaxHeight };
enum class TrpShiftEngine { seLinear, seTree, seDontShift };
enum class TrpFillType { ftBrush, ftGradient, ftGlass };
enum class TrpBrushStyle {
    bsSolid,
    bsClear,
    bsHorizontal,
    bsVertical,
    bsFDiagonal,
    bsBDiagonal,
    bsCross,
    bsDiagCross
};
enum class TrpFrameStyle { fsSolid, fsDash, fsDot, fsDashDot, fsDashDotDot, fsDouble, fsAltDot, fsSquare };
enum class TrpFormatKind { fkText, fkNumeric, fkDateTime, fkBoolean };
enum class TrpPrintOrientation { poPortrait, poLandscape };
enum class TrpDuplexMode { dmNone, dmVertical, dmHorizontal, dmSimplex };
enum class TrpPrintMode { pmDefault, pmSplit, pmJoin, pmScale };
enum class TrpPrintPages { ppAll, ppOdd, ppEven };
enum class TrpSilentMode { simMessageBoxes, simReThrow, simSilent };
enum class TrpZoomMode { zmDefault, zmWholePage, zmPageWidth, zmManyPages };
enum class TrpFontPitch { fpDefault, fpVariable, fpFixed };
enum class TrpFontQuality {
    fqDefault,
    fqDraft,
    fqProof,
    fqNonAntialiased,
    fqAntialiased,
    fqClearType,
    fqClearTypeNatural
};
enum class TrpRangeBegin { rbFirst, rbCurrent };
enum class TrpRangeEnd { reLast, reCurrent, reCount };

// Set members, as bits of the stored integer.
namespace TrpFrameTyp {
inline constexpr int ftLeft = 1;
inline constexpr int ftRight = 2;
inline constexpr int ftTop = 4;
inline constexpr int ftBottom = 8;
} // namespace TrpFrameTyp

namespace TrpFontStyle {
inline constexpr int fsBold = 1;
inline constexpr int fsItalic = 2;
inline constexpr int fsUnderline = 4;
inline constexpr int fsStrikeOut = 8;
} // namespace TrpFontStyle

namespace TrpVisibility {
inline constexpr int vsPreview = 1;
inline constexpr int vsExport = 2;
inline constexpr int vsPrint = 4;
inline constexpr int All = vsPreview | vsExport | vsPrint;
} // namespace TrpVisibility

// Members of the page's MirrorMode set.
namespace TrpMirrorControlMode {
inline constexpr int mcmRTLObjects = 1;
inline constexpr int mcmRTLContent = 2;
inline constexpr int mcmRTLSpecial = 4;
inline constexpr int mcmOnlyAllowed = 8;
inline constexpr int mcmBothMargins = 16;
} // namespace TrpMirrorControlMode
