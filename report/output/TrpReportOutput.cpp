// The report's output operations: printing the prepared pages and showing them in the preview window.

#include "TrpPreviewHook.h"
#include "TrpPreviewPages.h"
#include "TrpPreviewPagesSource.h"
#include "TrpReport.h"
#include "TrpReportPrinter.h"

bool TrpReport::Print(const TrpDocumentPrinted& printed) {
    const TrpPreviewPagesSource pages(PreviewPages());
    return TrpReportPrinter::Print(
        *this, pages, 1, [this] { return Terminated(); }, printed);
}

void TrpReport::ShowReport(bool clearLastReport) {
    if (clearLastReport) {
        PreviewPages().Clear();
    }
    const TrpPreviewPagesSource pages(PreviewPages());
    TrpPreviewHook::show(*this, pages, [this] { PrepareReport(false); });
}
