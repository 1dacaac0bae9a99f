#include "graphs/TEKSTELEMENT.h"

#include "graphs/DrawStyle.h"

#include "dataset/AssumeError.h"
#include "graphs/GRAPHWIN.h"
#include "graphs/GROUPELEMENT.h"
#include "graphs/GraphTextBands.h"

#include <algorithm>
#include <cstring>

namespace {

char *CopyText(const char *text)
{
    if (!text)
        return nullptr;
    char *copy = new char[std::strlen(text) + 1];
    std::strcpy(copy, text);
    return copy;
}

} // namespace

TEKSTELEMENT::TEKSTELEMENT(int x, int y, const char *newText, int alignmentBits)
    : element(kindText), text(CopyText(newText)), alignment(static_cast<std::uint16_t>(alignmentBits)),
      builtText(newText ? newText : "")
{
    logical = ElementRect{x, y, x, y, 0};
    reference = logical;
    SetFlag(flagStale);
    SetFlag(flagVisible);
}

TEKSTELEMENT::TEKSTELEMENT(int x, int y) : element(kindText), alignment(17)
{
    device = ElementRect{x, y, x, y, 0};
    SetFlag(flagDeviceText);
    SetFlag(flagVisible);
}

TEKSTELEMENT::~TEKSTELEMENT()
{
    if (font)
        DeleteObject(font);
    delete[] text;
}

void TEKSTELEMENT::SetText(const char *newText)
{
    char *copy = CopyText(newText ? newText : "");
    delete[] text;
    text = copy;
}

void TEKSTELEMENT::SetFont(int size, std::uint32_t bits)
{
    fontSize = size;
    styleBits = bits;
}

void TEKSTELEMENT::SetFontSize(int size)
{
    fontSize = size;
    if (font)
        DeleteObject(font);
    font = nullptr;
    if (owner && owner->OSHandle())
        Measure();
}

std::string TEKSTELEMENT::ContentKey() const
{
    return element::ContentKey() + ":" + builtText;
}

HFONT TEKSTELEMENT::MakeFont(int size) const
{
    LOGFONTA face = {};
    face.lfHeight = size ? size : fontSize;
    face.lfWeight = (styleBits & styleBold) ? FW_BOLD : FW_NORMAL;
    face.lfItalic = (styleBits & styleItalic) ? 1 : 0;
    if (styleBits & styleFixed)
        face.lfPitchAndFamily = FIXED_PITCH | FF_MODERN;
    else if (styleBits & styleSerif)
        face.lfPitchAndFamily = VARIABLE_PITCH | FF_ROMAN;
    else
        face.lfPitchAndFamily = VARIABLE_PITCH | FF_SWISS;
    return CreateFontIndirectA(&face);
}

void TEKSTELEMENT::Measure()
{
    if (!AssumeError(owner != nullptr, __FILE__, __LINE__, "graphwin"))
        return;
    if (!font)
        font = MakeFont();
    HDC dc = owner->GetDrawDC();
    SIZE extent = {100, 8};
    HGDIOBJ old = dc && font ? SelectObject(dc, font) : nullptr;
    if (old) {
        const int length = static_cast<int>(std::strlen(Text()));
        if (!GetTextExtentPoint32A(dc, Text(), length, &extent))
            extent = SIZE{100, 8};
        SelectObject(dc, old);
    }
    device.right = device.left + extent.cx;
    device.top = device.bottom - extent.cy;
    int cx = extent.cx, cy = extent.cy;
    owner->ToLogicalUnits(cx, cy);
    logical.right = logical.left + cx;
    logical.top = logical.bottom - cy;
    reference = logical;
}

void TEKSTELEMENT::Update()
{
    if (!owner || !owner->OSHandle())
        return;
    Measure();
    owner->ElementToDevice(this);
    ClearFlag(flagStale);
    if (parent)
        parent->Widen(this);
}

void TEKSTELEMENT::CutToWidth(int pixels)
{
    if (!cut)
        wholeText = Text();
    cut = true;
    SetText(CutTextToWidth(wholeText, std::max(pixels, 1), fontSize, styleBits).c_str());
    Update();
}

void TEKSTELEMENT::RestoreWholeText()
{
    if (!cut)
        return;
    cut = false;
    SetText(wholeText.c_str());
    Update();
}

void TEKSTELEMENT::Draw()
{
    if (!owner || HasFlag(flagLeftOut))
        return;
    if (HasFlag(flagStale)) {
        Update();
        ClearFlag(flagStale);
    }
    HDC dc = owner->GetDrawDC();
    if (!dc)
        return;
    int numerator = 1, denominator = 1, originX = 0, originY = 0;
    owner->OutputScale(numerator, denominator, originX, originY);
    // On a scaled device the font grows with the points it is drawn among.
    const int size = numerator != denominator ? fontSize * numerator / denominator : fontSize;
    HFONT drawFont = MakeFont(size);
    HGDIOBJ old = SelectObject(dc, drawFont);
    TEXTMETRICA metrics = {};
    GetTextMetricsA(dc, &metrics);
    const int x = static_cast<int>(static_cast<long long>(device.left) * numerator / denominator) + originX;
    const int y =
        static_cast<int>(static_cast<long long>(device.top) * numerator / denominator) + originY + metrics.tmHeight;
    UINT horizontal = TA_LEFT;
    if (alignment & alignRight)
        horizontal = TA_RIGHT;
    else if (alignment & alignCentre)
        horizontal = TA_CENTER;
    UINT vertical = TA_BOTTOM;
    if (alignment & alignTop)
        vertical = TA_TOP;
    else if (alignment & alignBaseline)
        vertical = TA_BASELINE;
    // The alignment is the context's state: give the caller's back, so that
    // whatever draws on the same context next (a printer's text lines)
    // starts from it.
    const UINT oldAlign = SetTextAlign(dc, horizontal | vertical);
    const COLORREF oldColour = SetTextColor(dc, TextColour());
    TextOutA(dc, x, y, Text(), static_cast<int>(std::strlen(Text())));
    SetTextColor(dc, oldColour);
    if (oldAlign != GDI_ERROR)
        SetTextAlign(dc, oldAlign);
    SelectObject(dc, old);
    DeleteObject(drawFont);
    if (font)
        DeleteObject(font);
    font = nullptr;
}

