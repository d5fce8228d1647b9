#include "FileVersion.h"

#include "QtGTestPrinters.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QByteArray ownExecutable() {
    QFile file(QCoreApplication::applicationFilePath());
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    return file.readAll();
}

QString writeFile(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes) {
    const QString path = dir.filePath(name);
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    return path;
}

std::string failureOf(const QString& path) {
    try {
        readFileVersion(path);
    } catch (const FileVersionError& e) {
        return e.what();
    }
    return "no error";
}

} // namespace

TEST(FileVersion, ReadsTheVersionTheBuildEmbedded) {
    // This test program carries the program's own file version, as the update check sends it.
    EXPECT_EQ(ownFileVersionText(), QStringLiteral(VELORIA_EXPECTED_FILE_VERSION));
}

TEST(FileVersion, TextIsFourUnpaddedDecimalNumbers) {
    struct Case {
        std::uint32_t ms, ls;
        const char* text;
    } cases[] = {
        {0x00020000, 0x000000C8, "2.0.0.200"},
        {0x00010002, 0x00030004, "1.2.3.4"},
        {0x00030000, 0x000A0000, "3.0.10.0"},            // a build number 0 stays, it is not dropped
        {0xFFFFFFFF, 0xFFFF0001, "65535.65535.65535.1"}, // 16-bit halves read unsigned
    };
    for (const Case& c : cases) {
        EXPECT_EQ((FileVersion{c.ms, c.ls}.text()), QString::fromLatin1(c.text)) << c.text;
    }
}

TEST(FileVersion, FilesWithoutARecordAreRefusedWithTheReason) {
    QTemporaryDir dir;
    const QByteArray self = ownExecutable();
    QByteArray renamed = self;
    ASSERT_TRUE(renamed.contains(".veloria_version"));
    renamed.replace(".veloria_version", ".veloria_Xersion"); // the section is still there, under another name

    struct Case {
        const char* what;
        QString path;
        const char* reason;
    } cases[] = {
        {"missing file", dir.filePath(QStringLiteral("absent")), "Cannot open"},
        {"text file", writeFile(dir, QStringLiteral("notes.txt"), "just text\n"),
         "it is not an executable file"},
        {"cut-off binary", writeFile(dir, QStringLiteral("cut"), self.left(200)), "truncated"},
        {"no record", writeFile(dir, QStringLiteral("renamed"), renamed), "carries no version record"},
    };
    for (const Case& c : cases) {
        const std::string message = failureOf(c.path);
        EXPECT_NE(message.find(c.reason), std::string::npos) << c.what << ": " << message;
        EXPECT_NE(message.find(c.path.toStdString()), std::string::npos) << c.what << ": " << message;
    }
}
