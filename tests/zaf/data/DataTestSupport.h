// Helpers shared by the tests of zaf/data, in one place: scratch directories
// and whole disk files, window objects and the program's object
// persistence, data objects with their round trip through a UI data file,
// and the i18n start-up with its generated "i18n.znc".
#pragma once

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "tests/zaf/ZafTestSupport.h"
#include "zaf/core/ZafDialogWindow.h"
#include "zaf/core/ZafGroup.h"
#include "zaf/core/ZafMDIWindow.h"
#include "zaf/core/ZafScrollBar.h"
#include "zaf/core/ZafText.h"
#include "zaf/core/ZafWindow.h"
#include "zaf/core/ZafWindowPersistence.h"
#include "zaf/data/ZafBitmapData.h"
#include "zaf/data/ZafCodeSetData.h"
#include "zaf/data/ZafData.h"
#include "zaf/data/ZafDataManager.h"
#include "zaf/data/ZafDataPersistence.h"
#include "zaf/data/ZafDataRecord.h"
#include "zaf/data/ZafDiskFile.h"
#include "zaf/data/ZafFile.h"
#include "zaf/data/ZafIntegerData.h"
#include "zaf/data/ZafLanguageData.h"
#include "zaf/data/ZafLocaleData.h"
#include "zaf/data/ZafLocaleDefaults.h"
#include "zaf/data/ZafObjectPersistence.h"
#include "zaf/data/ZafPaletteData.h"
#include "zaf/data/ZafPersistenceRegistry.h"
#include "zaf/data/ZafRealData.h"
#include "zaf/data/ZafScrollData.h"
#include "zaf/data/ZafStaticCleanup.h"
#include "zaf/data/ZafStorage.h"
#include "zaf/data/ZafStringData.h"
#include "zaf/data/ZafTimeData.h"

// ---------------------------------------------------------------------------
// Files (the scratch directory and whole disk files are shared with the
// core's tests): objects of a storage, and a storage with the program's
// object persistence over it.

using zaftest::ReadWholeFile;
using zaftest::TempDirectory;
using zaftest::WriteWholeFile;

// The bytes of the object at the path, or "<none>".
inline std::string ObjectBytes(ZafFileSystem &storage, const char *path)
{
    ZafFile *file = storage.Open(path, ZafFileMode::Read);
    if (!file)
        return "<none>";
    std::string bytes(static_cast<std::size_t>(file->Length()), '\0');
    if (!bytes.empty())
        file->ReadBytes(&bytes[0], file->Length());
    storage.Close(file);
    return bytes;
}

// The next string of a file ("" for the absent string).
inline std::string ReadText(ZafFile *file)
{
    char *text = nullptr;
    file->ReadString(&text);
    std::string result = text ? text : "";
    delete[] text;
    return result;
}

// A storage opened with the flags and the program's object persistence.
struct StoredObjects
{
    StoredObjects(const std::string &name, std::uint16_t flags)
        : storage(name.c_str(), flags), persistence(ZafPersistenceRegistry::MakePersistence(&storage))
    {}
    ZafStorage storage;
    std::unique_ptr<ZafObjectPersistence> persistence;
};

// Writes the object into a new UI data file through the program's
// persistence and saves it.
inline void SaveObject(ZafWindowObject &object, const std::string &fileName)
{
    StoredObjects file(fileName, ZafStorage::CreateTree);
    object.Write(*file.persistence);
    ASSERT_EQ(0u, file.persistence->Error());
    ASSERT_EQ(0u, file.storage.Save());
}

// Reads the object of class T by name from a saved file; no level stays open.
template <class T> std::unique_ptr<T> LoadObject(const std::string &fileName, const char *name)
{
    StoredObjects file(fileName, ZafStorage::Read);
    auto object = std::make_unique<T>(name, *file.persistence);
    EXPECT_EQ(0, file.persistence->LevelIndex());
    return object;
}

// ---------------------------------------------------------------------------
// Windows: for the persistence tests, a control with a field of its
// own, the names a window stores beside its record, the program's object
// persistence with them, and a frame with children at several depths.

namespace {

// A control with one field of its own after the window-object record, as
// every control of the library reads and writes itself.
class TestField : public ZafWindowObject
{
public:
    static constexpr ZafClassID classID = 9301;
    static constexpr const char *className = "TestField";
    ZafClassID ClassID() const override { return classID; }
    const char *ClassName() const override { return className; }

