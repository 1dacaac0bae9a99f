// The region map along the user's road: the sample survey opened, "Region
// map" of income run from the variable-list window of the program's UI
// file (its map chosen in the pre-option window): the workbook opens on the
// drawn map; Table and Graph switch between text and map; the class tool
// pressed, class limits set in the legend's dialog, then the workbook's
// options applied and confirmed.
#include "GraphTestSupport.h"
#include "tests/support/ModalLoop.h"
#include "tests/zaf/controls/FieldTestSupport.h"

#include "analyses/RegisterAnalyses.h"
#include "analyses/map/GroupDefWindow.h"
#include "analyses/map/MapStatOption.h"
#include "analyses/map/MapWorkBook.h"
#include "dataset/DATASET.h"
#include "dataset/ProgramSettings.h"
#include "dataset/TextCatalog.h"
#include "graphs/maps/MapGraphWindow.h"
#include "graphs/maps/MapKey.h"
#include "shell/AnalysisRegistry.h"
#include "shell/Main.h"
#include "shell/OptionWindowFrame.h"
#include "shell/VariableListWindow.h"
#include "stats/StatClass.h"
#include "zaf/controls/ZafButton.h"
#include "zaf/controls/ZafControls.h"
#include "zaf/controls/ZafFrameButton.h"
#include "zaf/controls/ZafToolBar.h"
#include "zaf/controls/ZafVtList.h"
#include "zaf/data/ZafObjectPersistence.h"
#include "zaf/data/ZafPersistenceRegistry.h"
#include "zaf/data/ZafStorage.h"

#include <functional>
#include <memory>
#include <string>

namespace {

const std::string binDirectory = GRAPH_TEST_BIN_DIR;
constexpr int mapAnalysisText = 47, analysisGroup = 1;
constexpr int regionCountText = 47; // of the map's text group

WorkBook *shownBook = nullptr;
void KeepShownBook(WorkBook *book)
{
    shownBook = book;
    zafWindowManager->AddObject(book);
}

class MapEndToEnd : public fieldtest::FieldTest
{
protected:
    MapEndToEnd()
    {
        catalog.Load((binDirectory + "/qivsteng.btx").c_str());
        SetStatTextCatalog(&catalog);
        ZafRegisterControls();
        ZafVtList::RegisterPersistence();
        ZafFrameButton::InstallGenericObjectMaker();
        storage = std::make_unique<ZafStorage>((binDirectory + "/MERVALO.ZNC").c_str(), ZafStorage::Read);
        persistence.reset(ZafPersistenceRegistry::MakePersistence(storage.get()));
        previousStorage = uiStorage;
        uiStorage = storage.get();
        userPersist = persistence.get();
        RegisterAnalyses();
        BuildAnalysisRegistry(&catalog);
        previousShow = WorkBook::SetShowHook(KeepShownBook);
        shownBook = nullptr;
        opened = ProgramSettings::Instance()->OpenDataSet((binDirectory + "/samples/survey.QVF").c_str());
        // As the main window does on opening a data set with a map file.
        if (opened == 0)
            EXPECT_EQ(ProgramSettings::Instance()->GetDataSet(0)->ReadMapDirectory(), 0);
    }
    ~MapEndToEnd() override
    {
        testsupport::ForgetModalLoopSteps();
        if (shownBook)
            Close(shownBook);
        if (window)
            Close(window);
        RunQueued();
        Pump();
        WorkBook::SetShowHook(previousShow);
        FreeAnalysisRegistry();
        ProgramSettings::Instance()->CloseDataSet();
        userPersist = nullptr;
        uiStorage = previousStorage;
        SetStatTextCatalog(nullptr);
    }

