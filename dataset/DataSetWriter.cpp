#include "dataset/DataSetWriter.h"

#include "dataset/BUFFERTYPE.h"
#include "dataset/PFILE.h"
#include "dataset/SelectRec.h"

#include <windows.h>

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstring>

namespace {
int interruptStage = DataSetWriter::INTERRUPT_NONE;

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

}  // namespace

void DataSetWriter::SetInterruptStage(int stage)
{
    interruptStage = stage;
}

DataSetWriter::DataSetWriter(const char *fileName)
    : qvfName(fileName ? fileName : "")
{
    indName = ChangeExtension(qvfName, ".IND");
    dkmName = ChangeExtension(qvfName, ".dkm");
    qvfTemp = ChangeExtension(qvfName, ".QV$");
    indTemp = ChangeExtension(qvfName, ".IN$");
    dkmTemp = ChangeExtension(qvfName, ".DK$");
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

int DataSetWriter::AddVariable(const VariableInfo &info, const std::vector<CategoryLabel> &labels,
                               BUFFERTYPE *values, bool ownValues)
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

int DataSetWriter::CheckVariable(const VariableInfo &info, const std::vector<CategoryLabel> &labels,
                                 BUFFERTYPE *values)
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

bool DataSetWriter::WriteColumn(PFILE &out, Variable &v, bool stopHalfway)
{
    BUFFERTYPE &list = *v.values;
    int size = StorageValueSize(v.info.storageType);
    bool sameType = list.storageType == v.info.storageType;
    std::vector<unsigned char> chunk;
    chunk.reserve(65536);
    double low = DBL_MAX, high = -DBL_MAX;
    list.SeekCase(1, 1);
    for (long c = 0; c < caseCount; ++c) {
        if (stopHalfway && c == caseCount / 2)
            return false;
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
        case STORAGE_U8: stored = bytes[0]; break;
        case STORAGE_I16: { int16_t x; std::memcpy(&x, bytes, 2); stored = x; break; }
        case STORAGE_I32: { int32_t x; std::memcpy(&x, bytes, 4); stored = x; break; }
        case STORAGE_FLOAT: { float x; std::memcpy(&x, bytes, 4); stored = x == FLT_MAX ? DBL_MAX : x; break; }
        default: std::memcpy(&stored, bytes, 8); break;
        }
        bool missing = stored == StorageSysMissing(v.info.storageType) || stored == DBL_MAX;
        for (int i = 0; i < v.info.missingCount && !missing; ++i)
            missing = v.info.storageType == STORAGE_FLOAT ? static_cast<float>(stored) == static_cast<float>(v.info.missing[i])
                                                          : stored == v.info.missing[i];
        if (!missing) {
            low = std::min(low, stored);
            high = std::max(high, stored);
        }
        if (chunk.size() >= 65536) {
            if (out.Write(chunk.data(), 1, chunk.size()) != chunk.size())
                return false;
            chunk.clear();
        }
    }
    if (!chunk.empty() && out.Write(chunk.data(), 1, chunk.size()) != chunk.size())
        return false;
    v.info.rangeKnown = true;
    v.info.minimum = low == DBL_MAX ? 0 : low;
    v.info.maximum = high == -DBL_MAX ? 0 : high;
    return true;
}

int DataSetWriter::WriteTemporaries()
{
    error = DSERR_NONE;
    errorText.clear();
    int stage = interruptStage;
    if (qvfName.empty())
        return Fail(DSERR_ARGUMENT, "no file name");
    if (caseCount < 0)
        return Fail(DSERR_ARGUMENT, "case count");

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
        for (size_t i = 0; ok && i < variables.size(); ++i) {
            bool stop = stage == INTERRUPT_IN_VALUES && i == variables.size() / 2;
            ok = WriteColumn(out, variables[i], stop);
            if (!ok && stop) {
                out.Close();
                interruptStage = INTERRUPT_NONE;
                DiscardTemporaries();
                return Fail(DSERR_INTERRUPTED, qvfTemp);
            }
        }
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
        ok = out.Flush() && ok;
        out.Close();
        if (!ok) {
            int code = error ? error : DSERR_WRITE;
            DiscardTemporaries();
            return Fail(code, qvfTemp);
        }
    }
    std::vector<unsigned char> index(variables.size() * IND_RECORD_9600);
    for (size_t i = 0; i < variables.size(); ++i)
        DataSetLayout::EncodeIndexRecord(variables[i].info, &index[i * IND_RECORD_9600]);
    if (!WriteFileBytes(indTemp, index)) {
        DiscardTemporaries();
        return Fail(DSERR_WRITE, indTemp);
    }
    if (!documentation.empty() &&
        !WriteFileBytes(dkmTemp, std::vector<unsigned char>(documentation.begin(), documentation.end()))) {
        DiscardTemporaries();
        return Fail(DSERR_WRITE, dkmTemp);
    }
    if (stage == INTERRUPT_AFTER_TEMPORARIES) {
        interruptStage = INTERRUPT_NONE;
        DiscardTemporaries();
        return Fail(DSERR_INTERRUPTED, qvfName);
    }
    return DSERR_NONE;
}

