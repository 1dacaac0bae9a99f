// ZafButton: construction, persistence, events and setters. Drawing, layout
// and colours are in ZafButtonDraw.cpp, the built-in images in
// ZafButtonImages.cpp.
#include "zaf/controls/ZafButton.h"

#include "zaf/core/ZafApplication.h"
#include "zaf/core/ZafEventManager.h"
#include "zaf/core/ZafLatin1.h"
#include "zaf/core/ZafText.h"
#include "zaf/core/ZafTracker.h"
#include "zaf/core/ZafWindow.h"
#include "zaf/core/ZafWindowManager.h"
#include "zaf/core/ZafWindowPersistence.h"
#include "zaf/data/ZafBitmapData.h"
#include "zaf/data/ZafCodeSetData.h"
#include "zaf/data/ZafObjectPersistence.h"
#include "zaf/data/ZafPersistenceRegistry.h"
#include "zaf/data/ZafStringData.h"

#include <cstring>

namespace {

// The data objects are observed for the value kind and the one-shot kind
// (a message data's new hot key).
constexpr ZafUpdateType observedKinds = 3 | ZafNotification::oneShot;

// Unlinks the button from a data object and deletes the object when it is
// destroyable and nobody observes it any more.
template <class Data> void DropData(Data *&data, ZafElement *observer, ZafNotificationFunction function)
{
    Data *old = data;
    data = nullptr;
    if (!old)
        return;
    old->SubtractNotification(observer, function);
    if (old->Destroyable() && old->NotificationCount() == 0)
        delete old;
}

// A copy shares a data object that its owner keeps and gets its own of one
// the button would delete.
template <class Data> Data *CopyData(Data *data)
{
    if (!data || !data->Destroyable())
        return data;
    return static_cast<Data *>(data->Duplicate());
}

ZafWindow *ParentWindow(const ZafWindowObject *object)
{
    return dynamic_cast<ZafWindow *>(object->Parent());
}

// The position of a letter in a text, Latin-1 case folded; -1 when absent.
int LetterIndex(const char *text, char letter)
{
    if (!text || !letter)
        return -1;
    const unsigned char wanted = ToUpperLatin1(static_cast<unsigned char>(letter));
    for (int i = 0; text[i]; ++i)
        if (ToUpperLatin1(static_cast<unsigned char>(text[i])) == wanted)
            return i;
    return -1;
}

} // namespace

// --- Construction -------------------------------------------------------------------

ZafButton::ZafButton(int left, int top, int width, int height, const char *text, ZafBitmapData *bitmap, ButtonType type)
    : ZafWindowObject(left, top, width, height)
{
    Construct(type, bitmap);
    if (text)
        SetStringData(new ZafStringData(text));
}

ZafButton::ZafButton(int left, int top, int width, int height, ZafStringData *text, ZafBitmapData *bitmap,
                     ButtonType type)
    : ZafWindowObject(left, top, width, height)
{
    Construct(type, bitmap);
    if (text)
        SetStringData(text);
}

void ZafButton::Construct(ButtonType type, ZafBitmapData *bitmap)
{
    requestedRegion = region;
    requestedRegion.coordinateType = coordinateType;
    buttonType = type;
    depth = type == flatButton ? 0 : 2;
    BuiltInBitmap(imageCheck); // the shared images exist from the first button on
    if (bitmap)
        SetBitmapData(bitmap);
}

