#include "MainForm.h"
#include "ModalDriver.h"
#include "SettingsWindowsFixture.h"

#include <QAction>
#include <QDialog>
#include <QDir>
#include <QPointer>
#include <QTemporaryDir>

// The main window's Settings menu opens the settings windows.
namespace {

class SettingsMenu : public SettingsWindowsFixture {};

TEST_F(SettingsMenu, EachItemOpensANewModalWindowOverTheMainWindowAndDestroysItOnClose) {
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("Logs")));
    TMainForm main(dir.path());
    main.setDataModule(&dataModule);
    // The print server's timer goes on while a settings window is open.
    main.Timer_Printing->start();
    struct Item {
        QAction* action;
        const char* window;
        const char* caption;
        QSize size;
    } const items[] = {
        {main.Menu_KitchenStationsPrinters, "StationsMgtForm", "Kitchen Stations / Printers", {563, 246}},
        {main.Menu_DispatchingPackaging,
         "DispatchingPrinterSettingsForm",
         "Dispatching Printer Settings",
         {417, 324}},
    };
    for (const Item& item : items) {
        SCOPED_TRACE(item.window);
        for (int opening = 0; opening < 2; ++opening) {
            QPointer<QDialog> opened;
            bool seen = false;
            whenModal<QDialog>([&](QDialog* window) {
                opened = window;
                seen = true;
                EXPECT_EQ(window->objectName(), QString::fromLatin1(item.window));
                EXPECT_EQ(window->windowTitle(), QString::fromLatin1(item.caption));
                EXPECT_EQ(window->size(), item.size);
                EXPECT_EQ(window->parentWidget(), &main);
                EXPECT_EQ(window->font().pixelSize(), 13);
                EXPECT_TRUE(main.Timer_Printing->isActive());
                window->close();
            });
            item.action->trigger();
            ASSERT_TRUE(seen);
            EXPECT_TRUE(opened.isNull()) << "destroyed when closed";
            EXPECT_EQ(main.findChildren<QDialog*>().size(), 0);
        }
    }
    main.Timer_Printing->stop();
    EXPECT_TRUE(messages.shown.empty());
}

} // namespace
