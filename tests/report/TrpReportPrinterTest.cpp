#include "TrpReportPrinter.h"

#include "PdfFolderSpooler.h"
#include "ReportTestSupport.h"
#include "TextPageSource.h"
#include "TrpError.h"
#include "TrpPageNumbers.h"
#include "TrpPreviewHook.h"
#include "TrpPreviewPages.h"
#include "TrpPrintDialogHook.h"
#include "TrpPrinters.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// Folder printers Grill, Kitchen (the default) and Packaging; a report whose options the tests set.
class ReportPrinting : public ::testing::Test {
protected:
    void SetUp() override {
        usePrinters({"Kitchen", "Grill", "Packaging"});
        report.PrintOptions().ShowDialog = false;
        report.PrintOptions().Printer = QStringLiteral("Kitchen");
    }
    void TearDown() override {
        TrpPrintDialogHook::setHandler({});
        TrpPrinters::reset();
        PrintSpooler::setCurrent(nullptr);
    }
    void usePrinters(QStringList printers) {
        const QString defaultPrinter = printers.isEmpty() ? QString() : printers.front();
        spooler = std::make_unique<PdfFolderSpooler>(dir.path(), std::move(printers), defaultPrinter);
        PrintSpooler::setCurrent(spooler.get());
        TrpPrinters::reset();
    }
    // Pages 1..n of 72 x (100 + page) mm.
    void pagesOf(int n) {
        for (int i = 1; i <= n; ++i) {
            pages.pages.push_back(TextPageSource::ticket(100 + i, {QStringLiteral("Page %1").arg(i)}));
        }
    }
    bool print() { return TrpReportPrinter::Print(report, pages); }
    // The order in which pages reached the paper, as page lengths minus 100.
    std::vector<int> printedPages(int job = 0) const {
        std::vector<int> order;
        for (const SpoolPageSettings& s : spooler->jobs().at(job).pages) {
            order.push_back(s.paperLength / 10 - 100);
        }
        return order;
    }

    QTemporaryDir dir;
    std::unique_ptr<PdfFolderSpooler> spooler;
    TrpReport report;
    TextPageSource pages;
    ReportTest::CapturedErrorBox errorBox;
};

TEST_F(ReportPrinting, ATicketPageGoesToTheDriverAsCustomPaperInTenthsOfAMillimetre) {
    pages.pages.push_back(TextPageSource::ticket(143.27, {QStringLiteral("Mixed Grill")}));
    EXPECT_TRUE(print());
    ASSERT_EQ(spooler->jobs().size(), 1);
    const auto& job = spooler->jobs().front();
    EXPECT_EQ(job.printer, QStringLiteral("Kitchen"));
    ASSERT_EQ(job.pages.size(), 1);
    EXPECT_EQ(job.pages.front(), (SpoolPageSettings{256, 720, 1433, false, 1, false, 7, 0}));
    // Drawn at the device's resolution, the page's origin on the paper's corner.
    ASSERT_EQ(pages.drawn.size(), 1u);
    EXPECT_DOUBLE_EQ(pages.drawn.front().scale, 600.0 / 96);
    EXPECT_TRUE(pages.drawn.front().forPrinter);
    EXPECT_TRUE(errorBox.texts().isEmpty());
}

// Where a job goes is the printer's or the print dialog's choice, never the template's: a template file
// naming an output file still prints on its printer.
TEST_F(ReportPrinting, ATemplateCannotRedirectPrintingIntoAFile) {
    const QString stolen = dir.filePath(QStringLiteral("stolen.prn"));
    const auto loaded = ReportTest::load(ReportTest::document(
        "<TrpReportPage Name=\"Page1\"/>", "PrintOptions.PrnOutFileName=\"" + stolen.toUtf8() + "\""));
    EXPECT_TRUE(loaded->Errors().isEmpty());
    EXPECT_TRUE(loaded->PrintOptions().PrnOutFileName.isEmpty());
    loaded->PrintOptions().ShowDialog = false;
    loaded->PrintOptions().Printer = QStringLiteral("Grill");
    pages.pages.push_back(TextPageSource::ticket(100, {QStringLiteral("Soup")}));
    EXPECT_TRUE(TrpReportPrinter::Print(*loaded, pages));
    ASSERT_EQ(spooler->jobs().size(), 1);
    EXPECT_EQ(spooler->jobs().front().printer, QStringLiteral("Grill"));
    EXPECT_NE(spooler->jobs().front().file, stolen);
    EXPECT_FALSE(QFile::exists(stolen));
}

