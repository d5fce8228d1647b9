#include "AboutForm.h"
#include "CapturingMessageService.h"
#include "DataModule1.h"
#include "FileVersion.h"
#include "MainForm.h"
#include "ProgramFileDate.h"
#include "QtGTestPrinters.h"
#include "SplashForm.h"
#include "StartUp.h"

#include <QApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

namespace {

const QString InitialVersion = QStringLiteral("Version 3.5.3.43");
const QString InitialDate = QStringLiteral("Last Updated on the 14th of Aug 2017");

QString ownDateLabel() {
    return QStringLiteral("Last updated on ") + programFileDateText(QCoreApplication::applicationFilePath());
}

void expectIdentity(const ProductLabels& labels) {
    EXPECT_EQ(labels.lbl_ProductName->text(), QStringLiteral("Veloria Restaurant Management System"));
    EXPECT_EQ(labels.Label2->text(), QStringLiteral("Printing Server Module"));
    EXPECT_EQ(labels.Label1->text(), QStringLiteral("On Premises Edition"));
    for (QLabel* label :
         {labels.lbl_ProductName, labels.Label2, labels.Label1, labels.lbl_Version, labels.lbl_LastUpdated}) {
        EXPECT_TRUE(label->font().bold()) << label->objectName().toStdString();
        EXPECT_EQ(label->x(), 16) << label->objectName().toStdString();
    }
    EXPECT_EQ(labels.lbl_Version->y(), 93);
    EXPECT_EQ(labels.lbl_LastUpdated->y(), 115);
}

// Runs `inside` on the About window once its modal loop runs, then presses its Close button.
int openAboutAndClose(const std::function<void()>& open, const std::function<void(TAboutForm&)>& inside) {
    int seen = 0;
    QTimer::singleShot(0, [&] {
        auto* about = qobject_cast<TAboutForm*>(QApplication::activeModalWidget());
        if (about == nullptr) {
            ADD_FAILURE() << "no modal About window";
            return;
        }
        ++seen;
        // The labels are set when the window becomes active, as the window system reports it.
        EXPECT_TRUE(QTest::qWaitFor([about] { return about->isActiveWindow(); }, 5000));
        inside(*about);
        about->Button1->click();
    });
    open();
    return seen;
}

} // namespace

