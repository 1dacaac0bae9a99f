// Helpers of the data-object tests: an observer that counts its calls, the
// round trip write - Save - reopen - read of a data object through a UI
// data file, and the bytes a data object was stored as.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "TestFiles.h"
#include "zaf/data/ZafBitmapData.h"
#include "zaf/data/ZafData.h"
#include "zaf/data/ZafDataManager.h"
#include "zaf/data/ZafDataRecord.h"
#include "zaf/data/ZafIntegerData.h"
#include "zaf/data/ZafPaletteData.h"
#include "zaf/data/ZafRealData.h"
#include "zaf/data/ZafScrollData.h"
#include "zaf/data/ZafStringData.h"
#include "zaf/data/ZafDataPersistence.h"
#include "zaf/data/ZafFile.h"
#include "zaf/data/ZafLocaleDefaults.h"
#include "zaf/data/ZafStorage.h"

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
    static ZafElement *New(const char *name, ZafDataPersistence &persistence) { return new TestNote(name, persistence); }
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
        return bytes == "<none>" ? std::vector<unsigned char>() : std::vector<unsigned char>(bytes.begin(), bytes.end());
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
    {"title", "ZafStringData"}, {"limited", "ZafStringData"}, {"count", "ZafIntegerData"},
    {"ratio", "ZafRealData"},   {"colours", "ZafPaletteData"}, {"range", "ZafScrollData"},
    {"logo", "ZafBitmapData"},  {"app", "ZafIconData"},        {"hand", "ZafMouseData"},
    {"group", "ZafDataRecord"}};

// Writes the objects of storedObjects into a new UI data file and saves it;
// the first error.
inline std::uint32_t WriteEveryDataObject(const std::string &name)
{
    static std::uint8_t pixels[24] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24};
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
    ZafScrollData range(0, 100, 30, 1, 10);
    ZafBitmapData logo(ZafBitmapStruct(6, 4, pixels, true));
    ZafIconData app(ZafIconStruct(4, 4, pixels, true));
    ZafMouseData hand(ZafMouseStruct(3, 3, pixels, 1, 2, true));
    ZafDataRecord group;
    ZafData *objects[] = {&title, &limited, &count, &ratio, &colours, &range, &logo, &app, &hand, &group};
    for (std::size_t i = 0; i < sizeof objects / sizeof objects[0]; i++)
    {
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
