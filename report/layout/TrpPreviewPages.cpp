#include "TrpPreviewPages.h"

#include "TrpBand.h"
#include "TrpNames.h"
#include "TrpPageFooter.h"
#include "TrpReportPage.h"

#include <cmath>

namespace {
double roundTo8Decimals(double value) {
    return std::nearbyint(value * 1e8) / 1e8;
}
} // namespace

void TrpPreviewPages::Clear() {
    m_sources.clear();
    m_pages.clear();
}

int TrpPreviewPages::sourceIndexOf(const TrpReportPage& page) const {
    for (size_t i = 0; i < m_sources.size(); ++i) {
        if (m_sources[i].page == &page) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

void TrpPreviewPages::AddSourcePage(const TrpReportPage& page) {
    if (sourceIndexOf(page) < 0) {
        m_sources.push_back(Source{&page, TrpPageSettings::of(page)});
    }
}

void TrpPreviewPages::AddPage(const TrpReportPage& page) {
    AddSourcePage(page);
    TrpPreviewPage prepared;
    prepared.sourceIndex = sourceIndexOf(page);
    m_pages.push_back(std::move(prepared));
}

void TrpPreviewPages::AddObject(const TrpBand& band) {
    if (m_pages.empty()) {
        return;
    }
    m_pages.back().bands.push_back(TrpPreparedBand::copy(band));
}

bool TrpPreviewPages::BandExists(const TrpBand& band) const {
    if (m_pages.empty()) {
        return false;
    }
    const bool footer = dynamic_cast<const TrpPageFooter*>(&band) != nullptr;
    for (const TrpPreparedBand& placed : m_pages.back().bands) {
        if (footer ? placed.className == QLatin1String(band.ClassName())
                   : TrpNames::same(placed.name, band.Name())) {
            return true;
        }
    }
    return false;
}

void TrpPreviewPages::UpdatePageDimensions(const TrpReportPage& page, double height, double width) {
    const int index = sourceIndexOf(page);
    if (index < 0) {
        return;
    }
    TrpPageSettings& s = m_sources[static_cast<size_t>(index)].settings;
    s.PaperSize = TrpCustomPaperSize;
    s.PaperWidth = roundTo8Decimals(width / TrpPixelsPerMm);
    s.PaperHeight = roundTo8Decimals(height / TrpPixelsPerMm);
}

void TrpPreviewPages::Finish() {
    for (Source& source : m_sources) {
        source.page = nullptr;
    }
}

const TrpPageSettings& TrpPreviewPages::GetPageSettings(int index) const {
    return m_sources.at(static_cast<size_t>(GetPage(index).sourceIndex)).settings;
}

QSizeF TrpPreviewPages::GetPageSize(int index) const {
    const TrpPageSettings& s = GetPageSettings(index);
    return QSizeF(s.PaperWidth, s.PaperHeight);
}
