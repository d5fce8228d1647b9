#pragma once

#include "TrpFrameLine.h"

// The borders of a band or view. Typ is a set of TrpFrameTyp bits (ftLeft 1, ftRight 2, ftTop 4,
// ftBottom 8); setting the frame's colour, style or width sets them on all four sides as well.
class TrpFrame : public TrpPersistent {
public:
    int Typ() const { return m_typ; }
    void SetTyp(int value) { m_typ = value; }
    double Width() const { return m_width; }
    void SetWidth(double value);
    qint32 Color() const { return m_color; }
    void SetColor(qint32 value);
    TrpFrameStyle Style() const { return m_style; }
    void SetStyle(TrpFrameStyle value);
    bool DropShadow() const { return m_dropShadow; }
    void SetDropShadow(bool value) { m_dropShadow = value; }
    double ShadowWidth() const { return m_shadowWidth; }
    void SetShadowWidth(double value) { m_shadowWidth = value; }
    qint32 ShadowColor() const { return m_shadowColor; }
    void SetShadowColor(qint32 value) { m_shadowColor = value; }

    TrpFrameLine* LeftLine() { return &m_leftLine; }
    TrpFrameLine* TopLine() { return &m_topLine; }
    TrpFrameLine* RightLine() { return &m_rightLine; }
    TrpFrameLine* BottomLine() { return &m_bottomLine; }
    const TrpFrameLine& leftLine() const { return m_leftLine; }
    const TrpFrameLine& topLine() const { return m_topLine; }
    const TrpFrameLine& rightLine() const { return m_rightLine; }
    const TrpFrameLine& bottomLine() const { return m_bottomLine; }

    bool hasSide(int side) const { return (m_typ & side) != 0; }

    const TrpPropertyList& properties() const override;
    bool operator==(const TrpFrame& other) const;

private:
    int m_typ = 0;
    double m_width = 1;
    qint32 m_color = TrpBlack;
    TrpFrameStyle m_style = TrpFrameStyle::fsSolid;
    bool m_dropShadow = false;
    double m_shadowWidth = 4;
    qint32 m_shadowColor = TrpBlack;
    TrpFrameLine m_leftLine;
    TrpFrameLine m_topLine;
    TrpFrameLine m_rightLine;
    TrpFrameLine m_bottomLine;
};