ZafButton::ZafButton(const ZafButton &copy)
    : ZafWindowObject(copy), value(copy.value), depth(copy.depth), allowDefault(copy.allowDefault),
      allowToggling(copy.allowToggling), autoRepeatSelection(copy.autoRepeatSelection), autoSize(copy.autoSize),
      buttonType(copy.buttonType), hotKeyChar(copy.hotKeyChar), hotKeyIndex(copy.hotKeyIndex),
      selectOnDoubleClick(copy.selectOnDoubleClick), selectOnDownClick(copy.selectOnDownClick),
      sendMessageWhenSelected(copy.sendMessageWhenSelected), hzJustify(copy.hzJustify), vtJustify(copy.vtJustify),
      requestedRegion(copy.requestedRegion)
{
    sendMessageText = DuplicateLibraryString(copy.sendMessageText);
    SetStringData(CopyData(copy.stringData));
    SetBitmapData(CopyData(copy.bitmapData));
    if (sendMessageWhenSelected)
        SetUserCallback(SendMessageCallback);
}

ZafButton::~ZafButton()
{
    BeginDeletion();
    // The window goes first, unbound, so that no message reaches a button
    // whose data is being dropped; the repeat timer goes with it.
    StopRepeatTimer();
    DestroyOSWindow();
    DropData(stringData, this, StringDataChanged);
    DropData(bitmapData, this, BitmapDataChanged);
    delete[] sendMessageText;
}

bool ZafButton::IsClassID(ZafClassID id) const
{
    if (id == classID)
        return true;
    if (id == checkBoxClassID)
        return buttonType == checkBox;
    if (id == radioButtonClassID)
        return buttonType == radioButton;
    return ZafWindowObject::IsClassID(id);
}

bool ZafButton::IsClassName(const char *name) const
{
    return ZafStringCompare(name, className) == 0 || ZafWindowObject::IsClassName(name);
}

// --- Persistence ----------------------------------------------------------------------

ZafButton::ZafButton(const char *name, ZafWindowPersistence &persistence)
    : ZafWindowObject(name, persistence.PushLevel(className, classID, ZafWindowPersistence::childEntry))
{
    Construct(pushButton, nullptr);
    if (persistence.Error() == 0)
        ReadFields(persistence);
    persistence.PopLevel();
    if (persistence.Error() != 0)
        SetError(static_cast<int>(persistence.Error()));
}

void ZafButton::ReadFields(ZafWindowPersistence &persistence)
{
    std::int32_t storedValue = 0, storedDepth = 0, storedIndex = -1;
    std::uint16_t flags = 0, justify = 0, hotKey = 0;
    char stringName[ZafWindowPersistence::maxNameLength + 1] = "";
    char bitmapName[ZafWindowPersistence::maxNameLength + 1] = "";
    char *messageText = nullptr;
    persistence.Read32(storedValue);
    persistence.Read32(storedDepth);
    persistence.Read16(flags);
    persistence.Read16(justify);
    persistence.Read16(hotKey);
    persistence.Read32(storedIndex);
    persistence.ReadStringInto(stringName, sizeof stringName);
    persistence.ReadStringInto(bitmapName, sizeof bitmapName);
    persistence.ReadString(&messageText);
    const unsigned type = flags >> 12;
    const unsigned hz = justify & 0x0F, vt = (justify >> 4) & 0x0F;
    if (persistence.Error() == 0 && (type > flatButton || hz > justifyCenter || vt > justifyCenter))
        persistence.SetError(16);
    if (persistence.Error() != 0) {
        delete[] messageText;
        return;
    }
    value = storedValue;
    buttonType = static_cast<ButtonType>(type);
    depth = buttonType == flatButton ? 0 : storedDepth;
    allowToggling = flags & storedAllowToggling;
    autoRepeatSelection = flags & storedAutoRepeat;
    autoSize = flags & storedAutoSize;
    selectOnDoubleClick = flags & storedSelectOnDoubleClick;
    selectOnDownClick = flags & storedSelectOnDownClick;
    allowDefault = flags & storedAllowDefault;
    hzJustify = static_cast<Justify>(hz);
    vtJustify = static_cast<Justify>(vt);
    hotKeyChar = static_cast<char>(hotKey & 0xFF);
    hotKeyIndex = storedIndex;
    sendMessageText = messageText;
    SetSendMessageWhenSelected(flags & storedSendMessage);

    // The data objects stand beside the record, each read by its own class.
    auto *dataPersistence = dynamic_cast<ZafDataPersistence *>(&persistence);
    if (!dataPersistence)
        return;
    if (stringName[0]) {
        auto *text = new ZafStringData(stringName, *dataPersistence);
        if (text->Error() == 0)
            SetStringData(text);
        else
            delete text;
    }
    if (bitmapName[0] && persistence.Error() == 0) {
        auto *bitmap = new ZafBitmapData(bitmapName, *dataPersistence);
        if (bitmap->Error() == 0)
            SetBitmapData(bitmap);
        else
            delete bitmap;
    }
}

