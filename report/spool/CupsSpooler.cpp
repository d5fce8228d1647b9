#include "CupsSpooler.h"

#include "EscPosEncoder.h"
#include "EscPosJob.h"
#include "PdfJobWriter.h"
#include "PrinterLanguage.h"

#include <QPageSize>
#include <cups/cups.h>

namespace {

QString optionOf(const cups_dest_t* dest, const char* name) {
    return QString::fromUtf8(cupsGetOption(name, dest->num_options, dest->options));
}

struct DestDeleter {
    void operator()(cups_dest_t* dest) const { cupsFreeDests(1, dest); }
};
using DestPtr = std::unique_ptr<cups_dest_t, DestDeleter>;

DestPtr namedDest(const QString& name) {
    return DestPtr(cupsGetNamedDest(CUPS_HTTP_DEFAULT, name.toUtf8().constData(), nullptr));
}

QString millimetres(int tenths) {
    QString text = QString::number(tenths / 10.0, 'f', 1);
    if (text.endsWith(QStringLiteral(".0"))) {
        text.chop(2);
    }
    return text;
}

// The queue options that carry the first page's settings record.
QList<QPair<QByteArray, QByteArray>> jobOptions(const SpoolPageSettings& s) {
    QList<QPair<QByteArray, QByteArray>> options;
    if (s.paperSize == SpoolPageSettings::CustomPaper) {
        int width = s.paperWidth;
        int length = s.paperLength;
        if (s.landscape) {
            std::swap(width, length);
        }
        options.append(
            {"media", ("Custom." + millimetres(width) + "x" + millimetres(length) + "mm").toUtf8()});
    } else {
        options.append({"media", QPageSize(QPageSize::id(s.paperSize)).key().toUtf8()});
    }
    options.append({QByteArray("orientation-requested"), QByteArray(s.landscape ? "4" : "3")});
    options.append({"copies", QByteArray::number(std::max(1, s.copies))});
    if (s.copies > 1) {
        options.append({QByteArray("multiple-document-handling"),
                        QByteArray(s.collate ? "separate-documents-collated-copies"
                                             : "separate-documents-uncollated-copies")});
    }
    if (s.duplex != 0) {
        options.append({QByteArray("sides"),
                        QByteArray(s.duplex == 2 ? "two-sided-short-edge" : "two-sided-long-edge")});
    }
    return options;
}

struct IppDeleter {
    void operator()(ipp_t* ipp) const { ippDelete(ipp); }
};
using IppPtr = std::unique_ptr<ipp_t, IppDeleter>;

// A job request addressed to the queue, on behalf of the program's user.
IppPtr jobRequest(ipp_op_t operation, const char* uri) {
    IppPtr request(ippNewRequest(operation));
    ippAddString(request.get(), IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uri);
    ippAddString(request.get(), IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr, cupsUser());
    return request;
}

// True when the scheduler's last answer on this thread was a success.
bool succeeded() {
    return cupsLastError() <= IPP_STATUS_OK_CONFLICTING;
}

struct HttpCloser {
    void operator()(http_t* http) const { httpClose(http); }
};

// Whether the scheduler takes a connection at all. libcups reports a queue it could not ask about as not
// found, just like a queue that was deleted: only the scheduler's own answer tells the two apart.
bool schedulerAnswers() {
    const std::unique_ptr<http_t, HttpCloser> http(
        httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1, 3000, nullptr));
    return http != nullptr;
}

// The queue's state as the scheduler reports it; `dest` is null when the scheduler did not name the queue.
QueueState stateOf(const cups_dest_t* dest) {
    if (!dest) {
        // Without an answer from the scheduler no queue is known; say which of the two it is.
        const ipp_status_t status = cupsLastError();
        if (status == IPP_STATUS_ERROR_SERVICE_UNAVAILABLE || status == IPP_STATUS_ERROR_INTERNAL) {
            return QueueState::Unreachable;
        }
        return schedulerAnswers() ? QueueState::Missing : QueueState::Unreachable;
    }
    if (optionOf(dest, "printer-is-accepting-jobs").compare(QStringLiteral("false"), Qt::CaseInsensitive) ==
        0) {
        return QueueState::NotAccepting;
    }
    if (optionOf(dest, "printer-state") == QStringLiteral("5")) {
        return QueueState::Paused;
    }
    return QueueState::Ready;
}

