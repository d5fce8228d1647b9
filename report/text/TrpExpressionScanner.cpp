#include "TrpExpressionScanner.h"

namespace {

bool at(const QString& text, qsizetype pos, const QString& token) {
    return !token.isEmpty() && QStringView(text).mid(pos).startsWith(token);
}

} // namespace

TrpExpressionScanner::Match TrpExpressionScanner::find(const QString& text, qsizetype start,
                                                       const QString& open, const QString& close) {
    if (!at(text, start, open)) {
        return {};
    }
    int depth = 0;
    bool inSingle = false;
    bool inDouble = false;
    for (qsizetype pos = start; pos < text.size(); ++pos) {
        if (!inSingle && !inDouble) {
            if (at(text, pos, open)) {
                ++depth;
            } else if (at(text, pos, close)) {
                --depth;
            }
        }
        const QChar c = text.at(pos);
        if (c == QLatin1Char('"') && !inSingle) {
            inDouble = !inDouble;
        } else if (c == QLatin1Char('\'') && !inDouble) {
            inSingle = !inSingle;
        }
        if (depth == 0) {
            const qsizetype from = start + open.size();
            return {text.mid(from, pos - from), pos + close.size() - 1};
        }
    }
    // Unmatched: everything after the opening delimiter up to the text's last character.
    const qsizetype from = start + open.size();
    return {text.mid(from, std::max<qsizetype>(0, text.size() - 1 - from)), text.size() - 1};
}

QString TrpExpressionScanner::expand(const QString& text, const QString& delimiters, int formatCount,
                                     const Evaluate& evaluate) {
    const qsizetype comma = delimiters.indexOf(QLatin1Char(','));
    const QString open = comma < 0 ? delimiters : delimiters.left(comma);
    const QString close = comma < 0 ? QString() : delimiters.mid(comma + 1).left(255);
    if (open.isEmpty() || !text.contains(open)) {
        return text;
    }
    QString s = text;
    qsizetype i = 0;
    int format = 0;
    for (;;) {
        while (i < s.size() - 1 && !at(s, i, open)) {
            ++i;
        }
        const Match match = find(s, i, open, close);
        if (match.end < 0 || match.end == i) {
            return s;
        }
        s.remove(i, match.end - i + 1);
        const QString value = evaluate(match.expression, format);
        s.insert(i, value);
        i += value.size();
        if (format < formatCount - 1) {
            ++format;
        }
    }
}
