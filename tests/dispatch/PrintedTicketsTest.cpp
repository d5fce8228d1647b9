// The printed tickets' archive and the printers' states, through whole cycles on a real embedded database
// with folder printers.
#include "GrillAndSaladsOutlet.h"
#include "QtGTestPrinters.h"
#include "TicketArchive.h"
#include "TrpStoredPages.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>

namespace {

QByteArray bytesOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QStringList filesBelow(const QString& folder) {
    QStringList files;
    const QDir root(folder);
    for (const QString& day : root.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        for (const QString& f : QDir(root.filePath(day)).entryList(QDir::Files)) {
            files << day + QLatin1Char('/') + f;
        }
    }
    return files;
}

// The outlet copies the Grill's items to packaging.
class PrintedTicketsThroughCycles : public GrillAndSaladsOutlet {
protected:
    void SetUp() override {
        GrillAndSaladsOutlet::SetUp();
        bed.copyToPackaging(QStringLiteral("Grill"));
    }
};

// Kitchen tickets, the packaging copy and both copies of a void: each is listed with what identifies it,
// its document is the printer's job byte for byte, and its pages come back for the preview.
TEST_F(PrintedTicketsThroughCycles, EveryTicketIsArchivedAsItsPrinterTookIt) {
    const qint64 order = bed.order(1042, {{burger, 2, {}}, {salad, 1, {}}});
    bed.queue(order);
    const qint64 voided =
        bed.voidItem(QStringLiteral("Beef Burger"), {}, QStringLiteral("Cold"), grill, order);
    bed.start();

    const QList<TicketArchive::Entry> day = bed.printedTickets().archive().day(QDate::currentDate());
    ASSERT_EQ(day.size(), 5);
    QStringList seen;
    for (const TicketArchive::Entry& e : day) {
        seen << QStringLiteral("%1 %2 %3 %4")
                    .arg(e.ticket.kindName())
                    .arg(e.ticket.id)
                    .arg(e.ticket.orderSeq)
                    .arg(e.ticket.station);
    }
    const QString o = QString::number(order);
    const QString v = QString::number(voided);
    EXPECT_EQ(seen, QStringList({"Packaging " + o + " 1042 Packaging", "Kitchen " + o + " 1042 Grill",
                                 "Kitchen " + o + " 1042 Salads", "Void " + v + " 1042 Grill",
                                 "Void " + v + " 1042 Packaging"}));
    // The jobs in the order the printers took them: the same order as the archive's.
    QStringList jobs;
    for (const PdfFolderSpooler::Job& job : printers.folders().jobs()) {
        jobs << job.file;
    }
    ASSERT_EQ(jobs.size(), day.size());
    for (int i = 0; i < day.size(); ++i) {
        EXPECT_FALSE(bytesOf(day[i].documentFile).isEmpty());
        EXPECT_EQ(bytesOf(day[i].documentFile), bytesOf(jobs[i])) << day[i].documentFile.toStdString();
        EXPECT_EQ(bed.printedTickets().archive().pages(day[i]).PageCount(), 1);
    }
    EXPECT_TRUE(QFileInfo(day[1].documentFile).fileName().endsWith(" Order " + o + " Grill.pdf"))
        << day[1].documentFile.toStdString();
    EXPECT_TRUE(QFileInfo(day[3].documentFile).fileName().endsWith(" Void " + v + " Grill.pdf"));
}

TEST_F(PrintedTicketsThroughCycles, NoDaysToKeepKeepsNothing) {
    bed.panel.data.TicketArchiveDays = 0;
    bed.queue(bed.order(7, {{burger, 1, {}}}));
    bed.start();
    EXPECT_EQ(printers.count(QStringLiteral("Grill")), 1);
    EXPECT_EQ(filesBelow(bed.archiveFolder()), QStringList());
}

// A folder that cannot be made: every ticket prints, the order completes, the log says so once a cycle.
TEST_F(PrintedTicketsThroughCycles, AnUnwritableArchiveLogsOncePerCycleAndEveryTicketPrints) {
    QFile blocker(bed.archiveFolder());
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly)); // a file where the folder should be
    blocker.close();
    const qint64 first = bed.order(1, {{burger, 1, {}}, {salad, 1, {}}});
    const qint64 second = bed.order(2, {{burger, 1, {}}});
    bed.queue(first);
    bed.queue(second);
    bed.start();
    EXPECT_EQ(printers.count(QStringLiteral("Grill")), 2);
    EXPECT_EQ(printers.count(QStringLiteral("Salads")), 1);
    EXPECT_EQ(printers.count(QStringLiteral("Packaging")), 2);
    EXPECT_EQ(bed.queued(), 0);
    EXPECT_EQ(bed.unprinted(first) + bed.unprinted(second), 0);
    const QStringList failures = bed.logLines(QStringLiteral("cannot be archived"));
    ASSERT_EQ(failures.size(), 1);
    EXPECT_TRUE(failures[0].startsWith("Printed tickets cannot be archived (Packaging Order #" +
                                       QString::number(first) + " on Packaging): "))
        << failures[0].toStdString();

    bed.queue(bed.order(3, {{salad, 1, {}}}));
    bed.cycle();
    EXPECT_EQ(printers.count(QStringLiteral("Salads")), 2);
    EXPECT_EQ(bed.logLines(QStringLiteral("cannot be archived")).size(), 2);
}

