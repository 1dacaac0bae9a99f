#include "zaf/data/ZafLanguageData.h"

#include <cstring>

#include "zaf/core/ZafText.h"
#include "zaf/data/ZafDataClassSupport.h"
#include "zaf/data/ZafDataManager.h"
#include "zaf/data/ZafDataPersistence.h"
#include "zaf/data/ZafFile.h"
#include "zaf/data/ZafLocaleData.h"
#include "zaf/data/ZafStaticCleanup.h"
#include "zaf/data/ZafStringData.h"

ZafLanguageManager *zafLanguageManager = nullptr;

namespace {
constexpr std::uint32_t noValue = 0xFFFFFFFFu;

bool IsTerminator(const ZafLanguageStruct &entry)
{
    return entry.numberID == 0 && !entry.stringID;
}

// Pushes the language suffix and the level of a language table, so that the
// record's persistent constructor reads the table's own file.
ZafDataPersistence &PushTableLevel(ZafDataPersistence &persistence, const char *languageName)
{
    persistence.PushSuffix(languageName ? languageName : GetCurrentLanguage());
    return persistence.PushLevel(ZafLanguageData::className, ZafLanguageData::classID,
                                 ZafDataPersistence::topLevelEntry);
}

// The built-in tables.
const ZafLanguageStruct dayStrings[] = {
    {"", 0xFFFF, nullptr, 0, noValue},   {"Sunday", 1, nullptr, 0, noValue},    {"Monday", 2, nullptr, 0, noValue},
    {"Tuesday", 3, nullptr, 0, noValue}, {"Wednesday", 4, nullptr, 0, noValue}, {"Thursday", 5, nullptr, 0, noValue},
    {"Friday", 6, nullptr, 0, noValue},  {"Saturday", 7, nullptr, 0, noValue},  {"Sun", 8, nullptr, 0, noValue},
    {"Mon", 9, nullptr, 0, noValue},     {"Tue", 10, nullptr, 0, noValue},      {"Wed", 11, nullptr, 0, noValue},
    {"Thu", 12, nullptr, 0, noValue},    {"Fri", 13, nullptr, 0, noValue},      {"Sat", 14, nullptr, 0, noValue},
    {"Sun.", 15, nullptr, 0, noValue},   {"Mon.", 16, nullptr, 0, noValue},     {"Tues.", 17, nullptr, 0, noValue},
    {"Wed.", 18, nullptr, 0, noValue},   {"Thurs.", 19, nullptr, 0, noValue},   {"Fri.", 20, nullptr, 0, noValue},
    {"Sat.", 21, nullptr, 0, noValue},   {nullptr, 0, nullptr, 0, 0},
};

const ZafLanguageStruct monthStrings[] = {
    {"", 0xFFFF, nullptr, 0, noValue},     {"January", 1, nullptr, 0, noValue},  {"February", 2, nullptr, 0, noValue},
    {"March", 3, nullptr, 0, noValue},     {"April", 4, nullptr, 0, noValue},    {"May", 5, nullptr, 0, noValue},
    {"June", 6, nullptr, 0, noValue},      {"July", 7, nullptr, 0, noValue},     {"August", 8, nullptr, 0, noValue},
    {"September", 9, nullptr, 0, noValue}, {"October", 10, nullptr, 0, noValue}, {"November", 11, nullptr, 0, noValue},
    {"December", 12, nullptr, 0, noValue}, {"Jan", 13, nullptr, 0, noValue},     {"Feb", 14, nullptr, 0, noValue},
    {"Mar", 15, nullptr, 0, noValue},      {"Apr", 16, nullptr, 0, noValue},     {"May", 17, nullptr, 0, noValue},
    {"Jun", 18, nullptr, 0, noValue},      {"Jul", 19, nullptr, 0, noValue},     {"Aug", 20, nullptr, 0, noValue},
    {"Sep", 21, nullptr, 0, noValue},      {"Oct", 22, nullptr, 0, noValue},     {"Nov", 23, nullptr, 0, noValue},
    {"Dec", 24, nullptr, 0, noValue},      {"Jan.", 25, nullptr, 0, noValue},    {"Feb.", 26, nullptr, 0, noValue},
    {"Mar.", 27, nullptr, 0, noValue},     {"Apr.", 28, nullptr, 0, noValue},    {"May", 29, nullptr, 0, noValue},
    {"June", 30, nullptr, 0, noValue},     {"July", 31, nullptr, 0, noValue},    {"Aug.", 32, nullptr, 0, noValue},
    {"Sept.", 33, nullptr, 0, noValue},    {"Oct.", 34, nullptr, 0, noValue},    {"Nov.", 35, nullptr, 0, noValue},
    {"Dec.", 36, nullptr, 0, noValue},     {nullptr, 0, nullptr, 0, 0},
};

const ZafLanguageStruct timeStrings[] = {
    {"", 0xFFFF, nullptr, 0, noValue}, {"a.m.", 1, nullptr, 0, noValue}, {"p.m.", 2, nullptr, 0, noValue},
    {"xxxx", 3, nullptr, 0, noValue},  {nullptr, 0, nullptr, 0, 0},
};

// The system button's menu: text, id, hot-key letter, value.
const ZafLanguageStruct systemButtonStrings[] = {
    {"", 0xFFFF, nullptr, 0, noValue}, {"Restore", 6, nullptr, 'R', 0},   {"Move", 5, nullptr, 'M', 0},
    {"Size", 8, nullptr, 'S', 0},      {"Minimize", 4, nullptr, 'N', 2},  {"Maximize", 3, nullptr, 'X', 2},
    {"", 7, nullptr, 0, noValue},      {"Close", 2, nullptr, 0, noValue}, {nullptr, 0, nullptr, 0, 0},
};

// The pop-up items' built-in texts: the value is the hot key's index in the
// text (none: 0xFFFFFFFF, that is -1). Exactly these five entries.
const ZafLanguageStruct popUpItemStrings[] = {
    {"Exit", 10, nullptr, 'X', 1},     {"Close", 2, nullptr, 'C', 0},      {"Cut", 12, nullptr, 0, noValue},
    {"Copy", 11, nullptr, 0, noValue}, {"Paste", 13, nullptr, 0, noValue}, {nullptr, 0, nullptr, 0, 0},
};

// The number fields' messages (the same for integers and reals).
const ZafLanguageStruct numberStrings[] = {
    {"", 0xFFFF, nullptr, 0, noValue},
    {"The number %s is invalid.", 1, nullptr, 0, noValue},
    {"The number %s is not in the range %s.", 5, nullptr, 0, noValue},
    {"The number %s is less than %s.", 6, nullptr, 0, noValue},
    {"The number %s is greater than %s.", 7, nullptr, 0, noValue},
    {nullptr, 0, nullptr, 0, 0},
};

const struct
{
    const char *name;
    const ZafLanguageStruct *table;
} builtInTables[] = {
    {"ZafDayStrings", dayStrings},      {"ZafMonthStrings", monthStrings},
    {"ZafTimeStrings", timeStrings},    {"ZafSystemButton", systemButtonStrings},
    {"ZafPopUpItem", popUpItemStrings}, {"ZafInteger", numberStrings},
    {"ZafReal", numberStrings},
};
} // namespace

