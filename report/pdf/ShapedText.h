#pragma once

#include "TrueTypeFace.h"

#include <QFont>
#include <QList>
#include <QPointF>
#include <QRawFont>
#include <QString>
#include <memory>

class QTextItem;

// The glyphs of one face in a shaped line, in the order they are drawn.
struct ShapedRun {
    QRawFont font; // the face the platform draws them with, a fallback face included
    std::shared_ptr<const TrueTypeFace> face; // its tables for embedding; empty when it is not TrueType
    double pixelSize = 0;
    bool syntheticBold = false;   // a face without a bold style, emboldened by the platform
    bool syntheticItalic = false; // a face without an italic style, slanted by the platform
    QList<quint32> glyphs;
    QList<QPointF> positions; // from the start of the baseline, in the font's pixels, y downwards
    QList<QString> texts;     // the characters each glyph shows; empty for the later glyphs of a cluster
};

// A line of text as the platform's painter draws it from a point on its baseline (left-to-right paragraph):
// shaped (joining, ligatures, marks), right-to-left runs in visual order, characters the font lacks taken
// from the fallback faces. The ticket PDF draws these glyphs, so paper shows what the preview shows, and
// measuring reads the same advances, so a line wraps where it is drawn.
class ShapedText {
public:
    // From the process's cache: the ticket's captions and repeated names are shaped once.
    static std::shared_ptr<const ShapedText> shape(const QFont& font, const QString& text);
    // The glyphs a painter hands its paint engine for one piece of text, as they are.
    static ShapedText fromTextItem(const QTextItem& item);
    // True when `text` needs no shaping to be measured: letters and punctuation of the scripts whose
    // characters the ticket faces draw one glyph each, left to right, nothing combined, joined or skipped.
    static bool isSimple(QStringView text);

    const QList<ShapedRun>& runs() const { return runs_; }
    // The line's advance, in the font's pixels.
    double width() const { return width_; }
    // For each character in reading order, the advance of the cluster it starts (0 inside a cluster).
    const QList<double>& advances() const { return advances_; }
    // Whether character `i` starts a cluster: a line may break only before such a character.
    bool startsCluster(qsizetype i) const { return i >= clusterStarts_.size() || clusterStarts_[i]; }
    // The characters no installed face has (each once, in reading order).
    const QList<char32_t>& missing() const { return missing_; }
    // The text as given, for a reader of the document: what copying the line gives.
    const QString& text() const { return text_; }

private:
    friend struct ShapedTextBuilder;
    QList<ShapedRun> runs_;
    double width_ = 0;
    QList<double> advances_;
    QList<bool> clusterStarts_;
    QList<char32_t> missing_;
    QString text_;
};
