#pragma once

#include "TrpBand.h"
#include "TrpDataSetBinding.h"

// A band repeated once per row of its adapter. Without an adapter and with RowCount above 0 it repeats
// RowCount times.
class TrpDataBand : public TrpBand {
public:
    TrpDataSet* DataSet() const { return m_binding.dataSet(); }
    void SetDataSet(TrpDataSet* dataSet) { m_binding.set(dataSet); }
    const QString& DataSetName() const { return m_binding.name(); }
    void SetDataSetName(const QString& name) { m_binding.setName(Report(), name); }
    int RowCount() const { return m_rowCount; }
    void SetRowCount(int value) { m_rowCount = value; }
    int Columns() const { return m_columns; }
    void SetColumns(int value) { m_columns = value; }
    double ColumnWidth() const { return m_columnWidth; }
    void SetColumnWidth(double value) { m_columnWidth = value; }
    double ColumnGap() const { return m_columnGap; }
    void SetColumnGap(double value) { m_columnGap = value; }
    bool KeepTogether() const { return m_keepTogether; }
    void SetKeepTogether(bool value) { m_keepTogether = value; }
    bool StartNewPage() const { return m_startNewPage; }
    void SetStartNewPage(bool value) { m_startNewPage = value; }
    bool AllowSplit() const { return m_allowSplit; }
    void SetAllowSplit(bool value) { m_allowSplit = value; }
    bool PrintIfDetailEmpty() const { return m_printIfDetailEmpty; }
    void SetPrintIfDetailEmpty(bool value) { m_printIfDetailEmpty = value; }
    QString Filter() const { return m_filter; }
    void SetFilter(const QString& value) { m_filter = value; }

    const TrpPropertyList& properties() const override;

private:
    QString dataSetReference() const { return m_binding.referenceText(Report()); }
    void setDataSetReference(const QString& text) { m_binding.setReference(Report(), text); }

    TrpDataSetBinding m_binding;
    int m_rowCount = 0;
    int m_columns = 0;
    double m_columnWidth = 0;
    double m_columnGap = 0;
    bool m_keepTogether = false;
    bool m_startNewPage = false;
    bool m_allowSplit = false;
    bool m_printIfDetailEmpty = false;
    QString m_filter;
};
