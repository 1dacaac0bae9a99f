// ElementDump: what a graph holds, as text, without pixels: one line per
// element in drawing order (kind, name, logical and device rectangles, style
// colours and grey levels, pen width, dashes, a slice's angles, text,
// alignment and font), a group's children below it indented by two blanks.
// Tests compare graphs through it.
#pragma once

#include <string>

class element;
class GRAPHWIN;

std::string DumpElement(const element &item, int depth = 0);
std::string DumpElements(const GRAPHWIN &window);
