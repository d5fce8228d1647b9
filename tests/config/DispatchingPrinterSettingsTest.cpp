#include "ChooseStationForm.h"
#include "DbCommand.h"
#include "DbQuery.h"
#include "DispatchingPrinterSettingsForm.h"
#include "ModalDriver.h"
#include "ModalResult.h"
#include "PdfFolderSpooler.h"
#include "SettingsWindowsFixture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDeadlineTimer>
#include <QHash>
#include <QPointer>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <memory>

// The dispatching printer settings window and the choose-station dialog against a real embedded database
// and folder printers.
namespace {

template <typename Ready> bool waitUntil(Ready ready) {
    QDeadlineTimer deadline(2000);
    while (!ready() && !deadline.hasExpired()) {
        QApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return ready();
}

// Gives the activation back to the window that had it when another window of the program was shown, once
// that one hides, as a desktop's window manager does (the headless platform leaves no window active).
class WindowManagerStandIn final : public QObject {
public:
    WindowManagerStandIn() { QApplication::instance()->installEventFilter(this); }
    ~WindowManagerStandIn() override { QApplication::instance()->removeEventFilter(this); }

    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* window = qobject_cast<QWidget*>(watched);
        if (window == nullptr || !window->isWindow()) {
            return false;
        }
        if (event->type() == QEvent::Show) {
            under_.insert(window, QApplication::activeWindow());
        } else if (event->type() == QEvent::Hide) {
            const QPointer<QWidget> back = under_.take(window);
            if (back && back != window && back->isVisible()) {
                back->activateWindow();
            }
        }
        return false;
    }

private:
    QHash<QWidget*, QPointer<QWidget>> under_;
};

// Message boxes that are windows: each takes the activation while it is shown, and the window manager
// gives it back when it closes. Records the texts; after a few boxes it stops showing them, so that a
// window answering every box with another one cannot hang the test.
class ActivatingMessageService final : public MessageService {
public:
    ActivatingMessageService() : previous_(&MessageService::current()) { MessageService::setCurrent(this); }
    ~ActivatingMessageService() override { MessageService::setCurrent(previous_); }

    MessageButton show(const MessageRequest& request) override {
        texts.append(request.text);
        if (texts.size() > 5) {
            return MbOk;
        }
        QDialog box;
        box.setWindowTitle(request.caption);
        box.show();
        box.activateWindow();
        EXPECT_TRUE(waitUntil([&] { return box.isActiveWindow(); })) << "the box did not become active";
        box.hide();
        waitUntil([] {
            return QApplication::activeWindow() != nullptr && QApplication::activeWindow()->isVisible();
        });
        return MbOk;
    }

    QStringList texts;

private:
    WindowManagerStandIn windowManager_;
    MessageService* previous_;
};

class DispatchingSettings : public SettingsWindowsFixture {
protected:
    void SetUp() override {
        SettingsWindowsFixture::SetUp();
        spooler = std::make_unique<PdfFolderSpooler>(dir.path(), QStringList{"Kitchen", "Grill", "Packaging"},
                                                     QStringLiteral("Kitchen"));
        PrintSpooler::setCurrent(spooler.get());
    }
    void TearDown() override {
        PrintSpooler::setCurrent(nullptr);
        SettingsWindowsFixture::TearDown();
    }

    void settingsRow(const QString& use, const QString& printer) {
        db.exec(QStringLiteral("DELETE FROM POSGeneralSettings"));
        db.exec(QStringLiteral("INSERT INTO POSGeneralSettings (Customer_ID, Restaurant_ID, Outlet_ID, "
                               "Use_Packaging_Printer, Packaging_Printer_Name) VALUES (1, 2, 3, %1, %2)")
                    .arg(use, printer));
    }
    void stations(const QString& valuesList) {
        db.exec(QStringLiteral(
                    "INSERT INTO KitchenStations (Customer_ID, Restaurant_ID, Outlet_ID, Station_Name, "
                    "isActive) VALUES ") +
                valuesList);
    }
    void included(const QStringList& names) {
        for (const QString& name : names) {
            db.exec(QStringLiteral("INSERT INTO PrintersInPackaging (Customer_ID, Restaurant_ID, Outlet_ID, "
                                   "Printer_Name) VALUES (1, 2, 3, '%1')")
                        .arg(name));
        }
    }

