#include "VoidMessage.h"

#include "DbQuery.h"
#include "TrpFormatData.h"

QString composeVoidMessage(const DbQuery& voids, const QLocale& locale) {
    const QString crlf = QStringLiteral("\r\n");
    const auto field = [&voids](const char* name) {
        return voids.asString(QString::fromLatin1(name));
    };
    QDateTime when = voids.asDateTime(QStringLiteral("Void_DateTime"));
    if (!when.isValid()) {
        when = QDateTime(QDate(1899, 12, 30), QTime(0, 0));
    }
    // "mm" before any hour token is the month; without "ampm" the hours run 0-23.
    const QString stamp = TrpFormatData::formatDateTime(QStringLiteral("yyyy-mm-dd hh:nn:ss"), when, locale);
    return QStringLiteral("Item: ") + crlf + field("Item_Name") + crlf + field("Remarks") + crlf +
           QStringLiteral("Qty: ( 1 ) One") + crlf + QStringLiteral("Order Seq: ( ") +
           QString::number(voids.asInteger(QStringLiteral("Order_Seq"))) + QStringLiteral(" )") + crlf +
           QStringLiteral("Kind: ") + field("Order_Kind_Desc") + crlf + QStringLiteral("Voided By: ") +
           field("Void_By") + crlf + QStringLiteral("On: ") + stamp + crlf + QStringLiteral("Reason: ") +
           field("Void_Reason");
}
