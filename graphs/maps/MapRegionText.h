// MapRegionText: the text of a map page: how many regions the map has, the
// value range of its classes, and one line per region with its code, name,
// the number of cases counted for it, its value and its class. When no case
// names a region of the map, or the values cannot be read, a line says so in
// place of the range and the values.
//
// Texts: the column heads and messages are texts 40 to 46 of group 22; the
// three map lines are the program's own.
#pragma once

class MapGraph;
class TXTWIN;

// Empties the window's text and writes the map's text into it.
void WriteMapRegionText(TXTWIN &out, const MapGraph &graph);
