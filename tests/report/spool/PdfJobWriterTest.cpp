#include "PdfJobWriter.h"

#include "FileSizeLimit.h"
#include "OutputFile.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

bool writeOnePage(const QString& path) {
    PdfJobWriter writer(path, QStringLiteral("Ticket"));
    SpoolPageSettings page;
    page.paperWidth = 720;
    page.paperLength = 1433;
    writer.beginPage(page);
    writer.painter().drawText(QPointF(100, 100), QStringLiteral("Order #42"));
    writer.endPage();
    return writer.close();
}

// A job whose file cannot take the whole document must not be handed on as written.
TEST(PdfJobWriter, ReportsAFileThatCannotTakeTheWholeDocument) {
    EXPECT_FALSE(writeOnePage(QStringLiteral("/dev/full")));

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("job.pdf"));
    ASSERT_TRUE(writeOnePage(path));
    QFile pdf(path);
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    const QByteArray bytes = pdf.readAll();
    EXPECT_TRUE(bytes.startsWith("%PDF-"));
    EXPECT_TRUE(bytes.trimmed().endsWith("%%EOF"));
}

// A disk that fills half way through a document: the reason given is the system's, not an unknown one.
TEST(OutputFile, AWriteCutShortGivesTheSystemsReason) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("ticket.pdf"));
    QString why;
    {
        const FileSizeLimit limit(100);
        EXPECT_FALSE(OutputFile::writeAll(path, QByteArray(1000, 'x'), &why));
    }
    EXPECT_EQ(why, QStringLiteral("File too large"));
}

} // namespace
