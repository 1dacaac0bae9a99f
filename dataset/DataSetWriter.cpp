#include "dataset/DataSetWriter.h"

#include "dataset/BUFFERTYPE.h"
#include "dataset/ByteStream.h"
#include "dataset/DATASET.h"
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

// The files of one data set that a save touches, in the order the save
// replaces them: the data set's own file, the save-time file that holds the
// new one, the old file kept while the new one is put in place, and a
// marker that the data set had no such file before (so that undoing the
// save knows to take the new one away).
enum SaveFile { FILE_SYSTEM = 0, FILE_INDEX = 1, FILE_DOC = 2, FILE_KINDS = 3 };
const char *const kRecordKeys[FILE_KINDS] = {"system", "index", "documentation"};

struct SaveFileNames
{
    explicit SaveFileNames(const std::string &qvf)
    {
        static const char *const extensions[FILE_KINDS][4] = {
            {".QVF", ".QV$", ".QVO", ".QVN"}, {".IND", ".IN$", ".INO", ".INN"}, {".dkm", ".DK$", ".DKO", ".DKN"}};
        for (int f = 0; f < FILE_KINDS; ++f) {
            final[f] = f == FILE_SYSTEM ? qvf : ChangeExtension(qvf, extensions[f][0]);
            temp[f] = ChangeExtension(qvf, extensions[f][1]);
            old[f] = ChangeExtension(qvf, extensions[f][2]);
            none[f] = ChangeExtension(qvf, extensions[f][3]);
        }
        record = ChangeExtension(qvf, ".QVC");
    }
    std::string final[FILE_KINDS];
    std::string temp[FILE_KINDS];
    std::string old[FILE_KINDS];
    std::string none[FILE_KINDS];
    std::string record;
};

bool Exists(const std::string &name)
{
    return FileSize(name) >= 0;
}

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

unsigned long Crc32(const std::string &text)
{
    return Crc32(0, reinterpret_cast<const unsigned char *>(text.data()), text.size());
}

std::string Hex8(unsigned long value)
{
    char text[16];
    std::snprintf(text, sizeof text, "%08lx", value & 0xFFFFFFFFUL);
    return text;
}

bool ParseHex8(const std::string &text, unsigned long *value)
{
    if (text.size() != 8 || text.find_first_not_of("0123456789abcdef") != std::string::npos)
        return false;
    *value = std::stoul(text, nullptr, 16);
    return true;
}

bool ParseSize(const std::string &text, long long *value)
{
    if (text.empty() || text.size() > 12 || text.find_first_not_of("0123456789") != std::string::npos)
        return false;
    *value = std::stoll(text);
    return true;
}

// How far a commit record can be trusted.
enum RecordState {
    RECORD_CUT_SHORT, // no "end" line: the save stopped while writing it, before anything was replaced
    RECORD_DAMAGED,   // complete, but a line does not read or its own checksum differs
    RECORD_UNSEALED,  // an earlier version's record: sizes (and perhaps the system file's CRC), no checksum of its own
    RECORD_SEALED     // size and CRC-32 of every file, and its own checksum matches its text
};

// What a commit record holds: the size of each new file (-1 for the
// documentation: the saved data set has none) and its CRC-32 where known.
struct CommitRecord
{
    long long sizes[FILE_KINDS] = {-1, -1, -1};
    bool hasChecksum[FILE_KINDS] = {false, false, false};
    unsigned long checksums[FILE_KINDS] = {0, 0, 0};
};

// The record's text: one line a file (size and CRC-32), then the CRC-32 of
// those lines and "end" last, so that a record cut short or changed is
// recognised.
std::string RecordText(const long long sizes[FILE_KINDS], const unsigned long checksums[FILE_KINDS])
{
    std::string text = std::string(kRecordTitle) + "\r\n";
    for (int f = 0; f < FILE_KINDS; ++f)
        text += std::string(kRecordKeys[f]) + " " +
                (sizes[f] < 0 ? std::string("none") : std::to_string(sizes[f]) + " " + Hex8(checksums[f])) + "\r\n";
    text += "record " + Hex8(Crc32(text)) + "\r\n";
    return text + "end\r\n";
}

