#include "zaf/core/ZafErrorStub.h"
#include "zaf/core/ZafWindowObject.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

struct Report
{
    int calls = 0;
    ZafWindowObject *object = nullptr;
    std::string title;
    unsigned flags = 0;
    std::string message;
};
Report lastReport;

ZafEventType AnswerOK(ZafWindowObject *object, const char *title, unsigned flags, const char *message)
{
    ++lastReport.calls;
    lastReport.object = object;
    lastReport.title = title ? title : "<null>";
    lastReport.flags = flags;
    lastReport.message = message;
    return ZAF_DIALOG_OK;
}

// Installs the answer hook for one test and removes it afterwards.
class ZafErrorStubTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        lastReport = Report();
        previous = ZafErrorStub::SetAnswerHook(AnswerOK);
    }
    void TearDown() override { ZafErrorStub::SetAnswerHook(previous); }
    ZafErrorStub::AnswerHook previous = nullptr;
};

} // namespace

TEST(ZafErrorStubFormat, CutsALongMessageAtTheBufferWithoutOverrunningIt)
{
    // A 1024-byte buffer between guard bytes, and a text of 2000 characters.
    char area[1024 + 16];
    std::memset(area, '#', sizeof(area));
    char *buffer = area + 8;
    std::string longText(2000, 'x');
    std::size_t length = ZafErrorStub::FormatErrorText(buffer, 1024, "Error in %s: %d", longText.c_str(), 5);
    EXPECT_EQ(length, 1023u);
    EXPECT_EQ(buffer[1023], '\0');
    EXPECT_EQ(std::string(buffer, 9), "Error in ");
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(area[i], '#');
        EXPECT_EQ(area[8 + 1024 + i], '#');
    }
}

TEST(ZafErrorStubFormat, ShortMessagesAndEdgeCases)
{
    char buffer[32];
    EXPECT_EQ(ZafErrorStub::FormatErrorText(buffer, sizeof(buffer), "%s %d%%", "Value", 42), 9u);
    EXPECT_STREQ(buffer, "Value 42%");
    EXPECT_EQ(ZafErrorStub::FormatErrorText(buffer, sizeof(buffer), nullptr), 0u);
    EXPECT_STREQ(buffer, "");
    EXPECT_EQ(ZafErrorStub::FormatErrorText(buffer, 1, "abc"), 0u);
    EXPECT_STREQ(buffer, "");
    EXPECT_EQ(ZafErrorStub::FormatErrorText(buffer, 0, "abc"), 0u);
    EXPECT_EQ(ZafErrorStub::FormatErrorText(nullptr, 10, "abc"), 0u);
}

TEST_F(ZafErrorStubTest, TheHookAnswersWithTheFormattedMessage)
{
    ZafErrorStub errors;
    ZafWindowObject field(0, 0, 10, 1);
    ZafEventType code = errors.ReportError(&field, "Error", MB_OK | MB_ICONSTOP,
                                           "The value %d is not in %s.", 12, "1..10");
    EXPECT_EQ(code, ZAF_DIALOG_OK);
    EXPECT_EQ(lastReport.calls, 1);
    EXPECT_EQ(lastReport.object, &field);
    EXPECT_EQ(lastReport.title, "Error");
    EXPECT_EQ(lastReport.flags, unsigned(MB_OK | MB_ICONSTOP));
    EXPECT_EQ(lastReport.message, "The value 12 is not in 1..10.");
}

TEST_F(ZafErrorStubTest, AReportOfTwoThousandCharactersArrivesCut)
{
    ZafErrorStub errors;
    std::string longText(2000, 'y');
    errors.ReportError(nullptr, nullptr, 0, "%s", longText.c_str());
    EXPECT_EQ(lastReport.message.size(), ZafErrorStub::messageBufferSize - 1);
    EXPECT_EQ(lastReport.title, "<null>");
}

namespace {

// A message window standing in for the windowing layer's.
class RecordingErrors : public ZafErrorStub
{
public:
    std::string shown;

protected:
    ZafEventType ShowMessageWindow(ZafWindowObject *, const char *, unsigned,
                                   const char *message) override
    {
        shown = message;
        return ZAF_DIALOG_CANCEL;
    }
};

} // namespace

TEST(ZafErrorStubWindow, WithoutAHookTheMessageWindowAnswers)
{
    ASSERT_EQ(ZafErrorStub::SetAnswerHook(nullptr), nullptr);
    RecordingErrors errors;
    EXPECT_EQ(errors.ReportError(nullptr, "Title", MB_OKCANCEL, "%s-%s", "a", "b"), ZAF_DIALOG_CANCEL);
    EXPECT_EQ(errors.shown, "a-b");
}
