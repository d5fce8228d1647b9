#include "ShapedText.h"

#include <QHash>
#include <QMutex>
#include <QVarLengthArray>
#include <cmath>
#include <private/qfontengine_p.h>
#include <private/qrawfont_p.h>
#include <private/qtextengine_p.h>

namespace {

// Characters that draw nothing on their own: a missing glyph for them is no missing character.
bool drawsNothing(char32_t c) {
    const QChar::Category category = QChar::category(c);
    return category == QChar::Other_Format || category == QChar::Other_Control ||
           category == QChar::Separator_Line || category == QChar::Separator_Paragraph ||
           (c >= 0xFE00 && c <= 0xFE0F) || (c >= 0xE0100 && c <= 0xE01EF);
}

QRawFont rawFontOf(QFontEngine* engine) {
    QRawFont raw;
    QRawFontPrivate::get(raw)->setFontEngine(engine);
    return raw;
}

} // namespace

// Turns the items of Qt's text engine into runs, as its painter turns them into glyph positions: items in
// visual order, each item split where its glyphs change face, positions from the face's own placement.
struct ShapedTextBuilder {
    ShapedText& out;

    // One item (or the part of one a painter hands over) starting at `x`: glyphs, the characters they show
    // and the map from each character to its cluster's first glyph.
    void addItem(QFontEngine* engine, const QGlyphLayout& glyphs, const QChar* chars, int charCount,
                 const unsigned short* clusters, bool rtl, qreal x) {
        if (glyphs.numGlyphs == 0) {
            return;
        }
        // The characters each glyph shows: a cluster's text on its first glyph.
        QList<QString> texts(glyphs.numGlyphs);
        if (chars != nullptr && clusters != nullptr && charCount > 0) {
            const int base = clusters[0];
            int c = 0;
            while (c < charCount) {
                int next = c + 1;
                while (next < charCount && clusters[next] == clusters[c]) {
                    ++next;
                }
                const int glyph = clusters[c] - base;
                if (glyph >= 0 && glyph < glyphs.numGlyphs) {
                    texts[glyph] += QString(chars + c, next - c);
                }
                c = next;
            }
        }
        if (engine->type() != QFontEngine::Multi) {
            addRun(engine, glyphs, texts, 0, glyphs.numGlyphs, rtl, x);
            return;
        }
        // The face of each glyph is in its high byte.
        auto* multi = static_cast<QFontEngineMulti*>(engine);
        qreal width = 0;
        for (int i = 0; i < glyphs.numGlyphs; ++i) {
            width += glyphs.effectiveAdvance(i).toReal();
        }
        qreal at = rtl ? x + width : x;
        int start = 0;
        while (start < glyphs.numGlyphs) {
            const int which = static_cast<int>(glyphs.glyphs[start] >> 24);
            int end = start + 1;
            while (end < glyphs.numGlyphs && static_cast<int>(glyphs.glyphs[end] >> 24) == which) {
                ++end;
            }
            multi->ensureEngineAt(which);
            qreal partWidth = 0;
            for (int i = start; i < end; ++i) {
                partWidth += glyphs.effectiveAdvance(i).toReal();
            }
            if (rtl) {
                at -= partWidth;
            }
            addRun(multi->engine(which), glyphs, texts, start, end, rtl, at);
            if (!rtl) {
                at += partWidth;
            }
            start = end;
        }
    }

    void addRun(QFontEngine* engine, const QGlyphLayout& all, const QList<QString>& texts, int from, int to,
                bool rtl, qreal x) {
        QVarLengthArray<glyph_t, 64> ids(to - from);
        for (int i = from; i < to; ++i) {
            ids[i - from] = all.glyphs[i] & 0xFFFFFF;
        }
        QGlyphLayout part = all.mid(from, to - from);
        glyph_t* const saved = part.glyphs;
        part.glyphs = ids.data();
        QVarLengthArray<QFixedPoint> positions;
        QVarLengthArray<glyph_t> drawn;
        QTransform origin;
        origin.translate(x, 0);
        engine->getGlyphPositions(part, origin, rtl ? QTextItem::RightToLeft : QTextItem::RenderFlags(),
                                  drawn, positions);
        part.glyphs = saved;

        ShapedRun run;
        run.font = rawFontOf(engine);
        run.face = TrueTypeFace::forEngine(*engine);
        run.pixelSize = engine->fontDef.pixelSize;
        run.syntheticBold = (engine->synthesized() & QFontEngine::SynthesizedBold) != 0;
        run.syntheticItalic = (engine->synthesized() & QFontEngine::SynthesizedItalic) != 0;
        // The positions skip the glyphs that are not drawn, in glyph order.
        qsizetype k = 0;
        for (int i = from; i < to && k < positions.size(); ++i) {
            if (all.attributes[i].dontPrint) {
                continue;
            }
            run.glyphs.append(drawn[k]);
            run.positions.append(positions[k].toPointF());
            run.texts.append(texts[i]);
            if (drawn[k] == 0) {
                for (const char32_t c : texts[i].toUcs4()) {
                    if (!drawsNothing(c) && !out.missing_.contains(c)) {
                        out.missing_.append(c);
                    }
                }
            }
            ++k;
        }
        if (!run.glyphs.isEmpty()) {
            out.runs_.append(std::move(run));
        }
    }
};

