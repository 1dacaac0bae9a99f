// ZafBorder: the frame of a window as a support object (number id -1).
//
// It has no Windows window of its own: while its parent's Windows window
// exists it borrows the parent's outer frame window (OSHandle(2)) as its
// handle, taken on ZAF_CREATE / ZAF_CREATE_OS_WINDOW and given up on
// ZAF_DEINITIALIZE (which a window sends its support objects when its
// Windows window goes) and ZAF_DESTROY_OS_WINDOW. It answers ZAF_UNKNOWN to
// every event. The minimize and maximize buttons share this handling
// (FrameSupportEvent).
//
// FrameWidth gives the frame's width in pixels as Windows draws it:
// GetSystemMetrics(SM_CXDLGFRAME) round a dialog, SM_CXFRAME round a
// sizeable window, SM_CXBORDER otherwise.
//
// Persistence: the window-object record alone, in a level of this class.
// Ownership: its window owns it, as every support object.
#pragma once

#include "zaf/core/ZafWindowObject.h"

class ZafWindowPersistence;

class ZafBorder : public ZafWindowObject
{
public:
    static constexpr ZafClassID classID = 1;
    static constexpr const char *className = "ZafBorder";

    // Number id -1, a support object without a window of its own.
    ZafBorder();
    ZafBorder(const ZafBorder &copy) = default;
    ZafBorder(const char *name, ZafWindowPersistence &persistence);
    static ZafElement *New(const char *name, ZafWindowPersistence &persistence);
    void Write(ZafWindowPersistence &persistence) override;

    ZafClassID ClassID() const override { return classID; }
    const char *ClassName() const override { return className; }
    bool IsClassID(ZafClassID id) const override;
    bool IsClassName(const char *name) const override;
    ZafWindowObject *Duplicate() const override { return new ZafBorder(*this); }

    ZafEventType Event(const ZafEventRecord &event) override { return FrameSupportEvent(*this, event); }
    // Answers 1 (width untouched) when the parent is not a window, else
    // stores the frame width in pixels and answers 0.
    int FrameWidth(int &width) const;
    // A support object always is one.
    bool SetSupportObject(bool flag) override { return ForceSupportObject(flag); }

    // The event handling of the border and the frame buttons (see above).
    static ZafEventType FrameSupportEvent(ZafWindowObject &object, const ZafEventRecord &event);
};
