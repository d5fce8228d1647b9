#pragma once

#include "TrueTypeFace.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <memory>

// The glyphs of one face that one document uses, numbered 1, 2, ... in the order of first use (0 is the
// face's missing glyph). Text is written with those numbers; at the end the subset makes the embedded font
// program with only those glyphs, their widths and the map back to the characters they show.
class TrueTypeSubset {
public:
    explicit TrueTypeSubset(std::shared_ptr<const TrueTypeFace> face);

    const TrueTypeFace& face() const { return *face_; }
    // Appends the subset's number for the face's `glyph`, hex-coded two bytes as a PDF string wants; `text`
    // is what the glyph shows, for the map back to characters (the first text a glyph shows is kept).
    void encode(quint32 glyph, const QString& text, QByteArray& out);

    // A TrueType font program with the used glyphs (and the glyphs they are made of), without the hinting
    // instructions: tickets are laid out unhinted, and a renderer that ran them would move stems and
    // baselines away from the preview.
    QByteArray fontProgram();
    // The /W array of the used glyphs, thousandths of the em.
    QByteArray widths() const;
    // A ToUnicode character map from the subset's numbers to the characters they were used for.
    QByteArray toUnicode() const;

private:
    quint16 numberOf(quint32 glyph);

    std::shared_ptr<const TrueTypeFace> face_;
    QHash<quint32, quint16> numbers_; // face glyph -> subset number
    QList<quint32> glyphs_;           // subset number -> face glyph
    QList<QString> characters_;       // subset number -> the characters it showed first (empty: none)
};
