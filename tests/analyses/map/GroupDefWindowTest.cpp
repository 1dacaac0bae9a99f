// The class-limit dialog of the region map: the limits' checks and texts,
// its place on the screen, and runs driven while it is up: class colours
// beside their fields, every limit shown as the legend writes it, OK
// taking what the user typed and keeping every decimal of a limit left as
// shown (sorted with a message when typed out of order), limits that show
// alike refused, cancel and Escape leaving the record as it was.
#include "tests/analyses/AnalysesTestSupport.h"

#include "analyses/map/GroupDefWindow.h"
#include "analyses/map/MapStatOption.h"
#include "tests/support/ModalLoop.h"
#include "zaf/controls/ZafReal.h"
#include "zaf/core/ZafDisplay.h"

#include <cmath>
#include <limits>
#include <string>

namespace {

struct Box
{
    bool seen = false;
    std::string text;
    HWND owner = nullptr;
    RECT place = {};
} box;

// Reads and closes the message box once it is up.
void AnswerBox()
{
    HWND found = testsupport::FindThreadMessageBox();
    if (!found)
        return testsupport::WhenModalLoopIdles(AnswerBox, 10);
    box.seen = true;
    char text[256] = "";
    GetDlgItemTextA(found, 0xFFFF, text, sizeof text);
    box.text = text;
    box.owner = GetWindow(found, GW_OWNER);
    GetWindowRect(found, &box.place);
    PostMessageA(found, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(found, IDOK)));
}

class GroupDefWindowTest : public analysestest::WindowTest
{
protected:
    GroupDefWindowTest()
    {
        box = Box();
        record.classCountMode = MapClassSettings::userCount;
        record.classCount = 3;
        record.SyncClasses();
        record.classes.decimals = 1;
        record.classes.bounds = {24025.17, 26000.5, 28000, 30000};
    }
    ~GroupDefWindowTest() override { testsupport::ForgetModalLoopSteps(); }
    static std::string FieldText(GroupDefWindow &dialog, int i)
    {
        char text[64] = "";
        ZafWindowObject *field = dialog.FindObjectByStringID(("R" + std::to_string(i)).c_str());
        if (field && field->OSHandle())
            GetWindowTextA(field->OSHandle(), text, sizeof text);
        return text;
    }
    static void Type(GroupDefWindow &dialog, int i, const char *text)
    {
        ZafWindowObject *field = dialog.FindObjectByStringID(("R" + std::to_string(i)).c_str());
        ASSERT_TRUE(field && field->OSHandle());
        // As the user retypes it: all selected, erased, typed; taken by the
        // dialog's loop in order.
        SendMessageA(field->OSHandle(), EM_SETSEL, 0, -1);
        PostMessageA(field->OSHandle(), WM_CHAR, VK_BACK, 1);
        for (const char *c = text; *c; ++c)
            PostMessageA(field->OSHandle(), WM_CHAR, static_cast<unsigned char>(*c), 1);
    }

    MapStatOption record;
};

} // namespace

TEST(GroupDefLimits, ChecksAndTexts)
{
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    std::vector<double> limits = {1, 2.5, 3};
    EXPECT_EQ(GroupDefWindow::CheckLimits(limits, 1), GroupDefWindow::limitsAccepted);
    limits = {3, 1, 2.5};
    EXPECT_EQ(GroupDefWindow::CheckLimits(limits, 1), GroupDefWindow::limitsSorted);
    EXPECT_EQ(limits, (std::vector<double>{1, 2.5, 3}));
    for (double bad : {inf, -inf, nan}) {
        limits = {1, bad, 3};
        EXPECT_EQ(GroupDefWindow::CheckLimits(limits, 2), GroupDefWindow::limitNotFinite) << bad;
    }
    limits = {2, 1, 2};
    EXPECT_EQ(GroupDefWindow::CheckLimits(limits, 2), GroupDefWindow::limitsRepeated);
    EXPECT_EQ(limits, (std::vector<double>{2, 1, 2})); // refused limits are left as typed
    // Apart, but alike as the legend writes them: a repeat.
    limits = {25282.4433, 25282.44, 27796.96};
    EXPECT_EQ(GroupDefWindow::CheckLimits(limits, 2), GroupDefWindow::limitsRepeated);
    EXPECT_EQ(GroupDefWindow::CheckLimits(limits, 4), GroupDefWindow::limitsSorted);
    limits = {2.4, 2.6};
    EXPECT_EQ(GroupDefWindow::CheckLimits(limits, 0), GroupDefWindow::limitsAccepted);
    EXPECT_EQ(GroupDefWindow::LimitText(24025.17, 1), "24025.2");
    EXPECT_EQ(GroupDefWindow::LimitText(30000, 2), "30000.00");
    EXPECT_EQ(GroupDefWindow::LimitText(1.0 / 3.0, 40), "0.333333333333");
}

