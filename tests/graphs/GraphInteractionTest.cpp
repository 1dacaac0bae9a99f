// Working inside a graph as a user does: mouse messages posted to the graph's
// window (then the queue pumped until empty), the text dialog "GRTXTDLG" read
// from the generated MERVALO.ZNC and driven through its controls, the delete
// question answered on its box, the context menu picked with keys. Results
// are read through the element dump and the user-text list, not pixels.
// With MERVALO_SHOT set to a ".bmp" path the text dialog's pixels are saved
// there for a look at it.
#include "GraphTestSupport.h"

#include "dataset/TextCatalog.h"
#include "graphs/ElementDump.h"
#include "graphs/GraphTextDialog.h"
#include "graphs/GraphTextDialogDefinition.h"
#include "tests/support/LayoutCheck.h"
#include "shell/Main.h"
#include "shell/Page.h"
#include "shell/QIVprog.h"
#include "shell/WorkBook.h"
#include "tests/support/ModalLoop.h"
#include "stats/StatClass.h"
#include "zaf/controls/ZafControls.h"
#include "zaf/controls/ZafFrameButton.h"
#include "zaf/controls/ZafInteger.h"
#include "zaf/controls/ZafNotebookTab.h"
#include "zaf/controls/ZafPopUpMenu.h"
#include "zaf/controls/ZafString.h"
#include "zaf/data/ZafObjectPersistence.h"
#include "zaf/data/ZafPersistenceRegistry.h"
#include "zaf/data/ZafStorage.h"

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>

namespace {

namespace N = GraphTextDialogNames;
using graphtest::GraphTest;
using graphtest::TestGraph;

const std::string binDirectory = GRAPH_TEST_BIN_DIR;

// --- Answering modal windows from inside their loops -----------------------------------
// A step runs inside the modal loop that waits; it acts once the window it
// looks for is up (until then it tries again).

std::function<void(TEXT_DIALOG &)> dialogAction;

void DriveDialog()
{
    auto *dialog = dynamic_cast<TEXT_DIALOG *>(ZafDialogWindow::ModalWindow());
    if (!dialog || !dialog->OSHandle())
        return testsupport::WhenModalLoopIdles(DriveDialog, 10);
    if (dialogAction)
        dialogAction(*dialog);
}

struct Question
{
    bool asked = false;
    std::string title, text;
    int press = IDYES;
} question;

void AnswerQuestion()
{
    HWND box = testsupport::FindThreadMessageBox();
    if (!box)
        return testsupport::WhenModalLoopIdles(AnswerQuestion, 10);
    question.asked = true;
    char text[256] = "";
    GetWindowTextA(box, text, sizeof text);
    question.title = text;
    GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
    question.text = text;
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(question.press, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(box, question.press)));
}

// --- The fixture -------------------------------------------------------------------------

class InteractionTest : public GraphTest
{
protected:
    InteractionTest()
    {
        RegistrySettings::DeleteKeyInSection(graphtest::Graphics(), "SnapToGrid");
        savedMode = GraphMouseMode;
        GraphMouseMode = GRAPHWIN::modeMove;
        // The program's own UI data file, as the build wrote it.
        ZafRegisterControls();
        ZafFrameButton::InstallGenericObjectMaker();
        storage = std::make_unique<ZafStorage>((binDirectory + "/MERVALO.ZNC").c_str(), ZafStorage::Read);
        persistence.reset(ZafPersistenceRegistry::MakePersistence(storage.get()));
        userPersist = persistence.get();
        dialogAction = nullptr;
        question = Question{};
    }
    ~InteractionTest() override
    {
        testsupport::ForgetModalLoopSteps();
        dialogAction = nullptr;
        userPersist = nullptr;
        GraphMouseMode = savedMode;
        RegistrySettings::DeleteKeyInSection(graphtest::Graphics(), "SnapToGrid");
    }

