// Why a figure of a result page holds the not-computed mark although its
// cases were read: the cases' weights cannot be summed as a double, or
// weigh less than the figure needs. A page gathers the reasons of the
// figures it marks and writes one footer line for each under its table,
// so that a mark alone keeps its one meaning: a zero divisor or too few
// cases.
//
// Texts: group 0, text 30 + the reason's bit index, from the language file.
#ifndef STATS_MARKREASON_H
#define STATS_MARKREASON_H

#include <string>
#include <vector>

enum MarkReason {
    kReasonWeightsTooLarge = 1, // the weights sum past the largest double
    kReasonWeightsTooSmall = 2, // two or more cases weigh one case or less
                                // together (weights near the smallest double)
    kReasonSpreadTooLarge = 4,  // a spread beyond the largest double
};

// The reasons that marks over `records` cases whose weights sum to
// `weight` have: too large when the sum is not finite, too small when at
// least `needed` cases weigh `needed` cases or less together; 0 otherwise.
int WeightReasons(double weight, long records, double needed = 1.0);

// The footer lines of the reasons, each the mark, a blank and the reason.
std::vector<std::string> MarkReasonLines(int reasons, const char *mark);

// The language file's text of one reason ("weights too large to sum").
const char *MarkReasonText(MarkReason reason);

#endif