ZafElement *ZafButton::New(const char *name, ZafWindowPersistence &persistence)
{
    return new ZafButton(name, persistence);
}

void ZafButton::Write(ZafWindowPersistence &persistence)
{
    persistence.PushLevel(className, classID, ZafWindowPersistence::childEntry);
    // The file keeps the region the caller asked for, not the one auto size
    // made of it.
    const ZafRegionRect working = region;
    region = requestedRegion;
    ZafWindowObject::Write(persistence);
    region = working;
    auto *dataPersistence = dynamic_cast<ZafDataPersistence *>(&persistence);
    if (persistence.Error() == 0) {
        std::uint16_t flags = static_cast<std::uint16_t>(buttonType << 12);
        flags |= allowToggling ? storedAllowToggling : 0;
        flags |= autoRepeatSelection ? storedAutoRepeat : 0;
        flags |= autoSize ? storedAutoSize : 0;
        flags |= selectOnDoubleClick ? storedSelectOnDoubleClick : 0;
        flags |= selectOnDownClick ? storedSelectOnDownClick : 0;
        flags |= sendMessageWhenSelected ? storedSendMessage : 0;
        flags |= allowDefault ? storedAllowDefault : 0;
        persistence.Write32(static_cast<std::int32_t>(value));
        persistence.Write32(static_cast<std::int32_t>(depth));
        persistence.Write16(flags);
        persistence.Write16(static_cast<std::uint16_t>(hzJustify | (vtJustify << 4)));
        persistence.Write16(static_cast<std::uint16_t>(static_cast<unsigned char>(hotKeyChar)));
        persistence.Write32(static_cast<std::int32_t>(hotKeyIndex));
        const bool dataWritable = dataPersistence != nullptr;
        persistence.WriteString(dataWritable && stringData ? stringData->StringID() : "");
        persistence.WriteString(dataWritable && bitmapData ? bitmapData->StringID() : "");
        persistence.WriteString(sendMessageText ? sendMessageText : "");
    }
    if (persistence.Error() == 0 && dataPersistence) {
        if (stringData)
            stringData->Write(*dataPersistence);
        if (bitmapData && persistence.Error() == 0)
            bitmapData->Write(*dataPersistence);
    }
    persistence.PopLevel();
}

void ZafButton::RegisterPersistence()
{
    ZafPersistenceRegistry::RegisterNew(className, ZafObjectNew<New>);
}

// --- Events ----------------------------------------------------------------------------

const ZafEventMap ZafButton::eventMap[] = {
    {ZAF_BEGIN_SELECT, ZAF_KEY_EVENT, VK_SPACE, ZAF_KEY_PRESS},
    {ZAF_END_SELECT, ZAF_KEY_EVENT, VK_SPACE, ZAF_KEY_RELEASE},
    {ZAF_NO_MAPPING, 0, 0, 0},
};

