// GRAPHWIN: the pane in which every graph is shown. It is a retained-mode
// canvas: a graph kind derives from it and builds its list of elements
// (BuildGraph) once from its statistics and options, and the window draws
// that list whenever it is redisplayed: on the screen (through one
// off-screen bitmap), onto the clipboard and into an EMF file (enhanced
// metafiles), on the printer and in the print preview. Elements are placed
// in a logical space of 10000 x 10000 units mapped onto the view rectangle
// (the pane's pixels); a resize only rescales, options changed rebuild.
//
// Draw modes: 0 screen, 1 clipboard metafile, 2 metafile file, 3 printer or
// preview (the caller has made the target context current with SetDrawDC
// or on the screen display). The mode is 0 at rest. Elements draw into
// GetDrawDC() and scale their device points through OutputScale: the
// printer's scale and origin while a printer is set, else the screen's.
//
// Interaction (GRAPHWINMouse.cpp): the program-wide mouse mode
// (GraphMouseMode, set by the main window) chooses what the left button
// does: 3 move selects the smallest element under the pointer and drags it
// (snapped to the grid when "SnapToGrid" is on; pressed near a corner or
// an edge's middle, a shape is resized instead), 1 zoom draws a rubber band
// while the button is held, 2 text adds a text at a double press. A double
// press on a text opens the text dialog; Delete (mode 3) deletes the
// selected text; the right button pops up the context menu, made on first
// use and filled once: in a workbook its graph menu's items
// (WorkBook::FillGraphMenu: the graph tools, options, copy, metafile export
// and print), elsewhere copy, metafile export and print.
//
// Ownership: the window owns its elements (ClearElements and the
// destructor delete them, user texts included), its current draw style,
// the metafile name, the rubber band and the context menu. The printer is
// the caller's.
#pragma once

#include "graphs/DrawStyle.h"
#include "graphs/element.h"
#include "shell/GraphPane.h"
#include "zaf/core/ZafWindow.h"
#include "zaf/data/ZafTimeData.h"

#include <map>
#include <string>
#include <vector>

class TEKSTELEMENT;

class ZafPopUpMenu;
class ZafPrinter;
class GRAPHWIN;

// The zoom rubber band: where the drag started, where the pointer is now
// and the rectangle last drawn (left -1: none is drawn).
struct DragRectangle
{
    int startX = 0, startY = 0, currentX = 0, currentY = 0;
    ElementRect drawn{-1, -1, -1, -1, 0};
    GRAPHWIN *owner = nullptr;
};

// A hover label that restores what it covers (the map names the region
// under the pointer with it).
class GraphWindowBase
{
public:
    explicit GraphWindowBase(ZafWindowObject *window) : labelWindow(window) {}
    virtual ~GraphWindowBase();
    GraphWindowBase(const GraphWindowBase &) = delete;
    GraphWindowBase &operator=(const GraphWindowBase &) = delete;

    // Keeps the label inside the window, saves what it will cover.
    void SetLabel(int x, int y, const char *text);
    // Draws the label; with size only measures it.
    void ShowLabel(SIZE *size = nullptr);
    // Puts the covered pixels back and frees the saved copy.
    void HideLabel();
    const char *LabelText() const { return labelText; }
    // A label is up: set and not hidden since.
    bool LabelShown() const { return savedDC != nullptr; }

private:
    HFONT LabelFont() const;

    HDC savedDC = nullptr;
    HBITMAP savedBitmap = nullptr;
    HGDIOBJ savedOld = nullptr;
    int savedLeft = 0, savedTop = 0, savedWidth = 0, savedHeight = 0;
    int anchorX = 0, anchorY = 0;
    char *labelText = nullptr;
    ZafWindowObject *labelWindow;
};

