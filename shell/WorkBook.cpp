#include "shell/WorkBook.h"

#include <windows.h>
#include <commdlg.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "dataset/DATASET.h"
#include "dataset/FileNameDialog.h"
#include "dataset/ProgramSettings.h"
#include "dataset/TextCatalog.h"
#include "shell/GraphPane.h"
#include "shell/OptionWindow.h"
#include "shell/OutputWindow.h"
#include "shell/Page.h"
#include "shell/QIVprog.h"
#include "shell/QivPrinter.h"
#include "shell/PrintPreview.h"
#include "shell/TXTWIN.h"
#include "shell/ToolBitmaps.h"
#include "stats/StatClass.h"
#include "stats/StatOption.h"
#include "zaf/controls/ZafButton.h"
#include "zaf/controls/ZafPopUpMenu.h"
#include "zaf/controls/ZafToolBar.h"
#include "zaf/core/ZafApplication.h"
#include "zaf/core/ZafErrorStub.h"
#include "zaf/core/ZafGdiDisplay.h"
#include "zaf/core/ZafNotebook.h"
#include "zaf/core/ZafTracker.h"
#include "zaf/core/ZafWindowManager.h"
#include "zaf/data/ZafBitmapData.h"
#include "zaf/data/ZafStringData.h"

namespace {

WorkBook::PrinterSource printerSource = QIVprog::GetPrinter;

void ShowAsTopLevel(WorkBook *book)
{
    if (zafWindowManager)
        zafWindowManager->AddObject(book);
}

WorkBook::ShowHook showHook = ShowAsTopLevel;
bool namingDataSets = false;

// Every workbook that exists, for DeleteUnshownBooks.
std::vector<WorkBook *> &LiveBooks()
{
    static std::vector<WorkBook *> books;
    return books;
}

} // namespace

WorkBook::PrinterSource WorkBook::SetPrinterSource(PrinterSource source)
{
    PrinterSource previous = printerSource;
    printerSource = source;
    return previous;
}

WorkBook::PrinterSource WorkBook::PrinterSourceInForce()
{
    return printerSource;
}

WorkBook::ShowHook WorkBook::SetShowHook(ShowHook hook)
{
    ShowHook previous = showHook;
    showHook = hook ? hook : ShowAsTopLevel;
    return previous;
}

namespace {
// The workbook's first size in cells; a book whose tool bar needs more
// widens to hold it in one row (WidenForToolBar).
constexpr int bookWidth = 88;
constexpr int bookHeight = 22;
} // namespace

WorkBook::WorkBook(StatOption *optionRecord, int flag)
    : ZafMDIWindow(0, 0, bookWidth, bookHeight), option(optionRecord), mode(flag == 1 ? 1 : 0)
{
    // Closing the workbook deletes it, and with it the record and the pages.
    SetDestroyable(true);
    LiveBooks().push_back(this);
    // From here the workbook, not the variable-list window, deletes the record.
    if (option)
        option->deleteAfterRun = 0;
    if (const char *path = ProgramSettings::Instance()->GetDataSetName()) {
        dataSetName = path;
        dataSetName = dataSetName.substr(dataSetName.find_last_of("\\/:") + 1);
    }
    toolBar = new ZafToolBar(0, 0, bookWidth, 1);
    AddObject(toolBar);
    notebook = new ZafNotebook(0, 0, bookWidth, bookHeight - 1);
    AddObject(notebook);
}

WorkBook::~WorkBook()
{
    std::vector<WorkBook *> &books = LiveBooks();
    books.erase(std::remove(books.begin(), books.end(), this), books.end());
    // The pages (children) go with the window; the records and the menu
    // are ours.
    if (graphMenu) {
        if (graphMenu->Parent() && zafWindowManager)
            zafWindowManager->SubtractObject(graphMenu);
        delete graphMenu;
    }
    for (GraphTool &tool : graphTools)
        DeleteOptionRecord(tool.option);
    DeleteOptionRecord(option);
}

