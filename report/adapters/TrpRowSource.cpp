#include "TrpRowSource.h"

#include <QDateTime>
#include <QLocale>
#include <algorithm>

QString TrpRowSource::displayText(int field) const {
    const QVariant v = value(field);
    if (v.isNull()) {
        return {};
    }
    switch (v.typeId()) {
    case QMetaType::Bool:
        return v.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    case QMetaType::Double:
    case QMetaType::Float:
        return QLocale().toString(v.toDouble(), 'g', 15);
    case QMetaType::QDateTime:
        return QLocale().toString(v.toDateTime(), QLocale::ShortFormat);
    case QMetaType::QDate:
        return QLocale().toString(v.toDate(), QLocale::ShortFormat);
    case QMetaType::QTime:
        return QLocale().toString(v.toTime(), QLocale::ShortFormat);
    default:
        return v.toString();
    }
}

int TrpRowSource::fieldIndex(const QString& name) const {
    const int count = fieldCount();
    for (int i = 0; i < count; ++i) {
        if (fieldName(i).compare(name, Qt::CaseInsensitive) == 0) {
            return i;
        }
    }
    return -1;
}

void TrpRowSource::addListener(Listener* listener) {
    if (std::find(m_listeners.begin(), m_listeners.end(), listener) == m_listeners.end()) {
        m_listeners.push_back(listener);
    }
}

void TrpRowSource::removeListener(Listener* listener) {
    m_listeners.erase(std::remove(m_listeners.begin(), m_listeners.end(), listener), m_listeners.end());
}

void TrpRowSource::notifyOpened() {
    const auto listeners = m_listeners;
    for (Listener* l : listeners) {
        l->sourceOpened();
    }
}

void TrpRowSource::notifyClosed() {
    const auto listeners = m_listeners;
    for (Listener* l : listeners) {
        l->sourceClosed();
    }
}

void TrpRowSource::notifyFieldsChanged() {
    const auto listeners = m_listeners;
    for (Listener* l : listeners) {
        l->sourceFieldsChanged();
    }
}
