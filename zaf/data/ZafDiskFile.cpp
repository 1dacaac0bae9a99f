#include "zaf/data/ZafDiskFile.h"

#include <windows.h>

#include <direct.h>

#include <cstring>

#include "zaf/core/ZafText.h"
#include "zaf/data/ZafCodeSetData.h"
#include "zaf/data/ZafPath.h"

namespace {
// A text of the library (Latin-1) in the operating system's code set, for
// as long as the object lives; null for null.
class LocalText
{
public:
    explicit LocalText(const char *text) : text(ConvertTextByCodeSet(text, nullptr, true)) {}
    ~LocalText() { delete[] text; }
    LocalText(const LocalText &) = delete;
    LocalText &operator=(const LocalText &) = delete;
    operator const char *() const { return text; }

private:
    char *text;
};

bool HasDirectoryPart(const char *name)
{
    return std::strchr(name, ':') || std::strchr(name, ZafDirectorySeparator());
}
} // namespace

const char *ZafDiskFile::StreamMode(std::uint16_t mode, char *buffer)
{
    if (mode & ZafFileMode::Append)
        std::strcpy(buffer, "a+");
    else if (mode & ZafFileMode::Create)
        std::strcpy(buffer, "w+");
    else if (mode & ZafFileMode::ReadWrite)
        std::strcpy(buffer, "r+");
    else
        std::strcpy(buffer, "r");
    if (mode & ZafFileMode::Binary)
        std::strcat(buffer, "b");
    else if (mode & ZafFileMode::Text)
        std::strcat(buffer, "t");
    return buffer;
}

ZafDiskFile::ZafDiskFile(const char *name, std::uint16_t mode) : ZafFile(mode)
{
    fileName = DuplicateLibraryString(name);
    if (fileName) {
        char part[ZafMaxPath];
        SplitPath(fileName, nullptr, part);
        SetStringID(part);
    }
    if (mode & ZafFileMode::NameOnly)
        return;
    if (!fileName || !*fileName) {
        error = ZafError::NotFound;
        return;
    }
    char streamMode[4];
    StreamMode(mode, streamMode);
    stream = ZafOpenFile(fileName, streamMode);
    if (!stream && zafSearchPath && !HasDirectoryPart(fileName) && !(mode & ZafFileMode::Create)) {
        for (ZafPathElement *element = zafSearchPath->First(); element && !stream;
             element = static_cast<ZafPathElement *>(element->Next())) {
            // A joined path too long for the buffer would be cut and could
            // name another file: such a directory is skipped.
            if (std::strlen(element->Directory()) + 1 + std::strlen(fileName) >= ZafMaxPath)
                continue;
            char candidate[ZafMaxPath];
            MakePath(candidate, element->Directory(), fileName);
            stream = ZafOpenFile(candidate, streamMode);
            if (stream) {
                delete[] fileName;
                fileName = DuplicateLibraryString(candidate);
            }
        }
    }
    if (!stream)
        error = ZafError::Open;
}

ZafDiskFile::~ZafDiskFile()
{
    if (stream && !(mode & ZafFileMode::NameOnly))
        std::fclose(stream);
    delete[] fileName;
}

int ZafDiskFile::Length()
{
    if (!stream)
        return -1;
    const long position = std::ftell(stream);
    if (position < 0 || std::fseek(stream, 0, SEEK_END) != 0)
        return -1;
    const long length = std::ftell(stream);
    std::fseek(stream, position, SEEK_SET);
    return static_cast<int>(length);
}

int ZafDiskFile::Seek(int offset, int origin)
{
    const int whence = origin == 0 ? SEEK_SET : origin == 1 ? SEEK_CUR : origin == 2 ? SEEK_END : -1;
    if (!stream || whence < 0 || std::fseek(stream, offset, whence) != 0) {
        error = ZafError::Seek;
        return -1;
    }
    return 0;
}

int ZafDiskFile::Tell()
{
    return stream ? static_cast<int>(std::ftell(stream)) : -1;
}

int ZafDiskFile::ReadBytes(void *buffer, int count)
{
    if (!stream || count <= 0)
        return 0;
    const std::size_t moved = std::fread(buffer, 1, static_cast<std::size_t>(count), stream);
    if (std::ferror(stream))
        error = ZafError::Read;
    return static_cast<int>(moved);
}

