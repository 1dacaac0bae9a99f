// The case list: its order after header clicks (against the survey sorted
// by hand), its lines as written, and the output dialog's checks. The
// expected orders are derived in the comments from the CSV below.
#include "tests/analyses/AnalysesTestSupport.h"
#include "tests/support/LayoutCheck.h"

#include "analyses/caselist/ListBook.h"
#include "analyses/caselist/ListOption.h"
#include "analyses/caselist/ListOutput.h"
#include "shell/OptionWindowFrame.h"
#include "shell/PrintPreview.h"
#include "shell/TXTWIN.h"
#include "shell/VariableListWindow.h"
#include "tests/shell/MetafileRecords.h"
#include "tests/support/ModalLoop.h"
#include "tests/support/PaintedWindow.h"
#include "zaf/controls/ZafTableRecord.h"
#include "zaf/core/ZafWindowManager.h"
#include "zaf/controls/ZafButton.h"
#include "zaf/core/ZafDialogWindow.h"
#include "zaf/core/ZafErrorStub.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <functional>

namespace {

using namespace analysestest;

// Cases from 0: grp (user-missing 9, labels 1 and 2), score (i16, width 4),
// amount (double, width 20, decimals unset) and sel.
const char *const description = "variable grp\nlabel Group\ntype u8\nmissing 9\nvalue 1 = one\nvalue 2 = two\n"
                                "variable score\nlabel Score of the test taker\ntype i16\nwidth 4\n"
                                "variable amount\nlabel Amount\ntype double\nwidth 20\ndecimals 255\n";
const char *const csv = "grp,score,amount\n"
                        "2,5,1.5\n"  // c0
                        "1,,2.25\n"  // c1
                        "9,3,\n"     // c2
                        "1,5,10\n"   // c3
                        "2,3,-1\n"   // c4
                        ",7,0.5\n"   // c5
                        "1,3,4\n"    // c6
                        "2,,8\n";    // c7

std::vector<std::string> &Reported()
{
    static std::vector<std::string> reports;
    return reports;
}

class CaseList : public WindowTest
{
protected:
    void Open(const std::string &addedDescription = "", const char *values = csv, std::vector<long> variables = {1, 2, 3})
    {
        survey.reset();
        survey = std::make_unique<Survey>(Survey::Text{description + addedDescription, values});
        VarSelection selection;
        selection.count = static_cast<int>(variables.size());
        selection.variables = variables.data();
        record = new ListOption;
        book = new ListBook(survey->DataSet(), record, &selection);
        selection.variables = nullptr;
        output = book->Output();
    }
    std::vector<long> Order() const
    {
        std::vector<long> cases;
        for (long r = 0; r < output->Table()->RecordCount(); ++r)
            cases.push_back(output->Table()->CaseOfRecord(r));
        return cases;
    }
    ~CaseList() override { delete book; }

