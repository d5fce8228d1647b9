#pragma once

#include "TrpCustomPrinter.h"

#include <QStringList>
#include <memory>
#include <vector>

// The installed printers, one list per process, made on first use. The selected printer stays selected
// across every report and job until another selection: a ticket whose printer is not installed prints on
// the printer selected before.
class TrpPrinters {
public:
    static TrpPrinters& instance();
    // Forgets the list, so that the next use makes it anew from the spooler (tests change spoolers).
    static void reset();
    // Reads the installed printers again (a queue added or removed, a print scheduler restarted while the
    // program runs), keeping the selected printer selected when it is still installed. Asked for while a
    // job is being printed (a handler run from inside the printing), it waits until that job has ended:
    // the job's printer must outlive it.
    static void refresh();

    // Held by printing for the length of a job: the list and its printers stay as they are meanwhile.
    class InUse {
    public:
        InUse();
        ~InUse();
        InUse(const InUse&) = delete;
        InUse& operator=(const InUse&) = delete;
    };

    const std::vector<std::unique_ptr<TrpCustomPrinter>>& Printers() const { return printers_; }
    const QStringList& PrinterNames() const { return names_; }
    bool HasPhysicalPrinters() const { return hasPhysical_; }

    int PrinterIndex() const { return index_; }
    // Selects the printer at `index` and initializes it if it was not (a failure leaves it uninitialized).
    void SetPrinterIndex(int index);
    TrpCustomPrinter* Printer() const;

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
    std::vector<std::unique_ptr<TrpCustomPrinter>> printers_;
    QStringList names_;
    int index_ = -1;
    bool hasPhysical_ = false;
};
