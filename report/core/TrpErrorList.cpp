#include "TrpErrorList.h"

#include <algorithm>

namespace {
bool lineLess(const QString& a, const QString& b) {
    const int ci = a.compare(b, Qt::CaseInsensitive);
    return ci != 0 ? ci < 0 : a.compare(b, Qt::CaseSensitive) < 0;
}
} // namespace

void TrpErrorList::add(const QString& line) {
    const auto it = std::lower_bound(m_lines.begin(), m_lines.end(), line, lineLess);
    if (it != m_lines.end() && *it == line) {
        return;
    }
    m_lines.insert(it, line);
}
