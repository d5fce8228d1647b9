#include "TrpPropertyList.h"

namespace {
// Property names are short identifiers; longer names match nothing.
constexpr qsizetype MaxNameLength = 64;

char lowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// FNV-1a over the lower-case bytes.
quint32 hashLower(QByteArrayView name) {
    quint32 h = 2166136261u;
    for (const char c : name) {
        h = (h ^ static_cast<unsigned char>(lowerAscii(c))) * 16777619u;
    }
    return h;
}

bool sameLower(const QByteArray& key, QByteArrayView name) {
    if (key.size() != name.size()) {
        return false;
    }
    for (qsizetype i = 0; i < name.size(); ++i) {
        if (key[i] != lowerAscii(name[i])) {
            return false;
        }
    }
    return true;
}
} // namespace

TrpPropertyList::TrpPropertyList(const TrpPropertyList* base, std::vector<TrpProperty> own) {
    if (base != nullptr) {
        m_properties = base->m_properties;
    }
    for (auto& p : own) {
        m_properties.push_back(std::move(p));
    }
    size_t size = 16;
    while (size < m_properties.size() * 4) {
        size *= 2;
    }
    m_slots.assign(size, -1);
    for (size_t i = 0; i < m_properties.size(); ++i) {
        QByteArray key = m_properties[i].name.toLower().toLatin1();
        size_t slot = hashLower(key) & (size - 1);
        while (m_slots[slot] >= 0) {
            slot = (slot + 1) & (size - 1);
        }
        m_slots[slot] = static_cast<int>(i);
        m_keys.push_back(std::move(key));
    }
}

const TrpProperty* TrpPropertyList::find(QByteArrayView name) const {
    if (name.size() > MaxNameLength || name.isEmpty()) {
        return nullptr;
    }
    const size_t mask = m_slots.size() - 1;
    for (size_t slot = hashLower(name) & mask;; slot = (slot + 1) & mask) {
        const int index = m_slots[slot];
        if (index < 0) {
            return nullptr;
        }
        if (sameLower(m_keys[static_cast<size_t>(index)], name)) {
            return &m_properties[static_cast<size_t>(index)];
        }
    }
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
