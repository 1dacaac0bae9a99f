#include "dataset/ByteStream.h"

#include <windows.h>

#include <cstring>

bool ByteStream::Contains(long long offset, long long length) const
{
    long long size = Size();
    return offset >= 0 && length >= 0 && size >= 0 && offset <= size && length <= size - offset;
}

FileByteStream::FileByteStream(const char *name)
    : fileName(name ? name : ""), handle(INVALID_HANDLE_VALUE), size(-1), position(-1)
{}

FileByteStream::~FileByteStream()
{
    Release();
}

bool FileByteStream::Open()
{
    if (handle != INVALID_HANDLE_VALUE)
        return true;
    handle = CreateFileA(fileName.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                         nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return false;
    LARGE_INTEGER length;
    size = GetFileSizeEx(handle, &length) ? length.QuadPart : -1;
    position = 0;
    return size >= 0;
}

void FileByteStream::Release()
{
    if (handle != INVALID_HANDLE_VALUE)
        CloseHandle(handle);
    handle = INVALID_HANDLE_VALUE;
    position = -1;
}

long long FileByteStream::Size() const
{
    if (size < 0 && handle == INVALID_HANDLE_VALUE) {
        WIN32_FILE_ATTRIBUTE_DATA data;
        if (GetFileAttributesExA(fileName.c_str(), GetFileExInfoStandard, &data))
            size = (static_cast<long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    }
    return size;
}

bool FileByteStream::ReadAt(long long offset, void *buffer, size_t length)
{
    if (!Open() || !Contains(offset, static_cast<long long>(length)))
        return false;
    if (position != offset) {
        LARGE_INTEGER to;
        to.QuadPart = offset;
        if (!SetFilePointerEx(handle, to, nullptr, FILE_BEGIN)) {
            position = -1;
            return false;
        }
        position = offset;
    }
    unsigned char *out = static_cast<unsigned char *>(buffer);
    while (length > 0) {
        DWORD chunk = length > 0x1000000 ? 0x1000000 : static_cast<DWORD>(length);
        DWORD got = 0;
        if (!ReadFile(handle, out, chunk, &got, nullptr) || got == 0) {
            position = -1;
            return false;
        }
        out += got;
        length -= got;
        position += got;
    }
    return true;
}

ByteStream *FileByteStream::Clone() const
{
    return new FileByteStream(fileName.c_str());
}

MemoryByteStream::MemoryByteStream(std::vector<unsigned char> data)
    : bytes(std::make_shared<const std::vector<unsigned char>>(std::move(data)))
{}

MemoryByteStream::MemoryByteStream(std::shared_ptr<const std::vector<unsigned char>> data) : bytes(std::move(data))
{}

long long MemoryByteStream::Size() const
{
    return bytes ? static_cast<long long>(bytes->size()) : 0;
}

bool MemoryByteStream::ReadAt(long long offset, void *buffer, size_t length)
{
    if (!Contains(offset, static_cast<long long>(length)))
        return false;
    if (length)
        std::memcpy(buffer, bytes->data() + offset, length);
    return true;
}

ByteStream *MemoryByteStream::Clone() const
{
    return new MemoryByteStream(bytes);
}
