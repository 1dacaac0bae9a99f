#include "analyses/map/MapWorkBook.h"

#include "analyses/map/GroupDefWindow.h"
#include "analyses/map/MapOptionWindow.h"
#include "analyses/map/MapStatOption.h"
#include "shell/FindNamedControl.h"
#include "dataset/DATASET.h"
#include "dataset/ProgramSettings.h"
#include "graphs/maps/MapGraph.h"
#include "graphs/maps/MapGraphWindow.h"
#include "graphs/maps/MapRegionText.h"
#include "shell/MessageDialogs.h"
#include "shell/QIVprog.h"
#include "zaf/controls/ZafButton.h"
#include "stats/StatClass.h"

#include <string>

namespace {

constexpr size_t captionLength = 16;
// The graph tools: the map by classes, with bars, with circles.
const GraphToolRow toolRows[] = {{3, MapWorkBook::textGroup, "graph_map"},
                                 {7, MapWorkBook::textGroup, "graph_map_bar"},
                                 {8, MapWorkBook::textGroup, "graph_map_pie"}};
constexpr int toolCount = 3;

// "v" + number + " " + name and label; cut to 16 characters and ".." when
// the book has several pages.
std::string Caption(long variable, bool several)
{
    std::string caption = "v" + std::to_string(variable) + " ";
    if (char *text = ReadVariableCaption(variable)) {
        caption += text;
        delete[] text;
    }
    if (several && caption.size() > captionLength)
        caption = caption.substr(0, captionLength) + "..";
    return caption;
}

// The workbook a page lies in (its notebook's owner), or null.
MapWorkBook *BookOf(ZafWindowObject *page)
{
    for (ZafWindowObject *up = page->Parent(); up; up = up->Parent())
        if (auto *book = dynamic_cast<MapWorkBook *>(up))
            return book;
    return nullptr;
}

} // namespace

MapWorkBook::MapWorkBook(MapStatOption *record, int map) : AnalysisBook(record, 1), map(map)
{
    record->openBook = this;
    titleText = titleTextNumber;
    titleGroup = titleGroupNumber;
    // The buttons show a mouse mode or identifying chosen anywhere at once.
    AddGraphModeListener(this, [this] {
        if (MapPage *page = CurrentMapPage())
            page->ShowZoomState();
    });
}

MapWorkBook::~MapWorkBook()
{
    RemoveGraphModeListener(this);
}

MapStatOption *MapWorkBook::CurrentPageRecord() const
{
    auto *page = dynamic_cast<MapPage *>(CurrentPage());
    return page ? page->Record() : nullptr;
}

MapWorkBook::ClassForming MapWorkBook::RecordClassForming() const
{
    auto *record = dynamic_cast<MapStatOption *>(Option());
    if (!record)
        return ClassForming{0, 0, 0};
    return ClassForming{record->groupingMethod, record->classCountMode, record->classCount};
}

void MapWorkBook::UserLimitsSet(const MapPage &page)
{
    auto *record = dynamic_cast<MapStatOption *>(Option());
    const MapStatOption *limits = page.Record();
    if (!record || !limits)
        return;
    record->groupingMethod = MapClassSettings::userDefined;
    record->classes.bounds = limits->classes.bounds;
    record->classes.decimals = limits->classes.decimals;
    record->SyncClasses();
    // The pages hold their classes already: an Apply that leaves the class
    // settings as they now stand keeps them.
    handedOut = RecordClassForming();
    if (auto *window = dynamic_cast<MapOptionWindow *>(record->optionWindow)) {
        if (auto *userdef = FindNamedControl<ZafButton>(window, "userdef", __FILE__, __LINE__))
            if (!userdef->Selected())
                userdef->SetSelected(true);
        window->Refresh();
    }
}

void MapWorkBook::WriteEveryResult()
{
    if (auto *record = dynamic_cast<MapStatOption *>(Option())) {
        const ClassForming now = RecordClassForming();
        const bool keepClasses = now == handedOut;
        handedOut = now;
        for (int i = 0; i < PageCount(); ++i)
            if (auto *page = dynamic_cast<MapPage *>(PageAt(i)))
                page->TakeBookSettings(*record, keepClasses);
        // The graph menu marks the mode the maps now show.
        SetCurrentGraphKind(static_cast<int>(record->displayMode) - 1);
    }
    AnalysisBook::WriteEveryResult();
}

