#include "zaf/data/ZafObjectPersistence.h"

#include <cstring>

#include "zaf/core/ZafText.h"
#include "zaf/data/ZafFile.h"
#include "zaf/data/ZafPaletteData.h"
#include "zaf/data/ZafScrollData.h"

ZafObjectPersistence::ZafObjectPersistence(ZafFileSystem *fileSystem, const ZafConstructorEntry *dataTable,
                                           const ZafConstructorEntry *objectTable,
                                           const ZafNamedEntry<ZafUserFunction> *userFunctionTable,
                                           const ZafNamedEntry<ZafCompareFunction> *compareFunctionTable,
                                           const ZafNamedEntry<void *> *userObjectTable)
    : ZafDataPersistence(fileSystem, dataTable)
{
    SetObjectConstructors(objectTable);
    SetCompareFunctions(compareFunctionTable);
    SetUserFunctions(userFunctionTable);
    SetUserObjects(userObjectTable);
    // Palettes that window objects read through this context are observed
    // by them and freed with the last one.
    ZafPaletteData::InstallWindowLink();
    ZafScrollData::InstallWindowLink();
}

ZafObjectPersistence::~ZafObjectPersistence()
{
    ClearCompareFunctions();
    ClearObjectConstructors();
    ClearUserFunctions();
    ClearUserObjects();
}

// ---------------------------------------------------------------------------
// Named-value tables

template <class Value>
bool ZafObjectPersistence::AddNamed(std::vector<OwnedNamed<Value>> &table, const char *name, Value value)
{
    if (!name)
        return false;
    for (const OwnedNamed<Value> &entry : table)
        if (std::strcmp(entry.name, name) == 0)
            return false;
    table.push_back(OwnedNamed<Value>{DuplicateLibraryString(name), value});
    return true;
}

template <class Value>
Value ZafObjectPersistence::GetNamed(const std::vector<OwnedNamed<Value>> &table, const char *name)
{
    if (name)
        for (const OwnedNamed<Value> &entry : table)
            if (std::strcmp(entry.name, name) == 0)
                return entry.value;
    return nullptr;
}

template <class Value>
const char *ZafObjectPersistence::NameOf(const std::vector<OwnedNamed<Value>> &table, Value value)
{
    if (value)
        for (const OwnedNamed<Value> &entry : table)
            if (entry.value == value)
                return entry.name;
    return nullptr;
}

template <class Value> bool ZafObjectPersistence::RemoveNamed(std::vector<OwnedNamed<Value>> &table, const char *name)
{
    if (name)
        for (auto entry = table.begin(); entry != table.end(); ++entry)
            if (std::strcmp(entry->name, name) == 0) {
                delete[] entry->name;
                table.erase(entry);
                return true;
            }
    return false;
}

template <class Value> void ZafObjectPersistence::ClearNamed(std::vector<OwnedNamed<Value>> &table)
{
    for (OwnedNamed<Value> &entry : table)
        delete[] entry.name;
    table.clear();
}

bool ZafObjectPersistence::AddCompareFunction(const char *name, ZafCompareFunction function)
{
    return AddNamed(compareFunctions, name, function);
}

bool ZafObjectPersistence::AddUserFunction(const char *name, ZafUserFunction function)
{
    return AddNamed(userFunctions, name, function);
}

bool ZafObjectPersistence::AddUserObject(const char *name, void *object)
{
    return AddNamed(userObjects, name, object);
}

void ZafObjectPersistence::ClearCompareFunctions()
{
    ClearNamed(compareFunctions);
}

void ZafObjectPersistence::ClearUserFunctions()
{
    ClearNamed(userFunctions);
}

void ZafObjectPersistence::ClearUserObjects()
{
    ClearNamed(userObjects);
}

ZafCompareFunction ZafObjectPersistence::GetCompareFunction(const char *name) const
{
    return GetNamed(compareFunctions, name);
}

ZafUserFunction ZafObjectPersistence::GetUserFunction(const char *name) const
{
    return GetNamed(userFunctions, name);
}

void *ZafObjectPersistence::GetUserObject(const char *name) const
{
    return GetNamed(userObjects, name);
}

void ZafObjectPersistence::SetCompareFunctions(const ZafNamedEntry<ZafCompareFunction> *table)
{
    ClearCompareFunctions();
    for (; table && table->name; table++)
        AddCompareFunction(table->name, table->value);
}

void ZafObjectPersistence::SetUserFunctions(const ZafNamedEntry<ZafUserFunction> *table)
{
    ClearUserFunctions();
    for (; table && table->name; table++)
        AddUserFunction(table->name, table->value);
}

void ZafObjectPersistence::SetUserObjects(const ZafNamedEntry<void *> *table)
{
    ClearUserObjects();
    for (; table && table->name; table++)
        AddUserObject(table->name, table->value);
}

bool ZafObjectPersistence::RemoveCompareFunction(const char *name)
{
    return RemoveNamed(compareFunctions, name);
}

bool ZafObjectPersistence::RemoveUserFunction(const char *name)
{
    return RemoveNamed(userFunctions, name);
}

