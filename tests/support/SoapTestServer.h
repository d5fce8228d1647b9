#pragma once

#include <QByteArray>
#include <QHash>
#include <QMap>
#include <QObject>
#include <QTcpServer>
#include <QUrl>
#include <vector>

// A stand-in for the maker's application web service: plain HTTP on loopback, one answer for every
// request, and a record of what each request carried. It runs on the test's own thread, so the client's
// waiting loop serves it.
class SoapTestServer : public QObject {
    Q_OBJECT
public:
    struct Request {
        QByteArray method;
        QByteArray path;
        QMap<QByteArray, QByteArray> headers; // by lower-case name
        QByteArray body;
    };

    SoapTestServer();

    QUrl url() const;

    // The answer to every following request.
    void answer(int status, const QByteArray& reason, const QByteArray& body);
    // A well-formed CheckApplicationVersion answer with `code` and `desc`, the result as elements or, when
    // `asEscapedText`, as an escaped XML fragment.
    void answerVersion(const QString& code, const QString& desc, bool asEscapedText = false);

    static QByteArray versionEnvelope(const QString& code, const QString& desc, bool asEscapedText);
    static QByteArray faultEnvelope(const QString& faultString);

    std::vector<Request> requests;

private:
    void serve(QTcpSocket* socket);

    QTcpServer server_;
    QHash<QTcpSocket*, QByteArray> buffers_;
    int status_ = 200;
    QByteArray reason_ = "OK";
    QByteArray body_;
};
