#include "StatementCatalogue.h"

#include <QStringList>
#include <gtest/gtest.h>
#include <set>

namespace {

struct Expected {
    const char* name;
    const char* text;
    const char* params; // "name kind" joined by ", "
    const char* fields;
};

// The restaurant database contract, statement by statement, written out by hand: lines joined by CR LF,
// letter case and trailing blanks exactly as the contract gives them.
const Expected Contract[] = {
    {"POSGeneralSettingsQ",
     "SELECT *\r\nFROM POSGeneralSettings\r\nWhere Customer_ID = :Customer_ID\r\nAnd Restaurant_ID = "
     ":Restaurant_ID\r\nAnd Outlet_ID = :Outlet_ID",
     "Customer_ID bigint, Restaurant_ID bigint, Outlet_ID bigint",
     "Printing_Options text(255), Use_Packaging_Printer bit, Packaging_Printer_Name text(255)"},
    {"ReadyToPrintQ",
     "Select *\r\nFrom ReadyToPrint\r\nWhere Customer_ID = :Customer_ID\r\nAnd Restaurant_ID = "
     ":Restaurant_ID\r\nAnd "
     "Outlet_ID = :Outlet_ID",
     "Customer_ID bigint, Restaurant_ID bigint, Outlet_ID bigint", "RTP_ID bigint, Master_ID bigint"},
    {"OrdersMasterQ",
     "Select *\r\nFrom OrdersMasterView\r\nWhere Customer_ID = :Customer_ID\r\nAnd Restaurant_ID = "
     ":Restaurant_ID\r\nAnd Outlet_ID = :Outlet_ID\r\nAnd Master_ID = :Master_ID",
     "Customer_ID untyped, Restaurant_ID untyped, Outlet_ID untyped, Master_ID bigint",
     "Master_ID bigint, Order_Seq int, Order_Kind_Desc text(50), Open_DateTime datetime, Waiter_Name "
     "text(255), "
     "Order_Upper_Line text(50), Order_Downer_Line text(50), Master_Remarks long text"},
    {"PrintersInOrderQ",
     "Select Distinct(Default_Printer) \r\nFrom OrdersDetailsStationsView\r\nWhere Customer_ID = "
     ":Customer_ID\r\nAnd "
     "Restaurant_ID = :Restaurant_ID\r\nAnd Outlet_ID = :Outlet_ID\r\nAnd Master_ID = :Master_ID",
     "Customer_ID bigint, Restaurant_ID bigint, Outlet_ID bigint, Master_ID bigint",
     "Default_Printer text(100)"},
    {"KitchenOrdersQ",
     "Select Displayed_Name_PL, Displayed_Name_SL, Remarks, isNull(Sum(Cast(Item_QTY as bigint)), 0) as "
     "QTY\r\nFrom "
     "OrdersDetailsStationsView ODSV\r\nWhere ODSV.Customer_ID = :Customer_ID\r\nAnd ODSV.Restaurant_ID = "
     ":Restaurant_ID\r\nAnd ODSV.Outlet_ID = :Outlet_ID\r\nAnd ODSV.Master_ID = :Master_ID\r\nAnd "
     "Default_Printer = "
     ":Printer_Name\r\nAnd isPrinted = 0\r\nGroup By Displayed_Name_PL, Displayed_Name_SL, Remarks\r\nOrder "
     "By "
     "Displayed_Name_PL, Displayed_Name_SL, Remarks",
     "Customer_ID bigint, Restaurant_ID bigint, Outlet_ID bigint, Master_ID bigint, Printer_Name text(255)",
     "QTY bigint, Displayed_Name_PL long text, Displayed_Name_SL long text, Remarks long text"},
    {"PackagingOrdersQ",
     "Declare @Customer_ID bigint = :Customer_ID\r\nDeclare @Restaurant_ID bigint = "
     ":Restaurant_ID\r\nDeclare "
     "@Outlet_ID bigint = :Outlet_ID\r\nDeclare @Master_ID bigint = :Master_ID\r\n\r\nSelect "
     "Displayed_Name_PL, "
     "Displayed_Name_SL, Remarks, isNull(Sum(Cast(Item_QTY as bigint)), 0) as QTY\r\nFrom "
     "OrdersDetailsStationsView\r\nWhere "
     "Customer_ID = @Customer_ID\r\nAnd Restaurant_ID = @Restaurant_ID\r\nAnd Outlet_ID = @Outlet_ID\r\nAnd "
     "Master_ID = @Master_ID\r\nAnd Default_Printer in (Select Printer_Name From PrintersInPackaging Where "
     "Customer_ID = @Customer_ID and Restaurant_ID = @Restaurant_ID and Outlet_ID = @Outlet_ID)\r\nAnd "
     "isPrinted = "
     "0\r\nGroup By Displayed_Name_PL, Displayed_Name_SL, Remarks\r\nOrder By Displayed_Name_PL, "
     "Displayed_Name_SL, "
     "Remarks",
     "Customer_ID bigint, Restaurant_ID bigint, Outlet_ID bigint, Master_ID bigint",
     "QTY bigint, Displayed_Name_PL long text, Displayed_Name_SL long text, Remarks long text"},
    {"OrdersDetails_UpdateIsPrinted",
     "Update OrdersDetails\r\nSet isPrinted = 1\r\nWhere Customer_ID = :Customer_ID\r\nAnd Restaurant_ID = "
     ":Restaurant_ID\r\nAnd Outlet_ID = :Outlet_ID\r\nAnd Master_ID = :Master_ID",
     "Customer_ID untyped, Restaurant_ID untyped, Outlet_ID untyped, Master_ID bigint", ""},
    {"ReadyToPrint_DeletePrinted",
     "Delete From ReadyToPrint\r\nWhere Customer_ID = :Customer_ID\r\nAnd Restaurant_ID = "
     ":Restaurant_ID\r\nAnd "
     "Outlet_ID = :Outlet_ID\r\nAnd RTP_ID = :RTP_ID",
     "Customer_ID untyped, Restaurant_ID untyped, Outlet_ID untyped, RTP_ID untyped", ""},
    {"VoidedQ",
     "Declare @Customer_ID bigint = :Customer_ID\r\nDeclare @Restaurant_ID bigint = "
     ":Restaurant_ID\r\nDeclare "
     "@Outlet_ID bigint = :Outlet_ID\r\n\r\nSelect AKV_ID, Void_WorkingDate, Void_DateTime, Void_By, "
     "Void_Reason, "
     "AKV.Master_ID, Item_ID, Item_Name, AKV.Remarks, KitchenStations.Station_Name as Default_Printer,\r\n"
     "OM.Order_Kind_Desc, OM.Order_Seq, OM.Close_DateTime, OM.Order_PayOption\r\nFrom AfterKitchenVoids "
     "AKV\r\nLeft "
     "Outer Join OrdersMasterView OM\r\nOn AKV.Master_ID = OM.Master_ID And AKV.Customer_ID = OM.Customer_ID "
     "And "
     "AKV.Restaurant_ID = OM.Restaurant_ID And AKV.Outlet_ID = OM.Outlet_ID\r\nLeft Outer Join "
     "KitchenStations\r\nOn "
     "AKV.Default_Printer = KitchenStations.Station_ID And AKV.Customer_ID = KitchenStations.Customer_ID And "
     "AKV.Restaurant_ID = KitchenStations.Restaurant_ID And AKV.Outlet_ID = "
     "KitchenStations.Outlet_ID\r\nWhere "
     "AKV.Customer_ID = @Customer_ID\r\nAnd AKV.Restaurant_ID = @Restaurant_ID\r\nAnd AKV.Outlet_ID = "
     "@Outlet_ID\r\nAnd isNoted = 0",
     "Customer_ID untyped, Restaurant_ID untyped, Outlet_ID untyped",
     "AKV_ID bigint, Void_WorkingDate datetime, Void_DateTime datetime, Void_By text(255), Void_Reason "
     "text(255), "
     "Master_ID bigint, Item_ID bigint, Item_Name text(1024), Remarks text(255), Default_Printer text(50), "
     "Order_Kind_Desc text(50), Order_Seq int, Close_DateTime datetime, Order_PayOption text(255)"},
    {"Voids_MarkNoted",
     "Update AfterKitchenVoids\r\nset isNoted = 1\r\nWhere Customer_ID = :Customer_ID\r\nAnd Restaurant_ID = "
     ":Restaurant_ID\r\nAnd Outlet_ID = :Outlet_ID\r\nAnd AKV_ID = :AKV_ID",
     "Customer_ID bigint, Restaurant_ID bigint, Outlet_ID bigint, AKV_ID bigint", ""},
    {"PrintersQ",
     "Select *\r\nFrom KitchenStations\r\nWhere Customer_ID = :Customer_ID\r\nAnd Restaurant_ID = "
     ":Restaurant_ID\r\nAnd Outlet_ID = :Outlet_ID\r\nOrder By Station_Name",
     "Customer_ID bigint, Restaurant_ID bigint, Outlet_ID bigint",
     "Station_ID bigint, Customer_ID bigint, Restaurant_ID bigint, Outlet_ID bigint, Station_Name text(50), "
     "isActive bit"},
    {"Comm_Insert",
     "Insert Into KitchenStations\r\n(Customer_ID, Restaurant_ID, Outlet_ID, Station_Name, "
     "isActive)\r\nValues\r\n"
     "(:Customer_ID, :Restaurant_ID, :Outlet_ID, :Station_Name, :isActive)",
     "Customer_ID bigint, Restaurant_ID bigint, Outlet_ID bigint, Station_Name text(50), isActive bit", ""},
    {"Comm_Modify",
     "Update KitchenStations\r\nSet Station_Name = :Station_Name, isActive = :isActive\r\nWhere Station_ID = "
     ":Station_ID",
     "Station_Name text(50), isActive bit, Station_ID bigint", ""},
    {"StationsQ",
     "Select Station_Name\r\nFrom KitchenStations\r\nWhere Customer_ID = :Customer_ID\r\nAnd Restaurant_ID = "
     ":Restaurant_ID\r\nAnd Outlet_ID = :Outlet_ID\r\nAnd isActive = 1\r\nOrder By Station_Name",
     "Customer_ID bigint, Restaurant_ID bigint, Outlet_ID bigint", "Station_Name text(50)"},
    {"RestDataQ",
     "Select Use_Packaging_Printer, Packaging_Printer_Name\r\nFrom POSGeneralSettings\r\nWhere Customer_ID = "
     ":Customer_ID\r\nAnd Restaurant_ID = :Restaurant_ID\r\nAnd Outlet_ID = :Outlet_ID",
     "Customer_ID bigint, Restaurant_ID bigint, Outlet_ID bigint",
     "Use_Packaging_Printer bit, Packaging_Printer_Name text(255)"},
    {"IncludedStationsQ",
     "Select * \r\nFrom PrintersInPackaging\r\nWhere Customer_ID = :Customer_ID\r\nAnd Restaurant_ID = "
     ":Restaurant_ID\r\nAnd Outlet_ID = :Outlet_ID\r\nOrder By Printer_Name",
     "Customer_ID bigint, Restaurant_ID bigint, Outlet_ID bigint", "Rec_ID bigint, Printer_Name text(255)"},
    {"Comm_Update",
     "Update POSGeneralSettings\r\nset Use_Packaging_Printer = :Use_Packaging_Printer\r\n, "
     "Packaging_Printer_Name = "
     ":Packaging_Printer_Name\r\nWhere Customer_ID = :Customer_ID\r\nAnd Restaurant_ID = "
     ":Restaurant_ID\r\nAnd "
     "Outlet_ID = :Outlet_ID",
     "Use_Packaging_Printer bit, Packaging_Printer_Name text(255), Customer_ID bigint, Restaurant_ID bigint, "
     "Outlet_ID bigint",
     ""},
    {"Comm_Add",
     "Insert Into PrintersInPackaging\r\n(Customer_ID, Restaurant_ID, Outlet_ID, Printer_Name)\r\nValues\r\n"
     "(:Customer_ID, :Restaurant_ID, :Outlet_ID, :Printer_Name)",
     "Customer_ID bigint, Restaurant_ID bigint, Outlet_ID bigint, Printer_Name text(255)", ""},
    {"Comm_Remove", "Delete From PrintersInPackaging\r\nWhere Rec_ID = :Rec_ID", "Rec_ID bigint", ""},
    {"StationlessItemsQ",
     "Select Displayed_Name_PL\r\nFrom OrdersDetailsStationsView\r\nWhere Customer_ID = :Customer_ID\r\n"
     "And Restaurant_ID = :Restaurant_ID\r\nAnd Outlet_ID = :Outlet_ID\r\nAnd Master_ID = :Master_ID\r\n"
     "And isPrinted = 0\r\nAnd isNull(Default_Printer, '') = ''\r\nOrder By Displayed_Name_PL",
     "Customer_ID bigint, Restaurant_ID bigint, Outlet_ID bigint, Master_ID bigint",
     "Displayed_Name_PL long text"},
};

QString paramList(const StatementDef& def) {
    QStringList out;
    for (const ParamDef& p : def.params) {
        out << p.name + QLatin1Char(' ') + paramKindName(p.kind, p.size);
    }
    return out.join(QStringLiteral(", "));
}

QString fieldList(const StatementDef& def) {
    QStringList out;
    for (const FieldDef& f : def.fields) {
        out << f.name + QLatin1Char(' ') + fieldKindName(f.kind, f.size);
    }
    return out.join(QStringLiteral(", "));
}

} // namespace

