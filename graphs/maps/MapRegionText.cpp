#include "graphs/maps/MapRegionText.h"

#include "graphs/maps/MapGraph.h"
#include "shell/TXTWIN.h"
#include "stats/StatClass.h"

#include <algorithm>
#include <string>

namespace {

const int textGroup = 22;
enum {
    noRegionMatchedText = 40,
    valuesUnreadableText = 41,
    codeHeadText = 42,
    nameHeadText = 43,
    casesHeadText = 44,
    valueHeadText = 45,
    classHeadText = 46,
    regionCountText = 47,
    minimumText = 48,
    maximumText = 49
};
// Column widths: code, gap, name, cases, value, class.
enum { codeWidth = 6, gapWidth = 2, nameWidth = 24, casesWidth = 7, valueWidth = 12, classWidth = 7 };
const char *const missingMark = "---";

void Field(TXTWIN &out, int width, bool right, const std::string &text)
{
    if (right)
        out.Right(width);
    else
        out.Left(width);
    out.WriteString(text.c_str());
}

void Plain(TXTWIN &out, const char *text)
{
    out.Plain();
    out.WriteString(text);
}

} // namespace

void WriteMapRegionText(TXTWIN &out, const MapGraph &graph)
{
    const MapClassSettings &settings = graph.GetSettings();
    // A region's class only where the map shows classes: the ramp schemes
    // colour by the value itself, and their limits appear nowhere.
    const bool ramp =
        settings.colourScheme == MapClassSettings::slide || settings.colourScheme == MapClassSettings::slide2;
    const bool classes = settings.displayMode == MapClassSettings::choropleth && !ramp && graph.classCount > 0 &&
                         settings.bounds.size() >= 2;
    out.Clear();
    out.EndLine();
    Plain(out, (std::string(StatText(regionCountText, textGroup)) + " ").c_str());
    out.WriteInteger(graph.regions.Count());
    out.EndLine();
    out.EndLine();
    if (graph.GetValueStatus() == MapGraph::valuesUnreadable || !graph.HasRange()) {
        Plain(out, StatText(graph.GetValueStatus() == MapGraph::valuesUnreadable ? valuesUnreadableText
                                                                                 : noRegionMatchedText,
                            textGroup));
        out.EndLine();
        out.ShowText();
        return;
    }
    out.SetDecimals(settings.decimals);
    // The two labels padded to one width, so that the values line up.
    std::string lowest = StatText(minimumText, textGroup), highest = StatText(maximumText, textGroup);
    const size_t width = std::max(lowest.size(), highest.size()) + 1;
    lowest.resize(width, ' ');
    highest.resize(width, ' ');
    Plain(out, lowest.c_str());
    out.WriteReal(graph.minimum);
    out.EndLine();
    Plain(out, highest.c_str());
    out.WriteReal(graph.maximum);
    out.EndLine();
    out.EndLine();

    Field(out, codeWidth, true, StatText(codeHeadText, textGroup));
    Field(out, gapWidth, false, "");
    Field(out, nameWidth, false, StatText(nameHeadText, textGroup));
    Field(out, casesWidth, true, StatText(casesHeadText, textGroup));
    Field(out, valueWidth, true, StatText(valueHeadText, textGroup));
    if (classes)
        Field(out, classWidth, true, StatText(classHeadText, textGroup));
    out.EndLine();
    out.NewLine(codeWidth + gapWidth + nameWidth + casesWidth + valueWidth + (classes ? classWidth : 0));
    for (const auto &entry : graph.regions) {
        const MapRegion &region = entry.second;
        Field(out, codeWidth, true, std::to_string(region.code));
        Field(out, gapWidth, false, "");
        Field(out, nameWidth, false, region.name.substr(0, nameWidth - 1));
        Field(out, casesWidth, true, std::to_string(region.caseCount));
        out.SetDecimals(graph.regions.decimals);
        out.Right(valueWidth);
        if (region.HasValue())
            out.WriteReal(region.value);
        else
            out.WriteString(missingMark);
        if (classes && region.HasValue())
            Field(out, classWidth, true, std::to_string(MapClasses::ClassOf(region.value, settings.bounds) + 1));
        out.EndLine();
    }
    out.ShowText();
}