// One file line "<key> <size> [<crc>]" or "documentation none".
bool ParseFileLine(const std::string &line, int f, bool withChecksum, CommitRecord *record)
{
    const std::string key = std::string(kRecordKeys[f]) + " ";
    if (line.compare(0, key.size(), key) != 0)
        return false;
    std::string value = line.substr(key.size());
    if (f == FILE_DOC && value == "none") {
        record->sizes[f] = -1;
        return true;
    }
    size_t blank = value.find(' ');
    if (withChecksum != (blank != std::string::npos))
        return false;
    if (withChecksum) {
        record->hasChecksum[f] = ParseHex8(value.substr(blank + 1), &record->checksums[f]);
        value.resize(blank);
        if (!record->hasChecksum[f])
            return false;
    }
    return ParseSize(value, &record->sizes[f]);
}

RecordState ParseRecord(const std::string &text, CommitRecord *record)
{
    const std::string ending = "end\r\n";
    if (text.size() < ending.size() || text.compare(text.size() - ending.size(), ending.size(), ending) != 0)
        return RECORD_CUT_SHORT;
    std::vector<std::string> lines;
    std::vector<size_t> starts;
    for (size_t at = 0; at < text.size();) {
        size_t end = text.find("\r\n", at);
        if (end == std::string::npos)
            return RECORD_DAMAGED;
        starts.push_back(at);
        lines.push_back(text.substr(at, end - at));
        at = end + 2;
    }
    if (lines.size() < FILE_KINDS + 2 || lines.front() != kRecordTitle)
        return RECORD_DAMAGED;
    const std::string seal = "record ", systemChecksum = "checksum ";
    if (lines.size() == FILE_KINDS + 3 && lines[FILE_KINDS + 1].compare(0, seal.size(), seal) == 0) {
        unsigned long crc = 0;
        if (!ParseHex8(lines[FILE_KINDS + 1].substr(seal.size()), &crc) ||
            crc != Crc32(text.substr(0, starts[FILE_KINDS + 1])))
            return RECORD_DAMAGED;
        for (int f = 0; f < FILE_KINDS; ++f)
            if (!ParseFileLine(lines[static_cast<size_t>(f) + 1], f, true, record))
                return RECORD_DAMAGED;
        return RECORD_SEALED;
    }
    // Records of earlier versions: the sizes, and perhaps a line with the
    // CRC-32 of the system file.
    if (lines.size() == FILE_KINDS + 3) {
        const std::string &line = lines[FILE_KINDS + 1];
        if (line.compare(0, systemChecksum.size(), systemChecksum) != 0 ||
            !ParseHex8(line.substr(systemChecksum.size()), &record->checksums[FILE_SYSTEM]))
            return RECORD_DAMAGED;
        record->hasChecksum[FILE_SYSTEM] = true;
    } else if (lines.size() != FILE_KINDS + 2) {
        return RECORD_DAMAGED;
    }
    for (int f = 0; f < FILE_KINDS; ++f)
        if (!ParseFileLine(lines[static_cast<size_t>(f) + 1], f, false, record))
            return RECORD_DAMAGED;
    return RECORD_UNSEALED;
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

// CRC-32 of a whole file; false when it cannot be read to its end.
bool FileCrc(const std::string &name, long long size, unsigned long *crc)
{
    PFILE in(name.c_str());
    if (!in.Open(PFILE_READ))
        return false;
    *crc = 0;
    long long total = 0;
    std::vector<unsigned char> chunk(1 << 16);
    for (;;) {
        size_t n = in.Read(chunk.data(), 1, chunk.size());
        if (n == 0)
            break;
        *crc = Crc32(*crc, chunk.data(), n);
        total += static_cast<long long>(n);
    }
    return in.Error() == PFILE_ERR_NONE && total == size;
}

// Where the new file of a kind lies now: its save-time file until it was
// moved, then the data set's own file; "" when the save has none.
std::string NewFileOf(const SaveFileNames &n, const CommitRecord &record, int f)
{
    if (f == FILE_DOC && record.sizes[FILE_DOC] < 0)
        return std::string();
    return Exists(n.temp[f]) ? n.temp[f] : n.final[f];
}

// Opens the system and index files as a data set is opened (header, every
// index record, the weights, the selection and every label block).
// Returns "" or what is wrong.
std::string OpenAsDataSet(const std::string &system, const std::string &index)
{
    FileByteStream *systemStream = new FileByteStream(system.c_str());
    FileByteStream *indexStream = new FileByteStream(index.c_str());
    if (!systemStream->Open() || !indexStream->Open()) {
        std::string name = systemStream->Size() < 0 ? system : index;
        delete systemStream;
        delete indexStream;
        return name + " cannot be read";
    }
    DATASET probe;
    if (probe.OpenStreams(systemStream, indexStream))
        return system + " and " + index + " do not open as a data set: " + probe.GetErrorText();
    return std::string();
}

// Checks the new files of a committed save before anything is replaced:
// each file the size the record gives and, where the record has one, its
// CRC-32; then the system and index files open as a data set. Returns ""
// or what is wrong.
std::string VerifySavedFiles(const SaveFileNames &n, const CommitRecord &record)
{
    for (int f = 0; f < FILE_KINDS; ++f) {
        std::string name = NewFileOf(n, record, f);
        if (name.empty())
            continue;
        long long size = FileSize(name);
        if (size < 0)
            return name + " is missing";
        if (size != record.sizes[f])
            return name + " is not the size the commit record gives";
        unsigned long crc = 0;
        if (record.hasChecksum[f] && !FileCrc(name, size, &crc))
            return name + " cannot be read";
        if (record.hasChecksum[f] && crc != record.checksums[f])
            return name + " does not hold the bytes that were saved (its checksum differs)";
    }
    return OpenAsDataSet(NewFileOf(n, record, FILE_SYSTEM), NewFileOf(n, record, FILE_INDEX));
}

// True when the old file of a kind (or the note that there was none) is
// kept: its new file may have taken its place.
bool Kept(const SaveFileNames &n, int f)
{
    return Exists(n.old[f]) || Exists(n.none[f]);
}

// Keeps the data set's own file of a kind, or a note that it has none,
// before the new one takes its place, so that the save can be undone until
// it is finished.
bool KeepOld(const SaveFileNames &n, int f, std::string *failed)
{
    if (Kept(n, f))
        return true;
    if (Exists(n.final[f])) {
        if (MoveFileExA(n.final[f].c_str(), n.old[f].c_str(), MOVEFILE_WRITE_THROUGH))
            return true;
        *failed = n.final[f];
        return false;
    }
    HANDLE note = CreateFileA(n.none[f].c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL | FILE_FLAG_WRITE_THROUGH, nullptr);
    if (note == INVALID_HANDLE_VALUE) {
        *failed = n.none[f];
        return false;
    }
    CloseHandle(note);
    return true;
}

// Puts a verified save in place: for each kind (system file first) the old
// file is kept aside and the save-time file moved over it; the old
// documentation is kept aside too when the save has none (only on a sealed
// record: an earlier version's record is not trusted to remove a file).
// Then the kept files and the record are removed. Run again after an
// interruption it carries on where it stopped, since a moved file has no
// save-time file left. *done counts the kinds put in place; *failed names
// the file of a failed step.
bool CompleteCommit(const SaveFileNames &n, const CommitRecord &record, bool sealed, int *done, std::string *failed)
{
    static const int steps[FILE_KINDS] = {DataSetWriter::SAVE_STEP_SYSTEM_FILE, DataSetWriter::SAVE_STEP_INDEX_FILE,
                                          DataSetWriter::SAVE_STEP_DOC_FILE};
    *done = 0;
    for (int f = 0; f < FILE_KINDS; ++f) {
        if (f == FILE_DOC && record.sizes[f] < 0) {
            if (sealed && Exists(n.final[f]) && !KeepOld(n, f, failed))
                return false;
            if (!DeleteIfThere(n.temp[f])) {
                *failed = n.temp[f];
                return false;
            }
        } else if (Exists(n.temp[f])) {
            if (!KeepOld(n, f, failed))
                return false;
            if (!MoveFileExA(n.temp[f].c_str(), n.final[f].c_str(), kMove)) {
                *failed = n.final[f];
                return false;
            }
        }
        ++*done;
        ReachStep(steps[f]);
    }
    for (int f = 0; f < FILE_KINDS; ++f)
        for (const std::string *kept : {&n.old[f], &n.none[f]})
            if (!DeleteIfThere(*kept)) {
                *failed = *kept;
                return false;
            }
    if (!DeleteIfThere(n.record)) {
        *failed = n.record;
        return false;
    }
    ReachStep(DataSetWriter::SAVE_STEP_DONE);
    return true;
}

// True when every new file already moved in has its old file kept, so that
// the save can still be undone.
bool CanRollBack(const SaveFileNames &n, const CommitRecord &record)
{
    for (int f = 0; f < FILE_KINDS; ++f) {
        bool inSave = !(f == FILE_DOC && record.sizes[f] < 0);
        if (inSave && !Exists(n.temp[f]) && !Kept(n, f))
            return false;
    }
    return true;
}

// A free name for the files of a save that did not verify: the data set's
// name with "-unchecked-save" (and a number when that is taken).
std::string AsideStem(const SaveFileNames &n, std::string *failed)
{
    std::string base = ChangeExtension(n.final[FILE_SYSTEM], "");
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string candidate = base + "-unchecked-save" + (attempt ? std::to_string(attempt + 1) : std::string());
        bool free = true;
        for (const char *extension : {".QV$", ".IN$", ".DK$", ".QVC"})
            free = free && !Exists(candidate + extension);
        if (free)
            return candidate;
    }
    *failed = base + "-unchecked-save";
    return std::string();
}

