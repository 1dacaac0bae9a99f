// ByteStream: positioned, bounds-checked reads of a data-set file or of an
// image of one held in memory. Every reader of the data-set files (header,
// index, labels, value columns, map file) goes through it, so that an offset
// or length taken from a file is always checked against the real size before
// anything is read or allocated.
//
// Owned by whoever created it; Clone() gives an independent stream on the
// same bytes (value lists each keep their own). Offsets are bytes from the
// start of the file, 0-based.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

class ByteStream
{
public:
    virtual ~ByteStream() {}
    // Total length in bytes; -1 when it cannot be known.
    virtual long long Size() const = 0;
    // Reads exactly length bytes at offset; false (buffer untouched beyond
    // what was read) when the range is not wholly inside the stream.
    virtual bool ReadAt(long long offset, void *buffer, size_t length) = 0;
    // A second, independent stream on the same bytes; null when it cannot be
    // opened.
    virtual ByteStream *Clone() const = 0;
    // Releases the operating-system handle, if any; the next read reopens it.
    virtual void Release() {}

    // True when [offset, offset + length) lies inside the stream.
    bool Contains(long long offset, long long length) const;
};

// A stream over a file, opened for reading with every share mode allowed
// except deleting; the handle opens on the first read.
class FileByteStream : public ByteStream
{
public:
    explicit FileByteStream(const char *fileName);
    ~FileByteStream() override;
    bool Open(); // false when the file cannot be opened
    long long Size() const override;
    bool ReadAt(long long offset, void *buffer, size_t length) override;
    ByteStream *Clone() const override;
    void Release() override;
    const char *FileName() const { return fileName.c_str(); }

private:
    std::string fileName;
    void *handle; // HANDLE; INVALID_HANDLE_VALUE when closed
    mutable long long size;
    long long position; // where the handle's file pointer stands
};

// A stream over bytes held in memory (shared by its clones).
class MemoryByteStream : public ByteStream
{
public:
    explicit MemoryByteStream(std::vector<unsigned char> bytes);
    explicit MemoryByteStream(std::shared_ptr<const std::vector<unsigned char>> bytes);
    long long Size() const override;
    bool ReadAt(long long offset, void *buffer, size_t length) override;
    ByteStream *Clone() const override;

private:
    std::shared_ptr<const std::vector<unsigned char>> bytes;
};
