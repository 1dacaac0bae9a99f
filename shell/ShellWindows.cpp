#include "shell/ShellWindows.h"

#include "shell/MainWindowDefinition.h"
#include "shell/OptionWindowFrame.h"
#include "shell/VariableListWindow.h"
#include "zaf/core/ZafMDIWindow.h"

namespace {

ZafWindow *MakeMainWindow()
{
    return MakeMainWindowDefinition();
}

} // namespace

const std::vector<ShellWindow> &ShellWindows()
{
    RegisterMainWindowClasses();
    static const std::vector<ShellWindow> windows = {
        {mainWindowName, MakeMainWindow},
        {VariableListWindow::windowName, VariableListWindow::MakeDefinition},
        {OptionWindowFrame::frameName, OptionWindowFrame::MakeDefinition},
    };
    return windows;
}
