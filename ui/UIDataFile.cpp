#include "ui/UIDataFile.h"

#include "analyses/frequencies/BattFreqOption.h"
#include "analyses/frequencies/BattFreqOptionWindowDefinition.h"
#include "analyses/frequencies/FreqOption.h"
#include "analyses/multivariate/CorrOption.h"
#include "analyses/multivariate/CorrOptionWindowDefinition.h"
#include "analyses/frequencies/FreqOptionWindowDefinition.h"
#include "analyses/map/MapOptionWindowDefinition.h"
#include "analyses/map/MapStatOption.h"
#include "analyses/crosstab/XtabOptionWindowDefinition.h"
#include "graphs/GraphTextDialogDefinition.h"
#include "shell/MainWindowDefinition.h"
#include "shell/ShellWindows.h"
#include "zaf/core/ZafMDIWindow.h"
#include "zaf/data/ZafPersistenceRegistry.h"
#include "zaf/data/ZafStorage.h"

#include <cstdio>
#include <memory>

namespace {

std::vector<unsigned char> ReadBytes(const std::string &path)
{
    std::vector<unsigned char> bytes;
    if (std::FILE *file = std::fopen(path.c_str(), "rb")) {
        unsigned char block[4096];
        std::size_t n;
        while ((n = std::fread(block, 1, sizeof block, file)) > 0)
            bytes.insert(bytes.end(), block, block + n);
        std::fclose(file);
    }
    return bytes;
}

// Writes the windows into a new storage at path and saves it.
std::uint32_t WriteWindows(const char *path, const std::vector<std::unique_ptr<ZafWindow>> &windows,
                           std::string &report)
{
    ZafStorage storage(path, ZafStorage::CreateTree);
    if (storage.Error() != 0) {
        report += std::string("cannot create ") + path + "\n";
        return storage.Error();
    }
    std::unique_ptr<ZafObjectPersistence> persistence(ZafPersistenceRegistry::MakePersistence(&storage));
    for (const auto &window : windows) {
        window->Write(*persistence);
        if (persistence->Error() != 0) {
            report += std::string("cannot write ") + window->StringID() + "\n";
            return persistence->Error();
        }
    }
    if (std::uint32_t error = storage.Save()) {
        report += std::string("cannot save ") + path + "\n";
        return error;
    }
    return 0;
}

} // namespace

const std::vector<UIDataFile::Definition> &UIDataFile::Definitions()
{
    static const std::vector<Definition> definitions = [] {
        std::vector<Definition> all;
        for (const ShellWindow &window : ShellWindows())
            all.push_back({window.name, window.make});
        all.push_back({FreqOption::windowName, MakeFreqOptionWindowDefinition});
        all.push_back({"XtabOptionWindow", MakeXtabOptionWindowDefinition});
        all.push_back({CorrOptionWindow::windowName, MakeCorrOptionWindowDefinition});
        all.push_back({BattFreqOption::windowName, MakeBattFreqOptionWindowDefinition});
        all.push_back({MapStatOption::windowName, MakeMapOptionWindowDefinition});
        all.push_back({GraphTextDialogNames::dialog, MakeGraphTextDialogDefinition});
        return all;
    }();
    return definitions;
}

std::uint32_t UIDataFile::Generate(const char *path, std::string &report)
{
    std::vector<std::unique_ptr<ZafWindow>> windows;
    for (const Definition &definition : Definitions())
        windows.emplace_back(definition.make());
    const std::uint32_t error = WriteWindows(path, windows, report);
    if (error == 0)
        report += std::to_string(windows.size()) + " windows written to " + path + "\n";
    return error;
}

std::uint32_t UIDataFile::Verify(const char *path, std::string &report)
{
    std::vector<std::unique_ptr<ZafWindow>> windows;
    RegisterMainWindowClasses();
    {
        ZafStorage storage(path, ZafStorage::Read);
        if (storage.Error() != 0) {
            report += std::string("cannot open ") + path + "\n";
            return storage.Error();
        }
        std::unique_ptr<ZafObjectPersistence> persistence(ZafPersistenceRegistry::MakePersistence(&storage));
        for (const Definition &definition : Definitions()) {
            // The definition tells the class the window is stored under.
            std::unique_ptr<ZafWindow> defined(definition.make());
            ZafElement *object = persistence->NewObject(defined->ClassID(), defined->ClassName(), definition.name,
                                                        ZafObjectPersistence::topLevelEntry);
            auto *window = dynamic_cast<ZafWindow *>(object);
            if (!window || window->Error() != 0) {
                const std::uint32_t error = window ? static_cast<std::uint32_t>(window->Error()) : 2;
                delete object;
                report += std::string("cannot read ") + definition.name + "\n";
                return error;
            }
            windows.emplace_back(window);
        }
    }
    const std::string again = std::string(path) + ".again";
    std::uint32_t error = WriteWindows(again.c_str(), windows, report);
    if (error == 0 && ReadBytes(path) != ReadBytes(again)) {
        report += std::string("writing the windows read from ") + path + " again gives other bytes\n";
        error = 17;
    }
    std::remove(again.c_str());
    if (error == 0)
        report += std::to_string(windows.size()) + " windows read back and written again unchanged\n";
    return error;
}
