#include "shell/MainWindowDefinition.h"

#include "shell/ZafButtonX.h"
#include "zaf/controls/ZafButton.h"
#include "zaf/controls/ZafControls.h"
#include "zaf/controls/ZafFrameButton.h"
#include "zaf/controls/ZafMaximizeButton.h"
#include "zaf/controls/ZafMinimizeButton.h"
#include "zaf/controls/ZafPrompt.h"
#include "zaf/controls/ZafPullDownMenu.h"
#include "zaf/controls/ZafStatusBar.h"
#include "zaf/controls/ZafSystemButton.h"
#include "zaf/controls/ZafTitle.h"
#include "zaf/controls/ZafToolBar.h"
#include "zaf/core/ZafBorder.h"
#include "zaf/core/ZafMDIWindow.h"

void RegisterMainWindowClasses()
{
    ZafRegisterControls();
    ZafButtonX::RegisterPersistence();
    ZafFrameButton::InstallGenericObjectMaker();
}

namespace {

ZafPopUpItem *MakeItem(const char *text, const char *name, unsigned short id, int kind = ZafPopUpItem::kindOrdinary)
{
    auto *item = new ZafPopUpItem(text, kind);
    item->SetStringID(name);
    item->SetNumberID(id);
    return item;
}

ZafPullDownItem *MakeEntry(const char *text, const char *name, unsigned short id, char hotKey)
{
    auto *entry = new ZafPullDownItem(text);
    entry->SetStringID(name);
    entry->SetNumberID(id);
    entry->SetHotKey(hotKey, 0);
    return entry;
}

// An item that queues the main window's event as its value.
ZafPopUpItem *MakeEventItem(const char *text, const char *name, unsigned short id, int event)
{
    ZafPopUpItem *item = MakeItem(text, name, id);
    item->SetValue(event);
    item->SetSendMessageWhenSelected(true);
    return item;
}

ZafPullDownMenu *MakeMenuBar()
{
    auto *bar = new ZafPullDownMenu();
    ZafPullDownItem *file = MakeEntry("File", fileMenuName, mainMenuFirstID, 'F');
    file->AddSubItem(MakeItem("Open data set...", openItemName, openItemID));
    file->AddSubItem(MakeItem("Variables...", variablesItemName, variablesItemID));
    file->AddSubItem(MakeItem("Exit", exitItemName, exitItemID, ZafPopUpItem::kindExit));
    bar->AddObject(file);
    bar->AddObject(MakeEntry("Analyses", analysisMenuName, analysisMenuID, 'A'));
    ZafPullDownItem *graphs = MakeEntry("Graphs", graphMenuName, graphMenuID, 'G');
    graphs->AddSubItem(MakeEventItem("Zoom", zoomItemName, graphMenuID + 1, eventZoomMode));
    graphs->AddSubItem(MakeEventItem("Text", textItemName, graphMenuID + 2, eventTextMode));
    graphs->AddSubItem(MakeEventItem("Move", moveItemName, graphMenuID + 3, eventMoveMode));
    graphs->AddSubItem(MakeEventItem("Identify regions", identifyItemName, graphMenuID + 4, eventMapIdentify));
    bar->AddObject(graphs);
    ZafPullDownItem *window = MakeEntry("Window", windowMenuName, windowMenuID, 'W');
    window->AddSubItem(MakeItem("Tile", tileItemName, tileItemID));
    window->AddSubItem(MakeItem("Cascade", cascadeItemName, cascadeItemID));
    window->AddSubItem(MakeItem("Arrange icons", arrangeItemName, arrangeItemID));
    bar->AddObject(window);
    return bar;
}

// The status bar is laid out in pixels: a cell-high bar would clip its
// fields below the bar's top lines.
template <class T> T *InPixels(T *object, int left, int top, int right, int bottom)
{
    object->SetCoordinateType(ZAF_PIXEL);
    object->SetRegion(ZafRegionRect(left, top, right, bottom, ZAF_PIXEL));
    return object;
}

ZafPrompt *MakeStatusField(int left, int right, const char *name)
{
    auto *field = InPixels(new ZafPrompt(0, 0, 1, ""), left, 2, right, 20);
    field->SetStringID(name);
    field->SetAutoSize(false);
    return field;
}

ZafStatusBar *MakeStatusBar()
{
    auto *bar = InPixels(new ZafStatusBar(0, 0, 1, 1), 0, 0, 543, 23);
    bar->SetStringID(statusBarName);
    bar->AddObject(MakeStatusField(4, 259, statusTextName));
    bar->AddObject(MakeStatusField(264, 419, statusDataSetName));
    bar->AddObject(MakeStatusField(424, 539, statusCasesName));
    return bar;
}

// A tool button of the bar (sizes in pixels); a non-zero event is queued as
// the button's value when it is pressed.
ZafButton *MakeToolButton(const char *text, const char *name, int event)
{
    auto *button = InPixels(new ZafButton(0, 0, 1, 1, text), 0, 0, 69, 23);
    button->SetStringID(name);
    button->SetAutoSize(false);
    if (event != 0) {
        button->SetValue(event);
        button->SetSendMessageWhenSelected(true);
    }
    return button;
}

ZafToolBar *MakeToolBar()
{
    auto *bar = InPixels(new ZafToolBar(0, 0, 1, 1), 0, 0, 543, 28);
    bar->SetStringID(toolBarName);
    bar->AddObject(MakeToolButton("Open", openToolName, 0));
    bar->AddObject(MakeToolButton("Zoom", zoomToolName, eventZoomMode));
    bar->AddObject(MakeToolButton("Text", textToolName, eventTextMode));
    bar->AddObject(MakeToolButton("Move", moveToolName, eventMoveMode));
    return bar;
}

} // namespace

ZafMDIWindow *MakeMainWindowDefinition()
{
    RegisterMainWindowClasses();
    auto *frame = new ZafMDIWindow(2, 1, 96, 32);
    frame->SetStringID(mainWindowName);
    frame->SetDestroyable(true);
    frame->SetMovable(true);
    frame->SetSizeable(true);
    frame->AddObject(new ZafBorder());
    frame->AddObject(new ZafMaximizeButton());
    frame->AddObject(new ZafMinimizeButton());
    frame->AddObject(new ZafSystemButton(ZafSystemButton::windowsMenu));
    frame->AddObject(new ZafTitle(mainWindowTitle));
    frame->AddObject(MakeMenuBar());
    frame->AddObject(MakeToolBar());
    frame->AddObject(MakeStatusBar());
    return frame;
}
