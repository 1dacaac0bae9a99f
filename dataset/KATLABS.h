// KATLABS: the category labels of one variable, sorted by value, with the
// variable's caption (its name, ": " and its label). Reads them from a data
// set (the current one when none is given) by the data set's format code.
//
// Variable numbers count from 1. The texts belong to the object; deleting it
// frees them. A value with no label reads as the empty text.
#pragma once

#include "dataset/DataSetLayout.h"

#include <string>
#include <vector>

class DATASET;

class KATLABS
{
public:
    // Caption length: name (25) + ": " + label (70).
    enum { MAX_CAPTION = QVF_MAX_NAME + 2 + QVF_MAX_LABEL };

    // Labels of a data set's variables; null data set: the current one.
    explicit KATLABS(DATASET *source = nullptr);
    // A new object holding the labels of the variable (the flag is passed on
    // to ReadLabels); never null: on failure it has no labels and Error() is
    // set.
    static KATLABS *ConstructAndRead(long variable, DATASET *source = nullptr, int flag = 0);

    // Reads the labels and caption of a variable (from 1), replacing what
    // the object held. Flag 0 reads both; a non-zero flag reads the caption
    // only. False (and no labels) when the variable does not exist or its
    // labels are damaged.
    bool ReadLabels(long variable, int flag = 0);

    long GetVariableNumber() const { return variableNumber; }
    int GetCount() const { return static_cast<int>(labels.size()); }
    double GetValue(int index) const;     // index from 0
    const char *GetText(int index) const; // index from 0; "" outside
    // The label of a value, or the empty text.
    const char *GetLabelText(double value) const;
    // Index (from 0) of the label of a value, or -1.
    int FindValue(double value) const;
    const char *GetCaption() const { return caption.c_str(); }
    // Characters of the longest label text.
    int GetLongestLabelLength() const;
    int Error() const { return error; }

    // Builds labels in code (grouped values, tests): keeps the order by
    // value; a value already labelled gets the new text.
    void Add(double value, const char *text);
    void Clear() { labels.clear(); }
    void SetCaption(const char *text);
    const std::vector<CategoryLabel> &GetLabels() const { return labels; }

private:
    DATASET *dataSet;
    long variableNumber = 0;
    std::vector<CategoryLabel> labels;
    std::string caption;
    int error = 0;
};
