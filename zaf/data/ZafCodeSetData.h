// Code sets: how texts cross between the library (always Latin-1 inside) and
// the operating system's code page.
//
// ZafCharLookup: one byte-for-byte translation table over a range of
// characters; a 0 byte in the table (or a character outside the range)
// leaves the character unchanged. ZafCodeSetData: a code set with one lookup
// per direction ("isoToLocal", "localToIso") and the directory separator of
// the local file system. The built-in code set "ISO8859-1" has identity
// tables; others are read by name from "i18n.znc".
//
// The current code set (zafCodeSet) is made by InitializeCodeSet and owned
// by this module, or by the data manager when it was read through it.
// ConvertTextByCodeSet / ConvertTextToISO are used for every text handed to
// or taken from Windows; without a buffer and without allocation they answer
// in a static 256-byte buffer that the next call of the same function
// overwrites, so callers copy what they keep.
//
// The Latin-1 character classes (IsDigitLatin1 ... ToUpperLatin1) are those
// of zaf/core/ZafLatin1.h, included here.
#pragma once

#include <cstdint>

#include "zaf/core/ZafLatin1.h"
#include "zaf/data/ZafLocaleData.h"

class ZafFile;

class ZafCharLookup
{
public:
    static constexpr ZafClassID classID = 3122;
    static constexpr const char *className = "ZafCharLookup";

    // A lookup over 0-255 from a 256-byte table (null: all zero, identity).
    ZafCharLookup(const char *tableName, const unsigned char *table, const char *name = nullptr);
    ZafCharLookup(const ZafCharLookup &copy);
    ZafCharLookup &operator=(const ZafCharLookup &) = delete;
    // Reads the entry named tableName at a level ("ZafCharLookup", 3122,
    // entry type 3) below the current one. The persistence error tells
    // whether it was read; a table read in part is reset to the identity.
    ZafCharLookup(const char *name, const char *tableName, ZafDataPersistence &persistence);
    virtual ~ZafCharLookup();

    // Writes the replacement of the character into output[0]; returns 1.
    virtual int ConvertChar(unsigned char c, char *output) const;
    // The same for the character at input; returns the characters consumed.
    virtual int ConvertCharFrom(const char *input, char *output) const;
    virtual std::uint32_t Write(ZafDataPersistence &persistence) const;

    const char *Name() const { return name; }
    const char *TableName() const { return tableName; }
    unsigned char First() const { return first; }
    unsigned char Last() const { return last; }
    const unsigned char *Table() const { return table; }
    // Covers first..last with the table's bytes for those characters.
    void SetRange(unsigned char first, unsigned char last);
    void SetEntry(unsigned char c, unsigned char replacement) { table[c] = replacement; }

private:
    char *name = nullptr;
    char *tableName = nullptr;
    unsigned char first = 0;
    unsigned char last = 255;
    unsigned char table[256] = {};
};

// Abstract base of code sets: the conversion operations.
class ZafCodeSetDataStub : public ZafI18nData
{
public:
    ZafCodeSetDataStub() = default;
    ZafCodeSetDataStub(const ZafCodeSetDataStub &copy) : ZafI18nData(copy) {}
    ZafCodeSetDataStub(const char *name, ZafDataPersistence &persistence) : ZafI18nData(name, persistence) {}

    // Output holds the converted character and a terminator; returns the
    // number of characters written before the terminator.
    virtual int ISOToLocalChar(unsigned char c, char *output) = 0;
    virtual char *ISOToLocal(const char *text, char *buffer, bool allocate) = 0;
    // Returns the number of input characters consumed.
    virtual int LocalToISOChar(const char *input, char *output) = 0;
    virtual char *LocalToISO(const char *text, char *buffer, bool allocate) = 0;
    virtual std::uint8_t StaticData() const = 0;
    virtual std::uint8_t SetStaticData(std::uint8_t flag) = 0;
    virtual void SetDefaultSeparator() = 0;
};

class ZafCodeSetData : public ZafCodeSetDataStub
{
public:
    static constexpr ZafClassID classID = 3121;
    static constexpr const char *className = "ZafCodeSetData";
    // The built-in code set's name.
    static constexpr const char *builtInName = "ISO8859-1";

    // Tables of 256 bytes each; null gives an identity table.
    explicit ZafCodeSetData(const unsigned char *isoToLocal = nullptr, const unsigned char *localToIso = nullptr);
    ZafCodeSetData(const ZafCodeSetData &copy);
    ZafCodeSetData(const char *name, ZafDataPersistence &persistence);
    ~ZafCodeSetData() override;

    static ZafElement *New(const char *name, ZafDataPersistence &persistence);

    ZafClassID ClassID() const override { return classID; }
    const char *ClassName() const override { return className; }
    bool IsClassID(ZafClassID id) const override;
    bool IsClassName(const char *name) const override;
    std::uint32_t Write(ZafDataPersistence &persistence) override;
    ZafData *Duplicate() override { return new ZafCodeSetData(*this); }
    void Clear() override {}
    ZafReadFunction ReadFunction() override { return New; }

    int ISOToLocalChar(unsigned char c, char *output) override;
    // text null gives null. Output: a new buffer (allocate; delete[] by the
    // caller), else the given buffer (which must hold the text), else a
    // static 256-byte buffer holding at most 255 characters.
    char *ISOToLocal(const char *text, char *buffer, bool allocate) override;
    int LocalToISOChar(const char *input, char *output) override;
    char *LocalToISO(const char *text, char *buffer, bool allocate) override;
    std::uint8_t StaticData() const override { return staticData; }
    std::uint8_t SetStaticData(std::uint8_t flag) override { return staticData = flag; }
    void SetDefaultSeparator() override;

    const char *DirectorySeparator() const { return directorySeparator; }
    // The separator is the local file system's; this turns it into Latin-1.
    void ConvertSeparatorToISO();
    ZafCharLookup *ISOToLocalLookup() const { return isoToLocal; }
    ZafCharLookup *LocalToISOLookup() const { return localToIso; }

private:
    static char *Convert(const ZafCharLookup *lookup, const char *text, char *buffer, bool allocate, char *staticBuffer,
                         bool fromLocal);

    char directorySeparator[2] = {'\\', '\0'};
    std::uint8_t staticData = 0;
    ZafCharLookup *isoToLocal = nullptr;
    ZafCharLookup *localToIso = nullptr;
};

// The current code set; null until InitializeCodeSet.
extern ZafCodeSetData *zafCodeSet;

// A text for Windows in the current code set; without a code set a plain
// copy. Null for null. See the header comment for the buffers.
char *ConvertTextByCodeSet(const char *text, char *buffer = nullptr, bool allocate = false);
// A text from Windows in Latin-1, the same way.
char *ConvertTextToISO(const char *text, char *buffer = nullptr, bool allocate = false);
// The current code set's directory separator text, "\" without a code set.
const char *GetDirectorySeparator();

// Makes the current code set when there is none: the named one from the
// data manager, else the built-in "ISO8859-1".
void InitializeCodeSet(const char *name);
// Makes the named code set current; 1 (and error 1 in the current code set)
// when it was not found, else 0.
int SetCodeSet(const char *name);
// Deletes the current code set when the flag is set and it is destroyable
// and unobserved.
void DeleteCodeSet(std::uint8_t flag);
