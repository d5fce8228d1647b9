#include "ChooseStationForm.h"

#include "DataModule1.h"
#include "DbQuery.h"
#include "MessageService.h"
#include "ModalResult.h"
#include "SettingsControls.h"

#include <QComboBox>
#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QPushButton>

namespace {

constexpr int ClientWidth = 388;
constexpr int ClientHeight = 130;
constexpr int PanelWidth = 110;

} // namespace

TChooseStationForm::TChooseStationForm(TDataModule1& dataModule, QWidget* parent)
    : SettingsDialog(parent, QStringLiteral("ChooseStationForm"), QStringLiteral("Choose Station"),
                     ClientWidth, ClientHeight),
      StationsQ(std::make_unique<DbQuery>(StatementId::StationsQ, &dataModule.ADOConnection1)),
      dataModule_(dataModule) {
    Panel1 = addButtonPanel(QStringLiteral("Panel1"), PanelWidth);
    btn_AppSettings =
        addButton(Panel1, QStringLiteral("btn_AppSettings"), QStringLiteral("Confirm"), {10, 10, 90, 41});
    btn_Cancel = addButton(Panel1, QStringLiteral("btn_Cancel"), QStringLiteral("Close"),
                           {10, ClientHeight - 10 - 41, 90, 41});

    const int left = PanelWidth + 18;
    Label1 = new QLabel(QStringLiteral("Choose Station From List"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(left, 34, 241, 16);
    cb_Stations = new QComboBox(this);
    cb_Stations->setObjectName(QStringLiteral("cb_Stations"));
    setUpChoiceList(*cb_Stations, 19);
    cb_Stations->setGeometry(left, 52, 241, 23);

    connect(btn_AppSettings, &QPushButton::clicked, this, [this] { done(ModalResult::Ok); });
    connect(btn_Cancel, &QPushButton::clicked, this, [this] { done(ModalResult::Cancel); });
}

TChooseStationForm::~TChooseStationForm() = default;

void TChooseStationForm::changeEvent(QEvent* event) {
    SettingsDialog::changeEvent(event);
    // Once per dialog: the error box of a failed load hands the activation back when it closes, which
    // would load again and show the box again without end.
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && !activated_) {
        activated_ = true;
        runReportingErrors([this] { FormActivate(); });
    }
}

void TChooseStationForm::FormActivate() {
    StationsQ->close();
    dataModule_.bindOutletKey(*StationsQ);
    StationsQ->open();
    cb_Stations->clear();
    for (StationsQ->first(); !StationsQ->eof(); StationsQ->next()) {
        cb_Stations->addItem(StationsQ->asString(QStringLiteral("Station_Name")));
    }
    cb_Stations->setCurrentIndex(cb_Stations->count() > 0 ? 0 : -1);
}
