#include "TrpEngine.h"

#include "TrpCustomMemoView.h"
#include "TrpDataBand.h"
#include "TrpDataSet.h"
#include "TrpGeometryCheck.h"
#include "TrpPageFooter.h"
#include "TrpPageHeader.h"
#include "TrpPictureView.h"
#include "TrpPreviewPages.h"
#include "TrpReport.h"
#include "TrpReportPage.h"
#include "TrpReportSummary.h"
#include "TrpView.h"

#include <QPointer>
#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

// An endless page never runs out of space.
constexpr double EndlessFreeSpace = 1000000;

// Data bands are ordered by their Top as "%9.2f" writes it: bands whose Top prints alike count as one.
QString topKey(double top) {
    char text[64];
    std::snprintf(text, sizeof text, "%9.2f", top);
    return QString::fromLatin1(text);
}

std::vector<TrpView*> viewsOf(const TrpBand& band) {
    std::vector<TrpView*> views;
    views.reserve(band.Objects().size());
    for (const auto& child : band.Objects()) {
        if (auto* view = dynamic_cast<TrpView*>(child.get())) {
            views.push_back(view);
        }
    }
    return views;
}

} // namespace

TrpEngine::TrpEngine(TrpReport& report) : m_report(report) {}

TrpEngine::~TrpEngine() = default;

int TrpEngine::CurrentPageIndex() const {
    return m_report.PreviewPages().Count() - 1;
}

bool TrpEngine::endless() const {
    return m_page != nullptr && m_page->EndlessHeight();
}

bool TrpEngine::Run(bool, bool, TrpReportPage*) {
    // Sizes no printer can take would lay out an empty or endless page that still counts as printed.
    const QStringList unprintable = TrpGeometryCheck::problems(m_report);
    if (!unprintable.isEmpty()) {
        for (const QString& line : unprintable) {
            m_report.AddError(line);
        }
        return false;
    }
    m_previousFooterHeight = 0;
    const QDateTime now = m_clock ? m_clock() : QDateTime::currentDateTime();
    m_startDate = QDateTime(now.date(), QTime(0, 0));
    m_startTime = QDateTime(QDate(1899, 12, 30), now.time());
    m_running = true;
    m_shiftTrees.clear();
    TrpPreviewPages& pages = m_report.PreviewPages();

    std::vector<TrpDataSet*> adapters;
    for (const auto& item : m_report.Datasets()) {
        if (TrpDataSet* ds = item->DataSet()) {
            adapters.push_back(ds);
        }
    }
    // Every adapter the layout may reach reports its error lines to this report, also one that a band or
    // a memo names without the report listing it; none keeps pointing at the report after the run.
    std::vector<QPointer<TrpDataSet>> served(adapters.begin(), adapters.end());
    m_report.ForEachObject([&served](TrpComponent& object) {
        TrpDataSet* ds = nullptr;
        if (const auto* band = dynamic_cast<const TrpDataBand*>(&object)) {
            ds = band->DataSet();
        } else if (const auto* view = dynamic_cast<const TrpView*>(&object)) {
            ds = view->DataSet();
        }
        if (ds != nullptr && std::find(served.begin(), served.end(), ds) == served.end()) {
            served.push_back(ds);
        }
    });
    for (TrpDataSet* ds : served) {
        ds->SetReport(&m_report);
    }
    const auto finish = [&] {
        for (TrpDataSet* ds : adapters) {
            try {
                ds->Finalize();
            } catch (const std::exception&) {
                // Returning a query to its row must not hide the error that ended the layout.
            }
        }
        for (TrpDataSet* ds : served) {
            if (ds != nullptr) {
                ds->SetReport(nullptr);
            }
        }
        m_running = false;
        m_currentBand = nullptr;
        m_page = nullptr;
        m_bands = PageBands{};
        m_shiftTrees.clear();
        pages.Finish();
    };
    try {
        for (TrpDataSet* ds : adapters) {
            ds->Initialize();
        }
        std::vector<TrpReportPage*> reportPages;
        for (const auto& child : m_report.Objects()) {
            if (auto* page = dynamic_cast<TrpReportPage*>(child.get())) {
                reportPages.push_back(page);
                pages.AddSourcePage(*page);
            }
        }
        for (TrpReportPage* page : reportPages) {
            if (m_report.Terminated()) {
                break;
            }
            if (page->Visible()) {
                layoutPage(*page);
            }
        }
    } catch (...) {
        finish();
        throw;
    }
    finish();
    return true;
}

