#pragma once

#include "TrpReport.h"

#include <QByteArray>
#include <QString>
#include <memory>
#include <vector>

class TicketAdapters;

// The four ticket template files installed with the program, built in memory.
struct TicketTemplateFile {
    QString fileName;
    std::unique_ptr<TrpReport> report;

    // The file's bytes as the template writer produces them, with "." as the decimal separator whatever
    // the locale.
    QByteArray contents() const;
};

// Kitchen order, packaging order, void ticket and test receipt, in that order. The order tickets refer
// to the adapters, which must outlive the reports; logoPng is the test receipt's logo.
std::vector<TicketTemplateFile> ticketTemplateFiles(TicketAdapters& adapters, const QByteArray& logoPng);
