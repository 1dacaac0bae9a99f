// ZafObjectPersistence: the persistence context of window objects. Besides
// what ZafDataPersistence holds it keeps four owned tables: object
// constructors, compare functions, user functions and user objects, through
// which the names stored in a UI data file become functions and objects and
// back. Lookups compare names exactly (case counts) and answer null / 0 when
// nothing matches.
//
// Children of an object are stored as directories below the object's own
// directory, each named after the child and carrying its class name as
// string id and its class id as object id; the object's own entries
// ("objectData", "userFunction", "userObject", "compareFunction" and its data
// objects such as palettes) are files beside them. WriteChildObject and
// ReadChildObjects write and read such children one level each.
//
// It is also the ZafWindowPersistence through which the core's window
// objects read and write themselves: the typed operations work on the
// current level's file and move a file error into the context at once.
#pragma once

#include "zaf/data/ZafDataPersistence.h"

#include "zaf/core/ZafWindowObject.h" // ZafUserFunction
#include "zaf/core/ZafWindowPersistence.h"

class ZafObjectPersistence : public ZafDataPersistence, public ZafWindowPersistence
{
public:
    // Object ids of the entries that keep a window object's function names.
    static constexpr ZafNumberID userFunctionEntryID = 3201;
    static constexpr ZafNumberID userObjectEntryID = 3202;
    // Both bases name the entry types; they are the same values.
    using ZafDataPersistence::childEntry;
    using ZafDataPersistence::topLevelEntry;

    // Null tables leave the table empty.
    explicit ZafObjectPersistence(ZafFileSystem *fileSystem = nullptr,
                                  const ZafConstructorEntry *dataConstructors = nullptr,
                                  const ZafConstructorEntry *objectConstructors = nullptr,
                                  const ZafNamedEntry<ZafUserFunction> *userFunctions = nullptr,
                                  const ZafNamedEntry<ZafCompareFunction> *compareFunctions = nullptr,
                                  const ZafNamedEntry<void *> *userObjects = nullptr);
    ~ZafObjectPersistence() override;

    // Object table first, then the data table.
    int CurrentClassID() const override;
    const char *CurrentClassName() const override;

    virtual bool AddCompareFunction(const char *name, ZafCompareFunction function);
    virtual bool AddObjectConstructor(const char *className, ZafClassID classID, ZafReadFunction New);
    virtual bool AddUserFunction(const char *name, ZafUserFunction function);
    virtual bool AddUserObject(const char *name, void *object);
    virtual void ClearCompareFunctions();
    virtual void ClearObjectConstructors();
    virtual void ClearUserFunctions();
    virtual void ClearUserObjects();
    ZafCompareFunction GetCompareFunction(const char *name) const override;
    virtual ZafReadFunction GetObjectConstructor(ZafClassID classID, const char *className) const;
    ZafUserFunction GetUserFunction(const char *name) const override;
    void *GetUserObject(const char *name) const override;
    virtual void SetCompareFunctions(const ZafNamedEntry<ZafCompareFunction> *table);
    virtual void SetObjectConstructors(const ZafConstructorEntry *table);
    virtual void SetUserFunctions(const ZafNamedEntry<ZafUserFunction> *table);
    virtual void SetUserObjects(const ZafNamedEntry<void *> *table);
    virtual bool RemoveCompareFunction(const char *name);
    virtual bool RemoveObjectConstructor(ZafClassID classID, const char *className);
    virtual bool RemoveUserFunction(const char *name);
    virtual bool RemoveUserObject(const char *name);
    // The object table's entry of that class id, else the data table's; null
    // for class id 0, which only names are to find.
    virtual ZafReadFunction GetNewByClassID(ZafClassID classID) const;
    const char *GetCompareFunctionName(ZafCompareFunction function) const override;
    const char *GetUserFunctionName(ZafUserFunction function) const override;
    const char *GetUserObjectName(void *object) const override;

    ZafObjectPersistence &PushLevel(const char *className, ZafClassID classID, std::uint32_t entryType) override
    {
        ZafDataPersistence::PushLevel(className, classID, entryType);
        return *this;
    }
    ZafObjectPersistence &PopLevel() override
    {
        ZafDataPersistence::PopLevel();
        return *this;
    }

