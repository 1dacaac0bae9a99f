// Small text helpers of the program: the Nordic letters of old data sets,
// inserting into a fixed buffer, and the Ctrl+Shift test. No state.
#pragma once

#include <cstddef>

// Converts the Nordic letters of a text in place. Direction 0: DOS code page
// 865/850 to the Windows code page (134, 143, 145, 146, 155, 157 become 229,
// 197, 230, 198, 248, 216); direction 1 the reverse. With leaveAlone set, a
// null or empty text, or another direction, nothing changes.
void ConvertNordicLetters(bool leaveAlone, char *text, int direction);

// Inserts text into the zero-terminated buffer (bufferSize bytes) before the
// byte at position (0-based; the text's length appends). False, with the
// buffer unchanged, when the position lies past the end or the result would
// not fit with its terminator.
bool InsertTextAt(char *buffer, size_t bufferSize, const char *text, size_t position);

// True when both Ctrl and Shift are held down (the calling thread's key state).
bool IsCtrlShiftDown();