    TestField(const char *name, int value) : ZafWindowObject(1, 1, 10, 1), value(value) { SetStringID(name); }
    TestField(const char *name, ZafWindowPersistence &persistence)
        : ZafWindowObject(name, persistence.PushLevel(className, classID, ZafWindowPersistence::childEntry))
    {
        if (persistence.Error() == 0)
            persistence.Read32(value);
        persistence.PopLevel();
        if (persistence.Error() != 0)
            SetError(static_cast<int>(persistence.Error()));
    }
    static ZafElement *New(const char *name, ZafWindowPersistence &persistence)
    {
        return new TestField(name, persistence);
    }
    void Write(ZafWindowPersistence &persistence) override
    {
        persistence.PushLevel(className, classID, ZafWindowPersistence::childEntry);
        ZafWindowObject::Write(persistence);
        if (persistence.Error() == 0)
            persistence.Write32(value);
        persistence.PopLevel();
    }

    std::int32_t value = 0;
};

inline ZafEventType ChoiceHandler(ZafWindowObject *, ZafEventRecord &, ZafEventType code)
{
    return code;
}
inline int ByName(ZafElement *a, ZafElement *b)
{
    return ZafStringCompare(a->StringID(), b->StringID());
}
int userObjectTarget = 0;

// The program's persistence with the test field and, when asked, the names
// of the function, compare function and user object.
inline std::unique_ptr<ZafObjectPersistence> MakePersistence(ZafFileSystem &storage, bool withField = true,
                                                             bool withNames = true)
{
    std::unique_ptr<ZafObjectPersistence> persistence(ZafPersistenceRegistry::MakePersistence(&storage));
    if (withField)
        persistence->AddObjectConstructor(TestField::className, TestField::classID, ZafObjectNew<TestField::New>);
    if (withNames) {
        persistence->AddUserFunction("ChoiceHandler", ChoiceHandler);
        persistence->AddCompareFunction("ByName", ByName);
        persistence->AddUserObject("target", &userObjectTarget);
    }
    return persistence;
}

// A frame with a support object, a child window with children of its own
// (a dialog, a scroll bar and a group among them), and plain children; every
// flag, text and palette away from its default somewhere.
inline std::unique_ptr<ZafMDIWindow> MakeFrame()
{
    auto frame = std::make_unique<ZafMDIWindow>(3, 2, 60, 20);
    frame->SetStringID("FRAME");
    frame->SetNumberID(7);
    frame->SetHelpContext("frame help");
    frame->SetTipText("tip \xE9");
    frame->SetUserFunction(ChoiceHandler);
    frame->SetUserObject(&userObjectTarget);
    frame->SetNoClose(true);
    frame->SetMaximized(true);
    frame->SetSelectionMode(1);
    // Palettes are written beside the objects that name them.
    ZafPaletteData::InstallWindowLink();
    frame->SetBackgroundColor(7, 15);
    auto *support = new TestField("BORDERLIKE", -1);
    support->SetSupportObject(true);
    support->SetNumberID(ZAF_NUMID_BORDER);
    support->SetBordered(true);
    frame->AddObject(support);
    auto *child = new ZafWindow(1, 1, 30, 8);
    child->SetStringID("CHILD");
    child->SetCompareFunction(ByName);
    child->SetCoordinateType(ZAF_PIXEL);
    child->SetRegionType(2);
    child->SetDestroyable(false);
    child->SetTemporary(true);
    child->SetMovable(false);
    child->SetSizeable(false);
    child->SetPlainKeyHotKeys(true);
    child->SetMinimized(true);
    child->SetModal(true);
    child->SetAllowEmptySelection(true);
    child->SetRegionIsClientSize(true);
    child->AddObject(new TestField("ZETA", 26));
    child->AddObject(new TestField("ALPHA", 1));
    auto *inner = new ZafDialogWindow(0, 0, 10, 4);
    inner->SetStringID("INNER");
    inner->SetSecondTipText(std::string(500, 's').c_str());
    inner->AddObject(new TestField("DEEP", 123456));
    child->AddObject(inner);
    // Core classes with records of their own: a bar with its scroll data and
    // a group holding a bar control.
    ZafScrollData::InstallWindowLink();
    auto *bar = new ZafScrollBar(ZafScrollBar::vertical);
    bar->SetStringID("VBAR");
    bar->SetScrollData(new ZafScrollData(-5, 70, 12, 2, 7));
    child->AddObject(bar);
    auto *group = new ZafGroup(2, 1, 20, 4, "Title \xE9");
    group->SetStringID("GROUP");
    auto *control = new ZafScrollBar(1, 0, 10, 1, ZafScrollBar::horizontal);
    control->SetStringID("HBAR");
    group->AddObject(control);
    child->AddObject(group);
    frame->AddObject(child);
    auto *field = new TestField("FIELD", -2147483647 - 1);
    field->SetNoFocus(true);
    field->SetDisabled(true);
    field->SetVisible(false);
    field->SetAcceptDrop(true);
    field->SetMoveDraggable(true);
    field->SetUserFunction(ChoiceHandler);
    field->SetFont(2);
    field->SetTextColor(1, 0);
    frame->AddObject(field);
    auto *other = new TestField("OTHER", 0);
    other->SetSystemDrawn(false);
    other->SetParentDrawsBorder(true);
    other->SetParentDrawsFocus(true);
    other->SetNoClassPalette(true);
    other->SetRedraw(false);
    other->SetOwnWindow(false);
    other->SetCopyDraggable(true);
    other->SetSecondDragFlag(true);
    other->SetSelected(true);
    frame->AddObject(other);
    return frame;
}

} // namespace

