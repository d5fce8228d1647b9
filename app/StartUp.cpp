#include "StartUp.h"

#include "DataModule1.h"
#include "MainForm.h"
#include "MessageService.h"
#include "OperationLog.h"
#include "PrintingService.h"
#include "ProgramOptions.h"
#include "PuertoRicoStyle.h"
#include "ServiceMessageService.h"
#include "SettingsStore.h"
#include "SplashForm.h"
#include "TerminationSignals.h"
#include "TraceChannel.h"
#include "TrpErrorBox.h"
#include "TrpReportUi.h"
#include "VeloriaApplication.h"

#include <QApplication>
#include <cstdio>
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

namespace {

// Start-up steps shared by the window program and the service; `progress` hears how far it got.
RunningProgram createProgram(const std::function<void(int)>& progress) {
    applyPuertoRicoTheme(*qApp);
    QCoreApplication::setApplicationName(QString::fromLatin1(ApplicationTitle));

    RunningProgram program;
    program.mainForm = std::make_unique<TMainForm>(QCoreApplication::applicationDirPath());
    progress(60);
    program.dataModule = std::make_unique<TDataModule1>();
    createDataModule(*program.dataModule);
    program.mainForm->setDataModule(program.dataModule.get());
    progress(100);
    return program;
}

void writeToStandardOutput(const QString& line) {
    const QByteArray bytes = (line + QLatin1Char('\n')).toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stdout);
    std::fflush(stdout);
}

// A service started by the machine has no display; the window program must not need one there.
void useOffscreenPlatformWithoutDisplay() {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
        qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
}

} // namespace

RunningProgram startUp(const std::function<void(TSplashForm&)>& splashShown) {
    TraceChannel::instance().Enabled = false;
    bindReportMessages();

    auto splash = std::make_unique<TSplashForm>();
    splash->show();
    if (splashShown) {
        splashShown(*splash);
    }
    splash->advanceTo(40);

    RunningProgram program = createProgram([&splash](int percent) { splash->advanceTo(percent); });

    splash->hide();
    splash.reset();
    return program;
}

RunningProgram startUpWithoutWindows() {
    TraceChannel::instance().Enabled = false;
    bindReportMessages();
    return createProgram([](int) {});
}

int runService() {
    // Boxes are written to the log from the start, also those of reading the settings, before the main
    // window (and its log) exist.
    OperationLog::setEcho(writeToStandardOutput);
    OperationLog boxLog(QCoreApplication::applicationDirPath() + QStringLiteral("/Logs/"), nullptr);
    ServiceMessageService messages;
    messages.setLogWriter([&boxLog](const QString& line) { boxLog.write(line); });
    MessageService::setCurrent(&messages);

    int code = 1;
    try {
        const RunningProgram program = startUpWithoutWindows();
        PrintingService service(*program.mainForm, PrintingService::restartDelayFromEnvironment());
        TerminationSignals terminationSignals;
        QObject::connect(&terminationSignals, &TerminationSignals::received, &service,
                         &PrintingService::terminate);
        switch (service.start()) {
        case PrintingService::Outcome::Running:
            code = QCoreApplication::exec();
            break;
        case PrintingService::Outcome::NothingToPrint:
            code = 0;
            break;
        case PrintingService::Outcome::Failed:
            code = 1;
            break;
        }
    } catch (...) {
        handleUncaughtException(std::current_exception());
        code = 1;
    }
    MessageService::setCurrent(nullptr);
    OperationLog::setEcho({});
    return code;
}

int runPrintingServer(int argc, char** argv) {
    // Any argument means the service or the usage text, neither of which needs a display; only the window
    // program, without arguments, does.
    if (argc > 1) {
        useOffscreenPlatformWithoutDisplay();
    }
    VeloriaApplication app(argc, argv);
    ProgramOptions options;
    try {
        options = ProgramOptions::parse(QCoreApplication::arguments());
    } catch (const ProgramOptionsError& e) {
        std::fprintf(stderr, "%s\n%s", e.what(), qPrintable(ProgramOptions::usage()));
        return 2;
    }
    if (options.help) {
        std::fputs(qPrintable(ProgramOptions::usage()), stdout);
        return 0;
    }
    if (options.service) {
        return runService();
    }
    const RunningProgram program = startUp();
    program.mainForm->show();
    return app.exec();
}
