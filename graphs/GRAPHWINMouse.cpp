// GRAPHWIN: working inside a graph with the mouse and the keyboard - the
// mouse modes, selection with focus marks, moving and resizing with grid
// snapping, the zoom rubber band, the text dialog road, deleting a text and
// the context menu (the workbook's graph menu).

#include "graphs/GRAPHWIN.h"

#include "dataset/ProgramSettings.h"
#include "graphs/GraphSettings.h"
#include "graphs/GraphTextDialog.h"
#include "graphs/TEKSTELEMENT.h"
#include "shell/MessageDialogs.h"
#include "shell/QIVprog.h"
#include "shell/WorkBook.h"
#include "stats/StatClass.h"
#include "zaf/controls/ZafPopUpMenu.h"
#include "zaf/core/ZafApplication.h"
#include "zaf/core/ZafTracker.h"
#include "zaf/core/ZafWindowManager.h"

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <string>

namespace {

// Language texts of the interaction (number, group).
constexpr int deleteGroup = 21;
constexpr int deleteTitle = 0, deleteQuestion = 1;

bool Near(int a, int b)
{
    return std::abs(a - b) <= GRAPHWIN::handleTolerance;
}

// The pixel shift of a text's drawn place from its device rectangle, by its
// alignment: right-aligned texts end at their anchor, top-aligned ones hang
// below it.
POINT TextShift(const element &item)
{
    POINT shift = {0, 0};
    auto *text = dynamic_cast<const TEKSTELEMENT *>(&item);
    if (!text)
        return shift;
    const int width = item.device.right - item.device.left + 1;
    const int height = item.device.bottom - item.device.top + 1;
    const std::uint16_t bits = text->AlignmentBits();
    if (bits & TEKSTELEMENT::alignRight)
        shift.x = -width;
    else if (bits & TEKSTELEMENT::alignCentre)
        shift.x = -(width / 2);
    if (bits & TEKSTELEMENT::alignTop)
        shift.y = height;
    else if (bits & TEKSTELEMENT::alignBaseline)
        shift.y = height / 2;
    return shift;
}

ElementRect Shifted(ElementRect rect, POINT shift)
{
    rect.left += shift.x;
    rect.right += shift.x;
    rect.top += shift.y;
    rect.bottom += shift.y;
    return rect;
}

// The graph window's workbook: the first workbook above it (a workbook
// shown inside the main window is not the root there).
WorkBook *BookOf(ZafWindowObject *object)
{
    for (ZafWindowObject *up = object->Parent(); up; up = up->Parent())
        if (auto *book = dynamic_cast<WorkBook *>(up))
            return book;
    return nullptr;
}

// The cursor of the mouse mode.
LPCSTR ModeCursor()
{
    switch (GraphMouseMode) {
    case GRAPHWIN::modeZoom:
        return IDC_CROSS;
    case GRAPHWIN::modeText:
        return IDC_IBEAM;
    case GRAPHWIN::modeMove:
        return IDC_SIZEALL;
    default:
        return IDC_ARROW;
    }
}

} // namespace

// --- Focus marks and the hit test ------------------------------------------------------

void GRAPHWIN::DrawFocusMarks(const ElementRect &r)
{
    if (!OSHandle() || r.left < 0)
        return;
    // Inside a screen draw the marks go into the off-screen bitmap.
    const bool drawing = memoryDC != nullptr && drawDC == memoryDC;
    HDC dc = drawing ? drawDC : GetDC(OSHandle());
    if (!dc)
        return;
    auto mark = [dc](int left, int top, int right, int bottom) {
        const RECT rect = {left, top, right, bottom};
        DrawFocusRect(dc, &rect);
    };
    const int midX = r.left + (r.right - r.left) / 2, midY = r.top + (r.bottom - r.top) / 2;
    mark(r.left + 1, midY, r.left + 2, midY + 1);
    mark(r.right - 1, midY, r.right, midY + 1);
    mark(midX, r.top + 1, midX + 1, r.top + 2);
    mark(midX, r.bottom - 1, midX + 1, r.bottom);
    mark(r.left + 1, r.top + 1, r.left + 2, r.top + 2);
    mark(r.right - 1, r.top + 1, r.right, r.top + 2);
    mark(r.left + 1, r.bottom - 1, r.left + 2, r.bottom);
    mark(r.right - 1, r.bottom - 1, r.right, r.bottom);
    mark(r.left, r.top, r.right + 1, r.bottom + 1);
    if (!drawing)
        ReleaseDC(OSHandle(), dc);
}

