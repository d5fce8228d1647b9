#pragma once

#include "TrpCustomPrinter.h"

// The printer the list holds when none is installed: 600 dots per inch, the standard papers, prints
// nothing.
class TrpVirtualPrinter final : public TrpCustomPrinter {
public:
    TrpVirtualPrinter() : TrpCustomPrinter(QStringLiteral("Virtual")) {}

    bool Init() override;
    bool isVirtual() const override { return true; }
};
