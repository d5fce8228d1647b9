#pragma once

#include "TrpBrushFill.h"
#include "TrpFrame.h"
#include "TrpReportComponent.h"

// The base of the bands of a report page: the designed rectangle (the layout decides where a band prints
// and uses the designed Top only to order data bands), frame, background and how views move when one
// of them stretches. Stretched is published by the band kinds that grow with their content.
class TrpBand : public TrpReportComponent {
public:
    const TrpFrame& Frame() const { return m_frame; }
    TrpFrame* FrameForEditing() { return &m_frame; }
    TrpFillType FillType() const { return m_fillType; }
    void SetFillType(TrpFillType value) { m_fillType = value; }
    const TrpBrushFill& Fill() const { return m_fill; }
    TrpBrushFill* FillForEditing() { return &m_fill; }
    bool Vertical() const { return m_vertical; }
    void SetVertical(bool value) { m_vertical = value; }
    bool Stretched() const { return m_stretched; }
    void SetStretched(bool value) { m_stretched = value; }
    TrpShiftEngine ShiftEngine() const { return m_shiftEngine; }
    void SetShiftEngine(TrpShiftEngine value) { m_shiftEngine = value; }

    const TrpPropertyList& properties() const override;

protected:
    static TrpProperty stretchedProperty();

private:
    TrpFrame m_frame;
    TrpFillType m_fillType = TrpFillType::ftBrush;
    TrpBrushFill m_fill;
    bool m_vertical = false;
    bool m_stretched = false;
    TrpShiftEngine m_shiftEngine = TrpShiftEngine::seTree;
};
