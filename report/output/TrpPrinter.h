#pragma once

#include "TrpCustomPrinter.h"

// An installed printer, reached through the process's print spooler.
class TrpPrinter final : public TrpCustomPrinter {
public:
    using TrpCustomPrinter::TrpCustomPrinter;

    bool Init() override;
};
