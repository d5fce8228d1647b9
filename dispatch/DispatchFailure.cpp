#include "DispatchFailure.h"

#include "TrpError.h"

#include <QRegularExpression>

namespace {

// A report's errors come as a heading and one line per error; the log gives a failure one line, so that
// the order's line is not split by an empty one.
QString onOneLine(const QString& text) {
    static const QRegularExpression lineBreaks(QStringLiteral("\\s*[\\r\\n]+\\s*"));
    return text.trimmed().replace(lineBreaks, QStringLiteral(" "));
}

} // namespace

QString failureMessage(const std::exception& e) {
    if (const auto* report = dynamic_cast<const TrpError*>(&e)) {
        return onOneLine(report->message());
    }
    return onOneLine(QString::fromUtf8(e.what()));
}
