// The start every analysis workbook shares (AnalysisBook::Build through
// RunBook): a record that the variable-list window did not start builds no
// page, shows no book and gets its record back, whichever analysis it is.
#include "tests/analyses/AnalysesTestSupport.h"

#include "analyses/frequencies/BattFreqOption.h"
#include "analyses/crosstab/BiplotOption.h"
#include "analyses/multivariate/CorrOption.h"
#include "analyses/frequencies/FreqOption.h"
#include "analyses/paired/McNemarOption.h"
#include "analyses/descriptives/MeanOption.h"
#include "analyses/multivariate/MultregOption.h"
#include "analyses/frequencies/MultrespDikoOption.h"
#include "analyses/frequencies/MultrespFreqOption.h"
#include "analyses/multivariate/NtabOption.h"
#include "analyses/descriptives/OnewayOption.h"
#include "analyses/paired/SignTestOption.h"
#include "analyses/paired/TtestParOption.h"
#include "analyses/paired/WilcoxonOption.h"
#include "analyses/crosstab/XtabOption.h"
#include "analyses/RegisterAnalyses.h"
#include "shell/AnalysisRegistry.h"
#include "shell/VariableListWindow.h"
#include "shell/WorkBook.h"

namespace {

using namespace analysestest;

template <class Record> StatOption *New()
{
    return new Record;
}

struct BookCase
{
    const char *name;
    StatOption *(*make)();
};

const BookCase books[] = {
    {"Freq", New<FreqOption>},
    {"Mean", New<MeanOption>},
    {"MultrespFreq", New<MultrespFreqOption>},
    {"MultrespDiko", New<MultrespDikoOption>},
    {"Xtab", New<XtabOption>},
    {"Oneway", New<OnewayOption>},
    {"Biplot", New<BiplotOption>},
    {"TtestPar", New<TtestParOption>},
    {"McNemar", New<McNemarOption>},
    {"SignTest", New<SignTestOption>},
    {"Wilcoxon", New<WilcoxonOption>},
    {"Ntab", New<NtabOption>},
    {"Multreg", New<MultregOption>},
    {"Corr", New<CorrOption>},
    {"BattFreq", New<BattFreqOption>},
};

int shownBooks = 0;

enum PairedVariable { PAPER = 3, WEB = 4, RADIO = 7 };

class AnalysisBookTest : public WindowTest
{};

TEST_F(AnalysisBookTest, ARecordNotStartedFromTheVariableListBuildsNoBookFromItsLists)
{
    const WorkBook::ShowHook previous = WorkBook::SetShowHook([](WorkBook *) { ++shownBooks; });
    // Lists 0 and 1 of an open variable-list window (the McNemar test's)
    // hold variables, which a book not given the window's handle must not
    // take.
    VariableListWindow *window = OpenAnalysis("data/paired", 24);
    ClickRow(window->VariableList(), PAPER - 1);
    ClickRow(window->VariableList(), WEB - 1, MK_CONTROL);
    Press(window, "BT_ADD0");
    ClickRow(window->VariableList(), RADIO - 1);
    Press(window, "BT_ADD1");
    VarSelection *second = GetSelectedVariables(1);
    ASSERT_NE(nullptr, second);
    EXPECT_EQ(1, second->count);
    VarSelection::Free(second);

    for (const BookCase &c : books) {
        shownBooks = 0;
        StatOption *record = c.make();
        record->variableListWord = 0;
        EXPECT_FALSE(record->Run()) << c.name;
        EXPECT_EQ(0, shownBooks) << c.name;
        // The unshown book, without a page, gives the record back.
        EXPECT_EQ(1, WorkBook::DeleteUnshownBooks(record)) << c.name;
        EXPECT_EQ(1, record->deleteAfterRun) << c.name;
        delete record;
    }
    CloseAnalysis(window);
    WorkBook::SetShowHook(previous);
    EXPECT_TRUE(AssumeReports::All().empty()) << AssumeReports::First();
}

} // namespace
