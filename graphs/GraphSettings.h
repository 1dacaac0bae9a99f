// GraphSettings: the "Graphics" settings as the graphs read them, through the
// program's settings store at the moment they are asked for, so that a
// changed setting takes effect at the next draw without a rebuild.
//
// Defaults: ShowGrid off, GridSize 10, WinClip on, UseGrayscale off.
#pragma once

namespace GraphSettings {

// The grid size is kept within these bounds (pixels).
constexpr int minimumGridSize = 2;
constexpr int maximumGridSize = 1000;

bool ShowGrid();
// Mended: a stored size of 0 or below made every grid loop endless and
// snapping divide by zero; the size is clamped to the bounds above.
int GridSize();
bool WinClip();
bool UseGrayscale();

} // namespace GraphSettings
