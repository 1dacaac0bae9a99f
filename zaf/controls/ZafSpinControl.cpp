// ZafSpinControl: construction, persistence, the field, stepping by key and
// by arrow click, the up-down control and the layout.
#include "zaf/controls/ZafSpinControl.h"

#include "zaf/core/ZafApplication.h"
#include "zaf/core/ZafEventManager.h"
#include "zaf/core/ZafGdiDisplay.h"

#include "zaf/controls/ZafString.h"
#include "zaf/core/ZafWindowPersistence.h"
#include "zaf/data/ZafData.h"
#include "zaf/data/ZafIntegerData.h"
#include "zaf/data/ZafRealData.h"

#include <algorithm>
#include "zaf/data/ZafObjectPersistence.h"
#include "zaf/data/ZafPersistenceRegistry.h"

#include <commctrl.h>

#include <cstring>

namespace {

// A step data is the spin control's to delete when it is destroyable and
// nobody else watches it.
void Release(ZafData *data)
{
    if (data && data->Destroyable() && data->NotificationCount() == 0)
        delete data;
}

// The read function of a step data class: the persistence's table first,
// then the number data the fields step by. The table alone is not enough: a
// program that reads its UI data file before its data start-up (the file's
// own generator) has no read functions entered there, and the program's
// table lists no real data at all, so a step read through it alone would be
// lost.
ZafReadFunction StepReadFunction(const ZafDataPersistence &persistence, ZafClassID stepClass)
{
    if (ZafReadFunction make = persistence.GetDataConstructor(stepClass, nullptr))
        return make;
    switch (stepClass) {
    case ZafIntegerData::classID:
        return ZafIntegerData::New;
    case ZafRealData::classID:
        return ZafRealData::New;
    default:
        return nullptr;
    }
}

} // namespace

// --- Construction ----------------------------------------------------------------

ZafSpinControl::ZafSpinControl(int left, int top, int width, int height) : ZafWindow(left, top, width, height)
{
    Construct();
}

ZafSpinControl::ZafSpinControl(const ZafSpinControl &copy) : ZafWindow(copy), readOnly(copy.readOnly), wrap(copy.wrap)
{
    Construct();
    if (copy.stepData)
        stepData = copy.stepData->Destroyable() ? copy.stepData->Duplicate() : copy.stepData;
}

void ZafSpinControl::Construct()
{
    SetFlagTo(flagDestroyable, SetFlagTo(flagMoveable, SetFlagTo(flagSizeable, SetFlagTo(flagTemporary, false))));
    SetFlagTo(flagMaximized, SetFlagTo(flagMinimized, SetFlagTo(flagModal, false)));
}

ZafSpinControl::~ZafSpinControl()
{
    DestroyOSWindow();
    ZafData *old = stepData;
    stepData = nullptr;
    Release(old);
}

bool ZafSpinControl::IsClassID(ZafClassID id) const
{
    return id == classID || ZafWindow::IsClassID(id);
}

bool ZafSpinControl::IsClassName(const char *name) const
{
    return (name && std::strcmp(name, className) == 0) || ZafWindow::IsClassName(name);
}

// --- Persistence -------------------------------------------------------------------

ZafSpinControl::ZafSpinControl(const char *name, ZafWindowPersistence &persistence)
    : ZafWindow(name, persistence.PushLevel(className, classID, ZafWindowPersistence::childEntry))
{
    Construct();
    if (persistence.Error() == 0)
        ReadFields(persistence);
    persistence.PopLevel();
    if (persistence.Error() != 0)
        SetError(static_cast<int>(persistence.Error()));
    // The field was added as it was read; it reports through this control.
    if (ZafWindowObject *field = FirstChild())
        if (!field->UserFunction())
            field->SetUserFunction(FieldCallback);
}

