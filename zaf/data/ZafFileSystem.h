// ZafFileSystem: the abstract file system (directories, search, open, close,
// remove, rename), implemented over the operating system's files by
// ZafDiskFileSystem and inside a UI data file by ZafStorage.
//
// A file returned by Open belongs to the caller until it hands it back to
// Close of the same file system, which deletes it (a storage writes a changed
// object back at that point). String id and object id arguments select
// entries inside a UI data file; null and 0 match any, and a disk file system
// ignores them. Error codes are those of ZafError.
#pragma once

#include <cstdint>

#include "zaf/core/ZafElement.h"

class ZafFile;

// Longest path or name a file system handles, terminator included.
constexpr int ZafMaxPath = 256;

// True when the text can be stored as the name of one entry: not empty, not
// "." or "..", and without the path separator '~' or the pattern characters
// '*' and '?'. Names are entered, replaced and removed by exact match, so a
// name that a path or a pattern would read otherwise is never written.
bool ZafIsStoredName(const char *name);

// One entry found by FindFirst / FindNext. The record owns its texts.
struct ZafFileInfo
{
    // Attribute bits.
    static constexpr std::uint16_t directory = 0x01;
    static constexpr std::uint16_t readOnly = 0x02;

    ZafFileInfo() = default;
    ZafFileInfo(const ZafFileInfo &) = delete;
    ZafFileInfo &operator=(const ZafFileInfo &) = delete;
    ~ZafFileInfo();

    // Frees the texts and resets every field except the search state.
    void Clear();
    void SetName(const char *text);
    void SetStringID(const char *text);

    char *name = nullptr;
    char *stringID = nullptr;
    ZafNumberID objectID = 0;
    int size = -1; // -1 when unknown
    std::uint16_t attributes = 0;
    // A storage keeps the entry found; a disk file system its search handle.
    void *searchState = nullptr;
};

class ZafFileSystem : public ZafElement
{
public:
    ZafFileSystem() = default;

    // 0 on success, -1 on failure unless said otherwise.
    virtual int ChDir(const char *path, const char *stringID = nullptr, ZafNumberID objectID = 0) = 0;
    virtual int FindFirst(ZafFileInfo &info, const char *pattern, const char *stringID = nullptr,
                          ZafNumberID objectID = 0) = 0;
    virtual int FindNext(ZafFileInfo &info, const char *pattern, const char *stringID = nullptr,
                         ZafNumberID objectID = 0) = 0;
    virtual int FindClose(ZafFileInfo &info) = 0;
    // The current directory into buffer (size bytes, terminator included);
    // -1 with an empty buffer when it does not fit.
    virtual int GetCWD(char *buffer, int size) = 0;
    virtual int MkDir(const char *path, const char *stringID = nullptr, ZafNumberID objectID = 0) = 0;
    virtual int RmDir(const char *path, bool recursive = false) = 0;
    virtual int Close(ZafFile *file) = 0;
    virtual ZafFile *Open(const char *path, std::uint16_t mode, const char *stringID = nullptr,
                          ZafNumberID objectID = 0) = 0;
    virtual int Remove(const char *path) = 0;
    virtual int Rename(const char *oldPath, const char *newPath, const char *stringID = nullptr,
                       ZafNumberID objectID = 0) = 0;

    std::uint32_t Error() const { return error; }
    std::uint32_t SetError(std::uint32_t code) { return error = code; }

protected:
    std::uint32_t error = 0;
};