// ---------------------------------------------------------------------------
// Data objects: an observer that counts its calls, the
// round trip write - Save - reopen - read of a data object through a UI
// data file, and the bytes a data object was stored as.

namespace {

// Observes a data object with mask 3 and counts the notifications.
class CountingObserver : public ZafElement
{
public:
    explicit CountingObserver(ZafData &data) : data(data) { data.AddNotification(this, Notified, 3); }
    ~CountingObserver() override { data.SubtractNotification(this, Notified); }
    int calls = 0;
    ZafUpdateType lastKinds = 0;

private:
    static int Notified(ZafElement *observer, ZafUpdateType kinds)
    {
        auto *self = static_cast<CountingObserver *>(observer);
        self->calls++;
        self->lastKinds = kinds;
        return 0;
    }
    ZafData &data;
};

// A data class with one text, following the library's read and write
// pattern: a data object (entry type 3) in the current directory.
class TestNote : public ZafData
{
public:
    static constexpr ZafClassID classID = 9200;
    static constexpr const char *className = "TestNote";
    ZafClassID ClassID() const override { return classID; }
    const char *ClassName() const override { return className; }

    explicit TestNote(const std::string &text = "") : text(text) {}
    TestNote(const char *name, ZafDataPersistence &persistence)
        : ZafData(name, persistence.PushLevel(className, classID, ZafDataPersistence::dataEntry))
    {
        if (persistence.Error() == 0)
            text = ReadText(persistence.File());
        persistence.PopLevel();
        if (persistence.Error() != 0)
            SetError(persistence.Error());
    }
    static ZafElement *New(const char *name, ZafDataPersistence &persistence)
    {
        return new TestNote(name, persistence);
    }
    std::uint32_t Write(ZafDataPersistence &persistence) override
    {
        persistence.PushLevel(className, classID, ZafDataPersistence::dataEntry);
        if (ZafData::Write(persistence) == 0)
            persistence.File()->WriteString(text.c_str());
        persistence.PopLevel();
        return SetError(persistence.Error());
    }
    ZafData *Duplicate() override { return new TestNote(*this); }
    void Clear() override { SetText(""); }
    ZafReadFunction ReadFunction() override { return New; }
    // Changes the text inside an update bracket that notifies.
    void SetText(const std::string &value)
    {
        StartUpdate();
        text = value;
        EndUpdate(true);
    }

    std::string text;
};

// A UI data file in a scratch directory: objects are written into it, it is
// saved, and then read back from the file on disk.
class DataFile
{
public:
    DataFile() : name(directory.File("data.znc")) {}

    // Writes the object under the name and saves the file; the write's error.
    std::uint32_t Write(ZafData &object, const char *objectName)
    {
        ZafStorage storage(name.c_str(), ZafStorage::CreateMissing);
        ZafDataPersistence persistence(&storage);
        object.SetStringID(objectName);
        std::uint32_t error = object.Write(persistence);
        std::uint32_t saved = storage.Save();
        return error ? error : saved;
    }

