#include "TrpPrinters.h"

#include "PdfFolderSpooler.h"
#include "QtGTestPrinters.h"
#include "TrpVirtualPrinter.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// A printer list made from folder printers; restores the system's spooler afterwards.
class PrinterList : public ::testing::Test {
protected:
    void use(QStringList printers, QString defaultPrinter) {
        spooler =
            std::make_unique<PdfFolderSpooler>(dir.path(), std::move(printers), std::move(defaultPrinter));
        PrintSpooler::setCurrent(spooler.get());
        TrpPrinters::reset();
    }
    void TearDown() override {
        TrpPrinters::reset();
        PrintSpooler::setCurrent(nullptr);
    }
    TrpPrinters& list() { return TrpPrinters::instance(); }

    QTemporaryDir dir;
    std::unique_ptr<PdfFolderSpooler> spooler;
};

TEST_F(PrinterList, SortedByNameWithTheDefaultSelected) {
    use({"grill", "Packaging", "Bar", "Kitchen"}, "Kitchen");
    EXPECT_EQ(list().PrinterNames(), QStringList({"Bar", "grill", "Kitchen", "Packaging"}));
    EXPECT_TRUE(list().HasPhysicalPrinters());
    ASSERT_TRUE(list().Printer());
    EXPECT_EQ(list().Printer()->Name, QStringLiteral("Kitchen"));
    EXPECT_TRUE(list().Printer()->Initialized);
    EXPECT_EQ(list().Printer()->DpiY, 600);
    EXPECT_EQ(list().Printer()->Papers.front().first, 256);
    EXPECT_EQ(list().Printer()->Bins.front(), qMakePair(7, QStringLiteral("Default")));
}

TEST_F(PrinterList, DefaultNameBeforeTheCommaOrElseTheFirstPrinter) {
    use({"Grill", "Kitchen"}, " Kitchen ,winspool,Ne01:");
    EXPECT_EQ(list().Printer()->Name, QStringLiteral("Kitchen"));
    use({"Grill", "Kitchen"}, "Removed");
    EXPECT_EQ(list().Printer()->Name, QStringLiteral("Grill"));
}

TEST_F(PrinterList, SelectionByNameIgnoresCaseAndKeepsThePreviousForUnknownNames) {
    use({"Grill", "Kitchen", "Packaging"}, "Kitchen");
    struct Step {
        const char* name;
        const char* selected;
    } const steps[] = {
        {"Bar", "Kitchen"},   // unknown as the first job: the default printer
        {"GRILL", "Grill"},   // differs only in letter case
        {"Bar", "Grill"},     // unknown after a job on Grill: Grill
        {"", "Grill"},        // empty
        {"Default", "Grill"}, // no printer has that name
        {"packaging", "Packaging"},
    };
    for (const Step& s : steps) {
        list().SelectPrinter(QString::fromLatin1(s.name));
        EXPECT_EQ(list().Printer()->Name, QString::fromLatin1(s.selected)) << s.name;
    }
}

TEST_F(PrinterList, NoPrintersGiveTheVirtualPrinter) {
    use({}, QString());
    EXPECT_FALSE(list().HasPhysicalPrinters());
    EXPECT_EQ(list().PrinterNames(), QStringList({"Virtual"}));
    ASSERT_TRUE(list().Printer());
    EXPECT_TRUE(list().Printer()->isVirtual());
    EXPECT_EQ(list().Printer()->DpiX, 600);
    EXPECT_TRUE(list().Printer()->listsPaper(9));
    EXPECT_TRUE(list().Printer()->listsPaper(1));
}

TEST_F(PrinterList, APrinterRemovedAfterTheListWasMadeStaysUninitialized) {
    use({"Grill", "Kitchen"}, "Kitchen");
    ASSERT_EQ(list().PrinterNames().size(), 2); // the list is made now
    spooler->setPrinters({"Kitchen"});
    list().SelectPrinter(QStringLiteral("Grill"));
    EXPECT_EQ(list().Printer()->Name, QStringLiteral("Grill"));
    EXPECT_FALSE(list().Printer()->Initialized);
}

// A scheduler restarted with other queues: the list is read again and the selection kept while its printer
// is still there; from an empty list, printers that appear are found.
TEST_F(PrinterList, RefreshReadsTheQueuesAgainAndKeepsTheSelection) {
    use({}, "");
    EXPECT_FALSE(list().HasPhysicalPrinters());
    spooler->setPrinters({"Grill", "Kitchen", "Bar"});
    TrpPrinters::refresh();
    EXPECT_TRUE(list().HasPhysicalPrinters());
    list().SelectPrinter(QStringLiteral("Grill"));
    spooler->setPrinters({"Grill", "Kitchen", "Salads"});
    TrpPrinters::refresh();
    EXPECT_EQ(list().PrinterNames(), QStringList({"Grill", "Kitchen", "Salads"}));
    EXPECT_EQ(list().Printer()->Name, QStringLiteral("Grill"));
    spooler->setPrinters({"Kitchen"});
    TrpPrinters::refresh();
    EXPECT_EQ(list().Printer()->Name, QStringLiteral("Kitchen")) << "the selected printer is gone";
}

// A refresh asked for while a job prints (Start pressed from inside the printing) reads the list at once;
// the job's printer object outlives it for as long as the job holds it.
TEST_F(PrinterList, RefreshDuringAJobLeavesTheJobItsPrinter) {
    use({"Grill", "Kitchen"}, "Kitchen");
    TrpPrinters& before = list();
    std::shared_ptr<TrpCustomPrinter> printing = list().PrinterForJob();
    const std::weak_ptr<TrpCustomPrinter> watched = printing;
    spooler->setPrinters({"Grill", "Kitchen", "Salads"});
    TrpPrinters::refresh();
    EXPECT_EQ(&list(), &before) << "the list object is the one held before";
    EXPECT_EQ(list().PrinterNames(), QStringList({"Grill", "Kitchen", "Salads"}));
    EXPECT_EQ(list().Printer()->Name, QStringLiteral("Kitchen"));
    EXPECT_EQ(printing->Name, QStringLiteral("Kitchen"));
    EXPECT_TRUE(printing->Initialized) << "the job's printer is still usable";
    printing.reset();
    EXPECT_TRUE(watched.expired()) << "the old printer goes with the last job holding it";
}

TEST(TrpCustomPrinterSettings, PageSettingsHandedToTheDriver) {
    TrpVirtualPrinter printer;
    ASSERT_TRUE(printer.Init());
    struct Case {
        const char* why;
        int paper;
        bool landscape;
        double width;
        double height;
        SpoolPageSettings expected;
    } const cases[] = {
        {"a ticket: custom paper in tenths of a millimetre",
         256,
         false,
         72,
         143.27,
         {256, 720, 1433, false, 1, false, 7, 0}},
        {"a paper the driver does not list becomes custom",
         184,
         false,
         72,
         3276,
         {256, 720, 32760, false, 1, false, 7, 0}},
        {"a listed paper goes by its code", 9, false, 210, 297, {9, 0, 0, false, 1, false, 7, 0}},
        {"landscape swaps length and width", 256, true, 100, 50, {256, 500, 1000, true, 1, false, 7, 0}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(printer.pageSettings(c.paper, c.landscape, c.width, c.height, 1, 7, 0), c.expected)
            << c.why;
    }
}

} // namespace