void ZafSpinControl::ReadFields(ZafWindowPersistence &persistence)
{
    std::uint16_t flags = 0, stepClass = 0;
    char name[ZafWindowPersistence::maxNameLength + 1] = "";
    persistence.Read16(flags);
    persistence.Read16(stepClass);
    persistence.ReadStringInto(name, sizeof name);
    if (persistence.Error() != 0)
        return;
    readOnly = flags & storedReadOnly;
    wrap = flags & storedWrap;
    auto *data = dynamic_cast<ZafDataPersistence *>(&persistence);
    if (!stepClass || !*name || !data)
        return;
    // A class that neither the persistence nor the spin control can make
    // leaves the spin control without step data: its field then does not
    // step.
    const ZafReadFunction make = StepReadFunction(*data, stepClass);
    if (!make)
        return;
    ZafElement *element = make(name, *data);
    auto *read = dynamic_cast<ZafData *>(element);
    if (!read || read->Error() != 0) {
        delete element;
        return;
    }
    SetStepData(read);
}

ZafElement *ZafSpinControl::New(const char *name, ZafWindowPersistence &persistence)
{
    return new ZafSpinControl(name, persistence);
}

void ZafSpinControl::RegisterPersistence()
{
    ZafPersistenceRegistry::RegisterNew(className, ZafObjectNew<New>);
}

void ZafSpinControl::Write(ZafWindowPersistence &persistence)
{
    persistence.PushLevel(className, classID, ZafWindowPersistence::childEntry);
    ZafWindow::Write(persistence);
    if (persistence.Error() == 0) {
        if (stepData && !stepData->StringID())
            stepData->SetStringID(ZafData::MakeDefaultName());
        persistence.Write16(static_cast<std::uint16_t>((wrap ? storedWrap : 0) | (readOnly ? storedReadOnly : 0)));
        persistence.Write16(static_cast<std::uint16_t>(stepData ? stepData->ClassID() : 0));
        persistence.WriteString(stepData ? stepData->StringID() : "");
        auto *data = dynamic_cast<ZafDataPersistence *>(&persistence);
        if (stepData && data && persistence.Error() == 0)
            stepData->Write(*data);
    }
    persistence.PopLevel();
    if (persistence.Error() != 0)
        SetError(static_cast<int>(persistence.Error()));
}

// --- The field -----------------------------------------------------------------------

ZafString *ZafSpinControl::Field() const
{
    return dynamic_cast<ZafString *>(FirstChild());
}

ZafWindowObject *ZafSpinControl::AddObject(ZafWindowObject *object, ZafWindowObject *before)
{
    if (osWindow || !object)
        return FirstChild();
    if (ZafWindowObject *old = FirstChild()) {
        if (old == object)
            return old;
        ZafWindow::SubtractObject(old);
        delete old;
    }
    if (!object->UserFunction())
        object->SetUserFunction(FieldCallback);
    object->SetNoClassPalette(true);
    object->SetBordered(HasFlag(flagBordered));
    if (auto *field = dynamic_cast<ZafString *>(object))
        field->SetReadOnly(readOnly);
    return ZafWindow::AddObject(object, before);
}

ZafWindowObject *ZafSpinControl::SubtractObject(ZafWindowObject *object)
{
    if (osWindow)
        return FirstChild();
    return ZafWindow::SubtractObject(object);
}

const char *ZafSpinControl::Text()
{
    ZafWindowObject *field = FirstChild();
    return field ? field->Text() : nullptr;
}

int ZafSpinControl::SetText(const char *text)
{
    if (ZafWindowObject *field = FirstChild())
        field->SetText(text);
    return 0;
}

const char *ZafSpinControl::SetHelpContext(const char *text)
{
    const char *kept = ZafWindow::SetHelpContext(text);
    if (ZafWindowObject *field = FirstChild())
        field->SetHelpContext(kept);
    return kept;
}

const char *ZafSpinControl::SetTipText(const char *text)
{
    const char *kept = ZafWindow::SetTipText(text);
    if (ZafWindowObject *field = FirstChild())
        field->SetTipText(kept);
    return kept;
}

const char *ZafSpinControl::SetSecondTipText(const char *text)
{
    const char *kept = ZafWindow::SetSecondTipText(text);
    if (ZafWindowObject *field = FirstChild())
        field->SetSecondTipText(kept);
    return kept;
}

