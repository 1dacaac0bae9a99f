// MapSource: turns a plain-text map source into a map file (.KRT) in the
// layout the map readers expect (docs/dataset-files.md, "Map file").
//
// Source lines ('#' starts a comment):
//   map <name>                 starts a map (name up to 35 characters)
//   point <code> x y           the region's single point (its symbol anchor)
//   region <code> x y x y ...  a polygon part of a region (at least 3 points)
//   overlay <code> x y ...     a polygon drawn over the regions, no data
// Coordinates are whole map units from -32768 to 32767, y growing upwards.
#pragma once

#include <string>

// Returns true on success; otherwise false with a message naming the line.
bool ConvertMapSource(const char *sourceName, const char *mapFileName, std::string *error);
