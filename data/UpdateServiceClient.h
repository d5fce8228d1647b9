#pragma once

#include <QByteArray>
#include <QString>
#include <QUrl>
#include <chrono>
#include <stdexcept>

// Raised when the application web service cannot be asked or its reply cannot be read.
class UpdateServiceError : public std::runtime_error {
public:
    explicit UpdateServiceError(const QString& message) : std::runtime_error(message.toStdString()) {}
};

// The service's answer to CheckApplicationVersion: "OK" in `code` means the version is current.
struct ApplicationVersionReply {
    QString code;
    QString desc;
};

// The XML namespace of the maker's application web service; the SOAP action of an operation is this
// namespace followed by the operation's name.
inline constexpr const char* ApplicationServiceNamespace = "http://corvane.example/AppService/";

// A client of the maker's application web service: SOAP 1.1, document/literal, UTF-8, posted straight to
// the endpoint. Calls block the calling thread (user input is held back) until the answer or the time-out.
class UpdateServiceClient {
public:
    explicit UpdateServiceClient(QUrl endpoint, std::chrono::milliseconds timeout = std::chrono::seconds(30));

    // Asks whether `localVersion` of the program `appId` is current. Raises UpdateServiceError for a
    // transport failure, an HTTP error, a SOAP fault or a reply that is not the expected message.
    ApplicationVersionReply CheckApplicationVersion(const QString& appId, const QString& localVersion);

    // The SOAP envelope of the request.
    static QByteArray requestBody(const QString& appId, const QString& localVersion);
    // Reads `Response` / `Code` and `Desc` from a reply envelope, or raises the fault it carries.
    static ApplicationVersionReply parseReply(const QByteArray& envelope);

private:
    QUrl endpoint_;
    std::chrono::milliseconds timeout_;
};
