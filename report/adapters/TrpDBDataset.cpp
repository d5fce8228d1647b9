#include "TrpDBDataset.h"

#include "TrpDataSource.h"

TrpRowSource* TrpDBDataset::sourceQuery() const {
    if (m_dataSet != nullptr) {
        return m_dataSet;
    }
    return m_dataSource != nullptr ? m_dataSource->DataSet() : nullptr;
}
