#pragma once

#include "TrpPersistent.h"
#include "TrpTypes.h"

// How the prepared pages are printed: plain fields without side effects, read by the printing side.
class TrpPrintOptions : public TrpPersistent {
public:
    int Copies = 1;
    bool Collate = true;
    TrpDuplexMode Duplex = TrpDuplexMode::dmNone;
    QString PageNumbers;
    QString Printer = QStringLiteral("Default");
    TrpPrintMode PrintMode = TrpPrintMode::pmDefault;
    int PrintOnSheet = 0;
    TrpPrintPages PrintPages = TrpPrintPages::ppAll;
    QString PrnOutFileName;
    bool Reverse = false;
    bool ShowDialog = true;

    // The values an emptied report has.
    void reset() { *this = TrpPrintOptions(); }

    const TrpPropertyList& properties() const override;
};
