// What the corrupt-input runs share: a random sequence that is the same on
// every platform and library (so a failing run can be repeated by its seed)
// and little-endian words put into a file's bytes. Each run keeps its own
// mutator, which knows where its format keeps counts, sizes and offsets.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace testsupport {

using Bytes = std::vector<unsigned char>;

// xorshift32.
class Random
{
public:
    explicit Random(std::uint32_t seed) : state(seed) {}
    std::uint32_t Next()
    {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        return state;
    }
    std::uint32_t Below(std::uint32_t n) { return n ? Next() % n : 0; }

private:
    std::uint32_t state;
};

// A little-endian word of 1 to 4 bytes at a place; bytes past the end are dropped.
inline void PutWord(Bytes &bytes, std::size_t at, std::uint32_t value, int width)
{
    for (int i = 0; i < width && at + i < bytes.size(); i++)
        bytes[at + i] = static_cast<unsigned char>(value >> (8 * i));
}

} // namespace testsupport
