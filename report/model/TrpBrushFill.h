#pragma once

#include "TrpPersistent.h"
#include "TrpTypes.h"

// The brush background of a band or memo (fill type ftBrush): no background colour by default.
class TrpBrushFill : public TrpPersistent {
public:
    qint32 BackColor = TrpNoColor;
    qint32 ForeColor = TrpBlack;
    TrpBrushStyle Style = TrpBrushStyle::bsSolid;

    const TrpPropertyList& properties() const override;
    bool operator==(const TrpBrushFill& other) const {
        return BackColor == other.BackColor && ForeColor == other.ForeColor && Style == other.Style;
    }
};
