#include "zaf/data/ZafDataStartup.h"

#include "zaf/core/ZafApplication.h"
#include "zaf/data/ZafDataManager.h"
#include "zaf/data/ZafPaletteData.h"
#include "zaf/data/ZafPath.h"
#include "zaf/data/ZafStaticCleanup.h"

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

} // namespace

void ZafDataStartup::Install()
{
    ZafStartupSteps steps = {};
    steps.makeDataManager = MakeDataManager;
    steps.makeSearchPath = MakeSearchPath;
    steps.runStaticCleanups = RunStaticCleanups;
    ZafApplication::SetStartupSteps(steps);
    ZafPaletteData::InstallWindowLink();
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
