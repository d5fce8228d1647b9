#pragma once

#include "TrpPersistent.h"
#include "TrpTypes.h"

// Preparation options. NewSilentMode decides how collected error lines are reported (TrpReport).
class TrpEngineOptions : public TrpPersistent {
public:
    bool ConvertNulls = true;
    bool DoublePass = false;
    bool IgnoreDevByZero = false;
    bool IgnoreExprError = false;
    TrpSilentMode NewSilentMode = TrpSilentMode::simMessageBoxes;
    bool PrintIfEmpty = true;

    const TrpPropertyList& properties() const override;
};
