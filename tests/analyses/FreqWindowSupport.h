// The program's UI data file for the tests that open option windows,
// written into a scratch MERVALO.ZNC as the build writes it and opened as the program's (uiStorage, userPersist) while the object
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
#include "ui/UIDataFile.h"
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
        std::string report;
        EXPECT_EQ(0u, UIDataFile::Generate(path.c_str(), report)) << report;
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
