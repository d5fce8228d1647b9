#pragma once

#include "TrpComponent.h"

// The base of bands and views: the objects a page lays out. The preparation calls BeforePrint, GetData
// and AfterPrint around every placement.
class TrpReportComponent : public TrpComponent {
public:
    QString Description() const { return m_description; }
    void SetDescription(const QString& value) { m_description = value; }

    // Remembers what a placement may change.
    virtual void BeforePrint() {}
    // Computes the content for the current row.
    virtual void GetData() {}
    // Restores what BeforePrint remembered.
    virtual void AfterPrint() {}

    const TrpPropertyList& properties() const override;

private:
    QString m_description;
};
