#include "graphs/GraphTextBands.h"

#include "graphs/GRAPHWIN.h"
#include "graphs/TEKSTELEMENT.h"

#include <algorithm>

GraphTextBands::GraphTextBands(const GRAPHWIN &graph)
{
    const ElementRect &view = graph.View();
    width = view.right - view.left + 1;
    height = view.bottom - view.top + 1;
    measured = graph.OSHandle() && width > 1 && height > 1;
}

int GraphTextBands::Across(int pixels) const
{
    return measured ? static_cast<int>((static_cast<long long>(pixels) * GRAPHWIN::logicalWidth + width - 1) / width)
                    : pixels;
}

int GraphTextBands::Down(int pixels) const
{
    return measured
               ? static_cast<int>((static_cast<long long>(pixels) * GRAPHWIN::logicalHeight + height - 1) / height)
               : pixels;
}

int GraphTextBands::PixelsAcross(int logical) const
{
    return measured ? static_cast<int>(static_cast<long long>(logical) * width / GRAPHWIN::logicalWidth) : logical;
}

int GraphTextBands::PixelsDown(int logical) const
{
    return measured ? static_cast<int>(static_cast<long long>(logical) * height / GRAPHWIN::logicalHeight) : logical;
}

int GraphTextBands::LineHeight(int fontSize, std::uint32_t styleBits, int fallback) const
{
    return measured ? Down(TextHeightInFont(fontSize, styleBits) + gapPixels) : fallback;
}

int GraphTextBands::WidestText(const std::vector<std::string> &texts, int fontSize, std::uint32_t styleBits,
                               int fallback) const
{
    return measured ? Across(WidestTextInFont(texts, fontSize, styleBits)) : fallback;
}

int GraphTextBands::LabelRoom(const std::vector<std::string> &labels, int fontSize, std::uint32_t styleBits,
                              int left, int right, int fallback) const
{
    if (!measured)
        return fallback;
    const int wanted = WidestText(labels, fontSize, styleBits, 0) + Across(2 * gapPixels);
    // The plot from left + room to right keeps half the view's width.
    const int most = std::max(right - left - GRAPHWIN::logicalWidth / 2, Across(2 * gapPixels));
    return std::min(wanted, most);
}

std::string GraphTextBands::Cut(const std::string &label, int logicalWidth, int fontSize,
                                std::uint32_t styleBits) const
{
    if (!measured)
        return label;
    return CutTextToWidth(label, std::max(PixelsAcross(logicalWidth), 1), fontSize, styleBits);
}

GraphTextBands::SlotLabels GraphTextBands::FitToSlots(int slotPixels, int fontSize)
{
    SlotLabels fit{fontSize, 1};
    if (slotPixels <= 0)
        return fit;
    // A font as tall as the slot less a pixel, within the readable sizes.
    const int smallest = std::min(smallestLabelFont, fontSize);
    fit.fontSize = std::max(std::min(fontSize, slotPixels - 1), smallest);
    // Slots lower than that font show every stride-th label.
    fit.stride = std::max((fit.fontSize + 1 + slotPixels - 1) / slotPixels, 1);
    return fit;
}
