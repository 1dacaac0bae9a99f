#include "shell/OutputWindow.h"

namespace {
// The region type every result window is made with.
constexpr int outputRegionType = 2;
} // namespace

OutputWindow::OutputWindow(int left, int top, int width, int height) : ZafWindow(left, top, width, height)
{
    SetStringID(stringID);
    SetRegionType(outputRegionType);
}
