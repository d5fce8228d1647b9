#include "PrintSpooler.h"

#include "CupsSpooler.h"

namespace {
PrintSpooler* replacement = nullptr;
}

PrintSpooler& PrintSpooler::current() {
    if (replacement) {
        return *replacement;
    }
    static CupsSpooler system;
    return system;
}

void PrintSpooler::setCurrent(PrintSpooler* spooler) {
    replacement = spooler;
}

void PrintSpooler::submitDocument(const QString& printer, const QString&, const QByteArray&,
                                  const SpoolPageSettings&) {
    throw SpoolError(QStringLiteral("Printer \"%1\" cannot take a finished document").arg(printer));
}
