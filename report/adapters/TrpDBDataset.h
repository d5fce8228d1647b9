#pragma once

#include "TrpCustomDBDataSet.h"

class TrpDataSource;

// The dataset adapter the program uses: reads the query named by DataSet, or else the query of its
// DataSource. Setting either clears the other. Neither is owned; both must outlive a preparation.
class TrpDBDataset : public TrpCustomDBDataSet {
public:
    explicit TrpDBDataset(QObject* owner = nullptr) : TrpCustomDBDataSet(owner) {}

    TrpDataSource* DataSource() const { return m_dataSource; }
    void SetDataSource(TrpDataSource* source) {
        m_dataSource = source;
        m_dataSet = nullptr;
    }
    TrpRowSource* DataSet() const { return m_dataSet; }
    void SetDataSet(TrpRowSource* query) {
        m_dataSet = query;
        m_dataSource = nullptr;
    }

protected:
    TrpRowSource* sourceQuery() const override;

private:
    TrpDataSource* m_dataSource = nullptr;
    TrpRowSource* m_dataSet = nullptr;
};