    // Reopens the saved file and reads the object through its persistent
    // constructor.
    template <class T> std::unique_ptr<T> Read(const char *objectName)
    {
        ZafStorage storage(name.c_str(), ZafStorage::Read);
        ZafDataPersistence persistence(&storage);
        return std::make_unique<T>(objectName, persistence);
    }

    // The bytes stored for the object at the path ("~name" for a data object).
    std::vector<unsigned char> StoredBytes(const char *path)
    {
        ZafStorage storage(name.c_str(), ZafStorage::Read);
        const std::string bytes = ObjectBytes(storage, path);
        return bytes == "<none>" ? std::vector<unsigned char>()
                                 : std::vector<unsigned char>(bytes.begin(), bytes.end());
    }

    // Replaces the bytes of the object at the path (an entry of the class
    // name and id) and saves the file.
    bool ReplaceBytes(const char *path, const std::vector<unsigned char> &bytes, const char *className,
                      ZafClassID classID)
    {
        ZafStorage storage(name.c_str(), ZafStorage::Writeable);
        ZafFile *file = storage.Open(path, ZafFileMode::Create, className, classID);
        if (!file)
            return false;
        if (!bytes.empty())
            file->WriteBytes(bytes.data(), static_cast<int>(bytes.size()));
        storage.Close(file);
        return storage.Save() == 0;
    }

    const std::string &Name() const { return name; }

private:
    TempDirectory directory;
    std::string name;
};

// Makes a persistence the application's data persistence for its lifetime.
class GlobalDataPersistence
{
public:
    explicit GlobalDataPersistence(ZafDataPersistence *persistence) { zafDataPersistence = persistence; }
    ~GlobalDataPersistence() { zafDataPersistence = nullptr; }
    GlobalDataPersistence(const GlobalDataPersistence &) = delete;
    GlobalDataPersistence &operator=(const GlobalDataPersistence &) = delete;
};

// Installs a variant of the canonical number conventions for one test.
class LocaleVariant
{
public:
    LocaleVariant() : conventions(ZafLocaleDefaults::Canonical()) {}
    ~LocaleVariant() { ZafLocaleDefaults::SetCurrent(nullptr); }
    ZafNumberConventions *operator->() { return &conventions; }
    void Install() { ZafLocaleDefaults::SetCurrent(&conventions); }

private:
    ZafNumberConventions conventions;
};

// One object of every data class, by name, as the round trip and the
// corrupt-input run store them.
struct StoredObject
{
    const char *name;
    const char *className;
};

const StoredObject storedObjects[] = {
    {"title", "ZafStringData"},    {"limited", "ZafStringData"}, {"count", "ZafIntegerData"}, {"ratio", "ZafRealData"},
    {"colours", "ZafPaletteData"}, {"range", "ZafScrollData"},   {"logo", "ZafBitmapData"},   {"app", "ZafIconData"},
    {"hand", "ZafMouseData"},      {"group", "ZafDataRecord"},   {"stamp", "ZafUTimeData"},   {"alarm", "ZafTimeData"}};

// The data manager's constructors and those of the time classes, which the
// manager does not list.
inline void AddEveryDataConstructor(ZafDataPersistence &persistence)
{
    ZafDataManager::AddDataConstructors(persistence);
    persistence.AddDataConstructor(ZafUTimeData::className, ZafUTimeData::classID, ZafUTimeData::New);
    persistence.AddDataConstructor(ZafTimeData::className, ZafTimeData::classID, ZafTimeData::New);
}

// Writes the objects of storedObjects into a new UI data file and saves it;
// the first error.
inline std::uint32_t WriteEveryDataObject(const std::string &name)
{
    static std::uint8_t pixels[24] = {1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 11, 12,
                                      13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24};
    ZafStorage storage(name.c_str(), ZafStorage::CreateTree);
    ZafDataPersistence persistence(&storage);
    ZafStringData title("Survey of households"), limited("abc", 12);
    ZafIntegerData count(-42);
    ZafRealData ratio(0.125);
    ZafPaletteData colours;
    ZafPaletteStruct palette;
    palette.colorBackground = 5;
    palette.font = 2;
    colours.SetPalette(8, 32, palette);
    colours.SetPalette(2, 1, palette);
    colours.SetPalette(2, 0, palette);
    // Neither the OS colours nor an entry set back to the default are stored.
    palette.osColorForeground = 0x102030;
    colours.SetPalette(2, 0, palette);
    colours.SetPalette(4, 0, palette);
    colours.SetPalette(4, 0, ZafPaletteStruct());
    ZafScrollData range(0, 100, 30, 1, 10);
    ZafBitmapData logo(ZafBitmapStruct(6, 4, pixels, true));
    ZafIconData app(ZafIconStruct(4, 4, pixels, true));
    ZafMouseData hand(ZafMouseStruct(3, 3, pixels, 1, 2, true));
    ZafDataRecord group;
    // A date before the calendar switch, with its own base year and zone.
    ZafUTimeData stamp(1582, 10, 4, 23, 59, 59, 999);
    stamp.SetBaseYear(1900);
    stamp.SetZone(-5);
    ZafTimeData alarm(6, 30);
    ZafData *objects[] = {&title, &limited, &count, &ratio, &colours, &range,
                          &logo,  &app,     &hand,  &group, &stamp,   &alarm};
    for (std::size_t i = 0; i < sizeof objects / sizeof objects[0]; i++) {
        objects[i]->SetStringID(storedObjects[i].name);
        if (std::uint32_t error = objects[i]->Write(persistence))
            return error;
    }
    return storage.Save();
}

inline std::vector<unsigned char> LittleEndian(std::initializer_list<long long> words, int width = 4)
{
    std::vector<unsigned char> bytes;
    for (long long word : words)
        for (int i = 0; i < width; i++)
            bytes.push_back(static_cast<unsigned char>(static_cast<unsigned long long>(word) >> (8 * i)));
    return bytes;
}

} // namespace

