// DataSetLayout: the byte layouts of the data-set files (system file ".QVF",
// index file ".IND", category-label blocks) and their checked decoding and
// encoding. docs/dataset-files.md describes the layouts; this is the one
// place that knows them.
//
// Decoding never trusts a count, offset or length: each is checked against
// the size of the file it points into before it is used, and a failure gives
// one of the DataSetError words below. Variable numbers are 1-based
// wherever they are stored in a file (weights, region variable).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class ByteStream;

// Error words of the data-set layer (0 = none); DataSetErrorText names them.
enum DataSetError {
    DSERR_NONE = 0,
    DSERR_OPEN_QVF = 1,     // the system file cannot be opened
    DSERR_OPEN_IND = 2,     // the index file cannot be opened
    DSERR_SHORT_HEADER = 3, // shorter than its 128-byte header
    DSERR_MAGIC = 4,        // no "QIVS" at the start
    DSERR_FORMAT = 5,       // a format code this program does not read
    DSERR_COUNTS = 6,       // variable or case count impossible for the file
    DSERR_INDEX_SIZE = 7,   // index file size does not match the variable count
    DSERR_VARIABLE = 8,     // an index record is invalid (type, texts, missing codes)
    DSERR_COLUMN = 9,       // a value column lies outside the system file
    DSERR_LABELS = 10,      // a category-label block is damaged
    DSERR_SELECTION = 11,   // the stored selection is damaged
    DSERR_WEIGHT = 12,      // a weight or region variable number is invalid
    DSERR_LOCKED = 13,      // the data set is in use by another program
    DSERR_WRITE = 14,       // a file could not be written
    DSERR_REPLACE = 15,     // the finished files could not replace the old ones
    DSERR_READ = 16,        // reading values failed
    DSERR_ARGUMENT = 17,    // a caller's argument is invalid
    DSERR_NO_DATASET = 18,  // no data set is open
    DSERR_RECOVERY = 19,    // an interrupted save could be neither finished nor undone
    DSERR_TOO_LARGE = 20,   // the data set would not fit the file layout
    DSERR_VALUE = 21,       // a value of a float or double column is not a number or infinite
    DSERR_READ_ONLY = 22,   // a file of the data set is read-only, or it was opened read-only
    DSERR_NO_LOCK = 23,     // the lock file could not be made (the detail says why)
    DSERR_LAST = DSERR_NO_LOCK
};
const char *DataSetErrorText(int error);
// The text of an error word followed by " (detail)" when detail is not empty.
std::string DataSetErrorText(int error, const std::string &detail);

// Stores a value as the storage type's bytes (little-endian), rounded for the
// integer types; a missing value, NaN, or a value the type cannot hold is
// stored as the type's sentinel.
void EncodeStoredValue(int type, double value, bool missing, unsigned char *p);

// Format codes of the system file.
enum {
    QVF_FORMAT_9020 = 9020,
    QVF_FORMAT_9121 = 9121, // an old variant, read exactly as 9020
    QVF_FORMAT_9600 = 9600  // the format this program writes
};

// Storage types of variable values and their system-missing sentinels.
enum {
    STORAGE_U8 = 1,    // missing 255
    STORAGE_I16 = 2,   // missing 32767
    STORAGE_I32 = 3,   // missing 2147483647
    STORAGE_FLOAT = 4, // missing the largest float
    STORAGE_DOUBLE = 8 // missing the largest double
};
// Bytes per value of a storage type; 0 for a type that does not exist.
int StorageValueSize(int storageType);
bool IsIntegerStorage(int storageType);
// The sentinel of a storage type as a double.
double StorageSysMissing(int storageType);