int WorkBook::DeleteUnshownBooks(StatOption *record)
{
    std::vector<WorkBook *> unshown;
    for (WorkBook *book : LiveBooks())
        if (!book->shown)
            unshown.push_back(book);
    for (WorkBook *book : unshown) {
        if (record && book->option == record) {
            book->ReleaseOption();
            record->deleteAfterRun = 1;
        }
        if (book->Parent() && zafWindowManager && book->Parent() == zafWindowManager)
            zafWindowManager->SubtractObject(book);
        else if (book->Parent())
            static_cast<ZafWindow *>(book->Parent())->SubtractObject(book);
        delete book;
    }
    return static_cast<int>(unshown.size());
}

bool WorkBook::FinishRun(WorkBook *book, bool built)
{
    if (built)
        book->CompleteToolBar();
    return built;
}

StatOption *WorkBook::ReleaseOption()
{
    StatOption *released = option;
    option = nullptr;
    return released;
}

namespace {

// Cells across that hold a tool button's caption (or its picture) with the
// button's edges and a margin on each side.
int ToolButtonCells(const char *text, const ZafBitmapData *picture)
{
    const ZafDisplay &display = ZafDisplay::ForConversion();
    int pixels = picture ? picture->width : 0;
    if (!picture && text && *text) {
        ZafGdiDisplay *screen = ZafScreenGdiDisplay();
        pixels = screen ? static_cast<int>(screen->TextSize(text, ZAF_FONT_DIALOG).cx)
                        : static_cast<int>(std::strlen(text)) * display.CellWidth();
    }
    pixels += 4 * GetSystemMetrics(SM_CXEDGE) + 8;
    return (pixels + display.CellWidth() - 1) / display.CellWidth();
}

} // namespace

ZafButton *WorkBook::AddToolButton(const char *name, const char *text, int value, const char *bitmapName)
{
    // A tool with a picture shows the picture alone and its whole caption
    // as its tip, so that a tool bar of long captions stays one row; one
    // without shows its caption whole.
    ZafBitmapData *picture = MakeToolBitmap(bitmapName);
    const bool tip = picture && text && *text;
    auto *button = new ZafButton(0, 0, ToolButtonCells(text, picture), 1, tip ? "" : text, picture);
    if (tip)
        button->SetTipText(text);
    button->SetStringID(name);
    button->SetValue(value);
    if (value != 0)
        button->SetUserFunction(SendToBook);
    toolBar->AddObject(button);
    return button;
}

int WorkBook::AddGraphTool(int textNumber, int group, const char *bitmapName, StatOption *graphOption)
{
    const int number = static_cast<int>(graphTools.size());
    TextCatalog *catalog = GetStatTextCatalog();
    const char *text = catalog ? catalog->GetText(textNumber, group) : "";
    ZafButton *button = AddToolButton("GrBt", text, graphToolEvent + number, bitmapName);
    graphTools.push_back({textNumber, group, bitmapName ? bitmapName : "", graphOption, button});
    return number;
}

StatOption *WorkBook::GraphToolOption(int tool) const
{
    if (tool < 0 || tool >= GraphToolCount())
        return nullptr;
    return graphTools[tool].option;
}

void WorkBook::AddPage(Page *page)
{
    if (!page)
        return;
    const std::string name = "Page" + std::to_string(++pagesNamed);
    page->SetStringID(name.c_str());
    notebook->AddObject(page);
}

int WorkBook::PageCount() const
{
    return notebook->Count();
}

Page *WorkBook::PageAt(int index) const
{
    int i = 0;
    for (ZafElement *element = notebook->First(); element; element = element->Next(), ++i)
        if (i == index)
            return dynamic_cast<Page *>(element);
    return nullptr;
}

Page *WorkBook::CurrentPage() const
{
    return dynamic_cast<Page *>(notebook->CurrentPageObject());
}