    // A mouse message at a client point of the graph, pumped to the end.
    void Post(UINT message, int x, int y, WPARAM buttons = 0)
    {
        PostMessageA(graph->OSHandle(), message, buttons, MAKELPARAM(x, y));
        Pump();
    }
    void Press(int x, int y) { Post(WM_LBUTTONDOWN, x, y, MK_LBUTTON); }
    void MoveTo(int x, int y) { Post(WM_MOUSEMOVE, x, y, MK_LBUTTON); }
    void Release(int x, int y) { Post(WM_LBUTTONUP, x, y); }
    void Drag(int x0, int y0, int x1, int y1)
    {
        Press(x0, y0);
        MoveTo((x0 + x1) / 2, (y0 + y1) / 2);
        MoveTo(x1, y1);
        Release(x1, y1);
    }
    // A double press; the dialog that opens is handed to the action.
    void DoublePress(int x, int y, std::function<void(TEXT_DIALOG &)> action)
    {
        dialogAction = std::move(action);
        testsupport::WhenModalLoopIdles(DriveDialog);
        Press(x, y);
        Release(x, y);
        Post(WM_LBUTTONDBLCLK, x, y, MK_LBUTTON);
        Release(x, y);
    }
    void AnswerNextQuestion(int press)
    {
        question.press = press;
        testsupport::WhenModalLoopIdles(AnswerQuestion);
    }

    TEKSTELEMENT *TextOf(const char *wording) const
    {
        for (element *item : graph->Elements())
            if (auto *text = dynamic_cast<TEKSTELEMENT *>(item))
                if (std::string(text->Text()) == wording)
                    return text;
        return nullptr;
    }
    // A point strictly inside an element's drawn place.
    static POINT Inside(const element &item) { return POINT{item.device.left + 3, item.device.bottom - 3}; }
    static bool Contains(const std::string &dump, const std::string &part)
    {
        return dump.find(part) != std::string::npos;
    }

    graphtest::EnglishTexts texts;
    std::unique_ptr<ZafStorage> storage;
    std::unique_ptr<ZafObjectPersistence> persistence;
    int savedMode = 0;
};

// Dialog controls as the user works them.
HWND Handle(TEXT_DIALOG &dialog, const char *name)
{
    ZafWindowObject *control = dialog.FindObjectByStringID(name);
    return control ? control->OSHandle() : nullptr;
}

