#include "UpdateServiceClient.h"

#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>
#include <memory>
#include <optional>

namespace {

const QString SoapEnvelopeNamespace = QStringLiteral("http://schemas.xmlsoap.org/soap/envelope/");
const QString OperationName = QStringLiteral("CheckApplicationVersion");

[[noreturn]] void malformed(const QString& reason) {
    throw UpdateServiceError(
        QStringLiteral("The update service sent a reply that cannot be read: %1").arg(reason));
}

// Reads the children `Code` and `Desc` of the `Response` element the reader stands on.
ApplicationVersionReply readResponse(QXmlStreamReader& reader) {
    ApplicationVersionReply reply;
    while (reader.readNextStartElement()) {
        if (reader.name() == QLatin1String("Code")) {
            reply.code = reader.readElementText(QXmlStreamReader::IncludeChildElements);
        } else if (reader.name() == QLatin1String("Desc")) {
            reply.desc = reader.readElementText(QXmlStreamReader::IncludeChildElements);
        } else {
            reader.skipCurrentElement();
        }
    }
    return reply;
}

// Looks for the element `Response` anywhere in an XML fragment carried as text.
std::optional<ApplicationVersionReply> responseInFragment(const QString& fragment) {
    QXmlStreamReader reader(fragment);
    while (!reader.atEnd()) {
        if (reader.readNext() == QXmlStreamReader::StartElement &&
            reader.name() == QLatin1String("Response")) {
            ApplicationVersionReply reply = readResponse(reader);
            if (reader.hasError()) {
                malformed(reader.errorString());
            }
            return reply;
        }
    }
    if (reader.hasError()) {
        malformed(reader.errorString());
    }
    return std::nullopt;
}

// The result element holds the XML fragment either as elements or as escaped text; both are accepted.
ApplicationVersionReply readResult(QXmlStreamReader& reader) {
    QString text;
    std::optional<ApplicationVersionReply> reply;
    while (!reader.atEnd()) {
        const QXmlStreamReader::TokenType token = reader.readNext();
        if (token == QXmlStreamReader::EndElement) {
            break;
        }
        if (token == QXmlStreamReader::Characters) {
            text += reader.text();
        } else if (token == QXmlStreamReader::StartElement) {
            if (!reply && reader.name() == QLatin1String("Response")) {
                reply = readResponse(reader);
            } else {
                reader.skipCurrentElement();
            }
        }
    }
    if (reader.hasError()) {
        malformed(reader.errorString());
    }
    if (!reply && !text.trimmed().isEmpty()) {
        reply = responseInFragment(text);
    }
    if (!reply) {
        malformed(QStringLiteral("the result holds no Response element"));
    }
    return *reply;
}

QString readFaultString(QXmlStreamReader& reader) {
    QString faultString;
    while (reader.readNextStartElement()) {
        if (reader.name() == QLatin1String("faultstring")) {
            faultString = reader.readElementText(QXmlStreamReader::IncludeChildElements).trimmed();
        } else {
            reader.skipCurrentElement();
        }
    }
    return faultString.isEmpty() ? QStringLiteral("The update service reported a fault") : faultString;
}

bool isSoapElement(const QXmlStreamReader& reader, QLatin1String name) {
    return reader.name() == name && reader.namespaceUri() == SoapEnvelopeNamespace;
}

// True when the body looks like a SOAP envelope; an HTTP error page is reported by its status instead.
bool looksLikeEnvelope(const QByteArray& body) {
    QXmlStreamReader reader(body);
    return reader.readNextStartElement() && isSoapElement(reader, QLatin1String("Envelope"));
}

} // namespace

UpdateServiceClient::UpdateServiceClient(QUrl endpoint, std::chrono::milliseconds timeout)
    : endpoint_(std::move(endpoint)), timeout_(timeout) {}

