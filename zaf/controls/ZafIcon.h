// ZafIcon: a 32 x 32 icon with an optional title below it, as a selectable
// object inside a window or as the minimised-window icon of its window (kind
// minimizeIcon: number id -13, string id "ZAF_NUMID_MIN_ICON", a support
// object that hands its image to the frame with WM_SETICON and has no
// window of its own). It is a flat button whose image is a ZafIconData; its
// region is always exactly its contents (the image above the title, 4
// pixels apart). An icon is never selected itself: a click calls the
// dispatcher with ZAF_SELECT when the button goes up (or down, with
// select-on-down-click) and a double click with ZAF_DOUBLE_SELECT (with
// select-on-double-click, the default).
//
// Five Windows stock icons are shared by name or number (SystemIcon): made
// with the first icon, never destroyable, deleted by the static clean-ups.
//
// Ownership: the icon observes its icon data and deletes it when it lets it
// go only when the data is destroyable and nobody else observes it.
//
// The persistent record (level "ZafIcon", class id 5): the button's record
// in its own level, then
//   u16  icon kind (bits 0-3)
//   text icon data name ("" none; a stock icon's name takes the shared one)
// followed by the icon data's own record unless it is a stock icon.
#pragma once

#include "zaf/controls/ZafButton.h"

#include <cstdint>

class ZafIconData;

class ZafIcon : public ZafButton
{
public:
    static constexpr ZafClassID classID = 5;
    static constexpr const char *className = "ZafIcon";

    enum IconKind : std::uint32_t {
        ordinaryIcon = 0, // shown in its window
        minimizeIcon = 1, // the icon of its window's frame
    };
    // The stock icons by number id.
    enum SystemIconID { iconApplication = 0, iconAsterisk, iconExclamation, iconHand, iconQuestion, systemIconCount };
    static constexpr int titleGap = 4;

    // At (left, top) in cells; the title (none: null) is copied, the icon
    // data attached as it is.
    ZafIcon(int left, int top, const char *title, ZafIconData *icon = nullptr, IconKind kind = ordinaryIcon);
    // The same with the title's string data (null: no title), attached as
    // it is under the button's ownership rule.
    ZafIcon(int left, int top, ZafStringData *title, ZafIconData *icon = nullptr, IconKind kind = ordinaryIcon);
    ZafIcon(const ZafIcon &copy);
    ~ZafIcon() override;

    ZafClassID ClassID() const override { return classID; }
    const char *ClassName() const override { return className; }
    bool IsClassID(ZafClassID id) const override;
    bool IsClassName(const char *name) const override;
    ZafWindowObject *Duplicate() const override { return new ZafIcon(*this); }

    // --- Persistence ------------------------------------------------------
    ZafIcon(const char *name, ZafWindowPersistence &persistence);
    static ZafElement *New(const char *name, ZafWindowPersistence &persistence);
    void Write(ZafWindowPersistence &persistence) override;
    static void RegisterPersistence();

    // --- Events and drawing -------------------------------------------------
    ZafEventType Event(const ZafEventRecord &event) override;
    ZafEventType HandleOSMessage(const ZafEventRecord &event) override;
    ZafEventType Draw(const ZafEventRecord &event, ZafEventType code) override;
    HWND CreateOSWindow() override;
    int Relayout() override;
    void RefreshText() override;
    // A created icon is measured and placed again, then redrawn.
    void UpdateFont() override;
    // The window object's setting, then the icon redrawn (its title greys).
    bool SetDisabled(bool flag) override;
    // A query, a copy and a move alike take a dragged icon's image and
    // title; other sources are handled as by a button. Answers the code.
    ZafEventType DragDropEvent(const ZafEventRecord &event) override;
    // Sizes the region to the image and the title, keeping its corner.
    void FitContents();

    // --- The image ----------------------------------------------------------
    ZafIconData *IconData() const { return iconData; }
    // Replaces the image under the rule above; answers the new one.
    virtual ZafIconData *SetIconData(ZafIconData *data);
    // Takes a stock icon (an unknown id changes nothing); answers the image.
    virtual ZafIconData *SetSystemIcon(int id);
    // Refused once created.
    virtual IconKind SetIconKind(IconKind kind);
    IconKind Kind() const { return iconKind; }
    // The shared stock icon of a number id or a name; null for none.
    static ZafIconData *SystemIcon(int id);
    static ZafIconData *SystemIcon(const char *name);
    int ClearBitmapData() override;

    // --- Fixed button attributes ------------------------------------------------
    int SetBitmapData(ZafBitmapData *) override { return 1; }
    bool SetAllowDefault(bool) override { return allowDefault = false; }
    bool SetAllowToggling(bool) override { return allowToggling = false; }
    bool SetAutoRepeatSelection(bool) override { return autoRepeatSelection = false; }
    ButtonType SetButtonType(ButtonType) override { return buttonType = flatButton; }
    int SetDepth(int) override { return depth = 0; }
    char SetHotKey(char, int) override { return hotKeyChar = 0; }

private:
    void Construct(ZafIconData *icon, IconKind kind);
    void ReadIconFields(ZafWindowPersistence &persistence);
    // Gives the icon data the form it lacks (a Windows icon or pixels).
    void CompleteIconData();
    static int IconDataChanged(ZafElement *observer, std::uint32_t kinds);

    IconKind iconKind = ordinaryIcon;
    ZafIconData *iconData = nullptr;
};
