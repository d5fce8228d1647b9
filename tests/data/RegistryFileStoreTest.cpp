#include "RegistryFileStore.h"

#include "QtGTestPrinters.h"

#include <QByteArray>
#include <QString>
#include <gtest/gtest.h>

namespace {

const char* const MainKey = "\\Software\\Corvane Solutions Programs\\Veloria Kitchen Printing Server";

QString readFrom(const QByteArray& file, const QString& key, const QString& name) {
    const auto store = RegistryFileStore::parse(file, QStringLiteral("HKCU.reg"));
    const auto opened = store->openKey(key);
    if (!opened) {
        return QStringLiteral("<no key>");
    }
    return opened->readString(name);
}

QByteArray utf16le(const QString& text) {
    QByteArray bytes("\xFF\xFE", 2);
    for (const QChar c : text) {
        bytes.append(static_cast<char>(c.unicode() & 0xFF));
        bytes.append(static_cast<char>(c.unicode() >> 8));
    }
    return bytes;
}

struct ReadCase {
    const char* name;
    QByteArray file;
    const char* value;
    const char* expected;
};

class RegistryFileReading : public ::testing::TestWithParam<ReadCase> {};

TEST_P(RegistryFileReading, ReadsStringValues) {
    const ReadCase& c = GetParam();
    EXPECT_EQ(readFrom(c.file, QString::fromLatin1(MainKey), QString::fromLatin1(c.value)),
              QString::fromUtf8(c.expected));
}

const QByteArray Header =
    "Windows Registry Editor Version 5.00\r\n\r\n"
    "[HKEY_CURRENT_USER\\Software\\Corvane Solutions Programs\\Veloria Kitchen Printing "
    "Server]\r\n";

INSTANTIATE_TEST_SUITE_P(
    Cases, RegistryFileReading,
    ::testing::Values(
        ReadCase{"plain", Header + "\"Outlet_ID\"=\"3\"\r\n", "Outlet_ID", "3"},
        ReadCase{"missing value reads empty", Header + "\"Outlet_ID\"=\"3\"\r\n", "Customer_ID", ""},
        ReadCase{"value names ignore case", Header + "\"OUTLET_id\"=\"3\"\r\n", "Outlet_ID", "3"},
        ReadCase{"escaped quote and backslash", Header + "\"Password\"=\"a\\\"b\\\\c;d\"\r\n", "Password",
                 "a\"b\\c;d"},
        // hex(2) holds UTF-16LE up to the first NUL; %PATH% stays as written.
        ReadCase{"expand string kept literally",
                 Header + "\"Source\"=hex(2):25,00,50,00,41,00,54,00,48,00,25,00,00,00\r\n", "Source",
                 "%PATH%"},
        ReadCase{"hex list continued on the next line",
                 Header + "\"Source\"=hex(2):41,00,42,00,\\\r\n  43,00,00,00\r\n", "Source", "ABC"},
        ReadCase{"REGEDIT4 header and LF line ends",
                 "REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Corvane Solutions Programs\\Veloria Kitchen "
                 "Printing Server]\n\"Outlet_ID\"=\"7\"\n",
                 "Outlet_ID", "7"},
        ReadCase{"later line deletes a value", Header + "\"Outlet_ID\"=\"3\"\r\n\"Outlet_ID\"=-\r\n",
                 "Outlet_ID", ""},
        ReadCase{"UTF-8 with byte order mark",
                 "\xEF\xBB\xBF" + Header + "\"Restaurant_Name_PL\"=\"Łódź €\"\r\n", "Restaurant_Name_PL",
                 "Łódź €"},
        ReadCase{"UTF-16LE with byte order mark",
                 utf16le(QString::fromUtf8(Header + "\"Restaurant_Name_PL\"=\"Łódź €\"\r\n")),
                 "Restaurant_Name_PL", "Łódź €"}),
    [](const ::testing::TestParamInfo<ReadCase>& info) {
        std::string name = info.param.name;
        for (char& c : name) {
            if (!std::isalnum(static_cast<unsigned char>(c))) {
                c = '_';
            }
        }
        return name;
    });

TEST(RegistryFileStore, NonStringTypesAreRejectedByName) {
    const char* const forms[] = {"dword:00000003", "hex(b):03,00,00,00,00,00,00,00", "hex:03",
                                 "hex(7):41,00,00,00,00,00"};
    for (const char* form : forms) {
        const auto store = RegistryFileStore::parse(Header + "\"Outlet_ID\"=" + form + "\r\n", "HKCU.reg");
        const auto key = store->openKey(QString::fromLatin1(MainKey));
        ASSERT_TRUE(key);
        try {
            key->readString(QStringLiteral("Outlet_ID"));
            ADD_FAILURE() << form << " was read as a string";
        } catch (const SettingsError& e) {
            EXPECT_EQ(e.message(), QStringLiteral("Invalid data type for 'Outlet_ID'")) << form;
        }
    }
}

TEST(RegistryFileStore, KeysOfTheFileAndTheirParentsOpen) {
    const auto store = RegistryFileStore::parse(
        "Windows Registry Editor Version 5.00\r\n[HKEY_CURRENT_USER\\Software\\A\\B]\r\n\"x\"=\"1\"\r\n"
        "[HKEY_LOCAL_MACHINE\\Software\\C]\r\n\"y\"=\"2\"\r\n",
        "HKCU.reg");
    EXPECT_TRUE(store->openKey(QStringLiteral("\\software\\a\\b")));
    EXPECT_TRUE(store->openKey(QStringLiteral("Software\\A")));
    EXPECT_FALSE(store->openKey(QStringLiteral("\\Software\\A\\B\\C")));
    EXPECT_FALSE(store->openKey(QStringLiteral("\\Software\\C"))); // another root is not the user's
    EXPECT_FALSE(store->openKey(QStringLiteral("\\Software\\AB")));
}

TEST(RegistryFileStore, MissingFileIsAStoreWithoutKeys) {
    const auto store = RegistryFileStore::open(QStringLiteral("/nonexistent/folder/HKCU.reg"));
    EXPECT_FALSE(store->openKey(QString::fromLatin1(MainKey)));
}

struct MalformedCase {
    const char* name;
    QByteArray file;
    int line;
};

TEST(RegistryFileStore, MalformedFilesNameTheFileAndLine) {
    const MalformedCase cases[] = {
        {"no header", "[HKEY_CURRENT_USER\\Software]\r\n", 1},
        {"empty file", "", 1},
        {"value before any key", "REGEDIT4\r\n\"a\"=\"b\"\r\n", 2},
        {"unclosed key", "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\r\n", 3},
        {"unclosed string", Header + "\"a\"=\"b\r\n", 4},
        {"missing equals", Header + "\"a\" \"b\"\r\n", 4},
        {"bad dword", Header + "\"a\"=dword:xyz\r\n", 4},
        {"too long dword", Header + "\"a\"=dword:123456789\r\n", 4},
        {"bad hex byte", Header + "\"a\"=hex:0g\r\n", 4},
        {"hex continues past end", Header + "\"a\"=hex:01,\\\r\n", 4},
        {"stray text", Header + "Outlet_ID=3\r\n", 4},
    };
    for (const MalformedCase& c : cases) {
        try {
            RegistryFileStore::parse(c.file, QStringLiteral("/tmp/x/HKCU.reg"));
            ADD_FAILURE() << c.name << " was accepted";
        } catch (const RegistryFileError& e) {
            EXPECT_EQ(e.line(), c.line) << c.name;
            EXPECT_TRUE(e.message().contains(QStringLiteral("/tmp/x/HKCU.reg"))) << c.name;
            EXPECT_TRUE(e.message().contains(QStringLiteral("line %1").arg(c.line))) << c.name;
        }
    }
}

} // namespace
