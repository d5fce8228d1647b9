#pragma once

#include "TrpDataBand.h"

// The data band of ticket templates (element TrpMasterData).
class TrpMasterData : public TrpDataBand {
public:
    const char* ClassName() const override { return "TrpMasterData"; }
};
