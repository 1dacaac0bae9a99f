// A valid UI data file (a frame window with children at several depths and
// two data objects), mutated many thousand times (bytes flipped and
// replaced, the file cut, sizes, offsets and length words changed, bytes
// removed and inserted): every mutant is opened, every object in it read
// raw and the window and data objects through persistence. Every failure must be an error word: no
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
#include "TestMutations.h"
#include "TestDataObjects.h"
#include "TestWindows.h"
#include "zaf/data/ZafStorage.h"

// Replacing the global allocation functions is the one way to see every
// allocation of the library.
bool trackAllocations = false;
std::size_t largestAllocation = 0;

namespace {

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

const std::set<std::uint32_t> knownErrors = {0, 2, 8, 14, 16, 17, 18};
const char *const noteNames[] = {"greeting", "farewell"};

TEST(ZafCorruptInput, EveryMutantFailsWithAnErrorWord)
{
    TempDirectory dir;
    const std::string valid = dir.File("valid.znc");
    {
        ZafStorage storage(valid.c_str(), ZafStorage::CreateTree);
        auto persistence = MakePersistence(storage);
        MakeFrame()->Write(*persistence);
        for (const char *name : noteNames)
        {
            TestNote note(std::string("text of ") + name);
            note.SetStringID(name);
            note.Write(*persistence);
        }
        ASSERT_EQ(0u, persistence->Error());
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
        auto persistence = MakePersistence(storage);
        std::vector<std::uint32_t> errors = {static_cast<std::uint32_t>(ZafMDIWindow("FRAME", *persistence).Error())};
        for (const char *name : noteNames)
            errors.push_back(TestNote(name, *persistence).Error());
        for (std::uint32_t error : errors)
        {
            ASSERT_TRUE(knownErrors.count(error)) << "iteration " << i << ": " << error;
            error ? objectErrors++ : readBack++;
        }
        ASSERT_EQ(0, persistence->LevelIndex()) << "iteration " << i;
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
