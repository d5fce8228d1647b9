#pragma once

#include "SettingsDialog.h"

#include <functional>
#include <memory>

class DbCommand;
class DbQuery;
class QCheckBox;
class QComboBox;
class QLabel;
class QTableView;
class QueryDataSource;
class TDataModule1;

// "Dispatching Printer Settings": whether a packaging copy of each order is printed, on which installed
// printer, and which kitchen stations' items go onto it. The controls show the stored values as last
// loaded; every activation of the window loads them again, discarding unsaved changes. A running print
// server keeps what it read at its start.
class TDispatchingPrinterSettingsForm : public SettingsDialog {
    Q_OBJECT
public:
    explicit TDispatchingPrinterSettingsForm(TDataModule1& dataModule, QWidget* parent = nullptr);
    ~TDispatchingPrinterSettingsForm() override;

    QFrame* Panel1 = nullptr;
    QPushButton* btn_AppSettings = nullptr;
    QPushButton* btn_Cancel = nullptr;
    QCheckBox* chk_Use_Packaging_Printer = nullptr;
    QLabel* Label1 = nullptr;
    QComboBox* cb_Packaging_Printer_Name = nullptr;
    QLabel* Label2 = nullptr;
    QTableView* DBGrid1 = nullptr;
    QPushButton* btn_Add = nullptr;
    QPushButton* btn_Remove = nullptr;

    std::unique_ptr<DbQuery> RestDataQ;
    std::unique_ptr<DbQuery> IncludedStationsQ;
    std::unique_ptr<DbCommand> Comm_Update;
    std::unique_ptr<DbCommand> Comm_Add;
    std::unique_ptr<DbCommand> Comm_Remove;
    std::unique_ptr<QueryDataSource> IncludedStationsQDS;

public Q_SLOTS:
    void btn_AppSettingsClick();
    void btn_AddClick();
    void btn_RemoveClick();

protected:
    void changeEvent(QEvent* event) override;

private:
    // Loads the installed printers, the stored settings and the included stations into the controls.
    void FormActivate();
    // Runs `store` in a transaction, then `reload` and the success message; a failure is rolled back and
    // shown after "Something went wrong!".
    void storeThenSay(const std::function<void()>& store, const std::function<void()>& reload,
                      const QString& success);

    TDataModule1& dataModule_;
    // The window loads when it becomes active after another window of the program (a dialog, a message
    // box) was, not when the user comes back from another program.
    bool loadOnActivation_ = true;
    // Set by a failed load, whose error box gives the activation back when it closes.
    bool skipNextLoad_ = false;
};
