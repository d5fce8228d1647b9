#include "TrpPreviewForm.h"

#include "CapturingMessageService.h"
#include "ModalDriver.h"
#include "PdfFolderSpooler.h"
#include "TextPageSource.h"
#include "TrpErrorBox.h"
#include "TrpPreviewHook.h"
#include "TrpPreviewPages.h"
#include "TrpPrintDialog.h"
#include "TrpPrintDialogHook.h"
#include "TrpPrinters.h"
#include "TrpReport.h"
#include "TrpReportUi.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

// Folder printers, the report's windows bound, the report's message boxes going to the message service.
class ReportWindows : public ::testing::Test {
protected:
    void SetUp() override {
        spooler = std::make_unique<PdfFolderSpooler>(dir.path(), QStringList{"Kitchen", "Grill", "Packaging"},
                                                     QStringLiteral("Kitchen"));
        PrintSpooler::setCurrent(spooler.get());
        TrpPrinters::reset();
        TrpReportUi::install();
        TrpErrorBox::setHandler([](const QString& text) {
            MessageService::current().show(
                {QLatin1String(TrpErrorBox::Caption), text, MessageIcon::Error, MbOk});
        });
    }
    void TearDown() override {
        TrpErrorBox::setHandler({});
        TrpPrintDialogHook::setHandler({});
        TrpPreviewHook::setHandler({});
        TrpPrinters::reset();
        PrintSpooler::setCurrent(nullptr);
    }
    QString selected() const { return TrpPrinters::instance().Printer()->Name; }

    QTemporaryDir dir;
    std::unique_ptr<PdfFolderSpooler> spooler;
    CapturingMessageService messages;
    ModalWatchdog watchdog;
};

