// Text helpers of the class library. Texts inside the library are 8-bit
// ISO 8859-1, zero-terminated. Heap texts made here are allocated with
// new[] and freed by the caller with delete[].
//
// Every comparison here accepts null texts the way ZafStringCompare does:
// two nulls are equal and null sorts before any text.
#pragma once

#include <cstddef>
#include <cstdio>

class ZafElement;

// A new heap copy of the text (length + 1 bytes); null for null.
char *DuplicateLibraryString(const char *text);

// Byte-wise comparison that accepts null: two nulls are equal and null sorts
// before any text. 0 when equal, negative / positive like strcmp.
int ZafStringCompare(const char *a, const char *b);

// Compares at most n characters after Latin-1 case folding: 0 when the first
// n characters are equal (or both texts end together earlier), else the
// difference of the first pair of folded characters that differ.
int ZafStringCompareNoCaseN(const char *a, const char *b, std::size_t n);

// Compares two whole texts after Latin-1 case folding: the difference of the
// first pair of folded characters that differ, 0 when equal.
int CompareTextNoCase(const char *a, const char *b);

// The default compare function of lists of window objects: -1 when a has no
// text, else 1 when b has none, else CompareStringsBySortKey of the two
// texts. An element that is not a window object has no text.
int CompareObjectTexts(ZafElement *a, ZafElement *b);

// -1, 0 or 1 by the sort keys of the current locale. The locale layer
// installs its comparison with SetSortKeyCompare; until then (and after
// SetSortKeyCompare(nullptr)) texts are ordered by their bytes after Latin-1
// case folding, so "apple" and "APPLE" compare equal.
int CompareStringsBySortKey(const char *a, const char *b);

// A sort-key comparison: negative, 0 or positive; never given null texts.
using ZafSortKeyCompare = int (*)(const char *a, const char *b);
// Installs the locale's comparison; null restores the default. Returns the
// comparison installed before.
ZafSortKeyCompare SetSortKeyCompare(ZafSortKeyCompare compare);

// Writes the value in the radix (2 to 16; anything else is taken as 10) with
// the digits "0123456789abcdef" into a buffer of bufferSize bytes. A
// negative value gets a '-' in radix 10 and is written as its unsigned 32-bit
// form in any other radix (-1 in radix 16 is "ffffffff"). With a minimum
// width above 0 the text is filled with zeros on the left up to that many
// characters, the sign counting (-12 at width 5 is "-0012"). Returns the
// buffer, or null when the text and its terminator do not fit; the buffer
// then holds an empty text (when bufferSize is at least 1).
char *ZafIntegerToText(int value, char *buffer, std::size_t bufferSize, int radix = 10, int minimumWidth = 0);

// 0 when the whole name matches the pattern, else 1. In the pattern '*'
// matches any run of characters (also none), '?' exactly one character and
// every other character itself, case counting. A null name or pattern is
// taken as the empty text.
int ZafWildcardMatch(const char *name, const char *pattern);

// A new heap text with every '&' of the text doubled and one '&' put before
// the character at the index (0-based), marking it as the hot key. Index -1,
// an index at or beyond the end and any other negative index insert no mark;
// neither does an index that names an '&' (that character cannot be a hot
// key). Null for a null text; the caller frees the result with delete[].
char *ZafInsertHotKey(const char *text, int index);

// Opens a standard file stream (fopen); null when either text is null or the
// file does not open. The name goes to Windows through the converter that
// SetOSTextConverter installs (the current code set's), else as it stands.
std::FILE *ZafOpenFile(const char *fileName, const char *mode);

// Converts a library text to the operating system's character set, as a new
// heap text (delete[]). The code-set layer installs it; until then texts
// pass to the operating system unchanged.
using ZafOSTextConverter = char *(*)(const char *text);
void SetOSTextConverter(ZafOSTextConverter converter);