ZafEventType ZafButton::Event(const ZafEventRecord &event)
{
    switch (event.type) {
    case ZAF_OS_EVENT:
        return HandleOSMessage(event);
    case ZAF_HOT_KEY: {
        const auto character = static_cast<unsigned char>(event.value ? event.value : event.key.value);
        if (!hotKeyChar || ToUpperLatin1(character) != static_cast<unsigned char>(hotKeyChar) ||
            IsDisabledUpChain(true))
            return ZAF_UNKNOWN;
        SendSelf(ZAF_SELECT);
        return ZAF_HOT_KEY;
    }
    case ZAF_DEFAULT_BUTTON_CHANGED:
        if (!allowDefault || !HasFlag(flagOwnWindow) || !osWindow)
            return ZAF_UNKNOWN;
        if (HasFlag(flagSystemDrawn) && IsNativeDrawn() && IsPushType()) {
            const DWORD style = static_cast<DWORD>(GetWindowLongA(osWindow, GWL_STYLE));
            const DWORD kind = IsDefaultButton() ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
            SendMessageA(osWindow, BM_SETSTYLE, (style & ~0x0FUL) | kind, TRUE);
        } else {
            Redisplay();
        }
        return ZAF_DEFAULT_BUTTON_CHANGED;
    case ZAF_CURRENT:
    case ZAF_NOT_CURRENT: {
        const ZafEventType code = ZafWindowObject::Event(event);
        if (IsCheckType())
            return code;
        ZafWindow *window = ParentWindow(this);
        if (event.type == ZAF_CURRENT || !window || window->GetDefaultButton(true) != this)
            SendSelf(ZAF_DEFAULT_BUTTON_CHANGED);
        return code;
    }
    case ZAF_APPLY_GEOMETRY: {
        region = requestedRegion;
        const ZafEventType code = ZafWindowObject::Event(event);
        const ZafRegionRect placed = region;
        ApplyAutoSize();
        if (layoutMode && allowDefault) {
            ConvertRegion(region, ZAF_PIXEL);
            region = ZafRegionRect(region.left - 5, region.top - 5, region.right + 5, region.bottom + 5);
        }
        if (std::memcmp(&placed, &region, sizeof region) != 0)
            MoveOSWindow();
        return code;
    }
    case ZAF_SELECT:
    case ZAF_DOUBLE_SELECT:
        // The dispatcher may delete the button: the code is answered without it.
        Select(event, selectOnDoubleClick ? event.type : ZAF_SELECT);
        return event.type;
    default:
        return ZafWindowObject::Event(event);
    }
}

ZafEventType ZafButton::SendSelf(ZafEventType code)
{
    return Event(ZafEventRecord(code));
}

ZafEventType ZafButton::Select(const ZafEventRecord &event, ZafEventType code)
{
    if (allowToggling) {
        // Only a button that excludes its siblings (a radio button) stays
        // selected in a single-selection window; a check box still toggles.
        ZafWindow *window = ParentWindow(this);
        const bool keep =
            HasFlag(flagSelected) && window && window->SelectionMode() == 0 && window->SelectionExcludes(this);
        if (!keep)
            SetSelected(!HasFlag(flagSelected));
    }
    return userCallback(this, event, code);
}

ZafEventType ZafButton::SendMessageCallback(ZafWindowObject *object, const ZafEventRecord &event, ZafEventType code)
{
    auto *button = dynamic_cast<ZafButton *>(object);
    if (!button)
        return CallUserFunction(object, event, code);
    // Taken before the user function, which may delete the button: the
    // event then names a button that is gone, and SentButton finds none.
    const bool counts = code == ZAF_DOUBLE_SELECT || (code == ZAF_SELECT && !button->selectOnDoubleClick);
    ZafEventRecord sent(static_cast<ZafEventType>(button->value));
    sent.osEvent.lParam = static_cast<LPARAM>(button->EventHandle());
    char *text = counts ? DuplicateLibraryString(button->sendMessageText) : nullptr;
    const ZafEventType result = CallUserFunction(object, event, code);
    if (!counts)
        return result;
    sent.SetText(text);
    // A full queue refuses the event: its text is dropped with it.
    if (!zafEventManager || !zafEventManager->Put(sent, ZAF_QUEUE_TAIL))
        delete[] text;
    return result;
}

