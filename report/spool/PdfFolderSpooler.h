#pragma once

#include "PrintSpooler.h"

#include <QStringList>

// Printers that are folders: every job becomes a PDF file in the folder of its printer, and the spooler
// remembers each job's title and page settings. For tests and tools that need no print queue.
class PdfFolderSpooler final : public PrintSpooler {
public:
    struct Job {
        QString printer;
        QString title;
        QString file;
        QList<SpoolPageSettings> pages;
    };

    PdfFolderSpooler(QString folder, QStringList printers, QString defaultPrinter);

    QList<QString> printerNames() const override { return printers_; }
    QString defaultPrinterName() const override { return defaultPrinter_; }
    std::optional<SpoolDeviceCaps> openPrinter(const QString& name) const override;
    std::unique_ptr<SpoolJob> startJob(const QString& printer, const QString& title,
                                       const QString& outputFile) override;
    // The document becomes the printer's next job file as it is.
    void submitDocument(const QString& printer, const QString& title, const QByteArray& document,
                        const SpoolPageSettings& firstPage) override;

    // Installs or removes printers after the fact (a printer removed while the program runs).
    void setPrinters(QStringList printers) { printers_ = std::move(printers); }
    // Makes the named printer refuse every job with `reason` (empty: accept again).
    void setRefusal(const QString& printer, const QString& reason);

    const QList<Job>& jobs() const { return jobs_; }

private:
    friend class PdfFolderJob;

    void checkAccepts(const QString& printer) const;
    QString nextJobFile(const QString& printer) const;

    QString folder_;
    QStringList printers_;
    QString defaultPrinter_;
    QString refusingPrinter_;
    QString refusal_;
    QList<Job> jobs_;
};
