// Corrupt UI data files against every reader of the library. Each run takes
// a valid file, mutates it many thousand times with the shared mutators of
// TestMutations.h (bytes flipped and replaced, the file cut, sizes, offsets
// and length words changed, bytes removed and inserted, most of it inside
// the objects' bytes) and reads every mutant the way the program does: every
// failure must be an error word, with no crash, no hang, no level left open
// and no allocation larger than the file could justify. Found inputs that
// reach a reader's guards are kept in fixtures/ and read on every run.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <new>
#include <set>
#include <string>
#include <vector>

#include "DataTestSupport.h"
#include "TestMutations.h"
#include "zaf/data/ZafTimeData.h"

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

void *operator new(std::size_t size)
{
    return Allocate(size);
}
void *operator new[](std::size_t size)
{
    return Allocate(size);
}
void operator delete(void *block) noexcept
{
    std::free(block);
}
void operator delete[](void *block) noexcept
{
    std::free(block);
}
void operator delete(void *block, std::size_t) noexcept
{
    std::free(block);
}
void operator delete[](void *block, std::size_t) noexcept
{
    std::free(block);
}

namespace {

const std::set<std::uint32_t> knownErrors = {ZafError::None,       ZafError::InvalidText, ZafError::NotFound,
                                             ZafError::IdMismatch, ZafError::Open,        ZafError::Read,
                                             ZafError::Write,      ZafError::Header};
// No string holds more than 32,767 characters, and no file here comes near.
constexpr std::size_t allocationLimit = 64u * 1024;

// What the readers of one run met.
struct Tally
{
    int opened = 0;
    int read = 0;
    int errors = 0;
    std::set<std::uint32_t> openErrors;
    std::set<std::uint32_t> objectErrors;
    std::string summary; // the run's own counts, for the printed line

    // Counts one object's error word; false when it is none of the codes.
    bool Count(std::uint32_t error)
    {
        objectErrors.insert(error);
        error ? errors++ : read++;
        return knownErrors.count(error) != 0;
    }
};

// One reader family: the valid file it starts from, how a mutant is made
// and read, and what the whole run must have reached.
class CorruptRun
{
public:
    virtual ~CorruptRun() = default;
    virtual const char *Name() const = 0;
    virtual int Iterations() const = 0;
    virtual std::uint32_t Seed() const { return 20261206; }
    // Writes the valid file; 0 when written.
    virtual std::uint32_t WriteValid(const std::string &name) = 0;
    virtual Bytes Mutant(const Bytes &base, std::size_t directory, Random &random, int i)
    {
        // Three mutants in four change the objects' bytes in place, where
        // their counts, sizes and length words lie; the fourth may also cut
        // or shift the file and its tree.
        return i % 4 ? MutateObjectBytes(base, directory, random) : Mutate(base, directory, random);
    }
    // Reads one mutant; failures are gtest assertions.
    virtual void Read(const std::string &name, const TempDirectory &dir, int i, Tally &tally) = 0;
    virtual void CheckTotals(const Tally &tally) const = 0;
};

// A frame window with children at several depths and two data objects
// beside it: the storage's tree, every object raw, and the window and data
// objects through the object persistence.
class WindowsRun : public CorruptRun
{
    const char *const noteNames[2] = {"greeting", "farewell"};
    int rawObjects = 0;

public:
    const char *Name() const override { return "Windows"; }
    int Iterations() const override { return 12000; }
    std::uint32_t Seed() const override { return 20240611; }
    std::uint32_t WriteValid(const std::string &name) override
    {
        ZafStorage storage(name.c_str(), ZafStorage::CreateTree);
        auto persistence = MakePersistence(storage);
        MakeFrame()->Write(*persistence);
        for (const char *noteName : noteNames) {
            TestNote note(std::string("text of ") + noteName);
            note.SetStringID(noteName);
            note.Write(*persistence);
        }
        return persistence->Error() ? persistence->Error() : storage.Save();
    }
    // Most mutants land in the tree, where sizes and offsets live.
    Bytes Mutant(const Bytes &base, std::size_t directory, Random &random, int) override
    {
        return Mutate(base, directory, random);
    }
    void Read(const std::string &name, const TempDirectory &, int, Tally &tally) override
    {
        ZafStorage storage(name.c_str(), ZafStorage::Read);
        tally.openErrors.insert(storage.Error());
        ASSERT_TRUE(knownErrors.count(storage.Error())) << storage.Error();
        if (storage.Error() != 0) {
            ASSERT_EQ(0, storage.Root()->ChildCount());
            return;
        }
        tally.opened++;
        ReadEveryObject(storage, storage.Root(), "", rawObjects);
        tally.summary = std::to_string(rawObjects) + " objects read raw";
        auto persistence = MakePersistence(storage);
        ASSERT_TRUE(tally.Count(static_cast<std::uint32_t>(ZafMDIWindow("FRAME", *persistence).Error())));
        for (const char *noteName : noteNames)
            ASSERT_TRUE(tally.Count(TestNote(noteName, *persistence).Error()));
        ASSERT_EQ(0, persistence->LevelIndex());
        ASSERT_TRUE(knownErrors.count(storage.Error()));
    }
    void CheckTotals(const Tally &tally) const override
    {
        EXPECT_TRUE(tally.openErrors.count(ZafError::Read));
        EXPECT_TRUE(tally.openErrors.count(ZafError::Header));
        EXPECT_GT(tally.opened, Iterations() / 20);
        EXPECT_GT(tally.errors, 0);
    }
};

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
    if (auto *string = dynamic_cast<ZafStringData *>(data)) {
        sum += string->Length();
        string->FormattedText(text, sizeof text - 1, "%s");
        string->Insert(1, "xy");
        string->SetChar(0, 'Q');
        string->Delete(0, 2);
    } else if (auto *format = dynamic_cast<ZafFormatData *>(data))
        sum += format->FormattedText(text, sizeof text - 1, nullptr);
    else if (auto *palette = dynamic_cast<ZafPaletteData *>(data)) {
        ZafPaletteStruct found;
        for (int type : {2, 8, 0xFFFF})
            sum += palette->GetPalette(found, static_cast<std::uint16_t>(type), 32).colorBackground;
        palette->SetPalette(4, 1, found);
    } else if (auto *scroll = dynamic_cast<ZafScrollData *>(data))
        sum += scroll->SetCurrent(scroll->current);
    else if (auto *bitmap = dynamic_cast<ZafBitmapData *>(data))
        pixels(*bitmap);
    else if (auto *icon = dynamic_cast<ZafIconData *>(data))
        pixels(*icon);
    else if (auto *mouse = dynamic_cast<ZafMouseData *>(data))
        pixels(*mouse);
    return sum;
}

