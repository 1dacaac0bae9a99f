// What the analyses' tests share: the English language file as the texts
// of the computations; a committed survey (golden/freq or data/xtab, its
// description and CSV values) written as a data set and opened as the
// program's current one; the program's UI data file written as the build
// writes it and opened as the program's; the reports of failed checks
// collected instead of shown; the golden texts (golden/*.txt, "\n" line
// ends; MERVALO_UPDATE_GOLDEN=1 writes them anew, then review the
// difference); and the clicks that drive the program's windows.
#pragma once

#include "tests/support/EnglishTexts.h"
#include "tests/support/GoldenSwitch.h"
#include "tests/support/InstalledUIFile.h"
#include "tests/support/TempDirectory.h"

#include "tests/zaf/controls/FieldTestSupport.h"

#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "dataset/AssumeError.h"
#include "dataset/DATASET.h"
#include "dataset/DataSetBuilder.h"
#include "dataset/ProgramSettings.h"
#include "dataset/TextCatalog.h"
#include "analyses/RegisterAnalyses.h"
#include "shell/AnalysisRegistry.h"
#include "shell/Main.h"
#include "shell/VariableListWindow.h"
#include "stats/StatClass.h"
#include "ui/UIDataFile.h"
#include "zaf/controls/ZafVtList.h"
#include "zaf/data/ZafObjectPersistence.h"
#include "zaf/data/ZafPersistenceRegistry.h"
#include "zaf/data/ZafStorage.h"

