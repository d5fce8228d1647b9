#pragma once

#include "TrpStretcheable.h"

// A straight line. The frame gives its width, style and colour, and Frame.Typ the edge of the view's
// rectangle along which it is drawn; arrows and diagonal lines are kept but not drawn by this system.
class TrpCustomLineView : public TrpStretcheable {
public:
    qint32 Color() const { return m_color; }
    void SetColor(qint32 value) { m_color = value; }
    bool Diagonal() const { return m_diagonal; }
    void SetDiagonal(bool value) { m_diagonal = value; }
    bool ArrowStart() const { return m_arrowStart; }
    void SetArrowStart(bool value) { m_arrowStart = value; }
    bool ArrowEnd() const { return m_arrowEnd; }
    void SetArrowEnd(bool value) { m_arrowEnd = value; }
    bool ArrowSolid() const { return m_arrowSolid; }
    void SetArrowSolid(bool value) { m_arrowSolid = value; }
    int ArrowWidth() const { return m_arrowWidth; }
    void SetArrowWidth(int value) { m_arrowWidth = value; }
    int ArrowLength() const { return m_arrowLength; }
    void SetArrowLength(int value) { m_arrowLength = value; }

private:
    qint32 m_color = TrpNoColor;
    bool m_diagonal = false;
    bool m_arrowStart = false;
    bool m_arrowEnd = false;
    bool m_arrowSolid = false;
    int m_arrowWidth = 5;
    int m_arrowLength = 20;
};
