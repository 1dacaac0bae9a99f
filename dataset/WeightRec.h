// WeightRec: the case weight of a data set, the product of its weight
// variables (up to four, numbered from 1). A case whose weight variable is
// system- or user-missing has a missing weight and counts nowhere.
//
// Owned by its data set. The weight value list is always real-typed (storage
// 4 or 8), so GetCurrentReal reads it; a missing weight reads as the largest
// double (IsCurrentSysMissing is then true).
#pragma once

#include "dataset/DataSetLayout.h"

#include <string>

class BUFFERTYPE;
class DATASET;

class WeightRec
{
public:
    explicit WeightRec(DATASET *owner);
    ~WeightRec();
    WeightRec(const WeightRec &) = delete;
    WeightRec &operator=(const WeightRec &) = delete;

    bool IsActive() const { return count > 0; }
    int GetCount() const { return count; }
    long GetVariable(int index) const { return index >= 0 && index < count ? variables[index] : 0; }
    // Sets the weight variables (numbers from 1; count 0 removes the
    // weight). False when a number is not a variable of the data set.
    bool SetVariables(const long *numbers, int count);

    // A new list of the case weights, positioned for a forward walk from
    // case 1; the caller deletes it. Null without a weight or on a read
    // failure.
    // With reason, a list that cannot be made says why there (the file,
    // variable and case of a value that is not a number).
    BUFFERTYPE *NewWeightList(size_t budget = 0, std::string *reason = nullptr) const;
    // The weight list kept by the record (made on first use, deleted with
    // the record or when the weight changes).
    BUFFERTYPE *GetWeightList();
    // Deletes the kept weight list (it is made again on next use).
    void ReleaseList();
    // The weight variables' names joined by " * " for reports; empty
    // without a weight.
    std::string Describe() const;
    // Exchanges every field with other's (see SelectRec::Swap).
    void Swap(WeightRec &other);

private:
    DATASET *dataSet;
    int count = 0;
    long variables[QVF_MAX_WEIGHTS] = {0, 0, 0, 0};
    BUFFERTYPE *list = nullptr;
};
