// ZafError: the codes that the error words of files, file systems,
// persistence contexts, data objects and window objects hold. 0 is no
// error; an error word keeps the last code set until its owner clears it.
#pragma once

#include <cstdint>

namespace ZafError {
enum Code : std::uint32_t {
    None = 0,
    // Field validation: what a field's value check answers.
    InvalidText = 1,  // the text is not a value of the field's kind
    OutOfRange = 5,   // the value lies in none of the allowed ranges
    BelowMinimum = 6, // the value is below the lower bound
    AboveMaximum = 7, // the value is above the upper bound
    ValueKept = 12,   // the new value was refused and the old one kept
    // Files, file systems and persistence.
    NotFound = 2,          // entry missing (and not made), no name or one that cannot be
                           // stored, or a storage that is not writeable
    IdMismatch = 8,        // an entry's string id or object id differs from the one asked for
    ImageNotLoadable = 13, // an image's bitmap or resource could not be loaded
    Open = 14,             // a file could not be opened (also: no file system gave one)
    Seek = 15,             // a seek failed or the file has no stream
    Read = 16,             // a read came short, a bad string, or a layout that does not fit the file
    Write = 17,            // a write came short or was refused
    Header = 18,           // a UI data file whose header is wrong
};
} // namespace ZafError