// ---------------------------------------------------------------------------
// ZafLanguageData

const ZafLanguageStruct *ZafLanguageData::BuiltInTable(const char *name)
{
    for (const auto &entry : builtInTables)
        if (ZafStringCompare(entry.name, name) == 0)
            return entry.table;
    return nullptr;
}

const char *const *ZafLanguageData::BuiltInTableNames()
{
    static const char *const names[] = {"ZafDayStrings", "ZafMonthStrings", "ZafTimeStrings", "ZafSystemButton",
                                        "ZafPopUpItem",  "ZafInteger",      "ZafReal",        nullptr};
    return names;
}

ZafLanguageData::ZafLanguageData(const ZafLanguageStruct *table, bool staticData) : staticData(staticData ? 1 : 0)
{
    SetLanguage(table);
}

ZafLanguageData::ZafLanguageData(const char *name, ZafDataPersistence &persistence, const char *languageName)
    : ZafDataRecord(name, PushTableLevel(persistence, languageName))
{
    if (persistence.Error() == 0 && persistence.File()) {
        if (!ReadData(*persistence.File()))
            persistence.SetError(ZafError::Read);
    }
    persistence.PopLevel();
    persistence.PopSuffix();
    if (persistence.Error() != 0) {
        SetError(persistence.Error());
        persistence.SetError(0);
    }
}

ZafLanguageData::~ZafLanguageData()
{
    FreeTable();
}

ZafElement *ZafLanguageData::New(const char *name, ZafDataPersistence &persistence)
{
    return new ZafLanguageData(name, persistence, nullptr);
}

bool ZafLanguageData::IsClassID(ZafClassID id) const
{
    return id == classID || ZafDataRecord::IsClassID(id);
}

bool ZafLanguageData::IsClassName(const char *name) const
{
    return ZafIsOwnClassName(name, className) || ZafDataRecord::IsClassName(name);
}