class GRAPHWIN : public GraphWindowBase, public ZafWindow, public GraphPane
{
public:
    static constexpr int logicalWidth = 10000;
    static constexpr int logicalHeight = 10000;
    // Draw modes.
    enum DrawMode : unsigned {
        drawScreen = 0,    // off-screen bitmap copied to the window
        drawClipboard = 1, // a memory metafile put on the clipboard
        drawFile = 2,      // a metafile file of the chosen name
        drawPrinter = 3,   // a context the caller made current
    };
    // Events of the window itself (the save event is the one the
    // workbook's graph menu sends, WorkBook::saveGraphEvent).
    enum WindowEvent : int { saveMetafileEvent = 11001 };
    // The program-wide mouse mode's values (GraphMouseMode).
    enum MouseMode : int {
        modePlain = 0, // nothing happens on a press
        modeZoom = 1,  // the zoom rubber band
        modeText = 2,  // a double press adds a text
        modeMove = 3,  // select, move and resize elements
    };
    // The drag flags' bits.
    enum DragFlag : std::uint16_t {
        dragLeft = 0x04,   // the left edge follows the pointer
        dragRight = 0x08,  // the right edge
        dragTop = 0x10,    // the top edge
        dragBottom = 0x20, // the bottom edge
        dragResize = 0x40, // resizing (clear: moving)
    };
    // How near (pixels) a press must be to a corner or an edge's middle of
    // a shape to resize it.
    static constexpr int handleTolerance = 3;

    GRAPHWIN(int left, int top, int width, int height);
    ~GRAPHWIN() override;

    // --- Building -----------------------------------------------------------
    virtual void BuildGraph() = 0;
    virtual void CreateDrawObjects() {}
    virtual void DeleteDrawObjects() {}
    // Called by Draw before the elements are drawn, on the target's context.
    virtual void PrepareDraw() {}
    // Attaches a top-level element (and a group's descendants), numbers it,
    // gives it its identity, measures a text and sets its reference
    // rectangle.
    void AddElement(element *item);
    // Deletes every element except the user texts; restarts the numbering.
    void ClearElements();
    // Takes the element out of both lists; the caller deletes it.
    void RemoveElement(element *item);
    // Marks a text the user added or edited: it survives a rebuild.
    void AddUserText(element *item);
    // Puts each user text back in place of the rebuilt element of its
    // identity (that one is deleted).
    void RestoreUserTexts();
    // Clear, build again, restore the user texts, redisplay.
    void Rebuild();
    const GROBJ_LIST &Elements() const { return elements; }
    const GROBJ_LIST &UserTexts() const { return userTexts; }
    bool Built() const { return built != 0; }

    // --- Styles -------------------------------------------------------------
    // The current style becomes a copy of the given one (the window default
    // when null), with its objects made.
    void SetDrawStyle(const DrawStyle *style);
    DrawStyle *CurrentDrawStyle() const { return drawStyle; }

    // --- Coordinates ----------------------------------------------------------
    void ToDeviceUnits(int &x, int &y) const;
    void ToLogicalUnits(int &x, int &y) const;
    void ElementToDevice(element *item);
    void ElementToLogical(element *item);
    const ElementRect &View() const { return view; }
    void SetView(const ElementRect &rect) { view = rect; }
    // The output scale and origin in force (printer's, else the screen's).
    void OutputScale(int &numerator, int &denominator, int &originX, int &originY) const;

