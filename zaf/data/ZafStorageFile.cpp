#include "zaf/data/ZafStorageFile.h"

#include <cstring>

namespace {
constexpr int emptyCapacity = 60;
constexpr int largestObject = 0x40000000;
} // namespace

ZafStorageFile::ZafStorageFile(std::uint16_t mode, unsigned char *data, int size) : ZafFile(mode)
{
    if (data && size > 0) {
        buffer = data;
        capacity = length = size;
    } else {
        delete[] data;
        buffer = new unsigned char[emptyCapacity];
        capacity = emptyCapacity;
    }
}

ZafStorageFile::~ZafStorageFile()
{
    if (ownsBuffer)
        delete[] buffer;
}

int ZafStorageFile::Seek(int offset, int origin)
{
    long long target = position;
    if (origin == 0)
        target = offset;
    else if (origin == 1)
        target = static_cast<long long>(position) + offset;
    else if (origin == 2)
        target = static_cast<long long>(length) + offset;
    if (target < 0)
        target = 0;
    if (target > length)
        target = length;
    position = static_cast<int>(target);
    return 0;
}

int ZafStorageFile::ReadBytes(void *target, int count)
{
    const int available = length - position;
    const int moved = count < available ? count : available;
    if (moved < 1)
        return 0;
    std::memcpy(target, buffer + position, moved);
    position += moved;
    return moved;
}

int ZafStorageFile::WriteBytes(const void *source, int count)
{
    if (count < 1)
        return count;
    if (count > largestObject - position) {
        error = ZafError::Write;
        return 0;
    }
    const int end = position + count;
    if (end > capacity) {
        long long grown = capacity > 0 ? capacity : emptyCapacity;
        while (grown < end)
            grown *= 2;
        unsigned char *larger = new unsigned char[grown];
        std::memcpy(larger, buffer, length);
        if (ownsBuffer)
            delete[] buffer;
        buffer = larger;
        ownsBuffer = true;
        capacity = static_cast<int>(grown);
    }
    std::memcpy(buffer + position, source, count);
    position = end;
    if (position > length)
        length = position;
    modified = true;
    return count;
}