void GRAPHWIN::DropSelection()
{
    if (selected)
        DrawFocusMarks(selected->drag);
    selected = nullptr;
    dragFlags = 0;
}

element *GRAPHWIN::SelectElementAt(int x, int y, int kind)
{
    DropSelection();
    element *hit = nullptr, *region = nullptr;
    for (element *item : elements) {
        if (kind != 0 && item->kind != kind)
            continue;
        item->drag = Shifted(item->device, TextShift(*item));
        const ElementRect &r = item->drag;
        if (!item->Visible() || !(r.left < x && x < r.right && r.top < y && y < r.bottom))
            continue;
        if (item->kind == element::kindMapRegion) {
            if (!region)
                region = item;
            continue;
        }
        if (!hit || hit->device.Height() > item->device.Height())
            hit = item;
    }
    selected = hit ? hit : region;
    if (selected) {
        dragOffsetX = static_cast<std::int16_t>(x - selected->drag.left);
        dragOffsetY = static_cast<std::int16_t>(y - selected->drag.bottom);
        DrawFocusMarks(selected->drag);
    }
    return selected;
}

// --- Events --------------------------------------------------------------------------

ZafEventType GRAPHWIN::HandleOSMessage(const ZafEventRecord &event)
{
    // The mode's cursor is shown over the graph alone; set as the
    // program-wide mouse image it would stay on every window the pointer
    // went to after leaving a graph.
    const MSG &m = event.osEvent;
    if (m.message == WM_SETCURSOR && LOWORD(m.lParam) == HTCLIENT && m.hwnd == OSHandle()) {
        SetCursor(LoadCursorA(nullptr, ModeCursor()));
        return TRUE;
    }
    return ZafWindow::HandleOSMessage(event);
}

ZafEventType GRAPHWIN::InteractionEvent(const ZafEventRecord &event)
{
    const bool mouse = event.type == ZAF_MOUSE_EVENT;
    if (event.type == ZAF_KEY_EVENT && event.key.value == VK_DELETE && event.key.shiftState == ZAF_KEY_PRESS &&
        GraphMouseMode == modeMove && selected && selected->kind == element::kindText) {
        DeleteSelectedText();
        return event.type;
    }
    if (!mouse) {
        if (event.type == ZAF_FOCUS_CHANGE)
            DropSelection();
        return ZafWindow::Event(event);
    }
    const ZafEventType code = MapEvent(event);
    // Ctrl and Shift with a press: the context menu at the window's corner.
    // Only a press: on every move the menu would open again while the keys
    // are held, and the pointer could reach nothing else in the graph.
    const std::uint32_t both = ZAF_KEY_CTRL + ZAF_KEY_SHIFT;
    if ((event.key.shiftState & both) == both && (code == ZAF_BEGIN_SELECT || code == ZAF_ALT_BEGIN_SELECT)) {
        ZafEventRecord corner = event;
        corner.position = POINT{11, 0};
        ShowContextMenu(corner);
        return code;
    }
    const int x = event.position.x, y = event.position.y;
    ZafTracker self(this);
    switch (code) {
    case ZAF_BEGIN_SELECT:
        BeginPress(x, y);
        break;
    case ZAF_CONTINUE_SELECT:
        ContinueDrag(x, y);
        break;
    case ZAF_END_SELECT:
        EndDrag();
        break;
    case ZAF_ALT_BEGIN_SELECT:
        ShowContextMenu(event);
        break;
    case ZAF_DOUBLE_SELECT:
        if (suppressDoublePress) {
            suppressDoublePress = 0;
            break;
        }
        SelectElementAt(x, y, element::kindText);
        if (selected || GraphMouseMode == modeText)
            EditTextAt(x, y);
        break;
    default:
        break;
    }
    // The text dialog or a menu pick may have closed the window.
    if (self.Deleted())
        return code;
    return ZafWindow::Event(event);
}

