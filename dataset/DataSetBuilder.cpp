#include "dataset/DataSetBuilder.h"

#include "dataset/BUFFERTYPE.h"
#include "dataset/DataSetWriter.h"
#include "dataset/PFILE.h"
#include "dataset/SelectRec.h"

#include <windows.h>

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdlib>
#include <cstring>

namespace {
const long long kMaxInputBytes = 1024LL * 1024 * 1024;
// The most a data set file holds: its offsets are 32-bit.
const long long kMaxDataSetBytes = 0x7fffffffLL;

std::string Trim(const std::string &s)
{
    size_t a = s.find_first_not_of(" \t\r");
    if (a == std::string::npos)
        return std::string();
    size_t b = s.find_last_not_of(" \t\r");
    return s.substr(a, b - a + 1);
}

bool SameName(const std::string &a, const std::string &b)
{
    return lstrcmpiA(a.c_str(), b.c_str()) == 0;
}

const size_t kQuotedCellLength = 40;
const char kByteOrderMark[] = "\xEF\xBB\xBF"; // UTF-8

// Input text echoed in a message: quoted, control characters shown as '?',
// and cut after kQuotedCellLength characters with its full length told, so
// that a huge cell does not flood the message.
std::string Quote(const std::string &text)
{
    std::string shown = text.substr(0, kQuotedCellLength);
    for (char &c : shown)
        if (static_cast<unsigned char>(c) < 32)
            c = '?';
    if (text.size() <= kQuotedCellLength)
        return "\"" + shown + "\"";
    return "\"" + shown + "...\" (" + std::to_string(text.size()) + " characters)";
}

std::string SeparatorName(char separator)
{
    return separator == '\t' ? std::string("tabs") : "\"" + std::string(1, separator) + "\"";
}



bool ParseStorageType(const std::string &text, int *type)
{
    static const struct
    {
        const char *name;
        int type;
    } names[] = {{"u8", STORAGE_U8},    {"1", STORAGE_U8},        {"byte", STORAGE_U8}, {"i16", STORAGE_I16},
                 {"2", STORAGE_I16},    {"short", STORAGE_I16},   {"i32", STORAGE_I32}, {"3", STORAGE_I32},
                 {"long", STORAGE_I32}, {"float", STORAGE_FLOAT}, {"4", STORAGE_FLOAT}, {"double", STORAGE_DOUBLE},
                 {"8", STORAGE_DOUBLE}};
    for (const auto &n : names)
        if (SameName(text, n.name)) {
            *type = n.type;
            return true;
        }
    return false;
}

// Whether a value can be stored in a type without becoming its sentinel.
bool FitsStorage(int type, double v)
{
    bool whole = std::floor(v) == v;
    switch (type) {
    case STORAGE_U8:
        return whole && v >= 0 && v <= 254;
    case STORAGE_I16:
        return whole && v >= -32768 && v <= 32766;
    case STORAGE_I32:
        return whole && v >= -2147483648.0 && v <= 2147483646.0;
    case STORAGE_FLOAT:
        return std::fabs(v) < FLT_MAX;
    default:
        return std::fabs(v) < DBL_MAX;
    }
}

bool ReadTextFile(const char *fileName, std::string *text)
{
    PFILE in(fileName);
    if (!in.Open(PFILE_READ))
        return false;
    long long size = in.Size();
    if (size < 0 || size > kMaxInputBytes)
        return false;
    text->resize(static_cast<size_t>(size));
    return text->empty() || in.Read(&(*text)[0], 1, text->size()) == text->size();
}

// Splits one CSV record (fields may be quoted, "" inside quotes is a quote).
bool SplitCsv(const std::string &line, char separator, std::vector<std::string> *fields)
{
    fields->clear();
    std::string field;
    bool quoted = false, wasQuoted = false;
    for (size_t i = 0; i < line.size(); ++i) {
        char c = line[i];
        if (quoted) {
            if (c == '"') {
                if (i + 1 < line.size() && line[i + 1] == '"') {
                    field += '"';
                    ++i;
                } else {
                    quoted = false;
                }
            } else {
                field += c;
            }
        } else if (c == '"' && Trim(field).empty() && !wasQuoted) {
            quoted = wasQuoted = true;
            field.clear();
        } else if (c == separator) {
            fields->push_back(field);
            field.clear();
            wasQuoted = false;
        } else {
            field += c;
        }
    }
    if (quoted)
        return false;
    fields->push_back(field);
    return true;
}
// One cell of a record split in place: its text is the length bytes at
// start in the record.
struct Cell
{
    size_t start;
    size_t length;
};

// Splits a record as SplitCsv does, without copying a cell: each cell's
// text is moved to the front of where it stood (a quoted cell loses its
// quotes and its doubled quotes), which never overtakes the reading.
bool SplitCells(std::string &record, char separator, std::vector<Cell> *cells)
{
    cells->clear();
    char *r = &record[0];
    const size_t size = record.size();
    size_t w = 0, start = 0;
    bool quoted = false, wasQuoted = false, blank = true;
    for (size_t i = 0; i < size; ++i) {
        const char c = r[i];
        if (quoted) {
            if (c == '"') {
                if (i + 1 < size && r[i + 1] == '"') {
                    r[w++] = '"';
                    ++i;
                } else {
                    quoted = false;
                }
            } else {
                r[w++] = c;
            }
        } else if (c == '"' && blank && !wasQuoted) {
            quoted = wasQuoted = true;
            w = start;
        } else if (c == separator) {
            cells->push_back({start, w - start});
            start = w = i + 1;
            wasQuoted = false;
            blank = true;
        } else {
            r[w++] = c;
            blank = blank && (c == ' ' || c == '\t' || c == '\r');
        }
    }
    if (quoted)
        return false;
    cells->push_back({start, w - start});
    return true;
}

} // namespace

