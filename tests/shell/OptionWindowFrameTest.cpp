// The option frame on a record alone and on an open workbook, driven by
// clicks on its real buttons: what opening does to the record and its
// window, apply and OK taking the controls' values into the record and the
// graph records, every result written again, and "CHKBX_SAVE_PERSIST"
// storing the settings only on OK. The option window's own parts (missing
// controls, check box and radio buttons) are tested here too.
#include "tests/shell/TestOption.h"
#include "tests/zaf/controls/FieldTestSupport.h"

#include "dataset/AssumeError.h"
#include "shell/OptionWindowFrame.h"

#include <string>

namespace {

// A workbook as the frame sees it: a record, graph records, and counts of
// what the frame asked of it.
class FakeBook : public OptionFrameBook
{
public:
    StatOption *FrameOption() override { return &record; }
    int FrameGraphOptionCount() override { return 2; }
    StatOption *FrameGraphOption(int index) override { return &graphs[index]; }
    void WriteEveryResult() override { ++written; }
    void RebuildEveryGraph() override { ++rebuilt; }
    void RedisplayBook() override { ++redisplayed; }

    TestOption record;
    TestOption graphs[2];
    int written = 0, rebuilt = 0, redisplayed = 0;
};

class OptionWindowFrameTest : public fieldtest::FieldTest
{
protected:
    OptionWindowFrameTest() { TestOption::Seen() = TestOptionSeen(); }
    ~OptionWindowFrameTest() override
    {
        if (frame && zafWindowManager->Contains(frame))
            zafWindowManager->SubtractObject(frame);
        delete frame;
    }
    OptionWindowFrame *Open(OptionWindowFrame *made)
    {
        frame = made;
        frame->SetVisible(false);
        Show(frame);
        return frame;
    }
    HWND Handle(const char *name)
    {
        ZafWindowObject *object = frame->FindObjectByStringID(name);
        return object ? object->OSHandle() : nullptr;
    }
    // A click as the user makes it, dispatched by the library's loop.
    void ClickOn(const char *name)
    {
        HWND handle = Handle(name);
        ASSERT_NE(nullptr, handle) << name;
        Click(handle);
        RunQueued();
    }
    // A click posted now and taken by the frame's modal loop.
    void PostClick(const char *name)
    {
        HWND handle = Handle(name);
        ASSERT_NE(nullptr, handle) << name;
        PostMessageA(handle, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
        PostMessageA(handle, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
    }

    OptionWindowFrame *frame = nullptr;
};

TEST_F(OptionWindowFrameTest, OpeningOnARecordFillsTheWindowFromIt)
{
    TestOption record;
    record.totals = true;
    record.columns = true;
    Open(new OptionWindowFrame(&record));
    ASSERT_NE(nullptr, frame->Window());
    EXPECT_EQ(frame->Window(), record.optionWindow);
    EXPECT_TRUE(static_cast<OptionWindow *>(frame->Window())->OpenedBeforeWorkbook());
    EXPECT_EQ(1, TestOption::Seen().toWindow);
    EXPECT_EQ(1, TestOption::Seen().updates);
    auto *window = static_cast<OptionWindow *>(frame->Window());
    EXPECT_TRUE(window->FindCheckBox("CHK_TOTALS", __FILE__, __LINE__)->Checked());
    EXPECT_TRUE(window->FindRadioButton("RB_COLUMNS", __FILE__, __LINE__)->Checked());
    EXPECT_FALSE(window->FindRadioButton("RB_ROWS", __FILE__, __LINE__)->Checked());

    zafWindowManager->SubtractObject(frame);
    delete frame;
    frame = nullptr;
    EXPECT_EQ(nullptr, record.optionWindow) << "the record forgets the window that went with the frame";
}

TEST_F(OptionWindowFrameTest, ApplyTakesTheValuesAndWritesEveryResultWithoutSaving)
{
    FakeBook book;
    Open(new OptionWindowFrame(&book));
    EXPECT_FALSE(static_cast<OptionWindow *>(frame->Window())->OpenedBeforeWorkbook());
    ClickOn("CHK_TOTALS");
    ClickOn("RB_COLUMNS");
    ClickOn(OptionWindowFrame::savePersistName);
    ClickOn(OptionWindowFrame::applyName);

    EXPECT_TRUE(book.record.totals);
    EXPECT_TRUE(book.record.columns);
    EXPECT_EQ(3, TestOption::Seen().fromWindow) << "the record and its two graph records";
    EXPECT_EQ(0, TestOption::Seen().saves) << "apply never stores the settings";
    EXPECT_EQ(1, book.written);
    EXPECT_EQ(1, book.rebuilt);
    EXPECT_EQ(1, book.redisplayed);
    EXPECT_TRUE(IsWindow(frame->OSHandle())) << "apply leaves the frame open";
}

// OK ends the frame's loop; the settings are stored only with the box on.
class OptionWindowFrameOkTest : public OptionWindowFrameTest, public testing::WithParamInterface<bool>
{};

TEST_P(OptionWindowFrameOkTest, OkTakesTheValuesAndSavesOnlyWhenAskedTo)
{
    const bool keep = GetParam();
    FakeBook book;
    Open(new OptionWindowFrame(&book));
    ClickOn("CHK_TOTALS");
    if (keep)
        ClickOn(OptionWindowFrame::savePersistName);
    PostClick(OptionWindowFrame::okName);
    EXPECT_EQ(ZAF_DIALOG_OK, frame->Control());
    EXPECT_TRUE(book.record.totals);
    EXPECT_EQ(keep ? 3 : 0, TestOption::Seen().saves);
    EXPECT_EQ(1, book.written);
}

INSTANTIATE_TEST_SUITE_P(SavePersist, OptionWindowFrameOkTest, testing::Bool());

TEST_F(OptionWindowFrameTest, CancelLeavesTheRecordAsItWas)
{
    FakeBook book;
    Open(new OptionWindowFrame(&book));
    ClickOn("CHK_TOTALS");
    PostClick(OptionWindowFrame::cancelName);
    EXPECT_EQ(ZAF_DIALOG_CANCEL, frame->Control());
    EXPECT_FALSE(book.record.totals);
    EXPECT_EQ(0, TestOption::Seen().fromWindow);
    EXPECT_EQ(0, book.written);
}

std::string assumeReport;
void RecordAssume(const char *, const char *sourceAndLine, const char *text)
{
    assumeReport = std::string(sourceAndLine) + " " + text;
}

TEST_F(OptionWindowFrameTest, AMissingControlIsReportedAndNotTouched)
{
    TestOptionWindow window;
    AssumeReportHook previous = SetAssumeReportHook(RecordAssume);
    EXPECT_EQ(nullptr, window.FindControl("CHK_ABSENT", "FreqOptionWindow.cpp", 77));
    EXPECT_EQ("FreqOptionWindow.cpp 77 Internal error: Duru-object is NULL", assumeReport);
    // A control of another class than asked for counts as missing.
    assumeReport.clear();
    EXPECT_EQ(nullptr, window.FindRadioButton("CHK_TOTALS", "FreqOptionWindow.cpp", 78));
    EXPECT_NE(std::string::npos, assumeReport.find("78")) << assumeReport;
    SetAssumeReportHook(previous);
    EXPECT_NE(nullptr, window.FindCheckBox("CHK_TOTALS", __FILE__, __LINE__));
}

} // namespace
