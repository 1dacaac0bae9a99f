#include "zaf/data/ZafDataStartup.h"

#include "zaf/core/ZafApplication.h"
#include "zaf/data/ZafCodeSetData.h"
#include "zaf/data/ZafDataManager.h"
#include "zaf/data/ZafLanguageData.h"
#include "zaf/data/ZafLocaleData.h"
#include "zaf/data/ZafPaletteData.h"
#include "zaf/data/ZafScrollData.h"
#include "zaf/data/ZafPath.h"
#include "zaf/data/ZafStaticCleanup.h"
#include "zaf/data/ZafStorage.h"

namespace {

void DeleteSearchPath(std::uint8_t)
{
    delete zafSearchPath;
    zafSearchPath = nullptr;
}

void DeleteDataManager(std::uint8_t)
{
    delete zafDataManager;
    zafDataManager = nullptr;
}

ZafStorage *i18nStorage = nullptr;

void DeleteI18nStorage(std::uint8_t)
{
    delete zafDataPersistence;
    zafDataPersistence = nullptr;
    delete i18nStorage;
    i18nStorage = nullptr;
}

} // namespace

void ZafDataStartup::Install()
{
    ZafStartupSteps steps = {};
    steps.makeDataManager = MakeDataManager;
    steps.initializeI18n = InitializeI18n;
    steps.makeSearchPath = MakeSearchPath;
    steps.openI18nStorage = OpenI18nStorage;
    steps.resetI18n = ResetI18n;
    steps.runStaticCleanups = RunStaticCleanups;
    ZafApplication::SetStartupSteps(steps);
    // The UI data file's data objects are read through the program's table.
    ZafDataManager::RegisterDataClasses();
    ZafPaletteData::InstallWindowLink();
    ZafScrollData::InstallWindowLink();
}

void ZafDataStartup::MakeDataManager()
{
    delete zafDataManager;
    zafDataManager = new ZafDataManager;
    RegisterStaticCleanup(DeleteDataManager, nullptr, 0);
}

void ZafDataStartup::MakeSearchPath(const char *programPath)
{
    delete zafSearchPath;
    zafSearchPath = new ZafPath(programPath, true);
    RegisterStaticCleanup(DeleteSearchPath, nullptr, 0);
}

void ZafDataStartup::RunStaticCleanups(int flag)
{
    ::RunStaticCleanups(static_cast<std::uint8_t>(flag));
}

void ZafDataStartup::OpenI18nStorage()
{
    DeleteI18nStorage(1);
    ZafStorage *storage = new ZafStorage("i18n.znc", ZafStorage::Read);
    if (storage->Error() != 0) {
        delete storage;
        return;
    }
    i18nStorage = storage;
    zafDataPersistence = new ZafDataPersistence(storage);
    zafDataPersistence->AddDataConstructor(ZafLanguageData::className, ZafLanguageData::classID, ZafLanguageData::New);
    zafDataPersistence->AddDataConstructor(ZafLocaleData::className, ZafLocaleData::classID, ZafLocaleData::New);
    zafDataPersistence->AddDataConstructor(ZafCodeSetData::className, ZafCodeSetData::classID, ZafCodeSetData::New);
    RegisterStaticCleanup(DeleteI18nStorage, nullptr, 0);
}
