#include "TemplateExpectations.h"
#include "TicketAdapters.h"
#include "TicketTemplateFiles.h"

#include <QFile>
#include <QLocale>
#include <gtest/gtest.h>

using namespace TemplateExpectations;

namespace {

QByteArray fileBytes(const QString& path) {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    return file.readAll();
}

const char* const Files[] = {"rep_KitchenOrder.xml", "rep_PackagingOrder.xml", "rep_KitchenVoid.xml",
                             "rep_TestReceipt_80.xml"};

class CLocale {
public:
    CLocale() { QLocale::setDefault(QLocale::c()); }
    ~CLocale() { QLocale::setDefault(m_previous); }

private:
    QLocale m_previous;
};

TEST(TemplateFiles, ReadAndWrittenAgainGiveTheSameBytes) {
    const CLocale locale;
    for (const char* name : Files) {
        SCOPED_TRACE(name);
        Adapters adapters;
        const auto report = load(name, adapters);
        EXPECT_EQ(report->SaveToMemory(), fileBytes(templatePath(name)));
    }
}

// The files are what the template generator writes: a design changed in one place only fails here.
TEST(TemplateFiles, AreTheGeneratorsOutput) {
    TicketAdapters adapters;
    const auto files = ticketTemplateFiles(adapters, fileBytes(templatePath("logo/your-logo-here.png")));
    ASSERT_EQ(files.size(), std::size(Files));
    for (size_t i = 0; i < files.size(); ++i) {
        SCOPED_TRACE(Files[i]);
        EXPECT_EQ(files[i].fileName, Files[i]);
        EXPECT_EQ(files[i].contents(), fileBytes(templatePath(Files[i])));
    }
}

} // namespace
