#include "PrintedTicketsForm.h"

#include "DispatchFailure.h"
#include "MessageService.h"
#include "PrintSpooler.h"
#include "PrintedTickets.h"
#include "TrpPreviewForm.h"
#include "TrpPreviewHook.h"
#include "TrpReport.h"
#include "TrpStoredPages.h"

#include <QComboBox>
#include <QDateEdit>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

namespace {

const QStringList Columns = {QStringLiteral("Time"), QStringLiteral("Kind"), QStringLiteral("Number (Seq)"),
                             QStringLiteral("Station")};

QString numberOf(const PrintedTicket& t) {
    QString text = QStringLiteral("#%1").arg(t.id);
    if (t.orderSeq != 0) {
        text += QStringLiteral(" (%1)").arg(t.orderSeq);
    }
    return text;
}

QString stationOf(const PrintedTicket& t) {
    return t.printer == t.station || t.printer.isEmpty()
               ? t.station
               : QStringLiteral("%1 (printed on %2)").arg(t.station, t.printer);
}

QPushButton* button(const QString& name, const QString& caption, QWidget* parent) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    return b;
}

} // namespace

TPrintedTicketsForm::TPrintedTicketsForm(PrintedTickets& tickets, QWidget* parent)
    : QDialog(parent), tickets_(tickets) {
    setObjectName(QStringLiteral("PrintedTicketsForm"));
    setWindowTitle(QStringLiteral("Printed Tickets"));
    setModal(true);
    resize(640, 420);

    auto* column = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    auto* dayLabel = new QLabel(QStringLiteral("Day:"), this);
    dtp_Day = new QDateEdit(QDate::currentDate(), this);
    dtp_Day->setObjectName(QStringLiteral("dtp_Day"));
    dtp_Day->setCalendarPopup(true);
    dtp_Day->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    dayLabel->setBuddy(dtp_Day);
    top->addWidget(dayLabel);
    top->addWidget(dtp_Day);
    btn_Refresh = button(QStringLiteral("btn_Refresh"), QStringLiteral("Refresh"), this);
    top->addWidget(btn_Refresh);
    top->addStretch(1);
    column->addLayout(top);

    grd_Tickets = new QTableWidget(0, static_cast<int>(Columns.size()), this);
    grd_Tickets->setObjectName(QStringLiteral("grd_Tickets"));
    grd_Tickets->setHorizontalHeaderLabels(Columns);
    grd_Tickets->setSelectionBehavior(QAbstractItemView::SelectRows);
    grd_Tickets->setSelectionMode(QAbstractItemView::SingleSelection);
    grd_Tickets->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grd_Tickets->verticalHeader()->hide();
    grd_Tickets->horizontalHeader()->setStretchLastSection(true);
    column->addWidget(grd_Tickets, 1);

    auto* bottom = new QHBoxLayout;
    btn_Preview = button(QStringLiteral("btn_Preview"), QStringLiteral("Preview"), this);
    auto* printerLabel = new QLabel(QStringLiteral("Printer:"), this);
    cb_Printer = new QComboBox(this);
    cb_Printer->setObjectName(QStringLiteral("cb_Printer"));
    cb_Printer->addItem(QStringLiteral("The printer that printed it"), QString());
    QStringList installed = PrintSpooler::current().printerNames();
    std::sort(installed.begin(), installed.end(),
              [](const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) < 0; });
    for (const QString& name : installed) {
        cb_Printer->addItem(name, name);
    }
    printerLabel->setBuddy(cb_Printer);
    btn_Reprint = button(QStringLiteral("btn_Reprint"), QStringLiteral("Reprint"), this);
    btn_Close = button(QStringLiteral("btn_Close"), QStringLiteral("Close"), this);
    bottom->addWidget(btn_Preview);
    bottom->addStretch(1);
    bottom->addWidget(printerLabel);
    bottom->addWidget(cb_Printer);
    bottom->addWidget(btn_Reprint);
    bottom->addWidget(btn_Close);
    column->addLayout(bottom);

    connect(dtp_Day, &QDateEdit::dateChanged, this, &TPrintedTicketsForm::reload);
    connect(btn_Refresh, &QPushButton::clicked, this, &TPrintedTicketsForm::btn_RefreshClick);
    connect(grd_Tickets, &QTableWidget::itemSelectionChanged, this, &TPrintedTicketsForm::updateButtons);
    connect(grd_Tickets, &QTableWidget::cellDoubleClicked, this, &TPrintedTicketsForm::btn_PreviewClick);
    connect(btn_Preview, &QPushButton::clicked, this, &TPrintedTicketsForm::btn_PreviewClick);
    connect(btn_Reprint, &QPushButton::clicked, this, &TPrintedTicketsForm::btn_ReprintClick);
    connect(btn_Close, &QPushButton::clicked, this, &QDialog::accept);
    reload();
    tickets_.setArchivedListener([this](const TicketArchive::Entry& entry) { archived(entry); });
}

