#include "StartUp.h"

#include "DataModule1.h"
#include "MainForm.h"
#include "MessageService.h"
#include "PuertoRicoStyle.h"
#include "SettingsStore.h"
#include "TraceChannel.h"
#include "VeloriaApplication.h"

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
}

int runPrintingServer(int argc, char** argv) {
    VeloriaApplication app(argc, argv);
    TraceChannel::instance().Enabled = false;
    applyPuertoRicoTheme(app);
    QCoreApplication::setApplicationName(QString::fromLatin1(ApplicationTitle));

    TMainForm mainForm(QCoreApplication::applicationDirPath());
    TDataModule1 dataModule;
    createDataModule(dataModule);
    mainForm.setDataModule(&dataModule);

    mainForm.show();
    return app.exec();
}
