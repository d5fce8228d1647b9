#include "TrueTypeFace.h"

#include <QHash>
#include <QMutex>
#include <QRawFont>
#include <QtEndian>
#include <private/qfontengine_p.h>
#include <private/qrawfont_p.h>

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

std::shared_ptr<const TrueTypeFace> TrueTypeFace::forEngine(QFontEngine& engine) {
    // Keyed by the face's file and index, not its size: one entry serves every size of the face.
    static QHash<QByteArray, std::shared_ptr<const TrueTypeFace>> cache;
    const QFontEngine::FaceId id = engine.faceId();
    const QByteArray key = id.filename + '#' + QByteArray::number(id.index) + '#' + id.uuid;
    const QMutexLocker lock(&cacheLock());
    const auto found = cache.constFind(key);
    if (found != cache.constEnd() && !id.filename.isEmpty()) {
        return *found;
    }
    TrueTypeFace loaded;
    std::shared_ptr<const TrueTypeFace> face;
    const auto table = [&engine](const char* tag) {
        return engine.getSfntTable(MAKE_TAG(tag[0], tag[1], tag[2], tag[3]));
    };
    // The PDF name: the face's family and style.
    QRawFont raw;
    QRawFontPrivate::get(raw)->setFontEngine(&engine);
    const QByteArray name = (raw.familyName() + QLatin1Char('-') + raw.styleName()).toLatin1();
    if (loaded.load(table, name, engine.fontDef.weight >= QFont::Bold)) {
        face = std::make_shared<const TrueTypeFace>(std::move(loaded));
    }
    if (!id.filename.isEmpty()) {
        cache.insert(key, face);
    }
    return face;
}

bool TrueTypeFace::load(const std::function<QByteArray(const char*)>& fontTable,
                        const QByteArray& postScriptName, bool bold) {
    head_ = fontTable("head");
    hhea_ = fontTable("hhea");
    maxp_ = fontTable("maxp");
    hmtx_ = fontTable("hmtx");
    loca_ = fontTable("loca");
    glyf_ = fontTable("glyf");
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
    const QByteArray os2 = fontTable("OS/2");
    capHeight_ = u16(os2, 0) >= 2 && os2.size() >= 90 ? perMille(s16(os2, 88)) : ascent_;
    const QByteArray post = fontTable("post");
    italicAngle_ = static_cast<qint16>(u32(post, 4) >> 16);
    bold_ = bold;
    // A PDF name: printable characters only, no spaces.
    for (const char c : postScriptName) {
        if (c > 32 && c < 127 && !QByteArrayView("()<>[]{}/%#").contains(c)) {
            postScriptName_ += c;
        }
    }
    if (postScriptName_.isEmpty()) {
        postScriptName_ = "Font";
    }
    return true;
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
    return empty_;
}
