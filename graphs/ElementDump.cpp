#include "graphs/ElementDump.h"

#include "graphs/BIPLOTELEMENT.h"
#include "graphs/DrawStyle.h"
#include "graphs/GRAPHWIN.h"
#include "graphs/GROUPELEMENT.h"
#include "graphs/ShapeElements.h"
#include "graphs/TEKSTELEMENT.h"

#include <cstdio>

namespace {

const char *KindName(element::ElementKind kind)
{
    static const char *const names[] = {"?",    "group",   "text", "legend",  "region", "box",
                                        "line", "polygon", "pie",  "scatter", "barcode"};
    return kind <= element::kindBarCode ? names[kind] : "?";
}

std::string Rect(const char *label, const ElementRect &r)
{
    char text[80];
    std::snprintf(text, sizeof text, " %s(%d,%d,%d,%d)", label, r.left, r.top, r.right, r.bottom);
    return text;
}

std::string Style(const DrawStyle &style)
{
    char text[96];
    std::snprintf(text, sizeof text, " line %02X%02X%02X/%d fill %02X%02X%02X/%d", style.lineR, style.lineG,
                  style.lineB, style.penGrey, style.fillR, style.fillG, style.fillB, style.brushGrey);
    return text;
}

} // namespace

std::string DumpElement(const element &item, int depth)
{
    std::string line(static_cast<std::size_t>(depth) * 2, ' ');
    line += KindName(item.kind);
    if (*item.Name())
        line += " \"" + std::string(item.Name()) + "\"";
    line += Rect("L", item.logical) + Rect("D", item.device);
    line += " pen " + std::to_string(item.penWidth);
    if (auto *shape = dynamic_cast<const pal_element *>(&item))
        if (shape->Style())
            line += Style(*shape->Style());
    if (auto *rule = dynamic_cast<const LINEELEMENT *>(&item))
        if (rule->DashLength())
            line += " dash " + std::to_string(rule->DashLength()) + "/" + std::to_string(rule->GapLength());
    if (auto *slice = dynamic_cast<const PIEELEMENT *>(&item)) {
        char angles[64];
        std::snprintf(angles, sizeof angles, " from %.2f to %.2f", slice->StartAngle(), slice->EndAngle());
        line += angles;
    }
    if (auto *scatter = dynamic_cast<const BIPLOTELEMENT *>(&item)) {
        char points[160];
        std::snprintf(points, sizeof points, " v%u by v%u x %g..%g y %g..%g size %u line %u", scatter->xVariable,
                      scatter->yVariable, scatter->xMin, scatter->xMax, scatter->yMin, scatter->yMax,
                      static_cast<unsigned>(scatter->symbolSize), static_cast<unsigned>(scatter->regressionLine));
        line += points;
    }
    if (auto *text = dynamic_cast<const TEKSTELEMENT *>(&item)) {
        char font[64];
        std::snprintf(font, sizeof font, " align %02X font %d/%u", text->AlignmentBits(), text->FontSize(),
                      static_cast<unsigned>(text->StyleBits()));
        line += " \"" + std::string(text->Text()) + "\"" + font;
    }
    line += "\n";
    if (auto *group = dynamic_cast<const GROUPELEMENT *>(&item))
        for (const element *child : group->Children())
            line += DumpElement(*child, depth + 1);
    return line;
}

std::string DumpElements(const GRAPHWIN &window)
{
    std::string dump;
    for (const element *item : window.Elements())
        dump += DumpElement(*item);
    return dump;
}
