#pragma once

#include "SettingsDialog.h"

class QCheckBox;
class QLabel;
class QLineEdit;

// Edits one kitchen station's name (the name of its printer) and active flag for the stations window. It
// never touches the database: the caller fills the two controls, shows the dialog and, after
// ModalResult::Ok, reads them back (the name already trimmed).
class TStationsDetailsForm : public SettingsDialog {
    Q_OBJECT
public:
    explicit TStationsDetailsForm(QWidget* parent = nullptr);

    QFrame* Panel1 = nullptr;
    QPushButton* btn_Confirm = nullptr;
    QPushButton* btn_Cancel = nullptr;
    QLabel* Label1 = nullptr;
    QLineEdit* edt_Printer_Name = nullptr;
    QCheckBox* chk_isActive = nullptr;

public Q_SLOTS:
    // Trims the name of blanks and control characters at both ends, in the edit box itself, and ends the
    // dialog with Ok unless nothing is left.
    void btn_ConfirmClick();
};

// The text without the characters below 33 (blanks and control characters) at either end.
QString trimmedStationName(const QString& text);