void WorkBook::CompleteToolBar()
{
    if (completed)
        return;
    completed = true;
    // The table, graph, split and size buttons only matter with graphs.
    const bool graphs = !graphTools.empty();
    AddToolButton("bt_table", "Table", tableViewEvent)->SetVisible(graphs);
    AddToolButton("bt_graph", "Graph", graphViewEvent)->SetVisible(graphs);
    AddToolButton("bt_split", "Split", splitViewEvent)->SetVisible(graphs);
    AddToolButton("bt_size", "Size", fitTextEvent)->SetVisible(graphs);
    // An analysis without settings has nothing to open: its button is grey.
    AddToolButton("bt_options", "Options", bookOptionsEvent)->SetDisabled(option && !option->HasOptions());
    AddToolButton("bt_print", "Print", printEvent);
    AddToolButton("bt_preview", "Preview", previewEvent);
    AddToolButton("bt_write", "Save", saveTextEvent);
    // The program has no help files: the help button is grey and says so.
    ZafButton *help = AddToolButton("bt_help", "?", 0);
    help->SetDisabled(true);
    help->SetTipText(noHelpText);
    AddToolButton("bt_casedoc", "Cases", 0)->SetVisible(keepCaseDocButton);
    AddToolButton("bt_multreg", "Regression", multRegEvent)->SetVisible(keepMultRegButton);
    WidenForToolBar();

    if (titleText >= 0) {
        if (TextCatalog *catalog = GetStatTextCatalog())
            title = catalog->GetText(titleText, titleGroup);
    }
    AddGenericObjects(new ZafStringData(CaptionText().c_str()));
    shown = true;
    showHook(this);
}

void WorkBook::WidenForToolBar()
{
    ZafRegionRect book = Region();
    // A book given a size of its own keeps it.
    if (book.coordinateType != ZAF_CELL || book.Width() != bookWidth)
        return;
    // The visible buttons side by side, the bar's margins, the window's
    // frame on both sides and one pixel the bar keeps free at its end.
    int pixels = 2 * (GetSystemMetrics(SM_CXSIZEFRAME) + GetSystemMetrics(SM_CXEDGE) + 2) + 2;
    for (ZafElement *e = toolBar->First(); e; e = e->Next()) {
        auto *button = static_cast<ZafWindowObject *>(e);
        if (!button->Visible())
            continue;
        ZafRegionRect r = button->Region();
        button->ConvertRegion(r, ZAF_PIXEL);
        pixels += r.Width();
    }
    const int cellWidth = ZafDisplay::ForConversion().CellWidth();
    const int screenCells = GetSystemMetrics(SM_CXSCREEN) / cellWidth;
    const int cells = std::min((pixels + cellWidth - 1) / cellWidth, screenCells);
    if (cells <= book.Width())
        return;
    book.right = book.left + cells - 1;
    SetRegion(book);
}

std::string WorkBook::CaptionText() const
{
    if (!namingDataSets || dataSetName.empty())
        return title;
    return title.empty() ? dataSetName : title + " - " + dataSetName;
}

void WorkBook::SetNamingDataSets(bool naming)
{
    namingDataSets = naming;
}

void WorkBook::NameDataSetsInTitles()
{
    namingDataSets = true;
    for (WorkBook *book : LiveBooks()) {
        if (!book->shown)
            continue;
        const std::string caption = book->CaptionText();
        if (ZafWindowObject *titleObject = book->FindSupportObject(ZAF_NUMID_TITLE))
            titleObject->SetText(caption.c_str());
        if (HWND window = book->OSHandle())
            SetWindowTextA(window, caption.c_str());
    }
}

HWND WorkBook::CreateOSWindow()
{
    return IsMDIChild() ? ZafMDIWindow::CreateOSWindow() : ZafWindow::CreateOSWindow();
}

const char *WorkBook::OSClassName() const
{
    return IsMDIChild() ? ZafMDIWindow::OSClassName() : ZafWindow::OSClassName();
}

