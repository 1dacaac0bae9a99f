// MapWorkBook: the workbook of a region-map run: one page (MapPage) per
// variable of the first list over the chosen map, and three graph tools,
// the map by classes, with bars and with circles (tools 0 to 2, the display
// modes 1 to 3). A page keeps its own copy of the record, loads the map
// once and gives its regions the variable's values; the book hands each
// page's text pane (MapWindow) the map and makes the page's map window
// (MapGraphWindow) in the record's display mode, which the page shows
// first; every tool sets its display mode, computes the classes again,
// rewrites the text and shows the map.
//
// Ownership: the book owns the run's record and its pages; a page owns its
// copy of the record, its text window and, through it, the map.
#pragma once

#include "analyses/kit/AnalysisBook.h"
#include "analyses/map/MapWindow.h"

#include <memory>

class MapGraph;
class MapGraphWindow;
class MapPage;
class MapStatOption;
class ZafButton;

class MapWorkBook : public AnalysisBook
{
public:
    static constexpr int textGroup = 22;
    static constexpr int titleTextNumber = 47, titleGroupNumber = 1;
    // The map's tool buttons, each acting on the current page's map alone:
    // "map_zoom_in" switches its zoom tool on and off, "map_zoom_out" takes
    // it one zoom step back, "bt_mapid" switches identifying its regions on
    // and off. Choosing a mouse mode in the main window ends either tool.
    enum MapEvent : int { zoomInEvent = 29100, zoomOutEvent = 29101, identifyEvent = 29102 };

    MapWorkBook(MapStatOption *record, int map);
    ~MapWorkBook() override;
    // The pages of the variables of list 0; false without a variable.
    bool Build(long selectionHandle) override;
    int Map() const { return map; }
    // The current page's copy of the record (null without pages).
    MapStatOption *CurrentPageRecord() const;
    // Each page takes the record's changed settings before its text is
    // written again. How the classes are formed (method, count) goes to the
    // pages only when the options changed it since the pages last took it:
    // otherwise every page keeps its own classes, the limits the user set
    // in its legend among them.
    void WriteEveryResult() override;
    // The user confirmed class limits on the page (its legend or the
    // options' class-limit button): the book's record takes them and the
    // user's method, and an open option window shows that method chosen.
    void UserLimitsSet(const MapPage &page);
    ZafEventType Event(const ZafEventRecord &event) override;
    // The "map_zoom_out" button (null before Build).
    ZafButton *ZoomOutButton() const { return zoomOut; }

    MapPage *CurrentMapPage() const;

private:
    // How the classes are formed, as the pages last took it from the record.
    struct ClassForming
    {
        long method, countMode, count;
        bool operator==(const ClassForming &other) const
        {
            return method == other.method && countMode == other.countMode && count == other.count;
        }
    };
    ClassForming RecordClassForming() const;

    int map;
    ZafButton *zoomOut = nullptr;
    ClassForming handedOut{0, 0, 0};
};

class MapPage : public Page
{
public:
    // book: the record the option frame changes; the page copies it.
    MapPage(long variable, int map, const char *caption, const MapStatOption &book);
    ~MapPage() override;
    // The variable and its label, whole however short the tab's text is.
    std::string Subject() const override;
    // The book's "map_zoom_out" button, which the page's map window enables
    // while it is zoomed.
    void SetZoomOutButton(ZafWindowObject *button) { zoomOutButton = button; }
    // The book's "bt_mapid" and "map_zoom_in" buttons, pressed in while the
    // page's map has their tool.
    void SetToolButtons(ZafWindowObject *identify, ZafWindowObject *zoom);
    // Enables the zoom-out button exactly while this page's map is zoomed,
    // and presses in the button of the page's map tool.
    void ShowZoomState() const;
    // A page brought forward sets the zoom-out button to its own map's
    // state, also when it shows only its text or has no map yet.
    bool SetVisible(bool flag) override;
    // The settings the option window changed in the book's record; with
    // keepClasses the page keeps its own grouping method, class count and
    // limits.
    void TakeBookSettings(const MapStatOption &book, bool keepClasses);
    // Sets the display mode of the kind (0 to 2: classes, bars, circles),
    // computes the classes again and hands back the page's map window (made
    // at the first request; null when the map could not be read).
    ZafWindow *CreateGraphWindow(int kind, StatOption *argument) override;
    // The page's copy of the record, its map's load error (0: none).
    MapStatOption *Record() const { return record.get(); }
    int LoadError() const { return loadError; }
    ::MapWindow *Text() const { return text; }
    // The page's map: the text pane's once a graph was requested.
    MapGraph *Graph() const;
    MapGraphWindow *GraphWindow() const { return mapWindow; }
    // The page's own map tool (MapGraphWindow::MapTool), handed to its map
    // window now or when it is made.
    void SetMapTool(int tool);
    // The page's own tool: the map window's once it is made (a tool lapses
    // when the user chooses a mouse mode in the main window).
    int MapTool() const;
    // The tool the page's map works with: identify also while the main
    // window's identify flag is set (unless the page zooms).
    int ToolInForce() const;
    // The class-limit dialog at the screen pixel for the page's record;
    // true when it ended with new limits (then the text is written again
    // and the book takes the limits).
    bool DefineClasses(int screenX, int screenY);
    // The page's limits changed outside its map: text and map follow.
    void ShowNewLimits();

private:
    long variable;
    int map;
    std::unique_ptr<MapStatOption> record;
    ::MapWindow *text;                      // the page's result window
    std::unique_ptr<MapGraph> pendingGraph; // read at construction, handed to the text pane at the first graph request
    int loadError = 0;
    MapGraphWindow *mapWindow = nullptr; // owned by the page as a graph window
    ZafWindowObject *zoomOutButton = nullptr;
    ZafWindowObject *identifyButton = nullptr, *zoomInButton = nullptr;
    int mapTool = 0;
    int mapToolChoice = 0; // GraphModeChoices when mapTool was set
};