void GRAPHWIN::BeginPress(int x, int y)
{
    // The graph takes the keyboard first, so that Delete reaches it and
    // the focus change does not drop the selection made below.
    if (OSHandle() && GetFocus() != OSHandle())
        SetFocus(OSHandle());
    if (GraphMouseMode != modeMove)
        DropSelection();
    if (GraphMouseMode == modeMove) {
        if (SelectElementAt(x, y, 0)) {
            dragFlags = 0;
            GrabHandle(x, y);
            pressX = x;
            pressY = y;
            pressRect = selected->drag;
        }
    } else if (GraphMouseMode == modeZoom) {
        delete rubberBand;
        rubberBand = new DragRectangle;
        rubberBand->startX = rubberBand->currentX = x;
        rubberBand->startY = rubberBand->currentY = y;
        rubberBand->owner = this;
    }
    // The drag goes on when the pointer leaves the pane.
    if ((selected || rubberBand) && OSHandle()) {
        SetCapture(OSHandle());
        capturing = true;
    }
}

void GRAPHWIN::GrabHandle(int x, int y)
{
    // Texts are sized by their font, and a shape too small to hold its
    // handles apart keeps them for moving.
    const ElementRect &r = selected->drag;
    if (selected->kind == element::kindText || r.right - r.left <= 4 * handleTolerance ||
        r.bottom - r.top <= 4 * handleTolerance)
        return;
    const int midX = r.left + (r.right - r.left) / 2, midY = r.top + (r.bottom - r.top) / 2;
    const bool atRow = Near(y, r.top) || Near(y, r.bottom) || Near(y, midY);
    const bool atColumn = Near(x, r.left) || Near(x, r.right) || Near(x, midX);
    std::uint16_t edges = 0;
    if (Near(x, r.left) && atRow)
        edges |= dragLeft;
    if (Near(x, r.right) && atRow)
        edges |= dragRight;
    if (Near(y, r.top) && atColumn)
        edges |= dragTop;
    if (Near(y, r.bottom) && atColumn)
        edges |= dragBottom;
    if (edges)
        dragFlags = static_cast<std::uint16_t>(edges | dragResize);
}

namespace {

// How far a coordinate lies past the grid line at or before it (0 to
// grid - 1), so that a negative coordinate snaps leftwards or upwards as a
// positive one does.
int PastGridLine(int value, int grid)
{
    const int past = value % grid;
    return past < 0 ? past + grid : past;
}

} // namespace

ElementRect GRAPHWIN::DraggedRectangle(int x, int y, bool snapAllowed) const
{
    ElementRect r = selected->drag;
    const bool snap = snapAllowed && ProgramSettings::Instance()->SnapToGrid();
    // The clamped size: a stored 0 divided by zero here.
    const int grid = GraphSettings::GridSize();
    if (!(dragFlags & dragResize)) {
        r.left = x - dragOffsetX;
        r.bottom = y - dragOffsetY;
        r.right = r.left + (selected->device.right - selected->device.left);
        r.top = r.bottom - (selected->device.bottom - selected->device.top);
        if (snap) {
            const int dx = PastGridLine(r.left, grid), dy = PastGridLine(r.top, grid);
            r.left -= dx;
            r.right -= dx;
            r.top -= dy;
            r.bottom -= dy;
        }
        return r;
    }
    // A resize: each flagged edge follows the pointer, snapped on its own,
    // and never crosses the opposite edge.
    const int dx = x - pressX, dy = y - pressY;
    auto follow = [&](std::int32_t &edge, std::int32_t start, int delta) {
        edge = start + delta;
        if (snap)
            edge -= PastGridLine(edge, grid);
    };
    if (dragFlags & dragLeft)
        follow(r.left, pressRect.left, dx);
    if (dragFlags & dragRight)
        follow(r.right, pressRect.right, dx);
    if (dragFlags & dragTop)
        follow(r.top, pressRect.top, dy);
    if (dragFlags & dragBottom)
        follow(r.bottom, pressRect.bottom, dy);
    if (r.right <= r.left) {
        if (dragFlags & dragLeft)
            r.left = r.right - 1;
        else
            r.right = r.left + 1;
    }
    if (r.bottom <= r.top) {
        if (dragFlags & dragTop)
            r.top = r.bottom - 1;
        else
            r.bottom = r.top + 1;
    }
    return r;
}

