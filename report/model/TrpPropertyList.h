#pragma once

#include "TrpProperty.h"

#include <QByteArrayView>
#include <vector>

// The published properties of one class in declaration order, those of its base classes first; the
// order in which the writer writes them. Look-up by name ignores letter case (basic Latin).
class TrpPropertyList {
public:
    TrpPropertyList(const TrpPropertyList* base, std::vector<TrpProperty> own);

    const std::vector<TrpProperty>& all() const { return m_properties; }
    // The property of that name, or nullptr.
    const TrpProperty* find(QByteArrayView name) const;
    const TrpProperty* find(const QString& name) const;

private:
    // Open addressing over the lower-case names: a look-up per attribute read must be cheap.
    std::vector<TrpProperty> m_properties;
    std::vector<QByteArray> m_keys;
    std::vector<int> m_slots;
};