QByteArray UpdateServiceClient::requestBody(const QString& appId, const QString& localVersion) {
    QByteArray body;
    QXmlStreamWriter writer(&body);
    writer.writeStartDocument();
    writer.writeNamespace(SoapEnvelopeNamespace, QStringLiteral("soap"));
    writer.writeStartElement(SoapEnvelopeNamespace, QStringLiteral("Envelope"));
    writer.writeStartElement(SoapEnvelopeNamespace, QStringLiteral("Body"));
    writer.writeStartElement(OperationName);
    writer.writeDefaultNamespace(QString::fromLatin1(ApplicationServiceNamespace));
    writer.writeTextElement(QStringLiteral("App_ID"), appId);
    writer.writeTextElement(QStringLiteral("Local_Version"), localVersion);
    writer.writeEndDocument();
    return body;
}

ApplicationVersionReply UpdateServiceClient::parseReply(const QByteArray& envelope) {
    QXmlStreamReader reader(envelope);
    if (!reader.readNextStartElement() || !isSoapElement(reader, QLatin1String("Envelope"))) {
        malformed(reader.hasError() ? reader.errorString() : QStringLiteral("it is not a SOAP envelope"));
    }
    bool inBody = false;
    while (!inBody && reader.readNextStartElement()) {
        if (isSoapElement(reader, QLatin1String("Body"))) {
            inBody = true;
        } else {
            reader.skipCurrentElement();
        }
    }
    if (!inBody || !reader.readNextStartElement()) {
        malformed(reader.hasError() ? reader.errorString() : QStringLiteral("the envelope has no body"));
    }
    if (isSoapElement(reader, QLatin1String("Fault"))) {
        throw UpdateServiceError(readFaultString(reader));
    }
    if (reader.name() != QString(OperationName + QStringLiteral("Response"))) {
        malformed(QStringLiteral("unexpected element '%1'").arg(reader.name()));
    }
    while (reader.readNextStartElement()) {
        if (reader.name() == QString(OperationName + QStringLiteral("Result"))) {
            ApplicationVersionReply reply = readResult(reader);
            // The rest of the envelope must be well-formed too: a cut-off reply is not an answer.
            while (!reader.atEnd()) {
                reader.readNext();
            }
            if (reader.hasError()) {
                malformed(reader.errorString());
            }
            return reply;
        }
        reader.skipCurrentElement();
    }
    malformed(reader.hasError() ? reader.errorString()
                                : QStringLiteral("the answer holds no %1Result element").arg(OperationName));
}

ApplicationVersionReply UpdateServiceClient::CheckApplicationVersion(const QString& appId,
                                                                     const QString& localVersion) {
    QNetworkRequest request(endpoint_);
    request.setHeader(QNetworkRequest::ContentTypeHeader, QByteArrayLiteral("text/xml; charset=utf-8"));
    const QString action = QString::fromLatin1(ApplicationServiceNamespace) + OperationName;
    request.setRawHeader(QByteArrayLiteral("SOAPAction"), '"' + action.toUtf8() + '"');
    request.setTransferTimeout(static_cast<int>(timeout_.count()));

    QNetworkAccessManager manager;
    std::unique_ptr<QNetworkReply> reply(manager.post(request, requestBody(appId, localVersion)));
    QEventLoop loop;
    QObject::connect(reply.get(), &QNetworkReply::finished, &loop, &QEventLoop::quit);
    if (!reply->isFinished()) {
        // The window thread waits here for the answer; the operator's input waits with it.
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    }

    const QByteArray body = reply->readAll();
    if (reply->error() == QNetworkReply::NoError) {
        return parseReply(body);
    }
    if (reply->error() == QNetworkReply::OperationCanceledError ||
        reply->error() == QNetworkReply::TimeoutError) {
        throw UpdateServiceError(QStringLiteral("The update service at %1 did not answer within %2 seconds")
                                     .arg(endpoint_.toDisplayString())
                                     .arg(timeout_.count() / 1000.0));
    }
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (status != 0) {
        // A SOAP fault travels with an HTTP error status; its text says more than the status does.
        if (looksLikeEnvelope(body)) {
            parseReply(body);
        }
        throw UpdateServiceError(
            QStringLiteral("The update service at %1 answered with HTTP status %2 %3")
                .arg(endpoint_.toDisplayString())
                .arg(status)
                .arg(reply->attribute(QNetworkRequest::HttpReasonPhraseAttribute).toString()));
    }
    throw UpdateServiceError(QStringLiteral("The update service at %1 cannot be reached: %2")
                                 .arg(endpoint_.toDisplayString(), reply->errorString()));
}
