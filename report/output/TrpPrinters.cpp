#include "TrpPrinters.h"

#include "PrintSpooler.h"
#include "TrpPrinter.h"
#include "TrpVirtualPrinter.h"

#include <algorithm>

namespace {
std::unique_ptr<TrpPrinters>& theList() {
    static std::unique_ptr<TrpPrinters> list;
    return list;
}
} // namespace

TrpPrinters& TrpPrinters::instance() {
    auto& list = theList();
    if (!list) {
        list = std::make_unique<TrpPrinters>(Token{});
    }
    return *list;
}

void TrpPrinters::reset() {
    theList().reset();
}

void TrpPrinters::refresh() {
    auto& list = theList();
    if (!list) {
        list = std::make_unique<TrpPrinters>(Token{});
        return;
    }
    QString selected;
    if (list->Printer() != nullptr && list->hasPhysical_) {
        selected = list->Printer()->Name;
    }
    // Read into the same list object, so that whoever holds the list still holds it; the printers it held
    // go once the last job holding one lets it go.
    *list = TrpPrinters(Token{});
    const int index = list->IndexOf(selected);
    if (index >= 0) {
        list->SetPrinterIndex(index);
    }
}

TrpPrinters::TrpPrinters(Token) {
    const PrintSpooler& spooler = PrintSpooler::current();
    QStringList installed = spooler.printerNames();
    std::sort(installed.begin(), installed.end(),
              [](const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) < 0; });
    for (const QString& name : installed) {
        printers_.push_back(std::make_shared<TrpPrinter>(name));
        names_.append(name);
    }
    if (!printers_.empty()) {
        hasPhysical_ = true;
        const QString defaultName = spooler.defaultPrinterName().section(QLatin1Char(','), 0, 0).trimmed();
        const auto exact = std::find(names_.begin(), names_.end(), defaultName);
        SetPrinterIndex(exact == names_.end() ? 0 : static_cast<int>(exact - names_.begin()));
    } else {
        printers_.push_back(std::make_shared<TrpVirtualPrinter>());
        names_.append(printers_.back()->Name);
        hasPhysical_ = false;
        SetPrinterIndex(0);
    }
}

void TrpPrinters::SetPrinterIndex(int index) {
    if (index < 0 || index >= static_cast<int>(printers_.size())) {
        return;
    }
    index_ = index;
    printers_[static_cast<size_t>(index)]->Init();
}

TrpCustomPrinter* TrpPrinters::Printer() const {
    return index_ < 0 ? nullptr : printers_[static_cast<size_t>(index_)].get();
}

std::shared_ptr<TrpCustomPrinter> TrpPrinters::PrinterForJob() const {
    return index_ < 0 ? nullptr : printers_[static_cast<size_t>(index_)];
}

int TrpPrinters::IndexOf(const QString& name) const {
    for (int i = 0; i < names_.size(); ++i) {
        if (names_.at(i).compare(name, Qt::CaseInsensitive) == 0) {
            return i;
        }
    }
    return -1;
}

void TrpPrinters::SelectPrinter(const QString& name) {
    const int index = IndexOf(name);
    if (index >= 0) {
        SetPrinterIndex(index);
    }
}
