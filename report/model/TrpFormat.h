#pragma once

#include "TrpPersistent.h"
#include "TrpTypes.h"

// How one expression of a memo is formatted: the kind, the pattern and optional one-character
// separators that replace those of the regional settings (empty: leave as produced).
class TrpFormat : public TrpPersistent {
public:
    QString DecimalSeparator;
    QString FormatStr;
    TrpFormatKind Kind = TrpFormatKind::fkText;
    QString ThousandSeparator;

    const TrpPropertyList& properties() const override;
    bool operator==(const TrpFormat& other) const {
        return DecimalSeparator == other.DecimalSeparator && FormatStr == other.FormatStr &&
               Kind == other.Kind && ThousandSeparator == other.ThousandSeparator;
    }
};