ZafData *ZafLanguageData::Duplicate()
{
    // A fresh record: the members belong to this language data alone.
    ZafLanguageData *copy = new ZafLanguageData(table, staticData != 0);
    copy->SetStringID(StringID());
    copy->SetNumberID(NumberID());
    return copy;
}

int ZafLanguageData::EntryCount() const
{
    int count = 0;
    if (table)
        while (!IsTerminator(table[count]))
            count++;
    return count;
}

void ZafLanguageData::FreeTable()
{
    if (!staticData && table) {
        for (std::int32_t i = 0; i < ownedEntries; i++) {
            delete[] table[i].text;
            delete[] table[i].stringID;
        }
        delete[] table;
    }
    table = nullptr;
    ownedEntries = 0;
}

void ZafLanguageData::Clear()
{
    StartUpdate();
    FreeTable();
    EndUpdate(true);
}

int ZafLanguageData::SetLanguage(const ZafLanguageStruct *newTable)
{
    if (staticData) {
        // The old table was borrowed: only the pointer goes.
        table = const_cast<ZafLanguageStruct *>(newTable);
        ownedEntries = 0;
    } else if (newTable) {
        // The copy is made first: the new table may be this one's own.
        std::int32_t count = 0;
        while (!IsTerminator(newTable[count]))
            count++;
        ZafLanguageStruct *copy = new ZafLanguageStruct[count + 1];
        for (std::int32_t i = 0; i < count; i++) {
            copy[i].text = DuplicateLibraryString(newTable[i].text ? newTable[i].text : "");
            copy[i].numberID = newTable[i].numberID;
            copy[i].stringID = DuplicateLibraryString(newTable[i].stringID);
            copy[i].hotKey = newTable[i].hotKey;
            copy[i].value = newTable[i].value;
        }
        copy[count] = ZafLanguageStruct{nullptr, 0, nullptr, 0, 0};
        Clear();
        table = copy;
        ownedEntries = count;
    }
    RefreshMembers();
    return 0;
}

void ZafLanguageData::RefreshMembers()
{
    for (ZafElement *element = First(); element; element = element->Next()) {
        ZafMessageData *member = static_cast<ZafMessageData *>(element);
        // When no entry has the member's id it gets the default text; its
        // hot key and value then stay as they were.
        unsigned char hotKey = static_cast<unsigned char>(member->HotKey());
        std::uint32_t value = member->Value();
        const char *text = member->StringID() ? GetMessageTextByStringID(member->StringID(), true, &hotKey, &value)
                                              : GetMessageText(member->NumberID(), true, &hotKey, &value);
        member->SetHotKey(static_cast<char>(hotKey), value);
        member->SetText(text);
    }
}

int ZafLanguageData::SetLanguageData(const ZafLanguageData &other)
{
    if (&other == this)
        return 0;
    if (!other.staticData) {
        // A borrowed table is let go and the other's table copied, so that
        // this one outlives the other (a temporary read for a language
        // change).
        if (staticData) {
            staticData = 0;
            table = nullptr;
            ownedEntries = 0;
        }
        SetLanguage(other.table);
    } else {
        Clear();
        staticData = 1;
        SetLanguage(other.table);
    }
    return 0;
}

std::uint8_t ZafLanguageData::SetStaticData(std::uint8_t flag)
{
    flag = flag ? 1 : 0;
    if (flag == staticData)
        return staticData;
    if (flag) {
        staticData = 1;
        return staticData;
    }
    const ZafLanguageStruct *source = table;
    staticData = 0;
    table = nullptr;
    ownedEntries = 0;
    SetLanguage(source);
    return staticData;
}

int ZafLanguageData::SetMessage(ZafNumberID numberID, const char *text, unsigned char hotKey, std::uint32_t value)
{
    if (!table)
        return noTable;
    if (!FindEntry(numberID, nullptr))
        return noSuchEntry;
    // A borrowed table is not ours to write (a built-in one lies in
    // read-only memory): take a copy first.
    if (staticData)
        SetStaticData(0);
    ZafLanguageStruct *entry = const_cast<ZafLanguageStruct *>(FindEntry(numberID, nullptr));
    StartUpdate();
    char *copy = DuplicateLibraryString(text ? text : "");
    delete[] entry->text;
    entry->text = copy;
    entry->hotKey = hotKey;
    entry->value = value;
    EndUpdate(true);
    return 0;
}

const ZafLanguageStruct *ZafLanguageData::FindEntry(ZafNumberID numberID, const char *stringID) const
{
    if (!table)
        return nullptr;
    for (const ZafLanguageStruct *entry = table; !IsTerminator(*entry); entry++) {
        if (stringID ? (entry->stringID && std::strcmp(entry->stringID, stringID) == 0) : entry->numberID == numberID)
            return entry;
    }
    return nullptr;
}

