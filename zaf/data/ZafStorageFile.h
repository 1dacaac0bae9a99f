// ZafStorageFile: one object of a UI data file, held whole in memory while it
// is open (ZafStorage::Open reads all its bytes at once).
//
// The file owns its buffer unless SetOwnsBuffer(false) is called. Every write
// sets the modified flag; ZafStorage::Close writes a modified object back to
// the storage's temporary file and deletes the file object, so a storage file
// must be closed through the storage that opened it. Positions are 0-based
// byte offsets.
#pragma once

#include "zaf/data/ZafFile.h"

class ZafDirectoryElement;

class ZafStorageFile : public ZafFile
{
public:
    // With a buffer: takes it (new[]-allocated, owned) with length and
    // capacity = size. Without: an empty file with a 60-byte buffer.
    ZafStorageFile(std::uint16_t mode, unsigned char *buffer = nullptr, int size = 0);
    ~ZafStorageFile() override;

    // Seek clamps the position to 0 ... length and always answers 0.
    int Length() override { return length; }
    int Seek(int offset, int origin) override;
    int Tell() override { return position; }
    int ReadBytes(void *buffer, int count) override;
    // Grows the buffer by doubling its capacity; a file is refused beyond
    // 1 GB (error 17, nothing written).
    int WriteBytes(const void *buffer, int count) override;

    bool SetOwnsBuffer(bool flag) { return ownsBuffer = flag; }
    bool IsModified() const { return modified; }
    const unsigned char *Buffer() const { return buffer; }
    int Capacity() const { return capacity; }

    // The entry the file was opened from; null for a file that has none (or
    // whose entry was removed while it was open).
    ZafDirectoryElement *DirectoryEntry() const { return directoryEntry; }
    void SetDirectoryEntry(ZafDirectoryElement *entry) { directoryEntry = entry; }

private:
    bool ownsBuffer = true;
    bool modified = false;
    unsigned char *buffer = nullptr;
    int capacity = 0;
    int length = 0;
    int position = 0;
    ZafDirectoryElement *directoryEntry = nullptr;
};
