#include "dataset/TextUtils.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <string>

namespace {

std::string Bytes(std::initializer_list<int> codes) {
    std::string s;
    for (int c : codes)
        s += static_cast<char>(c);
    return s;
}

TEST(ConvertNordicLetters, TurnsDosLettersIntoWindowsLettersAndBack) {
    std::string dos = Bytes({'B', 134, 143, 145, 146, 155, 157, 'x', 200});
    std::string text = dos;
    ConvertNordicLetters(false, &text[0], 0);
    EXPECT_EQ(text, Bytes({'B', 229, 197, 230, 198, 248, 216, 'x', 200}));
    ConvertNordicLetters(false, &text[0], 1);
    EXPECT_EQ(text, dos);
}

TEST(ConvertNordicLetters, LeavesTheTextAloneWhenAsked) {
    std::string dos = Bytes({134, 155});
    std::string text = dos;
    ConvertNordicLetters(true, &text[0], 0);
    EXPECT_EQ(text, dos);
    ConvertNordicLetters(false, &text[0], 2);
    EXPECT_EQ(text, dos);
    char empty[1] = {'\0'};
    ConvertNordicLetters(false, empty, 0);
    ConvertNordicLetters(false, nullptr, 0);
    EXPECT_EQ(empty[0], '\0');
}

TEST(InsertTextAt, InsertsAtTheStartMiddleAndEnd) {
    char buffer[16] = "ac";
    EXPECT_TRUE(InsertTextAt(buffer, sizeof buffer, "b", 1));
    EXPECT_STREQ(buffer, "abc");
    EXPECT_TRUE(InsertTextAt(buffer, sizeof buffer, ">", 0));
    EXPECT_TRUE(InsertTextAt(buffer, sizeof buffer, "<", 4));
    EXPECT_STREQ(buffer, ">abc<");
    EXPECT_TRUE(InsertTextAt(buffer, sizeof buffer, "", 2));
    EXPECT_STREQ(buffer, ">abc<");
}

TEST(InsertTextAt, RefusesWhatDoesNotFitAndLeavesTheBufferAlone) {
    char buffer[8] = "abcd";
    EXPECT_FALSE(InsertTextAt(buffer, sizeof buffer, "1234", 2));  // 8 + terminator
    EXPECT_STREQ(buffer, "abcd");
    EXPECT_TRUE(InsertTextAt(buffer, sizeof buffer, "123", 2));    // exactly full
    EXPECT_STREQ(buffer, "ab123cd");
    EXPECT_FALSE(InsertTextAt(buffer, sizeof buffer, "x", 0));
    char shortText[8] = "ab";
    EXPECT_FALSE(InsertTextAt(shortText, sizeof shortText, "x", 3));  // past the end
    EXPECT_STREQ(shortText, "ab");
    char unterminated[4] = {'a', 'b', 'c', 'd'};
    EXPECT_FALSE(InsertTextAt(unterminated, sizeof unterminated, "", 0));
    EXPECT_FALSE(InsertTextAt(nullptr, 4, "x", 0));
    EXPECT_FALSE(InsertTextAt(shortText, sizeof shortText, nullptr, 0));
}

// The key state is the calling thread's, so setting it drives the test.
class KeyStateTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(GetKeyboardState(saved_)); }
    void TearDown() override { SetKeyboardState(saved_); }
    void Hold(bool ctrl, bool shift) {
        BYTE state[256];
        memcpy(state, saved_, sizeof state);
        state[VK_CONTROL] = ctrl ? 0x80 : 0;
        state[VK_SHIFT] = shift ? 0x80 : 0;
        ASSERT_TRUE(SetKeyboardState(state));
    }
    BYTE saved_[256];
};

TEST_F(KeyStateTest, CtrlShiftNeedsBothKeys) {
    Hold(true, true);
    EXPECT_TRUE(IsCtrlShiftDown());
    Hold(true, false);
    EXPECT_FALSE(IsCtrlShiftDown());
    Hold(false, true);
    EXPECT_FALSE(IsCtrlShiftDown());
    Hold(false, false);
    EXPECT_FALSE(IsCtrlShiftDown());
}

}  // namespace
