#include "zaf/core/ZafScrollBar.h"
#include "zaf/core/ZafErrorCodes.h"
#include "zaf/core/ZafText.h"
#include "zaf/core/ZafWindow.h"
#include "zaf/core/ZafWindowPersistence.h"

#include <algorithm>
#include <climits>
#include <cstdint>

namespace {

ZafScrollLink scrollLink = {nullptr, nullptr, nullptr, nullptr, nullptr};

} // namespace

ZafScrollBar::ZafScrollBar(int kind) : ZafWindowObject(0, 0, 0, 0), kind(kind)
{
    SetNumberID(kind == horizontal ? ZAF_NUMID_HZ_SCROLL : ZAF_NUMID_VT_SCROLL);
    SetFlag(flagSupportObject);
    ClearFlag(flagOwnWindow);
}

ZafScrollBar::ZafScrollBar(int left, int top, int width, int height, int kind)
    : ZafWindowObject(left, top, width, height), kind(kind)
{}

ZafScrollBar::ZafScrollBar(const ZafScrollBar &copy) : ZafWindowObject(copy), kind(copy.kind)
{
    SetScrollData(copy.scrollData);
}

ZafScrollBar::ZafScrollBar(const char *name, ZafWindowPersistence &persistence)
    : ZafWindowObject(name, persistence.PushLevel(className, classID, ZafWindowPersistence::childEntry)), kind(vertical)
{
    std::uint16_t storedKind = 0;
    char dataName[ZafWindowPersistence::maxNameLength + 1] = "";
    if (persistence.Error() == 0) {
        persistence.Read16(storedKind);
        persistence.ReadStringInto(dataName, sizeof dataName);
    }
    if (persistence.Error() == 0 && storedKind != horizontal && storedKind != vertical)
        persistence.SetError(ZafError::Read);
    if (persistence.Error() == 0) {
        kind = storedKind;
        if (dataName[0])
            if (ZafScrollData *data = persistence.ReadScrollData(dataName))
                SetScrollData(data);
    }
    persistence.PopLevel();
    if (persistence.Error() != 0)
        SetError(static_cast<int>(persistence.Error()));
}

ZafScrollBar::~ZafScrollBar()
{
    // Borrowed from the parent: not this object's to destroy.
    if (HasFlag(flagSupportObject))
        osWindow = nullptr;
    SetScrollData(nullptr);
}

ZafElement *ZafScrollBar::New(const char *name, ZafWindowPersistence &persistence)
{
    return new ZafScrollBar(name, persistence);
}

void ZafScrollBar::Write(ZafWindowPersistence &persistence)
{
    persistence.PushLevel(className, classID, ZafWindowPersistence::childEntry);
    ZafWindowObject::Write(persistence);
    if (persistence.Error() == 0) {
        persistence.Write16(static_cast<std::uint16_t>(kind));
        const char *dataName = scrollData ? persistence.WriteScrollData(scrollData) : nullptr;
        persistence.WriteString(dataName ? dataName : "");
    }
    persistence.PopLevel();
}

bool ZafScrollBar::IsClassID(ZafClassID id) const
{
    return id == classID || ZafWindowObject::IsClassID(id);
}

bool ZafScrollBar::IsClassName(const char *name) const
{
    return ZafStringCompare(name, className) == 0 || ZafWindowObject::IsClassName(name);
}

void ZafScrollBar::SetScrollLink(const ZafScrollLink &link)
{
    scrollLink = link;
}

const ZafScrollLink &ZafScrollBar::ScrollLink()
{
    return scrollLink;
}

ZafScrollData *ZafScrollBar::ScrollData()
{
    if (!scrollData && scrollLink.create)
        SetScrollData(scrollLink.create());
    return scrollData;
}

ZafScrollData *ZafScrollBar::SetScrollData(ZafScrollData *data)
{
    if (data == scrollData)
        return scrollData;
    if (data && scrollLink.attach)
        scrollLink.attach(data, this);
    ZafScrollData *old = scrollData;
    scrollData = data;
    if (old && scrollLink.release)
        scrollLink.release(old, this);
    UpdateScrollInfo();
    return scrollData;
}

ZafScrollStruct ZafScrollBar::Scroll() const
{
    if (scrollData && scrollLink.values)
        return scrollLink.values(scrollData);
    return ZafScrollStruct{0, 0, 0, 0, 0};
}

