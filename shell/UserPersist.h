// UserPersist: the persistence through which every window of the program
// reads itself from the program's UI data file (the global userPersist that
// Main makes over MERVALO.ZNC and deletes after the event loop). It is an
// object persistence with the program's tables (ZafPersistenceRegistry):
// data and object constructors, the named handlers a window's record may
// name, and the empty compare-function and user-object tables. Enter the
// handlers (QIVprog::RegisterUserFunctions) before making it: it copies the
// tables it is made with.
#pragma once

#include "zaf/data/ZafObjectPersistence.h"

class ZafFileSystem;

class UserPersist : public ZafObjectPersistence
{
public:
    // The file system is not owned.
    explicit UserPersist(ZafFileSystem *fileSystem);
    ~UserPersist() override;

    UserPersist(const UserPersist &) = delete;
    UserPersist &operator=(const UserPersist &) = delete;
};