    // --- ZafWindowPersistence ---------------------------------------------
    std::uint32_t OpenLevelFile(const char *name, std::uint16_t mode) override
    {
        return ZafDataPersistence::OpenLevelFile(name, mode);
    }
    std::uint32_t Error() const override { return ZafDataPersistence::Error(); }
    std::uint32_t SetError(std::uint32_t code) override { return ZafDataPersistence::SetError(code); }
    int Read8(std::uint8_t &value) override;
    int Read16(std::uint16_t &value) override;
    int Read16(std::int16_t &value) override;
    int Read32(std::uint32_t &value) override;
    int Read32(std::int32_t &value) override;
    int ReadString(char **text) override;
    int ReadStringInto(char *buffer, int size) override;
    int Write8(std::uint8_t value) override;
    int Write16(std::uint16_t value) override;
    int Write16(std::int16_t value) override;
    int Write32(std::uint32_t value) override;
    int Write32(std::int32_t value) override;
    int WriteString(const char *text) override;
    std::uint32_t WriteLevelEntry(const char *entryName, const char *stringID, ZafNumberID objectID,
                                  const char *text) override;
    std::uint32_t ReadLevelEntry(const char *entryName, char *buffer, int size) override;
    // The object table's entry by class id, else by name.
    ZafElement *NewObject(ZafClassID classID, const char *className, const char *name,
                          std::uint32_t entryType) override;
    void WriteChild(ZafWindowObject &object) override { WriteChildObject(object); }
    // A palette is a data entry beside the object's level file, named after
    // the palette's string id. A palette that cannot be read gives null and
    // leaves its error in the context; a palette written answers its name.
    ZafPaletteData *ReadPaletteData(const char *name) override;
    const char *WritePaletteData(ZafPaletteData *palette) override;
    // Scroll data likewise.
    ZafScrollData *ReadScrollData(const char *name) override;
    const char *WriteScrollData(ZafScrollData *data) override;

    // Writes one child of the object whose level file is open: its own
    // level of type 2 named after its class, then its Write.
    template <class Object> void WriteChildObject(Object &object)
    {
        PushLevel(object.ClassName(), object.ClassID(), childEntry);
        object.Write(*this);
        PopLevel();
    }

    // Reads the children stored below the current level's directory, in
    // directory order: every directory whose class (by object id, else by
    // string id) has an object constructor is built through it in a level of
    // type 2 and handed to add with the context. Data entries and entries of
    // unknown classes are skipped. Returns the number of objects built.
    int ReadChildObjects(void (*add)(ZafElement *object, void *context), void *context) override;

    // True for entries of an object's directory that are not child objects.
    static bool IsDataEntry(const ZafFileInfo &info);

private:
    // Runs one typed operation on the level file; a file error (or a
    // missing file: failCode) becomes the context's error at once.
    template <class Operation> int OnFile(std::uint32_t failCode, Operation operation);

    template <class Value> struct OwnedNamed
    {
        char *name;
        Value value;
    };
    template <class Value> static bool AddNamed(std::vector<OwnedNamed<Value>> &table, const char *name, Value value);
    template <class Value> static Value GetNamed(const std::vector<OwnedNamed<Value>> &table, const char *name);
    template <class Value> static const char *NameOf(const std::vector<OwnedNamed<Value>> &table, Value value);
    template <class Value> static bool RemoveNamed(std::vector<OwnedNamed<Value>> &table, const char *name);
    template <class Value> static void ClearNamed(std::vector<OwnedNamed<Value>> &table);

    int ClassIDForName(const char *className) const override;
    const char *ClassNameForID(ZafClassID classID) const override;

    std::vector<OwnedConstructor> objectConstructors;
    std::vector<OwnedNamed<ZafCompareFunction>> compareFunctions;
    std::vector<OwnedNamed<ZafUserFunction>> userFunctions;
    std::vector<OwnedNamed<void *>> userObjects;
};

// The object-table form of a core class's read function: the class reads
// itself through the object persistence it is given (null for any other
// context).
template <ZafWindowReadFunction Read> ZafElement *ZafObjectNew(const char *name, ZafDataPersistence &persistence)
{
    auto *objectPersistence = dynamic_cast<ZafObjectPersistence *>(&persistence);
    return objectPersistence ? Read(name, *objectPersistence) : nullptr;
}
