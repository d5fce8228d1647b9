#include "CapturingMessageService.h"
#include "CapturingUrlOpener.h"
#include "DataModule1.h"
#include "MainForm.h"
#include "QtGTestPrinters.h"
#include "SoapTestServer.h"

#include <QDir>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

const QString DownloadsPage = QStringLiteral("https://corvane.example/downloads/printing-server");

// A main window with its data module asking the loopback stand-in of the application web service.
class UpdateQuestion : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("Logs")));
        module.UpdateService.serviceUrl = server.url().toString();
        module.UpdateService.downloadsUrl = DownloadsPage;
        form = std::make_unique<TMainForm>(folder.path());
        form->setDataModule(&module);
    }

    // Shows the main window and lets its FormShow run to the end.
    void showMainWindow() {
        const size_t requests = server.requests.size();
        const size_t boxes = messages.shown.size();
        form->show();
        // FormShow waits for the answer inside its own loop, so once either is seen it has run to the end.
        ASSERT_TRUE(QTest::qWaitFor(
            [&] { return server.requests.size() > requests || messages.shown.size() > boxes; }, 10000));
    }

    void expectStillRunning() {
        EXPECT_TRUE(form->isVisible());
        EXPECT_TRUE(form->btn_StartPrintingServer->isEnabled());
        EXPECT_TRUE(opener.opened.empty());
    }

    CapturingMessageService messages;
    CapturingUrlOpener opener;
    SoapTestServer server;
    QTemporaryDir folder;
    TDataModule1 module;
    std::unique_ptr<TMainForm> form;
};

} // namespace

TEST_F(UpdateQuestion, CurrentVersionShowsNothing) {
    server.answerVersion(QStringLiteral("OK"), QStringLiteral("Version 9.9 exists, but OK is OK"));
    showMainWindow();
    EXPECT_EQ(server.requests.size(), 1u);
    EXPECT_TRUE(messages.shown.empty());
    expectStillRunning();
}

TEST_F(UpdateQuestion, AnyOtherCodeAsksAndCancelKeepsTheProgramRunning) {
    for (const char* code : {"ok", " OK", "Old"}) {
        server.answerVersion(QString::fromLatin1(code), QStringLiteral("Version 2.1.0.5 is available."));
        messages.shown.clear();
        messages.queueAnswer(MbCancel);
        form->hide();
        showMainWindow();
        ASSERT_EQ(messages.shown.size(), 1u) << code;
        const MessageRequest& question = messages.shown.front();
        EXPECT_EQ(question.caption, QStringLiteral("Confirm"));
        EXPECT_EQ(question.text,
                  QString::fromLatin1(code) + QStringLiteral("\r\nVersion 2.1.0.5 is available."));
        EXPECT_EQ(question.icon, MessageIcon::Question);
        EXPECT_EQ(question.buttons, MbOk | MbCancel);
        expectStillRunning();
    }
}

TEST_F(UpdateQuestion, OkOpensTheDownloadsPageAndEndsWithoutStop) {
    server.answerVersion(QStringLiteral("Old"), QStringLiteral("Please update."));
    messages.queueAnswer(MbOk);
    showMainWindow();
    ASSERT_EQ(messages.shown.size(), 1u);
    ASSERT_EQ(opener.opened.size(), 1u);
    EXPECT_EQ(opener.opened.front(), QUrl(DownloadsPage));
    EXPECT_FALSE(form->isVisible()) << "the main window is closed";
    const QString log = form->Memo1->toPlainText();
    EXPECT_TRUE(log.endsWith(QStringLiteral(" - Printing Server Launched"))) << log.toStdString();
    EXPECT_FALSE(log.contains(QStringLiteral("Stop"))) << log.toStdString();
    EXPECT_FALSE(log.contains(QStringLiteral("Disconnect"))) << log.toStdString();
}

TEST_F(UpdateQuestion, ServiceDownShowsTheStandardErrorBoxAndTheWindowStaysUsable) {
    QTcpServer probe;
    ASSERT_TRUE(probe.listen(QHostAddress::LocalHost, 0));
    module.UpdateService.serviceUrl =
        QStringLiteral("http://127.0.0.1:%1/AppService.asmx").arg(probe.serverPort());
    probe.close();
    showMainWindow();
    ASSERT_EQ(messages.shown.size(), 1u);
    const MessageRequest& box = messages.shown.front();
    EXPECT_EQ(box.caption, QStringLiteral("Printing Server"));
    EXPECT_EQ(box.icon, MessageIcon::Error);
    EXPECT_EQ(box.buttons, MbOk);
    EXPECT_TRUE(box.text.contains(QStringLiteral("cannot be reached"))) << box.text.toStdString();
    expectStillRunning();
    form->Menu_ExitClick(); // the window still answers its own commands
    EXPECT_FALSE(form->isVisible());
}

TEST_F(UpdateQuestion, DownloadsPageThatCannotBeOpenedKeepsTheProgramRunning) {
    // Ending the program without the page would leave the user with neither the page nor the program.
    server.answerVersion(QStringLiteral("Old"), QStringLiteral("Please update."));
    opener.succeeds = false;
    messages.queueAnswer(MbOk);
    showMainWindow();
    ASSERT_EQ(messages.shown.size(), 2u);
    EXPECT_EQ(messages.shown[1].icon, MessageIcon::Error);
    EXPECT_TRUE(messages.shown[1].text.contains(DownloadsPage)) << messages.shown[1].text.toStdString();
    EXPECT_TRUE(form->isVisible());
}

TEST_F(UpdateQuestion, NoServiceAddressAsksNothing) {
    module.UpdateService.serviceUrl.clear();
    form->show();
    QCoreApplication::processEvents();
    EXPECT_TRUE(server.requests.empty());
    EXPECT_TRUE(messages.shown.empty());
    expectStillRunning();
}
