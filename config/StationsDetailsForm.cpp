#include "StationsDetailsForm.h"

#include "MessageService.h"
#include "ModalResult.h"

#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <limits>

namespace {

constexpr int ClientWidth = 396;
constexpr int ClientHeight = 129;
constexpr int PanelWidth = 118;

bool isBlankOrControl(QChar c) {
    return c.unicode() < 33;
}

} // namespace

QString trimmedStationName(const QString& text) {
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isBlankOrControl(text.at(begin))) {
        ++begin;
    }
    while (end > begin && isBlankOrControl(text.at(end - 1))) {
        --end;
    }
    return text.mid(begin, end - begin);
}

TStationsDetailsForm::TStationsDetailsForm(QWidget* parent)
    : SettingsDialog(parent, QStringLiteral("StationsDetailsForm"),
                     QStringLiteral("Station / Printer Details Form"), ClientWidth, ClientHeight) {
    Panel1 = addButtonPanel(QStringLiteral("Panel1"), PanelWidth);
    btn_Confirm =
        addButton(Panel1, QStringLiteral("btn_Confirm"), QStringLiteral("Confirm"), {10, 10, 98, 33});
    btn_Cancel = addButton(Panel1, QStringLiteral("btn_Cancel"), QStringLiteral("Close"),
                           {10, ClientHeight - 10 - 33, 98, 33});

    const int left = PanelWidth + 16;
    Label1 = new QLabel(QStringLiteral("Station / Printer Name"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(left, 18, 233, 16);
    edt_Printer_Name = new QLineEdit(this);
    edt_Printer_Name->setObjectName(QStringLiteral("edt_Printer_Name"));
    edt_Printer_Name->setMaxLength(std::numeric_limits<int>::max());
    edt_Printer_Name->setGeometry(left, 36, 233, 22);
    chk_isActive = new QCheckBox(QStringLiteral("Station / Printer is Active"), this);
    chk_isActive->setObjectName(QStringLiteral("chk_isActive"));
    chk_isActive->setGeometry(left, 70, 233, 18);

    setTabOrder(btn_Cancel, btn_Confirm);
    setTabOrder(btn_Confirm, edt_Printer_Name);
    setTabOrder(edt_Printer_Name, chk_isActive);
    btn_Cancel->setFocus();

    connect(btn_Confirm, &QPushButton::clicked, this, &TStationsDetailsForm::btn_ConfirmClick);
    connect(btn_Cancel, &QPushButton::clicked, this, [this] { done(ModalResult::Cancel); });
}

void TStationsDetailsForm::btn_ConfirmClick() {
    edt_Printer_Name->setText(trimmedStationName(edt_Printer_Name->text()));
    if (!edt_Printer_Name->text().isEmpty()) {
        done(ModalResult::Ok);
        return;
    }
    showInformation(QStringLiteral("Please Provide Station / Printer Name"));
}
