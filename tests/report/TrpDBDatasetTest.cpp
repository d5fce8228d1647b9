#include "TrpDBDataset.h"

#include "ReportTestSupport.h"
#include "TrpDataSource.h"
#include "TrpError.h"
#include "TrpGlobalDataSetList.h"
#include "TrpMasterData.h"
#include "TrpMemoView.h"
#include "TrpMemoryTable.h"

#include <QDateTime>
#include <gtest/gtest.h>

using ReportTest::document;
using ReportTest::pageWithBand;

namespace {

using Field = TrpMemoryTable::Field;

// Three rows of a kitchen order: a quantity, a Unicode long-text name and nullable remarks.
std::unique_ptr<TrpMemoryTable> kitchenOrders() {
    auto table =
        std::make_unique<TrpMemoryTable>(std::vector<Field>{{"QTY", TrpFieldKind::Integer},
                                                            {"Displayed_Name_PL", TrpFieldKind::WideMemo},
                                                            {"Remarks", TrpFieldKind::Memo},
                                                            {"Price", TrpFieldKind::Bcd},
                                                            {"Stamp", TrpFieldKind::Timestamp},
                                                            {"Served", TrpFieldKind::Boolean},
                                                            {"Big", TrpFieldKind::LargeInt}});
    table->appendRow({2, QString::fromUtf8("Żurek"), "no salt\r\nhot", 9.5,
                      QDateTime(QDate(2020, 12, 25), QTime(19, 5)), true, qlonglong(1) << 40});
    table->appendRow({1, "Soup", QVariant(), QVariant(), QVariant(), false, QVariant()});
    table->appendRow({3, "Tea", "", 1.25, QVariant(), false, 7});
    return table;
}

class DBDatasetTest : public ::testing::Test {
protected:
    void SetUp() override {
        window.setObjectName("MainForm");
        adapter = std::make_unique<TrpDBDataset>(&window);
        adapter->SetName("repDS_KitchenOrders");
        adapter->SetDataSet(table.get());
        report.SetCurrentObjectName("Memo7");
        adapter->SetReport(&report);
    }

    QStringList walk(const QString& alias) {
        QStringList values;
        adapter->Initialize();
        adapter->First();
        while (!adapter->Eof()) {
            values.append(adapter->GetDisplayText(alias));
            adapter->Next();
        }
        adapter->Finalize();
        return values;
    }