TPrintedTicketsForm::~TPrintedTicketsForm() {
    tickets_.setArchivedListener({});
}

void TPrintedTicketsForm::fill() {
    entries_ = tickets_.archive().day(dtp_Day->date());
    grd_Tickets->clearContents();
    grd_Tickets->setRowCount(static_cast<int>(entries_.size()));
    for (int row = 0; row < entries_.size(); ++row) {
        showRow(row);
    }
    grd_Tickets->resizeColumnsToContents();
}

void TPrintedTicketsForm::showRow(int row) {
    const PrintedTicket& t = entries_[row].ticket;
    const QString kind = t.reprint ? t.kindName() + QStringLiteral(" (reprint)") : t.kindName();
    const QStringList cells = {t.time.toString(QStringLiteral("HH:mm:ss")), kind, numberOf(t), stationOf(t)};
    for (int c = 0; c < cells.size(); ++c) {
        grd_Tickets->setItem(row, c, new QTableWidgetItem(cells[c]));
    }
}

void TPrintedTicketsForm::reload() {
    fill();
    if (!entries_.isEmpty()) {
        // The newest ticket is the one most often asked for again.
        grd_Tickets->selectRow(static_cast<int>(entries_.size()) - 1);
    }
    updateButtons();
}

void TPrintedTicketsForm::btn_RefreshClick() {
    // The manager may be about to reprint the ticket picked: it stays picked while it is still there.
    const TicketArchive::Entry* entry = selected();
    const QString picked = entry != nullptr ? entry->companionFile : QString();
    fill();
    for (int row = 0; row < entries_.size(); ++row) {
        if (!picked.isEmpty() && entries_[row].companionFile == picked) {
            grd_Tickets->selectRow(row);
        }
    }
    updateButtons();
}

void TPrintedTicketsForm::archived(const TicketArchive::Entry& entry) {
    if (entry.ticket.time.date() != dtp_Day->date()) {
        return;
    }
    // Inserted in its place by time (the newest last) without reading the day's folder again: this runs
    // for every ticket of a cycle. Inserting a row keeps the picked ticket picked.
    const auto place = std::upper_bound(
        entries_.begin(), entries_.end(), entry.ticket.time,
        [](const QDateTime& time, const TicketArchive::Entry& e) { return time < e.ticket.time; });
    const int row = static_cast<int>(place - entries_.begin());
    entries_.insert(row, entry);
    grd_Tickets->insertRow(row);
    showRow(row);
    updateButtons();
}

const TicketArchive::Entry* TPrintedTicketsForm::selected() const {
    const int row = grd_Tickets->currentRow();
    const QList<QTableWidgetItem*> chosen = grd_Tickets->selectedItems();
    if (chosen.isEmpty() || row < 0 || row >= entries_.size()) {
        return nullptr;
    }
    return &entries_[row];
}

void TPrintedTicketsForm::updateButtons() {
    const bool any = selected() != nullptr;
    btn_Preview->setEnabled(any);
    btn_Reprint->setEnabled(any);
}

void TPrintedTicketsForm::btn_PreviewClick() {
    const TicketArchive::Entry* entry = selected();
    if (entry == nullptr) {
        return;
    }
    try {
        const TrpStoredPages pages = tickets_.archive().pages(*entry);
        TrpReport report;
        report.ReportOptions().Name =
            QStringLiteral("%1 %2 - %3")
                .arg(entry->ticket.kindName(), entry->ticket.unit(), entry->ticket.station);
        // Printing from here would leave no trace in the log or the archive: "Reprint" is the way.
        report.PreviewOptions().Buttons &= ~TrpPreviewForm::pbPrint;
        TrpPreviewHook::show(report, pages, {});
    } catch (const std::exception& e) {
        showStandardError(failureMessage(e));
    }
}

void TPrintedTicketsForm::btn_ReprintClick() {
    const TicketArchive::Entry* entry = selected();
    if (entry == nullptr) {
        return;
    }
    const QString chosen = cb_Printer->currentData().toString();
    const QString printer = chosen.isEmpty() ? PrintedTickets::printerOf(entry->ticket) : chosen;
    const TicketArchive::Entry ticket = *entry;
    try {
        tickets_.reprint(ticket, printer);
    } catch (const std::exception& e) {
        showStandardError(failureMessage(e));
        return;
    }
    reload();
}
