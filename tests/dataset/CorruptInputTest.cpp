// Deterministic corrupt-input runs over the data-set files (system file,
// index file), the map file and the language file: thousands of mutated
// images each, read through the program's readers. Every image must be
// either refused with a known error or read to the end; nothing may crash
// or hang.
#include "dataset/DATASET.h"

#include "DataSetFixture.h"
#include "tests/support/Mutations.h"
#include "dataset/BUFFERTYPE.h"
#include "dataset/ByteStream.h"
#include "dataset/MapFile.h"
#include "dataset/SelectRec.h"
#include "dataset/TextCatalog.h"
#include "dataset/WeightRec.h"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>
#include <memory>

namespace {

const int kRuns = 10000;

class Mutator : public testsupport::Random
{
public:
    using Random::Random;

    // One to four mutations; hotSize bytes at the start are hit more often
    // (the header or directory), since they hold the counts and offsets.
    std::vector<unsigned char> Mutate(std::vector<unsigned char> bytes, size_t hotSize)
    {
        int count = 1 + static_cast<int>(Below(4));
        for (int m = 0; m < count && !bytes.empty(); ++m) {
            size_t limit = Below(3) ? std::min(hotSize, bytes.size()) : bytes.size();
            size_t at = Below(static_cast<uint32_t>(limit));
            switch (Below(6)) {
            case 0:
                bytes[at] ^= static_cast<unsigned char>(1u << Below(8));
                break;
            case 1: {
                static const unsigned char values[] = {0x00, 0xff, 0x7f, 0x80, 0x01, 0xfe};
                bytes[at] = values[Below(6)];
                break;
            }
            case 2: {
                // A 32-bit field set to a value that strains bounds checks.
                const int32_t values[] = {-1,
                                          0,
                                          0x7fffffff,
                                          INT32_MIN,
                                          static_cast<int32_t>(bytes.size()),
                                          static_cast<int32_t>(bytes.size() + 1),
                                          65536,
                                          static_cast<int32_t>(Next())};
                int32_t v = values[Below(8)];
                for (int i = 0; i < 4 && at + i < bytes.size(); ++i)
                    bytes[at + i] = static_cast<unsigned char>((static_cast<uint32_t>(v) >> (8 * i)) & 0xff);
                break;
            }
            case 3: {
                const int16_t values[] = {-1, 0, 0x7fff, -32768, 1, 9020, 9600, 9121};
                int16_t v = values[Below(8)];
                bytes[at] = static_cast<unsigned char>(v & 0xff);
                if (at + 1 < bytes.size())
                    bytes[at + 1] = static_cast<unsigned char>((v >> 8) & 0xff);
                break;
            }
            case 4:
                bytes.resize(Below(static_cast<uint32_t>(bytes.size())));
                break;
            default:
                for (uint32_t i = 0, n = 1 + Below(64); i < n; ++i)
                    bytes.push_back(static_cast<unsigned char>(Next()));
                break;
            }
        }
        return bytes;
    }

