#include "AboutForm.h"
#include "CapturingMessageService.h"
#include "DataModule1.h"
#include "MainForm.h"
#include "ModalDriver.h"
#include "OperatorLog.h"
#include "PrintServerLifecycle.h"
#include "TestDatabase.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>
#include <optional>
#include <stdexcept>

namespace {

class MainFormPrintServerTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(QDir(program.path()).mkpath(QStringLiteral("Logs")));
        form.emplace(program.path());
        data.Customer_ID = data.Restaurant_ID = data.Outlet_ID = QStringLiteral("1");
        useConnectionString(db.connectionString());
        form->setDataModule(&data);
    }

    void useConnectionString(const QString& text) {
        data.ConnectionStr = text;
        data.ADOConnection1.setConnectionString(text);
    }

    QTemporaryDir program;
    TestDatabase db;
    TDataModule1 data;
    std::optional<TMainForm> form;
};

} // namespace

TEST_F(MainFormPrintServerTest, StartTicksAndStopThroughTheWindow) {
    db.exec(QStringLiteral("INSERT INTO POSGeneralSettings VALUES (1, 1, 1, 'Kitchen', 1, 'Pass');"));
    int cycles = 0;
    form->printServer().setCycleBatches([&] { ++cycles; }, {});

    form->btn_StartPrintingServer->click();
    EXPECT_EQ(memoMessages(*form),
              (QStringList{"Trying to Start Printing Server", "Trying to Connect to DB Server",
                           "Connection to DB Server is Successful", "Trying to Read Settings Record",
                           "Reading Settings Done Successfully",
                           "Timer Enabled. Checking for new orders every >5< seconds"}));
    EXPECT_FALSE(form->btn_StartPrintingServer->isEnabled());
    EXPECT_TRUE(form->btn_StopPrintingServer->isEnabled());
    EXPECT_TRUE(form->Timer_Printing->isActive());
    EXPECT_EQ(form->Timer_Printing->interval(), 1000);
    EXPECT_EQ(form->ProgressBar1->value(), 0);
    EXPECT_TRUE(form->server().Use_Packaging_Printer);
    EXPECT_EQ(form->server().Packaging_Printer_Name, QStringLiteral("Pass"));

    for (int tick = 1; tick <= 5; ++tick) {
        form->Timer_PrintingTimer();
        EXPECT_EQ(form->ProgressBar1->value(), tick);
    }
    EXPECT_EQ(cycles, 0);
    form->Timer_PrintingTimer();
    EXPECT_EQ(cycles, 1);
    EXPECT_EQ(form->server().ElapsedSeconds, 0);
    EXPECT_EQ(form->ProgressBar1->value(), 0);
    EXPECT_TRUE(form->Timer_Printing->isActive());

    form->Timer_PrintingTimer();
    form->Timer_PrintingTimer();
    form->btn_StopPrintingServer->click();
    EXPECT_EQ(memoMessages(*form).mid(6), StopLines);
    EXPECT_TRUE(form->btn_StartPrintingServer->isEnabled());
    EXPECT_FALSE(form->btn_StopPrintingServer->isEnabled());
    EXPECT_FALSE(form->Timer_Printing->isActive());
    EXPECT_EQ(form->ProgressBar1->value(), 0);
    EXPECT_FALSE(data.ADOConnection1.isOpen());

    // The log file holds the same lines, CR LF ended.
    QFile file(program.filePath(QStringLiteral("Logs/Printing_Server_Log.txt")));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString content = QString::fromUtf8(file.readAll());
    EXPECT_TRUE(
        content.contains(QStringLiteral(" - Timer Enabled. Checking for new orders every >5< seconds\r\n")));
    EXPECT_TRUE(content.endsWith(QStringLiteral(" - Ready To Start Again\r\n")));
}

