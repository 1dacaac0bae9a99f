#include "dataset/BUFFERTYPE.h"

#include <emmintrin.h>

#include "dataset/ByteStream.h"
#include "dataset/DATASET.h"
#include "dataset/MemoryBudget.h"
#include "dataset/PFILE.h"

#include <windows.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <new>

namespace {
// The bytes of count values, capped where a size_t would overflow (a column
// of 2^31 doubles does not fit in 32 bits; no window is that large anyway).
size_t ColumnBytes(long count, int valueSize)
{
    const unsigned long long bytes = static_cast<unsigned long long>(count < 0 ? 0 : count) * valueSize;
    const unsigned long long cap = static_cast<size_t>(-1) / 2;
    return static_cast<size_t>(bytes < cap ? bytes : cap);
}
} // namespace

BUFFERTYPE::BUFFERTYPE()
{}

BUFFERTYPE::~BUFFERTYPE()
{
    delete source;
    ReleaseClaim();
}

void BUFFERTYPE::ReleaseClaim()
{
    MemoryBudget::ReleaseWindow(claimedBytes);
    claimedBytes = 0;
}

void BUFFERTYPE::SetStorage(int type)
{
    storageType = type;
    valueSize = StorageValueSize(type);
    integerTyped = IsIntegerStorage(type);
    sysMissingInt = type == STORAGE_U8 ? 255 : type == STORAGE_I16 ? 32767 : 2147483647L;
}

void BUFFERTYPE::SizeWindow(size_t budget)
{
    ReleaseClaim();
    window.clear();
    window.shrink_to_fit();
    if (budget) {
        budget = std::min(budget, ColumnBytes(caseCount, valueSize));
        MemoryBudget::ClaimFixedWindow(budget);
    } else {
        budget = MemoryBudget::ClaimWindow(ColumnBytes(caseCount, valueSize));
    }
    claimedBytes = budget;
    size_t capacity = budget / static_cast<size_t>(valueSize);
    if (capacity < 1)
        capacity = 1;
    if (capacity >= static_cast<size_t>(caseCount))
        capacity = static_cast<size_t>(caseCount);
    windowCapacity = static_cast<long>(capacity);
    window.assign(static_cast<size_t>(windowCapacity) * valueSize, 0);
    windowStart = 0;
    windowCount = 0;
    position = -1;
}

bool BUFFERTYPE::LoadWindow(long start, long count)
{
    windowStart = start;
    windowCount = 0;
    if (!source || count <= 0)
        return count <= 0;
    size_t bytes = static_cast<size_t>(count) * valueSize;
    if (!source->ReadAt(columnStart + static_cast<long long>(start) * valueSize, window.data(), bytes)) {
        error = DSERR_READ;
        return false;
    }
    if (!CheckFinite(window.data(), start, count))
        return false;
    windowCount = count;
    if (windowCount >= caseCount)
        source->Release(); // the whole column is in memory: no handle is needed any more
    return true;
}

bool BUFFERTYPE::Page(long p)
{
    if (p >= windowStart && p < windowStart + windowCount)
        return true;
    long start = forward ? p : p - windowCapacity + 1;
    if (start < 0)
        start = 0;
    if (start + windowCapacity > caseCount)
        start = caseCount - windowCapacity;
    if (start < 0)
        start = 0;
    return LoadWindow(start, std::min(windowCapacity, caseCount - start));
}

bool BUFFERTYPE::SeekCase(int forwardFlag, long caseFrom1)
{
    bool fw = forwardFlag != 0;
    long target;
    if (fw)
        target = caseFrom1 - 1;
    else
        target = caseFrom1 == 0 ? caseCount - 1 : caseFrom1 - 1;
    if (target < 0 || target >= caseCount)
        return false;
    forward = fw;
    if (!Page(target))
        return false;
    position = fw ? target - 1 : target + 1;
    return true;
}

bool BUFFERTYPE::MoveNextPaged(long next)
{
    if (next < 0 || next >= caseCount) {
        position = forward ? caseCount : -1;
        return false;
    }
    if (!Page(next)) {
        position = forward ? caseCount : -1;
        return false;
    }
    position = next;
    return true;
}

