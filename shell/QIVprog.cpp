#include "shell/QIVprog.h"

#include "dataset/MapFile.h"

#include "dataset/DATASET.h"
#include "dataset/FileNameDialog.h"
#include "dataset/ProgramSettings.h"
#include "dataset/RegistrySettings.h"
#include "shell/AnalysisRegistry.h"
#include "shell/Main.h"
#include "shell/MainWindowDefinition.h"
#include "shell/QivPrinter.h"
#include "shell/VariableListWindow.h"
#include "shell/WorkBook.h"
#include "zaf/core/ZafApplication.h"
#include "zaf/controls/ZafButton.h"
#include "zaf/controls/ZafPopUpMenu.h"
#include "zaf/controls/ZafPullDownMenu.h"
#include "zaf/core/ZafErrorStub.h"
#include "zaf/core/ZafText.h"
#include "zaf/core/ZafWindowManager.h"
#include "zaf/data/ZafObjectPersistence.h"
#include "zaf/data/ZafPersistenceRegistry.h"

#include <windows.h>
#include <commdlg.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <utility>
#include <vector>

int GraphMouseMode = 3;
int MapIdentifyFlag = 0;
int GraphModeChoices = 0;

namespace {

std::vector<std::pair<const void *, std::function<void()>>> &GraphModeListeners()
{
    static std::vector<std::pair<const void *, std::function<void()>>> listeners;
    return listeners;
}

void NotifyGraphModeListeners()
{
    // A copy: a listener may remove itself or another one.
    const auto listeners = GraphModeListeners();
    for (const auto &entry : listeners) {
        const auto &now = GraphModeListeners();
        const bool present = std::any_of(now.begin(), now.end(), [&](const auto &e) { return e.first == entry.first; });
        if (present)
            entry.second();
    }
}

} // namespace

void AddGraphModeListener(const void *key, std::function<void()> listener)
{
    RemoveGraphModeListener(key);
    GraphModeListeners().emplace_back(key, std::move(listener));
}

void RemoveGraphModeListener(const void *key)
{
    auto &listeners = GraphModeListeners();
    listeners.erase(std::remove_if(listeners.begin(), listeners.end(), [key](const auto &e) { return e.first == key; }),
                    listeners.end());
}

void ChooseGraphMouseMode(int mode)
{
    if (mode == identifyChoice)
        MapIdentifyFlag = 1;
    else {
        GraphMouseMode = mode;
        // Another mouse mode ends region identifying.
        MapIdentifyFlag = 0;
    }
    ++GraphModeChoices;
    NotifyGraphModeListeners();
}

void SetMapIdentifyFlag(int flag)
{
    MapIdentifyFlag = flag ? 1 : 0;
    if (QIVprog *main = QIVprog::Instance())
        main->ShowGraphMouseMode();
    NotifyGraphModeListeners();
}

QIVprog *QIVprog::instance = nullptr;

