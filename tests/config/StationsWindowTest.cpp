#include "DbQuery.h"
#include "ModalDriver.h"
#include "ModalResult.h"
#include "SettingsWindowsFixture.h"
#include "StationsDetailsForm.h"
#include "StationsMgtForm.h"

#include <QCheckBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>

// The kitchen stations window and its station details dialog against a real embedded database.
namespace {

class StationsWindow : public SettingsWindowsFixture {
protected:
    void addStations(const QStringList& names, const QString& outlet = QStringLiteral("3")) {
        for (const QString& name : names) {
            db.exec(QStringLiteral("INSERT INTO KitchenStations (Customer_ID, Restaurant_ID, Outlet_ID, "
                                   "Station_Name, isActive) VALUES (1, 2, %1, '%2', %3)")
                        .arg(outlet, name,
                             name == QStringLiteral("Bar") ? QStringLiteral("0") : QStringLiteral("1")));
        }
    }

    // The grid's rows as "name|active" lines, and its current row's name.
    static QStringList gridRows(const TStationsMgtForm& form) {
        QStringList lines;
        const QAbstractItemModel* model = form.DBGrid1->model();
        for (int r = 0; r < model->rowCount(); ++r) {
            lines.append(model->index(r, 0).data().toString() + QLatin1Char('|') +
                         model->index(r, 1).data().toString());
        }
        return lines;
    }
    static QString currentName(const TStationsMgtForm& form) {
        const int row = form.DBGrid1->currentIndex().row();
        EXPECT_EQ(row, form.PrintersQ->recNo()) << "the grid's row is the query's";
        return form.DBGrid1->model()->index(row, 0).data().toString();
    }

