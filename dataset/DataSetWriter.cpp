#include "dataset/DataSetWriter.h"

#include "dataset/BUFFERTYPE.h"
#include "dataset/PFILE.h"
#include "dataset/SelectRec.h"

#include <windows.h>

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace {
int killStep = DataSetWriter::SAVE_STEP_NONE;
const DWORD kMove = MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH;
const char kRecordTitle[] = "Mervalo save commit";
const long long kMaxRecordBytes = 4096;
// Follows the name of a file whose write failed for want of room.
const char kDiskFull[] = ": the disk is full";

// Ends the process at the test's kill step: a real end, with the handles
// closed by the system and nothing flushed or undone by this program.
void ReachStep(int step)
{
    if (killStep != DataSetWriter::SAVE_STEP_NONE && step == killStep)
        TerminateProcess(GetCurrentProcess(), DataSetWriter::KILLED_EXIT_CODE);
}

std::string ChangeExtension(const std::string &path, const char *extension)
{
    size_t slash = path.find_last_of("\\/:");
    size_t dot = path.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return path + extension;
    return path.substr(0, dot) + extension;
}

bool ValidName(const char *name)
{
    size_t n = std::strlen(name);
    if (n == 0 || n > QVF_MAX_NAME)
        return false;
    for (size_t i = 0; i < n; ++i)
        if (static_cast<unsigned char>(name[i]) <= 32)
            return false;
    return true;
}

bool ValidText(const char *text, size_t limit)
{
    size_t n = std::strlen(text);
    if (n > limit)
        return false;
    for (size_t i = 0; i < n; ++i)
        if (static_cast<unsigned char>(text[i]) < 32)
            return false;
    return true;
}

long long FileSize(const std::string &name)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(name.c_str(), GetFileExInfoStandard, &data) ||
        (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return -1;
    return (static_cast<long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

bool DeleteIfThere(const std::string &name)
{
    if (DeleteFileA(name.c_str()))
        return true;
    DWORD code = GetLastError();
    return code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND;
}

// The files of one data set that a save touches: the data set's own files
// and the save-time file of each, in the order the save replaces them.
enum SaveFile { FILE_SYSTEM = 0, FILE_INDEX = 1, FILE_DOC = 2, FILE_KINDS = 3 };
const char *const kRecordKeys[FILE_KINDS] = {"system", "index", "documentation"};

struct SaveFileNames
{
    explicit SaveFileNames(const std::string &qvf)
    {
        final[FILE_SYSTEM] = qvf;
        final[FILE_INDEX] = ChangeExtension(qvf, ".IND");
        final[FILE_DOC] = ChangeExtension(qvf, ".dkm");
        temp[FILE_SYSTEM] = ChangeExtension(qvf, ".QV$");
        temp[FILE_INDEX] = ChangeExtension(qvf, ".IN$");
        temp[FILE_DOC] = ChangeExtension(qvf, ".DK$");
        record = ChangeExtension(qvf, ".QVC");
    }
    std::string final[FILE_KINDS];
    std::string temp[FILE_KINDS];
    std::string record;
};

// CRC-32 (polynomial 0xEDB88320) of bytes, continued from crc.
unsigned long Crc32(unsigned long crc, const unsigned char *bytes, size_t count)
{
    static unsigned long table[256];
    static bool ready = false;
    if (!ready) {
        for (unsigned long i = 0; i < 256; ++i) {
            unsigned long c = i;
            for (int k = 0; k < 8; ++k)
                c = (c & 1) ? 0xEDB88320UL ^ (c >> 1) : c >> 1;
            table[i] = c;
        }
        ready = true;
    }
    crc = ~crc & 0xFFFFFFFFUL;
    for (size_t i = 0; i < count; ++i)
        crc = table[(crc ^ bytes[i]) & 0xFF] ^ (crc >> 8);
    return ~crc & 0xFFFFFFFFUL;
}

// What a commit record holds: the sizes of the complete save-time files
// (-1 for the documentation: the saved data set has none) and the CRC-32 of
// the whole system file (a record without the checksum line is read too).
struct CommitRecord
{
    long long sizes[FILE_KINDS];
    bool hasChecksum = false;
    unsigned long checksum = 0;
};

// The record's text, "end" last, so that a record cut short is recognised.
std::string RecordText(const long long sizes[FILE_KINDS], unsigned long checksum)
{
    std::string text = std::string(kRecordTitle) + "\r\n";
    for (int f = 0; f < FILE_KINDS; ++f)
        text += std::string(kRecordKeys[f]) + " " + (sizes[f] < 0 ? std::string("none") : std::to_string(sizes[f])) +
                "\r\n";
    char crc[16];
    std::snprintf(crc, sizeof crc, "%08lx", checksum & 0xFFFFFFFFUL);
    text += std::string("checksum ") + crc + "\r\n";
    return text + "end\r\n";
}

bool ParseRecord(const std::string &text, CommitRecord *record)
{
    long long *sizes = record->sizes;
    std::vector<std::string> lines;
    size_t at = 0;
    while (at < text.size()) {
        size_t end = text.find("\r\n", at);
        if (end == std::string::npos)
            return false;
        lines.push_back(text.substr(at, end - at));
        at = end + 2;
    }
    if ((lines.size() != FILE_KINDS + 2 && lines.size() != FILE_KINDS + 3) || lines.front() != kRecordTitle ||
        lines.back() != "end")
        return false;
    record->hasChecksum = lines.size() == FILE_KINDS + 3;
    if (record->hasChecksum) {
        const std::string &line = lines[FILE_KINDS + 1];
        const std::string key = "checksum ";
        std::string value = line.compare(0, key.size(), key) == 0 ? line.substr(key.size()) : std::string();
        if (value.size() != 8 || value.find_first_not_of("0123456789abcdef") != std::string::npos)
            return false;
        record->checksum = std::stoul(value, nullptr, 16);
    }
    for (int f = 0; f < FILE_KINDS; ++f) {
        std::string key = std::string(kRecordKeys[f]) + " ";
        const std::string &line = lines[static_cast<size_t>(f) + 1];
        if (line.compare(0, key.size(), key) != 0)
            return false;
        std::string value = line.substr(key.size());
        if (f == FILE_DOC && value == "none") {
            sizes[f] = -1;
            continue;
        }
        if (value.empty() || value.size() > 12 || value.find_first_not_of("0123456789") != std::string::npos)
            return false;
        sizes[f] = std::stoll(value);
    }
    return true;
}

// Puts a committed save in place: moves each save-time file still there
// over its data-set file (system file first), removes the documentation
// when the save has none, then removes the record. Run again after an
// interruption it carries on where it stopped, since a moved file has no
// save-time file left. *done counts the steps done; *failed names the file
// of a failed step.
bool CompleteCommit(const SaveFileNames &n, const long long sizes[FILE_KINDS], int *done, std::string *failed)
{
    static const int steps[FILE_KINDS] = {DataSetWriter::SAVE_STEP_SYSTEM_FILE, DataSetWriter::SAVE_STEP_INDEX_FILE,
                                          DataSetWriter::SAVE_STEP_DOC_FILE};
    *done = 0;
    for (int f = 0; f < FILE_KINDS; ++f) {
        if (f == FILE_DOC && sizes[f] < 0) {
            if (!DeleteIfThere(n.final[f]) || !DeleteIfThere(n.temp[f])) {
                *failed = n.final[f];
                return false;
            }
        } else if (FileSize(n.temp[f]) >= 0) {
            if (FileSize(n.temp[f]) != sizes[f]) {
                *failed = n.temp[f] + " is not the size the commit record gives";
                return false;
            }
            if (!MoveFileExA(n.temp[f].c_str(), n.final[f].c_str(), kMove)) {
                *failed = n.final[f];
                return false;
            }
        }
        ++*done;
        ReachStep(steps[f]);
    }
    if (!DeleteIfThere(n.record)) {
        *failed = n.record;
        return false;
    }
    ReachStep(DataSetWriter::SAVE_STEP_DONE);
    return true;
}

// Reads a whole file into bytes (at most limit bytes; false when larger).
bool ReadWhole(const std::string &name, long long limit, std::vector<unsigned char> *bytes)
{
    PFILE in(name.c_str());
    if (!in.Open(PFILE_READ))
        return false;
    long long size = in.Size();
    if (size < 0 || size > limit)
        return false;
    bytes->resize(static_cast<size_t>(size));
    return bytes->empty() || in.Read(bytes->data(), 1, bytes->size()) == bytes->size();
}

// Checks that the system and index files of a committed save form a data
// set that opens: the sizes the record gives, the header and every index
// record against the system file, the weights and selection, the labels'
// place, and the CRC-32 of the whole system file when the record has one.
// Returns "" or what is wrong.
std::string VerifySavedFiles(const std::string &system, const std::string &index, const CommitRecord &record)
{
    long long systemSize = FileSize(system);
    if (systemSize != record.sizes[FILE_SYSTEM])
        return system + " is not the size the commit record gives";
    if (FileSize(index) != record.sizes[FILE_INDEX])
        return index + " is not the size the commit record gives";
    PFILE in(system.c_str());
    if (!in.Open(PFILE_READ))
        return system + " cannot be read";
    unsigned char headerBytes[QVF_HEADER_SIZE];
    size_t got = in.Read(headerBytes, 1, QVF_HEADER_SIZE);
    QvfHeader header;
    if (DataSetLayout::DecodeHeader(headerBytes, got, systemSize, &header))
        return system + " has a damaged header";
    std::vector<unsigned char> indexBytes;
    std::vector<VariableInfo> variables;
    long bad = 0;
    if (!ReadWhole(index, 64LL << 20, &indexBytes) ||
        DataSetLayout::DecodeIndex(indexBytes.data(), indexBytes.size(), header, systemSize, &variables, &bad) ||
        DataSetLayout::CheckReferences(header, variables))
        return index + " does not describe " + system;
    if (record.hasChecksum) {
        unsigned long crc = Crc32(0, headerBytes, got);
        std::vector<unsigned char> chunk(1 << 16);
        for (;;) {
            size_t n = in.Read(chunk.data(), 1, chunk.size());
            if (n == 0)
                break;
            crc = Crc32(crc, chunk.data(), n);
        }
        if (crc != record.checksum)
            return system + " does not hold the bytes that were saved (its checksum differs)";
    }
    return std::string();
}

// Moves the files of a save that did not verify out of the way, under the
// data set's name with "-unchecked-save" (and a number when that is taken)
// and the same extensions, so that nothing is lost and the next open does
// not take them for a save. Returns the names used, or "" on failure.
std::string SetAside(const SaveFileNames &n, std::string *failed)
{
    std::string base = ChangeExtension(n.final[FILE_SYSTEM], "");
    std::string stem;
    for (int attempt = 0; attempt < 100 && stem.empty(); ++attempt) {
        std::string candidate = base + "-unchecked-save" + (attempt ? std::to_string(attempt + 1) : std::string());
        bool free = true;
        for (const char *extension : {".QV$", ".IN$", ".DK$", ".QVC"})
            free = free && FileSize(candidate + extension) < 0;
        if (free)
            stem = candidate;
    }
    if (stem.empty()) {
        *failed = base + "-unchecked-save";
        return std::string();
    }
    std::string names;
    const std::string *files[FILE_KINDS + 1] = {&n.temp[FILE_SYSTEM], &n.temp[FILE_INDEX], &n.temp[FILE_DOC], &n.record};
    for (const std::string *file : files) {
        if (FileSize(*file) < 0)
            continue;
        std::string target = stem + file->substr(file->find_last_of('.'));
        if (!MoveFileExA(file->c_str(), target.c_str(), MOVEFILE_WRITE_THROUGH)) {
            *failed = *file;
            return std::string();
        }
        names += (names.empty() ? "" : ", ") + target;
    }
    return names;
}

bool ReadRecord(const std::string &name, std::string *text)
{
    std::vector<unsigned char> bytes;
    if (!ReadWhole(name, kMaxRecordBytes, &bytes))
        return false;
    text->assign(bytes.begin(), bytes.end());
    return true;
}

} // namespace

void DataSetWriter::SetKillStep(int step)
{
    killStep = step;
}

const char *DataSetWriter::SaveRecoveryText(int recovery)
{
    switch (recovery) {
    case SAVE_RECOVERY_FINISHED:
        return "A save of this data set was interrupted after it was complete; it has now been finished.";
    case SAVE_RECOVERY_ROLLED_BACK:
        return "A save of this data set was interrupted before it was complete; the data set is as it was before "
               "that save.";
    default:
        return "";
    }
}

bool DataSetWriter::HasSaveLeftovers(const char *fileName)
{
    SaveFileNames n(fileName ? fileName : "");
    if (FileSize(n.record) >= 0)
        return true;
    for (int f = 0; f < FILE_KINDS; ++f)
        if (FileSize(n.temp[f]) >= 0)
            return true;
    return false;
}

int DataSetWriter::Recover(const char *fileName, int *recovery, std::string *errorText)
{
    *recovery = SAVE_RECOVERY_NONE;
    SaveFileNames n(fileName ? fileName : "");
    std::string text;
    long long sizes[FILE_KINDS];
    bool hasRecord = FileSize(n.record) >= 0;
    if (hasRecord) {
        if (!ReadRecord(n.record, &text)) {
            *errorText = DataSetErrorText(DSERR_RECOVERY, n.record);
            return DSERR_RECOVERY;
        }
        CommitRecord record;
        if (ParseRecord(text, &record)) {
            const long long *sizes = record.sizes;
            // The new files are checked before anything is replaced. While
            // the new system file is still the save-time one, the old data
            // set is whole: a save that does not check out is set aside.
            // Once it was moved, the old one is gone and the rest of the
            // save is put in place only when what is there checks out.
            bool systemMoved = FileSize(n.temp[FILE_SYSTEM]) < 0;
            std::string system = systemMoved ? n.final[FILE_SYSTEM] : n.temp[FILE_SYSTEM];
            std::string index = FileSize(n.temp[FILE_INDEX]) >= 0 ? n.temp[FILE_INDEX] : n.final[FILE_INDEX];
            std::string fault = VerifySavedFiles(system, index, record);
            if (!fault.empty() && !systemMoved) {
                std::string failed;
                std::string names = SetAside(n, &failed);
                if (names.empty()) {
                    *errorText = DataSetErrorText(DSERR_RECOVERY, fault + "; " + failed + " cannot be moved aside");
                    return DSERR_RECOVERY;
                }
                *recovery = SAVE_RECOVERY_SET_ASIDE;
                *errorText = "A save of this data set was interrupted and its files do not check out (" + fault +
                             "). The data set is as it was before that save; the files of that save were kept as " +
                             names + ".";
                return DSERR_NONE;
            }
            if (!fault.empty()) {
                *errorText = DataSetErrorText(DSERR_RECOVERY, fault);
                return DSERR_RECOVERY;
            }
            int done = 0;
            std::string failed;
            if (!CompleteCommit(n, sizes, &done, &failed)) {
                *errorText = DataSetErrorText(DSERR_RECOVERY, failed);
                return DSERR_RECOVERY;
            }
            *recovery = SAVE_RECOVERY_FINISHED;
            return DSERR_NONE;
        }
        // A record cut short: the save stopped while writing it, before it
        // replaced anything.
    }
    bool found = hasRecord;
    for (int f = 0; f < FILE_KINDS; ++f) {
        found = found || FileSize(n.temp[f]) >= 0;
        if (!DeleteIfThere(n.temp[f])) {
            *errorText = DataSetErrorText(DSERR_RECOVERY, n.temp[f]);
            return DSERR_RECOVERY;
        }
    }
    if (!DeleteIfThere(n.record)) {
        *errorText = DataSetErrorText(DSERR_RECOVERY, n.record);
        return DSERR_RECOVERY;
    }
    *recovery = found ? SAVE_RECOVERY_ROLLED_BACK : SAVE_RECOVERY_NONE;
    return DSERR_NONE;
}

DataSetWriter::DataSetWriter(const char *fileName) : qvfName(fileName ? fileName : "")
{
    indName = ChangeExtension(qvfName, ".IND");
    dkmName = ChangeExtension(qvfName, ".dkm");
    qvfTemp = ChangeExtension(qvfName, ".QV$");
    indTemp = ChangeExtension(qvfName, ".IN$");
    dkmTemp = ChangeExtension(qvfName, ".DK$");
    recordName = ChangeExtension(qvfName, ".QVC");
}

DataSetWriter::~DataSetWriter()
{
    for (Variable &v : variables)
        if (v.own)
            delete v.values;
}

int DataSetWriter::Fail(int code, const std::string &detail)
{
    error = code;
    errorText = DataSetErrorText(code, detail);
    return code;
}

long DataSetWriter::FindVariable(const char *name) const
{
    for (size_t i = 0; i < variables.size(); ++i)
        if (lstrcmpiA(variables[i].info.name, name) == 0)
            return static_cast<long>(i + 1);
    return 0;
}

int DataSetWriter::AddVariable(const VariableInfo &info, const std::vector<CategoryLabel> &labels, BUFFERTYPE *values,
                               bool ownValues)
{
    int code = CheckVariable(info, labels, values);
    if (code) {
        if (ownValues)
            delete values;
        return code;
    }
    Variable v{info, labels, values, ownValues};
    std::stable_sort(v.labels.begin(), v.labels.end(),
                     [](const CategoryLabel &a, const CategoryLabel &b) { return a.value < b.value; });
    variables.push_back(v);
    return DSERR_NONE;
}

int DataSetWriter::CheckVariable(const VariableInfo &info, const std::vector<CategoryLabel> &labels, BUFFERTYPE *values)
{
    std::string name(info.name);
    if (!ValidName(info.name) || FindVariable(info.name))
        return Fail(DSERR_ARGUMENT, "variable name \"" + name + "\"");
    if (!ValidText(info.label, QVF_MAX_LABEL))
        return Fail(DSERR_ARGUMENT, "label of " + name);
    if (StorageValueSize(info.storageType) == 0)
        return Fail(DSERR_ARGUMENT, "storage type of " + name);
    if (info.missingCount < 0 || info.missingCount > QVF_MAX_MISSING)
        return Fail(DSERR_ARGUMENT, "missing codes of " + name);
    if (info.printWidth < 1 || info.printWidth > 40 || (info.decimals > 15 && info.decimals != QVF_DECIMALS_UNSET))
        return Fail(DSERR_ARGUMENT, "print format of " + name);
    if (labels.size() > MAX_CATEGORY_LABELS)
        return Fail(DSERR_ARGUMENT, "category labels of " + name);
    for (const CategoryLabel &label : labels)
        if (std::isnan(label.value) || !ValidText(label.text.c_str(), QVF_MAX_CATEGORY_TEXT))
            return Fail(DSERR_ARGUMENT, "category label of " + name);
    if (!values)
        return Fail(DSERR_ARGUMENT, "no values for " + name);
    if (variables.size() >= MAX_VARIABLES)
        return Fail(DSERR_TOO_LARGE, name);
    return DSERR_NONE;
}

bool DataSetWriter::SetWeights(const long *numbers, int count)
{
    if (count < 0 || count > QVF_MAX_WEIGHTS)
        return false;
    for (int i = 0; i < count; ++i)
        if (numbers[i] < 1 || numbers[i] > GetVariableCount())
            return false;
    weightCount = count;
    for (int i = 0; i < QVF_MAX_WEIGHTS; ++i)
        weights[i] = i < count ? numbers[i] : 0;
    return true;
}

bool DataSetWriter::SetRegionVariable(long number)
{
    if (number < 0 || number > GetVariableCount() ||
        (number > 0 && !IsIntegerStorage(variables[static_cast<size_t>(number - 1)].info.storageType)))
        return false;
    regionVariable = number;
    return true;
}

void DataSetWriter::SetSelection(LogBuffer *bits, bool active, const char *description)
{
    selection = bits;
    selectionActive = active && bits;
    selectionText = description ? description : "";
}

bool DataSetWriter::WriteColumn(PFILE &out, Variable &v, bool halfwayStep)
{
    BUFFERTYPE &list = *v.values;
    int size = StorageValueSize(v.info.storageType);
    bool sameType = list.storageType == v.info.storageType;
    std::vector<unsigned char> chunk;
    chunk.reserve(65536);
    double low = DBL_MAX, high = -DBL_MAX;
    list.SeekCase(1, 1);
    for (long c = 0; c < caseCount; ++c) {
        if (halfwayStep && c == caseCount / 2)
            ReachStep(SAVE_STEP_VALUES_HALF);
        if (!list.MoveNext()) {
            Fail(DSERR_READ, std::string("values of ") + v.info.name);
            return false;
        }
        unsigned char bytes[8];
        bool sys = list.IsCurrentSysMissing();
        double value = sys ? DBL_MAX : list.GetCurrentAsReal();
        if (sameType) {
            // The bytes as they are: no rounding on the way.
            CaseValue raw = list.ReadCase(c);
            EncodeStoredValue(v.info.storageType, raw.AsReal(), false, bytes);
        } else {
            EncodeStoredValue(v.info.storageType, value, sys, bytes);
        }
        chunk.insert(chunk.end(), bytes, bytes + size);
        // The range covers the valid values as stored.
        double stored;
        switch (v.info.storageType) {
        case STORAGE_U8:
            stored = bytes[0];
            break;
        case STORAGE_I16: {
            int16_t x;
            std::memcpy(&x, bytes, 2);
            stored = x;
            break;
        }
        case STORAGE_I32: {
            int32_t x;
            std::memcpy(&x, bytes, 4);
            stored = x;
            break;
        }
        case STORAGE_FLOAT: {
            float x;
            std::memcpy(&x, bytes, 4);
            stored = x == FLT_MAX ? DBL_MAX : x;
            break;
        }
        default:
            std::memcpy(&stored, bytes, 8);
            break;
        }
        bool missing = stored == StorageSysMissing(v.info.storageType) || stored == DBL_MAX;
        for (int i = 0; i < v.info.missingCount && !missing; ++i)
            missing = v.info.storageType == STORAGE_FLOAT
                          ? static_cast<float>(stored) == static_cast<float>(v.info.missing[i])
                          : stored == v.info.missing[i];
        if (!missing) {
            low = std::min(low, stored);
            high = std::max(high, stored);
        }
        if (chunk.size() >= 65536) {
            if (out.Write(chunk.data(), 1, chunk.size()) != chunk.size())
                return false;
            systemChecksum = Crc32(systemChecksum, chunk.data(), chunk.size());
            chunk.clear();
        }
    }
    if (!chunk.empty() && out.Write(chunk.data(), 1, chunk.size()) != chunk.size())
        return false;
    systemChecksum = Crc32(systemChecksum, chunk.data(), chunk.size());
    v.info.rangeKnown = true;
    v.info.minimum = low == DBL_MAX ? 0 : low;
    v.info.maximum = high == -DBL_MAX ? 0 : high;
    return true;
}

int DataSetWriter::WriteTemporaries()
{
    error = DSERR_NONE;
    errorText.clear();
    committed = false;
    if (qvfName.empty())
        return Fail(DSERR_ARGUMENT, "no file name");
    if (caseCount < 0)
        return Fail(DSERR_ARGUMENT, "case count");
    // A committed save of the same files that never finished is finished
    // first: its record must not be taken for this save's.
    if (FileSize(recordName) >= 0) {
        int recovery = SAVE_RECOVERY_NONE;
        std::string text;
        if (Recover(qvfName.c_str(), &recovery, &text)) {
            error = DSERR_RECOVERY;
            errorText = text;
            return error;
        }
    }

    // Layout: header, the columns variable by variable, the category
    // labels, the selection bits.
    QvfHeader h;
    h.formatCode = QVF_FORMAT_9600;
    h.codePage = 1;
    h.variableCount = GetVariableCount();
    h.caseCount = caseCount;
    h.dataOffset = QVF_HEADER_SIZE;
    long long at = QVF_HEADER_SIZE;
    for (Variable &v : variables) {
        v.info.columnStart = at;
        at += static_cast<long long>(caseCount) * StorageValueSize(v.info.storageType);
    }
    h.textOffset = static_cast<long>(std::min<long long>(at, 0x7fffffff));
    std::vector<unsigned char> text;
    for (Variable &v : variables) {
        std::vector<unsigned char> block = DataSetLayout::EncodeLabelBlock(v.labels);
        v.info.labelCount = static_cast<long>(v.labels.size());
        v.info.labelLength = static_cast<long>(block.size());
        v.info.labelOffset = block.empty() ? 0 : static_cast<long>(at + static_cast<long long>(text.size()));
        text.insert(text.end(), block.begin(), block.end());
    }
    h.textLength = static_cast<long>(text.size());
    at += static_cast<long long>(text.size());
    std::vector<unsigned char> selectionBytes;
    if (selection) {
        selectionBytes = selection->GetBytes();
        selectionBytes.resize(static_cast<size_t>((caseCount + 7) / 8), 0);
        if (caseCount % 8 && !selectionBytes.empty())
            selectionBytes.back() &= static_cast<unsigned char>((1u << (caseCount % 8)) - 1);
        h.selectionActive = selectionActive ? 1 : 0;
        h.selectionOffset = static_cast<long>(std::min<long long>(at, 0x7fffffff));
        h.selectionLength = static_cast<long>(selectionBytes.size());
        DataSetLayout::CopyBounded(h.selectionText, sizeof h.selectionText, selectionText.c_str());
        at += static_cast<long long>(selectionBytes.size());
    }
    if (at > 0x7fffffffLL)
        return Fail(DSERR_TOO_LARGE, qvfName);
    h.regionVariable = regionVariable;
    h.weightCount = weightCount;
    for (int i = 0; i < QVF_MAX_WEIGHTS; ++i)
        h.weights[i] = weights[i];

    unsigned char headerBytes[QVF_HEADER_SIZE];
    DataSetLayout::EncodeHeader(h, headerBytes);
    {
        PFILE out(qvfTemp.c_str());
        if (!out.Open(PFILE_WRITE))
            return Fail(DSERR_WRITE, qvfTemp);
        bool ok = out.Write(headerBytes, 1, QVF_HEADER_SIZE) == QVF_HEADER_SIZE;
        systemChecksum = Crc32(0, headerBytes, QVF_HEADER_SIZE);
        if (variables.empty())
            ReachStep(SAVE_STEP_VALUES_HALF);
        for (size_t i = 0; ok && i < variables.size(); ++i)
            ok = WriteColumn(out, variables[i], i == variables.size() / 2);
        // The values are written: lists the writer owns let go of their
        // files now, before anything is replaced.
        for (Variable &v : variables)
            if (v.own) {
                delete v.values;
                v.values = nullptr;
            }
        ok = ok && (text.empty() || out.Write(text.data(), 1, text.size()) == text.size());
        ok = ok && (selectionBytes.empty() ||
                    out.Write(selectionBytes.data(), 1, selectionBytes.size()) == selectionBytes.size());
        systemChecksum = Crc32(systemChecksum, text.data(), text.size());
        systemChecksum = Crc32(systemChecksum, selectionBytes.data(), selectionBytes.size());
        ok = out.Flush() && ok;
        const bool full = out.Error() == PFILE_ERR_DISK_FULL;
        out.Close();
        // A file shorter than its layout is a write that failed unnoticed.
        if (!ok || FileSize(qvfTemp) != at) {
            int code = error ? error : DSERR_WRITE;
            DiscardTemporaries();
            return Fail(code, qvfTemp + (full ? kDiskFull : ""));
        }
    }
    tempSizes[FILE_SYSTEM] = at;
    ReachStep(SAVE_STEP_SYSTEM_TEMP);
    std::vector<unsigned char> index(variables.size() * IND_RECORD_9600);
    for (size_t i = 0; i < variables.size(); ++i)
        DataSetLayout::EncodeIndexRecord(variables[i].info, &index[i * IND_RECORD_9600]);
    if (!WriteFileBytes(indTemp, index)) {
        DiscardTemporaries();
        return Fail(DSERR_WRITE, indTemp + (diskFull ? kDiskFull : ""));
    }
    tempSizes[FILE_INDEX] = static_cast<long long>(index.size());
    ReachStep(SAVE_STEP_INDEX_TEMP);
    tempSizes[FILE_DOC] = -1;
    if (!documentation.empty()) {
        if (!WriteFileBytes(dkmTemp, std::vector<unsigned char>(documentation.begin(), documentation.end()))) {
            DiscardTemporaries();
            return Fail(DSERR_WRITE, dkmTemp + (diskFull ? kDiskFull : ""));
        }
        tempSizes[FILE_DOC] = static_cast<long long>(documentation.size());
    }
    ReachStep(SAVE_STEP_DOC_TEMP);
    return DSERR_NONE;
}

bool DataSetWriter::WriteFileBytes(const std::string &name, const std::vector<unsigned char> &bytes)
{
    PFILE out(name.c_str());
    if (!out.Open(PFILE_WRITE))
        return false;
    bool ok = bytes.empty() || out.Write(bytes.data(), 1, bytes.size()) == bytes.size();
    ok = out.Flush() && ok;
    diskFull = out.Error() == PFILE_ERR_DISK_FULL;
    out.Close();
    return ok && FileSize(name) == static_cast<long long>(bytes.size());
}

bool DataSetWriter::WriteCommitRecord()
{
    // Written in two halves, each flushed, so that a test can end the
    // process between them and see a record cut short.
    std::string text = RecordText(tempSizes, systemChecksum);
    size_t half = text.size() / 2;
    PFILE out(recordName.c_str());
    if (!out.Open(PFILE_WRITE))
        return false;
    bool ok = out.Write(text.data(), 1, half) == half && out.Flush();
    ReachStep(SAVE_STEP_RECORD_HALF);
    ok = ok && out.Write(text.data() + half, 1, text.size() - half) == text.size() - half && out.Flush();
    out.Close();
    return ok;
}

void DataSetWriter::DiscardTemporaries()
{
    DeleteFileA(qvfTemp.c_str());
    DeleteFileA(indTemp.c_str());
    DeleteFileA(dkmTemp.c_str());
}

int DataSetWriter::ReplaceFiles()
{
    committed = false;
    // The caller's streams were closed in between: the temporaries must
    // still be those written.
    if (FileSize(qvfTemp) != tempSizes[FILE_SYSTEM] || FileSize(indTemp) != tempSizes[FILE_INDEX] ||
        (tempSizes[FILE_DOC] >= 0 && FileSize(dkmTemp) != tempSizes[FILE_DOC])) {
        DiscardTemporaries();
        return Fail(DSERR_WRITE, qvfTemp);
    }
    if (!WriteCommitRecord()) {
        if (DeleteIfThere(recordName))
            DiscardTemporaries();
        return Fail(DSERR_WRITE, recordName);
    }
    ReachStep(SAVE_STEP_COMMITTED);
    int done = 0;
    std::string failed;
    if (CompleteCommit(SaveFileNames(qvfName), tempSizes, &done, &failed))
        return DSERR_NONE;
    if (done == 0) {
        // Nothing was replaced (the system file, replaced first, is the one
        // another program may hold open): the save is undone here, the
        // record first, so that an end in between leaves only save-time
        // files, which the next open removes.
        if (DeleteIfThere(recordName))
            DiscardTemporaries();
        return Fail(DSERR_REPLACE, failed);
    }
    committed = true;
    return Fail(DSERR_REPLACE, failed + "; the save is finished when the data set is next opened");
}

int DataSetWriter::Write()
{
    int code = WriteTemporaries();
    return code ? code : ReplaceFiles();
}
