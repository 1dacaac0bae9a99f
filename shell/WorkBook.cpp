#include "shell/WorkBook.h"

#include <windows.h>
#include <commdlg.h>

#include <cstring>
#include <string>

#include "dataset/TextCatalog.h"
#include "shell/GraphPane.h"
#include "shell/OutputWindow.h"
#include "shell/Page.h"
#include "shell/QIVprog.h"
#include "shell/QivPrinter.h"
#include "shell/TXTWIN.h"
#include "stats/StatClass.h"
#include "stats/StatOption.h"
#include "zaf/controls/ZafButton.h"
#include "zaf/controls/ZafToolBar.h"
#include "zaf/core/ZafApplication.h"
#include "zaf/core/ZafNotebook.h"
#include "zaf/core/ZafWindowManager.h"
#include "zaf/data/ZafStringData.h"

namespace {

WorkBook::PrinterSource printerSource = QIVprog::GetPrinter;

void ShowAsTopLevel(WorkBook *book)
{
    if (zafWindowManager)
        zafWindowManager->AddObject(book);
}

WorkBook::ShowHook showHook = ShowAsTopLevel;

} // namespace

WorkBook::PrinterSource WorkBook::SetPrinterSource(PrinterSource source)
{
    PrinterSource previous = printerSource;
    printerSource = source;
    return previous;
}

WorkBook::ShowHook WorkBook::SetShowHook(ShowHook hook)
{
    ShowHook previous = showHook;
    showHook = hook ? hook : ShowAsTopLevel;
    return previous;
}

WorkBook::WorkBook(StatOption *optionRecord, int flag)
    : ZafWindow(0, 0, 70, 20), option(optionRecord), mode(flag == 1 ? 1 : 0)
{
    // From here the workbook, not the variable-list window, deletes the record.
    if (option)
        option->deleteAfterRun = 0;
    toolBar = new ZafToolBar(0, 0, 70, 1);
    AddObject(toolBar);
    notebook = new ZafNotebook(0, 0, 70, 19);
    AddObject(notebook);
}

WorkBook::~WorkBook()
{
    // The pages (children) go with the window; the records are ours.
    for (GraphTool &tool : graphTools)
        delete tool.option;
    delete option;
}

StatOption *WorkBook::ReleaseOption()
{
    StatOption *released = option;
    option = nullptr;
    return released;
}

ZafButton *WorkBook::AddToolButton(const char *name, const char *text, int value)
{
    auto *button = new ZafButton(0, 0, 8, 1, text);
    button->SetStringID(name);
    button->SetValue(value);
    button->SetSendMessageWhenSelected(true);
    toolBar->AddObject(button);
    return button;
}

int WorkBook::AddGraphTool(int textNumber, int group, const char *bitmapName, StatOption *graphOption)
{
    const int number = static_cast<int>(graphTools.size());
    TextCatalog *catalog = GetStatTextCatalog();
    const char *text = catalog ? catalog->GetText(textNumber, group) : "";
    ZafButton *button = AddToolButton("GrBt", text, graphToolEvent + number);
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
    AddToolButton("bt_table", "Table", 0)->SetVisible(graphs);
    AddToolButton("bt_graph", "Graph", 0)->SetVisible(graphs);
    AddToolButton("bt_split", "Split", 0)->SetVisible(graphs);
    AddToolButton("bt_size", "Size", 0)->SetVisible(graphs);
    AddToolButton("bt_print", "Print", printEvent);
    AddToolButton("bt_write", "Save", saveTextEvent);
    // Help opens nothing: the program has no help files.
    AddToolButton("bt_help", "?", 0);
    AddToolButton("bt_casedoc", "Cases", 0)->SetVisible(keepCaseDocButton);
    ZafButton *multReg = AddToolButton("bt_multreg", "Regression", 0);
    multReg->SetSendMessageWhenSelected(false);
    multReg->SetUserFunction(MultRegUserFunction);
    multReg->SetVisible(false);

    if (titleText >= 0) {
        if (TextCatalog *catalog = GetStatTextCatalog())
            title = catalog->GetText(titleText, titleGroup);
    }
    AddGenericObjects(new ZafStringData(title.c_str()));
    shown = true;
    showHook(this);
}

ZafEventType WorkBook::MultRegUserFunction(ZafWindowObject *object, ZafEventRecord &, ZafEventType code)
{
    if (code != multRegEvent)
        return code;
    for (ZafWindowObject *up = object->Parent(); up; up = up->Parent())
        if (auto *book = dynamic_cast<WorkBook *>(up)) {
            book->MultipleRegression();
            break;
        }
    return code;
}

int WorkBook::PrintCurrentPage()
{
    Page *page = CurrentPage();
    QivPrinter *printer = printerSource ? printerSource() : nullptr;
    if (!page || !printer)
        return 0;
    if (GraphPane *graph = page->CurrentGraph())
        return graph->PrintOn(printer) ? 1 : 0;
    if (!page->ResultWindow())
        return 0;
    return page->ResultWindow()->Print(*printer);
}

void WorkBook::ShowGraph(int kind)
{
    Page *page = CurrentPage();
    if (!page)
        return;
    if (ZafWindow *graph = page->CreateGraphWindow(kind, option)) {
        page->AddGraphWindow(graph);
        currentGraphKind = kind;
    }
}

void WorkBook::SaveCurrentPageText()
{
    Page *page = CurrentPage();
    auto *text = page ? dynamic_cast<TXTWIN *>(page->ResultWindow()) : nullptr;
    if (!text)
        return;
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
    if (!GetSaveFileNameA(&dialog))
        return;
    text->SaveText(fileName, dialog.nFilterIndex == 2 ? txtSaveTabs : txtSaveBlanks);
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
    if (type >= graphToolEvent && type < graphToolEvent + GraphToolCount()) {
        ShowGraph(type - graphToolEvent);
        return type;
    }
    return ZafWindow::Event(event);
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
