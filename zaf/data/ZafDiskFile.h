// ZafDiskFile: a ZafFile over an operating-system file (a standard-library
// stream), and ZafDiskFileSystem: the ZafFileSystem over the operating
// system's directories.
//
// A disk file is open from its constructor to its destructor; a file that did
// not open still exists and tells why in its error word (2 no name, 14 not
// opened). A bare name (no directory part, no drive) that does not open where
// it stands is looked for along the search path (zafSearchPath), except when
// the file is opened for writing (mode 4). The file owns its name; its string
// id is the name's file-name part.
#pragma once

#include <cstdio>

#include "zaf/data/ZafFile.h"
#include "zaf/data/ZafFileSystem.h"

class ZafDiskFile : public ZafFile
{
public:
    ZafDiskFile(const char *name, std::uint16_t mode);
    ~ZafDiskFile() override;

    int Length() override;
    int Seek(int offset, int origin) override;
    int Tell() override;
    int ReadBytes(void *buffer, int count) override;
    int WriteBytes(const void *buffer, int count) override;

    // The name the file was opened under (the full path when it was found
    // along the search path).
    const char *Name() const { return fileName; }
    bool IsOpen() const { return stream != nullptr; }

    // The stream mode for a mode word, e.g. 6 -> "w+", 0x21 -> "rb";
    // buffer holds at least 4 bytes.
    static const char *StreamMode(std::uint16_t mode, char *buffer);

private:
    char *fileName = nullptr;
    std::FILE *stream = nullptr;
};

// Paths are disk paths; string id and object id arguments are ignored.
class ZafDiskFileSystem : public ZafFileSystem
{
public:
    ZafDiskFileSystem() = default;

    int ChDir(const char *path, const char *stringID = nullptr, ZafNumberID objectID = 0) override;
    int FindFirst(ZafFileInfo &info, const char *pattern, const char *stringID = nullptr,
                  ZafNumberID objectID = 0) override;
    int FindNext(ZafFileInfo &info, const char *pattern, const char *stringID = nullptr,
                 ZafNumberID objectID = 0) override;
    int FindClose(ZafFileInfo &info) override;
    int GetCWD(char *buffer, int size) override;
    int MkDir(const char *path, const char *stringID = nullptr, ZafNumberID objectID = 0) override;
    // Recursive: removes every file and directory below the path first.
    int RmDir(const char *path, bool recursive = false) override;
    // Deletes the file object, which closes its stream.
    int Close(ZafFile *file) override;
    // A new ZafDiskFile, also when it failed to open (its error word tells).
    ZafFile *Open(const char *path, std::uint16_t mode, const char *stringID = nullptr,
                  ZafNumberID objectID = 0) override;
    int Remove(const char *path) override;
    int Rename(const char *oldPath, const char *newPath, const char *stringID = nullptr,
               ZafNumberID objectID = 0) override;
};
