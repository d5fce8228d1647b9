#pragma once

#include "TicketArchive.h"

#include <QDialog>

class PrintedTickets;
class QComboBox;
class QDateEdit;
class QPushButton;
class QTableWidget;

// "Printed Tickets": the archived tickets of one day (today unless another day is picked) with their time,
// kind, order or void number with the order's sequence, and station. The selected ticket is shown in the
// report preview; "Reprint" sends its document again to the printer that took it or to the printer chosen.
// The cycles go on while the window is open: each ticket the server archives joins the list as it is
// printed, the selection staying on the ticket picked; "Refresh" reads the day's folder again (tickets
// removed or added there by anything else).
class TPrintedTicketsForm : public QDialog {
    Q_OBJECT
public:
    TPrintedTicketsForm(PrintedTickets& tickets, QWidget* parent = nullptr);
    ~TPrintedTicketsForm() override;
    TPrintedTicketsForm(const TPrintedTicketsForm&) = delete;
    TPrintedTicketsForm& operator=(const TPrintedTicketsForm&) = delete;

    // Reads the picked day's tickets again and selects the newest.
    void reload();
    // The ticket of the selected row; null when none is selected.
    const TicketArchive::Entry* selected() const;

    QDateEdit* dtp_Day = nullptr;
    QTableWidget* grd_Tickets = nullptr;
    QPushButton* btn_Refresh = nullptr;
    QPushButton* btn_Preview = nullptr;
    QComboBox* cb_Printer = nullptr;
    QPushButton* btn_Reprint = nullptr;
    QPushButton* btn_Close = nullptr;

public Q_SLOTS:
    void btn_RefreshClick();
    void btn_PreviewClick();
    void btn_ReprintClick();

private:
    void fill();
    void showRow(int row);
    void archived(const TicketArchive::Entry& entry);
    void updateButtons();

    PrintedTickets& tickets_;
    QList<TicketArchive::Entry> entries_;
};
