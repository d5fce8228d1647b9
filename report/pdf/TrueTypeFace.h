#pragma once

#include <QByteArray>
#include <QRect>
#include <functional>
#include <memory>

class QFontEngine;

// One TrueType face as PDF documents embed it: its tables read once per process, each glyph's outline
// found in them, its advance and the face's measures for the font descriptor. The server prints thousands
// of tickets with the same two or three faces, so everything here is set up once and shared by every
// document; documents only pick glyphs out of it.
class TrueTypeFace {
public:
    // The face behind one of the platform's font engines (the font's own or a fallback), from the process's
    // cache; nothing when it is not a TrueType face (the caller draws such glyphs as outlines).
    static std::shared_ptr<const TrueTypeFace> forEngine(QFontEngine& engine);

    int glyphCount() const { return glyphCount_; }
    int unitsPerEm() const { return unitsPerEm_; }
    // The glyph's outline as the face stores it (empty for a glyph without contours).
    QByteArray glyphData(quint32 glyph) const;
    // Advance and left side bearing, font units.
    quint16 advance(quint32 glyph) const;
    qint16 leftSideBearing(quint32 glyph) const;

    const QByteArray& table(const char* tag) const;
    QByteArray postScriptName() const { return postScriptName_; }
    // Measures for the font descriptor, in thousandths of the em.
    int ascent() const { return ascent_; }
    int descent() const { return descent_; }
    int capHeight() const { return capHeight_; }
    int italicAngle() const { return italicAngle_; }
    QRect boundingBox() const { return boundingBox_; }
    bool bold() const { return bold_; }

private:
    TrueTypeFace() = default;
    bool load(const std::function<QByteArray(const char*)>& fontTable, const QByteArray& postScriptName,
              bool bold);
    int perMille(int units) const { return units * 1000 / unitsPerEm_; }

    QByteArray head_, hhea_, maxp_, hmtx_, loca_, glyf_, empty_;
    int glyphCount_ = 0;
    int unitsPerEm_ = 1000;
    bool longOffsets_ = false;
    int metricsCount_ = 0;
    QByteArray postScriptName_;
    int ascent_ = 0;
    int descent_ = 0;
    int capHeight_ = 0;
    int italicAngle_ = 0;
    QRect boundingBox_;
    bool bold_ = false;
};
