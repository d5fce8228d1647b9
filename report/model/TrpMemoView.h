#pragma once

#include "TrpCustomMemoView.h"

// The memo of ticket templates (element TrpMemoView).
class TrpMemoView : public TrpCustomMemoView {
public:
    const char* ClassName() const override { return "TrpMemoView"; }
    const TrpPropertyList& properties() const override;
};
