// A map page on a workbook, driven as the user drives it: the map fits its
// pane again after Split, Size and a resize of the workbook (as the main
// window's Cascade and Tile do), checked on the painted pixels; and a double
// click in the class legend opens the page's own class-limit dialog, whose
// OK classes the map again.
#include "GraphTestSupport.h"

#include "analyses/map/GroupDefWindow.h"
#include "analyses/map/MapStatOption.h"
#include "analyses/map/MapWorkBook.h"
#include "dataset/ByteStream.h"
#include "dataset/DATASET.h"
#include "dataset/MapFile.h"
#include "dataset/ProgramSettings.h"
#include "graphs/maps/MapGraphWindow.h"
#include "graphs/maps/MapKey.h"
#include "shell/MainWindowDefinition.h"
#include "shell/QIVprog.h"
#include "shell/WorkBook.h"
#include "tests/shell/ShellUIFile.h"
#include "tests/support/ModalLoop.h"
#include "zaf/controls/ZafNotebookTab.h"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

class MapWorkBookTest : public graphtest::GraphTest
{
protected:
    MapWorkBookTest()
    {
        ZafNotebookTab::InstallHooks();
        previousShow = WorkBook::SetShowHook(nullptr);
        DATASET *set = OpenDataSet((std::string(GRAPH_TEST_BIN_DIR) + "/samples/survey.QVF").c_str());
        EXPECT_TRUE(set && set->mapFileFlag);
        if (!set)
            return;
        FileByteStream file(set->SiblingName(".KRT").c_str());
        EXPECT_EQ(MapFile::ReadDirectory(file, set->GetCodePage() != 0, &set->mapDirectory), MAPERR_NONE);
        ProgramSettings::Instance()->SetDataSet(set);
        record.LoadSettings(0);
    }
    ~MapWorkBookTest() override
    {
        testsupport::ForgetModalLoopSteps();
        WorkBook::SetShowHook(previousShow);
        if (book && zafWindowManager->Contains(book))
            zafWindowManager->CloseWindow(book);
        Pump();
        ProgramSettings::Instance()->CloseDataSet();
    }
    // A workbook with the income page, its map drawn by classes.
    void Open()
    {
        DATASET *set = ProgramSettings::Instance()->GetDataSet(0);
        ASSERT_TRUE(set);
        book = new WorkBook(nullptr, 0);
        book->title = "Region map";
        book->SetRegion(ZafRegionRect(2, 2, 70, 28, ZAF_CELL));
        page = new MapPage(set->FindVariable("income"), 0, "v8 income", record);
        book->AddPage(page);
        ZafWindow *window = page->CreateGraphWindow(0, &record);
        ASSERT_NE(window, nullptr);
        page->AddGraphWindow(window, 0);
        book->CompleteToolBar();
        Pump();
        map = page->GraphWindow();
        ASSERT_TRUE(map && map->OSHandle());
        map->Event(ZafEventRecord(ZAF_APPLY_GEOMETRY));
        Pump();
    }
    SIZE Client() const
    {
        RECT c = {};
        GetClientRect(map->OSHandle(), &c);
        return SIZE{c.right, c.bottom};
    }
    // Paints the map as the screen does and checks that it fits its pane
    // and that region 12's anchor shows its class colour where the legend
    // leaves it free.
    void ExpectFitted(const char *step)
    {
        const SIZE size = Client();
        ASSERT_GT(size.cx, 0) << step;
        graphtest::Bitmap shot(size.cx, size.cy);
        SendMessageA(map->OSHandle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(shot.dc), PRF_CLIENT);
        EXPECT_NEAR(map->scale, map->FitScale(size.cx, size.cy), 1e-12) << step;
        const ElementRect box = map->MapRectangle();
        EXPECT_GE(box.left, 0) << step;
        EXPECT_LT(box.right, size.cx) << step;
        EXPECT_LT(box.bottom, size.cy) << step;
        const MapRegion &twelve = *map->Graph()->regions.Find(12);
        const int x = map->PixelX(twelve.pointX), y = map->PixelY(twelve.pointY);
        const ElementRect key = map->Legend()->device;
        if (!(key.left <= x && x <= key.right && key.top <= y && y <= key.bottom))
            EXPECT_EQ(shot.At(x, y), RGB(twelve.colour.fillR, twelve.colour.fillG, twelve.colour.fillB)) << step;
    }

    MapStatOption record;
    WorkBook *book = nullptr;
    MapPage *page = nullptr;
    MapGraphWindow *map = nullptr;
    WorkBook::ShowHook previousShow = nullptr;
};

} // namespace

