#include "zaf/controls/ZafTitle.h"

#include "zaf/core/ZafApplication.h"
#include "zaf/core/ZafText.h"
#include "zaf/core/ZafWindow.h"
#include "zaf/core/ZafWindowPersistence.h"
#include "zaf/data/ZafCodeSetData.h"
#include "zaf/data/ZafStringData.h"

ZafTitle::ZafTitle(const char *text) : ZafFrameButton(flatButton, ZAF_NUMID_TITLE, "ZAF_NUMID_TITLE")
{
    if (text)
        SetStringData(new ZafStringData(text));
    ApplyTitleAttributes();
}

ZafTitle::ZafTitle(ZafStringData *text) : ZafFrameButton(text, flatButton, ZAF_NUMID_TITLE, "ZAF_NUMID_TITLE")
{
    ApplyTitleAttributes();
}

void ZafTitle::ApplyTitleAttributes()
{
    buttonType = flatButton;
    depth = 0;
    hzJustify = justifyCenter;
    vtJustify = justifyCenter;
    SetFlagTo(flagNoFocus, true);
    selectOnDoubleClick = true;
    selectOnDownClick = true;
    depressed = false;
    ZafButton::SetSendMessageText(nullptr);
    ZafButton::SetSendMessageWhenSelected(true);
    if (bitmapData)
        ZafButton::SetBitmapData(nullptr);
}

bool ZafTitle::IsClassID(ZafClassID id) const
{
    return id == classID || ZafButton::IsClassID(id);
}

bool ZafTitle::IsClassName(const char *name) const
{
    return ZafStringCompare(name, className) == 0 || ZafButton::IsClassName(name);
}

ZafTitle::ZafTitle(const char *name, ZafWindowPersistence &persistence)
    : ZafFrameButton(name, persistence.PushLevel(className, classID, ZafWindowPersistence::childEntry))
{
    persistence.PopLevel();
    ApplyFrameAttributes(ZAF_NUMID_TITLE, "ZAF_NUMID_TITLE");
    ApplyTitleAttributes();
    if (persistence.Error() != 0)
        SetError(static_cast<int>(persistence.Error()));
}

ZafElement *ZafTitle::New(const char *name, ZafWindowPersistence &persistence)
{
    return new ZafTitle(name, persistence);
}

void ZafTitle::Write(ZafWindowPersistence &persistence)
{
    persistence.PushLevel(className, classID, ZafWindowPersistence::childEntry);
    ZafButton::Write(persistence);
    persistence.PopLevel();
    if (persistence.Error() != 0)
        SetError(static_cast<int>(persistence.Error()));
}

ZafEventType ZafTitle::Event(const ZafEventRecord &event)
{
    switch (event.type) {
    case ZAF_CREATE:
    case ZAF_CREATE_OS_WINDOW:
        frameWindow = ParentFrame();
        RefreshText();
        break;
    case ZAF_DEINITIALIZE:
        frameWindow = nullptr;
        break;
    default:
        break;
    }
    return ZAF_UNKNOWN;
}

void ZafTitle::RefreshText()
{
    if (!frameWindow || !stringData)
        return;
    const char *text = stringData->Text() ? stringData->Text() : "";
    if (!zafCodeSetConversion) {
        SendMessageA(frameWindow, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
        return;
    }
    char *converted = ConvertTextByCodeSet(text, nullptr, true);
    SendMessageA(frameWindow, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(converted));
    delete[] converted;
}

std::int32_t ZafTitle::SetValue(std::int32_t newValue)
{
    if (newValue == ZAF_MAXIMIZE || newValue == ZAF_RESTORE || newValue == ZAF_FRAME_VALUE_502 ||
        newValue == ZAF_FRAME_VALUE_504)
        value = newValue;
    return value;
}