// An error inside a handler is shown in the standard error box by the handler itself; nothing leaves it
// towards the toolkit that called it.
TEST_F(MainFormPrintServerTest, HandlerErrorsAreShownWithoutLeavingTheHandler) {
    CapturingMessageService boxes;
    db.exec(QStringLiteral("DROP TABLE POSGeneralSettings;"));
    EXPECT_NO_THROW(form->btn_StartPrintingServer->click());
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].caption, QStringLiteral("Printing Server"));
    EXPECT_EQ(boxes.shown[0].icon, MessageIcon::Error);
    EXPECT_EQ(boxes.shown[0].buttons, MbOk);
    EXPECT_TRUE(boxes.shown[0].text.contains(QStringLiteral("POSGeneralSettings")))
        << boxes.shown[0].text.toStdString();

    // A cycle that fails on the timer's sixth tick.
    form->printServer().setCycleBatches([] { throw std::runtime_error("Cycle failed"); }, {});
    for (int tick = 1; tick <= 6; ++tick) {
        EXPECT_NO_THROW(form->Timer_PrintingTimer());
    }
    ASSERT_EQ(boxes.shown.size(), 2u);
    EXPECT_EQ(boxes.shown[1].text, QStringLiteral("Cycle failed."));
}

TEST_F(MainFormPrintServerTest, ScreenOnlyOutletDoesNotStart) {
    db.exec(QStringLiteral("INSERT INTO POSGeneralSettings VALUES (1, 1, 1, 'ScreenOnly', 1, 'Pass');"));
    form->btn_StartPrintingServer->click();
    EXPECT_EQ(memoMessages(*form).mid(4),
              (QStringList{"Reading Settings Done Successfully",
                           "Printing Options is >Screen Only<, No Need for Print Server!",
                           "Database Disconnected"}));
    EXPECT_TRUE(form->btn_StartPrintingServer->isEnabled());
    EXPECT_FALSE(form->btn_StopPrintingServer->isEnabled());
    EXPECT_FALSE(form->Timer_Printing->isActive());
}

// The real FreeTDS driver against a loopback port where nothing listens.
TEST_F(MainFormPrintServerTest, UnreachableServerIsLoggedAndThePointerRestored) {
    quint16 port = 1;
    {
        QTcpServer probe;
        if (probe.listen(QHostAddress::LocalHost, 0)) {
            port = probe.serverPort();
        }
    }
    qunsetenv("VELORIA_ODBC_DRIVER");
    useConnectionString(
        composeConnectionString(QStringLiteral("pw"), QStringLiteral("pos"), QStringLiteral("Restaurant"),
                                QStringLiteral("127.0.0.1,%1").arg(port), QStringLiteral("TILL1")));
    // The pointer while the failure is logged, and after.
    std::optional<Qt::CursorShape> pointerWhileLogging;
    QObject::connect(form->Memo1, &QPlainTextEdit::textChanged, form->Memo1, [&] {
        if (form->Memo1->toPlainText().contains(QStringLiteral("Connection Error")) && !pointerWhileLogging) {
            const QCursor* c = QApplication::overrideCursor();
            pointerWhileLogging = c ? c->shape() : Qt::ArrowCursor;
        }
    });

    form->btn_StartPrintingServer->click();
    const QStringList lines = memoMessages(*form);
    ASSERT_EQ(lines.size(), 5) << lines.join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(lines[0], QStringLiteral("Trying to Start Printing Server"));
    EXPECT_EQ(lines[1], QStringLiteral("Trying to Connect to DB Server"));
    EXPECT_EQ(lines[2], QStringLiteral("General Database Connection Error "));
    EXPECT_TRUE(lines[3].contains(QStringLiteral("Unable to connect"))) << lines[3].toStdString();
    EXPECT_EQ(lines[4], QStringLiteral("Could Not Start Printing Server"));
    EXPECT_EQ(pointerWhileLogging, Qt::BusyCursor);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_TRUE(form->btn_StartPrintingServer->isEnabled());
    EXPECT_FALSE(form->btn_StopPrintingServer->isEnabled());
    EXPECT_FALSE(data.ADOConnection1.isOpen());
}

