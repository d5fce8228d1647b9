#include "DataModule1.h"
#include "FileVersion.h"
#include "QtGTestPrinters.h"
#include "RegistryFileStore.h"
#include "SettingsStore.h"
#include "SoapTestServer.h"
#include "UpdateServiceClient.h"

#include <QSslSocket>
#include <QTcpServer>
#include <QXmlStreamReader>
#include <gtest/gtest.h>

namespace {

struct Element {
    QString namespaceUri;
    QString name;
    QString text;
};

// Every element of a document in document order, with the text directly inside it.
std::vector<Element> elementsOf(const QByteArray& xml) {
    std::vector<Element> elements;
    std::vector<size_t> open;
    QXmlStreamReader reader(xml);
    while (!reader.atEnd()) {
        switch (reader.readNext()) {
        case QXmlStreamReader::StartElement:
            open.push_back(elements.size());
            elements.push_back({reader.namespaceUri().toString(), reader.name().toString(), {}});
            break;
        case QXmlStreamReader::Characters:
            if (!open.empty()) {
                elements[open.back()].text += reader.text();
            }
            break;
        case QXmlStreamReader::EndElement:
            open.pop_back();
            break;
        default:
            break;
        }
    }
    EXPECT_FALSE(reader.hasError()) << reader.errorString().toStdString();
    return elements;
}

void askAt(TDataModule1& module, const QUrl& url) {
    module.UpdateService.serviceUrl = url.toString();
}

std::string checkFailure(TDataModule1& module) {
    QString code = QStringLiteral("stale");
    QString desc = QStringLiteral("stale");
    try {
        module.CheckVersion(code, desc);
    } catch (const std::exception& e) {
        EXPECT_TRUE(code.isEmpty() && desc.isEmpty()) << "the out parameters are emptied first";
        return e.what();
    }
    return "no error";
}

} // namespace

TEST(UpdateCheck, PostsTheVersionQuestionAsASoapDocument) {
    SoapTestServer server;
    server.answerVersion(QStringLiteral("OK"), QString());
    TDataModule1 module;
    askAt(module, server.url());
    QString code, desc;
    EXPECT_TRUE(module.CheckVersion(code, desc));

    ASSERT_EQ(server.requests.size(), 1u);
    const SoapTestServer::Request& request = server.requests.front();
    EXPECT_EQ(request.method, "POST");
    EXPECT_EQ(request.path, "/AppService.asmx");
    EXPECT_EQ(request.headers.value("soapaction"),
              "\"http://corvane.example/AppService/CheckApplicationVersion\"");
    EXPECT_EQ(request.headers.value("content-type"), "text/xml; charset=utf-8");

    const QString soap = QStringLiteral("http://schemas.xmlsoap.org/soap/envelope/");
    const QString service = QStringLiteral("http://corvane.example/AppService/");
    const std::vector<Element> elements = elementsOf(request.body);
    ASSERT_EQ(elements.size(), 5u) << request.body.toStdString();
    EXPECT_EQ(elements[0].namespaceUri + elements[0].name, soap + QStringLiteral("Envelope"));
    EXPECT_EQ(elements[1].namespaceUri + elements[1].name, soap + QStringLiteral("Body"));
    EXPECT_EQ(elements[2].namespaceUri + elements[2].name,
              service + QStringLiteral("CheckApplicationVersion"));
    EXPECT_EQ(elements[3].namespaceUri + elements[3].name, service + QStringLiteral("App_ID"));
    EXPECT_EQ(elements[3].text, QStringLiteral("Printing Server"));
    EXPECT_EQ(elements[4].namespaceUri + elements[4].name, service + QStringLiteral("Local_Version"));
    EXPECT_EQ(elements[4].text, ownFileVersionText());
    EXPECT_TRUE(request.body.startsWith("<?xml version=\"1.0\" encoding=\"UTF-8\"?>"))
        << request.body.toStdString();
}

TEST(UpdateCheck, OnlyTheExactCodeOkMeansCurrent) {
    struct Case {
        const char* code;
        const char* desc;
        bool escaped; // the result carried as an escaped XML fragment instead of elements
        bool current;
    } cases[] = {
        {"OK", "", false, true},
        {"OK", "whatever the description says", true, true},
        {"ok", "Version 2.1 is out", false, false},  // letter case counts
        {" OK", "Version 2.1 is out", false, false}, // so does a blank
        {"OK ", "", true, false},
        {"Old", "Version 2.1.0.5 is available.", false, false},
        {"Old", "Version 2.1.0.5 is available.", true, false},
        {"", "", false, false}, // an empty code is not current either
    };
    SoapTestServer server;
    TDataModule1 module;
    askAt(module, server.url());
    for (const Case& c : cases) {
        server.answerVersion(QString::fromLatin1(c.code), QString::fromLatin1(c.desc), c.escaped);
        QString code, desc;
        EXPECT_EQ(module.CheckVersion(code, desc), c.current) << '"' << c.code << '"';
        EXPECT_EQ(code, QString::fromLatin1(c.code));
        EXPECT_EQ(desc, QString::fromLatin1(c.desc));
    }
}