TEST_F(ReportPrinting, CopiesCollationReverseAndPageSelection) {
    pagesOf(4);
    struct Case {
        const char* why;
        int copies;
        bool collate;
        bool reverse;
        const char* pageNumbers;
        TrpPrintPages printPages;
        std::vector<int> order;
        int driverCopies;
    } const cases[] = {
        {"all pages once", 1, true, false, "", TrpPrintPages::ppAll, {1, 2, 3, 4}, 1},
        {"a copies below 1 counts as 1", 0, true, false, "", TrpPrintPages::ppAll, {1, 2, 3, 4}, 1},
        {"collated copies repeat the pages",
         2,
         true,
         false,
         "",
         TrpPrintPages::ppAll,
         {1, 2, 3, 4, 1, 2, 3, 4},
         1},
        {"uncollated copies go to the driver", 3, false, false, "", TrpPrintPages::ppAll, {1, 2, 3, 4}, 3},
        {"reverse order", 1, true, true, "", TrpPrintPages::ppAll, {4, 3, 2, 1}, 1},
        {"page numbers and ranges", 1, true, false, "1, 3-4", TrpPrintPages::ppAll, {1, 3, 4}, 1},
        {"a range written backwards", 1, true, false, "3-2", TrpPrintPages::ppAll, {2, 3}, 1},
        {"odd pages", 1, true, false, "", TrpPrintPages::ppOdd, {1, 3}, 1},
        {"even pages, reversed", 1, true, true, "", TrpPrintPages::ppEven, {4, 2}, 1},
        {"even pages among the numbers", 1, true, false, "2-3", TrpPrintPages::ppEven, {2}, 1},
    };
    int job = 0;
    for (const Case& c : cases) {
        report.PrintOptions().Copies = c.copies;
        report.PrintOptions().Collate = c.collate;
        report.PrintOptions().Reverse = c.reverse;
        report.PrintOptions().PageNumbers = QString::fromLatin1(c.pageNumbers);
        report.PrintOptions().PrintPages = c.printPages;
        ASSERT_TRUE(print()) << c.why;
        ASSERT_EQ(static_cast<int>(spooler->jobs().size()), job + 1) << c.why;
        EXPECT_EQ(printedPages(job), c.order) << c.why;
        for (const SpoolPageSettings& s : spooler->jobs().at(job).pages) {
            EXPECT_EQ(s.copies, c.driverCopies) << c.why;
            EXPECT_FALSE(s.collate) << c.why;
        }
        ++job;
    }
}

TEST_F(ReportPrinting, SettingsFollowEachPagesPaper) {
    pages.pages.push_back(TextPageSource::ticket(143.27, {}));
    pages.pages.push_back(TextPageSource::ticket(143.4, {})); // the same in whole millimetres
    pages.pages.push_back(TextPageSource::ticket(200, {}));
    TextPageSource::Page landscape = TextPageSource::ticket(50, {});
    landscape.format.Orientation = TrpPrintOrientation::poLandscape;
    landscape.format.Bin = 2;
    pages.pages.push_back(landscape);
    ASSERT_TRUE(print());
    const auto& settings = spooler->jobs().front().pages;
    ASSERT_EQ(settings.size(), 4);
    EXPECT_EQ(settings[0].paperLength, 1433);
    EXPECT_EQ(settings[1].paperLength, 1433) << "not handed over again";
    EXPECT_EQ(settings[2].paperLength, 2000);
    EXPECT_EQ(settings[3], (SpoolPageSettings{256, 500, 720, true, 1, false, 2, 0}));
    // The bin chosen for the job does not stay with the printer.
    EXPECT_EQ(TrpPrinters::instance().Printer()->DeviceMode.bin, 7);
}