const char *ZafLanguageData::GetMessageText(ZafNumberID numberID, bool useDefault, unsigned char *hotKey,
                                            std::uint32_t *value) const
{
    if (!table)
        return nullptr;
    if (const ZafLanguageStruct *entry = FindEntry(numberID, nullptr)) {
        if (hotKey)
            *hotKey = entry->hotKey;
        if (value)
            *value = entry->value;
        return entry->text;
    }
    return useDefault ? table[0].text : nullptr;
}

const char *ZafLanguageData::GetMessageTextByStringID(const char *stringID, bool useDefault, unsigned char *hotKey,
                                                      std::uint32_t *value) const
{
    if (!table)
        return nullptr;
    if (stringID) {
        if (const ZafLanguageStruct *entry = FindEntry(0, stringID)) {
            if (hotKey)
                *hotKey = entry->hotKey;
            if (value)
                *value = entry->value;
            return entry->text;
        }
    }
    return useDefault ? table[0].text : nullptr;
}

ZafMessageData *ZafLanguageData::GetMessageData(ZafNumberID numberID, bool useDefault)
{
    for (ZafElement *element = First(); element; element = element->Next())
        if (element->NumberID() == numberID)
            return static_cast<ZafMessageData *>(element);
    const ZafLanguageStruct *entry = FindEntry(numberID, nullptr);
    if (!entry && (!useDefault || !table || !table[0].text))
        return nullptr;
    ZafMessageData *member =
        entry ? new ZafMessageData(entry->text, static_cast<char>(entry->hotKey), entry->value)
              : new ZafMessageData(table[0].text, static_cast<char>(table[0].hotKey), table[0].value);
    // The member keeps the number id it was asked for, also when it holds
    // the default text, so that the next request finds it.
    member->SetStringID(entry ? entry->stringID : nullptr);
    member->SetNumberID(numberID);
    member->AddNotification(this, nullptr, 3);
    ZafDataRecord::Add(member);
    return member;
}

bool ZafLanguageData::ReadData(ZafFile &file)
{
    std::int32_t count = 0;
    ZafReadWhole(file, count);
    // Each entry takes at least 12 bytes: a count that the rest of the file
    // cannot hold is refused before it sizes anything.
    if (file.Error() != 0 || count < 0 || count > maxEntries || count > (file.Length() - file.Tell()) / 12)
        return false;
    ZafLanguageStruct *entries = new ZafLanguageStruct[count + 1]();
    std::int32_t read = 0;
    for (; read < count; read++) {
        ZafLanguageStruct &entry = entries[read];
        std::uint16_t numberID = 0, hotKey = 0;
        std::uint32_t value = 0;
        char *stringID = nullptr, *text = nullptr;
        ZafReadWhole(file, numberID);
        file.ReadString(&stringID);
        file.ReadString(&text);
        ZafReadWhole(file, hotKey);
        ZafReadWhole(file, value);
        entry.numberID = numberID;
        entry.stringID = stringID;
        entry.text = text ? text : DuplicateLibraryString("");
        entry.hotKey = static_cast<unsigned char>(hotKey & 0xFF);
        entry.value = value;
        if (file.Error() != 0) {
            read++;
            break;
        }
    }
    if (file.Error() != 0) {
        for (std::int32_t i = 0; i < read; i++) {
            delete[] entries[i].text;
            delete[] entries[i].stringID;
        }
        delete[] entries;
        return false;
    }
    FreeTable();
    staticData = 0;
    table = entries;
    ownedEntries = count;
    return true;
}

void ZafLanguageData::WriteData(ZafFile &file) const
{
    const std::int32_t count = EntryCount();
    file.Write32(count);
    for (std::int32_t i = 0; i < count; i++) {
        const ZafLanguageStruct &entry = table[i];
        file.Write16(entry.numberID);
        file.WriteString(entry.stringID);
        file.WriteString(entry.text);
        file.Write16(static_cast<std::int16_t>(static_cast<signed char>(entry.hotKey)));
        file.Write32(entry.value);
    }
}

std::uint32_t ZafLanguageData::Write(ZafDataPersistence &persistence)
{
    return ZafWriteLevel<ZafData>(*this, persistence, ZafDataPersistence::topLevelEntry,
                                  [this](ZafFile &file) { WriteData(file); });
}

// ---------------------------------------------------------------------------
// ZafLanguageManager

