#include "DispatchFailure.h"

#include "TrpError.h"

QString failureMessage(const std::exception& e) {
    if (const auto* report = dynamic_cast<const TrpError*>(&e)) {
        return report->message();
    }
    return QString::fromUtf8(e.what()).trimmed();
}
