// Helpers shared by the tests of zaf/data: a scratch directory that removes
// itself, whole disk files, objects of a storage, and a storage with the
// program's object persistence over it.
#pragma once

#include <windows.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "zaf/data/ZafDiskFile.h"
#include "zaf/data/ZafObjectPersistence.h"
#include "zaf/data/ZafPersistenceRegistry.h"
#include "zaf/data/ZafStorage.h"

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
        do
            path = std::string(base) + "zafdata" + std::to_string(GetCurrentProcessId()) + "_" +
                   std::to_string(serial++);
        while (!CreateDirectoryA(path.c_str(), nullptr));
    }
    ~TempDirectory() { ZafDiskFileSystem().RmDir(path.c_str(), true); }
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

// The bytes of the object at the path, or "<none>".
inline std::string ObjectBytes(ZafFileSystem &storage, const char *path)
{
    ZafFile *file = storage.Open(path, ZafFileMode::Read);
    if (!file)
        return "<none>";
    std::string bytes(static_cast<std::size_t>(file->Length()), '\0');
    if (!bytes.empty())
        file->ReadBytes(&bytes[0], file->Length());
    storage.Close(file);
    return bytes;
}

// The next string of a file ("" for the absent string).
inline std::string ReadText(ZafFile *file)
{
    char *text = nullptr;
    file->ReadString(&text);
    std::string result = text ? text : "";
    delete[] text;
    return result;
}

// A storage opened with the flags and the program's object persistence.
struct StoredObjects
{
    StoredObjects(const std::string &name, std::uint16_t flags)
        : storage(name.c_str(), flags), persistence(ZafPersistenceRegistry::MakePersistence(&storage))
    {
    }
    ZafStorage storage;
    std::unique_ptr<ZafObjectPersistence> persistence;
};
