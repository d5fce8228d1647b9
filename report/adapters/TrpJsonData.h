#pragma once

#include "TrpDBDataset.h"
#include "TrpMemoryTable.h"

#include <QByteArray>
#include <QStringList>
#include <memory>
#include <vector>

// Rows for reports from a JSON document, without a database: the ticket rendering tool, tests and
// benchmarks. The document is an object mapping adapter names to arrays of row objects:
//
//   {"repDS_OrdersMaster": [{"Order_Seq": 42, "Open_DateTime": "2020-12-25T19:05:00"}],
//    "repDS_KitchenOrders": [{"QTY": 2, "Displayed_Name_PL": "Soup"}, ...]}
//
// Each name gets an in-memory table and a TrpDBDataset over it with that UserName. A table's fields are
// the keys of its rows (in name order); a field's kind follows its values: whole numbers
// Integer (LargeInt beyond 32 bits), other numbers Float, true/false Boolean, strings that are all ISO
// 8601 dates or date-times DateTime, other strings String. Null and missing values are null.
class TrpJsonData {
public:
    // Throws TrpError with a readable message for a document of another shape.
    explicit TrpJsonData(const QByteArray& json);
    ~TrpJsonData();
    TrpJsonData(const TrpJsonData&) = delete;
    TrpJsonData& operator=(const TrpJsonData&) = delete;

    QStringList names() const;
    TrpDBDataset* adapter(const QString& name) const;
    TrpMemoryTable* table(const QString& name) const;

private:
    struct Entry {
        QString name;
        std::unique_ptr<TrpMemoryTable> table;
        std::unique_ptr<TrpDBDataset> adapter;
    };
    std::vector<Entry> m_entries;
};
