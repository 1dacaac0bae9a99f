// PFILE: the program's buffered file stream, used for every file it reads or
// writes (data-set files, map files, saved texts). BINFILE adds typed
// little-endian reads and writes, TXTFILE text output with line ends.
//
// Owner: whoever constructs it; the destructor flushes and closes the file.
// Positions and sizes are byte offsets from the start of the file (0-based).
// Reads past the end deliver fewer items and set no error; every other
// failure sets Error() to one of the PFILE_ERR_* words and the call returns
// false or a short count. Nothing throws.
#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <utility>
#include <string>
#include <vector>

enum {
    PFILE_ERR_NONE = 0,
    PFILE_ERR_OPEN = 1,     // the file could not be opened or created
    PFILE_ERR_NOT_OPEN = 2, // an operation on a closed stream
    PFILE_ERR_READ = 3,
    PFILE_ERR_WRITE = 4,
    PFILE_ERR_SEEK = 5,
    PFILE_ERR_MODE = 6,    // write on a read stream or read on a write stream
    PFILE_ERR_ARGUMENT = 7, // null buffer, size overflow, bad mode, no name
    PFILE_ERR_DISK_FULL = 8 // a write failed for want of room on the disk
};

enum PfileMode {
    PFILE_READ = 0,      // existing file, read only
    PFILE_WRITE = 1,     // create or truncate, write (and read back)
    PFILE_READWRITE = 2, // existing file, read and write
    PFILE_APPEND = 3,    // create when missing; every write goes to the end
    PFILE_TEMPORARY = 4  // create, read and write; the system deletes the file when it is
                         // closed or its process ends, however it ends
};

// Manipulators applied to a stream with ApplyManipulator.
enum PfileManipulator {
    PFILE_ENDL = 0 // line end "\r\n " (the blank starts the next line, as result texts do)
};

class PFILE
{
public:
    explicit PFILE(const char *fileName = nullptr);
    virtual ~PFILE();
    PFILE(const PFILE &) = delete;
    PFILE &operator=(const PFILE &) = delete;

    // mode: 0 read, 1 write (create/truncate), 2 read+write existing,
    // 3 append, 4 temporary. A file name given here replaces the
    // constructor's.
    bool Open(int mode, const char *fileName = nullptr);
    void Close();
    bool IsOpen() const;

    bool Seek(long long offset); // absolute; past the end is allowed for writing
    long long Tell() const;
    long long Size() const; // file length in bytes, pending writes included

    // Items of itemSize bytes. Read returns the whole items read (fewer at
    // the end of the file, without an error); the position moves by the
    // bytes actually read.
    size_t Read(void *buffer, size_t itemSize, size_t count);
    size_t Write(const void *buffer, size_t itemSize, size_t count);
    bool Flush();

    int Error() const;
    // Test hook: from now on the writes of every PFILE together put at most
    // that many more bytes on the disk, and then come short as on a full
    // disk (WriteFile succeeding with fewer bytes, as under Wine). -1: no
    // limit.
    static void SetWriteLimit(long long bytes);
    void ClearError();
    // Writes the pieces, one after the other, to fileName + ".$$$" and then
    // puts that file in the place of fileName, so that a write that fails
    // leaves the old file (or none), never a part of the new one; the
    // temporary file is removed on failure. Returns PFILE_ERR_NONE, or the
    // error of the write (PFILE_ERR_DISK_FULL for a full disk).
    static int SaveWhole(const char *fileName, std::initializer_list<std::pair<const void *, size_t>> pieces);
    const char *FileName() const;
    int Mode() const { return mode_; }

    // Text output, shared by TXTFILE and result windows. WriteText writes
    // the text unchanged, in the quote character and followed by the
    // separator when these are set (both 0 by default).
    bool WriteText(const char *text);
    void SetTextQuote(char quote) { quote_ = quote; }
    void SetTextSeparator(char separator) { separator_ = separator; }
    virtual bool ApplyManipulator(int manipulator);

protected:
    bool WriteBytes(const void *data, size_t length);

private:
    bool FlushWrite();
    bool FillReadBuffer();
    void DropReadBuffer();

    std::string fileName_;
    void *handle_; // HANDLE; INVALID_HANDLE_VALUE when closed
    int mode_;
    int error_;
    long long pos_;      // logical position of the stream
    long long fileSize_; // size on disk as of the last flush or open

    std::vector<char> buffer_;
    long long bufStart_; // file offset of buffer_[0]
    size_t bufLen_;      // valid bytes in the buffer
    bool bufDirty_;      // the buffer holds unwritten bytes [0, bufLen_)

    char quote_;
    char separator_;
};

// Binary file: little-endian typed values. Each call returns false at the
// end of the file (the value is then left unchanged) or on an error.
class BINFILE : public PFILE
{
public:
    explicit BINFILE(const char *fileName = nullptr) : PFILE(fileName) {}

    bool ReadU8(uint8_t &value);
    bool ReadI16(int16_t &value);
    bool ReadU16(uint16_t &value);
    bool ReadI32(int32_t &value);
    bool ReadU32(uint32_t &value);
    bool ReadF32(float &value);
    bool ReadF64(double &value);

    bool WriteU8(uint8_t value);
    bool WriteI16(int16_t value);
    bool WriteU16(uint16_t value);
    bool WriteI32(int32_t value);
    bool WriteU32(uint32_t value);
    bool WriteF32(float value);
    bool WriteF64(double value);

private:
    bool ReadLE(void *value, size_t size);
    bool WriteLE(const void *value, size_t size);
};

// Text output file with formatted writers. Lines end with the line-end
// manipulator (PFILE_ENDL) or WriteLine.
class TXTFILE : public PFILE
{
public:
    explicit TXTFILE(const char *fileName = nullptr) : PFILE(fileName) {}

    bool WriteInteger(long value);
    bool WriteReal(double value, int decimals); // decimals limited to 0..15
    // printf-style; output longer than 4095 characters is cut.
    bool WriteFormatted(const char *format, ...) __attribute__((format(gnu_printf, 2, 3)));
    bool WriteLine(const char *text); // text, then the line end
};
