#pragma once

#include "TrpPersistent.h"
#include "TrpTypes.h"

// A font as the report tree describes it: height in pixels at 96 to the inch (negative for a character
// height without internal leading), style bits TrpFontStyle, colour 0x00BBGGRR, character set (1 = default).
// A new font is the report's default: Arial, -13 (10 points), black.
class TrpFont : public TrpPersistent {
public:
    QString Name = QStringLiteral("Arial");
    int Height = -13;
    int Style = 0;
    qint32 Color = TrpBlack;
    int Charset = 1;
    TrpFontPitch Pitch = TrpFontPitch::fpDefault;
    TrpFontQuality Quality = TrpFontQuality::fqDefault;
    int Orientation = 0;

    const TrpPropertyList& properties() const override;
    bool operator==(const TrpFont& other) const;
};
