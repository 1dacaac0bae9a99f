// DynString: the program's growable text, used for page, dialog and window
// titles, control names, paths and output lines. The text is always
// zero-terminated and owned by the string; Text() stays valid until the
// string is next changed or destroyed. A fresh string is empty, holds a
// buffer of 32 bytes and appends real numbers with 2 decimals.
#pragma once

#include <cstddef>

class DynString
{
public:
    DynString();
    explicit DynString(const char *text);
    DynString(const DynString &other);
    DynString(DynString &&other) noexcept;
    DynString &operator=(const DynString &other);
    DynString &operator=(DynString &&other) noexcept;
    ~DynString();

    static DynString ConstructFromText(const char *text);
    // An empty string whose buffer holds at least capacity bytes.
    static DynString ConstructWithCapacity(size_t capacity);

    DynString &Append(const char *text);                // null appends nothing
    DynString &Append(const char *text, size_t length); // at most length bytes
    DynString &AppendInteger(long value);               // decimal
    DynString &AppendReal(double value);                // with Decimals() decimals
    DynString &AppendString(const DynString &other);
    DynString &AssignText(const char *text); // null empties
    DynString &AssignString(const DynString &other);
    DynString &Prepend(const char *text);
    void Clear();

    const char *Text() const { return text_; }
    size_t Length() const { return length_; }
    size_t Capacity() const { return capacity_; } // bytes, terminator included
    bool IsEmpty() const { return length_ == 0; }

    int Decimals() const { return decimals_; }
    void SetDecimals(int decimals); // limited to 0..15

private:
    void Reserve(size_t bytes);

    char *text_;
    size_t length_;
    size_t capacity_;
    int decimals_;
};

// Puts text in front of the string's text.
void PrependToString(DynString &string, const char *text);
