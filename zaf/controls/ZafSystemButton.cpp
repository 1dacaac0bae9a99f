#include "zaf/controls/ZafSystemButton.h"

#include "zaf/core/ZafText.h"
#include "zaf/core/ZafWindow.h"
#include "zaf/core/ZafWindowPersistence.h"
#include "zaf/data/ZafBitmapData.h"
#include "zaf/data/ZafLanguageData.h"
#include "zaf/data/ZafStaticCleanup.h"

namespace {

constexpr int barWidth = 7, barHeight = 3;
std::uint8_t barPixels[barWidth * barHeight] = {}; // colour 0: black
ZafBitmapData *barImage = nullptr;

void DeleteBarImage(std::uint8_t)
{
    delete barImage;
    barImage = nullptr;
}

} // namespace

ZafBitmapData *ZafSystemButton::BarImage()
{
    if (!barImage) {
        barImage = new ZafBitmapData(ZafBitmapStruct(barWidth, barHeight, barPixels, true));
        barImage->SetDestroyable(false);
        RegisterStaticCleanup(DeleteBarImage, nullptr, 0);
    }
    return barImage;
}

ZafSystemButton::ZafSystemButton(int kind)
    : ZafFrameButton(pushButton, ZAF_NUMID_SYSTEM, "ZAF_NUMID_SYSTEM"), systemMenu(0, 0)
{
    BarImage();
    language = AcquireLanguageData(className, ZafLanguageData::BuiltInTable(className));
    SetMenuKind(kind);
    ApplySystemAttributes();
}

ZafSystemButton::ZafSystemButton(const ZafSystemButton &copy)
    : ZafFrameButton(copy), systemMenu(copy.systemMenu), menuKind(copy.menuKind)
{
    frameWindow = nullptr;
    language = AcquireLanguageData(className, ZafLanguageData::BuiltInTable(className));
    ApplySystemAttributes();
}

ZafSystemButton::~ZafSystemButton()
{
    if (language)
        ReleaseLanguageData(language);
    systemMenu.SetOwnerObject(nullptr);
}

void ZafSystemButton::ApplySystemAttributes()
{
    buttonType = framePushButton;
    depth = 1;
    hzJustify = justifyCenter;
    selectOnDoubleClick = false;
    selectOnDownClick = false;
    ZafButton::SetSendMessageWhenSelected(false);
    value = 0;
    SetFlagTo(flagNoFocus, false);
    systemMenu.SetOwnerObject(this);
    systemMenu.SetDestroyable(false);
    systemMenu.SetNumberID(ZAF_NUMID_SYSTEM_BUTTON_MENU);
    systemMenu.SetStringID("ZAF_NUMID_SYSTEM_BUTTON_MENU");
}

bool ZafSystemButton::IsClassID(ZafClassID id) const
{
    return id == classID || ZafButton::IsClassID(id);
}

bool ZafSystemButton::IsClassName(const char *name) const
{
    return ZafStringCompare(name, className) == 0 || ZafButton::IsClassName(name);
}

// --- Persistence -------------------------------------------------------------------------

ZafSystemButton::ZafSystemButton(const char *name, ZafWindowPersistence &persistence)
    : ZafFrameButton(name, persistence.PushLevel(className, classID, ZafWindowPersistence::childEntry)),
      systemMenu(0, 0)
{
    BarImage();
    language = AcquireLanguageData(className, ZafLanguageData::BuiltInTable(className));
    ApplyFrameAttributes(ZAF_NUMID_SYSTEM, "ZAF_NUMID_SYSTEM");
    ApplySystemAttributes();
    std::int16_t kind = -1;
    if (persistence.Error() == 0)
        persistence.Read16(kind);
    if (persistence.Error() == 0) {
        menuKind = kind;
        if (menuKind != windowsMenu)
            systemMenu.ReadItems(persistence);
    }
    persistence.PopLevel();
    if (persistence.Error() != 0)
        SetError(static_cast<int>(persistence.Error()));
}

ZafElement *ZafSystemButton::New(const char *name, ZafWindowPersistence &persistence)
{
    return new ZafSystemButton(name, persistence);
}

void ZafSystemButton::Write(ZafWindowPersistence &persistence)
{
    persistence.PushLevel(className, classID, ZafWindowPersistence::childEntry);
    ZafButton::Write(persistence);
    if (persistence.Error() == 0) {
        persistence.Write16(static_cast<std::int16_t>(menuKind));
        if (menuKind != windowsMenu)
            systemMenu.WriteItems(persistence);
    }
    persistence.PopLevel();
    if (persistence.Error() != 0)
        SetError(static_cast<int>(persistence.Error()));
}

// --- Events --------------------------------------------------------------------------------

ZafEventType ZafSystemButton::Event(const ZafEventRecord &event)
{
    switch (event.type) {
    case ZAF_CREATE:
    case ZAF_CREATE_OS_WINDOW: {
        frameWindow = ParentFrame();
        HMENU menu = frameWindow ? GetSystemMenu(frameWindow, FALSE) : nullptr;
        if (!menu)
            return ZAF_CREATE_OS_WINDOW;
        systemMenu.AdoptMenuHandle(menu);
        if (menuKind != windowsMenu) {
            while (DeleteMenu(menu, 0, MF_BYPOSITION))
                ;
            systemMenu.Event(ZafEventRecord(ZAF_CREATE_OS_WINDOW));
        }
        GreyForbiddenItems(menu);
        return ZAF_CREATE_OS_WINDOW;
    }
    case ZAF_DEINITIALIZE:
        // Windows' own items come back for whoever asks for the menu next.
        if (frameWindow && menuKind != windowsMenu && IsWindow(frameWindow))
            GetSystemMenu(frameWindow, TRUE);
        systemMenu.Event(ZafEventRecord(ZAF_DEINITIALIZE));
        frameWindow = nullptr;
        return ZAF_DEINITIALIZE;
    case ZAF_RESOLVE_REFERENCES:
        return systemMenu.Event(event);
    default:
        return ZAF_UNKNOWN;
    }
}

void ZafSystemButton::GreyForbiddenItems(HMENU menu)
{
    auto *window = dynamic_cast<ZafWindow *>(parent);
    if (!window)
        return;
    auto grey = [menu](UINT command, bool allowed) {
        EnableMenuItem(menu, command, MF_BYCOMMAND | (allowed ? MF_ENABLED : MF_GRAYED));
    };
    grey(SC_CLOSE, !window->NoClose());
    grey(SC_MAXIMIZE, window->Sizeable());
    grey(SC_SIZE, window->Sizeable());
    grey(SC_MOVE, window->Moveable());
}

// --- The menu --------------------------------------------------------------------------------

int ZafSystemButton::SetMenuKind(int kind)
{
    if (!frameWindow)
        menuKind = kind;
    return menuKind;
}

ZafWindowObject *ZafSystemButton::AddSubItem(ZafWindowObject *item, ZafWindowObject *before)
{
    return systemMenu.AddObject(item, before);
}

ZafWindowObject *ZafSystemButton::SubtractSubItem(ZafWindowObject *item)
{
    return systemMenu.SubtractObject(item);
}

void ZafSystemButton::DestroySubItems()
{
    systemMenu.DestroyChildren();
}

void ZafSystemButton::SortSubItems()
{
    systemMenu.Sort();
}

ZafWindowObject *ZafSystemButton::FindObjectByNumberID(ZafNumberID id)
{
    if (numberID == id)
        return this;
    return systemMenu.FindObjectByNumberID(id);
}

ZafWindowObject *ZafSystemButton::SearchInside(const char *name)
{
    return systemMenu.FindObjectByStringID(name);
}
