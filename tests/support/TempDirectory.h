// Scratch files of the tests: a fresh directory under the Windows temporary
// directory, removed with everything in it when the object ends, and whole
// files read and written as bytes.
#pragma once

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace testsupport {

// Removes a directory with everything in it.
inline void RemoveTree(const std::string &path)
{
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((path + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = found.cFileName;
            if (name == "." || name == "..")
                continue;
            const std::string full = path + "\\" + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(full);
            else
                DeleteFileA(full.c_str());
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    RemoveDirectoryA(path.c_str());
}

// A directory of its own for one test (or one fixture): the name holds the
// process id and a serial number, so tests running side by side never meet.
class TempDirectory
{
public:
    explicit TempDirectory(const char *prefix = "mervalotest")
    {
        char base[MAX_PATH];
        GetTempPathA(sizeof base, base);
        static int serial = 0;
        do
            path = std::string(base) + prefix + std::to_string(GetCurrentProcessId()) + "_" + std::to_string(serial++);
        while (!CreateDirectoryA(path.c_str(), nullptr));
    }
    ~TempDirectory() { RemoveTree(path); }
    TempDirectory(const TempDirectory &) = delete;
    TempDirectory &operator=(const TempDirectory &) = delete;

    const char *Path() const { return path.c_str(); }
    std::string File(const std::string &name) const { return path + "\\" + name; }
    // Names of the files (not directories) it holds, sorted.
    std::vector<std::string> Files() const
    {
        std::vector<std::string> names;
        WIN32_FIND_DATAA found;
        HANDLE search = FindFirstFileA((path + "\\*").c_str(), &found);
        if (search != INVALID_HANDLE_VALUE) {
            do
                if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                    names.push_back(found.cFileName);
            while (FindNextFileA(search, &found));
            FindClose(search);
        }
        std::sort(names.begin(), names.end());
        return names;
    }

private:
    std::string path;
};

// The bytes of a file (empty when it cannot be read).
inline std::vector<unsigned char> ReadWholeFile(const std::string &name)
{
    std::vector<unsigned char> bytes;
    if (std::FILE *file = std::fopen(name.c_str(), "rb")) {
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

} // namespace testsupport