TrpEngine::PageBands TrpEngine::buildBandLists(TrpReportPage& page) const {
    PageBands bands;
    std::vector<std::pair<QString, TrpDataBand*>> data;
    for (const auto& child : page.Objects()) {
        TrpComponent* object = child.get();
        if (auto* header = dynamic_cast<TrpPageHeader*>(object)) {
            bands.header = bands.header != nullptr ? bands.header : header;
        } else if (auto* footer = dynamic_cast<TrpPageFooter*>(object)) {
            bands.footer = bands.footer != nullptr ? bands.footer : footer;
        } else if (auto* summary = dynamic_cast<TrpReportSummary*>(object)) {
            bands.summary = bands.summary != nullptr ? bands.summary : summary;
        } else if (auto* band = dynamic_cast<TrpDataBand*>(object)) {
            const QString key = topKey(band->Top());
            const bool taken =
                std::any_of(data.begin(), data.end(), [&](const auto& d) { return d.first == key; });
            if (!taken) {
                data.emplace_back(key, band);
            }
        }
    }
    std::stable_sort(data.begin(), data.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    for (const auto& [key, band] : data) {
        if (band->Visible()) {
            bands.dataBands.push_back(band);
        }
    }
    return bands;
}

void TrpEngine::layoutPage(TrpReportPage& page) {
    m_page = &page;
    m_bands = buildBandLists(page);
    if (!page.PrintIfEmpty() || !m_report.EngineOptions().PrintIfEmpty) {
        bool anyRow = false;
        for (TrpDataBand* band : m_bands.dataBands) {
            if (TrpDataSet* ds = band->DataSet()) {
                ds->First();
                anyRow = anyRow || !ds->Eof();
            } else {
                anyRow = anyRow || band->RowCount() > 0;
            }
        }
        if (!anyRow) {
            return;
        }
    }
    startPage();
    for (TrpDataBand* band : m_bands.dataBands) {
        if (m_report.Terminated()) {
            break;
        }
        runDataBand(*band);
    }
    m_lastPage = true;
    if (endless()) {
        PageHeight = FooterHeight() + CurY;
        m_report.PreviewPages().UpdatePageDimensions(
            page, GetPageHeight() + (page.TopMargin() + page.BottomMargin()) * TrpPixelsPerMm,
            page.PaperWidth() * TrpPixelsPerMm);
    }
    EndPage();
    m_lastPage = false;
}

void TrpEngine::startPage() {
    PageHeight = (m_page->PaperHeight() - m_page->TopMargin() - m_page->BottomMargin()) * TrpPixelsPerMm;
    PageWidth = (m_page->PaperWidth() - m_page->LeftMargin() - m_page->RightMargin()) * TrpPixelsPerMm;
    CurX = 0;
    CurY = 0;
    m_firstPage = true;
    m_lastPage = false;
    m_report.PreviewPages().AddPage(*m_page);
    m_bodyBandsOnPage = 0;
    showHeaders();
}

void TrpEngine::showHeaders() {
    TrpPageHeader* header = m_bands.header;
    if (header == nullptr || (m_firstPage && !header->PrintOnFirstPage()) ||
        m_report.PreviewPages().BandExists(*header)) {
        return;
    }
    m_showingHeaders = true;
    try {
        ShowBand(header);
    } catch (...) {
        m_showingHeaders = false;
        throw;
    }
    m_showingHeaders = false;
}

void TrpEngine::runDataBand(TrpDataBand& band) {
    TrpDataSet* ds = band.DataSet();
    // Without an adapter, RowCount empty rows; with neither, nothing.
    if (ds == nullptr && band.RowCount() <= 0) {
        return;
    }
    if (ds != nullptr) {
        ds->First();
    }
    int row = 1;
    while (ds != nullptr ? !ds->Eof() : row <= band.RowCount()) {
        CurLine = row;
        CurLineThrough = row;
        ShowBand(&band);
        ++row;
        if (ds != nullptr) {
            ds->Next();
        }
        if ((band.RowCount() > 0 && row > band.RowCount()) || m_report.Terminated()) {
            break;
        }
    }
}

bool TrpEngine::pageHasBody() const {
    return m_bodyBandsOnPage > 0;
}

void TrpEngine::ShowBand(TrpBand* band) {
    Stretch(band);
    try {
        if (band->Visible()) {
            if (!endless() && !m_showingHeaders) {
                const auto* dataBand = dynamic_cast<const TrpDataBand*>(band);
                const bool startNew = dataBand != nullptr && dataBand->StartNewPage() && CurLine > 1;
                // A band that does not fit an empty page is placed there anyway: breaking again would
                // never end.
                if ((startNew || band->Height() > FreeSpace()) && pageHasBody()) {
                    NewPage();
                }
            }
            band->SetLeft(CurX);
            band->SetTop(CurY);
            m_report.PreviewPages().AddObject(*band);
            if (!m_showingHeaders) {
                ++m_bodyBandsOnPage;
            }
            CurY += band->Height();
        }
    } catch (...) {
        UnStretch(band);
        throw;
    }
    UnStretch(band);
}

const TrpShiftTree& TrpEngine::shiftTree(TrpBand& band) {
    auto it = m_shiftTrees.find(&band);
    if (it == m_shiftTrees.end()) {
        it = m_shiftTrees.emplace(&band, TrpShiftTree(band)).first;
    }
    return it->second;
}

void TrpEngine::Stretch(TrpBand* band) {
    m_currentBand = band;
    const TrpShiftTree& tree = shiftTree(*band);
    band->BeforePrint();
    const std::vector<TrpView*> views = viewsOf(*band);
    for (TrpView* view : views) {
        view->BeforePrint();
    }
    for (TrpView* view : views) {
        if (band->Visible() && view->Visible()) {
            view->GetData();
        }
    }
    bool changed = false;
    for (TrpView* view : views) {
        auto* stretcheable = dynamic_cast<TrpStretcheable*>(view);
        const bool stretches = dynamic_cast<TrpCustomMemoView*>(view) != nullptr ||
                               dynamic_cast<TrpPictureView*>(view) != nullptr;
        if (!stretches || !view->Visible()) {
            continue;
        }
        const bool grows = stretcheable->StretchMode() != TrpStretchMode::smDontStretch;
        if (!grows && !stretcheable->CanShrink()) {
            continue;
        }
        const double h = stretcheable->CalcHeight();
        const double height = stretcheable->Height();
        if ((grows && height < h) || (stretcheable->CanShrink() && height > h)) {
            if (std::fabs(h - height) > 0.0001) {
                stretcheable->SetHeight(h);
                changed = true;
            }
        }
    }
    if (changed) {
        tree.apply();
    }
    double bottom = 0;
    for (const TrpView* view : views) {
        bottom = std::max(bottom, view->Top() + view->Height());
    }
    if (band->Stretched()) {
        band->SetHeight(bottom);
    }
    for (TrpView* view : views) {
        auto* stretcheable = dynamic_cast<TrpStretcheable*>(view);
        if (stretcheable != nullptr && stretcheable->StretchMode() == TrpStretchMode::smMaxHeight) {
            view->SetHeight(band->Height() - view->Top());
        }
    }
}

void TrpEngine::UnStretch(TrpBand* band) {
    for (TrpView* view : viewsOf(*band)) {
        view->AfterPrint();
    }
    band->AfterPrint();
}

void TrpEngine::EndPage() {
    TrpPreviewPages& pages = m_report.PreviewPages();
    if (m_lastPage && !m_calledFromEndPage) {
        m_calledFromEndPage = true;
        try {
            if (TrpReportSummary* summary = m_bands.summary) {
                ShowBand(summary);
                if (endless()) {
                    pages.UpdatePageDimensions(
                        *m_page,
                        GetPageHeight() + (m_page->TopMargin() + m_page->BottomMargin()) * TrpPixelsPerMm,
                        m_page->LeftMargin() * TrpPixelsPerMm + PageWidth +
                            m_page->RightMargin() * TrpPixelsPerMm);
                }
            }
        } catch (...) {
            m_calledFromEndPage = false;
            throw;
        }
        m_calledFromEndPage = false;
    }
    if (TrpPageFooter* footer = m_bands.footer) {
        CurY = GetPageHeight() - footer->Height();
        m_previousFooterHeight = m_lastPage && footer->PrintOnLastPage() ? footer->Height() : 0;
        Stretch(footer);
        try {
            if (footer->Visible()) {
                footer->SetLeft(0);
                footer->SetTop(CurY);
                bool skip = (m_firstPage && !footer->PrintOnFirstPage()) ||
                            (m_lastPage && !footer->PrintOnLastPage());
                if (footer->PrintOnSinglePage() && m_firstPage && m_lastPage) {
                    skip = false;
                }
                if (!skip && !pages.BandExists(*footer)) {
                    pages.AddObject(*footer);
                    CurY += footer->Height();
                }
            }
        } catch (...) {
            UnStretch(footer);
            throw;
        }
        UnStretch(footer);
    }
    m_firstPage = false;
}

void TrpEngine::NewPage() {
    const bool lastPage = m_lastPage;
    if (endless()) {
        m_report.PreviewPages().UpdatePageDimensions(
            *m_page, (CurY / TrpPixelsPerMm + m_page->TopMargin() + m_page->BottomMargin()) * TrpPixelsPerMm,
            (PageWidth / TrpPixelsPerMm + m_page->LeftMargin() + m_page->RightMargin()) * TrpPixelsPerMm);
    }
    // The page being left gets its footer at the bottom and no summary.
    m_lastPage = false;
    EndPage();
    m_lastPage = lastPage;
    m_report.PreviewPages().AddPage(*m_page);
    CurY = 0;
    m_bodyBandsOnPage = 0;
    showHeaders();
}

double TrpEngine::FooterHeight() const {
    // As designed, also for a footer that does not print: the page keeps its room.
    const TrpPageFooter* footer = m_bands.footer;
    return footer != nullptr ? footer->Height() : 0;
}

double TrpEngine::HeaderHeight() const {
    const TrpPageHeader* header = m_bands.header;
    return header != nullptr && header->Visible() ? header->Height() : 0;
}

double TrpEngine::GetPageHeight() const {
    return endless() ? FooterHeight() + CurY : PageHeight;
}

double TrpEngine::FreeSpace() const {
    if (endless()) {
        return EndlessFreeSpace;
    }
    if (m_previousFooterHeight > 0) {
        return PageHeight - m_previousFooterHeight - CurY;
    }
    return PageHeight - FooterHeight() - CurY;
}