    // Answers the next station details dialog: types `typed`, sets the check box, presses Confirm.
    // `shown` receives what the dialog showed when it opened, `trimmed` the edit box after Confirm.
    struct Answer {
        QString shownName;
        bool shownActive = false;
        QString afterConfirm;
        bool answered = false;
    };
    static void confirmDetails(Answer& answer, const QString& typed, bool active) {
        whenModal<TStationsDetailsForm>([&answer, typed, active](TStationsDetailsForm* dialog) {
            answer.shownName = dialog->edt_Printer_Name->text();
            answer.shownActive = dialog->chk_isActive->isChecked();
            dialog->edt_Printer_Name->setText(typed);
            dialog->chk_isActive->setChecked(active);
            dialog->btn_Confirm->click();
            answer.afterConfirm = dialog->edt_Printer_Name->text();
            answer.answered = true;
        });
    }
};

TEST_F(StationsWindow, ShowsTheOutletsStationsByNameAndConnectsOnItsOwn) {
    addStations({QStringLiteral("Kitchen"), QStringLiteral("Bar"), QStringLiteral("Grill")});
    addStations({QStringLiteral("Other Outlet")}, QStringLiteral("4"));
    ASSERT_FALSE(dataModule.ADOConnection1.isOpen());
    {
        TStationsMgtForm form(dataModule);
        EXPECT_EQ(gridRows(form), QStringList({"Bar|No", "Grill|Yes", "Kitchen|Yes"}));
        EXPECT_EQ(currentName(form), QStringLiteral("Bar"));
        const QAbstractItemModel* model = form.DBGrid1->model();
        EXPECT_EQ(model->headerData(0, Qt::Horizontal).toString(),
                  QStringLiteral("Kitchen Station / Printer Name"));
        EXPECT_EQ(model->headerData(1, Qt::Horizontal).toString(), QStringLiteral("Active"));
        EXPECT_EQ(model->index(0, 0).data(Qt::TextAlignmentRole).value<Qt::Alignment>(), Qt::AlignCenter);
        EXPECT_EQ(form.DBGrid1->columnWidth(0), 326);
        EXPECT_EQ(form.DBGrid1->columnWidth(1), 56);
        EXPECT_EQ(form.DBGrid1->editTriggers(), QAbstractItemView::NoEditTriggers);
        EXPECT_FALSE(form.DBGrid1->horizontalHeader()->sectionsClickable());

        // Choosing a row in the grid makes it the query's current row.
        form.DBGrid1->setCurrentIndex(model->index(2, 1));
        EXPECT_EQ(form.PrintersQ->asString(QStringLiteral("Station_Name")), QStringLiteral("Kitchen"));
    }
    EXPECT_TRUE(dataModule.ADOConnection1.isOpen()) << "the connection stays open after the window";
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(StationsWindow, AddNewStoresTheStationAndMakesExactlyItCurrent) {
    struct Case {
        const char* why;
        const char* typed;
        bool active;
        const char* stored;  // the name stored and shown back in the edit box
        QStringList grid;    // afterwards, over the stations Grill and Kitchen
        const char* current; // the current row's name; its identifier is checked below
    } const cases[] = {
        {"a new name sorts first", "Bar", false, "Bar", {"Bar|No", "Grill|Yes", "Kitchen|Yes"}, "Bar"},
        {"differs only in letter case: the new row, matched exactly",
         "grill",
         true,
         "grill",
         {"Grill|Yes", "Kitchen|Yes", "grill|Yes"},
         "grill"},
        {"two blanks before and a tab after",
         "  Packaging\t",
         true,
         "Packaging",
         {"Grill|Yes", "Kitchen|Yes", "Packaging|Yes"},
         "Packaging"},
        {"control characters at the ends go, blanks inside stay",
         "\r\nHot  Line \x01",
         true,
         "Hot  Line",
         {"Grill|Yes", "Hot  Line|Yes", "Kitchen|Yes"},
         "Hot  Line"},
        {"a name already there: the first of the equal names",
         "Kitchen",
         true,
         "Kitchen",
         {"Grill|Yes", "Kitchen|Yes", "Kitchen|Yes"},
         "Kitchen"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        db.exec(QStringLiteral("DELETE FROM KitchenStations"));
        addStations({QStringLiteral("Kitchen"), QStringLiteral("Grill")});
        const qint64 firstKitchen =
            db.scalar(QStringLiteral(
                          "SELECT MIN(Station_ID) FROM KitchenStations WHERE Station_Name = 'Kitchen'"))
                .toLongLong();
        TStationsMgtForm form(dataModule);
        Answer answer;
        confirmDetails(answer, QString::fromLatin1(c.typed), c.active);
        form.btn_Add->click();
        ASSERT_TRUE(answer.answered);
        EXPECT_EQ(answer.shownName, QString()) << "a new station starts empty";
        EXPECT_TRUE(answer.shownActive) << "and active";
        EXPECT_EQ(answer.afterConfirm, QString::fromLatin1(c.stored)) << "trimmed in the edit box";

        const QString stored = QString::fromLatin1(c.stored);
        EXPECT_EQ(
            rows(QStringLiteral("SELECT Customer_ID, Restaurant_ID, Outlet_ID, isActive FROM KitchenStations "
                                "WHERE Station_ID = (SELECT MAX(Station_ID) FROM KitchenStations)")),
            QStringList({QStringLiteral("1|2|3|%1").arg(c.active ? 1 : 0)}));
        EXPECT_EQ(
            db.scalar(QStringLiteral("SELECT Station_Name FROM KitchenStations ORDER BY Station_ID DESC")),
            stored);
        EXPECT_EQ(gridRows(form), c.grid);
        EXPECT_EQ(currentName(form), QString::fromLatin1(c.current));
        const qint64 expectedId =
            stored == QStringLiteral("Kitchen")
                ? firstKitchen
                : db.scalar(QStringLiteral("SELECT MAX(Station_ID) FROM KitchenStations")).toLongLong();
        EXPECT_EQ(form.PrintersQ->asLargeInt(QStringLiteral("Station_ID")), expectedId);
        EXPECT_TRUE(messages.shown.empty());
    }
}

TEST_F(StationsWindow, ABlankNameIsRefusedAndClosingTheDialogStoresNothing) {
    addStations({QStringLiteral("Grill")});
    TStationsMgtForm form(dataModule);
    bool checked = false;
    whenModal<TStationsDetailsForm>([&](TStationsDetailsForm* dialog) {
        EXPECT_EQ(QApplication::focusWidget(), dialog->btn_Cancel) << "Close has the focus on opening";
        dialog->edt_Printer_Name->setText(QStringLiteral("  \t  "));
        dialog->btn_Confirm->click();
        EXPECT_EQ(shownTexts(), QStringList({"Please Provide Station / Printer Name"}));
        EXPECT_EQ(dialog->edt_Printer_Name->text(), QString()) << "emptied";
        EXPECT_TRUE(dialog->isVisible()) << "the dialog stays open";
        dialog->btn_Cancel->click();
        EXPECT_EQ(dialog->result(), ModalResult::Cancel);
        checked = true;
    });
    form.btn_Add->click();
    ASSERT_TRUE(checked);
    EXPECT_EQ(rows(QStringLiteral("SELECT Station_Name FROM KitchenStations")), QStringList({"Grill"}));
    EXPECT_EQ(shownTexts().size(), 1);

    // The same for Modify: the close box changes nothing.
    whenModal<TStationsDetailsForm>([](TStationsDetailsForm* dialog) {
        dialog->edt_Printer_Name->setText(QStringLiteral("Changed"));
        dialog->close();
    });
    form.btn_Modify->click();
    EXPECT_EQ(rows(QStringLiteral("SELECT Station_Name, isActive FROM KitchenStations")),
              QStringList({"Grill|1"}));
    EXPECT_EQ(shownTexts().size(), 1);
}

TEST_F(StationsWindow, ModifyChangesTheSelectedStationWhichStaysCurrent) {
    addStations({QStringLiteral("Bar"), QStringLiteral("Grill"), QStringLiteral("Kitchen")});
    TStationsMgtForm form(dataModule);
    form.DBGrid1->setCurrentIndex(form.DBGrid1->model()->index(1, 0));
    const qint64 grillId = form.PrintersQ->asLargeInt(QStringLiteral("Station_ID"));
    Answer answer;
    // Renamed to sort last and made inactive.
    confirmDetails(answer, QStringLiteral(" Zeta "), false);
    form.btn_Modify->click();
    ASSERT_TRUE(answer.answered);
    EXPECT_EQ(answer.shownName, QStringLiteral("Grill"));
    EXPECT_TRUE(answer.shownActive);
    EXPECT_EQ(rows(QStringLiteral(
                  "SELECT Station_ID, Station_Name, isActive FROM KitchenStations ORDER BY Station_ID")),
              QStringList({QStringLiteral("1|Bar|0"), QStringLiteral("%1|Zeta|0").arg(grillId),
                           QStringLiteral("3|Kitchen|1")}));
    EXPECT_EQ(gridRows(form), QStringList({"Bar|No", "Kitchen|Yes", "Zeta|No"}));
    EXPECT_EQ(currentName(form), QStringLiteral("Zeta"));
    EXPECT_EQ(form.PrintersQ->asLargeInt(QStringLiteral("Station_ID")), grillId);
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(StationsWindow, AFailedStoreIsRolledBackAndShownAfterTheFixedText) {
    addStations({QStringLiteral("Grill")});
    // Station names unique, as a server may have them.
    db.exec(QStringLiteral("CREATE UNIQUE INDEX StationNames ON KitchenStations (Station_Name)"));
    TStationsMgtForm form(dataModule);
    struct Case {
        const char* why;
        QPushButton* button;
        QString typed;
        QString reason; // the database's own words
    } const cases[] = {
        {"insert", form.btn_Add, QStringLiteral("Grill"),
         QStringLiteral("UNIQUE constraint failed: KitchenStations.Station_Name")},
        {"a name longer than the column", form.btn_Modify, QString(51, QLatin1Char('x')),
         QStringLiteral("Parameter 'Station_Name': the text has 51 characters, more than the 50 allowed")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        messages.shown.clear();
        Answer answer;
        confirmDetails(answer, c.typed, true);
        c.button->click();
        ASSERT_TRUE(answer.answered);
        // Line feed before carriage return, exactly as the operators know the box.
        EXPECT_EQ(shownTexts(),
                  QStringList({QStringLiteral("Sometiong Went Wrong!\n\rPlease Retry or Call System "
                                              "Administrator\n\r\n\rError Message:\n\r") +
                               c.reason}));
        EXPECT_EQ(messages.shown.front().icon, MessageIcon::None);
        EXPECT_EQ(messages.shown.front().caption, QStringLiteral("Printing Server"));
        EXPECT_FALSE(dataModule.ADOConnection1.inTransaction());
        EXPECT_EQ(rows(QStringLiteral("SELECT Station_Name FROM KitchenStations")), QStringList({"Grill"}));
        EXPECT_EQ(gridRows(form), QStringList({"Grill|Yes"})) << "the grid keeps what it showed";
    }
}

TEST_F(StationsWindow, WithoutStationsModifyAndPrintTestDoNothing) {
    TStationsMgtForm form(dataModule);
    EXPECT_EQ(form.DBGrid1->model()->rowCount(), 0);
    // A dialog or preview opening here would wait for the watchdog.
    form.btn_Modify->click();
    form.btn_TestPrint->click();
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(rows(QStringLiteral("SELECT COUNT(*) FROM KitchenStations")), QStringList({"0"}));
}

TEST_F(StationsWindow, AnUnreachableDatabaseLeavesTheWindowUsableWithAnEmptyGrid) {
    dataModule.ADOConnection1.setConnectionString(
        db.connectionString().replace(QStringLiteral("restaurant.db"), QStringLiteral("missing.db")));
    TStationsMgtForm form(dataModule);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown.front().icon, MessageIcon::Error);
    EXPECT_EQ(messages.shown.front().caption, QStringLiteral("Printing Server"));
    EXPECT_TRUE(messages.shown.front().text.contains(QStringLiteral("missing.db")))
        << messages.shown.front().text.toStdString();
    EXPECT_EQ(form.DBGrid1->model()->rowCount(), 0);
    form.btn_Modify->click();
    EXPECT_EQ(messages.shown.size(), 1u);
}

TEST_F(StationsWindow, CloseEndsTheWindowWithCloseAndClosesTheQuery) {
    addStations({QStringLiteral("Grill")});
    TStationsMgtForm form(dataModule);
    bool closed = false;
    whenModal<TStationsMgtForm>([&](TStationsMgtForm* window) {
        window->btn_Close->click();
        closed = true;
    });
    EXPECT_EQ(form.exec(), ModalResult::Close);
    EXPECT_TRUE(closed);
    EXPECT_FALSE(form.PrintersQ->isActive());
    EXPECT_EQ(form.DBGrid1->model()->rowCount(), 0);
}

} // namespace