// Takes a file of the save away: moved to the stem with the extension of
// its save-time file, or deleted when there is no stem.
bool Dispose(const std::string &file, const std::string &extensionFrom, const std::string &stem, std::string *names,
             std::string *failed)
{
    if (!Exists(file))
        return true;
    bool ok;
    if (stem.empty()) {
        ok = DeleteIfThere(file);
    } else {
        std::string target = stem + extensionFrom.substr(extensionFrom.find_last_of('.'));
        ok = MoveFileExA(file.c_str(), target.c_str(), MOVEFILE_WRITE_THROUGH) != 0;
        if (ok)
            *names += (names->empty() ? "" : ", ") + target;
    }
    if (!ok)
        *failed = file;
    return ok;
}

// Undoes a save from what is on the disk, without trusting its record: the
// save-time files and every new file already moved in (those whose old
// file is kept) are taken away, each kept old file comes back, and the
// record goes last. Every step can be repeated after an interruption.
bool RollBack(const SaveFileNames &n, const std::string &stem, std::string *names, std::string *failed)
{
    for (int f = 0; f < FILE_KINDS; ++f) {
        if (!Dispose(n.temp[f], n.temp[f], stem, names, failed))
            return false;
        if (!Kept(n, f))
            continue;
        if (!Dispose(n.final[f], n.temp[f], stem, names, failed))
            return false;
        if (Exists(n.old[f]) && !MoveFileExA(n.old[f].c_str(), n.final[f].c_str(), MOVEFILE_WRITE_THROUGH)) {
            *failed = n.old[f];
            return false;
        }
        if (!DeleteIfThere(n.none[f])) {
            *failed = n.none[f];
            return false;
        }
    }
    return Dispose(n.record, n.record, stem, names, failed);
}

