#include "EscPosJob.h"

#include "EscPosEncoder.h"

EscPosJob::EscPosJob(QString printer, EscPosSettings settings, Submit submit, FirstNotice firstNotice)
    : printer_(std::move(printer)), settings_(settings), submit_(std::move(submit)),
      firstNotice_(std::move(firstNotice)), encoder_(settings_) {}

void EscPosJob::beginPage(const SpoolPageSettings& settings) {
    canvas_ = std::make_unique<DotCanvas>(settings, settings_.dpi);
}

QPainter& EscPosJob::painter() {
    if (!canvas_) {
        throw SpoolError(
            QStringLiteral("Printer \"%1\": a page was drawn before it was begun").arg(printer_));
    }
    return canvas_->painter();
}

void EscPosJob::endPage() {
    if (!canvas_) {
        return;
    }
    if (pages_++ == 0) {
        firstWidth_ = canvas_->width();
    }
    encoder_.beginPage(canvas_->width(), canvas_->height());
    canvas_->finishRows([this](const uchar* dots) { encoder_.addRow(dots); });
    encoder_.endPage();
    canvas_.reset();
}

void EscPosJob::finish() {
    endPage();
    if (pages_ == 0) {
        return;
    }
    QByteArray document = encoder_.take();
    queue_ = submit_(document);
    document_ = std::move(document);
    const QString fitting = EscPosEncoder::fitting(printer_, firstWidth_, settings_);
    if (!fitting.isEmpty() && firstNotice_ && firstNotice_(fitting)) {
        notice_ = fitting;
    }
}

void EscPosJob::abort() {
    canvas_.reset();
    encoder_ = EscPosEncoder(settings_);
    pages_ = 0;
}
