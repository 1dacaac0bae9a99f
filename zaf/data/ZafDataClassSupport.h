// The steps every data class repeats in its persistence and class tests,
// written once: a class's level around its base's read and write, the test
// of its own class name, whole-number reads from the UI data file, and the
// taking of the error a failed look-up left in the persistence.
//
// A persistent constructor pushes its level in its base's initialiser (the
// base opens the level's file), then calls ZafReadLevel with the reading of
// its own fields; Write calls ZafWriteLevel with its base and the writing of
// its own fields. Either keeps the persistence's error as the object's.
#pragma once

#include <cstdint>
#include <cstring>

#include "zaf/data/ZafData.h"
#include "zaf/data/ZafFile.h"

// True when the name is the class's own (a null name never is).
inline bool ZafIsOwnClassName(const char *name, const char *className)
{
    return name && std::strcmp(name, className) == 0;
}

// Reads the class's own fields while the persistence has no error and a
// level file, pops the level, and keeps a persistence error as the object's.
template <class ReadFields> void ZafReadLevel(ZafData &object, ZafDataPersistence &persistence, ReadFields readFields)
{
    if (persistence.Error() == 0 && persistence.File())
        readFields(*persistence.File());
    persistence.PopLevel();
    if (persistence.Error() != 0)
        object.SetError(persistence.Error());
}

// Pops the level of a class that reads no field of its own.
inline void ZafReadLevel(ZafData &object, ZafDataPersistence &persistence)
{
    ZafReadLevel(object, persistence, [](ZafFile &) {});
}

// Writes the class's level: Base's Write inside it, then, when that wrote
// without error to a level file, the class's own fields. Returns the persistence's error,
// also kept as the object's.
template <class Base, class Object, class WriteFields>
std::uint32_t ZafWriteLevel(Object &object, ZafDataPersistence &persistence, std::uint32_t entryType,
                            WriteFields writeFields)
{
    persistence.PushLevel(Object::className, Object::classID, entryType);
    if (object.Base::Write(persistence) == 0 && persistence.File())
        writeFields(*persistence.File());
    persistence.PopLevel();
    if (persistence.Error() != 0)
        object.SetError(persistence.Error());
    return persistence.Error();
}

// Writes the level of a class that writes no field of its own.
template <class Base, class Object>
std::uint32_t ZafWriteLevel(Object &object, ZafDataPersistence &persistence, std::uint32_t entryType)
{
    return ZafWriteLevel<Base>(object, persistence, entryType, [](ZafFile &) {});
}

// The error a failed look-up left in the persistence, which is then cleared
// for the next one; 0 without a persistence.
inline std::uint32_t ZafTakePersistenceError(ZafDataPersistence *persistence)
{
    if (!persistence)
        return 0;
    const std::uint32_t error = persistence->Error();
    persistence->SetError(0);
    return error;
}

// Reads a number whole: a value cut short by the end of the file is a read
// error (the file's typed reads give 0 there without saying so).
template <class T> void ZafReadWhole(ZafFile &file, T &value)
{
    int moved = 0;
    if constexpr (sizeof(T) == 4)
        moved = file.Read32(value);
    else if constexpr (sizeof(T) == 2)
        moved = file.Read16(value);
    else
        moved = file.Read8(value);
    if (moved != static_cast<int>(sizeof(T)) && file.Error() == 0)
        file.SetError(ZafError::Read);
}
