// ZafNotebookTab: the held support objects, the notebook's hooks, and
// drawing.
#include "zaf/controls/ZafNotebookTab.h"

#include "zaf/controls/ZafButton.h"
#include "zaf/controls/ZafTitle.h"
#include "zaf/core/ZafGdiDisplay.h"
#include "zaf/core/ZafNotebook.h"

namespace {

ZafWindowObject *MakeTab(ZafWindow *)
{
    return new ZafNotebookTab();
}

void TakeObjects(ZafWindowObject *tab, ZafWindow *page)
{
    if (auto *own = dynamic_cast<ZafNotebookTab *>(tab))
        own->TakeSupportObjects(page);
}

void ReturnObjects(ZafWindowObject *tab, ZafWindow *page)
{
    if (auto *own = dynamic_cast<ZafNotebookTab *>(tab))
        own->ReturnSupportObjects(page);
}

ZafEventType ButtonValue(ZafWindowObject *object)
{
    auto *button = dynamic_cast<ZafButton *>(object);
    return button ? static_cast<ZafEventType>(button->Value()) : 0;
}

} // namespace

ZafNotebookTab::ZafNotebookTab() : ZafWindowObject(0, 0, 0, 0)
{
    region = ZafRegionRect(0, 0, 0, 0, ZAF_PIXEL);
    SetFlagTo(flagSupportObject, true);
    SetFlagTo(flagOwnWindow, false);
    SetFlagTo(flagSystemDrawn, false);
    SetFlagTo(flagNoFocus, true);
}

ZafNotebookTab::ZafNotebookTab(const ZafNotebookTab &copy) : ZafWindowObject(copy)
{
    for (ZafElement *e = copy.held.First(); e; e = e->Next()) {
        auto *source = static_cast<ZafWindowObject *>(e);
        ZafWindowObject *duplicate = source->Duplicate();
        held.Add(duplicate);
        if (duplicate->IsClassID(ZafTitle::classID))
            title = duplicate;
    }
}

ZafNotebookTab::~ZafNotebookTab()
{
    title = nullptr;
    while (ZafElement *e = held.First()) {
        held.Subtract(e);
        delete e;
    }
}

void ZafNotebookTab::InstallHooks()
{
    ZafNotebookHooks hooks = ZafNotebook::SetHooks(ZafNotebookHooks{});
    hooks.makeTab = MakeTab;
    hooks.takeSupportObjects = TakeObjects;
    hooks.returnSupportObjects = ReturnObjects;
    // Buttons of the notebook send their values (kept when set elsewhere).
    if (!hooks.buttonValue)
        hooks.buttonValue = ButtonValue;
    ZafNotebook::SetHooks(hooks);
}

void ZafNotebookTab::TakeSupportObjects(ZafWindow *page)
{
    if (!page)
        return;
    for (ZafElement *e = page->SupportList().First(), *next = nullptr; e; e = next) {
        next = e->Next();
        auto *object = static_cast<ZafWindowObject *>(e);
        const auto id = static_cast<std::int16_t>(object->NumberID());
        // The geometry manager keeps laying the page out.
        if (id >= 0 || object->NumberID() == ZAF_NUMID_GEOMETRY)
            continue;
        page->SubtractObject(object);
        held.Add(object);
        if (object->IsClassID(ZafTitle::classID))
            title = object;
    }
}

void ZafNotebookTab::ReturnSupportObjects(ZafWindow *page)
{
    if (!page)
        return;
    title = nullptr;
    while (ZafElement *e = held.Last()) {
        held.Subtract(e);
        page->AddObject(static_cast<ZafWindowObject *>(e), page->FirstSupport());
    }
}

const char *ZafNotebookTab::Text()
{
    return title ? title->Text() : nullptr;
}

int ZafNotebookTab::SetText(const char *text)
{
    if (!title)
        return errorNoTitle;
    const int result = title->SetText(text);
    if (auto *notebook = dynamic_cast<ZafWindow *>(parent); notebook && DrawingHandle()) {
        notebook->Event(ZafEventRecord(ZAF_REGION_CHANGED));
        for (ZafElement *e = notebook->SupportList().First(); e; e = e->Next())
            static_cast<ZafWindowObject *>(e)->Event(ZafEventRecord(ZAF_REDISPLAY));
    }
    return result;
}

ZafEventType ZafNotebookTab::Draw(const ZafEventRecord &, ZafEventType code)
{
    if (code != ZAF_REDISPLAY && code != ZAF_REDISPLAY_AREA && code != ZAF_REDISPLAY_CHANGE)
        return code;
    ZafDrawPass pass(*this);
    ZafGdiDisplay *display = ZafScreenGdiDisplay();
    if (!display || !display->CurrentDC())
        return code;
    ZafRegionRect r = pass.Area();
    if (!HasFlag(flagSelected))
        r = ZafRegionRect(r.left + 2, r.top + 2, r.right - 2, r.bottom - 1, ZAF_PIXEL);
    const COLORREF light = TypeColor(ZAF_PM_LIGHT_EDGE, GetSysColor(COLOR_BTNHIGHLIGHT));
    const COLORREF dark = TypeColor(ZAF_PM_DARK_EDGE, GetSysColor(COLOR_BTNSHADOW));
    if (code != ZAF_REDISPLAY_CHANGE) {
        // The selected tab's sides stop one pixel above its bottom; an
        // unselected tab's rectangle already ends one pixel higher.
        const int sideBottom = HasFlag(flagSelected) ? r.bottom - 1 : r.bottom;
        display->Line(r.left, r.top + 2, r.left, sideBottom, light);
        display->Line(r.left + 2, r.top, r.right - 2, r.top, light);
        display->Pixel(r.left + 1, r.top + 1, light);
        display->Line(r.right, r.top + 2, r.right, sideBottom, dark);
        display->Pixel(r.right - 1, r.top + 1, dark);
    }
    ZafRegionRect inside(r.left + 1, r.top + 1, r.right - 1, r.bottom, ZAF_PIXEL);
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    display->Rectangle(inside.left, inside.top, inside.right, inside.bottom, face, true);
    if (const char *text = Text()) {
        const RECT box = {inside.left, inside.top, inside.right + 1, inside.bottom + 1};
        display->SelectFont(ZAF_FONT_DIALOG);
        display->SetColors(GetSysColor(COLOR_BTNTEXT), face);
        display->Text(box, text, ZAF_HZ_CENTER, ZAF_VT_CENTER, true);
    }
    return code;
}
