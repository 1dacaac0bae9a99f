// ColumnHeading: a column heading of a text table laid out in the width of
// its column, so that a long category label neither widens the column nor
// runs into the next heading: the label is broken at blanks into at most a
// given number of lines of at most width characters (a word longer than a
// line is broken inside it), and when it still does not fit, its last line
// ends in "..".
#pragma once

#include <string>
#include <vector>

// The lines of the heading text in width characters (at least one line, the
// empty text gives one empty line), at most maxLines of them.
std::vector<std::string> WrapHeading(const std::string &text, int width, int maxLines);

// The label in at most width characters: a longer one keeps its first
// width - 2 characters and ends in ".." (a width below 2 only cuts).
std::string CutLabelToWidth(const std::string &label, int width);

// How many lines the longest of the texts takes (1 to maxLines).
int HeadingLines(const std::vector<std::string> &texts, int width, int maxLines);
