// Shared set-up of the frequency tests: the committed test survey
// (golden/freq.desc and freq.csv) written as a data set into a temporary
// directory and opened as the program's current data set, with "weight w"
// or a selection of no case added on request; the English language file
// as the texts of the computations; and the golden texts beside the tests.
//
// Golden files hold the text with "\n" line ends. Run the tests with
// MERVALO_UPDATE_GOLDEN=1 to write them anew (then review the difference).
#pragma once

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "dataset/DATASET.h"
#include "dataset/DataSetBuilder.h"
#include "dataset/ProgramSettings.h"
#include "dataset/TextCatalog.h"
#include "stats/StatClass.h"

namespace freqtest {

// A path of the source tree from this file's; under Wine the Unix root is
// drive Z:.
inline std::string SourcePath(const std::string &relative)
{
    std::string source = __FILE__;
    std::string path = source.substr(0, source.rfind("tests")) + relative;
    if (!path.empty() && path[0] == '/')
        path = "Z:" + path;
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

inline std::string ReadText(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream all;
    all << in.rdbuf();
    return all.str();
}

inline std::string GoldenPath(const std::string &name)
{
    return SourcePath("tests/analyses/golden/" + name + ".txt");
}

// The text with "\r\n" line ends made "\n".
inline std::string Unix(const std::string &text)
{
    std::string out;
    for (size_t i = 0; i < text.size(); ++i)
        if (!(text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n'))
            out += text[i];
    return out;
}

// Compares a table text with its golden file (or writes the file when
// asked to).
inline void ExpectGolden(const std::string &name, const std::string &text)
{
    const std::string path = GoldenPath(name);
    if (std::getenv("MERVALO_UPDATE_GOLDEN")) {
        std::ofstream(path, std::ios::binary) << Unix(text);
        return;
    }
    const std::string expected = ReadText(path);
    ASSERT_FALSE(expected.empty()) << "no golden file " << path;
    EXPECT_EQ(expected, Unix(text)) << "golden file " << path;
}

// How the survey is opened.
enum SurveyFilter {
    unfiltered = 0, // every case, unweighted
    weighted = 1,   // weighted by w
    noCase = 2      // a selection that holds no case
};

// The test survey as the current data set, and the English texts.
class Survey
{
public:
    explicit Survey(SurveyFilter filter = unfiltered)
        : Survey(ReadText(SourcePath("tests/analyses/golden/freq.desc")) + FilterLine(filter),
                 ReadText(SourcePath("tests/analyses/golden/freq.csv")))
    {}
    // A data set of its own (description and CSV text).
    Survey(const std::string &description, const std::string &csv)
    {
        catalog.Load(SourcePath("lang/qivsteng.btx").c_str());
        SetStatTextCatalog(&catalog);
        char base[MAX_PATH];
        GetTempPathA(sizeof base, base);
        static int serial = 0;
        directory =
            std::string(base) + "mervalofreq" + std::to_string(GetCurrentProcessId()) + "_" + std::to_string(serial++);
        CreateDirectoryA(directory.c_str(), nullptr);
        DataSetBuilder builder;
        const std::string name = directory + "\\survey.QVF";
        EXPECT_EQ(0, builder.ReadDescription(description));
        EXPECT_EQ(0, builder.ReadCsv(csv));
        EXPECT_EQ(0, builder.Write(name.c_str())) << builder.GetErrorText();
        EXPECT_EQ(0, ProgramSettings::Instance()->OpenDataSet(name.c_str()));
    }
    ~Survey()
    {
        ProgramSettings::Instance()->CloseDataSet();
        SetStatTextCatalog(nullptr);
        WIN32_FIND_DATAA found;
        HANDLE h = FindFirstFileA((directory + "\\*").c_str(), &found);
        if (h != INVALID_HANDLE_VALUE) {
            do {
                DeleteFileA((directory + "\\" + found.cFileName).c_str());
            } while (FindNextFileA(h, &found));
            FindClose(h);
        }
        RemoveDirectoryA(directory.c_str());
    }
    static std::string FilterLine(SurveyFilter filter)
    {
        if (filter == weighted)
            return "weight w\n";
        if (filter == noCase)
            return "selection nobody Nobody selected\n";
        return "";
    }
    DATASET *DataSet() const { return ProgramSettings::Instance()->GetDataSet(0); }
    long Variable(const char *name) const { return DataSet() ? DataSet()->FindVariable(name) : 0; }

    TextCatalog catalog;
    std::string directory;
};

} // namespace freqtest
