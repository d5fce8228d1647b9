#include "CapturingMessageService.h"
#include "DataModule1.h"
#include "RegistryFileStore.h"
#include "StartUp.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const QByteArray MainKeyLine =
    "[HKEY_CURRENT_USER\\Software\\Corvane Solutions Programs\\Veloria Kitchen Printing Server]\r\n";
const QByteArray DatabaseKeyLine = "[HKEY_CURRENT_USER\\Software\\Corvane Solutions Programs\\Veloria "
                                   "Kitchen Printing Server\\Database]\r\n";

const QByteArray OutletValues =
    "\"Customer_ID\"=\"11\"\r\n\"Restaurant_ID\"=\"22\"\r\n\"Outlet_ID\"=\"33\"\r\n"
    "\"Restaurant_Name_PL\"=\"Bistro\"\r\n\"Outlet_Name_PL\"=\"Main Hall\"\r\n";
const QByteArray DatabaseValues = "\"UserName\"=\"pos\"\r\n\"Password\"=\"se;cret\"\r\n"
                                  "\"Catalog\"=\"Restaurant\"\r\n\"Source\"=\"db01\\\\POS\"\r\n";

QByteArray regFile(const QByteArray& body) {
    return "Windows Registry Editor Version 5.00\r\n\r\n" + body;
}

// Runs the data module's creation against a store file, with COMPUTERNAME set or unset.
class DataModuleCreation : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        savedName = qgetenv("COMPUTERNAME");
        qputenv("COMPUTERNAME", "TILL7");
    }
    void TearDown() override {
        qputenv("COMPUTERNAME", savedName);
        qunsetenv("VELORIA_SETTINGS");
    }

    void create(const QByteArray& content) {
        const QString path = dir.filePath(QStringLiteral("HKCU.reg"));
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
        file.close();
        qputenv("VELORIA_SETTINGS", path.toUtf8());
        createDataModule(module);
    }

    QTemporaryDir dir;
    QByteArray savedName;
    CapturingMessageService boxes;
    TDataModule1 module;
};

TEST_F(DataModuleCreation, ComposesTheConnectionStringFromAFullStore) {
    create(regFile(MainKeyLine + OutletValues + "\r\n" + DatabaseKeyLine + DatabaseValues));
    EXPECT_TRUE(boxes.shown.empty());
    EXPECT_EQ(module.Customer_ID, QStringLiteral("11"));
    EXPECT_EQ(module.Restaurant_ID, QStringLiteral("22"));
    EXPECT_EQ(module.Outlet_ID, QStringLiteral("33"));
    EXPECT_EQ(module.Restaurant_Name_PL, QStringLiteral("Bistro"));
    EXPECT_EQ(module.Outlet_Name_PL, QStringLiteral("Main Hall"));
    // The password's ";" is inserted unquoted, as the provider has always received it.
    EXPECT_EQ(module.ConnectionStr,
              QStringLiteral("Provider=SQLOLEDB.1;Password=se;cret;Persist Security Info=True;User ID=pos;"
                             "Initial Catalog=Restaurant;Data Source=db01\\POS;Use Procedure for Prepare=1;"
                             "Auto Translate=True;Packet Size=4096;Workstation ID=TILL7-Printing-Server;"
                             "Use Encryption for Data=False;Tag with column collation when possible=False;"));
    EXPECT_EQ(module.ADOConnection1.connectionString(), module.ConnectionStr);
}

// A SQL Server site names its ODBC driver and encryption in the Database key; a value no driver knows is
// shown like any other unreadable setting.
TEST_F(DataModuleCreation, TheOdbcDriverAndEncryptionComeFromTheDatabaseKey) {
    create(regFile(MainKeyLine + OutletValues + "\r\n" + DatabaseKeyLine + DatabaseValues +
                   "\"OdbcDriver\"=\"ODBC Driver 18 for SQL Server\"\r\n\"Encrypt\"=\"yes\"\r\n"
                   "\"TrustServerCertificate\"=\"yes\"\r\n"));
    EXPECT_TRUE(boxes.shown.empty());
    EXPECT_EQ(module.ADOConnection1.odbcSettings().driver, QStringLiteral("ODBC Driver 18 for SQL Server"));
    EXPECT_EQ(module.ADOConnection1.odbcSettings().encrypt, QStringLiteral("yes"));
    EXPECT_EQ(module.ADOConnection1.odbcSettings().trustServerCertificate, QStringLiteral("yes"));

    create(regFile(MainKeyLine + OutletValues + "\r\n" + DatabaseKeyLine + DatabaseValues +
                   "\"Encrypt\"=\"sometimes\"\r\n"));
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, QStringLiteral("Invalid value for 'Encrypt'"));
}

TEST_F(DataModuleCreation, MissingDatabaseKeyAndComputerNameLeaveTheirPiecesEmpty) {
    qunsetenv("COMPUTERNAME");
    create(regFile(MainKeyLine + OutletValues));
    EXPECT_TRUE(boxes.shown.empty());
    EXPECT_EQ(module.Outlet_ID, QStringLiteral("33"));
    EXPECT_EQ(module.ConnectionStr,
              QStringLiteral("Provider=SQLOLEDB.1;Password=;Persist Security Info=True;User ID=;"
                             "Initial Catalog=;Data Source=;Use Procedure for Prepare=1;"
                             "Auto Translate=True;Packet Size=4096;Workstation ID=-Printing-Server;"
                             "Use Encryption for Data=False;Tag with column collation when possible=False;"));
}

