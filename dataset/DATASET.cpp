#include "dataset/DATASET.h"

#include "dataset/BUFFERTYPE.h"
#include "dataset/ByteStream.h"
#include "dataset/DataSetWriter.h"
#include "dataset/MapFile.h"
#include "dataset/ProgramSettings.h"
#include "dataset/SelectRec.h"
#include "dataset/WeightRec.h"

#include <windows.h>

#include <cstdio>
#include <memory>
#include <utility>
#include <cstring>
#include <memory>

namespace {
const long long kMaxIndexBytes = static_cast<long long>(MAX_VARIABLES) * IND_RECORD_9600;
const long long kMaxDocumentationBytes = 16LL * 1024 * 1024;
const size_t kCopyBudget = 256 * 1024;

bool FileExists(const std::string &name)
{
    DWORD attributes = GetFileAttributesA(name.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool IsReadOnlyFile(const std::string &name)
{
    DWORD attributes = GetFileAttributesA(name.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY);
}

std::string DirectoryOf(const std::string &path)
{
    size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? std::string(".") : path.substr(0, slash);
}
} // namespace

DATASET::DATASET()
{}

DATASET::~DATASET()
{
    CloseFiles();
}

void DATASET::TakeWriterError(const DataSetWriter &writer)
{
    error = writer.GetError();
    errorText = writer.GetErrorText();
}

int DATASET::Fail(int code, const std::string &detail)
{
    error = code;
    errorText = DataSetErrorText(code, detail);
    return code;
}

std::string DATASET::SiblingName(const char *extension) const
{
    return basePath + extension;
}

void DATASET::CloseFiles()
{
    // The entries belong to the directory whether or not the flag is still
    // set: freeing them in every case leaves nothing behind.
    delete[] mapDirectory.entries;
    mapDirectory.entries = nullptr;
    mapDirectory.mapCount = 0;
    mapDirectory.version = 0;
    mapFileFlag = 0;
    mapFile.Close();
    delete qvf;
    qvf = nullptr;
    delete ind;
    ind = nullptr;
    delete selection;
    selection = nullptr;
    delete defaultSelection;
    defaultSelection = nullptr;
    delete weight;
    weight = nullptr;
    variables.clear();
    header = QvfHeader();
    documentation.clear();
    ReleaseLock();
}

namespace {

// The system's words for an error code, without the line break it ends in.
std::string SystemErrorText(DWORD code)
{
    char text[256] = "";
    DWORD n = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0, text,
                             sizeof text, nullptr);
    std::string words(text, n < sizeof text ? n : 0);
    while (!words.empty() && (words.back() == '\n' || words.back() == '\r' || words.back() == ' ' ||
                              words.back() == '.'))
        words.pop_back();
    return words.empty() ? "system error " + std::to_string(code) : words + " (system error " +
                                                                        std::to_string(code) + ")";
}

} // namespace

DATASET::LockFailure DATASET::ClassifyLockFailure(unsigned long code, LockPathKind found)
{
    // A folder in the lock file's place is no program's lock.
    if (found == lockPathFolder)
        return lockOtherFailure;
    switch (code) {
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
        return lockHeldElsewhere;
    case ERROR_ACCESS_DENIED:
        // A lock file being deleted by its holder denies access as well;
        // without one, the folder itself may not be written.
        return found == lockPathFile ? lockHeldElsewhere : lockFolderReadOnly;
    case ERROR_WRITE_PROTECT:
        return lockFolderReadOnly;
    default:
        return lockOtherFailure;
    }
}

bool DATASET::TakeLock()
{
    // The lock file is held open without sharing and vanishes when its
    // holder closes it or ends; a second program fails to open it. The
    // companion file names the holder for the message.
    std::string lockName = SiblingName(".lck");
    HANDLE h = CreateFileA(lockName.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        const DWORD code = GetLastError();
        const DWORD attributes = GetFileAttributesA(lockName.c_str());
        const LockPathKind found = attributes == INVALID_FILE_ATTRIBUTES       ? lockPathFree
                                   : (attributes & FILE_ATTRIBUTE_DIRECTORY) ? lockPathFolder
                                                                             : lockPathFile;
        lockFailure = ClassifyLockFailure(code, found);
        switch (lockFailure) {
        case lockFolderReadOnly:
            lockFailureText = "the folder " + DirectoryOf(lockName) + " cannot be written: " + SystemErrorText(code);
            Fail(DSERR_NO_LOCK, lockFailureText);
            return false;
        case lockOtherFailure:
            lockFailureText = lockName + ": " + SystemErrorText(code);
            Fail(DSERR_NO_LOCK, lockFailureText);
            return false;
        case lockHeldElsewhere:
            break;
        }
        std::string holder;
        PFILE companion(SiblingName(".~qv").c_str());
        if (companion.Open(PFILE_READ)) {
            char text[128] = "";
            size_t n = companion.Read(text, 1, sizeof text - 1);
            text[n] = 0;
            for (char *p = text; *p; ++p)
                if (static_cast<unsigned char>(*p) < 32)
                    *p = ' ';
            holder = text;
        }
        Fail(DSERR_LOCKED, holder.empty() ? lockName : holder);
        return false;
    }
    lockHandle = h;
    char computer[MAX_COMPUTERNAME_LENGTH + 1] = "";
    DWORD size = sizeof computer;
    if (!GetComputerNameA(computer, &size))
        computer[0] = 0;
    char text[160];
    std::snprintf(text, sizeof text, "%s, process %lu\r\n", computer,
                  static_cast<unsigned long>(GetCurrentProcessId()));
    TXTFILE companion(SiblingName(".~qv").c_str());
    if (companion.Open(PFILE_WRITE))
        companion.WriteText(text);
    return true;
}

std::string DATASET::ReadOnlyFileName() const
{
    for (const std::string &name : {fileName, SiblingName(".IND"), SiblingName(".dkm")})
        if (IsReadOnlyFile(name))
            return name;
    return std::string();
}

void DATASET::ReleaseLock()
{
    if (lockHandle && !reopening) {
        CloseHandle(static_cast<HANDLE>(lockHandle));
        lockHandle = nullptr;
        DeleteFileA(SiblingName(".~qv").c_str());
    }
}

int DATASET::Open(const char *name, int openFlags)
{
    CloseFiles();
    error = DSERR_NONE;
    errorText.clear();
    if (!name || !*name)
        return Fail(DSERR_ARGUMENT, "no file name");
    char full[MAX_PATH];
    DWORD n = GetFullPathNameA(name, sizeof full, full, nullptr);
    fileName = (n > 0 && n < sizeof full) ? full : name;
    size_t slash = fileName.find_last_of("\\/:");
    size_t dot = fileName.find_last_of('.');
    basePath =
        (dot == std::string::npos || (slash != std::string::npos && dot < slash)) ? fileName : fileName.substr(0, dot);
    if (basePath == fileName)
        fileName += ".QVF";
    flags = openFlags;
    saveRecovery = DataSetWriter::SAVE_RECOVERY_NONE;
    saveRecoveryText.clear();
    readOnlyReason.clear();
    if (!FileExists(fileName) && !DataSetWriter::HasSaveLeftovers(fileName.c_str()))
        return Fail(DSERR_OPEN_QVF, fileName);
    if (!(flags & DATASET_READONLY) && !lockHandle && !TakeLock()) {
        if (lockFailure != lockFolderReadOnly)
            return error;
        // A data set on a medium that cannot be written is read, never
        // saved: it opens read-only and says why a save is refused.
        flags |= DATASET_READONLY;
        readOnlyReason = lockFailureText;
        error = DSERR_NONE;
        errorText.clear();
    }
    // Before the files are read: an interrupted save may have left an index
    // that does not match the system file, or (for a new data set) no
    // system file yet.
    if (RecoverInterruptedSave()) {
        int code = error;
        std::string text = errorText;
        CloseFiles();
        error = code;
        errorText = text;
        return code;
    }
    if (!FileExists(fileName)) {
        CloseFiles();
        return Fail(DSERR_OPEN_QVF, fileName);
    }
    FileByteStream *system = new FileByteStream(fileName.c_str());
    FileByteStream *index = new FileByteStream(SiblingName(".IND").c_str());
    qvf = system;
    ind = index;
    if (!system->Open()) {
        int code = Fail(DSERR_OPEN_QVF, fileName);
        CloseFiles();
        return code;
    }
    if (!index->Open()) {
        int code = Fail(DSERR_OPEN_IND, SiblingName(".IND"));
        CloseFiles();
        return code;
    }
    int code = ReadFiles();
    if (code) {
        // errorText holds the damaged variable, if any.
        std::string detail = errorText.empty() ? fileName : fileName + ", " + errorText;
        CloseFiles();
        return Fail(code, detail);
    }
    LoadDocumentation();
    NoteMapFile();
    // The index is read: its handle is not needed while the data set is open.
    ind->Release();
    return DSERR_NONE;
}

void DATASET::NoteMapFile()
{
    // The map file lies beside the system file, whose path is absolute: it
    // is found whatever name and working folder the data set was opened by.
    const std::string mapName = SiblingName(".KRT");
    if (!FileExists(mapName))
        return;
    mapFileFlag = 1;
    // The stream learns its file now; the map readers open it later.
    if (mapFile.Open(PFILE_READ, mapName.c_str()))
        mapFile.Close();
}

int DATASET::RecoverInterruptedSave()
{
    if (!DataSetWriter::HasSaveLeftovers(fileName.c_str()))
        return DSERR_NONE;
    // Only the lock's holder may touch the files of a save: a read-only
    // open takes the lock for the time of the recovery, and fails when a
    // program holding it may be saving right now.
    bool borrowed = !lockHandle;
    if (borrowed && !TakeLock())
        return error;
    std::string text;
    int code = DataSetWriter::Recover(fileName.c_str(), &saveRecovery, &text);
    if (!code && saveRecovery == DataSetWriter::SAVE_RECOVERY_SET_ASIDE)
        saveRecoveryText = text;
    if (borrowed) {
        CloseHandle(static_cast<HANDLE>(lockHandle));
        lockHandle = nullptr;
        DeleteFileA(SiblingName(".~qv").c_str());
    }
    if (code) {
        error = code;
        errorText = text;
    }
    return code;
}

const char *DATASET::GetSaveRecoveryText() const
{
    if (!saveRecoveryText.empty())
        return saveRecoveryText.c_str();
    return DataSetWriter::SaveRecoveryText(saveRecovery);
}

int DATASET::OpenStreams(ByteStream *qvfStream, ByteStream *indStream)
{
    CloseFiles();
    error = DSERR_NONE;
    errorText.clear();
    fileName = basePath = std::string();
    qvf = qvfStream;
    ind = indStream;
    if (!qvf || !ind) {
        CloseFiles();
        return Fail(DSERR_ARGUMENT);
    }
    int code = ReadFiles();
    if (code) {
        CloseFiles();
        return Fail(code, errorText);
    }
    return DSERR_NONE;
}

int DATASET::ReadFiles()
{
    std::string detail;
    unsigned char bytes[QVF_HEADER_SIZE];
    long long qvfSize = qvf->Size();
    if (qvfSize < QVF_HEADER_SIZE || !qvf->ReadAt(0, bytes, sizeof bytes))
        return DSERR_SHORT_HEADER;
    QvfHeader h;
    int code = DataSetLayout::DecodeHeader(bytes, sizeof bytes, qvfSize, &h);
    if (code)
        return code;
    long long indSize = ind->Size();
    long long expected = static_cast<long long>(h.variableCount) * DataSetLayout::IndexRecordSize(h.EffectiveFormat());
    if (indSize != expected || indSize > kMaxIndexBytes)
        return DSERR_INDEX_SIZE;
    std::vector<unsigned char> index(static_cast<size_t>(indSize));
    if (!index.empty() && !ind->ReadAt(0, index.data(), index.size()))
        return DSERR_OPEN_IND;
    std::vector<VariableInfo> decoded;
    long bad = 0;
    code = DataSetLayout::DecodeIndex(index.data(), index.size(), h, qvfSize, &decoded, &bad);
    if (code) {
        if (bad)
            errorText = "variable " + std::to_string(bad);
        return code;
    }
    // A damaged label block refuses the data set as every other damaged
    // structure does: read later, its labels would be dropped without a word
    // and the variable shown with bare codes.
    std::vector<CategoryLabel> labels;
    for (const VariableInfo &v : decoded) {
        code = DataSetLayout::ReadLabelBlock(*qvf, h, v, &labels);
        if (code) {
            errorText = std::string("variable ") + v.name;
            return code;
        }
    }
    header = h;
    variables.swap(decoded);
    defaultSelection = new SelectRec(header.caseCount);
    weight = new WeightRec(this);
    if (header.weightCount > 0)
        weight->SetVariables(header.weights, header.weightCount);
    if (header.selectionLength > 0) {
        ByteStream *bits = qvf->Clone();
        selection = new SelectRec(header.caseCount);
        selection->bits = new LogBuffer(bits, header.selectionOffset, header.caseCount);
        selection->active = header.selectionActive;
        selection->description = header.selectionText;
    }
    return DSERR_NONE;
}

int DATASET::ReadHeader()
{
    if (!qvf)
        return 0;
    unsigned char bytes[QVF_HEADER_SIZE];
    long long size = qvf->Size();
    if (size < QVF_HEADER_SIZE || !qvf->ReadAt(0, bytes, sizeof bytes))
        return 0;
    QvfHeader h;
    if (DataSetLayout::DecodeHeader(bytes, sizeof bytes, size, &h) != DSERR_NONE)
        return 0;
    // Only what may change without the index changing is taken over.
    header.codePage = h.codePage;
    header.formatCode = h.formatCode;
    return QVF_HEADER_SIZE;
}

void DATASET::LoadDocumentation()
{
    documentation.clear();
    PFILE doc(SiblingName(".dkm").c_str());
    if (!doc.Open(PFILE_READ))
        return;
    long long size = doc.Size();
    if (size <= 0 || size > kMaxDocumentationBytes)
        return;
    documentation.resize(static_cast<size_t>(size));
    size_t got = doc.Read(&documentation[0], 1, documentation.size());
    documentation.resize(got);
}

std::string DATASET::GetDocumentation(long variable) const
{
    // Sections begin with a line "#v<number>"; the text before the first
    // one documents the data set.
    std::string wanted = variable > 0 ? "#v" + std::to_string(variable) : std::string();
    std::string result;
    bool inside = variable <= 0;
    size_t at = 0;
    while (at < documentation.size()) {
        size_t end = documentation.find('\n', at);
        if (end == std::string::npos)
            end = documentation.size();
        std::string line = documentation.substr(at, end - at);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        at = end + 1;
        if (line.compare(0, 2, "#v") == 0) {
            if (inside && variable <= 0)
                break;
            inside = line == wanted;
            continue;
        }
        if (inside)
            result += line + "\r\n";
    }
    return result;
}

const VariableInfo *DATASET::GetVariable(long number) const
{
    if (number < 1 || number > GetVariableCount())
        return nullptr;
    return &variables[static_cast<size_t>(number - 1)];
}

long DATASET::FindVariable(const char *name) const
{
    if (!name)
        return 0;
    for (size_t i = 0; i < variables.size(); ++i)
        if (lstrcmpiA(variables[i].name, name) == 0)
            return static_cast<long>(i + 1);
    return 0;
}

bool DATASET::GetVariableCaption(long number, char *out, size_t size) const
{
    const VariableInfo *v = GetVariable(number);
    if (!out || size == 0)
        return false;
    if (!v) {
        out[0] = 0;
        return false;
    }
    std::string caption = std::string(v->name) + ": " + v->label;
    DataSetLayout::CopyBounded(out, size, caption.c_str());
    return true;
}

int DATASET::ReadCategoryLabels(long number, std::vector<CategoryLabel> *out)
{
    out->clear();
    const VariableInfo *v = GetVariable(number);
    if (!v || !qvf)
        return DSERR_ARGUMENT;
    return DataSetLayout::ReadLabelBlock(*qvf, header, *v, out);
}

ByteStream *DATASET::NewColumnStream() const
{
    return qvf ? qvf->Clone() : nullptr;
}

void DATASET::SetVariableRange(long number, double minimum, double maximum)
{
    if (number < 1 || number > GetVariableCount())
        return;
    VariableInfo &v = variables[static_cast<size_t>(number - 1)];
    v.minimum = minimum;
    v.maximum = maximum;
    v.rangeKnown = true;
}

SelectRec *DATASET::GetActiveSelection()
{
    if (selection)
        return selection;
    if (!defaultSelection)
        defaultSelection = new SelectRec(header.caseCount);
    return defaultSelection;
}

bool DATASET::SetSelection(LogBuffer *bits, const char *description)
{
    if (!bits || bits->GetCaseCount() != header.caseCount) {
        delete bits;
        return false;
    }
    delete selection;
    selection = new SelectRec(header.caseCount);
    selection->bits = bits;
    selection->active = 1;
    selection->description = description ? description : "";
    return true;
}

void DATASET::ClearSelection()
{
    delete selection;
    selection = nullptr;
}

bool DATASET::SetWeightVariables(const long *numbers, int count)
{
    if (!weight)
        return false;
    for (int i = 0; i < count; ++i) {
        const VariableInfo *v = GetVariable(numbers[i]);
        if (!v)
            return false;
    }
    if (!weight->SetVariables(numbers, count))
        return false;
    header.weightCount = count;
    for (int i = 0; i < QVF_MAX_WEIGHTS; ++i)
        header.weights[i] = i < count ? numbers[i] : 0;
    return true;
}

bool DATASET::SetRegionVariable(long number)
{
    if (number != 0) {
        const VariableInfo *v = GetVariable(number);
        if (!v || !IsIntegerStorage(v->storageType))
            return false;
    }
    header.regionVariable = number;
    return true;
}

namespace {

// After a successful reopen the record keeps the address it had (open
// workbooks' computations hold it) and takes the new record's contents.
template <class Record> void KeepAddress(Record *&current, std::unique_ptr<Record> &old)
{
    if (!old)
        return;
    if (current) {
        old->Swap(*current);
        delete current;
    }
    current = old.release();
}

} // namespace

int DATASET::Reopen()
{
    std::string name = fileName;
    int keepFlags = flags;
    // The selection and weight records survive the reopen at their
    // addresses: a computation of an open workbook that holds one must not
    // read a freed record when it computes again after a save.
    std::unique_ptr<SelectRec> oldSelection(selection), oldDefault(defaultSelection);
    std::unique_ptr<WeightRec> oldWeight(weight);
    selection = defaultSelection = nullptr;
    weight = nullptr;
    // The lock stays held across the reopen, so that no other program can
    // take the data set in between.
    const bool mapsRead = mapDirectory.entries != nullptr;
    reopening = true;
    int code = Open(name.c_str(), keepFlags);
    reopening = false;
    if (code) {
        ReleaseLock();
        return code;
    }
    // A save (a new variable) keeps the maps the region map offers.
    if (mapsRead && mapFileFlag)
        ReadMapDirectory();
    // A selection the reopened files lack (one without bits, which the
    // writer leaves out) stays an empty, inactive record.
    if (oldSelection && !selection) {
        oldSelection->active = 0;
        delete oldSelection->bits;
        oldSelection->bits = nullptr;
        oldSelection->description.clear();
    }
    KeepAddress(selection, oldSelection);
    KeepAddress(defaultSelection, oldDefault);
    KeepAddress(weight, oldWeight);
    return code;
}

int DATASET::Save()
{
    Rewrite(nullptr, std::vector<CategoryLabel>(), nullptr);
    return error;
}

long DATASET::AddVariable(const VariableInfo &info, const std::vector<CategoryLabel> &labels, BUFFERTYPE *values)
{
    if (!values) {
        Fail(DSERR_ARGUMENT, "no values");
        return 0;
    }
    return Rewrite(&info, labels, values);
}

long DATASET::Rewrite(const VariableInfo *info, const std::vector<CategoryLabel> &labels, BUFFERTYPE *values)
{
    error = DSERR_NONE;
    errorText.clear();
    if (!qvf || fileName.empty()) {
        Fail(DSERR_NO_DATASET);
        return 0;
    }
    if (flags & DATASET_READONLY) {
        Fail(DSERR_READ_ONLY, readOnlyReason.empty() ? "opened read-only" : readOnlyReason);
        return 0;
    }
    // Files the user protected are left alone: refused before anything is
    // written. (Windows refuses to replace a read-only file; Wine replaces
    // it, so the check cannot be left to the replacing move.)
    const std::string protectedFile = ReadOnlyFileName();
    if (!protectedFile.empty()) {
        Fail(DSERR_READ_ONLY, protectedFile + " is read-only");
        return 0;
    }
    if (values && values->GetCaseCount() != header.caseCount) {
        Fail(DSERR_ARGUMENT, "the new variable has another number of cases");
        return 0;
    }
    long newNumber = 0;
    {
        DataSetWriter writer(fileName.c_str());
        writer.SetCaseCount(header.caseCount);
        for (long v = 1; v <= GetVariableCount(); ++v) {
            std::vector<CategoryLabel> own;
            int code = ReadCategoryLabels(v, &own);
            // Each column is read once from start to end: a small window does.
            LISTETYPE *list = new LISTETYPE(this, v, kCopyBudget);
            if (code || list->Error()) {
                code = code ? code : list->Error();
                delete list;
                Fail(code, variables[static_cast<size_t>(v - 1)].name);
                return 0;
            }
            if (writer.AddVariable(variables[static_cast<size_t>(v - 1)], own, list, true)) {
                TakeWriterError(writer);
                return 0;
            }
        }
        if (values) {
            if (writer.AddVariable(*info, labels, values, false)) {
                TakeWriterError(writer);
                return 0;
            }
            newNumber = writer.GetVariableCount();
        }
        writer.SetWeights(header.weights, header.weightCount);
        writer.SetRegionVariable(header.regionVariable);
        if (selection && selection->bits)
            writer.SetSelection(selection->bits, selection->active != 0, selection->description.c_str());
        writer.SetDocumentation(documentation);
        if (writer.WriteTemporaries()) {
            TakeWriterError(writer);
            return 0;
        }
        // Every stream of the data set on the old files is closed before
        // they are replaced.
        qvf->Release();
        ind->Release();
        if (selection && selection->bits)
            selection->bits->ReleaseFile();
        if (weight)
            weight->ReleaseList();
        if (writer.ReplaceFiles()) {
            TakeWriterError(writer);
            // Files on disk changed: the data set reopens (finishing the
            // save, or failing) rather than read new files through the old
            // index.
            if (writer.IsCommitted()) {
                int code = error;
                std::string text = errorText;
                Reopen();
                error = code;
                errorText = text;
            }
            return 0;
        }
    }
    int code = Reopen();
    if (code)
        return 0;
    return values ? newNumber : GetVariableCount();
}

DATASET *OpenDataSet(const char *fileName, int *error, int flags, std::string *errorText)
{
    DATASET *dataSet = new DATASET;
    int code = dataSet->Open(fileName, flags);
    if (error)
        *error = code;
    if (errorText)
        *errorText = dataSet->GetErrorText();
    if (code) {
        delete dataSet;
        return nullptr;
    }
    return dataSet;
}

char *ReadVariableCaption(long variable)
{
    return ReadVariableCaption(nullptr, variable);
}

char *ReadVariableCaption(const DATASET *dataSet, long variable)
{
    char text[QVF_MAX_NAME + 2 + QVF_MAX_LABEL + 1];
    if (!dataSet)
        dataSet = ProgramSettings::Instance()->GetDataSet(0);
    if (!dataSet || !dataSet->GetVariableCaption(variable, text, sizeof text))
        text[0] = 0;
    char *copy = new char[std::strlen(text) + 1];
    std::strcpy(copy, text);
    return copy;
}

int DATASET::ReadMapDirectory()
{
    const char *name = mapFile.FileName();
    FileByteStream file(name ? name : "");
    int code = name && *name && file.Open() ? MAPERR_NONE : MAPERR_SHORT;
    if (code == MAPERR_NONE)
        code = MapFile::ReadDirectory(file, GetCodePage() != 0, &mapDirectory);
    if (code != MAPERR_NONE) {
        delete[] mapDirectory.entries;
        mapDirectory = MapDirectory();
    }
    return code;
}
