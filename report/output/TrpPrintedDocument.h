#pragma once

#include "PrintSpooler.h"
#include "SpoolPageSettings.h"

#include <QByteArray>
#include <QString>
#include <functional>

// One document a printer took: the printer it went to, its title, the settings of its first page, the
// document's bytes exactly as the printer received them, the state its queue was in when it took them, and
// what the operator should hear about how it was fitted to the printer (empty when nothing).
struct TrpPrintedDocument {
    QString printer;
    QString title;
    SpoolPageSettings firstPage;
    QByteArray document;
    QueueState queue = QueueState::Ready;
    QString notice;
};

// Told about every document as soon as its printer has taken it.
using TrpDocumentPrinted = std::function<void(const TrpPrintedDocument&)>;