void WorkBook::LayoutChildren()
{
    RECT area = {};
    if (!osWindow || !GetClientRect(osWindow, &area) || area.right <= 0) {
        ZafMDIWindow::LayoutChildren();
        return;
    }
    // The bar wraps its buttons in the width it is given and takes the
    // height its rows need (on ZAF_APPLY_GEOMETRY, which the base sends).
    // In a small book (as tiled among many) wrapped rows taking more than
    // a quarter of the height would crowd out the page: the bar keeps one
    // row there, its last buttons cut off at its end.
    toolBar->SetWrap(true);
    toolBar->SetRegion(ZafRegionRect(0, 0, area.right - 1, 0, ZAF_PIXEL));
    ZafMDIWindow::LayoutChildren();
    ZafRegionRect bar = toolBar->Region();
    toolBar->ConvertRegion(bar, ZAF_PIXEL);
    if (4 * bar.Height() > area.bottom) {
        toolBar->SetWrap(false);
        toolBar->SetRegion(ZafRegionRect(0, 0, area.right - 1, 0, ZAF_PIXEL));
        toolBar->Layout();
        bar = toolBar->Region();
        toolBar->ConvertRegion(bar, ZAF_PIXEL);
    }
    const int top = std::min<int>(bar.bottom + 1, area.bottom);
    notebook->SetRegion(ZafRegionRect(0, top, area.right - 1, std::max<int>(area.bottom - 1, top), ZAF_PIXEL));
    toolBar->MoveOSWindow();
    notebook->MoveOSWindow();
    notebook->Event(ZafEventRecord(ZAF_REGION_CHANGED));
}

ZafEventType WorkBook::SendToBook(ZafWindowObject *object, ZafEventRecord &, ZafEventType code)
{
    auto *button = dynamic_cast<ZafButton *>(object);
    if (code != ZAF_SELECT || !button)
        return code;
    auto *book = static_cast<WorkBook *>(button->UserObject());
    for (ZafWindowObject *up = object->Parent(); up && !book; up = up->Parent())
        book = dynamic_cast<WorkBook *>(up);
    if (book)
        book->Event(ZafEventRecord(static_cast<ZafEventType>(button->Value())));
    return code;
}

namespace {

// Language texts of the graph menu's further items (number, group).
struct MenuText
{
    int number, group;
};
constexpr MenuText optionsText = {7, 1}, graphOptionsText = {8, 1}, copyText = {18, 0}, metafileText = {9, 7},
                   printText = {2, 1};

const char *CatalogText(MenuText text)
{
    TextCatalog *catalog = GetStatTextCatalog();
    return catalog ? catalog->GetText(text.number, text.group) : "";
}

} // namespace

ZafPopUpMenu *WorkBook::GraphMenu(int left, int top, ZafWindowObject *graph)
{
    if (graphTools.empty() && !graph)
        return nullptr;
    if (graphMenu && graphMenu->Parent() && zafWindowManager)
        zafWindowManager->SubtractObject(graphMenu);
    delete graphMenu;
    graphMenu = new ZafPopUpMenu(left, top);
    graphMenu->SetCoordinateType(ZAF_PIXEL);
    FillGraphMenu(graphMenu, graph);
    return graphMenu;
}

void WorkBook::FillGraphMenu(ZafPopUpMenu *menu, ZafWindowObject *graph)
{
    graphMenuWindow = graph;
    // The menu stands in the window manager, not in the workbook: each item
    // names its workbook, which outlives the menu (its own or a graph
    // window's).
    // The Windows menu routes a pick by its item's number id: each item
    // gets its own.
    int id = graphMenuFirstID;
    auto add = [this, menu, &id](const char *text, ZafEventType value, ZafUserFunction function) {
        auto *item = new ZafPopUpItem(text);
        item->SetNumberID(static_cast<ZafNumberID>(id++));
        item->SetValue(value);
        item->SetUserObject(this);
        item->SetUserFunction(function);
        menu->AddObject(item);
        return item;
    };
    auto separator = [menu, &id] {
        auto *line = new ZafPopUpItem(nullptr, ZafPopUpItem::kindSeparator);
        line->SetNumberID(static_cast<ZafNumberID>(id++));
        menu->AddObject(line);
    };
    TextCatalog *catalog = GetStatTextCatalog();
    for (int tool = 0; tool < GraphToolCount(); ++tool) {
        const GraphTool &tooled = graphTools[tool];
        add(catalog ? catalog->GetText(tooled.textNumber, tooled.group) : "", graphToolEvent + tool, SendToBook)
            ->SetSelected(tool == currentGraphKind);
    }
    if (!graph)
        return;
    if (!graphTools.empty())
        separator();
    add(CatalogText(optionsText), bookOptionsEvent, SendToBook);
    if (GraphRecordWithWindow(GraphKindForOptions()))
        add(CatalogText(graphOptionsText), graphOptionsEvent, SendToBook);
    separator();
    add(CatalogText(copyText), ZAF_COPY, SendToGraph);
    add(CatalogText(metafileText), saveGraphEvent, SendToGraph);
    add(CatalogText(printText), printEvent, SendToBook);
}

