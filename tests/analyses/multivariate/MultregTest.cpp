// The multiple regression on its own survey (data/reg): golden texts for
// each column and method; the figures against R (data/reg_reference.R: lm,
// summary, tolerance as 1 - R^2 of each x on the others, forward and
// backward by the p of t, pairwise from R's pairwise cor); residuals saved
// into the data set equal to R's residuals() (data/reg_residuals.txt);
// a save that cannot write, a taken name, and runs from the variable list.
#include "tests/analyses/AnalysesTestSupport.h"

#include "analyses/frequencies/FRWIN.h"
#include "analyses/frequencies/FreqBook.h"
#include "analyses/frequencies/FreqOption.h"
#include "analyses/multivariate/MultregBook.h"
#include "analyses/multivariate/MultregOption.h"
#include "analyses/multivariate/REGWIN.h"
#include "analyses/RegisterAnalyses.h"
#include "dataset/BUFFERTYPE.h"
#include "dataset/DataSetBuilder.h"
#include "dataset/KATLABS.h"
#include "dataset/RegistrySettings.h"
#include "graphs/ResidualPlot.h"
#include "shell/AnalysisRegistry.h"
#include "shell/VariableListWindow.h"
#include "stats/FREQOBJ.h"
#include "stats/StatMissing.h"
#include "zaf/controls/ZafButton.h"
#include "zaf/controls/ZafToolBar.h"
#include "zaf/core/ZafNotebook.h"

#include <cmath>
#include <sstream>

