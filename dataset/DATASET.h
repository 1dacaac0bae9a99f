// DATASET: the open data set: its system file ".QVF" (header, value columns,
// category labels, stored selection), its index file ".IND" (one record per
// variable), the documentation file ".dkm", the lock file ".lck" with its
// companion ".~qv", and the map file ".KRT" beside it. docs/dataset-files.md
// describes the files.
//
// Ownership: the program's settings object (ProgramSettings) owns the
// current data set; a data set owns its streams, its selection records and
// its weight record. Value lists made from it (LISTETYPE) are owned by their
// makers.
//
// Numbering: variables count from 1; the direct reads and selection bits
// count cases from 0 (SelectRec, ReadCaseValue); value-list cursors count
// them from 1 (BUFFERTYPE::SeekCase).
//
// Changes (a weight, a selection, a region variable, a new variable) are
// written by Save or AddVariable through DataSetWriter, which builds the new
// files beside the old ones and puts them in place only after a commit
// record says they are complete: a failure leaves the files as they were and
// reports it, and a save cut off by the program's end is finished or undone
// by the next Open.
#pragma once

#include "dataset/DataSetLayout.h"
#include "dataset/PFILE.h"

#include <string>
#include <vector>

class BUFFERTYPE;
class ByteStream;
class LogBuffer;
class SelectRec;
class WeightRec;

// One map of the map file, as its directory holds it.
struct MapDirectoryEntry
{
    short itemCount = 0;
    long geometryOffset = 0;
    char name[36] = "";
};

// The map file's directory: count and version; the entries exist only from
// version 9020 on.
struct MapDirectory
{
    short mapCount = 0;
    short version = 0;
    MapDirectoryEntry *entries = nullptr; // owned, mapCount records
};

enum {
    DATASET_READONLY = 1 // open without taking the lock (no changes can be saved)
};

class DATASET
{
public:
    DATASET();
    ~DATASET();
    DATASET(const DATASET &) = delete;
    DATASET &operator=(const DATASET &) = delete;

    // Opens the data set of a system file (the ".QVF" path; the other files
    // are found beside it). Returns 0 or a DataSetError word; on failure the
    // object holds no data set. Flags: DATASET_READONLY.
    // A save of the data set that was interrupted (the program ended in the
    // middle) is finished or undone first, under the data set's lock (also
    // when opening read-only); GetSaveRecovery tells which, for the caller
    // to show. A read-only open while another program saves gets
    // DSERR_LOCKED. A data set whose folder cannot be written (a read-only
    // medium) opens read-only, with the reason in GetReadOnlyReason; a lock
    // that cannot be made for another reason is DSERR_NO_LOCK with the
    // system's words.
    int Open(const char *fileName, int flags = 0);
    // Opened read-only (asked for, or the folder cannot be written): Save
    // and AddVariable are refused with DSERR_READ_ONLY.
    bool IsReadOnly() const { return (flags & DATASET_READONLY) != 0; }
    // Why a data set the caller did not ask to open read-only is read-only
    // ("" otherwise).
    const char *GetReadOnlyReason() const { return readOnlyReason.c_str(); }

    // How a failure to make the lock file is answered.
    enum LockFailure {
        lockHeldElsewhere,  // another program holds the lock: DSERR_LOCKED
        lockFolderReadOnly, // the folder or medium cannot be written: opened read-only
        lockOtherFailure    // any other reason: DSERR_NO_LOCK with the system's words
    };
    // What is found at the lock file's name after a failure to make it.
    enum LockPathKind { lockPathFree, lockPathFile, lockPathFolder };
    // The answer to CreateFile's error code.
    static LockFailure ClassifyLockFailure(unsigned long errorCode, LockPathKind found);
    // Opens a data set from two streams (taken over), so that images of the
    // files that are not on disk can be checked. No lock, map or
    // documentation.
    int OpenStreams(ByteStream *qvf, ByteStream *ind);
    // Closes every file, frees the map directory and the selection and
    // weight records; releases the lock.
    void CloseFiles();
    bool IsOpen() const { return qvf != nullptr; }

    // Re-reads the 128-byte header of the system file; returns the number
    // of bytes read (128), or 0 when it cannot be read or is damaged.
    int ReadHeader();

    int GetError() const { return error; }
    // The last failure in words, with the file it concerns.
    const char *GetErrorText() const { return errorText.c_str(); }
    // What the last Open did about an interrupted save
    // (DataSetWriter::SaveRecovery) and that in words ("" for none).
    int GetSaveRecovery() const { return saveRecovery; }
    const char *GetSaveRecoveryText() const;

    const char *GetFileName() const { return fileName.c_str(); }
    // A sibling file's path: the data set's path with another extension
    // (".IND", ".KRT", ...).
    std::string SiblingName(const char *extension) const;
    long GetVariableCount() const { return static_cast<long>(variables.size()); }
    long GetCaseCount() const { return header.caseCount; }
    // 9020 or 9600 (a stored 9121 reads as 9020).
    int GetFormatCode() const { return header.EffectiveFormat(); }
    // Header offset 14: 1 from format 9600 on, 0 before.
    int GetCodePage() const { return header.codePage; }
    const QvfHeader &GetHeader() const { return header; }

