#include "zaf/data/ZafFile.h"

#include <cstring>

namespace {
constexpr std::uint16_t wideStringBit = 0x8000;
} // namespace

int ZafFile::ReadItems(void *buffer, int size, int count)
{
    if (size <= 0 || count <= 0 || count > 0x7FFFFFFF / size)
        return 0;
    return ReadBytes(buffer, size * count);
}

int ZafFile::WriteItems(const void *buffer, int size, int count)
{
    if (size <= 0 || count <= 0 || count > 0x7FFFFFFF / size)
        return 0;
    return WriteBytes(buffer, size * count);
}

// Reads the characters that follow a non-zero length word into buffer (room
// for the count and a terminator); returns the bytes moved.
int ZafFile::ReadStringBody(std::uint16_t lengthWord, char *buffer)
{
    const int count = lengthWord & ZafMaxStringLength;
    int moved = 0;
    int stored = 0;
    if (lengthWord & wideStringBit) {
        // 16-bit characters: only the low byte is kept.
        for (int i = 0; i < count; i++) {
            std::uint16_t unit = 0;
            const int n = Read16(unit);
            if (n != 2) {
                moved += n;
                break;
            }
            moved += n;
            buffer[stored++] = static_cast<char>(unit & 0xFF);
        }
        if (moved != 2 * count)
            error = ZafError::Read;
    } else {
        moved = ReadBytes(buffer, count);
        if (moved < 0)
            moved = 0;
        stored = moved;
        if (moved != count)
            error = ZafError::Read;
    }
    buffer[stored] = '\0';
    return moved;
}

// A length word cut short (no byte or one) counts as missing: half a word
// would give a length the file never held.
int ZafFile::ReadString(char **text)
{
    *text = nullptr;
    std::uint16_t lengthWord = 0;
    if (Read16(lengthWord) != 2) {
        error = ZafError::Read;
        return 0;
    }
    if (lengthWord == 0)
        return 2;
    char *buffer = new char[(lengthWord & ZafMaxStringLength) + 1];
    const int moved = ReadStringBody(lengthWord, buffer);
    *text = buffer;
    return 2 + moved;
}

int ZafFile::ReadStringInto(char *buffer, int size)
{
    if (buffer && size != 0)
        buffer[0] = '\0';
    std::uint16_t lengthWord = 0;
    if (Read16(lengthWord) != 2) {
        error = ZafError::Read;
        return 0;
    }
    if (lengthWord == 0)
        return 2;
    const int count = lengthWord & ZafMaxStringLength;
    if (!buffer || (size != -1 && (size < 0 || count + 1 > size))) {
        error = ZafError::Read;
        Seek(-2, 1);
        return -1;
    }
    return 2 + ReadStringBody(lengthWord, buffer);
}

int ZafFile::WriteString(const char *text)
{
    std::size_t length = text ? std::strlen(text) : 0;
    // A longer text would need bit 15 of the length word, which means 16-bit
    // characters to a reader: cut it and report the short write.
    if (length > static_cast<std::size_t>(ZafMaxStringLength)) {
        length = ZafMaxStringLength;
        error = ZafError::Write;
    }
    int moved = Write16(static_cast<std::uint16_t>(length));
    if (length > 0)
        moved += WriteBytes(text, static_cast<int>(length));
    return moved;
}

// Doubles travel as their IEEE 754 bits, high word first. The bits are copied
// as they are so that infinities, NaNs and subnormal values survive a round
// trip; zero of either sign is written as two zero words and reads as +0.0.
int ZafFile::WriteReal(double value)
{
    std::uint64_t bits = 0;
    if (value != 0.0)
        std::memcpy(&bits, &value, sizeof bits);
    int moved = Write32(static_cast<std::uint32_t>(bits >> 32));
    moved += Write32(static_cast<std::uint32_t>(bits & 0xFFFFFFFFu));
    return moved;
}

int ZafFile::ReadReal(double &value)
{
    std::uint32_t high = 0;
    std::uint32_t low = 0;
    int moved = Read32(high);
    moved += Read32(low);
    if (low == 0 && (high == 0 || high == 0x80000000u)) {
        value = 0.0;
        return moved;
    }
    const std::uint64_t bits = (static_cast<std::uint64_t>(high) << 32) | low;
    std::memcpy(&value, &bits, sizeof value);
    return moved;
}

int ZafFile::Read32(std::uint32_t &value)
{
    unsigned char bytes[4] = {0, 0, 0, 0};
    const int moved = ReadBytes(bytes, 4);
    value = static_cast<std::uint32_t>(bytes[0]) | static_cast<std::uint32_t>(bytes[1]) << 8 |
            static_cast<std::uint32_t>(bytes[2]) << 16 | static_cast<std::uint32_t>(bytes[3]) << 24;
    return moved;
}

int ZafFile::Read32(std::int32_t &value)
{
    std::uint32_t word = 0;
    const int moved = Read32(word);
    value = static_cast<std::int32_t>(word);
    return moved;
}

int ZafFile::Read16(std::uint16_t &value)
{
    unsigned char bytes[2] = {0, 0};
    const int moved = ReadBytes(bytes, 2);
    value = static_cast<std::uint16_t>(bytes[0] | bytes[1] << 8);
    return moved;
}

int ZafFile::Read16(std::int16_t &value)
{
    std::uint16_t word = 0;
    const int moved = Read16(word);
    value = static_cast<std::int16_t>(word);
    return moved;
}

int ZafFile::Read8(std::uint8_t &value)
{
    value = 0;
    return ReadBytes(&value, 1);
}

int ZafFile::Read8(std::int8_t &value)
{
    std::uint8_t byte = 0;
    const int moved = Read8(byte);
    value = static_cast<std::int8_t>(byte);
    return moved;
}

int ZafFile::Write32(std::uint32_t value)
{
    const unsigned char bytes[4] = {static_cast<unsigned char>(value), static_cast<unsigned char>(value >> 8),
                                    static_cast<unsigned char>(value >> 16), static_cast<unsigned char>(value >> 24)};
    return WriteBytes(bytes, 4);
}

int ZafFile::Write32(std::int32_t value)
{
    return Write32(static_cast<std::uint32_t>(value));
}

int ZafFile::Write16(std::uint16_t value)
{
    const unsigned char bytes[2] = {static_cast<unsigned char>(value), static_cast<unsigned char>(value >> 8)};
    return WriteBytes(bytes, 2);
}

int ZafFile::Write16(std::int16_t value)
{
    return Write16(static_cast<std::uint16_t>(value));
}

int ZafFile::Write8(std::uint8_t value)
{
    return WriteBytes(&value, 1);
}

int ZafFile::Write8(std::int8_t value)
{
    return Write8(static_cast<std::uint8_t>(value));
}
