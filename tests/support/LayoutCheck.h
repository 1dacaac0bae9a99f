// The layout of a window as Windows shows it, checked control by control:
// each visible control's text, measured with its font (GetTextExtentPoint32A),
// fits its rectangle with the control's frame, check glyph or edges; each
// control lies inside its parent's client area (a group's inside below its
// title); no two visible controls of one parent cover each other; and the
// window lies on the screen. Each problem is one line naming the control.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "zaf/controls/ZafButton.h"
#include "zaf/controls/ZafPrompt.h"
#include "zaf/controls/ZafString.h"
#include "zaf/core/ZafGdiDisplay.h"
#include "zaf/core/ZafGroup.h"
#include "zaf/core/ZafWindow.h"

namespace testsupport {

class LayoutCheck
{
public:
    explicit LayoutCheck(ZafWindowObject *root)
    {
        screen = GetDC(nullptr);
        CheckOnScreen(root);
        if (auto *window = dynamic_cast<ZafWindow *>(root))
            CheckChildren(window);
        ReleaseDC(nullptr, screen);
    }
    LayoutCheck(const LayoutCheck &) = delete;
    LayoutCheck &operator=(const LayoutCheck &) = delete;

    // All problems, one a line (empty when the layout is sound).
    std::string Report() const
    {
        std::string all;
        for (const std::string &p : problems)
            all += p + "\n";
        return all;
    }

    std::vector<std::string> problems;

    // The text as shown: "&&" is one '&', a single '&' marks the hot key.
    static std::string Shown(const char *text)
    {
        std::string shown;
        for (const char *c = text; c && *c; ++c) {
            if (*c == '&' && c[1] != '&')
                continue;
            if (*c == '&')
                ++c;
            shown += *c;
        }
        return shown;
    }

    // Where the object stands on the screen: its own window's rectangle, or
    // its place in the window that draws it.
    static RECT ScreenRect(ZafWindowObject *object)
    {
        RECT r = {};
        if (HWND own = object->OSHandle()) {
            GetWindowRect(own, &r);
            return r;
        }
        const ZafRegionRect place = object->GetWindowRegion();
        r = {place.left, place.top, place.right + 1, place.bottom + 1};
        if (HWND host = object->DrawingHandle())
            MapWindowPoints(host, nullptr, reinterpret_cast<POINT *>(&r), 2);
        return r;
    }

private:
    static std::string Name(ZafWindowObject *object)
    {
        std::string name = object->StringID() ? object->StringID() : object->ClassName();
        if (const char *text = object->Text())
            if (*text)
                name += " \"" + Shown(text) + "\"";
        return name;
    }
    static std::string Describe(const RECT &r)
    {
        return "(" + std::to_string(r.left) + "," + std::to_string(r.top) + ")-(" + std::to_string(r.right) + "," +
               std::to_string(r.bottom) + ")";
    }
    static bool Inside(const RECT &inner, const RECT &outer)
    {
        return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
               inner.bottom <= outer.bottom;
    }
    static bool Empty(const RECT &r) { return r.right <= r.left || r.bottom <= r.top; }

    // The area of a window that its children may use, on the screen.
    RECT ChildArea(ZafWindow *window)
    {
        RECT area = {};
        if (HWND own = window->OSHandle()) {
            GetClientRect(own, &area);
            MapWindowPoints(own, nullptr, reinterpret_cast<POINT *>(&area), 2);
        } else {
            area = ScreenRect(window);
        }
        if (dynamic_cast<ZafGroup *>(window)) {
            // The title line and the frame's lines are the group's own.
            area.top += LineHeight(window);
            area.left += 2;
            area.right -= 2;
            area.bottom -= 2;
        }
        return area;
    }

