// ZafWindowPersistence: what window objects need of a persistence context
// to read themselves from a UI data file and write themselves into one.
//
// The context itself (its file systems, level stack and tables) belongs to
// the data layer, whose ZafObjectPersistence implements this interface; the
// core reaches it only through these operations, so that it never depends
// on the data layer. Callers own the context; it outlives every read and
// write made through it.
//
// Levels: a persistent constructor or writer pushes a level with its class
// name, class id and entry type, calls its base (which shares the level and
// opens the level file with OpenLevelFile), reads or writes its fields
// through the typed operations below, and pops the level. Entry types:
// topLevelEntry for windows read by name, childEntry for objects inside a
// window (a child read or written through ReadChildObjects / WriteChild
// starts its level as childEntry whatever its own push says).
//
// Errors: the context keeps one error word (0 = none; 2 not found, 14
// cannot open, 16 short read or bad text, 17 short write). A typed read or
// write that fails sets it at once, so a reader may test Error() after any
// field. Every typed read of a failed or missing file gives zero or "".
#pragma once

#include "zaf/core/ZafElement.h"
#include "zaf/core/ZafList.h"
#include "zaf/core/ZafWindowObject.h"

#include <cstdint>

class ZafPaletteData;
class ZafScrollData;

class ZafWindowPersistence
{
public:
    // Entry types of a level (where its file lies).
    static constexpr std::uint32_t topLevelEntry = 0;
    static constexpr std::uint32_t childEntry = 2;
    // Open modes of OpenLevelFile.
    static constexpr std::uint16_t readMode = 0x01;
    static constexpr std::uint16_t writeMode = 0x06;
    // Longest name of a user function, user object, compare function or
    // palette in a record (a 64-character buffer with its terminator).
    static constexpr int maxNameLength = 63;

    virtual ~ZafWindowPersistence() = default;

    // --- Levels and the level file ----------------------------------------
    virtual ZafWindowPersistence &PushLevel(const char *className, ZafClassID classID, std::uint32_t entryType) = 0;
    virtual ZafWindowPersistence &PopLevel() = 0;
    // Opens the current level's file (null or empty name: the level's class
    // name); answers and keeps the error word.
    virtual std::uint32_t OpenLevelFile(const char *name, std::uint16_t mode) = 0;
    virtual std::uint32_t Error() const = 0;
    virtual std::uint32_t SetError(std::uint32_t code) = 0;

    // --- Typed reads and writes of the current level's file -----------------
    // Integers least significant byte first; texts as a 16-bit length word
    // and the characters. Each answers the number of bytes moved.
    virtual int Read8(std::uint8_t &value) = 0;
    virtual int Read16(std::uint16_t &value) = 0;
    virtual int Read16(std::int16_t &value) = 0;
    virtual int Read32(std::uint32_t &value) = 0;
    virtual int Read32(std::int32_t &value) = 0;
    // A new text (delete[] by the caller), null for an empty one.
    virtual int ReadString(char **text) = 0;
    // Into a buffer of size bytes; a text that does not fit is not read and
    // sets error Read (16) (the buffer then holds "").
    virtual int ReadStringInto(char *buffer, int size) = 0;
    virtual int Write8(std::uint8_t value) = 0;
    virtual int Write16(std::uint16_t value) = 0;
    virtual int Write16(std::int16_t value) = 0;
    virtual int Write32(std::uint32_t value) = 0;
    virtual int Write32(std::int32_t value) = 0;
    virtual int WriteString(const char *text) = 0;

    // --- Named entries beside the level file -------------------------------
    // Writes a text as the entry of that name in the current level's
    // directory (the entry carries stringID and objectID); answers 0 or an
    // error code, which is also kept.
    virtual std::uint32_t WriteLevelEntry(const char *entryName, const char *stringID, ZafNumberID objectID,
                                          const char *text) = 0;
    // Reads the text of such an entry into a buffer of size bytes. Answers 0
    // when read, 2 when there is no such entry (the error word is left
    // alone), 16 when the text is bad or too long (also kept).
    virtual std::uint32_t ReadLevelEntry(const char *entryName, char *buffer, int size) = 0;

    // --- Tables -------------------------------------------------------------
    // Names compare exactly; unknown names give null, unknown values no name.
    virtual ZafUserFunction GetUserFunction(const char *name) const = 0;
    virtual void *GetUserObject(const char *name) const = 0;
    virtual ZafCompareFunction GetCompareFunction(const char *name) const = 0;
    virtual const char *GetUserFunctionName(ZafUserFunction function) const = 0;
    virtual const char *GetUserObjectName(void *object) const = 0;
    virtual const char *GetCompareFunctionName(ZafCompareFunction function) const = 0;

    // --- Objects ------------------------------------------------------------
    // Builds the object of that class (by id, else by name) through its
    // persistent constructor in a level of its own below the current one;
    // null when the class has no constructor. The caller owns the object
    // and tests its error word.
    virtual ZafElement *NewObject(ZafClassID classID, const char *className, const char *name,
                                  std::uint32_t entryType) = 0;
    // Builds every child object stored in the current level's directory, in
    // directory order, and hands each to add with the context (which then
    // owns it); entries that are not objects, and classes without a
    // constructor, are skipped. Answers the number of objects built.
    virtual int ReadChildObjects(void (*add)(ZafElement *object, void *context), void *context) = 0;
    // Writes one object inside the object whose level file is open: its own
    // level of childEntry, then its Write.
    virtual void WriteChild(ZafWindowObject &object) = 0;

    // --- Palettes -----------------------------------------------------------
    // Reads the palette data of that name beside the current level file;
    // null when it cannot be read (the caller then keeps its own palette).
    virtual ZafPaletteData *ReadPaletteData(const char *name) = 0;
    // Writes the palette data beside the current level file and answers the
    // name it is stored under; null when it is not written.
    virtual const char *WritePaletteData(ZafPaletteData *palette) = 0;
    // The same for the scroll data of a scroll bar.
    virtual ZafScrollData *ReadScrollData(const char *name) = 0;
    virtual const char *WriteScrollData(ZafScrollData *data) = 0;
};

// A persistent class's read function as the core declares it: builds the
// object through its persistent constructor; the caller owns the result.
using ZafWindowReadFunction = ZafElement *(*)(const char *name, ZafWindowPersistence &persistence);