bool ShapedText::isSimple(QStringView text) {
    // Latin, Greek and Cyrillic letters and the usual punctuation: the faces draw one glyph per character
    // at its own advance. Marks, soft hyphens, format characters and everything from the scripts that
    // join or reorder need the shaping.
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u < 0x20 || (u >= 0x7F && u < 0xA0) || u == 0xAD || (u >= 0x0300 && u < 0x0370) ||
            (u >= 0x0483 && u < 0x0490) || u >= 0x0530) {
            return false;
        }
    }
    return true;
}

ShapedText ShapedText::fromTextItem(const QTextItem& item) {
    const auto& ti = static_cast<const QTextItemInt&>(item);
    ShapedText shaped;
    shaped.text_ = QString(ti.chars, ti.num_chars);
    ShapedTextBuilder builder{shaped};
    builder.addItem(ti.fontEngine, ti.glyphs, ti.chars, ti.num_chars, ti.logClusters,
                    ti.flags.testFlag(QTextItem::RightToLeft), 0);
    shaped.width_ = ti.width.toReal();
    return shaped;
}

std::shared_ptr<const ShapedText> ShapedText::shape(const QFont& font, const QString& text) {
    static QMutex mutex;
    static QHash<QString, std::shared_ptr<const ShapedText>> cache;
    static qsizetype cachedCharacters = 0;
    // What picks the glyphs and their places, without formatting the font's whole description.
    QString key = font.family();
    key.reserve(key.size() + 8 + text.size());
    key += QChar(0);
    key += QChar(static_cast<char16_t>(font.pixelSize() > 0 ? font.pixelSize() : 0));
    key += QChar(static_cast<char16_t>(std::lround(font.pointSizeF() * 64)));
    key += QChar(static_cast<char16_t>(font.weight()));
    key += QChar(static_cast<char16_t>(font.style() | (font.kerning() ? 8 : 0) | (font.underline() ? 16 : 0) |
                                       (font.strikeOut() ? 32 : 0) | (font.hintingPreference() << 6)));
    key += QChar(static_cast<char16_t>(font.styleStrategy()));
    key += QChar(static_cast<char16_t>(font.stretch()));
    key += QChar(static_cast<char16_t>(std::lround(font.letterSpacing() * 64)));
    key += QChar(static_cast<char16_t>(std::lround(font.wordSpacing() * 64)));
    key += QChar(static_cast<char16_t>(font.capitalization() | (font.letterSpacingType() << 4)));
    key += text;
    {
        const QMutexLocker lock(&mutex);
        const auto found = cache.constFind(key);
        if (found != cache.constEnd()) {
            return *found;
        }
    }

    auto shaped = std::make_shared<ShapedText>();
    shaped->text_ = text;
    shaped->advances_.fill(0, text.size());
    shaped->clusterStarts_.fill(true, text.size());
    ShapedTextBuilder builder{*shaped};
    if (!text.isEmpty()) {
        // As the painter draws a line of text from a point: the same engine, items and visual order.
        QStackTextEngine engine(text, font);
        engine.option.setTextDirection(Qt::LeftToRight);
        engine.itemize();
        QScriptLine line;
        line.length = static_cast<int>(text.size());
        engine.shapeLine(line);
        const int itemCount = static_cast<int>(engine.layoutData->items.size());
        QVarLengthArray<int> visualOrder(itemCount);
        QVarLengthArray<uchar> levels(itemCount);
        for (int i = 0; i < itemCount; ++i) {
            levels[i] = engine.layoutData->items.at(i).analysis.bidiLevel;
        }
        QTextEngine::bidiReorder(itemCount, levels.data(), visualOrder.data());
        QFixed x;
        for (int v = 0; v < itemCount; ++v) {
            const int index = visualOrder[v];
            const QScriptItem& item = engine.layoutData->items.at(index);
            const int length = engine.length(index);
            if (item.analysis.flags >= QScriptAnalysis::TabOrObject) {
                shaped->advances_[item.position] = item.width.toReal();
                x += item.width;
                continue;
            }
            const QGlyphLayout glyphs = engine.shapedGlyphs(&item);
            const unsigned short* clusters = engine.logClusters(&item);
            // Each cluster's advance goes to its first character, in reading order.
            for (int c = 0; c < length;) {
                int next = c + 1;
                while (next < length && clusters[next] == clusters[c]) {
                    shaped->clusterStarts_[item.position + next] = false;
                    ++next;
                }
                const int glyphEnd = next < length ? clusters[next] : glyphs.numGlyphs;
                QFixed advance;
                for (int g = clusters[c]; g < glyphEnd && g < glyphs.numGlyphs; ++g) {
                    advance += glyphs.effectiveAdvance(g);
                }
                shaped->advances_[item.position + c] = advance.toReal();
                c = next;
            }
            builder.addItem(engine.fontEngine(item), glyphs, text.constData() + item.position, length,
                            clusters, item.analysis.bidiLevel % 2 != 0, x.toReal());
            x += item.width;
        }
        shaped->width_ = x.toReal();
    }

    const QMutexLocker lock(&mutex);
    // Bounded: a day of unique names must not grow the process.
    if (cachedCharacters > 64 * 1024) {
        cache.clear();
        cachedCharacters = 0;
    }
    cachedCharacters += text.size() + 64;
    cache.insert(key, shaped);
    return shaped;
}
