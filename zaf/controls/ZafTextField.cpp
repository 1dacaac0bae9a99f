// ZafText: construction, persistence, events, the text flow between the
// multi-line EDIT control and the data, word wrap and the caret.
#include "zaf/controls/ZafTextField.h"

#include "zaf/controls/ZafString.h"
#include "zaf/core/ZafApplication.h"
#include "zaf/core/ZafGdiDisplay.h"
#include "zaf/core/ZafText.h"
#include "zaf/core/ZafTracker.h"
#include "zaf/core/ZafWindowPersistence.h"
#include "zaf/data/ZafObjectPersistence.h"
#include "zaf/data/ZafPersistenceRegistry.h"
#include "zaf/data/ZafStringData.h"

#include <algorithm>
#include <memory>
#include <string>

namespace {

constexpr ZafUpdateType observedKinds = 3;
// The update kind that asks the field to take the control's text.
constexpr ZafUpdateType readControlKind = 1;

// Vertical lists and combo boxes answer this class id.
constexpr ZafClassID listFamilyID = 1001;

std::string TextOf(const ZafStringData *data)
{
    return data && data->Text() ? data->Text() : "";
}

} // namespace

// --- Construction ----------------------------------------------------------------

ZafText::ZafText(int left, int top, int width, int height, const char *text, int maxLength)
    : ZafWindow(left, top, width, height)
{
    Construct(new ZafStringData(text ? text : "", maxLength));
}

ZafText::ZafText(int left, int top, int width, int height, ZafStringData *data) : ZafWindow(left, top, width, height)
{
    Construct(data);
}

void ZafText::Construct(ZafStringData *data)
{
    SetFlagTo(flagBordered, true);
    SetFlagTo(flagDestroyable, SetFlagTo(flagMoveable, SetFlagTo(flagSizeable, false)));
    SetStringData(data);
}

ZafText::ZafText(const ZafText &copy)
    : ZafWindow(copy), selectAllOnFocus(copy.selectAllOnFocus), invalid(copy.invalid), unanswered(copy.unanswered),
      readOnly(copy.readOnly), wordWrap(copy.wordWrap), hzJustify(copy.hzJustify)
{
    SetFlagTo(flagDestroyable, SetFlagTo(flagMoveable, SetFlagTo(flagSizeable, false)));
    ZafStringData *data = copy.stringData;
    SetStringData(data && data->Destroyable() ? static_cast<ZafStringData *>(data->Duplicate()) : data);
}

ZafText::~ZafText()
{
    // The control goes first: its last messages must not reach a field
    // without data.
    DestroyOSWindow();
    if (stringData)
        stringData->SubtractNotification(this, DataChanged);
    DropData(stringData);
}

void ZafText::DropData(ZafData *data)
{
    if (data && data->Destroyable() && data->NotificationCount() == 0)
        delete data;
}

bool ZafText::IsClassID(ZafClassID id) const
{
    return id == classID || ZafWindow::IsClassID(id);
}

bool ZafText::IsClassName(const char *name) const
{
    return ZafStringCompare(name, className) == 0 || ZafWindow::IsClassName(name);
}

// --- Persistence -------------------------------------------------------------------

ZafText::ZafText(const char *name, ZafWindowPersistence &persistence)
    : ZafWindow(name, persistence.PushLevel(className, classID, ZafWindowPersistence::childEntry))
{
    SetFlagTo(flagDestroyable, SetFlagTo(flagMoveable, SetFlagTo(flagSizeable, false)));
    std::uint16_t flags = storedWordWrap;
    std::uint16_t justification = 0;
    char dataName[ZafWindowPersistence::maxNameLength + 1] = "";
    if (persistence.Error() == 0) {
        persistence.Read16(flags);
        persistence.Read16(justification);
        persistence.ReadStringInto(dataName, sizeof dataName);
    }
    ZafStringData *data = nullptr;
    if (persistence.Error() == 0) {
        selectAllOnFocus = flags & storedSelectAllOnFocus;
        invalid = flags & storedInvalid;
        unanswered = flags & storedUnanswered;
        readOnly = flags & storedReadOnly;
        wordWrap = flags & storedWordWrap;
        hzJustify = justification & 0x0F;
        if (hzJustify > justifyCenter)
            hzJustify = justifyLeft;
        auto *dataPersistence = dynamic_cast<ZafDataPersistence *>(&persistence);
        if (dataPersistence && dataName[0]) {
            data = new ZafStringData(dataName, *dataPersistence);
            if (data->Error() != 0 || persistence.Error() != 0) {
                delete data;
                data = nullptr;
            }
        }
    }
    SetStringData(data);
    persistence.PopLevel();
    if (persistence.Error() != 0)
        SetError(static_cast<int>(persistence.Error()));
}