    // Opens the window as the program does: shown and made the active window, which loads it.
    std::unique_ptr<TDispatchingPrinterSettingsForm> open() {
        auto form = std::make_unique<TDispatchingPrinterSettingsForm>(dataModule);
        form->show();
        activate(*form);
        return form;
    }
    static void activate(QWidget& window) {
        window.activateWindow();
        EXPECT_TRUE(waitUntil([&] { return window.isActiveWindow(); })) << window.objectName().toStdString();
    }

    static QStringList items(const QComboBox& list) {
        QStringList texts;
        for (int i = 0; i < list.count(); ++i) {
            texts.append(list.itemText(i));
        }
        return texts;
    }
    static QStringList gridRows(const TDispatchingPrinterSettingsForm& form) {
        QStringList lines;
        for (int r = 0; r < form.DBGrid1->model()->rowCount(); ++r) {
            lines.append(form.DBGrid1->model()->index(r, 0).data().toString());
        }
        return lines;
    }
    QStringList storedSettings() {
        return rows(
            QStringLiteral("SELECT Use_Packaging_Printer, Packaging_Printer_Name FROM POSGeneralSettings"));
    }
    QStringList includedRows() {
        return rows(QStringLiteral("SELECT Customer_ID, Restaurant_ID, Outlet_ID, Printer_Name "
                                   "FROM PrintersInPackaging ORDER BY Rec_ID"));
    }

    // Answers the next choose-station dialog: what it listed and selected, then Confirm or Close.
    struct Choice {
        QStringList listed;
        int selectedOnOpening = -2;
        bool answered = false;
    };
    static void answerChooser(Choice& choice, int pick, int result = ModalResult::Ok) {
        whenModal<TChooseStationForm>([&choice, pick, result](TChooseStationForm* dialog) {
            choice.listed = items(*dialog->cb_Stations);
            choice.selectedOnOpening = dialog->cb_Stations->currentIndex();
            dialog->cb_Stations->setCurrentIndex(pick);
            (result == ModalResult::Ok ? dialog->btn_AppSettings : dialog->btn_Cancel)->click();
            choice.answered = true;
        });
    }