long BUFFERTYPE::MoveNextBlock(long max, const unsigned char *&bytes)
{
    bytes = nullptr;
    const long next = position + 1;
    if (!forward || max <= 0 || next >= caseCount)
        return 0;
    if (next < windowStart || next >= windowStart + windowCount) {
        if (!Page(next)) {
            position = caseCount;
            return -1;
        }
    }
    const long count = std::min(max, windowStart + windowCount - next);
    bytes = window.data() + static_cast<size_t>(next - windowStart) * valueSize;
    position = next + count - 1;
    return count;
}

namespace {

// Widens count stored values, then marks the sentinel's. Two plain loops:
// one with a select in it is compiled, for doubles, into integer moves
// through the stack that stall on every value.
template <typename T>
void DecodeStored(const unsigned char *bytes, long count, double *values, double sentinel, double missingValue)
{
    if (sizeof(T) == sizeof(double)) {
        std::memcpy(values, bytes, static_cast<size_t>(count) * sizeof(double));
    } else {
        for (long i = 0; i < count; ++i) {
            T v;
            std::memcpy(&v, bytes + static_cast<size_t>(i) * sizeof(T), sizeof(T));
            values[i] = static_cast<double>(v);
        }
    }
    for (long i = 0; i < count; ++i)
        if (values[i] == sentinel)
            values[i] = missingValue;
}

} // namespace

void BUFFERTYPE::DecodeBlock(const unsigned char *bytes, long count, double *values, double missingValue,
                             bool userMissing) const
{
    switch (storageType) {
    case STORAGE_U8:
        DecodeStored<uint8_t>(bytes, count, values, 255.0, missingValue);
        break;
    case STORAGE_I16:
        DecodeStored<int16_t>(bytes, count, values, 32767.0, missingValue);
        break;
    case STORAGE_I32:
        DecodeStored<int32_t>(bytes, count, values, 2147483647.0, missingValue);
        break;
    case STORAGE_FLOAT:
        DecodeStored<float>(bytes, count, values, static_cast<double>(FLT_MAX), missingValue);
        break;
    default:
        DecodeStored<double>(bytes, count, values, DBL_MAX, missingValue);
        break;
    }
    if (missingCount == 0 || !userMissing)
        return;
    for (long i = 0; i < count; ++i) {
        if (values[i] == missingValue || values[i] != values[i])
            continue;
        const bool user = integerTyped ? IsMissingInt(static_cast<long>(values[i])) : IsMissingReal(values[i]);
        if (user)
            values[i] = missingValue;
    }
}

bool BUFFERTYPE::IsCurrentSysMissing() const
{
    if (position < 0 || position >= caseCount)
        return true;
    const unsigned char *p = CurrentBytes();
    switch (storageType) {
    case STORAGE_U8:
        return *p == 255;
    case STORAGE_I16: {
        int16_t v;
        std::memcpy(&v, p, 2);
        return v == 32767;
    }
    case STORAGE_I32: {
        int32_t v;
        std::memcpy(&v, p, 4);
        return v == 2147483647;
    }
    case STORAGE_FLOAT: {
        float v;
        std::memcpy(&v, p, 4);
        return v == FLT_MAX;
    }
    default: {
        double v;
        std::memcpy(&v, p, 8);
        return v == DBL_MAX;
    }
    }
}

bool BUFFERTYPE::IsCurrentUserMissing() const
{
    if (missingCount == 0 || position < 0 || position >= caseCount)
        return false;
    if (integerTyped)
        return IsMissingInt(GetCurrentInt()) && GetCurrentInt() != sysMissingInt;
    if (IsCurrentSysMissing())
        return false;
    return IsMissingReal(GetCurrentReal());
}

bool BUFFERTYPE::IsMissingInt(long value) const
{
    if (integerTyped && value == sysMissingInt)
        return true;
    for (int i = 0; i < missingCount; ++i)
        if (static_cast<double>(value) == missing[i])
            return true;
    return false;
}

bool BUFFERTYPE::IsMissingReal(double value) const
{
    if (value == DBL_MAX || value == StorageSysMissing(storageType))
        return true;
    for (int i = 0; i < missingCount; ++i) {
        // A float value equals its code as the float it would be stored as.
        if (storageType == STORAGE_FLOAT ? static_cast<float>(value) == static_cast<float>(missing[i])
                                         : value == missing[i])
            return true;
    }
    return false;
}