ZafButton *ZafButton::SentButton(const ZafEventRecord &event)
{
    return dynamic_cast<ZafButton *>(FromEventHandle(static_cast<std::intptr_t>(event.osEvent.lParam)));
}

void ZafButton::ReleaseSentEvent(ZafEventRecord &event)
{
    delete[] const_cast<char *>(event.Text());
    event.SetText(nullptr);
}

bool ZafButton::IsDefaultButton()
{
    if (focus)
        return true;
    ZafWindow *window = ParentWindow(this);
    return window && window->GetDefaultButton(true) == this && window->GetDefaultButton(false) == this;
}

void ZafButton::StartRepeatTimer(UINT delay)
{
    if (osWindow && SetTimer(osWindow, repeatTimerID, delay, nullptr))
        repeatTimerRunning = true;
}

void ZafButton::StopRepeatTimer()
{
    if (repeatTimerRunning && osWindow)
        KillTimer(osWindow, repeatTimerID);
    repeatTimerRunning = false;
}

void ZafButton::OSWindowDestroyed()
{
    // The window still exists at WM_NCDESTROY: its timer goes with it.
    StopRepeatTimer();
    ZafWindowObject::OSWindowDestroyed();
}

// --- Windows messages ------------------------------------------------------------------

ZafEventType ZafButton::HandleOSMessage(const ZafEventRecord &event)
{
    const MSG &m = event.osEvent;
    if (layoutMode && m.message >= WM_MOUSEFIRST && m.message <= WM_MOUSELAST) {
        ZafEventRecord mouse = event;
        mouse.type = ZAF_MOUSE_EVENT;
        ZafWindowObject::Event(mouse);
        return 0;
    }
    auto pushed = [&m] { return (SendMessageA(m.hwnd, BM_GETSTATE, 0, 0) & BST_PUSHED) != 0; };
    switch (m.message) {
    case WM_TIMER:
        if (m.wParam != repeatTimerID)
            break;
        if (autoRepeatSelection && pushed()) {
            StartRepeatTimer(repeatDelay);
            Select(ZafEventRecord(ZAF_SELECT), ZAF_SELECT);
        }
        return 0;
    case WM_PAINT:
        return static_cast<ZafEventType>(ZafCallClassWindowProc(event));
    case WM_ERASEBKGND:
        if (HasFlag(flagSystemDrawn) && IsNativeDrawn())
            return static_cast<ZafEventType>(ZafCallClassWindowProc(event));
        break;
    case WM_KEYDOWN:
        if (m.wParam == VK_RETURN) {
            if (IsDisabledUpChain(true))
                return 0;
            // In a window with a default button, Enter on a check box or
            // radio button goes on to the window, which presses that button.
            ZafWindow *window = ParentWindow(this);
            if (IsCheckType() && window && window->GetDefaultButton(true))
                break;
            return SendSelf(ZAF_SELECT);
        }
        if (m.wParam == VK_SPACE) {
            const auto result = static_cast<ZafEventType>(ZafCallClassWindowProc(event));
            const bool repeat = (m.lParam & (1L << 30)) != 0;
            // A button that selects on double click selects nothing on a
            // single press or click (here and below): its user function
            // would otherwise see a selection the user did not make.
            if (selectOnDoubleClick)
                return result;
            if ((!repeat && selectOnDownClick) || (repeat && autoRepeatSelection))
                Select(ZafEventRecord(ZAF_SELECT), ZAF_SELECT);
            return result;
        }
        break;
    case WM_KEYUP:
        if (m.wParam == VK_RETURN)
            return 0;
        if (m.wParam == VK_SPACE) {
            // The control is released before the selection, whose user
            // function may delete the button and its window.
            const auto result = static_cast<ZafEventType>(ZafCallClassWindowProc(event));
            if (!selectOnDownClick && !selectOnDoubleClick)
                Select(ZafEventRecord(ZAF_SELECT), ZAF_SELECT);
            return result;
        }
        break;
    case WM_MOUSEMOVE:
        if (HasFlag(flagNoFocus) && GetCapture() == m.hwnd && (m.wParam & MK_LBUTTON)) {
            RECT client;
            GetClientRect(m.hwnd, &client);
            const POINT point = {static_cast<short>(LOWORD(m.lParam)), static_cast<short>(HIWORD(m.lParam))};
            SendMessageA(m.hwnd, BM_SETSTATE, PtInRect(&client, point), 0);
            return 0;
        }
        break;
    case WM_LBUTTONDOWN: {
        ZafEventType result = 0;
        if (HasFlag(flagNoFocus)) {
            SetCapture(m.hwnd);
            SendMessageA(m.hwnd, BM_SETSTATE, TRUE, 0);
        } else {
            result = ZafWindowObject::HandleOSMessage(event);
        }
        if (autoRepeatSelection)
            StartRepeatTimer(repeatFirstDelay);
        if (selectOnDownClick && !selectOnDoubleClick)
            Select(ZafEventRecord(ZAF_SELECT), ZAF_SELECT);
        return result;
    }
    case WM_LBUTTONUP: {
        if (autoRepeatSelection)
            StopRepeatTimer();
        const bool wasPushed = pushed();
        ZafEventType result = 0;
        // Released before the selection, whose user function may delete the
        // button and its window.
        if (HasFlag(flagNoFocus)) {
            if (GetCapture() == m.hwnd)
                ReleaseCapture();
            SendMessageA(m.hwnd, BM_SETSTATE, FALSE, 0);
        } else {
            result = ZafWindowObject::HandleOSMessage(event);
        }
        if (!selectOnDownClick && !selectOnDoubleClick && wasPushed)
            Select(ZafEventRecord(ZAF_SELECT), ZAF_SELECT);
        return result;
    }
    case WM_LBUTTONDBLCLK: {
        // The press may select (select-on-down-click), and its user function
        // delete the button.
        ZafTracker tracker(this);
        SendMessageA(m.hwnd, WM_LBUTTONDOWN, m.wParam, m.lParam);
        if (!tracker.Deleted() && selectOnDoubleClick)
            Select(ZafEventRecord(ZAF_DOUBLE_SELECT), ZAF_DOUBLE_SELECT);
        return 0;
    }
    case WM_CAPTURECHANGED:
        // Capture lost without a release (another window took it, a modal
        // loop began): the repeat stops here too, not only on WM_LBUTTONUP.
        StopRepeatTimer();
        break;
    default:
        break;
    }
    return ZafWindowObject::HandleOSMessage(event);
}

