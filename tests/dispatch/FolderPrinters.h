#pragma once

#include "PdfFolderSpooler.h"
#include "TrpPrinters.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <functional>

// Printers that are folders of PDF files, put in place of the system's for one test; a hook can run
// inside any job's start (as a window handler or a terminal would while a ticket prints).
class FolderPrinters final : public PrintSpooler {
public:
    explicit FolderPrinters(QStringList printers, QString defaultPrinter = QStringLiteral("Kitchen"))
        : inner_(dir_.path(), std::move(printers), std::move(defaultPrinter)) {
        PrintSpooler::setCurrent(this);
        TrpPrinters::reset();
    }
    ~FolderPrinters() override {
        TrpPrinters::reset();
        PrintSpooler::setCurrent(nullptr);
    }
    FolderPrinters(const FolderPrinters&) = delete;
    FolderPrinters& operator=(const FolderPrinters&) = delete;

    QList<QString> printerNames() const override { return inner_.printerNames(); }
    QString defaultPrinterName() const override { return inner_.defaultPrinterName(); }
    std::optional<SpoolDeviceCaps> openPrinter(const QString& name) const override {
        return inner_.openPrinter(name);
    }
    QueueState queueState(const QString& printer) const override {
        return schedulerDown ? QueueState::Unreachable : PrintSpooler::queueState(printer);
    }
    std::unique_ptr<SpoolJob> startJob(const QString& printer, const QString& title,
                                       const QString& outputFile) override {
        if (onJob) {
            onJob(printer);
        }
        if (schedulerDown) {
            throw SpoolError(
                QStringLiteral("Printer \"%1\": the print scheduler cannot be reached").arg(printer));
        }
        return inner_.startJob(printer, title, outputFile);
    }
    void submitDocument(const QString& printer, const QString& title, const QByteArray& document,
                        const SpoolPageSettings& firstPage) override {
        inner_.submitDocument(printer, title, document, firstPage);
    }

    PdfFolderSpooler& folders() { return inner_; }
    // The printer's tickets, oldest first.
    QStringList jobs(const QString& printer) const {
        QStringList files;
        for (const PdfFolderSpooler::Job& job : inner_.jobs()) {
            if (job.printer == printer) {
                files << job.file;
            }
        }
        return files;
    }
    int count(const QString& printer) const { return static_cast<int>(jobs(printer).size()); }
    // The text of the printer's n-th ticket (from 0).
    QString text(const QString& printer, int n) const {
        QProcess tool;
        tool.start(QStringLiteral("pdftotext"),
                   {QStringLiteral("-layout"), jobs(printer).value(n), QStringLiteral("-")});
        tool.waitForFinished(20000);
        return QString::fromUtf8(tool.readAllStandardOutput());
    }

    std::function<void(const QString& printer)> onJob;
    // The scheduler stops answering: every job fails and no queue's state is known.
    bool schedulerDown = false;

private:
    QTemporaryDir dir_;
    PdfFolderSpooler inner_;
};
