// A UI data file of the test's own, installed as the program's (uiStorage,
// userPersist, as Main installs them) while the object lives, so that
// windows read by name open as in the program; the installation before it
// comes back at the end. Only for test programs that link the shell.
#pragma once

#include "shell/Main.h"
#include "zaf/data/ZafObjectPersistence.h"
#include "zaf/data/ZafPersistenceRegistry.h"
#include "zaf/data/ZafStorage.h"

#include "TempDirectory.h"

#include <functional>
#include <memory>
#include <string>

namespace testsupport {

class InstalledUIFile
{
public:
    // write makes the file at the path it is given.
    explicit InstalledUIFile(const std::function<void(const std::string &path)> &write)
    {
        write(path);
        storage = std::make_unique<ZafStorage>(path.c_str(), ZafStorage::Read);
        persistence.reset(ZafPersistenceRegistry::MakePersistence(storage.get()));
        previousStorage = uiStorage;
        previousPersist = userPersist;
        uiStorage = storage.get();
        userPersist = persistence.get();
    }
    ~InstalledUIFile()
    {
        uiStorage = previousStorage;
        userPersist = previousPersist;
    }
    InstalledUIFile(const InstalledUIFile &) = delete;
    InstalledUIFile &operator=(const InstalledUIFile &) = delete;

private:
    TempDirectory directory{"mervaloui"};
    const std::string path = directory.File("MERVALO.ZNC");
    std::unique_ptr<ZafStorage> storage;
    std::unique_ptr<ZafObjectPersistence> persistence;
    ZafStorage *previousStorage = nullptr;
    ZafObjectPersistence *previousPersist = nullptr;
};

} // namespace testsupport
