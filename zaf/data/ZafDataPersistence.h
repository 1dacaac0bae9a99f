// ZafDataPersistence: the context through which data objects are read from
// and written to UI data files by name.
//
// It holds the file systems to search (in list order; not owned: the
// destructor takes them out of the list without deleting them), a stack of
// levels, a stack of name suffixes, the table of data-object constructors
// and an error word (ZafError codes; 0 = no error).
//
// Every persistent class follows one pattern. Its persistent constructor
// (name, persistence) pushes a level with its own class name, class id and
// entry type, passing the result straight to its base class's persistent
// constructor (PushLevel returns the persistence for that); the root of the
// chain (ZafData, the window-object base) opens the level file with
// OpenLevelFile(name, 1); each class reads its fields while Error() is 0,
// pops the level and, when Error() is not 0, stores it as the object's
// error. The writer mirrors it with OpenLevelFile(name, 6).
//
// Levels: a push while the current level has an open file starts a new
// level; any other push shares the current level (so a class and its bases
// share one level, named after the most derived class). A level's file is
// closed, and the walk returns to where the level began, when its last push
// is popped. Therefore a caller that reads or writes a list of objects
// pushes one level for each object, never one around the whole list.
//
// Entry types (where a level's file lies):
//   0  top-level object: "~<class>~<name>~objectData"
//   1  per class: "~<class>~objectData"
//   2  object inside an object: "<name>~objectData" below the current directory
//   3  data object: the file "<name>" in the current directory, whose entry
//      carries the class name as string id and the class id as object id
// With a suffix pushed, "objectData" and "<name>" become "objectData.<suffix>"
// and "<name>.<suffix>".
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "zaf/core/ZafList.h"
#include "zaf/data/ZafFileSystem.h"

class ZafDataPersistence;
class ZafFile;

// A persistent class's New: builds an object through its persistent
// constructor and returns it (the caller owns it; its error word tells
// whether it was read).
using ZafReadFunction = ZafElement *(*)(const char *name, ZafDataPersistence &persistence);

// One entry of a constructor table. A static table ends with an entry whose
// class id is ZafEndOfTable and whose name and function are null. An entry
// with class id 0 is found by name only.
struct ZafConstructorEntry
{
    ZafClassID classID;
    const char *className;
    ZafReadFunction New;
};

constexpr ZafClassID ZafEndOfTable = 0xFFFF;

// One entry of a named-value table; a static table ends with a null name.
template <class Value> struct ZafNamedEntry
{
    const char *name;
    Value value;
};

class ZafDataPersistence
{
public:
    static constexpr int maxLevels = 40;
    static constexpr int maxSuffixes = 40;
    // Entry types.
    static constexpr std::uint32_t topLevelEntry = 0;
    static constexpr std::uint32_t classEntry = 1;
    static constexpr std::uint32_t childEntry = 2;
    static constexpr std::uint32_t dataEntry = 3;

    // The file system, when given, is the first of the list.
    explicit ZafDataPersistence(ZafFileSystem *fileSystem = nullptr,
                                const ZafConstructorEntry *dataConstructors = nullptr);
    ZafDataPersistence(const ZafDataPersistence &) = delete;
    ZafDataPersistence &operator=(const ZafDataPersistence &) = delete;
    virtual ~ZafDataPersistence();

    // Tables. Add copies the name and leaves the table unchanged (false)
    // when an entry of that name is present. Get: the first entry whose
    // class id equals a non-zero id given or whose name equals the name
    // given (case counts); null when none. Set clears, then adds each entry.
    virtual bool AddDataConstructor(const char *className, ZafClassID classID, ZafReadFunction New);
    virtual void ClearDataConstructors();
    virtual void ClearFileSystems();
    virtual ZafReadFunction GetDataConstructor(ZafClassID classID, const char *className) const;
    virtual void SetDataConstructors(const ZafConstructorEntry *table);
    virtual bool RemoveDataConstructor(ZafClassID classID, const char *className);
    // The current level's class id, or the one the tables give its class
    // name when it is 0; -1 without a level.
    virtual int CurrentClassID() const;
    // The current level's class name, or the one the tables give its class
    // id; null when neither.
    virtual const char *CurrentClassName() const;

    void AddFileSystem(ZafFileSystem *fileSystem);
    const ZafList &FileSystems() const { return fileSystems; }

    ZafDataPersistence &PushLevel(const char *className, ZafClassID classID, std::uint32_t entryType);
    ZafDataPersistence &PopLevel();
    // Opens the current level's file: mode 1 reads, mode 6 writes (replacing
    // the object and, for types 0 and 2, emptying its directory; under a
    // suffix a type 0 directory keeps its other files). A null or
    // empty name means the level's class name. Returns and keeps the error
    // word: 0, 2 when the name is not ZafIsStoredName (nothing is entered or
    // written), 14 when no file system gives the file, or the file's error.
    std::uint32_t OpenLevelFile(const char *name, std::uint16_t mode);
    // The current level's open file (what a class reads or writes its fields
    // with); null when none is open.
    ZafFile *File() const;
    // The file system that holds the current level's file; null when none.
    ZafFileSystem *LevelFileSystem() const;
    int LevelIndex() const { return levelIndex; }

    // Suffixes: a push beyond 39 texts is not recorded (the index stays) but
    // still counts, so that every pop matches its push.
    int PushSuffix(const char *text);
    void PopSuffix();
    const char *Suffix() const { return suffixes[suffixIndex].empty() ? nullptr : suffixes[suffixIndex].c_str(); }

    std::uint32_t Error() const { return error; }
    std::uint32_t SetError(std::uint32_t code) { return error = code; }

protected:
    struct Level
    {
        int nesting = 0;
        std::uint32_t entryType = 0;
        const char *className = nullptr; // the class's static name
        ZafClassID classID = 0;
        ZafFile *file = nullptr;
        ZafFileSystem *fileSystem = nullptr;
        char savedDirectory[ZafMaxPath] = "";
    };

    // Table entries own their name (a heap copy, freed by Clear and Remove).
    struct OwnedConstructor
    {
        ZafClassID classID;
        char *className;
        ZafReadFunction New;
    };

    static bool AddConstructor(std::vector<OwnedConstructor> &table, const char *className, ZafClassID classID,
                               ZafReadFunction New);
    static const OwnedConstructor *FindConstructor(const std::vector<OwnedConstructor> &table, ZafClassID classID,
                                                   const char *className);
    static bool RemoveConstructor(std::vector<OwnedConstructor> &table, ZafClassID classID, const char *className);
    static void ClearConstructors(std::vector<OwnedConstructor> &table);
    // Class id for a name / name for a class id through the tables.
    virtual int ClassIDForName(const char *className) const;
    virtual const char *ClassNameForID(ZafClassID classID) const;

    std::uint32_t error = 0;
    ZafList fileSystems;
    int levelIndex = 0;
    Level levels[maxLevels];
    // Pushes beyond the last level: refused with error 14, popped first.
    int levelOverflow = 0;
    int suffixIndex = 0;
    int suffixOverflow = 0;
    std::string suffixes[maxSuffixes];
    std::vector<OwnedConstructor> dataConstructors;

private:
    bool TryFileSystem(ZafFileSystem *fileSystem, const char *name, const char *fileName, std::uint16_t mode,
                       bool makeDirectories);
};
