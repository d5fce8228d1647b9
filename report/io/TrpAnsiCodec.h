#pragma once

#include <QByteArrayView>
#include <QString>

// The ANSI code page of old-style template files: Windows-1252 (Western European). Bytes the code page
// leaves undefined map to the C1 control character of the same value.
class TrpAnsiCodec {
public:
    static QString toUnicode(QByteArrayView bytes);
};