TEST_F(ReportPrinting, JobTitleIsTheReportsNameElseItsFileElseTheDefault) {
    pagesOf(1);
    QFile file(dir.filePath(QStringLiteral("rep_KitchenOrder.xml")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(ReportTest::document(QByteArray()));
    file.close();
    ASSERT_TRUE(report.LoadFromFile(file.fileName()));
    report.PrintOptions().ShowDialog = false;
    ASSERT_TRUE(print());
    report.ReportOptions().Name = QStringLiteral("Kitchen order");
    ASSERT_TRUE(print());
    ASSERT_FALSE(report.LoadFromFile(dir.filePath(QStringLiteral("missing.xml"))));
    report.PrintOptions().ShowDialog = false;
    ASSERT_TRUE(print());
    ASSERT_EQ(spooler->jobs().size(), 3);
    EXPECT_EQ(spooler->jobs()[0].title, file.fileName()) << "two tickets, two documents, each its title";
    EXPECT_EQ(spooler->jobs()[1].title, QStringLiteral("Kitchen order"));
    EXPECT_EQ(spooler->jobs()[2].title, QStringLiteral("Report"));
}

TEST_F(ReportPrinting, PrinterChosenByNameOrElseThePreviousOne) {
    pagesOf(1);
    struct Step {
        const char* name;
        const char* printedOn;
    } const steps[] = {{"Nowhere", "Kitchen"}, {"gRILL", "Grill"}, {"Nowhere", "Grill"}, {"", "Grill"}};
    for (const Step& s : steps) {
        report.PrintOptions().Printer = QString::fromLatin1(s.name);
        ASSERT_TRUE(print());
        EXPECT_EQ(spooler->jobs().back().printer, QString::fromLatin1(s.printedOn)) << s.name;
        EXPECT_EQ(report.PrintOptions().Printer, QString::fromLatin1(s.name)) << "options restored";
    }
}

TEST_F(ReportPrinting, NothingToPrintStartsNoDocument) {
    EXPECT_TRUE(print());
    pagesOf(2);
    report.PrintOptions().PageNumbers = QStringLiteral("7");
    EXPECT_TRUE(print());
    EXPECT_TRUE(spooler->jobs().empty());
    EXPECT_TRUE(QDir(dir.filePath(QStringLiteral("Kitchen"))).entryList(QDir::Files).isEmpty());
}

TEST_F(ReportPrinting, FailuresTellWhatHappenedAndLeaveTheOptionsAsTheyWere) {
    pagesOf(1);
    report.PrintOptions().Copies = 2;
    const TrpPrintOptions before = report.PrintOptions();
    auto unchanged = [&] {
        const TrpPrintOptions& now = report.PrintOptions();
        return now.Printer == before.Printer && now.Copies == before.Copies &&
               now.ShowDialog == before.ShowDialog;
    };

    // The queue refuses the job: an error naming the printer and the reason, nothing printed.
    spooler->setRefusal(QStringLiteral("Kitchen"), QStringLiteral("paper out"));
    try {
        print();
        ADD_FAILURE() << "a refused job was reported as printed";
    } catch (const SpoolError& e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("\"Kitchen\""))) << e.what();
        EXPECT_TRUE(e.message().contains(QStringLiteral("paper out"))) << e.what();
    }
    EXPECT_TRUE(spooler->jobs().empty());
    EXPECT_TRUE(unchanged());
    spooler->setRefusal(QString(), QString());

    // Page numbers that are no list: an error, nothing printed.
    report.PrintOptions().PageNumbers = QStringLiteral("1;3");
    EXPECT_THROW(print(), TrpError);
    report.PrintOptions().PageNumbers.clear();
    EXPECT_TRUE(spooler->jobs().empty());

    // A printer removed after the list was made: "Printer selected is not valid" raised (the ticket must
    // not count as printed), nothing printed.
    ASSERT_EQ(TrpPrinters::instance().PrinterNames().size(), 3);
    spooler->setPrinters({"Kitchen"});
    report.PrintOptions().Printer = QStringLiteral("Grill");
    try {
        print();
        ADD_FAILURE() << "a printer that cannot be opened was reported as printed";
    } catch (const SpoolError& e) {
        EXPECT_EQ(e.message(), QStringLiteral("Printer selected is not valid: \"Grill\""));
    }
    EXPECT_TRUE(errorBox.texts().isEmpty());
    EXPECT_TRUE(spooler->jobs().empty());
    EXPECT_EQ(report.PrintOptions().Printer, QStringLiteral("Grill"));

    // No printer installed: the message, false, nothing queued.
    usePrinters({});
    report.PrintOptions().Printer = QStringLiteral("Kitchen");
    EXPECT_FALSE(print());
    EXPECT_EQ(errorBox.texts(), QStringList({"No printers installed on your system"}));
    EXPECT_TRUE(spooler->jobs().empty());
}

TEST_F(ReportPrinting, TheDialogChoosesThePrinterForThisJobOnly) {
    pagesOf(3);
    report.PrintOptions().ShowDialog = true;
    int asked = 0;
    TrpPrintDialogHook::setHandler([&asked](TrpPrintOptions& options, int currentPage, int pageCount) {
        ++asked;
        EXPECT_EQ(currentPage, 2);
        EXPECT_EQ(pageCount, 3);
        options.Printer = QStringLiteral("Packaging");
        options.PageNumbers = QString::number(currentPage);
        return true;
    });
    EXPECT_TRUE(TrpReportPrinter::Print(report, pages, 2));
    ASSERT_EQ(spooler->jobs().size(), 1);
    EXPECT_EQ(spooler->jobs().front().printer, QStringLiteral("Packaging"));
    EXPECT_EQ(printedPages(), std::vector<int>({2}));
    EXPECT_EQ(report.PrintOptions().Printer, QStringLiteral("Kitchen"));
    EXPECT_TRUE(report.PrintOptions().PageNumbers.isEmpty());
    EXPECT_EQ(TrpPrinters::instance().Printer()->Name, QStringLiteral("Packaging")) << "the list keeps it";

    // Cancelled: nothing printed, false.
    TrpPrintDialogHook::setHandler([](TrpPrintOptions&, int, int) { return false; });
    EXPECT_FALSE(TrpReportPrinter::Print(report, pages, 1));
    EXPECT_EQ(spooler->jobs().size(), 1);
    EXPECT_EQ(asked, 1);
}

