#include "DispatchTestBed.h"

#include <QDir>
#include <QFile>
#include <stdexcept>

namespace {
QString quoted(const QString& text) {
    return text.isNull()
               ? QStringLiteral("NULL")
               : QLatin1Char('\'') + QString(text).replace(QLatin1Char('\''), QStringLiteral("''")) +
                     QLatin1Char('\'');
}
} // namespace

DispatchTestBed::DispatchTestBed(bool packaging, const QString& packagingPrinter)
    : dispatcher(state, panel, server, reportDir.path() + QLatin1Char('/'),
                 archiveFolder() + QLatin1Char('/')) {
    const QDir templates(qEnvironmentVariable("VELORIA_SOURCE_DIR") + QStringLiteral("/templates"));
    for (const QString& name : templates.entryList({QStringLiteral("rep_*.xml")}, QDir::Files)) {
        if (!QFile::copy(templates.filePath(name), reportDir.filePath(name))) {
            throw std::runtime_error("cannot copy the template " + name.toStdString());
        }
    }
    state.SecondsToFirePrintingTimer = 6;
    panel.data.Customer_ID = QStringLiteral("1");
    panel.data.Restaurant_ID = QStringLiteral("1");
    panel.data.Outlet_ID = QStringLiteral("1");
    panel.data.ConnectionStr = db.connectionString();
    panel.data.ADOConnection1.setConnectionString(panel.data.ConnectionStr);
    db.exec(QStringLiteral("INSERT INTO POSGeneralSettings VALUES (1, 1, 1, 'Kitchen', %1, %2);")
                .arg(packaging ? 1 : 0)
                .arg(quoted(packagingPrinter)));
    db.exec(QStringLiteral("INSERT INTO OrderKinds VALUES (1, 'Dine In');"));
}

qint64 DispatchTestBed::station(const QString& name) {
    db.exec(
        QStringLiteral("INSERT INTO KitchenStations (Customer_ID, Restaurant_ID, Outlet_ID, Station_Name) "
                       "VALUES (1, 1, 1, %1);")
            .arg(quoted(name)));
    return db.scalar(QStringLiteral("SELECT max(Station_ID) FROM KitchenStations")).toLongLong();
}

qint64 DispatchTestBed::item(const QString& name, const QString& secondName, qint64 stationId) {
    db.exec(QStringLiteral("INSERT INTO MenuItems (Customer_ID, Restaurant_ID, Outlet_ID, Item_Name_PL, "
                           "Item_Name_SL, Station_ID) VALUES (1, 1, 1, %1, %2, %3);")
                .arg(quoted(name), quoted(secondName),
                     stationId > 0 ? QString::number(stationId) : QStringLiteral("NULL")));
    return db.scalar(QStringLiteral("SELECT max(Item_ID) FROM MenuItems")).toLongLong();
}

void DispatchTestBed::copyToPackaging(const QString& stationName) {
    db.exec(QStringLiteral(
                "INSERT INTO PrintersInPackaging (Customer_ID, Restaurant_ID, Outlet_ID, Printer_Name) "
                "VALUES (1, 1, 1, %1);")
                .arg(quoted(stationName)));
}

qint64 DispatchTestBed::order(int seq, const QList<Line>& lines, int outlet) {
    db.exec(QStringLiteral("INSERT INTO OrdersMaster (Customer_ID, Restaurant_ID, Outlet_ID, Order_Seq, "
                           "Order_Kind_ID, Open_DateTime, Waiter_Name, Order_Upper_Line, Order_Downer_Line) "
                           "VALUES (1, 1, %1, %2, 1, '2026-12-10 19:05:00', 'Maya', 'Table 4', 'Guests 2');")
                .arg(outlet)
                .arg(seq));
    const qint64 master = db.scalar(QStringLiteral("SELECT max(Master_ID) FROM OrdersMaster")).toLongLong();
    for (const Line& line : lines) {
        db.exec(QStringLiteral("INSERT INTO OrdersDetails (Customer_ID, Restaurant_ID, Outlet_ID, Master_ID, "
                               "Item_ID, Item_QTY, Remarks) VALUES (1, 1, %1, %2, %3, %4, %5);")
                    .arg(outlet)
                    .arg(master)
                    .arg(line.item)
                    .arg(line.qty)
                    .arg(quoted(line.remarks)));
    }
    return master;
}

void DispatchTestBed::queue(qint64 masterId, int outlet) {
    db.exec(QStringLiteral("INSERT INTO ReadyToPrint (Customer_ID, Restaurant_ID, Outlet_ID, Master_ID) "
                           "VALUES (1, 1, %1, %2);")
                .arg(outlet)
                .arg(masterId));
}

qint64 DispatchTestBed::voidItem(const QString& itemName, const QString& remarks, const QString& reason,
                                 qint64 stationId, qint64 masterId) {
    db.exec(
        QStringLiteral("INSERT INTO AfterKitchenVoids (Customer_ID, Restaurant_ID, Outlet_ID, Void_DateTime, "
                       "Void_By, Void_Reason, Master_ID, Item_Name, Remarks, Default_Printer) VALUES "
                       "(1, 1, 1, '2026-12-10 19:30:05', 'Maya', %1, %2, %3, %4, %5);")
            .arg(quoted(reason), masterId > 0 ? QString::number(masterId) : QStringLiteral("NULL"),
                 quoted(itemName), quoted(remarks), QString::number(stationId)));
    return db.scalar(QStringLiteral("SELECT max(AKV_ID) FROM AfterKitchenVoids")).toLongLong();
}

void DispatchTestBed::start() {
    server.Start();
    if (!panel.timer) {
        throw std::runtime_error("the server did not start: " +
                                 panel.log.join(QLatin1Char('|')).toStdString());
    }
    cycle();
}

int DispatchTestBed::unprinted(qint64 masterId) {
    return db
        .scalar(QStringLiteral("SELECT count(*) FROM OrdersDetails WHERE isPrinted = 0 AND Master_ID = %1")
                    .arg(masterId))
        .toInt();
}
