#include "dataset/DataSetLayout.h"

#include "dataset/ByteStream.h"
#include "dataset/TextUtils.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstring>

namespace {

int16_t GetI16(const unsigned char *p)
{
    return static_cast<int16_t>(p[0] | (p[1] << 8));
}
int32_t GetI32(const unsigned char *p)
{
    return static_cast<int32_t>(static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
                                (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24));
}
double GetF64(const unsigned char *p)
{
    uint64_t bits = 0;
    for (int i = 7; i >= 0; --i)
        bits = (bits << 8) | p[i];
    double value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}
void PutI16(unsigned char *p, long v)
{
    p[0] = static_cast<unsigned char>(v & 0xff);
    p[1] = static_cast<unsigned char>((v >> 8) & 0xff);
}
void PutI32(unsigned char *p, long long v)
{
    uint32_t u = static_cast<uint32_t>(v);
    for (int i = 0; i < 4; ++i)
        p[i] = static_cast<unsigned char>((u >> (8 * i)) & 0xff);
}
void PutF64(unsigned char *p, double value)
{
    uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    for (int i = 0; i < 8; ++i)
        p[i] = static_cast<unsigned char>((bits >> (8 * i)) & 0xff);
}

void DosLettersToWindows(char *text)
{
    ConvertNordicLetters(false, text, 0);
}

// A zero-padded text field: at most size - 1 characters, none of them
// control characters; the field must hold a terminator.
bool DecodeTextField(const unsigned char *p, size_t size, char *out, bool dosLetters)
{
    size_t n = 0;
    while (n < size && p[n])
        ++n;
    if (n >= size)
        return false;
    for (size_t i = 0; i < n; ++i)
        if (p[i] < 32)
            return false;
    std::memcpy(out, p, n);
    out[n] = 0;
    if (dosLetters)
        DosLettersToWindows(out);
    return true;
}

bool ValidPrintWidth(int width)
{
    return width >= 1 && width <= 40;
}
bool ValidDecimals(int decimals)
{
    return decimals <= 15 || decimals == QVF_DECIMALS_UNSET;
}

} // namespace

const char *DataSetErrorText(int error)
{
    switch (error) {
    case DSERR_NONE:
        return "No error.";
    case DSERR_OPEN_QVF:
        return "The system file (.QVF) cannot be opened.";
    case DSERR_OPEN_IND:
        return "The index file (.IND) cannot be opened.";
    case DSERR_SHORT_HEADER:
        return "The system file is shorter than its header.";
    case DSERR_MAGIC:
        return "The file is not a data set (no QIVS header).";
    case DSERR_FORMAT:
        return "The data set has a format this program does not read.";
    case DSERR_COUNTS:
        return "The variable or case count of the data set does not fit its file.";
    case DSERR_INDEX_SIZE:
        return "The index file does not match the system file.";
    case DSERR_VARIABLE:
        return "A variable record of the index file is damaged.";
    case DSERR_COLUMN:
        return "A value column lies outside the system file.";
    case DSERR_LABELS:
        return "The category labels of a variable are damaged.";
    case DSERR_SELECTION:
        return "The stored case selection is damaged.";
    case DSERR_WEIGHT:
        return "A weight or region variable of the data set does not exist.";
    case DSERR_LOCKED:
        return "The data set is in use by another program.";
    case DSERR_WRITE:
        return "The data set could not be written.";
    case DSERR_REPLACE:
        return "The saved data set could not replace the old one.";
    case DSERR_READ:
        return "The values of a variable could not be read.";
    case DSERR_ARGUMENT:
        return "Invalid argument.";
    case DSERR_NO_DATASET:
        return "No data set is open.";
    case DSERR_RECOVERY:
        return "An interrupted save of the data set can be neither finished nor undone.";
    case DSERR_TOO_LARGE:
        return "The data set is too large for its file format.";
    case DSERR_VALUE:
        return "A value of a variable is not a number or is infinite.";
    case DSERR_READ_ONLY:
        return "The data set is read-only; nothing was written.";
    case DSERR_NO_LOCK:
        return "The data set's lock file could not be made.";
    default:
        return "Unknown data-set error.";
    }
}