namespace {

using namespace analysestest;

enum RegVariable { W = 2, Y, X1, X2, X3, SAME };

std::vector<std::string> messages;
int answer = 0; // to the overlap warning
int Answer(const char *, const char *text, int)
{
    messages.push_back(text);
    return answer;
}

class MultregTest : public WindowTest
{
protected:
    MultregTest() { previousHook = MultregBook::SetMessageHook(Answer), messages.clear(); }
    ~MultregTest() override { MultregBook::SetMessageHook(previousHook); }
    // The regression of dependent on independents, computed.
    static std::unique_ptr<Regresjon> Compute(std::vector<long> independents, long dependent = Y,
                                              const MultregOption &record = MultregOption(), DATASET *set = nullptr)
    {
        independents.push_back(0);
        auto regression = std::make_unique<Regresjon>(dependent, independents.data(), int(record.method),
                                                      int(record.missingDeletion), record.PIn(), record.POut(), set);
        regression->ComputeCorrelationMatrix();
        return regression;
    }
    // The page's text of y on independents with that record's settings.
    std::string Text(MultregOption *record, std::vector<long> independents, long dependent = Y)
    {
        MultregBook book(record);
        auto regression = Compute(independents, dependent, *record);
        regression->book = &book;
        REGWIN window("");
        window.SetRegression(regression.get());
        window.WriteResult();
        return window.Text();
    }
    std::string Text(unsigned long mask, long method = multregEnter, long missing = multregListwise,
                     std::vector<long> independents = {X1, X2, X3})
    {
        auto *record = new MultregOption;
        record->tableDisplay = static_cast<long>(mask), record->method = method, record->missingDeletion = missing;
        return Text(record, independents);
    }
    // The fields of a line that starts with key, up to count of them.
    static std::vector<std::string> Fields(const std::string &text, const std::string &key, size_t count = 6)
    {
        std::istringstream lines(text);
        for (std::string line; std::getline(lines, line);)
            if (line.compare(1, key.size(), key) == 0) { // after the line's leading blank
                std::istringstream in(line.substr(1 + key.size()));
                std::vector<std::string> fields;
                for (std::string f; fields.size() < count && in >> f;)
                    fields.push_back(f);
                return fields;
            }
        return {"(no line " + key + ")"};
    }
    static std::string Summary(const std::string &t, int n) { return Fields(t, StatText(n, multregTextGroup), 1)[0]; }
    using Figures = std::vector<std::string>;
    MultregBook::MessageHook previousHook;
};

TEST_F(MultregTest, EveryColumnAndMethodHasItsGoldenText)
{
    OpenSurvey("data/reg");
    std::string all;
    for (unsigned long mask : {1ul, 2ul, 4ul, 8ul, 16ul, 31ul})
        all += "--- mask " + std::to_string(mask) + "\n" + Text(mask);
    ExpectGolden("multreg_columns", all);
    std::string methods =
        Text(31, multregForward) + Text(31, multregBackward) + Text(31, multregEnter, multregPairwise);
    auto *record = new MultregOption;
    record->method = multregForward, record->pIn = 1; // p in 0.0001: nothing enters
    methods += Text(record, {X1, X2}, X3) + Text(31, multregEnter, multregListwise, {X1, SAME});
    ExpectGolden("multreg_methods", methods);
}

TEST_F(MultregTest, TheFiguresAreRsAtThePrintedDecimals)
{
    OpenSurvey("data/reg");
    const std::string all = Text(31);
    EXPECT_EQ((Figures{"2.097", "0.157", "0.845", "13.352", "0.0000", "0.93"}), Fields(all, "V4"));
    EXPECT_EQ((Figures{"-1.301", "0.301", "-0.314", "-4.329", "0.0003", "0.70"}), Fields(all, "V5"));
    EXPECT_EQ((Figures{"0.572", "0.574", "0.075", "0.995", "0.3304", "0.66"}), Fields(all, "V6"));
    Figures summary;
    for (int label : {9, 10, 11, 12, 13, 14})
        summary.push_back(Summary(all, label));
    EXPECT_EQ((Figures{"-1.350", "0.96", "0.92", "0.91", "82.47", "0.0000"}), summary);
    // The number of cases stands once, in the footer.
    const std::string cases = StatText(16, multregTextGroup);
    EXPECT_EQ(std::string::npos, all.find(cases, all.find(cases) + 1)) << all;
    EXPECT_NE(std::string::npos, all.find(" Number of cases: 26\r\n")) << all;
    // Forward and backward both keep x1 and x2; x3 is listed apart.
    for (long method : {multregForward, multregBackward}) {
        const std::string text = Text(31, method);
        EXPECT_EQ((Figures{"2.138", "0.152", "0.861", "14.098", "0.0000", "0.99"}), Fields(text, "V4"));
        EXPECT_EQ((Figures{"-1.463", "0.253", "-0.354", "-5.786", "0.0000", "0.99"}), Fields(text, "V5"));
        EXPECT_EQ("123.26", Summary(text, 13));
        EXPECT_LT(text.find(StatText(18, multregTextGroup)), text.find(" V6 ")) << "x3 is not in the equation";
    }
    const std::string pw = Text(31, multregEnter, multregPairwise); // B and Beta of each x, constant, R^2
    EXPECT_EQ((Figures{"2.182", "0.857", "-1.488", "-0.338", "0.125", "0.016", "2.095", "0.92"}),
              (Figures{Fields(pw, "V4")[0], Fields(pw, "V4")[2], Fields(pw, "V5")[0], Fields(pw, "V5")[2],
                       Fields(pw, "V6")[0], Fields(pw, "V6")[2], Summary(pw, 9), Summary(pw, 11)}));
}

TEST_F(MultregTest, ChangingTheMethodRecomputesAndAColumnChangeOnlyRewrites)
{
    OpenSurvey("data/reg");
    auto *record = new MultregOption;
    MultregBook book(record);
    auto regression = Compute({X1, X2, X3});
    regression->book = &book;
    REGWIN window("");
    window.SetRegression(regression.get());
    record->pIn = 2000, record->tableDisplay = multregB; // enter ignores p in: nothing is computed again
    RegModelStep *step = regression->LastStep();
    window.WriteResult();
    EXPECT_EQ(step, regression->LastStep());
    EXPECT_EQ(Fields(window.Text(), "V4", 1), Fields(Text(multregB), "V4", 1));
    record->method = multregBackward;
    window.WriteResult();
    EXPECT_EQ(2, regression->LastStep()->inEquation) << "backward elimination leaves x3 out";
}

// The values a list holds, in order.
std::vector<double> Values(const TMPLISTETYPE *shown)
{
    std::vector<double> values;
    auto *list = const_cast<TMPLISTETYPE *>(shown);
    if (!list || !list->SeekCase(1, 1))
        return values;
    while (list->MoveNext())
        values.push_back(list->GetCurrentReal());
    return values;
}

// A page's residual plot, open while the method changes (which deletes the
// steps and their engines), is built again from the new final model.
TEST_F(MultregTest, TheResidualPlotFollowsAChangedMethod)
{
    OpenSurvey("data/reg");
    auto *record = new MultregOption;
    MultregBook book(record);
    std::unique_ptr<Regresjon> owned = Compute({X1, X2, X3});
    Regresjon *regression = owned.get();
    regression->book = &book;
    auto *page = new MultregPage("y");
    page->SetComputation(owned.release());
    REGWIN window("");
    window.SetRegression(regression);
    ZafWindow *host = Open(new ZafWindow(0, 0, 60, 20));
    auto *plot = dynamic_cast<ResidualPlot *>(page->CreateGraphWindow(0, nullptr));
    ASSERT_NE(nullptr, plot);
    plot->SetCoordinateType(ZAF_PIXEL);
    plot->SetRegion(ZafRegionRect(0, 0, 499, 349, ZAF_PIXEL));
    host->AddObject(plot);
    plot->Event(ZafEventRecord(ZAF_APPLY_GEOMETRY));
    RunQueued();
    auto expectModel = [&](const char *what) {
        const RegressionEngine *engine = regression->EnsureEngine(regression->StepCount() - 1);
        ASSERT_NE(nullptr, engine) << what;
        EXPECT_EQ(engine->residuals, Values(plot->ResidualList())) << what;
        EXPECT_EQ(engine->predicted, Values(plot->PredictedList())) << what;
    };
    expectModel("all three entered");
    const std::vector<double> entered = Values(plot->ResidualList());
    for (long method : {multregBackward, multregEnter, multregBackward}) {
        record->method = method;
        window.WriteResult();
        plot->Rebuild();
        expectModel(method == multregBackward ? "backward" : "entered again");
    }
    EXPECT_NE(entered, Values(plot->ResidualList())) << "backward elimination leaves x3 out";
    Forget(host);
    delete page;
}

TEST_F(MultregTest, SavedResidualsAreRsAndSurviveReopeningUnderANewName)
{
    OpenSurvey("data/reg");
    const std::string path = survey->DataSet()->GetFileName();
    auto regression = Compute({X1, X2, X3});
    const long first = MultregBook(new MultregOption).SaveResiduals(regression.get(), 0);
    EXPECT_EQ(SAME + 1, first);
    EXPECT_EQ(SAME + 2, MultregBook(new MultregOption).SaveResiduals(regression.get(), 0)) << "adds, never overwrites";
    EXPECT_NE(std::string::npos, messages.at(1).find("RES_V3_2"));

    ProgramSettings::Instance()->CloseDataSet();
    ASSERT_EQ(0, ProgramSettings::Instance()->OpenDataSet(path.c_str()));
    DATASET *reopened = survey->DataSet();
    ASSERT_EQ(first, reopened->FindVariable("RES_V3"));
    EXPECT_EQ(first + 1, reopened->FindVariable("RES_V3_2"));
    StatClass reader(reopened);
    std::vector<double> saved;
    ASSERT_TRUE(reader.LoadValues(first, saved));
    std::istringstream reference(ReadFile(SourceFile("data/reg_residuals.txt")));
    std::vector<bool> used(saved.size());
    for (long id; reference >> id;) {
        double r = 0;
        EXPECT_TRUE(reference >> r);
        EXPECT_NEAR(r, saved.at(static_cast<size_t>(id - 1)), 1e-9) << "case " << id;
        used[static_cast<size_t>(id - 1)] = true;
    }
    for (size_t c = 0; c < saved.size(); ++c)
        EXPECT_EQ(!used[c], IsNotComputed(saved[c])) << "case " << c + 1 << " is missing only outside the model";
}

TEST_F(MultregTest, ASaveThatCannotWriteLeavesTheDataSetAsItWasAndSaysSo)
{
    OpenSurvey("data/reg");
    const std::string path = survey->DataSet()->GetFileName();
    const std::string before = ReadFile(path);
    std::unique_ptr<DATASET> readOnly(OpenDataSet(path.c_str(), nullptr, DATASET_READONLY));
    ASSERT_NE(nullptr, readOnly);
    auto regression = Compute({X1, X2}, Y, MultregOption(), readOnly.get());
    EXPECT_EQ(0, MultregBook(new MultregOption).SaveResiduals(regression.get(), 0));
    EXPECT_EQ(SAME, readOnly->GetVariableCount());
    EXPECT_EQ(before, ReadFile(path));
    ASSERT_EQ(1u, messages.size());
    EXPECT_EQ(0u, messages[0].find(StatText(45, multregTextGroup)));
}

// Residuals saved into a data set whose files the user made read-only are
// refused before anything is written: the message names the file, the files
// keep their bytes and their read-only attribute. (Windows itself refuses
// to replace a read-only file; Wine replaces it, so only the program's own
// check keeps the file.)
TEST_F(MultregTest, ResidualsIntoReadOnlyFilesAreRefusedNamingTheFile)
{
    OpenSurvey("data/reg");
    DATASET *dataSet = survey->DataSet();
    const std::string files[] = {dataSet->GetFileName(), dataSet->SiblingName(".IND")};
    for (const std::string &locked : files) {
        std::string before[2];
        for (int f = 0; f < 2; ++f)
            before[f] = ReadFile(files[f]);
        ASSERT_TRUE(SetFileAttributesA(locked.c_str(), FILE_ATTRIBUTE_READONLY)) << locked;
        messages.clear();
        auto regression = Compute({X1, X2}, Y, MultregOption(), dataSet);
        EXPECT_EQ(0, MultregBook(new MultregOption).SaveResiduals(regression.get(), 0)) << locked;
        ASSERT_EQ(1u, messages.size()) << locked;
        EXPECT_NE(std::string::npos, messages[0].find(locked + " is read-only")) << messages[0];
        EXPECT_EQ(SAME, dataSet->GetVariableCount());
        for (int f = 0; f < 2; ++f)
            EXPECT_EQ(before[f], ReadFile(files[f])) << files[f];
        EXPECT_TRUE(GetFileAttributesA(locked.c_str()) & FILE_ATTRIBUTE_READONLY) << locked;
        SetFileAttributesA(locked.c_str(), FILE_ATTRIBUTE_NORMAL);
    }
    // With the files writable again the same save goes through.
    auto regression = Compute({X1, X2}, Y, MultregOption(), dataSet);
    EXPECT_EQ(SAME + 1, MultregBook(new MultregOption).SaveResiduals(regression.get(), 0));
}

// The frequency table of a variable of the data set, as a page writes it.
std::string FrequencyTable(DATASET *dataSet, long variable)
{
    FreqBook book(new FreqOption);
    std::unique_ptr<BUFFERTYPE> list(new LISTETYPE(dataSet, variable));
    std::unique_ptr<KATLABS> labels(KATLABS::ConstructAndRead(variable, dataSet));
    FREQOBJECT distribution(dataSet);
    distribution.workbook = &book;
    BuildFrequencyDistribution(list.get(), &distribution, labels.get());
    FRWIN text("table");
    text.distribution = &distribution;
    text.WriteResult();
    distribution.workbook = nullptr;
    return text.Text();
}

// A Windows path of a folder of this machine (Wine's drive Z: is its root).
std::string WindowsPath(const std::string &unixPath)
{
    std::string path = "Z:" + unixPath;
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

// A data set on a medium that cannot be written opens read-only: analyses
// run on it, and saving residuals is refused with the reason.
TEST_F(MultregTest, ADataSetOnAReadOnlyMediumOpensAndRefusesTheSaveWithTheReason)
{
    const std::string writable = WindowsPath(READONLY_MEDIUM_DIR "/rw");
    const std::string readOnly = WindowsPath(READONLY_MEDIUM_DIR "/ro");
    const std::string probe = readOnly + "\\probe.txt";
    HANDLE file = CreateFileA(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        CloseHandle(file);
        DeleteFileA(probe.c_str());
        GTEST_SKIP() << "no read-only folder could be mounted at " << readOnly;
    }
    // Windows says ERROR_WRITE_PROTECT for a write-protected medium; Wine
    // says access denied for a read-only mount.
    const DWORD refusal = GetLastError();
    ASSERT_TRUE(refusal == ERROR_WRITE_PROTECT || refusal == ERROR_ACCESS_DENIED) << refusal;
    DataSetBuilder builder;
    ASSERT_EQ(0, builder.ReadDescription(ReadFile(SourceFile("data/reg.desc"))));
    ASSERT_EQ(0, builder.ReadCsv(ReadFile(SourceFile("data/reg.csv"))));
    ASSERT_EQ(0, builder.Write((writable + "\\reg.QVF").c_str())) << builder.GetErrorText();

    ASSERT_EQ(0, ProgramSettings::Instance()->OpenDataSet((readOnly + "\\reg.QVF").c_str()));
    DATASET *onMedium = ProgramSettings::Instance()->GetDataSet(0);
    ASSERT_NE(nullptr, onMedium);
    EXPECT_TRUE(onMedium->IsReadOnly());
    DATASET copy;
    ASSERT_EQ(0, copy.Open((writable + "\\reg.QVF").c_str(), DATASET_READONLY)) << copy.GetErrorText();
    const std::string table = FrequencyTable(onMedium, X1);
    EXPECT_EQ(FrequencyTable(&copy, X1), table);
    EXPECT_NE(std::string::npos, table.find("Total")) << table;

    auto regression = Compute({X1, X2}, Y, MultregOption(), onMedium);
    EXPECT_EQ(0, MultregBook(new MultregOption).SaveResiduals(regression.get(), 0));
    ASSERT_EQ(1u, messages.size());
    EXPECT_NE(std::string::npos, messages[0].find("cannot be written")) << messages[0];
    EXPECT_NE(std::string::npos, messages[0].find(readOnly)) << messages[0];
    ProgramSettings::Instance()->CloseDataSet();
    copy.CloseFiles();
    for (const char *extension : {".QVF", ".IND", ".dkm"})
        DeleteFileA((writable + "\\reg" + extension).c_str());
}

std::vector<WorkBook *> shownBooks;

TEST_F(MultregTest, ARunMakesAPagePerDependentAndSaysWhenOneHasNoIndependents)
{
    shownBooks.clear();
    const WorkBook::ShowHook previous = WorkBook::SetShowHook([](WorkBook *book) { shownBooks.push_back(book); });
    RegisterAnalyses();
    BuildAnalysisRegistry(&texts.catalog);
    OpenSurvey("data/reg");
    auto run = [&](std::vector<long> dependents, std::vector<long> independents) {
        auto *list =
            WindowTest::Open(new VariableListWindow(*userPersist, survey->DataSet(), RegisteredOptionsList.data(),
                                                    static_cast<int>(RegisteredOptionsList.size())));
        const std::string name = StatText(17, analysisTextGroup);
        ClickRow(list->AnalysisList(), int(SendMessageA(list->AnalysisList()->OSHandle(), LB_FINDSTRINGEXACT,
                                                        WPARAM(-1), LPARAM(name.c_str()))));
        for (auto [listNumber, variables] : {std::pair<int, std::vector<long>>{0, dependents}, {1, independents}}) {
            for (size_t i = 0; i < variables.size(); ++i)
                ClickRow(list->VariableList(), static_cast<int>(variables[i] - 1), i ? MK_CONTROL : 0);
            Press(list, ("BT_ADD" + std::to_string(listNumber)).c_str());
        }
        Press(list, VariableListWindow::runName);
        Forget(list);
    };
    run({Y, X3}, {X1, X2});
    ASSERT_EQ(1u, shownBooks.size());
    auto *book = dynamic_cast<MultregBook *>(shownBooks[0]);
    ASSERT_TRUE(book && book->PageCount() == 2);
    EXPECT_EQ((Figures{"v3 x  v4 v5", "v6 x  v4 v5"}), (Figures{book->Notebook()->TabOf(book->PageAt(0))->Text(),
                                                                book->Notebook()->TabOf(book->PageAt(1))->Text()}));
    EXPECT_EQ(Text(13, multregEnter, multregListwise, {X1, X2}),
              static_cast<REGWIN *>(book->PageAt(0)->ResultWindow())->Text());
    auto *button = dynamic_cast<ZafButton *>(book->ToolBar()->FindObjectByStringID("bt_multreg"));
    ASSERT_TRUE(button && button->Visible());
    book->Event(ZafEventRecord(static_cast<ZafEventType>(button->Value())));
    EXPECT_EQ(SAME + 1, survey->Variable("RES_V3")) << "the button saves the current page's residuals";
    Forget(book);
    messages.clear();

    // Declining the overlap warning runs nothing; going on gives the
    // dependent its page, which says the regression could not be computed.
    const auto saysNotComputed = [](WorkBook *shown, int page) {
        const std::string text = static_cast<REGWIN *>(shown->PageAt(page)->ResultWindow())->Text();
        return text.find(StatText(21, multregTextGroup)) != std::string::npos &&
               text.find(StatText(1, multregTextGroup)) == std::string::npos;
    };
    run({Y}, {Y});
    EXPECT_EQ(1u, shownBooks.size());
    answer = 1;
    run({Y}, {Y});
    answer = 0;
    ASSERT_EQ(2u, shownBooks.size());
    book = dynamic_cast<MultregBook *>(shownBooks[1]);
    ASSERT_TRUE(book && book->PageCount() == 1);
    EXPECT_STREQ("v3 x ", book->Notebook()->TabOf(book->PageAt(0))->Text());
    EXPECT_TRUE(saysNotComputed(book, 0)) << static_cast<REGWIN *>(book->PageAt(0)->ResultWindow())->Text();
    EXPECT_EQ((Figures{StatText(2, multregWarningGroup), StatText(2, multregWarningGroup)}), messages);
    Forget(book);

    // A dependent that is also the only independent is left out of its own
    // equation; the other dependents are computed as ever.
    messages.clear();
    answer = 1;
    run({Y, X1}, {X1});
    answer = 0;
    ASSERT_EQ(3u, shownBooks.size());
    book = dynamic_cast<MultregBook *>(shownBooks[2]);
    ASSERT_TRUE(book && book->PageCount() == 2);
    EXPECT_EQ((Figures{"v3 x  v4", "v4 x "}), (Figures{book->Notebook()->TabOf(book->PageAt(0))->Text(),
                                                     book->Notebook()->TabOf(book->PageAt(1))->Text()}));
    EXPECT_EQ(Text(13, multregEnter, multregListwise, {X1}),
              static_cast<REGWIN *>(book->PageAt(0)->ResultWindow())->Text());
    EXPECT_TRUE(saysNotComputed(book, 1));
    EXPECT_EQ((Figures{StatText(2, multregWarningGroup)}), messages);
    Forget(book);
    FreeAnalysisRegistry();
    WorkBook::SetShowHook(previous);
}

TEST_F(MultregTest, StoredLimitsAndMethodAreBroughtIntoRange)
{
    const SettingsSection *section = FindSettingsSection(sectionTableOptions);
    auto load = [&](unsigned long method, unsigned long in, unsigned long out) {
        RegistrySettings::WriteValueInSection(section, "MultregMethod", method);
        RegistrySettings::WriteValueInSection(section, "MultregpIn", in);
        RegistrySettings::WriteValueInSection(section, "MultregpOut", out);
        MultregOption record;
        record.LoadSettings(1);
        return std::vector<long>{record.method, record.pIn, record.pOut};
    };
    EXPECT_EQ((std::vector<long>{multregForward, 500, 500}), load(8, 0, 0)) << "0 means 0.05";
    EXPECT_EQ((std::vector<long>{multregBackward, 123, 500}), load(16, 123, 20000)) << "p out above 1";
    EXPECT_EQ((std::vector<long>{multregEnter, 900, 100}), load(5, 900, 100))
        << "an unknown method is enter; p out below p in is kept, as each method uses only its own limit";
    for (const char *key : {"MultregMethod", "MultregpIn", "MultregpOut"})
        RegistrySettings::DeleteKeyInSection(section, key);
}

} // namespace
