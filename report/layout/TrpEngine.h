#pragma once

#include "TrpShiftTree.h"

#include <QDateTime>
#include <functional>
#include <unordered_map>
#include <vector>

class TrpBand;
class TrpDataBand;
class TrpPageFooter;
class TrpPageHeader;
class TrpPreviewPages;
class TrpReport;
class TrpReportPage;
class TrpReportSummary;

// Lays a report's template out into prepared pages: the page header at the top, the master-data band
// once per row of its adapter, the report summary after the data, the page footer after that. Memos grow
// to their text and push the views below them down (TrpShiftTree); stretched bands end at their lowest
// view. An endless page is exactly as long as its content plus its margins; a fixed page breaks when a
// band does not fit, with the page header repeated and the footer at the bottom.
//
// Positions are report pixels, CurY relative to the top of the printable area.
class TrpEngine {
public:
    explicit TrpEngine(TrpReport& report);
    ~TrpEngine();
    TrpEngine(const TrpEngine&) = delete;
    TrpEngine& operator=(const TrpEngine&) = delete;

    // Lays out every visible report page into the report's PreviewPages. An error raised on the way ends
    // the layout and is passed on; the adapters are finalized and the pages made so far stay. False when
    // nothing was laid out.
    bool Run(bool runDialogs = false, bool clearLast = true, TrpReportPage* page = nullptr);

    void ShowBand(TrpBand* band);
    void Stretch(TrpBand* band);
    void UnStretch(TrpBand* band);
    void NewPage();
    void EndPage();
    double FreeSpace() const;
    double GetPageHeight() const;
    double HeaderHeight() const;
    double FooterHeight() const;

    double CurX = 0;
    double CurY = 0;
    double PageHeight = 0;
    double PageWidth = 0;
    int CurLine = 0;
    int CurLineThrough = 0;
    bool FinalPass = true;

    // Taken when a run begins: today at midnight, and the time of day on day zero (30 December 1899).
    const QDateTime& StartDate() const { return m_startDate; }
    const QDateTime& StartTime() const { return m_startTime; }
    bool Running() const { return m_running; }
    TrpBand* CurrentBand() const { return m_currentBand; }
    // The prepared page being filled, counted from 0.
    int CurrentPageIndex() const;

    // Replaces the clock read when a run begins (reproducible tickets in tests and tools); an empty
    // function restores the system clock.
    void SetClock(std::function<QDateTime()> clock) { m_clock = std::move(clock); }

private:
    struct PageBands {
        TrpPageHeader* header = nullptr;
        TrpPageFooter* footer = nullptr;
        TrpReportSummary* summary = nullptr;
        std::vector<TrpDataBand*> dataBands;
    };
    PageBands buildBandLists(TrpReportPage& page) const;
    void layoutPage(TrpReportPage& page);
    void runDataBand(TrpDataBand& band);
    void startPage();
    void showHeaders();
    const TrpShiftTree& shiftTree(TrpBand& band);
    bool endless() const;
    bool pageHasBody() const;

    TrpReport& m_report;
    std::function<QDateTime()> m_clock;
    QDateTime m_startDate;
    QDateTime m_startTime;
    bool m_running = false;
    TrpBand* m_currentBand = nullptr;
    TrpReportPage* m_page = nullptr;
    PageBands m_bands;
    bool m_firstPage = false;
    bool m_lastPage = false;
    bool m_calledFromEndPage = false;
    bool m_showingHeaders = false;
    int m_bodyBandsOnPage = 0;
    double m_previousFooterHeight = 0;
    std::unordered_map<const TrpBand*, TrpShiftTree> m_shiftTrees;
};
