// The Printed Tickets window over a server printing whole cycles on a real embedded database with folder
// printers, driven as a manager drives it.
#include "PrintedTicketsForm.h"

#include "CapturingMessageService.h"
#include "GrillAndSaladsOutlet.h"

#include <QComboBox>
#include <QFile>
#include <QPushButton>
#include <QTableWidget>
#include <gtest/gtest.h>

namespace {

class PrintedTicketsWindow : public GrillAndSaladsOutlet {
protected:
    QPushButton* buttonOf(const TPrintedTicketsForm& form, const char* name) {
        return form.findChild<QPushButton*>(QString::fromLatin1(name));
    }
    bool anyPrinterFailed() {
        for (const StationStates::Station& s : bed.printedTickets().stations().stations()) {
            if (s.failed) {
                return true;
            }
        }
        return false;
    }

    CapturingMessageService boxes;
};

// The Bar's printer is not installed, so its ticket went to the kitchen's: "Reprint" sends it there again.
TEST_F(PrintedTicketsWindow, AReprintGoesToThePrinterThatTookTheTicket) {
    const qint64 espresso = bed.item(QStringLiteral("Espresso"), {}, bed.station(QStringLiteral("Bar")));
    const qint64 order = bed.order(1, {{espresso, 1, {}}});
    bed.queue(order);
    bed.start();
    ASSERT_EQ(bed.logLines(QStringLiteral("not found")),
              QStringList({"Printer Bar not found, printed on Kitchen"}));
    ASSERT_EQ(printers.count(QStringLiteral("Kitchen")), 1);

    TPrintedTicketsForm form(bed.printedTickets());
    ASSERT_EQ(form.grd_Tickets->rowCount(), 1);
    EXPECT_EQ(form.grd_Tickets->item(0, 3)->text(), QStringLiteral("Bar (printed on Kitchen)"));
    ASSERT_EQ(form.cb_Printer->currentIndex(), 0);
    buttonOf(form, "btn_Reprint")->click();

    EXPECT_TRUE(boxes.shown.empty()) << boxes.shown[0].text.toStdString();
    EXPECT_EQ(printers.count(QStringLiteral("Kitchen")), 2);
    EXPECT_EQ(bed.logLines(QStringLiteral("Reprinting")),
              QStringList({QStringLiteral("Reprinting Order #%1 on Kitchen").arg(order)}));
    EXPECT_FALSE(anyPrinterFailed());
}

// A ticket whose document is gone: the manager is told it is the archive's, and no printer shows failed.
TEST_F(PrintedTicketsWindow, ALostTicketIsToldAsTheArchivesLoss) {
    bed.queue(bed.order(2, {{burger, 1, {}}}));
    bed.start();
    TPrintedTicketsForm form(bed.printedTickets());
    ASSERT_NE(form.selected(), nullptr);
    ASSERT_TRUE(QFile::remove(form.selected()->documentFile));
    buttonOf(form, "btn_Reprint")->click();

    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].icon, MessageIcon::Error);
    EXPECT_TRUE(boxes.shown[0].text.startsWith(QStringLiteral("The archived ticket \"")))
        << boxes.shown[0].text.toStdString();
    EXPECT_EQ(printers.count(QStringLiteral("Grill")), 1);
    EXPECT_FALSE(anyPrinterFailed());
}

// The window stays open through cycles: each ticket the server archives joins the list as it prints, and
// "Refresh" reads the day's folder again; the ticket the manager picked stays picked.
TEST_F(PrintedTicketsWindow, NewTicketsShowWhileTheWindowIsOpen) {
    bed.queue(bed.order(3, {{burger, 1, {}}}));
    bed.start();
    TPrintedTicketsForm form(bed.printedTickets());
    ASSERT_EQ(form.grd_Tickets->rowCount(), 1);
    form.grd_Tickets->selectRow(0);
    const QString picked = form.selected()->companionFile;

    const qint64 next = bed.order(4, {{salad, 1, {}}});
    bed.queue(next);
    bed.cycle();
    ASSERT_EQ(form.grd_Tickets->rowCount(), 2);
    EXPECT_EQ(form.grd_Tickets->item(1, 2)->text(), QStringLiteral("#%1 (4)").arg(next));
    ASSERT_NE(form.selected(), nullptr);
    EXPECT_EQ(form.selected()->companionFile, picked);

    // A ticket the window was not told of (another program on the same folder).
    PrintedTicket other;
    other.id = 99;
    other.station = QStringLiteral("Grill");
    other.time = QDateTime::currentDateTime();
    bed.printedTickets().archive().store(other, QByteArray("%PDF-1.4\n%%EOF\n"), QByteArray());
    EXPECT_EQ(form.grd_Tickets->rowCount(), 2);
    QPushButton* refresh = buttonOf(form, "btn_Refresh");
    ASSERT_NE(refresh, nullptr);
    EXPECT_EQ(refresh->text(), QStringLiteral("Refresh"));
    refresh->click();
    EXPECT_EQ(form.grd_Tickets->rowCount(), 3);
    ASSERT_NE(form.selected(), nullptr);
    EXPECT_EQ(form.selected()->companionFile, picked);
}

} // namespace