TEST(UpdateCheck, FailuresOfTheCallAreRaisedWithTheirReason) {
    struct Case {
        const char* what;
        int status;
        QByteArray body;
        const char* reason;
    } cases[] = {
        {"not XML", 200, "<html><body>Welcome</body>", "cannot be read"},
        {"cut off", 200, SoapTestServer::versionEnvelope("OK", "", false).left(200), "cannot be read"},
        {"other operation", 200,
         "<s:Envelope "
         "xmlns:s='http://schemas.xmlsoap.org/soap/envelope/'><s:Body><Other/></s:Body></s:Envelope>",
         "unexpected element 'Other'"},
        {"no Response", 200,
         "<s:Envelope "
         "xmlns:s='http://schemas.xmlsoap.org/soap/envelope/'><s:Body><CheckApplicationVersionResponse>"
         "<CheckApplicationVersionResult/></CheckApplicationVersionResponse></s:Body></s:Envelope>",
         "no Response element"},
        {"HTTP error", 503, "<html>busy</html>", "answered with HTTP status 503 Service Unavailable"},
        {"SOAP fault", 500, SoapTestServer::faultEnvelope(QStringLiteral("Unknown application")),
         "Unknown application"},
    };
    SoapTestServer server;
    TDataModule1 module;
    askAt(module, server.url());
    for (const Case& c : cases) {
        server.answer(c.status, c.status == 503 ? "Service Unavailable" : (c.status == 500 ? "Error" : "OK"),
                      c.body);
        const std::string message = checkFailure(module);
        EXPECT_NE(message.find(c.reason), std::string::npos) << c.what << ": " << message;
    }
}

TEST(UpdateCheck, ServiceDownIsRaised) {
    QTcpServer probe;
    ASSERT_TRUE(probe.listen(QHostAddress::LocalHost, 0));
    const quint16 port = probe.serverPort();
    probe.close(); // nothing listens on that port any more
    TDataModule1 module;
    askAt(module, QUrl(QStringLiteral("http://127.0.0.1:%1/AppService.asmx").arg(port)));
    const std::string message = checkFailure(module);
    EXPECT_NE(message.find("cannot be reached"), std::string::npos) << message;
}

TEST(UpdateCheck, NoServiceAddressMeansNoCheck) {
    TDataModule1 module;
    QString code = QStringLiteral("stale");
    QString desc = QStringLiteral("stale");
    EXPECT_TRUE(module.CheckVersion(code, desc));
    EXPECT_TRUE(code.isEmpty());
    EXPECT_TRUE(desc.isEmpty());
}

TEST(UpdateCheck, RealServiceAddressesCanUseHttps) {
    // The maker's service is reached over HTTPS; without a TLS backend every real check would fail.
    EXPECT_TRUE(QSslSocket::supportsSsl()) << QSslSocket::activeBackend().toStdString();
}

TEST(UpdateServiceSettings, ComeFromTheMainKeyOrTheEnvironment) {
    qunsetenv("VELORIA_UPDATE_URL");
    const QByteArray file =
        "Windows Registry Editor Version 5.00\r\n\r\n"
        "[HKEY_CURRENT_USER\\Software\\Corvane Solutions Programs\\Veloria Kitchen Printing "
        "Server]\r\n"
        "\"UpdateServiceURL\"=\"https://updates.corvane.example/AppService.asmx\"\r\n"
        "\"DownloadsURL\"=\"https://corvane.example/downloads\"\r\n";
    const auto store = RegistryFileStore::parse(file, QStringLiteral("HKCU.reg"));
    UpdateServiceSettings settings = UpdateServiceSettings::read(*store);
    EXPECT_EQ(settings.serviceUrl, QStringLiteral("https://updates.corvane.example/AppService.asmx"));
    EXPECT_EQ(settings.downloadsUrl, QStringLiteral("https://corvane.example/downloads"));

    qputenv("VELORIA_UPDATE_URL", "http://127.0.0.1:8080/svc");
    settings = UpdateServiceSettings::read(*store);
    EXPECT_EQ(settings.serviceUrl, QStringLiteral("http://127.0.0.1:8080/svc"));
    EXPECT_EQ(settings.downloadsUrl, QStringLiteral("https://corvane.example/downloads"));
    qunsetenv("VELORIA_UPDATE_URL");

    const auto empty =
        RegistryFileStore::parse("Windows Registry Editor Version 5.00\r\n", QStringLiteral("e.reg"));
    settings = UpdateServiceSettings::read(*empty);
    EXPECT_TRUE(settings.serviceUrl.isEmpty());
    EXPECT_TRUE(settings.downloadsUrl.isEmpty());

    const QByteArray wrongType = "Windows Registry Editor Version 5.00\r\n\r\n"
                                 "[HKEY_CURRENT_USER\\Software\\Corvane Solutions Programs\\Veloria Kitchen "
                                 "Printing Server]\r\n"
                                 "\"UpdateServiceURL\"=dword:00000001\r\n";
    const auto bad = RegistryFileStore::parse(wrongType, QStringLiteral("bad.reg"));
    try {
        UpdateServiceSettings::read(*bad);
        ADD_FAILURE() << "a number is not an address";
    } catch (const SettingsError& e) {
        EXPECT_STREQ(e.what(), "Invalid data type for 'UpdateServiceURL'");
    }
}
