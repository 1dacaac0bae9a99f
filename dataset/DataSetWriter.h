// DataSetWriter: writes a data set in format 9600 (system file, index file
// and, when there is documentation, the ".dkm" file) without ever leaving a
// half-written one: everything goes to the save-time files ".QV$", ".IN$"
// and ".DK$" first, and these replace the old files only when all of them
// are complete. A failure removes the temporaries and leaves the old files
// as they were.
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

class DataSetWriter {
public:
    // Points at which a test can make saving fail, as a full disk or a
    // crash would: while the value columns are half written, after all
    // temporaries are complete, and after the index file has been replaced
    // but before the system file is.
    enum InterruptStage {
        INTERRUPT_NONE = 0,
        INTERRUPT_IN_VALUES = 1,
        INTERRUPT_AFTER_TEMPORARIES = 2,
        INTERRUPT_BEFORE_SYSTEM_FILE = 3
    };
    // Test hook: the next Write stops at that stage (then the hook clears).
    static void SetInterruptStage(int stage);

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
    // on the old files in between.
    int WriteTemporaries();
    int ReplaceFiles();
    // Removes the temporaries (after a failure of the caller in between).
    void DiscardTemporaries();

    int GetError() const { return error; }
    const char *GetErrorText() const { return errorText.c_str(); }

private:
    struct Variable {
        VariableInfo info;
        std::vector<CategoryLabel> labels;
        BUFFERTYPE *values;
        bool own;
    };
    int Fail(int code, const std::string &detail);
    int CheckVariable(const VariableInfo &info, const std::vector<CategoryLabel> &labels, BUFFERTYPE *values);
    bool WriteColumn(class PFILE &out, Variable &v, bool stopHalfway);
    bool WriteFileBytes(const std::string &name, const std::vector<unsigned char> &bytes);
    bool ReadWholeFile(const std::string &name, std::vector<unsigned char> *bytes, bool *exists);

    std::string qvfName, indName, dkmName;
    std::string qvfTemp, indTemp, dkmTemp;
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