    ListOption *record = nullptr;
    ListBook *book = nullptr;
    ListOutput *output = nullptr;
};

TEST_F(CaseList, HeaderClicksSortByTheClickedThenThePreviousVariableMissingValuesLast)
{
    Open();
    EXPECT_EQ(Order(), (std::vector<long>{0, 1, 2, 3, 4, 5, 6, 7})) << "file order before a click";
    // grp: 1 (c1 c3 c6), 2 (c0 c4 c7), then the user-missing 9 by its code
    // (c2), then the empty value (c5); ties keep the file order.
    output->Table()->HeaderClicked(0);
    EXPECT_EQ(Order(), (std::vector<long>{1, 3, 6, 0, 4, 7, 2, 5}));
    // score, then grp: 3 (c6 c4 c2 by grp 1, 2, 9), 5 (c3 c0), 7 (c5), empty (c1 c7).
    output->Table()->HeaderClicked(1);
    EXPECT_EQ(Order(), (std::vector<long>{6, 4, 2, 3, 0, 5, 1, 7}));
    EXPECT_EQ(record->sortKeys, (std::vector<int>{2, 1, 0}));
    // Again on score: reversed, the cases without a score (c7 c1) kept last.
    output->Table()->HeaderClicked(1);
    EXPECT_EQ(record->sortDirection, 2);
    EXPECT_EQ(Order(), (std::vector<long>{5, 0, 3, 2, 4, 6, 7, 1}));
    EXPECT_EQ(record->sortKeys, (std::vector<int>{2, 1, 0})) << "the earlier key stays on a repeat click";
    output->Table()->HeaderClicked(1);
    EXPECT_EQ(record->sortDirection, 1);
    EXPECT_EQ(Order(), (std::vector<long>{6, 4, 2, 3, 0, 5, 1, 7}));
    // The option frame's apply sorts again as the record says.
    output->WriteResult();
    EXPECT_EQ(Order(), (std::vector<long>{6, 4, 2, 3, 0, 5, 1, 7}));
}

TEST_F(CaseList, ASelectionListsOnlyItsCasesFirstInFileOrder)
{
    // sel = 1 for c0 c2 c3 c5 c6 c7.
    Open("variable sel\ntype u8\nselection sel Chosen\n", "grp,score,amount,sel\n2,5,1.5,1\n1,,2.25,0\n9,3,,1\n1,5,10,1\n"
                                                        "2,3,-1,0\n,7,0.5,1\n1,3,4,1\n2,,8,1\n");
    EXPECT_EQ(Order(), (std::vector<long>{0, 2, 3, 5, 6, 7}));
    output->Table()->HeaderClicked(0);
    EXPECT_EQ(Order(), (std::vector<long>{3, 6, 0, 7, 2, 5}));
    output->Table()->HeaderClicked(0);
    // Reversed: 2s then 1s, the missing grp (c2 user-missing, c5) last.
    EXPECT_EQ(Order(), (std::vector<long>{7, 0, 6, 3, 5, 2}));
    // The selected cases' map carries the order alone; the option frame's
    // apply sorts and reverses it again to the same list.
    EXPECT_EQ(nullptr, record->sortOrder);
    output->WriteResult();
    EXPECT_EQ(Order(), (std::vector<long>{7, 0, 6, 3, 5, 2}));
}

TEST_F(CaseList, LinesWithTitlesLabelsMissingValuesAndTabs)
{
    Open();
    auto blanks = [](size_t n) { return std::string(n, ' '); };
    output->titles = true;
    output->titleWidth = 10;
    // Titles: the first 9 characters. Each column a blank and as wide as
    // its widest entry: grp its print width 8 and title 9 (labels and their
    // title left-aligned), score its title 9, amount its print width 20 cut
    // to 12; numbers and their titles right-aligned.
    EXPECT_EQ(output->FormatLine(0, false), blanks(9) + " grp: Grou" + " score: Sc" + blanks(4) + "amount: A");
    EXPECT_EQ(output->FormatLine(1, false), blanks(6) + "1) " + " two" + blanks(6) + blanks(9) + "5" + blanks(9) + "1.50");
    // grp's missing mark stands where its labels do.
    EXPECT_EQ(output->FormatLine(3, false), blanks(6) + "3) " + " --" + blanks(7) + blanks(9) + "3" + blanks(11) + "--");
    // Without titles: the print widths; no line numbers.
    output->titles = false;
    output->lineNumbers = false;
    EXPECT_EQ(output->FormatLine(2, false), " one     " + blanks(3) + "--" + blanks(9) + "2.25");
    output->lineNumbers = true;
    EXPECT_EQ(output->FormatLine(2, true), "2) \t one\t --\t 2.25\t");
    record->VariableAt(0)->showLabels = false;
    EXPECT_EQ(output->FormatLine(1, true), "1) \t 2\t 5\t 1.50\t");
    // A title width of 0 is taken as 1 (no characters), never as a cut of
    // -1 characters: the title line holds the columns' blanks alone.
    output->titles = true;
    output->lineNumbers = false;
    output->titleWidth = 0;
    EXPECT_EQ(output->FormatLine(0, false), blanks(1 + 8 + 1 + 4 + 1 + 12));
    output->titleWidth = 1;
    EXPECT_EQ(output->FormatLine(0, false), blanks(1 + 8 + 1 + 4 + 1 + 12));
    output->titleWidth = 2;
    EXPECT_EQ(output->FormatLine(0, false), blanks(8) + "g" + blanks(4) + "s" + blanks(12) + "a");
}

// grp (categories, every valid value labelled), income (its two missing
// codes labelled) and trust (the ends of its scale labelled).
const char *const labelledNumbers = "variable income\nlabel Income\ntype i32\nwidth 7\nmissing 9999998 9999999\n"
                                    "value 9999998 = Don't know\nvalue 9999999 = Refused\n"
                                    "variable trust\nlabel Trust\ntype u8\nwidth 2\n"
                                    "value 0 = No trust\nvalue 10 = Full trust\n";
const char *const labelledCsv = "grp,score,amount,income,trust\n"
                                "2,5,1.5,35000,0\n"
                                "1,,2.25,9999999,7\n"
                                "9,3,,120500,10\n"
                                "1,5,10,9999998,3\n"
                                "2,3,-1,,5\n";

// The ink of a painted field: its leftmost and rightmost dark columns
// (-1 when it shows nothing).
std::pair<int, int> InkSpan(const testsupport::MemoryPage &page, const ZafRegionRect &field)
{
    int first = -1, last = -1;
    for (int x = std::max(0, field.left); x <= std::min(field.right, page.Width() - 1); ++x)
        for (int y = std::max(0, field.top); y <= std::min(field.bottom, page.Height() - 1); ++y) {
            const COLORREF c = page.At(x, y);
            if (GetRValue(c) + GetGValue(c) + GetBValue(c) < 3 * 96) {
                if (first < 0)
                    first = x;
                last = x;
                break;
            }
        }
    return {first, last};
}

// A numeric column stands right-aligned with the labels of some of its
// values, in the written lines and in the grid alike; a column of
// categories stands left-aligned, its missing mark with its labels.
TEST_F(CaseList, LabelsInANumericColumnStandRightAlignedAsItsNumbers)
{
    Open(labelledNumbers, labelledCsv, {1, 4, 5});
    output->titles = true;
    output->lineNumbers = false;
    const std::vector<std::string> expected = {
        " grp: Group income: Income trust: Trust",
        " two                 35000     No trust",
        " one               Refused            7",
        " --                 120500   Full trust",
        " one            Don't know            3",
        " two                    --            5",
    };
    for (long row = 0; row <= 5; ++row)
        EXPECT_EQ(output->FormatLine(row, false), expected[static_cast<size_t>(row)]) << "row " << row;
    // Shown as codes, grp is a numeric column too.
    record->VariableAt(0)->showLabels = false;
    EXPECT_EQ(output->FormatLine(0, false).substr(0, 11), " grp: Group");
    EXPECT_EQ(output->FormatLine(3, false).substr(0, 11), "         --");
    record->VariableAt(0)->showLabels = true;

    // The grid: in every row the cells of income and of trust end where
    // the numbers of their column end, those of grp begin where its labels
    // do: apart by no more than the glyphs' side bearings (a few pixels,
    // less than a character), where a misplaced cell is characters off.
    Show(book);
    RECT frame = {0, 0, 900, 600};
    SetWindowPos(book->OSHandle(), nullptr, 0, 0, frame.right, frame.bottom, SWP_NOZORDER | SWP_NOACTIVATE);
    RunQueued();
    ListTable *table = output->Table();
    ASSERT_NE(nullptr, table->OSHandle());
    ASSERT_GE(table->RecordWindowCount(), 5);
    testsupport::Painted page(table->OSHandle(), RGB(255, 255, 255));
    std::vector<std::pair<int, int>> spans[3];
    for (ZafElement *e = table->First(); e; e = e->Next()) {
        auto *recordWindow = static_cast<ZafTableRecord *>(static_cast<ZafWindowObject *>(e));
        int column = 0;
        for (ZafElement *f = recordWindow->First(); f && column < 3; f = f->Next(), ++column) {
            const std::pair<int, int> ink = InkSpan(page, static_cast<ZafWindowObject *>(f)->GetWindowRegion());
            if (ink.first >= 0)
                spans[column].push_back(ink);
        }
    }
    for (int column = 0; column < 3; ++column) {
        ASSERT_EQ(5u, spans[column].size()) << "column " << column;
        int low = spans[column][0].second, high = low, lowLeft = spans[column][0].first, highLeft = lowLeft;
        for (const auto &ink : spans[column]) {
            low = std::min(low, ink.second), high = std::max(high, ink.second);
            lowLeft = std::min(lowLeft, ink.first), highLeft = std::max(highLeft, ink.first);
        }
        if (column == 0)
            EXPECT_LE(highLeft - lowLeft, 4) << "grp's cells begin at one place";
        else
            EXPECT_LE(high - low, 4) << "column " << column << "'s cells end at one place";
    }
    zafWindowManager->SubtractObject(book);
}

// The grid narrowed and widened by a pixel or two around the width its
// columns take, a vertical scroll bar shown (200 rows): wherever the last
// column does not end left of that bar, the horizontal bar scrolls to it.
TEST_F(CaseList, TheLastColumnIsNeverLeftUnderTheVerticalScrollBar)
{
    std::string values = "grp,score,amount\n";
    for (int c = 0; c < 200; ++c)
        values += std::to_string(1 + c % 2) + "," + std::to_string(c) + ",1\n";
    Open("", values.c_str());
    Show(book);
    ListTable *table = output->Table();
    int fitting = 0, cut = 0;
    for (int width = 420; width <= 540; width += 3) {
        SetWindowPos(book->OSHandle(), nullptr, 0, 0, width, 400, SWP_NOZORDER | SWP_NOACTIVATE);
        RunQueued();
        RECT client;
        GetClientRect(table->OSHandle(), &client);
        SCROLLBARINFO vertical = {sizeof vertical};
        GetScrollBarInfo(table->OSHandle(), OBJID_VSCROLL, &vertical);
        ASSERT_FALSE(vertical.rgstate[0] & STATE_SYSTEM_INVISIBLE) << width;
        auto *first = static_cast<ZafTableRecord *>(static_cast<ZafWindowObject *>(table->First()));
        ASSERT_NE(nullptr, first);
        const int lastRight = static_cast<ZafWindowObject *>(first->Last())->GetWindowRegion().right;
        if (lastRight < client.right) {
            ++fitting;
            continue;
        }
        ++cut;
        SCROLLINFO horizontal = {sizeof horizontal, SIF_RANGE};
        GetScrollInfo(table->OSHandle(), SB_HORZ, &horizontal);
        SCROLLBARINFO bar = {sizeof bar};
        GetScrollBarInfo(table->OSHandle(), OBJID_HSCROLL, &bar);
        EXPECT_GT(horizontal.nMax, horizontal.nMin) << "width " << width;
        EXPECT_FALSE(bar.rgstate[0] & STATE_SYSTEM_INVISIBLE) << "width " << width;
    }
    EXPECT_GT(fitting, 0);
    EXPECT_GT(cut, 0);
    zafWindowManager->SubtractObject(book);
}

// The user's entries in the output dialog, made by the hook.
std::function<void(ZafDialogWindow *)> &Entries()
{
    static std::function<void(ZafDialogWindow *)> entries;
    return entries;
}

void Choose(ZafDialogWindow *dialog, const char *name, bool on = true)
{
    auto *button = dynamic_cast<ZafButton *>(dialog->FindObjectByStringID(name));
    ASSERT_NE(nullptr, button) << name;
    button->SetSelected(on);
}

void Enter(ZafDialogWindow *dialog, const char *name, const char *text)
{
    ZafWindowObject *entry = dialog->FindObjectByStringID(name);
    ASSERT_NE(nullptr, entry) << name;
    entry->SetText(text);
}

class CaseListOutput : public CaseList
{
protected:
    CaseListOutput()
    {
        previousHook = ListOutput::SetDialogHook([](ZafDialogWindow *dialog) -> ZafEventType {
            Entries()(dialog);
            return ZAF_DIALOG_OK;
        });
        previousSource = ListOutput::SetFileNameSource([]() -> char * {
            const std::string name = FileName();
            char *copy = new char[name.size() + 1];
            std::memcpy(copy, name.c_str(), name.size() + 1);
            return copy;
        });
        previousAnswer = ZafErrorStub::SetAnswerHook(
            [](ZafWindowObject *, const char *, unsigned, const char *message) -> ZafEventType {
                Reported().push_back(message ? message : "");
                return 0;
            });
        Reported().clear();
    }
    ~CaseListOutput() override
    {
        ListOutput::SetDialogHook(previousHook);
        ListOutput::SetFileNameSource(previousSource);
        ZafErrorStub::SetAnswerHook(previousAnswer);
        DeleteFileA(FileName().c_str());
    }
    static std::string FileName() { return std::string(std::getenv("TEMP") ? std::getenv("TEMP") : ".") + "\\caselist.txt"; }