TEST_F(ReportPrinting, AStopRequestDropsTheJob) {
    pagesOf(3);
    int asked = 0;
    EXPECT_TRUE(TrpReportPrinter::Print(report, pages, 1, [&asked] { return ++asked == 2; }));
    EXPECT_TRUE(spooler->jobs().empty());
    EXPECT_EQ(pages.drawn.size(), 1u);
}

// Start pressed while a ticket prints reads the printer list again from a handler run between the pages;
// the job goes on with its printer to the last page, and the list keeps the selection.
TEST_F(ReportPrinting, ARefreshBetweenPagesLeavesTheJobItsPrinter) {
    pagesOf(3);
    int refreshed = 0;
    EXPECT_TRUE(TrpReportPrinter::Print(report, pages, 1, [this, &refreshed] {
        spooler->setPrinters({"Kitchen", "Grill", "Packaging", "Salads"});
        TrpPrinters::refresh();
        ++refreshed;
        return false;
    }));
    EXPECT_EQ(refreshed, 3);
    ASSERT_EQ(spooler->jobs().size(), 1);
    EXPECT_EQ(spooler->jobs().front().printer, QStringLiteral("Kitchen"));
    EXPECT_EQ(printedPages(), std::vector<int>({1, 2, 3}));
    EXPECT_EQ(TrpPrinters::instance().PrinterNames().size(), 4);
    EXPECT_EQ(TrpPrinters::instance().Printer()->Name, QStringLiteral("Kitchen"));
}

TEST_F(ReportPrinting, TheReportPrintsAndPreviewsItsPreparedPages) {
    TrpReport receipt;
    ASSERT_TRUE(receipt.LoadFromFile(qEnvironmentVariable("VELORIA_SOURCE_DIR") +
                                     QStringLiteral("/templates/rep_TestReceipt_80.xml")));
    ASSERT_TRUE(receipt.PrepareReport(true));
    ASSERT_EQ(receipt.PreviewPages().Count(), 1);
    const QSizeF paper = receipt.PreviewPages().GetPageSize(0);
    receipt.PrintOptions().Printer = QStringLiteral("packaging");
    receipt.PrintOptions().ShowDialog = false;
    ASSERT_TRUE(receipt.Print());
    ASSERT_EQ(spooler->jobs().size(), 1);
    EXPECT_EQ(spooler->jobs().front().printer, QStringLiteral("Packaging"));
    ASSERT_EQ(spooler->jobs().front().pages.size(), 1);
    EXPECT_EQ(spooler->jobs().front().pages.front(),
              (SpoolPageSettings{256, 720, static_cast<int>(std::lround(paper.height() * 10)), false, 1,
                                 false, 7, 0}));
    EXPECT_DOUBLE_EQ(paper.width(), 72);

    // ShowReport discards the pages and prepares again inside the preview (no window bound here).
    int previews = 0;
    TrpPreviewHook::setHandler(
        [&previews](TrpReport&, const TrpPageSource& pages, const std::function<void()>& prepare) {
            ++previews;
            EXPECT_EQ(pages.PageCount(), 0);
            prepare();
            EXPECT_EQ(pages.PageCount(), 1);
        });
    receipt.ShowReport(true);
    TrpPreviewHook::setHandler({});
    EXPECT_EQ(previews, 1);
    EXPECT_TRUE(errorBox.texts().isEmpty());
}

TEST(TrpPageNumbersParsing, ListsRangesAndBadText) {
    const TrpPageNumbers numbers(QStringLiteral(" 2, 5-7 ,10"));
    std::vector<int> included;
    for (int page = 1; page <= 11; ++page) {
        if (numbers.includes(page)) {
            included.push_back(page);
        }
    }
    EXPECT_EQ(included, std::vector<int>({2, 5, 6, 7, 10}));
    EXPECT_TRUE(TrpPageNumbers(QString()).all());
    for (const char* bad : {"x", "1,,2", "0", "-3", "2-", "1 2", "1.5"}) {
        EXPECT_FALSE(TrpPageNumbers::isValid(QString::fromLatin1(bad))) << bad;
    }
}

} // namespace