// One object of every data class: each read by name, used, and written
// again; the data manager keeps only what read without error.
class DataObjectsRun : public CorruptRun
{
    long long checksum = 0;

public:
    const char *Name() const override { return "DataObjects"; }
    int Iterations() const override { return 14000; }
    std::uint32_t WriteValid(const std::string &name) override { return WriteEveryDataObject(name); }
    void Read(const std::string &name, const TempDirectory &dir, int, Tally &tally) override
    {
        ZafStorage storage(name.c_str(), ZafStorage::Read);
        if (storage.Error() != 0)
            return;
        tally.opened++;
        ZafDataPersistence persistence(&storage);
        AddEveryDataConstructor(persistence);
        ZafStorage rewrite(dir.File("rewrite.znc").c_str(), ZafStorage::CreateTree);
        ZafDataPersistence rewriter(&rewrite);
        for (const StoredObject &object : storedObjects) {
            std::unique_ptr<ZafElement> read(
                persistence.GetDataConstructor(0, object.className)(object.name, persistence));
            auto *data = dynamic_cast<ZafData *>(read.get());
            ASSERT_NE(nullptr, data);
            ASSERT_TRUE(tally.Count(data->Error())) << object.name << ": " << data->Error();
            ASSERT_EQ(0, persistence.LevelIndex());
            persistence.SetError(0);
            checksum += Exercise(data);
            data->Write(rewriter);
            ASSERT_EQ(0, rewriter.LevelIndex());
        }
        GlobalDataPersistence global(&persistence);
        ZafDataManager manager;
        for (const StoredObject &object : storedObjects) {
            ZafData *data = manager.GetData(object.name, object.className);
            ASSERT_TRUE(!data || data->Error() == 0);
        }
        tally.summary = "checksum " + std::to_string(checksum);
    }
    void CheckTotals(const Tally &tally) const override
    {
        EXPECT_GE(tally.opened, 10000) << "the readers meet at least 10,000 mutated files";
        EXPECT_GT(tally.read, 0);
        EXPECT_TRUE(tally.objectErrors.count(ZafError::Read)) << "cut and inflated records were reached";
    }
};