ZafEventType ZafButton::HandleDrawItem(const ZafEventRecord &event, DRAWITEMSTRUCT &item)
{
    if (item.CtlType == ODT_BUTTON) {
        const bool before = depressed;
        depressed = (item.itemState & ODS_SELECTED) ? true : (allowToggling && !IsCheckType() && HasFlag(flagSelected));
        // A toggled button keeps its look while the mouse goes in and out.
        if (item.itemAction == ODA_SELECT && allowToggling && depressed == before)
            return TRUE;
    } else {
        if (IsPushType())
            depressed = (item.itemState & ODS_SELECTED) != 0;
        if (item.itemAction == ODA_SELECT)
            item.itemAction = ODA_DRAWENTIRE;
    }
    return ZafWindowObject::HandleDrawItem(event, item);
}

// --- Data ------------------------------------------------------------------------------

const char *ZafButton::Text()
{
    return stringData ? stringData->Text() : nullptr;
}

int ZafButton::SetText(const char *text)
{
    if (stringData)
        stringData->SetText(text);
    else
        SetStringData(new ZafStringData(text));
    return 0;
}

int ZafButton::SetStringData(ZafStringData *data)
{
    if (data == stringData)
        return 0;
    DropData(stringData, this, StringDataChanged);
    stringData = data;
    if (stringData) {
        stringData->AddNotification(this, StringDataChanged, observedKinds);
        if (auto *message = dynamic_cast<ZafMessageData *>(stringData))
            if (message->HotKey())
                SetHotKey(message->HotKey(), LetterIndex(message->Text(), message->HotKey()));
    }
    if (osWindow)
        RefreshText();
    return 0;
}