    // One to four text mutations: flipped bytes, a cut, a repeated line, a
    // huge number in place of one, a special byte, a removed run, a very
    // long line, two bytes swapped.
    std::string MutateText(std::string s)
    {
        for (int m = 0, count = 1 + static_cast<int>(Below(4)); m < count; ++m) {
            uint32_t size = static_cast<uint32_t>(s.size());
            switch (Below(8)) {
            case 0:
                for (int k = 1 + static_cast<int>(Below(8)); k > 0 && !s.empty(); --k)
                    s[Below(size)] ^= static_cast<char>(1 + Below(255));
                break;
            case 1:
                s.resize(Below(size + 1));
                break;
            case 2: {
                size_t at = s.empty() ? 0 : s.rfind('\n', Below(size));
                at = at == std::string::npos ? 0 : at + 1;
                size_t end = std::min(s.find('\n', at), s.size() - 1) + 1;
                if (!s.empty())
                    for (int k = 1 + static_cast<int>(Below(3)); k > 0; --k)
                        s.insert(end, s.substr(at, end - at));
                break;
            }
            case 3: {
                static const char *const huge[] = {"4294967296", "2147483648", "99999999999999999999", "1000",
                                                   "10000",      "65536",      "0000000000001"};
                size_t at = s.find_first_of("0123456789", Below(size + 1));
                size_t end = std::min(s.find_first_not_of("0123456789", at), s.size());
                if (at != std::string::npos)
                    s.replace(at, end - at, huge[Below(7)]);
                break;
            }
            case 4:
                s.insert(Below(size + 1), 1, "\0\r\n\"\\\t.#\x7f\xff "[Below(11)]);
                break;
            case 5:
                if (!s.empty())
                    s.erase(Below(size), 1 + Below(40));
                break;
            case 6:
                s.insert(Below(size + 1), std::string(3000 + Below(3000), 'L'));
                break;
            default:
                if (s.size() > 1)
                    std::swap(s[Below(size)], s[Below(size)]);
                break;
            }
        }
        return s;
    }
};

// Reads everything a data set offers; returns the number of values read.
long ReadEverything(DATASET &dataSet)
{
    long values = 0;
    for (long v = 1; v <= dataSet.GetVariableCount(); ++v) {
        std::vector<CategoryLabel> labels;
        dataSet.ReadCategoryLabels(v, &labels);
        LISTETYPE list(&dataSet, v, 16);
        for (int forward = 1; forward >= 0; --forward) {
            list.SeekCase(forward, forward ? 1 : 0);
            while (list.MoveNext()) {
                list.GetCurrentAsReal();
                list.IsCurrentUserMissing();
                ++values;
            }
        }
        ReadCaseValue(&list, 0);
        ReadCaseValue(&list, dataSet.GetCaseCount() - 1);
    }
    SelectRec *selection = dataSet.GetActiveSelection();
    selection->GetCaseCount();
    if (selection->bits) {
        selection->bits->StartBitScan();
        while (selection->bits->NextBit())
            ++values;
    }
    std::unique_ptr<BUFFERTYPE> weights(dataSet.GetWeight()->NewWeightList(16));
    while (weights && weights->MoveNext())
        ++values;
    return values;
}

TEST(DataSet, MutatedSystemAndIndexFilesAreRefusedOrReadSafely)
{
    TempDirectory dir;
    ASSERT_EQ(BuildDataSet(TypesDescription(), TypesCsv(), dir.File("c.QVF")), 0);
    const std::vector<unsigned char> qvf = ReadWholeFile(dir.File("c.QVF")), ind = ReadWholeFile(dir.File("c.IND"));
    DATASET whole;
    ASSERT_EQ(whole.OpenStreams(new MemoryByteStream(qvf), new MemoryByteStream(ind)), 0);
    // 8 variables x 12 cases x 2 directions, 12 selection bits, 12 weights.
    EXPECT_EQ(ReadEverything(whole), 8 * 12 * 2 + 12 + 12);
    for (int file = 0; file < 2; ++file) {
        Mutator mutator(0x5eed0001 + file);
        int refused = 0, read = 0;
        for (int run = 0; run < kRuns; ++run) {
            DATASET dataSet;
            int code = file == 0 ? dataSet.OpenStreams(new MemoryByteStream(mutator.Mutate(qvf, 128)),
                                                       new MemoryByteStream(ind))
                                 : dataSet.OpenStreams(new MemoryByteStream(qvf),
                                                       new MemoryByteStream(mutator.Mutate(ind, ind.size())));
            if (code) {
                ++refused;
                EXPECT_GT(code, 0);
                EXPECT_LE(code, DSERR_LAST);
                EXPECT_EQ(std::string(dataSet.GetErrorText()).find("Unknown"), std::string::npos);
                EXPECT_FALSE(dataSet.IsOpen());
            } else {
                ++read;
                ReadEverything(dataSet);
            }
        }
        EXPECT_EQ(refused + read, kRuns);
        EXPECT_GT(refused, kRuns / 4);
        std::printf("[ %s ] %d mutated images: %d refused, %d read\n", file ? "index file " : "system file", kRuns,
                    refused, read);
    }
}

// A map file of two maps: names stored in reverse order (the second's
// first letter a DOS A-ring), regions with single points, polygons, an
// empty item and an overlay.
std::vector<unsigned char> SmallMapFile()
{
    std::vector<unsigned char> b;
    auto i16 = [&b](std::initializer_list<int> values) {
        for (int v : values)
            b.insert(b.end(), {static_cast<unsigned char>(v & 0xff), static_cast<unsigned char>((v >> 8) & 0xff)});
    };
    auto i32 = [&b](long v) {
        for (int k = 0; k < 4; ++k)
            b.push_back(static_cast<unsigned char>((static_cast<unsigned long>(v) >> (8 * k)) & 0xff));
    };
    i16({2, 9600});
    // Directory: items, geometry offset, name offset.
    const long names = 4 + 2 * 10, geometry0 = names + 70;
    i16({4}), i32(geometry0), i32(names + 35);
    i16({2}), i32(geometry0 + 6 + 4 + 6 + 16 + 6 + 6 + 12), i32(names);
    std::string second = "\x8fSecond map", first = "First map with a name of 35 chars!!";
    b.insert(b.end(), second.begin(), second.end());
    b.resize(names + 35, 0);
    b.insert(b.end(), first.begin(), first.end());
    b.resize(names + 70, 0);
    // Map 0: point of region 1, its square, an empty item, an overlay triangle.
    i32(1), i16({1, 50, 50});
    i32(1), i16({4, 0, 0, 100, 0, 100, 100, 0, 100});
    i32(2), i16({0});
    i32(7), i16({-3, 10, 10, 20, 10, 15, 20});
    // Map 1: two triangles of one region.
    i32(3), i16({3, 0, 0, 5, 0, 0, 5});
    i32(3), i16({3, 9, 9, 8, 9, 9, 8});
    return b;
}

TEST(MapFile, ReadsTheDirectoryAndEveryMapAndOldVersionsHoldNoDirectory)
{
    std::vector<unsigned char> bytes = SmallMapFile();
    MemoryByteStream file(bytes);
    MapDirectory directory;
    ASSERT_EQ(MapFile::ReadDirectory(file, false, &directory), MAPERR_NONE);
    ASSERT_EQ(directory.mapCount, 2);
    EXPECT_EQ(directory.version, 9600);
    // Names are read in directory order whatever their order in the file,
    // with DOS letters converted unless the code page says otherwise.
    EXPECT_EQ(std::string(directory.entries[0].name), "First map with a name of 35 chars!!");
    EXPECT_EQ(directory.entries[0].name[35], 0);
    EXPECT_STREQ(directory.entries[1].name, "\xc5Second map");
    ASSERT_EQ(MapFile::ReadDirectory(file, true, &directory), MAPERR_NONE);
    EXPECT_STREQ(directory.entries[1].name, "\x8fSecond map");
    std::vector<MapItem> items;
    ASSERT_EQ(MapFile::ReadMap(file, directory, 0, &items), MAPERR_NONE);
    ASSERT_EQ(items.size(), 4u);
    EXPECT_EQ(items[1].count, 4);
    EXPECT_EQ(items[1].points[4], 100);
    EXPECT_EQ(items[2].count, 0);
    EXPECT_EQ(items[3].count, -3);
    EXPECT_EQ(items[3].points.size(), 6u);
    ASSERT_EQ(MapFile::ReadMap(file, directory, 1, &items), MAPERR_NONE);
    EXPECT_EQ(items.size(), 2u);
    EXPECT_EQ(MapFile::ReadMap(file, directory, 2, &items), MAPERR_MAP_NUMBER);
    long total = 0;
    EXPECT_EQ(MapFile::Check(file, &total), MAPERR_NONE);
    EXPECT_EQ(total, 6);

    // Reading again frees the entries read before.
    bytes[2] = 0x3b; // version 9019
    bytes[3] = 0x23;
    MemoryByteStream old(bytes);
    EXPECT_EQ(MapFile::ReadDirectory(old, true, &directory), MAPERR_NONE);
    EXPECT_EQ(directory.version, 9019);
    EXPECT_EQ(directory.entries, nullptr);
    EXPECT_EQ(directory.mapCount, 0); // no records the count could reach
    EXPECT_EQ(MapFile::ReadMap(old, directory, 0, &items), MAPERR_NO_DIRECTORY);
}

TEST(MapFile, MutatedMapFilesAreRefusedOrReadSafely)
{
    std::vector<unsigned char> sound = SmallMapFile();
    Mutator mutator(0x5eed0003);
    int refused = 0, read = 0;
    for (int run = 0; run < kRuns; ++run) {
        MemoryByteStream file(mutator.Mutate(sound, 4 + 2 * 10));
        long items = 0;
        int code = MapFile::Check(file, &items);
        if (code) {
            ++refused;
            EXPECT_LE(code, MAPERR_MAP_NUMBER);
            EXPECT_EQ(std::string(MapFileErrorText(code)).find("Unknown"), std::string::npos);
        } else {
            ++read;
            EXPECT_LE(items * 6, file.Size());
        }
    }
    EXPECT_EQ(refused + read, kRuns);
    EXPECT_GT(refused, kRuns / 4);
    std::printf("[ map file    ] %d mutated images: %d refused, %d read\n", kRuns, refused, read);
}

TEST(TextCatalog, CorruptLanguageFilesGiveClearErrorsNeverACrash)
{
    std::vector<unsigned char> bytes = ReadWholeFile(EnglishLanguageFile());
    ASSERT_FALSE(bytes.empty());
    std::string english(bytes.begin(), bytes.end());
    // A cut of the English file with every kind of line, so that each run
    // stays small and mutations often hit the interesting parts.
    std::string base = english.substr(0, english.rfind('\n', 2500) + 1) +
                       "\r\n32.69\t\"quoted with blank \"\r\n"
                       "3.1\ta\\tb\\nc\\\\d\\\"e\r\n; comment\r\n\r\n";
    TempDirectory dir;
    std::string path = dir.File("qivstzzz.btx");
    Mutator mutator(20240611);
    int accepted = 0, refused = 0;
    for (int run = 0; run < kRuns; ++run) {
        std::string input = mutator.MutateText(base);
        WriteFileBytes(path, {input.begin(), input.end()});
        TextCatalog catalog;
        if (!catalog.Load(path.c_str())) {
            ++refused;
            ASSERT_NE(catalog.Error(), TEXTCAT_OK) << run;
            ASSERT_GT(strlen(catalog.ErrorText()), 0u) << run;
            ASSERT_EQ(catalog.EntryCount(), 0u) << run;
            ASSERT_STREQ(catalog.GetText(0, 0), "**ERROR**") << run;
            continue;
        }
        ++accepted;
        // Every group read, every text bounded by the line it came from.
        for (size_t i = 0; i < catalog.EntryCount(); ++i) {
            int group, number;
            ASSERT_TRUE(catalog.EntryAt(i, group, number));
            ASSERT_GE(group, 0);
            ASSERT_LE(group, TextCatalog::kMaxGroup);
            ASSERT_LE(number, TextCatalog::kMaxNumber);
            const char *text = catalog.GetText(number, group);
            ASSERT_NE(text, nullptr);
            ASSERT_LE(strlen(text), TextCatalog::kMaxLineLength) << run;
        }
        ASSERT_EQ(catalog.Error(), TEXTCAT_OK) << run << ": " << catalog.ErrorText();
    }
    EXPECT_EQ(accepted + refused, kRuns);
    EXPECT_GT(accepted, 0);
    EXPECT_GT(refused, 0);
    std::printf("[ language file ] %d corrupt inputs: %d read, %d refused with an error\n", kRuns, accepted, refused);
}

} // namespace