bool DataSetWriter::WriteFileBytes(const std::string &name, const std::vector<unsigned char> &bytes)
{
    PFILE out(name.c_str());
    if (!out.Open(PFILE_WRITE))
        return false;
    bool ok = bytes.empty() || out.Write(bytes.data(), 1, bytes.size()) == bytes.size();
    ok = out.Flush() && ok;
    out.Close();
    return ok;
}

bool DataSetWriter::ReadWholeFile(const std::string &name, std::vector<unsigned char> *bytes, bool *exists)
{
    bytes->clear();
    *exists = GetFileAttributesA(name.c_str()) != INVALID_FILE_ATTRIBUTES;
    if (!*exists)
        return true;
    PFILE in(name.c_str());
    if (!in.Open(PFILE_READ))
        return false;
    long long size = in.Size();
    if (size < 0 || size > 64LL * 1024 * 1024)
        return false;
    bytes->resize(static_cast<size_t>(size));
    return in.Read(bytes->data(), 1, bytes->size()) == bytes->size();
}

void DataSetWriter::DiscardTemporaries()
{
    DeleteFileA(qvfTemp.c_str());
    DeleteFileA(indTemp.c_str());
    DeleteFileA(dkmTemp.c_str());
}

int DataSetWriter::ReplaceFiles()
{
    const DWORD move = MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH;
    int stage = interruptStage;
    // The small files are kept in memory so that they can be put back when
    // a later step fails; the system file is replaced last.
    std::vector<unsigned char> oldIndex, oldDoc;
    bool hadIndex = false, hadDoc = false;
    if (!ReadWholeFile(indName, &oldIndex, &hadIndex) || !ReadWholeFile(dkmName, &oldDoc, &hadDoc)) {
        DiscardTemporaries();
        return Fail(DSERR_REPLACE, indName);
    }
    // Puts one file back as it was: its old bytes, or no file when there was none.
    auto restoreOne = [this, move](bool had, const std::string &temp, const std::string &name,
                             const std::vector<unsigned char> &old) {
        if (!had)
            DeleteFileA(name.c_str());
        else if (WriteFileBytes(temp, old))
            MoveFileExA(temp.c_str(), name.c_str(), move);
    };
    auto restore = [&](bool index, bool doc) {
        if (index)
            restoreOne(hadIndex, indTemp, indName, oldIndex);
        if (doc)
            restoreOne(hadDoc, dkmTemp, dkmName, oldDoc);
        DiscardTemporaries();
    };
    if (!MoveFileExA(indTemp.c_str(), indName.c_str(), move)) {
        DiscardTemporaries();
        return Fail(DSERR_REPLACE, indName);
    }
    bool newDoc = !documentation.empty();
    if (newDoc && !MoveFileExA(dkmTemp.c_str(), dkmName.c_str(), move)) {
        restore(true, false);
        return Fail(DSERR_REPLACE, dkmName);
    }
    if (stage == INTERRUPT_BEFORE_SYSTEM_FILE) {
        interruptStage = INTERRUPT_NONE;
        restore(true, newDoc);
        return Fail(DSERR_INTERRUPTED, qvfName);
    }
    if (!MoveFileExA(qvfTemp.c_str(), qvfName.c_str(), move)) {
        restore(true, newDoc);
        return Fail(DSERR_REPLACE, qvfName);
    }
    // A data set saved without documentation keeps none from before.
    if (!newDoc && hadDoc)
        DeleteFileA(dkmName.c_str());
    return DSERR_NONE;
}

int DataSetWriter::Write()
{
    int code = WriteTemporaries();
    return code ? code : ReplaceFiles();
}
