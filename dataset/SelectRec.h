// SelectRec and LogBuffer: the case selection of a data set. A LogBuffer is
// a bit vector with one bit per case (bit c % 8 of byte c / 8 for case c,
// counted from 0), held in memory or read from the system file where the
// data set stores its selection. A SelectRec is the selection in force: a
// word that says whether it is active and its bit vector.
//
// Ownership: the data set owns its SelectRecs; a SelectRec owns its
// LogBuffer; a LogBuffer owns the stream it reads from.
#pragma once

#include <string>
#include <vector>

class ByteStream;

class LogBuffer
{
public:
    // caseCount bits, all clear (or all set), in memory.
    explicit LogBuffer(long caseCount, bool allSet = false);
    // caseCount bits read from a stream (owned) at an offset; the range has
    // been checked against the stream by the caller.
    LogBuffer(ByteStream *stream, long long offset, long caseCount);
    ~LogBuffer();
    LogBuffer(const LogBuffer &) = delete;
    LogBuffer &operator=(const LogBuffer &) = delete;

    long GetCaseCount() const { return caseCount; }
    bool HasFile() const { return stream != nullptr; }
    // Closes the file's handle (it reopens on the next read), so that the
    // file can be replaced.
    void ReleaseFile();
    int Error() const { return error; }

    // Bit of a case (from 0); false for a case outside the vector.
    bool IsSet(long caseFrom0);
    // Sets or clears a case's bit; a file-backed vector is read into memory
    // first. False for a case outside the vector.
    bool Set(long caseFrom0, bool on);
    long CountSet();
    // The whole vector, (caseCount + 7) / 8 bytes.
    std::vector<unsigned char> GetBytes();

    // Bit scan: StartBitScan places the scan before case 0; each NextBit
    // steps to the next case and is false past the last one. CurrentBit is
    // the bit of the case reached; the case number is
    // currentByte * 8 + currentBit.
    void StartBitScan();
    bool NextBit();
    bool CurrentBit() const { return bitValue; }
    long CurrentCase() const { return currentByte * 8 + currentBit; }
    long currentByte = 0;
    int currentBit = -1;

private:
    bool LoadIntoMemory();
    bool ReadChunk(long byteIndex);

    long caseCount;
    std::vector<unsigned char> bits; // whole vector (memory) or one chunk (file)
    ByteStream *stream = nullptr;
    long long offset = 0;
    long chunkStart = -1; // first byte of the chunk held (file mode)
    bool bitValue = false;
    int error = 0;
};

// The bit of a case (from 0) read from the vector's file when it has one,
// else from memory.
bool IsCaseSelected(LogBuffer *bits, long caseFrom0);

class SelectRec
{
public:
    explicit SelectRec(long dataSetCaseCount);
    ~SelectRec();
    SelectRec(const SelectRec &) = delete;
    SelectRec &operator=(const SelectRec &) = delete;

    // Number of cases in force: the set bits when active, else all cases.
    long GetCaseCount();
    bool IsActive() const { return active != 0 && bits != nullptr; }
    // True when the case (from 0) counts: always without an active selection.
    bool IsCaseInForce(long caseFrom0) { return !IsActive() || bits->IsSet(caseFrom0); }
    // Exchanges every field with other's: the data set's reopen keeps a
    // record's address while it takes the reopened files' contents.
    void Swap(SelectRec &other);

    int active = 0;            // 0 none, else the bit vector is in force
    LogBuffer *bits = nullptr; // owned; null for the default record
    std::string description;   // how the selection was made, for reports
    long dataSetCases;
};