// Start removes the day folders older than the days to keep; what is not a day folder stays.
TEST_F(PrintedTicketsThroughCycles, StartRemovesTheDaysOlderThanTheLimit) {
    const QDate today = QDate::currentDate();
    struct Case {
        int days;
        QStringList kept; // days before today, or a name that is not a day
    };
    const Case cases[] = {
        {7, {"0", "1", "6", "7", "notes"}}, // 7 days back is the oldest day kept
        {1, {"0", "1", "notes"}},
        {0, {"notes"}}, // no archive: today's tickets go as well
    };
    const QStringList made = {"0", "1", "6", "7", "8", "30", "notes"};
    for (const Case& c : cases) {
        QDir(bed.archiveFolder()).removeRecursively();
        for (const QString& m : made) {
            bool number = false;
            const int back = m.toInt(&number);
            const QString name = number ? today.addDays(-back).toString(QStringLiteral("yyyy-MM-dd")) : m;
            ASSERT_TRUE(QDir().mkpath(bed.archiveFolder() + QLatin1Char('/') + name));
            QFile ticket(bed.archiveFolder() + QLatin1Char('/') + name +
                         QStringLiteral("/10-00-00 Order 1 Grill.pdf"));
            ASSERT_TRUE(ticket.open(QIODevice::WriteOnly));
        }
        bed.panel.data.TicketArchiveDays = c.days;
        bed.server.Start();
        bed.server.Stop();
        QStringList kept;
        for (const QString& m : made) {
            bool number = false;
            const int back = m.toInt(&number);
            const QString name = number ? today.addDays(-back).toString(QStringLiteral("yyyy-MM-dd")) : m;
            if (QDir(bed.archiveFolder()).exists(name)) {
                kept << m;
            }
        }
        EXPECT_EQ(kept, c.kept) << "keeping " << c.days << " days";
    }
}

// A server left running: the first cycle of each day removes what Start would, and only the first.
TEST_F(PrintedTicketsThroughCycles, TheFirstCycleOfANewDayRemovesTheDaysNoLongerKept) {
    QDateTime now(QDate(2026, 3, 10), QTime(23, 59));
    bed.printedTickets().setClock([&now] { return now; });
    bed.panel.data.TicketArchiveDays = 7;
    const auto oldDay = [this](const QDate& date) {
        const QString folder =
            bed.archiveFolder() + QLatin1Char('/') + date.toString(QStringLiteral("yyyy-MM-dd"));
        QDir().mkpath(folder);
        QFile ticket(folder + QStringLiteral("/12-00-00 Order 1 Grill.pdf"));
        EXPECT_TRUE(ticket.open(QIODevice::WriteOnly));
        return folder;
    };
    const QString lastKept = oldDay(QDate(2026, 3, 3)); // 7 days back on the 10th, 8 on the 11th
    bed.start();
    bed.cycle();
    EXPECT_TRUE(QDir(lastKept).exists());

    now = now.addSecs(120);
    bed.cycle();
    EXPECT_FALSE(QDir(lastKept).exists());
    EXPECT_EQ(bed.logLines(QStringLiteral("removed from")),
              QStringList({"Printed tickets older than 7 days removed from 1 day folders"}));

    const QString madeLater = oldDay(QDate(2026, 3, 1));
    bed.cycle();
    EXPECT_TRUE(QDir(madeLater).exists()) << "the day's folders are looked at once a day";
}

