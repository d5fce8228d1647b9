#include "DispatchingPrinterSettingsForm.h"

#include "ChooseStationForm.h"
#include "DataModule1.h"
#include "DbCommand.h"
#include "DbQuery.h"
#include "MessageService.h"
#include "ModalResult.h"
#include "PrintSpooler.h"
#include "QueryDataSource.h"
#include "SettingsControls.h"
#include "Transaction.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QTableView>

namespace {

constexpr int ClientWidth = 417;
constexpr int ClientHeight = 324;
constexpr int PanelWidth = 126;
constexpr int Left = PanelWidth + 21;
constexpr int ColumnWidth = 248;

} // namespace

TDispatchingPrinterSettingsForm::TDispatchingPrinterSettingsForm(TDataModule1& dataModule, QWidget* parent)
    : SettingsDialog(parent, QStringLiteral("DispatchingPrinterSettingsForm"),
                     QStringLiteral("Dispatching Printer Settings"), ClientWidth, ClientHeight),
      RestDataQ(std::make_unique<DbQuery>(StatementId::RestDataQ, &dataModule.ADOConnection1)),
      IncludedStationsQ(
          std::make_unique<DbQuery>(StatementId::IncludedStationsQ, &dataModule.ADOConnection1)),
      Comm_Update(std::make_unique<DbCommand>(StatementId::Comm_Update, &dataModule.ADOConnection1)),
      Comm_Add(std::make_unique<DbCommand>(StatementId::Comm_Add, &dataModule.ADOConnection1)),
      Comm_Remove(std::make_unique<DbCommand>(StatementId::Comm_Remove, &dataModule.ADOConnection1)),
      dataModule_(dataModule) {
    Panel1 = addButtonPanel(QStringLiteral("Panel1"), PanelWidth);
    btn_AppSettings =
        addButton(Panel1, QStringLiteral("btn_AppSettings"), QStringLiteral("Save"), {10, 10, 106, 41});
    btn_Cancel = addButton(Panel1, QStringLiteral("btn_Cancel"), QStringLiteral("Close"),
                           {10, ClientHeight - 10 - 41, 106, 41});

    chk_Use_Packaging_Printer = new QCheckBox(QStringLiteral("Use Packaging Printer"), this);
    chk_Use_Packaging_Printer->setObjectName(QStringLiteral("chk_Use_Packaging_Printer"));
    chk_Use_Packaging_Printer->setGeometry(Left, 16, ColumnWidth, 18);
    Label1 = new QLabel(QStringLiteral("Packaging Printer Name"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(Left, 46, ColumnWidth, 16);
    cb_Packaging_Printer_Name = new QComboBox(this);
    cb_Packaging_Printer_Name->setObjectName(QStringLiteral("cb_Packaging_Printer_Name"));
    setUpChoiceList(*cb_Packaging_Printer_Name, 19);
    cb_Packaging_Printer_Name->setGeometry(Left, 63, ColumnWidth, 23);
    Label2 = new QLabel(QStringLiteral("Included Stations"), this);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setGeometry(Left, 98, ColumnWidth, 16);
    DBGrid1 = new QTableView(this);
    DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
    setUpRecordGrid(*DBGrid1);
    DBGrid1->setGeometry(Left, 115, ColumnWidth, 120);
    btn_Add = addButton(this, QStringLiteral("btn_Add"), QStringLiteral("Add"), {Left, 243, 75, 25});
    btn_Remove = addButton(this, QStringLiteral("btn_Remove"), QStringLiteral("Remove"),
                           {Left + ColumnWidth - 75, 243, 75, 25});

    IncludedStationsQDS = std::make_unique<QueryDataSource>(
        *IncludedStationsQ, std::vector<GridColumn>{{QStringLiteral("Printer_Name"),
                                                     QStringLiteral("Station Name"),
                                                     211,
                                                     Qt::AlignLeft | Qt::AlignVCenter,
                                                     {}}});
    IncludedStationsQDS->setObjectName(QStringLiteral("IncludedStationsQDS"));
    IncludedStationsQDS->attach(*DBGrid1);

    setTabOrder(btn_Cancel, btn_AppSettings);
    setTabOrder(btn_AppSettings, cb_Packaging_Printer_Name);
    setTabOrder(cb_Packaging_Printer_Name, chk_Use_Packaging_Printer);
    setTabOrder(chk_Use_Packaging_Printer, DBGrid1);
    setTabOrder(DBGrid1, btn_Add);
    setTabOrder(btn_Add, btn_Remove);
    btn_Cancel->setFocus();

    connect(btn_AppSettings, &QPushButton::clicked, this,
            &TDispatchingPrinterSettingsForm::btn_AppSettingsClick);
    connect(btn_Cancel, &QPushButton::clicked, this, [this] { done(ModalResult::Cancel); });
    connect(btn_Add, &QPushButton::clicked, this, &TDispatchingPrinterSettingsForm::btn_AddClick);
    connect(btn_Remove, &QPushButton::clicked, this, &TDispatchingPrinterSettingsForm::btn_RemoveClick);
}

TDispatchingPrinterSettingsForm::~TDispatchingPrinterSettingsForm() = default;

void TDispatchingPrinterSettingsForm::changeEvent(QEvent* event) {
    SettingsDialog::changeEvent(event);
    if (event->type() != QEvent::ActivationChange) {
        return;
    }
    if (!isActiveWindow()) {
        // Another window of the program took over (the active window is already the new one); none means
        // the user went to another program, and coming back is no reason to discard what is on screen.
        loadOnActivation_ = QApplication::activeWindow() != nullptr;
        return;
    }
    if (!loadOnActivation_) {
        return;
    }
    if (skipNextLoad_) {
        skipNextLoad_ = false;
        return;
    }
    runReportingErrors([this] {
        // Closing the error box of a failed load activates the window again; loading again then would show
        // the box again without end.
        skipNextLoad_ = true;
        FormActivate();
        skipNextLoad_ = false;
    });
}

void TDispatchingPrinterSettingsForm::FormActivate() {
    // Printers installed or removed while the program runs are seen here.
    cb_Packaging_Printer_Name->clear();
    cb_Packaging_Printer_Name->addItems(PrintSpooler::current().printerNames());

    RestDataQ->close();
    dataModule_.bindOutletKey(*RestDataQ);
    RestDataQ->open();
    IncludedStationsQ->close();
    dataModule_.bindOutletKey(*IncludedStationsQ);
    IncludedStationsQ->open();

    chk_Use_Packaging_Printer->setChecked(RestDataQ->asBoolean(QStringLiteral("Use_Packaging_Printer")));
    const QString stored = RestDataQ->asString(QStringLiteral("Packaging_Printer_Name"));
    int selected = -1;
    for (int i = 0; i < cb_Packaging_Printer_Name->count() && !stored.isEmpty(); ++i) {
        if (cb_Packaging_Printer_Name->itemText(i).compare(stored, Qt::CaseInsensitive) == 0) {
            selected = i;
            break;
        }
    }
    cb_Packaging_Printer_Name->setCurrentIndex(selected);
}

void TDispatchingPrinterSettingsForm::storeThenSay(const std::function<void()>& store,
                                                   const std::function<void()>& reload,
                                                   const QString& success) {
    try {
        runInTransaction(dataModule_.ADOConnection1, store);
        reload();
    } catch (...) {
        showInformation(QStringLiteral("Something went wrong!\r\n") + errorMessage(std::current_exception()));
        return;
    }
    showInformation(success);
}

void TDispatchingPrinterSettingsForm::btn_AppSettingsClick() {
    const bool use = chk_Use_Packaging_Printer->isChecked();
    // Empty text, not NULL, when no installed printer is chosen.
    const QString printer = cb_Packaging_Printer_Name->currentIndex() < 0
                                ? QStringLiteral("")
                                : cb_Packaging_Printer_Name->currentText();
    storeThenSay(
        [&] {
            Comm_Update->setParameter(QStringLiteral("Use_Packaging_Printer"), use);
            Comm_Update->setParameter(QStringLiteral("Packaging_Printer_Name"), printer);
            dataModule_.bindOutletKey(*Comm_Update);
            Comm_Update->execute();
        },
        [this] {
            RestDataQ->close();
            RestDataQ->open();
        },
        QStringLiteral("Settings Saved Successfuly!\r\nPlattora Printing Service Must Be Restarted"));
}

void TDispatchingPrinterSettingsForm::btn_AddClick() {
    auto choose = std::make_unique<TChooseStationForm>(dataModule_, this);
    if (choose->exec() != ModalResult::Ok) {
        return;
    }
    if (choose->cb_Stations->currentIndex() < 0) {
        showInformation(QStringLiteral("Nothing To Add!"));
        return;
    }
    // Nothing keeps a station from being included twice; the packaging copy lists its items once anyway.
    const QString station = choose->cb_Stations->currentText();
    storeThenSay(
        [&] {
            dataModule_.bindOutletKey(*Comm_Add);
            Comm_Add->setParameter(QStringLiteral("Printer_Name"), station);
            Comm_Add->execute();
        },
        [this] {
            IncludedStationsQ->close();
            IncludedStationsQ->open();
        },
        QStringLiteral("Station Added Successfully!"));
}

void TDispatchingPrinterSettingsForm::btn_RemoveClick() {
    if (IncludedStationsQ->recordCount() == 0) {
        return;
    }
    const qint64 recId = IncludedStationsQ->asLargeInt(QStringLiteral("Rec_ID"));
    storeThenSay(
        [&] {
            Comm_Remove->setParameter(QStringLiteral("Rec_ID"), recId);
            Comm_Remove->execute();
        },
        [this] {
            IncludedStationsQ->close();
            IncludedStationsQ->open();
        },
        QStringLiteral("Station Removed Successfully!"));
}