// ---------------------------------------------------------------------------
// I18n: the application's i18n start-up and end, an
// environment variable set for one test, the code-page tables of a Windows
// code page, and the "i18n.znc" fixture written through the library's own
// write operations.

// Sets (or, with null, removes) an environment variable and restores it.
class EnvironmentScope
{
public:
    EnvironmentScope(const char *name, const char *value) : name(name)
    {
        char buffer[1024];
        const DWORD length = GetEnvironmentVariableA(name, buffer, sizeof buffer);
        had = length > 0 && length < sizeof buffer;
        if (had)
            old = buffer;
        SetEnvironmentVariableA(name, value);
    }
    ~EnvironmentScope() { SetEnvironmentVariableA(name.c_str(), had ? old.c_str() : nullptr); }

private:
    std::string name;
    std::string old;
    bool had = false;
};

// The i18n objects of one test. The constructor makes the data manager (when
// asked) as the application does first; the destructor ends the i18n
// storage, the data manager and the three current i18n objects, so that the
// next test starts with none.
class I18nScope
{
public:
    explicit I18nScope(bool withDataManager = true)
    {
        // Other tests may have left i18n objects behind (the first string,
        // integer or real data makes them).
        EndI18n();
        if (withDataManager)
            zafDataManager = new ZafDataManager();
    }
    ~I18nScope()
    {
        CloseFile();
        EndI18n();
    }

    static void EndI18n()
    {
        delete zafDataManager;
        zafDataManager = nullptr;
        DeleteCodeSet(1);
        DeleteLocale(1);
        DeleteLanguageManager(1);
        // Whatever still stands is the test's leftover: end it all the same.
        delete zafCodeSet;
        delete zafLocale;
        delete zafCanonicalLocale;
        delete zafLanguageManager;
    }

    // The application's start-up: InitializeI18n with no name, then, when
    // the file opens, the i18n persistence with the three data constructors
    // and ResetI18n with no name. False when the file did not open.
    bool StartUp(const std::string &fileName)
    {
        InitializeI18n(nullptr);
        if (!OpenFile(fileName))
            return false;
        ResetI18n(nullptr);
        return true;
    }