// An archived ticket that is gone or damaged is the archive's loss: the reprint fails with the archive's
// message, nothing reaches the printer and the printer is not marked as failed.
TEST_F(PrintedTicketsThroughCycles, AReprintOfALostTicketFailsWithoutBlamingThePrinter) {
    const qint64 order = bed.order(56, {{salad, 1, {}}});
    bed.queue(order);
    bed.start();
    const TicketArchive::Entry ticket = bed.printedTickets().archive().day(QDate::currentDate()).value(0);
    const QByteArray original = bytesOf(ticket.documentFile);
    ASSERT_FALSE(original.isEmpty());
    const auto rewrite = [&ticket](const QByteArray& bytes) {
        QFile file(ticket.documentFile);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
    };
    struct Case {
        const char* name;
        std::function<void()> damage;
        QString reason;
    };
    const Case cases[] = {
        {"removed", [&] { QFile::remove(ticket.documentFile); }, QStringLiteral("cannot be read")},
        {"emptied", [&] { rewrite({}); }, QStringLiteral("is damaged")},
        {"cut short", [&] { rewrite(original.left(original.size() / 2)); }, QStringLiteral("is damaged")},
    };
    for (const Case& c : cases) {
        rewrite(original);
        c.damage();
        bed.panel.log.clear();
        EXPECT_THROW(bed.printedTickets().reprint(ticket, QStringLiteral("Kitchen")), TicketArchiveError)
            << c.name;
        const QString failed = bed.logLines(QStringLiteral("Reprinting")).value(0);
        EXPECT_TRUE(failed.startsWith(
            QStringLiteral("Reprinting Order #%1 on Kitchen Failed: The archived ticket \"%2\" %3")
                .arg(order)
                .arg(ticket.documentFile, c.reason)))
            << c.name << ": " << failed.toStdString();
        EXPECT_EQ(printers.count(QStringLiteral("Kitchen")), 0) << c.name;
        for (const StationStates::Station& s : bed.printedTickets().stations().stations()) {
            EXPECT_FALSE(s.failed) << c.name << ": " << s.describe().toStdString();
        }
    }
}

// A reprint goes to the printer asked for, as the same document, is logged and archived as a reprint; a
// printer that refuses it gets the failure logged and marked.
TEST_F(PrintedTicketsThroughCycles, AReprintSendsTheSameDocumentAgain) {
    const qint64 order = bed.order(55, {{salad, 1, {}}});
    bed.queue(order);
    bed.start();
    const TicketArchive::Entry ticket = bed.printedTickets().archive().day(QDate::currentDate()).value(0);
    ASSERT_EQ(ticket.ticket.station, QStringLiteral("Salads"));

    bed.printedTickets().reprint(ticket, QStringLiteral("Kitchen"));
    ASSERT_EQ(printers.count(QStringLiteral("Kitchen")), 1);
    EXPECT_EQ(bytesOf(printers.jobs(QStringLiteral("Kitchen"))[0]), bytesOf(ticket.documentFile));
    EXPECT_EQ(bed.logLines(QStringLiteral("Reprinting")),
              QStringList({"Reprinting Order #" + QString::number(order) + " on Kitchen"}));
    const QList<TicketArchive::Entry> day = bed.printedTickets().archive().day(QDate::currentDate());
    ASSERT_EQ(day.size(), 2);
    EXPECT_TRUE(day[1].ticket.reprint);
    EXPECT_EQ(day[1].ticket.printer, QStringLiteral("Kitchen"));
    EXPECT_EQ(bytesOf(day[1].documentFile), bytesOf(ticket.documentFile));

    printers.folders().setRefusal(QStringLiteral("Salads"), QStringLiteral("paper jam"));
    EXPECT_THROW(bed.printedTickets().reprint(ticket, QStringLiteral("Salads")), SpoolError);
    EXPECT_EQ(bed.logLines(QStringLiteral("Reprinting")).value(1),
              "Reprinting Order #" + QString::number(order) +
                  " on Salads Failed: Printer \"Salads\" refused the print job: paper jam");
    const StationStates::Station salads = bed.printedTickets().stations().stations().value(0);
    EXPECT_EQ(salads.printer, QStringLiteral("Salads"));
    EXPECT_TRUE(salads.failed);
}

