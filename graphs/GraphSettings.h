// GraphSettings: the "Graphics" settings as the graphs read them, through the
// program's settings store at the moment they are asked for, so that a
// changed setting takes effect at the next draw without a rebuild.
//
// Defaults: ShowGrid off, GridSize 10, WinClip on, UseGrayscale off.
#pragma once

#include "dataset/ProgramSettings.h"

namespace GraphSettings {

// The grid size's range (pixels), the one the setting is read with.
constexpr int minimumGridSize = ProgramSettings::kMinGridSize;
constexpr int maximumGridSize = ProgramSettings::kMaxGridSize;

bool ShowGrid();
// Within the bounds above: a size of 0 or below would make every grid loop
// endless and snapping divide by zero.
int GridSize();
bool WinClip();
bool UseGrayscale();

} // namespace GraphSettings