    bool OpenFile(const std::string &fileName)
    {
        storage = new ZafStorage(fileName.c_str(), ZafStorage::Read);
        if (storage->Error() != 0) {
            delete storage;
            storage = nullptr;
            return false;
        }
        zafDataPersistence = new ZafDataPersistence(storage);
        zafDataPersistence->AddDataConstructor(ZafLanguageData::className, ZafLanguageData::classID,
                                               ZafLanguageData::New);
        zafDataPersistence->AddDataConstructor(ZafLocaleData::className, ZafLocaleData::classID, ZafLocaleData::New);
        zafDataPersistence->AddDataConstructor(ZafCodeSetData::className, ZafCodeSetData::classID, ZafCodeSetData::New);
        return true;
    }

    void CloseFile()
    {
        delete zafDataPersistence;
        zafDataPersistence = nullptr;
        delete storage;
        storage = nullptr;
    }

    ZafStorage *storage = nullptr;
};

// The two tables of a Windows code page against Latin-1, over 0x80-0xFF:
// isoToLocal[c] is the code page's byte for the Latin-1 character c,
// localToIso[b] the Latin-1 character of the byte b; '?' where the other
// side has no such character, 0 where the byte stays.
inline void CodePageTables(UINT codePage, unsigned char (&isoToLocal)[256], unsigned char (&localToIso)[256])
{
    for (int c = 0; c < 256; c++)
        isoToLocal[c] = localToIso[c] = 0;
    for (int c = 0x80; c < 256; c++) {
        const WCHAR wide = static_cast<WCHAR>(c);
        char local = 0;
        BOOL lost = FALSE;
        if (WideCharToMultiByte(codePage, WC_NO_BEST_FIT_CHARS, &wide, 1, &local, 1, nullptr, &lost) == 1 && !lost)
            isoToLocal[c] = static_cast<unsigned char>(local) == c ? 0 : static_cast<unsigned char>(local);
        else
            isoToLocal[c] = '?';
        const char byte = static_cast<char>(c);
        WCHAR back = 0;
        if (MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, &byte, 1, &back, 1) == 1 && back < 256)
            localToIso[c] = back == c ? 0 : static_cast<unsigned char>(back);
        else
            localToIso[c] = '?';
    }
}

// A code set of a Windows code page, named after it, covering 0x80-0xFF.
inline ZafCodeSetData *MakeCodePageSet(UINT codePage)
{
    unsigned char isoToLocal[256], localToIso[256];
    CodePageTables(codePage, isoToLocal, localToIso);
    ZafCodeSetData *codeSet = new ZafCodeSetData(isoToLocal, localToIso);
    codeSet->SetStringID(std::to_string(codePage).c_str());
    codeSet->ISOToLocalLookup()->SetRange(0x80, 0xFF);
    codeSet->LocalToISOLookup()->SetRange(0x80, 0xFF);
    return codeSet;
}

// German conventions for the fixture's locale "DE".
inline ZafLocaleData *MakeGermanLocale()
{
    static char dateFormat[] = "%d.%m.%Y";
    static char timeFormat[] = "%H:%M:%S";
    static char dateTimeFormat[] = "%d.%m.%Y %H:%M:%S";
    static char dateScanFormats[] = "%d.%m.%Y\n%d.%m.%y\n%d.%m";
    static char dateTimeScanFormat[] = "%x %X";
    ZafLocaleStruct german = ZafLocaleData::BuiltInLocale();
    std::strcpy(german.decimalSeparator, ",");
    std::strcpy(german.monDecimalSeparator, ",");
    std::strcpy(german.thousandsSeparator, ".");
    std::strcpy(german.monThousandsSeparator, ".");
    std::strcpy(german.currencySymbol, "EUR");
    std::strcpy(german.intCurrencySymbol, "EUR ");
    std::strcpy(german.dateSeparator, ".");
    german.posCurrencyPrecedes = 0;
    german.negCurrencyPrecedes = 0;
    german.dateFormat = dateFormat;
    german.timeFormat = timeFormat;
    german.dateTimeFormat = dateTimeFormat;
    german.dateScanFormats = dateScanFormats;
    german.dateTimeScanFormat = dateTimeScanFormat;
    ZafLocaleData *locale = new ZafLocaleData(german);
    locale->SetStringID("DE");
    return locale;
}