bool ZafObjectPersistence::RemoveUserObject(const char *name)
{
    return RemoveNamed(userObjects, name);
}

const char *ZafObjectPersistence::GetCompareFunctionName(ZafCompareFunction function) const
{
    return NameOf(compareFunctions, function);
}

const char *ZafObjectPersistence::GetUserFunctionName(ZafUserFunction function) const
{
    return NameOf(userFunctions, function);
}

const char *ZafObjectPersistence::GetUserObjectName(void *object) const
{
    return NameOf(userObjects, object);
}

// ---------------------------------------------------------------------------
// Object constructors

bool ZafObjectPersistence::AddObjectConstructor(const char *className, ZafClassID classID, ZafReadFunction New)
{
    return AddConstructor(objectConstructors, className, classID, New);
}

void ZafObjectPersistence::ClearObjectConstructors()
{
    ClearConstructors(objectConstructors);
}

ZafReadFunction ZafObjectPersistence::GetObjectConstructor(ZafClassID classID, const char *className) const
{
    const OwnedConstructor *entry = FindConstructor(objectConstructors, classID, className);
    return entry ? entry->New : nullptr;
}

void ZafObjectPersistence::SetObjectConstructors(const ZafConstructorEntry *table)
{
    ClearObjectConstructors();
    for (; table && table->classID != ZafEndOfTable; table++)
        AddObjectConstructor(table->className, table->classID, table->New);
}

bool ZafObjectPersistence::RemoveObjectConstructor(ZafClassID classID, const char *className)
{
    return RemoveConstructor(objectConstructors, classID, className);
}

ZafReadFunction ZafObjectPersistence::GetNewByClassID(ZafClassID classID) const
{
    if (classID == 0)
        return nullptr;
    for (const OwnedConstructor &entry : objectConstructors)
        if (entry.classID == classID)
            return entry.New;
    return GetDataConstructor(classID, nullptr);
}

int ZafObjectPersistence::ClassIDForName(const char *className) const
{
    for (const OwnedConstructor &entry : objectConstructors)
        if (entry.className && std::strcmp(entry.className, className) == 0)
            return entry.classID;
    return ZafDataPersistence::ClassIDForName(className);
}

const char *ZafObjectPersistence::ClassNameForID(ZafClassID classID) const
{
    for (const OwnedConstructor &entry : objectConstructors)
        if (entry.classID == classID && entry.className)
            return entry.className;
    return ZafDataPersistence::ClassNameForID(classID);
}

int ZafObjectPersistence::CurrentClassID() const
{
    return ZafDataPersistence::CurrentClassID();
}

const char *ZafObjectPersistence::CurrentClassName() const
{
    return ZafDataPersistence::CurrentClassName();
}

// ---------------------------------------------------------------------------
// Children

bool ZafObjectPersistence::IsDataEntry(const ZafFileInfo &info)
{
    static const char *const dataNames[] = {"objectData", "userFunction", "userObject", "compareFunction"};
    if (!(info.attributes & ZafFileInfo::directory) || !info.name)
        return true;
    for (const char *dataName : dataNames)
        if (std::strcmp(info.name, dataName) == 0)
            return true;
    return false;
}

int ZafObjectPersistence::ReadChildObjects(void (*add)(ZafElement *object, void *context), void *context)
{
    ZafFileSystem *fileSystem = LevelFileSystem();
    if (!fileSystem)
        return 0;
    int count = 0;
    ZafFileInfo info;
    for (int found = fileSystem->FindFirst(info, "*"); found == 0; found = fileSystem->FindNext(info, "*")) {
        if (IsDataEntry(info))
            continue;
        const OwnedConstructor *entry = FindConstructor(objectConstructors, info.objectID, info.stringID);
        if (!entry || !entry->New)
            continue;
        // The child's own persistent constructor shares this level, which
        // places it below this object's directory.
        const std::string name(info.name);
        PushLevel(entry->className, entry->classID, childEntry);
        ZafElement *object = entry->New(name.c_str(), *this);
        PopLevel();
        if (object) {
            count++;
            add(object, context);
        }
    }
    fileSystem->FindClose(info);
    return count;
}

ZafElement *ZafObjectPersistence::NewObject(ZafClassID classID, const char *className, const char *name,
                                            std::uint32_t entryType)
{
    const OwnedConstructor *entry = FindConstructor(objectConstructors, classID, nullptr);
    if (!entry || !entry->New)
        entry = FindConstructor(objectConstructors, 0, className);
    if (!entry || !entry->New)
        return nullptr;
    PushLevel(entry->className, entry->classID, entryType);
    ZafElement *object = entry->New(name, *this);
    PopLevel();
    return object;
}

// ---------------------------------------------------------------------------
// Typed operations on the level file

template <class Operation> int ZafObjectPersistence::OnFile(std::uint32_t failCode, Operation operation)
{
    ZafFile *file = File();
    if (!file) {
        if (error == 0)
            error = failCode;
        return 0;
    }
    const int moved = operation(*file);
    if (file->Error() != 0 && error == 0)
        error = file->Error();
    return moved;
}

