// ZafProgressBar: construction, persistence, the watched scroll data and
// drawing.
#include "zaf/controls/ZafProgressBar.h"

#include "zaf/core/ZafGdiDisplay.h"
#include "zaf/core/ZafWindowPersistence.h"
#include "zaf/data/ZafObjectPersistence.h"
#include "zaf/data/ZafPersistenceRegistry.h"
#include "zaf/data/ZafScrollData.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace {

// Notified of: the data goes (1) and its value changed (2).
constexpr ZafUpdateType observedKinds = 3;
constexpr ZafUpdateType dataGoing = 1;

constexpr ZafPaletteStruct Entry(std::uint8_t color, std::uint8_t mono)
{
    ZafPaletteStruct p;
    p.colorForeground = color;
    p.colorBackground = color;
    p.monoForeground = mono;
    p.monoBackground = mono;
    p.font = ZAF_FONT_DIALOG;
    return p;
}

// Stored flag word: orientation, edge style and text mode, 4 bits each.
constexpr int orientationShift = 0;
constexpr int edgeStyleShift = 4;
constexpr int textModeShift = 8;

ZafScrollData *DefaultScrollData()
{
    return new ZafScrollData(0, 100, 100, 1, 1);
}

} // namespace

// White remaining part, blue done part.
const ZafPaletteMap ZafProgressBar::paletteMap[] = {
    {ZAF_PM_BACKGROUND, ZAF_PM_ANY_STATE, Entry(15, 2)},
    {ZAF_PM_TEXT, ZAF_PM_ANY_STATE, Entry(1, 0)},
    {0, 0, ZafPaletteStruct()},
};

// --- Construction ----------------------------------------------------------------

ZafProgressBar::ZafProgressBar(int left, int top, int width, int height, ZafScrollData *data)
    : ZafWindowObject(left, top, width, height)
{
    Construct(data ? data : DefaultScrollData());
}

void ZafProgressBar::Construct(ZafScrollData *data)
{
    ApplyFixedAttributes();
    SetScrollData(data);
}

void ZafProgressBar::ApplyFixedAttributes()
{
    SetFlagTo(flagSystemDrawn, false);
    // Whatever a copy or the file brought along.
    SetUserFunction(nullptr);
    SetHelpContext(nullptr);
    SetFocus(false);
    SetNoFocus(true);
    SetSelected(false);
    SetAcceptDrop(false);
    SetCopyDraggable(false);
    SetMoveDraggable(false);
    SetSecondDragFlag(false);
    SetParentDrawsBorder(false);
    SetParentDrawsFocus(false);
    SetNoClassPalette(false);
}

ZafProgressBar::ZafProgressBar(const ZafProgressBar &copy)
    : ZafWindowObject(copy), textMode(copy.textMode), orientation(copy.orientation), edgeStyle(copy.edgeStyle)
{
    ZafScrollData *data = copy.scrollData;
    if (data && data->Destroyable())
        data = static_cast<ZafScrollData *>(data->Duplicate());
    Construct(data ? data : DefaultScrollData());
}

ZafProgressBar::~ZafProgressBar()
{
    DestroyOSWindow();
    SetScrollData(nullptr);
}

bool ZafProgressBar::IsClassID(ZafClassID id) const
{
    return id == classID || ZafWindowObject::IsClassID(id);
}

bool ZafProgressBar::IsClassName(const char *name) const
{
    return (name && std::strcmp(name, className) == 0) || ZafWindowObject::IsClassName(name);
}

int ZafProgressBar::SetScrollData(ZafScrollData *data)
{
    if (data == scrollData)
        return 0;
    if (ZafScrollData *old = scrollData) {
        scrollData = nullptr;
        old->SubtractNotification(this, UpdateFromData);
        if (old->Destroyable() && old->NotificationCount() == 0)
            delete old;
    }
    scrollData = data;
    if (scrollData)
        scrollData->AddNotification(this, UpdateFromData, observedKinds);
    Redisplay();
    return 0;
}

int ZafProgressBar::UpdateFromData(ZafElement *observer, std::uint32_t kinds)
{
    auto *bar = dynamic_cast<ZafProgressBar *>(observer);
    if (!bar)
        return 1;
    if (kinds & dataGoing)
        return 0;
    if (kinds & ZafNotification::valueChanged) {
        bar->Event(ZafEventRecord(ZAF_REDISPLAY_CHANGE));
        return 0;
    }
    return 1;
}

// --- Persistence -------------------------------------------------------------------

