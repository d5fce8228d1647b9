#include "TrueTypeSubset.h"

#include <QtEndian>
#include <algorithm>

namespace {

constexpr char Hex[] = "0123456789ABCDEF";

void appendHex16(QByteArray& out, quint32 value) {
    const char digits[4] = {Hex[(value >> 12) & 15], Hex[(value >> 8) & 15], Hex[(value >> 4) & 15],
                            Hex[value & 15]};
    out.append(digits, 4);
}

void put16(QByteArray& out, quint16 value) {
    out += static_cast<char>(value >> 8);
    out += static_cast<char>(value & 0xFF);
}

void put32(QByteArray& out, quint32 value) {
    put16(out, static_cast<quint16>(value >> 16));
    put16(out, static_cast<quint16>(value & 0xFFFF));
}

void set16(QByteArray& data, qsizetype at, quint16 value) {
    if (at + 2 <= data.size()) {
        qToBigEndian<quint16>(value, data.data() + at);
    }
}

// A big-endian 16-bit value of glyph data, read byte by byte (the caller has checked the size).
quint16 be16(const QByteArray& data, qsizetype at) {
    return static_cast<quint16>((static_cast<uchar>(data.at(at)) << 8) | static_cast<uchar>(data.at(at + 1)));
}

quint32 checksum(const QByteArray& table) {
    quint32 sum = 0;
    const qsizetype whole = table.size() / 4 * 4;
    for (qsizetype i = 0; i < whole; i += 4) {
        sum += qFromBigEndian<quint32>(table.constData() + i);
    }
    quint32 last = 0;
    for (qsizetype i = whole; i < table.size(); ++i) {
        last |= static_cast<quint32>(static_cast<uchar>(table.at(i))) << (24 - 8 * (i - whole));
    }
    return sum + last;
}

// Composite glyph flags.
constexpr quint16 ArgsAreWords = 0x0001;
constexpr quint16 HasScale = 0x0008;
constexpr quint16 MoreComponents = 0x0020;
constexpr quint16 HasXYScale = 0x0040;
constexpr quint16 HasTwoByTwo = 0x0080;
constexpr quint16 HasInstructions = 0x0100;

// A glyph's outline without its hinting instructions (the caller has checked the header's size).
QByteArray withoutInstructions(const QByteArray& data) {
    const auto contours = static_cast<qint16>(be16(data, 0));
    if (contours >= 0) {
        // Simple glyph: contour ends, instruction length, instructions, then the points.
        const qsizetype lengthAt = 10 + 2 * qsizetype(contours);
        if (lengthAt + 2 > data.size()) {
            return data;
        }
        const quint16 length = be16(data, lengthAt);
        if (length == 0 || lengthAt + 2 + length > data.size()) {
            return data;
        }
        QByteArray out = data.left(lengthAt);
        out += QByteArray(2, '\0');
        out += QByteArrayView(data).sliced(lengthAt + 2 + length);
        return out;
    }
    // Composite glyph: the instructions follow the last component.
    QByteArray out = data;
    out.detach();
    qsizetype at = 10;
    quint16 flags = MoreComponents;
    bool instructed = false;
    while ((flags & MoreComponents) && at + 4 <= out.size()) {
        flags = be16(out, at);
        instructed = instructed || (flags & HasInstructions);
        set16(out, at, flags & ~HasInstructions);
        at += 4 + ((flags & ArgsAreWords) ? 4 : 2);
        at += (flags & HasScale) ? 2 : (flags & HasXYScale) ? 4 : (flags & HasTwoByTwo) ? 8 : 0;
    }
    if (instructed && at <= out.size()) {
        out.truncate(at);
    }
    return out;
}

} // namespace

TrueTypeSubset::TrueTypeSubset(std::shared_ptr<const TrueTypeFace> face) : face_(std::move(face)) {
    glyphs_.append(0);
    characters_.append(QString());
    numbers_.insert(0, 0);
}

quint16 TrueTypeSubset::numberOf(quint32 glyph) {
    const auto found = numbers_.constFind(glyph);
    if (found != numbers_.constEnd()) {
        return *found;
    }
    const auto number = static_cast<quint16>(glyphs_.size());
    numbers_.insert(glyph, number);
    glyphs_.append(glyph);
    characters_.append(QString());
    return number;
}

void TrueTypeSubset::encode(quint32 glyph, const QString& text, QByteArray& out) {
    const quint16 number = numberOf(glyph);
    if (characters_[number].isEmpty() && number != 0) {
        characters_[number] = text;
    }
    appendHex16(out, number);
}

