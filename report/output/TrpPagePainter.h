#pragma once

#include "TrpPreviewPages.h"

#include <functional>

class QPainter;

// Draws one prepared page onto a painter: the page frame, then every view band by band (placement order)
// and in template order inside a band. Memo text goes through the text measuring object, so wrapping and
// line positions come from the 600 dpi measurement whatever the device. A painter handed over with text
// antialiasing switched off (DotCanvas) gets a page for one bit per dot: no antialiased edges, text drawn
// without grey, pictures dithered.
class TrpPagePainter {
public:
    TrpPagePainter(QPainter& painter, double scaleX, double scaleY, TrpDrawTarget target);

    void drawPage(const TrpPreviewPage& page, const TrpPageSettings& settings, QPointF offset);

    // Told before every drawing how far down it can mark: the lowest painter y it touches, antialiasing
    // included. An image canvas clears its rows just ahead of the drawing with it.
    void setReachHandler(std::function<void(double)> handler) { m_reach = std::move(handler); }

private:
    QRectF toDevice(const QRectF& r) const;
    void drawFrame(const TrpFrame& frame, const QRectF& rect);
    void drawMemo(const TrpPreparedView& view, const QRectF& rect);
    void drawPicture(const TrpPreparedView& view, const QRectF& rect);
    void drawDitheredPicture(const QImage& image, const QRectF& target);
    void reach(double bottom) const;

    QPainter& m_painter;
    double m_scaleX;
    double m_scaleY;
    TrpDrawTarget m_target;
    QPointF m_origin; // device position of the printable area's top left corner
    std::function<void(double)> m_reach;
    bool m_dots = false; // drawing for one bit per dot
};
