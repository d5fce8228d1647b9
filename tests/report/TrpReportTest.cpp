#include "ReportTestSupport.h"
#include "TrpDataPage.h"
#include "TrpDateTime.h"
#include "TrpError.h"
#include "TrpMemoView.h"
#include "TrpReportPage.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using ReportTest::CapturedErrorBox;
using ReportTest::document;
using ReportTest::pageWithBand;

namespace {

class ReportLoadTest : public ::testing::Test {
protected:
    QString write(const QString& name, const QByteArray& data) {
        const QString path = dir.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(data);
        return path;
    }

    QTemporaryDir dir;
    CapturedErrorBox box;
    TrpReport report;
};

TEST_F(ReportLoadTest, LoadsTheTemplateFile) {
    const QString path = write("rep_KitchenOrder.xml", ReportTest::fixture("kitchen_order.xml"));
    EXPECT_TRUE(report.LoadFromFile(path));
    EXPECT_EQ(report.FileName(), path);
    EXPECT_NE(report.FindObject("memo19"), nullptr);
    EXPECT_TRUE(box.texts().isEmpty());
}

TEST_F(ReportLoadTest, MissingFileEmptiesTheReportSilently) {
    ASSERT_TRUE(report.LoadFromFile(write("a.xml", ReportTest::fixture("kitchen_order.xml"))));
    EXPECT_FALSE(report.LoadFromFile(dir.filePath("deleted.xml")));
    EXPECT_TRUE(report.Objects().empty()); // no pages, no data page
    EXPECT_TRUE(report.Datasets().empty());
    EXPECT_TRUE(report.FileName().isEmpty());
    EXPECT_TRUE(box.texts().isEmpty());
    EXPECT_EQ(report.PrintOptions().Printer, QString("Default"));
}

TEST_F(ReportLoadTest, FileThatCannotBeOpenedRaisesAfterEmptying) {
    ASSERT_TRUE(report.LoadFromFile(write("a.xml", ReportTest::fixture("kitchen_order.xml"))));
    const QString folder = dir.filePath("folder.xml");
    ASSERT_TRUE(QDir().mkdir(folder));
    try {
        report.LoadFromFile(folder);
        FAIL() << "no error";
    } catch (const TrpError& e) {
        EXPECT_TRUE(e.message().startsWith(QStringLiteral("Cannot open file \"%1\". ").arg(folder)))
            << e.what();
        EXPECT_GT(e.message().size(), QStringLiteral("Cannot open file \"%1\". ").arg(folder).size());
    }
    EXPECT_TRUE(report.Objects().empty());
    // Missing, but asked to raise.
    EXPECT_THROW(report.LoadFromFile(dir.filePath("deleted.xml"), true), TrpError);
}

TEST_F(ReportLoadTest, ErrorLinesAreReportedInOneBox) {
    report.LoadFromMemory(
        document(pageWithBand("<TrpZeta Name=\"Z\"/><TrpMemoView Name=\"M1\" Left=\"x\"/>")));
    ASSERT_EQ(box.texts().size(), 1);
    EXPECT_EQ(box.texts()[0], QString("The following error(s) have occured:\r\n"
                                      "'x' is not a valid floating point value\r\n"
                                      "Cannot find class TrpZeta\r\n"));
    EXPECT_EQ(QString(TrpErrorBox::Caption), QString("Error"));
}

TEST_F(ReportLoadTest, InvalidFileKeepsOnlyTheDataPage) {
    report.LoadFromFile(write("bad.xml", "<TrpReport>"));
    ASSERT_EQ(report.Objects().size(), 1u);
    EXPECT_EQ(report.Objects()[0]->Name(), QString("Data"));
    EXPECT_EQ(box.texts(), QStringList{"The following error(s) have occured:\r\nInvalid file format\r\n"});
}

TEST_F(ReportLoadTest, SilentModes) {
    const QByteArray bad = document("<TrpZeta/>");
    report.EngineOptions().NewSilentMode = TrpSilentMode::simReThrow;
    try {
        report.LoadFromMemory(bad);
        FAIL() << "no error";
    } catch (const TrpError& e) {
        EXPECT_EQ(e.message(),
                  QString("The following error(s) have occured:\r\nCannot find class TrpZeta\r\n"));
    }
    report.EngineOptions().NewSilentMode = TrpSilentMode::simSilent;
    report.LoadFromMemory(bad);
    EXPECT_TRUE(box.texts().isEmpty());
    EXPECT_EQ(report.Errors(), QStringList{"Cannot find class TrpZeta"});
    // The file cannot change the component's silent mode.
    report.LoadFromMemory(document("", "EngineOptions.NewSilentMode=\"simMessageBoxes\""));
    EXPECT_EQ(report.EngineOptions().NewSilentMode, TrpSilentMode::simSilent);
}

TEST_F(ReportLoadTest, DataPageIsAddedWhenMissing) {
    report.LoadFromMemory(document("<TrpReportPage Name=\"Data\"/>"));
    ASSERT_EQ(report.Objects().size(), 2u);
    EXPECT_NE(dynamic_cast<TrpDataPage*>(report.Objects()[0].get()), nullptr);
    EXPECT_EQ(report.Objects()[0]->Name(), QString("Data1"));
    EXPECT_EQ(report.Objects()[1]->Name(), QString("Data"));
    // A file with its own data page keeps it.
    report.LoadFromMemory(document("<TrpReportPage Name=\"Page1\"/><TrpDataPage Name=\"D\"/>"));
    ASSERT_EQ(report.Objects().size(), 2u);
    EXPECT_EQ(report.Objects()[1]->Name(), QString("D"));
}

TEST_F(ReportLoadTest, EmptyingResetsTheTemplateValues) {
    report.LoadFromMemory(document(
        "<Datasets><item DataSetName=\"x\"/></Datasets><TrpReportPage Name=\"Page1\"/>",
        "PrintOptions.Printer=\"Kitchen\" PrintOptions.ShowDialog=\"False\" PrintOptions.Copies=\"4\" "
        "PrintOptions.Collate=\"False\" PrintOptions.PrintPages=\"ppOdd\" PrintOptions.Reverse=\"True\" "
        "PrintOptions.PageNumbers=\"2\" PrintOptions.PrintMode=\"pmScale\" PrintOptions.PrintOnSheet=\"3\" "
        "PrintOptions.Duplex=\"dmVertical\" ReportOptions.Name=\"Ticket\" ReportOptions.Author=\"A\" "
        "ScriptLanguage=\"Basic\" ScriptText.Text=\"x\" EngineOptions.ConvertNulls=\"False\" "
        "EngineOptions.DoublePass=\"True\" EngineOptions.IgnoreExprError=\"True\" "
        "EngineOptions.PrintIfEmpty=\"False\" "
        "PreviewOptions.OutlineVisible=\"True\" PreviewOptions.OutlineWidth=\"9\" "
        "PreviewOptions.PagesInCache=\"3\" "
        "PreviewOptions.Zoom=\"2\""));
    // Values the file gives stay; preview options other than the outline ones stay the component's.
    EXPECT_EQ(report.PrintOptions().Printer, QString("Kitchen"));
    EXPECT_FALSE(report.EngineOptions().ConvertNulls);
    EXPECT_FALSE(report.EngineOptions().PrintIfEmpty);
    EXPECT_TRUE(report.PreviewOptions().OutlineVisible);
    EXPECT_DOUBLE_EQ(report.PreviewOptions().Zoom, 1);

    const double before = TrpDateTime::now();
    report.Clear();
    EXPECT_TRUE(report.Objects().empty());
    EXPECT_TRUE(report.Datasets().empty());
    const TrpPrintOptions& print = report.PrintOptions();
    EXPECT_EQ(print.Printer, QString("Default"));
    EXPECT_TRUE(print.ShowDialog);
    EXPECT_EQ(print.Copies, 1);
    EXPECT_TRUE(print.Collate);
    EXPECT_TRUE(print.PageNumbers.isEmpty());
    EXPECT_EQ(print.PrintMode, TrpPrintMode::pmDefault);
    EXPECT_EQ(print.PrintOnSheet, 0);
    EXPECT_EQ(print.PrintPages, TrpPrintPages::ppAll);
    EXPECT_FALSE(print.Reverse);
    EXPECT_EQ(print.Duplex, TrpDuplexMode::dmNone);
    EXPECT_TRUE(report.ReportOptions().Name.isEmpty());
    EXPECT_TRUE(report.ReportOptions().Author.isEmpty());
    EXPECT_GE(report.ReportOptions().CreateDate, before);
    EXPECT_EQ(report.ScriptLanguage(), QString("PascalScript"));
    EXPECT_EQ(report.ScriptText(), (QStringList{"begin", "", "end."}));
    EXPECT_TRUE(report.EngineOptions().ConvertNulls);
    EXPECT_FALSE(report.EngineOptions().DoublePass);
    EXPECT_FALSE(report.EngineOptions().IgnoreExprError);
    EXPECT_FALSE(report.PreviewOptions().OutlineVisible);
    EXPECT_EQ(report.PreviewOptions().OutlineWidth, 120);
    EXPECT_EQ(report.PreviewOptions().PagesInCache, 50);
    EXPECT_EQ(report.SystemVariableNames(),
              (QStringList{"Date", "Time", "Page", "Page#", "TotalPages", "TotalPages#", "Line", "Line#",
                           "CopyName#", "TableRow", "TableColumn"}));

    // A new load starts with PrintIfEmpty true again.
    report.LoadFromMemory(document(""));
    EXPECT_TRUE(report.EngineOptions().PrintIfEmpty);
}

TEST_F(ReportLoadTest, VoidMessageSequence) {
    report.LoadFromMemory(
        document(pageWithBand("<TrpMemoView Name=\"Memo_VoidMessage\" Text=\"Memo_VoidMessage\"/>")));
    auto* memo = dynamic_cast<TrpMemoView*>(report.FindObject("memo_voidmessage"));
    ASSERT_NE(memo, nullptr);
    EXPECT_EQ(memo->Text(), QString("Memo_VoidMessage\r\n"));
    memo->SetText("Item Voided: Soup\r\nTable 4");
    EXPECT_EQ(memo->Memo().size(), 2);
}

} // namespace
