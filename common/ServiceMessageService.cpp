#include "ServiceMessageService.h"

#include <cstdio>

QString ServiceMessageService::lineFor(const MessageRequest& request) {
    return request.caption + QStringLiteral(": ") + request.text;
}

MessageButton ServiceMessageService::show(const MessageRequest& request) {
    const QString line = lineFor(request);
    if (log_) {
        log_(line);
    }
    const QByteArray bytes = (line + QLatin1Char('\n')).toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stderr);
    std::fflush(stderr);

    if (request.buttons & MbCancel) {
        return MbCancel;
    }
    if (request.buttons & MbNo) {
        return MbNo;
    }
    if ((request.buttons & MbYes) && !(request.buttons & MbOk)) {
        return MbYes;
    }
    return MbOk;
}
