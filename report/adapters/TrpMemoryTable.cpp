#include "TrpMemoryTable.h"

#include <algorithm>

TrpMemoryTable::TrpMemoryTable(std::vector<Field> fields) : m_fields(std::move(fields)) {}

void TrpMemoryTable::setFields(std::vector<Field> fields) {
    m_fields = std::move(fields);
    m_rows.clear();
    m_row = 0;
    notifyFieldsChanged();
}

void TrpMemoryTable::appendRow(QVariantList values) {
    m_rows.push_back(std::move(values));
}

void TrpMemoryTable::open() {
    if (m_open) {
        return;
    }
    m_open = true;
    m_row = 0;
    ++m_openCount;
    notifyOpened();
}

void TrpMemoryTable::close() {
    if (!m_open) {
        return;
    }
    m_open = false;
    notifyClosed();
}

void TrpMemoryTable::next() {
    if (m_row < rowCount()) {
        ++m_row;
    }
}

void TrpMemoryTable::setPosition(int position) {
    m_row = std::clamp(position, 0, rowCount());
}

QString TrpMemoryTable::fieldName(int field) const {
    return field >= 0 && field < fieldCount() ? m_fields[static_cast<size_t>(field)].name : QString();
}

TrpFieldKind TrpMemoryTable::fieldKind(int field) const {
    return field >= 0 && field < fieldCount() ? m_fields[static_cast<size_t>(field)].kind
                                              : TrpFieldKind::Other;
}

QVariant TrpMemoryTable::value(int field) const {
    if (!m_open || m_row < 0 || m_row >= rowCount() || field < 0 || field >= fieldCount()) {
        return {};
    }
    const QVariantList& row = m_rows[static_cast<size_t>(m_row)];
    return field < row.size() ? row[field] : QVariant();
}
