#include "EscPosJob.h"

#include "EscPosEncoder.h"

EscPosJob::EscPosJob(QString printer, EscPosSettings settings, Submit submit, FirstNotice firstNotice)
    : printer_(std::move(printer)), settings_(settings), submit_(std::move(submit)),
      firstNotice_(std::move(firstNotice)) {}

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
    if (canvas_) {
        pages_.append(canvas_->finish());
        canvas_.reset();
    }
}

void EscPosJob::finish() {
    endPage();
    if (pages_.isEmpty()) {
        return;
    }
    const int width = pages_.front().width();
    QByteArray document = EscPosEncoder::encode(pages_, settings_);
    pages_.clear();
    queue_ = submit_(document);
    document_ = std::move(document);
    const QString fitting = EscPosEncoder::fitting(printer_, width, settings_);
    if (!fitting.isEmpty() && firstNotice_ && firstNotice_(fitting)) {
        notice_ = fitting;
    }
}

void EscPosJob::abort() {
    canvas_.reset();
    pages_.clear();
}
