// zncdir: lists the directory tree of a UI data file (".znc"), one entry a
// line, indented by depth, with each entry's class (string id), object id
// and data size ("<dir>" for a directory).
//
//   zncdir FILE.znc
//
// Exit code 0 when the file opened, 1 for a wrong command line, 2 when the
// file could not be used (its error code is printed).
#include <cstdio>
#include <string>

#include "zaf/data/ZafStorage.h"

namespace {
void ListEntry(const ZafDirectoryElement *entry, int depth, int &entries, long long &bytes)
{
    const std::string name = std::string(2 * depth, ' ') + (entry->Name() ? entry->Name() : "");
    char size[16] = "<dir>";
    if (!entry->IsDirectory())
        std::snprintf(size, sizeof size, "%d", entry->DataSize());
    std::printf("%-40s %-22s %5u %9s\n", name.c_str(), entry->StringID() ? entry->StringID() : "-",
                static_cast<unsigned>(entry->NumberID()), size);
    entries++;
    if (!entry->IsDirectory())
        bytes += entry->DataSize();
    for (const ZafDirectoryElement *child = entry->FirstChild(); child; child = child->NextSibling())
        ListEntry(child, depth + 1, entries, bytes);
}
} // namespace

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: zncdir FILE.znc\n");
        return 1;
    }
    ZafStorage storage(argv[1], ZafStorage::Read);
    if (storage.Error() != 0) {
        std::fprintf(stderr, "zncdir: %s cannot be used (error %u)\n", storage.FileName(),
                     static_cast<unsigned>(storage.Error()));
        return 2;
    }
    std::printf("%s, version %u.%u\n", storage.FileName(), storage.Version() >> 8, storage.Version() & 0xFF);
    std::printf("%-40s %-22s %5s %9s\n", "name", "class", "id", "size");
    int entries = 0;
    long long bytes = 0;
    ListEntry(storage.Root(), 0, entries, bytes);
    std::printf("%d entries, %lld bytes of object data\n", entries, bytes);
    return 0;
}
