#include "TrpReportComponent.h"

const TrpPropertyList& TrpReportComponent::properties() const {
    static const TrpPropertyList list(&TrpComponent::properties(),
                                      {
                                          TrpProp::string("Description", &TrpReportComponent::Description,
                                                          &TrpReportComponent::SetDescription),
                                      });
    return list;
}

void TrpReportComponent::BeforePrint() {
    m_saved = true;
    m_savedLeft = Left();
    m_savedTop = Top();
    m_savedWidth = Width();
    m_savedHeight = Height();
}

void TrpReportComponent::AfterPrint() {
    if (!m_saved) {
        return;
    }
    m_saved = false;
    SetLeft(m_savedLeft);
    SetTop(m_savedTop);
    SetWidth(m_savedWidth);
    SetHeight(m_savedHeight);
}