ZafLanguageManager::ZafLanguageManager() : languageName(DuplicateLibraryString("en"))
{}

ZafLanguageManager::~ZafLanguageManager()
{
    while (ZafElement *member = First())
        ZafList::Subtract(member);
    delete[] languageName;
    if (zafLanguageManager == this)
        zafLanguageManager = nullptr;
}

bool ZafLanguageManager::IsClassID(ZafClassID id) const
{
    return id == classID || ZafDataRecord::IsClassID(id);
}

bool ZafLanguageManager::IsClassName(const char *name) const
{
    return ZafIsOwnClassName(name, className) || ZafDataRecord::IsClassName(name);
}

ZafData *ZafLanguageManager::Add(ZafData *data, ZafData *before)
{
    return data ? ZafDataRecord::Add(data, before) : nullptr;
}

ZafData *ZafLanguageManager::Subtract(ZafData *data)
{
    return data ? ZafDataRecord::Subtract(data) : nullptr;
}

ZafLanguageData *ZafLanguageManager::FindMember(const char *name) const
{
    for (ZafElement *element = First(); element; element = element->Next())
        if (ZafStringCompare(element->StringID(), name) == 0)
            return static_cast<ZafLanguageData *>(element);
    return nullptr;
}

int ZafLanguageManager::ChangeLanguage(const char *name)
{
    // No name means the default language: a manager without a language
    // name would read tables under no language at all.
    char *copy = DuplicateLibraryString(name ? name : "en");
    delete[] languageName;
    languageName = copy;
    SetStringID(languageName);
    if (!zafDataManager || !zafDataPersistence)
        return 0;
    zafDataPersistence->PushSuffix(languageName);
    for (ZafElement *element = First(); element; element = element->Next()) {
        ZafLanguageData *member = static_cast<ZafLanguageData *>(element);
        ZafLanguageData *read = new ZafLanguageData(member->StringID(), *zafDataPersistence, nullptr);
        // A language without this table leaves the member its table.
        if (read->Error() == 0)
            member->SetLanguageData(*read);
        delete read;
    }
    zafDataPersistence->PopSuffix();
    return 0;
}

// ---------------------------------------------------------------------------
// Sharing

ZafLanguageData *AcquireLanguageData(const char *name, const ZafLanguageStruct *builtInTable)
{
    if (zafLanguageManager) {
        if (ZafLanguageData *member = zafLanguageManager->FindMember(name)) {
            member->AddReference();
            return member;
        }
    }
    ZafLanguageData *result = nullptr;
    if (zafDataPersistence && name) {
        result = new ZafLanguageData(name, *zafDataPersistence, nullptr);
        if (result->Error() != 0) {
            delete result;
            result = nullptr;
        }
    }
    if (!result && builtInTable) {
        result = new ZafLanguageData(builtInTable, true);
        result->SetStringID(name);
    }
    if (zafLanguageManager)
        zafLanguageManager->Add(result);
    if (result)
        result->AddReference();
    return result;
}

void ReleaseLanguageData(ZafLanguageData *languageData)
{
    if (!languageData)
        return;
    languageData->DropReference();
    if (languageData->IsReferenced())
        return;
    if (zafLanguageManager)
        zafLanguageManager->Subtract(languageData);
    if (languageData->Destroyable() && languageData->NotificationCount() == 0)
        delete languageData;
}

const char *GetCurrentLanguage()
{
    return zafLanguageManager ? zafLanguageManager->LanguageName() : nullptr;
}

void DeleteLanguageManager(std::uint8_t flag)
{
    if (flag && zafLanguageManager && zafLanguageManager->Destroyable() && zafLanguageManager->NotificationCount() == 0)
        delete zafLanguageManager; // the destructor clears the global
}

void CreateLanguageManager(const char *name)
{
    if (zafLanguageManager)
        return;
    RegisterStaticCleanup(DeleteLanguageManager, nullptr, 0);
    std::uint32_t error = 0;
    if (zafDataManager && name && *name) {
        zafLanguageManager = new ZafLanguageManager();
        zafLanguageManager->SetStringID(name);
        if (zafDataPersistence) {
            error = zafDataPersistence->Error();
            zafDataPersistence->SetError(0);
        }
    }
    if (!zafLanguageManager) {
        zafLanguageManager = new ZafLanguageManager();
        zafLanguageManager->SetStringID("en");
    }
    zafLanguageManager->SetError(error);
}

int SetCurrentLanguage(const char *name)
{
    if (!zafLanguageManager)
        CreateLanguageManager(name);
    if (!zafLanguageManager)
        return 1;
    zafLanguageManager->ChangeLanguage(name);
    return 0;
}
