#include "SplashForm.h"

#include "FileVersion.h"
#include "MessageService.h"
#include "ProgramFileDate.h"

#include <QCoreApplication>
#include <QLabel>
#include <QProgressBar>
#include <QScreen>
#include <exception>

namespace {

constexpr int ClientWidth = 538;
constexpr int ClientHeight = 199;
constexpr int LeftPanelWidth = 102;

} // namespace

TSplashForm::TSplashForm(const QString& programFile)
    : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint),
      programFile_(programFile.isEmpty() ? QCoreApplication::applicationFilePath() : programFile) {
    setObjectName(QStringLiteral("SplashForm"));
    QFont base(QStringLiteral("Tahoma"));
    base.setPixelSize(11);
    setFont(base);
    setFixedSize(ClientWidth, ClientHeight);

    LeftPanel = makeBevelledPanel(QStringLiteral("Panel1"), this, 0, 0, LeftPanelWidth, ClientHeight);
    Image1 = addProductLogo(QStringLiteral("Image1"), LeftPanel, 11, 11);
    ProgressBar1 = new QProgressBar(LeftPanel);
    ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    ProgressBar1->setGeometry(11, ClientHeight - 17 - 12, 80, 17);
    ProgressBar1->setRange(0, 100);
    ProgressBar1->setValue(0);
    ProgressBar1->setTextVisible(false);

    RightPanel = makeBevelledPanel(QStringLiteral("Panel2"), this, LeftPanelWidth, 0,
                                   ClientWidth - LeftPanelWidth, ClientHeight);
    labels = addProductLabels(RightPanel);

    if (const QScreen* screen = this->screen()) {
        move(screen->availableGeometry().center() - rect().center());
    }

    try {
        FormCreate();
    } catch (...) {
        handleUncaughtException(std::current_exception());
    }
}

QString TSplashForm::GetAppVersionStr() const {
    return readFileVersion(programFile_).text();
}

void TSplashForm::FormCreate() {
    labels.lbl_LastUpdated->setText(
        QStringLiteral("Last updated on %1").arg(programFileDateText(programFile_)));
    labels.lbl_Version->setText(QStringLiteral("Version %1").arg(GetAppVersionStr()));
}

void TSplashForm::advanceTo(int percent) {
    ProgressBar1->setValue(percent);
    repaint();
    // The window system must see the new picture now; input stays queued until the message loop runs.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}
