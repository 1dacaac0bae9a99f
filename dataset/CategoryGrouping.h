// Too many categories for a table: the test that offers a variable for
// grouping, and the grouping of its values into equal-width intervals.
// Interval numbers count from 1; the caller owns the lists and labels it
// hands in and receives.
#pragma once

class BUFFERTYPE;
class KATLABS;

// False when the setting "UseAutorecode" (section "DefaultValues", default
// on) is off. Otherwise true when the variable has more than 25 category
// labels, or more than 25 distinct valid values when it has labels, or more
// than 10 without labels. The list is walked from case 1 and left ready for
// a forward walk from case 1.
bool ExceedsCategoryLimit(BUFFERTYPE *list, KATLABS *labels);

// Replaces the list in *slot (deleting it) by a temporary list of interval
// numbers 1..n: the range of the valid values is cut into n equal-width
// intervals (n limited to 2..15), each value goes to its interval (the
// maximum to the last one), missing values (system or user) become the
// system-missing value. The data set is not changed. When labels is not
// null, *labels receives one label per interval, "low - high" formatted
// "%s - %1.*lf" with the variable's decimals (0 for integer variables);
// an existing object keeps its caption, a new one (null *labels) takes the
// variable's caption from the current data set. False (slot unchanged) when
// the slot holds no list or the temporary list cannot be made.
bool GroupIntoIntervals(BUFFERTYPE **slot, int intervals, KATLABS **labels);
