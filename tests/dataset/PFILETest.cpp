#include "dataset/PFILE.h"

#include "DataSetFixture.h"

#include <cstdint>
#include <string>
#include <vector>

namespace {

// A file in a temporary directory of its own, removed when the test ends.
class PfileTest : public ::testing::Test
{
protected:
    std::string ReadAll()
    {
        std::vector<unsigned char> bytes = ReadWholeFile(path_);
        return std::string(bytes.begin(), bytes.end());
    }
    void Put(const std::string &text) { WriteFileBytes(path_, {text.begin(), text.end()}); }

    TempDirectory dir_;
    std::string path_ = dir_.File("p.bin");
};

TEST_F(PfileTest, WritesReadsAndSeeksAcrossManyBufferLengths)
{
    // Larger than the stream's buffer so that both paths cross its edges.
    std::vector<unsigned char> data(200000);
    for (size_t i = 0; i < data.size(); ++i)
        data[i] = static_cast<unsigned char>((i * 7 + i / 251) & 0xFF);
    {
        PFILE f(path_.c_str());
        ASSERT_TRUE(f.Open(PFILE_WRITE));
        for (size_t at = 0, step = 1; at < data.size(); step = step * 3 + 1) {
            size_t n = std::min(step, data.size() - at);
            ASSERT_EQ(f.Write(data.data() + at, 1, n), n);
            at += n;
        }
        EXPECT_EQ(f.Size(), 200000);
        EXPECT_EQ(f.Error(), 0);
    }
    PFILE f(path_.c_str());
    ASSERT_TRUE(f.Open(PFILE_READ));
    EXPECT_EQ(f.Size(), 200000);
    std::vector<unsigned char> back(data.size());
    for (size_t at = 0, step = 5; at < back.size(); step = step * 2 + 3) {
        size_t n = std::min(step, back.size() - at);
        ASSERT_EQ(f.Read(back.data() + at, 1, n), n);
        at += n;
    }
    EXPECT_EQ(back, data);
    EXPECT_EQ(f.Tell(), 200000);
    for (long long at : {0LL, 1LL, 65535LL, 65536LL, 65537LL, 199999LL, 300LL, 0LL}) {
        unsigned char b = 0;
        ASSERT_TRUE(f.Seek(at));
        ASSERT_EQ(f.Read(&b, 1, 1), 1u) << at;
        EXPECT_EQ(b, data[static_cast<size_t>(at)]) << at;
    }
    // A short read at the end counts whole items only, without an error.
    unsigned char items[16] = {};
    ASSERT_TRUE(f.Seek(200000 - 7));
    EXPECT_EQ(f.Read(items, 4, 3), 1u); // 7 bytes left: one whole item of 4
    EXPECT_TRUE(std::equal(items, items + 7, data.end() - 7));
    EXPECT_EQ(f.Tell(), 200000);
    EXPECT_EQ(f.Read(items, 1, 1), 0u);
    ASSERT_TRUE(f.Seek(300000)); // past the end: reads deliver nothing
    EXPECT_EQ(f.Read(items, 1, 4), 0u);
    EXPECT_EQ(f.Error(), 0);
    EXPECT_FALSE(f.Seek(-1));
    EXPECT_EQ(f.Error(), PFILE_ERR_SEEK);
}

TEST_F(PfileTest, RefusesMissingFilesWrongModesClosedStreamsAndOverflowingCounts)
{
    PFILE f(path_.c_str());
    EXPECT_FALSE(f.Open(PFILE_READ));
    EXPECT_EQ(f.Error(), PFILE_ERR_OPEN);
    EXPECT_FALSE(f.Open(PFILE_READWRITE));
    char c[4] = {};
    EXPECT_EQ(f.Read(c, 1, 1), 0u);
    EXPECT_EQ(f.Error(), PFILE_ERR_NOT_OPEN);
    Put("");
    ASSERT_TRUE(f.Open(PFILE_READ));
    EXPECT_EQ(f.Write("x", 1, 1), 0u);
    EXPECT_EQ(f.Error(), PFILE_ERR_MODE);
    f.Close();
    EXPECT_FALSE(f.IsOpen());
    EXPECT_FALSE(f.Open(7));
    EXPECT_EQ(f.Error(), PFILE_ERR_ARGUMENT);
    PFILE nameless;
    EXPECT_FALSE(nameless.Open(PFILE_READ));
    EXPECT_EQ(nameless.Error(), PFILE_ERR_ARGUMENT);
    ASSERT_TRUE(f.Open(PFILE_WRITE));
    EXPECT_EQ(f.Read(c, SIZE_MAX / 2, 4), 0u);
    EXPECT_EQ(f.Error(), PFILE_ERR_ARGUMENT);
    f.ClearError();
    EXPECT_EQ(f.Write(c, SIZE_MAX / 2, 4), 0u);
    EXPECT_EQ(f.Error(), PFILE_ERR_ARGUMENT);
}

TEST_F(PfileTest, ReadWriteModeOverwritesInPlaceAndAppendModeWritesAtTheEnd)
{
    Put("abcdefghij");
    {
        PFILE f(path_.c_str());
        ASSERT_TRUE(f.Open(PFILE_READWRITE));
        char c[4] = {};
        ASSERT_EQ(f.Read(c, 1, 2), 2u); // fills the read buffer
        ASSERT_TRUE(f.Seek(4));
        ASSERT_EQ(f.Write("XY", 1, 2), 2u);
        ASSERT_TRUE(f.Seek(3));
        ASSERT_EQ(f.Read(c, 1, 4), 4u); // pending write must be seen
        EXPECT_EQ(std::string(c, 4), "dXYg");
        ASSERT_TRUE(f.Seek(12)); // past the end: the gap is filled
        ASSERT_EQ(f.Write("Z", 1, 1), 1u);
        EXPECT_EQ(f.Size(), 13);
    }
    PFILE f(path_.c_str());
    ASSERT_TRUE(f.Open(PFILE_APPEND));
    EXPECT_EQ(f.Tell(), 13);
    ASSERT_TRUE(f.Seek(0));
    ASSERT_EQ(f.Write("two", 1, 3), 3u);
    f.Close();
    std::string all = ReadAll();
    ASSERT_EQ(all.size(), 16u);
    EXPECT_EQ(all.substr(0, 10), "abcdXYghij");
    EXPECT_EQ(all.substr(12), "Ztwo");
}

TEST_F(PfileTest, BinaryValuesAreLittleEndianAndStopAtTheEnd)
{
    {
        BINFILE f(path_.c_str());
        ASSERT_TRUE(f.Open(PFILE_WRITE));
        EXPECT_TRUE(f.WriteU8(0xAB) && f.WriteI16(-2) && f.WriteI32(0x01020304) && f.WriteF32(1.5f) &&
                    f.WriteF64(-0.25));
    }
    std::string raw = ReadAll();
    ASSERT_EQ(raw.size(), 1u + 2 + 4 + 4 + 8);
    EXPECT_EQ(raw.substr(1, 6), std::string("\xFE\xFF\x04\x03\x02\x01", 6));

    BINFILE f(path_.c_str());
    ASSERT_TRUE(f.Open(PFILE_READ));
    uint8_t u8 = 0;
    int16_t i16 = 0;
    int32_t i32 = 0;
    float f32 = 0;
    double f64 = 0;
    EXPECT_TRUE(f.ReadU8(u8) && f.ReadI16(i16) && f.ReadI32(i32) && f.ReadF32(f32) && f.ReadF64(f64));
    EXPECT_EQ(u8, 0xAB);
    EXPECT_EQ(i16, -2);
    EXPECT_EQ(i32, 0x01020304);
    EXPECT_EQ(f32, 1.5f);
    EXPECT_EQ(f64, -0.25);
    int32_t untouched = 77;
    EXPECT_FALSE(f.ReadI32(untouched));
    // Three bytes left of a four-byte value: no value, no garbage.
    ASSERT_TRUE(f.Seek(f.Size() - 3));
    EXPECT_FALSE(f.ReadI32(untouched));
    EXPECT_EQ(untouched, 77);
}

TEST_F(PfileTest, TextFileWritesLinesQuotesAndNumbersAndCutsLongText)
{
    {
        TXTFILE f(path_.c_str());
        ASSERT_TRUE(f.Open(PFILE_WRITE));
        EXPECT_TRUE(f.WriteText("plain"));
        EXPECT_TRUE(f.ApplyManipulator(PFILE_ENDL));
        f.SetTextQuote('"');
        f.SetTextSeparator('\t');
        EXPECT_TRUE(f.WriteText("q"));
        f.SetTextQuote(0);
        f.SetTextSeparator(0);
        EXPECT_TRUE(f.WriteInteger(-42));
        EXPECT_TRUE(f.WriteText(";"));
        EXPECT_TRUE(f.WriteReal(3.14159, 2));
        EXPECT_TRUE(f.WriteText(";"));
        EXPECT_TRUE(f.WriteReal(2.25, -3)); // decimals below 0 taken as 0
        EXPECT_TRUE(f.WriteFormatted(";%s=%03d", "n", 7));
        EXPECT_TRUE(f.WriteLine(""));
        EXPECT_FALSE(f.ApplyManipulator(99));
        EXPECT_TRUE(f.WriteFormatted("%s", std::string(10000, 'x').c_str()));
    }
    EXPECT_EQ(ReadAll(), "plain\r\n \"q\"\t-42;3.14;2;n=007\r\n " + std::string(4095, 'x'));
}

TEST(Pfile, AFullDiskFailsTheWriteAndTheFlushAndIsReportedAsFull)
{
    // Under Wine Z:\dev\full is Linux's full device: every write fails for
    // want of space, as on a full disk. Windows has no such device.
    const char *full = "Z:\\dev\\full";
    PFILE f(full);
    if (!f.Open(PFILE_WRITE))
        GTEST_SKIP() << "no full device here";
    std::vector<char> data(100000, 'd');
    EXPECT_EQ(f.Write(data.data(), 1, 10), 10u); // kept in the buffer
    EXPECT_FALSE(f.Flush());
    EXPECT_EQ(f.Error(), PFILE_ERR_DISK_FULL);
    f.ClearError();
    // More than a buffer: the write itself must hand a buffer to the system.
    EXPECT_EQ(f.Write(data.data(), 1, data.size()), 0u);
    EXPECT_EQ(f.Error(), PFILE_ERR_DISK_FULL);
    BINFILE b(full);
    ASSERT_TRUE(b.Open(PFILE_WRITE));
    for (int i = 0; i < 20000; ++i)
        b.WriteF64(i);
    EXPECT_EQ(b.Error(), PFILE_ERR_DISK_FULL);
}

} // namespace
