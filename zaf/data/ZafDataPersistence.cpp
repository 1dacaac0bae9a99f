#include "zaf/data/ZafDataPersistence.h"

#include <cstdio>
#include <cstring>

#include "zaf/core/ZafText.h"
#include "zaf/data/ZafFile.h"

namespace {
bool SameName(const char *a, const char *b)
{
    return a && b && std::strcmp(a, b) == 0;
}
} // namespace

ZafDataPersistence::ZafDataPersistence(ZafFileSystem *fileSystem, const ZafConstructorEntry *table)
{
    SetDataConstructors(table);
    if (fileSystem)
        AddFileSystem(fileSystem);
}

ZafDataPersistence::~ZafDataPersistence()
{
    ClearDataConstructors();
    ClearFileSystems();
}

// ---------------------------------------------------------------------------
// Tables

bool ZafDataPersistence::AddConstructor(std::vector<OwnedConstructor> &table, const char *className, ZafClassID classID,
                                        ZafReadFunction New)
{
    if (className)
        for (const OwnedConstructor &entry : table)
            if (SameName(entry.className, className))
                return false;
    table.push_back(OwnedConstructor{classID, DuplicateLibraryString(className), New});
    return true;
}

const ZafDataPersistence::OwnedConstructor *
ZafDataPersistence::FindConstructor(const std::vector<OwnedConstructor> &table, ZafClassID classID,
                                    const char *className)
{
    for (const OwnedConstructor &entry : table)
        if ((classID != 0 && entry.classID == classID) || SameName(entry.className, className))
            return &entry;
    return nullptr;
}

bool ZafDataPersistence::RemoveConstructor(std::vector<OwnedConstructor> &table, ZafClassID classID,
                                           const char *className)
{
    const OwnedConstructor *found = FindConstructor(table, classID, className);
    if (!found)
        return false;
    delete[] found->className;
    table.erase(table.begin() + (found - table.data()));
    return true;
}

void ZafDataPersistence::ClearConstructors(std::vector<OwnedConstructor> &table)
{
    for (OwnedConstructor &entry : table)
        delete[] entry.className;
    table.clear();
}

bool ZafDataPersistence::AddDataConstructor(const char *className, ZafClassID classID, ZafReadFunction New)
{
    return AddConstructor(dataConstructors, className, classID, New);
}

void ZafDataPersistence::ClearDataConstructors()
{
    ClearConstructors(dataConstructors);
}

ZafReadFunction ZafDataPersistence::GetDataConstructor(ZafClassID classID, const char *className) const
{
    const OwnedConstructor *entry = FindConstructor(dataConstructors, classID, className);
    return entry ? entry->New : nullptr;
}

void ZafDataPersistence::SetDataConstructors(const ZafConstructorEntry *table)
{
    ClearDataConstructors();
    for (; table && table->classID != ZafEndOfTable; table++)
        AddDataConstructor(table->className, table->classID, table->New);
}

bool ZafDataPersistence::RemoveDataConstructor(ZafClassID classID, const char *className)
{
    return RemoveConstructor(dataConstructors, classID, className);
}

int ZafDataPersistence::ClassIDForName(const char *className) const
{
    for (const OwnedConstructor &entry : dataConstructors)
        if (SameName(entry.className, className))
            return entry.classID;
    return 0;
}

const char *ZafDataPersistence::ClassNameForID(ZafClassID classID) const
{
    for (const OwnedConstructor &entry : dataConstructors)
        if (entry.classID == classID && entry.className)
            return entry.className;
    return nullptr;
}

int ZafDataPersistence::CurrentClassID() const
{
    if (levelIndex < 0)
        return -1;
    const Level &level = levels[levelIndex];
    if (level.classID == 0 && level.className)
        return ClassIDForName(level.className);
    return level.classID;
}

const char *ZafDataPersistence::CurrentClassName() const
{
    if (levelIndex < 0)
        return nullptr;
    const Level &level = levels[levelIndex];
    if (level.className)
        return level.className;
    return level.classID != 0 ? ClassNameForID(level.classID) : nullptr;
}

