#include "StartUp.h"

#include "DataModule1.h"
#include "MainForm.h"
#include "MessageService.h"
#include "PuertoRicoStyle.h"
#include "SettingsStore.h"
#include "SplashForm.h"
#include "TraceChannel.h"
#include "TrpErrorBox.h"
#include "TrpReportUi.h"
#include "VeloriaApplication.h"

#include <QApplication>
#include <exception>

void createDataModule(TDataModule1& dataModule) {
    std::unique_ptr<SettingsStore> store;
    try {
        store = openUserSettingsStore();
    } catch (...) {
        handleUncaughtException(std::current_exception());
        store = makeEmptySettingsStore();
    }
    try {
        dataModule.DataModuleCreate(*store);
    } catch (...) {
        handleUncaughtException(std::current_exception());
    }
    try {
        dataModule.UpdateService = UpdateServiceSettings::read(*store);
    } catch (...) {
        handleUncaughtException(std::current_exception());
    }
}

void bindReportMessages() {
    TrpErrorBox::setHandler([](const QString& text) {
        MessageService::current().show(
            MessageRequest{QString::fromLatin1(TrpErrorBox::Caption), text, MessageIcon::Error, MbOk});
    });
    // The print dialog and the preview window of the reports.
    TrpReportUi::install();
}

RunningProgram startUp(const std::function<void(TSplashForm&)>& splashShown) {
    TraceChannel::instance().Enabled = false;
    bindReportMessages();

    auto splash = std::make_unique<TSplashForm>();
    splash->show();
    if (splashShown) {
        splashShown(*splash);
    }
    splash->advanceTo(40);

    applyPuertoRicoTheme(*qApp);
    QCoreApplication::setApplicationName(QString::fromLatin1(ApplicationTitle));

    RunningProgram program;
    program.mainForm = std::make_unique<TMainForm>(QCoreApplication::applicationDirPath());
    splash->advanceTo(60);
    program.dataModule = std::make_unique<TDataModule1>();
    createDataModule(*program.dataModule);
    program.mainForm->setDataModule(program.dataModule.get());
    splash->advanceTo(100);

    splash->hide();
    splash.reset();
    return program;
}

int runPrintingServer(int argc, char** argv) {
    VeloriaApplication app(argc, argv);
    const RunningProgram program = startUp();
    program.mainForm->show();
    return app.exec();
}