int ParseNumber(const char *text, size_t length, double *out)
{
    size_t from = 0, to = length;
    while (from < to && (text[from] == ' ' || text[from] == '\t' || text[from] == '\r'))
        ++from;
    while (to > from && (text[to - 1] == ' ' || text[to - 1] == '\t' || text[to - 1] == '\r'))
        --to;
    const char *t = text + from;
    const size_t n = to - from;
    size_t i = 0, digits = 0, fraction = 0;
    bool negative = false;
    if (i < n && (t[i] == '+' || t[i] == '-'))
        negative = t[i++] == '-';
    // The digits as a whole number while it stays exact (below 10^15).
    double mantissa = 0.0;
    for (; i < n && t[i] >= '0' && t[i] <= '9'; ++i, ++digits)
        mantissa = mantissa * 10.0 + (t[i] - '0');
    if (i < n && t[i] == '.')
        for (++i; i < n && t[i] >= '0' && t[i] <= '9'; ++i, ++digits, ++fraction)
            mantissa = mantissa * 10.0 + (t[i] - '0');
    if (digits == 0)
        return NUMBER_BAD;
    bool exponent = false;
    if (i < n && (t[i] == 'e' || t[i] == 'E')) {
        exponent = true;
        ++i;
        if (i < n && (t[i] == '+' || t[i] == '-'))
            ++i;
        size_t exponentDigits = 0;
        for (; i < n && t[i] >= '0' && t[i] <= '9'; ++i)
            ++exponentDigits;
        if (exponentDigits == 0)
            return NUMBER_BAD;
    }
    if (i != n)
        return NUMBER_BAD;
    // Up to 15 digits and no exponent: the whole number and the power of 10
    // are exact, so their quotient is the correctly rounded value, as
    // strtod's.
    static const double kPowers[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                     1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
    if (!exponent && digits <= 15) {
        const double v = fraction ? mantissa / kPowers[fraction] : mantissa;
        *out = negative ? -v : v;
        return NUMBER_OK;
    }
    std::string copy(t, n);
    // strtod gives infinity for a number beyond the largest double.
    double v = std::strtod(copy.c_str(), nullptr);
    if (std::isinf(v))
        return NUMBER_OUT_OF_RANGE;
    *out = v;
    return NUMBER_OK;
}

int ParseNumber(const std::string &text, double *out)
{
    return ParseNumber(text.data(), text.size(), out);
}

DataSetBuilder::DataSetBuilder()
{}

DataSetBuilder::~DataSetBuilder()
{}

int DataSetBuilder::Error(const std::string &where, const std::string &what)
{
    errorText = where + ": " + what;
    return DSERR_ARGUMENT;
}

long DataSetBuilder::Find(const std::string &name) const
{
    for (size_t i = 0; i < variables.size(); ++i)
        if (SameName(variables[i].info.name, name))
            return static_cast<long>(i + 1);
    return 0;
}

int DataSetBuilder::ReadDescriptionFile(const char *fileName)
{
    std::string text;
    if (!ReadTextFile(fileName, &text))
        return Error(fileName ? fileName : "", "cannot be read");
    return ReadDescription(text, fileName);
}

int DataSetBuilder::ReadDescription(const std::string &text, const char *sourceName)
{
    std::string source = sourceName ? sourceName : "description";
    size_t at = text.compare(0, 3, kByteOrderMark) == 0 ? 3 : 0;
    int line = 0;
    while (at <= text.size()) {
        size_t end = text.find('\n', at);
        if (end == std::string::npos)
            end = text.size();
        std::string raw = text.substr(at, end - at);
        at = end + 1;
        ++line;
        std::string content = Trim(raw);
        if (content.empty() || content[0] == '#')
            continue;
        size_t space = content.find_first_of(" \t");
        std::string keyword = content.substr(0, space);
        std::string rest = space == std::string::npos ? std::string() : Trim(content.substr(space));
        int code = ParseLine(source, line, keyword, rest);
        if (code)
            return code;
        if (end == text.size())
            break;
    }
    return Finish(source);
}

int DataSetBuilder::ParseLine(const std::string &source, int line, const std::string &keyword, const std::string &rest)
{
    std::string where = source + " line " + std::to_string(line);
    if (keyword == "variable") {
        if (rest.empty() || rest.size() > QVF_MAX_NAME || rest.find_first_of(" \t") != std::string::npos)
            return Error(where, "a variable name has 1 to 25 characters and no blanks");
        if (Find(rest))
            return Error(where, "variable " + Quote(rest) + " is described twice");
        if (variables.size() >= MAX_VARIABLES)
            return Error(where, "too many variables");
        Variable v;
        DataSetLayout::CopyBounded(v.info.name, sizeof v.info.name, rest.c_str());
        variables.push_back(std::move(v));
        block = 1;
        return 0;
    }
    if (keyword == "categories") {
        if (rest.empty())
            return Error(where, "a category set needs a name");
        for (const CategorySet &set : categorySets)
            if (SameName(set.name, rest))
                return Error(where, "category set " + Quote(rest) + " is defined twice");
        categorySets.push_back(CategorySet{rest, {}});
        block = 2;
        return 0;
    }
    if (keyword == "weight") {
        if (weightCount >= QVF_MAX_WEIGHTS)
            return Error(where, "at most 4 weight variables");
        weightNames[weightCount++] = rest;
        return 0;
    }
    if (keyword == "region") {
        regionName = rest;
        return 0;
    }
    if (keyword == "selection") {
        size_t space = rest.find_first_of(" \t");
        selectionName = rest.substr(0, space);
        selectionText = space == std::string::npos ? std::string() : Trim(rest.substr(space));
        if (selectionText.size() > QVF_MAX_SELECTION_TEXT)
            return Error(where, "a selection text has at most 63 characters");
        return 0;
    }
    if (keyword == "separator") {
        if (rest == "tab")
            separator = '\t';
        else if (rest.size() == 1 && rest[0] != '"')
            separator = rest[0];
        else
            return Error(where, "the separator is one character or \"tab\"");
        return 0;
    }
    if (keyword == "doc") {
        std::string &target = block == 1 ? variables.back().documentation : documentation;
        target += rest + "\r\n";
        return 0;
    }
    if (keyword == "value") {
        size_t eq = rest.find('=');
        double value;
        if (eq == std::string::npos || ParseNumber(rest.substr(0, eq), &value) != NUMBER_OK)
            return Error(where, "a label line reads \"value <number> = <text>\"");
        std::string text = Trim(rest.substr(eq + 1));
        if (text.size() > QVF_MAX_CATEGORY_TEXT)
            return Error(where, "a category label has at most 70 characters");
        if (block == 0)
            return Error(where, "\"value\" outside a variable or category set");
        std::vector<CategoryLabel> &labels = block == 1 ? variables.back().labels : categorySets.back().labels;
        for (const CategoryLabel &l : labels)
            if (l.value == value)
                return Error(where, "value labelled twice");
        if (labels.size() >= MAX_CATEGORY_LABELS)
            return Error(where, "too many category labels");
        labels.push_back(CategoryLabel{value, text});
        return 0;
    }
    if (block != 1)
        return Error(where, Quote(keyword) + " belongs to a variable, or is not a keyword");
    VariableInfo &info = variables.back().info;
    if (keyword == "label") {
        if (rest.size() > QVF_MAX_LABEL)
            return Error(where, "a variable label has at most 70 characters");
        DataSetLayout::CopyBounded(info.label, sizeof info.label, rest.c_str());
    } else if (keyword == "type") {
        if (!ParseStorageType(rest, &info.storageType))
            return Error(where, "storage type is u8, i16, i32, float or double (1, 2, 3, 4, 8)");
        if (IsIntegerStorage(info.storageType) && info.decimals == QVF_DECIMALS_UNSET)
            info.decimals = 0;
    } else if (keyword == "width") {
        double w;
        if (ParseNumber(rest, &w) != NUMBER_OK || w < 1 || w > 40 || std::floor(w) != w)
            return Error(where, "the print width is 1 to 40");
        info.printWidth = static_cast<int>(w);
    } else if (keyword == "decimals") {
        double d;
        if (ParseNumber(rest, &d) != NUMBER_OK || std::floor(d) != d ||
            !((d >= 0 && d <= 15) || d == QVF_DECIMALS_UNSET))
            return Error(where, "decimals are 0 to 15 (255: not set)");
        info.decimals = static_cast<int>(d);
    } else if (keyword == "missing") {
        size_t a = 0;
        info.missingCount = 0;
        while (a < rest.size()) {
            size_t b = rest.find_first_of(" \t", a);
            if (b == std::string::npos)
                b = rest.size();
            std::string item = rest.substr(a, b - a);
            a = rest.find_first_not_of(" \t", b);
            if (a == std::string::npos)
                a = rest.size();
            double code;
            if (ParseNumber(item, &code) != NUMBER_OK)
                return Error(where, "a missing code is a number");
            if (info.missingCount >= QVF_MAX_MISSING)
                return Error(where, "at most 3 user-missing codes");
            info.missing[info.missingCount++] = code;
        }
    } else if (keyword == "labels") {
        for (const CategorySet &set : categorySets)
            if (SameName(set.name, rest)) {
                variables.back().labels = set.labels;
                return 0;
            }
        return Error(where, "no category set " + Quote(rest) + " defined before");
    } else {
        return Error(where, "unknown keyword " + Quote(keyword));
    }
    return 0;
}

int DataSetBuilder::Finish(const std::string &source)
{
    if (variables.empty())
        return Error(source, "describes no variable");
    for (int i = 0; i < weightCount; ++i) {
        long w = Find(weightNames[i]);
        if (!w)
            return Error(source, "weight variable " + Quote(weightNames[i]) + " is not described");
    }
    if (!regionName.empty()) {
        long r = Find(regionName);
        if (!r || !IsIntegerStorage(variables[static_cast<size_t>(r - 1)].info.storageType))
            return Error(source, "region variable " + Quote(regionName) + " is not an integer variable");
    }
    if (!selectionName.empty() && !Find(selectionName))
        return Error(source, "selection variable " + Quote(selectionName) + " is not described");
    for (Variable &v : variables)
        for (int i = 0; i < v.info.missingCount; ++i)
            if (!FitsStorage(v.info.storageType, v.info.missing[i]))
                return Error(source, std::string("missing code of ") + v.info.name + " does not fit its storage type");
    return 0;
}

int DataSetBuilder::MissingColumn(const std::string &where, const std::string &header, const char *name)
{
    // A header that holds the name when split at another separator: the
    // file's separator is not the described one.
    static const char candidates[] = {',', ';', '\t', '|'};
    std::vector<std::string> fields;
    for (char other : candidates) {
        if (other == separator || !SplitCsv(header, other, &fields) || fields.size() < 2)
            continue;
        for (const std::string &f : fields)
            if (SameName(Trim(f), name))
                return Error(where, "the fields are separated by " + SeparatorName(other) + ", not by " +
                                        SeparatorName(separator) + " as the description says (give \"separator " +
                                        (other == '\t' ? std::string("tab") : std::string(1, other)) +
                                        "\" in the description)");
    }
    return Error(where, std::string("no column for variable ") + name);
}

namespace {

// The lines of a CSV file, read a block at a time: a file of millions of
// cases is never held whole (its values go to the paged value lists).
class CsvFileLines
{
public:
    explicit CsvFileLines(const char *fileName) : in(fileName) { open = in.Open(PFILE_READ); }
    bool Open() const { return open; }
    bool Failed() const { return failed; }
    // The next line without its '\n'; false at the end or on a read error.
    bool Next(std::string *line)
    {
        line->clear();
        for (;;) {
            if (at == buffer.size()) {
                if (ended)
                    return !line->empty();
                buffer.resize(kBlock);
                const size_t got = in.Read(&buffer[0], 1, kBlock);
                buffer.resize(got);
                at = 0;
                if (got < kBlock) {
                    ended = true;
                    failed = in.Error() != 0;
                }
                if (got == 0)
                    continue;
            }
            const size_t end = buffer.find('\n', at);
            if (end == std::string::npos) {
                line->append(buffer, at, std::string::npos);
                at = buffer.size();
                continue;
            }
            line->append(buffer, at, end - at);
            at = end + 1;
            return true;
        }
    }

private:
    static constexpr size_t kBlock = 1 << 16;
    PFILE in;
    std::string buffer;
    size_t at = 0;
    bool open = false, ended = false, failed = false;
};

} // namespace

int DataSetBuilder::ReadCsvFile(const char *fileName)
{
    const std::string source = fileName ? fileName : "";
    CsvFileLines lines(fileName);
    if (!lines.Open())
        return Error(source, "cannot be read");
    const int result = ReadCsvLines([&lines](std::string *line) { return lines.Next(line); }, source);
    if (result == 0 && lines.Failed())
        return Error(source, "cannot be read to its end");
    return result;
}

int DataSetBuilder::ReadCsv(const std::string &text, const char *sourceName)
{
    size_t at = 0;
    return ReadCsvLines(
        [&text, &at](std::string *line) {
            if (at >= text.size())
                return false;
            size_t end = text.find('\n', at);
            if (end == std::string::npos)
                end = text.size();
            line->assign(text, at, end - at);
            at = end + 1;
            return true;
        },
        sourceName ? sourceName : "values");
}

int DataSetBuilder::ReadCsvLines(const std::function<bool(std::string *)> &nextLine, const std::string &source)
{
    if (variables.empty())
        return Error(source, "read the description first");
    std::vector<long> columnVariable; // variable (from 1) of each column, 0 unused
    std::vector<std::string> fields;
    std::vector<Cell> cells;
    long line = 0;
    bool header = true;
    // Each column is kept in its stored type while converting, so that the
    // temporary files are no larger than the data set.
    long long caseBytes = 0;
    for (Variable &v : variables) {
        v.values.reset(new TMPLISTETYPE(v.info.storageType));
        caseBytes += StorageValueSize(v.info.storageType);
    }
    caseCount = 0;
    std::string record;
    // The place of an error, made only when there is one.
    auto where = [&]() { return source + " line " + std::to_string(line); };
    while (nextLine(&record)) {
        ++line;
        // A UTF-8 byte-order mark (spreadsheet programs write one) is not
        // part of the first column's name.
        if (line == 1 && record.compare(0, 3, kByteOrderMark) == 0)
            record.erase(0, 3);
        if (!record.empty() && record.back() == '\r')
            record.pop_back();
        if (record.find_first_not_of(" \t\r") == std::string::npos)
            continue;
        if (header) {
            if (!SplitCsv(record, separator, &fields))
                return Error(where(), "a quoted field is not closed");
            header = false;
            for (const std::string &f : fields) {
                long v = Find(Trim(f));
                for (long used : columnVariable)
                    if (v && used == v)
                        return Error(where(), "column " + Quote(Trim(f)) + " appears twice");
                columnVariable.push_back(v);
            }
            for (size_t i = 0; i < variables.size(); ++i) {
                bool found = false;
                for (long used : columnVariable)
                    found = found || used == static_cast<long>(i + 1);
                if (!found)
                    return MissingColumn(where(), record, variables[i].info.name);
            }
            continue;
        }
        if (!SplitCells(record, separator, &cells))
            return Error(where(), "a quoted field is not closed");
        if (cells.size() != columnVariable.size())
            return Error(where(), "has " + std::to_string(cells.size()) + " fields, the header " +
                                      std::to_string(columnVariable.size()));
        // The data set's size is known from here on: refuse it at the first
        // case that takes it past what a data set file can hold, not after
        // the whole file.
        if (QVF_HEADER_SIZE + (caseCount + 1) * caseBytes > kMaxDataSetBytes)
            return Error(where(), "the data set would pass 2 GiB, the most a data set file holds (" +
                                      std::to_string(caseBytes) + " bytes a case)");
        for (size_t c = 0; c < cells.size(); ++c) {
            long v = columnVariable[c];
            if (!v)
                continue;
            Variable &var = variables[static_cast<size_t>(v - 1)];
            const char *text = record.data() + cells[c].start;
            const size_t length = cells[c].length;
            double value = DBL_MAX;
            if (std::find_if(text, text + length, [](char ch) { return ch != ' ' && ch != '\t' && ch != '\r'; }) !=
                text + length) {
                int parsed = ParseNumber(text, length, &value);
                if (parsed != NUMBER_OK || !FitsStorage(var.info.storageType, value)) {
                    const std::string cell = Trim(std::string(text, length));
                    const std::string place = where() + " column " + std::to_string(c + 1);
                    if (parsed == NUMBER_OUT_OF_RANGE)
                        return Error(place,
                                     Quote(cell) + " is out of range (beyond the largest number, about 1.8e308)");
                    if (parsed != NUMBER_OK)
                        return Error(place, Quote(cell) + " is not a number");
                    return Error(place, Quote(cell) + " does not fit the storage type of " + var.info.name);
                }
            }
            if (!var.values->AppendReal(value))
                return Error(where(), "the values cannot be kept (temporary file)");
        }
        ++caseCount;
        if (caseCount >= 0x7ffffff0L)
            return Error(where(), "too many cases");
    }
    if (header)
        return Error(source, "has no header line");
    // Most often a file cut short or the wrong file; a data set of no cases
    // is of no use to any computation.
    if (caseCount == 0)
        return Error(source, "has a header line but no cases");
    haveValues = true;
    return 0;
}

int DataSetBuilder::Write(const char *fileName)
{
    if (!haveValues)
        return Error(fileName ? fileName : "", "no values read");
    DataSetWriter writer(fileName);
    writer.SetCaseCount(caseCount);
    std::string doc = documentation;
    for (size_t i = 0; i < variables.size(); ++i) {
        Variable &v = variables[i];
        if (writer.AddVariable(v.info, v.labels, v.values.get())) {
            errorText = writer.GetErrorText();
            return writer.GetError();
        }
        if (!v.documentation.empty())
            doc += "#v" + std::to_string(i + 1) + "\r\n" + v.documentation;
    }
    long weights[QVF_MAX_WEIGHTS] = {0, 0, 0, 0};
    for (int i = 0; i < weightCount; ++i)
        weights[i] = Find(weightNames[i]);
    writer.SetWeights(weights, weightCount);
    if (!regionName.empty())
        writer.SetRegionVariable(Find(regionName));
    std::unique_ptr<LogBuffer> bits;
    if (!selectionName.empty()) {
        // A case is selected when its value of the selection variable is 1.
        bits.reset(new LogBuffer(caseCount));
        TMPLISTETYPE &values = *variables[static_cast<size_t>(Find(selectionName) - 1)].values;
        values.SeekCase(1, 1);
        for (long c = 0; c < caseCount && values.MoveNext(); ++c)
            bits->Set(c, !values.IsCurrentSysMissing() && values.GetCurrentAsReal() == 1.0);
        writer.SetSelection(bits.get(), true, selectionText.c_str());
    }
    writer.SetDocumentation(doc);
    int code = writer.Write();
    if (code)
        errorText = writer.GetErrorText();
    return code;
}