TEST(SplashForm, ShowsTheProductAndTheProgramFile) {
    CapturingMessageService messages;
    TSplashForm splash;
    EXPECT_TRUE(messages.shown.empty());
    expectIdentity(splash.labels);
    EXPECT_EQ(splash.labels.lbl_Version->text(), QStringLiteral("Version ") + ownFileVersionText());
    EXPECT_EQ(splash.labels.lbl_Version->text(), QStringLiteral("Version " VELORIA_EXPECTED_FILE_VERSION));
    EXPECT_EQ(splash.labels.lbl_LastUpdated->text(), ownDateLabel());
    EXPECT_EQ(splash.size(), QSize(538, 199));
    EXPECT_TRUE(splash.windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_EQ(splash.Image1->size(), QSize(80, 80));
    EXPECT_EQ(splash.Image1->pixmap().size(), QSize(80, 80));
    EXPECT_TRUE(splash.Image1->pixmap().hasAlphaChannel());
    EXPECT_EQ(splash.ProgressBar1->size(), QSize(80, 17));
    EXPECT_EQ(splash.ProgressBar1->maximum(), 100);
}

TEST(AboutForm, OpensFromHelpAboutAndClosesWithClose) {
    CapturingMessageService messages;
    QTemporaryDir folder;
    TMainForm mainForm(folder.path());
    int result = -1;
    const int opened = openAboutAndClose(
        [&] {
            mainForm.Menu_AboutClick();
            result = 0;
        },
        [&](TAboutForm& about) {
            EXPECT_EQ(about.windowTitle(), QStringLiteral("About"));
            EXPECT_EQ(about.size(), QSize(583, 282));
            expectIdentity(about.labels);
            EXPECT_EQ(about.labels.lbl_Version->text(), QStringLiteral("Version ") + ownFileVersionText());
            EXPECT_EQ(about.labels.lbl_LastUpdated->text(), ownDateLabel());
            EXPECT_EQ(about.ProgramIcon->pixmap().size(), QSize(80, 80));
            EXPECT_EQ(about.Button1->text(), QStringLiteral("Close"));
            EXPECT_TRUE(about.Memo1->isReadOnly());
            EXPECT_FALSE(about.Memo1->toPlainText().isEmpty());
            EXPECT_EQ(about.Memo1->geometry(), QRect(16, 181, 433, 76));
        });
    EXPECT_EQ(opened, 1);
    EXPECT_EQ(result, 0) << "Menu_AboutClick returned";
    EXPECT_TRUE(mainForm.findChildren<TAboutForm*>().isEmpty()) << "the window is destroyed after use";
    EXPECT_TRUE(messages.shown.empty());

    // A new window every time.
    int closeResult = -1;
    openAboutAndClose([&] { mainForm.Menu_AboutClick(); },
                      [&](TAboutForm& about) {
                          QObject::connect(&about, &QDialog::finished, [&](int code) { closeResult = code; });
                      });
    EXPECT_EQ(closeResult, TAboutForm::ModalResultClose);
    EXPECT_TRUE(mainForm.findChildren<TAboutForm*>().isEmpty());
}

TEST(SplashAndAbout, LabelFailuresGoToTheStandardErrorBoxAndKeepTheInitialCaptions) {
    QTemporaryDir dir;
    const QString noRecord = dir.filePath(QStringLiteral("not-a-program"));
    {
        QFile file(noRecord);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("plain text, no version record here\n");
    }
    struct Case {
        const char* what;
        QString programFile;
        bool dateSet; // the date comes first: it is set before the version fails
        const char* reason;
    } cases[] = {
        {"missing program file", dir.filePath(QStringLiteral("absent")), false, "Cannot read the date"},
        {"no version record", noRecord, true, "it is not an executable file"},
    };
    for (const Case& c : cases) {
        const auto check = [&](const ProductLabels& labels, CapturingMessageService& messages) {
            ASSERT_EQ(messages.shown.size(), 1u) << c.what;
            const MessageRequest& box = messages.shown.front();
            EXPECT_EQ(box.caption, QStringLiteral("Printing Server"));
            EXPECT_EQ(box.icon, MessageIcon::Error);
            EXPECT_EQ(box.buttons, MbOk);
            EXPECT_TRUE(box.text.contains(QString::fromLatin1(c.reason))) << box.text.toStdString();
            EXPECT_EQ(labels.lbl_Version->text(), InitialVersion) << c.what;
            if (c.dateSet) {
                EXPECT_TRUE(labels.lbl_LastUpdated->text().startsWith(QStringLiteral("Last updated on ")));
            } else {
                EXPECT_EQ(labels.lbl_LastUpdated->text(), InitialDate) << c.what;
            }
        };
        {
            CapturingMessageService messages;
            TSplashForm splash(c.programFile);
            check(splash.labels, messages);
        }
        {
            CapturingMessageService messages;
            TAboutForm about(nullptr, c.programFile);
            const int opened = openAboutAndClose([&] { about.exec(); },
                                                 [&](TAboutForm& shown) {
                                                     check(shown.labels, messages);
                                                     // The box hands the activation back when it closes.
                                                     QEvent activation(QEvent::ActivationChange);
                                                     QApplication::sendEvent(&shown, &activation);
                                                     EXPECT_EQ(messages.shown.size(), 1u) << "one box only";
                                                 });
            EXPECT_EQ(opened, 1) << "the window is shown all the same";
        }
    }
}

TEST(StartUp, SplashAdvancesAroundTheMainWindowAndTheDataModule) {
    CapturingMessageService messages;
    struct Step {
        int percent;
        bool mainWindowExists;
        bool splashVisible;
    };
    std::vector<Step> steps;
    const auto mainWindowExists = [] {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (qobject_cast<TMainForm*>(w) != nullptr) {
                return true;
            }
        }
        return false;
    };
    RunningProgram program = startUp([&](TSplashForm& splash) {
        EXPECT_TRUE(splash.isVisible());
        EXPECT_EQ(splash.labels.lbl_Version->text(), QStringLiteral("Version ") + ownFileVersionText());
        QObject::connect(splash.ProgressBar1, &QProgressBar::valueChanged, [&, bar = &splash](int value) {
            steps.push_back({value, mainWindowExists(), bar->isVisible()});
        });
    });
    ASSERT_EQ(steps.size(), 3u);
    EXPECT_EQ(steps[0].percent, 40);
    EXPECT_FALSE(steps[0].mainWindowExists);
    EXPECT_EQ(steps[1].percent, 60);
    EXPECT_TRUE(steps[1].mainWindowExists);
    EXPECT_EQ(steps[2].percent, 100);
    for (const Step& s : steps) {
        EXPECT_TRUE(s.splashVisible);
    }
    ASSERT_NE(program.mainForm, nullptr);
    ASSERT_NE(program.dataModule, nullptr);
    EXPECT_FALSE(program.mainForm->isVisible()) << "the message loop shows the main window";
    for (QWidget* w : QApplication::topLevelWidgets()) {
        EXPECT_EQ(qobject_cast<TSplashForm*>(w), nullptr) << "the splash window is destroyed before the loop";
    }
    EXPECT_TRUE(messages.shown.empty());
}
