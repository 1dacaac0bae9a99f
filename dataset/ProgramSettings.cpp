#include "dataset/ProgramSettings.h"

#include "dataset/DATASET.h"
#include "dataset/FileNameDialog.h"
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

// A number setting with its one declared range, applied to the stored
// value (a damaged or hand-edited registry may hold any): a value outside
// it is taken as the default, or with clamp as the nearer bound.
struct RangedSetting
{
    int section;
    const char *key;
    long fallback, minimum, maximum;
    bool clamp;
};

// A double holds 15 decimal digits; more decimals only print noise and
// widen columns past the page.
const RangedSetting kDecimalsPct = {kDefaultValues, "DecimalsPct", 1, 0, ProgramSettings::kMaxDecimalsPct, false};
const RangedSetting kGridSize = {
    kGraphics, "GridSize", 10, ProgramSettings::kMinGridSize, ProgramSettings::kMaxGridSize, true};

int ReadRanged(const RangedSetting &setting)
{
    // Read as the stored 32 bits, so that 0xFFFFFFFB is -5, not 4294967291.
    const long value = static_cast<long>(
        static_cast<int>(ReadSetting(setting.section, setting.key, static_cast<unsigned long>(setting.fallback))));
    if (value >= setting.minimum && value <= setting.maximum)
        return static_cast<int>(value);
    if (!setting.clamp)
        return static_cast<int>(setting.fallback);
    return static_cast<int>(value < setting.minimum ? setting.minimum : setting.maximum);
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
    for (const Holding &holding : holdings)
        if (holding.retired)
            delete holding.dataSet;
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
    if (dataSet)
        NoteChange();
    return error;
}

void ProgramSettings::SetDataSet(DATASET *newDataSet)
{
    if (newDataSet == dataSet)
        return;
    RetireCurrent();
    dataSet = newDataSet;
    if (Holding *holding = FindHolding(newDataSet))
        holding->retired = false;
    NoteChange();
}

void ProgramSettings::CloseDataSet()
{
    if (!dataSet)
        return;
    RetireCurrent();
    dataSet = nullptr;
    NoteChange();
}

void ProgramSettings::NoteChange()
{
    ++generation;
    if (observer)
        observer();
}

ProgramSettings::DataSetObserver ProgramSettings::SetDataSetObserver(DataSetObserver newObserver)
{
    const DataSetObserver before = observer;
    observer = newObserver;
    return before;
}

void ProgramSettings::RetireCurrent()
{
    Holding *holding = FindHolding(dataSet);
    if (holding && holding->holds > 0)
        holding->retired = true;
    else
        delete dataSet;
}

ProgramSettings::Holding *ProgramSettings::FindHolding(const DATASET *set)
{
    if (!set)
        return nullptr;
    for (Holding &holding : holdings)
        if (holding.dataSet == set)
            return &holding;
    return nullptr;
}

void ProgramSettings::HoldDataSet(DATASET *set)
{
    if (!set)
        return;
    if (Holding *holding = FindHolding(set))
        ++holding->holds;
    else
        holdings.push_back({set, 1, false});
}

void ProgramSettings::ReleaseDataSet(DATASET *set)
{
    Holding *holding = FindHolding(set);
    if (!holding || --holding->holds > 0)
        return;
    const bool retired = holding->retired;
    holdings.erase(holdings.begin() + (holding - holdings.data()));
    if (retired)
        delete set;
}

DATASET *ProgramSettings::TakeRetiredDataSet(const char *fileName)
{
    if (!fileName)
        return nullptr;
    for (const Holding &holding : holdings)
        if (holding.retired && _stricmp(holding.dataSet->GetFileName(), fileName) == 0) {
            DATASET *retired = holding.dataSet;
            SetDataSet(retired);
            return retired;
        }
    return nullptr;
}

int ProgramSettings::HoldCount(const DATASET *set) const
{
    for (const Holding &holding : holdings)
        if (holding.dataSet == set)
            return holding.holds;
    return 0;
}

int ProgramSettings::RetiredCount() const
{
    int count = 0;
    for (const Holding &holding : holdings)
        count += holding.retired ? 1 : 0;
    return count;
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
    if (!RunFileNameDialog(dialog, FileNameDialogKind::save))
        return nullptr;
    char *copy = new char[std::strlen(name) + 1];
    std::strcpy(copy, name);
    return copy;
}

int ProgramSettings::DecimalsPct() const
{
    return ReadRanged(kDecimalsPct);
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
    return ReadRanged(kGridSize);
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
