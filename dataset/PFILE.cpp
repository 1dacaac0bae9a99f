#include "dataset/PFILE.h"

#include <windows.h>

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstring>

namespace {
const size_t kBufferSize = 64 * 1024;
// Bytes the file system still takes (test hook); -1: no limit.
long long writeLimit = -1;

HANDLE AsHandle(void *h)
{
    return static_cast<HANDLE>(h);
}
} // namespace

void PFILE::SetWriteLimit(long long bytes)
{
    writeLimit = bytes < 0 ? -1 : bytes;
}

PFILE::PFILE(const char *fileName)
    : fileName_(fileName ? fileName : ""), handle_(INVALID_HANDLE_VALUE), mode_(-1), error_(PFILE_ERR_NONE), pos_(0),
      fileSize_(0), bufStart_(0), bufLen_(0), bufDirty_(false), quote_(0), separator_(0)
{}

PFILE::~PFILE()
{
    Close();
}

bool PFILE::Open(int mode, const char *fileName)
{
    Close();
    error_ = PFILE_ERR_NONE;
    if (fileName)
        fileName_ = fileName;
    if (fileName_.empty() || mode < PFILE_READ || mode > PFILE_TEMPORARY) {
        error_ = PFILE_ERR_ARGUMENT;
        return false;
    }
    DWORD access = GENERIC_READ;
    DWORD share = FILE_SHARE_READ;
    DWORD disposition = OPEN_EXISTING;
    DWORD attributes = FILE_ATTRIBUTE_NORMAL;
    switch (mode) {
    case PFILE_WRITE:
        access = GENERIC_READ | GENERIC_WRITE;
        disposition = CREATE_ALWAYS;
        break;
    case PFILE_READWRITE:
        access = GENERIC_READ | GENERIC_WRITE;
        break;
    case PFILE_APPEND:
        access = GENERIC_READ | GENERIC_WRITE;
        disposition = OPEN_ALWAYS;
        break;
    case PFILE_TEMPORARY:
        // The system removes the file when its last handle closes, which a
        // process that ends in any way does.
        access = GENERIC_READ | GENERIC_WRITE;
        disposition = CREATE_ALWAYS;
        share = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
        attributes = FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE;
        break;
    default:
        share = FILE_SHARE_READ | FILE_SHARE_WRITE;
        break;
    }
    HANDLE h = CreateFileA(fileName_.c_str(), access, share, nullptr, disposition, attributes, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        error_ = PFILE_ERR_OPEN;
        return false;
    }
    LARGE_INTEGER size;
    if (!GetFileSizeEx(h, &size)) {
        CloseHandle(h);
        error_ = PFILE_ERR_OPEN;
        return false;
    }
    handle_ = h;
    mode_ = mode;
    fileSize_ = size.QuadPart;
    pos_ = (mode == PFILE_APPEND) ? fileSize_ : 0;
    buffer_.resize(kBufferSize);
    bufStart_ = 0;
    bufLen_ = 0;
    bufDirty_ = false;
    return true;
}

void PFILE::Close()
{
    if (handle_ == INVALID_HANDLE_VALUE)
        return;
    FlushWrite();
    CloseHandle(AsHandle(handle_));
    handle_ = INVALID_HANDLE_VALUE;
    mode_ = -1;
    pos_ = 0;
    fileSize_ = 0;
    bufLen_ = 0;
    bufDirty_ = false;
    buffer_.clear();
    buffer_.shrink_to_fit();
}

bool PFILE::IsOpen() const
{
    return handle_ != INVALID_HANDLE_VALUE;
}

bool PFILE::Seek(long long offset)
{
    if (!IsOpen()) {
        error_ = PFILE_ERR_NOT_OPEN;
        return false;
    }
    if (offset < 0) {
        error_ = PFILE_ERR_SEEK;
        return false;
    }
    pos_ = offset;
    return true;
}

long long PFILE::Tell() const
{
    return IsOpen() ? pos_ : -1;
}

long long PFILE::Size() const
{
    if (!IsOpen())
        return -1;
    long long size = fileSize_;
    if (bufDirty_)
        size = std::max(size, bufStart_ + static_cast<long long>(bufLen_));
    return size;
}

void PFILE::DropReadBuffer()
{
    if (!bufDirty_)
        bufLen_ = 0;
}