CaseValue BUFFERTYPE::Decode(const unsigned char *p) const
{
    CaseValue v;
    v.valid = true;
    switch (storageType) {
    case STORAGE_U8:
        v.intValue = *p;
        break;
    case STORAGE_I16: {
        int16_t x;
        std::memcpy(&x, p, 2);
        v.intValue = x;
        break;
    }
    case STORAGE_I32: {
        int32_t x;
        std::memcpy(&x, p, 4);
        v.intValue = x;
        break;
    }
    case STORAGE_FLOAT: {
        float x;
        std::memcpy(&x, p, 4);
        v.isReal = true;
        v.realValue = x;
        break;
    }
    default: {
        double x;
        std::memcpy(&x, p, 8);
        v.isReal = true;
        v.realValue = x;
        break;
    }
    }
    return v;
}

CaseValue BUFFERTYPE::ReadCase(long c)
{
    if (c < 0 || c >= caseCount)
        return CaseValue();
    if (c >= windowStart && c < windowStart + windowCount)
        return Decode(window.data() + static_cast<size_t>(c - windowStart) * valueSize);
    unsigned char bytes[8];
    if (!ReadStoredCase(c, bytes))
        return CaseValue();
    return Decode(bytes);
}

bool BUFFERTYPE::ReadStoredCase(long c, unsigned char *bytes)
{
    return source && source->ReadAt(columnStart + static_cast<long long>(c) * valueSize, bytes, valueSize) &&
           CheckFinite(bytes, c, 1);
}

namespace {

// The place of the first value among count whose exponent bits are all set
// (an infinity or a NaN), or count when there is none: values of size
// bytes whose exponent lies in the 32-bit word at offset high (little
// endian). The words are looked at in bulk first, since a column holds
// none.
long FirstNotFinite(const unsigned char *bytes, long count, size_t size, size_t high, uint32_t exponent)
{
    // 16 bytes at a time: the exponent bits of each value, and only the
    // 32-bit words that hold them, compared with all-set.
    const __m128i bits = size == 8 ? _mm_set_epi32(static_cast<int>(exponent), 0, static_cast<int>(exponent), 0)
                                   : _mm_set1_epi32(static_cast<int>(exponent));
    const __m128i words = size == 8 ? _mm_set_epi32(-1, 0, -1, 0) : _mm_set1_epi32(-1);
    const long perVector = static_cast<long>(16 / size);
    __m128i found = _mm_setzero_si128();
    long i = 0;
    for (; i + perVector <= count; i += perVector) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i *>(bytes + static_cast<size_t>(i) * size));
        found = _mm_or_si128(found, _mm_and_si128(_mm_cmpeq_epi32(_mm_and_si128(v, bits), bits), words));
    }
    uint32_t any = static_cast<uint32_t>(_mm_movemask_epi8(found));
    for (; i < count; ++i) {
        uint32_t w;
        std::memcpy(&w, bytes + static_cast<size_t>(i) * size + high, sizeof w);
        any |= static_cast<uint32_t>((w & exponent) == exponent);
    }
    if (!any)
        return count;
    for (long i = 0; i < count; ++i) {
        uint32_t w;
        std::memcpy(&w, bytes + static_cast<size_t>(i) * size + high, sizeof w);
        if ((w & exponent) == exponent)
            return i;
    }
    return count;
}

} // namespace

bool BUFFERTYPE::CheckFinite(const unsigned char *bytes, long start, long count)
{
    // A data set written elsewhere or damaged may hold them; counted as
    // values they would make categories "nan" and totals that do not add up.
    long at;
    if (storageType == STORAGE_FLOAT)
        at = FirstNotFinite(bytes, count, 4, 0, 0x7F800000u);
    else if (storageType == STORAGE_DOUBLE)
        at = FirstNotFinite(bytes, count, 8, 4, 0x7FF00000u);
    else
        return true;
    if (at == count)
        return true;
    error = DSERR_VALUE;
    errorText = (origin.empty() ? std::string() : origin + ", ") + "case " + std::to_string(start + at + 1);
    return false;
}

void BUFFERTYPE::ScanRange(double &low, double &high)
{
    low = DBL_MAX;
    high = -DBL_MAX;
    SeekCase(1, 1);
    while (MoveNext())
        if (!IsCurrentMissing()) {
            double v = GetCurrentAsReal();
            low = std::min(low, v);
            high = std::max(high, v);
        }
    if (low == DBL_MAX)
        low = 0;
    if (high == -DBL_MAX)
        high = 0;
}

