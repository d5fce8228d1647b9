#pragma once

#include <QString>
#include <QStringView>

// Object, class and dataset names are compared ignoring letter case in the basic Latin letters only.
class TrpNames {
public:
    static bool same(QStringView a, QStringView b);
    static bool same(QStringView a, QLatin1StringView b);
    // The name with its basic Latin capitals lowered: two names are the same exactly when their keys are
    // equal.
    static QString key(QStringView name);
};
