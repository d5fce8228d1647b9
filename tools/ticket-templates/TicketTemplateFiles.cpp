#include "TicketTemplateFiles.h"

#include "OrderTicketTemplate.h"
#include "TestReceiptTemplate.h"
#include "TrpReport.h"
#include "VoidTicketTemplate.h"

#include <QLocale>

QByteArray TicketTemplateFile::contents() const {
    const QLocale previous;
    QLocale::setDefault(QLocale::c());
    const QByteArray bytes = report->SaveToMemory();
    QLocale::setDefault(previous);
    return bytes;
}

std::vector<TicketTemplateFile> ticketTemplateFiles(TicketAdapters& adapters, const QByteArray& logoPng) {
    std::vector<TicketTemplateFile> files;
    files.push_back({QStringLiteral("rep_KitchenOrder.xml"), OrderTicketTemplate::kitchenOrder(adapters)});
    files.push_back(
        {QStringLiteral("rep_PackagingOrder.xml"), OrderTicketTemplate::packagingOrder(adapters)});
    files.push_back({QStringLiteral("rep_KitchenVoid.xml"), VoidTicketTemplate::kitchenVoid()});
    files.push_back({QStringLiteral("rep_TestReceipt_80.xml"), TestReceiptTemplate::testReceipt(logoPng)});
    return files;
}