// The queue's refusal; without a reason, the scheduler's last answer on this thread says why.
SpoolError refused(const QString& printer, const QString& reason = {}) {
    return SpoolError(
        QStringLiteral("Printer \"%1\" refused the print job: %2")
            .arg(printer, reason.isEmpty() ? QString::fromUtf8(cupsLastErrorString()) : reason));
}

// Why a queue in state `now` would refuse a job, empty when it would take one.
QString refusalOf(const cups_dest_t* dest, QueueState now) {
    switch (now) {
    case QueueState::Unreachable:
        return QStringLiteral("the print scheduler cannot be reached");
    case QueueState::Missing:
        return QStringLiteral("the printer is not installed");
    case QueueState::NotAccepting: {
        const QString message = optionOf(dest, "printer-state-message");
        return message.isEmpty() ? QStringLiteral("the printer is not accepting jobs") : message;
    }
    case QueueState::Paused:
    case QueueState::Ready:
        break;
    }
    return {};
}

// A queue that would refuse the job says why before anything is sent; otherwise its state is returned.
QueueState requireAccepting(const QString& printer, const cups_dest_t* dest) {
    const QueueState state = stateOf(dest);
    if (state == QueueState::Unreachable) {
        throw SpoolError::schedulerUnreachable(printer);
    }
    if (const QString refusal = refusalOf(dest, state); !refusal.isEmpty()) {
        throw refused(printer, refusal);
    }
    return state;
}

QueueState requireAccepting(const QString& printer) {
    return requireAccepting(printer, namedDest(printer).get());
}

QueueState submitIfAccepted(const QString& printer, const QString& title, const QByteArray& document,
                            const SpoolPageSettings& firstPage) {
    const QueueState state = requireAccepting(printer);
    CupsSpooler::submit(printer, title, document, firstPage);
    return state;
}

QueueState submitEscPosIfAccepted(const QString& printer, const QString& title, const QByteArray& document) {
    const QueueState state = requireAccepting(printer);
    CupsSpooler::submitEscPos(printer, title, document);
    return state;
}

// The queue's own options (veloria-format and the rest), as the scheduler keeps them.
std::function<QString(const char*)> queueOptions(const cups_dest_t* dest) {
    return [dest](const char* name) {
        return optionOf(dest, name);
    };
}

class CupsJob final : public SpoolJob {
public:
    CupsJob(QString printer, QString title, const QString& outputFile)
        : printer_(std::move(printer)), title_(std::move(title)), toFile_(!outputFile.isEmpty()),
          writer_(std::make_unique<PdfJobWriter>(outputFile, title_)) {}

    void beginPage(const SpoolPageSettings& settings) override { writer_->beginPage(settings); }
    QPainter& painter() override { return writer_->painter(); }
    int resolution() const override { return PdfJobWriter::Resolution; }
    void endPage() override { writer_->endPage(); }

    void finish() override {
        if (!writer_->close()) {
            throw SpoolError(
                QStringLiteral("Printer \"%1\": the print job could not be written").arg(printer_));
        }
        if (writer_->pageCount() == 0 || toFile_) {
            document_ = writer_->document();
            return;
        }
        queue_ = submitIfAccepted(printer_, title_, writer_->document(), writer_->pages().front());
        document_ = writer_->document();
    }

    void abort() override { writer_.reset(); }
    QByteArray document() const override { return document_; }
    QueueState queueState() const override { return queue_; }

private:
    QString printer_;
    QString title_;
    bool toFile_;
    std::unique_ptr<PdfJobWriter> writer_;
    QByteArray document_;
    QueueState queue_ = QueueState::Ready;
};

} // namespace

QList<QString> CupsSpooler::printerNames() const {
    cups_dest_t* dests = nullptr;
    const int count = cupsGetDests2(CUPS_HTTP_DEFAULT, &dests);
    QList<QString> names;
    for (int i = 0; i < count; ++i) {
        if (!dests[i].instance) {
            names.append(QString::fromUtf8(dests[i].name));
        }
    }
    cupsFreeDests(count, dests);
    return names;
}

