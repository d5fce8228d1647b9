#include "PrintedTicketMemory.h"

#include "DbQuery.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QUrl>
#include <stdexcept>

namespace {

// A unit's or copy's name in a record line: station names may hold blanks and line breaks.
QByteArray encoded(const QString& name) {
    return QUrl::toPercentEncoding(name);
}

QString decoded(const QByteArray& field) {
    return QUrl::fromPercentEncoding(field);
}

[[noreturn]] void recordFailed(const QString& file, const QString& reason) {
    throw std::runtime_error(QStringLiteral("The record of printed tickets \"%1\" cannot be written: %2")
                                 .arg(file, reason)
                                 .toStdString());
}

} // namespace

void PrintedTicketMemory::keepIn(const QString& file) {
    file_ = file;
    recordedLines_ = 0;
    QFile in(file);
    if (!in.exists()) {
        return;
    }
    if (!in.open(QIODevice::ReadOnly)) {
        throw std::runtime_error(QStringLiteral("The record of printed tickets \"%1\" cannot be read: %2")
                                     .arg(file, in.errorString())
                                     .toStdString());
    }
    const QByteArray all = in.readAll();
    // Only whole lines count: the last one may have been cut by a kill.
    const QList<QByteArray> lines = all.left(all.lastIndexOf('\n') + 1).split('\n');
    for (const QByteArray& line : lines) {
        const QList<QByteArray> f = line.split(' ');
        if (f.size() == 4 && f[0] == "+") {
            const QByteArray content = QByteArray::fromHex(f[3]);
            if (!content.isEmpty()) {
                units_[decoded(f[1])].insert(decoded(f[2]), content);
                ++recordedLines_;
            }
        } else if (f.size() == 2 && f[0] == "-") {
            units_.remove(decoded(f[1]));
            ++recordedLines_;
        }
    }
}

void PrintedTicketMemory::append(const QByteArray& line) {
    if (file_.isEmpty()) {
        return;
    }
    QFile out(file_);
    // The folder is made with the first record, not before: nothing is created until a ticket prints.
    if (!out.open(QIODevice::WriteOnly | QIODevice::Append) &&
        !(QDir().mkpath(QFileInfo(file_).path()) && out.open(QIODevice::WriteOnly | QIODevice::Append))) {
        recordFailed(file_, out.errorString());
    }
    if (out.write(line) != line.size() || !out.flush()) {
        recordFailed(file_, out.errorString());
    }
    ++recordedLines_;
}

void PrintedTicketMemory::rewrite() {
    if (file_.isEmpty()) {
        return;
    }
    QSaveFile out(file_);
    if (!out.open(QIODevice::WriteOnly)) {
        recordFailed(file_, out.errorString());
    }
    int lines = 0;
    for (auto u = units_.constBegin(); u != units_.constEnd(); ++u) {
        for (auto c = u->constBegin(); c != u->constEnd(); ++c) {
            out.write("+ " + encoded(u.key()) + ' ' + encoded(c.key()) + ' ' + c->toHex() + '\n');
            ++lines;
        }
    }
    if (!out.commit()) {
        recordFailed(file_, out.errorString());
    }
    recordedLines_ = lines;
}

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
    append("+ " + encoded(unit) + ' ' + encoded(copy) + ' ' + content.toHex() + '\n');
}

void PrintedTicketMemory::forget(const QString& unit) {
    if (units_.remove(unit) > 0) {
        append("- " + encoded(unit) + '\n');
    }
}

void PrintedTicketMemory::retainOnly(const QSet<QString>& units) {
    bool dropped = false;
    for (auto it = units_.begin(); it != units_.end();) {
        if (units.contains(it.key())) {
            ++it;
        } else {
            it = units_.erase(it);
            dropped = true;
        }
    }
    // The file keeps no more than the units still queued, and does not grow with every committed order.
    qsizetype entries = 0;
    for (const auto& copies : std::as_const(units_)) {
        entries += copies.size();
    }
    if (dropped || recordedLines_ > 64 + 2 * entries) {
        rewrite();
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
