#include "ConnectionFailure.h"
#include "DataModule1.h"
#include "DbConnection.h"
#include "DbErrors.h"
#include "StatementTimeout.h"

#include <QFile>
#include <QRegularExpression>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlResult>
#include <QTcpServer>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sql.h>
#include <sqlext.h>

namespace {

// A loopback port where nothing listens: taken from the system, then released.
quint16 closedLoopbackPort() {
    QTcpServer server;
    if (!server.listen(QHostAddress::LocalHost, 0)) {
        return 1;
    }
    const quint16 port = server.serverPort();
    server.close();
    return port;
}

QString serverConnectionString(quint16 port) {
    return composeConnectionString(QStringLiteral("secret"), QStringLiteral("pos"),
                                   QStringLiteral("Restaurant"), QStringLiteral("127.0.0.1,%1").arg(port),
                                   QStringLiteral("TILL1"));
}

class OdbcConnectionTest : public ::testing::Test {
protected:
    void SetUp() override { qunsetenv("VELORIA_ODBC_DRIVER"); }
    void TearDown() override { qunsetenv("VELORIA_ODBC_DRIVER"); }
};

} // namespace

// Through the real FreeTDS driver: nothing listens, so the driver reports the server unavailable.
TEST_F(OdbcConnectionTest, UnreachableServerIsAGeneralDatabaseError) {
    DbConnection connection;
    connection.setConnectionString(serverConnectionString(closedLoopbackPort()));
    QString message;
    try {
        connection.open();
        FAIL() << "nothing listens there";
    } catch (const DataAccessError& e) {
        FAIL() << "classified as a layer error: " << e.what();
    } catch (const DatabaseError& e) {
        message = e.message();
    }
    EXPECT_FALSE(connection.isOpen());
    EXPECT_TRUE(message.contains(QStringLiteral("Unable to connect"), Qt::CaseInsensitive))
        << message.toStdString();

    QStringList log;
    EXPECT_FALSE(connectLogged(connection, [&](const QString& line) { log << line; }));
    ASSERT_EQ(log.size(), 1);
    EXPECT_EQ(log[0], QStringLiteral("General Database Connection Error \r\n") + message);
}

// A driver the driver manager cannot load, named by the environment or by the settings: a layer error
// that names the driver and how to list the installed ones, and never the password.
TEST_F(OdbcConnectionTest, ADriverThatCannotBeLoadedIsALayerError) {
    for (const bool fromSettings : {false, true}) {
        SCOPED_TRACE(fromSettings ? "named in the settings" : "named by the environment");
        const QString driver = QStringLiteral("Veloria No Such Driver");
        DbConnection connection;
        connection.setConnectionString(serverConnectionString(closedLoopbackPort()));
        if (fromSettings) {
            qunsetenv("VELORIA_ODBC_DRIVER");
            connection.setOdbcSettings({driver, QStringLiteral("yes"), QString()});
        } else {
            qputenv("VELORIA_ODBC_DRIVER", driver.toUtf8());
        }
        QStringList log;
        EXPECT_FALSE(connectLogged(connection, [&](const QString& line) { log << line; }));
        ASSERT_EQ(log.size(), 1);
        EXPECT_TRUE(
            log[0].startsWith(QStringLiteral("ADO Database Connection Error\r\n[unixODBC][Driver Manager]")))
            << log[0].toStdString();
        EXPECT_TRUE(log[0].contains(
            QStringLiteral("The ODBC driver \"%1\" cannot be loaded; `odbcinst -q -d` lists").arg(driver)))
            << log[0].toStdString();
        EXPECT_FALSE(log[0].contains(QStringLiteral("secret")));
    }
}

// Through the real driver manager and a real driver (Debian's SQLite ODBC driver, a file database): the
// driver named in the settings, the generic keywords, the database the driver reports, parameters of each
// kind bound and read back, and the statement time-out set on the statement's own handle.
TEST_F(OdbcConnectionTest, ARealDriverConnectsBindsAndTakesTheStatementTimeOut) {
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("orders.db"));
    {
        QSqlDatabase setup =
            QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("odbc-setup"));
        setup.setDatabaseName(file);
        ASSERT_TRUE(setup.open());
        QSqlQuery create(setup);
        ASSERT_TRUE(
            create.exec(QStringLiteral("CREATE TABLE Lines (Line_ID INTEGER PRIMARY KEY, Name NVARCHAR(50), "
                                       "Master_ID BIGINT, Remarks TEXT)")));
        create = QSqlQuery();
        setup.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("odbc-setup"));

    DbConnection connection;
    connection.setConnectionString(composeConnectionString(QStringLiteral("pw"), QStringLiteral("pos"), file,
                                                           QString(), QStringLiteral("TILL1")));
    connection.setOdbcSettings({QStringLiteral("SQLite3"), QString(), QString()});
    ASSERT_NO_THROW(connection.open());
    EXPECT_EQ(connection.dbmsName(), QStringLiteral("SQLite"));

    QSqlQuery insert(connection.database());
    ASSERT_TRUE(
        insert.prepare(QStringLiteral("INSERT INTO Lines (Name, Master_ID, Remarks) VALUES (?, ?, ?)")));
    insert.addBindValue(QStringLiteral("Łódź € برغر"));
    insert.addBindValue(QVariant(qlonglong(1) << 40));
    insert.addBindValue(QVariant(QMetaType::fromType<QString>()));
    ASSERT_TRUE(insert.exec()) << insert.lastError().text().toStdString();

    // The driver manager's own trace of this connection shows what reached the driver (this driver takes
    // the time-out without keeping it, so it cannot be read back).
    SQLHANDLE hdbc = odbcHandle(connection.database().driver()->handle());
    const QByteArray trace = QFile::encodeName(dir.filePath(QStringLiteral("odbc.trace")));
    SQLSetConnectAttr(hdbc, SQL_ATTR_TRACEFILE, const_cast<char*>(trace.constData()), SQL_NTS);
    SQLSetConnectAttr(hdbc, SQL_ATTR_TRACE, reinterpret_cast<SQLPOINTER>(SQL_OPT_TRACE_ON), 0);
    QSqlQuery select(connection.database());
    select.setForwardOnly(true);
    ASSERT_TRUE(
        select.prepare(QStringLiteral("SELECT Name, Master_ID, Remarks FROM Lines WHERE Master_ID > ?")));
    applyStatementTimeout(select);
    SQLSetConnectAttr(hdbc, SQL_ATTR_TRACE, reinterpret_cast<SQLPOINTER>(SQL_OPT_TRACE_OFF), 0);
    QFile traced(QString::fromLocal8Bit(trace));
    ASSERT_TRUE(traced.open(QIODevice::ReadOnly));
    const QString calls = QString::fromUtf8(traced.readAll());
    EXPECT_TRUE(calls.contains(
        QRegularExpression(QStringLiteral("Attribute = SQL_ATTR_QUERY_TIMEOUT\\s+Value = 0x%1\\b")
                               .arg(StatementTimeoutSeconds, 0, 16))))
        << calls.toStdString();
    select.addBindValue(QVariant(qlonglong(1)));
    ASSERT_TRUE(select.exec()) << select.lastError().text().toStdString();
    ASSERT_TRUE(select.next());
    EXPECT_EQ(select.value(0).toString(), QStringLiteral("Łódź € برغر"));
    EXPECT_EQ(select.value(1).toLongLong(), qlonglong(1) << 40);
    EXPECT_TRUE(select.value(2).isNull());
    select = QSqlQuery();
    insert = QSqlQuery();
    connection.close();
}
