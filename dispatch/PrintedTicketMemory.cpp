#include "PrintedTicketMemory.h"

#include "DbQuery.h"

#include <QCryptographicHash>

bool PrintedTicketMemory::printedBefore(const QString& unit, const QString& copy,
                                        const QByteArray& content) const {
    const auto u = units_.constFind(unit);
    if (u == units_.constEnd()) {
        return false;
    }
    const auto c = u->constFind(copy);
    return c != u->constEnd() && *c == content;
}

void PrintedTicketMemory::remember(const QString& unit, const QString& copy, const QByteArray& content) {
    units_[unit].insert(copy, content);
}

void PrintedTicketMemory::forget(const QString& unit) {
    units_.remove(unit);
}

void PrintedTicketMemory::retainOnly(const QSet<QString>& units) {
    for (auto it = units_.begin(); it != units_.end();) {
        it = units.contains(it.key()) ? std::next(it) : units_.erase(it);
    }
}

QByteArray PrintedTicketMemory::contentOf(DbQuery& query) {
    QCryptographicHash hash(QCryptographicHash::Sha256);
    const auto add = [&hash](const QString& text) {
        const QByteArray bytes = text.toUtf8();
        hash.addData(QByteArray::number(bytes.size()));
        hash.addData(QByteArrayView(":"));
        hash.addData(bytes);
    };
    for (query.first(); !query.eof(); query.next()) {
        for (const FieldDef& field : query.fields()) {
            add(query.isNull(field.name) ? QStringLiteral("<null>") : query.asString(field.name));
        }
        add(QStringLiteral("<row>"));
    }
    query.first();
    return hash.result();
}

QByteArray PrintedTicketMemory::contentOf(const QString& text) {
    return QCryptographicHash::hash(text.toUtf8(), QCryptographicHash::Sha256);
}