bool ZafSpinControl::SetNoFocus(bool flag)
{
    const bool kept = ZafWindow::SetNoFocus(flag);
    if (ZafWindowObject *field = FirstChild())
        field->SetNoFocus(kept);
    return kept;
}

bool ZafSpinControl::SetOwnWindow(bool flag)
{
    const bool kept = ZafWindow::SetOwnWindow(flag);
    if (ZafWindowObject *field = FirstChild())
        field->SetOwnWindow(kept);
    return kept;
}

bool ZafSpinControl::SetBordered(bool flag)
{
    if (ZafWindowObject *field = FirstChild())
        flag = field->SetBordered(flag);
    return ZafWindow::SetBordered(flag);
}

bool ZafSpinControl::SetChanged(bool flag)
{
    if (ZafWindowObject *field = FirstChild())
        flag = field->SetChanged(flag);
    return ZafWindow::SetChanged(flag);
}

bool ZafSpinControl::Changed() const
{
    const ZafWindowObject *field = FirstChild();
    return field ? field->Changed() : ZafWindow::Changed();
}

bool ZafSpinControl::SetCopyDraggable(bool flag)
{
    if (ZafWindowObject *field = FirstChild())
        flag = field->SetCopyDraggable(flag);
    return ZafWindow::SetCopyDraggable(flag);
}

bool ZafSpinControl::SetSecondDragFlag(bool flag)
{
    if (ZafWindowObject *field = FirstChild())
        flag = field->SetSecondDragFlag(flag);
    return ZafWindow::SetSecondDragFlag(flag);
}

bool ZafSpinControl::SetMoveDraggable(bool flag)
{
    if (ZafWindowObject *field = FirstChild())
        flag = field->SetMoveDraggable(flag);
    return ZafWindow::SetMoveDraggable(flag);
}

ZafEventType ZafSpinControl::FieldCallback(ZafWindowObject *field, ZafEventRecord &event, ZafEventType code)
{
    auto *spin = dynamic_cast<ZafSpinControl *>(field->Parent());
    if (code == ZAF_SELECT && spin)
        spin->UserCallback()(spin, event, ZAF_SELECT);
    return 0;
}

int ZafSpinControl::SetStepData(ZafData *data)
{
    if (data != stepData) {
        ZafData *old = stepData;
        stepData = data;
        Release(old);
    }
    return 0;
}

bool ZafSpinControl::SetReadOnly(bool flag)
{
    if (!osWindow) {
        readOnly = flag;
        if (ZafString *field = Field())
            field->SetReadOnly(flag);
    }
    return readOnly;
}

// --- Events --------------------------------------------------------------------------

int ZafSpinControl::Step(bool up, const ZafEventRecord &event)
{
    ZafString *field = Field();
    if (!field || readOnly || IsDisabledUpChain(true))
        return 1;
    if (up)
        field->Increment(stepData, wrap);
    else
        field->Decrement(stepData, wrap);
    // The user function may delete this control: nothing touches it after.
    userCallback(this, event, ZAF_SELECT);
    return 0;
}

ZafEventType ZafSpinControl::Event(const ZafEventRecord &event)
{
    switch (event.type) {
    case ZAF_KEY_EVENT:
        // Up and Down typed in the field come here: the field does not
        // consume them and its window has not seen them yet.
        if (event.osEvent.message == WM_KEYDOWN && (event.osEvent.wParam == VK_UP || event.osEvent.wParam == VK_DOWN)) {
            Step(event.osEvent.wParam == VK_UP, event);
            return 0;
        }
        return ZafWindow::Event(event);
    case ZAF_CREATE:
    case ZAF_CREATE_OS_WINDOW: {
        const ZafEventType result = ZafWindow::Event(event);
        if (ZafWindowObject *field = FirstChild())
            field->SetNoClassPalette(true);
        if (upDown && reinterpret_cast<WNDPROC>(GetWindowLongA(upDown, GWL_WNDPROC)) != UpDownProcedure)
            SetWindowLongA(upDown, GWL_WNDPROC, reinterpret_cast<LONG>(UpDownProcedure));
        Layout();
        return result;
    }
    case ZAF_REGION_CHANGED:
        Layout();
        return event.type;
    default:
        return ZafWindow::Event(event);
    }
}

