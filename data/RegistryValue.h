#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>

// The value types of the per-user settings store, numbered as the Windows registry numbers them.
enum RegistryType : std::uint32_t {
    RegNone = 0,
    RegSz = 1,
    RegExpandSz = 2,
    RegBinary = 3,
    RegDword = 4,
    RegDwordBigEndian = 5,
    RegLink = 6,
    RegMultiSz = 7,
    RegQword = 11,
};

// One named value of a settings key. Quoted strings keep their text; every other form keeps its bytes.
struct RegistryValue {
    std::uint32_t type = RegNone;
    QString text;             // a quoted string (REG_SZ) as written
    QByteArray bytes;         // the data of dword: and hex forms
    bool fromText = false;    // true for a quoted string
    bool unicodeBytes = true; // hex(1)/hex(2) bytes are UTF-16LE (version 5 files), else the 8-bit code page
};
