#include "graphs/GraphSettings.h"

#include "dataset/ProgramSettings.h"

#include <algorithm>

namespace GraphSettings {

bool ShowGrid()
{
    return ProgramSettings::Instance()->ShowGrid();
}

int GridSize()
{
    return std::clamp(ProgramSettings::Instance()->GridSize(), minimumGridSize, maximumGridSize);
}

bool WinClip()
{
    return ProgramSettings::Instance()->WinClip();
}

bool UseGrayscale()
{
    return ProgramSettings::Instance()->UseGrayscale();
}

} // namespace GraphSettings
