#include "PdfFolderSpooler.h"

#include "PdfJobWriter.h"

#include <QDir>

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

std::unique_ptr<SpoolJob> PdfFolderSpooler::startJob(const QString& printer, const QString& title,
                                                     const QString& outputFile) {
    if (!refusal_.isEmpty() && printer == refusingPrinter_) {
        throw SpoolError(QStringLiteral("Printer \"%1\" refused the print job: %2").arg(printer, refusal_));
    }
    QString file = outputFile;
    if (file.isEmpty()) {
        const QString printerFolder = folder_ + QLatin1Char('/') + printer;
        QDir().mkpath(printerFolder);
        file = printerFolder + QStringLiteral("/job-%1.pdf").arg(jobs_.size() + 1);
    }
    return std::make_unique<PdfFolderJob>(*this, Job{printer, title, file, {}});
}

void PdfFolderSpooler::setRefusal(const QString& printer, const QString& reason) {
    refusingPrinter_ = printer;
    refusal_ = reason;
}
