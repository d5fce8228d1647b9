#pragma once

#include "ShapedText.h"
#include "TrueTypeSubset.h"

#include <QByteArray>
#include <QFont>
#include <QHash>
#include <QList>
#include <QPaintEngine>
#include <QPainterPath>
#include <QPen>
#include <QSizeF>
#include <QTransform>
#include <atomic>
#include <memory>
#include <optional>
#include <vector>

// The drawing behind TicketPdfWriter: every painter call becomes PDF page content in device units (600
// per inch, y downwards), each one with the clip in force when it was made; at the end the pages, the font
// subsets and the pictures are written out as one document.
class TicketPdfEngine final : public QPaintEngine {
public:
    TicketPdfEngine(QString title, const QSizeF& pageMm);

    void setNextPageSize(const QSizeF& pageMm) { pageMm_ = pageMm; }
    void newPage();
    const QByteArray& document() const { return out_; }

    bool begin(QPaintDevice* device) override;
    bool end() override;
    void updateState(const QPaintEngineState& state) override;
    Type type() const override { return QPaintEngine::User; }

    using QPaintEngine::drawLines;
    using QPaintEngine::drawPolygon;
    using QPaintEngine::drawRects;
    void drawPath(const QPainterPath& path) override;
    void drawRects(const QRectF* rects, int count) override;
    void drawLines(const QLineF* lines, int count) override;
    void drawPolygon(const QPointF* points, int count, PolygonDrawMode mode) override;
    void drawPixmap(const QRectF& r, const QPixmap& pixmap, const QRectF& sr) override;
    void drawImage(const QRectF& r, const QImage& image, const QRectF& sr,
                   Qt::ImageConversionFlags flags = Qt::AutoColor) override;
    void drawTextItem(const QPointF& p, const QTextItem& textItem) override;
    // One line of text in `font` from `p` on its baseline, shaped as the painter shapes it (from the
    // process's cache of shaped lines): what a ticket's measured lines need. The caller gives the painter's
    // state: the colour, the transform and the clip rectangle in device units.
    void drawTextRun(const QPointF& p, const QFont& font, QStringView text, const QColor& color,
                     const QTransform& transform, const std::optional<QRectF>& clip);

private:
    int newObject();
    void startObject(int number);
    void writeStream(int number, const QByteArray& dictionary, const QByteArray& data);
    void startPage();
    void finishPage();
    void writeFonts(QByteArray& fontResources);

    // Opens a drawing operation: saved graphics state, the clip, the painter's transform.
    void beginOperation();
    void setStroke();
    void setFill(const QColor& color);
    void appendPath(const QPainterPath& path);
    void appendMatrix(const QTransform& m);
    // The text operators for shaped glyphs, after the operation was opened; closes it.
    void showShaped(const QPointF& p, const ShapedText& shaped, const QColor& color);
    void showRun(const QPointF& p, const ShapedRun& run, const QColor& ink);
    void fillOutlines(const QPointF& p, const ShapedRun& run);
    void paintCurrentPath(bool closed, Qt::FillRule rule);

    QString title_;
    QSizeF pageMm_;
    QSizeF currentPageMm_;
    QByteArray out_;
    QByteArray content_;
    QList<qsizetype> offsets_; // by object number - 1
    QList<int> pageObjects_;
    bool pageOpen_ = false;
    static std::atomic<qsizetype> contentHint_; // room for a page's content, from the pages before

    QTransform matrix_;
    QPen pen_;
    QBrush brush_;
    bool clipEnabled_ = false;
    QList<QPainterPath> clips_; // device units

    std::vector<std::unique_ptr<TrueTypeSubset>> subsets_;
    QHash<const TrueTypeFace*, int> subsetIndex_;
    QByteArray imageResources_;
    int images_ = 0;
};
