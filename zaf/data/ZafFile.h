// ZafFile: the abstract file of the class library.
//
// A derived class supplies five raw operations (Length, Seek, Tell,
// ReadBytes, WriteBytes); ZafFile turns them into typed reads and writes in
// one fixed byte order, so that a UI data file reads the same everywhere:
// integers least significant byte first, doubles as their IEEE 754 bit
// pattern with the high 32-bit word first, strings as a 16-bit length word
// followed by 8-bit characters without terminator.
//
// Every typed operation returns the number of bytes it moved. Failures are
// kept in the error word (ZafError codes); nothing clears it, and the
// typed operations go on after an error: callers test Error() afterwards.
// Whoever opened a file closes it through the file system that opened it.
#pragma once

#include <cstdint>

#include "zaf/core/ZafElement.h"
#include "zaf/core/ZafErrorCodes.h"

// Mode words. A disk file maps them to a stream mode in the order Append,
// Create, ReadWrite, else Read, then "b" (Binary) or "t" (Text). Inside a UI
// data file Create means "replace the object" and Append "create the object
// when it is missing".
namespace ZafFileMode {
constexpr std::uint16_t Read = 0x01;                // "r"
constexpr std::uint16_t ReadWrite = 0x02;           // "r+"
constexpr std::uint16_t Create = 0x04;              // "w+"
constexpr std::uint16_t Append = 0x08;              // "a+"
constexpr std::uint16_t Binary = 0x20;              // "b"
constexpr std::uint16_t Text = 0x40;                // "t" (when Binary is clear)
constexpr std::uint16_t NameOnly = 0x80;            // no stream is opened
constexpr std::uint16_t Write = ReadWrite | Create; // 6: what every writer uses
} // namespace ZafFileMode

// Longest string a file can carry: the length word has 15 bits of count.
constexpr int ZafMaxStringLength = 0x7FFF;

class ZafFile : public ZafElement
{
public:
    explicit ZafFile(std::uint16_t mode) : mode(mode) {}

    // Raw operations. Seek origins: 0 start, 1 current position, 2 end.
    virtual int Length() = 0;
    virtual int Seek(int offset, int origin) = 0;
    virtual int Tell() = 0;
    virtual int ReadBytes(void *buffer, int count) = 0;

    virtual int ReadItems(void *buffer, int size, int count);
    // A new text (length + 1 bytes, delete[] by the caller); null for an
    // absent string. The result counts the length word too.
    virtual int ReadString(char **text);
    // Into the caller's buffer of size bytes (-1 = unbounded); an absent
    // string gives "". A string that does not fit is not read: error 16, the
    // file moves back to the length word and the result is -1.
    virtual int ReadStringInto(char *buffer, int size);
    virtual int ReadReal(double &value);
    virtual int Read32(std::int32_t &value);
    virtual int Read32(std::uint32_t &value);
    virtual int Read16(std::int16_t &value);
    virtual int Read16(std::uint16_t &value);
    virtual int Read8(std::int8_t &value);
    virtual int Read8(std::uint8_t &value);

    virtual int WriteBytes(const void *buffer, int count) = 0;
    virtual int WriteItems(const void *buffer, int size, int count);
    // Null and "" both write only the length word 0. A text longer than
    // 32,767 characters is cut there and error 17 is set.
    virtual int WriteString(const char *text);
    virtual int WriteReal(double value);
    virtual int Write32(std::int32_t value);
    virtual int Write32(std::uint32_t value);
    virtual int Write16(std::int16_t value);
    virtual int Write16(std::uint16_t value);
    virtual int Write8(std::int8_t value);
    virtual int Write8(std::uint8_t value);

    int ReadInt32(std::int32_t &value) { return Read32(value); }
    int WriteInt32(std::int32_t value) { return Write32(value); }

    std::uint32_t Error() const { return error; }
    std::uint32_t SetError(std::uint32_t code) { return error = code; }
    std::uint16_t Mode() const { return mode; }

protected:
    std::uint32_t error = 0;
    std::uint16_t mode = 0;

private:
    int ReadStringBody(std::uint16_t lengthWord, char *buffer);
};