namespace analysestest {

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

// Compares a result text with golden/<name>.txt (or writes it there).
inline void ExpectGolden(const std::string &name, const std::string &text)
{
    std::string unix;
    for (std::size_t i = 0; i < text.size(); ++i)
        if (!(text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n'))
            unix += text[i];
    const std::string path = SourceFile("golden/" + name + ".txt");
    if (testsupport::UpdateGolden()) {
        std::ofstream(path, std::ios::binary) << unix;
        return;
    }
    const std::string golden = ReadFile(path);
    ASSERT_FALSE(golden.empty()) << path << " is missing";
    EXPECT_EQ(golden, unix) << "the text differs from " << path;
}

// The variables of the crosstab's survey (data/xtab).
enum XtabVariable { ID = 1, W, SEX, EDU, REGION, SCORE, NONE };

// The reports of failed checks while the object lives.
class AssumeReports
{
public:
    AssumeReports()
    {
        All().clear();
        previous = SetAssumeReportHook(Record);
    }
    ~AssumeReports() { SetAssumeReportHook(previous); }
    static std::vector<std::string> &All()
    {
        static std::vector<std::string> all;
        return all;
    }
    static std::string First() { return All().empty() ? std::string() : All().front(); }

private:
    static void Record(const char *, const char *sourceAndLine, const char *text)
    {
        All().push_back(std::string(sourceAndLine) + ": " + text);
    }
    AssumeReportHook previous = nullptr;
};

using testsupport::EnglishTexts;

// A survey written as a data set into a directory of its own and made the
// current data set.
class Survey
{
public:
    // A committed survey ("golden/freq", "data/xtab") with lines added to
    // its description ("weight w\n").
    explicit Survey(const std::string &name, const std::string &added = "")
        : Survey(Text{ReadFile(SourceFile(name + ".desc")) + added, ReadFile(SourceFile(name + ".csv"))})
    {}
    // A survey of its own.
    struct Text
    {
        std::string description, csv;
    };
    explicit Survey(const Text &text) : scratch("mervaloanalyses")
    {
        const std::string name = scratch.File("survey.QVF");
        DataSetBuilder builder;
        EXPECT_EQ(0, builder.ReadDescription(text.description)) << builder.GetErrorText();
        EXPECT_EQ(0, builder.ReadCsv(text.csv)) << builder.GetErrorText();
        EXPECT_EQ(0, builder.Write(name.c_str())) << builder.GetErrorText();
        EXPECT_EQ(0, ProgramSettings::Instance()->OpenDataSet(name.c_str()));
    }
    // The data set is closed before the directory with its files goes.
    ~Survey() { ProgramSettings::Instance()->CloseDataSet(); }
    DATASET *DataSet() const { return ProgramSettings::Instance()->GetDataSet(0); }
    long Variable(const char *name) const { return DataSet() ? DataSet()->FindVariable(name) : 0; }

    testsupport::TempDirectory scratch;
};

// The program's UI data file, written from the definitions as the build
// writes it and opened as the program's (uiStorage, userPersist) while the
// object lives.
class ProgramUIFile : public testsupport::InstalledUIFile
{
public:
    ProgramUIFile()
        : InstalledUIFile([](const std::string &path) {
              std::string report;
              EXPECT_EQ(0u, UIDataFile::Generate(path.c_str(), report)) << report;
          })
    {
        ZafVtList::RegisterPersistence();
    }
};

// The windows of the analyses driven as the user does.
class WindowTest : public fieldtest::FieldTest
{
protected:
    // A click posted now, taken by the modal loop that runs next.
    static void PostClick(ZafWindowObject *object)
    {
        ASSERT_NE(nullptr, object);
        PostMessageA(object->OSHandle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
        PostMessageA(object->OSHandle(), WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
    }
    static void Press(ZafWindow *in, const char *name)
    {
        ZafWindowObject *button = in->FindObjectByStringID(name);
        ASSERT_NE(nullptr, button) << name;
        Click(button->OSHandle());
        RunQueued();
    }
    static void ClickRow(ZafVtList *list, int row, WPARAM keys = 0)
    {
        RECT r = {};
        SendMessageA(list->OSHandle(), LB_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&r));
        const LPARAM point = MAKELPARAM(r.left + 4, (r.top + r.bottom) / 2);
        SendMessageA(list->OSHandle(), WM_LBUTTONDOWN, MK_LBUTTON | keys, point);
        SendMessageA(list->OSHandle(), WM_LBUTTONUP, keys, point);
        RunQueued();
    }
    // The variable-list window over the survey with every analysis of the
    // registry, the analysis of that menu text (group 1) chosen; the caller
    // closes it with CloseAnalysis.
    VariableListWindow *OpenAnalysis(const std::string &surveyName, int analysisText)
    {
        RegisterAnalyses();
        BuildAnalysisRegistry(&texts.catalog);
        auto *window = Open(new VariableListWindow(*userPersist, OpenSurvey(surveyName), RegisteredOptionsList.data(),
                                                   static_cast<int>(RegisteredOptionsList.size())));
        const std::string name = StatText(analysisText, analysisTextGroup);
        const LRESULT row = SendMessageA(window->AnalysisList()->OSHandle(), LB_FINDSTRINGEXACT,
                                         static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(name.c_str()));
        EXPECT_GE(row, 0) << name;
        if (row >= 0)
            ClickRow(window->AnalysisList(), static_cast<int>(row));
        return window;
    }
    // Closes the window of OpenAnalysis, runs what it queued and frees the
    // registry.
    void CloseAnalysis(VariableListWindow *window)
    {
        Forget(window);
        RunQueued();
        FreeAnalysisRegistry();
    }
    // A frame (or other window) shown hidden; closed with the test.
    template <class W> W *Open(W *window)
    {
        window->SetVisible(false);
        Show(window);
        opened.push_back(window);
        return window;
    }
    void Forget(ZafWindow *window)
    {
        if (window && zafWindowManager->Contains(window))
            zafWindowManager->SubtractObject(window);
        delete window;
        opened.erase(std::remove(opened.begin(), opened.end(), window), opened.end());
    }
    ~WindowTest() override
    {
        while (!opened.empty())
            Forget(opened.back());
        survey.reset();
    }
    // A committed survey as the current data set (the one before closed).
    DATASET *OpenSurvey(const std::string &name, const std::string &added = "")
    {
        survey.reset();
        survey = std::make_unique<Survey>(name, added);
        return survey->DataSet();
    }

    EnglishTexts texts;
    std::unique_ptr<Survey> survey;
    ProgramUIFile uiFile;
    AssumeReports reports;
    std::vector<ZafWindow *> opened;
};

} // namespace analysestest