bool ReadRecord(const std::string &name, std::string *text)
{
    std::vector<unsigned char> bytes;
    if (!ReadWhole(name, kMaxRecordBytes, &bytes))
        return false;
    text->assign(bytes.begin(), bytes.end());
    return true;
}

// Keeps the old data set: the files of the save are set aside and what
// was replaced comes back. Returns 0 with SAVE_RECOVERY_SET_ASIDE, or
// DSERR_RECOVERY.
int SetAsideSave(const SaveFileNames &n, const std::string &fault, int *recovery, std::string *errorText)
{
    std::string failed, names;
    std::string stem = AsideStem(n, &failed);
    if (stem.empty() || !RollBack(n, stem, &names, &failed)) {
        *errorText = DataSetErrorText(DSERR_RECOVERY, fault + "; " + failed + " cannot be moved aside");
        return DSERR_RECOVERY;
    }
    *recovery = DataSetWriter::SAVE_RECOVERY_SET_ASIDE;
    *errorText = "A save of this data set was interrupted and its files do not check out (" + fault +
                 "). The data set is as it was before that save; the files of that save were kept as " + names + ".";
    return DSERR_NONE;
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
    if (Exists(n.record))
        return true;
    for (int f = 0; f < FILE_KINDS; ++f)
        if (Exists(n.temp[f]) || Kept(n, f))
            return true;
    return false;
}

