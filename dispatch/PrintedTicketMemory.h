#pragma once

#include <QByteArray>
#include <QHash>
#include <QSet>
#include <QString>

class DbQuery;

// Which printers already received their ticket of an order (or void) whose database work has not committed
// yet. When that work fails and the order is tried again, a printer whose lines are unchanged is not given
// the same ticket a second time; a printer whose lines changed is. Kept for the life of the process only:
// after a restart an unfinished order prints in full once more.
class PrintedTicketMemory {
public:
    // `unit` names the order or void ("Order #12"), `copy` the ticket ("kitchen:Grill", "packaging:Pack").
    bool printedBefore(const QString& unit, const QString& copy, const QByteArray& content) const;
    void remember(const QString& unit, const QString& copy, const QByteArray& content);
    // The unit's work committed: nothing of it is printed again unless it is queued again.
    void forget(const QString& unit);
    // Forgets every unit not in `units` (orders that left the queue by other hands).
    void retainOnly(const QSet<QString>& units);

    bool isEmpty() const { return units_.isEmpty(); }

    // A digest of every row and field of the query's result, which is what the ticket prints.
    static QByteArray contentOf(DbQuery& query);
    static QByteArray contentOf(const QString& text);

private:
    QHash<QString, QHash<QString, QByteArray>> units_;
};