TEST_F(ReportWindows, TestReceiptPreviewPrintsThroughTheDialog) {
    // As the stations window does it: load, prepare, no printer name, the dialog, ShowReport.
    TrpReport report;
    ASSERT_TRUE(report.LoadFromFile(qEnvironmentVariable("VELORIA_SOURCE_DIR") +
                                    QStringLiteral("/templates/rep_TestReceipt_80.xml")));
    ASSERT_TRUE(report.PrepareReport(true));
    report.PrintOptions().Printer = QString();
    report.PrintOptions().ShowDialog = true;
    const QString caption =
        report.ReportOptions().Name.isEmpty() ? QStringLiteral("Preview") : report.ReportOptions().Name;
    const TrpPreviewPages& pages = report.PreviewPages();
    bool cancelledChecked = false;
    bool printedChecked = false;

    whenModal<TrpPreviewForm>(
        [&](TrpPreviewForm*) { return pages.Count() > 0; },
        [&](TrpPreviewForm* form) {
            EXPECT_EQ(form->windowTitle(), caption);
            EXPECT_TRUE(form->windowState() & Qt::WindowMaximized);
            EXPECT_TRUE(form->isModal());
            auto* zoom = child<QComboBox>(form, "cb_Zoom");
            QStringList entries;
            for (int i = 0; i < zoom->count(); ++i) {
                entries.append(zoom->itemText(i));
            }
            EXPECT_EQ(entries,
                      QStringList({"25%", "50%", "75%", "100%", "150%", "200%", "Page width", "Whole page"}));
            EXPECT_EQ(zoom->currentText(), QStringLiteral("100%"));
            EXPECT_DOUBLE_EQ(form->Zoom(), 1);
            zoom->setCurrentIndex(5);
            Q_EMIT zoom->activated(5);
            EXPECT_DOUBLE_EQ(form->Zoom(), 2);
            zoom->setCurrentIndex(7);
            Q_EMIT zoom->activated(7);
            EXPECT_LT(form->Zoom(), 2) << "the whole receipt fits the window";
            EXPECT_EQ(form->CurrentPage(), 1);
            EXPECT_FALSE(child<QToolButton>(form, "btn_Next")->isEnabled());

            auto* printButton = child<QToolButton>(form, "btn_Print");
            ASSERT_TRUE(printButton->isEnabled());

            // Cancel: the printer chosen in the dialog is not kept, nothing prints.
            whenModal<TrpPrintDialog>(
                [](TrpPrintDialog*) { return true; },
                [&](TrpPrintDialog* dialog) {
                    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Print"));
                    auto* printer = child<QComboBox>(dialog, "cb_Printer");
                    EXPECT_EQ(printer->currentText(), QStringLiteral("Kitchen"));
                    EXPECT_TRUE(child<QRadioButton>(dialog, "rb_All")->isChecked());
                    EXPECT_EQ(child<QSpinBox>(dialog, "edt_Copies")->value(), 1);
                    EXPECT_TRUE(child<QCheckBox>(dialog, "chk_Collate")->isChecked());
                    printer->setCurrentIndex(printer->findText(QStringLiteral("Grill")));
                    EXPECT_EQ(selected(), QStringLiteral("Grill")) << "selected at once";
                    child<QPushButton>(dialog, "btn_Cancel")->click();
                    cancelledChecked = true;
                });
            printButton->click();
            EXPECT_TRUE(cancelledChecked);
            EXPECT_EQ(selected(), QStringLiteral("Kitchen"));
            EXPECT_TRUE(spooler->jobs().empty());

            // OK: two copies on Grill, the preview stays open.
            whenModal<TrpPrintDialog>([](TrpPrintDialog*) { return true; },
                                      [&](TrpPrintDialog* dialog) {
                                          auto* printer = child<QComboBox>(dialog, "cb_Printer");
                                          printer->setCurrentIndex(
                                              printer->findText(QStringLiteral("Grill")));
                                          child<QSpinBox>(dialog, "edt_Copies")->setValue(2);
                                          child<QPushButton>(dialog, "btn_OK")->click();
                                          printedChecked = true;
                                      });
            printButton->click();
            EXPECT_TRUE(printedChecked);
            EXPECT_TRUE(form->isVisible());
            child<QToolButton>(form, "btn_Close")->click();
        });

    report.ShowReport(true);

    ASSERT_EQ(pages.Count(), 1);
    ASSERT_EQ(spooler->jobs().size(), 1);
    EXPECT_EQ(spooler->jobs().front().printer, QStringLiteral("Grill"));
    EXPECT_EQ(spooler->jobs().front().title,
              report.ReportOptions().Name.isEmpty() ? report.FileName() : report.ReportOptions().Name);
    ASSERT_EQ(spooler->jobs().front().pages.size(), 2) << "two collated copies";
    EXPECT_EQ(spooler->jobs().front().pages.front().paperWidth, 720);
    EXPECT_EQ(spooler->jobs().front().pages.front().paperLength,
              std::lround(pages.GetPageSize(0).height() * 10));
    EXPECT_EQ(selected(), QStringLiteral("Grill")) << "the list keeps the dialog's printer";
    EXPECT_TRUE(report.PrintOptions().Printer.isEmpty());
    EXPECT_EQ(report.PrintOptions().Copies, 1);
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(ReportWindows, PrintDialogWritesItsChoicesOnOk) {
    TrpPrintOptions options;
    options.PageNumbers = QStringLiteral("2");
    options.Copies = 3;
    options.Collate = false;
    options.Reverse = true;
    options.PrintPages = TrpPrintPages::ppEven;
    {
        TrpPrintDialog dialog(options, 4);
        EXPECT_TRUE(child<QRadioButton>(&dialog, "rb_Pages")->isChecked());
        EXPECT_EQ(child<QLineEdit>(&dialog, "edt_Pages")->text(), QStringLiteral("2"));
        EXPECT_EQ(child<QSpinBox>(&dialog, "edt_Copies")->value(), 3);
        EXPECT_FALSE(child<QCheckBox>(&dialog, "chk_Collate")->isChecked());
        EXPECT_EQ(child<QComboBox>(&dialog, "cb_Order")->currentIndex(), 1);
        EXPECT_EQ(child<QComboBox>(&dialog, "cb_PrintPages")->currentIndex(), 2);
    }
    struct Case {
        const char* radio;
        const char* field;
        const char* expected;
    } const cases[] = {{"rb_All", "", ""}, {"rb_CurrentPage", "", "4"}, {"rb_Pages", " 1,3-5 ", "1,3-5"}};
    for (const Case& c : cases) {
        TrpPrintDialog dialog(options, 4);
        child<QRadioButton>(&dialog, c.radio)->setChecked(true);
        child<QLineEdit>(&dialog, "edt_Pages")->setText(QString::fromLatin1(c.field));
        child<QComboBox>(&dialog, "cb_Printer")->setCurrentIndex(2); // Packaging
        child<QComboBox>(&dialog, "cb_Duplex")->setCurrentIndex(1);
        child<QCheckBox>(&dialog, "chk_Collate")->setChecked(true);
        dialog.accept();
        EXPECT_EQ(dialog.result(), QDialog::Accepted) << c.radio;
        EXPECT_EQ(options.PageNumbers, QString::fromLatin1(c.expected)) << c.radio;
        EXPECT_EQ(options.Printer, QStringLiteral("Packaging"));
        EXPECT_EQ(options.Duplex, TrpDuplexMode::dmVertical);
        EXPECT_TRUE(options.Collate);
        EXPECT_EQ(selected(), QStringLiteral("Packaging"));
    }
    EXPECT_TRUE(messages.shown.empty());

    // Page numbers that are no list: said so, the dialog stays open.
    {
        TrpPrintDialog dialog(options, 1);
        child<QRadioButton>(&dialog, "rb_Pages")->setChecked(true);
        child<QLineEdit>(&dialog, "edt_Pages")->setText(QStringLiteral("1-x"));
        dialog.accept();
        EXPECT_NE(dialog.result(), QDialog::Accepted);
        ASSERT_EQ(messages.shown.size(), 1u);
        EXPECT_EQ(messages.shown.front().caption, QStringLiteral("Error"));
        EXPECT_TRUE(messages.shown.front().text.contains(QStringLiteral("1-x")));
    }

    // Print to file: no name cancels (and the printer selected before comes back); a file name without a
    // point gets ".prn", whatever the folders are called.
    TrpPrinters::instance().SelectPrinter(QStringLiteral("Kitchen"));
    QString answer;
    const auto previous = TrpPrintDialog::setFileNameAsker([&answer](QWidget*) { return answer; });
    const struct {
        QString given;
        QString written;
    } files[] = {{QString(), QString()},
                 {QStringLiteral("/tmp/out/ticket"), QStringLiteral("/tmp/out/ticket.prn")},
                 {QStringLiteral("/tmp/v1.2/ticket"), QStringLiteral("/tmp/v1.2/ticket.prn")},
                 {QStringLiteral("/tmp/v1.2/ticket.pdf"), QStringLiteral("/tmp/v1.2/ticket.pdf")}};
    for (const auto& [given, written] : files) {
        answer = given;
        TrpPrintDialog dialog(options, 1);
        child<QComboBox>(&dialog, "cb_Printer")->setCurrentIndex(1); // Grill
        child<QCheckBox>(&dialog, "chk_PrintToFile")->setChecked(true);
        dialog.accept();
        if (given.isEmpty()) {
            EXPECT_EQ(dialog.result(), QDialog::Rejected);
            EXPECT_EQ(selected(), QStringLiteral("Kitchen"));
        } else {
            EXPECT_EQ(dialog.result(), QDialog::Accepted);
            EXPECT_EQ(options.PrnOutFileName, written);
        }
    }
    TrpPrintDialog::setFileNameAsker(previous);
}

TEST_F(ReportWindows, PrintingWithoutPrintersSaysSoThroughTheMessageService) {
    PdfFolderSpooler none(dir.path(), {}, QString());
    PrintSpooler::setCurrent(&none);
    TrpPrinters::reset();
    TrpReport report;
    TextPageSource pages;
    pages.pages.push_back(TextPageSource::ticket(100, {QStringLiteral("x")}));
    TrpPreviewForm form(report, pages);
    form.refresh();
    child<QToolButton>(&form, "btn_Print")->click();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown.front().text, QStringLiteral("No printers installed on your system"));
    EXPECT_EQ(messages.shown.front().caption, QStringLiteral("Error"));
    EXPECT_EQ(messages.shown.front().icon, MessageIcon::Error);
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Preview"));
}

// The preview options' Buttons decide which tool buttons show, once the window is on screen.
TEST_F(ReportWindows, TheButtonsOptionHidesToolButtons) {
    TextPageSource pages;
    pages.pages.push_back(TextPageSource::ticket(100, {QStringLiteral("x")}));
    struct Case {
        int buttons;
        bool print, next, close;
    };
    const Case cases[] = {
        {4095, true, true, true},
        {4095 & ~TrpPreviewForm::pbPrint, false, true, true},
        {TrpPreviewForm::pbPrint | TrpPreviewForm::pbNoClose, true, false, false},
    };
    for (const Case& c : cases) {
        TrpReport report;
        report.PreviewOptions().Buttons = c.buttons;
        TrpPreviewForm form(report, pages);
        form.show();
        QApplication::processEvents();
        EXPECT_EQ(child<QToolButton>(&form, "btn_Print")->isVisible(), c.print) << c.buttons;
        EXPECT_EQ(child<QToolButton>(&form, "btn_Next")->isVisible(), c.next) << c.buttons;
        EXPECT_EQ(child<QToolButton>(&form, "btn_Close")->isVisible(), c.close) << c.buttons;
    }
}

} // namespace
