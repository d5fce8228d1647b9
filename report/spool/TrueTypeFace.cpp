#include "TrueTypeFace.h"

#include <QHash>
#include <QMutex>
#include <QtEndian>

namespace {

quint16 u16(const QByteArray& table, qsizetype at) {
    return at + 2 <= table.size() ? qFromBigEndian<quint16>(table.constData() + at) : 0;
}

qint16 s16(const QByteArray& table, qsizetype at) {
    return static_cast<qint16>(u16(table, at));
}

quint32 u32(const QByteArray& table, qsizetype at) {
    return at + 4 <= table.size() ? qFromBigEndian<quint32>(table.constData() + at) : 0;
}

QMutex& cacheLock() {
    static QMutex mutex;
    return mutex;
}

} // namespace

std::shared_ptr<const TrueTypeFace> TrueTypeFace::forFont(const QFont& font) {
    // Keyed by what picks the face, not its size: one entry serves every size of the face.
    static QHash<QString, std::shared_ptr<const TrueTypeFace>> cache;
    const QString key = font.family() + QLatin1Char('/') + QString::number(font.weight()) + QLatin1Char('/') +
                        QString::number(static_cast<int>(font.style())) + QLatin1Char('/') +
                        QString::number(static_cast<int>(font.styleStrategy()));
    const QMutexLocker lock(&cacheLock());
    const auto found = cache.constFind(key);
    if (found != cache.constEnd()) {
        return *found;
    }
    QFont unscaled(font);
    unscaled.setPixelSize(100);
    TrueTypeFace loaded;
    std::shared_ptr<const TrueTypeFace> face;
    if (loaded.load(QRawFont::fromFont(unscaled))) {
        face = std::make_shared<const TrueTypeFace>(std::move(loaded));
    }
    cache.insert(key, face);
    return face;
}

bool TrueTypeFace::load(const QRawFont& raw) {
    if (!raw.isValid()) {
        return false;
    }
    raw_ = raw;
    head_ = raw.fontTable("head");
    hhea_ = raw.fontTable("hhea");
    maxp_ = raw.fontTable("maxp");
    hmtx_ = raw.fontTable("hmtx");
    loca_ = raw.fontTable("loca");
    glyf_ = raw.fontTable("glyf");
    cvt_ = raw.fontTable("cvt ");
    fpgm_ = raw.fontTable("fpgm");
    prep_ = raw.fontTable("prep");
    if (head_.size() < 54 || hhea_.size() < 36 || maxp_.size() < 6 || loca_.isEmpty() || glyf_.isEmpty()) {
        return false; // not an outline font with TrueType glyphs
    }
    unitsPerEm_ = std::max<int>(16, u16(head_, 18));
    longOffsets_ = s16(head_, 50) == 1;
    glyphCount_ = u16(maxp_, 4);
    metricsCount_ = std::max<int>(1, u16(hhea_, 34));
    boundingBox_ = QRect(QPoint(perMille(s16(head_, 36)), perMille(s16(head_, 38))),
                         QPoint(perMille(s16(head_, 40)), perMille(s16(head_, 42))));
    ascent_ = perMille(s16(hhea_, 4));
    descent_ = perMille(s16(hhea_, 6));
    const QByteArray os2 = raw.fontTable("OS/2");
    capHeight_ = u16(os2, 0) >= 2 && os2.size() >= 90 ? perMille(s16(os2, 88)) : ascent_;
    const QByteArray post = raw.fontTable("post");
    italicAngle_ = static_cast<qint16>(u32(post, 4) >> 16);
    bold_ = raw.weight() >= QFont::Bold;
    // A PDF name: the face's family and style without spaces.
    QString name = raw.familyName() + QLatin1Char('-') + raw.styleName();
    name.remove(QLatin1Char(' '));
    for (const QChar c : std::as_const(name)) {
        if (c.unicode() > 32 && c.unicode() < 127 && !QStringLiteral("()<>[]{}/%#").contains(c)) {
            postScriptName_ += static_cast<char>(c.unicode());
        }
    }
    return true;
}

QVarLengthArray<quint32, 256> TrueTypeFace::glyphsOf(QStringView text) const {
    QVarLengthArray<quint32, 256> glyphs(text.size());
    int count = static_cast<int>(glyphs.size());
    if (!raw_.glyphIndexesForChars(text.data(), static_cast<int>(text.size()), glyphs.data(), &count)) {
        count = 0;
    }
    glyphs.resize(count);
    return glyphs;
}

QByteArray TrueTypeFace::glyphData(quint32 glyph) const {
    if (glyph >= static_cast<quint32>(glyphCount_)) {
        return {};
    }
    const quint32 from = longOffsets_ ? u32(loca_, glyph * 4) : u16(loca_, glyph * 2) * 2u;
    const quint32 to = longOffsets_ ? u32(loca_, glyph * 4 + 4) : u16(loca_, glyph * 2 + 2) * 2u;
    if (to <= from || to > static_cast<quint32>(glyf_.size())) {
        return {};
    }
    return QByteArray::fromRawData(glyf_.constData() + from, to - from);
}

quint16 TrueTypeFace::advance(quint32 glyph) const {
    const quint32 index = std::min<quint32>(glyph, metricsCount_ - 1);
    return u16(hmtx_, index * 4);
}

qint16 TrueTypeFace::leftSideBearing(quint32 glyph) const {
    if (glyph < static_cast<quint32>(metricsCount_)) {
        return s16(hmtx_, glyph * 4 + 2);
    }
    return s16(hmtx_, metricsCount_ * 4 + (glyph - metricsCount_) * 2);
}

const QByteArray& TrueTypeFace::table(const char* tag) const {
    const QByteArray name(tag);
    if (name == "head") {
        return head_;
    }
    if (name == "hhea") {
        return hhea_;
    }
    if (name == "maxp") {
        return maxp_;
    }
    if (name == "cvt ") {
        return cvt_;
    }
    if (name == "fpgm") {
        return fpgm_;
    }
    if (name == "prep") {
        return prep_;
    }
    return empty_;
}
