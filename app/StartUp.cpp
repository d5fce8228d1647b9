#include "StartUp.h"

#include "DataModule1.h"
#include "MainForm.h"
#include "MessageService.h"
#include "OperationLog.h"
#include "PrintServer.h"
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
#include "WidgetMessageService.h"

#include <QApplication>
#include <cstdio>
#include <exception>

RunningProgram::RunningProgram() = default;
RunningProgram::RunningProgram(RunningProgram&&) noexcept = default;
RunningProgram& RunningProgram::operator=(RunningProgram&&) noexcept = default;
RunningProgram::~RunningProgram() = default;

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
}

namespace {

// The data module, made after the print server (whose log takes the boxes of reading the settings) and
// handed to it.
void addDataModule(RunningProgram& program, PrintServer& server) {
    program.dataModule = std::make_unique<TDataModule1>();
    createDataModule(*program.dataModule);
    server.setDataModule(program.dataModule.get());
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
    // The print dialog and the preview window of the reports (the service has neither).
    TrpReportUi::install();

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
    addDataModule(program, program.mainForm->server());
    splash->advanceTo(100);

    splash->hide();
    splash.reset();
    return program;
}

RunningProgram startUpWithoutWindows() {
    TraceChannel::instance().Enabled = false;
    bindReportMessages();
    QCoreApplication::setApplicationName(QString::fromLatin1(ApplicationTitle));
    RunningProgram program;
    program.server = std::make_unique<PrintServer>(QCoreApplication::applicationDirPath());
    program.server->launched();
    addDataModule(program, *program.server);
    return program;
}

int runService() {
    // Boxes are written to the log from the start, also those of reading the settings, before the print
    // server (and its log) exist.
    OperationLog::setEcho(writeToStandardOutput);
    OperationLog boxLog(QCoreApplication::applicationDirPath() + QStringLiteral("/Logs/"));
    ServiceMessageService messages;
    messages.setLogWriter([&boxLog](const QString& line) { boxLog.write(line); });
    MessageService::setCurrent(&messages);

    int code = 1;
    try {
        const RunningProgram program = startUpWithoutWindows();
        PrintingService service(*program.server, PrintingService::restartDelayFromEnvironment());
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
    std::unique_ptr<QGuiApplication> app;
    if (ProgramOptions::asksForService(argc, argv)) {
        app = std::make_unique<VeloriaServiceApplication>(argc, argv);
    } else {
        app = std::make_unique<VeloriaApplication>(argc, argv);
    }
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
    WidgetMessageService boxes;
    MessageService::setCurrent(&boxes);
    const RunningProgram program = startUp();
    program.mainForm->show();
    const int code = QApplication::exec();
    MessageService::setCurrent(nullptr);
    return code;
}
