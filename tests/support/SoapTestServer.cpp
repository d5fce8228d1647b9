#include "SoapTestServer.h"

#include <QTcpSocket>
#include <QXmlStreamWriter>

SoapTestServer::SoapTestServer() {
    server_.listen(QHostAddress::LocalHost, 0);
    connect(&server_, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket* socket = server_.nextPendingConnection()) {
            connect(socket, &QTcpSocket::readyRead, this, [this, socket] { serve(socket); });
            connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        }
    });
}

QUrl SoapTestServer::url() const {
    return QUrl(QStringLiteral("http://127.0.0.1:%1/AppService.asmx").arg(server_.serverPort()));
}

void SoapTestServer::answer(int status, const QByteArray& reason, const QByteArray& body) {
    status_ = status;
    reason_ = reason;
    body_ = body;
}

void SoapTestServer::answerVersion(const QString& code, const QString& desc, bool asEscapedText) {
    answer(200, "OK", versionEnvelope(code, desc, asEscapedText));
}

QByteArray SoapTestServer::versionEnvelope(const QString& code, const QString& desc, bool asEscapedText) {
    QString fragment;
    QXmlStreamWriter inner(&fragment);
    inner.writeStartElement(QStringLiteral("Response"));
    inner.writeTextElement(QStringLiteral("Code"), code);
    inner.writeTextElement(QStringLiteral("Desc"), desc);
    inner.writeEndElement();

    const QString soap = QStringLiteral("http://schemas.xmlsoap.org/soap/envelope/");
    const QString service = QStringLiteral("http://corvane.example/AppService/");
    QByteArray envelope;
    QXmlStreamWriter w(&envelope);
    w.writeStartDocument();
    w.writeNamespace(soap, QStringLiteral("soap"));
    w.writeStartElement(soap, QStringLiteral("Envelope"));
    w.writeStartElement(soap, QStringLiteral("Body"));
    w.writeStartElement(QStringLiteral("CheckApplicationVersionResponse"));
    w.writeDefaultNamespace(service);
    w.writeStartElement(QStringLiteral("CheckApplicationVersionResult"));
    if (asEscapedText) {
        w.writeCharacters(fragment);
    } else {
        w.writeStartElement(QStringLiteral("Response"));
        w.writeTextElement(QStringLiteral("Code"), code);
        w.writeTextElement(QStringLiteral("Desc"), desc);
        w.writeEndElement();
    }
    w.writeEndDocument();
    return envelope;
}

QByteArray SoapTestServer::faultEnvelope(const QString& faultString) {
    const QString soap = QStringLiteral("http://schemas.xmlsoap.org/soap/envelope/");
    QByteArray envelope;
    QXmlStreamWriter w(&envelope);
    w.writeStartDocument();
    w.writeNamespace(soap, QStringLiteral("soap"));
    w.writeStartElement(soap, QStringLiteral("Envelope"));
    w.writeStartElement(soap, QStringLiteral("Body"));
    w.writeStartElement(soap, QStringLiteral("Fault"));
    w.writeTextElement(QStringLiteral("faultcode"), QStringLiteral("soap:Server"));
    w.writeTextElement(QStringLiteral("faultstring"), faultString);
    w.writeEndDocument();
    return envelope;
}

void SoapTestServer::serve(QTcpSocket* socket) {
    // Waits until the header and the whole body are in, then answers once and closes.
    QByteArray& buffer = buffers_[socket];
    buffer += socket->readAll();
    const qsizetype headerEnd = buffer.indexOf("\r\n\r\n");
    if (headerEnd < 0) {
        return;
    }
    Request request;
    const QList<QByteArray> lines = buffer.left(headerEnd).split('\n');
    const QList<QByteArray> requestLine = lines.value(0).trimmed().split(' ');
    request.method = requestLine.value(0);
    request.path = requestLine.value(1);
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const qsizetype colon = lines[i].indexOf(':');
        if (colon > 0) {
            request.headers.insert(lines[i].left(colon).trimmed().toLower(),
                                   lines[i].mid(colon + 1).trimmed());
        }
    }
    const qsizetype length = request.headers.value("content-length").toLongLong();
    if (buffer.size() - headerEnd - 4 < length) {
        return;
    }
    request.body = buffer.mid(headerEnd + 4, length);
    buffers_.remove(socket);
    requests.push_back(request);

    QByteArray reply = "HTTP/1.1 " + QByteArray::number(status_) + ' ' + reason_ + "\r\n";
    reply += "Content-Type: text/xml; charset=utf-8\r\n";
    reply += "Content-Length: " + QByteArray::number(body_.size()) + "\r\n";
    reply += "Connection: close\r\n\r\n";
    reply += body_;
    socket->write(reply);
    socket->disconnectFromHost();
}
