#pragma once

#include <QByteArray>
#include <QPaintDevice>
#include <QSizeF>
#include <QString>
#include <memory>

class QPainter;
class TicketPdfEngine;

// A paint device that makes a PDF document in memory, one page after the other, each page with its own
// paper size, at 600 dots per inch. It knows what tickets draw (text, rules, filled rectangles, pictures,
// clipping) and embeds the used glyphs of each face as a TrueType subset; faces are read once per process
// and shared by every document, so a ticket costs only its own drawing.
class TicketPdfWriter : public QPaintDevice {
public:
    static constexpr int Resolution = 600;

    explicit TicketPdfWriter(QString title);
    ~TicketPdfWriter() override;
    TicketPdfWriter(const TicketPdfWriter&) = delete;
    TicketPdfWriter& operator=(const TicketPdfWriter&) = delete;

    // The paper of the first page (before a painter begins) or of the next page (then call newPage).
    void setPageSize(const QSizeF& millimetres);
    // Ends the current page and starts one of the paper last set.
    void newPage();

    // After the painter has ended: the whole document.
    const QByteArray& document() const;

    QPaintEngine* paintEngine() const override;

    // Draws one line of measured text straight into the document, with the glyphs the painter would shape
    // for it (from the process's cache of shaped lines), when `painter` paints on a ticket PDF; false
    // otherwise, and the caller draws it with the painter.
    static bool drawTextRun(QPainter& painter, const QPointF& baseline, const QFont& font, QStringView text);

protected:
    int metric(PaintDeviceMetric metric) const override;

private:
    std::unique_ptr<TicketPdfEngine> engine_;
    QSizeF pageMm_;
};
