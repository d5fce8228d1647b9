#include "CapturingMessageService.h"
#include "MessageService.h"
#include "StartUp.h"
#include "TrpErrorBox.h"
#include "VeloriaApplication.h"

#include <QTimer>
#include <gtest/gtest.h>
#include <stdexcept>

namespace {

TEST(StandardErrorBox, FullStopRule) {
    struct Case {
        const char* why;
        const char* text;
        const char* shown;
    } const cases[] = {
        {"plain text gets a full stop", "Could Not Start Printing Server",
         "Could Not Start Printing Server."},
        // The quote's code is below the full stop's.
        {"a closing quote ends it as it is", "Invalid data type for 'Outlet_ID'",
         "Invalid data type for 'Outlet_ID'"},
        {"an existing full stop stays alone", "Done.", "Done."},
        {"a character below the full stop ends it as it is", "Error -", "Error -"},
        {"a trailing blank is below the full stop", "Error ", "Error "},
        {"a closing bracket is below it too", "Failed (42)", "Failed (42)"},
        {"a digit is above it", "Error 42", "Error 42."},
        {"a line break ends it as it is", "first\r\n", "first\r\n"},
        {"empty text stays empty", "", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(withClosingFullStop(QString::fromLatin1(c.text)), QString::fromLatin1(c.shown)) << c.why;
    }
}

TEST(DefaultErrorHandler, ErrorFromAnEventHandlerIsShownAndTheLoopGoesOn) {
    CapturingMessageService boxes;
    bool laterEventRan = false;
    QTimer::singleShot(0, [] { throw std::runtime_error("Printer selected is not valid"); });
    QTimer::singleShot(10, [&] {
        laterEventRan = true;
        QCoreApplication::quit();
    });
    QCoreApplication::exec();
    EXPECT_TRUE(laterEventRan);
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].caption, QStringLiteral("Printing Server"));
    EXPECT_EQ(boxes.shown[0].text, QStringLiteral("Printer selected is not valid."));
    EXPECT_EQ(boxes.shown[0].icon, MessageIcon::Error);
    EXPECT_EQ(boxes.shown[0].buttons, MbOk);
}

TEST(ReportErrorBox, GoesThroughTheMessageService) {
    CapturingMessageService boxes;
    bindReportMessages();
    TrpErrorBox::show(QStringLiteral("The following error(s) have occured:\r\nmemo19: Error in expression"));
    TrpErrorBox::setHandler({});
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].caption, QStringLiteral("Error"));
    EXPECT_EQ(boxes.shown[0].icon, MessageIcon::Error);
    EXPECT_EQ(boxes.shown[0].buttons, MbOk);
    EXPECT_TRUE(boxes.shown[0].text.endsWith(QStringLiteral("memo19: Error in expression")));
}

} // namespace

int main(int argc, char** argv) {
    VeloriaApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