TEST_F(MapWorkBookTest, TheMapFitsItsPaneAfterSplitSizeAndAResizeOfTheBook)
{
    Open();
    ExpectFitted("shown");
    const SIZE whole = Client();
    book->Event(ZafEventRecord(WorkBook::splitViewEvent));
    Pump();
    EXPECT_LT(Client().cx, whole.cx);
    ExpectFitted("split");
    const SIZE split = Client();
    book->Event(ZafEventRecord(WorkBook::fitTextEvent));
    Pump();
    EXPECT_NE(Client().cx, split.cx);
    ExpectFitted("size");
    // What Cascade and Tile do to a workbook: its window moved and sized.
    SetWindowPos(book->OSHandle(), nullptr, 10, 10, 420, 330, SWP_NOZORDER);
    Pump();
    ExpectFitted("resized");
}

TEST_F(MapWorkBookTest, DoubleClickInTheClassLegendOpensThePagesDialogAndOkClassesTheMapAgain)
{
    Open();
    MapGraph &graph = *map->Graph();
    const std::vector<double> bounds = page->Record()->classes.bounds;
    ASSERT_GE(bounds.size(), 3u);
    // A region of the second class goes to the first once its lower limit
    // rises above the region's value.
    const MapRegion *moved = nullptr;
    for (const auto &entry : graph.regions)
        if (entry.second.HasValue() && bounds[1] < entry.second.value && entry.second.value < bounds[2])
            moved = &entry.second;
    ASSERT_TRUE(moved);
    char typed[64];
    std::snprintf(typed, sizeof typed, "%.2f", (moved->value + bounds[2]) / 2);
    bool opened = false;
    testsupport::WhenModalLoopIdles([&] {
        auto *dialog = dynamic_cast<GroupDefWindow *>(ZafDialogWindow::ModalWindow());
        ASSERT_TRUE(dialog && dialog->OSHandle());
        opened = true;
        ZafWindowObject *field = dialog->FindObjectByStringID("R1");
        ASSERT_TRUE(field && field->OSHandle());
        SendMessageA(field->OSHandle(), EM_SETSEL, 0, -1);
        PostMessageA(field->OSHandle(), WM_CHAR, VK_BACK, 1);
        for (const char *c = typed; *c; ++c)
            PostMessageA(field->OSHandle(), WM_CHAR, static_cast<unsigned char>(*c), 1);
        ZafWindowObject *ok = dialog->FindObjectByStringID(GroupDefWindow::okName);
        PostMessageA(ok->OSHandle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
        PostMessageA(ok->OSHandle(), WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
    });
    const ElementRect key = map->Legend()->device;
    ASSERT_EQ(map->Legend()->CurrentForm(), MapKey::classForm);
    const int x = key.left + 10, y = key.top + (key.bottom - key.top) / 2;
    PostMessageA(map->OSHandle(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(x, y));
    PostMessageA(map->OSHandle(), WM_LBUTTONUP, 0, MAKELPARAM(x, y));
    Pump();
    testsupport::ForgetModalLoopSteps();
    ASSERT_TRUE(opened);
    const MapStatOption &classes = *page->Record();
    EXPECT_EQ(classes.groupingMethod, MapClassSettings::userDefined);
    EXPECT_DOUBLE_EQ(classes.classes.bounds[1], std::strtod(typed, nullptr));
    // Untouched limits keep every decimal the map computed.
    EXPECT_EQ(classes.classes.bounds[0], bounds[0]);
    EXPECT_EQ(classes.classes.bounds[2], bounds[2]);
    const MapColourEntry &first = classes.classes.colours[0];
    EXPECT_EQ(RGB(moved->colour.fillR, moved->colour.fillG, moved->colour.fillB),
              RGB(first.fillR, first.fillG, first.fillB));
}

// Switching the page to bars and then circles recomputes its map each time:
// the main window's status bar shows the counter that stamped the symbols.
TEST_F(MapWorkBookTest, BarsAndCirclesShowTheRecomputationCounterInTheStatusBar)
{
    Open();
    shellui::ShellUIFile ui;
    QIVprog main(mainWindowName, *userPersist);
    ZafWindowObject *status = main.FindObjectByStringID(statusTextName);
    ASSERT_TRUE(status);
    const MapRegion &twelve = *map->Graph()->regions.Find(12);

    page->CreateGraphWindow(1, &record);
    const long bars = twelve.stamp;
    EXPECT_EQ(MapGraph::recomputationCounter, bars + 1);
    EXPECT_EQ(std::to_string(bars), status->Text());

    page->CreateGraphWindow(2, &record);
    EXPECT_GT(twelve.stamp, bars);
    EXPECT_EQ(MapGraph::recomputationCounter, twelve.stamp + 1);
    EXPECT_EQ(std::to_string(twelve.stamp), status->Text());
}
