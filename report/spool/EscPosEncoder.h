#pragma once

#include "DotPage.h"
#include "EscPosSettings.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <utility>

// Turns pages of dots into the ESC/POS a receipt printer takes: ESC @ to start from the printer's defaults,
// then per page its rows as GS v 0 raster images of at most MaxBandRows rows, every row exactly as wide as
// the head, followed by the feed (ESC J) and the cut (GS V). A page narrower than the head is centred on
// it; a wider one keeps its left edge and loses what lies beyond the head.
class EscPosEncoder {
public:
    // Many printers take no taller raster image than this.
    static constexpr int MaxBandRows = 256;

    // Starts a document (ESC @).
    explicit EscPosEncoder(const EscPosSettings& settings);

    // A page of `width` x `height` dots follows, row by row from the top: addRow() exactly `height` times,
    // then endPage(). Rows are packed as DotPage rows are.
    void beginPage(int width, int height);
    void addRow(const uchar* dots);
    // The feed and the cut after the page.
    void endPage();
    // The document so far; the encoder is empty afterwards.
    QByteArray take() { return std::exchange(out_, QByteArray()); }

    static QByteArray encode(const QList<DotPage>& pages, const EscPosSettings& settings);

    // How a page `pageWidth` dots wide sits on the queue's head, for the operator; empty when it fills the
    // head exactly.
    static QString fitting(const QString& queue, int pageWidth, const EscPosSettings& settings);

    // Whether a document is whole ESC/POS as encode() makes it: every command complete, every raster
    // image with all its rows, nothing after the last command. An archived copy cut short fails this.
    static bool isWholeDocument(const QByteArray& document);
    // The width in dots of the document's first raster image (0 when it has none).
    static int headDots(const QByteArray& document);

private:
    EscPosSettings settings_;
    int headBytes_;
    QByteArray out_;
    int pageBytes_ = 0;
    int pageHeight_ = 0;
    int offset_ = 0;        // dots between the head's left edge and the page's
    int row_ = 0;           // rows of the page added
    uchar* band_ = nullptr; // where the current band's next row goes
};