int ZafButton::SetBitmapData(ZafBitmapData *data)
{
    if (data == bitmapData)
        return 0;
    DropData(bitmapData, this, BitmapDataChanged);
    bitmapData = data;
    if (bitmapData)
        bitmapData->AddNotification(this, BitmapDataChanged, observedKinds);
    if (osWindow)
        Relayout();
    return 0;
}

int ZafButton::ClearStringData()
{
    DropData(stringData, this, StringDataChanged);
    // The Windows control shows its own caption: it is emptied too.
    if (osWindow) {
        RefreshText();
        SendSelf(ZAF_REDISPLAY_CHANGE);
    }
    return 0;
}

int ZafButton::ClearBitmapData()
{
    return bitmapData ? SetBitmapData(nullptr) : 0;
}

int ZafButton::StringDataChanged(ZafElement *observer, std::uint32_t kinds)
{
    auto *button = static_cast<ZafButton *>(observer);
    if (kinds & ZafNotification::valueChanged)
        button->RefreshText();
    if (kinds & ZafNotification::oneShot)
        if (auto *message = dynamic_cast<ZafMessageData *>(button->stringData))
            button->SetHotKey(message->HotKey(), LetterIndex(message->Text(), message->HotKey()));
    return (kinds & 1) ? 0 : 1;
}

int ZafButton::BitmapDataChanged(ZafElement *observer, std::uint32_t kinds)
{
    if (kinds & ZafNotification::valueChanged)
        static_cast<ZafButton *>(observer)->Relayout();
    return (kinds & 1) ? 0 : 1;
}

int ZafButton::Relayout()
{
    if (!osWindow)
        return 0;
    SendSelf(ZAF_APPLY_GEOMETRY);
    MoveOSWindow();
    SendSelf(ZAF_REDISPLAY);
    return 0;
}

// --- Region ----------------------------------------------------------------------------

void ZafButton::SetRegion(const ZafRegionRect &newRegion)
{
    region = newRegion;
    requestedRegion = newRegion;
}

void ZafButton::ConvertCoordinates(ZafCoordinateType type)
{
    ConvertRegion(requestedRegion, type);
    ZafWindowObject::ConvertCoordinates(type);
}

ZafCoordinateType ZafButton::SetCoordinateType(ZafCoordinateType type)
{
    if (osWindow)
        return coordinateType;
    ZafWindowObject::SetCoordinateType(type);
    requestedRegion.coordinateType = coordinateType;
    return coordinateType;
}

// --- Attributes ------------------------------------------------------------------------

bool ZafButton::SetAllowDefault(bool flag)
{
    return SetUnlessCreated(allowDefault, flag);
}

bool ZafButton::SetAllowToggling(bool flag)
{
    return SetUnlessCreated(allowToggling, flag);
}

bool ZafButton::SetAutoRepeatSelection(bool flag)
{
    return SetUnlessCreated(autoRepeatSelection, flag);
}

bool ZafButton::SetAutoSize(bool flag)
{
    return SetUnlessCreated(autoSize, flag);
}

ZafButton::ButtonType ZafButton::SetButtonType(ButtonType type)
{
    if (osWindow || type > flatButton || type == buttonType)
        return buttonType;
    buttonType = type;
    depth = IsPushType() ? 2 : 0;
    return buttonType;
}

int ZafButton::SetDepth(int newDepth)
{
    return SetUnlessCreated(depth, newDepth);
}

ZafButton::Justify ZafButton::SetHzJustify(Justify justify)
{
    return justify > justifyCenter ? hzJustify : SetUnlessCreated(hzJustify, justify);
}