QByteArray TrueTypeSubset::fontProgram() {
    // Outlines, in subset order; a composite glyph's parts join the subset and are renumbered inside it.
    QByteArray glyf;
    QByteArray loca;
    for (qsizetype n = 0; n < glyphs_.size(); ++n) {
        put32(loca, static_cast<quint32>(glyf.size()));
        QByteArray data = face_->glyphData(glyphs_[n]);
        if (data.size() >= 10) {
            data = withoutInstructions(data);
        }
        if (data.size() >= 10 && static_cast<qint16>(be16(data, 0)) < 0) {
            data.detach();
            qsizetype at = 10;
            quint16 flags = MoreComponents;
            while ((flags & MoreComponents) && at + 4 <= data.size()) {
                flags = be16(data, at);
                const quint16 part = be16(data, at + 2);
                set16(data, at + 2, numberOf(part));
                at += 4 + ((flags & ArgsAreWords) ? 4 : 2);
                at += (flags & HasScale) ? 2 : (flags & HasXYScale) ? 4 : (flags & HasTwoByTwo) ? 8 : 0;
            }
        }
        glyf += data;
        while (glyf.size() % 4 != 0) {
            glyf += '\0';
        }
    }
    put32(loca, static_cast<quint32>(glyf.size()));

    const auto count = static_cast<quint16>(glyphs_.size());
    QByteArray hmtx;
    for (const quint32 glyph : std::as_const(glyphs_)) {
        put16(hmtx, face_->advance(glyph));
        put16(hmtx, static_cast<quint16>(face_->leftSideBearing(glyph)));
    }
    QByteArray head = face_->table("head");
    head.detach();
    head.replace(8, 4, QByteArray(4, '\0')); // checksum adjustment: not used by PDF readers
    set16(head, 50, 1);                      // long offsets in loca
    QByteArray hhea = face_->table("hhea");
    set16(hhea, 34, count);
    QByteArray maxp = face_->table("maxp");
    set16(maxp, 4, count);
    set16(maxp, 26, 0); // the largest glyph program: there are none

    struct Table {
        const char* tag;
        QByteArray data;
    };
    std::vector<Table> tables = {{"glyf", glyf}, {"head", head}, {"hhea", hhea},
                                 {"hmtx", hmtx}, {"loca", loca}, {"maxp", maxp}};
    std::erase_if(tables, [](const Table& t) { return t.data.isEmpty(); });

    const auto tableCount = static_cast<quint16>(tables.size());
    quint16 power = 1;
    quint16 log2 = 0;
    while (power * 2 <= tableCount) {
        power *= 2;
        ++log2;
    }
    QByteArray font;
    put32(font, 0x00010000);
    put16(font, tableCount);
    put16(font, static_cast<quint16>(power * 16));
    put16(font, log2);
    put16(font, static_cast<quint16>(tableCount * 16 - power * 16));
    quint32 offset = 12 + 16u * tableCount;
    for (const Table& t : tables) {
        font.append(t.tag, 4);
        put32(font, checksum(t.data));
        put32(font, offset);
        put32(font, static_cast<quint32>(t.data.size()));
        offset += (static_cast<quint32>(t.data.size()) + 3) & ~3u;
    }
    for (const Table& t : tables) {
        font += t.data;
        while (font.size() % 4 != 0) {
            font += '\0';
        }
    }
    return font;
}

QByteArray TrueTypeSubset::widths() const {
    QByteArray out = "[0[";
    const int em = face_->unitsPerEm();
    for (const quint32 glyph : glyphs_) {
        // Exact widths: a rounded width would move every following glyph of a line.
        out += QByteArray::number(face_->advance(glyph) * 1000.0 / em, 'f', 3);
        out += ' ';
    }
    out += "]]";
    return out;
}

QByteArray TrueTypeSubset::toUnicode() const {
    QByteArray out = "/CIDInit/ProcSet findresource begin 12 dict begin begincmap\n"
                     "/CIDSystemInfo<</Registry(Adobe)/Ordering(UCS)/Supplement 0>>def\n"
                     "/CMapName/Adobe-Identity-UCS def/CMapType 2 def\n"
                     "1 begincodespacerange<0000><FFFF>endcodespacerange\n";
    QList<qsizetype> mapped;
    for (qsizetype n = 1; n < characters_.size(); ++n) {
        if (!characters_[n].isEmpty()) {
            mapped.append(n);
        }
    }
    // At most 100 entries per block; a glyph may stand for several characters (a ligature, a cluster).
    for (qsizetype from = 0; from < mapped.size(); from += 100) {
        const qsizetype to = std::min(mapped.size(), from + 100);
        out += QByteArray::number(to - from) + " beginbfchar\n";
        for (qsizetype i = from; i < to; ++i) {
            out += '<';
            appendHex16(out, static_cast<quint32>(mapped[i]));
            out += "><";
            for (const QChar c : characters_[mapped[i]]) {
                appendHex16(out, c.unicode());
            }
            out += ">\n";
        }
        out += "endbfchar\n";
    }
    out += "endcmap CMapName currentdict/CMap defineresource pop end end";
    return out;
}
