#include "AboutForm.h"

#include "FileVersion.h"
#include "MessageService.h"
#include "ProgramFileDate.h"

#include <QCoreApplication>
#include <QEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <exception>

namespace {

constexpr int ClientWidth = 583;
constexpr int ClientHeight = 282;
constexpr int LeftPanelWidth = 102;

const char* const Credits = "Veloria Restaurant Management System - Printing Server Module\n"
                            "\n"
                            "Prints the kitchen, packaging and void tickets of the Veloria point of sale "
                            "on the printers of the kitchen stations.\n"
                            "\n"
                            "Design and development: the Veloria team at Corvane Solutions.\n"
                            "Ticket layout, testing and support: the Veloria kitchen group.\n"
                            "\n"
                            "Built with the Qt toolkit (LGPL) and zlib. Thanks to the restaurants whose "
                            "kitchens shaped this program.";

} // namespace

TAboutForm::TAboutForm(QWidget* parent, const QString& programFile)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      programFile_(programFile.isEmpty() ? QCoreApplication::applicationFilePath() : programFile) {
    setObjectName(QStringLiteral("AboutForm"));
    setWindowTitle(QStringLiteral("About"));
    QFont base(QStringLiteral("MS Sans Serif"));
    base.setPixelSize(13);
    setFont(base);
    setFixedSize(ClientWidth, ClientHeight);

    LeftPanel = makeBevelledPanel(QStringLiteral("Panel1"), this, 0, 0, LeftPanelWidth, ClientHeight);
    ProgramIcon = addProductLogo(QStringLiteral("ProgramIcon"), LeftPanel, 11, 11);
    Button1 = new QPushButton(QStringLiteral("Close"), LeftPanel);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setGeometry(11, ClientHeight - 33 - 11, 80, 33);
    connect(Button1, &QPushButton::clicked, this, [this] { done(ModalResultClose); });

    RightPanel = makeBevelledPanel(QStringLiteral("Panel2"), this, LeftPanelWidth, 0,
                                   ClientWidth - LeftPanelWidth, ClientHeight);
    labels = addProductLabels(RightPanel);
    Memo1 = new QPlainTextEdit(QString::fromUtf8(Credits), RightPanel);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setReadOnly(true);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo1->setGeometry(16, 181, 433, 76);

    if (const QScreen* screen = this->screen()) {
        move(screen->availableGeometry().center() - rect().center());
    }
}

QString TAboutForm::GetAppVersionStr() const {
    return readFileVersion(programFile_).text();
}

void TAboutForm::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    // Once per window: an error box shown by the handler hands the activation back when it closes, which
    // would run the handler and show the box again without end.
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && !activated_) {
        activated_ = true;
        try {
            FormActivate();
        } catch (...) {
            handleUncaughtException(std::current_exception());
        }
    }
}

void TAboutForm::FormActivate() {
    labels.lbl_LastUpdated->setText(
        QStringLiteral("Last updated on %1").arg(programFileDateText(programFile_)));
    labels.lbl_Version->setText(QStringLiteral("Version %1").arg(GetAppVersionStr()));
}