    // The variable (from 1), or null.
    const VariableInfo *GetVariable(long number) const;
    // The number (from 1) of the variable of that name (case ignored), 0
    // when none.
    long FindVariable(const char *name) const;
    // Name, ": " and label, cut to the buffer (size bytes). False when the
    // variable does not exist (out is then the empty text).
    bool GetVariableCaption(long number, char *out, size_t size) const;
    // The variable's category labels, sorted by value; an error word.
    int ReadCategoryLabels(long number, std::vector<CategoryLabel> *out);
    // A new stream on the system file (the caller deletes it).
    ByteStream *NewColumnStream() const;
    // Keeps the range found for a variable whose record does not hold one.
    void SetVariableRange(long number, double minimum, double maximum);

    // Weight, region variable and selection as stored in the data set.
    WeightRec *GetWeight() { return weight; }
    long GetRegionVariable() const { return header.regionVariable; }
    // The selection in force: the head of the selection list, else the
    // default record (no selection).
    SelectRec *GetActiveSelection();
    // Puts a selection (bits taken over) at the head of the list; it is in
    // force at once and is stored by the next Save.
    bool SetSelection(LogBuffer *bits, const char *description);
    // Removes the selection in force.
    void ClearSelection();
    bool SetWeightVariables(const long *numbers, int count);
    bool SetRegionVariable(long number); // 0 removes it; integer variables only

    // Writes the data set with its current weight, selection and region
    // variable (format 9600), replacing the files only when the new ones are
    // complete. Returns 0 or an error word (the data set is then unchanged).
    // A data set opened read-only, or one of whose files (system, index,
    // documentation) has the read-only attribute, is refused with
    // DSERR_READ_ONLY naming the reason or the file, before anything is
    // written.
    int Save();
    // Adds a variable whose values are the cases of the list (walked from
    // case 1; converted to the storage type of info) and saves. Returns the
    // new variable's number (from 1), or 0 with GetError() set and the data
    // set unchanged.
    long AddVariable(const VariableInfo &info, const std::vector<CategoryLabel> &labels, BUFFERTYPE *values);

    // The documentation of the data set (variable 0) or of a variable from
    // the ".dkm" file; empty when there is none.
    std::string GetDocumentation(long variable) const;
    bool HasDocumentation() const { return !documentation.empty(); }

    // Map file (".KRT" beside the data set, found from its absolute path):
    // flag set by Open when it exists, also when the data set opens again
    // after a save; the stream is opened by its readers; the directory is
    // filled by the map reader, read again after a save, and freed by
    // CloseFiles.
    int mapFileFlag = 0;
    BINFILE mapFile;
    MapDirectory mapDirectory;
    // Fills mapDirectory from the map file (through the checked reader, names
    // kept as they are from the data set's code page on); the stream is left
    // closed. Answers a MapFileError word: MAPERR_NONE, MAPERR_SHORT also
    // for a file that cannot be opened; on failure the directory is empty.
    int ReadMapDirectory();

private:
    int Fail(int code, const std::string &detail = std::string());
    void TakeWriterError(const class DataSetWriter &writer);
    int ReadFiles();
    bool TakeLock();
    void ReleaseLock();
    // The first of the files a save replaces that is read-only; "" for none.
    std::string ReadOnlyFileName() const;
    void LoadDocumentation();
    // Sets the map-file flag and the stream's name when the map file exists.
    void NoteMapFile();
    int Reopen();
    int RecoverInterruptedSave();
    long Rewrite(const VariableInfo *info, const std::vector<CategoryLabel> &labels, BUFFERTYPE *values);

    std::string fileName; // the ".QVF" path
    std::string basePath; // the path without its extension
    int flags = 0;
    QvfHeader header;
    std::vector<VariableInfo> variables;
    ByteStream *qvf = nullptr;             // owned
    ByteStream *ind = nullptr;             // owned
    SelectRec *selection = nullptr;        // head of the selection list (owned), or null
    SelectRec *defaultSelection = nullptr; // no selection (owned)
    WeightRec *weight = nullptr;           // owned
    void *lockHandle = nullptr;            // HANDLE of ".lck", held open while the data set is open
    bool reopening = false;                // the lock is kept while the data set reopens
    std::string documentation;             // whole ".dkm" text
    int error = DSERR_NONE;
    std::string errorText;
    int saveRecovery = 0; // DataSetWriter::SaveRecovery of the last Open
    std::string saveRecoveryText; // its words when they name files (set aside)
    LockFailure lockFailure = lockHeldElsewhere; // of the last failed TakeLock
    std::string lockFailureText;                 // that failure in words
    std::string readOnlyReason;                  // why it opened read-only without being asked
};

// Opens a data set (which notes its map file, see mapFileFlag). Returns a
// new data set, or null
// with *error set and the failure in words in *errorText (both may be null).
DATASET *OpenDataSet(const char *fileName, int *error = nullptr, int flags = 0, std::string *errorText = nullptr);

// A new text (delete[] it) of the current data set's variable (from 1): its
// name (up to 25 characters), ": " and its label (up to 70); the empty text
// when there is no such variable.
char *ReadVariableCaption(long variable);
// The same of a given data set (null: the current one).
char *ReadVariableCaption(const DATASET *dataSet, long variable);
