// ZafStringData: the text of a prompt, title, button, edit field, list item
// or combo box, and the program's own texts.
//
// The text is 8-bit Latin-1, zero-terminated, in a buffer of BufferSize()
// bytes. Owned data (the default) allocates and grows its buffer. Static data
// uses the caller's buffer in place and never frees or grows it: with a
// maximum length the caller's buffer holds maximum + 1 bytes; without one it
// is taken to hold exactly the text it was given. A maximum length of -1
// means none. Positions count characters from 0.
//
// It prints through the letters "c" and "s" and scans through "s", "c" and
// "[" (a character set). Every change is one update bracket: observers are
// told once.
//
// ZafMessageData: a string data with a hot key (stored upper-cased) and a
// 32-bit value, made from the entries of a language table. It is never
// written or read by itself; its duplicate is a plain string data.
#pragma once

#include "zaf/data/ZafFormatData.h"

class ZafStringData : public ZafFormatData
{
public:
    static constexpr ZafClassID classID = 3105;
    static constexpr const char *className = "ZafStringData";
    static constexpr int defaultBufferSize = 255;

    explicit ZafStringData(bool staticData = false);
    // Static data uses the text's buffer itself (null: no buffer yet).
    ZafStringData(const char *text, int maxLength = -1, bool staticData = false);
    ZafStringData(const ZafStringData &other);
    // Persistent constructor: a signed 16-bit maximum length, then the text.
    // After a failed read the object has no buffer.
    ZafStringData(const char *name, ZafDataPersistence &persistence);
    ZafStringData &operator=(const ZafStringData &) = delete;
    ~ZafStringData() override;
    static ZafElement *New(const char *name, ZafDataPersistence &persistence);

    ZafClassID ClassID() const override { return classID; }
    const char *ClassName() const override { return className; }
    bool IsClassID(ZafClassID id) const override;
    bool IsClassName(const char *name) const override;
    std::uint32_t Write(ZafDataPersistence &persistence) override;
    ZafData *Duplicate() override { return new ZafStringData(*this); }
    ZafReadFunction ReadFunction() override { return New; }
    // Empties the text, error 0, one notification.
    void Clear() override;

    const char *Text() const { return text; }
    int Length() const;
    int BufferSize() const { return bufferSize; }
    int MaxLength() const { return maxLength; }
    bool StaticData() const { return staticData; }
    // New heap copies (delete[] by the caller): of the buffer, and of the text
    // in the operating system's character set.
    char *DuplicateText() const;
    char *DuplicateConvertedText() const;
    // 0 when equal; without ignoring case -1, 0 or 1 byte by byte.
    virtual int Compare(const char *other, bool ignoreCase) const;

    virtual int SetText(const char *newText, int newMaxLength);
    virtual int SetText(const char *newText);
    virtual int SetStringData(const ZafStringData &other);
    ZafStringData &AssignFrom(const ZafStringData &other);
    virtual int SetMaxLength(int newMaxLength);
    virtual int Append(const char *tail);
    // Inserts count characters of the text (-1: all) before the position; a
    // position past the end of the text appends.
    virtual int Insert(int position, const char *insertion, int count = -1);
    virtual int Delete(int position, int count);
    virtual int DeleteText(const char *part);
    virtual int Replace(int position, int count, const char *insertion, int insertionCount = -1);
    // Stores one character; 5 when the position lies outside a buffer that may
    // not grow (static data or a maximum length). Quiet: no notification.
    virtual int SetChar(int position, char c, bool quiet = false);
    virtual bool SetStaticData(bool flag);
    virtual int SetOSText(const char *osText);
    virtual int SetFormattedText(const char *newText, const char *format);

    int FormattedText(char *buffer, int maxLength, const char *format) override;

    // Registers the string letters with the engines (once per run).
    static void RegisterConversions();

private:
    void ConstructFromText(const char *newText, int newMaxLength, bool newStaticData);
    // The text-setting rules of SetText, without notification.
    void AssignText(const char *newText);
    // Replaces an owned buffer by one of the given size holding the text.
    void Reallocate(int newSize);

    static void PrintConversion(ZafFormatArguments &arguments, ZafPrintOutput &output, char letter, unsigned flags,
                                int width, int precision);
    static int ScanConversion(ZafFormatArguments &arguments, const char *&text, char letter, unsigned flags, int width,
                              const char *&format);

    bool staticData = false;
    int bufferSize = 0;
    int maxLength = -1;
    char *text = nullptr;
};

class ZafMessageData : public ZafStringData
{
public:
    static constexpr ZafClassID classID = 3126;
    static constexpr const char *className = "ZafMessageData";

    ZafMessageData(const char *text, char hotKey, std::uint32_t value);

    ZafClassID ClassID() const override { return classID; }
    const char *ClassName() const override { return className; }
    bool IsClassID(ZafClassID id) const override;
    bool IsClassName(const char *name) const override;

    char HotKey() const { return hotKey; }
    std::uint32_t Value() const { return value; }
    // Stores the upper-cased hot key and the value; when either differs from
    // the stored one the next notification carries the one-shot kind. It
    // does not notify by itself. Returns the stored hot key.
    virtual char SetHotKey(char newHotKey, std::uint32_t newValue);

private:
    char hotKey = 0;
    std::uint32_t value = 0;
};
