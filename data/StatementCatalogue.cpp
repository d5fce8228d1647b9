#include "StatementCatalogue.h"

#include <QStringList>
#include <stdexcept>

namespace {

// The outlet filter that scopes nearly every statement.
const QStringList KeyFilter = {QStringLiteral("Where Customer_ID = :Customer_ID"),
                               QStringLiteral("And Restaurant_ID = :Restaurant_ID"),
                               QStringLiteral("And Outlet_ID = :Outlet_ID")};

QString text(const QStringList& lines) {
    return lines.join(QStringLiteral("\r\n"));
}

QStringList keyFiltered(QStringList head, const QStringList& tail = {}) {
    return head + KeyFilter + tail;
}

ParamDef bigint(const char* name) {
    return {QString::fromLatin1(name), ParamKind::BigInt, 0};
}
ParamDef untyped(const char* name) {
    return {QString::fromLatin1(name), ParamKind::Untyped, 0};
}
ParamDef textParam(const char* name, int size) {
    return {QString::fromLatin1(name), ParamKind::Text, size};
}
ParamDef bitParam(const char* name) {
    return {QString::fromLatin1(name), ParamKind::Bit, 0};
}

std::vector<ParamDef> keyParams(ParamDef (*make)(const char*)) {
    return {make("Customer_ID"), make("Restaurant_ID"), make("Outlet_ID")};
}

std::vector<ParamDef> operator+(std::vector<ParamDef> a, const std::vector<ParamDef>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

FieldDef field(const char* name, FieldKind kind, int size = 0) {
    return {QString::fromLatin1(name), kind, size};
}

std::vector<FieldDef> ticketLineFields() {
    // Summed as 64-bit numbers: lines of large quantities must not overflow (nor fail on a server).
    return {field("QTY", FieldKind::BigInt), field("Displayed_Name_PL", FieldKind::LongText),
            field("Displayed_Name_SL", FieldKind::LongText), field("Remarks", FieldKind::LongText)};
}

const QStringList TicketLineGrouping = {
    QStringLiteral("And isPrinted = 0"),
    QStringLiteral("Group By Displayed_Name_PL, Displayed_Name_SL, Remarks"),
    QStringLiteral("Order By Displayed_Name_PL, Displayed_Name_SL, Remarks")};

StatementDef query(const char* name, const QStringList& lines, std::vector<ParamDef> params,
                   std::vector<FieldDef> fields) {
    return {QString::fromLatin1(name), StatementKind::Query, text(lines), std::move(params),
            std::move(fields)};
}

StatementDef command(const char* name, const QStringList& lines, std::vector<ParamDef> params) {
    return {QString::fromLatin1(name), StatementKind::Command, text(lines), std::move(params), {}};
}

std::vector<StatementDef> buildCatalogue() {
    std::vector<StatementDef> c;
    c.push_back(query("POSGeneralSettingsQ",
                      keyFiltered({QStringLiteral("SELECT *"), QStringLiteral("FROM POSGeneralSettings")}),
                      keyParams(bigint),
                      {field("Printing_Options", FieldKind::Text, 255),
                       field("Use_Packaging_Printer", FieldKind::Bit),
                       field("Packaging_Printer_Name", FieldKind::Text, 255)}));
    c.push_back(query(
        "ReadyToPrintQ", keyFiltered({QStringLiteral("Select *"), QStringLiteral("From ReadyToPrint")}),
        keyParams(bigint), {field("RTP_ID", FieldKind::BigInt), field("Master_ID", FieldKind::BigInt)}));
    c.push_back(query(
        "OrdersMasterQ",
        keyFiltered({QStringLiteral("Select *"), QStringLiteral("From OrdersMasterView")},
                    {QStringLiteral("And Master_ID = :Master_ID")}),
        keyParams(untyped) + std::vector<ParamDef>{bigint("Master_ID")},
        {field("Master_ID", FieldKind::BigInt), field("Order_Seq", FieldKind::Int),
         field("Order_Kind_Desc", FieldKind::Text, 50), field("Open_DateTime", FieldKind::DateTime),
         field("Waiter_Name", FieldKind::Text, 255), field("Order_Upper_Line", FieldKind::Text, 50),
         field("Order_Downer_Line", FieldKind::Text, 50), field("Master_Remarks", FieldKind::LongText)}));
    c.push_back(query("PrintersInOrderQ",
                      keyFiltered({QStringLiteral("Select Distinct(Default_Printer) "),
                                   QStringLiteral("From OrdersDetailsStationsView")},
                                  {QStringLiteral("And Master_ID = :Master_ID")}),
                      keyParams(bigint) + std::vector<ParamDef>{bigint("Master_ID")},
                      {field("Default_Printer", FieldKind::Text, 100)}));
    c.push_back(
        query("KitchenOrdersQ",
              QStringList{QStringLiteral("Select Displayed_Name_PL, Displayed_Name_SL, Remarks, "
                                         "isNull(Sum(Cast(Item_QTY as bigint)), 0) as QTY"),
                          QStringLiteral("From OrdersDetailsStationsView ODSV"),
                          QStringLiteral("Where ODSV.Customer_ID = :Customer_ID"),
                          QStringLiteral("And ODSV.Restaurant_ID = :Restaurant_ID"),
                          QStringLiteral("And ODSV.Outlet_ID = :Outlet_ID"),
                          QStringLiteral("And ODSV.Master_ID = :Master_ID"),
                          QStringLiteral("And Default_Printer = :Printer_Name")} +
                  TicketLineGrouping,
              keyParams(bigint) + std::vector<ParamDef>{bigint("Master_ID"), textParam("Printer_Name", 255)},
              ticketLineFields()));
    c.push_back(query(
        "PackagingOrdersQ",
        QStringList{
            QStringLiteral("Declare @Customer_ID bigint = :Customer_ID"),
            QStringLiteral("Declare @Restaurant_ID bigint = :Restaurant_ID"),
            QStringLiteral("Declare @Outlet_ID bigint = :Outlet_ID"),
            QStringLiteral("Declare @Master_ID bigint = :Master_ID"), QString(),
            QStringLiteral("Select Displayed_Name_PL, Displayed_Name_SL, Remarks, isNull(Sum(Cast(Item_QTY "
                           "as bigint)), 0) as QTY"),
            QStringLiteral("From OrdersDetailsStationsView"),
            QStringLiteral("Where Customer_ID = @Customer_ID"),
            QStringLiteral("And Restaurant_ID = @Restaurant_ID"),
            QStringLiteral("And Outlet_ID = @Outlet_ID"), QStringLiteral("And Master_ID = @Master_ID"),
            QStringLiteral("And Default_Printer in (Select Printer_Name From PrintersInPackaging Where "
                           "Customer_ID = @Customer_ID and Restaurant_ID = @Restaurant_ID and Outlet_ID = "
                           "@Outlet_ID)")} +
            TicketLineGrouping,
        keyParams(bigint) + std::vector<ParamDef>{bigint("Master_ID")}, ticketLineFields()));
    c.push_back(
        command("OrdersDetails_UpdateIsPrinted",
                keyFiltered({QStringLiteral("Update OrdersDetails"), QStringLiteral("Set isPrinted = 1")},
                            {QStringLiteral("And Master_ID = :Master_ID")}),
                keyParams(untyped) + std::vector<ParamDef>{bigint("Master_ID")}));
    c.push_back(command(
        "ReadyToPrint_DeletePrinted",
        keyFiltered({QStringLiteral("Delete From ReadyToPrint")}, {QStringLiteral("And RTP_ID = :RTP_ID")}),
        keyParams(untyped) + std::vector<ParamDef>{untyped("RTP_ID")}));
    c.push_back(query(
        "VoidedQ",
        {QStringLiteral("Declare @Customer_ID bigint = :Customer_ID"),
         QStringLiteral("Declare @Restaurant_ID bigint = :Restaurant_ID"),
         QStringLiteral("Declare @Outlet_ID bigint = :Outlet_ID"), QString(),
         QStringLiteral(
             "Select AKV_ID, Void_WorkingDate, Void_DateTime, Void_By, Void_Reason, AKV.Master_ID, Item_ID, "
             "Item_Name, AKV.Remarks, KitchenStations.Station_Name as Default_Printer,"),
         QStringLiteral("OM.Order_Kind_Desc, OM.Order_Seq, OM.Close_DateTime, OM.Order_PayOption"),
         QStringLiteral("From AfterKitchenVoids AKV"), QStringLiteral("Left Outer Join OrdersMasterView OM"),
         QStringLiteral(
             "On AKV.Master_ID = OM.Master_ID And AKV.Customer_ID = OM.Customer_ID And AKV.Restaurant_ID = "
             "OM.Restaurant_ID And AKV.Outlet_ID = OM.Outlet_ID"),
         QStringLiteral("Left Outer Join KitchenStations"),
         QStringLiteral(
             "On AKV.Default_Printer = KitchenStations.Station_ID And AKV.Customer_ID = "
             "KitchenStations.Customer_ID And AKV.Restaurant_ID = KitchenStations.Restaurant_ID And "
             "AKV.Outlet_ID = KitchenStations.Outlet_ID"),
         QStringLiteral("Where AKV.Customer_ID = @Customer_ID"),
         QStringLiteral("And AKV.Restaurant_ID = @Restaurant_ID"),
         QStringLiteral("And AKV.Outlet_ID = @Outlet_ID"), QStringLiteral("And isNoted = 0")},
        keyParams(untyped),
        {field("AKV_ID", FieldKind::BigInt), field("Void_WorkingDate", FieldKind::DateTime),
         field("Void_DateTime", FieldKind::DateTime), field("Void_By", FieldKind::Text, 255),
         field("Void_Reason", FieldKind::Text, 255), field("Master_ID", FieldKind::BigInt),
         field("Item_ID", FieldKind::BigInt), field("Item_Name", FieldKind::Text, 1024),
         field("Remarks", FieldKind::Text, 255), field("Default_Printer", FieldKind::Text, 50),
         field("Order_Kind_Desc", FieldKind::Text, 50), field("Order_Seq", FieldKind::Int),
         field("Close_DateTime", FieldKind::DateTime), field("Order_PayOption", FieldKind::Text, 255)}));
    c.push_back(
        command("Voids_MarkNoted",
                keyFiltered({QStringLiteral("Update AfterKitchenVoids"), QStringLiteral("set isNoted = 1")},
                            {QStringLiteral("And AKV_ID = :AKV_ID")}),
                keyParams(bigint) + std::vector<ParamDef>{bigint("AKV_ID")}));
    c.push_back(query("PrintersQ",
                      keyFiltered({QStringLiteral("Select *"), QStringLiteral("From KitchenStations")},
                                  {QStringLiteral("Order By Station_Name")}),
                      keyParams(bigint),
                      {field("Station_ID", FieldKind::BigInt), field("Customer_ID", FieldKind::BigInt),
                       field("Restaurant_ID", FieldKind::BigInt), field("Outlet_ID", FieldKind::BigInt),
                       field("Station_Name", FieldKind::Text, 50), field("isActive", FieldKind::Bit)}));
    c.push_back(command(
        "Comm_Insert",
        {QStringLiteral("Insert Into KitchenStations"),
         QStringLiteral("(Customer_ID, Restaurant_ID, Outlet_ID, Station_Name, isActive)"),
         QStringLiteral("Values"),
         QStringLiteral("(:Customer_ID, :Restaurant_ID, :Outlet_ID, :Station_Name, :isActive)")},
        keyParams(bigint) + std::vector<ParamDef>{textParam("Station_Name", 50), bitParam("isActive")}));
    c.push_back(command("Comm_Modify",
                        {QStringLiteral("Update KitchenStations"),
                         QStringLiteral("Set Station_Name = :Station_Name, isActive = :isActive"),
                         QStringLiteral("Where Station_ID = :Station_ID")},
                        {textParam("Station_Name", 50), bitParam("isActive"), bigint("Station_ID")}));
    c.push_back(
        query("StationsQ",
              keyFiltered({QStringLiteral("Select Station_Name"), QStringLiteral("From KitchenStations")},
                          {QStringLiteral("And isActive = 1"), QStringLiteral("Order By Station_Name")}),
              keyParams(bigint), {field("Station_Name", FieldKind::Text, 50)}));
    c.push_back(query("RestDataQ",
                      keyFiltered({QStringLiteral("Select Use_Packaging_Printer, Packaging_Printer_Name"),
                                   QStringLiteral("From POSGeneralSettings")}),
                      keyParams(bigint),
                      {field("Use_Packaging_Printer", FieldKind::Bit),
                       field("Packaging_Printer_Name", FieldKind::Text, 255)}));
    c.push_back(query("IncludedStationsQ",
                      keyFiltered({QStringLiteral("Select * "), QStringLiteral("From PrintersInPackaging")},
                                  {QStringLiteral("Order By Printer_Name")}),
                      keyParams(bigint),
                      {field("Rec_ID", FieldKind::BigInt), field("Printer_Name", FieldKind::Text, 255)}));
    c.push_back(command(
        "Comm_Update",
        keyFiltered({QStringLiteral("Update POSGeneralSettings"),
                     QStringLiteral("set Use_Packaging_Printer = :Use_Packaging_Printer"),
                     QStringLiteral(", Packaging_Printer_Name = :Packaging_Printer_Name")}),
        std::vector<ParamDef>{bitParam("Use_Packaging_Printer"), textParam("Packaging_Printer_Name", 255)} +
            keyParams(bigint)));
    c.push_back(command("Comm_Add",
                        {QStringLiteral("Insert Into PrintersInPackaging"),
                         QStringLiteral("(Customer_ID, Restaurant_ID, Outlet_ID, Printer_Name)"),
                         QStringLiteral("Values"),
                         QStringLiteral("(:Customer_ID, :Restaurant_ID, :Outlet_ID, :Printer_Name)")},
                        keyParams(bigint) + std::vector<ParamDef>{textParam("Printer_Name", 255)}));
    c.push_back(
        command("Comm_Remove",
                {QStringLiteral("Delete From PrintersInPackaging"), QStringLiteral("Where Rec_ID = :Rec_ID")},
                {bigint("Rec_ID")}));
    // The order's unprinted lines that no station prepares: they are marked with the order and print
    // nowhere, so the log names them for the manager to set up.
    c.push_back(
        query("StationlessItemsQ",
              keyFiltered({QStringLiteral("Select Displayed_Name_PL"),
                           QStringLiteral("From OrdersDetailsStationsView")},
                          {QStringLiteral("And Master_ID = :Master_ID"), QStringLiteral("And isPrinted = 0"),
                           QStringLiteral("And isNull(Default_Printer, '') = ''"),
                           QStringLiteral("Order By Displayed_Name_PL")}),
              keyParams(bigint) + std::vector<ParamDef>{bigint("Master_ID")},
              {field("Displayed_Name_PL", FieldKind::LongText)}));
    return c;
}

} // namespace

const std::vector<StatementDef>& statementCatalogue() {
    static const std::vector<StatementDef> catalogue = buildCatalogue();
    return catalogue;
}

const StatementDef& statementDef(StatementId id) {
    return statementCatalogue().at(static_cast<std::size_t>(id));
}

const StatementDef& statementNamed(const QString& name) {
    for (const StatementDef& def : statementCatalogue()) {
        if (def.name == name) {
            return def;
        }
    }
    throw std::out_of_range("No statement named " + name.toStdString());
}