void GRAPHWIN::ContinueDrag(int x, int y)
{
    if (rubberBand) {
        DragRectangle &band = *rubberBand;
        band.currentX = x;
        band.currentY = y;
        if (x == band.startX || y == band.startY)
            return;
        if (band.drawn.left != -1)
            DrawFocusMarks(band.drawn);
        band.drawn = ElementRect{std::min(band.startX, x), std::min(band.startY, y), std::max(band.startX, x),
                                 std::max(band.startY, y), ZAF_PIXEL};
        DrawFocusMarks(band.drawn);
        return;
    }
    if (!selected)
        return;
    if (GraphMouseMode != modeMove) {
        DropSelection();
        return;
    }
    DrawFocusMarks(selected->drag);
    selected->drag = DraggedRectangle(x, y);
    DrawFocusMarks(selected->drag);
}

void GRAPHWIN::EndDrag()
{
    if (capturing) {
        capturing = false;
        ReleaseCapture();
    }
    // Outside a map the zoom rectangle only shows while the button is held.
    if (rubberBand) {
        DrawFocusMarks(rubberBand->drawn);
        const ElementRect band{std::min(rubberBand->startX, rubberBand->currentX),
                               std::min(rubberBand->startY, rubberBand->currentY),
                               std::max(rubberBand->startX, rubberBand->currentX),
                               std::max(rubberBand->startY, rubberBand->currentY), 0};
        delete rubberBand;
        rubberBand = nullptr;
        ZoomDragEnded(band);
    }
    if (!selected)
        return;
    element *item = selected;
    ElementRect r = item->drag;
    if (item->kind == element::kindText) {
        const POINT shift = TextShift(*item);
        r = Shifted(r, POINT{-shift.x, -shift.y});
    }
    const bool resize = (dragFlags & dragResize) != 0;
    const bool moved = r.left != item->device.left || r.top != item->device.top || r.right != item->device.right ||
                       r.bottom != item->device.bottom;
    // A click that moved nothing keeps its element selected, so
    // that the Delete key can act on it; a drag ends the selection.
    if (!moved) {
        dragFlags = 0;
        return;
    }
    DropSelection();
    item->MoveTo(r.left, r.top);
    if (resize)
        item->SetSize(r.right - r.left + 1, r.bottom - r.top + 1);
    item->Changed();
    // A moved text is the user's: its place is carried into logical units
    // and it keeps it through a rebuild, as an edited text does.
    if (auto *text = dynamic_cast<TEKSTELEMENT *>(item)) {
        ElementToLogical(text);
        text->reference = text->logical;
        AddUserText(text);
    } else {
        shapesMoved = true;
    }
    SendRedisplay(this);
}

// --- Texts ---------------------------------------------------------------------------

void GRAPHWIN::EditTextAt(int x, int y)
{
    auto *text = dynamic_cast<TEKSTELEMENT *>(selected);
    if (selected && !text)
        return;
    DropSelection();
    std::unique_ptr<TEXT_DIALOG> dialog(TEXT_DIALOG::Open(x, y, text));
    if (!dialog)
        return;
    // Centred on this graph window, where the user clicked.
    if (zafWindowManager) {
        zafWindowManager->CenterObjectOn(dialog.get(), this);
        zafWindowManager->AddObject(dialog.get());
    }
    ZafTracker self(this);
    const ZafEventType code = dialog->Control();
    // The window, or the text in a rebuild, may have gone meanwhile.
    if (self.Deleted() || (text && !elements.Contains(text)))
        return;
    if (code == ZAF_DIALOG_OK) {
        const std::string entered = dialog->EnteredText();
        const bool made = text == nullptr;
        if (made) {
            int logicalX = x, logicalY = y;
            ToLogicalUnits(logicalX, logicalY);
            text = new TEKSTELEMENT(logicalX, logicalY, entered.c_str(), 0);
            // Its own identity: a built text of the same wording that a
            // later rebuild adds must not replace it.
            text->SetIdentity("user text");
        }
        text->SetText(entered.c_str());
        const int size = dialog->ChosenSize();
        text->SetFont(size > 0 ? size : text->FontSize(), dialog->ChosenStyle(text->StyleBits()));
        text->SetFontSize(text->FontSize());
        if (made)
            AddElement(text);
        text->Update();
        AddUserText(text);
        SendRedisplay(this);
    } else if (code == ZAF_DIALOG_DELETE && text) {
        // The dialog goes first: the question would stand behind it.
        dialog.reset();
        selected = text;
        DeleteSelectedText();
    }
}