    // --- Contexts and outputs -------------------------------------------------
    HDC GetDrawDC();
    void SetDrawDC(HDC dc);
    ZafRegionRect BeginDraw() override;
    ZafEventType Draw(const ZafEventRecord &event, ZafEventType code) override;
    ZafEventType Event(const ZafEventRecord &event) override;
    // A built graph whose window changed size (its page was resized, split
    // or shown again) is scaled to the new size, not built again: what the
    // user moved keeps its place relative to the pane.
    void LayoutChildren() override;
    // The view becomes the pane's new size in pixels; every element's device
    // rectangle is recomputed from its logical one at the next draw. A
    // graph whose layout follows its size is built again instead.
    virtual void Rescale(int width, int height);
    // True for a graph that lays its areas out from its texts' measured
    // pixels: a change of the pane's size builds it again (the user's
    // texts kept, as by Rebuild), so that its texts stay apart at every
    // size, unless the user has moved one of its shapes, which then keeps
    // its place as in any graph.
    virtual bool LayoutFollowsSize() const { return false; }
    // The logical rectangle of the graph's plot (its axes' frame, its pie,
    // its cells), which its texts give way to in a small pane; all zero
    // for a graph without one.
    virtual ElementRect PlotRegion() const { return ElementRect{0, 0, 0, 0, 0}; }
    // Over the pane the cursor shows the mouse mode.
    ZafEventType HandleOSMessage(const ZafEventRecord &event) override;
    unsigned DrawModeInForce() const { return drawMode; }
    void SetPrinter(ZafPrinter *newPrinter) { printer = newPrinter; }
    ZafPrinter *Printer() const { return printer; }
    // Prints on one page of the printer set; nothing without one.
    bool PrintGraph();
    // Draws into the screen display's current context (mode 3).
    void DrawForPreview();
    // The save dialog for the metafile's name; false when cancelled.
    bool ChooseMetafileName();
    void SetMetafileName(const char *path);
    const char *MetafileName() const { return metafileName; }
    // Writes the graph into the metafile file of the stored name; false
    // when it could not be written (MetafileError says why: a PFILE_ERR_*
    // word), the old file, if any, then left as it was.
    bool ExportMetafile();
    int MetafileError() const { return metafileError; }
    // Asks for the name and writes the metafile; a file that could not be
    // written is reported in a message that names it (and a full disk).
    void SaveMetafile();
    static constexpr const char *notWrittenText = "The graph could not be written to the file";
    // Puts the graph on the clipboard as an enhanced metafile.
    void CopyToClipboard();

    // --- Interaction (GRAPHWINMouse.cpp) -------------------------------------
    // Draws or removes (XOR) the focus marks of a pixel rectangle.
    void DrawFocusMarks(const ElementRect &rect);
    // The window's focus marks are those of a pixel rectangle: draws or
    // removes them (XOR) whatever the code; answers the code.
    ZafEventType DrawFocus(ZafRegionRect &rect, ZafEventType code) override;
    // The hit test: the least tall visible element of the kind (0 any)
    // strictly inside whose drag rectangle the point lies becomes the
    // selection (a map region only when nothing else is hit).
    element *SelectElementAt(int x, int y, int kind);
    // Ends a move, a resize or a zoom drag.
    void EndDrag();
    // Called by EndDrag with the zoom rubber band's pixel rectangle once it
    // is removed.
    virtual void ZoomDragEnded(const ElementRect &) {}
    // The context menu at the pointer of a mouse event.
    void ShowContextMenu(const ZafEventRecord &event);
    // The text dialog for the selected text, or for a new text at (x, y).
    void EditTextAt(int x, int y);
    // Asks, then deletes the selected text as the text dialog's Delete does.
    void DeleteSelectedText();
    // Removes the focus marks and drops the selection.
    void DropSelection();
    // The context menu's items outside a workbook.
    void FillContextMenu();
    static ZafEventType ContextItemChosen(ZafWindowObject *object, ZafEventRecord &event, ZafEventType code);

    element *SelectedElement() const { return selected; }
    std::uint16_t DragFlags() const { return dragFlags; }
    const DragRectangle *RubberBand() const { return rubberBand; }
    // The context menu (null before its first use).
    ZafPopUpMenu *ContextMenu() const { return contextMenu; }
    const ZafTimeData &CreationTime() const { return creationTime; }