QString CupsSpooler::defaultPrinterName() const {
    const DestPtr dest(cupsGetNamedDest(CUPS_HTTP_DEFAULT, nullptr, nullptr));
    return dest ? QString::fromUtf8(dest->name).trimmed() : QString();
}

std::optional<SpoolDeviceCaps> CupsSpooler::openPrinter(const QString& name) const {
    const DestPtr dest = namedDest(name);
    if (!dest) {
        return std::nullopt;
    }
    // Jobs are drawn as PDF documents at 600 dots per inch on the whole sheet; the queue's filters fit
    // them to the device, so the sheet is the printable area.
    SpoolDeviceCaps caps;
    caps.dpiX = PdfJobWriter::Resolution;
    caps.dpiY = PdfJobWriter::Resolution;
    caps.location = optionOf(dest.get(), "printer-location");
    QPageSize paper = QPageSize(QPageSize::A4);
    const QString media = optionOf(dest.get(), "media");
    if (!media.isEmpty()) {
        for (int id = 0; id <= QPageSize::LastPageSize; ++id) {
            const QPageSize candidate(static_cast<QPageSize::PageSizeId>(id));
            if (candidate.key().compare(media, Qt::CaseInsensitive) == 0) {
                paper = candidate;
                break;
            }
        }
    }
    const QSizeF size = paper.size(QPageSize::Millimeter);
    caps.paperWidthMm = size.width();
    caps.paperHeightMm = size.height();
    caps.printableWidthMm = size.width();
    caps.printableHeightMm = size.height();
    caps.papers.append({SpoolPageSettings::CustomPaper, QStringLiteral("Custom")});
    caps.papers.append({paper.windowsId(), paper.name()});
    caps.bins.append({SpoolPageSettings::DefaultBin, QStringLiteral("Default")});
    caps.defaults.paperSize = paper.windowsId();
    return caps;
}

std::unique_ptr<SpoolJob> CupsSpooler::startJob(const QString& printer, const QString& title,
                                                const QString& outputFile) {
    if (!outputFile.isEmpty()) {
        return std::make_unique<CupsJob>(printer, title, outputFile);
    }
    const DestPtr dest = namedDest(printer);
    requireAccepting(printer, dest.get());
    const auto options = queueOptions(dest.get());
    if (printerLanguageOf(printer, options) == PrinterLanguage::Pdf) {
        return std::make_unique<CupsJob>(printer, title, outputFile);
    }
    return std::make_unique<EscPosJob>(
        printer, EscPosSettings::fromQueueOptions(printer, options),
        [printer, title](const QByteArray& document) {
            return submitEscPosIfAccepted(printer, title, document);
        },
        [this](const QString& notice) {
            if (toldFittings_.contains(notice)) {
                return false;
            }
            toldFittings_.insert(notice);
            return true;
        });
}

QueueState CupsSpooler::queueState(const QString& printer) const {
    return stateOf(namedDest(printer).get());
}

QString CupsSpooler::refusalReason(const QString& printer, QueueState* state) {
    const DestPtr dest = namedDest(printer);
    const QueueState now = stateOf(dest.get());
    if (state != nullptr) {
        *state = now;
    }
    return refusalOf(dest.get(), now);
}

void CupsSpooler::submitDocument(const QString& printer, const QString& title, const QByteArray& document,
                                 const SpoolPageSettings& firstPage) {
    const DestPtr dest = namedDest(printer);
    requireAccepting(printer, dest.get());
    const auto options = queueOptions(dest.get());
    const PrinterLanguage language = printerLanguageOf(printer, options);
    // A document goes again only to a queue that reads it: ESC/POS on a PDF printer, or the raster of
    // another head's width, would print garbage.
    if (!isEscPosDocument(document)) {
        if (language == PrinterLanguage::EscPos) {
            throw refused(printer, QStringLiteral("the ticket was kept as a PDF and the queue takes ESC/POS "
                                                  "(veloria-format)"));
        }
        submit(printer, title, document, firstPage);
        return;
    }
    if (language != PrinterLanguage::EscPos) {
        throw refused(printer, QStringLiteral("the ticket was kept as ESC/POS for a receipt printer and the "
                                              "queue takes PDF (veloria-format)"));
    }
    const EscPosSettings settings = EscPosSettings::fromQueueOptions(printer, options);
    const int kept = EscPosEncoder::headDots(document);
    if (kept != settings.dots) {
        throw refused(printer,
                      QStringLiteral("the ticket was kept for a head of %1 dots and the queue's head "
                                     "prints %2 (veloria-dots)")
                          .arg(kept)
                          .arg(settings.dots));
    }
    submitEscPos(printer, title, document);
}

