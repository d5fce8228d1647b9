#pragma once

#include "DbQuery.h"
#include "TrpRowSource.h"

// Lets a ticket template read one of the program's queries through a dataset adapter: the query's rows
// and declared fields, in the kinds the adapters know. The query is not owned; it stays the program's to
// close, re-bind and reopen, and the adapters hear when it opens and closes.
class QueryRowSource final : public TrpRowSource {
public:
    explicit QueryRowSource(DbQuery& query);
    ~QueryRowSource() override;
    QueryRowSource(const QueryRowSource&) = delete;
    QueryRowSource& operator=(const QueryRowSource&) = delete;

    bool isOpen() const override { return query_.isActive(); }
    void open() override { query_.open(); }
    void close() override { query_.close(); }

    void first() override { query_.first(); }
    void next() override { query_.next(); }
    bool eof() const override { return query_.eof(); }
    int rowCount() const override { return query_.recordCount(); }
    int position() const override;
    void setPosition(int position) override;

    int fieldCount() const override { return static_cast<int>(query_.fields().size()); }
    QString fieldName(int field) const override;
    TrpFieldKind fieldKind(int field) const override;
    QVariant value(int field) const override;

    // The adapters' kind for a field kind of the database contract.
    static TrpFieldKind kindOf(FieldKind kind);

private:
    DbQuery& query_;
    DbQuery::StateHandler previous_;
};
