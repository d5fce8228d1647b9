#pragma once

#include "TrpDBDataset.h"
#include "TrpMemoryTable.h"
#include "TrpReport.h"

#include <QDateTime>
#include <QObject>
#include <QString>

// A kitchen order ticket as the dispatch cycle makes it: the main window's two adapters over in-memory
// queries, the shipped template loaded and prepared. `items` rows of one-line product names.
class KitchenTicket {
public:
    explicit KitchenTicket(int items = 3) {
        window.setObjectName(QStringLiteral("MainForm"));
        master.SetName(QStringLiteral("repDS_OrdersMaster"));
        master.SetUserName(QStringLiteral("repDS_OrdersMaster"));
        master.SetDataSet(&masterRows);
        kitchen.SetName(QStringLiteral("repDS_KitchenOrders"));
        kitchen.SetUserName(QStringLiteral("repDS_KitchenOrders"));
        kitchen.SetDataSet(&kitchenRows);
        masterRows.setFields({{QStringLiteral("Order_Seq")},
                              {QStringLiteral("Order_Kind_Desc")},
                              {QStringLiteral("Waiter_Name")},
                              {QStringLiteral("Open_DateTime"), TrpFieldKind::DateTime},
                              {QStringLiteral("Order_Upper_Line")},
                              {QStringLiteral("Order_Downer_Line")},
                              {QStringLiteral("Master_Remarks")}});
        masterRows.appendRow({QStringLiteral("1042"), QStringLiteral("Dine In"), QStringLiteral("Maya"),
                              QDateTime(QDate(2026, 12, 10), QTime(13, 45)), QStringLiteral("Table 12"),
                              QStringLiteral("Guests 4"), QStringLiteral("Birthday")});
        kitchenRows.setFields({{QStringLiteral("QTY"), TrpFieldKind::Integer},
                               {QStringLiteral("Displayed_Name_PL")},
                               {QStringLiteral("Displayed_Name_SL"), TrpFieldKind::WideString},
                               {QStringLiteral("Remarks")}});
        for (int i = 1; i <= items; ++i) {
            kitchenRows.appendRow(
                {i, QStringLiteral("Mixed Grill %1").arg(i), QStringLiteral("Grill %1").arg(i), QString()});
        }
        masterRows.open();
        kitchenRows.open();
        report.SetOwner(&window);
    }

    // Loads the shipped template and prepares it; false when either fails.
    bool prepare() {
        report.EngineOptions().NewSilentMode = TrpSilentMode::simReThrow;
        return report.LoadFromFile(templatePath(QStringLiteral("rep_KitchenOrder.xml"))) &&
               report.PrepareReport(true);
    }

    static QString templatePath(const QString& name) {
        return qEnvironmentVariable("VELORIA_SOURCE_DIR") + QStringLiteral("/templates/") + name;
    }

    QObject window;
    TrpMemoryTable masterRows;
    TrpMemoryTable kitchenRows;
    TrpDBDataset master{&window};
    TrpDBDataset kitchen{&window};
    TrpReport report;
};