// A ticket's file that cannot be written is an error naming the file, and nothing half written is left to
// be listed: neither the document without its companion nor a partial file.
TEST(TicketArchive, AFileThatCannotBeWrittenLeavesNoTrace) {
    QTemporaryDir root;
    TicketArchive archive(root.path());
    PrintedTicket ticket;
    ticket.kind = PrintedTicket::Kind::Kitchen;
    ticket.id = 7;
    ticket.station = QStringLiteral("Grill");
    ticket.time = QDateTime(QDate(2026, 12, 10), QTime(19, 7, 0));
    const QString day = root.filePath(QStringLiteral("2026-12-10"));
    // Where the companion's partial file would go stands a folder, so the document is written first and
    // the companion then fails.
    ASSERT_TRUE(QDir().mkpath(day + QStringLiteral("/19-07-00 Order 7 Grill.ticket.part")));
    try {
        archive.store(ticket, QByteArray("%PDF-1.4"), QByteArray("pages"));
        ADD_FAILURE() << "stored";
    } catch (const TicketArchiveError& e) {
        EXPECT_TRUE(QString::fromStdString(e.what()).contains(QStringLiteral("cannot be written")))
            << e.what();
    }
    EXPECT_EQ(QDir(day).entryList(QDir::Files), QStringList());
    EXPECT_TRUE(archive.day(ticket.time.date()).isEmpty());
}

// Removing old days removes what the archive wrote there and nothing else: a link named like a day leads
// to somebody else's folder, and a day folder holding a file of somebody else's keeps it and stays.
TEST(TicketArchive, RemovingOldDaysTakesOnlyTheArchivesOwnFiles) {
    QTemporaryDir root;
    QTemporaryDir elsewhere;
    TicketArchive archive(root.filePath(QStringLiteral("Tickets")));
    PrintedTicket ticket;
    ticket.station = QStringLiteral("Grill");
    ticket.id = 7;
    const auto storeOn = [&](const QDate& date) {
        ticket.time = QDateTime(date, QTime(19, 7, 5));
        return archive.store(ticket, QByteArray("%PDF-1.4\n%%EOF\n"), QByteArray("pages"));
    };
    const TicketArchive::Entry withNotes = storeOn(QDate(2026, 3, 1));
    const QString notes = QFileInfo(withNotes.documentFile).path() + QStringLiteral("/notes.txt");
    QFile(notes).open(QIODevice::WriteOnly);
    const TicketArchive::Entry alone = storeOn(QDate(2026, 2, 28));
    // Somebody else's folder, holding even a file named as the archive names its own.
    const QStringList theirs = {QStringLiteral("19-07-05 Order 7 Grill.pdf"), QStringLiteral("menu.txt")};
    for (const QString& name : theirs) {
        QFile(elsewhere.filePath(name)).open(QIODevice::WriteOnly);
    }
    const QString link = archive.folder() + QStringLiteral("/2026-03-02");
    ASSERT_TRUE(QFile::link(elsewhere.path(), link));

    EXPECT_EQ(archive.removeOlderThan(7, QDate(2026, 3, 10)), 2);

    EXPECT_FALSE(QFile::exists(withNotes.documentFile));
    EXPECT_FALSE(QFile::exists(withNotes.companionFile));
    EXPECT_TRUE(QFile::exists(notes));
    EXPECT_FALSE(QFileInfo::exists(QFileInfo(alone.documentFile).path()));
    EXPECT_EQ(QDir(elsewhere.path()).entryList(QDir::Files), theirs);
    EXPECT_TRUE(QFileInfo(link).isSymLink());
}

} // namespace
