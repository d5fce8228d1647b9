#pragma once

#include <QByteArray>
#include <QHash>
#include <QSet>
#include <QString>

class DbQuery;

// Which printers already received their ticket of an order (or void) whose database work has not committed
// yet. When that work fails and the order is tried again, a printer whose lines are unchanged is not given
// the same ticket a second time; a printer whose lines changed is. With a record file (keepIn), what is
// remembered outlives the process: a server killed in the middle of an order, started again, does not
// give a kitchen the tickets it already took. The file is appended to as each ticket is remembered (a line
// per ticket, a line per forgotten unit) and written anew, smaller, when units are dropped.
class PrintedTicketMemory {
public:
    PrintedTicketMemory() = default;
    PrintedTicketMemory(const PrintedTicketMemory&) = delete;
    PrintedTicketMemory& operator=(const PrintedTicketMemory&) = delete;

    // Reads what `file` recorded (a line cut short by a kill is skipped) and records there from now on.
    // Raises std::runtime_error, naming the file and the reason, when it exists and cannot be read.
    void keepIn(const QString& file);

    // `unit` names the order or void ("Order #12"), `copy` the ticket ("kitchen:Grill", "packaging:Pack").
    bool printedBefore(const QString& unit, const QString& copy, const QByteArray& content) const;
    // Remembers the ticket, then records it; a record that cannot be written raises std::runtime_error
    // (naming the file and the reason) with the ticket remembered all the same.
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
    void append(const QByteArray& line);
    void rewrite();

    QHash<QString, QHash<QString, QByteArray>> units_;
    QString file_;
    int recordedLines_ = 0;
};
