// What the crosstab's tests share: the committed survey (data/xtab.csv with
// data/xtab.desc) made into a data set, unweighted and weighted by w, and
// made current; the language file of the source tree as the program's
// catalogue; the option window read from a UI data file written from its
// definition, as the program reads it; the golden texts (golden/*.txt, line
// ends as "\n"), rewritten instead of compared when MERVALO_UPDATE_GOLDEN
// is set; and the reports of failed checks, recorded.
#pragma once

#include "tests/zaf/controls/FieldTestSupport.h"

#include <windows.h>

#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "analyses/XtabOptionWindowDefinition.h"
#include "dataset/AssumeError.h"
#include "dataset/DATASET.h"
#include "dataset/DataSetBuilder.h"
#include "dataset/ProgramSettings.h"
#include "dataset/TextCatalog.h"
#include "shell/Main.h"
#include "shell/MainWindowDefinition.h"
#include "stats/StatClass.h"
#include "zaf/data/ZafDiskFile.h"

namespace xtabtest {

// Variable numbers of the survey.
enum { ID = 1, W, SEX, EDU, REGION, SCORE, NONE };

inline std::string ReadFile(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream all;
    all << in.rdbuf();
    return all.str();
}

inline std::string SourceFile(const std::string &relative)
{
    return std::string(ANALYSES_TEST_DIR) + "/" + relative;
}

// The text with its "\r\n" line ends as "\n".
inline std::string Unix(const std::string &text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i)
        if (!(text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n'))
            out += text[i];
    return out;
}

// Compares a result text with golden/<name>.txt (or writes it there).
inline void ExpectGolden(const std::string &name, const std::string &text)
{
    const std::string path = SourceFile("golden/" + name + ".txt");
    if (std::getenv("MERVALO_UPDATE_GOLDEN")) {
        std::ofstream(path, std::ios::binary) << Unix(text);
        return;
    }
    const std::string golden = ReadFile(path);
    ASSERT_FALSE(golden.empty()) << path << " is missing";
    EXPECT_EQ(golden, Unix(text)) << "the text differs from " << path;
}

struct AssumeReports
{
    static std::vector<std::string> &All()
    {
        static std::vector<std::string> all;
        return all;
    }
    static void Record(const char *, const char *sourceAndLine, const char *text)
    {
        All().push_back(std::string(sourceAndLine) + ": " + text);
    }
};

class XtabTest : public fieldtest::FieldTest
{
protected:
    XtabTest()
    {
        AssumeReports::All().clear();
        previousAssume = SetAssumeReportHook(AssumeReports::Record);
        catalog = std::make_unique<TextCatalog>(MERVALO_LANGUAGE_DIR, "eng");
        EXPECT_EQ(TEXTCAT_OK, catalog->Error()) << catalog->ErrorText();
        SetStatTextCatalog(catalog.get());
        char base[MAX_PATH];
        GetTempPathA(sizeof base, base);
        directory = std::string(base) + "mervaloxtab" + std::to_string(GetCurrentProcessId());
        CreateDirectoryA(directory.c_str(), nullptr);
    }
    ~XtabTest() override
    {
        userPersist = nullptr;
        persistence.reset();
        storage.reset();
        ProgramSettings::Instance()->CloseDataSet();
        SetStatTextCatalog(nullptr);
        SetAssumeReportHook(previousAssume);
        ZafDiskFileSystem disk;
        disk.RmDir(directory.c_str(), true);
    }

    // Writes the survey as a data set and makes it the current one.
    DATASET *OpenSurvey(bool weighted)
    {
        std::string description = ReadFile(SourceFile("data/xtab.desc"));
        if (weighted)
            description += "weight w\n";
        return OpenCsv(description, ReadFile(SourceFile("data/xtab.csv")), weighted ? "xtab_w.QVF" : "xtab.QVF");
    }
    // A data set from a description and CSV values, made the current one.
    DATASET *OpenCsv(const std::string &description, const std::string &csv, const char *fileName)
    {
        const std::string name = directory + "\\" + fileName;
        DataSetBuilder builder;
        EXPECT_EQ(0, builder.ReadDescription(description)) << builder.GetErrorText();
        EXPECT_EQ(0, builder.ReadCsv(csv)) << builder.GetErrorText();
        EXPECT_EQ(0, builder.Write(name.c_str())) << builder.GetErrorText();
        EXPECT_EQ(0, ProgramSettings::Instance()->OpenDataSet(name.c_str()));
        return ProgramSettings::Instance()->GetDataSet(0);
    }

    // The option window's definition written into a UI data file and that
    // file opened as the program's (userPersist).
    void OpenUIDataFile()
    {
        RegisterMainWindowClasses();
        const std::string path = directory + "\\MERVALO.ZNC";
        {
            ZafStorage written(path.c_str(), ZafStorage::CreateTree);
            std::unique_ptr<ZafObjectPersistence> writer(ZafPersistenceRegistry::MakePersistence(&written));
            std::unique_ptr<ZafWindow> window(MakeXtabOptionWindowDefinition());
            window->Write(*writer);
            ASSERT_EQ(0u, writer->Error());
            ASSERT_EQ(0u, written.Save());
        }
        storage = std::make_unique<ZafStorage>(path.c_str(), ZafStorage::Read);
        persistence.reset(ZafPersistenceRegistry::MakePersistence(storage.get()));
        userPersist = persistence.get();
    }

    std::string directory;
    std::unique_ptr<TextCatalog> catalog;
    std::unique_ptr<ZafStorage> storage;
    std::unique_ptr<ZafObjectPersistence> persistence;
    AssumeReportHook previousAssume = nullptr;
};

} // namespace xtabtest
