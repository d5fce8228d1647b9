#include "StationsMgtForm.h"

#include "DataModule1.h"
#include "DbCommand.h"
#include "DbQuery.h"
#include "MessageService.h"
#include "ModalResult.h"
#include "QueryDataSource.h"
#include "SettingsControls.h"
#include "StationsDetailsForm.h"
#include "Transaction.h"
#include "TrpReport.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QFrame>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>

namespace {

constexpr int ClientWidth = 563;
constexpr int ClientHeight = 246;
constexpr int PanelWidth = 118;

const QString StationName = QStringLiteral("Station_Name");
const QString StationId = QStringLiteral("Station_ID");

std::vector<GridColumn> stationColumns() {
    return {
        {StationName, QStringLiteral("Kitchen Station / Printer Name"), 326, Qt::AlignCenter, {}},
        {QStringLiteral("isActive"),
         QStringLiteral("Active"),
         56,
         Qt::AlignLeft | Qt::AlignVCenter,
         {QStringLiteral("Yes"), QStringLiteral("No")}},
    };
}

} // namespace

const QString TStationsMgtForm::FailureText = QStringLiteral(
    "Sometiong Went Wrong!\n\rPlease Retry or Call System Administrator\n\r\n\rError Message:\n\r");

TStationsMgtForm::TStationsMgtForm(TDataModule1& dataModule, QWidget* parent)
    : SettingsDialog(parent, QStringLiteral("StationsMgtForm"), QStringLiteral("Kitchen Stations / Printers"),
                     ClientWidth, ClientHeight),
      PrintersQ(std::make_unique<DbQuery>(StatementId::PrintersQ, &dataModule.ADOConnection1)),
      Comm_Insert(std::make_unique<DbCommand>(StatementId::Comm_Insert, &dataModule.ADOConnection1)),
      Comm_Modify(std::make_unique<DbCommand>(StatementId::Comm_Modify, &dataModule.ADOConnection1)),
      rep_Test(std::make_unique<TrpReport>()), dataModule_(dataModule) {
    rep_Test->SetName(QStringLiteral("rep_Test"));
    rep_Test->SetOwner(this);

    Panel1 = addButtonPanel(QStringLiteral("Panel1"), PanelWidth);
    btn_Add = addButton(Panel1, QStringLiteral("btn_Add"), QStringLiteral("Add New"), {10, 10, 98, 33});
    btn_Modify = addButton(Panel1, QStringLiteral("btn_Modify"), QStringLiteral("Modify"), {10, 47, 98, 34});
    btn_TestPrint =
        addButton(Panel1, QStringLiteral("btn_TestPrint"), QStringLiteral("Print Test"), {10, 85, 98, 34});
    btn_Close = addButton(Panel1, QStringLiteral("btn_Close"), QStringLiteral("Close"),
                          {10, ClientHeight - 10 - 34, 98, 34});

    Panel2 = new QFrame(this);
    Panel2->setObjectName(QStringLiteral("Panel2"));
    Panel2->setFrameShape(QFrame::Panel);
    Panel2->setFrameShadow(QFrame::Raised);
    Panel2->setGeometry(PanelWidth, 0, ClientWidth - PanelWidth, ClientHeight);
    auto* fill = new QHBoxLayout(Panel2);
    fill->setContentsMargins(1, 1, 1, 1);
    DBGrid1 = new QTableView(Panel2);
    DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
    setUpRecordGrid(*DBGrid1);
    fill->addWidget(DBGrid1);
    PrintersQDS = std::make_unique<QueryDataSource>(*PrintersQ, stationColumns());
    PrintersQDS->setObjectName(QStringLiteral("PrintersQDS"));
    PrintersQDS->attach(*DBGrid1);

    setTabOrder(btn_Add, btn_Modify);
    setTabOrder(btn_Modify, btn_Close);
    setTabOrder(btn_Close, btn_TestPrint);
    setTabOrder(btn_TestPrint, DBGrid1);
    btn_Add->setFocus();

    connect(btn_Add, &QPushButton::clicked, this, &TStationsMgtForm::btn_AddClick);
    connect(btn_Modify, &QPushButton::clicked, this, &TStationsMgtForm::btn_ModifyClick);
    connect(btn_TestPrint, &QPushButton::clicked, this, &TStationsMgtForm::btn_TestPrintClick);
    connect(btn_Close, &QPushButton::clicked, this, [this] { done(ModalResult::Close); });

    // The window opens even when the stations cannot be read: with an empty grid, after the error box.
    runReportingErrors([this] { FormCreate(); });
}

