#pragma once

#include "ReportTestSupport.h"
#include "TrpEngine.h"
#include "TrpJsonData.h"
#include "TrpPreviewPages.h"

#include <QDateTime>
#include <memory>

// A report loaded from a template with in-memory adapters, prepared at a fixed clock.
struct PreparedTicket {
    std::unique_ptr<TrpJsonData> data;
    std::unique_ptr<TrpReport> report;
    bool prepared = false;

    const TrpPreviewPages& pages() const { return report->PreviewPages(); }
    // The band of that name on a page (the first one placed), nullptr when absent.
    const TrpPreparedBand* band(const QString& name, int page = 0, int occurrence = 0) const;
    const TrpPreparedView* view(const TrpPreparedBand& band, const QString& name) const;
};

namespace EngineTest {

// 25 December 2020, 19:05.
QDateTime christmasEvening();

// Adapters from `json`, then the template, then PrepareReport at `now`. Error lines are not reported.
PreparedTicket prepare(const QByteArray& templateXml, const QByteArray& json,
                       const QDateTime& now = christmasEvening(),
                       const std::function<void(TrpReport&)>& beforePrepare = {});

// The kitchen ticket fixture with one order header row and the given item rows (a JSON array).
QByteArray kitchenData(const QByteArray& itemRows, const QByteArray& masterRow = QByteArray());

} // namespace EngineTest
