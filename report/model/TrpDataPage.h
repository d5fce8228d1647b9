#pragma once

#include "TrpPage.h"

// The report's first child, holding dataset and dialog components in a full template; empty here.
class TrpDataPage : public TrpPage {
public:
    TrpDataPage();

    const char* ClassName() const override { return "TrpDataPage"; }
    const TrpPropertyList& properties() const override;
};
