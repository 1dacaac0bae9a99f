#include "zaf/controls/ZafControls.h"

#include "zaf/controls/ZafButton.h"
#include "zaf/controls/ZafComboBox.h"
#include "zaf/controls/ZafFrameButton.h"
#include "zaf/controls/ZafIcon.h"
#include "zaf/controls/ZafImage.h"
#include "zaf/controls/ZafInteger.h"
#include "zaf/controls/ZafNotebookTab.h"
#include "zaf/controls/ZafPopUpMenu.h"
#include "zaf/controls/ZafProgressBar.h"
#include "zaf/controls/ZafPrompt.h"
#include "zaf/controls/ZafPullDownMenu.h"
#include "zaf/controls/ZafReal.h"
#include "zaf/controls/ZafSpinControl.h"
#include "zaf/controls/ZafSplitter.h"
#include "zaf/controls/ZafStatusBar.h"
#include "zaf/controls/ZafString.h"
#include "zaf/controls/ZafTable.h"
#include "zaf/controls/ZafTableHeader.h"
#include "zaf/controls/ZafTableRecord.h"
#include "zaf/controls/ZafTextField.h"
#include "zaf/controls/ZafToolBar.h"
#include "zaf/controls/ZafVtList.h"

void ZafRegisterControls()
{
    ZafButton::RegisterPersistence();
    ZafComboBox::RegisterPersistence();
    ZafFrameButton::RegisterPersistence();
    ZafIcon::RegisterPersistence();
    ZafImage::RegisterPersistence();
    ZafInteger::RegisterPersistence();
    ZafPopUpMenu::RegisterPersistence();
    ZafProgressBar::RegisterPersistence();
    ZafPrompt::RegisterPersistence();
    ZafPullDownMenu::RegisterPersistence();
    ZafReal::RegisterPersistence();
    ZafSpinControl::RegisterPersistence();
    ZafSplitter::RegisterPersistence();
    ZafStatusBar::RegisterPersistence();
    ZafString::RegisterPersistence();
    ZafTable::RegisterPersistence();
    ZafTableHeader::RegisterPersistence();
    ZafTableRecord::RegisterPersistence();
    ZafText::RegisterPersistence();
    ZafToolBar::RegisterPersistence();
    ZafVtList::RegisterPersistence();
    ZafNotebookTab::InstallHooks();
}