std::string DataSetErrorText(int error, const std::string &detail)
{
    std::string text = DataSetErrorText(error);
    if (!detail.empty())
        text += " (" + detail + ")";
    return text;
}

int StorageValueSize(int storageType)
{
    switch (storageType) {
    case STORAGE_U8:
        return 1;
    case STORAGE_I16:
        return 2;
    case STORAGE_I32:
        return 4;
    case STORAGE_FLOAT:
        return 4;
    case STORAGE_DOUBLE:
        return 8;
    default:
        return 0;
    }
}

bool IsIntegerStorage(int storageType)
{
    return storageType == STORAGE_U8 || storageType == STORAGE_I16 || storageType == STORAGE_I32;
}

double StorageSysMissing(int storageType)
{
    switch (storageType) {
    case STORAGE_U8:
        return 255.0;
    case STORAGE_I16:
        return 32767.0;
    case STORAGE_I32:
        return 2147483647.0;
    case STORAGE_FLOAT:
        return FLT_MAX;
    default:
        return DBL_MAX;
    }
}

namespace DataSetLayout {

int IndexRecordSize(int effectiveFormat)
{
    return effectiveFormat == QVF_FORMAT_9020 ? IND_RECORD_9020 : IND_RECORD_9600;
}

void CopyBounded(char *field, size_t size, const char *text)
{
    if (size == 0)
        return;
    size_t n = text ? std::strlen(text) : 0;
    if (n > size - 1)
        n = size - 1;
    if (n)
        std::memcpy(field, text, n);
    field[n] = 0;
}

int DecodeHeader(const unsigned char *b, size_t length, long long qvfSize, QvfHeader *out)
{
    if (length < QVF_HEADER_SIZE || qvfSize < QVF_HEADER_SIZE)
        return DSERR_SHORT_HEADER;
    if (std::memcmp(b, "QIVS", 4) != 0)
        return DSERR_MAGIC;
    QvfHeader h;
    h.formatCode = GetI16(b + 4);
    if (h.formatCode != QVF_FORMAT_9020 && h.formatCode != QVF_FORMAT_9121 && h.formatCode != QVF_FORMAT_9600)
        return DSERR_FORMAT;
    h.variableCount = GetI32(b + 6);
    h.caseCount = GetI32(b + 10);
    h.codePage = b[14];
    h.dataOffset = GetI32(b + 16);
    h.textOffset = GetI32(b + 20);
    h.textLength = GetI32(b + 24);
    h.regionVariable = GetI32(b + 28);
    h.weightCount = GetI16(b + 32);
    for (int i = 0; i < QVF_MAX_WEIGHTS; ++i)
        h.weights[i] = GetI32(b + 34 + 4 * i);
    h.selectionActive = GetI16(b + 50);
    h.selectionOffset = GetI32(b + 52);
    h.selectionLength = GetI32(b + 56);
    if (!DecodeTextField(b + 64, QVF_MAX_SELECTION_TEXT + 1, h.selectionText, h.codePage == 0))
        return DSERR_SELECTION;

    if (h.variableCount < 0 || h.variableCount > MAX_VARIABLES || h.caseCount < 0)
        return DSERR_COUNTS;
    if (h.codePage != 0 && h.codePage != 1)
        return DSERR_FORMAT;
    if (h.dataOffset < QVF_HEADER_SIZE || h.dataOffset > qvfSize)
        return DSERR_COUNTS;
    // Each variable needs at least one byte per case in the file.
    if (h.variableCount > 0 && static_cast<long long>(h.caseCount) > (qvfSize - h.dataOffset) / h.variableCount)
        return DSERR_COUNTS;
    if (h.textOffset < 0 || h.textLength < 0 ||
        (h.textLength > 0 &&
         (h.textOffset < QVF_HEADER_SIZE || h.textOffset > qvfSize || h.textLength > qvfSize - h.textOffset)))
        return DSERR_LABELS;
    if (h.weightCount < 0 || h.weightCount > QVF_MAX_WEIGHTS)
        return DSERR_WEIGHT;
    if (h.selectionActive != 0 && h.selectionActive != 1)
        return DSERR_SELECTION;
    if (h.selectionOffset != 0 || h.selectionLength != 0 || h.selectionActive) {
        long long needed = (static_cast<long long>(h.caseCount) + 7) / 8;
        if (h.selectionLength != needed || h.selectionOffset < QVF_HEADER_SIZE || h.selectionOffset > qvfSize ||
            h.selectionLength > qvfSize - h.selectionOffset)
            return DSERR_SELECTION;
    }
    *out = h;
    return DSERR_NONE;
}

void EncodeHeader(const QvfHeader &h, unsigned char b[QVF_HEADER_SIZE])
{
    std::memset(b, 0, QVF_HEADER_SIZE);
    std::memcpy(b, "QIVS", 4);
    PutI16(b + 4, h.formatCode);
    PutI32(b + 6, h.variableCount);
    PutI32(b + 10, h.caseCount);
    b[14] = static_cast<unsigned char>(h.codePage);
    PutI32(b + 16, h.dataOffset);
    PutI32(b + 20, h.textOffset);
    PutI32(b + 24, h.textLength);
    PutI32(b + 28, h.regionVariable);
    PutI16(b + 32, h.weightCount);
    for (int i = 0; i < QVF_MAX_WEIGHTS; ++i)
        PutI32(b + 34 + 4 * i, h.weights[i]);
    PutI16(b + 50, h.selectionActive);
    PutI32(b + 52, h.selectionOffset);
    PutI32(b + 56, h.selectionLength);
    CopyBounded(reinterpret_cast<char *>(b + 64), QVF_MAX_SELECTION_TEXT + 1, h.selectionText);
}

static int DecodeRecord(const unsigned char *r, int format, const QvfHeader &h, long long qvfSize, VariableInfo *v)
{
    bool dos = format == QVF_FORMAT_9020 && h.codePage == 0;
    if (!DecodeTextField(r, QVF_MAX_NAME + 1, v->name, dos) || v->name[0] == 0 ||
        !DecodeTextField(r + 26, QVF_MAX_LABEL + 1, v->label, dos))
        return DSERR_VARIABLE;
    v->storageType = r[97];
    v->printWidth = r[98];
    v->decimals = r[99];
    int size = StorageValueSize(v->storageType);
    if (size == 0 || !ValidPrintWidth(v->printWidth) || !ValidDecimals(v->decimals))
        return DSERR_VARIABLE;
    v->columnStart = GetI32(r + 100);
    long long columnBytes = static_cast<long long>(h.caseCount) * size;
    if (v->columnStart < h.dataOffset || v->columnStart > qvfSize || columnBytes > qvfSize - v->columnStart)
        return DSERR_COLUMN;
    v->missingCount = r[104];
    if (v->missingCount > QVF_MAX_MISSING)
        return DSERR_VARIABLE;
    const unsigned char *labelField;
    if (format == QVF_FORMAT_9020) {
        for (int i = 0; i < QVF_MAX_MISSING; ++i)
            v->missing[i] = i < v->missingCount ? GetI32(r + 108 + 4 * i) : 0.0;
        v->rangeKnown = false;
        labelField = r + 120;
        v->labelOffset = GetI32(labelField);
        v->labelCount = static_cast<uint16_t>(GetI16(labelField + 4));
        v->labelLength = static_cast<uint16_t>(GetI16(labelField + 6));
    } else {
        for (int i = 0; i < QVF_MAX_MISSING; ++i) {
            v->missing[i] = i < v->missingCount ? GetF64(r + 108 + 8 * i) : 0.0;
            if (std::isnan(v->missing[i]))
                return DSERR_VARIABLE;
        }
        v->minimum = GetF64(r + 132);
        v->maximum = GetF64(r + 140);
        v->rangeKnown = !std::isnan(v->minimum) && !std::isnan(v->maximum);
        labelField = r + 148;
        v->labelOffset = GetI32(labelField);
        v->labelCount = GetI32(labelField + 4);
        v->labelLength = GetI32(labelField + 8);
    }
    if (v->labelCount < 0 || v->labelCount > MAX_CATEGORY_LABELS || v->labelLength < 0)
        return DSERR_LABELS;
    if (v->labelCount == 0) {
        if (v->labelLength != 0)
            return DSERR_LABELS;
    } else {
        // A label takes at least its value and its length byte.
        long minimum = v->labelCount * (format == QVF_FORMAT_9020 ? 5 : 9);
        if (v->labelLength < minimum || v->labelOffset < h.textOffset || v->labelOffset > h.textOffset + h.textLength ||
            v->labelLength > h.textOffset + h.textLength - v->labelOffset)
            return DSERR_LABELS;
    }
    return DSERR_NONE;
}

int DecodeIndex(const unsigned char *bytes, size_t length, const QvfHeader &h, long long qvfSize,
                std::vector<VariableInfo> *out, long *badVariable)
{
    int format = h.EffectiveFormat();
    size_t recordSize = static_cast<size_t>(IndexRecordSize(format));
    if (badVariable)
        *badVariable = 0;
    if (h.variableCount < 0 || length != recordSize * static_cast<size_t>(h.variableCount))
        return DSERR_INDEX_SIZE;
    std::vector<VariableInfo> variables(static_cast<size_t>(h.variableCount));
    for (long i = 0; i < h.variableCount; ++i) {
        int error = DecodeRecord(bytes + recordSize * i, format, h, qvfSize, &variables[i]);
        if (error) {
            if (badVariable)
                *badVariable = i + 1;
            return error;
        }
    }
    int error = CheckReferences(h, variables);
    if (error)
        return error;
    out->swap(variables);
    return DSERR_NONE;
}

void EncodeIndexRecord(const VariableInfo &v, unsigned char r[IND_RECORD_9600])
{
    std::memset(r, 0, IND_RECORD_9600);
    CopyBounded(reinterpret_cast<char *>(r), QVF_MAX_NAME + 1, v.name);
    CopyBounded(reinterpret_cast<char *>(r + 26), QVF_MAX_LABEL + 1, v.label);
    r[97] = static_cast<unsigned char>(v.storageType);
    r[98] = static_cast<unsigned char>(v.printWidth);
    r[99] = static_cast<unsigned char>(v.decimals);
    PutI32(r + 100, v.columnStart);
    r[104] = static_cast<unsigned char>(v.missingCount);
    for (int i = 0; i < QVF_MAX_MISSING; ++i)
        PutF64(r + 108 + 8 * i, i < v.missingCount ? v.missing[i] : 0.0);
    PutF64(r + 132, v.minimum);
    PutF64(r + 140, v.maximum);
    PutI32(r + 148, v.labelOffset);
    PutI32(r + 152, v.labelCount);
    PutI32(r + 156, v.labelLength);
}

int ReadLabelBlock(ByteStream &qvf, const QvfHeader &h, const VariableInfo &v, std::vector<CategoryLabel> *out)
{
    out->clear();
    if (v.labelCount == 0)
        return DSERR_NONE;
    if (!qvf.Contains(v.labelOffset, v.labelLength))
        return DSERR_LABELS;
    std::vector<unsigned char> block(static_cast<size_t>(v.labelLength));
    if (!qvf.ReadAt(v.labelOffset, block.data(), block.size()))
        return DSERR_LABELS;
    bool old = h.EffectiveFormat() == QVF_FORMAT_9020;
    bool dos = old && h.codePage == 0;
    size_t valueSize = old ? 4 : 8;
    size_t at = 0;
    std::vector<CategoryLabel> labels;
    labels.reserve(static_cast<size_t>(v.labelCount));
    for (long i = 0; i < v.labelCount; ++i) {
        if (block.size() - at < valueSize + 1)
            return DSERR_LABELS;
        CategoryLabel label;
        label.value = old ? static_cast<double>(GetI32(&block[at])) : GetF64(&block[at]);
        if (!std::isfinite(label.value))
            return DSERR_LABELS;
        at += valueSize;
        size_t n = block[at++];
        if (n > QVF_MAX_CATEGORY_TEXT || block.size() - at < n)
            return DSERR_LABELS;
        char text[QVF_MAX_CATEGORY_TEXT + 1];
        for (size_t k = 0; k < n; ++k) {
            if (block[at + k] < 32)
                return DSERR_LABELS;
            text[k] = static_cast<char>(block[at + k]);
        }
        text[n] = 0;
        if (dos)
            DosLettersToWindows(text);
        label.text = text;
        at += n;
        labels.push_back(std::move(label));
    }
    std::stable_sort(labels.begin(), labels.end(),
                     [](const CategoryLabel &a, const CategoryLabel &b) { return a.value < b.value; });
    out->swap(labels);
    return DSERR_NONE;
}

std::vector<unsigned char> EncodeLabelBlock(const std::vector<CategoryLabel> &labels)
{
    std::vector<unsigned char> block;
    for (const CategoryLabel &label : labels) {
        unsigned char value[8];
        PutF64(value, label.value);
        block.insert(block.end(), value, value + 8);
        size_t n = std::min<size_t>(label.text.size(), QVF_MAX_CATEGORY_TEXT);
        block.push_back(static_cast<unsigned char>(n));
        for (size_t k = 0; k < n; ++k) {
            unsigned char c = static_cast<unsigned char>(label.text[k]);
            block.push_back(c < 32 ? ' ' : c);
        }
    }
    return block;
}

int CheckReferences(const QvfHeader &h, const std::vector<VariableInfo> &variables)
{
    long count = static_cast<long>(variables.size());
    for (int i = 0; i < h.weightCount; ++i)
        if (h.weights[i] < 1 || h.weights[i] > count)
            return DSERR_WEIGHT;
    if (h.regionVariable < 0 || h.regionVariable > count)
        return DSERR_WEIGHT;
    if (h.regionVariable > 0 && !IsIntegerStorage(variables[h.regionVariable - 1].storageType))
        return DSERR_WEIGHT;
    return DSERR_NONE;
}

} // namespace DataSetLayout

void EncodeStoredValue(int type, double value, bool missing, unsigned char *p)
{
    switch (type) {
    case STORAGE_U8: {
        double r = std::floor(value + 0.5);
        unsigned char v = (missing || !(r >= 0 && r < 255)) ? 255 : static_cast<unsigned char>(r);
        *p = v;
        break;
    }
    case STORAGE_I16: {
        double r = std::floor(value + 0.5);
        int16_t v = (missing || !(r >= -32768 && r < 32767)) ? 32767 : static_cast<int16_t>(r);
        std::memcpy(p, &v, 2);
        break;
    }
    case STORAGE_I32: {
        double r = std::floor(value + 0.5);
        int32_t v = (missing || !(r >= -2147483648.0 && r < 2147483647.0)) ? 2147483647 : static_cast<int32_t>(r);
        std::memcpy(p, &v, 4);
        break;
    }
    case STORAGE_FLOAT: {
        float v = (missing || !(std::fabs(value) < FLT_MAX)) ? FLT_MAX : static_cast<float>(value);
        std::memcpy(p, &v, 4);
        break;
    }
    default: {
        double v = (missing || std::isnan(value)) ? DBL_MAX : value;
        std::memcpy(p, &v, 8);
        break;
    }
    }
}