bool WorkBook::HoldsGraphWindow(const ZafWindowObject *graph) const
{
    for (int i = 0; i < PageCount(); ++i)
        if (Page *page = PageAt(i))
            for (ZafWindow *window : page->GraphWindows())
                if (window == graph)
                    return true;
    return false;
}

ZafEventType WorkBook::SendToGraph(ZafWindowObject *object, ZafEventRecord &, ZafEventType code)
{
    auto *item = dynamic_cast<ZafButton *>(object);
    auto *book = item ? static_cast<WorkBook *>(item->UserObject()) : nullptr;
    if (code != ZAF_SELECT || !book)
        return code;
    ZafWindowObject *graph = book->graphMenuWindow;
    // A graph closed while its menu was up gets nothing.
    if (graph && book->HoldsGraphWindow(graph))
        graph->Event(ZafEventRecord(static_cast<ZafEventType>(item->Value())));
    return code;
}

void WorkBook::ShowPageView(int view)
{
    if (Page *page = CurrentPage())
        page->SetView(static_cast<Page::View>(view));
}

void WorkBook::FitToCurrentText()
{
    Page *page = CurrentPage();
    auto *text = page ? dynamic_cast<TXTWIN *>(page->ResultWindow()) : nullptr;
    HWND textWindow = text ? text->OSHandle() : nullptr;
    if (!osWindow || !textWindow || !IsWindowVisible(textWindow))
        return;
    const SIZE wanted = text->TextExtent();
    RECT shown = {}, frame = {};
    GetWindowRect(osWindow, &frame);
    // The workbook changes by what the text window lacks (or has to spare),
    // kept inside its parent's client area.
    HWND parent = GetParent(osWindow);
    RECT area = {};
    if (parent)
        GetClientRect(parent, &area);
    else
        SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    POINT origin = {frame.left, frame.top};
    if (parent)
        ScreenToClient(parent, &origin);
    // The width first: a narrower book can wrap its tool bar into more
    // rows, which the height then makes up for. A scroll bar that came or
    // went with the new height changes the text's width again: a second
    // pass takes that in.
    for (int pass = 0; pass < 2; ++pass) {
        GetClientRect(textWindow, &shown);
        GetWindowRect(osWindow, &frame);
        LONG width = frame.right - frame.left + wanted.cx - shown.right;
        width = std::max<LONG>(std::min<LONG>(width, area.right - origin.x), 200);
        MoveWindow(osWindow, origin.x, origin.y, width, frame.bottom - frame.top, TRUE);
        GetClientRect(textWindow, &shown);
        GetWindowRect(osWindow, &frame);
        LONG height = frame.bottom - frame.top + wanted.cy - shown.bottom;
        height = std::max<LONG>(std::min<LONG>(height, area.bottom - origin.y), 150);
        MoveWindow(osWindow, origin.x, origin.y, width, height, TRUE);
    }
}

std::string WorkBook::JobName(const Page *page) const
{
    std::string name = CaptionText();
    const std::string pageName = page ? page->Caption() : std::string();
    if (!pageName.empty())
        name = name.empty() ? pageName : name + " - " + pageName;
    return name.empty() ? std::string("Mervalo") : name;
}

