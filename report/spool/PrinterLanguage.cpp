#include "PrinterLanguage.h"

#include "PrintSpooler.h"

PrinterLanguage printerLanguageOf(const QString& queue, const std::function<QString(const char*)>& option) {
    const QString format = option("veloria-format");
    if (format.isEmpty() || format == QStringLiteral("pdf")) {
        return PrinterLanguage::Pdf;
    }
    if (format == QStringLiteral("escpos")) {
        return PrinterLanguage::EscPos;
    }
    throw SpoolError(
        QStringLiteral("Printer \"%1\": the queue option veloria-format is \"%2\"; it takes escpos "
                       "or pdf")
            .arg(queue, format));
}

bool isEscPosDocument(const QByteArray& document) {
    return document.startsWith("\x1b@");
}
