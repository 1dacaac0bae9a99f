// DataSetBuilder: makes a data set from a plain-text description (names,
// labels, storage types, print formats, category labels, user-missing codes,
// weight, selection, region variable, documentation) and a CSV file of the
// values, and writes it through DataSetWriter. The converter qvconvert is a
// thin shell around it; docs/dataset-description.md describes both inputs.
//
// Every failure names the file, line and (for values) column; nothing is
// written then. Variable numbers count from 1 in the order of the
// description.
#pragma once

#include "dataset/DataSetLayout.h"

#include <memory>
#include <functional>
#include <string>
#include <vector>

class TMPLISTETYPE;

// How a text reads as a number (ParseNumber).
enum NumberParse {
    NUMBER_OK = 0,
    NUMBER_BAD = 1,         // not a decimal number
    NUMBER_OUT_OF_RANGE = 2 // a decimal number beyond the largest double
};

// A whole text is one decimal number: sign, digits with at most one '.',
// an exponent; blanks around it allowed. Hexadecimal, "inf", "nan" and
// decimal commas are not numbers, though strtod would take some of them.
// A number too small for a double becomes the nearest one (0 or a
// subnormal). The text is the length bytes at text. The converter reads
// every number this way, and so does every field that takes numbers
// typed as data.
int ParseNumber(const char *text, size_t length, double *out);
int ParseNumber(const std::string &text, double *out);

class DataSetBuilder
{
public:
    DataSetBuilder();
    ~DataSetBuilder();
    DataSetBuilder(const DataSetBuilder &) = delete;
    DataSetBuilder &operator=(const DataSetBuilder &) = delete;

    // Each returns 0 or an error word (DSERR_ARGUMENT for a bad input, with
    // the place in GetErrorText()).
    int ReadDescriptionFile(const char *fileName);
    int ReadDescription(const std::string &text, const char *sourceName = "description");
    int ReadCsvFile(const char *fileName);
    int ReadCsv(const std::string &text, const char *sourceName = "values");
    // The values from lines that nextLine gives one by one (false at the
    // end); ReadCsvFile reads its file this way a block at a time.
    int ReadCsvLines(const std::function<bool(std::string *)> &nextLine, const std::string &source);
    // Writes the data set (".QVF" path; the index and documentation files go
    // beside it).
    int Write(const char *fileName);

    long GetVariableCount() const { return static_cast<long>(variables.size()); }
    long GetCaseCount() const { return caseCount; }
    const char *GetErrorText() const { return errorText.c_str(); }

private:
    struct Variable
    {
        VariableInfo info;
        std::vector<CategoryLabel> labels;
        std::string documentation;
        std::unique_ptr<TMPLISTETYPE> values;
    };
    struct CategorySet
    {
        std::string name;
        std::vector<CategoryLabel> labels;
    };
    int Error(const std::string &where, const std::string &what);
    long Find(const std::string &name) const;
    int ParseLine(const std::string &source, int line, const std::string &keyword, const std::string &rest);
    int Finish(const std::string &source);
    // The error for a described variable the CSV header has no column for.
    int MissingColumn(const std::string &where, const std::string &header, const char *name);

    std::vector<Variable> variables;
    std::vector<CategorySet> categorySets;
    int block = 0; // 0 none, 1 variable, 2 category set
    std::string weightNames[QVF_MAX_WEIGHTS];
    int weightCount = 0;
    std::string regionName;
    std::string selectionName;
    std::string selectionText;
    std::string documentation;
    char separator = ',';
    long caseCount = 0;
    bool haveValues = false;
    std::string errorText;
};