// A table whose entries follow the default entry, numbered from first; the
// texts are separated by blanks. The tables live as long as the program.
inline const ZafLanguageStruct *NumberedTable(const char *texts, std::uint16_t first = 1)
{
    static std::vector<std::vector<std::string>> words;
    static std::vector<std::vector<ZafLanguageStruct>> tables;
    words.emplace_back();
    for (const char *p = texts; *p;) {
        const char *end = std::strchr(p, ' ');
        words.back().emplace_back(p, end ? end - p : std::strlen(p));
        p = end ? end + 1 : p + std::strlen(p);
    }
    tables.emplace_back(1, ZafLanguageStruct{"", 0xFFFF, nullptr, 0, 0xFFFFFFFF});
    for (const std::string &word : words.back())
        tables.back().push_back({word.c_str(), static_cast<std::uint16_t>(first++), nullptr, 0, 0xFFFFFFFF});
    tables.back().push_back({nullptr, 0, nullptr, 0, 0});
    return tables.back().data();
}

// The German day, month, time and number tables; null for other names.
inline const ZafLanguageStruct *GermanTable(const char *name)
{
    static const ZafLanguageStruct *days = NumberedTable(
        "Sonntag Montag Dienstag Mittwoch Donnerstag Freitag Samstag So Mo Di Mi Do Fr Sa So. Mo. Di. Mi. Do. Fr. Sa.");
    static const ZafLanguageStruct *months = NumberedTable(
        "Januar Februar M\xE4rz April Mai Juni Juli August September Oktober November Dezember Jan Feb M\xE4r Apr Mai "
        "Jun Jul Aug Sep Okt Nov Dez Jan. Feb. M\xE4rz Apr. Mai Juni Juli Aug. Sept. Okt. Nov. Dez.");
    static const ZafLanguageStruct *times = NumberedTable("vorm. nachm. xxxx");
    static const ZafLanguageStruct numbers[] = {{"", 0xFFFF, nullptr, 0, 0xFFFFFFFF},
                                                {"Die Zahl %s ist ung\xFCltig.", 1, nullptr, 0, 0xFFFFFFFF},
                                                {"Die Zahl %s liegt nicht im Bereich %s.", 5, nullptr, 0, 0xFFFFFFFF},
                                                {"Die Zahl %s ist kleiner als %s.", 6, nullptr, 0, 0xFFFFFFFF},
                                                {"Die Zahl %s ist gr\xF6\xDF"
                                                 "er als %s.",
                                                 7, nullptr, 0, 0xFFFFFFFF},
                                                {nullptr, 0, nullptr, 0, 0}};
    const std::string table = name ? name : "";
    return table == "ZafDayStrings"                      ? days
           : table == "ZafMonthStrings"                  ? months
           : table == "ZafTimeStrings"                   ? times
           : table == "ZafInteger" || table == "ZafReal" ? numbers
                                                         : nullptr;
}

// Writes the tables of one language under its suffix.
inline void WriteLanguage(ZafDataPersistence &persistence, const char *language,
                          const ZafLanguageStruct *(*tableOf)(const char *))
{
    persistence.PushSuffix(language);
    for (const char *const *name = ZafLanguageData::BuiltInTableNames(); *name; name++) {
        if (const ZafLanguageStruct *table = tableOf(*name)) {
            ZafLanguageData data(table, false);
            data.SetStringID(*name);
            data.Write(persistence);
        }
    }
    persistence.PopSuffix();
}

// The fixture: locale "DE", the code set of Windows code page 850 (named
// "850") and the language tables: every built-in table for "en", the day,
// month, time and number tables in German for "de". Returns the storage's
// error after Save (0 when written).
inline std::uint32_t WriteI18nFixture(const std::string &fileName)
{
    ZafStorage storage(fileName.c_str(), ZafStorage::CreateTree);
    ZafDataPersistence persistence(&storage);
    ZafCodeSetData *codeSet = MakeCodePageSet(850);
    codeSet->Write(persistence);
    delete codeSet;
    ZafLocaleData *locale = MakeGermanLocale();
    locale->Write(persistence);
    delete locale;
    WriteLanguage(persistence, "en", ZafLanguageData::BuiltInTable);
    WriteLanguage(persistence, "de", GermanTable);
    if (persistence.Error() != 0)
        return persistence.Error();
    return storage.Save();
}

// The fixture, written once for the whole test program.
inline const std::string &I18nFixture()
{
    static TempDirectory directory;
    static const std::string name = directory.File("i18n.znc");
    static const std::uint32_t written = WriteI18nFixture(name);
    EXPECT_EQ(0u, written);
    return name;
}
