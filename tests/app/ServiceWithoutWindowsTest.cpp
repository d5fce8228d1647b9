#include "DispatchTestBed.h"
#include "FolderPrinters.h"
#include "PrintServer.h"
#include "PrintingService.h"
#include "ServiceProcess.h"
#include "StartUp.h"
#include "VeloriaApplication.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

using namespace std::chrono_literals;

// The service's start-up and a cycle that prints, under the service's own application object: it has no
// widgets, so a window made anywhere on the way (even one kept hidden) would end this program at once.
TEST(ServiceWithoutWindows, StartsAndPrintsWithoutMakingAWindow) {
    ASSERT_EQ(qobject_cast<QApplication*>(QCoreApplication::instance()), nullptr);
    FolderPrinters printers({QStringLiteral("Kitchen"), QStringLiteral("Grill")});
    DispatchTestBed bed;
    const qint64 grill = bed.station(QStringLiteral("Grill"));
    const qint64 burger = bed.item(QStringLiteral("Beef Burger"), {}, grill);
    bed.queue(bed.order(1042, {{burger, 2, {}}}));
    QTemporaryDir settings;
    writeSettingsFile(settings.filePath(QStringLiteral("settings.reg")), bed.db.filePath());
    qputenv("VELORIA_SETTINGS", settings.filePath(QStringLiteral("settings.reg")).toUtf8());

    const RunningProgram program = startUpWithoutWindows();
    EXPECT_EQ(program.mainForm, nullptr);
    ASSERT_NE(program.server, nullptr);
    program.server->timer().setInterval(1);
    PrintingService service(*program.server, 20ms);
    QTimer printed;
    QObject::connect(&printed, &QTimer::timeout, [&] {
        if (printers.count(QStringLiteral("Grill")) == 1 && bed.queued() == 0) {
            service.terminate();
        }
    });
    printed.start(5);
    QTimer hung;
    hung.setSingleShot(true);
    QObject::connect(&hung, &QTimer::timeout, [] { QCoreApplication::exit(99); });
    hung.start(20s);

    ASSERT_EQ(service.start(), PrintingService::Outcome::Running);
    EXPECT_EQ(QCoreApplication::exec(), 0);
    EXPECT_EQ(printers.count(QStringLiteral("Grill")), 1);
    EXPECT_EQ(bed.queued(), 0);
    EXPECT_FALSE(program.server->timer().isActive());
}

} // namespace

int main(int argc, char** argv) {
    VeloriaServiceApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
