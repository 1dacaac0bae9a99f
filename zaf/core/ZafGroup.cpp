#include "zaf/core/ZafGroup.h"
#include "zaf/core/ZafDisplay.h"
#include "zaf/core/ZafGdiDisplay.h"
#include "zaf/core/ZafText.h"
#include "zaf/core/ZafWindowPersistence.h"

ZafGroup::ZafGroup(int left, int top, int width, int height, const char *title)
    : ZafWindow(left, top, width, height), text(DuplicateLibraryString(title))
{}

ZafGroup::ZafGroup(const ZafGroup &copy) : ZafWindow(copy), text(DuplicateLibraryString(copy.text))
{}

ZafGroup::ZafGroup(const char *name, ZafWindowPersistence &persistence)
    : ZafWindow(name, persistence.PushLevel(className, classID, ZafWindowPersistence::childEntry))
{
    if (persistence.Error() == 0)
        persistence.ReadString(&text);
    persistence.PopLevel();
    if (persistence.Error() != 0)
        SetError(static_cast<int>(persistence.Error()));
}

ZafGroup::~ZafGroup()
{
    delete[] text;
}

ZafElement *ZafGroup::New(const char *name, ZafWindowPersistence &persistence)
{
    return new ZafGroup(name, persistence);
}

void ZafGroup::Write(ZafWindowPersistence &persistence)
{
    persistence.PushLevel(className, classID, ZafWindowPersistence::childEntry);
    ZafWindow::Write(persistence);
    if (persistence.Error() == 0)
        persistence.WriteString(text);
    persistence.PopLevel();
}

bool ZafGroup::IsClassID(ZafClassID id) const
{
    return id == classID || ZafWindow::IsClassID(id);
}

bool ZafGroup::IsClassName(const char *name) const
{
    return ZafStringCompare(name, className) == 0 || ZafWindow::IsClassName(name);
}

int ZafGroup::SetText(const char *newText)
{
    char *copy = DuplicateLibraryString(newText);
    delete[] text;
    text = copy;
    if (osWindow)
        SetWindowTextA(osWindow, text ? text : "");
    return 0;
}

DWORD ZafGroup::OSStyle() const
{
    DWORD style = (ZafWindow::OSStyle() & ~(WS_HSCROLL | WS_VSCROLL)) | BS_GROUPBOX;
    if (HasFlag(flagVisible))
        style |= WS_VISIBLE;
    return style;
}

POINT ZafGroup::ChildOrigin() const
{
    return POINT{0, ZafDisplay::ForConversion().CellHeight()};
}

ZafEventType ZafGroup::HandleOSMessage(const ZafEventRecord &event)
{
    const MSG &m = event.osEvent;
    ZafGdiDisplay *display = ZafScreenGdiDisplay();
    if (m.message != WM_ERASEBKGND || !display || !m.hwnd)
        return ZafWindow::HandleOSMessage(event);
    RECT area;
    GetClientRect(m.hwnd, &area);
    HBRUSH brush = display->GetCachedBrush(BackgroundColor());
    FillRect(reinterpret_cast<HDC>(m.wParam), &area, brush);
    display->ReleaseCachedObject(brush);
    return TRUE;
}