bool PFILE::FlushWrite()
{
    if (!bufDirty_)
        return true;
    if (bufLen_ == 0) {
        bufDirty_ = false;
        return true;
    }
    bool ok = false;
    LARGE_INTEGER at;
    at.QuadPart = bufStart_;
    if (SetFilePointerEx(AsHandle(handle_), at, nullptr, FILE_BEGIN)) {
        DWORD written = 0;
        SetLastError(ERROR_SUCCESS);
        const DWORD asked = static_cast<DWORD>(std::min<long long>(bufLen_, writeLimit < 0 ? bufLen_ : writeLimit));
        const bool accepted = WriteFile(AsHandle(handle_), buffer_.data(), asked, &written, nullptr) != 0;
        const DWORD code = GetLastError();
        if (writeLimit >= 0)
            writeLimit -= written;
        ok = accepted && written == bufLen_;
        if (written > 0)
            fileSize_ = std::max(fileSize_, bufStart_ + static_cast<long long>(written));
        // A write that the system takes but that comes short is a full disk:
        // Wine's WriteFile then returns TRUE with fewer bytes and leaves the
        // error 0; Windows fails it with ERROR_DISK_FULL.
        const bool shortWrite = accepted && written < bufLen_;
        if (!ok && (shortWrite || code == ERROR_DISK_FULL || code == ERROR_HANDLE_DISK_FULL)) {
            error_ = PFILE_ERR_DISK_FULL;
            bufDirty_ = false;
            bufLen_ = 0;
            return false;
        }
    }
    if (!ok)
        error_ = PFILE_ERR_WRITE;
    bufDirty_ = false;
    bufLen_ = 0;
    return ok;
}

bool PFILE::FillReadBuffer()
{
    bufLen_ = 0;
    bufStart_ = pos_;
    if (pos_ >= fileSize_)
        return true;
    LARGE_INTEGER at;
    at.QuadPart = pos_;
    if (!SetFilePointerEx(AsHandle(handle_), at, nullptr, FILE_BEGIN)) {
        error_ = PFILE_ERR_SEEK;
        return false;
    }
    DWORD got = 0;
    if (!ReadFile(AsHandle(handle_), buffer_.data(), static_cast<DWORD>(buffer_.size()), &got, nullptr)) {
        error_ = PFILE_ERR_READ;
        return false;
    }
    bufLen_ = got;
    return true;
}

size_t PFILE::Read(void *buffer, size_t itemSize, size_t count)
{
    if (!IsOpen()) {
        error_ = PFILE_ERR_NOT_OPEN;
        return 0;
    }
    if (mode_ == PFILE_APPEND) {
        error_ = PFILE_ERR_MODE;
        return 0;
    }
    if (itemSize == 0 || count == 0)
        return 0;
    if (!buffer || count > SIZE_MAX / itemSize) {
        error_ = PFILE_ERR_ARGUMENT;
        return 0;
    }
    if (bufDirty_ && !FlushWrite())
        return 0;
    size_t want = itemSize * count;
    size_t done = 0;
    char *out = static_cast<char *>(buffer);
    while (done < want) {
        if (pos_ < bufStart_ || pos_ >= bufStart_ + static_cast<long long>(bufLen_)) {
            if (!FillReadBuffer() || bufLen_ == 0)
                break;
        }
        size_t offset = static_cast<size_t>(pos_ - bufStart_);
        size_t n = std::min(want - done, bufLen_ - offset);
        memcpy(out + done, buffer_.data() + offset, n);
        done += n;
        pos_ += static_cast<long long>(n);
    }
    return done / itemSize;
}

bool PFILE::WriteBytes(const void *data, size_t length)
{
    if (!IsOpen()) {
        error_ = PFILE_ERR_NOT_OPEN;
        return false;
    }
    if (mode_ == PFILE_READ) {
        error_ = PFILE_ERR_MODE;
        return false;
    }
    if (length == 0)
        return true;
    if (!data) {
        error_ = PFILE_ERR_ARGUMENT;
        return false;
    }
    if (mode_ == PFILE_APPEND)
        pos_ = Size();
    DropReadBuffer();
    const char *in = static_cast<const char *>(data);
    while (length > 0) {
        bool appends = bufDirty_ && pos_ == bufStart_ + static_cast<long long>(bufLen_) && bufLen_ < buffer_.size();
        if (!appends) {
            if (bufDirty_ && !FlushWrite())
                return false;
            bufStart_ = pos_;
            bufLen_ = 0;
            bufDirty_ = true;
        }
        size_t n = std::min(length, buffer_.size() - bufLen_);
        memcpy(buffer_.data() + bufLen_, in, n);
        bufLen_ += n;
        pos_ += static_cast<long long>(n);
        in += n;
        length -= n;
    }
    return true;
}

size_t PFILE::Write(const void *buffer, size_t itemSize, size_t count)
{
    if (itemSize == 0 || count == 0)
        return 0;
    if (count > SIZE_MAX / itemSize) {
        error_ = PFILE_ERR_ARGUMENT;
        return 0;
    }
    return WriteBytes(buffer, itemSize * count) ? count : 0;
}

