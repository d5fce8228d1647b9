#pragma once

#include "TrpBand.h"

// The band at the foot of a page (element TrpPageFooter); on an endless page it follows the content.
class TrpPageFooter : public TrpBand {
public:
    const char* ClassName() const override { return "TrpPageFooter"; }

    bool PrintOnFirstPage() const { return m_printOnFirstPage; }
    void SetPrintOnFirstPage(bool value) { m_printOnFirstPage = value; }
    bool PrintOnLastPage() const { return m_printOnLastPage; }
    void SetPrintOnLastPage(bool value) { m_printOnLastPage = value; }
    bool PrintOnSinglePage() const { return m_printOnSinglePage; }
    void SetPrintOnSinglePage(bool value) { m_printOnSinglePage = value; }

    const TrpPropertyList& properties() const override;

private:
    bool m_printOnFirstPage = true;
    bool m_printOnLastPage = true;
    bool m_printOnSinglePage = false;
};
