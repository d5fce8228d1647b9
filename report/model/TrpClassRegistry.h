#pragma once

#include <QString>
#include <memory>

class TrpComponent;

// Creates the objects of the report tree by class name (letter case ignored): the pages, bands and
// views a template may hold. The report itself is the root and is not created here.
class TrpClassRegistry {
public:
    // nullptr for a class outside the tree.
    static std::unique_ptr<TrpComponent> create(QStringView className);
    static bool isKnown(QStringView className);
};
