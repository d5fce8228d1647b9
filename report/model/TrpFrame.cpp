#include "TrpFrame.h"

void TrpFrame::SetWidth(double value) {
    m_width = value;
    for (TrpFrameLine* line : {&m_leftLine, &m_topLine, &m_rightLine, &m_bottomLine}) {
        line->Width = value;
    }
}

void TrpFrame::SetColor(qint32 value) {
    m_color = value;
    for (TrpFrameLine* line : {&m_leftLine, &m_topLine, &m_rightLine, &m_bottomLine}) {
        line->Color = value;
    }
}

void TrpFrame::SetStyle(TrpFrameStyle value) {
    m_style = value;
    for (TrpFrameLine* line : {&m_leftLine, &m_topLine, &m_rightLine, &m_bottomLine}) {
        line->Style = value;
    }
}

const TrpPropertyList& TrpFrame::properties() const {
    using K = TrpPropertyKind;
    static const TrpPropertyList list(
        nullptr,
        {
            TrpProp::make("Color", K::Integer, &TrpFrame::Color, &TrpFrame::SetColor).withDefault(TrpBlack),
            TrpProp::boolean("DropShadow", &TrpFrame::DropShadow, &TrpFrame::SetDropShadow).withDefault(0),
            TrpProp::make("ShadowColor", K::Integer, &TrpFrame::ShadowColor, &TrpFrame::SetShadowColor)
                .withDefault(TrpBlack),
            TrpProp::real("ShadowWidth", &TrpFrame::ShadowWidth, &TrpFrame::SetShadowWidth).withDefault(4.0),
            TrpProp::enumeration("Style", TrpEnumInfo::FrameStyle(), &TrpFrame::Style, &TrpFrame::SetStyle)
                .withDefault(0),
            // Always written, also when empty.
            TrpProp::set("Typ", &TrpFrame::Typ, &TrpFrame::SetTyp),
            TrpProp::real("Width", &TrpFrame::Width, &TrpFrame::SetWidth).withDefault(1.0),
            TrpProp::subObject("LeftLine", &TrpFrame::LeftLine),
            TrpProp::subObject("TopLine", &TrpFrame::TopLine),
            TrpProp::subObject("RightLine", &TrpFrame::RightLine),
            TrpProp::subObject("BottomLine", &TrpFrame::BottomLine),
        });
    return list;
}

bool TrpFrame::operator==(const TrpFrame& other) const {
    return m_typ == other.m_typ && m_width == other.m_width && m_color == other.m_color &&
           m_style == other.m_style && m_dropShadow == other.m_dropShadow &&
           m_shadowWidth == other.m_shadowWidth && m_shadowColor == other.m_shadowColor &&
           m_leftLine == other.m_leftLine && m_topLine == other.m_topLine &&
           m_rightLine == other.m_rightLine && m_bottomLine == other.m_bottomLine;
}
