#include "ConnectionTarget.h"

#include "DataModule1.h"
#include "DbErrors.h"

#include <gtest/gtest.h>

namespace {

QString composed(const QString& password, const QString& source) {
    return composeConnectionString(password, QStringLiteral("pos"), QStringLiteral("Restaurant"), source,
                                   QStringLiteral("TILL1"));
}

class ConnectionTargetTest : public ::testing::Test {
protected:
    void SetUp() override { qunsetenv("VELORIA_ODBC_DRIVER"); }
    void TearDown() override { qunsetenv("VELORIA_ODBC_DRIVER"); }
};

} // namespace

TEST_F(ConnectionTargetTest, SqliteSourceNamesTheFile) {
    const ConnectionTarget t =
        parseConnectionTarget(composed(QStringLiteral("x"), QStringLiteral("sqlite:/tmp/a b.db")));
    EXPECT_EQ(t.backend, ConnectionTarget::Backend::Sqlite);
    EXPECT_EQ(t.sqliteFile, QStringLiteral("/tmp/a b.db"));
}

TEST_F(ConnectionTargetTest, ServerSourceBecomesAnOdbcStringForTheDriver) {
    struct Case {
        const char* why;
        const char* password;
        const char* source;
        const char* driverEnv;
        const char* expected;
    };
    const Case cases[] = {
        {"plain host, default driver", "secret", "db01", nullptr,
         "DRIVER={FreeTDS};SERVER={db01};DATABASE={Restaurant};UID={pos};PWD={secret};WSID={TILL1-Printing-"
         "Server};"
         "APP={Printing Server};TDS_Version=7.4;ClientCharset=UTF-8;"},
        {"host,port splits off the port; driver from the environment", "secret", "10.0.0.5,1433", "TDS",
         "DRIVER={TDS};SERVER={10.0.0.5};PORT={1433};DATABASE={Restaurant};UID={pos};PWD={secret};"
         "WSID={TILL1-Printing-Server};APP={Printing Server};TDS_Version=7.4;ClientCharset=UTF-8;"},
        {"braces and '=' in a value stay inside it", "a}b=c", "db01\\SQLEXPRESS", nullptr,
         "DRIVER={FreeTDS};SERVER={db01\\SQLEXPRESS};DATABASE={Restaurant};UID={pos};PWD={a}}b=c};"
         "WSID={TILL1-Printing-Server};APP={Printing Server};TDS_Version=7.4;ClientCharset=UTF-8;"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        if (c.driverEnv) {
            qputenv("VELORIA_ODBC_DRIVER", c.driverEnv);
        } else {
            qunsetenv("VELORIA_ODBC_DRIVER");
        }
        const ConnectionTarget t =
            parseConnectionTarget(composed(QString::fromLatin1(c.password), QString::fromLatin1(c.source)));
        EXPECT_EQ(t.backend, ConnectionTarget::Backend::SqlServer);
        EXPECT_EQ(t.odbcConnectString.toStdString(), c.expected);
    }
}

TEST_F(ConnectionTargetTest, UnreadableStringsAreRefused) {
    // A password or a server name holding ";" splits its property; what follows is no key=value pair. The
    // message names the property and never shows any part of the value.
    const struct {
        QString password;
        QString source;
        QString property;
    } broken[] = {{QStringLiteral("se;cret"), QStringLiteral("db01"), QStringLiteral("Password")},
                  {QStringLiteral("pw"), QStringLiteral("db;cret01"), QStringLiteral("Data Source")}};
    for (const auto& b : broken) {
        try {
            parseConnectionTarget(composed(b.password, b.source));
            ADD_FAILURE() << "accepted " << b.property.toStdString();
        } catch (const ConnectionStringError& e) {
            const QString message = QString::fromUtf8(e.what());
            EXPECT_EQ(message,
                      QStringLiteral("The connection string is malformed: the value of \"%1\" holds \";\"")
                          .arg(b.property));
            EXPECT_FALSE(message.contains(QStringLiteral("cret")));
        }
    }
    // The string that was never composed.
    EXPECT_THROW(parseConnectionTarget(QString()), DataAccessError);
}