ZafEventType ZafSpinControl::HandleOSMessage(const ZafEventRecord &event)
{
    const MSG &m = event.osEvent;
    switch (m.message) {
    case WM_VSCROLL:
        if (!upDown || reinterpret_cast<HWND>(m.lParam) != upDown)
            break;
        // One click arrives as SB_THUMBPOSITION and then SB_ENDSCROLL: it
        // steps once, on the first.
        if (LOWORD(m.wParam) != SB_THUMBPOSITION)
            return 0;
        if (IsDisabledUpChain(true))
            return 0;
        if (!IsNoFocusUpChain())
            if (ZafWindowObject *field = FirstChild())
                field->SetFocus(true);
        {
            const int position = static_cast<short>(HIWORD(m.wParam));
            SendMessageA(upDown, UDM_SETPOS, 0, MAKELPARAM(arrowRest, 0));
            if (position != arrowRest)
                Step(position > arrowRest, event);
        }
        return 0;
    case WM_CTLCOLOREDIT:
        if (ZafWindowObject *field = FirstChild())
            return field->HandleOSMessage(event);
        break;
    default:
        break;
    }
    return ZafWindow::HandleOSMessage(event);
}

LRESULT CALLBACK ZafSpinControl::UpDownProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto own = reinterpret_cast<WNDPROC>(GetClassLongA(window, GCL_WNDPROC));
    auto *spin = dynamic_cast<ZafSpinControl *>(ZafObjectFromHandle(GetParent(window)));
    if (!spin || spin->upDown != window || message < WM_MOUSEFIRST || message > WM_MOUSELAST)
        return CallWindowProcA(own, window, message, wParam, lParam);
    // The event names the up-down control's window, so that what the spin
    // control does not take reaches the control's own procedure.
    MSG m = {window, message, wParam, lParam, static_cast<DWORD>(GetMessageTime()), {0, 0}};
    ZafEventRecord event;
    ZafTranslateOSMessage(m, event);
    return static_cast<LRESULT>(spin->Event(event));
}

// --- Windows window ------------------------------------------------------------------

HWND ZafSpinControl::CreateOSWindow()
{
    HWND window = ZafWindow::CreateOSWindow();
    if (!window || upDown)
        return window;
    DWORD style = WS_CHILD | WS_VISIBLE;
    if (IsDisabledUpChain(true))
        style |= WS_DISABLED;
    upDown = CreateWindowExA(0, UPDOWN_CLASSA, nullptr, style, 0, 0, 0, 0, window, nullptr, ZafInstance(), nullptr);
    if (upDown) {
        SendMessageA(upDown, UDM_SETRANGE, 0, MAKELPARAM(arrowUp, arrowDown));
        SendMessageA(upDown, UDM_SETPOS, 0, MAKELPARAM(arrowRest, 0));
    }
    return window;
}

bool ZafSpinControl::SetDisabled(bool flag)
{
    const bool result = ZafWindow::SetDisabled(flag);
    if (upDown)
        EnableWindow(upDown, !IsDisabledUpChain(true));
    return result;
}

int ZafSpinControl::MinimumPixelHeight() const
{
    const ZafWindowObject *field = FirstChild();
    if (!field)
        return 0;
    const int edge = zaf3DLook ? GetSystemMetrics(SM_CYEDGE) : GetSystemMetrics(SM_CYBORDER);
    return field->TextLinePixelHeight() + (Bordered() ? 2 * edge : 0) + (field->Bordered() ? 2 * edge : 0);
}

void ZafSpinControl::OSWindowDestroyed()
{
    // Windows destroys the up-down control with its parent.
    upDown = nullptr;
    ZafWindow::OSWindowDestroyed();
}

