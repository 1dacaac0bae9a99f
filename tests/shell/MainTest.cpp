// Main's start-up and end: the main window comes from MERVALO.ZNC in the
// program's directory with the language file beside it, is shown, and
// closing it ends the loop and the program with the globals deleted; a
// missing UI data file or language file ends the program with its message;
// the data set comes from the command line or else is the one used last,
// and one whose save was interrupted opens with a word on what was done.
#include "MainTestSupport.h"

#include "dataset/AssumeError.h"
#include "dataset/DATASET.h"
#include "dataset/ProgramSettings.h"
#include "dataset/TextCatalog.h"
#include "shell/AnalysisRegistry.h"
#include "zaf/controls/ZafInteger.h"
#include "zaf/core/ZafDialogWindow.h"
#include "zaf/core/ZafText.h"
#include "zaf/core/ZafWindowManager.h"

#include <cstdio>

namespace {

using namespace mainsupport;

class MainTest : public MainFixture
{
protected:
    // What a step saw of the running program.
    struct Seen
    {
        bool mainWindow = false;
        bool visible = false;
        bool alone = false;
        bool globals = false;
        std::size_t analyses = 0;
        std::string dataSet;
    } seen;

    std::function<void()> Look()
    {
        return [this] {
            QIVprog *window = MainWindow();
            seen.globals = uiStorage && userPersist && languageCatalog;
            seen.analyses = RegisteredOptionsList.size();
            if (DATASET *open = ProgramSettings::Instance()->GetDataSet(0))
                seen.dataSet = open->GetFileName();
            if (!window)
                return;
            seen.mainWindow =
                zafWindowManager->FirstWindow() == window && std::string(window->StringID()) == mainWindowName;
            seen.alone = window->Next() == nullptr && zafWindowManager->FirstWindow() == window;
            seen.visible = IsWindowVisible(window->OSHandle(2)) != FALSE;
        };
    }
};

TEST_F(MainTest, ShowsTheMainWindowFromTheUIDataFileAloneAndEndsWhenItCloses)
{
    WriteProgramFiles();
    const unsigned minimum = startWindowMinimumMs;
    startWindowMinimumMs = 0;
    EXPECT_EQ(0, RunMain({}, {Look()}));
    startWindowMinimumMs = minimum;
    EXPECT_EQ(0, reports.count) << reports.message;
    EXPECT_TRUE(seen.mainWindow);
    EXPECT_TRUE(seen.visible);
    EXPECT_TRUE(seen.alone) << "the start window is gone";
    EXPECT_TRUE(seen.globals);
    // The whole registry, analyses of this build or not.
    EXPECT_EQ(18u, seen.analyses);
    EXPECT_EQ(nullptr, uiStorage);
    EXPECT_EQ(nullptr, userPersist);
    EXPECT_EQ(nullptr, languageCatalog);
    EXPECT_TRUE(RegisteredOptionsList.empty());
    EXPECT_EQ(nullptr, QIVprog::Instance());
}

TEST_F(MainTest, MissingOrUnreadableUIDataFileEndsWithTheMessage)
{
    WriteLanguageFile();
    EXPECT_EQ(1, RunMain({"/ns"}));
    EXPECT_EQ(1, reports.count);
    EXPECT_EQ("Error", reports.title);
    EXPECT_EQ("mervalo.znc could not be found.", reports.message);

    // A file that is not a UI data file at all.
    WriteFile(UIFile(), "not a UI data file");
    EXPECT_EQ(1, RunMain({"/ns"}));
    EXPECT_EQ(2, reports.count);
    EXPECT_EQ(nullptr, uiStorage);
    EXPECT_EQ(nullptr, userPersist);

    // A UI data file without the main window.
    {
        ZafStorage storage(UIFile().c_str(), ZafStorage::CreateTree);
        ASSERT_EQ(0u, storage.Save());
    }
    EXPECT_EQ(1, RunMain({"/ns"}));
    EXPECT_EQ(3, reports.count);
    EXPECT_EQ("mervalo.znc could not be found.", reports.message);
    EXPECT_EQ(nullptr, userPersist);
    EXPECT_EQ(nullptr, languageCatalog);
}

TEST_F(MainTest, MissingOrUnsoundLanguageFileEndsWithTheMessage)
{
    WriteMainWindow();
    EXPECT_EQ(1, RunMain({"/ns"}));
    ASSERT_EQ(1, reports.count);
    EXPECT_EQ("Error", reports.title);
    EXPECT_EQ("No language file (.btx) present. The program terminates.", reports.message);
    EXPECT_EQ(nullptr, userPersist);
    EXPECT_EQ(nullptr, uiStorage);

    // A file with one bad line among good ones is named with the line and
    // its fault, not taken for a missing file.
    WriteFile(LanguageFile(), "1.1 Good text\r\n1.2 Another\r\nthis line is no text\r\n");
    EXPECT_EQ(1, RunMain({"/ns"}));
    EXPECT_EQ(2, reports.count);
    EXPECT_EQ(nullptr, languageCatalog);
    EXPECT_EQ(0u, reports.message.find("The language file cannot be used: ")) << reports.message;
    EXPECT_NE(std::string::npos, reports.message.find(LanguageFile() + ", line 3: ")) << reports.message;
    EXPECT_EQ(std::string::npos, reports.message.find("No language file")) << reports.message;
}

TEST_F(MainTest, OpensTheDataSetNamedOnTheCommandLine)
{
    WriteProgramFiles();
    const std::string name = WriteDataSet("start survey.QVF");
    // A name with a blank comes as two arguments and is joined again.
    EXPECT_EQ(0, RunMain({"/ns", directory + "\\start", "survey.QVF"}, {Look()}));
    EXPECT_EQ(0, reports.count) << reports.message;
    EXPECT_EQ(0, CompareTextNoCase(name.c_str(), seen.dataSet.c_str())) << seen.dataSet;
    EXPECT_EQ(nullptr, ProgramSettings::Instance()->GetDataSet(0));
}

TEST_F(MainTest, ADataSetWhoseSaveWasInterruptedOpensAndSaysWhatWasDone)
{
    WriteProgramFiles();
    const std::string name = WriteDataSet("saved.QVF");
    // A save that ended before its commit left its system-file temporary.
    WriteFile(directory + "\\saved.QV$", "half a save");
    EXPECT_EQ(0, RunMain({"/ns", name}, {Look()}));
    EXPECT_EQ(0, CompareTextNoCase(name.c_str(), seen.dataSet.c_str())) << seen.dataSet;
    ASSERT_EQ(1, reports.count);
    EXPECT_EQ("Data set", reports.title);
    EXPECT_NE(std::string::npos, reports.message.find("as it was before")) << reports.message;
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA((directory + "\\saved.QV$").c_str()));
}