    ListOutput::DialogHook previousHook;
    ListOutput::FileNameSource previousSource;
    decltype(ZafErrorStub::SetAnswerHook(nullptr)) previousAnswer;
};

TEST_F(CaseListOutput, RowsGoToAFileAndTheClipboardInTheShownOrder)
{
    Open();
    output->Table()->HeaderClicked(1);
    Entries() = [](ZafDialogWindow *dialog) {
        Choose(dialog, "dest_file");
        Choose(dialog, "dest_printer", false);
        Choose(dialog, "sep_tab");
        Choose(dialog, "sep_blank", false);
        Choose(dialog, "linenumbers", false);
        Choose(dialog, "titles", false);
        Choose(dialog, "printsome");
        Choose(dialog, "printall", false);
        Enter(dialog, "strfrom", "2");
        Enter(dialog, "strto", "4");
    };
    // Sorted by score alone, ties in file order: 3 (c2 c4 c6), 5 (c0 c3), 7
    // (c5), empty (c1 c7); rows 2 to 4 are c4, c6, c0.
    EXPECT_EQ(output->WriteList(nullptr), 3);
    EXPECT_EQ(ReadFile(FileName()), "\r\n two\t 3\t -1.00\t\r\n one\t 3\t 4.00\t\r\n two\t 5\t 1.50\t\r\n");

    // The dialog opens with the choices last used.
    static std::vector<std::string> chosen;
    chosen.clear();
    Entries() = [](ZafDialogWindow *dialog) {
        for (const char *name : {"dest_printer", "dest_file", "sep_tab", "linenumbers", "titles", "printsome"})
            if (auto *button = dynamic_cast<ZafButton *>(dialog->FindObjectByStringID(name)); button && button->Selected())
                chosen.push_back(name);
        for (const char *name : {"strfrom", "strto"})
            chosen.push_back(dialog->FindObjectByStringID(name)->Text());
    };
    ListOutput::SetDialogHook([](ZafDialogWindow *dialog) -> ZafEventType {
        Entries()(dialog);
        return ZAF_DIALOG_CANCEL;
    });
    EXPECT_EQ(output->WriteList(nullptr), 0);
    EXPECT_EQ(chosen, (std::vector<std::string>{"dest_file", "sep_tab", "printsome", "2", "4"}));
    ListOutput::SetDialogHook([](ZafDialogWindow *dialog) -> ZafEventType {
        Entries()(dialog);
        return ZAF_DIALOG_OK;
    });

    Entries() = [](ZafDialogWindow *dialog) {
        Choose(dialog, "dest_clip");
        Choose(dialog, "dest_printer", false);
        Choose(dialog, "sep_tab");
        Choose(dialog, "sep_blank", false);
        Choose(dialog, "titles");
        Choose(dialog, "linenumbers");
        Choose(dialog, "printsome");
        Choose(dialog, "printall", false);
        Enter(dialog, "strfrom", "5");
        Enter(dialog, "strto", "3");
    };
    // From 5 to 3: the title line alone.
    EXPECT_EQ(output->WriteList(nullptr), 1);
    ASSERT_TRUE(OpenClipboard(nullptr));
    HANDLE data = GetClipboardData(CF_TEXT);
    const std::string copied = data ? static_cast<const char *>(GlobalLock(data)) : "";
    if (data)
        GlobalUnlock(data);
    CloseClipboard();
    // Titles shorter than the width are whole; tab separated, each ends with a tab.
    EXPECT_EQ(copied, "  \tgrp: Group\tscore: Score of the test taker\tamount: Amount\t\r\n");
    EXPECT_TRUE(Reported().empty());
}

// The output dialog as shown with the range's entries up (a survey of 8
// cases, variables with long labels): every control whole and in its place.
TEST_F(CaseListOutput, TheDialogShowsEveryControlWholeInsideItsGroupAndWindow)
{
    Open();
    static std::string problems;
    problems = "not shown";
    Entries() = [](ZafDialogWindow *dialog) {
        Choose(dialog, "printsome");
        Choose(dialog, "printall", false);
        for (const char *name : {"strfrom", "strto"})
            dialog->FindObjectByStringID(name)->SetVisible(true);
        zafWindowManager->AddObject(dialog);
        RunQueued();
        problems = testsupport::LayoutCheck(dialog).Report();
        zafWindowManager->SubtractObject(dialog);
    };
    ListOutput::SetDialogHook([](ZafDialogWindow *dialog) -> ZafEventType {
        Entries()(dialog);
        return ZAF_DIALOG_CANCEL;
    });
    output->WriteList(nullptr);
    EXPECT_EQ("", problems);
}

TEST_F(CaseList, TheOptionWindowShowsEveryControlWholeInsideTheFrame)
{
    Open();
    auto *frame = WindowTest::Open(new OptionWindowFrame(*userPersist, record));
    ASSERT_NE(nullptr, frame->Window());
    const std::string problems = testsupport::LayoutCheck(frame).Report();
    Forget(frame); // before the book deletes the record it shows
    EXPECT_EQ("", problems);
}

// grp has two labels, score none: score's box cannot be chosen and is
// painted grey (colour 7, monochrome 254), grp's is ticked and plain.
TEST_F(CaseList, TheOptionWindowGreysTheLabelChoiceOfAVariableWithoutLabels)
{
    Open();
    auto *frame = WindowTest::Open(new OptionWindowFrame(*userPersist, record));
    auto *list = frame->Window() ? frame->Window()->FindObjectByStringID("vl_lab_opt") : nullptr;
    auto *boxes = dynamic_cast<ZafWindow *>(list);
    ASSERT_NE(nullptr, boxes);
    auto *grp = dynamic_cast<ZafButton *>(boxes->First());
    auto *score = grp ? dynamic_cast<ZafButton *>(grp->Next()) : nullptr;
    ASSERT_NE(nullptr, score);
    ZafPaletteStruct grpPalette, scorePalette;
    grp->LogicalPalette(grpPalette, ZAF_PM_TEXT, ZAF_PM_ENABLED);
    score->LogicalPalette(scorePalette, ZAF_PM_TEXT, ZAF_PM_ENABLED);
    const bool grpState[] = {grp->Selected(), grp->Disabled()};
    const bool scoreState[] = {score->Selected(), score->Disabled()};
    Forget(frame); // before the book deletes the record it shows
    EXPECT_TRUE(grpState[0]);
    EXPECT_FALSE(grpState[1]);
    EXPECT_NE(7, grpPalette.colorBackground);
    EXPECT_FALSE(scoreState[0]);
    EXPECT_TRUE(scoreState[1]);
    EXPECT_EQ(7, scorePalette.colorBackground);
    EXPECT_EQ(254, scorePalette.monoBackground);
}

TEST_F(CaseListOutput, SaveTakesTheWholeListAndThePreviewShowsWhatPrintPrints)
{
    Open();
    // The output dialog's last answers do not narrow what Save writes.
    output->lineNumbers = false;
    output->titleWidth = 3;
    output->Table()->HeaderClicked(1);
    // Sorted by score: 3 (c2 c4 c6), 5 (c0 c3), 7 (c5), empty (c1 c7).
    ASSERT_TRUE(book->SaveCurrentResult(FileName().c_str(), true));
    EXPECT_EQ(ReadFile(FileName()), "  \tgrp: Group\tscore: Score of the test taker\tamount: Amount\t\r\n"
                                    "1) \t --\t 3\t --\t\r\n"
                                    "2) \t two\t 3\t -1.00\t\r\n"
                                    "3) \t one\t 3\t 4.00\t\r\n"
                                    "4) \t two\t 5\t 1.50\t\r\n"
                                    "5) \t one\t 5\t 10.00\t\r\n"
                                    "6) \t --\t 7\t 0.50\t\r\n"
                                    "7) \t one\t --\t 2.25\t\r\n"
                                    "8) \t two\t --\t 8.00\t\r\n");
    EXPECT_FALSE(output->lineNumbers);
    EXPECT_EQ(3, output->titleWidth);

    // Labels off: the preview's text shows the codes; it follows the
    // dialog's last answers, as Print does: titles 2 characters wide, no
    // line numbers.
    record->VariableAt(0)->showLabels = false;
    output->WriteResult();
    TXTWIN *text = output->ResultText();
    ASSERT_NE(nullptr, text);
    EXPECT_EQ(9, text->LineCount());
    EXPECT_EQ(std::string::npos, text->Text().find("two"));
    EXPECT_EQ(std::string::npos, text->Text().find("grp: Group"));
    EXPECT_NE(std::string::npos, text->Text().find(" gr ")) << "titled";
    EXPECT_EQ(std::string::npos, text->Text().find("8) ")) << "not numbered";
    output->titles = false;
    EXPECT_EQ(8, output->ResultText()->LineCount());
    output->titles = true;
    text = output->ResultText();
    bool previewed = false;
    testsupport::WhenModalLoopIdles([&previewed] {
        if (ZafDialogWindow *preview = ZafDialogWindow::ModalWindow()) {
            previewed = true;
            preview->Event(ZafEventRecord(ZAF_DIALOG_CANCEL));
        }
    });
    EXPECT_TRUE(book->PreviewCurrentPage());
    testsupport::ForgetModalLoopSteps();
    EXPECT_TRUE(previewed);
    EXPECT_TRUE(Reported().empty()) << Reported().front();

    // A file that cannot be written is said, not taken for saved.
    EXPECT_FALSE(book->SaveCurrentResult("Z:\\no such folder\\list.txt", false));
    EXPECT_EQ(std::vector<std::string>{WorkBook::notSavedText}, Reported());
}

// The preview of a list longer than a page: every page starts with the
// column titles, then goes on with the rows where the page before ended.
TEST_F(CaseListOutput, EveryPageOfThePreviewIsHeadedByTheColumnTitles)
{
    std::string values = "grp,score,amount\n";
    for (int c = 0; c < 200; ++c)
        values += std::to_string(1 + c % 2) + "," + std::to_string(c) + ",1\n";
    Open("", values.c_str());
    // Titled, as the output dialog first offers; the title line printed
    // with the blank the rows begin with.
    ASSERT_TRUE(output->titles);
    const std::string titles = " " + output->FormatLine(0, false);
    static std::vector<std::vector<std::string>> pages;
    pages.clear();
    testsupport::WhenModalLoopIdles([] {
        if (auto *preview = dynamic_cast<PrintPreview *>(ZafDialogWindow::ModalWindow())) {
            for (int page = 0; page < preview->PageCount(); ++page)
                pages.push_back(metafile::Read(preview->PageMetafile(page)).texts);
            preview->Event(ZafEventRecord(ZAF_DIALOG_CANCEL));
        }
    });
    EXPECT_TRUE(book->PreviewCurrentPage());
    testsupport::ForgetModalLoopSteps();
    ASSERT_GE(pages.size(), 3u) << "200 rows on more than two pages";
    long next = 1;
    for (size_t n = 0; n < pages.size(); ++n) {
        const std::vector<std::string> &texts = pages[n];
        auto heading = std::find(texts.begin(), texts.end(), titles);
        ASSERT_NE(heading, texts.end()) << "page " << n + 1;
        // The first row below the titles is the one after the last row of
        // the page before.
        auto row = std::find_if(heading, texts.end(), [](const std::string &t) { return t.find(") ") != std::string::npos; });
        ASSERT_NE(row, texts.end()) << "page " << n + 1;
        EXPECT_EQ(std::strtol(row->c_str(), nullptr, 10), next) << "page " << n + 1;
        for (; row != texts.end(); ++row)
            if (row->find(") ") != std::string::npos)
                next = std::strtol(row->c_str(), nullptr, 10) + 1;
    }
    EXPECT_EQ(201, next) << "every row on a page";
    EXPECT_TRUE(Reported().empty());
}

TEST_F(CaseListOutput, EntriesOutOfRangeAreRefusedWithAMessageAndNothingIsWritten)
{
    Open();
    const struct
    {
        const char *from, *to, *width, *message;
    } cases[] = {
        {"1", "8", "0", ListOutput::badTitleWidthText},  {"1", "8", "51", ListOutput::badTitleWidthText},
        {"1", "8", "x", ListOutput::badTitleWidthText},  {"0", "8", "50", ListOutput::badRangeText},
        {"1", "9", "50", ListOutput::badRangeText},      {"99999", "1", "50", ListOutput::badRangeText},
    };
    for (const auto &c : cases) {
        Reported().clear();
        Entries() = [&c](ZafDialogWindow *dialog) {
            Choose(dialog, "dest_file");
            Choose(dialog, "dest_printer", false);
            Choose(dialog, "printsome");
            Choose(dialog, "printall", false);
            Enter(dialog, "strfrom", c.from);
            Enter(dialog, "strto", c.to);
            Enter(dialog, "titlewidth", c.width);
        };
        EXPECT_EQ(output->WriteList(nullptr), 0) << c.from << " " << c.to << " " << c.width;
        EXPECT_EQ(output->destination, ListOutput::cancelled);
        ASSERT_EQ(Reported().size(), 1u) << c.width;
        EXPECT_EQ(Reported()[0], c.message);
    }
    EXPECT_EQ(GetFileAttributesA(FileName().c_str()), INVALID_FILE_ATTRIBUTES);
    // The printer without one: the user is told.
    Reported().clear();
    Entries() = [](ZafDialogWindow *) {};
    EXPECT_EQ(output->WriteList(nullptr), 0);
    ASSERT_EQ(Reported().size(), 1u);
    EXPECT_EQ(Reported()[0], ListOutput::noPrinterText);
}

} // namespace

