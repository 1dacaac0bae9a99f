// ProgramSettings: the program-wide settings object. It owns the current
// data set and reads each setting from the registry (RegistrySettings) at
// the moment it is asked for, so a changed setting takes effect at once.
//
// One instance per program (Instance()); it deletes the current data set
// when another one is opened, when it is closed, and at Shutdown().
#pragma once

#include <cstddef>

class DATASET;

class ProgramSettings
{
public:
    static ProgramSettings *Instance();
    // Deletes the instance and the data set it owns (end of the program).
    static void Shutdown();

    // The current data set. When none is open and openIfNeeded is set, the
    // open-data-set command (installed by the main window) runs first.
    DATASET *GetDataSet(int openIfNeeded);
    // The current data set's path, or null when none is open.
    const char *GetDataSetName() const;
    // Opens a data set and makes it the current one (the old one is closed
    // first). Returns 0 or a DataSetError word; on failure there is none.
    int OpenDataSet(const char *fileName, int flags = 0);
    // Makes the data set (taken over; may be null) the current one.
    void SetDataSet(DATASET *dataSet);
    void CloseDataSet();
    // The command that GetDataSet(1) runs when no data set is open.
    void SetOpenDataSetCommand(void (*command)());

    // Save-file dialog with a default extension ("txt"); a new text (delete[]
    // it) with the chosen name, or null when cancelled.
    char *AskSaveFileName(const char *defaultExtension);

    // Settings of section "DefaultValues".
    // Most decimals of percentages: what a double holds.
    static constexpr int kMaxDecimalsPct = 15;
    int DecimalsPct() const;    // "DecimalsPct", default 1; 0 to 15, else 1
    bool UseAutorecode() const; // "UseAutorecode", default on
    // "MemoryBudget" in MiB (default 256), in bytes: the one budget of the
    // value lists and computations together (see MemoryBudget).
    size_t MemoryBudgetBytes() const;
    // Settings of section "Graphics".
    bool ShowGrid() const; // "ShowGrid", default off
    // "GridSize" in pixels, default 10; kept within 2 to 1000.
    static constexpr int kMinGridSize = 2, kMaxGridSize = 1000;
    int GridSize() const;
    bool SnapToGrid() const;   // "SnapToGrid", default on
    bool UseGrayscale() const; // "UseGrayscale", default off
    bool WinClip() const;      // "WinClip", default on
    int AnimateMaps() const;   // "AnimateMaps", default 1

private:
    ProgramSettings() {}
    ~ProgramSettings();
    ProgramSettings(const ProgramSettings &) = delete;
    ProgramSettings &operator=(const ProgramSettings &) = delete;

    DATASET *dataSet = nullptr; // owned
    void (*openCommand)() = nullptr;
};
