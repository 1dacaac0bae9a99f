#include "dataset/SelectRec.h"

#include "dataset/ByteStream.h"

#include <utility>

namespace {
const long kChunkBytes = 4096;

int BitCount(unsigned char byte)
{
    int n = 0;
    for (; byte; byte &= static_cast<unsigned char>(byte - 1))
        ++n;
    return n;
}
} // namespace

LogBuffer::LogBuffer(long cases, bool allSet) : caseCount(cases < 0 ? 0 : cases)
{
    bits.assign(static_cast<size_t>((caseCount + 7) / 8), allSet ? 0xff : 0);
    if (allSet && caseCount % 8)
        bits.back() = static_cast<unsigned char>((1u << (caseCount % 8)) - 1);
}

LogBuffer::LogBuffer(ByteStream *source, long long at, long cases)
    : caseCount(cases < 0 ? 0 : cases), stream(source), offset(at)
{}

LogBuffer::~LogBuffer()
{
    delete stream;
}

void LogBuffer::ReleaseFile()
{
    if (stream)
        stream->Release();
}

bool LogBuffer::ReadChunk(long byteIndex)
{
    long total = (caseCount + 7) / 8;
    long start = byteIndex - byteIndex % kChunkBytes;
    long length = total - start < kChunkBytes ? total - start : kChunkBytes;
    bits.resize(static_cast<size_t>(length));
    if (!stream->ReadAt(offset + start, bits.data(), bits.size())) {
        error = 1;
        chunkStart = -1;
        return false;
    }
    chunkStart = start;
    return true;
}

bool LogBuffer::LoadIntoMemory()
{
    if (!stream)
        return true;
    std::vector<unsigned char> all(static_cast<size_t>((caseCount + 7) / 8));
    if (!stream->ReadAt(offset, all.data(), all.size())) {
        error = 1;
        return false;
    }
    bits.swap(all);
    delete stream;
    stream = nullptr;
    chunkStart = -1;
    return true;
}

bool LogBuffer::IsSet(long c)
{
    if (c < 0 || c >= caseCount)
        return false;
    long byteIndex = c / 8;
    if (stream) {
        if (chunkStart < 0 || byteIndex < chunkStart || byteIndex >= chunkStart + static_cast<long>(bits.size()))
            if (!ReadChunk(byteIndex))
                return false;
        byteIndex -= chunkStart;
    }
    return (bits[static_cast<size_t>(byteIndex)] >> (c % 8)) & 1;
}

bool LogBuffer::Set(long c, bool on)
{
    if (c < 0 || c >= caseCount || !LoadIntoMemory())
        return false;
    unsigned char mask = static_cast<unsigned char>(1u << (c % 8));
    if (on)
        bits[static_cast<size_t>(c / 8)] |= mask;
    else
        bits[static_cast<size_t>(c / 8)] &= static_cast<unsigned char>(~mask);
    return true;
}

std::vector<unsigned char> LogBuffer::GetBytes()
{
    if (stream) {
        std::vector<unsigned char> all(static_cast<size_t>((caseCount + 7) / 8));
        if (!stream->ReadAt(offset, all.data(), all.size())) {
            error = 1;
            return std::vector<unsigned char>(all.size(), 0);
        }
        return all;
    }
    return bits;
}

long LogBuffer::CountSet()
{
    std::vector<unsigned char> all = GetBytes();
    // Bits past the last case do not count, whatever a file holds there.
    if (caseCount % 8 && !all.empty())
        all.back() &= static_cast<unsigned char>((1u << (caseCount % 8)) - 1);
    long n = 0;
    for (unsigned char b : all)
        n += BitCount(b);
    return n;
}

void LogBuffer::StartBitScan()
{
    currentByte = 0;
    currentBit = -1;
    bitValue = false;
}

bool LogBuffer::NextBit()
{
    long next = currentByte * 8 + currentBit + 1;
    if (next >= caseCount || next < 0) {
        currentByte = caseCount / 8;
        currentBit = static_cast<int>(caseCount % 8);
        bitValue = false;
        return false;
    }
    currentByte = next / 8;
    currentBit = static_cast<int>(next % 8);
    bitValue = IsSet(next);
    return true;
}

bool IsCaseSelected(LogBuffer *bits, long caseFrom0)
{
    return bits && bits->IsSet(caseFrom0);
}

SelectRec::SelectRec(long cases) : dataSetCases(cases)
{}

void SelectRec::Swap(SelectRec &other)
{
    std::swap(active, other.active);
    std::swap(bits, other.bits);
    description.swap(other.description);
    std::swap(dataSetCases, other.dataSetCases);
}

SelectRec::~SelectRec()
{
    delete bits;
}

long SelectRec::GetCaseCount()
{
    return IsActive() ? bits->CountSet() : dataSetCases;
}
