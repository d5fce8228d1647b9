#include "ChooseStationForm.h"
#include "DispatchingPrinterSettingsForm.h"
#include "PdfFolderSpooler.h"
#include "SettingsWindowsFixture.h"
#include "StationsDetailsForm.h"
#include "StationsMgtForm.h"

#include <QPushButton>
#include <QTemporaryDir>
#include <memory>

// The keyboard order of the settings windows, which operators rely on, and where the focus starts.
namespace {

// Folder printers: the dispatching window reads the installed printers when it becomes active.
class SettingsTabOrder : public SettingsWindowsFixture {
protected:
    void SetUp() override { PrintSpooler::setCurrent(&printers); }
    void TearDown() override {
        PrintSpooler::setCurrent(nullptr);
        SettingsWindowsFixture::TearDown();
    }

    QTemporaryDir dir;
    PdfFolderSpooler printers{dir.path(), {QStringLiteral("Kitchen")}, QStringLiteral("Kitchen")};
};

// The controls Tab reaches, in order, by objectName.
QStringList tabChain(QWidget& window) {
    QStringList names;
    for (QWidget* w = window.nextInFocusChain(); w != &window; w = w->nextInFocusChain()) {
        if ((w->focusPolicy() & Qt::TabFocus) && w->isVisibleTo(&window) && !w->objectName().isEmpty()) {
            names.append(w->objectName());
        }
    }
    return names;
}

TEST_F(SettingsTabOrder, FollowsTheWindowsDesign) {
    struct Case {
        std::unique_ptr<QDialog> window;
        QStringList order;
        const char* focusFirst;
    };
    Case cases[] = {
        {std::make_unique<TStationsMgtForm>(dataModule),
         {"btn_Add", "btn_Modify", "btn_Close", "btn_TestPrint", "DBGrid1"},
         "btn_Add"},
        {std::make_unique<TStationsDetailsForm>(),
         {"btn_Cancel", "btn_Confirm", "edt_Printer_Name", "chk_isActive"},
         "btn_Cancel"},
        {std::make_unique<TDispatchingPrinterSettingsForm>(dataModule),
         {"btn_Cancel", "btn_AppSettings", "cb_Packaging_Printer_Name", "chk_Use_Packaging_Printer",
          "DBGrid1", "btn_Add", "btn_Remove"},
         "btn_Cancel"},
    };
    for (Case& c : cases) {
        SCOPED_TRACE(c.window->objectName().toStdString());
        EXPECT_EQ(tabChain(*c.window), c.order);
        c.window->show();
        QApplication::processEvents();
        ASSERT_NE(QApplication::focusWidget(), nullptr);
        EXPECT_EQ(QApplication::focusWidget()->objectName(), QString::fromLatin1(c.focusFirst));
        c.window->hide();
    }
}

} // namespace