int PFILE::SaveWhole(const char *fileName, std::initializer_list<std::pair<const void *, size_t>> pieces)
{
    if (!fileName || !*fileName)
        return PFILE_ERR_ARGUMENT;
    const std::string temporary = std::string(fileName) + ".$$$";
    int error = PFILE_ERR_NONE;
    {
        PFILE file;
        bool written = file.Open(PFILE_WRITE, temporary.c_str());
        for (const auto &piece : pieces)
            written = written && file.Write(piece.first, 1, piece.second) == piece.second;
        written = written && file.Flush();
        if (!written)
            error = file.Error() != PFILE_ERR_NONE ? file.Error() : PFILE_ERR_WRITE;
    }
    if (error == PFILE_ERR_NONE &&
        !MoveFileExA(temporary.c_str(), fileName, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        error = PFILE_ERR_WRITE;
    if (error != PFILE_ERR_NONE)
        DeleteFileA(temporary.c_str());
    return error;
}

bool PFILE::Flush()
{
    if (!IsOpen()) {
        error_ = PFILE_ERR_NOT_OPEN;
        return false;
    }
    if (!FlushWrite())
        return false;
    if (mode_ != PFILE_READ && !FlushFileBuffers(AsHandle(handle_))) {
        // A disk found full by a write stays the reason.
        const DWORD code = GetLastError();
        if (error_ != PFILE_ERR_DISK_FULL)
            error_ = code == ERROR_DISK_FULL || code == ERROR_HANDLE_DISK_FULL ? PFILE_ERR_DISK_FULL : PFILE_ERR_WRITE;
        return false;
    }
    return true;
}

int PFILE::Error() const
{
    return error_;
}

void PFILE::ClearError()
{
    error_ = PFILE_ERR_NONE;
}

const char *PFILE::FileName() const
{
    return fileName_.c_str();
}

bool PFILE::WriteText(const char *text)
{
    if (!text)
        text = "";
    bool ok = true;
    if (quote_)
        ok = WriteBytes(&quote_, 1);
    ok = ok && WriteBytes(text, strlen(text));
    if (quote_)
        ok = ok && WriteBytes(&quote_, 1);
    if (separator_)
        ok = ok && WriteBytes(&separator_, 1);
    return ok;
}

bool PFILE::ApplyManipulator(int manipulator)
{
    if (manipulator == PFILE_ENDL)
        return WriteBytes("\r\n ", 3);
    error_ = PFILE_ERR_ARGUMENT;
    return false;
}

// ---------------------------------------------------------------- BINFILE
// The program runs on little-endian x86 only; the byte order of the files is
// little-endian, so values are copied as they lie in memory.

bool BINFILE::ReadLE(void *value, size_t size)
{
    unsigned char bytes[8];
    if (Read(bytes, size, 1) != 1)
        return false;
    memcpy(value, bytes, size);
    return true;
}

bool BINFILE::WriteLE(const void *value, size_t size)
{
    return Write(value, size, 1) == 1;
}

bool BINFILE::ReadU8(uint8_t &value)
{
    return ReadLE(&value, sizeof value);
}
bool BINFILE::ReadI16(int16_t &value)
{
    return ReadLE(&value, sizeof value);
}
bool BINFILE::ReadU16(uint16_t &value)
{
    return ReadLE(&value, sizeof value);
}
bool BINFILE::ReadI32(int32_t &value)
{
    return ReadLE(&value, sizeof value);
}
bool BINFILE::ReadU32(uint32_t &value)
{
    return ReadLE(&value, sizeof value);
}
bool BINFILE::ReadF32(float &value)
{
    return ReadLE(&value, sizeof value);
}
bool BINFILE::ReadF64(double &value)
{
    return ReadLE(&value, sizeof value);
}

bool BINFILE::WriteU8(uint8_t value)
{
    return WriteLE(&value, sizeof value);
}
bool BINFILE::WriteI16(int16_t value)
{
    return WriteLE(&value, sizeof value);
}
bool BINFILE::WriteU16(uint16_t value)
{
    return WriteLE(&value, sizeof value);
}
bool BINFILE::WriteI32(int32_t value)
{
    return WriteLE(&value, sizeof value);
}
bool BINFILE::WriteU32(uint32_t value)
{
    return WriteLE(&value, sizeof value);
}
bool BINFILE::WriteF32(float value)
{
    return WriteLE(&value, sizeof value);
}
bool BINFILE::WriteF64(double value)
{
    return WriteLE(&value, sizeof value);
}

// ---------------------------------------------------------------- TXTFILE

bool TXTFILE::WriteInteger(long value)
{
    char text[32];
    snprintf(text, sizeof text, "%ld", value);
    return WriteBytes(text, strlen(text));
}

bool TXTFILE::WriteReal(double value, int decimals)
{
    decimals = std::max(0, std::min(decimals, 15));
    char text[512];
    snprintf(text, sizeof text, "%.*f", decimals, value);
    return WriteBytes(text, strlen(text));
}

bool TXTFILE::WriteFormatted(const char *format, ...)
{
    if (!format)
        return false;
    char text[4096];
    va_list args;
    va_start(args, format);
    int n = vsnprintf(text, sizeof text, format, args);
    va_end(args);
    if (n < 0)
        return false;
    return WriteBytes(text, strlen(text));
}

bool TXTFILE::WriteLine(const char *text)
{
    return WriteText(text) && ApplyManipulator(PFILE_ENDL);
}