ZafElement *ZafText::New(const char *name, ZafWindowPersistence &persistence)
{
    return new ZafText(name, persistence);
}

void ZafText::RegisterPersistence()
{
    ZafPersistenceRegistry::RegisterNew(className, ZafObjectNew<New>);
}

void ZafText::Write(ZafWindowPersistence &persistence)
{
    GetTextFromControl();
    persistence.PushLevel(className, classID, ZafWindowPersistence::childEntry);
    ZafWindow::Write(persistence);
    if (persistence.Error() == 0) {
        std::uint16_t flags = 0;
        const std::pair<bool, StoredFlag> bits[] = {{selectAllOnFocus, storedSelectAllOnFocus},
                                                    {invalid, storedInvalid},
                                                    {unanswered, storedUnanswered},
                                                    {readOnly, storedReadOnly},
                                                    {wordWrap, storedWordWrap}};
        for (const auto &bit : bits)
            if (bit.first)
                flags |= bit.second;
        if (!stringData->StringID())
            stringData->SetStringID(ZafData::MakeDefaultName());
        persistence.Write16(flags);
        persistence.Write16(static_cast<std::uint16_t>(hzJustify & 0x0F));
        persistence.WriteString(stringData->StringID());
        if (auto *dataPersistence = dynamic_cast<ZafDataPersistence *>(&persistence))
            stringData->Write(*dataPersistence);
    }
    persistence.PopLevel();
    if (persistence.Error() != 0)
        SetError(static_cast<int>(persistence.Error()));
}

// --- Events ------------------------------------------------------------------------

// The string field's editing keys without Enter: Enter is a line break here.
const ZafEventMap ZafText::eventMap[] = {
    {ZafString::keyDeleteBack, ZAF_KEY_EVENT, VK_BACK, ZAF_KEY_PRESS},
    {ZafString::keyLineStart, ZAF_KEY_EVENT, VK_HOME, ZAF_KEY_PRESS},
    {ZafString::keyLineStart, ZAF_KEY_EVENT, VK_PRIOR, ZAF_KEY_PRESS},
    {ZafString::keyCopy, ZAF_KEY_EVENT, VK_INSERT, ZAF_KEY_PRESS + ZAF_KEY_CTRL},
    {ZafString::keyCut, ZAF_KEY_EVENT, VK_DELETE, ZAF_KEY_PRESS + ZAF_KEY_SHIFT},
    {ZafString::keyDelete, ZAF_KEY_EVENT, VK_DELETE, ZAF_KEY_PRESS},
    {ZafString::keyLineEnd, ZAF_KEY_EVENT, VK_END, ZAF_KEY_PRESS},
    {ZafString::keyLineEnd, ZAF_KEY_EVENT, VK_NEXT, ZAF_KEY_PRESS},
    {ZafString::keyPaste, ZAF_KEY_EVENT, VK_INSERT, ZAF_KEY_PRESS + ZAF_KEY_SHIFT},
    {ZAF_NO_MAPPING, 0, 0, 0},
};