ZafProgressBar::ZafProgressBar(const char *name, ZafWindowPersistence &persistence)
    : ZafWindowObject(name, persistence.PushLevel(className, classID, ZafWindowPersistence::childEntry))
{
    ApplyFixedAttributes();
    if (persistence.Error() == 0)
        ReadFields(persistence);
    if (!scrollData)
        SetScrollData(DefaultScrollData());
    persistence.PopLevel();
    if (persistence.Error() != 0)
        SetError(static_cast<int>(persistence.Error()));
}

void ZafProgressBar::ReadFields(ZafWindowPersistence &persistence)
{
    std::uint16_t flags = 0;
    char name[ZafWindowPersistence::maxNameLength + 1] = "";
    persistence.Read16(flags);
    persistence.ReadStringInto(name, sizeof name);
    if (persistence.Error() != 0)
        return;
    orientation = (flags >> orientationShift) & 0x0F;
    edgeStyle = (flags >> edgeStyleShift) & 0x0F;
    const int mode = (flags >> textModeShift) & 0x0F;
    textMode = mode <= textPercent ? static_cast<TextMode>(mode) : textNone;
    auto *data = dynamic_cast<ZafDataPersistence *>(&persistence);
    if (!*name || !data)
        return;
    auto *read = new ZafScrollData(name, *data);
    if (read->Error() != 0) {
        persistence.SetError(static_cast<std::uint32_t>(read->Error()));
        delete read;
        return;
    }
    SetScrollData(read);
}

ZafElement *ZafProgressBar::New(const char *name, ZafWindowPersistence &persistence)
{
    return new ZafProgressBar(name, persistence);
}

void ZafProgressBar::RegisterPersistence()
{
    ZafPersistenceRegistry::RegisterNew(className, ZafObjectNew<New>);
}

void ZafProgressBar::Write(ZafWindowPersistence &persistence)
{
    persistence.PushLevel(className, classID, ZafWindowPersistence::childEntry);
    ZafWindowObject::Write(persistence);
    if (persistence.Error() == 0) {
        if (scrollData && !scrollData->StringID())
            scrollData->SetStringID(ZafData::MakeDefaultName());
        const auto flags =
            static_cast<std::uint16_t>(((textMode & 0x0F) << textModeShift) | ((edgeStyle & 0x0F) << edgeStyleShift) |
                                       ((orientation & 0x0F) << orientationShift));
        persistence.Write16(flags);
        persistence.WriteString(scrollData ? scrollData->StringID() : "");
        auto *data = dynamic_cast<ZafDataPersistence *>(&persistence);
        if (scrollData && data && persistence.Error() == 0)
            scrollData->Write(*data);
    }
    persistence.PopLevel();
    if (persistence.Error() != 0)
        SetError(static_cast<int>(persistence.Error()));
}

// --- Events ------------------------------------------------------------------------

ZafEventType ZafProgressBar::Event(const ZafEventRecord &event)
{
    if (event.type == ZAF_FOCUS_CHANGE) {
        const ZafEventType result = ZafWindowObject::Event(event);
        ZafWindowObject::Event(ZafEventRecord(ZAF_REDISPLAY));
        return result;
    }
    return ZafWindowObject::Event(event);
}

// --- The figures -------------------------------------------------------------------

int ZafProgressBar::Percent() const
{
    if (!scrollData)
        return 0;
    const std::int64_t minimum = scrollData->minimum, maximum = scrollData->maximum;
    if (maximum <= minimum)
        return 100;
    // In 64 bits and clamped: a wide range overflows 32 bits, and a value
    // outside the range would draw the fill outside the bar.
    const std::int64_t p = (std::int64_t{scrollData->current} - minimum) * 100 / (maximum - minimum);
    return static_cast<int>(std::clamp<std::int64_t>(p, 0, 100));
}

void ZafProgressBar::FormatText(char *buffer, int size) const
{
    if (size <= 0)
        return;
    buffer[0] = '\0';
    if (textMode == textValue)
        std::snprintf(buffer, static_cast<std::size_t>(size), "%d",
                      scrollData ? static_cast<int>(scrollData->current) : 0);
    else if (textMode == textPercent)
        std::snprintf(buffer, static_cast<std::size_t>(size), "%d%%", Percent());
}

void ZafProgressBar::SplitArea(const ZafRegionRect &area, ZafRegionRect &done, ZafRegionRect &rest) const
{
    const int p = Percent();
    done = rest = area;
    if (orientation == horizontal) {
        done.right = area.left + area.Width() * p / 100 - 1;
        rest.left = done.right + 1;
    } else {
        rest.bottom = area.top + area.Height() * (100 - p) / 100 - 1;
        done.top = rest.bottom + 1;
    }
}