CaseValue ReadCaseValue(BUFFERTYPE *list, long caseFrom0)
{
    return list ? list->ReadCase(caseFrom0) : CaseValue();
}

// ---------------------------------------------------------------- LISTETYPE

LISTETYPE::LISTETYPE()
{}

LISTETYPE::LISTETYPE(DATASET *dataSet, long variable, size_t budget)
{
    boundDataSet = dataSet;
    LoadVariable(variable, 1, budget);
}

bool LISTETYPE::LoadVariable(long variable, int flag, size_t budget)
{
    delete source;
    source = nullptr;
    caseCount = 0;
    window.clear();
    windowCount = windowCapacity = 0;
    position = -1;
    error = DSERR_NONE;
    errorText.clear();
    const VariableInfo *info = boundDataSet ? boundDataSet->GetVariable(variable) : nullptr;
    if (!info) {
        error = boundDataSet ? DSERR_ARGUMENT : DSERR_NO_DATASET;
        return false;
    }
    origin = std::string(boundDataSet->GetFileName()) + ", variable " + info->name;
    variableNumber = variable;
    SetStorage(info->storageType);
    printWidth = static_cast<unsigned char>(info->printWidth);
    decimals = static_cast<unsigned char>(info->decimals);
    columnStart = info->columnStart;
    missingCount = info->missingCount;
    for (int i = 0; i < QVF_MAX_MISSING; ++i)
        missing[i] = info->missing[i];
    caseCount = boundDataSet->GetCaseCount();
    source = boundDataSet->NewColumnStream();
    if (!source) {
        error = DSERR_READ;
        caseCount = 0;
        return false;
    }
    SizeWindow(budget);
    if (info->rangeKnown) {
        minimum = info->minimum;
        maximum = info->maximum;
    } else {
        // Older data sets do not record the range: find it once and keep it
        // with the data set for later lists of the same variable.
        double low, high;
        ScanRange(low, high);
        if (error)
            return false;
        minimum = low;
        maximum = high;
        boundDataSet->SetVariableRange(variable, minimum, maximum);
    }
    // An in-memory list reads its whole column now, so that it needs no file
    // handle while it lives.
    if (IsInMemory() && caseCount > 0 && windowCount < caseCount && !LoadWindow(0, caseCount))
        return false;
    // Every load leaves the list ready for a forward walk from case 1; the
    // flag is kept for callers that state it.
    (void)flag;
    SeekCase(1, 1);
    return error == DSERR_NONE;
}

// ------------------------------------------------------------- TMPLISTETYPE

namespace {
long temporaryCounter = 0;

std::string TemporaryDirectory()
{
    char directory[MAX_PATH];
    DWORD n = GetTempPathA(sizeof directory, directory);
    if (n == 0 || n >= sizeof directory)
        return ".\\";
    return directory;
}

std::string NewTemporaryName()
{
    char name[MAX_PATH + 40];
    std::snprintf(name, sizeof name, "%sqv%lx_%lx.$$$", TemporaryDirectory().c_str(),
                  static_cast<unsigned long>(GetCurrentProcessId()), static_cast<unsigned long>(++temporaryCounter));
    return name;
}

// The process id in a temporary list's name "qv<id>_<n>.$$$" (hexadecimal);
// false when the name is not of that form.
bool ProcessOfTemporaryName(const char *name, unsigned long *process)
{
    unsigned long id = 0, number = 0;
    int used = 0;
    if (std::sscanf(name, "qv%lx_%lx.$$$%n", &id, &number, &used) != 2 || used == 0 || name[used] != 0)
        return false;
    *process = id;
    return true;
}

// True unless the process is known to have ended: a process that cannot be
// asked about for another reason (access denied) counts as running.
bool ProcessRunning(unsigned long id)
{
    if (id == GetCurrentProcessId())
        return true;
    HANDLE process = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE, id);
    if (!process)
        return GetLastError() != ERROR_INVALID_PARAMETER;
    bool running = WaitForSingleObject(process, 0) == WAIT_TIMEOUT;
    CloseHandle(process);
    return running;
}
} // namespace