// ---------------------------------------------------------------------------
// File systems

void ZafDataPersistence::AddFileSystem(ZafFileSystem *fileSystem)
{
    if (fileSystem && !fileSystems.Contains(fileSystem))
        fileSystems.Add(fileSystem);
}

void ZafDataPersistence::ClearFileSystems()
{
    while (ZafElement *fileSystem = fileSystems.First())
        fileSystems.Subtract(fileSystem);
}

// ---------------------------------------------------------------------------
// Levels

ZafDataPersistence &ZafDataPersistence::PushLevel(const char *className, ZafClassID classID, std::uint32_t entryType)
{
    Level *level = &levels[levelIndex];
    if (levelOverflow > 0 || (level->file && levelIndex == maxLevels - 1)) {
        // No room for another open file: the object is refused, and its pop
        // is matched here rather than ending a level that is in use.
        levelOverflow++;
        error = ZafError::Open;
        return *this;
    }
    if (level->file) {
        level = &levels[++levelIndex];
        *level = Level();
    }
    if (++level->nesting == 1) {
        level->className = className;
        level->classID = classID;
        level->entryType = entryType;
    }
    return *this;
}

ZafDataPersistence &ZafDataPersistence::PopLevel()
{
    if (levelOverflow > 0) {
        levelOverflow--;
        return *this;
    }
    Level &level = levels[levelIndex];
    if (--level.nesting > 0)
        return *this;
    level.nesting = 0;
    if (level.fileSystem) {
        if (level.file) {
            if (level.file->Error() != 0)
                error = level.file->Error();
            level.fileSystem->Close(level.file);
            level.file = nullptr;
        }
        if (level.savedDirectory[0])
            level.fileSystem->ChDir(level.savedDirectory);
    }
    level.fileSystem = nullptr;
    level.savedDirectory[0] = '\0';
    if (levelIndex > 0)
        levelIndex--;
    return *this;
}

ZafFile *ZafDataPersistence::File() const
{
    return levelOverflow > 0 ? nullptr : levels[levelIndex].file;
}

ZafFileSystem *ZafDataPersistence::LevelFileSystem() const
{
    return levelOverflow > 0 ? nullptr : levels[levelIndex].fileSystem;
}

std::uint32_t ZafDataPersistence::OpenLevelFile(const char *name, std::uint16_t mode)
{
    if (levelOverflow > 0)
        return error = ZafError::Open;
    Level &level = levels[levelIndex];
    if (level.file && level.fileSystem)
        level.fileSystem->Close(level.file);
    level.file = nullptr;
    level.fileSystem = nullptr;
    level.savedDirectory[0] = '\0';
    if (fileSystems.IsEmpty())
        return error = ZafError::Open;
    if (!name || !*name)
        name = level.className;
    if (!name || !*name)
        return error = ZafError::Open;
    // The name becomes a directory or file name below the current directory:
    // one that a path or a pattern would read otherwise (a child "Q*" taken
    // for its sibling "Q1", "~" or ".." leaving the object) is refused before
    // the walk, so that nothing is entered, removed or written.
    if (!ZafIsStoredName(name))
        return error = ZafError::NotFound;

    const char *base = level.entryType == dataEntry ? name : "objectData";
    char fileName[ZafMaxPath];
    const int length = Suffix() ? std::snprintf(fileName, sizeof fileName, "%s.%s", base, Suffix())
                                : std::snprintf(fileName, sizeof fileName, "%s", base);
    if (length < 0 || length >= static_cast<int>(sizeof fileName))
        return error = ZafError::Open;
    if (!ZafIsStoredName(fileName))
        return error = ZafError::NotFound;

    // Writing first looks for the object where it is, and only then makes
    // the directories it needs.
    const int passes = (mode & ZafFileMode::Create) ? 2 : 1;
    for (int pass = 0; pass < passes && !level.file; pass++) {
        const bool makeDirectories = passes == 1 || pass == 1;
        for (ZafElement *element = fileSystems.First(); element && !level.file; element = element->Next())
            TryFileSystem(static_cast<ZafFileSystem *>(element), name, fileName, mode, makeDirectories);
    }
    if (!level.file)
        return error = ZafError::Open;
    return error = level.file->Error();
}

