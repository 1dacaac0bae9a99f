// Sorting the cases of a data set by the values of key variables. Keys are
// zero-terminated arrays of variable numbers (from 1); the sort is
// ascending, key by key, and keeps the file order of equal cases. A missing
// value sorts by what is stored: the system-missing sentinel after every
// valid value, a user-missing code by its value.
//
// Both functions return a new list that the caller deletes, or null when a
// key is not a variable of the data set or reading fails.
#pragma once

class DATASET;
class TMPLISTETYPE;

// The case numbers (from 0, 32-bit integers, storage type 3) in sorted
// order: entry r is the case that comes r-th.
TMPLISTETYPE *SortCasesToValueList(DATASET *dataSet, const int *keys);

// The values of the first key variable in the sorted order (its storage
// type and missing codes kept). Null data set: the current one.
TMPLISTETYPE *SortCasesToIndexArray(const int *keys, DATASET *dataSet = nullptr);
