// The shell's windows in a UI data file of the test's own, with the
// program's persistence over it as Main installs it (uiStorage,
// userPersist), so that windows read by name open as in the program.
#pragma once

#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <string>

#include "shell/Main.h"
#include "shell/ShellWindows.h"
#include "zaf/core/ZafWindow.h"
#include "zaf/data/ZafObjectPersistence.h"
#include "zaf/data/ZafPersistenceRegistry.h"
#include "zaf/data/ZafStorage.h"
#include "tests/support/InstalledUIFile.h"

namespace shellui {

// Writes every window of the shell into a new UI data file at path.
inline void WriteShellWindows(const std::string &path)
{
    ZafStorage storage(path.c_str(), ZafStorage::CreateTree);
    std::unique_ptr<ZafObjectPersistence> persistence(ZafPersistenceRegistry::MakePersistence(&storage));
    for (const ShellWindow &definition : ShellWindows()) {
        std::unique_ptr<ZafWindow> window(definition.make());
        window->Write(*persistence);
        ASSERT_EQ(0u, persistence->Error()) << definition.name;
    }
    ASSERT_EQ(0u, storage.Save());
}

// The shell's windows installed as the program's UI data file.
class ShellUIFile : public testsupport::InstalledUIFile
{
public:
    ShellUIFile() : InstalledUIFile(WriteShellWindows) {}
};

} // namespace shellui