    // GraphPane.
    void RebuildGraph() override { Rebuild(); }
    // A printed page (and its preview): the head (the running head set by
    // the workbook and "page 1 of 1", what the page shows under them), and
    // the graph built again for the printable area under it inside a
    // half-inch margin, its texts in points at the printer's resolution;
    // the window's own layout comes back after the page.
    bool PrintOn(ZafPrinter *printer) override;
    void PreviewOn(ZafPrinter *printer) override;

protected:
    // The draw's target set-up and finish by mode (false: nothing to draw on).
    bool OpenTarget(HDC windowDC, int width, int height, const char *fileName);
    void CloseTarget(HDC windowDC, int width, int height);
    void PaintBackground(int width, int height);
    void DrawGrid(int width, int height);
    void DrawElements();
    // Lets every axis show as many of its numbers as stand apart at the
    // view's present size (SKALA::FitLabels).
    void FitAxisLabels();
    // Moves every visible text (of the window or of a group, as collected
    // by DrawElements) whose drawn pixels leave the view back inside it, so
    // that no title, number or free text is cut at an edge, whatever the
    // window's size.
    void KeepTextsInside(const std::vector<TEKSTELEMENT *> &texts);
    // Moves each title or caption line in the top quarter of the view that
    // covers a line above it down below that line, so that the stacked
    // lines of a title block never touch, whatever the font and the size.
    void StackTitleLines(const std::vector<TEKSTELEMENT *> &texts);
    // The last word on a small window: a text wider than the view is cut in
    // its middle to the view's width; a text that still leaves the view or
    // covers a text before it in list order (titles before subtitles, the
    // data's texts before the legend) is left out of this draw. Texts cut or
    // left out at one size are whole again at the next draw.
    void LeaveOutCoveringTexts(const std::vector<TEKSTELEMENT *> &texts);
    // The mouse, key, focus and context-menu codes; the rest goes on to the
    // window.
    ZafEventType InteractionEvent(const ZafEventRecord &event);
    void BeginPress(int x, int y);
    void ContinueDrag(int x, int y);
    // Sets the resize flags when the press is near a handle of the selection.
    void GrabHandle(int x, int y);
    // The selection's drag rectangle moved or resized to the pointer, on
    // the grid when "SnapToGrid" is on and snapping is allowed (a pan
    // follows the pointer exactly).
    ElementRect DraggedRectangle(int x, int y, bool snapAllowed = true) const;

    HDC drawDC = nullptr;
    HWND drawDCWindow = nullptr; // the window drawDC was taken from (GetDC)
    ZafTimeData creationTime;    // when the window was made
    std::int16_t dragOffsetX = 0, dragOffsetY = 0;
    element *selected = nullptr;
    ElementRect view;
    DrawStyle *drawStyle = nullptr;
    std::uint8_t built = 0;
    unsigned drawMode = drawScreen;
    ZafPrinter *printer = nullptr;
    std::uint16_t dragFlags = 0;
    GROBJ_LIST elements;
    GROBJ_LIST userTexts;
    char *metafileName = nullptr;
    int metafileError = 0;
    std::uint8_t suppressDoublePress = 0;
    DragRectangle *rubberBand = nullptr;
    ZafPopUpMenu *contextMenu = nullptr;
    // Where a resize began: the pointer and the drag rectangle.
    int pressX = 0, pressY = 0;
    ElementRect pressRect;
    bool capturing = false;
    // The user has moved or resized an element other than a text.
    bool shapesMoved = false;

private:
    // The window's size before it was built for a printed page and, for a
    // graph whose layout does not follow its size, each element's places,
    // given back as they were so that a print leaves the window unchanged.
    struct PrintedSize {
        int width = 0, height = 0;
        bool rescaled = false;
        struct Places {
            element *item;
            ElementRect logical, device;
            std::uint16_t flags;
        };
        std::vector<Places> places;
    };
    // Builds the graph for the printable area of the target's page and sets
    // the target's placement; RestoreAfterPage builds it for the window again.
    PrintedSize LayOutForPage(ZafPrinter *target);
    void RestoreAfterPage(const PrintedSize &shown);
    // The head and the graph into dc, the printer set.
    void DrawPrintedPage(HDC dc);
    // Clear, build over the present view, restore the user texts.
    void BuildAgain();
    // The occurrences of each identity key in the current build.
    std::map<std::string, int> identityCounts;
    // Off-screen drawing of mode 0.
    HDC memoryDC = nullptr;
    HBITMAP memoryBitmap = nullptr;
    HGDIOBJ memoryOld = nullptr;
};

// Sends the logical redisplay event to the object; its handler's answer.
ZafEventType SendRedisplay(ZafWindowObject *object);
