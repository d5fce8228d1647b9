#include "TrpPrintDialog.h"

#include "TrpErrorBox.h"
#include "TrpPageNumbers.h"
#include "TrpPrintOptions.h"
#include "TrpPrinterPropertiesDialog.h"
#include "TrpPrinters.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

TrpPrintDialog::FileNameAsker& fileNameAsker() {
    static TrpPrintDialog::FileNameAsker asker = [](QWidget* parent) {
        return QFileDialog::getSaveFileName(parent, QStringLiteral("Print to file"), QString(),
                                            QStringLiteral("Print files (*.prn)"));
    };
    return asker;
}

template <typename W> W* named(W* widget, const char* name) {
    widget->setObjectName(QLatin1String(name));
    return widget;
}

QGroupBox* group(const char* title, const char* name) {
    return named(new QGroupBox(QLatin1String(title)), name);
}

} // namespace

TrpPrintDialog::FileNameAsker TrpPrintDialog::setFileNameAsker(FileNameAsker asker) {
    FileNameAsker previous = std::move(fileNameAsker());
    fileNameAsker() = std::move(asker);
    return previous;
}

TrpPrintDialog::TrpPrintDialog(TrpPrintOptions& options, int currentPage, QWidget* parent)
    : QDialog(parent), options_(options), currentPage_(currentPage),
      printerBefore_(TrpPrinters::instance().PrinterIndex()) {
    setObjectName(QStringLiteral("TrpPrintDialog"));
    setWindowTitle(QStringLiteral("Print"));
    setModal(true);
    TrpPrinters& printers = TrpPrinters::instance();

    // Printer
    QGroupBox* printerGroup = group("Printer", "grp_Printer");
    printer_ = named(new QComboBox, "cb_Printer");
    printer_->addItems(printers.PrinterNames());
    printer_->setCurrentIndex(printers.PrinterIndex());
    where_ = named(new QLabel, "lbl_Where");
    auto* properties = named(new QPushButton(QStringLiteral("Properties...")), "btn_Properties");
    printToFile_ = named(new QCheckBox(QStringLiteral("Print to file")), "chk_PrintToFile");
    auto* printerForm = new QFormLayout(printerGroup);
    auto* nameRow = new QHBoxLayout;
    nameRow->addWidget(printer_, 1);
    nameRow->addWidget(properties);
    printerForm->addRow(QStringLiteral("Name:"), nameRow);
    printerForm->addRow(QStringLiteral("Where:"), where_);
    printerForm->addRow(printToFile_);

    // Pages
    QGroupBox* pagesGroup = group("Pages", "grp_Pages");
    all_ = named(new QRadioButton(QStringLiteral("All")), "rb_All");
    current_ = named(new QRadioButton(QStringLiteral("Current page")), "rb_CurrentPage");
    pages_ = named(new QRadioButton(QStringLiteral("Pages:")), "rb_Pages");
    pageNumbers_ = named(new QLineEdit(options.PageNumbers), "edt_Pages");
    auto* hint =
        named(new QLabel(QStringLiteral("Enter page numbers and/or page ranges, separated by commas. "
                                        "For example, 1,3,5-12")),
              "lbl_PagesHint");
    hint->setWordWrap(true);
    auto* pagesLayout = new QVBoxLayout(pagesGroup);
    pagesLayout->addWidget(all_);
    pagesLayout->addWidget(current_);
    auto* pagesRow = new QHBoxLayout;
    pagesRow->addWidget(pages_);
    pagesRow->addWidget(pageNumbers_, 1);
    pagesLayout->addLayout(pagesRow);
    pagesLayout->addWidget(hint);
    (options.PageNumbers.isEmpty() ? all_ : pages_)->setChecked(true);
    connect(pageNumbers_, &QLineEdit::textEdited, this, [this] { pages_->setChecked(true); });

    // Copies
    QGroupBox* copiesGroup = group("Copies", "grp_Copies");
    copies_ = named(new QSpinBox, "edt_Copies");
    copies_->setRange(1, 999);
    copies_->setValue(std::max(1, options.Copies));
    collate_ = named(new QCheckBox(QStringLiteral("Collate")), "chk_Collate");
    collate_->setChecked(options.Collate);
    auto* copiesForm = new QFormLayout(copiesGroup);
    copiesForm->addRow(QStringLiteral("Number of copies"), copies_);
    copiesForm->addRow(collate_);

    // Other
    QGroupBox* otherGroup = group("Other", "grp_Other");
    printPages_ = named(new QComboBox, "cb_PrintPages");
    printPages_->addItems(
        {QStringLiteral("All pages"), QStringLiteral("Odd pages"), QStringLiteral("Even pages")});
    printPages_->setCurrentIndex(static_cast<int>(options.PrintPages));
    order_ = named(new QComboBox, "cb_Order");
    order_->addItems({QStringLiteral("Direct (1-9)"), QStringLiteral("Reverse (9-1)")});
    order_->setCurrentIndex(options.Reverse ? 1 : 0);
    duplex_ = named(new QComboBox, "cb_Duplex");
    duplex_->addItems({QStringLiteral("Default"), QStringLiteral("Vertical"), QStringLiteral("Horizontal"),
                       QStringLiteral("Simplex")});
    duplex_->setCurrentIndex(static_cast<int>(options.Duplex));
    auto* otherForm = new QFormLayout(otherGroup);
    otherForm->addRow(QStringLiteral("Print"), printPages_);
    otherForm->addRow(QStringLiteral("Order"), order_);
    otherForm->addRow(QStringLiteral("Duplex"), duplex_);

    // Print mode: only the default mode prints differently from the others in these tickets.
    QGroupBox* modeGroup = group("Print mode", "grp_PrintMode");
    printMode_ = named(new QComboBox, "cb_PrintMode");
    printMode_->addItems({QStringLiteral("Default"), QStringLiteral("Split big pages"),
                          QStringLiteral("Join small pages"), QStringLiteral("Scale")});
    printMode_->setCurrentIndex(static_cast<int>(options.PrintMode));
    printOnSheet_ = named(new QComboBox, "cb_PrintOnSheet");
    printOnSheet_->addItem(QStringLiteral("Default"), 0);
    printOnSheet_->setEnabled(false);
    auto* modeForm = new QFormLayout(modeGroup);
    modeForm->addRow(QStringLiteral("Mode"), printMode_);
    modeForm->addRow(QStringLiteral("Print on paper"), printOnSheet_);

    auto* buttons = named(new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel), "ButtonBox");
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("btn_OK"));
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("btn_Cancel"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Cancel"));
    connect(buttons, &QDialogButtonBox::accepted, this, &TrpPrintDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &TrpPrintDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(printerGroup);
    auto* middle = new QHBoxLayout;
    middle->addWidget(pagesGroup, 1);
    middle->addWidget(copiesGroup);
    layout->addLayout(middle);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(otherGroup, 1);
    bottom->addWidget(modeGroup, 1);
    layout->addLayout(bottom);
    layout->addWidget(buttons);

    connect(printer_, &QComboBox::currentIndexChanged, this, &TrpPrintDialog::printerChosen);
    connect(properties, &QPushButton::clicked, this, &TrpPrintDialog::showProperties);
    printerChosen(printer_->currentIndex());
}

void TrpPrintDialog::printerChosen(int index) {
    TrpPrinters& printers = TrpPrinters::instance();
    printers.SetPrinterIndex(index);
    const TrpCustomPrinter* printer = printers.Printer();
    where_->setText(printer != nullptr ? printer->Location : QString());
}

void TrpPrintDialog::showProperties() {
    TrpCustomPrinter* printer = TrpPrinters::instance().Printer();
    if (printer == nullptr || !printer->Initialized) {
        TrpErrorBox::show(QStringLiteral("Printer selected is not valid"));
        return;
    }
    TrpPrinterPropertiesDialog dialog(*printer, this);
    dialog.exec();
}

void TrpPrintDialog::accept() {
    if (pages_->isChecked() && !TrpPageNumbers::isValid(pageNumbers_->text())) {
        TrpErrorBox::show(QStringLiteral("Invalid page numbers \"%1\"").arg(pageNumbers_->text()));
        pageNumbers_->setFocus();
        return;
    }
    QString outFile;
    if (printToFile_->isChecked()) {
        outFile = fileNameAsker()(this);
        if (outFile.isEmpty()) {
            reject();
            return;
        }
        // The file's own name decides; a point in a folder's name does not count.
        if (!QFileInfo(outFile).fileName().contains(QLatin1Char('.'))) {
            outFile += QStringLiteral(".prn");
        }
    }
    TrpPrinters& printers = TrpPrinters::instance();
    options_.Printer = printers.Printer() != nullptr ? printers.Printer()->Name : QString();
    options_.PrnOutFileName = outFile;
    if (all_->isChecked()) {
        options_.PageNumbers.clear();
    } else if (current_->isChecked()) {
        options_.PageNumbers = QString::number(currentPage_);
    } else {
        options_.PageNumbers = pageNumbers_->text().trimmed();
    }
    options_.Copies = copies_->value();
    options_.Collate = collate_->isChecked();
    options_.PrintPages = static_cast<TrpPrintPages>(printPages_->currentIndex());
    options_.Reverse = order_->currentIndex() == 1;
    options_.Duplex = static_cast<TrpDuplexMode>(duplex_->currentIndex());
    options_.PrintMode = static_cast<TrpPrintMode>(printMode_->currentIndex());
    options_.PrintOnSheet = printOnSheet_->currentData().toInt();
    QDialog::accept();
}

void TrpPrintDialog::reject() {
    TrpPrinters::instance().SetPrinterIndex(printerBefore_);
    QDialog::reject();
}