ZafEventType ZafText::Event(const ZafEventRecord &event)
{
    switch (event.type) {
    case ZAF_OS_EVENT:
        return HandleOSMessage(event);
    case ZAF_KEY_EVENT:
        // Editing keys are the control's; the window it stands in navigates
        // with what the control leaves (its dialog code says which).
        return ZAF_UNKNOWN;
    case ZAF_CURRENT:
        if (selectAllOnFocus && HasOwnControl()) {
            SendMessageA(osWindow, EM_SETSEL, 0, -1);
            SendMessageA(osWindow, EM_SCROLLCARET, 0, 0);
        }
        return ZafWindowObject::Event(event);
    case ZAF_COPY:
    case ZAF_PASTE:
    case ZAF_CUT:
        if (HasOwnControl())
            SendMessageA(osWindow, event.type == ZAF_CUT ? WM_CUT : event.type == ZAF_COPY ? WM_COPY : WM_PASTE, 0, 0);
        return event.type;
    case ZAF_NOT_CURRENT:
        GetTextFromControl();
        return ZafWindowObject::Event(event);
    case ZAF_READ_CONTROL:
        GetTextFromControl();
        return event.type;
    case ZAF_SHOW_VALUE:
        RefreshListEntry();
        return event.type;
    case ZAF_ADD_OBJECT:
    case ZAF_SUBTRACT_OBJECT:
        return ZafWindow::Event(event);
    case ZAF_CREATE:
    case ZAF_CREATE_OS_WINDOW:
        // The field's scroll bars are support objects bound to the
        // control's own bars: the window's creation makes them with the
        // control, where the plain object's would leave them without a
        // window and the bars dead.
        return ZafWindow::Event(event);
    case ZAF_FOCUS_CHANGE:
        return Leave(event);
    default:
        return ZafWindowObject::Event(event);
    }
}

ZafEventType ZafText::Leave(const ZafEventRecord &event)
{
    GetTextFromControl();
    // The dispatcher runs the user function, which may delete the field.
    ZafTracker self(this);
    const ZafEventType result = ZafWindowObject::Event(event);
    if (self.Deleted())
        return result;
    if (result == resultValueKept) {
        invalid = true;
        unanswered = false;
    } else if (result == 0) {
        unanswered = false;
    }
    return result;
}

ZafEventType ZafText::HandleOSMessage(const ZafEventRecord &event)
{
    const MSG &m = event.osEvent;
    const bool mouse = m.message >= WM_MOUSEFIRST && m.message <= WM_MOUSELAST;
    if (layoutMode && mouse) {
        ZafEventRecord input = event;
        input.type = ZAF_MOUSE_EVENT;
        return ZafWindowObject::Event(input);
    }
    switch (m.message) {
    case WM_PAINT:
    case WM_ERASEBKGND:
        if (HasFlag(flagSystemDrawn))
            return static_cast<ZafEventType>(ZafCallClassWindowProc(event));
        break;
    case WM_WINDOWPOSCHANGED:
        return ZafWindow::HandleOSMessage(event);
    default:
        break;
    }
    return ZafWindowObject::HandleOSMessage(event);
}

ZafEventType ZafText::HandleCommand(const ZafEventRecord &, unsigned notifyCode)
{
    if (notifyCode != EN_KILLFOCUS)
        return ZAF_UNKNOWN;
    // The window taking the focus already has it.
    Event(ZafEventRecord(ZAF_FOCUS_CHANGE, ZafObjectFromHandle(GetFocus())));
    return 0;
}

// --- The Windows control -----------------------------------------------------------

HWND ZafText::CreateOSWindow()
{
    if (osWindow || !HasFlag(flagOwnWindow) || !parent)
        return osWindow;
    HWND parentWindow = parent->DrawingHandle();
    if (!parentWindow)
        return nullptr;
    DWORD style = WS_CHILD | WS_CLIPSIBLINGS | ES_WANTRETURN | ES_AUTOVSCROLL | ES_MULTILINE;
    if (IsDisabledUpChain(true) && !layoutMode)
        style |= WS_DISABLED;
    if (HasFlag(flagVisible))
        style |= WS_VISIBLE;
    if (FindSupportObject(ZAF_NUMID_HZ_SCROLL))
        style |= WS_HSCROLL;
    if (FindSupportObject(ZAF_NUMID_VT_SCROLL))
        style |= WS_VSCROLL;
    if (!HasFlag(flagSystemDrawn))
        return ZafCreateOSWindow(this, nullptr, style, nullptr, parentWindow, 0, nullptr);
    // A border is the client edge in the 3-D look, a plain line otherwise.
    const DWORD extendedStyle = BorderStyle();
    if (HasFlag(flagBordered) && !zaf3DLook)
        style |= WS_BORDER;
    if (!wordWrap)
        style |= ES_AUTOHSCROLL;
    if (hzJustify == justifyRight)
        style |= ES_RIGHT;
    else if (hzJustify == justifyCenter)
        style |= ES_CENTER;
    if (readOnly)
        style |= ES_READONLY;
    if (!ZafCreateOSWindow(this, "EDIT", style, nullptr, parentWindow, extendedStyle, nullptr))
        return nullptr;
    const int maximum = stringData->MaxLength();
    SendMessageA(osWindow, EM_LIMITTEXT, maximum < 0 ? 0 : static_cast<WPARAM>(maximum), 0);
    UpdateFont();
    const bool wasChanged = changed;
    RefreshListEntry();
    changed = wasChanged;
    return osWindow;
}

