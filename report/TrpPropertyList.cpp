#include "TrpPropertyList.h"

namespace {
// Property names are short identifiers; longer names match nothing.
constexpr qsizetype MaxNameLength = 64;

char lowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }
} // namespace

TrpPropertyList::TrpPropertyList(const TrpPropertyList* base, std::vector<TrpProperty> own) {
    if (base != nullptr) {
        m_properties = base->m_properties;
    }
    for (auto& p : own) {
        m_properties.push_back(std::move(p));
    }
    for (size_t i = 0; i < m_properties.size(); ++i) {
        m_index.insert(m_properties[i].name.toLower().toLatin1(), static_cast<int>(i));
    }
}

const TrpProperty* TrpPropertyList::find(QByteArrayView name) const {
    if (name.size() > MaxNameLength || name.isEmpty()) {
        return nullptr;
    }
    char buffer[MaxNameLength];
    for (qsizetype i = 0; i < name.size(); ++i) {
        buffer[i] = lowerAscii(name[i]);
    }
    const QByteArray key = QByteArray::fromRawData(buffer, name.size());
    const auto it = m_index.constFind(key);
    return it == m_index.constEnd() ? nullptr : &m_properties[static_cast<size_t>(*it)];
}

const TrpProperty* TrpPropertyList::find(const QString& name) const {
    if (name.size() > MaxNameLength) {
        return nullptr;
    }
    for (const QChar c : name) {
        if (c.unicode() > 0x7F) {
            return nullptr;
        }
    }
    return find(QByteArrayView(name.toLatin1()));
}
