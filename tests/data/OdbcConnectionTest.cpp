#include "ConnectionFailure.h"
#include "DataModule1.h"
#include "DbConnection.h"
#include "DbErrors.h"

#include <QTcpServer>
#include <gtest/gtest.h>

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

TEST_F(OdbcConnectionTest, ADriverThatCannotBeLoadedIsALayerError) {
    qputenv("VELORIA_ODBC_DRIVER", "Veloria No Such Driver");
    DbConnection connection;
    connection.setConnectionString(serverConnectionString(closedLoopbackPort()));
    QStringList log;
    EXPECT_FALSE(connectLogged(connection, [&](const QString& line) { log << line; }));
    ASSERT_EQ(log.size(), 1);
    EXPECT_TRUE(
        log[0].startsWith(QStringLiteral("ADO Database Connection Error\r\n[unixODBC][Driver Manager]")))
        << log[0].toStdString();
}

// A driver named in the settings that the driver manager cannot load: a layer error that names the driver
// and how to list the installed ones, and never the password.
TEST_F(OdbcConnectionTest, ADriverNamedInTheSettingsThatIsNotInstalled) {
    DbConnection connection;
    connection.setConnectionString(serverConnectionString(closedLoopbackPort()));
    connection.setOdbcSettings({QStringLiteral("Veloria Missing Driver"), QStringLiteral("yes"), QString()});
    QStringList log;
    EXPECT_FALSE(connectLogged(connection, [&](const QString& line) { log << line; }));
    ASSERT_EQ(log.size(), 1);
    EXPECT_TRUE(
        log[0].startsWith(QStringLiteral("ADO Database Connection Error\r\n[unixODBC][Driver Manager]")))
        << log[0].toStdString();
    EXPECT_TRUE(log[0].contains(QStringLiteral(
        "The ODBC driver \"Veloria Missing Driver\" cannot be loaded; `odbcinst -q -d` lists")))
        << log[0].toStdString();
    EXPECT_FALSE(log[0].contains(QStringLiteral("secret")));
}
