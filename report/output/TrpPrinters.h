#pragma once

#include "TrpCustomPrinter.h"

#include <QStringList>
#include <memory>
#include <vector>

// The installed printers, one list per process, made on first use. The selected printer stays selected
// across every report and job until another selection: a ticket whose printer is not installed prints on
// the printer selected before.
//
// The list can be read again at any time, also while a job prints (a handler run between its pages): the
// list object stays the same and only its entries are replaced, and the printers are shared, so that a
// job holding its printer (PrinterForJob) keeps it for as long as it prints.
class TrpPrinters {
public:
    static TrpPrinters& instance();
    // Forgets the list, so that the next use makes it anew from the spooler (tests change spoolers).
    static void reset();
    // Reads the installed printers again (a queue added or removed, a print scheduler restarted while the
    // program runs), keeping the selected printer selected when it is still installed. A job printing
    // meanwhile goes on with the printer it holds.
    static void refresh();

    const std::vector<std::shared_ptr<TrpCustomPrinter>>& Printers() const { return printers_; }
    const QStringList& PrinterNames() const { return names_; }
    bool HasPhysicalPrinters() const { return hasPhysical_; }

    int PrinterIndex() const { return index_; }
    // Selects the printer at `index` and initializes it if it was not (a failure leaves it uninitialized).
    void SetPrinterIndex(int index);
    TrpCustomPrinter* Printer() const;
    // The selected printer, kept alive for as long as the caller holds it, whatever refreshes the list
    // meanwhile; none without a selection.
    std::shared_ptr<TrpCustomPrinter> PrinterForJob() const;

    // The index of the printer with that name, compared case-insensitively; -1 when none has it.
    int IndexOf(const QString& name) const;
    // Selects the printer of that name; an unknown name (or an empty one) changes nothing.
    void SelectPrinter(const QString& name);

    struct Token {
        explicit Token() = default;
    };
    // Made only by instance(): the list is one per process.
    explicit TrpPrinters(Token);

private:
    std::vector<std::shared_ptr<TrpCustomPrinter>> printers_;
    QStringList names_;
    int index_ = -1;
    bool hasPhysical_ = false;
};
