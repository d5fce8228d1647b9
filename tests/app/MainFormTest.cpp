#include "MainForm.h"

#include "QtGTestPrinters.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

class MainFormWindow : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("Logs")));
        form = std::make_unique<TMainForm>(dir.path());
    }

    template <typename T> T* find(const char* name) {
        T* found = form->findChild<T*>(QString::fromLatin1(name));
        EXPECT_TRUE(found) << name;
        return found;
    }

    QTemporaryDir dir;
    std::unique_ptr<TMainForm> form;
};

TEST_F(MainFormWindow, ComponentsCaptionsAndInitialStates) {
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Veloria Restaurant Management System - Printing Server "));
    struct Button {
        const char* name;
        const char* caption;
        int width;
        bool enabled;
    } const buttons[] = {{"btn_StartPrintingServer", "Start Printing Server", 185, true},
                         {"btn_StopPrintingServer", "Stop Printing Server", 185, false},
                         {"btn_Exit", "Exit", 101, true}};
    for (const Button& b : buttons) {
        auto* button = find<QPushButton>(b.name);
        ASSERT_TRUE(button);
        EXPECT_EQ(button->text(), QString::fromLatin1(b.caption));
        EXPECT_EQ(button->size(), QSize(b.width, 41)) << b.name;
        EXPECT_EQ(button->isEnabled(), b.enabled) << b.name;
        EXPECT_EQ(button->parentWidget()->objectName(), QStringLiteral("pnl_Status"));
    }
    auto* bar = find<QProgressBar>("ProgressBar1");
    ASSERT_TRUE(bar);
    EXPECT_EQ(bar->minimum(), 0);
    EXPECT_EQ(bar->maximum(), 5);
    EXPECT_EQ(bar->value(), 0);
    EXPECT_EQ(bar->parentWidget()->objectName(), QStringLiteral("Panel1"));
    auto* memo = find<QPlainTextEdit>("Memo1");
    ASSERT_TRUE(memo);
    EXPECT_TRUE(memo->isReadOnly());
    auto* timer = find<QTimer>("Timer_Printing");
    ASSERT_TRUE(timer);
    EXPECT_FALSE(timer->isActive());
    EXPECT_EQ(timer->interval(), 1000);
    EXPECT_EQ(form->server().SecondsToFirePrintingTimer, 6);
}

TEST_F(MainFormWindow, MenuItemsAndCaptions) {
    struct Item {
        const char* menu;
        const char* menuCaption;
        const char* item;
        const char* caption;
    } const items[] = {{"Menu_File", "File", "Menu_Exit", "Exit"},
                       {"Menu_Settings", "Settings", "Menu_KitchenStationsPrinters", "Stations / Printers"},
                       {"Menu_Settings", "Settings", "Menu_DispatchingPackaging", "Dispatching / Packaging"},
                       {"Help1", "Help", "Menu_About", "About"}};
    auto* bar = find<QMenuBar>("MainMenu1");
    ASSERT_TRUE(bar);
    QStringList titles;
    for (QAction* a : bar->actions()) {
        titles << a->text();
    }
    EXPECT_EQ(titles, QStringList({"File", "Settings", "Help"}));
    for (const Item& i : items) {
        auto* menu = find<QMenu>(i.menu);
        auto* action = find<QAction>(i.item);
        ASSERT_TRUE(menu && action);
        EXPECT_EQ(menu->title(), QString::fromLatin1(i.menuCaption));
        EXPECT_EQ(action->text(), QString::fromLatin1(i.caption));
        EXPECT_TRUE(menu->actions().contains(action)) << i.item;
    }
}

TEST_F(MainFormWindow, CreationWritesTheFirstLineAndFixesThePaths) {
    const QString folder = dir.path() + QLatin1Char('/');
    EXPECT_EQ(form->server().Report_Path, folder + QStringLiteral("Reports/en/"));
    EXPECT_EQ(form->server().LogFile_Path, folder + QStringLiteral("Logs/"));
    const QStringList lines = form->Memo1->toPlainText().split(QLatin1Char('\n'));
    ASSERT_EQ(lines.size(), 1);
    EXPECT_TRUE(lines[0].endsWith(QStringLiteral(" - Printing Server Launched")));
    QFile log(dir.filePath(QStringLiteral("Logs/Printing_Server_Log.txt")));
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    EXPECT_EQ(log.readAll(), lines[0].toUtf8() + "\r\n");
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("Reports"))));
}

TEST_F(MainFormWindow, ExitClosesTheWindow) {
    form->show();
    ASSERT_TRUE(form->isVisible());
    form->btn_Exit->click();
    EXPECT_FALSE(form->isVisible());
    form->show();
    form->Menu_Exit->trigger();
    EXPECT_FALSE(form->isVisible());
}

// Without a Logs folder (a fresh install, a copy of the program's folder) the log makes it: the first line
// is in the file and in the window, with no error after it.
TEST(MainFormWithoutLogs, TheLogFolderIsMadeAndTakesTheFirstLine) {
    QTemporaryDir dir;
    TMainForm form(dir.path());
    const QStringList lines = form.Memo1->toPlainText().split(QLatin1Char('\n'));
    ASSERT_EQ(lines.size(), 1);
    EXPECT_TRUE(lines[0].endsWith(QStringLiteral(" - Printing Server Launched")));
    QFile log(dir.filePath(QStringLiteral("Logs/Printing_Server_Log.txt")));
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    EXPECT_EQ(log.readAll(), lines[0].toUtf8() + "\r\n");
}

} // namespace
