#include "zaf/core/ZafScrollBar.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>

namespace {

// Scroll data as the link sees it: the core only passes its pointer on.
struct FakeData
{
    ZafScrollStruct values;
    std::int32_t lastSet;
    int sets;
};

FakeData *AsFake(ZafScrollData *data)
{
    return reinterpret_cast<FakeData *>(data);
}

const ZafScrollLink fakeLink = {
    nullptr,
    nullptr,
    nullptr,
    [](const ZafScrollData *data) { return reinterpret_cast<const FakeData *>(data)->values; },
    [](ZafScrollData *data, std::int32_t current) {
        AsFake(data)->lastSet = current;
        ++AsFake(data)->sets;
    },
};

} // namespace

// Line and page moves near the ends of the 32-bit range stop at the end
// instead of wrapping round to the other side.
TEST(ZafScrollBar, MovesStopAtTheEndsOfTheRange)
{
    const ZafScrollLink previous = ZafScrollBar::ScrollLink();
    ZafScrollBar::SetScrollLink(fakeLink);
    HWND window = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(window, nullptr);
    const struct
    {
        ZafScrollStruct values;
        WORD request;
        std::int32_t expected;
    } cases[] = {{{INT32_MAX - 1, 0, INT32_MAX, 10, 5}, SB_LINEDOWN, INT32_MAX},
                 {{INT32_MAX - 20, 0, INT32_MAX, 100, 1}, SB_PAGEDOWN, INT32_MAX},
                 {{INT32_MIN + 1, INT32_MIN, 0, 10, 5}, SB_LINEUP, INT32_MIN},
                 {{INT32_MIN + 20, INT32_MIN, 0, 100, 1}, SB_PAGEUP, INT32_MIN},
                 {{50, 0, 100, 10, 5}, SB_LINEDOWN, 55},
                 {{50, 0, 100, 10, 5}, SB_PAGEUP, 40}};
    for (const auto &c : cases) {
        FakeData data = {c.values, 0, 0};
        ZafScrollBar bar(ZafScrollBar::vertical);
        bar.SetScrollData(reinterpret_cast<ZafScrollData *>(&data));
        bar.SetOSHandle(window);
        ZafEventRecord event(ZAF_OS_EVENT);
        event.osEvent = MSG{window, WM_VSCROLL, MAKEWPARAM(c.request, 0), 0, 0, {0, 0}};
        EXPECT_EQ(bar.HandleOSMessage(event), 0);
        EXPECT_EQ(data.sets, 1);
        EXPECT_EQ(data.lastSet, c.expected) << "from " << c.values.current << " request " << c.request;
        bar.SetOSHandle(nullptr);
        bar.SetScrollData(nullptr);
    }
    DestroyWindow(window);
    ZafScrollBar::SetScrollLink(previous);
}
