// RegisterGraphTools: enters the makers of the graph library's graph windows
// and option windows (GraphToolOption) for each kind of graph option record:
// the frequency bar graph (section "FreqBar") and pie graph ("FreqPie").
// Called once at program start, before any workbook is built; calling it
// again does no harm.
#pragma once

void RegisterGraphTools();
