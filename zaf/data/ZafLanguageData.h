// Language tables: every text that the class library itself shows (day and
// month names, the number fields' messages, the system menu's items ...)
// comes from a numbered table of texts, each with a hot key and a 32-bit
// value.
//
// ZafLanguageData holds one table under its name (the string id, e.g.
// "ZafDayStrings"). A table is either owned (a heap copy the language data
// frees) or static (staticData set: it belongs to somebody else, as the
// built-in tables do, and is never freed or written). Its members are the
// ZafMessageData objects that GetMessageData made; they belong to the
// language data and follow every change of its table.
//
// ZafLanguageManager (one instance, zafLanguageManager) holds the language
// data currently acquired and the current language name ("en" by default).
// Classes share tables by name: AcquireLanguageData gives a counted
// reference (from the manager, else read from "i18n.znc" for the current
// language, else made on the caller's built-in table); ReleaseLanguageData
// gives it back and deletes the table with its last reference. A change of
// language reloads every acquired table in place.
//
// Number ids of entries are 16-bit and counted from 1; built-in tables begin
// with an entry "" / 0xFFFF that serves as the default text.
#pragma once

#include <cstdint>

#include "zaf/data/ZafDataRecord.h"

class ZafMessageData;

// One table entry. A table ends with the first entry whose number id is 0
// and whose string id is null.
struct ZafLanguageStruct
{
    const char *text; // never null in an owned table ("" for none)
    ZafNumberID numberID;
    const char *stringID; // may be null
    unsigned char hotKey;
    std::uint32_t value;
};

class ZafLanguageData : public ZafDataRecord
{
public:
    static constexpr ZafClassID classID = 3107;
    static constexpr const char *className = "ZafLanguageData";
    // Most entries a table read from a file may have.
    static constexpr std::int32_t maxEntries = 0x10000;
    // SetMessage results.
    static constexpr int noSuchEntry = 8;
    static constexpr int noTable = 11;

    // A table is copied unless staticData is set (then it is borrowed).
    explicit ZafLanguageData(const ZafLanguageStruct *table = nullptr, bool staticData = false);
    // Reads the table of that name for the language (null: the current
    // language) from "~ZafLanguageData~<name>~objectData.<language>". A read
    // error stays in the object's error; the persistence's error is cleared.
    ZafLanguageData(const char *name, ZafDataPersistence &persistence, const char *languageName = nullptr);
    ZafLanguageData(const ZafLanguageData &) = delete;
    ~ZafLanguageData() override;

    static ZafElement *New(const char *name, ZafDataPersistence &persistence);

    ZafClassID ClassID() const override { return classID; }
    const char *ClassName() const override { return className; }
    bool IsClassID(ZafClassID id) const override;
    bool IsClassName(const char *name) const override;
    // Writes the table under the suffix the caller pushed (the language).
    std::uint32_t Write(ZafDataPersistence &persistence) override;
    // A new language data with the same flag and name, a copy of the table
    // (the same table when static) and no members.
    ZafData *Duplicate() override;
    // Frees an owned table; the members stay.
    void Clear() override;
    ZafReadFunction ReadFunction() override { return New; }

    // The text of the first entry with the number id (or string id), with
    // its hot key and value stored through the outputs that are given. No
    // match: the first entry's text when useDefault is set (outputs
    // untouched), else null. Null without a table.
    const char *GetMessageText(ZafNumberID numberID, bool useDefault, unsigned char *hotKey = nullptr,
                               std::uint32_t *value = nullptr) const;
    const char *GetMessageTextByStringID(const char *stringID, bool useDefault, unsigned char *hotKey = nullptr,
                                         std::uint32_t *value = nullptr) const;
    // The member message data of the number id, made on first request; null
    // when there is no such entry (and no default text is wanted or there).
    ZafMessageData *GetMessageData(ZafNumberID numberID, bool useDefault);

    // 0, noSuchEntry or noTable. A static table is first copied (it is not
    // this object's to change).
    virtual int SetMessage(ZafNumberID numberID, const char *text, unsigned char hotKey, std::uint32_t value);
    // Takes another language data's table: a copy of an owned one, the
    // pointer of a static one. Returns 0.
    virtual int SetLanguageData(const ZafLanguageData &other);
    // Static: the pointer is replaced. Owned: a copy of a non-null table
    // replaces the old one (null keeps it). The members then refresh their
    // texts. Returns 0.
    virtual int SetLanguage(const ZafLanguageStruct *table);
    virtual std::uint8_t SetStaticData(std::uint8_t flag);

    void AddReference() { referenceCount++; }
    void DropReference()
    {
        if (referenceCount > 0)
            referenceCount--;
    }
    bool IsReferenced() const { return referenceCount != 0; }
    std::int32_t ReferenceCount() const { return referenceCount; }
    std::uint8_t StaticData() const { return staticData; }
    const ZafLanguageStruct *Table() const { return table; }
    // Entries before the terminator (0 without a table).
    int EntryCount() const;

    // The library's built-in table of that name ("ZafDayStrings",
    // "ZafMonthStrings", "ZafTimeStrings", "ZafSystemButton", "ZafPopUpItem",
    // "ZafInteger", "ZafReal"); null for another name.
    static const ZafLanguageStruct *BuiltInTable(const char *name);
    // The names of the built-in tables, ended by null.
    static const char *const *BuiltInTableNames();

private:
    void FreeTable();
    bool ReadData(ZafFile &file);
    void WriteData(ZafFile &file) const;
    void RefreshMembers();
    const ZafLanguageStruct *FindEntry(ZafNumberID numberID, const char *stringID) const;

    std::int32_t referenceCount = 0;
    std::uint8_t staticData = 0;
    ZafLanguageStruct *table = nullptr;
    // Entries allocated in an owned table, terminator excluded: an entry that
    // looks like a terminator inside a read table must still be freed.
    std::int32_t ownedEntries = 0;
};

class ZafLanguageManager : public ZafDataRecord
{
public:
    static constexpr ZafClassID classID = 3125;
    static constexpr const char *className = "ZafLanguageManager";

    ZafLanguageManager();
    // The acquired language data are unlinked, not deleted: each belongs to
    // its holders until its last ReleaseLanguageData.
    ~ZafLanguageManager() override;

    ZafClassID ClassID() const override { return classID; }
    const char *ClassName() const override { return className; }
    bool IsClassID(ZafClassID id) const override;
    bool IsClassName(const char *name) const override;
    ZafData *Add(ZafData *data, ZafData *before = nullptr) override;
    ZafData *Subtract(ZafData *data) override;

    // Takes the name and reloads every member's table for it from the i18n
    // persistence; a member whose table the language lacks keeps its table.
    // Returns 0.
    int ChangeLanguage(const char *name);
    const char *LanguageName() const { return languageName; }
    // The member of that string id, or null (no observer entry is made).
    ZafLanguageData *FindMember(const char *name) const;

private:
    char *languageName = nullptr;
};

// The language manager; null until CreateLanguageManager.
extern ZafLanguageManager *zafLanguageManager;

ZafLanguageData *AcquireLanguageData(const char *name, const ZafLanguageStruct *builtInTable);
void ReleaseLanguageData(ZafLanguageData *languageData);
// The current language name; null without a manager.
const char *GetCurrentLanguage();
// 0, or 1 when no manager could be made.
int SetCurrentLanguage(const char *name);
void CreateLanguageManager(const char *name);
void DeleteLanguageManager(std::uint8_t flag);
