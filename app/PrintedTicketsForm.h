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
// report preview; "Reprint" sends its document again to its station's printer or to the printer chosen.
class TPrintedTicketsForm : public QDialog {
    Q_OBJECT
public:
    TPrintedTicketsForm(PrintedTickets& tickets, QWidget* parent = nullptr);

    // Reads the picked day's tickets again.
    void reload();
    // The ticket of the selected row; null when none is selected.
    const TicketArchive::Entry* selected() const;

    QDateEdit* dtp_Day = nullptr;
    QTableWidget* grd_Tickets = nullptr;
    QPushButton* btn_Preview = nullptr;
    QComboBox* cb_Printer = nullptr;
    QPushButton* btn_Reprint = nullptr;
    QPushButton* btn_Close = nullptr;

public Q_SLOTS:
    void btn_PreviewClick();
    void btn_ReprintClick();

private:
    void updateButtons();

    PrintedTickets& tickets_;
    QList<TicketArchive::Entry> entries_;
};