TEST_F(GroupDefWindowTest, PlacedWhollyOnTheScreen)
{
    GroupDefWindow dialog(0, 0, &record);
    RECT area = {};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    for (POINT at : {POINT{area.right + 500, area.bottom + 700}, POINT{-300, -40}, POINT{40, 50}}) {
        dialog.PlaceNear(at.x, at.y);
        ZafRegionRect r = dialog.Region();
        dialog.ConvertRegion(r, ZAF_PIXEL);
        EXPECT_GE(r.left, area.left) << at.x;
        EXPECT_GE(r.top, area.top) << at.y;
        EXPECT_LE(r.right, area.right - 1) << at.x;
        EXPECT_LE(r.bottom, area.bottom - 1) << at.y;
        // Away from the edges: at the pointer's character cell.
        const ZafDisplay &display = ZafDisplay::ForConversion();
        if (at.x == 40) {
            EXPECT_LE(std::abs(r.left - 40), display.CellWidth() / 2 + 1);
            EXPECT_LE(std::abs(r.top - 50), display.CellHeight() / 2 + display.PreSpace() + 1);
        }
    }
}

TEST_F(GroupDefWindowTest, OkTakesTheLimitsAsTheyStandAndSortsThemWithAMessage)
{
    record.classes.colours = MapClasses::ClassColours(MapClassSettings::contrast, 3);
    GroupDefWindow dialog(0, 0, &record);
    dialog.PlaceNear(100, 100);
    std::string shown;
    // The colour painted in the middle of each field's row, left of it.
    std::vector<COLORREF> beside;
    HWND window = nullptr;
    testsupport::WhenModalLoopIdles([&] {
        window = dialog.OSHandle(2);
        RedrawWindow(dialog.OSHandle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        HDC dc = GetDC(dialog.OSHandle());
        for (int i = 0; i < 3; ++i) {
            RECT row;
            GetWindowRect(dialog.FindObjectByStringID(("R" + std::to_string(i)).c_str())->OSHandle(), &row);
            MapWindowPoints(nullptr, dialog.OSHandle(), reinterpret_cast<POINT *>(&row), 2);
            beside.push_back(GetPixel(dc, row.left - 20, (row.top + row.bottom) / 2));
        }
        ReleaseDC(dialog.OSHandle(), dc);
        shown = FieldText(dialog, 0);
        Type(dialog, 1, "29000.26");
        AnswerBox();
        WindowTest::PostClick(dialog.FindObjectByStringID(GroupDefWindow::okName));
    });
    EXPECT_EQ(dialog.Run(), ZAF_DIALOG_OK);
    // Each class's colour stands on its own field's row.
    ASSERT_EQ(beside.size(), 3u);
    for (int i = 0; i < 3; ++i) {
        const MapColourEntry &c = record.classes.colours[i];
        EXPECT_EQ(beside[i], RGB(c.fillR, c.fillG, c.fillB)) << i;
    }
    // A limit shows with the legend's decimal; left so, it keeps every
    // decimal (24025.17 below).
    EXPECT_EQ(shown, "24025.2");
    EXPECT_TRUE(box.seen);
    EXPECT_EQ(box.text, GroupDefWindow::sortedText);
    EXPECT_TRUE(box.owner && box.owner == window) << "the message stands on the dialog, still up";
    EXPECT_EQ(record.classes.bounds, (std::vector<double>{24025.17, 28000, 29000.26, 30000}));
    EXPECT_EQ(record.groupingMethod, MapClassSettings::userDefined);
    EXPECT_TRUE(record.classes.userBounds);
    // The lowest region's value lies in the first class, not below it.
    EXPECT_EQ(MapClasses::ClassOf(24025.17, record.classes.bounds), 0);
    EXPECT_EQ(MapClasses::ClassOf(28000, record.classes.bounds), 1);
    // Reopened, the user's limits show with the legend's decimal too, and
    // OK untouched keeps each to its last digit.
    GroupDefWindow again(0, 0, &record);
    again.PlaceNear(100, 100);
    std::string typed;
    testsupport::WhenModalLoopIdles([&] {
        typed = FieldText(again, 2);
        WindowTest::PostClick(again.FindObjectByStringID(GroupDefWindow::okName));
    });
    EXPECT_EQ(again.Run(), ZAF_DIALOG_OK);
    EXPECT_EQ(typed, "29000.3");
    EXPECT_EQ(record.classes.bounds, (std::vector<double>{24025.17, 28000, 29000.26, 30000}));
}

TEST_F(GroupDefWindowTest, ALimitTypedAsAnotherShowsIsRefusedAsARepeat)
{
    // R0 shows 24025.17 as "24025.2": the same typed in R1 is a repeat,
    // though it differs from the limit R0 keeps.
    GroupDefWindow dialog(0, 0, &record);
    dialog.PlaceNear(100, 100);
    testsupport::WhenModalLoopIdles([&] {
        Type(dialog, 1, "24025.2");
        AnswerBox();
        WindowTest::PostClick(dialog.FindObjectByStringID(GroupDefWindow::okName));
        testsupport::WhenModalLoopIdles(
            [&] {
                if (dialog.OSHandle())
                    PostMessageA(dialog.OSHandle(), WM_KEYDOWN, VK_ESCAPE, 0);
            },
            200);
    });
    EXPECT_EQ(dialog.Run(), ZAF_DIALOG_CANCEL);
    EXPECT_EQ(box.text, GroupDefWindow::repeatedText);
    EXPECT_EQ(record.classes.bounds, (std::vector<double>{24025.17, 26000.5, 28000, 30000}));
}

TEST_F(GroupDefWindowTest, RepeatedLimitsKeepTheDialogOpenAndCancelChangesNothing)
{
    GroupDefWindow dialog(0, 0, &record);
    dialog.PlaceNear(100, 100);
    HWND window = nullptr;
    RECT place = {};
    std::string after;
    testsupport::WhenModalLoopIdles([&] {
        window = dialog.OSHandle(2);
        GetWindowRect(window, &place);
        Type(dialog, 2, "26000.5");
        AnswerBox();
        WindowTest::PostClick(dialog.FindObjectByStringID(GroupDefWindow::okName));
        // Open after the message, the typed limit still there to correct:
        // Escape cancels.
        testsupport::WhenModalLoopIdles(
            [&] {
                if (dialog.OSHandle()) {
                    after = FieldText(dialog, 2);
                    PostMessageA(dialog.OSHandle(), WM_KEYDOWN, VK_ESCAPE, 0);
                }
            },
            200);
    });
    EXPECT_EQ(dialog.Run(), ZAF_DIALOG_CANCEL);
    EXPECT_EQ(box.text, GroupDefWindow::repeatedText);
    EXPECT_EQ(record.classes.bounds, (std::vector<double>{24025.17, 26000.5, 28000, 30000}));
    EXPECT_NE(record.groupingMethod, MapClassSettings::userDefined);
    // The message stood on the dialog, its owner, while the dialog was up.
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(box.owner, window);
    EXPECT_NEAR((box.place.left + box.place.right) / 2, (place.left + place.right) / 2, 1);
    EXPECT_NEAR((box.place.top + box.place.bottom) / 2, (place.top + place.bottom) / 2, 1);
    EXPECT_EQ(after, "26000.5");
}