bool MapWorkBook::Build(long selectionHandle)
{
    auto *record = static_cast<MapStatOption *>(Option());
    ListChoice list;
    if (!TakeLists(selectionHandle, {&list}))
        return false;
    for (const GraphToolRow &row : toolRows)
        AddGraphTool(row.text, row.group, row.bitmapName, nullptr);
    // The two tools stay pressed in while the current page's map has them.
    ZafButton *identify = AddToolButton("bt_mapid", "Identify regions", identifyEvent, "bt_mapid");
    ZafButton *zoomIn = AddToolButton("map_zoom_in", "Zoom in", zoomInEvent, "map_zoom_in");
    identify->SetAllowToggling(true);
    zoomIn->SetAllowToggling(true);
    zoomOut = AddToolButton("map_zoom_out", "Zoom out", zoomOutEvent, "map_zoom_out");
    zoomOut->SetDisabled(true);
    for (int i = 0; i < list.Count(); ++i) {
        auto *page = new MapPage(list.Variable(i), map, Caption(list.Variable(i), list.Count() > 1).c_str(), *record);
        page->SetZoomOutButton(zoomOut);
        page->SetToolButtons(identify, zoomIn);
        AddPage(page);
        if (page->LoadError()) {
            // A damaged map file: said once, and nothing is built on it.
            ShowMessageDialog(StatText(titleTextNumber, titleGroupNumber), MapGraph::LoadErrorText(page->LoadError()),
                              nullptr, nullptr, 0);
            return false;
        }
    }
    // Every page opens on its map, drawn in the record's display mode, so
    // that the book shows the maps before any graph tool is pressed.
    const int kind = static_cast<int>(record->displayMode) - 1;
    for (int i = 0; i < PageCount(); ++i)
        if (auto *page = dynamic_cast<MapPage *>(PageAt(i)))
            page->AddGraphWindow(page->CreateGraphWindow(kind, record), kind);
    SetCurrentGraphKind(kind);
    handedOut = RecordClassForming();
    return true;
}

MapPage *MapWorkBook::CurrentMapPage() const
{
    return dynamic_cast<MapPage *>(CurrentPage());
}

ZafEventType MapWorkBook::Event(const ZafEventRecord &event)
{
    MapPage *page = event.type == zoomInEvent || event.type == zoomOutEvent || event.type == identifyEvent
                        ? CurrentMapPage()
                        : nullptr;
    if (event.type == zoomInEvent) {
        // The zoom tool of this page's map: other graphs keep the mouse
        // mode they have. Pressed again it ends.
        if (page)
            page->SetMapTool(page->MapTool() == MapGraphWindow::toolZoom ? MapGraphWindow::toolNone
                                                                         : MapGraphWindow::toolZoom);
        return event.type;
    }
    if (event.type == identifyEvent) {
        // Pressed in (identifying, the page's own tool or the main window's
        // choice): identifying ends; else the page identifies.
        if (page && page->ToolInForce() == MapGraphWindow::toolIdentify) {
            if (page->MapTool() == MapGraphWindow::toolIdentify)
                page->SetMapTool(MapGraphWindow::toolNone);
            if (MapIdentifyFlag)
                SetMapIdentifyFlag(0);
        } else if (page) {
            page->SetMapTool(MapGraphWindow::toolIdentify);
        }
        return event.type;
    }
    if (event.type == zoomOutEvent) {
        if (page && page->GraphWindow())
            page->GraphWindow()->PopZoom();
        // The button shows the current page's state.
        if (page)
            page->ShowZoomState();
        else if (zoomOut)
            zoomOut->SetDisabled(true);
        return event.type;
    }
    return AnalysisBook::Event(event);
}

std::string MapPage::Subject() const
{
    return ::Caption(variable, false);
}

MapPage::MapPage(long variable, int map, const char *caption, const MapStatOption &book)
    : Page(caption), variable(variable), map(map), record(book.Copy())
{
    record->SyncClasses();
    DATASET *dataSet = ProgramSettings::Instance()->GetDataSet(0);
    HoldDataSet(dataSet);
    pendingGraph = std::make_unique<MapGraph>(dataSet, map, variable, &record->classes);
    loadError = pendingGraph->LoadMap();
    if (loadError == 0)
        pendingGraph->AssignRegionValues();
    text = new ::MapWindow(map, variable, caption);
    SetResultWindow(text);
    SetComputation(new MapStatClass(dataSet));
    // Empty until the first graph request gives the pane its map.
    text->Update();
}

