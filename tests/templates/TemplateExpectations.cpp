#include "TemplateExpectations.h"

#include "ReportTestSupport.h"
#include "TrpBand.h"
#include "TrpDBDataset.h"
#include "TrpDataBand.h"
#include "TrpDataPage.h"
#include "TrpMemoView.h"
#include "TrpReportPage.h"
#include "TrpStretcheable.h"

#include <QDir>
#include <gtest/gtest.h>

namespace TemplateExpectations {

Adapters::Adapters() {
    m_window.setObjectName(QStringLiteral("MainForm"));
    for (const char* name : {"repDS_KitchenOrders", "repDS_OrdersMaster", "repDS_PackagingOrders"}) {
        auto dataSet = std::make_unique<TrpDBDataset>(&m_window);
        dataSet->SetName(QString::fromLatin1(name));
        m_dataSets.push_back(std::move(dataSet));
    }
}

Adapters::~Adapters() = default;

TrpDBDataset& Adapters::dataSet(const QString& name) {
    for (const auto& d : m_dataSets) {
        if (d->Name() == name) {
            return *d;
        }
    }
    throw std::invalid_argument("no adapter " + name.toStdString());
}

QString templatePath(const QString& fileName) {
    return QDir(qEnvironmentVariable("VELORIA_SOURCE_DIR")).filePath(QStringLiteral("templates/") + fileName);
}

std::unique_ptr<TrpReport> load(const QString& fileName, Adapters& adapters) {
    const ReportTest::CapturedErrorBox box;
    auto report = std::make_unique<TrpReport>();
    report->SetOwner(&adapters.window());
    EXPECT_TRUE(report->LoadFromFile(templatePath(fileName))) << fileName.toStdString();
    EXPECT_EQ(report->Errors(), QStringList());
    EXPECT_EQ(box.texts(), QStringList());
    return report;
}

void expectReportSettings(const TrpReport& report, const QStringList& dataSets) {
    EXPECT_EQ(report.ScriptLanguage(), "PascalScript");
    EXPECT_EQ(report.ScriptText(), (QStringList{"begin", "", "end."}));
    EXPECT_EQ(report.PrintOptions().Printer, "Default");
    EXPECT_FALSE(report.PrintOptions().ShowDialog);
    EXPECT_EQ(report.PrintOptions().PrintOnSheet, 0);
    EXPECT_EQ(report.PreviewOptions().Zoom, 1);
    EXPECT_EQ(report.PreviewOptions().Buttons, 4095);
    QStringList written;
    for (const auto& item : report.Datasets()) {
        // Named twice: by the reference and by DataSetName.
        ASSERT_NE(item->DataSet(), nullptr) << item->DataSetName().toStdString();
        EXPECT_EQ(item->DataSet()->Name(), item->DataSetName());
        written << item->DataSetName();
    }
    EXPECT_EQ(written, dataSets);
}

const TrpReportPage* expectPages(const TrpReport& report, int paperSize, double leftMargin, double topMargin,
                                 int pageFontHeight) {
    const auto& pages = report.Objects();
    EXPECT_EQ(pages.size(), 2u);
    if (pages.size() != 2) {
        return nullptr;
    }
    const auto* data = dynamic_cast<const TrpDataPage*>(pages[0].get());
    EXPECT_NE(data, nullptr);
    if (data != nullptr) {
        EXPECT_EQ(data->Name(), "Data");
        EXPECT_EQ(data->Width(), 1000);
        EXPECT_EQ(data->Height(), 1000);
    }
    const auto* page = dynamic_cast<const TrpReportPage*>(pages[1].get());
    EXPECT_NE(page, nullptr);
    if (page == nullptr) {
        return nullptr;
    }
    EXPECT_EQ(page->Name(), "Page1");
    EXPECT_DOUBLE_EQ(page->PaperWidth(), 72);
    EXPECT_DOUBLE_EQ(page->PaperHeight(), 3276);
    EXPECT_EQ(page->PaperSize(), paperSize);
    EXPECT_TRUE(page->EndlessHeight());
    EXPECT_DOUBLE_EQ(page->LeftMargin(), leftMargin);
    EXPECT_DOUBLE_EQ(page->RightMargin(), 1);
    EXPECT_DOUBLE_EQ(page->TopMargin(), topMargin);
    EXPECT_DOUBLE_EQ(page->BottomMargin(), 7.5);
    EXPECT_EQ(page->Frame().Typ(), 0);
    EXPECT_EQ(page->MirrorMode(), 0);
    EXPECT_EQ(page->ParentFont(), pageFontHeight == 0);
    EXPECT_EQ(page->Font().Name, "Arial");
    EXPECT_EQ(page->Font().Height, pageFontHeight == 0 ? -13 : pageFontHeight);
    EXPECT_EQ(page->Font().Color, TrpBlack);
    EXPECT_EQ(page->Font().Charset, 1);
    return page;
}

void expectBands(const TrpReportPage& page, const std::vector<Band>& bands) {
    QStringList expectedNames;
    for (const Band& b : bands) {
        expectedNames << QString::fromLatin1(b.name);
    }
    QStringList names;
    for (const auto& child : page.Objects()) {
        names << child->Name();
    }
    ASSERT_EQ(names, expectedNames);
    for (size_t i = 0; i < bands.size(); ++i) {
        const Band& e = bands[i];
        SCOPED_TRACE(e.name);
        const auto* band = dynamic_cast<const TrpBand*>(page.Objects()[i].get());
        ASSERT_NE(band, nullptr);
        EXPECT_STREQ(band->ClassName(), e.className);
        EXPECT_DOUBLE_EQ(band->Left(), 0);
        EXPECT_DOUBLE_EQ(band->Top(), e.top);
        EXPECT_DOUBLE_EQ(band->Height(), e.height);
        EXPECT_DOUBLE_EQ(band->Width(), e.width);
        EXPECT_EQ(band->Stretched(), e.stretched);
        EXPECT_EQ(band->FillType(), TrpFillType::ftBrush);
        EXPECT_EQ(band->Frame().Typ(), 0);
        EXPECT_EQ(band->ParentFont(), e.fontHeight == 0);
        if (e.fontHeight != 0) {
            EXPECT_EQ(band->Font().Name, "Arial");
            EXPECT_EQ(band->Font().Height, e.fontHeight);
            EXPECT_EQ(band->Font().Style, 0);
        }
        if (const auto* data = dynamic_cast<const TrpDataBand*>(band)) {
            EXPECT_EQ(data->RowCount(), 0);
            EXPECT_EQ(data->DataSetName(), e.dataSet);
            ASSERT_NE(data->DataSet(), nullptr);
            EXPECT_EQ(data->DataSet()->Name(), e.dataSet);
        }
    }
}

namespace {

void expectView(const TrpComponent& object, const View& e) {
    SCOPED_TRACE(e.name.constData());
    EXPECT_STREQ(object.ClassName(), e.className);
    EXPECT_DOUBLE_EQ(object.Left(), e.left);
    EXPECT_DOUBLE_EQ(object.Top(), e.top);
    EXPECT_DOUBLE_EQ(object.Width(), e.width);
    EXPECT_DOUBLE_EQ(object.Height(), e.height);
    const auto* view = dynamic_cast<const TrpStretcheable*>(&object);
    ASSERT_NE(view, nullptr);
    EXPECT_TRUE(view->AllowVectorExport());
    EXPECT_EQ(view->Frame().Typ(), e.frameTyp);
    EXPECT_EQ(view->StretchMode(), e.stretchMode);
    EXPECT_EQ(view->DataSetName(), e.dataSet);
    EXPECT_EQ(view->DataSet() != nullptr ? view->DataSet()->Name() : QString(), e.dataSet);
    EXPECT_EQ(view->DataField(), e.dataField);

    const auto* memo = dynamic_cast<const TrpMemoView*>(&object);
    if (memo == nullptr) {
        return;
    }
    EXPECT_FALSE(memo->ParentFont());
    EXPECT_EQ(memo->Font().Name, "Arial");
    EXPECT_EQ(memo->Font().Height, e.fontHeight);
    EXPECT_EQ(memo->Font().Style, e.bold ? TrpFontStyle::fsBold : 0);
    EXPECT_EQ(memo->Font().Color, TrpBlack);
    EXPECT_EQ(memo->Font().Charset, 1);
    EXPECT_EQ(memo->HAlign(), e.hAlign);
    EXPECT_EQ(memo->FillType(), TrpFillType::ftBrush);
    EXPECT_EQ(memo->Memo(), e.text);
}

} // namespace

void expectViews(const TrpReport& report, const std::vector<Band>& bands, const std::vector<View>& views) {
    for (const Band& b : bands) {
        SCOPED_TRACE(b.name);
        const TrpComponent* band = report.FindObject(QString::fromLatin1(b.name));
        ASSERT_NE(band, nullptr);
        std::vector<const View*> expected;
        QStringList expectedNames;
        for (const View& v : views) {
            if (qstrcmp(v.band, b.name) == 0) {
                expected.push_back(&v);
                expectedNames << QString::fromLatin1(v.name);
            }
        }
        QStringList names;
        for (const auto& child : band->Objects()) {
            names << child->Name();
        }
        ASSERT_EQ(names, expectedNames);
        for (size_t i = 0; i < expected.size(); ++i) {
            expectView(*band->Objects()[i], *expected[i]);
        }
    }
}

View& find(std::vector<View>& views, const char* name) {
    for (View& v : views) {
        if (v.name == name) {
            return v;
        }
    }
    ADD_FAILURE() << "no view " << name;
    return views.front();
}

} // namespace TemplateExpectations
