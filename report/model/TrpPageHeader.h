#pragma once

#include "TrpBand.h"

// The band at the top of every page (element TrpPageHeader).
class TrpPageHeader : public TrpBand {
public:
    const char* ClassName() const override { return "TrpPageHeader"; }

    bool PrintOnFirstPage() const { return m_printOnFirstPage; }
    void SetPrintOnFirstPage(bool value) { m_printOnFirstPage = value; }

    const TrpPropertyList& properties() const override;

private:
    bool m_printOnFirstPage = true;
};
