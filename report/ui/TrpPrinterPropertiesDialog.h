#pragma once

#include <QDialog>

class QComboBox;
class TrpCustomPrinter;

// The printer's own settings as far as tickets need them: what the driver reports (resolution, papers)
// and the paper source. The source chosen here becomes the printer's default bin, which pages asking for
// the "Default" bin use.
class TrpPrinterPropertiesDialog : public QDialog {
    Q_OBJECT
public:
    TrpPrinterPropertiesDialog(TrpCustomPrinter& printer, QWidget* parent = nullptr);

    void accept() override;

private:
    TrpCustomPrinter& printer_;
    QComboBox* bin_;
};
