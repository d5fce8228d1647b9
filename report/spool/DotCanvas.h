#pragma once

#include "DotPage.h"
#include "SpoolPageSettings.h"

#include <QImage>
#include <QPainter>
#include <functional>

// A page drawn for a printer of one bit per dot. Its painter comes with antialiasing and text
// antialiasing switched off: the page painter then draws every edge and every glyph in whole dots and
// dithers pictures itself, so that nothing grey is left for the threshold to break into ragged strokes.
// Every one-bit output (a receipt printer's job, the rendered dots of a ticket) draws through one of these,
// so they all get the same dots. The page is drawn in shades of grey, a byte per dot: a fifth of the memory
// of colour pixels to clear and to read back, on a long ticket most of the work.
class DotCanvas {
public:
    ~DotCanvas();
    // A white page as large as the paper the settings name, at `dpi` dots per inch (rounded up).
    DotCanvas(const SpoolPageSettings& paper, int dpi);
    DotCanvas(const DotCanvas&) = delete;
    DotCanvas& operator=(const DotCanvas&) = delete;

    QPainter& painter() { return painter_; }
    // Ends the drawing and gives the page's dots (once: the canvas is white again afterwards).
    DotPage finish();
    // The same row by row from the top, each packed as a DotPage row, without keeping the whole page.
    void finishRows(const std::function<void(const uchar*)>& row);

    int width() const { return image_.width(); }
    int height() const { return image_.height(); }

    // The paper's size in dots at `dpi`, each side rounded up.
    static QSize paperDots(const SpoolPageSettings& paper, int dpi);

private:
    QImage image_;
    QPainter painter_;
    bool sharedPixels_ = false; // the image is on the process's kept pixels (see DotCanvas.cpp)
    bool whiteAgain_ = false;   // finish() has left every pixel white
};