TStationsMgtForm::~TStationsMgtForm() = default;

void TStationsMgtForm::FormCreate() {
    refresh();
}

void TStationsMgtForm::FormClose() {
    PrintersQ->close();
}

void TStationsMgtForm::done(int result) {
    FormClose();
    SettingsDialog::done(result);
}

void TStationsMgtForm::refresh() {
    PrintersQ->close();
    dataModule_.bindOutletKey(*PrintersQ);
    PrintersQ->open();
}

std::optional<TStationsMgtForm::StationDetails> TStationsMgtForm::askDetails(const QString& name,
                                                                             bool active) {
    const auto details = std::make_unique<TStationsDetailsForm>(this);
    details->edt_Printer_Name->setText(name);
    details->chk_isActive->setChecked(active);
    if (details->exec() != ModalResult::Ok) {
        return std::nullopt;
    }
    return StationDetails{details->edt_Printer_Name->text(), details->chk_isActive->isChecked()};
}

void TStationsMgtForm::btn_AddClick() {
    const std::optional<StationDetails> station = askDetails(QString(), true);
    if (!station) {
        return;
    }
    // The new station is found by exactly the name given: one differing only in letter case is another.
    storeThenLocate(
        [&] {
            dataModule_.bindOutletKey(*Comm_Insert);
            Comm_Insert->setParameter(StationName, station->name);
            Comm_Insert->setParameter(QStringLiteral("isActive"), station->active);
            Comm_Insert->execute();
        },
        [&](const DbQuery& row) { return row.asString(StationName) == station->name; });
}

void TStationsMgtForm::btn_ModifyClick() {
    if (PrintersQ->recordCount() == 0) {
        return;
    }
    const qint64 stationId = PrintersQ->asLargeInt(StationId);
    const std::optional<StationDetails> station =
        askDetails(PrintersQ->asString(StationName), PrintersQ->asBoolean(QStringLiteral("isActive")));
    if (!station) {
        return;
    }
    storeThenLocate(
        [&] {
            Comm_Modify->setParameter(StationName, station->name);
            Comm_Modify->setParameter(QStringLiteral("isActive"), station->active);
            Comm_Modify->setParameter(StationId, stationId);
            Comm_Modify->execute();
        },
        [&](const DbQuery& row) { return row.asLargeInt(StationId) == stationId; });
}

void TStationsMgtForm::storeThenLocate(const std::function<void()>& store,
                                       const std::function<bool(const DbQuery&)>& isTheStation) {
    try {
        runInTransaction(dataModule_.ADOConnection1, store);
        refresh();
        int row = 0;
        for (PrintersQ->first(); !PrintersQ->eof(); PrintersQ->next()) {
            if (isTheStation(*PrintersQ)) {
                row = PrintersQ->recNo();
                break;
            }
        }
        PrintersQDS->setCurrentRow(row);
    } catch (...) {
        showInformation(FailureText + errorMessage(std::current_exception()));
    }
}

void TStationsMgtForm::btn_TestPrintClick() {
    if (PrintersQ->recordCount() == 0) {
        return;
    }
    // The station plays no part: the user picks the printer in the print dialog of the preview.
    runReportingErrors([this] {
        const QString fileName =
            QCoreApplication::applicationDirPath() + QStringLiteral("/Reports/en/rep_TestReceipt_80.xml");
        rep_Test->LoadFromFile(fileName, false);
        rep_Test->PrepareReport(true);
        rep_Test->PrintOptions().Printer = QString();
        rep_Test->PrintOptions().ShowDialog = true;
        rep_Test->ShowReport(true);
    });
}
