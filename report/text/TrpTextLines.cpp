#include "TrpTextLines.h"

namespace {
QStringList split(const QString& text, bool memo) {
    QStringList lines;
    const qsizetype n = text.size();
    qsizetype start = 0;
    qsizetype i = 0;
    while (i < n) {
        const char16_t c = text[i].unicode();
        const bool isBreak = c == u'\r' || c == u'\n' || (memo && (c == 0 || c == 0x2028));
        if (!isBreak) {
            ++i;
            continue;
        }
        lines.append(text.mid(start, i - start));
        i += (c == u'\r' && i + 1 < n && text[i + 1] == u'\n') ? 2 : 1;
        start = i;
    }
    if (start < n) {
        lines.append(text.mid(start));
    }
    return lines;
}
} // namespace

QStringList TrpTextLines::splitMemo(const QString& text) {
    return split(text, true);
}

QStringList TrpTextLines::splitStrings(const QString& text) {
    return split(text, false);
}

QString TrpTextLines::joinTerminated(const QStringList& lines) {
    QString text;
    for (const QString& line : lines) {
        text += line;
        text += QLatin1String("\r\n");
    }
    return text;
}
