#pragma once

#include "SettingsDialog.h"

#include <memory>

class DbQuery;
class QComboBox;
class QLabel;
class TDataModule1;

// Offers the outlet's active kitchen stations in a drop-down list, for the packaging list of the
// dispatching printer settings. After ModalResult::Ok the caller reads the list's selected index (-1 when
// nothing is selected) and its text.
class TChooseStationForm : public SettingsDialog {
    Q_OBJECT
public:
    explicit TChooseStationForm(TDataModule1& dataModule, QWidget* parent = nullptr);
    ~TChooseStationForm() override;

    QFrame* Panel1 = nullptr;
    QPushButton* btn_AppSettings = nullptr;
    QPushButton* btn_Cancel = nullptr;
    QLabel* Label1 = nullptr;
    QComboBox* cb_Stations = nullptr;
    std::unique_ptr<DbQuery> StationsQ;

protected:
    void changeEvent(QEvent* event) override;

private:
    // Fills the list with the active stations by name and selects the first. Runs when the dialog first
    // becomes active, that is when it opens; a failure goes to the standard error box and leaves the list
    // empty.
    void FormActivate();

    TDataModule1& dataModule_;
    bool activated_ = false;
};
