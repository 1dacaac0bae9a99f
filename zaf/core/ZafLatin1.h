// Latin-1 (ISO 8859-1) case classes, independent of the C library's locale.
//
// Every text inside the class library is 8-bit Latin-1. Upper-case letters
// are A-Z, 0xC0-0xD6 and 0xD8-0xDE; their lower-case forms lie 32 above.
// 0xD7 and 0xF7 (multiplication and division signs) have no case; 0xDF and
// 0xFF are lower-case letters without an upper-case form. A plain `char`
// passed here is taken as its unsigned byte value.
#pragma once

// True for A-Z, 0xC0-0xD6 and 0xD8-0xDE.
bool IsUpperLatin1(unsigned char c);

// The lower-case form of an upper-case letter (32 added); any other character
// is returned unchanged.
unsigned char ToLowerLatin1(unsigned char c);