int ZafObjectPersistence::Read8(std::uint8_t &value)
{
    value = 0;
    return OnFile(ZafError::Read, [&](ZafFile &file) { return file.Read8(value); });
}

int ZafObjectPersistence::Read16(std::uint16_t &value)
{
    value = 0;
    return OnFile(ZafError::Read, [&](ZafFile &file) { return file.Read16(value); });
}

int ZafObjectPersistence::Read16(std::int16_t &value)
{
    value = 0;
    return OnFile(ZafError::Read, [&](ZafFile &file) { return file.Read16(value); });
}

int ZafObjectPersistence::Read32(std::uint32_t &value)
{
    value = 0;
    return OnFile(ZafError::Read, [&](ZafFile &file) { return file.Read32(value); });
}

int ZafObjectPersistence::Read32(std::int32_t &value)
{
    value = 0;
    return OnFile(ZafError::Read, [&](ZafFile &file) { return file.Read32(value); });
}

int ZafObjectPersistence::ReadString(char **text)
{
    *text = nullptr;
    return OnFile(ZafError::Read, [&](ZafFile &file) { return file.ReadString(text); });
}

int ZafObjectPersistence::ReadStringInto(char *buffer, int size)
{
    if (size > 0)
        buffer[0] = '\0';
    return OnFile(ZafError::Read, [&](ZafFile &file) { return file.ReadStringInto(buffer, size); });
}

int ZafObjectPersistence::Write8(std::uint8_t value)
{
    return OnFile(ZafError::Write, [&](ZafFile &file) { return file.Write8(value); });
}

int ZafObjectPersistence::Write16(std::uint16_t value)
{
    return OnFile(ZafError::Write, [&](ZafFile &file) { return file.Write16(value); });
}

int ZafObjectPersistence::Write16(std::int16_t value)
{
    return OnFile(ZafError::Write, [&](ZafFile &file) { return file.Write16(value); });
}

int ZafObjectPersistence::Write32(std::uint32_t value)
{
    return OnFile(ZafError::Write, [&](ZafFile &file) { return file.Write32(value); });
}

int ZafObjectPersistence::Write32(std::int32_t value)
{
    return OnFile(ZafError::Write, [&](ZafFile &file) { return file.Write32(value); });
}

int ZafObjectPersistence::WriteString(const char *text)
{
    return OnFile(ZafError::Write, [&](ZafFile &file) { return file.WriteString(text); });
}

std::uint32_t ZafObjectPersistence::WriteLevelEntry(const char *entryName, const char *stringID, ZafNumberID objectID,
                                                    const char *text)
{
    ZafFileSystem *fileSystem = LevelFileSystem();
    ZafFile *file = fileSystem ? fileSystem->Open(entryName, ZafFileMode::Write, stringID, objectID) : nullptr;
    std::uint32_t result = ZafError::Open;
    if (file) {
        file->WriteString(text);
        result = file->Error();
        if (fileSystem->Close(file) != 0 && result == 0)
            result = ZafError::Write;
    }
    if (result != 0 && error == 0)
        error = result;
    return result;
}

std::uint32_t ZafObjectPersistence::ReadLevelEntry(const char *entryName, char *buffer, int size)
{
    if (size > 0)
        buffer[0] = '\0';
    ZafFileSystem *fileSystem = LevelFileSystem();
    ZafFile *file = fileSystem ? fileSystem->Open(entryName, ZafFileMode::Read) : nullptr;
    if (!file)
        return ZafError::NotFound;
    file->ReadStringInto(buffer, size);
    const std::uint32_t result = file->Error() != 0 ? ZafError::Read : ZafError::None;
    fileSystem->Close(file);
    if (result != 0 && error == 0)
        error = result;
    return result;
}

ZafPaletteData *ZafObjectPersistence::ReadPaletteData(const char *name)
{
    if (!name || !*name || !File())
        return nullptr;
    ZafPaletteData *palette = new ZafPaletteData(name, *this);
    if (palette->Error() != 0) {
        // The error stays in the context: the record names a palette that
        // is not there or not whole.
        delete palette;
        return nullptr;
    }
    return palette;
}

const char *ZafObjectPersistence::WritePaletteData(ZafPaletteData *palette)
{
    if (!palette || !File())
        return nullptr;
    // A palette data made in code carries a default name ("ZafData<n>"),
    // which stays its name in the file.
    if (!palette->StringID())
        palette->SetStringID(ZafData::MakeDefaultName());
    return palette->Write(*this) == 0 ? palette->StringID() : nullptr;
}

ZafScrollData *ZafObjectPersistence::ReadScrollData(const char *name)
{
    if (!name || !*name || !File())
        return nullptr;
    ZafScrollData *data = new ZafScrollData(name, *this);
    if (data->Error() != 0) {
        delete data;
        return nullptr;
    }
    return data;
}

const char *ZafObjectPersistence::WriteScrollData(ZafScrollData *data)
{
    if (!data || !File())
        return nullptr;
    if (!data->StringID())
        data->SetStringID(ZafData::MakeDefaultName());
    return data->Write(*this) == 0 ? data->StringID() : nullptr;
}
