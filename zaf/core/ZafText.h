// Text helpers of the class library. Texts inside the library are 8-bit
// ISO 8859-1, zero-terminated. Heap texts made here are allocated with
// new[] and freed by the caller with delete[].
#pragma once

#include <cstddef>

// A new heap copy of the text (length + 1 bytes); null for null.
char *DuplicateLibraryString(const char *text);

// Byte-wise comparison that accepts null: two nulls are equal and null sorts
// before any text. 0 when equal, negative / positive like strcmp.
int ZafStringCompare(const char *a, const char *b);