TEST(StatementCatalogue, EveryStatementMatchesTheContract) {
    ASSERT_EQ(statementCatalogue().size(), std::size(Contract));
    for (const Expected& e : Contract) {
        SCOPED_TRACE(e.name);
        const StatementDef& def = statementNamed(QString::fromLatin1(e.name));
        EXPECT_EQ(def.text.toStdString(), e.text);
        EXPECT_EQ(paramList(def).toStdString(), e.params);
        EXPECT_EQ(fieldList(def).toStdString(), e.fields);
        EXPECT_EQ(def.kind, def.fields.empty() ? StatementKind::Command : StatementKind::Query);
    }
}

TEST(StatementCatalogue, IdsNameTheirStatementsAndUnknownNamesAreRefused) {
    EXPECT_EQ(statementDef(StatementId::POSGeneralSettingsQ).name, QStringLiteral("POSGeneralSettingsQ"));
    EXPECT_EQ(statementDef(StatementId::Comm_Remove).name, QStringLiteral("Comm_Remove"));
    std::set<QString> names;
    for (const StatementDef& def : statementCatalogue()) {
        names.insert(def.name);
    }
    EXPECT_EQ(names.size(), statementCatalogue().size());
    EXPECT_THROW(statementNamed(QStringLiteral("readytoprintq")), std::out_of_range);
}