// The generated "i18n.znc": its code set, locale and every language table
// read through the i18n persistence, and every eighth mutant taken through
// the whole start-up (reset, tables acquired, a date printed in the
// locale's language).
class I18nRun : public CorruptRun
{
    Tally codeSets, locales, tables;
    int startUps = 0;

public:
    const char *Name() const override { return "I18n"; }
    int Iterations() const override { return 10400; }
    std::uint32_t WriteValid(const std::string &name) override { return WriteI18nFixture(name); }
    void Read(const std::string &name, const TempDirectory &, int i, Tally &tally) override
    {
        I18nScope scope;
        if (!scope.OpenFile(name))
            return;
        tally.opened++;
        ZafDataPersistence &persistence = *zafDataPersistence;
        {
            ZafCodeSetData codeSet("850", persistence);
            ASSERT_TRUE(tally.Count(codeSet.Error()));
            codeSets.Count(codeSet.Error());
            char text[256];
            codeSet.ISOToLocal("caf\xE9", text, false);
            codeSet.LocalToISO("caf\x82", text, false);
        }
        persistence.SetError(0);
        {
            ZafLocaleData locale("DE", persistence);
            ASSERT_TRUE(tally.Count(locale.Error()));
            locales.Count(locale.Error());
            ASSERT_LE(locale.eraCount, ZafLocaleData::maxEras);
            ASSERT_LT(std::strlen(locale.decimalSeparator), sizeof locale.decimalSeparator);
            ASSERT_LT(std::strlen(locale.intCurrencySymbol), sizeof locale.intCurrencySymbol);
        }
        persistence.SetError(0);
        for (const char *language : {"en", "de"})
            for (const char *const *table = ZafLanguageData::BuiltInTableNames(); *table; table++) {
                ZafLanguageData read(*table, persistence, language);
                ASSERT_TRUE(tally.Count(read.Error()));
                ASSERT_EQ(0u, persistence.Error());
                tables.Count(read.Error());
                read.GetMessageText(1, true);
                read.GetMessageData(2, true);
            }
        ASSERT_EQ(0, persistence.LevelIndex());
        if (i % 8 == 1) {
            startUps++;
            ResetI18n("de_DE.850");
            ASSERT_NE(nullptr, zafLocale);
            ASSERT_NE(nullptr, zafCodeSet);
            ZafUTimeData date(1999, 12, 25, 14, 30, 0, 0);
            char text[257];
            date.FormattedText(text, 256, nullptr);
            date.FormattedText(text, 256, "%A %B %p %EY");
            date.SetFormattedText("24.12.2001 08:15:00", nullptr);
            ConvertTextByCodeSet("caf\xE9");
            ASSERT_EQ(0, persistence.LevelIndex());
        }
        tally.summary = std::to_string(startUps) + " start-ups; code sets " + std::to_string(codeSets.read) + "/" +
                        std::to_string(codeSets.errors) + ", locales " + std::to_string(locales.read) + "/" +
                        std::to_string(locales.errors) + ", tables " + std::to_string(tables.read) + "/" +
                        std::to_string(tables.errors) + " read/errors";
    }
    void CheckTotals(const Tally &tally) const override
    {
        EXPECT_GT(tally.opened, Iterations() / 2);
        EXPECT_GT(codeSets.errors, 0);
        EXPECT_GT(locales.errors, 0);
        EXPECT_GT(tables.errors, 0);
        EXPECT_GT(locales.read, 0);
        EXPECT_TRUE(tally.objectErrors.count(ZafError::Read)) << "reads cut short or out of bounds were reached";
    }
};

using RunFactory = std::unique_ptr<CorruptRun> (*)();
template <class Run> std::unique_ptr<CorruptRun> Make()
{
    return std::make_unique<Run>();
}

class ZafCorruptInput : public ::testing::TestWithParam<RunFactory>
{};

TEST_P(ZafCorruptInput, EveryMutantEndsInErrorWordsOnly)
{
    std::unique_ptr<CorruptRun> run = GetParam()();
    TempDirectory dir;
    const std::string valid = dir.File("valid.znc");
    ASSERT_EQ(0u, run->WriteValid(valid));
    const Bytes base = ReadWholeFile(valid);
    ASSERT_GT(base.size(), 72u);
    const std::size_t directory = base[68] | base[69] << 8 | base[70] << 16 | base[71] << 24;
    ASSERT_LT(directory, base.size());

    const std::string mutantName = dir.File("mutant.znc");
    Random random(run->Seed());
    Tally tally;
    largestAllocation = 0;
    const DWORD start = GetTickCount();
    for (int i = 0; i < run->Iterations(); i++) {
        SCOPED_TRACE("iteration " + std::to_string(i));
        ASSERT_TRUE(WriteWholeFile(mutantName, run->Mutant(base, directory, random, i)));
        // Only the readers' allocations count, not the mutants' copies.
        trackAllocations = true;
        run->Read(mutantName, dir, i, tally);
        trackAllocations = false;
        if (HasFatalFailure())
            return;
    }
    const DWORD elapsed = GetTickCount() - start;
    run->CheckTotals(tally);
    EXPECT_LE(largestAllocation, allocationLimit);
    std::string codes;
    for (std::uint32_t error : tally.objectErrors)
        codes += " " + std::to_string(error);
    std::printf("%s corrupt input: %d mutants, %d opened, %d objects read whole, %d with an error word (codes%s), "
                "%s, largest allocation %u bytes, %lu ms\n",
                run->Name(), run->Iterations(), tally.opened, tally.read, tally.errors, codes.c_str(),
                tally.summary.c_str(), static_cast<unsigned>(largestAllocation), static_cast<unsigned long>(elapsed));
}

