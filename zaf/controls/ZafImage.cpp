// ZafImage: construction, persistence, events and drawing. Loading the
// picture is in ZafImageBitmap.cpp.
#include "zaf/controls/ZafImage.h"

#include "zaf/core/ZafGdiDisplay.h"
#include "zaf/core/ZafText.h"
#include "zaf/core/ZafWindowPersistence.h"
#include "zaf/data/ZafObjectPersistence.h"
#include "zaf/data/ZafPersistenceRegistry.h"

#include <algorithm>
#include <cstring>

// --- Construction ----------------------------------------------------------------

ZafImage::ZafImage(int left, int top, int width, int height, const char *name, std::int32_t value)
    : ZafWindowObject(left, top, width, height), imageName(DuplicateLibraryString(name)), value(value)
{
    SetFlagTo(flagSystemDrawn, false);
    SetFlagTo(flagNoFocus, true);
    Load(errorNotLoaded);
}

ZafImage::ZafImage(const ZafImage &copy)
    : ZafWindowObject(copy), imageName(DuplicateLibraryString(copy.imageName)), value(copy.value),
      autoSize(copy.autoSize), scaled(copy.scaled), wallpaper(copy.wallpaper), parentImage(copy.parentImage)
{
    Load(errorNotLoaded);
}

ZafImage::~ZafImage()
{
    // A parent image borrows its parent's window: it is not destroyed here.
    if (parentImage)
        osWindow = nullptr;
    DestroyOSWindow();
    DestroyImageHandles();
    delete[] imageName;
}

bool ZafImage::IsClassID(ZafClassID id) const
{
    return id == classID || ZafWindowObject::IsClassID(id);
}

bool ZafImage::IsClassName(const char *name) const
{
    return (name && std::strcmp(name, className) == 0) || ZafWindowObject::IsClassName(name);
}

void ZafImage::Load(int errorCode)
{
    DestroyImageHandles();
    pictureWidth = pictureHeight = 0;
    if (!LoadResourceBitmap() && !LoadFileBitmap()) {
        DestroyImageHandles();
        SetError(errorCode);
    }
}

void ZafImage::DestroyImageHandles()
{
    if (bitmap)
        DeleteObject(bitmap);
    if (palette)
        DeleteObject(palette);
    bitmap = nullptr;
    palette = nullptr;
}

int ZafImage::SetImageName(const char *name)
{
    delete[] imageName;
    imageName = DuplicateLibraryString(name);
    SetError(0);
    Load(errorNotFound);
    Redisplay();
    return Error();
}

bool ZafImage::SetParentImage(bool flag)
{
    if (!parent) {
        parentImage = flag;
        SetFlagTo(flagSupportObject, flag);
        SetFlagTo(flagOwnWindow, !flag);
    }
    return parentImage;
}

// --- Persistence -------------------------------------------------------------------

ZafImage::ZafImage(const char *name, ZafWindowPersistence &persistence)
    : ZafWindowObject(name, persistence.PushLevel(className, classID, ZafWindowPersistence::childEntry))
{
    SetFlagTo(flagSystemDrawn, false);
    SetFlagTo(flagNoFocus, true);
    if (persistence.Error() == 0 && Error() == 0)
        ReadData(persistence);
    persistence.PopLevel();
    if (persistence.Error() != 0)
        SetError(static_cast<int>(persistence.Error()));
}

void ZafImage::ReadData(ZafWindowPersistence &persistence)
{
    char name[maxNameLength + 1] = "";
    std::int32_t storedValue = -1;
    std::uint16_t flags = 0;
    persistence.ReadStringInto(name, sizeof name);
    persistence.Read32(storedValue);
    persistence.Read16(flags);
    if (persistence.Error() != 0)
        return;
    imageName = *name ? DuplicateLibraryString(name) : nullptr;
    value = storedValue;
    autoSize = flags & storedAutoSize;
    scaled = flags & storedScaled;
    wallpaper = flags & storedWallpaper;
    parentImage = flags & storedParentImage;
    if (parentImage)
        SetFlagTo(flagOwnWindow, false);
    Load(errorNotLoaded);
}

ZafElement *ZafImage::New(const char *name, ZafWindowPersistence &persistence)
{
    return new ZafImage(name, persistence);
}

void ZafImage::RegisterPersistence()
{
    ZafPersistenceRegistry::RegisterNew(className, ZafObjectNew<New>);
}

void ZafImage::Write(ZafWindowPersistence &persistence)
{
    persistence.PushLevel(className, classID, ZafWindowPersistence::childEntry);
    ZafWindowObject::Write(persistence);
    if (persistence.Error() == 0)
        WriteData(persistence);
    persistence.PopLevel();
    if (persistence.Error() != 0)
        SetError(static_cast<int>(persistence.Error()));
}

void ZafImage::WriteData(ZafWindowPersistence &persistence)
{
    persistence.WriteString(imageName ? imageName : "");
    persistence.Write32(value);
    const auto flags =
        static_cast<std::uint16_t>((autoSize ? storedAutoSize : 0) | (scaled ? storedScaled : 0) |
                                   (wallpaper ? storedWallpaper : 0) | (parentImage ? storedParentImage : 0));
    persistence.Write16(flags);
}

// --- Events ------------------------------------------------------------------------