    QObject window;
    std::unique_ptr<TrpMemoryTable> table = kitchenOrders();
    TrpReport report;
    std::unique_ptr<TrpDBDataset> adapter;
};

TEST_F(DBDatasetTest, WalksEveryRowOnceAndLeavesAnOpenQueryOpen) {
    table->open();
    EXPECT_EQ(walk("QTY"), (QStringList{"2", "1", "3"}));
    EXPECT_TRUE(table->isOpen());
    EXPECT_EQ(table->openCount(), 1);
    // After the walk the query stands after its last row.
    EXPECT_TRUE(table->eof());
}

TEST_F(DBDatasetTest, OpensAClosedQueryAndClosesItOnlyWhenAsked) {
    EXPECT_EQ(walk("QTY").size(), 3);
    EXPECT_TRUE(table->isOpen());
    adapter->SetCloseDataSource(true);
    walk("QTY");
    EXPECT_FALSE(table->isOpen());
}

TEST_F(DBDatasetTest, EmptyQueryIsAtItsEndAtOnce) {
    TrpMemoryTable empty({{"QTY", TrpFieldKind::Integer}});
    adapter->SetDataSet(&empty);
    EXPECT_TRUE(walk("QTY").isEmpty());
    adapter->Initialize();
    EXPECT_TRUE(adapter->GetValue("QTY").isNull());
    adapter->Finalize();
}

TEST_F(DBDatasetTest, RangeOptions) {
    table->open();
    adapter->SetRangeEnd(TrpRangeEnd::reCount);
    adapter->SetRangeEndCount(2);
    EXPECT_EQ(walk("QTY"), (QStringList{"2", "1"}));

    // From the row current when the adapter opens, to the end; the query goes back there afterwards.
    adapter->SetRangeEnd(TrpRangeEnd::reLast);
    adapter->SetRangeBegin(TrpRangeBegin::rbCurrent);
    table->first();
    table->next();
    EXPECT_EQ(walk("QTY"), (QStringList{"1", "3"}));
    EXPECT_EQ(table->position(), 1);

    // Current row only.
    adapter->SetRangeEnd(TrpRangeEnd::reCurrent);
    EXPECT_EQ(walk("QTY"), (QStringList{"1"}));

    adapter->SetRangeBegin(TrpRangeBegin::rbFirst);
    adapter->SetRangeEnd(TrpRangeEnd::reCount);
    adapter->SetRangeEndCount(0);
    EXPECT_TRUE(walk("QTY").isEmpty());
}

TEST_F(DBDatasetTest, ValuesByFieldKind) {
    adapter->Initialize();
    adapter->First();
    EXPECT_EQ(adapter->GetValue("qty"), QVariant(2));
    EXPECT_EQ(adapter->GetValue("Displayed_Name_PL").toString(), QString::fromUtf8("Żurek"));
    EXPECT_EQ(adapter->GetValue("Price"), QVariant(9.5));
    EXPECT_EQ(adapter->GetValue("Stamp").toDateTime(), QDateTime(QDate(2020, 12, 25), QTime(19, 5)));
    EXPECT_EQ(adapter->GetValue("Big"), QVariant(qlonglong(1) << 40));
    adapter->Next();
    // A null long text is the empty string, never null; other null fields are null.
    const QVariant remarks = adapter->GetValue("Remarks");
    EXPECT_FALSE(remarks.isNull());
    EXPECT_EQ(remarks.toString(), QString());
    EXPECT_TRUE(adapter->GetValue("Price").isNull());
    EXPECT_TRUE(adapter->GetValue("Stamp").isNull());
    EXPECT_TRUE(adapter->GetValue("Big").isNull());
    EXPECT_EQ(adapter->GetDisplayText("QTY"), QString("1"));
    EXPECT_EQ(adapter->GetDisplayText("Served"), QString("False"));
    adapter->Finalize();
    EXPECT_TRUE(report.Errors().isEmpty());
}

TEST_F(DBDatasetTest, UnknownAliasIsNullWithTheErrorLine) {
    adapter->Initialize();
    adapter->First();
    EXPECT_TRUE(adapter->GetValue("Waiter").isNull());
    EXPECT_EQ(adapter->GetDisplayText("Waiter"), QString("Field not found: repDS_KitchenOrders.\"Waiter\""));
    adapter->Finalize();
    EXPECT_EQ(report.Errors(), QStringList{"Memo7: Field not found: repDS_KitchenOrders.\"Waiter\""});
}

TEST_F(DBDatasetTest, AliasesRenameAndHideFields) {
    adapter->SetFieldAliases({"QTY=Quantity", "-Remarks=Remarks", "Missing=Ghost", "Displayed_Name_PL=Name"});
    adapter->SetUserName("Orders");
    adapter->Initialize();
    adapter->First();
    EXPECT_EQ(adapter->GetFieldList(), (QStringList{"Ghost", "Name", "Quantity"}));
    EXPECT_EQ(adapter->GetValue("quantity"), QVariant(2));
    EXPECT_TRUE(adapter->GetValue("QTY").isNull());
    EXPECT_TRUE(adapter->GetValue("Remarks").isNull());
    EXPECT_TRUE(adapter->GetValue("Ghost").isNull());
    EXPECT_FALSE(adapter->IsBlobField("Remarks"));
    EXPECT_TRUE(adapter->IsBlobField("Name"));
    adapter->Finalize();
    // A missing field is reported under its field name.
    EXPECT_EQ(report.Errors(), (QStringList{"Memo7: Field not found: Orders.\"Missing\"",
                                            "Memo7: Field not found: Orders.\"QTY\"",
                                            "Memo7: Field not found: Orders.\"Remarks\""}));
}

TEST_F(DBDatasetTest, BlobsAndFieldTypes) {
    adapter->Initialize();
    adapter->First();
    QStringList lines;
    adapter->AssignBlobTo("Remarks", lines);
    EXPECT_EQ(lines, (QStringList{"no salt", "hot"}));
    QByteArray bytes;
    adapter->AssignBlobTo("Displayed_Name_PL", bytes);
    EXPECT_EQ(bytes, QString::fromUtf8("Żurek").toUtf8());
    adapter->Next();
    adapter->AssignBlobTo("Remarks", lines);
    EXPECT_TRUE(lines.isEmpty());
    adapter->Finalize();

    EXPECT_EQ(adapter->GetFieldType("Remarks"), TrpFieldType::fftString);
    EXPECT_EQ(adapter->GetFieldType("Displayed_Name_PL"), TrpFieldType::fftNumeric); // Unicode long text
    EXPECT_EQ(adapter->GetFieldType("Served"), TrpFieldType::fftBoolean);
    EXPECT_EQ(adapter->GetFieldType("QTY"), TrpFieldType::fftNumeric);
    EXPECT_EQ(adapter->GetFieldType("Nothing"), TrpFieldType::fftNumeric);
}

TEST_F(DBDatasetTest, WithoutSourceItIsNotConnected) {
    adapter->SetDataSet(nullptr);
    try {
        adapter->Initialize();
        FAIL() << "no error";
    } catch (const TrpError& e) {
        EXPECT_EQ(e.message(), QString("DataSet repDS_KitchenOrders is not connected to data"));
    }
    EXPECT_EQ(adapter->GetFieldType("QTY"), TrpFieldType::fftNumeric);
    // The data source's query serves as well; setting it clears DataSet.
    TrpDataSource source(table.get());
    adapter->SetDataSet(table.get());
    adapter->SetDataSource(&source);
    EXPECT_EQ(adapter->DataSet(), nullptr);
    EXPECT_EQ(walk("QTY").size(), 3);
}

TEST_F(DBDatasetTest, ClosingTheQueryMakesTheAdapterReopen) {
    adapter->Initialize();
    adapter->First();
    EXPECT_TRUE(adapter->IsOpened());
    table->close();
    EXPECT_FALSE(adapter->IsOpened());
    EXPECT_EQ(adapter->GetValue("QTY"), QVariant(2)); // reopened the query
    adapter->Finalize();
}

TEST(DataSetNames, UserNameDefaultsToTheComponentNameAndCannotBeBlank) {
    TrpDBDataset adapter;
    adapter.SetName("repDS_OrdersMaster");
    EXPECT_EQ(adapter.UserName(), QString("repDS_OrdersMaster"));
    EXPECT_THROW(adapter.SetUserName("  "), TrpError);
    EXPECT_EQ(adapter.UserName(), QString("repDS_OrdersMaster"));
}

TEST(DataSetNames, GlobalListFollowsCreationAndDestruction) {
    const size_t before = TrpGlobalDataSetList::items().size();
    auto first = std::make_unique<TrpDBDataset>();
    auto second = std::make_unique<TrpDBDataset>();
    ASSERT_EQ(TrpGlobalDataSetList::items().size(), before + 2);
    EXPECT_EQ(TrpGlobalDataSetList::items()[before], first.get());
    first.reset();
    EXPECT_EQ(TrpGlobalDataSetList::items().back(), second.get());
    EXPECT_EQ(TrpGlobalDataSetList::items().size(), before + 1);
}

TEST(DataSetNames, FindDataSetFirstCreatedWinsIgnoringCase) {
    QObject mainForm;
    mainForm.setObjectName("MainForm");
    QObject stations;
    stations.setObjectName("StationsMgtForm");
    TrpDBDataset first(&mainForm);
    first.SetName("repDS_KitchenOrders");
    TrpDBDataset second(&stations);
    second.SetName("repDS_KitchenOrders");
    TrpReport report;
    EXPECT_EQ(TrpReport::FindDataSet(&report, nullptr, "REPDS_KITCHENORDERS"), &first);
    EXPECT_EQ(TrpReport::FindDataSet(&report, &second, "unknown"), &second); // keeps what it held
    EXPECT_EQ(TrpReport::FindDataSet(&report, &second, ""), nullptr);
    // An adapter kept inside another report is skipped.
    TrpReport other;
    first.SetOwnerReport(&other);
    EXPECT_EQ(TrpReport::FindDataSet(&report, nullptr, "repDS_KitchenOrders"), &second);
}

TEST(DataSetNames, TemplateBindsItsDatasetsByNameAndReference) {
    QObject mainForm;
    mainForm.setObjectName("MainForm");
    QObject other;
    other.setObjectName("OtherForm");
    TrpDBDataset orders(&mainForm);
    orders.SetName("repDS_KitchenOrders");
    TrpDBDataset master(&other);
    master.SetName("repDS_OrdersMaster");
    master.SetUserName("Master");

    TrpReport report;
    report.SetOwner(&mainForm);
    report.EngineOptions().NewSilentMode = TrpSilentMode::simSilent;
    report.LoadFromMemory(document(
        "<Datasets><item DataSet=\"repDS_KitchenOrders\" DataSetName=\"REPDS_KITCHENORDERS\"/>"
        "<item DataSet=\"OtherForm.repDS_OrdersMaster\"/><item DataSetName=\"repDS_Missing\"/>"
        "<item DataSet=\"repDS_OrdersMaster\" DataSetName=\"\"/></Datasets>" +
        pageWithBand("<TrpMemoView Name=\"M1\" DataSetName=\"master\" DataSet=\"NoSuchComponent\"/>")));
    EXPECT_TRUE(report.Errors().isEmpty());
    const auto& items = report.Datasets();
    ASSERT_EQ(items.size(), 4u);
    EXPECT_EQ(items[0]->DataSet(), &orders);
    EXPECT_EQ(items[0]->DataSetName(), QString("repDS_KitchenOrders")); // the reference sets the UserName
    EXPECT_EQ(items[1]->DataSet(), &master);
    EXPECT_EQ(items[1]->DataSetName(), QString("Master"));
    EXPECT_EQ(items[2]->DataSet(), nullptr);
    // A bare component name is looked up among the report's window only.
    EXPECT_EQ(items[3]->DataSet(), nullptr);
    // DataSetName found the adapter at once; the unresolved reference leaves it.
    const auto* memo = dynamic_cast<TrpMemoView*>(report.FindObject("M1"));
    EXPECT_EQ(memo->DataSet(), &master);
    EXPECT_EQ(report.GetDataset("repds_ordersmaster"), &master); // by component name
    EXPECT_EQ(report.GetDataset("MASTER"), &master);             // by UserName
    EXPECT_EQ(report.GetDataset("repDS_Missing"), nullptr);

    // Written references carry the other window's name.
    const QByteArray written = report.SaveToMemory();
    EXPECT_TRUE(written.contains("<item DataSet=\"OtherForm.repDS_OrdersMaster\" DataSetName=\"Master\"/>"));
    EXPECT_TRUE(
        written.contains("<item DataSet=\"repDS_KitchenOrders\" DataSetName=\"repDS_KitchenOrders\"/>"));
}

TEST(DataSetNames, ReportForgetsItemsOfDestroyedAdapters) {
    TrpReport report;
    auto adapter = std::make_unique<TrpDBDataset>();
    adapter->SetName("repDS_Temp");
    report.AddDataset(adapter.get());
    report.AddDataset()->SetDataSetName("repDS_NeverThere");
    auto* band = report.Create<TrpMasterData>();
    band->SetDataSet(adapter.get());
    adapter.reset();
    ASSERT_EQ(report.Datasets().size(), 1u);
    EXPECT_EQ(report.Datasets()[0]->DataSetName(), QString("repDS_NeverThere"));
    EXPECT_EQ(band->DataSet(), nullptr);
}

} // namespace
