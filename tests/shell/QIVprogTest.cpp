// The main window as the running program has it: the Analyses menu built
// from the registry (only the analyses this build has, in the registry's
// order and groups, with the language file's texts), its items calling the
// installed handler, the graph mode events, opening data sets (a bad one
// reported with the old one kept), "MM_MAP" following the map file, the
// status bar, the workbooks as documents of the Window menu, and the
// variable list read from the UI data file.
#include "MainTestSupport.h"

#include "dataset/DATASET.h"
#include "dataset/MapFile.h"
#include "dataset/ProgramSettings.h"
#include "shell/AnalysisRegistry.h"
#include "zaf/controls/ZafPopUpMenu.h"
#include "zaf/controls/ZafPullDownMenu.h"
#include "shell/Page.h"
#include "shell/QivPrinter.h"
#include "shell/TXTWIN.h"
#include "shell/UserPersist.h"
#include "shell/VariableListWindow.h"
#include "shell/WorkBook.h"
#include "stats/StatClass.h"
#include "zaf/controls/ZafButton.h"
#include "zaf/controls/ZafVtList.h"
#include "zaf/core/ZafText.h"
#include "zaf/core/ZafTracker.h"
#include "zaf/core/ZafWindowManager.h"
#include "zaf/core/ZafEventManager.h"

#include <algorithm>

namespace {

using namespace mainsupport;

StatOption *MakeTestOption()
{
    return new StatOption();
}

std::vector<std::string> handled;

void RecordAnalysis(const RegisteredOption &option)
{
    handled.push_back(option.helpName);
}

// The open dialog of this thread: a visible common dialog ("#32770").
BOOL CALLBACK MatchDialog(HWND window, LPARAM data)
{
    char name[16] = "";
    GetClassNameA(window, name, sizeof name);
    if (std::string(name) != "#32770" || !IsWindowVisible(window))
        return TRUE;
    *reinterpret_cast<HWND *>(data) = window;
    return FALSE;
}

// Answers the open dialog with a file name, or cancels it (empty name).
void AnswerOpenDialog(const std::string &name)
{
    HWND dialog = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), MatchDialog, reinterpret_cast<LPARAM>(&dialog));
    ASSERT_NE(nullptr, dialog);
    if (name.empty()) {
        PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
        return;
    }
    // The file name field: an edit (0x480) or the edit of a combo box (0x47C).
    if (!SetDlgItemTextA(dialog, 0x480, name.c_str())) {
        ASSERT_TRUE(SetDlgItemTextA(dialog, 0x47C, name.c_str()));
    }
    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
}

class QIVprogTest : public MainFixture
{
protected:
    void SetUp() override
    {
        MainFixture::SetUp();
        handled.clear();
        WriteProgramFiles();
        previousHandler = QIVprog::SetAnalysisHandler(nullptr);
        QIVprog::SetAnalysisHandler(previousHandler);
    }
    void TearDown() override
    {
        for (const char *name : {"USE_ONEWAY_FREQ", "USE_TWOWAY_CROSS", "USE_MAP", "USE_LOOK"})
            RegisterAnalysisFactory(name, nullptr);
        QIVprog::SetAnalysisHandler(previousHandler);
        MainFixture::TearDown();
    }
    QIVprog::AnalysisHandler previousHandler = nullptr;