ZafEventType ZafImage::Event(const ZafEventRecord &event)
{
    switch (event.type) {
    case ZAF_REGION_CHANGED:
        if (scaled || (parentImage && !wallpaper))
            ZafWindowObject::Event(ZafEventRecord(ZAF_REDISPLAY));
        return event.type;
    case ZAF_APPLY_GEOMETRY: {
        const ZafEventType answer = ZafWindowObject::Event(event);
        // Without a picture there is no size to take: the region stays.
        if (autoSize && bitmap) {
            ZafRegionRect r = region;
            ConvertRegion(r, ZAF_PIXEL);
            r.right = r.left + pictureWidth - 1;
            r.bottom = r.top + pictureHeight - 1;
            SetRegion(r);
            MoveOSWindow();
        }
        return answer;
    }
    default:
        return ZafWindowObject::Event(event);
    }
}

ZafEventType ZafImage::HandleOSMessage(const ZafEventRecord &event)
{
    const MSG &m = event.osEvent;
    // In layout mode the library handles the mouse (the object is placed,
    // not used).
    if (layoutMode && m.message >= WM_MOUSEFIRST && m.message <= WM_MOUSELAST) {
        ZafEventRecord mouse = event;
        mouse.type = ZAF_MOUSE_EVENT;
        return ZafWindowObject::Event(mouse);
    }
    if (m.message == WM_PALETTECHANGED && reinterpret_cast<HWND>(m.wParam) == m.hwnd)
        return 0;
    if (m.message == WM_QUERYNEWPALETTE || m.message == WM_PALETTECHANGED) {
        if (!palette)
            return 0;
        HDC dc = GetDC(m.hwnd);
        HPALETTE old = SelectPalette(dc, palette, m.wParam != 0);
        const UINT realized = RealizePalette(dc);
        SelectPalette(dc, old, TRUE);
        ReleaseDC(m.hwnd, dc);
        if (realized)
            InvalidateRect(m.hwnd, nullptr, TRUE);
        return static_cast<ZafEventType>(realized);
    }
    return ZafWindowObject::HandleOSMessage(event);
}

HWND ZafImage::CreateOSWindow()
{
    if (!parentImage)
        return ZafWindowObject::CreateOSWindow();
    // A parent image draws on its parent's window (found through the parent
    // as its drawing window) but does not take that handle as its own: the
    // window object's own-window operations (moving, destroying it) would
    // then act on the parent's window.
    return nullptr;
}

// --- Drawing -------------------------------------------------------------------------

void ZafImage::Blit(HDC dc, const ZafRegionRect &area) const
{
    HDC memory = CreateCompatibleDC(dc);
    if (!memory)
        return;
    HPALETTE oldMemory = nullptr, oldTarget = nullptr;
    if (palette) {
        oldMemory = SelectPalette(memory, palette, TRUE);
        oldTarget = SelectPalette(dc, palette, TRUE);
        RealizePalette(dc);
    }
    HGDIOBJ old = SelectObject(memory, bitmap);
    const int width = area.Width(), height = area.Height();
    if (scaled) {
        StretchBlt(dc, area.left, area.top, width, height, memory, 0, 0, pictureWidth, pictureHeight, SRCCOPY);
    } else if (wallpaper && pictureWidth > 0 && pictureHeight > 0) {
        for (int y = area.top; y <= area.bottom; y += pictureHeight)
            for (int x = area.left; x <= area.right; x += pictureWidth)
                BitBlt(dc, x, y, std::min(pictureWidth, area.right - x + 1),
                       std::min(pictureHeight, area.bottom - y + 1), memory, 0, 0, SRCCOPY);
    } else {
        BitBlt(dc, area.left, area.top, std::min(width, pictureWidth), std::min(height, pictureHeight), memory, 0, 0,
               SRCCOPY);
    }
    SelectObject(memory, old);
    if (oldMemory)
        SelectPalette(memory, oldMemory, TRUE);
    if (oldTarget)
        SelectPalette(dc, oldTarget, TRUE);
    DeleteDC(memory);
}

ZafEventType ZafImage::Draw(const ZafEventRecord &, ZafEventType code)
{
    ZafDrawPass pass(*this);
    ZafRegionRect r = pass.Area();
    ZafGdiDisplay *display = ZafScreenGdiDisplay();
    if (HasFlag(flagBordered))
        DrawBorder(r, code);
    else if (layoutMode && display && display->CurrentDC())
        display->Rectangle(r.left, r.top, r.right, r.bottom, TypeColor(ZAF_PM_OUTLINE, GetSysColor(COLOR_WINDOWFRAME)),
                           false);
    if (!bitmap || !display || !display->CurrentDC()) {
        DrawBackground(r, code);
        return ZAF_REFUSED;
    }
    if (parentImage && !scaled && !wallpaper) {
        // Centred, with the margins around it in the background colour.
        const int left = r.left + (r.right - pictureWidth - r.left + 1) / 2;
        const int top = r.top + (r.bottom - pictureHeight - r.top + 1) / 2;
        const ZafRegionRect picture(left, top, left + pictureWidth - 1, top + pictureHeight - 1, ZAF_PIXEL);
        const ZafRegionRect margins[] = {
            {r.left, r.top, r.right, picture.top - 1, ZAF_PIXEL},
            {r.left, picture.bottom + 1, r.right, r.bottom, ZAF_PIXEL},
            {r.left, picture.top, picture.left - 1, picture.bottom, ZAF_PIXEL},
            {picture.right + 1, picture.top, r.right, picture.bottom, ZAF_PIXEL},
        };
        for (ZafRegionRect margin : margins)
            if (margin.right >= margin.left && margin.bottom >= margin.top)
                DrawBackground(margin, code);
        r = picture;
    }
    Blit(display->CurrentDC(), r);
    return code;
}
