#include "TrpPrinterPropertiesDialog.h"

#include "TrpCustomPrinter.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QStringList>

TrpPrinterPropertiesDialog::TrpPrinterPropertiesDialog(TrpCustomPrinter& printer, QWidget* parent)
    : QDialog(parent), printer_(printer) {
    setObjectName(QStringLiteral("TrpPrinterPropertiesDialog"));
    setWindowTitle(QStringLiteral("%1 Properties").arg(printer.Name));
    setModal(true);

    QStringList papers;
    for (const auto& paper : printer.Papers) {
        papers.append(paper.second);
    }
    bin_ = new QComboBox;
    bin_->setObjectName(QStringLiteral("cb_Bin"));
    for (const auto& bin : printer.Bins) {
        bin_->addItem(bin.second, bin.first);
    }
    bin_->setCurrentIndex(std::max(0, bin_->findData(printer.DefaultBin)));

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("btn_OK"));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("btn_Cancel"));
    connect(buttons, &QDialogButtonBox::accepted, this, &TrpPrinterPropertiesDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &TrpPrinterPropertiesDialog::reject);

    auto* form = new QFormLayout(this);
    form->addRow(QStringLiteral("Printer:"), new QLabel(printer.Name));
    form->addRow(QStringLiteral("Where:"), new QLabel(printer.Location));
    form->addRow(QStringLiteral("Resolution:"),
                 new QLabel(QStringLiteral("%1 x %2 dpi").arg(printer.DpiX).arg(printer.DpiY)));
    auto* paperList = new QLabel(papers.join(QStringLiteral(", ")));
    paperList->setWordWrap(true);
    form->addRow(QStringLiteral("Papers:"), paperList);
    form->addRow(QStringLiteral("Paper source:"), bin_);
    form->addRow(buttons);
}

void TrpPrinterPropertiesDialog::accept() {
    printer_.DefaultBin = bin_->currentData().toInt();
    printer_.DeviceMode.bin = printer_.DefaultBin;
    QDialog::accept();
}
