#pragma once

#include "TrpDataSetBinding.h"
#include "TrpPersistent.h"

class TrpReport;

// An item of a report's Datasets collection: an adapter the template uses, and the name it gave.
class TrpDataSetItem : public TrpPersistent {
public:
    explicit TrpDataSetItem(TrpReport* report) : m_report(report) {}

    TrpDataSet* DataSet() const { return m_binding.dataSet(); }
    void SetDataSet(TrpDataSet* dataSet) { m_binding.set(dataSet); }
    const QString& DataSetName() const { return m_binding.name(); }
    void SetDataSetName(const QString& name) { m_binding.setName(m_report, name); }

    bool lostDataSet() const { return m_binding.lostDataSet(); }

    const TrpPropertyList& properties() const override;

private:
    QString dataSetReference() const { return m_binding.referenceText(m_report); }
    void setDataSetReference(const QString& text) { m_binding.setReference(m_report, text); }

    TrpReport* m_report;
    TrpDataSetBinding m_binding;
};
