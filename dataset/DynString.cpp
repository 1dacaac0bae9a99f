#include "dataset/DynString.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <new>
#include <utility>

namespace {
const size_t kInitialCapacity = 32;
const int kDefaultDecimals = 2;
} // namespace

DynString::DynString()
    : text_(new char[kInitialCapacity]), length_(0), capacity_(kInitialCapacity), decimals_(kDefaultDecimals)
{
    text_[0] = '\0';
}

DynString::DynString(const char *text) : DynString()
{
    AssignText(text);
}

DynString::DynString(const DynString &other) : DynString()
{
    decimals_ = other.decimals_;
    AssignString(other);
}

DynString::DynString(DynString &&other) noexcept
    : text_(other.text_), length_(other.length_), capacity_(other.capacity_), decimals_(other.decimals_)
{
    // The moved-from string stays usable: empty, without a buffer of its own
    // until it is next written.
    static char empty[1] = {'\0'};
    other.text_ = empty;
    other.length_ = 0;
    other.capacity_ = 0;
}

DynString &DynString::operator=(const DynString &other)
{
    if (this != &other) {
        decimals_ = other.decimals_;
        AssignString(other);
    }
    return *this;
}

DynString &DynString::operator=(DynString &&other) noexcept
{
    if (this != &other) {
        std::swap(text_, other.text_);
        std::swap(length_, other.length_);
        std::swap(capacity_, other.capacity_);
        std::swap(decimals_, other.decimals_);
    }
    return *this;
}

DynString::~DynString()
{
    if (capacity_ > 0)
        delete[] text_;
}

DynString DynString::ConstructFromText(const char *text)
{
    return DynString(text);
}

DynString DynString::ConstructWithCapacity(size_t capacity)
{
    DynString s;
    s.Reserve(capacity);
    return s;
}

void DynString::Reserve(size_t bytes)
{
    if (bytes <= capacity_)
        return;
    size_t grown = std::max(bytes, capacity_ < kInitialCapacity ? kInitialCapacity : capacity_ * 2);
    char *text = new char[grown];
    memcpy(text, text_, length_ + 1);
    if (capacity_ > 0)
        delete[] text_;
    text_ = text;
    capacity_ = grown;
}

DynString &DynString::Append(const char *text, size_t length)
{
    if (!text || length == 0)
        return *this;
    length = strnlen(text, length);
    // The text may lie inside this string's own buffer, which Reserve frees.
    if (text >= text_ && text < text_ + capacity_) {
        DynString copy;
        copy.Append(text, length);
        return Append(copy.text_, copy.length_);
    }
    Reserve(length_ + length + 1);
    memcpy(text_ + length_, text, length);
    length_ += length;
    text_[length_] = '\0';
    return *this;
}

DynString &DynString::Append(const char *text)
{
    return text ? Append(text, strlen(text)) : *this;
}

DynString &DynString::AppendInteger(long value)
{
    char digits[32];
    snprintf(digits, sizeof digits, "%ld", value);
    return Append(digits);
}

DynString &DynString::AppendReal(double value)
{
    char digits[512];
    snprintf(digits, sizeof digits, "%.*f", decimals_, value);
    return Append(digits);
}

DynString &DynString::AppendString(const DynString &other)
{
    return Append(other.text_, other.length_);
}

DynString &DynString::AssignText(const char *text)
{
    if (text == text_)
        return *this;
    DynString copy;
    copy.decimals_ = decimals_;
    copy.Append(text);
    *this = std::move(copy);
    return *this;
}

DynString &DynString::AssignString(const DynString &other)
{
    if (this != &other)
        AssignText(other.text_);
    return *this;
}

DynString &DynString::Prepend(const char *text)
{
    if (!text || !*text)
        return *this;
    DynString joined = ConstructWithCapacity(strlen(text) + length_ + 1);
    joined.decimals_ = decimals_;
    joined.Append(text).Append(text_, length_);
    *this = std::move(joined);
    return *this;
}

void DynString::Clear()
{
    if (capacity_ == 0)
        Reserve(kInitialCapacity);
    length_ = 0;
    text_[0] = '\0';
}

void DynString::SetDecimals(int decimals)
{
    decimals_ = std::max(0, std::min(decimals, 15));
}

void PrependToString(DynString &string, const char *text)
{
    string.Prepend(text);
}
