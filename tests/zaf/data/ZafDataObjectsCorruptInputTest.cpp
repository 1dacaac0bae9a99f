// A valid UI data file holding one object of every data class, mutated many
// thousand times (most mutations in place in the objects' bytes, the rest
// those of the storage's corrupt-input run). Every mutant that opens has each object
// read by name, used and written again: every failure must be an error word,
// never a crash, a hang, a buffer overrun or an allocation larger than the
// file could justify.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <memory>
#include <set>
#include <string>

#include "TestDataObjects.h"
#include "TestMutations.h"

namespace {

// Uses a data object read from a mutant the way controls do, so that an
// inconsistent object shows as a crash or an overrun here.
long long Exercise(ZafData *data)
{
    long long sum = 0;
    char text[64];
    auto pixels = [&sum](const ZafImageStruct &image) {
        for (int i = 0; image.array && i < image.width * image.height; i++)
            sum += image.array[i];
    };
    if (auto *string = dynamic_cast<ZafStringData *>(data))
    {
        sum += string->Length();
        string->FormattedText(text, sizeof text - 1, "%s");
        string->Insert(1, "xy");
        string->SetChar(0, 'Q');
        string->Delete(0, 2);
    }
    else if (auto *format = dynamic_cast<ZafFormatData *>(data))
        sum += format->FormattedText(text, sizeof text - 1, nullptr);
    else if (auto *palette = dynamic_cast<ZafPaletteData *>(data))
    {
        ZafPaletteStruct found;
        for (int type : {2, 8, 0xFFFF})
            sum += palette->GetPalette(found, static_cast<std::uint16_t>(type), 32).colorBackground;
        palette->SetPalette(4, 1, found);
    }
    else if (auto *scroll = dynamic_cast<ZafScrollData *>(data))
        sum += scroll->SetCurrent(scroll->current);
    else if (auto *bitmap = dynamic_cast<ZafBitmapData *>(data))
        pixels(*bitmap);
    else if (auto *icon = dynamic_cast<ZafIconData *>(data))
        pixels(*icon);
    else if (auto *mouse = dynamic_cast<ZafMouseData *>(data))
        pixels(*mouse);
    return sum;
}

const std::set<std::uint32_t> knownErrors = {0, 1, 2, 8, 14, 16, 17, 18};

TEST(ZafDataObjectsCorruptInput, EveryMutantReadsWithErrorWordsOnly)
{
    TempDirectory dir;
    const std::string valid = dir.File("objects.znc");
    ASSERT_EQ(0u, WriteEveryDataObject(valid));
    const Bytes base = ReadWholeFile(valid);
    ASSERT_GT(base.size(), 72u);
    const std::size_t directory = base[68] | base[69] << 8 | base[70] << 16 | base[71] << 24;
    ASSERT_LT(directory, base.size());

    const int iterations = 14000;
    const std::string mutantName = dir.File("mutant.znc");
    Random random(20261206);
    int opened = 0, readWhole = 0, withError = 0;
    long long checksum = 0;
    std::set<std::uint32_t> objectErrors;
    const DWORD start = GetTickCount();
    largestAllocation = 0;
    trackAllocations = true;
    for (int i = 0; i < iterations; i++)
    {
        // Three mutants in four change the objects' bytes in place, where
        // their counts, sizes and length words lie; the fourth may also cut
        // or shift the file and its tree.
        ASSERT_TRUE(WriteWholeFile(mutantName, i % 4 ? MutateObjectBytes(base, directory, random)
                                                     : Mutate(base, directory, random)));
        ZafStorage storage(mutantName.c_str(), ZafStorage::Read);
        if (storage.Error() != 0)
            continue;
        opened++;
        ZafDataPersistence persistence(&storage);
        ZafDataManager::AddDataConstructors(persistence);
        ZafStorage rewrite(dir.File("rewrite.znc").c_str(), ZafStorage::CreateTree);
        ZafDataPersistence rewriter(&rewrite);
        for (const StoredObject &object : storedObjects)
        {
            std::unique_ptr<ZafElement> read(
                persistence.GetDataConstructor(0, object.className)(object.name, persistence));
            auto *data = dynamic_cast<ZafData *>(read.get());
            ASSERT_NE(nullptr, data);
            ASSERT_TRUE(knownErrors.count(data->Error()))
                << "iteration " << i << " " << object.name << ": " << data->Error();
            objectErrors.insert(data->Error());
            data->Error() ? withError++ : readWhole++;
            ASSERT_EQ(0, persistence.LevelIndex()) << "iteration " << i;
            persistence.SetError(0);
            checksum += Exercise(data);
            data->Write(rewriter);
            ASSERT_EQ(0, rewriter.LevelIndex()) << "iteration " << i;
        }
        // The data manager keeps only what read without error.
        GlobalDataPersistence global(&persistence);
        ZafDataManager manager;
        for (const StoredObject &object : storedObjects)
        {
            ZafData *data = manager.GetData(object.name, object.className);
            ASSERT_TRUE(!data || data->Error() == 0) << "iteration " << i;
        }
    }
    trackAllocations = false;
    const DWORD elapsed = GetTickCount() - start;

    EXPECT_GE(opened, 10000) << "the readers meet at least 10,000 mutated files";
    EXPECT_GT(readWhole, 0);
    EXPECT_TRUE(objectErrors.count(16)) << "cut and inflated records were reached";
    EXPECT_LE(largestAllocation, 64u * 1024) << "no allocation beyond what the file could hold";
    std::string errors;
    for (std::uint32_t error : objectErrors)
        errors += " " + std::to_string(error);
    std::printf("data objects corrupt input: %d mutants, %d opened, %d objects read whole, %d with an error "
                "word (codes%s), largest allocation %u bytes, checksum %lld, %lu ms\n",
                iterations, opened, readWhole, withError, errors.c_str(), static_cast<unsigned>(largestAllocation),
                checksum, static_cast<unsigned long>(elapsed));
}

} // namespace