TEST_F(DataModuleCreation, NoStoreAtAllShowsNothing) {
    qputenv("VELORIA_SETTINGS", dir.filePath(QStringLiteral("absent.reg")).toUtf8());
    createDataModule(module);
    EXPECT_TRUE(boxes.shown.empty());
    EXPECT_TRUE(module.Customer_ID.isEmpty());
    EXPECT_TRUE(module.ConnectionStr.contains(QStringLiteral("User ID=;")));
}

TEST_F(DataModuleCreation, ANumberValueStopsTheReadingAndIsShown) {
    create(regFile(MainKeyLine +
                   "\"Customer_ID\"=\"11\"\r\n\"Restaurant_ID\"=\"22\"\r\n"
                   "\"Outlet_ID\"=dword:00000021\r\n\"Outlet_Name_PL\"=\"Main Hall\"\r\n\r\n" +
                   DatabaseKeyLine + DatabaseValues));
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, QStringLiteral("Invalid data type for 'Outlet_ID'"));
    EXPECT_EQ(boxes.shown[0].caption, QStringLiteral("Printing Server"));
    EXPECT_EQ(boxes.shown[0].icon, MessageIcon::Error);
    EXPECT_EQ(module.Customer_ID, QStringLiteral("11"));
    EXPECT_EQ(module.Restaurant_ID, QStringLiteral("22"));
    EXPECT_TRUE(module.Outlet_ID.isEmpty());
    EXPECT_TRUE(module.Outlet_Name_PL.isEmpty());
    EXPECT_TRUE(module.ConnectionStr.isEmpty());
    EXPECT_TRUE(module.ADOConnection1.connectionString().isEmpty());
}

TEST_F(DataModuleCreation, MalformedStoreIsShownAndReadAsEmpty) {
    create("[HKEY_CURRENT_USER\\Software]\r\n");
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_TRUE(boxes.shown[0].text.contains(QStringLiteral("HKCU.reg")));
    EXPECT_TRUE(boxes.shown[0].text.contains(QStringLiteral("line 1")));
    EXPECT_TRUE(module.Outlet_ID.isEmpty());
    EXPECT_TRUE(module.ConnectionStr.startsWith(QStringLiteral("Provider=SQLOLEDB.1;Password=;")));
}

TEST_F(DataModuleCreation, ExpandStringKeepsItsReferenceAndUtf16FilesRead) {
    // hex(2) "%POS_HOST%\SQL" as UTF-16LE, in a UTF-16LE file.
    QByteArray body =
        regFile(MainKeyLine + OutletValues + "\r\n" + DatabaseKeyLine +
                "\"Source\"=hex(2):25,00,50,00,4f,00,53,00,5f,00,48,00,4f,00,53,00,54,00,25,00,\\\r\n"
                "  5c,00,53,00,51,00,4c,00,00,00\r\n");
    QByteArray file("\xFF\xFE", 2);
    for (const QChar c : QString::fromUtf8(body)) {
        file.append(static_cast<char>(c.unicode() & 0xFF));
        file.append(static_cast<char>(c.unicode() >> 8));
    }
    create(file);
    EXPECT_TRUE(boxes.shown.empty());
    EXPECT_EQ(module.Outlet_ID, QStringLiteral("33"));
    EXPECT_TRUE(module.ConnectionStr.contains(QStringLiteral(";Data Source=%POS_HOST%\\SQL;")));
}

} // namespace

// The days the printed tickets are kept: a dword or decimal text; anything else is said in the standard
// error box and the default stays, with the rest of the settings read.
TEST(DataModuleArchiveDays, ReadFromDwordOrText) {
    struct Case {
        const char* value; // the line's data, or nullptr for no value
        int days;
        bool refused;
    };
    const Case cases[] = {
        {nullptr, 7, false},           {"dword:00000000", 0, false}, // no archive
        {"dword:0000000e", 14, false}, {"\" 30 \"", 30, false},      {"\"a week\"", 7, true},
        {"\"-1\"", 7, true},           {"hex:01,02", 7, true},
    };
    for (const Case& c : cases) {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("HKCU.reg"));
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        QByteArray values = OutletValues;
        if (c.value != nullptr) {
            values += "\"TicketArchiveDays\"=" + QByteArray(c.value) + "\r\n";
        }
        file.write(regFile(MainKeyLine + values));
        file.close();
        qputenv("VELORIA_SETTINGS", path.toUtf8());
        CapturingMessageService boxes;
        TDataModule1 module;
        createDataModule(module);
        qunsetenv("VELORIA_SETTINGS");
        const std::string name = c.value != nullptr ? c.value : "(none)";
        EXPECT_EQ(module.TicketArchiveDays, c.days) << name;
        EXPECT_EQ(module.Outlet_ID, QStringLiteral("33")) << name;
        ASSERT_EQ(boxes.shown.size(), c.refused ? 1u : 0u) << name;
        if (c.refused) {
            EXPECT_EQ(boxes.shown[0].text, QStringLiteral("Invalid value for 'TicketArchiveDays'")) << name;
        }
    }
}