COLORREF TEKSTELEMENT::TextColour() const
{
    if (!contrastWith)
        return RGB(0, 0, 0);
    const COLORREF fill = contrastWith->FillColour();
    // Perceived lightness (ITU-R BT.601 weights).
    const int lightness = (299 * GetRValue(fill) + 587 * GetGValue(fill) + 114 * GetBValue(fill)) / 1000;
    return lightness < 128 ? RGB(255, 255, 255) : RGB(0, 0, 0);
}

namespace {

// A context of its own with the font selected, so that nothing is recorded
// into a metafile or a printer being drawn on.
class MeasuringContext
{
public:
    MeasuringContext(int fontSize, std::uint32_t styleBits)
    {
        TEKSTELEMENT measure(0, 0, "", 0);
        measure.SetFont(fontSize, styleBits);
        font = measure.MakeFont();
        dc = CreateCompatibleDC(nullptr);
        if (dc && font)
            old = SelectObject(dc, font);
    }
    ~MeasuringContext()
    {
        if (dc && old)
            SelectObject(dc, old);
        if (dc)
            DeleteDC(dc);
        if (font)
            DeleteObject(font);
    }
    MeasuringContext(const MeasuringContext &) = delete;
    MeasuringContext &operator=(const MeasuringContext &) = delete;

    // The font's metrics; false when they cannot be read.
    bool Metrics(TEXTMETRICA &metrics) const { return dc && GetTextMetricsA(dc, &metrics); }

    int Width(const std::string &text) const
    {
        SIZE extent = {0, 0};
        if (dc)
            GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &extent);
        return extent.cx;
    }

private:
    HDC dc = nullptr;
    HFONT font = nullptr;
    HGDIOBJ old = nullptr;
};

} // namespace

RECT TEKSTELEMENT::DrawnRect()
{
    if (HasFlag(flagStale))
        Update();
    const int width = device.right - device.left, height = device.bottom - device.top;
    RECT r = {device.left, device.top, device.right, device.bottom};
    if (alignment & alignRight)
        r.left = device.left - width, r.right = device.left;
    else if (alignment & alignCentre)
        r.left = device.left - width / 2, r.right = r.left + width;
    // Drawn from the anchor at device.top plus the font's height.
    int ascent = height, cellHeight = height;
    TEXTMETRICA metrics = {};
    if (MeasuringContext(fontSize, styleBits).Metrics(metrics))
        ascent = metrics.tmAscent, cellHeight = metrics.tmHeight;
    const int y = device.top + cellHeight;
    if (alignment & alignTop)
        r.top = y, r.bottom = y + height;
    else if (alignment & alignBaseline)
        r.top = y - ascent, r.bottom = y - ascent + height;
    else
        r.top = y - height, r.bottom = y;
    return r;
}

void TEKSTELEMENT::SetEnd(double fx, double fy)
{
    // The new size is centred on the old top-left corner.
    const int oldLeft = device.left, oldTop = device.top;
    element::SetEnd(fx, fy);
    const int halfWidth = (device.right - device.left + 1) / 2;
    const int halfHeight = (device.bottom - device.top + 1) / 2;
    device.left = oldLeft - halfWidth;
    device.right -= halfWidth;
    device.top = oldTop - halfHeight;
    device.bottom -= halfHeight;
}


RECT DrawnRectOf(TEKSTELEMENT *text)
{
    return text && *text->Text() ? text->DrawnRect() : RECT{0, 0, 0, 0};
}

int TextWidthInFont(const std::string &text, int fontSize, std::uint32_t styleBits)
{
    return MeasuringContext(fontSize, styleBits).Width(text);
}

int TextHeightInFont(int fontSize, std::uint32_t styleBits)
{
    TEXTMETRICA metrics = {};
    return MeasuringContext(fontSize, styleBits).Metrics(metrics) ? metrics.tmHeight : fontSize;
}

int WidestTextInFont(const std::vector<std::string> &texts, int fontSize, std::uint32_t styleBits)
{
    const MeasuringContext context(fontSize, styleBits);
    int widest = 0;
    for (const std::string &text : texts)
        widest = std::max(widest, context.Width(text));
    return widest;
}

std::string CutTextToWidth(const std::string &text, int pixels, int fontSize, std::uint32_t styleBits)
{
    const MeasuringContext context(fontSize, styleBits);
    if (context.Width(text) <= pixels)
        return text;
    for (std::size_t kept = text.size() - 1; kept > 2; --kept) {
        const std::size_t front = (kept + 1) / 2, back = kept - front;
        const std::string cut = text.substr(0, front) + ".." + text.substr(text.size() - back);
        if (context.Width(cut) <= pixels)
            return cut;
    }
    return text.substr(0, 1) + "..";
}