ZafEventType ZafText::Draw(const ZafEventRecord &event, ZafEventType code)
{
    if (HasOwnControl())
        return ZafWindowObject::Draw(event, code);
    ZafDrawPass pass(*this);
    ZafRegionRect area = pass.Area();
    if (HasFlag(flagBordered))
        DrawBorder(area, code);
    DrawBackground(area, code);
    ZafGdiDisplay *display = ZafScreenGdiDisplay();
    HDC dc = display ? display->CurrentDC() : nullptr;
    if (!dc)
        return code;
    ZafPaletteStruct palette;
    LogicalPalette(palette, ZAF_PM_TEXT, PaletteState());
    HFONT old = display->SelectFont(palette.font == ZAF_FONT_UNSET ? ZAF_FONT_DIALOG : palette.font);
    ::SetTextColor(dc, ForegroundColor());
    SetBkMode(dc, TRANSPARENT);
    std::unique_ptr<char[]> converted(zafCodeSetConversion ? stringData->DuplicateConvertedText() : nullptr);
    const char *text = converted ? converted.get() : (stringData->Text() ? stringData->Text() : "");
    RECT place = {area.left + 1, area.top + 1, area.right + 1, area.bottom + 1};
    DrawTextA(dc, text, -1, &place, DT_WORDBREAK);
    SelectObject(dc, old);
    return code;
}

void ZafText::RefreshListEntry()
{
    if (parent && parent->IsClassID(listFamilyID) && parent->SystemDrawn()) {
        ZafWindowObject::RefreshListEntry();
        return;
    }
    if (unanswered && stringData->Length() > 0) {
        stringData->SetNotificationData(this, 0);
        stringData->SetText("");
        stringData->SetNotificationData(this, observedKinds);
    }
    if (HasOwnControl()) {
        std::unique_ptr<char[]> converted(zafCodeSetConversion ? stringData->DuplicateConvertedText() : nullptr);
        const char *text = converted ? converted.get() : stringData->Text();
        SendMessageA(osWindow, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text ? text : ""));
    } else if (IsOnScreen()) {
        Redisplay();
    }
}

// --- Data --------------------------------------------------------------------------

const char *ZafText::Text()
{
    GetTextFromControl();
    return stringData->Text();
}

int ZafText::SetText(const char *text)
{
    stringData->SetText(text ? text : "");
    return 0;
}

int ZafText::SetStringData(ZafStringData *data)
{
    if (!data)
        data = new ZafStringData();
    if (data != stringData) {
        ZafStringData *old = stringData;
        stringData = data;
        if (old) {
            old->SubtractNotification(this, DataChanged);
            DropData(old);
        }
        stringData->AddNotification(this, DataChanged, observedKinds);
    }
    RefreshListEntry();
    return 0;
}

int ZafText::GetTextFromControl()
{
    if (!HasOwnControl())
        return 0;
    const int length = GetWindowTextLengthA(osWindow);
    std::string text(static_cast<std::size_t>(std::max(length, 0)) + 1, '\0');
    GetWindowTextA(osWindow, &text[0], static_cast<int>(text.size()));
    // Whichever of focus loss, Text or a write reads the typed text first
    // marks the field changed: were only the focus loss to compare, a Text
    // call before it would take the typed text in unmarked and the edit
    // would count as unchanged.
    const std::string old = TextOf(stringData);
    stringData->SetNotificationData(this, 0);
    if (zafCodeSetConversion)
        stringData->SetOSText(text.c_str());
    else
        stringData->SetText(text.c_str());
    stringData->SetNotificationData(this, observedKinds);
    if (old != TextOf(stringData))
        SetChanged(true);
    return 0;
}

