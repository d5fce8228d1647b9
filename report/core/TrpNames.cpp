#include "TrpNames.h"

namespace {
char16_t foldAscii(char16_t c) {
    return (c >= u'A' && c <= u'Z') ? static_cast<char16_t>(c - u'A' + u'a') : c;
}
} // namespace

bool TrpNames::same(QStringView a, QStringView b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (qsizetype i = 0; i < a.size(); ++i) {
        if (foldAscii(a[i].unicode()) != foldAscii(b[i].unicode())) {
            return false;
        }
    }
    return true;
}

bool TrpNames::same(QStringView a, QLatin1StringView b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (qsizetype i = 0; i < a.size(); ++i) {
        if (foldAscii(a[i].unicode()) !=
            foldAscii(static_cast<char16_t>(static_cast<unsigned char>(b[i].toLatin1())))) {
            return false;
        }
    }
    return true;
}

QString TrpNames::key(QStringView name) {
    QString out(name.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < name.size(); ++i) {
        out[i] = QChar(foldAscii(name[i].unicode()));
    }
    return out;
}