ZafButton::Justify ZafButton::SetVtJustify(Justify justify)
{
    return justify > justifyCenter ? vtJustify : SetUnlessCreated(vtJustify, justify);
}

bool ZafButton::SetSelectOnDoubleClick(bool flag)
{
    return SetUnlessCreated(selectOnDoubleClick, flag);
}

bool ZafButton::SetSelectOnDownClick(bool flag)
{
    return SetUnlessCreated(selectOnDownClick, flag);
}

bool ZafButton::SetDepressed(bool flag)
{
    const bool changed = flag != depressed;
    depressed = flag;
    if (changed && osWindow && !HasFlag(flagSelected))
        Draw(ZafEventRecord(ZAF_REDISPLAY), ZAF_REDISPLAY);
    return depressed;
}

char ZafButton::SetHotKey(char character, int index)
{
    hotKeyChar = static_cast<char>(ToUpperLatin1(static_cast<unsigned char>(character)));
    hotKeyIndex = index;
    return hotKeyChar;
}

const char *ZafButton::SetSendMessageText(const char *text)
{
    delete[] sendMessageText;
    sendMessageText = DuplicateLibraryString(text);
    return sendMessageText;
}

bool ZafButton::SetSendMessageWhenSelected(bool flag)
{
    sendMessageWhenSelected = flag;
    SetUserCallback(flag ? SendMessageCallback : nullptr);
    return sendMessageWhenSelected;
}

bool ZafButton::SetNoClassPalette(bool flag)
{
    // Push buttons always take the button colours.
    if (IsPushType())
        return SetFlagTo(flagNoClassPalette, false);
    return ZafWindowObject::SetNoClassPalette(flag);
}

bool ZafButton::SetSelected(bool flag)
{
    if (flag != HasFlag(flagSelected))
        ZafWindowObject::SetSelected(flag);
    if (!osWindow || !HasFlag(flagOwnWindow))
        return HasFlag(flagSelected);
    if (IsCheckType()) {
        SendMessageA(osWindow, BM_SETCHECK, HasFlag(flagSelected) ? BST_CHECKED : BST_UNCHECKED, 0);
        if (!(HasFlag(flagSystemDrawn) && IsNativeDrawn()))
            Draw(ZafEventRecord(ZAF_SELECT), ZAF_SELECT);
    } else if (allowToggling && depressed != HasFlag(flagSelected)) {
        depressed = HasFlag(flagSelected);
        Draw(ZafEventRecord(ZAF_SELECT), ZAF_SELECT);
    }
    return HasFlag(flagSelected);
}

// --- Drag and drop ---------------------------------------------------------------------

ZafEventType ZafButton::DragDropEvent(const ZafEventRecord &event)
{
    ZafWindowObject *source = zafWindowManager ? zafWindowManager->DragObject() : nullptr;
    switch (event.type) {
    case ZAF_DROP_QUERY:
        if (source && source->IsMoveDraggable())
            return ZAF_DROP_MOVE;
        return source && source->IsCopyDraggable() ? ZAF_DROP_COPY : ZAF_REFUSED;
    case ZAF_DROP_MOVE:
    case ZAF_DROP_COPY: {
        if (!source || source == this || IsDisabledUpChain(true) || !HasFlag(flagAcceptDrop))
            return ZAF_REFUSED;
        auto *button = dynamic_cast<ZafButton *>(source);
        if (!button)
            return ZafWindowObject::DragDropEvent(event);
        // Images go only between buttons that show their own.
        if (button->bitmapData != bitmapData && !button->IsCheckType() && !IsCheckType())
            SetBitmapData(CopyData(button->bitmapData));
        if (ZafStringCompare(button->Text(), Text()) != 0)
            SetText(button->Text());
        return event.type;
    }
    default:
        return ZafWindowObject::DragDropEvent(event);
    }
}
