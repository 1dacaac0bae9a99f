#include "shell/MainWindowDefinition.h"

#include "zaf/core/ZafMDIWindow.h"

ZafMDIWindow *MakeMainWindowDefinition()
{
    auto *frame = new ZafMDIWindow(2, 1, 96, 32);
    frame->SetStringID(mainWindowName);
    frame->SetDestroyable(true);
    frame->SetMovable(true);
    frame->SetSizeable(true);
    return frame;
}
