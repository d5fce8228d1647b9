#pragma once

#include "TrpTypes.h"

#include <QColor>
#include <QFont>
#include <QHash>
#include <QList>
#include <QMutex>
#include <QRectF>
#include <QString>
#include <QStringList>
#include <memory>

class QPainter;
class ShapedText;

// The font a memo measures and draws with, as the template gives it.
struct TrpTextFont {
    QString name = QStringLiteral("Arial");
    int height = -13; // pixels at 96 per inch; negative: character height without internal leading
    int style = 0;    // bits: 1 bold, 2 italic, 4 underline, 8 strike-out
    QColor color = Qt::black;

    // The whole point size the height stands for (15 px: 11 pt, 13 px: 10 pt, 16 px: 12 pt).
    int pointSize() const;
};

// What a memo asks of the measuring object besides its font and text.
struct TrpTextOptions {
    bool wordWrap = true;
    double charSpacing = 0;  // report pixels added after every character
    double lineSpacing = 2;  // report pixels between lines
    double paragraphGap = 0; // report pixels the first line of a paragraph is indented by
    TrpHAlign hAlign = TrpHAlign::haLeft;
    bool clipped = true;
};

// One line after wrapping.
struct TrpTextLine {
    QString text;
    bool firstOfParagraph = false;
    bool lastOfParagraph = false;
    double width600 = 0; // the line's width at 600 dots per inch
};

// Measures, wraps and draws memo text. Text is measured once at 600 dots per inch whatever the output
// device, and every position drawn is scaled from that measurement, so a ticket wraps and grows the same
// in the preview, in a PDF and on any printer. One per process; hold its lock while using it.
class TrpDrawText {
public:
    static constexpr double MeasureDpi = 600;
    static constexpr double ScreenDpi = 96;
    static constexpr double Ratio = MeasureDpi / ScreenDpi; // 6.25

    static TrpDrawText& instance();
    static QMutex& lock();

    void setFont(const TrpTextFont& font);
    void setOptions(const TrpTextOptions& options) { options_ = options; }
    // The text rectangle, report pixels.
    void setDimensions(const QRectF& rect) { rect_ = rect; }
    // Wraps the memo's lines into the rectangle's width.
    void setText(const QStringList& lines);

    const QList<TrpTextLine>& lines() const { return lines_; }
    // Character height at 600 dots per inch (11 pt: 92).
    int charHeight600() const { return charHeight_; }
    // Report pixels from one line to the next.
    double lineHeight() const;
    // Height of the wrapped text, report pixels.
    double calcHeight() const;
    // Width of the widest wrapped line, report pixels.
    double calcWidth() const;
    // Width of a text at 600 dots per inch, with the character spacing.
    double textWidth600(const QString& text) const;

    // Draws the wrapped text onto `painter`, where one report pixel is `scaleX` by `scaleY` device units
    // and `origin` is the device position of report position (0, 0).
    void drawText(QPainter& painter, double scaleX, double scaleY, const QPointF& origin) const;
    // The lowest device y that drawText with these arguments can mark (the lowest baseline and a whole
    // character cell under it); below everything when there is no line.
    double drawnBottom(double scaleY, const QPointF& origin) const;

    // The text rectangle of a memo: gaps inside its rectangle, frame lines taking their half.
    static QRectF textRect(const QRectF& memo, double gapX, double gapY, double frameWidth, int frameTyp);
    // A memo's height for a text height: gaps, frame lines and shadow added, rounded half to even.
    static int memoHeight(double textHeight, double gapY, double frameWidth, int frameTyp,
                          double shadowWidth);
    // The family the platform draws for a template's font name.
    static QString resolvedFamily(const QString& name);

    // The characters measured since the last call that no installed font has (each once); they print as
    // the font's empty box, on paper as in the preview. Clears the list.
    QList<char32_t> takeMissingCharacters();

private:
    TrpDrawText() = default;

    void prefixWidths(const QString& paragraph, QList<double>& widths) const;
    // The same from the paragraph's shaping, or character by character when `shaped` is null.
    void prefixWidths(const QString& paragraph, const ShapedText* shaped, QList<double>& widths) const;
    // The paragraph's shaping when it needs one (see ShapedText::isSimple), else null.
    std::shared_ptr<const ShapedText> shapedOrNull(const QString& text) const;
    double charAdvance(QChar c) const;
    QList<TrpTextLine> wrapParagraph(const QString& paragraph);
    // The width of a wrapped line as it is drawn, at 600 dots per inch.
    double lineWidth600(const QString& line, double prefixWidth) const;
    QFont deviceFont(double pixelSize) const;

    TrpTextFont font_;
    QFont measureFont_;
    int charHeight_ = 0;
    double cellHeight_ = 0;
    TrpTextOptions options_;
    QRectF rect_;
    QList<TrpTextLine> lines_;
    mutable QHash<QChar, double> advances_;
    QList<char32_t> missing_;
};
