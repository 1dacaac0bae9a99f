#include "shell/MainWindowDefinition.h"

#include "zaf/controls/ZafButton.h"
#include "zaf/controls/ZafControls.h"
#include "zaf/controls/ZafFrameButton.h"
#include "zaf/controls/ZafMaximizeButton.h"
#include "zaf/controls/ZafMinimizeButton.h"
#include "zaf/controls/ZafPullDownMenu.h"
#include "zaf/controls/ZafSystemButton.h"
#include "zaf/controls/ZafTitle.h"
#include "zaf/core/ZafBorder.h"
#include "zaf/core/ZafMDIWindow.h"

void RegisterMainWindowClasses()
{
    ZafRegisterControls();
    ZafFrameButton::InstallGenericObjectMaker();
}

namespace {

// The menu bar: a File menu with its Exit item for now (which ends the
// program); the shell binds the program's entries by name.
ZafPullDownMenu *MakeMenuBar()
{
    auto *bar = new ZafPullDownMenu();
    auto *file = new ZafPullDownItem("File");
    file->SetStringID(fileMenuName);
    file->SetNumberID(mainMenuFirstID);
    file->SetHotKey('F', 0);
    auto *exit = new ZafPopUpItem("Exit", ZafPopUpItem::kindExit);
    exit->SetStringID(exitItemName);
    exit->SetNumberID(mainMenuFirstID + 1);
    file->AddSubItem(exit);
    bar->AddObject(file);
    return bar;
}

} // namespace

ZafMDIWindow *MakeMainWindowDefinition()
{
    RegisterMainWindowClasses();
    auto *frame = new ZafMDIWindow(2, 1, 96, 32);
    frame->SetStringID(mainWindowName);
    frame->SetDestroyable(true);
    frame->SetMovable(true);
    frame->SetSizeable(true);
    frame->AddObject(new ZafBorder());
    frame->AddObject(new ZafMaximizeButton());
    frame->AddObject(new ZafMinimizeButton());
    frame->AddObject(new ZafSystemButton(ZafSystemButton::windowsMenu));
    frame->AddObject(new ZafTitle(mainWindowTitle));
    frame->AddObject(MakeMenuBar());
    return frame;
}
