// BUFFERTYPE: the typed values of one variable for a window of cases, with a
// cursor over the cases. The window holds as many cases as the process's
// memory budget grants it (MemoryBudget: all lists together hold at most
// their share of it, whatever their number); when the whole column fits it
// is read once, otherwise the window is paged from the system file
// (LISTETYPE) or from the list's temporary file (TMPLISTETYPE) as the
// cursor moves, so a data set larger than the budget still runs.
//
// Case numbers: SeekCase and GetCurrentCase count from 1; ReadCaseValue and
// the case maps and sort orders built by SortCasesToValueList count from 0.
//
// Ownership: whoever creates a list deletes it; a list owns its window, its
// streams and its temporary file (deleted with it). A LISTETYPE keeps no
// pointer to its data set after loading, so it may outlive a data set that
// is closed (it then reads from the files it opened).
#pragma once

#include "dataset/DataSetLayout.h"

#include <cfloat>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

class ByteStream;
class DATASET;
class PFILE;

// One case's value as read straight from a file (ReadCaseValue).
struct CaseValue
{
    bool valid = false;   // false when the case could not be read
    bool isReal = false;  // storage types 4 and 8
    long intValue = 0;    // types 1 (unsigned), 2 (sign-extended) and 3
    double realValue = 0; // types 4 (widened) and 8
    double AsReal() const { return isReal ? realValue : static_cast<double>(intValue); }
};

class BUFFERTYPE
{
public:
    virtual ~BUFFERTYPE();
    BUFFERTYPE(const BUFFERTYPE &) = delete;
    BUFFERTYPE &operator=(const BUFFERTYPE &) = delete;

    // Fields of the variable (read by the analyses).
    long variableNumber = 0; // 1-based; 0 for a list of no variable
    int storageType = STORAGE_DOUBLE;
    bool integerTyped = false;                   // storage types 1 to 3
    unsigned char printWidth = 8;                // characters
    unsigned char decimals = QVF_DECIMALS_UNSET; // 255: not set, taken as 2
    double minimum = 0;                          // of the valid values (user-missing excluded)
    double maximum = 0;
    long long columnStart = 0; // file position of case 0 of the column
    int missingCount = 0;      // user-missing codes in force
    double missing[QVF_MAX_MISSING] = {0, 0, 0};

    long GetCaseCount() const { return caseCount; }
    int GetValueSize() const { return valueSize; }
    int GetDecimals() const { return decimals == QVF_DECIMALS_UNSET ? 2 : decimals; }
    int Error() const { return error; }
    // Where the error lies, for the user: the file, the variable and, for a
    // value that is not a number or infinite (DSERR_VALUE), its case; "" when
    // nothing more is known.
    const char *ErrorText() const { return errorText.c_str(); }
    // True when the whole column is held in memory.
    bool IsInMemory() const { return windowCapacity >= caseCount; }
    long GetWindowCapacity() const { return windowCapacity; }

    // Sets the stepping direction and places the cursor so that the next
    // MoveNext yields case caseFrom1: forward, just before it; backward
    // (forward 0), just after it, where case 0 stands for the last case.
    // False (cursor unchanged) when the case does not exist.
    bool SeekCase(int forward, long caseFrom1);
    // Steps one case in the current direction; false past the last (or
    // before the first) case. Pages the window in when needed.
    bool MoveNext()
    {
        long next = forward ? position + 1 : position - 1;
        if (next >= windowStart && next < windowStart + windowCount) {
            position = next;
            return true;
        }
        return MoveNextPaged(next);
    }
    // The case under the cursor, from 1; 0 when the cursor is on none.
    long GetCurrentCase() const { return position + 1; }
    // Forward block read for loops over plain arrays: steps the cursor
    // forward over up to max cases (as many MoveNext calls would, paging the
    // window) and points bytes at their stored values in the window
    // (GetValueSize() bytes each, valid until the cursor moves again).
    // Returns the count: 0 past the last case, -1 on a read error. Needs a
    // forward cursor (SeekCase(1, ...)).
    long MoveNextBlock(long max, const unsigned char *&bytes);
    // count stored values (as MoveNextBlock gives them) as doubles; a
    // system-missing value (and, with userMissing, a user-missing one) gives
    // missingValue.
    void DecodeBlock(const unsigned char *bytes, long count, double *values, double missingValue,
                     bool userMissing = true) const;

