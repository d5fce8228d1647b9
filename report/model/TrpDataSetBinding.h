#pragma once

#include <QPointer>
#include <QString>

class TrpDataSet;
class TrpReport;

// The DataSet / DataSetName pair of a Datasets item, page, data band or view: the adapter (weakly held:
// it becomes none when the adapter is destroyed) and the name the template gave.
class TrpDataSetBinding {
public:
    TrpDataSet* dataSet() const;
    const QString& name() const { return m_name; }

    // Setting the name looks the adapter up at once (TrpReport::FindDataSet): an empty name gives none, a
    // name no adapter has keeps the adapter held so far.
    void setName(const TrpReport* report, const QString& name);
    // A written object reference ("repDS_X" or "Window.repDS_X"): when it resolves, the adapter replaces
    // the one held and the name becomes its UserName; otherwise nothing changes.
    void setReference(const TrpReport* report, const QString& text);
    // The reference as the writer writes it; empty without an adapter.
    QString referenceText(const TrpReport* report) const;
    void set(TrpDataSet* dataSet);
    // True when the binding held an adapter that has since been destroyed.
    bool lostDataSet() const { return m_bound && m_dataSet.isNull(); }

private:
    void hold(TrpDataSet* dataSet);

    bool m_bound = false;
    QPointer<TrpDataSet> m_dataSet;
    QString m_name;
};
