#pragma once

#include "DotCanvas.h"
#include "EscPosEncoder.h"
#include "EscPosSettings.h"
#include "PrintSpooler.h"

#include <functional>
#include <memory>

// A job for a receipt printer that takes ESC/POS: every page is drawn in the printer's dots at its
// resolution (DotCanvas), encoded row by row as it is read back (EscPosEncoder), and the document is handed
// on once the last page is done.
class EscPosJob final : public SpoolJob {
public:
    // Hands the finished document to the queue and gives the queue's state as it took it; raises SpoolError
    // when the queue refuses it.
    using Submit = std::function<QueueState(const QByteArray&)>;
    // Says whether a notice about fitting the ticket to the head is news (the first for its queue).
    using FirstNotice = std::function<bool(const QString&)>;

    EscPosJob(QString printer, EscPosSettings settings, Submit submit, FirstNotice firstNotice);

    void beginPage(const SpoolPageSettings& settings) override;
    QPainter& painter() override;
    int resolution() const override { return settings_.dpi; }
    void endPage() override;
    void finish() override;
    void abort() override;
    QByteArray document() const override { return document_; }
    QueueState queueState() const override { return queue_; }
    QString notice() const override { return notice_; }

private:
    QString printer_;
    EscPosSettings settings_;
    Submit submit_;
    FirstNotice firstNotice_;
    std::unique_ptr<DotCanvas> canvas_;
    EscPosEncoder encoder_;
    int pages_ = 0;
    int firstWidth_ = 0;
    QByteArray document_;
    QueueState queue_ = QueueState::Ready;
    QString notice_;
};
