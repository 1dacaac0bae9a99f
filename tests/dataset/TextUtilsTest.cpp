#include "dataset/TextUtils.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <string>

namespace {

std::string Bytes(std::initializer_list<int> codes)
{
    std::string s;
    for (int c : codes)
        s += static_cast<char>(c);
    return s;
}

TEST(ConvertNordicLetters, TurnsDosLettersIntoWindowsLettersAndBackOnlyWhenAsked)
{
    const std::string dos = Bytes({'B', 134, 143, 145, 146, 155, 157, 'x', 200});
    std::string text = dos;
    ConvertNordicLetters(false, &text[0], 0);
    EXPECT_EQ(text, Bytes({'B', 229, 197, 230, 198, 248, 216, 'x', 200}));
    ConvertNordicLetters(false, &text[0], 1);
    EXPECT_EQ(text, dos);
    ConvertNordicLetters(true, &text[0], 0);  // told to leave it
    ConvertNordicLetters(false, &text[0], 2); // an unknown direction
    EXPECT_EQ(text, dos);
    ConvertNordicLetters(false, nullptr, 0);
}

TEST(InsertTextAt, InsertsWhatFitsAndLeavesTheBufferAloneOtherwise)
{
    char buffer[8] = "ac";
    EXPECT_TRUE(InsertTextAt(buffer, sizeof buffer, "b", 1));
    EXPECT_TRUE(InsertTextAt(buffer, sizeof buffer, ">", 0));
    EXPECT_TRUE(InsertTextAt(buffer, sizeof buffer, "<", 4));
    EXPECT_TRUE(InsertTextAt(buffer, sizeof buffer, "", 2));
    EXPECT_STREQ(buffer, ">abc<");
    EXPECT_FALSE(InsertTextAt(buffer, sizeof buffer, "123", 2)); // 8 + terminator
    EXPECT_STREQ(buffer, ">abc<");
    EXPECT_TRUE(InsertTextAt(buffer, sizeof buffer, "12", 2)); // exactly full
    EXPECT_STREQ(buffer, ">a12bc<");
    EXPECT_FALSE(InsertTextAt(buffer, sizeof buffer, "x", 0));
    char shortText[8] = "ab";
    EXPECT_FALSE(InsertTextAt(shortText, sizeof shortText, "x", 3)); // past the end
    EXPECT_STREQ(shortText, "ab");
    char unterminated[4] = {'a', 'b', 'c', 'd'};
    EXPECT_FALSE(InsertTextAt(unterminated, sizeof unterminated, "", 0));
    EXPECT_FALSE(InsertTextAt(nullptr, 4, "x", 0));
    EXPECT_FALSE(InsertTextAt(shortText, sizeof shortText, nullptr, 0));
}

// The key state is the calling thread's, so setting it drives the test.
TEST(IsCtrlShiftDown, NeedsBothKeys)
{
    BYTE saved[256], state[256];
    ASSERT_TRUE(GetKeyboardState(saved));
    for (int keys = 0; keys < 4; ++keys) {
        memcpy(state, saved, sizeof state);
        state[VK_CONTROL] = (keys & 1) ? 0x80 : 0;
        state[VK_SHIFT] = (keys & 2) ? 0x80 : 0;
        ASSERT_TRUE(SetKeyboardState(state));
        EXPECT_EQ(IsCtrlShiftDown(), keys == 3) << keys;
    }
    SetKeyboardState(saved);
}

} // namespace
