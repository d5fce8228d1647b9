#pragma once

#include "TrpBand.h"
#include "TrpTypes.h"

#include <QString>
#include <QStringList>
#include <memory>

class TrpComponent;
class TrpDataSet;
class TrpMemoView;
class TrpReport;
class TrpReportPage;

// The pieces every ticket template shares: the report settings, the data page, the 72 mm endless roll
// page, and memos with a font of their own.
namespace TicketTemplateParts {

// Printable width of the roll (70 mm) in report pixels.
inline constexpr double RollWidth = 264.5671;

// The day the designs were drawn (10 December 2026, as a day number from 30 December 1899).
inline constexpr double DesignDate = 46366;

// A report with the ticket settings: empty main script, no print dialog, "Default" printer.
std::unique_ptr<TrpReport> newReport();

// The data page "Data" and the page "Page1": 72 x 3276 mm, code 184, endless height, margins 1 / 1 / 30 /
// 7.5 mm. Callers change what differs.
TrpReportPage* addPages(TrpReport& report);

// Places a band of class T with the roll's fill and no frame.
template <class T> T* addBand(TrpComponent& page, const char* name, double top, double width, double height) {
    auto* band = page.Create<T>();
    band->SetName(QString::fromLatin1(name));
    band->SetTop(top);
    band->SetWidth(width);
    band->SetHeight(height);
    band->SetFillType(TrpFillType::ftBrush);
    band->FrameForEditing()->SetTyp(0);
    return band;
}

// Arial in black, character set 1, of the given pixel height; bold or regular.
void setFont(TrpComponent& object, int height, bool bold = false);

// A memo with its own font, no frame, its text given line by line.
TrpMemoView* addMemo(TrpComponent& band, const char* name, double left, double top, double width,
                     double height, int fontHeight, const QStringList& lines, bool bold = false);

// Binds a view to an adapter by DataSet and DataSetName, and to a field when one is given.
void bind(TrpMemoView& memo, TrpDataSet& dataSet, const QString& field = QString());

} // namespace TicketTemplateParts
