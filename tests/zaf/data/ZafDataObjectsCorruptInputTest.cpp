// A valid UI data file holding one object of every data class, mutated many
// thousand times (the mutations of the storage's corrupt-input run, half of
// them aimed at the objects' bytes). Every
// mutant that opens has each object read by name, used and written again:
// every failure must be an error word, never a crash, a hang, a buffer
// overrun or an allocation larger than the file could justify.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <memory>
#include <set>
#include <string>

#include "TestDataObjects.h"
#include "TestMutations.h"
#include "zaf/data/ZafBitmapData.h"
#include "zaf/data/ZafDataManager.h"
#include "zaf/data/ZafIntegerData.h"
#include "zaf/data/ZafPaletteData.h"
#include "zaf/data/ZafRealData.h"
#include "zaf/data/ZafScrollData.h"
#include "zaf/data/ZafStringData.h"

namespace {

struct StoredObject
{
    const char *name;
    const char *className;
};

const StoredObject storedObjects[] = {
    {"title", "ZafStringData"},   {"limited", "ZafStringData"}, {"count", "ZafIntegerData"},
    {"ratio", "ZafRealData"},     {"colours", "ZafPaletteData"}, {"range", "ZafScrollData"},
    {"logo", "ZafBitmapData"},    {"app", "ZafIconData"},        {"hand", "ZafMouseData"},
    {"group", "ZafDataRecord"},
};

std::uint8_t pixels[24] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24};

void WriteValidFile(const std::string &name)
{
    ZafStorage storage(name.c_str(), ZafStorage::CreateTree);
    ZafDataPersistence persistence(&storage);
    ZafStringData title("Survey of households");
    ZafStringData limited("abc", 12);
    ZafIntegerData count(-42);
    ZafRealData ratio(0.125);
    ZafPaletteData colours;
    ZafPaletteStruct palette;
    palette.colorBackground = 5;
    palette.font = 2;
    colours.SetPalette(8, 32, palette);
    colours.SetPalette(2, 1, palette);
    colours.SetPalette(2, 0, palette);
    ZafScrollData range(0, 100, 30, 1, 10);
    ZafBitmapData logo(ZafBitmapStruct(6, 4, pixels, true));
    ZafIconData app(ZafIconStruct(4, 4, pixels, true));
    ZafMouseData hand(ZafMouseStruct(3, 3, pixels, 1, 2, true));
    ZafDataRecord group;
    ZafData *objects[] = {&title, &limited, &count, &ratio, &colours, &range, &logo, &app, &hand, &group};
    for (std::size_t i = 0; i < sizeof objects / sizeof objects[0]; i++)
    {
        objects[i]->SetStringID(storedObjects[i].name);
        ASSERT_EQ(0u, objects[i]->Write(persistence));
    }
    ASSERT_EQ(0u, storage.Save());
}

// Uses a data object read from a mutant the way controls do, so that an
// inconsistent object shows as a crash or a sanitizer-visible overrun here.
long long Exercise(ZafData *data)
{
    long long sum = 0;
    char text[64];
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
    else if (auto *image = dynamic_cast<ZafImageStruct *>(dynamic_cast<ZafBitmapData *>(data)))
    {
        for (int i = 0; image->array && i < image->width * image->height; i++)
            sum += image->array[i];
    }
    else if (auto *icon = dynamic_cast<ZafIconData *>(data))
    {
        for (int i = 0; icon->array && i < icon->width * icon->height; i++)
            sum += icon->array[i];
    }
    else if (auto *mouse = dynamic_cast<ZafMouseData *>(data))
    {
        for (int i = 0; mouse->array && i < mouse->width * mouse->height; i++)
            sum += mouse->array[i];
    }
    return sum;
}

const std::set<std::uint32_t> knownErrors = {0, 1, 2, 8, 14, 16, 17, 18};

TEST(ZafDataObjectsCorruptInput, EveryMutantReadsWithErrorWordsOnly)
{
    TempDirectory dir;
    const std::string valid = dir.File("objects.znc");
    WriteValidFile(valid);
    const Bytes base = ReadWholeFile(valid);
    ASSERT_GT(base.size(), 72u);
    const std::size_t directory = base[68] | base[69] << 8 | base[70] << 16 | base[71] << 24;
    ASSERT_LT(directory, base.size());

    // The valid file reads back whole.
    {
        ZafStorage storage(valid.c_str(), ZafStorage::Read);
        ZafDataPersistence persistence(&storage);
        ZafDataManager::AddDataConstructors(persistence);
        for (const StoredObject &object : storedObjects)
        {
            std::unique_ptr<ZafElement> read(
                persistence.GetDataConstructor(0, object.className)(object.name, persistence));
            EXPECT_EQ(0u, static_cast<ZafData *>(read.get())->Error()) << object.name;
        }
    }

    const int iterations = 10500;
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
        // Every other mutant aims at the objects' bytes (from offset 72 on),
        // where counts, sizes and length words of the data objects lie.
        const Bytes mutant = Mutate(base, i % 2 ? directory : 72, random);
        ASSERT_TRUE(WriteWholeFile(mutantName, mutant));
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
            ASSERT_TRUE(knownErrors.count(data->Error())) << "iteration " << i << " " << object.name << ": "
                                                          << data->Error();
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
            if (ZafData *data = manager.GetData(object.name, object.className))
            {
                ASSERT_EQ(0u, data->Error()) << "iteration " << i;
            }
        }
    }
    trackAllocations = false;
    const DWORD elapsed = GetTickCount() - start;

    EXPECT_GT(opened, iterations / 20);
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
