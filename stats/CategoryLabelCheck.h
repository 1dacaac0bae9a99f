// Whether the variables of a list share their category labels and missing
// values, as the variables of one multiple-response question must.
// Reason codes when they do not: 1 a different number of labels, 2
// different labels (values or texts), 3 different user-missing codes.
#ifndef STATS_CATEGORYLABELCHECK_H
#define STATS_CATEGORYLABELCHECK_H

class DATASET;

// list: zero-terminated variable numbers (from 1). True when every variable
// has the first one's labels and missing codes; else false and *reason set
// (reason may be null). A variable that does not exist gives reason 2.
bool HaveSameCategoryLabels(const long *list, DATASET *dataSet, int *reason);
// Copies the list and tests it as HaveSameCategoryLabels does.
bool CheckSameCategoryLabels(const long *list, DATASET *dataSet, int *reason);

#endif