    HFONT FontOf(ZafWindowObject *object)
    {
        if (HWND own = object->OSHandle())
            if (auto font = reinterpret_cast<HFONT>(SendMessageA(own, WM_GETFONT, 0, 0)))
                return font;
        ZafGdiDisplay *display = ZafScreenGdiDisplay();
        ZafPaletteStruct palette;
        object->LogicalPalette(palette, ZAF_PM_TEXT, object->PaletteState());
        const int index = palette.font == ZAF_FONT_UNSET ? ZAF_FONT_DIALOG : palette.font;
        return display ? display->Font(index) : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    }
    SIZE Extent(ZafWindowObject *object, const std::string &text)
    {
        SIZE size = {0, 0};
        HGDIOBJ old = SelectObject(screen, FontOf(object));
        TEXTMETRICA tm;
        GetTextMetricsA(screen, &tm);
        GetTextExtentPoint32A(screen, text.c_str(), static_cast<int>(text.size()), &size);
        size.cy = tm.tmHeight;
        SelectObject(screen, old);
        return size;
    }
    int LineHeight(ZafWindowObject *object) { return Extent(object, "").cy; }

    void CheckOnScreen(ZafWindowObject *root)
    {
        const RECT r = ScreenRect(root);
        const RECT desk = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
        if (!Inside(r, desk))
            problems.push_back(Name(root) + " " + Describe(r) + " leaves the screen " + Describe(desk));
    }

    // What the control needs around its text: (width, height) added to
    // the text's extent.
    bool Frame(ZafWindowObject *object, SIZE &frame)
    {
        const int edge = GetSystemMetrics(SM_CXEDGE);
        if (auto *button = dynamic_cast<ZafButton *>(object)) {
            if (button->Type() == ZafButton::checkBox || button->Type() == ZafButton::radioButton) {
                frame = {GetSystemMetrics(SM_CXMENUCHECK) + 4, 0};
                return true;
            }
            if (button->Type() == ZafButton::flatButton)
                return false; // a picture, its text the tip
            frame = {4 * edge, 2 * edge};
            return true;
        }
        if (dynamic_cast<ZafPrompt *>(object)) {
            frame = {0, 0};
            return true;
        }
        if (dynamic_cast<ZafGroup *>(object)) {
            frame = {8 * edge, 0};
            return true;
        }
        if (auto *field = dynamic_cast<ZafString *>(object)) {
            // The client area holds the line; the margins of an EDIT
            // control take a pixel or two on each side.
            const int border = field->Bordered() ? 2 * edge : 0;
            frame = {border + 4, border};
            return true;
        }
        return false;
    }

    void CheckText(ZafWindowObject *object, const RECT &r)
    {
        SIZE frame;
        if (!Frame(object, frame))
            return;
        const std::string text = Shown(object->Text());
        const SIZE extent = Extent(object, text);
        const int width = r.right - r.left, height = r.bottom - r.top;
        if (!text.empty() && extent.cx + frame.cx > width)
            problems.push_back(Name(object) + " needs " + std::to_string(extent.cx + frame.cx) +
                               " pixels across and has " + std::to_string(width));
        // A group's title stands on its frame line, above its area.
        if (!dynamic_cast<ZafGroup *>(object) && extent.cy + frame.cy > height)
            problems.push_back(Name(object) + " needs " + std::to_string(extent.cy + frame.cy) +
                               " pixels down and has " + std::to_string(height));
    }

    void CheckChildren(ZafWindow *window)
    {
        const RECT area = ChildArea(window);
        std::vector<std::pair<ZafWindowObject *, RECT>> shown;
        for (ZafWindowObject *child = window->FirstChild(); child;
             child = static_cast<ZafWindowObject *>(child->Next())) {
            if (!child->Visible())
                continue;
            const RECT r = ScreenRect(child);
            if (Empty(r))
                continue;
            if (!Inside(r, area))
                problems.push_back(Name(child) + " " + Describe(r) + " leaves " + Name(window) + " " +
                                   Describe(area));
            for (const auto &other : shown) {
                RECT common;
                if (IntersectRect(&common, &r, &other.second))
                    problems.push_back(Name(child) + " " + Describe(r) + " covers " + Name(other.first) + " " +
                                       Describe(other.second));
            }
            shown.emplace_back(child, r);
            CheckText(child, r);
            // The rows of lists and tables are theirs to lay out.
            auto *inner = dynamic_cast<ZafWindow *>(child);
            if (inner && !inner->IsClassID(listFamilyID) && !inner->IsClassName("ZafTable"))
                CheckChildren(inner);
        }
    }

    static constexpr ZafClassID listFamilyID = 1001;
    HDC screen = nullptr;
};

} // namespace testsupport
