// ZafTitle: the caption of a window frame, a support object (number id
// ZAF_NUMID_TITLE, string id "ZAF_NUMID_TITLE") holding the title text in
// its string data. When the frame is made the title puts its text into the
// frame (WM_SETTEXT), and a later change of the text does the same, so
// setting a title's text changes the caption. A window without a title has
// no caption.
//
// Fixed: a flat button of depth 0, centred, without hot key, refusing the
// focus, selecting on double and down click and sending its value, never
// depressed. SetValue takes only ZAF_MAXIMIZE, ZAF_RESTORE and the frame
// values -502 and -504 (a new title's value is 0).
//
// UI data file: the button's record inside the level "ZafTitle" (class id
// 17); nothing of its own.
#pragma once

#include "zaf/controls/ZafFrameButton.h"

class ZafTitle : public ZafFrameButton
{
public:
    static constexpr ZafClassID classID = 17;
    static constexpr const char *className = "ZafTitle";

    // The text is copied into a new string data; null for none.
    explicit ZafTitle(const char *text);
    // The string data is attached as it is.
    explicit ZafTitle(ZafStringData *text);
    ZafTitle(const ZafTitle &copy) = default;

    ZafClassID ClassID() const override { return classID; }
    const char *ClassName() const override { return className; }
    bool IsClassID(ZafClassID id) const override;
    bool IsClassName(const char *name) const override;
    ZafWindowObject *Duplicate() const override { return new ZafTitle(*this); }

    ZafTitle(const char *name, ZafWindowPersistence &persistence);
    static ZafElement *New(const char *name, ZafWindowPersistence &persistence);
    void Write(ZafWindowPersistence &persistence) override;

    // Takes the frame on ZAF_CREATE and lets it go on ZAF_DEINITIALIZE;
    // every event is answered ZAF_UNKNOWN (a title never selects).
    ZafEventType Event(const ZafEventRecord &event) override;
    // Puts the text into the frame's caption.
    void RefreshText() override;

    std::int32_t SetValue(std::int32_t newValue) override;
    ButtonType SetButtonType(ButtonType) override { return buttonType = flatButton; }
    int SetDepth(int) override { return depth = 0; }
    Justify SetHzJustify(Justify) override { return hzJustify = justifyCenter; }
    Justify SetVtJustify(Justify) override { return vtJustify = justifyCenter; }
    bool SetNoFocus(bool) override { return SetFlagTo(flagNoFocus, true); }
    bool SetSelectOnDoubleClick(bool) override { return selectOnDoubleClick = true; }
    bool SetSelectOnDownClick(bool) override { return selectOnDownClick = true; }
    bool SetSendMessageWhenSelected(bool) override { return ZafButton::SetSendMessageWhenSelected(true); }
    const char *SetSendMessageText(const char *) override { return ZafButton::SetSendMessageText(nullptr); }
    bool SetDepressed(bool) override { return depressed = false; }
    int SetBitmapData(ZafBitmapData *) override { return 1; }

private:
    void ApplyTitleAttributes();
};
