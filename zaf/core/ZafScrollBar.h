// ZafScrollBar: a horizontal (kind 1) or vertical (kind 2) scroll bar that
// shows a scroll range and moves its position.
//
// As a support object of a window (ZafScrollBar(kind): number id -6 for
// horizontal, -7 for vertical) it is the window's own scroll bar: the window
// gets WS_HSCROLL or WS_VSCROLL and the bar borrows the window's handle
// while it exists, as the border does. Made with a region it is a control
// of its own, a "SCROLLBAR" window.
//
// Its range is a ZafScrollData (zaf/data), which the core reaches through
// the link the data layer installs (ZafScrollData::InstallWindowLink): the
// bar observes its data and brings the Windows scroll bar up to date on
// every change; moving the bar (line, page, thumb, top and bottom) sets the
// data's current position, which clamps it. The bar makes a default range
// on first need and shares a data object given to it; a data object is
// deleted when its last observer leaves (and it is destroyable). Without
// the link the bar has no data and shows nothing.
//
// Persistence: the window-object record, then
//   u16  kind (1 horizontal, 2 vertical)
//   text name of the scroll data stored beside the record ("" none)
// in a level of this class. A kind other than 1 or 2 is error Read (16).
#pragma once

#include "zaf/core/ZafScrollStruct.h"
#include "zaf/core/ZafWindowObject.h"

class ZafScrollBar;
class ZafScrollData;
class ZafWindowPersistence;

// How scroll bars reach their scroll data (see above).
struct ZafScrollLink
{
    void (*attach)(ZafScrollData *data, ZafScrollBar *observer);
    void (*release)(ZafScrollData *data, ZafScrollBar *observer);
    ZafScrollData *(*create)();
    ZafScrollStruct (*values)(const ZafScrollData *data);
    void (*setCurrent)(ZafScrollData *data, std::int32_t current);
};

class ZafScrollBar : public ZafWindowObject
{
public:
    static constexpr ZafClassID classID = 1005;
    static constexpr const char *className = "ZafScrollBar";
    static constexpr int horizontal = 1;
    static constexpr int vertical = 2;

    // A support scroll bar of a window.
    explicit ZafScrollBar(int kind);
    // A scroll-bar control (cells).
    ZafScrollBar(int left, int top, int width, int height, int kind);
    // Shares the scroll data of the copy.
    ZafScrollBar(const ZafScrollBar &copy);
    ZafScrollBar(const char *name, ZafWindowPersistence &persistence);
    ~ZafScrollBar() override;
    static ZafElement *New(const char *name, ZafWindowPersistence &persistence);
    void Write(ZafWindowPersistence &persistence) override;

    ZafClassID ClassID() const override { return classID; }
    const char *ClassName() const override { return className; }
    bool IsClassID(ZafClassID id) const override;
    bool IsClassName(const char *name) const override;
    ZafWindowObject *Duplicate() const override { return new ZafScrollBar(*this); }

    ZafEventType Event(const ZafEventRecord &event) override;
    // WM_HSCROLL / WM_VSCROLL move the position; the rest goes on.
    ZafEventType HandleOSMessage(const ZafEventRecord &event) override;
    HWND CreateOSWindow() override;

    int Kind() const { return kind; }
    // The data (made on first need when the link is installed; null
    // without it).
    ZafScrollData *ScrollData();
    // Shares the data and observes it (null: none); answers it.
    ZafScrollData *SetScrollData(ZafScrollData *data);
    // The data's values; all zero without data.
    ZafScrollStruct Scroll() const;
    // Brings the Windows scroll bar up to date with the data.
    void UpdateScrollInfo();

    static void SetScrollLink(const ZafScrollLink &link);
    static const ZafScrollLink &ScrollLink();

private:
    // SB_HORZ, SB_VERT or SB_CTL, and the window that has the bar.
    int BarKind() const;
    std::int32_t NewPosition(int request, int thumb) const;

    int kind;
    ZafScrollData *scrollData = nullptr;
};
