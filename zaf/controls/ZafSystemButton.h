// ZafSystemButton: the system menu of a window frame, a support object
// (number id ZAF_NUMID_SYSTEM, string id "ZAF_NUMID_SYSTEM"). When the frame
// is made it takes the frame's Windows system menu (GetSystemMenu): of menu
// kind 0 it leaves Windows' items there, of any other kind it replaces them
// by the items of its own menu (a ZafPopUpMenu held by value, number id
// ZAF_NUMID_SYSTEM_BUTTON_MENU; its items of the frame kinds use the SC_
// codes, so Windows carries them out). Then it greys Close for a window with
// its no-close flag, Size and Maximize for one that is not sizeable and
// Move for one that is not movable. When the frame goes, a replaced system
// menu is given back to Windows (GetSystemMenu with revert).
//
// It holds a reference to the language table "ZafSystemButton" from its
// construction to its destruction, and the first system button makes a
// shared 7 x 3 image (a black bar) that the static clean-ups delete.
//
// Lookups by name and number search the button and then its menu.
//
// UI data file: the button's record inside the level "ZafSystemButton"
// (class id 1006), then
//   u16  menu kind (-1 until set)
// and, for a kind other than 0, the menu's items in the button's directory.
#pragma once

#include "zaf/controls/ZafFrameButton.h"
#include "zaf/controls/ZafPopUpMenu.h"

class ZafLanguageData;

class ZafSystemButton : public ZafFrameButton
{
public:
    static constexpr ZafClassID classID = 1006;
    static constexpr const char *className = "ZafSystemButton";
    // Menu kinds: Windows' own items, or the button's.
    static constexpr int windowsMenu = 0;
    static constexpr int ownMenu = 1;

    explicit ZafSystemButton(int menuKind = windowsMenu);
    ZafSystemButton(const ZafSystemButton &copy);
    ~ZafSystemButton() override;

    ZafClassID ClassID() const override { return classID; }
    const char *ClassName() const override { return className; }
    bool IsClassID(ZafClassID id) const override;
    bool IsClassName(const char *name) const override;
    ZafWindowObject *Duplicate() const override { return new ZafSystemButton(*this); }

    ZafSystemButton(const char *name, ZafWindowPersistence &persistence);
    static ZafElement *New(const char *name, ZafWindowPersistence &persistence);
    void Write(ZafWindowPersistence &persistence) override;

    // ZAF_CREATE fills the frame's system menu (see above), ZAF_DEINITIALIZE
    // gives it back, ZAF_RESOLVE_REFERENCES goes to the menu; everything
    // else is answered ZAF_UNKNOWN.
    ZafEventType Event(const ZafEventRecord &event) override;

    // Refused once the frame exists; answers the kind in force.
    virtual int SetMenuKind(int kind);
    int MenuKind() const { return menuKind; }
    ZafPopUpMenu &SystemMenu() { return systemMenu; }
    virtual ZafWindowObject *AddSubItem(ZafWindowObject *item, ZafWindowObject *before = nullptr);
    virtual ZafWindowObject *SubtractSubItem(ZafWindowObject *item);
    virtual void DestroySubItems();
    virtual void SortSubItems();

    ZafWindowObject *FindObjectByNumberID(ZafNumberID id) override;

    ButtonType SetButtonType(ButtonType) override { return buttonType = framePushButton; }
    int SetDepth(int) override { return depth = 1; }
    Justify SetHzJustify(Justify) override { return hzJustify = justifyCenter; }
    bool SetSelectOnDoubleClick(bool) override { return selectOnDoubleClick = false; }
    bool SetSelectOnDownClick(bool) override { return selectOnDownClick = false; }
    bool SetSendMessageWhenSelected(bool) override { return ZafButton::SetSendMessageWhenSelected(false); }
    std::int32_t SetValue(std::int32_t) override { return value = 0; }
    bool SetNoFocus(bool) override { return SetFlagTo(flagNoFocus, false); }
    bool SetFocus(bool flag) override { return ZafButton::SetFocus(flag); }
    int SetBitmapData(ZafBitmapData *) override { return 1; }

    // The shared 7 x 3 bar image.
    static ZafBitmapData *BarImage();

protected:
    ZafWindowObject *SearchInside(const char *name) override;

private:
    void ApplySystemAttributes();
    // Greys the items that the parent window's flags forbid.
    void GreyForbiddenItems(HMENU menu);

    ZafPopUpMenu systemMenu;
    int menuKind = -1;
    ZafLanguageData *language = nullptr;
};
