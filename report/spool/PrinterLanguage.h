#pragma once

#include <QString>
#include <functional>

// What a print queue takes: the PDF documents every queue gets unless told otherwise, or the ESC/POS
// raster of receipt printers that have no driver (a raw queue passes it to the printer unchanged). The
// operator says which with the queue option veloria-format; the queue's driver never decides it, since
// raw queues also reach printers that read PDF themselves.
enum class PrinterLanguage { Pdf, EscPos };

// The language the queue's veloria-format option names (`option` gives an option's value, empty when it is
// not set): escpos, or pdf when it says pdf or nothing. Any other value raises SpoolError naming the queue
// and the option.
PrinterLanguage printerLanguageOf(const QString& queue, const std::function<QString(const char*)>& option);

// Whether a finished document is ESC/POS (it starts by initialising the printer) rather than PDF.
bool isEscPosDocument(const QByteArray& document);