int ZafText::DataChanged(ZafElement *observer, std::uint32_t kinds)
{
    auto *field = dynamic_cast<ZafText *>(observer);
    if (!field)
        return 1;
    int result = 1;
    if (kinds & ZafNotification::valueChanged) {
        field->RefreshListEntry();
        result = 0;
    }
    if (kinds & readControlKind)
        result = field->GetTextFromControl();
    return result;
}

// --- Attributes --------------------------------------------------------------------

bool ZafText::SetUnanswered(bool flag)
{
    unanswered = flag;
    if (flag)
        stringData->Clear();
    return unanswered;
}

int ZafText::SetHzJustify(int justify)
{
    if (justify < justifyLeft || justify > justifyCenter)
        return hzJustify;
    return SetUnlessCreated(hzJustify, justify);
}

bool ZafText::SetReadOnly(bool flag)
{
    return SetUnlessCreated(readOnly, flag);
}

bool ZafText::SetWordWrap(bool flag)
{
    if (flag == wordWrap)
        return wordWrap;
    wordWrap = flag;
    if (osWindow)
        RecreateControl();
    return wordWrap;
}

void ZafText::RecreateControl()
{
    // What was typed lives only in the control until now: it is read back
    // before the control goes, or it would be lost with it.
    GetTextFromControl();
    DWORD start = 0, end = 0;
    SendMessageA(osWindow, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    const bool hadFocus = GetFocus() == osWindow;
    HWND parentWindow = parent ? parent->DrawingHandle() : nullptr;
    if (parentWindow) {
        UpdateWindow(parentWindow);
        SendMessageA(parentWindow, WM_SETREDRAW, FALSE, 0);
    }
    ZafTracker self(this);
    Event(ZafEventRecord(ZAF_DESTROY_OS_WINDOW));
    if (self.Deleted())
        return;
    Event(ZafEventRecord(ZAF_CREATE));
    if (parentWindow && IsWindow(parentWindow) && parent->IsVisibleUpChain(true))
        SendMessageA(parentWindow, WM_SETREDRAW, TRUE, 0);
    if (!osWindow)
        return;
    SendMessageA(osWindow, EM_SETSEL, start, static_cast<LPARAM>(end));
    if (hadFocus)
        ::SetFocus(osWindow);
    Redisplay();
}

int ZafText::SetCursorPosition(int index)
{
    if (!HasOwnControl())
        return resultNoControl;
    SendMessageA(osWindow, EM_SETSEL, static_cast<WPARAM>(index), index);
    SendMessageA(osWindow, EM_SCROLLCARET, 0, 0);
    return 0;
}

int ZafText::SetCursorLineColumn(int column, int line)
{
    if (!HasOwnControl())
        return resultNoControl;
    const int lines = static_cast<int>(SendMessageA(osWindow, EM_GETLINECOUNT, 0, 0));
    line = std::max(0, std::min(line, lines - 1));
    const int first = static_cast<int>(SendMessageA(osWindow, EM_LINEINDEX, static_cast<WPARAM>(line), 0));
    const int length = static_cast<int>(SendMessageA(osWindow, EM_LINELENGTH, static_cast<WPARAM>(first), 0));
    return SetCursorPosition(first + std::max(0, std::min(column, length)));
}

const ZafPaletteMap *ZafText::ClassPaletteMap() const
{
    return ZafString::paletteMap;
}

void ZafText::ResolveSystemColors(ZafPaletteStruct &entry, std::uint16_t type, std::uint16_t state) const
{
    if (type != ZAF_PM_BACKGROUND) {
        ZafWindow::ResolveSystemColors(entry, type, state);
        return;
    }
    if (entry.colorForeground == ZAF_CLR_SYSTEM && entry.osColorForeground == -1)
        entry.osColorForeground = static_cast<std::int32_t>(GetSysColor(COLOR_WINDOW));
    if (entry.colorBackground == ZAF_CLR_SYSTEM && entry.osColorBackground == -1)
        entry.osColorBackground = static_cast<std::int32_t>(GetSysColor(COLOR_WINDOW));
}