    // Picks a menu item as Windows reports it: a command with its id.
    static void Pick(const char *name)
    {
        ZafWindowObject *item = MainWindow()->FindObjectByStringID(name);
        ASSERT_NE(nullptr, item) << name;
        PostMessageA(MainWindow()->OSHandle(2), WM_COMMAND, MAKEWPARAM(item->NumberID(), 0), 0);
    }
    // Presses and releases a button of the main window with the mouse.
    static void Click(const char *name)
    {
        ZafWindowObject *button = MainWindow()->FindObjectByStringID(name);
        ASSERT_NE(nullptr, button) << name;
        HWND control = button->OSHandle();
        ASSERT_NE(nullptr, control) << name;
        PostMessageA(control, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
        PostMessageA(control, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    }
};

TEST_F(QIVprogTest, TheAnalysesMenuHoldsTheBuiltAnalysesInRegistryOrderAndGroups)
{
    // Entered out of menu order; the weight choice is no analysis of this
    // system and never shows, whatever is entered for it.
    ASSERT_TRUE(RegisterAnalysisFactory("USE_MAP", MakeTestOption));
    ASSERT_TRUE(RegisterAnalysisFactory("USE_TWOWAY_CROSS", MakeTestOption));
    ASSERT_TRUE(RegisterAnalysisFactory("USE_ONEWAY_FREQ", MakeTestOption));
    EXPECT_FALSE(RegisterAnalysisFactory("USE_UNKNOWN", MakeTestOption));
    EXPECT_FALSE(RegisterAnalysisFactory("USE_WEIGHT", MakeTestOption));
    QIVprog::SetAnalysisHandler(RecordAnalysis);

    std::vector<std::string> texts;
    int separators = 0;
    RunMain({"/ns"}, {[&] {
                          auto *menu =
                              dynamic_cast<ZafPullDownItem *>(MainWindow()->FindObjectByStringID(analysisMenuName));
                          ASSERT_NE(nullptr, menu);
                          for (auto *item = menu->SubMenu().FirstChild(); item;
                               item = static_cast<ZafWindowObject *>(item->Next())) {
                              auto *entry = dynamic_cast<ZafPopUpItem *>(item);
                              if (entry && entry->ItemKind() == ZafPopUpItem::kindSeparator)
                                  separators++;
                              else
                                  texts.push_back(item->Text() ? item->Text() : "");
                          }
                          Pick("USE_TWOWAY_CROSS");
                      },
                      [] { Pick("MM_MAP"); }});
    EXPECT_EQ((std::vector<std::string>{"Frequencies", "Crosstab", "Maps"}), texts);
    EXPECT_EQ(2, separators);
    EXPECT_EQ((std::vector<std::string>{"USE_TWOWAY_CROSS", "USE_MAP"}), handled);
    EXPECT_EQ(0, reports.count) << reports.message;
}

// A window of a UI data file that names "EvCmList" or "EvCmMap" as its
// user function gets the program's handler when read through the program's
// persistence; selecting starts the case list or the region map, and every
// code is answered with 0.
TEST_F(QIVprogTest, WindowsOfTheUIDataFileNamingEvCmListOrEvCmMapStartTheirAnalysis)
{
    ASSERT_TRUE(RegisterAnalysisFactory("USE_LOOK", MakeTestOption));
    ASSERT_TRUE(RegisterAnalysisFactory("USE_MAP", MakeTestOption));
    QIVprog::SetAnalysisHandler(RecordAnalysis);
    const std::string starters = directory + "\\STARTERS.ZNC";
    std::vector<std::string> answers;
    RunMain({"/ns"}, {[&] {
        ASSERT_NE(nullptr, dynamic_cast<UserPersist *>(userPersist));
        ZafUserFunction list = userPersist->GetUserFunction("EvCmList");
        ZafUserFunction map = userPersist->GetUserFunction("EvCmMap");
        ASSERT_NE(nullptr, list);
        ASSERT_NE(nullptr, map);
        {
            ZafStorage storage(starters.c_str(), ZafStorage::CreateTree);
            UserPersist persistence(&storage);
            for (auto [name, function] : {std::pair{"LISTSTARTER", list}, std::pair{"MAPSTARTER", map}}) {
                ZafWindow window(0, 0, 10, 3);
                window.SetStringID(name);
                window.SetUserFunction(function);
                window.Write(persistence);
                ASSERT_EQ(0u, persistence.Error()) << name;
            }
            ASSERT_EQ(0u, storage.Save());
        }
        ZafStorage storage(starters.c_str(), ZafStorage::Read);
        UserPersist persistence(&storage);
        for (const char *name : {"MAPSTARTER", "LISTSTARTER"}) {
            ZafWindow window(name, persistence);
            ASSERT_EQ(0, window.Error()) << name;
            ZafUserFunction function = window.UserFunction();
            ASSERT_NE(nullptr, function) << name;
            ZafEventRecord event(ZAF_SELECT);
            answers.push_back(std::to_string(function(&window, event, ZAF_SELECT)));
            answers.push_back(std::to_string(function(&window, event, ZAF_CREATE)));
        }
    }});
    EXPECT_EQ((std::vector<std::string>{"USE_MAP", "USE_LOOK"}), handled);
    EXPECT_EQ((std::vector<std::string>{"0", "0", "0", "0"}), answers);
    EXPECT_EQ(0, reports.count) << reports.message;
}

TEST_F(QIVprogTest, GraphMenuItemsAndToolButtonsSetTheProgramWideMouseMode)
{
    GraphMouseMode = 0;
    MapIdentifyFlag = 0;
    std::vector<int> modes;
    std::vector<std::string> checked; // the Graphs items with the check mark
    bool identifyChecked = false;
    const auto note = [&] {
        modes.push_back(GraphMouseMode);
        for (const char *name : {zoomItemName, textItemName, moveItemName})
            if (MainWindow()->FindObjectByStringID(name)->Selected())
                checked.push_back(name);
    };
    RunMain({"/ns"}, {[] { Pick(zoomItemName); }, note, [] { Pick(textItemName); }, note, [] { Pick(moveItemName); },
                      note, [] { Click(zoomToolName); }, note, [] { Click(textToolName); }, note,
                      [] { Click(moveToolName); }, note, [] { Pick(identifyItemName); },
                      [&] { identifyChecked = MainWindow()->FindObjectByStringID(identifyItemName)->Selected(); },
                      [] { Pick(textItemName); }, note});
    EXPECT_EQ((std::vector<int>{1, 2, 3, 1, 2, 3, 2}), modes);
    const std::vector<std::string> once = {zoomItemName, textItemName, moveItemName};
    std::vector<std::string> twice = once;
    twice.insert(twice.end(), once.begin(), once.end());
    twice.push_back(textItemName);
    EXPECT_EQ(twice, checked);
    EXPECT_TRUE(identifyChecked);
    // Choosing another mouse mode ended identifying.
    EXPECT_EQ(0, MapIdentifyFlag);
    MapIdentifyFlag = 0;
}

TEST_F(QIVprogTest, WorkbooksAreDocumentsListedInTheWindowMenuAndArrangedByIt)
{
    WorkBook *books[2] = {};
    HWND client = nullptr;
    std::vector<std::string> listed;
    RECT placed[2] = {};
    RunMain({"/ns"}, {[&] {
                          for (WorkBook *&book : books) {
                              book = new WorkBook(nullptr, 0);
                              book->title = book == books[0] ? "First" : "Second";
                              book->CompleteToolBar();
                          }
                          client = MainWindow()->ClientWindow();
                      },
                      [&] {
                          auto *menu =
                              dynamic_cast<ZafPullDownItem *>(MainWindow()->FindObjectByStringID(windowMenuName));
                          HMENU handle = menu->SubMenu().MenuHandle();
                          for (UINT command = ZafMDIWindow::firstChildCommand;
                               command < ZafMDIWindow::firstChildCommand + 2; ++command) {
                              char text[64] = "";
                              GetMenuStringA(handle, command, text, sizeof text, MF_BYCOMMAND);
                              listed.push_back(text);
                          }
                          Pick(tileItemName);
                      },
                      [&] {
                          for (int i = 0; i < 2; ++i) {
                              GetWindowRect(books[i]->OSHandle(), &placed[i]);
                              EXPECT_EQ(client, GetParent(books[i]->OSHandle()));
                          }
                      }});
    ASSERT_EQ(2u, listed.size());
    std::sort(listed.begin(), listed.end());
    EXPECT_NE(std::string::npos, listed[0].find("First")) << listed[0];
    EXPECT_NE(std::string::npos, listed[1].find("Second")) << listed[1];
    // Tiled: side by side or one above the other, never overlapping.
    RECT overlap;
    EXPECT_FALSE(IntersectRect(&overlap, &placed[0], &placed[1]));
    EXPECT_EQ(0, reports.count) << reports.message;
}

TEST_F(QIVprogTest, WithoutAnalysesTheVariablesItemOpensTheVariableListFromTheUIDataFile)
{
    const std::string name = WriteDataSet("listed.QVF");
    int rows = -1;
    bool analysesMenu = true;
    RunMain({"/ns", name},
            {[&] {
                 // A build without any analysis shows no empty Analyses menu.
                 analysesMenu = MainWindow()->FindObjectByStringID(analysisMenuName) != nullptr;
                 Pick(variablesItemName);
             },
             [&] {
                 VariableListWindow *window = VariableListWindow::Current();
                 ASSERT_NE(nullptr, window);
                 EXPECT_EQ(0, window->Error());
                 rows = static_cast<int>(SendMessageA(window->VariableList()->OSHandle(), LB_GETCOUNT, 0, 0));
                 zafWindowManager->CloseWindow(window);
             }});
    EXPECT_EQ(1, rows);
    EXPECT_FALSE(analysesMenu);
    EXPECT_EQ(0, reports.count) << reports.message;
}

TEST_F(QIVprogTest, ABadDataSetIsReportedAndTheOpenOneKept)
{
    const std::string good = WriteDataSet("good.QVF");
    WriteFile(directory + "\\bad.QVF", "QIVS but nothing more");
    std::string open, status;
    RunMain({"/ns", good}, {[&] {
                EXPECT_FALSE(MainWindow()->OpenDataset((directory + "\\bad.QVF").c_str()));
                open = ProgramSettings::Instance()->GetDataSetName();
                status = MainWindow()->FindObjectByStringID(statusDataSetName)->Text();
            }});
    ASSERT_EQ(1, reports.count);
    EXPECT_EQ("Error", reports.title);
    EXPECT_NE(std::string::npos, reports.message.find("bad.QVF")) << reports.message;
    EXPECT_EQ(0, CompareTextNoCase(good.c_str(), open.c_str())) << open;
    EXPECT_EQ("good.QVF", status);
    EXPECT_EQ(0, CompareTextNoCase(good.c_str(), QIVprog::LastDataset().c_str()));
}

TEST_F(QIVprogTest, TheOpenItemAndAskingForADataSetShowTheOpenDialog)
{
    const std::string name = WriteDataSet("chosen.QVF");
    std::vector<std::string> open;
    const auto note = [&] {
        const char *current = ProgramSettings::Instance()->GetDataSetName();
        open.push_back(current ? current : "");
    };
    DATASET *given = nullptr;
    // Cancelled first: nothing changes. Asked for while none is open, the
    // settings show the dialog.
    RunMain({"/ns"},
            {[] { Pick(openItemName); }, [] { AnswerOpenDialog(""); }, note,
             [&] { given = ProgramSettings::Instance()->GetDataSet(1); }, [&] { AnswerOpenDialog(name); }, note});
    ASSERT_EQ(2u, open.size());
    EXPECT_EQ("", open[0]);
    EXPECT_EQ(0, CompareTextNoCase(name.c_str(), open[1].c_str())) << open[1];
    EXPECT_NE(nullptr, given);
    EXPECT_EQ(0, CompareTextNoCase(name.c_str(), QIVprog::LastDataset().c_str()));
    EXPECT_EQ(0, reports.count) << reports.message;
    // Without the main window nothing is asked.
    EXPECT_EQ(nullptr, ProgramSettings::Instance()->GetDataSet(1));
}

TEST_F(QIVprogTest, WorkbooksPrintOnTheSystemsPrinterAndAnInstalledPrinterIsReleasedOnce)
{
    static int released;
    released = 0;
    auto *printer = reinterpret_cast<QivPrinter *>(&released);
    QivPrinter *seen = nullptr;
    bool setUp = false;
    int printed = -1;
    RunMain({"/ns"}, {[&] {
                setUp = QIVprog::GetPrinter() != nullptr;
                auto *book = new WorkBook(nullptr, 0);
                auto *page = new Page("v1");
                page->SetResultWindow(new TXTWIN("t", 0));
                book->AddPage(page);
                book->CompleteToolBar();
                printed = book->PrintCurrentPage();
                QIVprog::SetPrinter(printer, [](QivPrinter *) { released++; });
                seen = QIVprog::GetPrinter();
            }});
    // Wine has no printer unless one is configured: the program has the one
    // the system has, and without one printing says so.
    std::unique_ptr<QivPrinter> system(QivPrinter::OpenDefault());
    EXPECT_EQ(system != nullptr, setUp);
    EXPECT_EQ(setUp ? 1 : 0, printed);
    EXPECT_EQ(setUp ? 0 : 1, reports.count);
    EXPECT_EQ(setUp ? "" : WorkBook::noPrinterText, reports.message);
    EXPECT_EQ(printer, seen);
    EXPECT_EQ(1, released);
    EXPECT_EQ(nullptr, QIVprog::GetPrinter());
}

TEST_F(QIVprogTest, TheMapAnalysisIsEnabledWhileTheDataSetHasAMapFile)
{
    ASSERT_TRUE(RegisterAnalysisFactory("USE_MAP", MakeTestOption));
    const std::string plain = WriteDataSet("plain.QVF");
    const std::string mapped = WriteDataSet("mapped.QVF");
    const std::string broken = WriteDataSet("broken.QVF");
    // Map count 1, version 9020, an entry (no items, name at 14), the name.
    std::string krt("\x01\x00\x3c\x23\x00\x00\x0e\x00\x00\x00\x0e\x00\x00\x00", 14);
    krt += std::string("North") + std::string(30, '\0');
    WriteFile(directory + "\\mapped.KRT", krt);
    WriteFile(directory + "\\broken.KRT", "");
    std::vector<bool> disabled;
    std::vector<std::string> status; // the status text, and the first map's name
    const auto note = [&] {
        disabled.push_back(MainWindow()->FindObjectByStringID("MM_MAP")->Disabled());
        const DATASET *open = ProgramSettings::Instance()->GetDataSet(0);
        status.push_back(std::string(MainWindow()->FindObjectByStringID(statusTextName)->Text()) + "|" +
                         (open && open->mapDirectory.mapCount == 1 ? open->mapDirectory.entries[0].name : ""));
    };
    RunMain({"/ns"}, {note, [&] { MainWindow()->OpenDataset(mapped.c_str()); }, note,
                      [&] { MainWindow()->OpenDataset(plain.c_str()); }, note,
                      [&] { MainWindow()->OpenDataset(broken.c_str()); }, note});
    EXPECT_EQ((std::vector<bool>{true, false, true, false}), disabled);
    // An unreadable map file is said in the status bar; the set still opens.
    EXPECT_EQ((std::vector<std::string>{
                  "|", "|North", "|",
                  "The map file could not be read: " + std::string(MapFileErrorText(MAPERR_SHORT)) + "|"}),
              status);
    EXPECT_EQ(0, reports.count) << reports.message;
}

TEST_F(QIVprogTest, StatusBarShowsTheTextAndHidesItsFieldsOnRequest)
{
    std::string text;
    std::vector<bool> visible;
    RunMain({"/ns"}, {[&] {
                SetStatusBarText("Computing");
                text = MainWindow()->FindObjectByStringID(statusTextName)->Text();
                SetStatusFieldsVisible(1);
                visible.push_back(MainWindow()->FindObjectByStringID(statusDataSetName)->Visible());
                visible.push_back(MainWindow()->FindObjectByStringID(statusCasesName)->Visible());
                SetStatusFieldsVisible(0);
                visible.push_back(MainWindow()->FindObjectByStringID(statusCasesName)->Visible());
            }});
    EXPECT_EQ("Computing", text);
    EXPECT_EQ((std::vector<bool>{false, false, true}), visible);
    // Without a main window the calls do nothing.
    SetStatusBarText("nowhere");
    SetStatusFieldsVisible(1);
}

// The variable-list windows among the top-level windows.
int OpenVariableLists()
{
    int count = 0;
    for (ZafElement *e = zafWindowManager->First(); e; e = e->Next())
        count += dynamic_cast<VariableListWindow *>(static_cast<ZafWindowObject *>(e)) ? 1 : 0;
    return count;
}

TEST_F(QIVprogTest, AnalysesCommandsBringTheOneVariableListForwardWithTheirAnalysis)
{
    ASSERT_TRUE(RegisterAnalysisFactory("USE_ONEWAY_FREQ", MakeTestOption));
    ASSERT_TRUE(RegisterAnalysisFactory("USE_TWOWAY_CROSS", MakeTestOption));
    const std::string name = WriteDataSet("listed.QVF");
    std::vector<int> lists, chosen;
    int frequencies = -1, crosstab = -1; // their places in the registry
    std::vector<std::function<void()>> script = {[&] {
        frequencies = static_cast<int>(FindRegisteredOption(12) - RegisteredOptionsList.data());
        crosstab = static_cast<int>(FindRegisteredOption(13) - RegisteredOptionsList.data());
    }};
    for (int i = 0; i < 10; ++i) {
        script.push_back([i] { Pick(i % 2 ? "USE_TWOWAY_CROSS" : "USE_ONEWAY_FREQ"); });
        script.push_back([&] {
            lists.push_back(OpenVariableLists());
            chosen.push_back(VariableListWindow::Current()->Chosen());
        });
    }
    script.push_back([] { zafWindowManager->CloseWindow(VariableListWindow::Current()); });
    RunMain({"/ns", name}, script);
    EXPECT_EQ(std::vector<int>(10, 1), lists);
    ASSERT_EQ(0, frequencies);
    for (size_t i = 0; i < chosen.size(); ++i)
        EXPECT_EQ(i % 2 ? crosstab : frequencies, chosen[i]) << i;
    EXPECT_EQ(0, reports.count) << reports.message;
}

TEST_F(QIVprogTest, AMouseModeChosenWhileTheVariableListIsInFrontTakesEffect)
{
    const std::string name = WriteDataSet("listed.QVF");
    GraphMouseMode = 3;
    std::vector<int> modes;
    std::vector<std::string> pressed; // the mode buttons shown pressed in, then the checked items
    const auto note = [&] {
        modes.push_back(GraphMouseMode);
        for (const char *button : {zoomToolName, textToolName, moveToolName, zoomItemName, textItemName, moveItemName})
            if (MainWindow()->FindObjectByStringID(button)->Selected())
                pressed.push_back(button);
    };
    bool listInFront = false;
    RunMain({"/ns", name}, {[] { Pick(variablesItemName); },
                            [&] {
                                listInFront = zafWindowManager->First() == VariableListWindow::Current();
                                Pick(zoomItemName);
                            },
                            note, [] { Click(textToolName); }, note,
                            [] { zafWindowManager->CloseWindow(VariableListWindow::Current()); }});
    EXPECT_TRUE(listInFront);
    EXPECT_EQ((std::vector<int>{1, 2}), modes);
    EXPECT_EQ((std::vector<std::string>{zoomToolName, zoomItemName, textToolName, textItemName}), pressed);
    GraphMouseMode = 3;
}

TEST_F(QIVprogTest, ClosingTheMainWindowClosesTheListAndTheWorkbooksAndEndsTheProgram)
{
    const std::string name = WriteDataSet("listed.QVF");
    ZafTracker list, books[2];
    bool forced = false;
    RunMain({"/ns", name}, {[] { Pick(variablesItemName); },
                            [&] {
                                list.Track(VariableListWindow::Current());
                                for (ZafTracker &tracker : books) {
                                    auto *book = new WorkBook(nullptr, 0);
                                    book->title = "Book";
                                    book->CompleteToolBar();
                                    tracker.Track(book);
                                }
                                // A loop that outlived the main window would end here.
                                testsupport::WhenModalLoopIdles(
                                    [&forced] {
                                        forced = true;
                                        zafEventManager->Put(ZafEventRecord(ZAF_EXIT), ZAF_QUEUE_TAIL);
                                    },
                                    5000);
                            }});
    // RunMain's last step closed the main window by its title bar's close.
    EXPECT_FALSE(forced) << "the loop ran on after the main window closed";
    EXPECT_TRUE(list.Deleted());
    EXPECT_TRUE(books[0].Deleted());
    EXPECT_TRUE(books[1].Deleted());
    EXPECT_EQ(0, reports.count) << reports.message;
}

TEST_F(QIVprogTest, WorkbooksNameTheirDataSetOnceASecondOneOpensAndKeepItOpen)
{
    const std::string first = WriteDataSet("first.QVF");
    const std::string second = WriteDataSet("second.QVF");
    WorkBook::SetNamingDataSets(false);
    std::vector<std::string> captions;
    WorkBook *books[2] = {};
    DATASET *firstSet = nullptr, *reopened = nullptr;
    const auto caption = [&](WorkBook *book) {
        char text[128] = "";
        GetWindowTextA(book->OSHandle(), text, sizeof text);
        captions.push_back(text);
    };
    RunMain({"/ns", first},
            {[&] {
                 firstSet = ProgramSettings::Instance()->GetDataSet(0);
                 books[0] = new WorkBook(nullptr, 0);
                 books[0]->title = "Frequencies";
                 auto *page = new Page("v1");
                 page->SetComputation(new StatClass());
                 books[0]->AddPage(page);
                 books[0]->CompleteToolBar();
             },
             [&] {
                 caption(books[0]);
                 ASSERT_TRUE(MainWindow()->OpenDataset(second.c_str()));
                 caption(books[0]);
                 books[1] = new WorkBook(nullptr, 0);
                 books[1]->title = "Crosstab";
                 books[1]->CompleteToolBar();
             },
             [&] {
                 caption(books[1]);
                 // The first data set, still open for the first workbook, is
                 // the one made current again.
                 ASSERT_TRUE(MainWindow()->OpenDataset(first.c_str()));
                 reopened = ProgramSettings::Instance()->GetDataSet(0);
             }});
    EXPECT_EQ((std::vector<std::string>{"Frequencies", "Frequencies - first.QVF", "Crosstab - second.QVF"}),
              captions);
    EXPECT_EQ(firstSet, reopened);
    EXPECT_EQ(0, reports.count) << reports.message;
    WorkBook::SetNamingDataSets(false);
}

} // namespace
