#pragma once

#include "TrpBand.h"

// The band after the data of the last page (element TrpReportSummary).
class TrpReportSummary : public TrpBand {
public:
    const char* ClassName() const override { return "TrpReportSummary"; }

    bool PrintAtBottom() const { return m_printAtBottom; }
    void SetPrintAtBottom(bool value) { m_printAtBottom = value; }
    bool StartNewPage() const { return m_startNewPage; }
    void SetStartNewPage(bool value) { m_startNewPage = value; }
    bool AllowSplit() const { return m_allowSplit; }
    void SetAllowSplit(bool value) { m_allowSplit = value; }

    const TrpPropertyList& properties() const override;

private:
    bool m_printAtBottom = false;
    bool m_startNewPage = false;
    bool m_allowSplit = false;
};
