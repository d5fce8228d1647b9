#include "StationStateStrip.h"

#include "StationStates.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPointer>
#include <memory>

namespace {

const QString TimeFormat = QStringLiteral("HH:mm:ss");

// Background colours: green ready, amber waiting, red for what keeps tickets from printing.
QString colourOf(const StationStates::Station& s) {
    if (s.failed || s.queue == QueueState::NotAccepting || s.queue == QueueState::Missing ||
        s.queue == QueueState::Unreachable) {
        return QStringLiteral("#f4c7c3");
    }
    if (s.queue == QueueState::Paused) {
        return QStringLiteral("#fce8b2");
    }
    return QStringLiteral("#d4edda");
}

QString textOf(const StationStates::Station& s) {
    QString time;
    if (s.failed) {
        time = QStringLiteral("failed ") + s.failedAt.toString(TimeFormat);
    } else if (s.lastTicket.isValid()) {
        time = s.lastTicket.toString(TimeFormat);
    }
    return s.printer + QLatin1Char('\n') + StationStates::queueStateText(s.queue) + QLatin1Char('\n') + time;
}

} // namespace

StationStateStrip::StationStateStrip(StationStates& states, QWidget* parent)
    : QScrollArea(parent), states_(states) {
    setObjectName(QStringLiteral("StationStates"));
    setFrameShape(QFrame::NoFrame);
    setWidgetResizable(true);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    auto* boxes = new QWidget(this);
    boxes->setObjectName(QStringLiteral("StationBoxes"));
    row_ = new QHBoxLayout(boxes);
    setWidget(boxes);
    row_->setContentsMargins(0, 0, 0, 0);
    row_->setSpacing(3);
    row_->addStretch(1);
    // The states may outlive the strip (and the strip the states) while the window closes.
    states_.setListener([strip = QPointer<StationStateStrip>(this)] {
        if (strip) {
            strip->refresh();
        }
    });
    refresh();
}

void StationStateStrip::refresh() {
    while (row_->count() > 1) {
        // A layout item taken out is the taker's; its label goes with it.
        const std::unique_ptr<QLayoutItem> item(row_->takeAt(0));
        const std::unique_ptr<QWidget> label(item->widget());
    }
    int at = 0;
    for (const StationStates::Station& s : states_.stations()) {
        auto* box = new QLabel(textOf(s), widget());
        box->setObjectName(QStringLiteral("station_") + s.printer);
        box->setToolTip(s.describe());
        box->setAlignment(Qt::AlignCenter);
        box->setMargin(1);
        box->setStyleSheet(
            QStringLiteral("QLabel { background: %1; border: 1px solid #8a8a8a; }").arg(colourOf(s)));
        row_->insertWidget(at++, box);
    }
}
