#include "ConnectionTarget.h"

#include "DataModule1.h"
#include "DbErrors.h"
#include "SettingsStore.h"

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
        {"host,port splits off the port; driver from the environment", "secret", "10.0.0.5,1433", "FreeTDS",
         "DRIVER={FreeTDS};SERVER={10.0.0.5};PORT={1433};DATABASE={Restaurant};UID={pos};PWD={secret};"
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

// The connection string is written in the keywords of the driver's family; the driver is the one named,
// else the first installed of Microsoft's 18, 17 and FreeTDS.
TEST_F(ConnectionTargetTest, EachDriverFamilyGetsItsOwnKeywords) {
    const QString MicrosoftDriver = QStringLiteral("ODBC Driver 18 for SQL Server");
    struct Case {
        const char* why;
        QStringList installed;
        OdbcSettings odbc;
        const char* password;
        const char* source;
        const char* expected;
    };
    const Case cases[] = {
        {"Microsoft's driver preferred; a plain host",
         {QStringLiteral("FreeTDS"), MicrosoftDriver},
         {},
         "secret",
         "db01",
         "DRIVER={ODBC Driver 18 for SQL Server};SERVER={db01};DATABASE={Restaurant};UID={pos};PWD={secret};"
         "WSID={TILL1-Printing-Server};APP={Printing Server};"},
        {"Microsoft's driver keeps host,port together",
         {MicrosoftDriver},
         {},
         "secret",
         "10.0.0.5,1533",
         "DRIVER={ODBC Driver 18 for SQL Server};SERVER={10.0.0.5,1533};DATABASE={Restaurant};UID={pos};"
         "PWD={secret};WSID={TILL1-Printing-Server};APP={Printing Server};"},
        {"a named instance and the encryption settings",
         {QStringLiteral("ODBC Driver 17 for SQL Server")},
         {QString(), QStringLiteral("Yes"), QStringLiteral("yes")},
         "a}b=c",
         "db01\\SQLEXPRESS",
         "DRIVER={ODBC Driver 17 for SQL Server};SERVER={db01\\SQLEXPRESS};DATABASE={Restaurant};UID={pos};"
         "PWD={a}}b=c};WSID={TILL1-Printing-Server};APP={Printing Server};Encrypt={yes};"
         "TrustServerCertificate={yes};"},
        {"FreeTDS: the port apart, encryption as FreeTDS words it",
         {QStringLiteral("FreeTDS")},
         {QString(), QStringLiteral("strict"), QStringLiteral("yes")},
         "secret",
         "10.0.0.5,1533",
         "DRIVER={FreeTDS};SERVER={10.0.0.5};PORT={1533};DATABASE={Restaurant};UID={pos};PWD={secret};"
         "WSID={TILL1-Printing-Server};APP={Printing Server};TDS_Version=7.4;ClientCharset=UTF-8;"
         "Encryption=strict;"},
        {"a driver named in the settings, of no known family: the generic keywords",
         {QStringLiteral("FreeTDS")},
         {QStringLiteral("SQLite3"), QStringLiteral("yes"), QString()},
         "secret",
         "/srv/pos.db",
         "DRIVER={SQLite3};SERVER=/srv/pos.db;DATABASE=Restaurant;UID=pos;PWD=secret;"},
        {"generic keywords brace only the values that need it",
         {},
         {QStringLiteral("SQLite3"), QString(), QString()},
         "a}b=c",
         "my server",
         "DRIVER={SQLite3};SERVER=my server;DATABASE=Restaurant;UID=pos;PWD={a}}b=c};"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        const QStringList installed = c.installed;
        const ConnectionTarget t =
            parseConnectionTarget(composed(QString::fromLatin1(c.password), QString::fromLatin1(c.source)),
                                  c.odbc, [&installed] { return installed; });
        EXPECT_EQ(t.odbcConnectString.toStdString(), c.expected);
    }
}

TEST_F(ConnectionTargetTest, TheDriverIsTheEnvironmentsThenTheSettingsThenTheFirstInstalled) {
    const QStringList all = {QStringLiteral("FreeTDS"), QStringLiteral("ODBC Driver 17 for SQL Server"),
                             QStringLiteral("ODBC Driver 18 for SQL Server")};
    EXPECT_EQ(chooseOdbcDriver({}, all), QStringLiteral("ODBC Driver 18 for SQL Server"));
    EXPECT_EQ(chooseOdbcDriver({}, all.mid(0, 2)), QStringLiteral("ODBC Driver 17 for SQL Server"));
    EXPECT_EQ(chooseOdbcDriver(QStringLiteral("FreeTDS"), all), QStringLiteral("FreeTDS"));
    qputenv("VELORIA_ODBC_DRIVER", "TDS");
    EXPECT_EQ(chooseOdbcDriver(QStringLiteral("FreeTDS"), all), QStringLiteral("TDS"));
    qunsetenv("VELORIA_ODBC_DRIVER");
    try {
        chooseOdbcDriver({}, {QStringLiteral("SQLite3")});
        ADD_FAILURE() << "no SQL Server driver is installed";
    } catch (const DataAccessError& e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("install Debian's package tdsodbc"))) << e.what();
    }
    // An embedded database needs no driver at all.
    EXPECT_NO_THROW(parseConnectionTarget(composed(QStringLiteral("x"), QStringLiteral("sqlite:/tmp/a.db")),
                                          {}, [] { return QStringList(); }));
}

TEST_F(ConnectionTargetTest, EncryptionValuesTheDriversDoNotKnowAreRefused) {
    EXPECT_NO_THROW((OdbcSettings{QString(), QStringLiteral("Strict"), QStringLiteral("NO")}.validate()));
    const OdbcSettings bad[] = {{QString(), QStringLiteral("maybe"), QString()},
                                {QString(), QString(), QStringLiteral("true")}};
    const char* messages[] = {"Invalid value for 'Encrypt'", "Invalid value for 'TrustServerCertificate'"};
    for (int i = 0; i < 2; ++i) {
        try {
            bad[i].validate();
            ADD_FAILURE() << messages[i];
        } catch (const SettingsError& e) {
            EXPECT_STREQ(e.what(), messages[i]);
        }
    }
}

// A refused connection tells the operator what the driver said, never the password, and for a server
// certificate that cannot be verified, which settings decide it.
TEST_F(ConnectionTargetTest, RefusalsMaskThePasswordAndExplainCertificates) {
    const QString refused = odbcConnectionMessage(
        QStringLiteral("[Microsoft][ODBC Driver 18 for SQL Server]SSL Provider: [error:0A000086:SSL "
                       "routines::certificate verify failed:self-signed certificate]"),
        QStringLiteral("secret"));
    const QStringList lines = refused.split(QStringLiteral("\r\n"));
    ASSERT_EQ(lines.size(), 2);
    EXPECT_TRUE(lines[0].endsWith(QStringLiteral("self-signed certificate]")));
    EXPECT_TRUE(lines[1].contains(QStringLiteral("TrustServerCertificate=yes")));
    EXPECT_TRUE(lines[1].contains(QStringLiteral("Encrypt=no")));

    const QString login = odbcConnectionMessage(
        QStringLiteral(
            "Login failed for user 'pos' with password 'hunter2;x' (connect string PWD={hunter2;x})"),
        QStringLiteral("hunter2;x"));
    EXPECT_FALSE(login.contains(QStringLiteral("hunter2"))) << login.toStdString();
    EXPECT_FALSE(login.contains(QStringLiteral("\r\n")));
}