MapGraph *MapPage::Graph() const
{
    return text->Graph() ? text->Graph() : pendingGraph.get();
}

MapPage::~MapPage() = default;

void MapPage::TakeBookSettings(const MapStatOption &book, bool keepClasses)
{
    const long method = record->groupingMethod, countMode = record->classCountMode, count = record->classCount;
    for (int field = 0; field < MapStatOption::maxFields; ++field)
        record->Field(field) = const_cast<MapStatOption &>(book).Field(field);
    if (keepClasses) {
        record->groupingMethod = method;
        record->classCountMode = countMode;
        record->classCount = count;
    } else if (book.groupingMethod == MapClassSettings::userDefined && method != MapClassSettings::userDefined &&
               book.classes.bounds.size() >= 2) {
        // The user's limits chosen in the options for a page that has none
        // of its own: the limits the user set last.
        record->classes.bounds = book.classes.bounds;
    }
    record->SyncClasses();
}

ZafWindow *MapPage::CreateGraphWindow(int kind, StatOption *)
{
    if (kind >= 0 && kind < toolCount) {
        record->displayMode = kind + 1;
        record->SyncClasses();
    }
    if (loadError)
        return nullptr;
    if (!text->Graph())
        text->SetGraph(pendingGraph.release());
    text->WriteResult();
    if (!mapWindow) {
        mapWindow = new MapGraphWindow(text->Graph(), &record->classes, static_cast<int>(record->displayMode));
        mapWindow->barLength = record->barLength;
        mapWindow->circleRadius = record->circleRadius;
        mapWindow->SetZoomOutButton(zoomOutButton);
        mapWindow->SetToolButtons(identifyButton, zoomInButton);
        mapWindow->SetTool(mapTool);
        mapWindow->classDialog = [this](int screenX, int screenY) { return DefineClasses(screenX, screenY); };
    } else {
        mapWindow->SetDisplayMode(static_cast<int>(record->displayMode));
    }
    return mapWindow;
}

void MapPage::ShowZoomState() const
{
    if (zoomOutButton)
        zoomOutButton->SetDisabled(!mapWindow || mapWindow->zoomStack.empty());
    const int tool = ToolInForce();
    if (identifyButton && identifyButton->Selected() != (tool == MapGraphWindow::toolIdentify))
        identifyButton->SetSelected(tool == MapGraphWindow::toolIdentify);
    if (zoomInButton && zoomInButton->Selected() != (tool == MapGraphWindow::toolZoom))
        zoomInButton->SetSelected(tool == MapGraphWindow::toolZoom);
}

void MapPage::SetToolButtons(ZafWindowObject *identify, ZafWindowObject *zoom)
{
    identifyButton = identify;
    zoomInButton = zoom;
    if (mapWindow)
        mapWindow->SetToolButtons(identify, zoom);
}

bool MapPage::SetVisible(bool flag)
{
    const bool result = Page::SetVisible(flag);
    if (flag)
        ShowZoomState();
    return result;
}

int MapPage::MapTool() const
{
    if (mapWindow)
        return mapWindow->Tool();
    return mapToolChoice == GraphModeChoices ? mapTool : MapGraphWindow::toolNone;
}

int MapPage::ToolInForce() const
{
    if (mapWindow)
        return mapWindow->ToolInForce();
    const int own = MapTool();
    if (own == MapGraphWindow::toolZoom)
        return own;
    return own == MapGraphWindow::toolIdentify || MapIdentifyFlag ? MapGraphWindow::toolIdentify
                                                                 : MapGraphWindow::toolNone;
}

void MapPage::SetMapTool(int tool)
{
    mapTool = tool;
    mapToolChoice = GraphModeChoices;
    if (mapWindow)
        mapWindow->SetTool(tool);
    ShowZoomState();
}

bool MapPage::DefineClasses(int screenX, int screenY)
{
    GroupDefWindow dialog(0, 0, record.get());
    dialog.PlaceNear(screenX, screenY);
    if (dialog.Run() != ZAF_DIALOG_OK)
        return false;
    if (auto *book = BookOf(this))
        book->UserLimitsSet(*this);
    text->WriteResult();
    return true;
}

void MapPage::ShowNewLimits()
{
    if (auto *book = BookOf(this))
        book->UserLimitsSet(*this);
    if (!text->Graph())
        return;
    text->WriteResult();
    if (mapWindow) {
        text->Graph()->MapRegionStats();
        SendRedisplay(mapWindow);
    }
}
