#include "zaf/data/ZafFile.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

namespace {

// A file over a byte vector: the smallest raw layer the typed operations need.
class VectorFile : public ZafFile
{
public:
    VectorFile() : ZafFile(ZafFileMode::Write) {}
    explicit VectorFile(std::vector<unsigned char> data) : ZafFile(ZafFileMode::Read), bytes(std::move(data)) {}

    int Length() override { return static_cast<int>(bytes.size()); }
    int Seek(int offset, int origin) override
    {
        position = (origin == 0 ? 0 : origin == 1 ? position : Length()) + offset;
        return 0;
    }
    int Tell() override { return position; }
    int ReadBytes(void *buffer, int count) override
    {
        const int n = std::max(0, std::min(count, Length() - position));
        std::memcpy(buffer, bytes.data() + position, n);
        position += n;
        return n;
    }
    int WriteBytes(const void *buffer, int count) override
    {
        const unsigned char *p = static_cast<const unsigned char *>(buffer);
        bytes.insert(bytes.begin() + position, p, p + count);
        position += count;
        return count;
    }

    std::vector<unsigned char> bytes;
    int position = 0;
};

using Bytes = std::vector<unsigned char>;

std::uint64_t Bits(double value)
{
    std::uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

TEST(ZafFileTyped, IntegersAreWrittenLeastSignificantByteFirst)
{
    VectorFile file;
    EXPECT_EQ(4, file.Write32(static_cast<std::uint32_t>(0x12345678)));
    EXPECT_EQ(2, file.Write16(static_cast<std::int16_t>(-2)));
    EXPECT_EQ(1, file.Write8(static_cast<std::uint8_t>(0xAB)));
    EXPECT_EQ(4, file.WriteInt32(-1));
    EXPECT_EQ((Bytes{0x78, 0x56, 0x34, 0x12, 0xFE, 0xFF, 0xAB, 0xFF, 0xFF, 0xFF, 0xFF}), file.bytes);
}

TEST(ZafFileTyped, SignedAndUnsignedReadsShareTheBytes)
{
    VectorFile file(Bytes{0xFE, 0xFF, 0xFE, 0xFF, 0x80, 0x80, 0x00, 0x00, 0x80, 0x78, 0x78, 0x56, 0x34, 0x12});
    std::int16_t s16;
    std::uint16_t u16;
    std::int8_t s8;
    std::uint8_t u8;
    std::int32_t s32;
    std::uint32_t u32;
    file.Read16(s16);
    file.Read16(u16);
    file.Read8(s8);
    file.Read8(u8);
    file.Read32(s32);
    EXPECT_EQ(-2, s16);
    EXPECT_EQ(0xFFFE, u16);
    EXPECT_EQ(-128, s8);
    EXPECT_EQ(0x80, u8);
    EXPECT_EQ(static_cast<std::int32_t>(0x78800000), s32);
    EXPECT_EQ(4, file.Read32(u32));
    EXPECT_EQ(0x12345678u, u32);
    // Past the end nothing moves and the memory file reports no error.
    EXPECT_EQ(0, file.Read32(u32));
    EXPECT_EQ(0u, file.Error());
}

TEST(ZafFileReal, OneIsTheHighWordFirst)
{
    VectorFile file;
    EXPECT_EQ(8, file.WriteReal(1.0));
    EXPECT_EQ((Bytes{0x00, 0x00, 0xF0, 0x3F, 0, 0, 0, 0}), file.bytes);
}

TEST(ZafFileReal, BothZerosAreTwoZeroWordsAndReadAsPositiveZero)
{
    VectorFile file;
    file.WriteReal(0.0);
    file.WriteReal(-0.0);
    EXPECT_EQ(Bytes(16, 0), file.bytes);
    VectorFile signOnly(Bytes{0, 0, 0, 0x80, 0, 0, 0, 0});
    double value = 5;
    signOnly.ReadReal(value);
    EXPECT_EQ(0.0, value);
    EXPECT_FALSE(std::signbit(value));
}

// Infinities, NaN payloads and subnormal values keep every bit.
TEST(ZafFileReal, EveryDoubleRoundTripsBitForBit)
{
    const double values[] = {3.141592653589793,
                             -1e-300,
                             std::numeric_limits<double>::max(),
                             std::numeric_limits<double>::lowest(),
                             std::numeric_limits<double>::min(),
                             std::numeric_limits<double>::denorm_min(),
                             -std::numeric_limits<double>::denorm_min() * 12345,
                             std::numeric_limits<double>::infinity(),
                             -std::numeric_limits<double>::infinity(),
                             std::numeric_limits<double>::quiet_NaN(),
                             -std::numeric_limits<double>::quiet_NaN()};
    for (double value : values)
    {
        VectorFile file;
        file.WriteReal(value);
        VectorFile back(file.bytes);
        double read = 0;
        EXPECT_EQ(8, back.ReadReal(read));
        EXPECT_EQ(Bits(value), Bits(read)) << value;
    }
}

TEST(ZafFileString, NullAndEmptyAreTheAbsentString)
{
    VectorFile file;
    EXPECT_EQ(2, file.WriteString(nullptr));
    EXPECT_EQ(2, file.WriteString(""));
    EXPECT_EQ(Bytes(4, 0), file.bytes);
    VectorFile back(file.bytes);
    char *text = reinterpret_cast<char *>(1);
    EXPECT_EQ(2, back.ReadString(&text));
    EXPECT_EQ(nullptr, text);
    char buffer[8] = "junk";
    EXPECT_EQ(2, back.ReadStringInto(buffer, sizeof buffer));
    EXPECT_STREQ("", buffer);
    EXPECT_EQ(0u, back.Error());
}

TEST(ZafFileString, EightBitFormRoundTrips)
{
    VectorFile file;
    EXPECT_EQ(7, file.WriteString("H\xE9llo"));
    EXPECT_EQ((Bytes{5, 0, 'H', 0xE9, 'l', 'l', 'o'}), file.bytes);
    VectorFile back(file.bytes);
    char *text = nullptr;
    EXPECT_EQ(7, back.ReadString(&text));
    EXPECT_STREQ("H\xE9llo", text);
    delete[] text;
}

TEST(ZafFileString, SixteenBitFormKeepsTheLowBytes)
{
    VectorFile file(Bytes{0x03, 0x80, 'a', 0, 'b', 0x01, 'c', 0});
    char *text = nullptr;
    EXPECT_EQ(8, file.ReadString(&text));
    EXPECT_STREQ("abc", text);
    delete[] text;
    VectorFile again(Bytes{0x03, 0x80, 'a', 0, 'b', 0x01, 'c', 0});
    char buffer[4];
    EXPECT_EQ(8, again.ReadStringInto(buffer, sizeof buffer));
    EXPECT_STREQ("abc", buffer);
}

TEST(ZafFileString, ReadIntoNeedsRoomForTheTerminator)
{
    VectorFile file(Bytes{5, 0, 'a', 'b', 'c', 'd', 'e'});
    char buffer[6];
    EXPECT_EQ(-1, file.ReadStringInto(buffer, 5));
    EXPECT_EQ(ZafFileError::Read, file.Error());
    EXPECT_EQ(0, file.Tell()) << "back at the length word";
    EXPECT_EQ(7, file.ReadStringInto(buffer, 6));
    EXPECT_STREQ("abcde", buffer);
}

TEST(ZafFileString, ShortStringsSetError16)
{
    VectorFile cut(Bytes{5, 0, 'a', 'b'});
    char *text = nullptr;
    EXPECT_EQ(4, cut.ReadString(&text));
    EXPECT_STREQ("ab", text);
    EXPECT_EQ(ZafFileError::Read, cut.Error());
    delete[] text;

    VectorFile cutWide(Bytes{0x02, 0x80, 'a', 0, 'b'});
    EXPECT_EQ(5, cutWide.ReadString(&text));
    EXPECT_STREQ("a", text);
    EXPECT_EQ(ZafFileError::Read, cutWide.Error());
    delete[] text;

    VectorFile missingLength(Bytes{7});
    EXPECT_EQ(0, missingLength.ReadString(&text));
    EXPECT_EQ(nullptr, text);
    EXPECT_EQ(ZafFileError::Read, missingLength.Error());
}

// A text of 32,768 characters or more would set bit 15 of the length word and
// read back as 16-bit characters; it is cut to 32,767 and reported.
TEST(ZafFileString, OverlongTextIsCutAndReported)
{
    const std::string longText(40000, 'x');
    VectorFile file;
    EXPECT_EQ(2 + ZafMaxStringLength, file.WriteString(longText.c_str()));
    EXPECT_EQ(ZafFileError::Write, file.Error());
    EXPECT_EQ(0xFF, file.bytes[0]);
    EXPECT_EQ(0x7F, file.bytes[1]);
    VectorFile back(file.bytes);
    char *text = nullptr;
    back.ReadString(&text);
    EXPECT_EQ(std::string(ZafMaxStringLength, 'x'), text);
    EXPECT_EQ(0u, back.Error());
    delete[] text;

    VectorFile exact;
    exact.WriteString(std::string(ZafMaxStringLength, 'y').c_str());
    EXPECT_EQ(0u, exact.Error());
}

} // namespace