namespace {

enum { datasetsSection = 3 };
constexpr const char *lastDatasetKey = "LastDataset";
constexpr const char *mapItemName = "MM_MAP";

const SettingsSection *lastDatasetSection = nullptr;
// Opens the variable-list window on the current data set (asking for one
// first when none is open) with the registry entry `index` chosen (-1:
// none).
void ShowVariableList(int index)
{
    DATASET *dataSet = ProgramSettings::Instance()->GetDataSet(1);
    if (!dataSet || !userPersist)
        return;
    // One list at a time: the open one comes forward with the analysis.
    if (VariableListWindow *open = VariableListWindow::Current()) {
        if (open->Parent() == zafWindowManager)
            zafWindowManager->AddObject(open);
        if (HWND window = open->OSHandle(2)) {
            SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
            SetForegroundWindow(window);
        }
        if (index >= 0 && index != open->Chosen())
            open->ChooseAnalysis(index);
        return;
    }
    auto *window = new VariableListWindow(*userPersist, dataSet, RegisteredOptionsList.data(),
                                          static_cast<int>(RegisteredOptionsList.size()), index);
    if (window->Error() != 0) {
        ZafErrorSystem errors;
        errors.ReportError(QIVprog::Instance(), "Error", MB_OK | MB_ICONSTOP, "%s",
                           VariableListWindow::missingWindowText);
        delete window;
        return;
    }
    zafWindowManager->AddObject(window);
}

// The road of one analysis: its menu item opens the variable-list window
// with the analysis chosen.
void OpenVariableList(const RegisteredOption &option)
{
    ShowVariableList(static_cast<int>(&option - RegisteredOptionsList.data()));
}

QIVprog::AnalysisHandler analysisHandler = OpenVariableList;
QivPrinter *printer = nullptr;
QIVprog::PrinterRelease printerRelease = nullptr;
WorkBook::ShowHook showHookBefore = nullptr;

void DeletePrinter(QivPrinter *installed)
{
    delete installed;
}

// A completed workbook becomes a document of the main window: the active
// one, and the main window comes in front of the variable-list window that
// ran the analysis, so that the user sees the result at once.
void ShowInMainWindow(WorkBook *book)
{
    QIVprog *frame = QIVprog::Instance();
    if (!frame) {
        zafWindowManager->AddObject(book);
        return;
    }
    frame->AddObject(book);
    HWND outer = frame->OSHandle(2);
    if (frame->ClientWindow() && book->OSHandle())
        SendMessageA(frame->ClientWindow(), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(book->OSHandle()), 0);
    if (outer) {
        SetWindowPos(outer, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        SetForegroundWindow(outer);
    }
}

// The Graphs menu's mode items and the tool bar's mode buttons: the mode is
// the main window's, whatever window is in front (a queued event would go
// to the front window).
ZafEventType GraphModeItem(ZafWindowObject *object, ZafEventRecord &, ZafEventType code)
{
    auto *button = dynamic_cast<ZafButton *>(object);
    if (code == ZAF_SELECT && button && QIVprog::Instance())
        QIVprog::Instance()->SetGraphMode(static_cast<int>(button->Value()));
    return code;
}

ZafEventType VariablesItem(ZafWindowObject *, ZafEventRecord &, ZafEventType code)
{
    if (code == ZAF_SELECT && QIVprog::Instance())
        ShowVariableList(-1);
    return code;
}

// Tile, cascade and arrange icons: the MDI client arranges the workbooks.
ZafEventType WindowItem(ZafWindowObject *object, ZafEventRecord &, ZafEventType code)
{
    QIVprog *frame = QIVprog::Instance();
    if (code != ZAF_SELECT || !frame || !frame->ClientWindow())
        return code;
    switch (object->NumberID()) {
    case tileItemID:
        SendMessageA(frame->ClientWindow(), WM_MDITILE, MDITILE_HORIZONTAL, 0);
        break;
    case cascadeItemID:
        SendMessageA(frame->ClientWindow(), WM_MDICASCADE, 0, 0);
        break;
    case arrangeItemID:
        SendMessageA(frame->ClientWindow(), WM_MDIICONARRANGE, 0, 0);
        break;
    default:
        break;
    }
    return code;
}

ZafEventType OpenDatasetItem(ZafWindowObject *, ZafEventRecord &, ZafEventType code)
{
    if (code == ZAF_SELECT && QIVprog::Instance())
        QIVprog::Instance()->OpenDataset(nullptr);
    return code;
}

ZafEventType AnalysisItem(ZafWindowObject *object, ZafEventRecord &, ZafEventType code)
{
    if (code != ZAF_SELECT || !analysisHandler)
        return code;
    const RegisteredOption *option = FindRegisteredOption(object->NumberID() - analysisItemFirstID);
    if (option && option->factory)
        analysisHandler(*option);
    return code;
}

// Starts the analysis of a help name as its menu item does; nothing when
// this build does not have it.
void StartAnalysis(const char *helpName)
{
    if (!analysisHandler)
        return;
    for (const RegisteredOption &option : RegisteredOptionsList)
        if (option.helpName && std::strcmp(option.helpName, helpName) == 0) {
            if (option.factory)
                analysisHandler(option);
            return;
        }
}

// The handlers a window of the UI data file may name for a control that
// starts the case list ("EvCmList") or the region map ("EvCmMap"). They
// answer 0 for every code, so the control goes on with nothing of its own.
ZafEventType EvCmList(ZafWindowObject *, ZafEventRecord &, ZafEventType code)
{
    if (code == ZAF_SELECT)
        StartAnalysis("USE_LOOK");
    return 0;
}

ZafEventType EvCmMap(ZafWindowObject *, ZafEventRecord &, ZafEventType code)
{
    if (code == ZAF_SELECT)
        StartAnalysis("USE_MAP");
    return 0;
}

// The open dialog: a data set's system file; false when cancelled.
bool AskDataSetName(HWND owner, std::string &name)
{
    char path[MAX_PATH] = "";
    OPENFILENAMEA dialog;
    std::memset(&dialog, 0, sizeof dialog);
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = "Data sets (*.QVF)\0*.QVF\0All files (*.*)\0*.*\0";
    dialog.lpstrFile = path;
    dialog.nMaxFile = sizeof path;
    dialog.lpstrDefExt = "QVF";
    dialog.lpstrTitle = "Open data set";
    dialog.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY;
    if (!RunFileNameDialog(dialog, FileNameDialogKind::open))
        return false;
    name = path;
    return true;
}

const SettingsSection *LastDatasetSection()
{
    return lastDatasetSection ? lastDatasetSection : FindSettingsSection(datasetsSection);
}

// What ProgramSettings runs when a data set is asked for and none is open.
void AskForDataSet()
{
    if (QIVprog::Instance())
        QIVprog::Instance()->OpenDataset(nullptr);
}

ZafWindowObject *StatusField(const char *name)
{
    QIVprog *window = QIVprog::Instance();
    return window ? window->FindObjectByStringID(name) : nullptr;
}

} // namespace

QIVprog::QIVprog(const char *name, ZafWindowPersistence &persistence) : ZafMDIWindow(name, persistence)
{
    instance = this;
    // Closing the main window closes the variable list, the workbooks and
    // every dialog with it, and so ends the program.
    if (zafWindowManager)
        zafWindowManager->SetMainWindow(this);
    ProgramSettings::Instance()->SetOpenDataSetCommand(AskForDataSet);
    showHookBefore = WorkBook::SetShowHook(ShowInMainWindow);
    // A printer installed before (by a test) stays; the system's default
    // printer otherwise, or none (printing then says so).
    if (!printer)
        SetPrinter(QivPrinter::OpenDefault(), DeletePrinter);
}

QIVprog::~QIVprog()
{
    if (instance == this) {
        instance = nullptr;
        ProgramSettings::Instance()->SetOpenDataSetCommand(nullptr);
        WorkBook::SetShowHook(showHookBefore);
    }
    if (printer && printerRelease)
        printerRelease(printer);
    printer = nullptr;
    printerRelease = nullptr;
}

void QIVprog::RegisterUserFunctions()
{
    ZafPersistenceRegistry::RegisterUserFunction("EvCmList", EvCmList);
    ZafPersistenceRegistry::RegisterUserFunction("EvCmMap", EvCmMap);
    // The main window's own menus and tool bar are bound to these in
    // BindMenus: opening a data set, the variable list, arranging the
    // workbooks and every analysis of the Analyses menu, which the two
    // above do not cover. Entered by name too, so a window of the UI data
    // file may name them.
    ZafPersistenceRegistry::RegisterUserFunction("OpenDatasetItem", OpenDatasetItem);
    ZafPersistenceRegistry::RegisterUserFunction("AnalysisItem", AnalysisItem);
    ZafPersistenceRegistry::RegisterUserFunction("VariablesItem", VariablesItem);
    ZafPersistenceRegistry::RegisterUserFunction("WindowItem", WindowItem);
}

void QIVprog::BindMenus()
{
    for (const char *name : {openItemName, openToolName})
        if (ZafWindowObject *open = FindObjectByStringID(name))
            open->SetUserFunction(OpenDatasetItem);
    if (ZafWindowObject *variables = FindObjectByStringID(variablesItemName))
        variables->SetUserFunction(VariablesItem);
    for (const char *name : {tileItemName, cascadeItemName, arrangeItemName})
        if (ZafWindowObject *item = FindObjectByStringID(name))
            item->SetUserFunction(WindowItem);
    if (auto *analyses = dynamic_cast<ZafPullDownItem *>(FindObjectByStringID(analysisMenuName)))
        BuildAnalysisMenu(*analyses);
    for (const char *name : {zoomItemName, textItemName, moveItemName, identifyItemName, zoomToolName, textToolName,
                             moveToolName})
        if (auto *item = dynamic_cast<ZafButton *>(FindObjectByStringID(name))) {
            item->SetSendMessageWhenSelected(false);
            item->SetUserFunction(GraphModeItem);
        }
    // The mode's button stays pressed in.
    for (const char *name : {zoomToolName, textToolName, moveToolName})
        if (auto *button = dynamic_cast<ZafButton *>(FindObjectByStringID(name)))
            button->SetAllowToggling(true);
    ShowDataSetState();
    ShowGraphMouseMode();
}

void QIVprog::BuildAnalysisMenu(ZafPullDownItem &analyses)
{
    int lastGroup = 0;
    int added = 0;
    for (const RegisteredOption &option : RegisteredOptionsList) {
        if (!option.factory)
            continue;
        if (added > 0 && option.menuGroup != lastGroup)
            analyses.AddSubItem(new ZafPopUpItem(nullptr, ZafPopUpItem::kindSeparator));
        auto *item = new ZafPopUpItem(option.text);
        item->SetStringID(std::strcmp(option.helpName, "USE_MAP") == 0 ? mapItemName : option.helpName);
        item->SetNumberID(static_cast<ZafNumberID>(analysisItemFirstID + option.menuId));
        item->SetUserFunction(AnalysisItem);
        analyses.AddSubItem(item);
        lastGroup = option.menuGroup;
        ++added;
    }
    // A build without any analysis leaves the menu out rather than show it
    // empty.
    if (added == 0) {
        if (auto *bar = dynamic_cast<ZafWindow *>(FindPullDownMenu())) {
            bar->SubtractObject(&analyses);
            delete &analyses;
        }
    }
}

ZafEventType QIVprog::Event(const ZafEventRecord &event)
{
    switch (event.type) {
    case eventZoomMode:
    case eventTextMode:
    case eventMoveMode:
    case eventMapIdentify: {
        SetGraphMode(event.type);
        // A menu item's sent event carries a text copy that the taker frees.
        ZafEventRecord taken = event;
        ZafButton::ReleaseSentEvent(taken);
        return event.type;
    }
    case ZAF_CREATE:
    case ZAF_CREATE_OS_WINDOW: {
        const ZafEventType code = ZafMDIWindow::Event(event);
        // The Window menu's Windows menu exists only now; Windows lists the
        // workbooks in it.
        auto *windows = dynamic_cast<ZafPullDownItem *>(FindObjectByStringID(windowMenuName));
        if (windows && windows->SubMenu().MenuHandle() && WindowMenu() != windows->SubMenu().MenuHandle())
            SetWindowMenu(windows->SubMenu().MenuHandle());
        return code;
    }
    default:
        return ZafMDIWindow::Event(event);
    }
}

void QIVprog::SetGraphMode(int event)
{
    switch (event) {
    case eventZoomMode:
        ChooseGraphMouseMode(1);
        break;
    case eventTextMode:
        ChooseGraphMouseMode(2);
        break;
    case eventMoveMode:
        ChooseGraphMouseMode(3);
        break;
    case eventMapIdentify:
        ChooseGraphMouseMode(identifyChoice);
        break;
    default:
        return;
    }
    ShowGraphMouseMode();
}

bool QIVprog::OpenDataset(const char *name)
{
    std::string chosen;
    if (!name) {
        if (!AskDataSetName(OSHandle(2), chosen))
            return false;
        name = chosen.c_str();
    }
    ProgramSettings *settings = ProgramSettings::Instance();
    // The current set holds its lock file; opening it again would fail.
    if (settings->GetDataSetName() && CompareTextNoCase(settings->GetDataSetName(), name) == 0)
        return true;
    // A data set that open workbooks still read is open already: it becomes
    // the current one again.
    if (DATASET *retired = settings->TakeRetiredDataSet(name)) {
        NoteDataSetOpened(retired);
        return true;
    }
    int error = 0;
    std::string why;
    DATASET *dataSet = ::OpenDataSet(name, &error, 0, &why);
    if (!dataSet) {
        ZafErrorSystem errors;
        errors.ReportError(this, "Error", MB_OK | MB_ICONSTOP, "The data set %s could not be opened.\n%s", name,
                           why.c_str());
        return false;
    }
    settings->SetDataSet(dataSet);
    ReadMapDirectoryOf(dataSet);
    NoteDataSetOpened(dataSet);
    // An interrupted save was finished or undone while the set opened: the
    // user learns which version of the data is open.
    if (dataSet->GetSaveRecovery() != 0) {
        ZafErrorSystem errors;
        errors.ReportError(this, "Data set", MB_OK | MB_ICONINFORMATION, "%s", dataSet->GetSaveRecoveryText());
    }
    return true;
}

void QIVprog::NoteDataSetOpened(DATASET *dataSet)
{
    RegistrySettings::WriteStringInSection(LastDatasetSection(), lastDatasetKey, dataSet->GetFileName());
    ShowDataSetState();
    std::string key = dataSet->GetFileName();
    for (char &c : key)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    openedDataSets.insert(key);
    // With more than one data set in a session, each workbook says which
    // one it shows.
    if (openedDataSets.size() > 1)
        WorkBook::NameDataSetsInTitles();
}

void QIVprog::ReadMapDirectoryOf(DATASET *dataSet)
{
    if (!dataSet || !dataSet->mapFileFlag)
        return;
    // The data set stays open without its maps: the user learns why.
    const int error = dataSet->ReadMapDirectory();
    if (error != MAPERR_NONE) {
        const std::string text = std::string("The map file could not be read: ") + MapFileErrorText(error);
        SetStatusBarText(text.c_str());
    }
}

std::string QIVprog::LastDataset()
{
    char name[MAX_PATH] = "";
    RegistrySettings::ReadStringInSection(LastDatasetSection(), lastDatasetKey, name, sizeof name);
    return name;
}

void QIVprog::SetLastDatasetSection(const SettingsSection *section)
{
    lastDatasetSection = section;
}

void QIVprog::ShowDataSetState()
{
    DATASET *dataSet = ProgramSettings::Instance()->GetDataSet(0);
    if (ZafWindowObject *map = FindObjectByStringID(mapItemName))
        map->SetDisabled(!dataSet || !dataSet->mapFileFlag);
    char cases[48] = "";
    if (dataSet)
        std::snprintf(cases, sizeof cases, "%ld cases", dataSet->GetCaseCount());
    // The name without its directory: the field is narrow.
    std::string name = dataSet ? dataSet->GetFileName() : "";
    name = name.substr(name.find_last_of("\\/:") + 1);
    if (ZafWindowObject *field = FindObjectByStringID(statusDataSetName))
        field->SetText(name.c_str());
    if (ZafWindowObject *field = FindObjectByStringID(statusCasesName))
        field->SetText(cases);
}

void QIVprog::ShowGraphMouseMode()
{
    const struct
    {
        const char *item;
        bool on;
    } marks[] = {{zoomItemName, GraphMouseMode == 1}, {textItemName, GraphMouseMode == 2},
                 {moveItemName, GraphMouseMode == 3}, {identifyItemName, MapIdentifyFlag != 0},
                 {zoomToolName, GraphMouseMode == 1}, {textToolName, GraphMouseMode == 2},
                 {moveToolName, GraphMouseMode == 3}};
    for (const auto &mark : marks)
        if (ZafWindowObject *item = FindObjectByStringID(mark.item))
            if (item->Selected() != mark.on)
                item->SetSelected(mark.on);
}

QIVprog::AnalysisHandler QIVprog::SetAnalysisHandler(AnalysisHandler handler)
{
    const AnalysisHandler previous = analysisHandler;
    analysisHandler = handler;
    return previous;
}

QivPrinter *QIVprog::GetPrinter()
{
    // The system's printer is looked up again at each request: every job
    // starts on a fresh context of the current default printer, so that no
    // state an earlier job left on a context reaches it, and a change of
    // the default among the printers the spooler knows is followed. Under
    // Wine the spooler reads the system's printers once, as the process
    // starts: a printer set up later is found only after a restart (the
    // "No printer" message says so). A printer installed by a caller stays.
    if (instance && (!printer || printerRelease == DeletePrinter))
        SetPrinter(QivPrinter::OpenDefault(), DeletePrinter);
    return printer;
}

void QIVprog::SetPrinter(QivPrinter *newPrinter, PrinterRelease release)
{
    if (printer && printerRelease && printer != newPrinter)
        printerRelease(printer);
    if (!newPrinter)
        release = nullptr;
    printer = newPrinter;
    printerRelease = release;
}

void SetStatusBarText(const char *text)
{
    if (ZafWindowObject *field = StatusField(statusTextName))
        field->SetText(text ? text : "");
}

void SetStatusFieldsVisible(int flag)
{
    for (const char *name : {statusDataSetName, statusCasesName})
        if (ZafWindowObject *field = StatusField(name))
            field->SetVisible(flag == 0);
}
