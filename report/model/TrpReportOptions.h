#pragma once

#include "TrpPersistent.h"

#include <QStringList>

// Descriptive data of a template. Name, when not empty, is the print job's title; the dates are day
// numbers (TrpDateTime).
class TrpReportOptions : public TrpPersistent {
public:
    QString Author;
    double CreateDate = 0;
    QStringList Description;
    double LastChange = 0;
    QString Name;
    QString VersionBuild;
    QString VersionMajor;
    QString VersionMinor;
    QString VersionRelease;

    // The values an emptied report has: text fields empty, dates now.
    void reset();

    const TrpPropertyList& properties() const override;
};