int ZafSpinControl::ArrowWidth(int width, int height)
{
    // Three quarters of the height; never wider than the control, so that
    // the field's region is never turned inside out.
    return std::min(height * 3 / 4, std::max(0, width - 1));
}

void ZafSpinControl::Layout()
{
    if (!osWindow)
        return;
    RECT client;
    GetClientRect(osWindow, &client);
    const int width = client.right, height = client.bottom;
    const int arrows = ArrowWidth(width, height);
    if (ZafWindowObject *field = FirstChild()) {
        field->SetRegion(ZafRegionRect(0, 0, width - 1 - arrows, height - 1, ZAF_PIXEL));
        field->MoveOSWindow();
    }
    if (upDown) {
        MoveWindow(upDown, width - 1 - arrows, 0, arrows, height - 1, TRUE);
        UpdateWindow(upDown);
    }
}

// --- Drawing -------------------------------------------------------------------------

ZafEventType ZafSpinControl::Draw(const ZafEventRecord &event, ZafEventType code)
{
    // With its own window the up-down control shows the arrows.
    if (osWindow)
        return ZafWindow::Draw(event, code);
    if (code == ZAF_CURRENT || code == ZAF_NOT_CURRENT)
        return code;
    ZafGdiDisplay *display = ZafScreenGdiDisplay();
    {
        ZafDrawPass pass(*this);
        const ZafRegionRect area = pass.Area();
        HDC dc = display ? display->CurrentDC() : nullptr;
        if (!dc)
            return code;
        const int arrows = ArrowWidth(area.Width(), area.Height());
        const int left = area.right + 1 - arrows, middle = area.top + area.Height() / 2;
        const COLORREF mark = GetSysColor(IsDisabledUpChain(true) ? COLOR_GRAYTEXT : COLOR_BTNTEXT);
        for (bool up : {true, false}) {
            ZafRegionRect half(left, up ? area.top : middle, area.right, up ? middle - 1 : area.bottom, ZAF_PIXEL);
            DrawEdges(half, 2, ZAF_REDISPLAY);
            display->Rectangle(half.left, half.top, half.right, half.bottom, GetSysColor(COLOR_BTNFACE), true);
            // A triangle as wide as half the box, centred in the half.
            const int cx = (half.left + half.right) / 2, cy = (half.top + half.bottom) / 2;
            const int reach = std::max(1, std::min(half.Width(), half.Height() * 2) / 4);
            const int tip = up ? cy - reach / 2 : cy + reach / 2, base = up ? tip + reach : tip - reach;
            POINT corners[3] = {{cx, tip}, {cx - reach, base}, {cx + reach, base}};
            HBRUSH brush = CreateSolidBrush(mark);
            HPEN pen = CreatePen(PS_SOLID, 1, mark);
            HGDIOBJ oldBrush = SelectObject(dc, brush), oldPen = SelectObject(dc, pen);
            Polygon(dc, corners, 3);
            SelectObject(dc, oldBrush);
            SelectObject(dc, oldPen);
            DeleteObject(brush);
            DeleteObject(pen);
        }
    }
    // The rest, left of the arrows, as a plain object.
    const ZafRegionRect whole = region;
    ZafRegionRect rest = whole;
    ConvertRegion(rest, ZAF_PIXEL);
    rest.right -= ArrowWidth(rest.Width(), rest.Height());
    ConvertRegion(rest, whole.coordinateType);
    region = rest;
    ZafWindowObject::Draw(event, code);
    region = whole;
    return code;
}

void ZafSpinControl::ResolveSystemColors(ZafPaletteStruct &entry, std::uint16_t type, std::uint16_t state) const
{
    if (type != ZAF_PM_BACKGROUND) {
        ZafWindow::ResolveSystemColors(entry, type, state);
        return;
    }
    const auto window = static_cast<std::int32_t>(GetSysColor(COLOR_WINDOW));
    if (entry.colorForeground == ZAF_CLR_SYSTEM && entry.osColorForeground == -1)
        entry.osColorForeground = window;
    if (entry.colorBackground == ZAF_CLR_SYSTEM && entry.osColorBackground == -1)
        entry.osColorBackground = window;
}
