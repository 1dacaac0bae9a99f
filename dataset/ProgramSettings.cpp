#include "dataset/ProgramSettings.h"

#include "dataset/DATASET.h"
#include "dataset/MemoryBudget.h"
#include "dataset/RegistrySettings.h"

#include <windows.h>
#include <commdlg.h>

#include <cstring>

namespace {
ProgramSettings *instance = nullptr;

enum { kDefaultValues = 4, kGraphics = 5 };

unsigned long ReadSetting(int section, const char *key, unsigned long def)
{
    return RegistrySettings::ReadDwordInSection(FindSettingsSection(section), key, def);
}
} // namespace

ProgramSettings *ProgramSettings::Instance()
{
    if (!instance)
        instance = new ProgramSettings;
    return instance;
}

void ProgramSettings::Shutdown()
{
    delete instance;
    instance = nullptr;
}

ProgramSettings::~ProgramSettings()
{
    delete dataSet;
}

DATASET *ProgramSettings::GetDataSet(int openIfNeeded)
{
    if (!dataSet && openIfNeeded && openCommand)
        openCommand();
    return dataSet;
}

const char *ProgramSettings::GetDataSetName() const
{
    return dataSet ? dataSet->GetFileName() : nullptr;
}

int ProgramSettings::OpenDataSet(const char *fileName, int flags)
{
    CloseDataSet();
    int error = DSERR_NONE;
    dataSet = ::OpenDataSet(fileName, &error, flags);
    return error;
}

void ProgramSettings::SetDataSet(DATASET *newDataSet)
{
    if (newDataSet == dataSet)
        return;
    delete dataSet;
    dataSet = newDataSet;
}

void ProgramSettings::CloseDataSet()
{
    delete dataSet;
    dataSet = nullptr;
}

void ProgramSettings::SetOpenDataSetCommand(void (*command)())
{
    openCommand = command;
}

char *ProgramSettings::AskSaveFileName(const char *defaultExtension)
{
    char name[MAX_PATH] = "";
    char filter[64];
    const char *ext = defaultExtension && *defaultExtension ? defaultExtension : "txt";
    // "*.ext\0*.ext\0All files\0*.*\0\0"
    size_t at = 0;
    for (int part = 0; part < 2; ++part) {
        int n = wsprintfA(filter + at, "*.%.8s", ext);
        at += static_cast<size_t>(n) + 1;
    }
    std::memcpy(filter + at, "*.*\0*.*\0\0", 9);
    OPENFILENAMEA dialog;
    std::memset(&dialog, 0, sizeof dialog);
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = GetActiveWindow();
    dialog.lpstrFilter = filter;
    dialog.lpstrFile = name;
    dialog.nMaxFile = sizeof name;
    dialog.lpstrDefExt = ext;
    dialog.Flags = OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY;
    if (!GetSaveFileNameA(&dialog))
        return nullptr;
    char *copy = new char[std::strlen(name) + 1];
    std::strcpy(copy, name);
    return copy;
}

int ProgramSettings::DecimalsPct() const
{
    // A double holds 15 decimal digits; more only print noise and widen
    // columns past the page. A value outside 0 to 15 is taken as the default.
    const long decimals = static_cast<long>(ReadSetting(kDefaultValues, "DecimalsPct", 1));
    return decimals >= 0 && decimals <= kMaxDecimalsPct ? static_cast<int>(decimals) : 1;
}

bool ProgramSettings::UseAutorecode() const
{
    return ReadSetting(kDefaultValues, "UseAutorecode", 1) != 0;
}

size_t ProgramSettings::MemoryBudgetBytes() const
{
    return MemoryBudget::Limit();
}

bool ProgramSettings::ShowGrid() const
{
    return ReadSetting(kGraphics, "ShowGrid", 0) != 0;
}
int ProgramSettings::GridSize() const
{
    return static_cast<int>(ReadSetting(kGraphics, "GridSize", 10));
}
bool ProgramSettings::SnapToGrid() const
{
    return ReadSetting(kGraphics, "SnapToGrid", 1) != 0;
}
bool ProgramSettings::UseGrayscale() const
{
    return ReadSetting(kGraphics, "UseGrayscale", 0) != 0;
}
bool ProgramSettings::WinClip() const
{
    return ReadSetting(kGraphics, "WinClip", 1) != 0;
}
int ProgramSettings::AnimateMaps() const
{
    return static_cast<int>(ReadSetting(kGraphics, "AnimateMaps", 1));
}