// --- Drawing -----------------------------------------------------------------------

void ZafProgressBar::EntryColors(std::uint16_t type, std::uint16_t state, COLORREF &foreground,
                                 COLORREF &background) const
{
    ZafPaletteStruct entry;
    LogicalPalette(entry, type, state);
    ResolveSystemColors(entry, type, state);
    foreground = PaletteColor(entry.colorForeground, entry.osColorForeground, GetSysColor(COLOR_WINDOWTEXT));
    background = PaletteColor(entry.colorBackground, entry.osColorBackground, GetSysColor(COLOR_WINDOW));
}

ZafEventType ZafProgressBar::Draw(const ZafEventRecord &, ZafEventType code)
{
    ZafDrawPass pass(*this);
    ZafGdiDisplay *display = ZafScreenGdiDisplay();
    if (!display || !display->CurrentDC())
        return code;
    HDC dc = display->CurrentDC();
    const std::uint16_t state = PaletteState();
    ZafRegionRect r = pass.Area();
    // A status bar draws the border of the bars it holds.
    if (HasFlag(flagBordered))
        DrawBorder(r, code);
    if (edgeStyle == edgeSunken || edgeStyle == 1)
        DrawEdges(r, -2, code);
    else if (edgeStyle == edgeRaised)
        DrawEdges(r, 2, code);

    ZafRegionRect done, rest;
    SplitArea(r, done, rest);
    COLORREF doneText, doneFill, restText, restFill;
    EntryColors(ZAF_PM_TEXT, state, doneText, doneFill);
    EntryColors(ZAF_PM_BACKGROUND, state, restText, restFill);
    if (rest.right >= rest.left && rest.bottom >= rest.top)
        display->Rectangle(rest.left, rest.top, rest.right, rest.bottom, restFill, true);
    if (done.right >= done.left && done.bottom >= done.top)
        display->Rectangle(done.left, done.top, done.right, done.bottom, doneFill, true);

    char text[32];
    FormatText(text, sizeof text);
    if (!*text)
        return code;
    ZafPaletteStruct textEntry;
    LogicalPalette(textEntry, ZAF_PM_TEXT, state);
    const RECT all = {r.left, r.top, r.right + 1, r.bottom + 1};
    // The text twice, each clipped to one part, in the other part's colour.
    const struct
    {
        const ZafRegionRect &part;
        COLORREF color;
    } passes[] = {{rest, doneFill}, {done, restFill}};
    for (const auto &part : passes) {
        if (part.part.right < part.part.left || part.part.bottom < part.part.top)
            continue;
        const int saved = SaveDC(dc);
        IntersectClipRect(dc, part.part.left, part.part.top, part.part.right + 1, part.part.bottom + 1);
        display->SelectFont(textEntry.font == ZAF_FONT_UNSET ? ZAF_FONT_DIALOG : textEntry.font);
        display->SetColors(part.color, part.color);
        display->Text(all, text, ZAF_HZ_CENTER, ZAF_VT_CENTER, false);
        RestoreDC(dc, saved);
    }
    return code;
}

// --- Colours and font ----------------------------------------------------------------

void ZafProgressBar::EditEntry(std::uint16_t type, int color, int monoColor, int font)
{
    const ZafPaletteLink &link = PaletteLink();
    if (!link.create || !link.map || !link.setPalette)
        return;
    if (!paletteData)
        SetPaletteData(link.create());
    ZafPaletteStruct entry;
    for (const ZafPaletteMap *row = link.map(paletteData); row && !row->IsEnd(); ++row)
        if (row->type == type && row->state == ZAF_PM_ANY_STATE)
            entry = row->palette;
    if (color >= 0) {
        entry.colorForeground = entry.colorBackground = static_cast<std::uint8_t>(color);
        entry.monoForeground = entry.monoBackground = static_cast<std::uint8_t>(monoColor);
    }
    if (font >= 0)
        entry.font = static_cast<std::uint8_t>(font);
    link.setPalette(paletteData, type, ZAF_PM_ANY_STATE, entry);
    Redisplay();
}

int ZafProgressBar::SetBackgroundColor(int color, int monoColor)
{
    EditEntry(ZAF_PM_BACKGROUND, color, monoColor, -1);
    return color;
}

int ZafProgressBar::SetTextColor(int color, int monoColor)
{
    EditEntry(ZAF_PM_TEXT, color, monoColor, -1);
    return color;
}

int ZafProgressBar::SetFont(int font)
{
    EditEntry(ZAF_PM_BACKGROUND, -1, -1, font);
    EditEntry(ZAF_PM_TEXT, -1, -1, font);
    return font;
}
