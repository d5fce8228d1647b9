#pragma once

#include "TrpDataSetBinding.h"
#include "TrpFrame.h"
#include "TrpReportComponent.h"
#include "TrpTypes.h"

// The base of the views in a band (memo, line, picture): position relative to the band, alignment, frame,
// data source and field, and where the view shows (Visibility, a set of TrpVisibility bits).
class TrpView : public TrpReportComponent {
public:
    int IndexTag() const { return m_indexTag; }
    void SetIndexTag(int value) { m_indexTag = value; }
    TrpAlign Align() const { return m_align; }
    void SetAlign(TrpAlign value) { m_align = value; }
    bool AllowVectorExport() const { return m_allowVectorExport; }
    void SetAllowVectorExport(bool value) { m_allowVectorExport = value; }
    TrpShiftMode ShiftMode() const { return m_shiftMode; }
    void SetShiftMode(TrpShiftMode value) { m_shiftMode = value; }
    int Visibility() const { return m_visibility; }
    void SetVisibility(int value) { m_visibility = value; }

    const TrpFrame& Frame() const { return m_frame; }
    TrpFrame* FrameForEditing() { return &m_frame; }

    TrpDataSet* DataSet() const { return m_binding.dataSet(); }
    void SetDataSet(TrpDataSet* dataSet) { m_binding.set(dataSet); }
    const QString& DataSetName() const { return m_binding.name(); }
    void SetDataSetName(const QString& name) { m_binding.setName(Report(), name); }
    QString DataField() const { return m_dataField; }
    void SetDataField(const QString& value) { m_dataField = value; }

    const TrpPropertyList& properties() const override;

protected:
    // DataField, DataSet, DataSetName: each view class places them in its own order.
    static std::vector<TrpProperty> dataProperties();
    static TrpProperty frameProperty();

private:
    QString dataSetReference() const { return m_binding.referenceText(Report()); }
    void setDataSetReference(const QString& text) { m_binding.setReference(Report(), text); }

    int m_indexTag = 0;
    TrpAlign m_align = TrpAlign::baNone;
    bool m_allowVectorExport = true;
    TrpShiftMode m_shiftMode = TrpShiftMode::smAlways;
    int m_visibility = TrpVisibility::All;
    TrpFrame m_frame;
    TrpDataSetBinding m_binding;
    QString m_dataField;
};
