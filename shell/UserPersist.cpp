#include "shell/UserPersist.h"

#include "zaf/data/ZafPersistenceRegistry.h"

UserPersist::UserPersist(ZafFileSystem *fileSystem)
    : ZafObjectPersistence(fileSystem, ZafPersistenceRegistry::DataConstructors(),
                           ZafPersistenceRegistry::ObjectConstructors(), ZafPersistenceRegistry::UserFunctions(),
                           ZafPersistenceRegistry::CompareFunctions(), ZafPersistenceRegistry::UserObjects())
{
}

// The base clears the four tables and the data-constructor table and lets
// go of the file system.
UserPersist::~UserPersist() = default;
