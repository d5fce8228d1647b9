#pragma once

#include "TrpCustomLineView.h"

// The line of ticket templates (element TrpLineView).
class TrpLineView : public TrpCustomLineView {
public:
    const char* ClassName() const override { return "TrpLineView"; }
    const TrpPropertyList& properties() const override;
};