int CupsSpooler::submit(const QString& printer, const QString& title, const QByteArray& pdf,
                        const SpoolPageSettings& page) {
    return submitAs(printer, title, pdf, jobOptions(page), "application/pdf");
}

int CupsSpooler::submitEscPos(const QString& printer, const QString& title, const QByteArray& document) {
    // A raw queue hands the bytes to the printer untouched: no paper or filter options apply.
    return submitAs(printer, title, document, {}, "application/vnd.cups-raw");
}

int CupsSpooler::submitAs(const QString& printer, const QString& title, const QByteArray& document,
                          const QList<QPair<QByteArray, QByteArray>>& jobOptions, const char* format) {
    // The job is created first, then the document follows in one request straight from memory; the
    // scheduler answers as soon as it holds the whole document.
    const QByteArray name = printer.toUtf8();
    const QByteArray resource = "/printers/" + name;
    char uri[HTTP_MAX_URI];
    httpAssembleURIf(HTTP_URI_CODING_ALL, uri, sizeof uri, "ipp", nullptr, "localhost", ippPort(),
                     "/printers/%s", name.constData());

    IppPtr create = jobRequest(IPP_OP_CREATE_JOB, uri);
    if (!title.isEmpty()) {
        ippAddString(create.get(), IPP_TAG_OPERATION, IPP_TAG_NAME, "job-name", nullptr,
                     title.toUtf8().constData());
    }
    cups_option_t* options = nullptr;
    int count = 0;
    for (const auto& [option, value] : jobOptions) {
        count = cupsAddOption(option.constData(), value.constData(), count, &options);
    }
    cupsEncodeOptions2(create.get(), count, options, IPP_TAG_OPERATION);
    cupsEncodeOptions2(create.get(), count, options, IPP_TAG_JOB);
    cupsFreeOptions(count, options);
    const IppPtr created(cupsDoRequest(CUPS_HTTP_DEFAULT, create.release(), resource.constData()));
    ipp_attribute_t* id = created ? ippFindAttribute(created.get(), "job-id", IPP_TAG_INTEGER) : nullptr;
    if (!succeeded() || id == nullptr) {
        throw refused(printer);
    }
    const int job = ippGetInteger(id, 0);

    IppPtr send = jobRequest(IPP_OP_SEND_DOCUMENT, uri);
    ippAddInteger(send.get(), IPP_TAG_OPERATION, IPP_TAG_INTEGER, "job-id", job);
    ippAddString(send.get(), IPP_TAG_OPERATION, IPP_TAG_MIMETYPE, "document-format", nullptr, format);
    ippAddBoolean(send.get(), IPP_TAG_OPERATION, "last-document", 1);
    http_status_t status = cupsSendRequest(
        CUPS_HTTP_DEFAULT, send.get(), resource.constData(),
        ippLength(send.get()) + static_cast<size_t>(document.size())); // the whole body's length
    if (status == HTTP_STATUS_CONTINUE) {
        status = cupsWriteRequestData(CUPS_HTTP_DEFAULT, document.constData(),
                                      static_cast<size_t>(document.size()));
    }
    const IppPtr sent(cupsGetResponse(CUPS_HTTP_DEFAULT, resource.constData()));
    if (status != HTTP_STATUS_CONTINUE || !sent || !succeeded()) {
        const SpoolError error = refused(printer);
        // The job exists without its document: take it back so that nothing stays queued.
        IppPtr cancel = jobRequest(IPP_OP_CANCEL_JOB, uri);
        ippAddInteger(cancel.get(), IPP_TAG_OPERATION, IPP_TAG_INTEGER, "job-id", job);
        ippDelete(cupsDoRequest(CUPS_HTTP_DEFAULT, cancel.release(), resource.constData()));
        throw error;
    }
    return job;
}