enum {
    QVF_HEADER_SIZE = 128,
    QVF_MAX_NAME = 25,          // characters of a variable name
    QVF_MAX_LABEL = 70,         // characters of a variable label
    QVF_MAX_CATEGORY_TEXT = 70, // characters of one category label
    QVF_MAX_MISSING = 3,        // user-missing codes per variable
    QVF_MAX_WEIGHTS = 4,        // weight variables recorded in the header
    QVF_MAX_SELECTION_TEXT = 63,
    QVF_DECIMALS_UNSET = 255, // decimals not set: taken as 2
    IND_RECORD_9020 = 128,
    IND_RECORD_9600 = 160,
    MAX_VARIABLES = 32000,
    MAX_CATEGORY_LABELS = 32000
};

// The 128-byte header of the system file.
struct QvfHeader
{
    int formatCode = QVF_FORMAT_9600; // as stored (9121 is kept as read)
    long variableCount = 0;
    long caseCount = 0;
    int codePage = 1;                  // header offset 14: 1 Windows letters, 0 DOS letters
    long dataOffset = QVF_HEADER_SIZE; // start of the value columns
    long textOffset = 0;               // category-label area
    long textLength = 0;
    long regionVariable = 0; // 0 none
    int weightCount = 0;
    long weights[QVF_MAX_WEIGHTS] = {0, 0, 0, 0};
    int selectionActive = 0; // 0 none, 1 the stored bit vector is in force
    long selectionOffset = 0;
    long selectionLength = 0;
    char selectionText[QVF_MAX_SELECTION_TEXT + 1] = "";

    // Format code as the program uses it (9121 taken as 9020).
    int EffectiveFormat() const { return formatCode == QVF_FORMAT_9121 ? QVF_FORMAT_9020 : formatCode; }
};

// One variable: its index record, decoded.
struct VariableInfo
{
    char name[QVF_MAX_NAME + 1] = "";
    char label[QVF_MAX_LABEL + 1] = "";
    int storageType = STORAGE_DOUBLE;
    int printWidth = 8;
    int decimals = QVF_DECIMALS_UNSET; // as stored; 255 means 2
    long long columnStart = 0;         // offset of case 0 in the system file
    int missingCount = 0;
    double missing[QVF_MAX_MISSING] = {0, 0, 0};
    bool rangeKnown = false; // 9020 records do not keep the range
    double minimum = 0;
    double maximum = 0;
    long labelOffset = 0; // category-label block in the system file; 0 none
    long labelCount = 0;
    long labelLength = 0;

    int EffectiveDecimals() const { return decimals == QVF_DECIMALS_UNSET ? 2 : decimals; }
};

// One category label.
struct CategoryLabel
{
    double value;
    std::string text;
};

namespace DataSetLayout {

int IndexRecordSize(int effectiveFormat);

// Header: decodes and checks it against the system file's size.
int DecodeHeader(const unsigned char *bytes, size_t length, long long qvfSize, QvfHeader *out);
void EncodeHeader(const QvfHeader &header, unsigned char out[QVF_HEADER_SIZE]);

// Index: decodes every record (the index file's whole content) and checks
// each against the header and the system file's size. Texts of the 9020
// format are converted from the DOS letters.
int DecodeIndex(const unsigned char *bytes, size_t length, const QvfHeader &header, long long qvfSize,
                std::vector<VariableInfo> *out, long *badVariable);
// One 9600 record.
void EncodeIndexRecord(const VariableInfo &info, unsigned char out[IND_RECORD_9600]);

// Category labels: reads and checks a variable's label block from the system
// file, sorted by value (equal values keep their stored order).
int ReadLabelBlock(ByteStream &qvf, const QvfHeader &header, const VariableInfo &info, std::vector<CategoryLabel> *out);
// The 9600 block of a list of labels (texts cut at 70 characters).
std::vector<unsigned char> EncodeLabelBlock(const std::vector<CategoryLabel> &labels);

// Checks a whole data set as read: header and index together, the weights,
// region variable and selection. Returns an error word.
int CheckReferences(const QvfHeader &header, const std::vector<VariableInfo> &variables);

// Copies text into a fixed field of size bytes, cut and zero-terminated.
void CopyBounded(char *field, size_t size, const char *text);

} // namespace DataSetLayout
