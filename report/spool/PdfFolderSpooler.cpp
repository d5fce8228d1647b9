#include "PdfFolderSpooler.h"

#include "PdfJobWriter.h"

#include <QDir>
#include <QFile>

class PdfFolderJob final : public SpoolJob {
public:
    PdfFolderJob(PdfFolderSpooler& owner, PdfFolderSpooler::Job job)
        : owner_(owner), job_(std::move(job)), writer_(job_.file, job_.title) {}

    void beginPage(const SpoolPageSettings& settings) override {
        writer_.beginPage(settings);
        job_.pages.append(settings);
    }
    QPainter& painter() override { return writer_.painter(); }
    int resolution() const override { return PdfJobWriter::Resolution; }
    void endPage() override { writer_.endPage(); }
    void finish() override {
        if (!writer_.close()) {
            throw SpoolError(
                QStringLiteral("Printer \"%1\": the print job could not be written").arg(job_.printer));
        }
        owner_.jobs_.append(job_);
    }
    void abort() override {}
    QByteArray document() const override { return writer_.document(); }

private:
    PdfFolderSpooler& owner_;
    PdfFolderSpooler::Job job_;
    PdfJobWriter writer_;
};

PdfFolderSpooler::PdfFolderSpooler(QString folder, QStringList printers, QString defaultPrinter)
    : folder_(std::move(folder)), printers_(std::move(printers)), defaultPrinter_(std::move(defaultPrinter)) {
}

std::optional<SpoolDeviceCaps> PdfFolderSpooler::openPrinter(const QString& name) const {
    if (!printers_.contains(name)) {
        return std::nullopt;
    }
    SpoolDeviceCaps caps;
    caps.dpiX = PdfJobWriter::Resolution;
    caps.dpiY = PdfJobWriter::Resolution;
    caps.paperWidthMm = 210;
    caps.paperHeightMm = 297;
    caps.printableWidthMm = 210;
    caps.printableHeightMm = 297;
    caps.location = folder_ + QLatin1Char('/') + name;
    caps.papers = {{SpoolPageSettings::CustomPaper, QStringLiteral("Custom")}, {9, QStringLiteral("A4")}};
    caps.bins = {{SpoolPageSettings::DefaultBin, QStringLiteral("Default")}};
    caps.defaults.paperSize = 9;
    return caps;
}

void PdfFolderSpooler::checkAccepts(const QString& printer) const {
    if (!refusal_.isEmpty() && printer == refusingPrinter_) {
        throw SpoolError(QStringLiteral("Printer \"%1\" refused the print job: %2").arg(printer, refusal_));
    }
}

QString PdfFolderSpooler::nextJobFile(const QString& printer) const {
    const QString printerFolder = folder_ + QLatin1Char('/') + printer;
    QDir().mkpath(printerFolder);
    return printerFolder + QStringLiteral("/job-%1.pdf").arg(jobs_.size() + 1);
}

std::unique_ptr<SpoolJob> PdfFolderSpooler::startJob(const QString& printer, const QString& title,
                                                     const QString& outputFile) {
    checkAccepts(printer);
    // As a print scheduler does: a printer removed since the list was read takes no job.
    if (outputFile.isEmpty() && !printers_.contains(printer)) {
        throw SpoolError(QStringLiteral("Printer \"%1\" refused the print job: the printer is not installed")
                             .arg(printer));
    }
    const QString file = outputFile.isEmpty() ? nextJobFile(printer) : outputFile;
    return std::make_unique<PdfFolderJob>(*this, Job{printer, title, file, {}});
}

void PdfFolderSpooler::submitDocument(const QString& printer, const QString& title,
                                      const QByteArray& document, const SpoolPageSettings& firstPage) {
    checkAccepts(printer);
    if (!printers_.contains(printer)) {
        throw SpoolError(QStringLiteral("Printer \"%1\" refused the print job: the printer is not installed")
                             .arg(printer));
    }
    const QString file = nextJobFile(printer);
    QFile out(file);
    if (!out.open(QIODevice::WriteOnly) || out.write(document) != document.size() || !out.flush()) {
        throw SpoolError(QStringLiteral("Printer \"%1\": the print job could not be written").arg(printer));
    }
    jobs_.append(Job{printer, title, file, {firstPage}});
}

void PdfFolderSpooler::setRefusal(const QString& printer, const QString& reason) {
    refusingPrinter_ = printer;
    refusal_ = reason;
}
