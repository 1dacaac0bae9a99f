// Typed values, doubles and strings of ZafFile, over the memory file that
// holds one object of a UI data file.
#include "zaf/data/ZafFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "zaf/data/ZafStorageFile.h"

namespace {

using Bytes = std::vector<unsigned char>;

// A memory file holding the bytes, or an empty one to write into.
std::unique_ptr<ZafStorageFile> MemoryFile(const Bytes &bytes = {})
{
    if (bytes.empty())
        return std::make_unique<ZafStorageFile>(ZafFileMode::Write);
    auto *buffer = new unsigned char[bytes.size()];
    std::copy(bytes.begin(), bytes.end(), buffer);
    return std::make_unique<ZafStorageFile>(ZafFileMode::Read, buffer, static_cast<int>(bytes.size()));
}

Bytes Contents(ZafStorageFile &file)
{
    return Bytes(file.Buffer(), file.Buffer() + file.Length());
}

std::uint64_t Bits(double value)
{
    std::uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

std::string ReadText(ZafFile &file, int expectedCount)
{
    char *text = reinterpret_cast<char *>(1);
    EXPECT_EQ(expectedCount, file.ReadString(&text));
    std::string result = text ? text : "<null>";
    delete[] text;
    return result;
}

TEST(ZafStorageFile, GrowsByDoublingAndClampsItsPosition)
{
    ZafStorageFile file(ZafFileMode::Write);
    EXPECT_EQ(60, file.Capacity());
    const Bytes hundred(100, 7);
    EXPECT_EQ(100, file.WriteBytes(hundred.data(), 100));
    EXPECT_EQ(120, file.Capacity());
    EXPECT_TRUE(file.IsModified());
    EXPECT_EQ(0, file.Seek(-5, 0));
    EXPECT_EQ(0, file.Tell());
    file.Seek(50, 2);
    EXPECT_EQ(100, file.Tell());
    file.Seek(-10, 1);
    unsigned char block[20];
    EXPECT_EQ(10, file.ReadBytes(block, 20));
    EXPECT_EQ(0, file.ReadBytes(block, 20));
    EXPECT_EQ(0, file.WriteBytes(block, 0));
    EXPECT_EQ(-3, file.WriteBytes(block, -3));
}

TEST(ZafFileTyped, IntegersAreLittleEndianAndSignedAndUnsignedReadsShareTheBytes)
{
    auto file = MemoryFile();
    EXPECT_EQ(4, file->Write32(static_cast<std::uint32_t>(0x12345678)));
    EXPECT_EQ(2, file->Write16(static_cast<std::int16_t>(-2)));
    EXPECT_EQ(1, file->Write8(static_cast<std::uint8_t>(0xAB)));
    EXPECT_EQ(4, file->WriteInt32(-1));
    EXPECT_EQ((Bytes{0x78, 0x56, 0x34, 0x12, 0xFE, 0xFF, 0xAB, 0xFF, 0xFF, 0xFF, 0xFF}), Contents(*file));

    auto back = MemoryFile({0xFE, 0xFF, 0xFE, 0xFF, 0x80, 0x80, 0x00, 0x00, 0x80, 0x78, 0x78, 0x56, 0x34, 0x12});
    std::int16_t s16;
    std::uint16_t u16;
    std::int8_t s8;
    std::uint8_t u8;
    std::int32_t s32;
    std::uint32_t u32;
    back->Read16(s16), back->Read16(u16), back->Read8(s8), back->Read8(u8), back->Read32(s32);
    EXPECT_EQ(-2, s16);
    EXPECT_EQ(0xFFFE, u16);
    EXPECT_EQ(-128, s8);
    EXPECT_EQ(0x80, u8);
    EXPECT_EQ(static_cast<std::int32_t>(0x78800000), s32);
    EXPECT_EQ(4, back->Read32(u32));
    EXPECT_EQ(0x12345678u, u32);
    EXPECT_EQ(0, back->Read32(u32)) << "past the end nothing moves";
}

// Doubles are written high word first; infinities, NaN payloads and
// subnormal values keep every bit; both zeros are two zero words.
TEST(ZafFileReal, HighWordFirstAndEveryDoubleRoundTripsBitForBit)
{
    auto one = MemoryFile();
    EXPECT_EQ(8, one->WriteReal(1.0));
    EXPECT_EQ((Bytes{0x00, 0x00, 0xF0, 0x3F, 0, 0, 0, 0}), Contents(*one));
    auto zeros = MemoryFile();
    zeros->WriteReal(0.0);
    zeros->WriteReal(-0.0);
    EXPECT_EQ(Bytes(16, 0), Contents(*zeros));
    auto signOnly = MemoryFile({0, 0, 0, 0x80, 0, 0, 0, 0});
    double value = 5;
    signOnly->ReadReal(value);
    EXPECT_EQ(0.0, value);
    EXPECT_FALSE(std::signbit(value));

    using L = std::numeric_limits<double>;
    for (double v : {3.141592653589793, -1e-300, L::max(), L::lowest(), L::min(), L::denorm_min(),
                     -L::denorm_min() * 12345, L::infinity(), -L::infinity(), L::quiet_NaN(), -L::quiet_NaN()}) {
        auto file = MemoryFile();
        file->WriteReal(v);
        auto back = MemoryFile(Contents(*file));
        double read = 0;
        EXPECT_EQ(8, back->ReadReal(read));
        EXPECT_EQ(Bits(v), Bits(read)) << v;
    }
}

// Null and "" are the absent string; the 8-bit form round-trips; the 16-bit
// form (bit 15 of the length word) keeps the low bytes.
TEST(ZafFileString, AbsentEightBitAndSixteenBitForms)
{
    auto file = MemoryFile();
    EXPECT_EQ(2, file->WriteString(nullptr));
    EXPECT_EQ(2, file->WriteString(""));
    EXPECT_EQ(7, file->WriteString("H\xE9llo"));
    EXPECT_EQ((Bytes{0, 0, 0, 0, 5, 0, 'H', 0xE9, 'l', 'l', 'o'}), Contents(*file));
    auto back = MemoryFile(Contents(*file));
    EXPECT_EQ("<null>", ReadText(*back, 2));
    char buffer[8] = "junk";
    EXPECT_EQ(2, back->ReadStringInto(buffer, sizeof buffer));
    EXPECT_STREQ("", buffer);
    EXPECT_EQ("H\xE9llo", ReadText(*back, 7));
    EXPECT_EQ(0u, back->Error());

    const Bytes wide = {0x03, 0x80, 'a', 0, 'b', 0x01, 'c', 0};
    EXPECT_EQ("abc", ReadText(*MemoryFile(wide), 8));
    char small[4];
    EXPECT_EQ(8, MemoryFile(wide)->ReadStringInto(small, sizeof small));
    EXPECT_STREQ("abc", small);
}

TEST(ZafFileString, TooSmallBuffersAndShortStringsSetError16)
{
    auto file = MemoryFile({5, 0, 'a', 'b', 'c', 'd', 'e'});
    char buffer[6];
    EXPECT_EQ(-1, file->ReadStringInto(buffer, 5));
    EXPECT_EQ(ZafError::Read, file->Error());
    EXPECT_EQ(0, file->Tell()) << "back at the length word";
    EXPECT_EQ(7, file->ReadStringInto(buffer, 6));
    EXPECT_STREQ("abcde", buffer);

    const struct
    {
        Bytes bytes;
        int count;
        const char *text;
    } cuts[] = {{{5, 0, 'a', 'b'}, 4, "ab"}, {{0x02, 0x80, 'a', 0, 'b'}, 5, "a"}, {{7}, 0, "<null>"}};
    for (const auto &cut : cuts) {
        auto short_ = MemoryFile(cut.bytes);
        EXPECT_EQ(cut.text, ReadText(*short_, cut.count));
        EXPECT_EQ(ZafError::Read, short_->Error()) << cut.text;
    }
}

// A text of 32,768 characters or more would set bit 15 of the length word
// and read back as 16-bit characters; it is cut to 32,767 and reported.
TEST(ZafFileString, OverlongTextIsCutAndReported)
{
    auto file = MemoryFile();
    EXPECT_EQ(2 + ZafMaxStringLength, file->WriteString(std::string(40000, 'x').c_str()));
    EXPECT_EQ(ZafError::Write, file->Error());
    EXPECT_EQ(0xFF, file->Buffer()[0]);
    EXPECT_EQ(0x7F, file->Buffer()[1]);
    auto back = MemoryFile(Contents(*file));
    EXPECT_EQ(std::string(ZafMaxStringLength, 'x'), ReadText(*back, 2 + ZafMaxStringLength));
    EXPECT_EQ(0u, back->Error());
    auto exact = MemoryFile();
    exact->WriteString(std::string(ZafMaxStringLength, 'y').c_str());
    EXPECT_EQ(0u, exact->Error());
}

} // namespace