int TMPLISTETYPE::RemoveLeftoverFiles()
{
    const std::string directory = TemporaryDirectory();
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((directory + "qv*_*.$$$").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return 0;
    int removed = 0;
    do {
        unsigned long process = 0;
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || !ProcessOfTemporaryName(found.cFileName, &process) ||
            ProcessRunning(process))
            continue;
        if (DeleteFileA((directory + found.cFileName).c_str()))
            ++removed;
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return removed;
}

TMPLISTETYPE::TMPLISTETYPE(int type, long count, size_t budget)
{
    if (StorageValueSize(type) == 0)
        type = STORAGE_DOUBLE;
    SetStorage(type);
    printWidth = integerTyped ? 8 : 10;
    decimals = integerTyped ? 0 : QVF_DECIMALS_UNSET;
    caseCount = count < 0 ? 0 : count;
    fixedBudget = budget != 0;
    if (fixedBudget) {
        MemoryBudget::ClaimFixedWindow(budget);
        claimedBytes = budget;
    } else {
        claimedBytes =
            MemoryBudget::ClaimWindow(std::max(ColumnBytes(caseCount, valueSize), MemoryBudget::kMinimumWindow));
    }
    // Capacity is the claim even while the list is short, so that appending
    // stays in memory until the claim is used up.
    size_t capacity = std::max<size_t>(1, claimedBytes / static_cast<size_t>(valueSize));
    windowCapacity = static_cast<long>(std::min<size_t>(capacity, 0x7fffffff));
    std::vector<unsigned char> missingBytes(static_cast<size_t>(valueSize));
    double sys = StorageSysMissing(type);
    EncodeValue(missingBytes.data(), sys, sysMissingInt, integerTyped);
    long inMemory = std::min(caseCount, windowCapacity);
    // A granted window is used at once; a given budget is only a ceiling.
    long reserved = fixedBudget ? std::min<long>(windowCapacity, std::max<long>(inMemory, 1024)) : windowCapacity;
    window.reserve(static_cast<size_t>(reserved) * valueSize);
    window.clear();
    for (long i = 0; i < inMemory; ++i)
        window.insert(window.end(), missingBytes.begin(), missingBytes.end());
    windowStart = 0;
    windowCount = inMemory;
    if (caseCount > inMemory) {
        // Longer than the budget: the rest lives in the file from the start.
        if (!EnsureFile())
            return;
        dirty = true;
        if (!FlushWindow())
            return;
        for (long c = inMemory; c < caseCount; ++c)
            if (file->Write(missingBytes.data(), static_cast<size_t>(valueSize), 1) != 1) {
                error = DSERR_WRITE;
                return;
            }
    }
    SeekCase(1, 1);
}

TMPLISTETYPE::~TMPLISTETYPE()
{
    if (file) {
        file->Close();
        delete file;
        DeleteFileA(fileName.c_str());
    }
}

void TMPLISTETYPE::EncodeValue(unsigned char *p, double value, long intValue, bool isInt) const
{
    EncodeStoredValue(storageType, isInt ? static_cast<double>(intValue) : value, false, p);
}

bool TMPLISTETYPE::EnsureFile()
{
    if (file)
        return true;
    fileName = NewTemporaryName();
    file = new PFILE(fileName.c_str());
    if (!file->Open(PFILE_TEMPORARY)) {
        delete file;
        file = nullptr;
        DeleteFileA(fileName.c_str());
        error = DSERR_WRITE;
        return false;
    }
    return true;
}

bool TMPLISTETYPE::FlushWindow()
{
    if (!dirty)
        return true;
    if (!EnsureFile())
        return false;
    size_t bytes = static_cast<size_t>(windowCount) * valueSize;
    if (!file->Seek(static_cast<long long>(windowStart) * valueSize) ||
        (bytes && file->Write(window.data(), 1, bytes) != bytes)) {
        error = DSERR_WRITE;
        return false;
    }
    dirty = false;
    return true;
}

bool TMPLISTETYPE::LoadWindow(long start, long count)
{
    if (!FlushWindow())
        return false;
    window.resize(static_cast<size_t>(count) * valueSize);
    size_t bytes = window.size();
    if (!file || !file->Seek(static_cast<long long>(start) * valueSize) ||
        file->Read(window.data(), 1, bytes) != bytes) {
        error = DSERR_READ;
        windowCount = 0;
        return false;
    }
    windowStart = start;
    windowCount = count;
    return true;
}

bool TMPLISTETYPE::StoreInt(long value)
{
    if (position < 0 || position >= caseCount || !Page(position))
        return false;
    EncodeValue(window.data() + static_cast<size_t>(position - windowStart) * valueSize, 0, value, true);
    dirty = true;
    return true;
}

bool TMPLISTETYPE::StoreReal(double value)
{
    if (position < 0 || position >= caseCount || !Page(position))
        return false;
    EncodeValue(window.data() + static_cast<size_t>(position - windowStart) * valueSize, value, 0, false);
    dirty = true;
    return true;
}

bool TMPLISTETYPE::GrowWindow()
{
    if (fixedBudget || file || windowStart != 0 || windowCount != caseCount)
        return false;
    // The new window is claimed before the old one is given back, so that
    // the copy between them stays within the budget too; doubling keeps the
    // copies few, and the budget's halving of what is left at each grant
    // leaves room for other lists.
    const size_t granted = MemoryBudget::ClaimWindow(std::min(claimedBytes, static_cast<size_t>(-1) / 4) * 2, 0);
    const long capacity = static_cast<long>(std::min<size_t>(granted / static_cast<size_t>(valueSize), 0x7fffffff));
    if (capacity <= windowCapacity) {
        MemoryBudget::ReleaseWindow(granted);
        return false;
    }
    std::vector<unsigned char> grown;
    try {
        grown.reserve(static_cast<size_t>(capacity) * valueSize);
    } catch (const std::bad_alloc &) {
        // Windows has no such block free: the list goes on in its file.
        MemoryBudget::ReleaseWindow(granted);
        return false;
    }
    grown.assign(window.begin(), window.end());
    window.swap(grown);
    std::vector<unsigned char>().swap(grown);
    MemoryBudget::ReleaseWindow(claimedBytes);
    claimedBytes = granted;
    windowCapacity = capacity;
    return true;
}

bool TMPLISTETYPE::AppendEncoded(const unsigned char *bytes)
{
    // The new case goes into the window when the window ends at the last
    // case and has room (widened while the budget grants more); otherwise
    // the window is written out and moves to the end. Without a file the
    // window holds every case.
    if (windowStart + windowCount == caseCount && windowCount >= windowCapacity)
        GrowWindow();
    if (windowStart + windowCount != caseCount || windowCount >= windowCapacity) {
        if (!file) {
            if (!EnsureFile())
                return false;
            dirty = true;
        }
        if (!FlushWindow())
            return false;
        window.clear();
        windowStart = caseCount;
        windowCount = 0;
    }
    window.insert(window.end(), bytes, bytes + valueSize);
    ++windowCount;
    ++caseCount;
    if (file)
        dirty = true;
    return true;
}

bool TMPLISTETYPE::AppendInt(long value)
{
    unsigned char bytes[8];
    EncodeValue(bytes, 0, value, true);
    return AppendEncoded(bytes);
}

bool TMPLISTETYPE::AppendReal(double value)
{
    unsigned char bytes[8];
    EncodeValue(bytes, value, 0, false);
    return AppendEncoded(bytes);
}

void TMPLISTETYPE::CopyDescription(const BUFFERTYPE &other)
{
    printWidth = other.printWidth;
    decimals = other.decimals;
    missingCount = other.missingCount;
    for (int i = 0; i < QVF_MAX_MISSING; ++i)
        missing[i] = other.missing[i];
    minimum = other.minimum;
    maximum = other.maximum;
}

bool TMPLISTETYPE::OpenFile()
{
    if (!EnsureFile())
        return false;
    dirty = true;
    if (!FlushWindow() || !file->Flush()) {
        error = DSERR_WRITE;
        return false;
    }
    return true;
}

void TMPLISTETYPE::ComputeRange()
{
    long saved = position;
    bool savedForward = forward;
    ScanRange(minimum, maximum);
    forward = savedForward;
    position = saved;
    if (position >= 0 && position < caseCount)
        Page(position);
}

bool TMPLISTETYPE::ReadStoredCase(long c, unsigned char *bytes)
{
    return FlushWindow() && file && file->Seek(static_cast<long long>(c) * valueSize) &&
           file->Read(bytes, static_cast<size_t>(valueSize), 1) == 1;
}
