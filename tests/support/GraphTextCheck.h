// The texts of a graph as its window shows them: every visible text
// (titles, captions, axis numbers and titles, value labels, legends, inside
// groups too) lies inside the window's client area, no two cover the same
// pixels, and the plot keeps at least a third of the window each way; asked
// for, none lies across the border of the graph's plot (a text is wholly
// off the plot, or wholly inside it as a figure in its bar) and none is
// drawn in a font too small to read. Each problem is one line naming the
// texts and their pixels.
#pragma once

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "graphs/GRAPHWIN.h"
#include "graphs/GROUPELEMENT.h"
#include "graphs/TEKSTELEMENT.h"

namespace testsupport {

class GraphTextCheck
{
public:
    explicit GraphTextCheck(GRAPHWIN &graph)
    {
        Collect(graph.Elements());
        GetClientRect(graph.OSHandle(), &client);
        std::vector<RECT> drawn;
        for (TEKSTELEMENT *text : texts) {
            const RECT r = text->DrawnRect();
            drawn.push_back(r);
            if (r.left < client.left || r.top < client.top || r.right > client.right || r.bottom > client.bottom)
                problems.push_back(Name(text, r) + " leaves the window of " + std::to_string(client.right) + " x " +
                                   std::to_string(client.bottom));
        }
        const ElementRect plot = graph.PlotRegion();
        if (!plot.AllZero()) {
            plotPixels = DeviceRect(graph, plot);
            ExpectPlotShare(plotPixels, "the plot");
        }
        for (std::size_t i = 0; i < drawn.size(); ++i)
            for (std::size_t j = i + 1; j < drawn.size(); ++j) {
                RECT common;
                if (IntersectRect(&common, &drawn[i], &drawn[j]))
                    problems.push_back(Name(texts[i], drawn[i]) + " and " + Name(texts[j], drawn[j]) + " overlap");
            }
    }
    GraphTextCheck(const GraphTextCheck &) = delete;
    GraphTextCheck &operator=(const GraphTextCheck &) = delete;

    // Texts other than those allowed there that cover any pixel of the
    // area (a plot, a pie, a legend swatch) are problems too.
    void ExpectOff(const RECT &area, const std::string &what, const std::vector<TEKSTELEMENT *> &allowed = {})
    {
        for (TEKSTELEMENT *text : texts) {
            if (std::find(allowed.begin(), allowed.end(), text) != allowed.end())
                continue;
            const RECT r = text->DrawnRect();
            RECT common;
            if (IntersectRect(&common, &r, &area))
                problems.push_back(Name(text, r) + " lies on " + what);
        }
    }
    // No text lies across the border of the graph's plot.
    void ExpectOffThePlotsBorder()
    {
        if (!IsRectEmpty(&plotPixels))
            ExpectNotAcross(plotPixels, "the plot's border");
    }
    // Texts that cover some pixels of the area but not all of their own
    // inside it (the area's edges excluded) are problems.
    void ExpectNotAcross(const RECT &area, const std::string &what)
    {
        const RECT inner = {area.left + 1, area.top + 1, area.right - 1, area.bottom - 1};
        for (TEKSTELEMENT *text : texts) {
            const RECT r = text->DrawnRect();
            RECT common;
            if (!IntersectRect(&common, &r, &inner))
                continue;
            const bool inside = r.left >= area.left && r.top >= area.top && r.right <= area.right + 1 &&
                                r.bottom <= area.bottom + 1;
            if (!inside)
                problems.push_back(Name(text, r) + " lies across " + what);
        }
    }
    // Texts drawn in a font smaller than that many pixels are problems.
    void ExpectReadable(int smallestFont)
    {
        for (TEKSTELEMENT *text : texts)
            if (text->FontSize() < smallestFont)
                problems.push_back(Name(text, text->DrawnRect()) + " is drawn in a font of " +
                                   std::to_string(text->FontSize()) + " pixels");
    }
    // A plot (device pixels) narrower or lower than a third of the window
    // is a problem: in a small window the texts give way, not the plot.
    void ExpectPlotShare(const RECT &plot, const std::string &what)
    {
        const int width = plot.right - plot.left, height = plot.bottom - plot.top;
        // A pixel short is rounding of the logical units.
        if (3 * (width + 1) < client.right || 3 * (height + 1) < client.bottom)
            problems.push_back(what + " of " + std::to_string(width) + " x " + std::to_string(height) +
                               " keeps less than a third of the window of " + std::to_string(client.right) + " x " +
                               std::to_string(client.bottom));
    }
    // The device pixels of a logical rectangle of the graph.
    static RECT DeviceRect(const GRAPHWIN &graph, const ElementRect &logical)
    {
        RECT r = {logical.left, logical.top, logical.right, logical.bottom};
        int left = r.left, top = r.top, right = r.right, bottom = r.bottom;
        graph.ToDeviceUnits(left, top);
        graph.ToDeviceUnits(right, bottom);
        return RECT{left, top, right, bottom};
    }
    // The visible texts among the list's elements, inside groups too.
    static std::vector<TEKSTELEMENT *> TextsIn(const GROBJ_LIST &list)
    {
        std::vector<TEKSTELEMENT *> found;
        for (element *item : list) {
            if (auto *group = dynamic_cast<GROUPELEMENT *>(item)) {
                const std::vector<TEKSTELEMENT *> inner = TextsIn(group->Children());
                found.insert(found.end(), inner.begin(), inner.end());
            } else if (auto *text = dynamic_cast<TEKSTELEMENT *>(item)) {
                found.push_back(text);
            }
        }
        return found;
    }

    // All problems, one a line (empty when the texts are sound).
    std::string Report() const
    {
        std::string all;
        for (const std::string &p : problems)
            all += p + "\n";
        return all;
    }
    // The texts checked.
    int Count() const { return static_cast<int>(texts.size()); }
    // The checked text that reads so, or null.
    TEKSTELEMENT *Find(const std::string &shown) const
    {
        for (TEKSTELEMENT *text : texts)
            if (shown == text->Text())
                return text;
        return nullptr;
    }

    std::vector<TEKSTELEMENT *> texts;
    std::vector<std::string> problems;
    RECT client = {};
    RECT plotPixels = {}; // the graph's plot region, empty without one

private:
    void Collect(const GROBJ_LIST &list)
    {
        for (element *item : list) {
            if (!item->Visible())
                continue;
            if (auto *group = dynamic_cast<GROUPELEMENT *>(item))
                Collect(group->Children());
            else if (auto *text = dynamic_cast<TEKSTELEMENT *>(item))
                if (*text->Text() && !text->HasFlag(element::flagLeftOut))
                    texts.push_back(text);
        }
    }
    static std::string Name(TEKSTELEMENT *text, const RECT &r)
    {
        return "\"" + std::string(text->Text()) + "\" (" + std::to_string(r.left) + "," + std::to_string(r.top) + "," +
               std::to_string(r.right) + "," + std::to_string(r.bottom) + ")";
    }
};

} // namespace testsupport
