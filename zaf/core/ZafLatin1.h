// Latin-1 (ISO 8859-1) character classes and case mapping, independent of
// the C library's locale.
//
// Every text inside the class library is 8-bit Latin-1. Upper-case letters
// are A-Z, 0xC0-0xD6 and 0xD8-0xDE; their lower-case forms lie 32 above.
// 0xD7 and 0xF7 (multiplication and division signs) have no case; 0xDF and
// 0xFF are lower-case letters without an upper-case form. A plain `char`
// passed here is taken as its unsigned byte value.
//
// The functions live in the GUI core because the core's own text helpers
// fold case with them; the code sets of zaf/data build on them.
#pragma once

// "0" to "9".
bool IsDigitLatin1(unsigned char c);

// 32-126 and 0xA0-0xFF.
bool IsPrintLatin1(unsigned char c);

// Blank, tab to carriage return (9-13) and the no-break space 0xA0.
bool IsSpaceLatin1(unsigned char c);

// a-z, 0xDF-0xF6 and 0xF8-0xFF.
bool IsLowerLatin1(unsigned char c);

// True for A-Z, 0xC0-0xD6 and 0xD8-0xDE.
bool IsUpperLatin1(unsigned char c);

// The lower-case form of an upper-case letter (32 added); any other character
// is returned unchanged.
unsigned char ToLowerLatin1(unsigned char c);

// The upper-case form of a lower-case letter (32 subtracted); 0xDF, 0xFF and
// every other character are returned unchanged.
unsigned char ToUpperLatin1(unsigned char c);

// Lower-cases every upper-case letter of the text in place; returns the text
// (null stays null).
char *ToLowerStringLatin1(char *text);
