#pragma once

#include "TrpPersistent.h"
#include "TrpTypes.h"

// One side of a frame: its own colour, style and width (pixels).
class TrpFrameLine : public TrpPersistent {
public:
    qint32 Color = TrpBlack;
    TrpFrameStyle Style = TrpFrameStyle::fsSolid;
    double Width = 1;

    const TrpPropertyList& properties() const override;
    bool operator==(const TrpFrameLine& other) const {
        return Color == other.Color && Style == other.Style && Width == other.Width;
    }
};