    void ClickRow(ZafVtList *list, int row)
    {
        RECT r = {};
        SendMessageA(list->OSHandle(), LB_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&r));
        const LPARAM point = MAKELPARAM(r.left + 4, (r.top + r.bottom) / 2);
        SendMessageA(list->OSHandle(), WM_LBUTTONDOWN, MK_LBUTTON, point);
        SendMessageA(list->OSHandle(), WM_LBUTTONUP, 0, point);
        RunQueued();
    }
    void PressButton(ZafWindowObject *button)
    {
        ASSERT_NE(nullptr, button);
        Click(button->OSHandle());
        RunQueued();
        Pump();
    }
    ZafWindowObject *ToolButton(int value)
    {
        for (ZafElement *e = shownBook->ToolBar()->First(); e; e = e->Next())
            if (auto *button = dynamic_cast<ZafButton *>(static_cast<ZafWindowObject *>(e)))
                if (button->Value() == value)
                    return button;
        return nullptr;
    }
    // The workbook of a run of the map of income (and of the variable
    // named, on a second page), no tool pressed.
    void OpenIncomeBook(const char *also = nullptr)
    {
        ASSERT_EQ(0, opened) << "the build's sample survey";
        DATASET *survey = ProgramSettings::Instance()->GetDataSet(0);
        const long income = survey->FindVariable("income");
        ASSERT_GT(income, 0);
        window = new VariableListWindow(*userPersist, survey, RegisteredOptionsList.data(),
                                        static_cast<int>(RegisteredOptionsList.size()));
        window->SetVisible(false);
        Show(window);
        const std::string name = StatText(mapAnalysisText, analysisGroup);
        const LRESULT row = SendMessageA(window->AnalysisList()->OSHandle(), LB_FINDSTRINGEXACT,
                                         static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(name.c_str()));
        ASSERT_GE(row, 0) << name;
        // The pre-option window: the first map, OK.
        testsupport::WhenModalLoopIdles([] {
            if (ZafDialogWindow *dialog = ZafDialogWindow::ModalWindow())
                dialog->Event(ZafEventRecord(ZAF_DIALOG_OK));
        });
        ClickRow(window->AnalysisList(), static_cast<int>(row));
        testsupport::ForgetModalLoopSteps();
        ASSERT_NE(nullptr, dynamic_cast<MapStatOption *>(window->Option()));
        ClickRow(window->VariableList(), static_cast<int>(income - 1));
        PressButton(window->FindObjectByStringID("BT_ADD0"));
        if (also) {
            const long second = survey->FindVariable(also);
            ASSERT_GT(second, 0) << also;
            ClickRow(window->VariableList(), static_cast<int>(second - 1));
            PressButton(window->FindObjectByStringID("BT_ADD0"));
        }
        PressButton(window->FindObjectByStringID(VariableListWindow::runName));
        book = dynamic_cast<MapWorkBook *>(shownBook);
        ASSERT_NE(nullptr, book);
        Pump();
        page = dynamic_cast<MapPage *>(book->CurrentPage());
    }
    // The map of income by classes in a run workbook, its class tool pressed.
    void RunIncomeMap()
    {
        OpenIncomeBook();
        ASSERT_NE(nullptr, book);
        PressButton(ToolButton(WorkBook::graphToolEvent + 0));
        page = dynamic_cast<MapPage *>(book->CurrentPage());
        ASSERT_NE(nullptr, page);
        map = page->GraphWindow();
        ASSERT_TRUE(map && map->OSHandle());
        Pump();
        graphtest::Bitmap shot(800, 600);
        SendMessageA(map->OSHandle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(shot.dc), PRF_CLIENT);
        ASSERT_EQ(map->Legend()->CurrentForm(), MapKey::classForm);
    }
    // A double click in the class legend whose dialog the step answers.
    void DoubleClickLegend(const std::function<void(GroupDefWindow &)> &answer)
    {
        bool opened = false;
        testsupport::WhenModalLoopIdles([&] {
            auto *dialog = dynamic_cast<GroupDefWindow *>(ZafDialogWindow::ModalWindow());
            ASSERT_TRUE(dialog && dialog->OSHandle());
            opened = true;
            answer(*dialog);
        });
        const ElementRect key = map->Legend()->device;
        const int x = key.left + 10, y = key.top + (key.bottom - key.top) / 2;
        PostMessageA(map->OSHandle(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(x, y));
        PostMessageA(map->OSHandle(), WM_LBUTTONUP, 0, MAKELPARAM(x, y));
        Pump();
        RunQueued();
        testsupport::ForgetModalLoopSteps();
        EXPECT_TRUE(opened);
    }
    static void Type(ZafWindow &dialog, const char *name, const std::string &text)
    {
        ZafWindowObject *field = dialog.FindObjectByStringID(name);
        ASSERT_TRUE(field && field->OSHandle()) << name;
        SendMessageA(field->OSHandle(), EM_SETSEL, 0, -1);
        PostMessageA(field->OSHandle(), WM_CHAR, VK_BACK, 1);
        for (char c : text)
            PostMessageA(field->OSHandle(), WM_CHAR, static_cast<unsigned char>(c), 1);
    }
    static void PostOk(ZafWindow &dialog, const char *name)
    {
        ZafWindowObject *ok = dialog.FindObjectByStringID(name);
        ASSERT_TRUE(ok && ok->OSHandle()) << name;
        PostMessageA(ok->OSHandle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
        PostMessageA(ok->OSHandle(), WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
    }
    // The workbook's Options button; the step acts in the open frame.
    void InOptions(const std::function<void(OptionWindowFrame &)> &step)
    {
        bool opened = false;
        testsupport::WhenModalLoopIdles([&] {
            auto *frame = dynamic_cast<OptionWindowFrame *>(ZafDialogWindow::ModalWindow());
            ASSERT_TRUE(frame && frame->Window());
            opened = true;
            step(*frame);
        });
        PressButton(book->ToolBar()->FindObjectByStringID("bt_options"));
        testsupport::ForgetModalLoopSteps();
        EXPECT_TRUE(opened);
    }
    static bool Chosen(OptionWindowFrame &frame, const char *name)
    {
        auto *button = dynamic_cast<ZafButton *>(frame.Window()->FindObjectByStringID(name));
        return button && button->Selected();
    }

    TextCatalog catalog;
    std::unique_ptr<ZafStorage> storage;
    std::unique_ptr<ZafObjectPersistence> persistence;
    ZafStorage *previousStorage = nullptr;
    WorkBook::ShowHook previousShow = nullptr;
    VariableListWindow *window = nullptr;
    MapWorkBook *book = nullptr;
    MapPage *page = nullptr;
    MapGraphWindow *map = nullptr;
    int opened = -1;
};

// Each page of a run opens on its map, drawn by classes, with no tool
// pressed; Table shows the page's text instead and Graph brings the map back.
TEST_F(MapEndToEnd, ARunOpensOnTheDrawnMapAndTableAndGraphSwitchToTheTextAndBack)
{
    OpenIncomeBook("age");
    ASSERT_NE(nullptr, page);
    ASSERT_EQ(book->PageCount(), 2);
    auto *second = dynamic_cast<MapPage *>(book->PageAt(1));
    ASSERT_TRUE(second && second->GraphWindow());
    EXPECT_EQ(second->Record()->displayMode, 1);
    EXPECT_EQ(second->CurrentGraph(), dynamic_cast<GraphPane *>(second->GraphWindow()));
    map = page->GraphWindow();
    ASSERT_TRUE(map && map->OSHandle());
    EXPECT_EQ(book->CurrentGraphKind(), 0);
    EXPECT_EQ(page->Record()->displayMode, 1);
    EXPECT_TRUE(IsWindowVisible(map->OSHandle()));
    HWND text = page->ResultWindow()->OSHandle();
    ASSERT_TRUE(text);
    EXPECT_FALSE(IsWindowVisible(text));
    // The page's text is written: its first line counts the map's regions.
    const std::string regionCount = StatText(regionCountText, MapWorkBook::textGroup);
    ASSERT_FALSE(regionCount.empty());
    EXPECT_NE(page->ResultWindow()->ResultText()->Text().find(regionCount), std::string::npos);

    // Painted as the screen paints it: region 12's anchor shows its class
    // colour where the legend leaves it free, and the map covers much of
    // the pane.
    RECT client = {};
    GetClientRect(map->OSHandle(), &client);
    ASSERT_GT(client.right, 40);
    ASSERT_GT(client.bottom, 40);
    graphtest::Bitmap shot(client.right, client.bottom);
    SendMessageA(map->OSHandle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(shot.dc), PRF_CLIENT);
    ASSERT_EQ(map->Legend()->CurrentForm(), MapKey::classForm);
    const MapRegion &twelve = *map->Graph()->regions.Find(12);
    ASSERT_TRUE(twelve.HasValue());
    const int x = map->PixelX(twelve.pointX), y = map->PixelY(twelve.pointY);
    const ElementRect key = map->Legend()->device;
    if (!(key.left <= x && x <= key.right && key.top <= y && y <= key.bottom))
        EXPECT_EQ(shot.At(x, y), RGB(twelve.colour.fillR, twelve.colour.fillG, twelve.colour.fillB));
    const COLORREF background = shot.At(1, 1);
    int drawn = 0;
    for (int py = 0; py < client.bottom; py += 4)
        for (int px = 0; px < client.right; px += 4)
            drawn += shot.At(px, py) != background;
    EXPECT_GT(drawn, (client.right / 4) * (client.bottom / 4) / 10);

    PressButton(book->ToolBar()->FindObjectByStringID("bt_table"));
    EXPECT_TRUE(IsWindowVisible(text));
    EXPECT_FALSE(IsWindowVisible(map->OSHandle()));
    PressButton(book->ToolBar()->FindObjectByStringID("bt_graph"));
    EXPECT_TRUE(IsWindowVisible(map->OSHandle()));
    EXPECT_FALSE(IsWindowVisible(text));
}

TEST_F(MapEndToEnd, LimitsSetInTheLegendSurviveTheOptionsApplyAndOk)
{
    RunIncomeMap();
    ASSERT_NE(nullptr, map);
    ASSERT_GE(page->Record()->classes.bounds.size(), 3u);
    const double top = page->Record()->classes.bounds[2];
    ASSERT_LT(26000.0, top);
    DoubleClickLegend([](GroupDefWindow &dialog) {
        Type(dialog, "R1", "26000");
        PostOk(dialog, GroupDefWindow::okName);
    });
    ASSERT_EQ(page->Record()->classes.bounds[1], 26000.0);
    EXPECT_EQ(map->Legend()->ClassText(1).rfind("26000", 0), 0u) << map->Legend()->ClassText(1);

    // Options: the user's limits shown chosen; Apply and OK change nothing.
    bool userShown = false, casesShown = true;
    InOptions([&](OptionWindowFrame &frame) {
        userShown = Chosen(frame, "userdef");
        casesShown = Chosen(frame, "cases") || Chosen(frame, "data");
        frame.Event(ZafEventRecord(ZAF_DIALOG_APPLY));
        frame.Event(ZafEventRecord(ZAF_DIALOG_OK));
    });
    EXPECT_TRUE(userShown);
    EXPECT_FALSE(casesShown);
    EXPECT_EQ(page->Record()->groupingMethod, MapClassSettings::userDefined);
    ASSERT_GE(page->Record()->classes.bounds.size(), 3u);
    EXPECT_EQ(page->Record()->classes.bounds[1], 26000.0);
    EXPECT_EQ(map->Legend()->ClassText(1).rfind("26000", 0), 0u) << map->Legend()->ClassText(1);

    // Equal intervals chosen there: the classes are computed again.
    InOptions([&](OptionWindowFrame &frame) {
        if (ZafWindowObject *data = frame.Window()->FindObjectByStringID("data"))
            Click(data->OSHandle());
        frame.Event(ZafEventRecord(ZAF_DIALOG_OK));
    });
    EXPECT_EQ(page->Record()->groupingMethod, MapClassSettings::fromValues);
    EXPECT_NE(page->Record()->classes.bounds[1], 26000.0);
}

} // namespace
