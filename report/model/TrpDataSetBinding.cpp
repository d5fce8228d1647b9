#include "TrpDataSetBinding.h"

#include "TrpDataSet.h"
#include "TrpReport.h"

TrpDataSet* TrpDataSetBinding::dataSet() const {
    return m_dataSet.data();
}

void TrpDataSetBinding::setName(const TrpReport* report, const QString& name) {
    m_name = name;
    hold(TrpReport::FindDataSet(report, m_dataSet.data(), name));
}

void TrpDataSetBinding::setReference(const TrpReport* report, const QString& text) {
    if (TrpDataSet* found = TrpReport::ResolveDataSetReference(report, text)) {
        hold(found);
        m_name = found->UserName();
    }
}

QString TrpDataSetBinding::referenceText(const TrpReport* report) const {
    return TrpReport::DataSetReferenceText(report, m_dataSet.data());
}

void TrpDataSetBinding::set(TrpDataSet* dataSet) {
    hold(dataSet);
    if (dataSet != nullptr) {
        m_name = dataSet->UserName();
    }
}

void TrpDataSetBinding::hold(TrpDataSet* dataSet) {
    m_dataSet = dataSet;
    m_bound = dataSet != nullptr;
}