int WorkBook::PrintCurrentPage()
{
    Page *page = CurrentPage();
    if (!page)
        return 0;
    QivPrinter *printer = printerSource ? printerSource() : nullptr;
    const std::string job = JobName(page);
    if (printer)
        printer->SetDocumentName(job.c_str());
    // A page with its own destinations needs no printer to reach them.
    if (const int own = page->PrintToOwnDestinations(printer); own >= 0)
        return own;
    GraphPane *graph = page->ShownGraph();
    if (!graph && !page->ResultWindow()) {
        Report("Print", nothingToPrintText);
        return 0;
    }
    if (!printer) {
        Report("Print", noPrinterText);
        return 0;
    }
    int printed = 0;
    TXTWIN *text = nullptr;
    if (graph) {
        graph->SetRunningHead(CaptionText(), page->Subject());
        printed = graph->PrintOn(printer) ? 1 : 0;
    } else {
        if ((text = page->ResultWindow()->ResultText()) != nullptr)
            text->SetRunningHead(CaptionText());
        printed = page->ResultWindow()->Print(*printer);
    }
    if (printed <= 0)
        Report("Print", PrintFailureText(*printer, text && printer->DC() && text->PageCount(*printer) > 1 ? "pages" : "page").c_str());
    return printed;
}

std::string WorkBook::PrintFailureText(const QivPrinter &printer, const char *what)
{
    return std::string("The ") + (what ? what : "page") + " could not be printed: " + printer.FailureReason() + ".";
}

void WorkBook::Report(const char *title, const char *text)
{
    ZafErrorSystem errors;
    // The main window owns the message, so that it opens over it.
    ZafWindowObject *owner = QIVprog::Instance() ? static_cast<ZafWindowObject *>(QIVprog::Instance()) : this;
    errors.ReportError(owner, title, MB_OK | MB_ICONEXCLAMATION, "%s", text);
}

bool WorkBook::PreviewCurrentPage()
{
    Page *page = CurrentPage();
    GraphPane *graph = page ? page->ShownGraph() : nullptr;
    OutputWindow *result = page ? page->ResultWindow() : nullptr;
    TXTWIN *text = result && !graph ? result->ResultText() : nullptr;
    if (!graph && !text) {
        Report("Print preview", nothingToPrintText);
        return false;
    }
    // Laid out for the printer when there is one, else for the screen.
    QivPrinter *printer = printerSource ? printerSource() : nullptr;
    HDC reference = printer ? printer->DC() : nullptr;
    if (text)
        text->SetRunningHead(CaptionText());
    if (graph)
        graph->SetRunningHead(CaptionText(), page->Subject());
    PrintPreview *preview = graph ? new PrintPreview(*graph, reference) : new PrintPreview(*text, reference);
    // The preview places itself over the main window.
    ZafTracker tracker(preview);
    preview->Control();
    if (!tracker.Deleted())
        delete preview;
    return true;
}

int WorkBook::GraphKindForOptions() const
{
    if (graphMenuWindow && HoldsGraphWindow(graphMenuWindow))
        for (int i = 0; i < PageCount(); ++i)
            if (Page *page = PageAt(i); page && page->GraphKindOf(graphMenuWindow) >= 0)
                return page->GraphKindOf(graphMenuWindow);
    Page *page = CurrentPage();
    if (!page || page->GraphWindows().empty())
        return currentGraphKind;
    const int kind = page->GraphKindOf(page->GraphWindows().back());
    return kind >= 0 ? kind : currentGraphKind;
}

StatOption *WorkBook::GraphRecordWithWindow(int kind) const
{
    StatOption *graphOption = GraphToolOption(kind);
    if (!graphOption)
        return nullptr;
    ZafWindow *probe = graphOption->CreateOptionWindow();
    delete probe;
    return probe ? graphOption : nullptr;
}

bool WorkBook::OpenBookOptions()
{
    // One option frame at a time on a record; none for a record without
    // settings.
    if (!option || option->optionWindow || !option->HasOptions())
        return false;
    RunOptionFrame(this);
    return true;
}

void WorkBook::OpenGraphOptions(int kind)
{
    // A graph record that makes no option window leaves the book's options.
    StatOption *graphOption = GraphRecordWithWindow(kind);
    StatOption *record = graphOption ? graphOption : option;
    // One option frame at a time on a record.
    if (!record || record->optionWindow)
        return;
    if (record == option)
        RunOptionFrame(this);
    else
        RunOptionFrame(this, record);
}