// Damage that changes no count or offset: a label's length past 70, a
// control byte in its text or a NaN/infinite label value (refused at open),
// or such a value in a float or double column (refused by its list).
TEST(DataSet, DamagedLabelBlocksAndNonFiniteValuesAreNeverAccepted)
{
    TempDirectory dir;
    ASSERT_EQ(BuildDataSet(TypesDescription(), TypesCsv(), dir.File("c.QVF")), 0);
    const std::vector<unsigned char> qvf = ReadWholeFile(dir.File("c.QVF")), ind = ReadWholeFile(dir.File("c.IND"));
    DATASET whole;
    ASSERT_EQ(whole.OpenStreams(new MemoryByteStream(qvf), new MemoryByteStream(ind)), 0);
    const long labelled[] = {1, 8}, real[] = {4, 5, 6}; // u8v, reg; fltv, dblv, wgt
    const double bad[] = {std::nan(""), -std::nan(""), HUGE_VAL, -HUGE_VAL};
    Mutator mutator(0x1abe1);
    for (int run = 0; run < 600; ++run) {
        std::vector<unsigned char> bytes = qvf;
        const bool labels = run % 2 == 0;
        const VariableInfo &info = *whole.GetVariable(labels ? labelled[run % 4 / 2] : real[mutator.Below(3)]);
        const double d = bad[mutator.Below(4)];
        const long damaged = static_cast<long>(mutator.Below(static_cast<uint32_t>(whole.GetCaseCount())));
        if (labels) {
            size_t at = static_cast<size_t>(info.labelOffset); // a label of the block
            for (uint32_t k = mutator.Below(static_cast<uint32_t>(info.labelCount)); k > 0; --k)
                at += 9 + bytes[at + 8];
            const uint32_t how = mutator.Below(3);
            if (how == 0 || bytes[at + 8] == 0)
                bytes[at + 8] = static_cast<unsigned char>(71 + mutator.Below(185));
            if (how == 1)
                bytes[at + 9] = static_cast<unsigned char>(mutator.Below(32));
            else if (how == 2)
                std::memcpy(&bytes[at], &d, 8);
        } else if (info.storageType == STORAGE_FLOAT) {
            const float f = static_cast<float>(d);
            std::memcpy(&bytes[static_cast<size_t>(info.columnStart) + damaged * 4], &f, 4);
        } else {
            std::memcpy(&bytes[static_cast<size_t>(info.columnStart) + damaged * 8], &d, 8);
        }
        DATASET dataSet;
        const int code = dataSet.OpenStreams(new MemoryByteStream(bytes), new MemoryByteStream(ind));
        const std::string variable = std::string("variable ") + info.name;
        if (labels) {
            EXPECT_EQ(code, DSERR_LABELS) << run;
            EXPECT_NE(std::string(dataSet.GetErrorText()).find(variable), std::string::npos) << run;
            continue;
        }
        ASSERT_EQ(code, 0) << run;
        LISTETYPE list(&dataSet, whole.FindVariable(info.name), 16); // paged two cases at a time
        while (list.MoveNext())
            ;
        EXPECT_EQ(list.Error(), DSERR_VALUE) << run;
        const std::string where = variable + ", case " + std::to_string(damaged + 1);
        EXPECT_NE(std::string(list.ErrorText()).find(where), std::string::npos) << list.ErrorText();
    }
}
