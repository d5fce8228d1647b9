#include "SettingsWindowsFixture.h"

#include <QSqlQuery>
#include <QSqlRecord>

SettingsWindowsFixture::SettingsWindowsFixture() {
    dataModule.ConnectionStr = db.connectionString();
    dataModule.ADOConnection1.setConnectionString(db.connectionString());
    dataModule.Customer_ID = QStringLiteral("1");
    dataModule.Restaurant_ID = QStringLiteral("2");
    dataModule.Outlet_ID = QStringLiteral("3");
}

void SettingsWindowsFixture::TearDown() {
    EXPECT_FALSE(dataModule.ADOConnection1.inTransaction()) << "a transaction was left open";
}

QStringList SettingsWindowsFixture::shownTexts() const {
    QStringList texts;
    for (const MessageRequest& request : messages.shown) {
        texts.append(request.text);
    }
    return texts;
}

QStringList SettingsWindowsFixture::rows(const QString& sql) {
    if (!check.isOpen()) {
        check.setConnectionString(db.connectionString());
        check.open();
    }
    QSqlQuery select(check.database());
    QStringList lines;
    if (!select.exec(sql)) {
        ADD_FAILURE() << "cannot run " << sql.toStdString();
        return lines;
    }
    while (select.next()) {
        QStringList values;
        for (int i = 0; i < select.record().count(); ++i) {
            values.append(select.value(i).isNull() ? QStringLiteral("NULL") : select.value(i).toString());
        }
        lines.append(values.join(QLatin1Char('|')));
    }
    return lines;
}