namespace {

// The sample survey's columns listed, with their missing codes and decimals
// as samples/survey.desc gives them.
struct SampleColumn
{
    const char *name;
    std::vector<double> missing;
    int decimals; // -1: an integer variable
};
const SampleColumn sampleColumns[] = {
    {"sex", {9}, -1},     {"age", {99}, -1}, {"sat_school", {8, 9}, -1}, {"issue3", {}, -1},
    {"transit_before", {}, 1}, {"wellbeing", {}, 3},
};

std::vector<std::string> Split(const std::string &line, char separator)
{
    std::vector<std::string> fields;
    size_t at = 0;
    for (size_t end; (end = line.find(separator, at)) != std::string::npos; at = end + 1)
        fields.push_back(line.substr(at, end - at));
    fields.push_back(line.substr(at));
    return fields;
}

TEST_F(CaseListOutput, TheSampleSurveySortedByEachHeaderIsWrittenAsItsCsvRowsSortedByHand)
{
    survey.reset();
    survey = std::make_unique<Survey>("../../samples/survey");
    // The CSV: each listed column's text per case.
    const std::vector<std::string> lines = Split(ReadFile(SourceFile("../../samples/survey.csv")), '\n');
    const std::vector<std::string> header = Split(lines[0], ',');
    std::vector<std::vector<std::string>> rows;
    for (size_t i = 1; i < lines.size(); ++i)
        if (!lines[i].empty() && lines[i] != "\r")
            rows.push_back(Split(lines[i].substr(0, lines[i].find('\r')), ','));
    std::vector<size_t> column;
    std::vector<long> variables;
    for (const SampleColumn &c : sampleColumns) {
        column.push_back(std::find(header.begin(), header.end(), c.name) - header.begin());
        variables.push_back(survey->Variable(c.name));
    }
    VarSelection selection;
    selection.count = static_cast<int>(variables.size());
    selection.variables = variables.data();

    for (size_t key = 0; key < column.size(); ++key) {
        record = new ListOption;
        delete book;
        book = new ListBook(survey->DataSet(), record, &selection);
        output = book->Output();
        for (int i = 0; i < record->VariableCount(); ++i)
            record->VariableAt(i)->showLabels = false;
        output->Table()->HeaderClicked(static_cast<int>(key));
        Entries() = [](ZafDialogWindow *dialog) {
            Choose(dialog, "dest_file");
            Choose(dialog, "dest_printer", false);
            Choose(dialog, "sep_tab");
            Choose(dialog, "sep_blank", false);
            Choose(dialog, "linenumbers", false);
            Choose(dialog, "titles", false);
        };
        ASSERT_EQ(output->WriteList(nullptr), static_cast<int>(rows.size()));

        // By hand: ascending by the key column, an empty value after every
        // value, a missing code by its value, equal values in file order.
        std::vector<size_t> order(rows.size());
        for (size_t i = 0; i < order.size(); ++i)
            order[i] = i;
        auto value = [&](size_t row) {
            const std::string &text = rows[row][column[key]];
            return text.empty() ? HUGE_VAL : std::strtod(text.c_str(), nullptr);
        };
        std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) { return value(a) < value(b); });
        std::string expected = "\r\n";
        for (size_t row : order) {
            for (size_t c = 0; c < column.size(); ++c) {
                const std::string &text = rows[row][column[c]];
                const double v = text.empty() ? 0 : std::strtod(text.c_str(), nullptr);
                const std::vector<double> &codes = sampleColumns[c].missing;
                char cell[64];
                if (text.empty() || std::find(codes.begin(), codes.end(), v) != codes.end())
                    std::snprintf(cell, sizeof cell, " --");
                else if (sampleColumns[c].decimals < 0)
                    std::snprintf(cell, sizeof cell, " %ld", static_cast<long>(v));
                else
                    std::snprintf(cell, sizeof cell, " %.*f", sampleColumns[c].decimals, v);
                expected += std::string(cell) + "\t";
            }
            expected += "\r\n";
        }
        EXPECT_EQ(ReadFile(FileName()), expected) << "sorted by " << sampleColumns[key].name;
    }
    selection.variables = nullptr;
}

} // namespace