    QTemporaryDir dir;
    std::unique_ptr<PdfFolderSpooler> spooler;
};

const QString Saved =
    QStringLiteral("Settings Saved Successfuly!\r\nPlattora Printing Service Must Be Restarted");

TEST_F(DispatchingSettings, ShowsTheStoredPrinterIgnoringCaseAndSavesTheInstalledSpelling) {
    struct Case {
        const char* why;
        const char* use;    // as stored
        const char* stored; // as stored (SQL literal)
        bool ticked;
        const char* selected; // empty: no selection
        const char* saved;    // what Save stores
    } const cases[] = {
        {"installed, same spelling", "1", "'Grill'", true, "Grill", "1|Grill"},
        {"installed, other letter case", "1", "'pACKAGING'", true, "Packaging", "1|Packaging"},
        {"not installed on this computer", "0", "'Bar Printer'", false, "", "0|"},
        {"nothing stored", "NULL", "NULL", false, "", "0|"},
        {"an empty name", "1", "''", true, "", "1|"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        messages.shown.clear();
        settingsRow(QString::fromLatin1(c.use), QString::fromLatin1(c.stored));
        auto form = open();
        EXPECT_EQ(items(*form->cb_Packaging_Printer_Name), QStringList({"Kitchen", "Grill", "Packaging"}))
            << "in the spooler's order";
        EXPECT_EQ(form->chk_Use_Packaging_Printer->isChecked(), c.ticked);
        EXPECT_EQ(form->cb_Packaging_Printer_Name->currentText(), QString::fromLatin1(c.selected));
        EXPECT_EQ(form->cb_Packaging_Printer_Name->currentIndex() >= 0, *c.selected != '\0');
        form->btn_AppSettings->click();
        EXPECT_EQ(shownTexts(), QStringList({Saved}));
        EXPECT_EQ(storedSettings(), QStringList({QString::fromLatin1(c.saved)}));
    }
}

TEST_F(DispatchingSettings, WithoutASettingsRowSaveStoresNothingAndSaysSaved) {
    auto form = open();
    EXPECT_FALSE(form->chk_Use_Packaging_Printer->isChecked());
    EXPECT_EQ(form->cb_Packaging_Printer_Name->currentIndex(), -1);
    form->chk_Use_Packaging_Printer->setChecked(true);
    form->cb_Packaging_Printer_Name->setCurrentIndex(0);
    form->btn_AppSettings->click();
    EXPECT_EQ(shownTexts(), QStringList({Saved}));
    EXPECT_TRUE(storedSettings().isEmpty());
}

TEST_F(DispatchingSettings, AddOffersTheActiveStationsAndIncludesTheChosenOneEvenTwice) {
    stations(QStringLiteral("(1, 2, 3, 'Kitchen', 1), (1, 2, 3, 'Bar', 0), (1, 2, 3, 'Grill', 1), "
                            "(1, 2, 4, 'Other Outlet', 1)"));
    // An inactive station already included stays in the grid but is never offered.
    included({QStringLiteral("Bar")});
    auto form = open();
    for (int time = 1; time <= 2; ++time) {
        SCOPED_TRACE(time);
        Choice choice;
        answerChooser(choice, 1);
        form->btn_Add->click();
        ASSERT_TRUE(choice.answered);
        EXPECT_EQ(choice.listed, QStringList({"Grill", "Kitchen"}));
        EXPECT_EQ(choice.selectedOnOpening, 0);
    }
    EXPECT_EQ(shownTexts(), QStringList({"Station Added Successfully!", "Station Added Successfully!"}));
    EXPECT_EQ(includedRows(), QStringList({"1|2|3|Bar", "1|2|3|Kitchen", "1|2|3|Kitchen"}));
    EXPECT_EQ(gridRows(*form), QStringList({"Bar", "Kitchen", "Kitchen"}));
    EXPECT_EQ(form->DBGrid1->model()->headerData(0, Qt::Horizontal).toString(),
              QStringLiteral("Station Name"));
    EXPECT_EQ(form->DBGrid1->columnWidth(0), 211);
}

TEST_F(DispatchingSettings, AddWithNothingChosenOrClosedIncludesNothing) {
    stations(QStringLiteral("(1, 2, 3, 'Bar', 0)"));
    auto form = open();
    Choice choice;
    answerChooser(choice, -1);
    form->btn_Add->click();
    ASSERT_TRUE(choice.answered);
    EXPECT_TRUE(choice.listed.isEmpty());
    EXPECT_EQ(choice.selectedOnOpening, -1);
    EXPECT_EQ(shownTexts(), QStringList({"Nothing To Add!"}));

    stations(QStringLiteral("(1, 2, 3, 'Grill', 1)"));
    Choice closed;
    answerChooser(closed, 0, ModalResult::Cancel);
    form->btn_Add->click();
    ASSERT_TRUE(closed.answered);
    EXPECT_EQ(shownTexts().size(), 1);
    EXPECT_TRUE(includedRows().isEmpty());
}

TEST_F(DispatchingSettings, RemoveDropsTheSelectedStationAndAnEmptyListDoesNothing) {
    included({QStringLiteral("Kitchen"), QStringLiteral("Grill")});
    auto form = open();
    ASSERT_EQ(gridRows(*form), QStringList({"Grill", "Kitchen"}));
    form->DBGrid1->setCurrentIndex(form->DBGrid1->model()->index(1, 0));
    form->btn_Remove->click();
    EXPECT_EQ(shownTexts(), QStringList({"Station Removed Successfully!"}));
    EXPECT_EQ(includedRows(), QStringList({"1|2|3|Grill"}));
    EXPECT_EQ(gridRows(*form), QStringList({"Grill"}));

    form->btn_Remove->click();
    ASSERT_TRUE(gridRows(*form).isEmpty());
    form->btn_Remove->click();
    EXPECT_EQ(shownTexts().size(), 2) << "nothing to remove: nothing shown";
}

TEST_F(DispatchingSettings, AFailedStoreIsShownWithTheDatabasesWords) {
    stations(QStringLiteral("(1, 2, 3, 'Grill', 1)"));
    db.exec(QStringLiteral("CREATE TRIGGER NoPackaging BEFORE INSERT ON PrintersInPackaging "
                           "BEGIN SELECT RAISE(ABORT, 'packaging list is locked'); END"));
    auto form = open();
    Choice choice;
    answerChooser(choice, 0);
    form->btn_Add->click();
    ASSERT_TRUE(choice.answered);
    EXPECT_EQ(shownTexts(), QStringList({"Something went wrong!\r\npackaging list is locked"}));
    EXPECT_EQ(messages.shown.front().icon, MessageIcon::None);
    EXPECT_FALSE(dataModule.ADOConnection1.inTransaction());
    EXPECT_TRUE(includedRows().isEmpty());
}

TEST_F(DispatchingSettings, ASaveDuringAPrintCyclesUnitLeavesThatUnitAlone) {
    settingsRow(QStringLiteral("1"), QStringLiteral("'Grill'"));
    auto form = open();
    // A print cycle has begun its unit and marked a line; its message box lets the user press Save.
    db.exec(QStringLiteral("INSERT INTO ReadyToPrint (Customer_ID, Restaurant_ID, Outlet_ID, Master_ID) "
                           "VALUES (1, 2, 3, 7)"));
    dataModule.ADOConnection1.beginTrans();
    DbCommand printed(StatementId::ReadyToPrint_DeletePrinted, &dataModule.ADOConnection1);
    printed.setParameter(QStringLiteral("Customer_ID"), 1);
    printed.setParameter(QStringLiteral("Restaurant_ID"), 2);
    printed.setParameter(QStringLiteral("Outlet_ID"), 3);
    printed.setParameter(QStringLiteral("RTP_ID"), 1);
    printed.execute();

    form->btn_AppSettings->click();
    EXPECT_EQ(shownTexts(),
              QStringList(
                  {"Something went wrong!\r\nA transaction is already open; transactions cannot be nested"}));
    ASSERT_TRUE(dataModule.ADOConnection1.inTransaction()) << "the cycle's unit is still open";
    dataModule.ADOConnection1.commitTrans();
    EXPECT_TRUE(rows(QStringLiteral("SELECT RTP_ID FROM ReadyToPrint")).isEmpty()) << "and its work kept";
}

TEST_F(DispatchingSettings, EveryActivationAfterAnotherWindowLoadsAgain) {
    settingsRow(QStringLiteral("0"), QStringLiteral("'Grill'"));
    stations(QStringLiteral("(1, 2, 3, 'Kitchen', 1)"));
    ActivatingMessageService boxes;
    auto form = open();
    // Unsaved changes, and a printer installed and another removed meanwhile.
    form->chk_Use_Packaging_Printer->setChecked(true);
    form->cb_Packaging_Printer_Name->setCurrentIndex(2);
    spooler->setPrinters({QStringLiteral("Grill"), QStringLiteral("Pass")});

    // Coming back from another program is no reason to discard them.
    QApplication::setActiveWindow(nullptr);
    ASSERT_FALSE(form->isActiveWindow());
    QApplication::setActiveWindow(form.get());
    ASSERT_TRUE(form->isActiveWindow());
    EXPECT_TRUE(form->chk_Use_Packaging_Printer->isChecked());
    EXPECT_EQ(form->cb_Packaging_Printer_Name->currentText(), QStringLiteral("Packaging"));

    // The choose-station dialog and the message box over the window: the stored values come back.
    Choice choice;
    answerChooser(choice, 0);
    form->btn_Add->click();
    ASSERT_TRUE(choice.answered);
    EXPECT_EQ(boxes.texts, QStringList({"Station Added Successfully!"}));
    EXPECT_FALSE(form->chk_Use_Packaging_Printer->isChecked());
    EXPECT_EQ(items(*form->cb_Packaging_Printer_Name), QStringList({"Grill", "Pass"}));
    EXPECT_EQ(form->cb_Packaging_Printer_Name->currentText(), QStringLiteral("Grill"));
    EXPECT_EQ(gridRows(*form), QStringList({"Kitchen"}));
}

TEST_F(DispatchingSettings, AFailedLoadIsShownOnceThoughItsBoxActivatesTheWindowAgain) {
    db.exec(QStringLiteral("DROP TABLE PrintersInPackaging"));
    ActivatingMessageService boxes;
    auto form = open();
    ASSERT_EQ(boxes.texts.size(), 1) << boxes.texts.join(QLatin1Char('\n')).toStdString();
    EXPECT_TRUE(boxes.texts.front().contains(QStringLiteral("PrintersInPackaging")))
        << boxes.texts.front().toStdString();

    // The next activation after another window tries again.
    db.exec(
        QStringLiteral("CREATE TABLE PrintersInPackaging (Rec_ID INTEGER PRIMARY KEY, Customer_ID BIGINT, "
                       "Restaurant_ID BIGINT, Outlet_ID BIGINT, Printer_Name NVARCHAR(255))"));
    included({QStringLiteral("Grill")});
    QDialog other;
    other.show();
    activate(other);
    other.hide();
    activate(*form);
    EXPECT_EQ(gridRows(*form), QStringList({"Grill"}));
    EXPECT_EQ(boxes.texts.size(), 1);
}

} // namespace