    // The current value of a 1-, 2- or 4-byte integer list; 32767 for other
    // storage types.
    long GetCurrentInt() const
    {
        const unsigned char *p = CurrentBytes();
        switch (storageType) {
        case STORAGE_U8:
            return *p;
        case STORAGE_I16: {
            int16_t v;
            std::memcpy(&v, p, 2);
            return v;
        }
        case STORAGE_I32: {
            int32_t v;
            std::memcpy(&v, p, 4);
            return v;
        }
        default:
            return 32767;
        }
    }
    // The current value of a float or double list; the float sentinel and
    // other storage types give the largest double.
    double GetCurrentReal() const
    {
        const unsigned char *p = CurrentBytes();
        if (storageType == STORAGE_DOUBLE) {
            double v;
            std::memcpy(&v, p, 8);
            return v;
        }
        if (storageType == STORAGE_FLOAT) {
            float v;
            std::memcpy(&v, p, 4);
            return v == FLT_MAX ? DBL_MAX : static_cast<double>(v);
        }
        return DBL_MAX;
    }
    // The current value as a double whatever the storage type; the
    // system-missing sentinel of any type gives the largest double.
    double GetCurrentAsReal() const
    {
        if (integerTyped) {
            long v = GetCurrentInt();
            return v == sysMissingInt ? DBL_MAX : static_cast<double>(v);
        }
        return GetCurrentReal();
    }

    bool IsCurrentSysMissing() const;
    bool IsCurrentUserMissing() const;
    bool IsCurrentMissing() const { return IsCurrentSysMissing() || IsCurrentUserMissing(); }
    // True for the sentinel of the list's storage type or one of its
    // user-missing codes.
    bool IsMissingInt(long value) const;
    bool IsMissingReal(double value) const;

    // Direct read of one case (from 0) without moving the cursor or the
    // window: from the window when the case is in it, else one seek and one
    // read in the list's file.
    CaseValue ReadCase(long caseFrom0);

protected:
    BUFFERTYPE();
    // Sets the storage type and the fields derived from it.
    void SetStorage(int type);
    // Sizes the window for the case count: budget bytes when given, else
    // what the process's budget grants (claimed until the list goes).
    void SizeWindow(size_t budget);
    // Gives the window's claim on the budget back.
    void ReleaseClaim();
    // Reads count cases from start into the window; false on a read error.
    virtual bool LoadWindow(long start, long count);
    // Makes the window hold case p (0-based), paging in the direction of the
    // walk.
    bool Page(long p);
    bool MoveNextPaged(long next);
    const unsigned char *CurrentBytes() const
    {
        static const unsigned char none[8] = {0, 0, 0, 0, 0, 0, 0, 0};
        long at = position - windowStart;
        if (at < 0 || at >= windowCount)
            return none;
        return window.data() + static_cast<size_t>(at) * valueSize;
    }
    CaseValue Decode(const unsigned char *p) const;
    // Reads the stored bytes of one case (from 0) that is not in the window.
    virtual bool ReadStoredCase(long caseFrom0, unsigned char *bytes);
    // Walks every case from the first and gives the range of the valid
    // values (0 and 0 when there is none); the cursor ends past the last case.
    void ScanRange(double &low, double &high);

