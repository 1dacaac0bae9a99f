// The status codes that the statistics computations answer, named once.
#ifndef STATS_STATSTATUS_H
#define STATS_STATSTATUS_H

// The status codes of the correlation and regression computations (CorrObj,
// RegObj, ComputeRegression); each has its text in group 34.
enum ComputationStatus {
    kStatusOk = 0,
    kStatusTooFewCases = 2,        // too few cases for the figures
    kStatusNoMemory = 3,           // the computation did not get its memory
    kStatusTooManyVariables = 4,   // more variables than the computation takes
    kStatusSingular = 5,           // the matrix is singular
    kStatusLinearCombination = 6,  // a variable is a linear combination of others
    kStatusNoValidValues = 7,      // a variable without valid values
    kStatusNoVariance = 8,         // a variable without variance
    kStatusTooFewVariables = 9,    // fewer than two variables (no independent)
    kStatusNoConvergence = 10,     // an iteration did not converge
    kStatusCancelled = 11,         // the user cancelled
    kWeightExclusionStatus = 12,   // cases left out for a zero, negative or missing weight
    kStatusUnreadable = 13,        // the data set could not be read
    kStatusConstantDependent = 14, // the dependent variable is constant
};

#endif
