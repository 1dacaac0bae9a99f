// DataSetWriter: writes a data set in format 9600 (system file, index file
// and, when there is documentation, the ".dkm" file) without ever leaving a
// data set that does not open: everything goes to the save-time files
// ".QV$", ".IN$" and ".DK$" first; when all are complete a commit record
// ".QVC" (with the size and CRC-32 of each) says so, and only then are the
// old files replaced, each kept aside until the new set is in place. A save
// that stops before the record exists is undone by the next open (Recover),
// one that stops after it is finished when its files verify and undone when
// they do not; docs/dataset-files.md gives the order.
//
// Used by DATASET::Save and AddVariable, by the converter (qvconvert) and by
// tests. The value lists handed in are walked forward from case 1 and are
// not owned unless said so. Variable numbers count from 1.
#pragma once

#include "dataset/DataSetLayout.h"

#include <string>
#include <vector>

class BUFFERTYPE;
class LogBuffer;

class DataSetWriter
{
public:
    // The steps of a save, in order; finishing an interrupted save on open
    // passes the replacing steps again. A test program names one with
    // SetKillStep and the process ends itself there, as a crash would.
    enum SaveStep {
        SAVE_STEP_NONE = 0,
        SAVE_STEP_VALUES_HALF = 1, // half the value columns are in ".QV$"
        SAVE_STEP_SYSTEM_TEMP = 2, // ".QV$" complete
        SAVE_STEP_INDEX_TEMP = 3,  // ".IN$" complete
        SAVE_STEP_DOC_TEMP = 4,    // ".DK$" complete, or none needed
        SAVE_STEP_RECORD_HALF = 5, // half the commit record is written
        SAVE_STEP_COMMITTED = 6,   // the commit record is complete
        SAVE_STEP_SYSTEM_FILE = 7, // ".QVF" replaced
        SAVE_STEP_INDEX_FILE = 8,  // ".IND" replaced
        SAVE_STEP_DOC_FILE = 9,    // ".dkm" replaced or removed
        SAVE_STEP_DONE = 10,       // the commit record removed
        SAVE_STEP_COUNT = 11
    };
    // Exit code of a process that ended itself at its kill step.
    enum { KILLED_EXIT_CODE = 75 };
    // Test hook: the process ends (TerminateProcess on itself) when a save
    // or a recovery reaches that step. SAVE_STEP_NONE: never.
    static void SetKillStep(int step);

    // What opening found of an earlier save that did not complete.
    enum SaveRecovery {
        SAVE_RECOVERY_NONE = 0,       // nothing: the last save completed
        SAVE_RECOVERY_FINISHED = 1,   // it was committed: its files were put in place
        SAVE_RECOVERY_ROLLED_BACK = 2, // it was not: its leftovers were removed
        SAVE_RECOVERY_SET_ASIDE = 3    // committed, but its files did not check out:
                                       // the old set stays, the files were moved aside
    };
    static const char *SaveRecoveryText(int recovery);
    // Finishes or undoes an interrupted save of the data set (".QVF" path).
    // The caller holds the data set's lock (no save of it can be running).
    // Every new file is checked against the record (size and CRC-32) and
    // the new set opened as a data set before anything is replaced; what
    // does not check out is set aside and the old files, kept until the
    // save is finished, come back. Returns 0 and sets *recovery (with
    // SAVE_RECOVERY_SET_ASIDE, *errorText says why and names the files
    // kept aside), or DSERR_RECOVERY with the reason in *errorText when
    // the files cannot be put in order (all left as found).
    static int Recover(const char *fileName, int *recovery, std::string *errorText);
    // True when a save of the data set left files behind (commit record or
    // save-time files), so that Recover has something to do.
    static bool HasSaveLeftovers(const char *fileName);

    // fileName: the ".QVF" path to write.
    explicit DataSetWriter(const char *fileName);
    ~DataSetWriter();
    DataSetWriter(const DataSetWriter &) = delete;
    DataSetWriter &operator=(const DataSetWriter &) = delete;

    void SetCaseCount(long cases) { caseCount = cases; }
    long GetCaseCount() const { return caseCount; }
    // Adds a variable. Its values are converted to info.storageType: a
    // system-missing value, or a value the type cannot hold, becomes the
    // type's sentinel; integer types round to the nearest whole number.
    // Returns 0 or an error word (bad name, type, texts, missing codes).
    // With ownValues the writer deletes the list, also when it refuses it.
    int AddVariable(const VariableInfo &info, const std::vector<CategoryLabel> &labels, BUFFERTYPE *values,
                    bool ownValues = false);
    long GetVariableCount() const { return static_cast<long>(variables.size()); }
    // Number (from 1) of a variable added so far, by name; 0 when none.
    long FindVariable(const char *name) const;

    bool SetWeights(const long *numbers, int count);
    bool SetRegionVariable(long number);
    // The stored selection (bits copied at Write; not owned), active or not.
    void SetSelection(LogBuffer *bits, bool active, const char *description);
    // Text of the ".dkm" file; empty: no documentation file.
    void SetDocumentation(const std::string &text) { documentation = text; }

    // Writes the temporaries and puts them in place. 0 or an error word.
    int Write();
    // The two halves of Write, for a caller that must close its own streams
    // on the old files in between. WriteTemporaries first finishes a save
    // of the same data set that was interrupted after its commit.
    int WriteTemporaries();
    // Writes the commit record, then replaces the files. When it fails
    // after the system file was replaced, the record stays and the next
    // open finishes the save; IsCommitted() then tells the caller that the
    // files on disk changed.
    int ReplaceFiles();
    bool IsCommitted() const { return committed; }
    // Removes the temporaries (after a failure of the caller in between).
    void DiscardTemporaries();

    int GetError() const { return error; }
    const char *GetErrorText() const { return errorText.c_str(); }

private:
    struct Variable
    {
        VariableInfo info;
        std::vector<CategoryLabel> labels;
        BUFFERTYPE *values;
        bool own;
    };
    int Fail(int code, const std::string &detail);
    int CheckVariable(const VariableInfo &info, const std::vector<CategoryLabel> &labels, BUFFERTYPE *values);
    bool WriteColumn(class PFILE &out, Variable &v, bool stopHalfway);
    bool WriteFileBytes(const std::string &name, const std::vector<unsigned char> &bytes);
    bool WriteCommitRecord();

    std::string qvfName, indName, dkmName;
    std::string qvfTemp, indTemp, dkmTemp;
    std::string recordName;
    long long tempSizes[3] = {0, 0, -1}; // ".QV$", ".IN$", ".DK$" (-1: no documentation)
    unsigned long systemChecksum = 0;    // CRC-32 of ".QV$" while it is written
    unsigned long tempChecksums[3] = {0, 0, 0}; // CRC-32 of each complete save-time file
    bool diskFull = false;               // the last WriteFileBytes found the disk full
    bool committed = false;
    long caseCount = 0;
    std::vector<Variable> variables;
    long weights[QVF_MAX_WEIGHTS] = {0, 0, 0, 0};
    int weightCount = 0;
    long regionVariable = 0;
    LogBuffer *selection = nullptr;
    bool selectionActive = false;
    std::string selectionText;
    std::string documentation;
    int error = DSERR_NONE;
    std::string errorText;
};