TEST_F(MainFormPrintServerTest, ExitRunsStopFirstEvenWhenStopped) {
    form->show();
    form->Menu_Exit->trigger();
    EXPECT_EQ(memoMessages(*form).mid(1), StopLines);
    EXPECT_FALSE(form->isVisible());

    form.emplace(program.path());
    form->setDataModule(&data);
    form->show();
    form->btn_Exit->click();
    EXPECT_EQ(memoMessages(*form).mid(1), StopLines);
    EXPECT_FALSE(form->isVisible());
}

// Exit chosen while a cycle prints (a handler run from inside the printing): Stop runs at once, the window
// stays until the cycle has ended, then closes; the cycle switches no timer back on.
TEST_F(MainFormPrintServerTest, ExitDuringACycleClosesTheWindowWhenTheCycleEnds) {
    db.exec(QStringLiteral("INSERT INTO POSGeneralSettings VALUES (1, 1, 1, 'Kitchen', 0, NULL);"));
    bool visibleInCycle = false;
    form->printServer().setCycleBatches(
        [&] {
            form->btn_ExitClick();
            visibleInCycle = form->isVisible();
        },
        {});
    form->show();
    form->btn_StartPrintingServerClick();
    for (int tick = 0; tick < 6; ++tick) {
        form->Timer_PrintingTimer();
    }
    EXPECT_TRUE(visibleInCycle) << "closed under the running cycle";
    EXPECT_FALSE(form->isVisible());
    EXPECT_FALSE(form->Timer_Printing->isActive());
    EXPECT_TRUE(memoMessages(*form).endsWith(StopLines.last()));
}

// Printing lets the windows handle events between pages. A menu item chosen then opens its window only
// when the cycle has ended (its order committed), and a click elsewhere reaches its button then too; Stop
// acts at once.
TEST_F(MainFormPrintServerTest, WhatIsChosenDuringACycleTakesEffectWhenTheCycleHasEnded) {
    db.exec(QStringLiteral("INSERT INTO POSGeneralSettings VALUES (1, 1, 1, 'Kitchen', 0, NULL);"));
    QPushButton elsewhere(QStringLiteral("Elsewhere"));
    elsewhere.show();
    int clicks = 0;
    QObject::connect(&elsewhere, &QPushButton::clicked, [&] { ++clicks; });
    int clicksInCycle = -1;
    bool stoppedInCycle = false;
    bool batchDone = false;
    form->printServer().setCycleBatches(
        [&] {
            form->Menu_About->trigger();
            QTest::mouseClick(&elsewhere, Qt::LeftButton);
            QTest::mouseClick(form->btn_StopPrintingServer, Qt::LeftButton);
            clicksInCycle = clicks;
            stoppedInCycle = memoMessages(*form).endsWith(StopLines.last());
            batchDone = true;
        },
        {});
    bool opened = false;
    bool openedInCycle = true;
    whenModal<TAboutForm>([&](TAboutForm* about) {
        opened = true;
        openedInCycle = form->printServer().inCycle() || !batchDone;
        about->reject();
    });
    const ModalWatchdog watchdog;
    form->show();
    form->btn_StartPrintingServerClick();
    for (int tick = 0; tick < 6; ++tick) {
        form->Timer_PrintingTimer();
    }
    EXPECT_TRUE(batchDone);
    EXPECT_FALSE(opened) << "opened inside the cycle";
    QTRY_VERIFY_WITH_TIMEOUT(opened && clicks == 1, 10000);
    EXPECT_FALSE(openedInCycle);
    EXPECT_EQ(clicksInCycle, 0);
    EXPECT_TRUE(stoppedInCycle);
    EXPECT_FALSE(form->Timer_Printing->isActive());
}
