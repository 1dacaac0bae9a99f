// A valid UI data file, mutated many thousand times (bytes flipped and
// replaced, the file cut, sizes, offsets and length words changed, bytes
// removed and inserted): every mutant is opened, every object in it read
// raw and through persistence. Every failure must be an error word: no
// crash, no hang, and no allocation larger than the file could justify.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <new>
#include <set>
#include <string>
#include <vector>

#include "TestFiles.h"
#include "TestObjects.h"
#include "zaf/data/ZafStorage.h"

// The largest single allocation while tracking is on. Replacing the global
// allocation functions is the one way to see every allocation of the library.
namespace {
bool trackAllocations = false;
std::size_t largestAllocation = 0;

void *Allocate(std::size_t size)
{
    if (trackAllocations && size > largestAllocation)
        largestAllocation = size;
    if (void *block = std::malloc(size ? size : 1))
        return block;
    throw std::bad_alloc();
}
} // namespace

void *operator new(std::size_t size) { return Allocate(size); }
void *operator new[](std::size_t size) { return Allocate(size); }
void operator delete(void *block) noexcept { std::free(block); }
void operator delete[](void *block) noexcept { std::free(block); }
void operator delete(void *block, std::size_t) noexcept { std::free(block); }
void operator delete[](void *block, std::size_t) noexcept { std::free(block); }

namespace {

using Bytes = std::vector<unsigned char>;

// xorshift32: the same sequence on every platform and library.
class Random
{
public:
    explicit Random(std::uint32_t seed) : state(seed) {}
    std::uint32_t Next()
    {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        return state;
    }
    std::uint32_t Below(std::uint32_t n) { return n ? Next() % n : 0; }

private:
    std::uint32_t state;
};

void PutWord(Bytes &bytes, std::size_t at, std::uint32_t value, int width)
{
    for (int i = 0; i < width && at + i < bytes.size(); i++)
        bytes[at + i] = static_cast<unsigned char>(value >> (8 * i));
}

Bytes Mutate(const Bytes &base, std::size_t directory, Random &random)
{
    Bytes bytes = base;
    const int count = 1 + static_cast<int>(random.Below(3));
    for (int i = 0; i < count && !bytes.empty(); i++)
    {
        const std::size_t size = bytes.size();
        const std::size_t anywhere = random.Below(static_cast<std::uint32_t>(size));
        // Most mutations land in the tree, where sizes and offsets live.
        const std::size_t inTree =
            directory < size ? directory + random.Below(static_cast<std::uint32_t>(size - directory)) : anywhere;
        const std::uint32_t words32[] = {0, 1, 0xFFFFFFFFu, 0x7FFFFFFFu, 0x80000000u,
                                         static_cast<std::uint32_t>(size), static_cast<std::uint32_t>(size - 1),
                                         static_cast<std::uint32_t>(size + 1), static_cast<std::uint32_t>(directory),
                                         random.Next()};
        const std::uint32_t words16[] = {0, 1, 0x7FFF, 0x8000, 0x8001, 0xFFFF, 0x8000 | random.Below(0x8000),
                                         random.Below(64)};
        switch (random.Below(9))
        {
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
        case 6:
        {
            const std::size_t length = 1 + random.Below(16);
            bytes.erase(bytes.begin() + inTree, bytes.begin() + std::min(size, inTree + length));
            break;
        }
        case 7:
        {
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
void ReadEveryObject(ZafStorage &storage, ZafDirectoryElement *entry, const std::string &path, int &objects)
{
    for (ZafDirectoryElement *child = entry->FirstChild(); child; child = child->NextSibling())
    {
        const std::string childPath = path + "~" + (child->Name() ? child->Name() : "");
        if (child->IsDirectory())
        {
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

const std::set<std::uint32_t> knownErrors = {0, 2, 8, 14, 16, 17, 18};

TEST(ZafCorruptInput, EveryMutantFailsWithAnErrorWord)
{
    TempDirectory dir;
    const std::string valid = dir.File("valid.znc");
    {
        ZafStorage storage(valid.c_str(), ZafStorage::CreateTree);
        ZafObjectPersistence persistence(&storage);
        AddTestTables(persistence);
        TestScene scene = MakeTestScene();
        WriteTestScene(scene, persistence);
        ASSERT_EQ(0u, storage.Save());
    }
    const Bytes base = ReadWholeFile(valid);
    const std::size_t directory = base[68] | base[69] << 8 | base[70] << 16 | base[71] << 24;
    ASSERT_LT(directory, base.size());

    const int iterations = 12000;
    const std::string mutantName = dir.File("mutant.znc");
    Random random(20240611);
    int opened = 0, objects = 0, readBack = 0, objectErrors = 0;
    std::set<std::uint32_t> openErrors;
    const DWORD start = GetTickCount();
    trackAllocations = true;
    for (int i = 0; i < iterations; i++)
    {
        const Bytes mutant = Mutate(base, directory, random);
        ASSERT_TRUE(WriteWholeFile(mutantName, mutant));
        ZafStorage storage(mutantName.c_str(), ZafStorage::Read);
        openErrors.insert(storage.Error());
        ASSERT_TRUE(knownErrors.count(storage.Error())) << "iteration " << i << ": " << storage.Error();
        if (storage.Error() != 0)
        {
            ASSERT_EQ(0, storage.Root()->ChildCount()) << "iteration " << i;
            continue;
        }
        opened++;
        ReadEveryObject(storage, storage.Root(), "", objects);
        ZafObjectPersistence persistence(&storage);
        AddTestTables(persistence);
        TestScene scene = ReadTestScene(persistence);
        for (auto &window : scene.windows)
        {
            ASSERT_TRUE(knownErrors.count(window->error)) << "iteration " << i;
            window->error ? objectErrors++ : readBack++;
        }
        for (auto &note : scene.notes)
        {
            ASSERT_TRUE(knownErrors.count(note->Error())) << "iteration " << i;
            note->Error() ? objectErrors++ : readBack++;
        }
        ASSERT_EQ(0, persistence.LevelIndex()) << "iteration " << i;
        ASSERT_TRUE(knownErrors.count(storage.Error())) << "iteration " << i;
    }
    trackAllocations = false;
    const DWORD elapsed = GetTickCount() - start;

    // Open failures of both kinds and successful reads were all reached.
    EXPECT_TRUE(openErrors.count(16));
    EXPECT_TRUE(openErrors.count(18));
    EXPECT_GT(opened, iterations / 20);
    EXPECT_GT(objectErrors, 0);
    EXPECT_LE(largestAllocation, 64u * 1024) << "no allocation beyond a string's 32,767 characters and the file";
    std::printf("corrupt input: %d mutants, %d opened, %d objects read raw, %d objects read whole, "
                "%d objects with an error word, largest allocation %u bytes, %lu ms\n",
                iterations, opened, objects, readBack, objectErrors, static_cast<unsigned>(largestAllocation),
                static_cast<unsigned long>(elapsed));
}

} // namespace
