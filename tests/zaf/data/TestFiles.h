// Helpers shared by the tests of zaf/data: a scratch directory that removes
// itself, and reading a whole disk file into memory.
#pragma once

#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "zaf/data/ZafDiskFile.h"

// A fresh directory under the Windows temporary directory, removed with
// everything in it when the object ends.
class TempDirectory
{
public:
    TempDirectory()
    {
        char base[MAX_PATH];
        GetTempPathA(sizeof base, base);
        static int serial = 0;
        for (;;)
        {
            path = std::string(base) + "zafdata" + std::to_string(GetCurrentProcessId()) + "_" +
                   std::to_string(serial++);
            if (CreateDirectoryA(path.c_str(), nullptr))
                break;
        }
    }
    ~TempDirectory()
    {
        ZafDiskFileSystem disk;
        disk.RmDir(path.c_str(), true);
    }
    std::string File(const std::string &name) const { return path + "\\" + name; }
    const char *Path() const { return path.c_str(); }

private:
    std::string path;
};

inline std::vector<unsigned char> ReadWholeFile(const std::string &name)
{
    std::vector<unsigned char> bytes;
    if (std::FILE *file = std::fopen(name.c_str(), "rb"))
    {
        unsigned char block[4096];
        std::size_t n;
        while ((n = std::fread(block, 1, sizeof block, file)) > 0)
            bytes.insert(bytes.end(), block, block + n);
        std::fclose(file);
    }
    return bytes;
}

inline bool WriteWholeFile(const std::string &name, const std::vector<unsigned char> &bytes)
{
    std::FILE *file = std::fopen(name.c_str(), "wb");
    if (!file)
        return false;
    const bool ok = bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && ok;
}
