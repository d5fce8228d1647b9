#pragma once

#include <QDialog>
#include <functional>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QSpinBox;
class TrpPrintOptions;

// The print dialog ("Print"): printer, pages, copies, odd/even and order, duplex, print mode. Choosing a
// printer selects it in the process's printer list at once; OK keeps it selected and writes the choices
// into the print options, Cancel selects again the printer that was selected when the dialog opened.
class TrpPrintDialog : public QDialog {
    Q_OBJECT
public:
    // Asks where "Print to file" writes; empty: the user gave no name.
    using FileNameAsker = std::function<QString(QWidget* parent)>;

    TrpPrintDialog(TrpPrintOptions& options, int currentPage, QWidget* parent = nullptr);

    // Replaces the file name question (tests answer it themselves); returns the previous one.
    static FileNameAsker setFileNameAsker(FileNameAsker asker);

    void accept() override;
    void reject() override;

private:
    void printerChosen(int index);
    void showProperties();

    TrpPrintOptions& options_;
    int currentPage_;
    int printerBefore_;
    QComboBox* printer_;
    QLabel* where_;
    QCheckBox* printToFile_;
    QRadioButton* all_;
    QRadioButton* current_;
    QRadioButton* pages_;
    QLineEdit* pageNumbers_;
    QSpinBox* copies_;
    QCheckBox* collate_;
    QComboBox* printPages_;
    QComboBox* order_;
    QComboBox* duplex_;
    QComboBox* printMode_;
    QComboBox* printOnSheet_;
};
