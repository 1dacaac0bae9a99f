// The generated "i18n.znc", mutated many thousand times: every mutant is
// opened, its code set, locale and every language table read through the
// i18n persistence, and every eighth one taken through the whole start-up
// (reset, tables acquired, a date printed in the locale's language). Every
// failure must be an error word: no crash, no hang, no level left open and
// no allocation larger than the file could justify.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <set>
#include <string>

#include "TestFiles.h"
#include "TestI18n.h"
#include "TestMutations.h"
#include "zaf/data/ZafTimeData.h"

namespace
{

const std::set<std::uint32_t> knownErrors = {0, 2, 8, 14, 16, 17, 18};

// One to three changes inside the objects' bytes (between the header and
// the tree), where counts, length words and texts of the i18n objects lie.
Bytes MutateObjects(const Bytes &base, std::size_t directory, Random &random)
{
    Bytes bytes = base;
    const std::size_t first = 72;
    if (directory <= first)
        return bytes;
    const int count = 1 + static_cast<int>(random.Below(3));
    for (int i = 0; i < count; i++)
    {
        const std::size_t at = first + random.Below(static_cast<std::uint32_t>(directory - first));
        const std::uint32_t words32[] = {0, 1, 0xFFFFFFFFu, 0x7FFFFFFFu, 0x80000000u, 0x10000u, 64, 65, random.Next()};
        const std::uint32_t words16[] = {0, 1, 3, 4, 5, 8, 9, 0x7FFF, 0x8000, 0xFFFF, random.Below(0x10000)};
        switch (random.Below(5))
        {
        case 0:
            bytes[at] ^= static_cast<unsigned char>(1u << random.Below(8));
            break;
        case 1:
            PutWord(bytes, at, words32[random.Below(9)], 4);
            break;
        case 2:
            PutWord(bytes, at, words16[random.Below(11)], 2);
            break;
        case 3:
            bytes[at] = static_cast<unsigned char>(random.Next());
            break;
        default:
            // A text's characters become the terminator or a high byte.
            bytes[at] = random.Below(2) ? 0 : 0xFF;
            break;
        }
    }
    return bytes;
}

struct Tally
{
    int read = 0;
    int errors = 0;
    void Count(std::uint32_t error) { error ? errors++ : read++; }
};

TEST(ZafI18nCorruptInput, EveryMutantFailsWithAnErrorWord)
{
    TempDirectory dir;
    const std::string valid = dir.File("i18n.znc");
    ASSERT_EQ(0u, WriteI18nFixture(valid));
    const Bytes base = ReadWholeFile(valid);
    const std::size_t directory = base[68] | base[69] << 8 | base[70] << 16 | base[71] << 24;
    ASSERT_LT(directory, base.size());

    const int iterations = 10400;
    const std::string mutantName = dir.File("mutant.znc");
    Random random(20261206);
    int opened = 0, startUps = 0;
    Tally codeSets, locales, tables;
    std::set<std::uint32_t> objectErrors;
    const DWORD start = GetTickCount();
    largestAllocation = 0;
    for (int i = 0; i < iterations; i++)
    {
        const Bytes mutant = i % 4 == 0 ? Mutate(base, directory, random) : MutateObjects(base, directory, random);
        ASSERT_TRUE(WriteWholeFile(mutantName, mutant));
        I18nScope scope;
        trackAllocations = true;
        if (!scope.OpenFile(mutantName))
        {
            trackAllocations = false;
            continue;
        }
        opened++;
        ZafDataPersistence &persistence = *zafDataPersistence;
        {
            ZafCodeSetData codeSet("850", persistence);
            ASSERT_TRUE(knownErrors.count(codeSet.Error())) << "iteration " << i;
            codeSets.Count(codeSet.Error());
            objectErrors.insert(codeSet.Error());
            char text[256];
            codeSet.ISOToLocal("caf\xE9", text, false);
            codeSet.LocalToISO("caf\x82", text, false);
        }
        persistence.SetError(0);
        {
            ZafLocaleData locale("DE", persistence);
            ASSERT_TRUE(knownErrors.count(locale.Error())) << "iteration " << i;
            locales.Count(locale.Error());
            objectErrors.insert(locale.Error());
            ASSERT_LE(locale.eraCount, ZafLocaleData::maxEras);
            ASSERT_LT(std::strlen(locale.decimalSeparator), sizeof locale.decimalSeparator);
            ASSERT_LT(std::strlen(locale.intCurrencySymbol), sizeof locale.intCurrencySymbol);
        }
        persistence.SetError(0);
        for (const char *language : {"en", "de"})
            for (const char *const *name = ZafLanguageData::BuiltInTableNames(); *name; name++)
            {
                ZafLanguageData table(*name, persistence, language);
                ASSERT_TRUE(knownErrors.count(table.Error())) << "iteration " << i;
                ASSERT_EQ(0u, persistence.Error());
                tables.Count(table.Error());
                objectErrors.insert(table.Error());
                table.GetMessageText(1, true);
                table.GetMessageData(2, true);
            }
        ASSERT_EQ(0, persistence.LevelIndex()) << "iteration " << i;

        if (i % 8 == 1)
        {
            // The application's path: the reset reads locale, code set and
            // tables through the data manager.
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
            ASSERT_EQ(0, persistence.LevelIndex()) << "iteration " << i;
        }
        trackAllocations = false;
    }
    trackAllocations = false;
    const DWORD elapsed = GetTickCount() - start;

    EXPECT_GT(opened, iterations / 2);
    EXPECT_GT(codeSets.errors, 0);
    EXPECT_GT(locales.errors, 0);
    EXPECT_GT(tables.errors, 0);
    EXPECT_GT(locales.read, 0);
    EXPECT_TRUE(objectErrors.count(16)) << "reads cut short or out of bounds were reached";
    EXPECT_LE(largestAllocation, 64u * 1024) << "no allocation beyond a string's 32,767 characters and the file";
    std::printf("i18n corrupt input: %d mutants, %d opened, %d start-ups; code sets %d read / %d errors, "
                "locales %d / %d, language tables %d / %d; largest allocation %u bytes, %lu ms\n",
                iterations, opened, startUps, codeSets.read, codeSets.errors, locales.read, locales.errors,
                tables.read, tables.errors, static_cast<unsigned>(largestAllocation),
                static_cast<unsigned long>(elapsed));
}

} // namespace
