#pragma once

#include "TrpReport.h"
#include "TrpTypes.h"

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

class TrpDBDataset;
class TrpReportPage;

// What the ticket template tests expect of a template file, and the checks that compare a loaded template
// with it.
namespace TemplateExpectations {

// Shorthands the expectation tables are written in.
constexpr TrpHAlign Left = TrpHAlign::haLeft;
constexpr TrpHAlign Center = TrpHAlign::haCenter;
constexpr TrpHAlign Right = TrpHAlign::haRight;
constexpr TrpStretchMode Fixed = TrpStretchMode::smDontStretch;
constexpr TrpStretchMode Grows = TrpStretchMode::smActualHeight;
constexpr int Bottom = TrpFrameTyp::ftBottom;
constexpr bool Bold = true;

struct Band {
    const char* name;
    const char* className;
    double top;
    double height;
    double width;
    bool stretched = false;
    const char* dataSet = ""; // data bands: the adapter they repeat over
    int fontHeight = 0;       // a font of the band's own; 0: the page's
};

struct View {
    const char* band;
    QByteArray name;
    const char* className;
    double left;
    double top;
    double width;
    double height;
    int fontHeight = 0; // memos only
    bool bold = false;
    TrpHAlign hAlign = TrpHAlign::haLeft;
    int frameTyp = 0;
    TrpStretchMode stretchMode = TrpStretchMode::smDontStretch;
    QString dataSet;
    QString dataField;
    QStringList text;
};

// The adapters the order tickets name, owned by a stand-in window.
class Adapters {
public:
    Adapters();
    ~Adapters();
    QObject& window() { return m_window; }
    // "repDS_KitchenOrders", "repDS_OrdersMaster" or "repDS_PackagingOrders".
    TrpDBDataset& dataSet(const QString& name);

private:
    QObject m_window;
    std::vector<std::unique_ptr<TrpDBDataset>> m_dataSets;
};

// The path of a template file in the source tree.
QString templatePath(const QString& fileName);
// Reads a template file into a new report owned by the adapters' window; expects no error lines.
std::unique_ptr<TrpReport> load(const QString& fileName, Adapters& adapters);

// The settings every ticket template shares (script, print and preview options), and its Datasets.
void expectReportSettings(const TrpReport& report, const QStringList& dataSets);
// The data page, then Page1 with its paper and margins; pageFontHeight 0: the page keeps the report's font.
const TrpReportPage* expectPages(const TrpReport& report, int paperSize, double leftMargin, double topMargin,
                                 int pageFontHeight);
// The page's bands, in the order of the file, and their properties.
void expectBands(const TrpReportPage& page, const std::vector<Band>& bands);
// Each band's views, in the order of the file, and their properties.
void expectViews(const TrpReport& report, const std::vector<Band>& bands, const std::vector<View>& views);

// A view of the list by name, for tables derived from another.
View& find(std::vector<View>& views, const char* name);

} // namespace TemplateExpectations
