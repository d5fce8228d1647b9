#pragma once

#include <QString>
#include <QStringList>

// How texts are split into lines and joined again.
class TrpTextLines {
public:
    // A memo's lines: split at CR, LF, CR LF, NUL and U+2028; a final line break adds no empty line.
    static QStringList splitMemo(const QString& text);
    // A list of strings: split at CR, LF and CR LF; a final line break adds no empty line.
    static QStringList splitStrings(const QString& text);
    // The lines, each followed by CR LF (a memo's Text).
    static QString joinTerminated(const QStringList& lines);
};
