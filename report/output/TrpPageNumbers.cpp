#include "TrpPageNumbers.h"

#include "TrpError.h"

#include <QStringList>
#include <algorithm>

namespace {

int pageNumber(const QString& text, const QString& whole) {
    bool ok = false;
    const int page = text.trimmed().toInt(&ok);
    if (!ok || page < 1) {
        throw TrpError(QStringLiteral("Invalid page numbers \"%1\"").arg(whole));
    }
    return page;
}

} // namespace

TrpPageNumbers::TrpPageNumbers(const QString& text) {
    if (text.trimmed().isEmpty()) {
        return;
    }
    for (const QString& part : text.split(QLatin1Char(','))) {
        const qsizetype dash = part.indexOf(QLatin1Char('-'));
        if (dash < 0) {
            const int page = pageNumber(part, text);
            ranges_.emplace_back(page, page);
            continue;
        }
        const int first = pageNumber(part.left(dash), text);
        const int last = pageNumber(part.mid(dash + 1), text);
        ranges_.emplace_back(std::min(first, last), std::max(first, last));
    }
}

bool TrpPageNumbers::includes(int page) const {
    return all() || std::any_of(ranges_.begin(), ranges_.end(), [page](const std::pair<int, int>& r) {
               return page >= r.first && page <= r.second;
           });
}

bool TrpPageNumbers::isValid(const QString& text) {
    try {
        TrpPageNumbers numbers(text);
        return true;
    } catch (const TrpError&) {
        return false;
    }
}