int ZafScrollBar::BarKind() const
{
    if (!HasFlag(flagSupportObject))
        return SB_CTL;
    return kind == horizontal ? SB_HORZ : SB_VERT;
}

void ZafScrollBar::UpdateScrollInfo()
{
    if (!osWindow || !scrollData)
        return;
    const ZafScrollStruct s = Scroll();
    SCROLLINFO info = {};
    info.cbSize = sizeof info;
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    info.nMin = s.minimum;
    info.nMax = s.maximum;
    info.nPage = s.pageSize > 0 ? static_cast<UINT>(s.pageSize) : 0;
    info.nPos = s.current;
    SetScrollInfo(osWindow, BarKind(), &info, TRUE);
}

HWND ZafScrollBar::CreateOSWindow()
{
    if (HasFlag(flagSupportObject) || osWindow || !parent)
        return osWindow;
    HWND parentWindow = parent->DrawingHandle();
    if (!parentWindow)
        return nullptr;
    DWORD style = WS_CHILD | WS_CLIPSIBLINGS | (kind == horizontal ? SBS_HORZ : SBS_VERT);
    if (HasFlag(flagVisible))
        style |= WS_VISIBLE;
    if (HasFlag(flagDisabled) && !layoutMode)
        style |= WS_DISABLED;
    HWND window = ZafCreateOSWindow(this, "SCROLLBAR", style, nullptr, parentWindow, 0, nullptr);
    ScrollData();
    UpdateScrollInfo();
    return window;
}

ZafEventType ZafScrollBar::Event(const ZafEventRecord &event)
{
    if (!HasFlag(flagSupportObject))
        return ZafWindowObject::Event(event);
    // A window's own bar lives on the window's handle, as the border does.
    switch (event.type) {
    case ZAF_CREATE:
    case ZAF_CREATE_OS_WINDOW:
        if (parent)
            SetOSHandle(parent->OSHandle());
        ScrollData();
        UpdateScrollInfo();
        return event.type;
    case ZAF_DEINITIALIZE:
    case ZAF_DESTROY_OS_WINDOW:
        SetOSHandle(nullptr);
        return event.type;
    case ZAF_OS_EVENT:
        return HandleOSMessage(event);
    default:
        return ZAF_UNKNOWN;
    }
}

std::int32_t ZafScrollBar::NewPosition(int request, int thumb) const
{
    const ZafScrollStruct s = Scroll();
    // A move near the end of the 32-bit range stops there rather than
    // wrapping round to the far end.
    auto moved = [&s](std::int64_t amount) {
        const std::int64_t position = static_cast<std::int64_t>(s.current) + amount;
        return static_cast<std::int32_t>(std::clamp<std::int64_t>(position, INT32_MIN, INT32_MAX));
    };
    switch (request) {
    case SB_LINEUP:
        return moved(-static_cast<std::int64_t>(s.step));
    case SB_LINEDOWN:
        return moved(s.step);
    case SB_PAGEUP:
        return moved(-static_cast<std::int64_t>(s.pageSize));
    case SB_PAGEDOWN:
        return moved(s.pageSize);
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
        return thumb;
    case SB_TOP:
        return s.minimum;
    case SB_BOTTOM:
        return s.maximum;
    default:
        return s.current;
    }
}

ZafEventType ZafScrollBar::HandleOSMessage(const ZafEventRecord &event)
{
    const MSG &m = event.osEvent;
    if ((m.message != WM_HSCROLL && m.message != WM_VSCROLL) || !osWindow)
        return HasFlag(flagSupportObject) ? ZAF_UNKNOWN : ZafWindowObject::HandleOSMessage(event);
    if (ZafScrollData *data = ScrollData()) {
        // The thumb's 32-bit place; the message carries only 16 bits.
        SCROLLINFO info = {};
        info.cbSize = sizeof info;
        info.fMask = SIF_TRACKPOS;
        int thumb = GetScrollInfo(osWindow, BarKind(), &info) ? info.nTrackPos : HIWORD(m.wParam);
        const std::int32_t position = NewPosition(LOWORD(m.wParam), thumb);
        if (position != Scroll().current && scrollLink.setCurrent)
            scrollLink.setCurrent(data, position);
    }
    return 0;
}