int DataSetWriter::Recover(const char *fileName, int *recovery, std::string *errorText)
{
    *recovery = SAVE_RECOVERY_NONE;
    SaveFileNames n(fileName ? fileName : "");
    bool anyKept = false;
    for (int f = 0; f < FILE_KINDS; ++f)
        anyKept = anyKept || Kept(n, f);
    if (!Exists(n.record)) {
        // Without a record nothing may be put in place; kept old files
        // mean something was, so the save is undone and its files kept.
        if (anyKept)
            return SetAsideSave(n, "the save's commit record " + n.record + " is missing", recovery, errorText);
    } else {
        std::string text;
        CommitRecord record;
        RecordState state = RECORD_DAMAGED;
        if (FileSize(n.record) <= kMaxRecordBytes) {
            if (!ReadRecord(n.record, &text)) {
                *errorText = DataSetErrorText(DSERR_RECOVERY, n.record + " cannot be read");
                return DSERR_RECOVERY;
            }
            state = ParseRecord(text, &record);
        }
        switch (state) {
        case RECORD_CUT_SHORT:
            // The save stopped while writing its record, before it replaced
            // anything: its files are removed below.
            if (anyKept)
                return SetAsideSave(n, n.record + " is cut short", recovery, errorText);
            break;
        case RECORD_DAMAGED:
            return SetAsideSave(n, n.record + " is damaged (its checksum or a line does not read)", recovery,
                                errorText);
        case RECORD_UNSEALED: {
            // An earlier version's record holds no checksum of itself, the
            // index or the documentation: it never replaces a whole old
            // data set. Once its system file was moved the old one is gone,
            // and the rest is put in place only when what is there
            // verifies; its "documentation none" removes nothing.
            if (Exists(n.temp[FILE_SYSTEM]))
                return SetAsideSave(n,
                                    n.record + " was written by an earlier version and holds no checksums to verify "
                                               "the save's files by",
                                    recovery, errorText);
            std::string fault = VerifySavedFiles(n, record);
            int done = 0;
            std::string failed;
            if (!fault.empty() || !CompleteCommit(n, record, false, &done, &failed)) {
                *errorText = DataSetErrorText(DSERR_RECOVERY, fault.empty() ? failed : fault);
                return DSERR_RECOVERY;
            }
            *recovery = SAVE_RECOVERY_FINISHED;
            return DSERR_NONE;
        }
        case RECORD_SEALED: {
            std::string fault = VerifySavedFiles(n, record);
            if (!fault.empty()) {
                if (CanRollBack(n, record))
                    return SetAsideSave(n, fault, recovery, errorText);
                *errorText = DataSetErrorText(DSERR_RECOVERY, fault);
                return DSERR_RECOVERY;
            }
            int done = 0;
            std::string failed;
            if (!CompleteCommit(n, record, true, &done, &failed)) {
                *errorText = DataSetErrorText(DSERR_RECOVERY, failed);
                return DSERR_RECOVERY;
            }
            *recovery = SAVE_RECOVERY_FINISHED;
            return DSERR_NONE;
        }
        }
    }
    // No record, or one cut short: the save had not replaced anything yet.
    bool found = Exists(n.record);
    for (int f = 0; f < FILE_KINDS; ++f) {
        found = found || Exists(n.temp[f]);
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
    tempChecksums[FILE_SYSTEM] = systemChecksum;
    ReachStep(SAVE_STEP_SYSTEM_TEMP);
    std::vector<unsigned char> index(variables.size() * IND_RECORD_9600);
    for (size_t i = 0; i < variables.size(); ++i)
        DataSetLayout::EncodeIndexRecord(variables[i].info, &index[i * IND_RECORD_9600]);
    if (!WriteFileBytes(indTemp, index)) {
        DiscardTemporaries();
        return Fail(DSERR_WRITE, indTemp + (diskFull ? kDiskFull : ""));
    }
    tempSizes[FILE_INDEX] = static_cast<long long>(index.size());
    tempChecksums[FILE_INDEX] = Crc32(0, index.data(), index.size());
    ReachStep(SAVE_STEP_INDEX_TEMP);
    tempSizes[FILE_DOC] = -1;
    if (!documentation.empty()) {
        if (!WriteFileBytes(dkmTemp, std::vector<unsigned char>(documentation.begin(), documentation.end()))) {
            DiscardTemporaries();
            return Fail(DSERR_WRITE, dkmTemp + (diskFull ? kDiskFull : ""));
        }
        tempSizes[FILE_DOC] = static_cast<long long>(documentation.size());
        tempChecksums[FILE_DOC] = Crc32(documentation);
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
    std::string text = RecordText(tempSizes, tempChecksums);
    size_t half = text.size() / 2;
    PFILE out(recordName.c_str());
    if (!out.Open(PFILE_WRITE))
        return false;
    bool ok = out.Write(text.data(), 1, half) == half && out.Flush();
    ReachStep(SAVE_STEP_RECORD_HALF);
    ok = ok && out.Write(text.data() + half, 1, text.size() - half) == text.size() - half && out.Flush();
    diskFull = out.Error() == PFILE_ERR_DISK_FULL;
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
        return Fail(DSERR_WRITE, recordName + (diskFull ? kDiskFull : ""));
    }
    ReachStep(SAVE_STEP_COMMITTED);
    // The files are read back and opened as a data set before the first of
    // them replaces anything, as an open that finishes the save does.
    SaveFileNames names(qvfName);
    CommitRecord record;
    for (int f = 0; f < FILE_KINDS; ++f) {
        record.sizes[f] = tempSizes[f];
        record.hasChecksum[f] = true;
        record.checksums[f] = tempChecksums[f];
    }
    std::string fault = VerifySavedFiles(names, record);
    if (!fault.empty()) {
        if (DeleteIfThere(recordName))
            DiscardTemporaries();
        return Fail(DSERR_WRITE, fault);
    }
    int done = 0;
    std::string failed;
    if (CompleteCommit(names, record, true, &done, &failed))
        return DSERR_NONE;
    if (done == 0) {
        // Nothing new is in place (the system file, replaced first, is the
        // one another program may hold open): the save is undone here, the
        // record last, so that an end in between leaves a record whose
        // files do not verify, which the next open sets aside.
        std::string undoFailed, unused;
        if (RollBack(names, std::string(), &unused, &undoFailed))
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
