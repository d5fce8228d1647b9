#pragma once

#include "TrpRowSource.h"

#include <QList>

// A row source held in memory: a list of typed fields and rows of values. Tests and tools use it in
// place of a database query.
class TrpMemoryTable : public TrpRowSource {
public:
    struct Field {
        QString name;
        TrpFieldKind kind = TrpFieldKind::String;
    };

    TrpMemoryTable() = default;
    explicit TrpMemoryTable(std::vector<Field> fields);

    // Replaces the field list (the rows are emptied).
    void setFields(std::vector<Field> fields);
    // Appends a row; missing trailing values are null.
    void appendRow(QVariantList values);
    // The number of times open() ran the "query".
    int openCount() const { return m_openCount; }

    bool isOpen() const override { return m_open; }
    void open() override;
    void close() override;
    void first() override { m_row = 0; }
    void next() override;
    bool eof() const override { return !m_open || m_row >= rowCount(); }
    int rowCount() const override { return static_cast<int>(m_rows.size()); }
    int position() const override { return m_row; }
    void setPosition(int position) override;
    int fieldCount() const override { return static_cast<int>(m_fields.size()); }
    QString fieldName(int field) const override;
    TrpFieldKind fieldKind(int field) const override;
    QVariant value(int field) const override;

private:
    std::vector<Field> m_fields;
    std::vector<QVariantList> m_rows;
    int m_row = 0;
    bool m_open = false;
    int m_openCount = 0;
};