// Walks one file system to the level's directory and opens the file there;
// true when a file was opened (it then stands in the level).
bool ZafDataPersistence::TryFileSystem(ZafFileSystem *fileSystem, const char *name, const char *fileName,
                                       std::uint16_t mode, bool makeDirectories)
{
    Level &level = levels[levelIndex];
    const char *className = level.className ? level.className : "";
    const bool reading = (mode & ZafFileMode::Read) != 0;
    ZafFile *file = nullptr;
    if (level.entryType == topLevelEntry || level.entryType == classEntry) {
        char saved[ZafMaxPath];
        char classDirectory[ZafMaxPath];
        const int length = std::snprintf(classDirectory, sizeof classDirectory, "~%s", className);
        if (fileSystem->GetCWD(saved, sizeof saved) != 0 || length < 0 ||
            length >= static_cast<int>(sizeof classDirectory))
            return false;
        if (fileSystem->ChDir(classDirectory) != 0) {
            if (reading || !makeDirectories)
                return false;
            fileSystem->MkDir(classDirectory);
            if (fileSystem->ChDir(classDirectory) != 0)
                return false;
        }
        if (level.entryType == topLevelEntry) {
            if (fileSystem->ChDir(name) != 0) {
                fileSystem->MkDir(name, className, level.classID);
                if (fileSystem->ChDir(name) != 0) {
                    fileSystem->ChDir(saved);
                    return false;
                }
            } else if ((mode & ZafFileMode::Create) && !Suffix()) {
                // A written object starts from an empty directory, except
                // one written under a suffix: its directory holds the files
                // of the other suffixes (language tables), which stay.
                fileSystem->ChDir("..");
                fileSystem->RmDir(name, true);
                fileSystem->MkDir(name, className, level.classID);
                if (fileSystem->ChDir(name) != 0) {
                    fileSystem->ChDir(saved);
                    return false;
                }
            }
        }
        file = fileSystem->Open(fileName, mode);
        if (!file) {
            fileSystem->ChDir(saved);
            return false;
        }
        std::strcpy(level.savedDirectory, saved);
    } else if (level.entryType == childEntry) {
        if (fileSystem->ChDir(name, className, level.classID) != 0) {
            if (reading || !makeDirectories)
                return false;
            // An entry of that name but of another class gives way.
            if (fileSystem->Error() == ZafError::IdMismatch)
                fileSystem->RmDir(name, true);
            fileSystem->MkDir(name, className, level.classID);
            if (fileSystem->ChDir(name) != 0)
                return false;
        } else if (mode & ZafFileMode::Create) {
            fileSystem->ChDir("..");
            fileSystem->RmDir(name, true);
            fileSystem->MkDir(name, className, level.classID);
            if (fileSystem->ChDir(name) != 0)
                return false;
        }
        file = fileSystem->Open(fileName, mode);
        // Without a file the walk must not stay inside the object's directory.
        if (!file) {
            fileSystem->ChDir("..");
            return false;
        }
        std::strcpy(level.savedDirectory, "..");
    } else {
        file = fileSystem->Open(fileName, mode, level.className, level.classID);
        if (!file)
            return false;
    }
    level.file = file;
    level.fileSystem = fileSystem;
    return true;
}

// ---------------------------------------------------------------------------
// Suffixes

int ZafDataPersistence::PushSuffix(const char *text)
{
    if (suffixOverflow > 0 || suffixIndex == maxSuffixes - 1) {
        suffixOverflow++;
        return suffixIndex;
    }
    suffixes[++suffixIndex] = text ? text : "";
    return suffixIndex;
}

void ZafDataPersistence::PopSuffix()
{
    if (suffixOverflow > 0) {
        suffixOverflow--;
        return;
    }
    if (suffixIndex > 0)
        suffixes[suffixIndex--].clear();
}