void GRAPHWIN::DeleteSelectedText()
{
    auto *text = dynamic_cast<TEKSTELEMENT *>(selected);
    if (!text)
        return;
    // Copied: asking for the second text may free the first.
    const std::string title = StatText(deleteTitle, deleteGroup);
    const std::string question = StatText(deleteQuestion, deleteGroup);
    ZafTracker self(this);
    const int yes = ShowMessageDialog(title.c_str(), question.c_str(), nullptr, nullptr, messageAskQuestion);
    if (self.Deleted() || !yes || !elements.Contains(text))
        return;
    // The text leaves the user-text list and the selection with the
    // element, so that no later rebuild or focus mark reads freed memory.
    RemoveElement(text);
    delete text;
    SendRedisplay(this);
}

// --- Context menu --------------------------------------------------------------------

// The workbook's menu sends this window its save item's value.
static_assert(GRAPHWIN::saveMetafileEvent == WorkBook::saveGraphEvent, "one save-as-metafile event");

void GRAPHWIN::ShowContextMenu(const ZafEventRecord &event)
{
    if (event.type != ZAF_MOUSE_EVENT || !OSHandle() || !zafWindowManager)
        return;
    POINT p = event.position;
    ClientToScreen(OSHandle(), &p);
    const ZafRegionRect place(p.x - 20, p.y, p.x - 20, p.y, ZAF_PIXEL);
    WorkBook *book = BookOf(this);
    if (contextMenu) {
        if (contextMenu->Parent())
            zafWindowManager->SubtractObject(contextMenu);
        contextMenu->SetRegion(place);
    } else {
        contextMenu = new ZafPopUpMenu(place.left, place.top);
        contextMenu->SetCoordinateType(ZAF_PIXEL);
        if (book)
            book->FillGraphMenu(contextMenu, this);
        else
            FillContextMenu();
    }
    if (book)
        book->SetGraphMenuWindow(this);
    DropSelection();
    SetFocus(OSHandle());
    zafWindowManager->AddObject(contextMenu);
}

void GRAPHWIN::FillContextMenu()
{
    struct Item
    {
        int number, group;
        ZafEventType value;
    };
    // Print is the workbook's: outside one the item does nothing.
    static const Item items[] = {{18, 0, ZAF_COPY}, {9, 7, saveMetafileEvent}, {2, 1, WorkBook::printEvent}};
    int id = WorkBook::graphMenuFirstID;
    for (const Item &entry : items) {
        auto *item = new ZafPopUpItem(StatText(entry.number, entry.group));
        item->SetNumberID(static_cast<ZafNumberID>(id++));
        item->SetValue(entry.value);
        item->SetUserObject(this);
        item->SetUserFunction(ContextItemChosen);
        contextMenu->AddObject(item);
    }
}

ZafEventType GRAPHWIN::ContextItemChosen(ZafWindowObject *object, ZafEventRecord &, ZafEventType code)
{
    auto *item = dynamic_cast<ZafPopUpItem *>(object);
    auto *graph = item ? static_cast<GRAPHWIN *>(item->UserObject()) : nullptr;
    // The menu is the graph's own: the graph outlives its items.
    if (code == ZAF_SELECT && graph && item->Value() != WorkBook::printEvent)
        graph->Event(ZafEventRecord(static_cast<ZafEventType>(item->Value())));
    return code;
}