void WorkBook::ShowGraph(int kind)
{
    Page *page = CurrentPage();
    if (!page)
        return;
    if (ZafWindow *graph = page->CreateGraphWindow(kind, option)) {
        page->AddGraphWindow(graph, kind);
        currentGraphKind = kind;
    }
}

void WorkBook::SaveCurrentPageText()
{
    Page *page = CurrentPage();
    // A page showing its graph saves the graph (as a metafile, the graph
    // window asks for the file name).
    if (GraphPane *graph = page ? page->ShownGraph() : nullptr) {
        if (auto *window = dynamic_cast<ZafWindowObject *>(graph))
            window->Event(ZafEventRecord(static_cast<ZafEventType>(saveGraphEvent)));
        return;
    }
    OutputWindow *result = page ? page->ResultWindow() : nullptr;
    if (!result || !result->ResultText()) {
        Report("Save", nothingToSaveText);
        return;
    }
    char fileName[MAX_PATH] = "";
    OPENFILENAMEA dialog = {};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = OSHandle();
    dialog.lpstrFilter = "Text, columns in blanks (*.txt)\0*.txt\0Text, columns in tabs (*.txt)\0*.txt\0";
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = fileName;
    dialog.nMaxFile = sizeof fileName;
    dialog.lpstrDefExt = "txt";
    dialog.Flags = OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY;
    if (!RunFileNameDialog(dialog, FileNameDialogKind::save))
        return;
    SaveCurrentResult(fileName, dialog.nFilterIndex == 2);
}

bool WorkBook::SaveCurrentResult(const char *fileName, bool tabs)
{
    Page *page = CurrentPage();
    OutputWindow *result = page ? page->ResultWindow() : nullptr;
    if (!result || !result->ResultText()) {
        Report("Save", nothingToSaveText);
        return false;
    }
    if (!result->SaveResult(fileName, tabs)) {
        TXTWIN *text = result->ResultText();
        if (text && text->Error() == txtErrorDiskFull)
            Report("Save", DiskFullText(fileName).c_str());
        else
            Report("Save", notSavedText);
        return false;
    }
    return true;
}

std::string WorkBook::DiskFullText(const char *fileName)
{
    TextCatalog *catalog = GetStatTextCatalog();
    const char *text = catalog ? catalog->GetText(33, 0) : "";
    return std::string(fileName ? fileName : "") + ": " + (*text ? text : "the disk is full.");
}

ZafEventType WorkBook::Event(const ZafEventRecord &event)
{
    const ZafEventType type = event.type;
    if (type == printEvent) {
        PrintCurrentPage();
        return type;
    }
    if (type == saveTextEvent) {
        SaveCurrentPageText();
        return type;
    }
    if (type == tableViewEvent || type == graphViewEvent || type == splitViewEvent) {
        ShowPageView(type == tableViewEvent   ? Page::viewText
                     : type == graphViewEvent ? Page::viewGraph
                                              : Page::viewSplit);
        return type;
    }
    if (type == fitTextEvent) {
        FitToCurrentText();
        return type;
    }
    if (type == graphOptionsEvent) {
        OpenGraphOptions(GraphKindForOptions());
        return type;
    }
    if (type == bookOptionsEvent) {
        OpenBookOptions();
        return type;
    }
    if (type == previewEvent) {
        PreviewCurrentPage();
        return type;
    }
    if (type == multRegEvent) {
        MultipleRegression();
        return type;
    }
    if (type >= graphToolEvent && type < graphToolEvent + GraphToolCount()) {
        ShowGraph(type - graphToolEvent);
        return type;
    }
    return ZafMDIWindow::Event(event);
}

void WorkBook::WriteEveryResult()
{
    for (int i = 0; i < PageCount(); ++i)
        if (Page *page = PageAt(i))
            if (OutputWindow *result = page->ResultWindow())
                result->WriteResult();
}

void WorkBook::RebuildEveryGraph()
{
    for (int i = 0; i < PageCount(); ++i)
        if (Page *page = PageAt(i))
            for (ZafWindow *graph : page->GraphWindows())
                if (auto *pane = dynamic_cast<GraphPane *>(graph))
                    pane->RebuildGraph();
}
