#include "zaf/core/ZafErrorStub.h"
#include "zaf/core/ZafWindowManager.h"
#include "zaf/core/ZafWindowObject.h"

#include "tests/zaf/ZafTestSupport.h"

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
    lastReport = {lastReport.calls + 1, object, title ? title : "<null>", flags, message};
    return ZAF_DIALOG_OK;
}

// A message window standing in for the windowing layer's.
class RecordingErrors : public ZafErrorStub
{
public:
    std::string shown;

protected:
    ZafEventType ShowMessageWindow(ZafWindowObject *, const char *, unsigned, const char *message) override
    {
        shown = message;
        return ZAF_DIALOG_CANCEL;
    }
};

} // namespace

TEST(ZafErrorStub, FormattingCutsALongMessageAtTheBufferWithoutOverrunningIt)
{
    // A 1024-byte buffer between guard bytes, and a text of 2000 characters.
    char area[1024 + 16];
    std::memset(area, '#', sizeof(area));
    char *buffer = area + 8;
    std::string longText(2000, 'x');
    EXPECT_EQ(ZafErrorStub::FormatErrorText(buffer, 1024, "Error in %s: %d", longText.c_str(), 5), 1023u);
    EXPECT_EQ(buffer[1023], '\0');
    EXPECT_EQ(std::string(buffer, 9), "Error in ");
    EXPECT_EQ(std::string(area, 8), "########");
    EXPECT_EQ(std::string(area + 8 + 1024, 8), "########");

    char small[32];
    EXPECT_EQ(ZafErrorStub::FormatErrorText(small, sizeof(small), "%s %d%%", "Value", 42), 9u);
    EXPECT_STREQ(small, "Value 42%");
    EXPECT_EQ(ZafErrorStub::FormatErrorText(small, sizeof(small), nullptr), 0u);
    EXPECT_STREQ(small, "");
    EXPECT_EQ(ZafErrorStub::FormatErrorText(small, 1, "abc"), 0u);
    EXPECT_STREQ(small, "");
    EXPECT_EQ(ZafErrorStub::FormatErrorText(small, 0, "abc"), 0u);
    EXPECT_EQ(ZafErrorStub::FormatErrorText(nullptr, 10, "abc"), 0u);
}

TEST(ZafErrorStub, TheHookAnswersWithTheFormattedMessageCutToTheBuffer)
{
    lastReport = Report();
    ZafErrorStub::AnswerHook previous = ZafErrorStub::SetAnswerHook(AnswerOK);
    ZafErrorStub errors;
    ZafWindowObject field(0, 0, 10, 1);
    EXPECT_EQ(errors.ReportError(&field, "Error", MB_OK | MB_ICONSTOP, "The value %d is not in %s.", 12, "1..10"),
              ZAF_DIALOG_OK);
    EXPECT_EQ(lastReport.calls, 1);
    EXPECT_EQ(lastReport.object, &field);
    EXPECT_EQ(lastReport.title, "Error");
    EXPECT_EQ(lastReport.flags, unsigned(MB_OK | MB_ICONSTOP));
    EXPECT_EQ(lastReport.message, "The value 12 is not in 1..10.");
    // A report of two thousand characters arrives cut.
    std::string longText(2000, 'y');
    errors.ReportError(nullptr, nullptr, 0, "%s", longText.c_str());
    EXPECT_EQ(lastReport.message.size(), ZafErrorStub::messageBufferSize - 1);
    EXPECT_EQ(lastReport.title, "<null>");
    ZafErrorStub::SetAnswerHook(previous);
}

TEST(ZafErrorStub, WithoutAHookTheMessageWindowAnswers)
{
    ASSERT_EQ(ZafErrorStub::SetAnswerHook(nullptr), nullptr);
    RecordingErrors errors;
    EXPECT_EQ(errors.ReportError(nullptr, "Title", MB_OKCANCEL, "%s-%s", "a", "b"), ZAF_DIALOG_CANCEL);
    EXPECT_EQ(errors.shown, "a-b");
}

namespace {

// Notes the owner of the first window made while it is hooked and refuses
// every window, so that the message box answers at once without showing.
HWND notedOwner = nullptr;

LRESULT CALLBACK NoteOwnerAndRefuse(int code, WPARAM, LPARAM lParam)
{
    if (code == HCBT_CREATEWND && !notedOwner)
        notedOwner = reinterpret_cast<CBT_CREATEWNDA *>(lParam)->lpcs->hwndParent;
    return code == HCBT_CREATEWND;
}

using ZafErrorSystemTest = zaftest::OnScreen;

} // namespace

TEST_F(ZafErrorSystemTest, TheMessageWindowIsOwnedByTheReportedObjectsTopLevelWindow)
{
    ASSERT_EQ(ZafErrorStub::SetAnswerHook(nullptr), nullptr);
    ZafWindow *frames[2];
    for (ZafWindow *&frame : frames) {
        frame = new ZafWindow(0, 0, 20, 5);
        frame->SetVisible(false);
        zafWindowManager->AddObject(frame);
    }
    // The field's window is behind the active one.
    auto *field = zaftest::AddTo(frames[0], new ZafWindowObject(1, 1, 5, 1));
    notedOwner = nullptr;
    HHOOK hook = SetWindowsHookExA(WH_CBT, NoteOwnerAndRefuse, nullptr, GetCurrentThreadId());
    ZafErrorSystem errors;
    errors.ReportError(field, "Title", MB_OK, "message");
    UnhookWindowsHookEx(hook);
    EXPECT_EQ(notedOwner, frames[0]->OSHandle());
    for (ZafWindow *frame : frames)
        zafWindowManager->CloseWindow(frame);
    EXPECT_EQ(zaftest::ThreadWindowCount(), before);
}
