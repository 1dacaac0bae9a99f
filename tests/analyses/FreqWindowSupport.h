// The program's UI data file for the tests that open option windows: the
// frequency option window's definition written into a scratch MERVALO.ZNC
// and opened as the program's (uiStorage, userPersist) while the object
// lives. Missing-control reports (AssumeError) are collected instead of
// shown.
#pragma once

#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "analyses/FreqOptionWindowDefinition.h"
#include "analyses/OptionWindowBuilder.h"
#include "dataset/AssumeError.h"
#include "shell/Main.h"
#include "zaf/core/ZafWindow.h"
#include "zaf/data/ZafObjectPersistence.h"
#include "zaf/data/ZafPersistenceRegistry.h"
#include "zaf/data/ZafStorage.h"

namespace freqtest {

inline std::vector<std::string> &AssumeReports()
{
    static std::vector<std::string> reports;
    return reports;
}

inline void RecordAssume(const char *, const char *sourceAndLine, const char *text)
{
    AssumeReports().push_back(std::string(sourceAndLine) + " " + text);
}

class ProgramUIFile
{
public:
    ProgramUIFile()
    {
        char base[MAX_PATH];
        GetTempPathA(sizeof base, base);
        static int serial = 0;
        path = std::string(base) + "mervalofrequi" + std::to_string(GetCurrentProcessId()) + "_" +
               std::to_string(serial++) + ".znc";
        OptionWindowBuilder::RegisterClasses();
        {
            ZafStorage storage(path.c_str(), ZafStorage::CreateTree);
            std::unique_ptr<ZafObjectPersistence> persistence(ZafPersistenceRegistry::MakePersistence(&storage));
            std::unique_ptr<ZafWindow> window(MakeFreqOptionWindowDefinition());
            window->Write(*persistence);
            EXPECT_EQ(0u, persistence->Error());
            EXPECT_EQ(0u, storage.Save());
        }
        storage.reset(new ZafStorage(path.c_str(), ZafStorage::Read));
        persistence.reset(ZafPersistenceRegistry::MakePersistence(storage.get()));
        previousStorage = uiStorage;
        previousPersist = userPersist;
        uiStorage = storage.get();
        userPersist = persistence.get();
        AssumeReports().clear();
        previousHook = SetAssumeReportHook(RecordAssume);
    }
    ~ProgramUIFile()
    {
        SetAssumeReportHook(previousHook);
        uiStorage = previousStorage;
        userPersist = previousPersist;
        persistence.reset();
        storage.reset();
        DeleteFileA(path.c_str());
    }

    std::string path;
    std::unique_ptr<ZafStorage> storage;
    std::unique_ptr<ZafObjectPersistence> persistence;

private:
    ZafStorage *previousStorage = nullptr;
    ZafObjectPersistence *previousPersist = nullptr;
    AssumeReportHook previousHook = nullptr;
};

} // namespace freqtest
