#pragma once

#include "TrpPropertyList.h"

#include <QString>
#include <QVariant>

// Anything of the report tree that has published properties: the tree objects themselves and their
// sub-objects (fonts, frames, fills, formats, options). Properties are reachable by name and by dotted
// path into sub-objects ("Font.Height", "Frame.Typ", "PrintOptions.Printer").
class TrpPersistent {
public:
    virtual ~TrpPersistent() = default;

    virtual const TrpPropertyList& properties() const = 0;

    // Sets a property by name or dotted path from a value of its kind (see TrpProperty). Returns false
    // when the path names no writable property. Setters with side effects may throw TrpError.
    bool setProperty(const QString& path, const QVariant& value);
    // Reads a property by name or dotted path; an invalid QVariant when there is no such property.
    QVariant property(const QString& path) const;

protected:
    TrpPersistent() = default;
    TrpPersistent(const TrpPersistent&) = default;
    TrpPersistent& operator=(const TrpPersistent&) = default;
};