INSTANTIATE_TEST_SUITE_P(Readers, ZafCorruptInput,
                         ::testing::Values(&Make<WindowsRun>, &Make<DataObjectsRun>, &Make<I18nRun>),
                         [](const ::testing::TestParamInfo<RunFactory> &info) { return info.param()->Name(); });

// ---------------------------------------------------------------------------
// Found inputs: each file reaches one of a reader's guards (or, for the
// pattern names, the tree walk's) and is listed with what must happen to it.

int CountWindows(ZafWindow &window)
{
    int count = 1;
    for (ZafElement *e = window.First(); e; e = e->Next())
        if (auto *child = dynamic_cast<ZafWindow *>(e))
            count += CountWindows(*child);
    return count;
}

struct FoundInput
{
    const char *file;
    std::uint32_t openError;
    // What reading the opened file must give; null when it does not open.
    void (*check)(ZafStorage &storage);
};

const FoundInput foundInputs[] = {
    // The tree's recursion is bounded: 64 levels below the root are read,
    // this file nests 65.
    {"storage-tree-too-deep.znc", ZafError::Read, nullptr},
    // An object's size (2 GB here) is checked against the file before it
    // sizes a buffer.
    {"storage-data-beyond-file.znc", ZafError::Read, nullptr},
    // A time value cut after its day number and half its milliseconds is
    // not read as a value.
    {"objects-time-cut-short.znc", ZafError::None,
     [](ZafStorage &storage) {
         ZafDataPersistence persistence(&storage);
         ZafDataManager::AddDataConstructors(persistence);
         ZafUTimeData cut("SHORT", persistence);
         EXPECT_EQ(ZafError::Read, cut.Error());
         EXPECT_EQ(0, persistence.LevelIndex());
     }},
    // The window "W" holds children "Q1" and "Q*"; "Q*" is not taken as a
    // pattern that would read Q1 again: it is refused (it stays with its
    // defaults and error 2) and Q1 reads once.
    {"windows-pattern-sibling.znc", ZafError::None,
     [](ZafStorage &storage) {
         ZafWindow window("W", *MakePersistence(storage, false, false));
         EXPECT_EQ(ZafError::NotFound, window.Error());
         auto *q1 = dynamic_cast<ZafWindow *>(window.FindObjectByStringID("Q1"));
         auto *pattern = dynamic_cast<ZafWindow *>(window.FindObjectByStringID("Q*"));
         ASSERT_TRUE(q1 && pattern);
         EXPECT_EQ(0, q1->Error());
         EXPECT_EQ(11, q1->NumberID());
         EXPECT_EQ(ZafError::NotFound, static_cast<std::uint32_t>(pattern->Error()));
         EXPECT_EQ(0, pattern->NumberID());
     }},
    // The window "TOP" nests 19 windows "C", each with a sibling "C*";
    // entered as its twin, "C*" would read every level twice (2^20 windows;
    // a slightly larger file would exhaust memory). Each "C*" is refused
    // without being entered: two windows a level.
    {"windows-pattern-doubling.znc", ZafError::None,
     [](ZafStorage &storage) {
         ZafWindow top("TOP", *MakePersistence(storage, false, false));
         EXPECT_EQ(ZafError::NotFound, top.Error());
         EXPECT_EQ(1 + 2 * 19, CountWindows(top));
     }},
};

class ZafFoundInput : public ::testing::TestWithParam<FoundInput>
{};

TEST_P(ZafFoundInput, EndsInItsErrorWord)
{
    const FoundInput &input = GetParam();
    const std::string name = std::string(ZAF_DATA_FIXTURES) + "/" + input.file;
    ASSERT_FALSE(ReadWholeFile(name).empty()) << name;
    largestAllocation = 0;
    trackAllocations = true;
    {
        ZafStorage storage(name.c_str(), ZafStorage::Read);
        EXPECT_EQ(input.openError, storage.Error());
        if (input.check && storage.Error() == 0)
            input.check(storage);
    }
    trackAllocations = false;
    EXPECT_LE(largestAllocation, allocationLimit);
}

INSTANTIATE_TEST_SUITE_P(Fixtures, ZafFoundInput, ::testing::ValuesIn(foundInputs),
                         [](const ::testing::TestParamInfo<FoundInput> &info) {
                             // The file name without its extension, as an identifier.
                             std::string name;
                             for (const char *c = info.param.file; *c && *c != '.'; c++)
                                 name += std::isalnum(static_cast<unsigned char>(*c)) ? *c : '_';
                             return name;
                         });

} // namespace
