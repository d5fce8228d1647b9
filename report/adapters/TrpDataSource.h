#pragma once

class TrpRowSource;

// The link between a query and the controls that show it (the program's "QDS" objects): a dataset adapter
// may name its query through one. Neither owns the other.
class TrpDataSource {
public:
    explicit TrpDataSource(TrpRowSource* dataSet = nullptr) : m_dataSet(dataSet) {}

    TrpRowSource* DataSet() const { return m_dataSet; }
    void SetDataSet(TrpRowSource* dataSet) { m_dataSet = dataSet; }

private:
    TrpRowSource* m_dataSet;
};