void ClickControl(HWND control)
{
    SendMessageA(control, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
    SendMessageA(control, WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
}

void Type(TEXT_DIALOG &dialog, const char *name, const char *text)
{
    SetWindowTextA(Handle(dialog, name), text);
}

bool Ticked(TEXT_DIALOG &dialog, const char *name)
{
    ZafWindowObject *control = dialog.FindObjectByStringID(name);
    return control && control->Selected();
}

// --- Selection ---------------------------------------------------------------------------

struct HitCase
{
    const char *name;
    int x, y;
    const char *selected; // the element's name; null: none
};

class HitTest : public InteractionTest, public testing::WithParamInterface<HitCase>
{};

TEST_P(HitTest, SelectsTheLeastTallElementStrictlyUnderThePointer)
{
    ShowGraph();
    // A small box on the big one (40,60)-(200,210), and a map region over
    // the whole pane.
    auto *small = new BOXELEMENT(2000, 3000, 1000, 1000, &graph->other);
    small->SetName("small");
    graph->AddElement(small);
    auto *region = new element(element::kindMapRegion);
    region->SetName("region");
    region->device = ElementRect{0, 0, TestGraph::width - 1, TestGraph::height - 1, 0};
    graph->AddElement(region);
    for (element *item : graph->Elements())
        if (item->kind == element::kindBox)
            item->SetName(item == small ? "small" : "big");
    graphtest::Bitmap screen(TestGraph::width, TestGraph::height);
    PaintInto(screen);
    ASSERT_EQ(small->device.left, 80) << DumpElements(*graph);

    Press(GetParam().x, GetParam().y);
    element *chosen = graph->SelectedElement();
    if (GetParam().selected) {
        ASSERT_NE(chosen, nullptr);
        EXPECT_STREQ(chosen->Name(), GetParam().selected);
    } else {
        EXPECT_EQ(chosen, nullptr);
    }
    Release(GetParam().x, GetParam().y);
}

INSTANTIATE_TEST_SUITE_P(Points, HitTest,
                         testing::Values(HitCase{"BigBoxAlone", 150, 180, "big"},
                                         HitCase{"SmallBoxOverTheBigOne", 100, 100, "small"},
                                         HitCase{"BigBoxLeftEdge", 40, 180, "region"},
                                         HitCase{"EmptyPane", 380, 280, "region"},
                                         HitCase{"RegionEdge", 0, 150, nullptr}),
                         [](const testing::TestParamInfo<HitCase> &info) { return info.param.name; });

TEST_F(InteractionTest, APressInAnotherModeSelectsNothing)
{
    ShowGraph();
    for (int mode : {GRAPHWIN::modePlain, GRAPHWIN::modeText}) {
        GraphMouseMode = mode;
        Press(150, 180);
        EXPECT_EQ(graph->SelectedElement(), nullptr) << mode;
        Release(150, 180);
    }
}

// --- Dragging ------------------------------------------------------------------------------

struct SnapCase
{
    const char *name;
    unsigned long snap, gridSize;
    const char *placed; // the big box's device rectangle after the drag
    int toX = 97, toY = 92; // where the pointer lets go
};

class SnapTest : public InteractionTest, public testing::WithParamInterface<SnapCase>
{};

TEST_P(SnapTest, DraggingMovesTheBoxKeepingItsSize)
{
    Set("SnapToGrid", GetParam().snap);
    Set("GridSize", GetParam().gridSize);
    ShowGraph();
    // From (100, 100) in the box (40,60)-(200,210) to where its left edge
    // comes to 37 and its top to 52 (or past the window's left edge).
    Drag(100, 100, GetParam().toX, GetParam().toY);
    EXPECT_EQ(graph->SelectedElement(), nullptr);
    const std::string dump = DumpElements(*graph);
    EXPECT_TRUE(Contains(dump, std::string("box L(1000,2000,5000,7000) ") + GetParam().placed)) << dump;
    EXPECT_EQ(graph->UserTexts().Count(), 0) << "a shape is no user text";
}

INSTANTIATE_TEST_SUITE_P(Grids, SnapTest,
                         testing::Values(SnapCase{"Grid10", 1, 10, "D(30,50,190,200)"},
                                         SnapCase{"NoSnapping", 0, 10, "D(37,52,197,202)"},
                                         // A stored grid of 0 is clamped to 2 (it divided by zero).
                                         SnapCase{"GridZero", 1, 0, "D(36,52,196,202)"},
                                         // Left of the window the grid line at or before -7 is -10.
                                         SnapCase{"PastTheLeftEdge", 1, 10, "D(-10,50,150,200)", 53, 92}),
                         [](const testing::TestParamInfo<SnapCase> &info) { return info.param.name; });

TEST_F(InteractionTest, PressingNearACornerResizesTheBox)
{
    ShowGraph();
    Press(42, 62);
    EXPECT_EQ(graph->DragFlags(), GRAPHWIN::dragResize | GRAPHWIN::dragLeft | GRAPHWIN::dragTop);
    MoveTo(30, 50);
    MoveTo(22, 43);
    Release(22, 43);
    // The corner followed the pointer by (-20, -19) to (20, 41), snapped to
    // (20, 40); the opposite corner stayed.
    const std::string dump = DumpElements(*graph);
    EXPECT_TRUE(Contains(dump, "box L(1000,2000,5000,7000) D(20,40,200,210)")) << dump;
}

TEST_F(InteractionTest, TheZoomRubberBandShowsOnlyWhileTheButtonIsHeld)
{
    ShowGraph();
    const std::string before = DumpElements(*graph);
    GraphMouseMode = GRAPHWIN::modeZoom;
    Press(50, 50);
    ASSERT_NE(graph->RubberBand(), nullptr);
    EXPECT_EQ(graph->RubberBand()->drawn.left, -1);
    MoveTo(150, 120);
    EXPECT_EQ(graph->RubberBand()->drawn.right, 150);
    EXPECT_EQ(graph->RubberBand()->drawn.bottom, 120);
    // Back to the start's column: the rectangle drawn last stays.
    MoveTo(50, 80);
    EXPECT_EQ(graph->RubberBand()->drawn.right, 150);
    MoveTo(20, 30);
    EXPECT_EQ(graph->RubberBand()->drawn.left, 20);
    EXPECT_EQ(graph->RubberBand()->drawn.right, 50);
    Release(20, 30);
    EXPECT_EQ(graph->RubberBand(), nullptr);
    EXPECT_EQ(graph->SelectedElement(), nullptr);
    EXPECT_EQ(DumpElements(*graph), before);
}

// --- The text dialog ---------------------------------------------------------------------

TEST_F(InteractionTest, ADoublePressEditsATextThroughTheDialogAndTheRebuildKeepsIt)
{
    ShowGraph();
    TEKSTELEMENT *title = TextOf("Title");
    ASSERT_NE(title, nullptr);
    const POINT at = Inside(*title);
    bool seen = false;
    DoublePress(at.x, at.y, [&](TEXT_DIALOG &dialog) {
        seen = true;
        EXPECT_EQ(dialog.Element(), title);
        EXPECT_EQ(dialog.EnteredText(), "Title");
        EXPECT_FALSE(Ticked(dialog, N::italic));
        EXPECT_TRUE(IsWindowEnabled(Handle(dialog, N::remove)));
        EXPECT_EQ(dialog.SizeField()->GetValue(), 10);
        char caption[64] = "";
        GetWindowTextA(dialog.OSHandle(), caption, sizeof caption);
        EXPECT_STREQ(caption, "Text in graph");
        Type(dialog, N::text, "Edited title");
        ClickControl(Handle(dialog, N::italic));
        ClickControl(Handle(dialog, N::serif));
        Type(dialog, "GTD_SIZE_FIELD", "14");
        ClickControl(Handle(dialog, N::ok));
    });
    ASSERT_TRUE(seen);
    EXPECT_EQ(TextOf("Title"), nullptr);
    ASSERT_EQ(TextOf("Edited title"), title);
    EXPECT_EQ(title->StyleBits(), TEKSTELEMENT::styleBold | TEKSTELEMENT::styleItalic | TEKSTELEMENT::styleSerif);
    EXPECT_EQ(title->FontSize(), 14);
    ASSERT_EQ(graph->UserTexts().Count(), 1);

    // An option change rebuilds the graph: the edit stays, once.
    graph->Rebuild();
    Pump();
    const std::string dump = DumpElements(*graph);
    EXPECT_TRUE(Contains(dump, "\"Edited title\" align 00 font 14/7")) << dump;
    EXPECT_FALSE(Contains(dump, "\"Title\"")) << dump;
    EXPECT_EQ(graph->builds, 2);
}

TEST_F(InteractionTest, ATextAddedInTextModeSurvivesARebuild)
{
    ShowGraph();
    GraphMouseMode = GRAPHWIN::modeText;
    const int before = graph->Elements().Count();
    DoublePress(300, 250, [&](TEXT_DIALOG &dialog) {
        EXPECT_EQ(dialog.Element(), nullptr);
        EXPECT_EQ(dialog.EnteredText(), "");
        EXPECT_FALSE(IsWindowEnabled(Handle(dialog, N::remove)));
        EXPECT_TRUE(Ticked(dialog, N::bold));
        EXPECT_TRUE(Ticked(dialog, N::sansSerif));
        EXPECT_STREQ(dialog.SizeField()->Text(), "");
        Type(dialog, N::text, "Note");
        ClickControl(Handle(dialog, N::fixedPitch));
        if (const char *shot = std::getenv("MERVALO_SHOT")) {
            RedrawWindow(dialog.OSHandle(), nullptr, nullptr,
                         RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
            EXPECT_TRUE(graphtest::Bitmap::SaveWindow(dialog.OSHandle(), shot));
        }
        ClickControl(Handle(dialog, N::ok));
    });
    ASSERT_EQ(graph->Elements().Count(), before + 1);
    TEKSTELEMENT *note = TextOf("Note");
    ASSERT_NE(note, nullptr);
    EXPECT_EQ(note->StyleBits(), TEKSTELEMENT::styleBold | TEKSTELEMENT::styleFixed);
    // Anchored at the pointer: 300 of 400 and 250 of 300 pixels.
    EXPECT_EQ(note->logical.left, 7500);
    EXPECT_EQ(note->logical.bottom, 8333);

    graph->Rebuild();
    Pump();
    EXPECT_EQ(graph->Elements().Count(), before + 1);
    EXPECT_EQ(TextOf("Note"), note);
    EXPECT_NE(TextOf("Title"), nullptr);
}

TEST_F(InteractionTest, TheTextDialogShowsEveryControlWholeInsideItsGroupsAndWindow)
{
    ShowGraph();
    const POINT at = Inside(*TextOf("Title"));
    std::string problems = "not shown";
    DoublePress(at.x, at.y, [&](TEXT_DIALOG &dialog) {
        problems = testsupport::LayoutCheck(&dialog).Report();
        ClickControl(Handle(dialog, N::cancel));
    });
    EXPECT_EQ("", problems);
}

TEST_F(InteractionTest, CancellingTheDialogChangesNothing)
{
    ShowGraph();
    const std::string before = DumpElements(*graph);
    const POINT at = Inside(*TextOf("Title"));
    DoublePress(at.x, at.y, [&](TEXT_DIALOG &dialog) {
        Type(dialog, N::text, "Not taken");
        ClickControl(Handle(dialog, N::cancel));
    });
    EXPECT_EQ(DumpElements(*graph), before);
    EXPECT_EQ(graph->UserTexts().Count(), 0);
}

TEST_F(InteractionTest, AMovedTextKeepsItsPlaceThroughARebuild)
{
    Set("SnapToGrid", 0);
    ShowGraph();
    TEKSTELEMENT *title = TextOf("Title");
    const POINT at = Inside(*title);
    const ElementRect was = title->device;
    Drag(at.x, at.y, at.x + 100, at.y + 50);
    EXPECT_EQ(title->device.left, was.left + 100);
    EXPECT_EQ(title->device.bottom, was.bottom + 50);
    ASSERT_EQ(graph->UserTexts().Count(), 1);
    graph->Rebuild();
    Pump();
    EXPECT_EQ(TextOf("Title"), title);
    EXPECT_EQ(title->device.left, was.left + 100);
}

TEST_F(InteractionTest, AMovedBoxScalesWithTheWindowInsteadOfSnappingBack)
{
    Set("SnapToGrid", 0);
    ShowGraph();
    const int builds = graph->builds;
    Drag(100, 100, 97, 92); // the box to D(37,52,197,202), as SnapTest shows
    // In logical units 37*10000/400 = 925, 52*10000/300 = 1733, 4925, 6733:
    // at 800 x 600 74, 103, 394, 403; hidden, shown (a view switch) and back
    // at 400 x 300 37, 51, 197, 201.
    const struct
    {
        int width, height;
        const char *placed;
    } steps[] = {{800, 600, "D(74,103,394,403)"}, {400, 300, "D(37,51,197,201)"}};
    for (auto [width, height, placed] : steps) {
        ShowWindow(graph->OSHandle(), SW_HIDE);
        SetWindowPos(graph->OSHandle(), nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_SHOWWINDOW);
        Pump();
        graphtest::Bitmap screen(width, height);
        PaintInto(screen);
        const std::string dump = DumpElements(*graph);
        EXPECT_TRUE(Contains(dump, std::string("box L(925,1733,4925,6733) ") + placed)) << dump;
    }
    EXPECT_EQ(graph->builds, builds) << "a resize scales, it does not build again";
}

// --- Deleting a text -----------------------------------------------------------------------

struct DeleteCase
{
    const char *name;
    bool byKey; // else through the dialog's Delete
    int answer;
    bool deleted;
};

class DeleteTest : public InteractionTest, public testing::WithParamInterface<DeleteCase>
{};

TEST_P(DeleteTest, ADeletedTextLeavesBothListsAndTheSelection)
{
    ShowGraph();
    // The title is first made the user's, so that it is in both lists.
    GraphMouseMode = GRAPHWIN::modeText;
    DoublePress(300, 250, [](TEXT_DIALOG &dialog) {
        Type(dialog, N::text, "Note");
        ClickControl(Handle(dialog, N::ok));
    });
    GraphMouseMode = GRAPHWIN::modeMove;
    TEKSTELEMENT *note = TextOf("Note");
    ASSERT_NE(note, nullptr);
    ASSERT_EQ(graph->UserTexts().Count(), 1);
    const POINT at = Inside(*note);
    AnswerNextQuestion(GetParam().answer);
    if (GetParam().byKey) {
        Press(at.x, at.y);
        Release(at.x, at.y);
        ASSERT_EQ(graph->SelectedElement(), note) << "a click keeps its element selected";
        PostMessageA(graph->OSHandle(), WM_KEYDOWN, VK_DELETE, 1);
        Pump();
    } else {
        DoublePress(at.x, at.y, [](TEXT_DIALOG &dialog) { ClickControl(Handle(dialog, N::remove)); });
    }
    ASSERT_TRUE(question.asked);
    EXPECT_EQ(question.title, "Delete text");
    EXPECT_EQ(question.text, "Delete the selected text?");
    EXPECT_EQ(TextOf("Note") != nullptr, !GetParam().deleted);
    EXPECT_EQ(graph->UserTexts().Count(), GetParam().deleted ? 0 : 1);
    if (GetParam().deleted) {
        EXPECT_EQ(graph->SelectedElement(), nullptr);
    }
    // A rebuild and a redisplay read neither list's freed element.
    graph->Rebuild();
    Pump();
    graphtest::Bitmap screen(TestGraph::width, TestGraph::height);
    PaintInto(screen);
    EXPECT_EQ(TextOf("Note") != nullptr, !GetParam().deleted);
    EXPECT_NE(TextOf("Title"), nullptr);
}

INSTANTIATE_TEST_SUITE_P(Ways, DeleteTest,
                         testing::Values(DeleteCase{"KeyYes", true, IDYES, true},
                                         DeleteCase{"KeyNo", true, IDNO, false},
                                         DeleteCase{"DialogYes", false, IDYES, true},
                                         DeleteCase{"DialogNo", false, IDNO, false}),
                         [](const testing::TestParamInfo<DeleteCase> &info) { return info.param.name; });

// --- The context menu ----------------------------------------------------------------------

// A page that shows a test graph for every graph tool.
class GraphPage : public Page
{
public:
    GraphPage() : Page("Graph") {}
    ZafWindow *CreateGraphWindow(int, StatOption *) override { return new TestGraph; }
};

struct MenuLoopGuard
{
    explicit MenuLoopGuard(HWND window) : window(window) { SetTimer(window, id, 5000, EndLoop); }
    ~MenuLoopGuard() { KillTimer(window, id); }
    static void CALLBACK EndLoop(HWND, UINT, UINT_PTR, DWORD) { EndMenu(); }
    static constexpr UINT_PTR id = 98;
    HWND window;
};

TEST_F(InteractionTest, TheContextMenuListsTheWorkbooksGraphToolsAndShowsThePickedOne)
{
    ZafNotebookTab::InstallHooks();
    WorkBook::ShowHook previousShow = WorkBook::SetShowHook(nullptr);
    auto *book = new WorkBook(nullptr, 0);
    book->SetRegion(ZafRegionRect(2, 2, 63, 25, ZAF_CELL));
    book->AddGraphTool(12, 1, nullptr, nullptr);
    book->AddGraphTool(13, 1, nullptr, nullptr);
    auto *page = new GraphPage;
    book->AddPage(page);
    book->CompleteToolBar();
    Pump();
    book->Event(ZafEventRecord(WorkBook::graphToolEvent + 0));
    Pump();
    ASSERT_EQ(page->GraphWindows().size(), 1u);
    auto *shown = dynamic_cast<TestGraph *>(page->GraphWindows()[0]);
    ASSERT_NE(shown, nullptr);
    shown->Event(ZafEventRecord(ZAF_APPLY_GEOMETRY));
    Pump();
    graph = shown;
    SetForegroundWindow(book->OSHandle());

    // Right press, then Down twice and Enter in the menu's own loop.
    {
        MenuLoopGuard guard(book->OSHandle());
        PostMessageA(shown->OSHandle(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(100, 100));
        for (WPARAM key : {VK_DOWN, VK_DOWN, VK_RETURN})
            PostMessageA(book->OSHandle(), WM_KEYDOWN, key, 1);
        Pump();
        while (zafEventManager->QueueCount() > 0) {
            ZafEventRecord event;
            zafEventManager->Get(event, ZAF_QUEUE_NO_WAIT);
            zafWindowManager->Event(event);
        }
        Pump();
    }
    ZafPopUpMenu *menu = shown->ContextMenu();
    ASSERT_NE(menu, nullptr);
    std::vector<std::string> texts;
    std::vector<ZafEventType> values;
    for (ZafElement *e = menu->First(); e; e = e->Next()) {
        auto *item = static_cast<ZafPopUpItem *>(e);
        texts.emplace_back(item->ItemKind() == ZafPopUpItem::kindSeparator ? "-" : item->Text());
        values.push_back(item->Value());
    }
    EXPECT_EQ(texts, (std::vector<std::string>{"Frequency table", "Crosstabulation", "-", "Options...", "-",
                                               "Copy to clipboard", "Save as metafile...", "Print"}));
    EXPECT_EQ(values[0], WorkBook::graphToolEvent);
    EXPECT_EQ(values[1], WorkBook::graphToolEvent + 1);
    EXPECT_EQ(values[3], WorkBook::bookOptionsEvent) << "the options are the workbook's";
    EXPECT_EQ(values[5], ZAF_COPY);
    EXPECT_EQ(values[6], GRAPHWIN::saveMetafileEvent);
    EXPECT_EQ(values[7], WorkBook::printEvent);
    EXPECT_TRUE(static_cast<ZafPopUpItem *>(menu->First())->Selected()) << "the graph shown is marked";
    // The second tool was picked: its graph is on the page now.
    EXPECT_EQ(book->CurrentGraphKind(), 1);
    EXPECT_EQ(page->GraphWindows().size(), 2u);
    // The menu is the window's, made once: a graph window of its own.
    auto *second = dynamic_cast<TestGraph *>(page->GraphWindows()[1]);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(second->ContextMenu(), nullptr);

    graph = nullptr;
    zafWindowManager->CloseWindow(book);
    Pump();
    WorkBook::SetShowHook(previousShow);
}

TEST_F(InteractionTest, OutsideAWorkbookTheContextMenuIsTheWindowsOwnWithCopySaveAndPrint)
{
    ShowGraph();
    SetForegroundWindow(graph->OSHandle());
    // Two right presses, each menu closed with Escape.
    std::vector<ZafPopUpMenu *> menus;
    for (int i = 0; i < 2; ++i) {
        MenuLoopGuard guard(graph->OSHandle());
        PostMessageA(graph->OSHandle(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(100 + 20 * i, 100));
        PostMessageA(graph->OSHandle(), WM_KEYDOWN, VK_ESCAPE, 1);
        Pump();
        while (zafEventManager->QueueCount() > 0) {
            ZafEventRecord event;
            zafEventManager->Get(event, ZAF_QUEUE_NO_WAIT);
            zafWindowManager->Event(event);
        }
        Pump();
        menus.push_back(graph->ContextMenu());
    }
    ASSERT_NE(menus[0], nullptr);
    EXPECT_EQ(menus[1], menus[0]) << "made on first use, then moved to the pointer";
    std::vector<std::string> texts;
    std::vector<ZafEventType> values;
    for (ZafElement *e = menus[0]->First(); e; e = e->Next()) {
        auto *item = static_cast<ZafPopUpItem *>(e);
        texts.emplace_back(item->Text());
        values.push_back(item->Value());
    }
    EXPECT_EQ(texts, (std::vector<std::string>{"Copy to clipboard", "Save as metafile...", "Print"}));
    EXPECT_EQ(values, (std::vector<ZafEventType>{ZAF_COPY, GRAPHWIN::saveMetafileEvent, WorkBook::printEvent}));
}

} // namespace