    int valueSize = 8;
    long sysMissingInt = 0; // integer sentinel of integer types
    long caseCount = 0;
    long position = -1; // current case, 0-based; -1 none
    bool forward = true;
    std::vector<unsigned char> window;
    long windowStart = 0; // first case (0-based) in the window
    long windowCount = 0; // cases in the window
    long windowCapacity = 0;
    ByteStream *source = nullptr; // owned; the file the column is paged from
    int error = DSERR_NONE;
    std::string errorText;
    std::string origin; // file and variable, for errorText; "" for no data-set variable
    // A float or double column holds no NaN and no infinity: the first one
    // among count values from case start (0-based) sets DSERR_VALUE and
    // gives false.
    bool CheckFinite(const unsigned char *bytes, long start, long count);
    size_t claimedBytes = 0; // of the process's budget, for the window
};

// The value list of one variable of a data set.
class LISTETYPE : public BUFFERTYPE
{
public:
    // An unbound list: bind it to a data set and load a variable later.
    LISTETYPE();
    // Loads the variable (from 1) of the data set at once; budget 0 lets the
    // process's budget size the window. On failure Error() is set and the list has no cases.
    LISTETYPE(DATASET *dataSet, long variable, size_t budget = 0);

    void BindToDataSet(DATASET *dataSet) { boundDataSet = dataSet; }
    // Loads (again) a variable of the bound data set; flag non-zero leaves
    // the list ready for a forward walk from case 1. False on failure.
    bool LoadVariable(long variable, int flag, size_t budget = 0);

private:
    DATASET *boundDataSet = nullptr; // used only while loading
};

// A value list of no data-set variable (case maps, sort orders, grouped
// values, weights), kept in memory within the budget and beyond it in a
// temporary file "qv<process>_<n>.$$$" that the system deletes when the
// list closes it or the process ends, however it ends.
class TMPLISTETYPE : public BUFFERTYPE
{
public:
    // A list of caseCount values of the storage type, every one the type's
    // system-missing sentinel. Budget 0: the window grows as values are
    // appended while the process's budget grants more, and the values go
    // to the temporary file beyond that; else the window is budget bytes.
    TMPLISTETYPE(int storageType, long caseCount = 0, size_t budget = 0);
    ~TMPLISTETYPE() override;

    // Store a value at the current case (after MoveNext). False when the
    // cursor is on no case.
    bool StoreInt(long value);
    bool StoreReal(double value);
    // Append a case at the end (the cursor is not moved).
    bool AppendInt(long value);
    bool AppendReal(double value);
    // Takes the variable description (missing codes, width, decimals, range)
    // of another list, without its values.
    void CopyDescription(const BUFFERTYPE &other);
    // Writes every value to the temporary file, so that direct reads find
    // them there. False when the file cannot be written.
    bool OpenFile();
    bool HasFile() const { return file != nullptr; }
    const char *FileName() const { return fileName.c_str(); }
    // Removes the temporary files of lists whose process has ended (left by
    // a version that did not have them deleted by the system, or by a
    // system that did not); never a file of a running process. Returns the
    // number removed.
    static int RemoveLeftoverFiles();
    // Recomputes minimum and maximum of the valid values.
    void ComputeRange();

protected:
    bool LoadWindow(long start, long count) override;
    bool ReadStoredCase(long caseFrom0, unsigned char *bytes) override;

private:
    bool FlushWindow();
    bool EnsureFile();
    void EncodeValue(unsigned char *p, double value, long intValue, bool isInt) const;
    bool AppendEncoded(const unsigned char *bytes);
    // Widens a window that holds every case so far by a new grant of the
    // budget; false when none is granted.
    bool GrowWindow();

    PFILE *file = nullptr; // owned; created when the values outgrow the budget
    std::string fileName;
    bool dirty = false;       // the window holds values not yet in the file
    bool fixedBudget = false; // a budget was given: the window never grows
};

// One case's value (case from 0) read straight from the list's file: its
// temporary file, or the system file at the variable's column.
CaseValue ReadCaseValue(BUFFERTYPE *list, long caseFrom0);
