#pragma once

#include "TrpBrushFill.h"
#include "TrpFont.h"
#include "TrpFrame.h"
#include "TrpPageSettings.h"
#include "TrpTypes.h"

#include <QImage>
#include <QRectF>
#include <QStringList>
#include <vector>

class TrpBand;
class TrpView;

// A copy of a view as it was placed: final geometry relative to its band (report pixels), final text and
// every visual property the drawing needs.
struct TrpPreparedView {
    enum class Kind { Memo, Line, Picture };

    Kind kind = Kind::Memo;
    QString name;
    QRectF bounds;
    int visibility = TrpVisibility::All;
    TrpFrame frame;

    // Memo.
    QStringList text;
    TrpFont font;
    TrpHAlign hAlign = TrpHAlign::haLeft;
    bool wordWrap = true;
    double gapX = 2;
    double gapY = 1;
    double lineSpacing = 2;
    double charSpacing = 0;
    double paragraphGap = 0;
    bool clipped = true;
    TrpBrushFill fill;

    // Picture.
    QImage image;
    bool keepAspectRatio = true;
    bool stretched = true;
    bool center = false;

    // The copy of a view; false for a view class the pages do not draw.
    static bool copy(const TrpView& view, TrpPreparedView* out);
};

// A band as it was placed: its final rectangle relative to the printable area, and its visible views in
// template order.
struct TrpPreparedBand {
    QString name;
    QString className;
    QRectF bounds;
    std::vector<TrpPreparedView> views;

    static TrpPreparedBand copy(const TrpBand& band);
};

// One prepared page: the template page it was made from (its settings are that page's source copy's) and
// the bands in the order they were placed.
struct TrpPreviewPage {
    int sourceIndex = 0;
    std::vector<TrpPreparedBand> bands;
};
