#pragma once

#include "TrpComponent.h"

// The base of bands and views: the objects a page lays out. The preparation calls BeforePrint, GetData
// and AfterPrint around every placement.
class TrpReportComponent : public TrpComponent {
public:
    QString Description() const { return m_description; }
    void SetDescription(const QString& value) { m_description = value; }

    // Remembers what a placement may change: the geometry (subclasses add their content).
    virtual void BeforePrint();
    // Computes the content for the current row.
    virtual void GetData() {}
    // Restores what BeforePrint remembered, so that the next placement starts from the template.
    virtual void AfterPrint();

    const TrpPropertyList& properties() const override;

private:
    QString m_description;
    bool m_saved = false;
    double m_savedLeft = 0;
    double m_savedTop = 0;
    double m_savedWidth = 0;
    double m_savedHeight = 0;
};
