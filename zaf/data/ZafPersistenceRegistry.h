// ZafPersistenceRegistry: the program's persistence tables, the ones its
// start-up hands to the object persistence of its UI data file.
//
// The constructor tables list, in the program's order, the data classes
// (ZafBitmapData, ZafIconData and ZafLanguageData by name only, then
// ZafStringData 3105, ZafIntegerData 3103, ZafScrollData 3110,
// ZafPaletteData 3119) and the 29 window-object classes from ZafWindow 1007
// to ZafPopUpItem 19. Every entry exists from the start, so that class names
// and ids translate into each other; the core's classes (ZafWindow,
// ZafDialogWindow, ZafMDIWindow, ZafBorder, ZafGroup, ZafScrollBar) come with their New, every other class's
// New stays null until the class enters it with RegisterNew. The program's handlers enter themselves with
// RegisterUserFunction; compare functions and user objects start empty.
//
// The tables are process-wide and end-marked as the persistence contexts'
// Set operations expect. A table pointer stays valid until the next change of
// that table; a context copies what it is given.
#pragma once

#include "zaf/data/ZafObjectPersistence.h"

class ZafPersistenceRegistry
{
public:
    static const ZafConstructorEntry *DataConstructors();
    static const ZafConstructorEntry *ObjectConstructors();
    static const ZafNamedEntry<ZafUserFunction> *UserFunctions();
    static const ZafNamedEntry<ZafCompareFunction> *CompareFunctions();
    static const ZafNamedEntry<void *> *UserObjects();

    // Enters a listed class's New (data or object table, found by the class
    // name); false when the program lists no class of that name.
    static bool RegisterNew(const char *className, ZafReadFunction New);
    // Appends a named entry; false for a null name or a name already present
    // (the first entry stays).
    static bool RegisterUserFunction(const char *name, ZafUserFunction function);
    static bool RegisterCompareFunction(const char *name, ZafCompareFunction function);
    static bool RegisterUserObject(const char *name, void *object);

    // Makes an object persistence over the file system with all five tables.
    static ZafObjectPersistence *MakePersistence(ZafFileSystem *fileSystem);
};