int ZafDiskFile::WriteBytes(const void *buffer, int count)
{
    if (!stream || count <= 0)
        return 0;
    const std::size_t moved = std::fwrite(buffer, 1, static_cast<std::size_t>(count), stream);
    if (moved < static_cast<std::size_t>(count))
        error = ZafError::Write;
    return static_cast<int>(moved);
}

int ZafDiskFileSystem::ChDir(const char *path, const char *, ZafNumberID)
{
    return path && SetCurrentDirectoryA(LocalText(path)) ? 0 : -1;
}

int ZafDiskFileSystem::FindFirst(ZafFileInfo &info, const char *pattern, const char *stringID, ZafNumberID objectID)
{
    // A search still open on the record is ended first, so that its handle
    // is not lost.
    FindClose(info);
    info.Clear();
    return FindNext(info, pattern, stringID, objectID);
}

int ZafDiskFileSystem::FindNext(ZafFileInfo &info, const char *pattern, const char *, ZafNumberID)
{
    WIN32_FIND_DATAA found;
    if (!info.searchState) {
        if (!pattern)
            return -1;
        HANDLE handle = FindFirstFileA(LocalText(pattern), &found);
        if (handle == INVALID_HANDLE_VALUE)
            return -1;
        info.searchState = handle;
    } else if (!FindNextFileA(static_cast<HANDLE>(info.searchState), &found))
        return -1;
    char *name = ConvertTextToISO(found.cFileName, nullptr, true);
    info.SetName(name);
    delete[] name;
    info.size = static_cast<int>(found.nFileSizeLow);
    info.attributes = 0;
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        info.attributes |= ZafFileInfo::directory;
    if (found.dwFileAttributes & FILE_ATTRIBUTE_READONLY)
        info.attributes |= ZafFileInfo::readOnly;
    return 0;
}

int ZafDiskFileSystem::FindClose(ZafFileInfo &info)
{
    if (!info.searchState)
        return -1;
    ::FindClose(static_cast<HANDLE>(info.searchState));
    info.searchState = nullptr;
    info.SetName(nullptr);
    return 0;
}

int ZafDiskFileSystem::GetCWD(char *buffer, int size)
{
    if (!buffer || size <= 0)
        return -1;
    buffer[0] = '\0';
    char current[MAX_PATH + 1];
    const DWORD length = GetCurrentDirectoryA(sizeof current, current);
    // Bounded by the caller's size: a cut directory would name another one.
    if (length == 0 || length >= sizeof current || length >= static_cast<DWORD>(ZafMaxPath) ||
        length >= static_cast<DWORD>(size))
        return -1;
    ConvertTextToISO(current, buffer, false);
    return 0;
}

int ZafDiskFileSystem::MkDir(const char *path, const char *, ZafNumberID)
{
    return path && _mkdir(LocalText(path)) == 0 ? 0 : -1;
}

int ZafDiskFileSystem::RmDir(const char *path, bool recursive)
{
    if (!path)
        return -1;
    if (recursive) {
        // The entries are visited in the current directory: when the path
        // cannot be entered (or the way back cannot be kept) nothing is
        // removed, or the files of whatever directory is current would go.
        char saved[ZafMaxPath];
        if (GetCWD(saved, sizeof saved) != 0 || ChDir(path) != 0)
            return -1;
        ZafFileInfo info;
        for (int found = FindFirst(info, "*"); found == 0; found = FindNext(info, "*")) {
            if (info.attributes & ZafFileInfo::directory) {
                if (std::strcmp(info.name, ".") != 0 && std::strcmp(info.name, "..") != 0)
                    RmDir(info.name, true);
            } else
                Remove(info.name);
        }
        FindClose(info);
        ChDir(saved);
    }
    return _rmdir(LocalText(path)) == 0 ? 0 : -1;
}

int ZafDiskFileSystem::Close(ZafFile *file)
{
    delete file;
    return 0;
}

ZafFile *ZafDiskFileSystem::Open(const char *path, std::uint16_t mode, const char *, ZafNumberID)
{
    return new ZafDiskFile(path, mode);
}

int ZafDiskFileSystem::Remove(const char *path)
{
    return path && std::remove(LocalText(path)) == 0 ? 0 : -1;
}

int ZafDiskFileSystem::Rename(const char *oldPath, const char *newPath, const char *, ZafNumberID)
{
    return oldPath && newPath && std::rename(LocalText(oldPath), LocalText(newPath)) == 0 ? 0 : -1;
}