TEST_F(MainTest, WithoutANameOpensTheDataSetUsedLastWhileItIsThere)
{
    WriteProgramFiles();
    const std::string name = WriteDataSet("last.QVF");
    RegistrySettings::WriteStringInSection(datasetsSection, "LastDataset", name.c_str());
    EXPECT_EQ(0, RunMain({"/ns"}, {Look()}));
    EXPECT_EQ(0, reports.count) << reports.message;
    EXPECT_EQ(0, CompareTextNoCase(name.c_str(), seen.dataSet.c_str())) << seen.dataSet;

    // One that has gone since is passed over without a message.
    ASSERT_TRUE(DeleteFileA(name.c_str()));
    seen = Seen();
    EXPECT_EQ(0, RunMain({"/ns"}, {Look()}));
    EXPECT_EQ(0, reports.count) << reports.message;
    EXPECT_TRUE(seen.mainWindow);
    EXPECT_EQ("", seen.dataSet);
}

TEST_F(MainTest, FailedChecksOfTheDataSetLayerReachTheErrorSystem)
{
    WriteProgramFiles();
    AssumeReportHook previous = SetAssumeReportHook(nullptr);
    RunMain({"/ns"});
    EXPECT_EQ(0, AssumeError(false, "check.cpp", 12, "a broken promise"));
    SetAssumeReportHook(previous);
    ASSERT_EQ(1, reports.count);
    EXPECT_EQ("Assume Error", reports.title);
    EXPECT_NE(std::string::npos, reports.message.find("a broken promise")) << reports.message;
}

// While the program runs, a number field with a range answers a value
// outside it with its message (the error system is the program's); after
// the program ends no field reports through it any more.
TEST_F(MainTest, RangedFieldsAnswerWithTheirMessageWhileTheProgramRuns)
{
    WriteProgramFiles();
    std::string message;
    std::string shown;
    auto typeOutOfRange = [&] {
        auto *dialog = new ZafDialogWindow(2, 2, 30, 6);
        dialog->SetVisible(false);
        auto *field = new ZafInteger(1, 1, 10, 11);
        field->SetRange("3..40");
        dialog->AddObject(field);
        zafWindowManager->AddObject(dialog);
        HWND edit = field->OSHandle();
        SendMessageA(edit, EM_SETSEL, 0, -1);
        for (char c : std::string("41"))
            SendMessageA(edit, WM_CHAR, static_cast<WPARAM>(c), 1);
        SendMessageA(edit, WM_KEYDOWN, VK_RETURN, 1);
        message = reports.message;
        char text[32] = "";
        GetWindowTextA(edit, text, sizeof text);
        shown = text;
        zafWindowManager->SubtractObject(dialog);
        delete dialog;
    };
    const ZafErrorStub *before = ZafString::ErrorSystem();
    EXPECT_EQ(0, RunMain({"/ns"}, {typeOutOfRange}));
    EXPECT_EQ(1, reports.count);
    EXPECT_EQ("The number 41 is not in the range 3..40.", message);
    EXPECT_EQ("11", shown) << "the old value is shown again";
    EXPECT_EQ(before, ZafString::ErrorSystem());
}

TEST_F(MainTest, RegServerEndsAtOnceWithoutLookingForTheFile)
{
    EXPECT_EQ(0, RunMain({"/regserver"}));
    EXPECT_EQ(0, reports.count);
}

} // namespace
