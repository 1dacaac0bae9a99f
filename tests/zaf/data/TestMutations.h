// Mutations of valid UI data files for the corrupt-input runs, and the
// allocation tracking that those runs check (the test program's global
// allocation functions record the largest request while tracking is on).
#pragma once

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "tests/support/Mutations.h"
#include "zaf/data/ZafStorage.h"

extern bool trackAllocations;
extern std::size_t largestAllocation;

namespace {

using testsupport::Bytes;
using testsupport::PutWord;
using testsupport::Random;

// A copy of base with one to three mutations in place between the header
// (72 bytes) and the tree: the file keeps its length and its tree, so the
// storage opens and the objects' own counts, sizes, length words and texts
// meet the readers.
inline Bytes MutateObjectBytes(const Bytes &base, std::size_t directory, Random &random)
{
    Bytes bytes = base;
    if (directory <= 72 || directory > bytes.size())
        return bytes;
    const std::uint32_t span = static_cast<std::uint32_t>(directory - 72);
    const std::uint32_t words32[] = {0,           1,           64,          65,   0x10000u,
                                     0x7FFFFFFFu, 0x80000000u, 0xFFFFFFFFu, span, random.Next()};
    const std::uint32_t words16[] = {0, 1, 3, 4, 5, 8, 9, 0x7FFF, 0x8000, 0xFFFF, span & 0xFFFF, random.Below(0x10000)};
    const int count = 1 + static_cast<int>(random.Below(3));
    for (int i = 0; i < count; i++) {
        const std::size_t at = 72 + random.Below(span);
        switch (random.Below(5)) {
        case 0:
            bytes[at] ^= static_cast<unsigned char>(1u << random.Below(8));
            break;
        case 1:
            bytes[at] = static_cast<unsigned char>(random.Next());
            break;
        case 2:
            // A text's character becomes a terminator or a high byte.
            bytes[at] = random.Below(2) ? 0 : 0xFF;
            break;
        case 3:
            // A word never reaches into the tree.
            PutWord(bytes, std::min(at, directory - 2), words16[random.Below(12)], 2);
            break;
        default:
            PutWord(bytes, std::min(at, directory - 4), words32[random.Below(10)], 4);
            break;
        }
    }
    return bytes;
}

// A copy of base with one to three mutations; directory is the offset of
// the tree, where most of them land.
inline Bytes Mutate(const Bytes &base, std::size_t directory, Random &random)
{
    Bytes bytes = base;
    const int count = 1 + static_cast<int>(random.Below(3));
    for (int i = 0; i < count && !bytes.empty(); i++) {
        const std::size_t size = bytes.size();
        const std::size_t anywhere = random.Below(static_cast<std::uint32_t>(size));
        // Most mutations land in the tree, where sizes and offsets live.
        const std::size_t inTree =
            directory < size ? directory + random.Below(static_cast<std::uint32_t>(size - directory)) : anywhere;
        const std::uint32_t words32[] = {0,
                                         1,
                                         0xFFFFFFFFu,
                                         0x7FFFFFFFu,
                                         0x80000000u,
                                         static_cast<std::uint32_t>(size),
                                         static_cast<std::uint32_t>(size - 1),
                                         static_cast<std::uint32_t>(size + 1),
                                         static_cast<std::uint32_t>(directory),
                                         random.Next()};
        const std::uint32_t words16[] = {
            0, 1, 0x7FFF, 0x8000, 0x8001, 0xFFFF, 0x8000 | random.Below(0x8000), random.Below(64)};
        switch (random.Below(9)) {
        case 0:
            bytes[anywhere] ^= static_cast<unsigned char>(1u << random.Below(8));
            break;
        case 1:
            bytes[inTree] = static_cast<unsigned char>(random.Next());
            break;
        case 2:
            bytes.resize(random.Below(static_cast<std::uint32_t>(size)));
            break;
        case 3:
            PutWord(bytes, inTree, words32[random.Below(10)], 4);
            break;
        case 4:
            PutWord(bytes, inTree, words16[random.Below(8)], 2);
            break;
        case 5:
            PutWord(bytes, random.Below(2) ? 68 : anywhere, words32[random.Below(10)], 4);
            break;
        case 6: {
            const std::size_t length = 1 + random.Below(16);
            bytes.erase(bytes.begin() + inTree, bytes.begin() + std::min(size, inTree + length));
            break;
        }
        case 7: {
            Bytes inserted(1 + random.Below(16));
            for (unsigned char &byte : inserted)
                byte = static_cast<unsigned char>(random.Next());
            bytes.insert(bytes.begin() + inTree, inserted.begin(), inserted.end());
            break;
        }
        default:
            bytes[anywhere] = static_cast<unsigned char>(random.Next());
            break;
        }
    }
    return bytes;
}

// Reads every object of the tree by path, raw and with typed reads.
inline void ReadEveryObject(ZafStorage &storage, ZafDirectoryElement *entry, const std::string &path, int &objects)
{
    for (ZafDirectoryElement *child = entry->FirstChild(); child; child = child->NextSibling()) {
        const std::string childPath = path + "~" + (child->Name() ? child->Name() : "");
        if (child->IsDirectory()) {
            ReadEveryObject(storage, child, childPath, objects);
            continue;
        }
        ZafFile *file = storage.Open(childPath.c_str(), ZafFileMode::Read);
        if (!file)
            continue;
        objects++;
        char *text = nullptr;
        std::int32_t number = 0;
        double real = 0;
        file->ReadString(&text);
        delete[] text;
        file->ReadInt32(number);
        file->ReadReal(real);
        char buffer[64];
        file->ReadStringInto(buffer, sizeof buffer);
        storage.Close(file);
    }
}

} // namespace
