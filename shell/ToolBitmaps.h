// ToolBitmaps: the pictures of the workbooks' tool buttons, drawn in code as
// 16 x 16 pixel arrays of the display's 16 colours (one byte a pixel, 255
// transparent): the graph kinds the records name ("graph_hbars",
// "graph_pie", "graph_freqpoly", "graph_deskmean", "graph_boxwhisker",
// "graph_confint", "graph_barcode", "graph_resplot", "graph_matplot",
// "graph_map", "graph_map_bar", "graph_map_pie", "graph_scatterplot").
//
// Ownership: MakeToolBitmap answers a new bitmap that the caller (the button
// that shows it) owns; the pixels are copied into it.
#pragma once

class ZafBitmapData;

// The bitmap of that name, or null for a name (or null) without one.
ZafBitmapData *MakeToolBitmap(const char *name);
// True when MakeToolBitmap draws a bitmap of that name.
bool HasToolBitmap(const char *name);
