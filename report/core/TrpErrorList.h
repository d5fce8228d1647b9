#pragma once

#include <QStringList>

// The error lines a report collects while loading or preparing: sorted (letter case ignored first), each
// distinct line once.
class TrpErrorList {
public:
    void add(const QString& line);
    void clear() { m_lines.clear(); }
    bool isEmpty() const { return m_lines.isEmpty(); }
    const QStringList& lines() const { return m_lines; }

private:
    QStringList m_lines;
};
