#pragma once

#include "SettingsDialog.h"

#include <functional>
#include <memory>
#include <optional>

class DbCommand;
class DbQuery;
class QTableView;
class QueryDataSource;
class TDataModule1;
class TrpReport;

// "Kitchen Stations / Printers": the outlet's kitchen stations (a station's name is its printer's name)
// with their active flags; adds a station, changes the selected one, and previews the test receipt, from
// which it can be printed on any printer.
class TStationsMgtForm : public SettingsDialog {
    Q_OBJECT
public:
    explicit TStationsMgtForm(TDataModule1& dataModule, QWidget* parent = nullptr);
    ~TStationsMgtForm() override;

    // The text a failed Add New or Modify shows before the error's own message. The line breaks are a
    // line feed followed by a carriage return, as the operators have always seen them.
    static const QString FailureText;

    QFrame* Panel1 = nullptr;
    QFrame* Panel2 = nullptr;
    QPushButton* btn_Add = nullptr;
    QPushButton* btn_Modify = nullptr;
    QPushButton* btn_TestPrint = nullptr;
    QPushButton* btn_Close = nullptr;
    QTableView* DBGrid1 = nullptr;

    std::unique_ptr<DbQuery> PrintersQ;
    std::unique_ptr<DbCommand> Comm_Insert;
    std::unique_ptr<DbCommand> Comm_Modify;
    std::unique_ptr<QueryDataSource> PrintersQDS;
    std::unique_ptr<TrpReport> rep_Test;

public Q_SLOTS:
    void btn_AddClick();
    void btn_ModifyClick();
    void btn_TestPrintClick();

protected:
    // Every way the window ends passes here.
    void done(int result) override;

private:
    struct StationDetails {
        QString name;
        bool active = false;
    };
    // Shows the station details dialog filled with these values: the confirmed values (the name trimmed),
    // or nothing when it was closed. The dialog is destroyed either way.
    std::optional<StationDetails> askDetails(const QString& name, bool active);
    void FormCreate();
    void FormClose();
    // Runs PrintersQ for the outlet again; the first station becomes current.
    void refresh();
    // Runs `store` in a transaction and refreshes; the first station for which `isTheStation` holds becomes
    // current (else the first). A failure is rolled back and shown after FailureText.
    void storeThenLocate(const std::function<void()>& store,
                         const std::function<bool(const DbQuery&)>& isTheStation);

    TDataModule1& dataModule_;
};
