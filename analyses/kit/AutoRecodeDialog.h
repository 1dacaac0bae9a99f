// AutoRecodeDialog: before a table counts its variables, offers those with
// more distinct values than a table can show for grouping into equal-width
// intervals. A modal dialog built in code lists each offered variable with a
// check box (ticked) and the number of intervals (4); the caller then groups
// the ticked ones for this run only (GroupIntoIntervals).
//
// candidates: one entry per variable of the caller, the variable number when
// it is offered, else -1, ended by a 0 entry. intervals: as long, filled
// with 0 by the caller; on OK, entry i receives the number of intervals
// typed for every offered variable left ticked. OK is refused, with the
// field's message, while a ticked variable's number is no number or outside
// 2 to 15 (the counts grouping makes). title: added to the dialog's title
// (may be null).
// Answers true when nothing is offered (no dialog) or the dialog ended with
// OK; false when it was cancelled or closed.
//
// Controls, named by the entry's position i in the candidate list (every
// position counts, offered or not): the check box "bt" + i and its interval
// field "bt" + i + "gr", on rows 3, 4, ... of a dialog 60 cells wide and
// (offered + 7) high, title bar included; OK, cancel and help on row
// offered + 4.
#pragma once

class ZafDialogWindow;

// Names of the dialog's buttons.
constexpr const char *autoRecodeOkName = "BT_OK";
constexpr const char *autoRecodeCancelName = "BT_CANCEL";
constexpr const char *autoRecodeHelpName = "BT_HELP";

bool AutoRecodeDialog(const long *candidates, long *intervals, const char *title);

// Where the dialog takes its texts from (number, group); by default the
// program's language catalogue (StatText). Answers the source in force.
using AutoRecodeTextSource = const char *(*)(int number, int group);
AutoRecodeTextSource SetAutoRecodeTextSource(AutoRecodeTextSource source);

// Called with the dialog once it is on the screen, just before it runs
// modally (null: nothing). Answers the hook in force.
using AutoRecodeShownHook = void (*)(ZafDialogWindow *dialog);
AutoRecodeShownHook SetAutoRecodeShownHook(AutoRecodeShownHook hook);
