// ZafSpinControl: construction, persistence, the field, stepping by key and
// by arrow click, the up-down control and the layout.
#include "zaf/controls/ZafSpinControl.h"

#include "zaf/core/ZafApplication.h"

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
            field->SetUserFunction(FieldFunction);
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
        object->SetUserFunction(FieldFunction);
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

ZafEventType ZafSpinControl::FieldFunction(ZafWindowObject *field, ZafEventRecord &event, ZafEventType code)
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

void ZafSpinControl::Layout()
{
    if (!osWindow)
        return;
    RECT client;
    GetClientRect(osWindow, &client);
    const int width = client.right, height = client.bottom;
    // Never narrower than a scroll bar's arrows, so that they can be seen
    // and hit.
    const int arrows = std::min(std::max(height * 3 / 4, GetSystemMetrics(SM_CXVSCROLL)), width / 2);
    if (ZafWindowObject *field = FirstChild()) {
        field->SetRegion(ZafRegionRect(0, 0, width - 1 - arrows, height - 1, ZAF_PIXEL));
        field->MoveOSWindow();
    }
    if (upDown) {
        MoveWindow(upDown, width - 1 - arrows, 0, arrows, height - 1, TRUE);
        UpdateWindow(upDown);
    }
}
