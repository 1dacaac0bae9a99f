// A small analysis for the shell's tests: an option record with two prompted
// lists (the first required, the second taking at most two variables), an
// option window with a check box and two radio buttons, and a run that
// records what GetSelectedVariables gave for each list (and, when told to,
// builds a workbook it never shows). What it saw goes to TestOption::Seen(),
// reset per test.
#pragma once

#include "shell/OptionWindow.h"
#include "shell/VariableListWindow.h"
#include "shell/WorkBook.h"
#include "stats/StatOption.h"
#include "zaf/core/ZafDialogWindow.h"

#include "zaf/controls/ZafString.h"

#include <string>
#include <vector>

struct TestOptionSeen
{
    int live = 0; // records alive
    int runs = 0;
    std::vector<std::vector<long>> lists; // per list of the last run; {-1} for none
    int toWindow = 0, fromWindow = 0, saves = 0, updates = 0, takeFromWindow = 0;
    bool runSucceeds = true;
    bool takenByWorkbook = false;    // a run clears deleteAfterRun
    bool leavesUnshownBook = false;  // a run builds a workbook and never shows it
    int booksAlive = 0;              // workbooks such runs built that still exist
    std::vector<StatOption *> taken; // the records that runs took
    std::string preValue = "-";      // what a run read in the pre-option window ("-": none)
};

class TestOptionWindow : public OptionWindow
{
public:
    TestOptionWindow() : OptionWindow(40, 6)
    {
        AddObject(new OpButton(10, 5, 250, 10, "Show totals", "CHK_TOTALS"));
        AddObject(new RadioButton(10, 20, 250, 10, "Rows", "RB_ROWS"));
        AddObject(new RadioButton(10, 35, 250, 10, "Columns", "RB_COLUMNS"));
    }
    void UpdateControls() override;
};

class TestOption : public StatOption
{
public:
    static TestOptionSeen &Seen()
    {
        static TestOptionSeen seen;
        return seen;
    }
    static StatOption *Make()
    {
        auto *option = new TestOption;
        option->LoadSettings(1);
        return option;
    }
    TestOption() { ++Seen().live; }
    ~TestOption() override { --Seen().live; }

    ZafWindow *CreateOptionWindow() override { return new TestOptionWindow; }
    void SetVariablePrompts(ZafWindow *) override
    {
        PassTextToVariableList("Rows", 1, -1);
        PassTextToVariableList("Columns", 0, 2);
    }
    OptionWindow *Window() { return static_cast<OptionWindow *>(optionWindow); }
    void ToWindow() override
    {
        ++Seen().toWindow;
        Window()->FindCheckBox("CHK_TOTALS", __FILE__, __LINE__)->SetChecked(totals);
        Window()->FindRadioButton(columns ? "RB_COLUMNS" : "RB_ROWS", __FILE__, __LINE__)->SetChecked(true);
    }
    void FromWindow() override
    {
        ++Seen().fromWindow;
        if (!optionWindow)
            return;
        totals = Window()->FindCheckBox("CHK_TOTALS", __FILE__, __LINE__)->Checked();
        columns = Window()->FindRadioButton("RB_COLUMNS", __FILE__, __LINE__)->Checked();
    }
    void SaveSettings() override { ++Seen().saves; }
    bool Run() override
    {
        ++Seen().runs;
        Seen().lists.clear();
        for (int list = 0; list < 3; ++list) {
            VarSelection *selection = GetSelectedVariables(list);
            std::vector<long> numbers;
            if (!selection)
                numbers.push_back(-1);
            for (int i = 0; selection && i < selection->count; ++i)
                numbers.push_back(selection->variables[i]);
            Seen().lists.push_back(numbers);
            VarSelection::Free(selection);
        }
        if (Seen().leavesUnshownBook)
            MakeCountedBook(this);
        if (Seen().takenByWorkbook && Seen().runSucceeds) {
            deleteAfterRun = 0;
            Seen().taken.push_back(this);
        }
        return Seen().runSucceeds;
    }

    static void MakeCountedBook(StatOption *record);

    bool totals = false;
    bool columns = false;
};

class CountedBook : public WorkBook
{
public:
    explicit CountedBook(StatOption *record) : WorkBook(record, 0) { ++TestOption::Seen().booksAlive; }
    ~CountedBook() override { --TestOption::Seen().booksAlive; }
};

inline void TestOption::MakeCountedBook(StatOption *record)
{
    new CountedBook(record);
}

inline void TestOptionWindow::UpdateControls()
{
    ++TestOption::Seen().updates;
}

// A record whose options may not be set before a run.
class NoEarlyOptions : public TestOption
{
public:
    static StatOption *Make()
    {
        auto *option = new NoEarlyOptions;
        option->optionsBeforeRun = 0;
        return option;
    }
};

// A record whose two lists must both hold a variable, the second one at most.
class TwoRequired : public TestOption
{
public:
    static StatOption *Make() { return new TwoRequired; }
    void SetVariablePrompts(ZafWindow *) override
    {
        PassTextToVariableList("Rows", 1, -1);
        PassTextToVariableList("Columns", 1, 1);
    }
};

// A record that asks first for a counted value "FiVa" (1.0), which its run reads.
class AsksFirst : public TestOption
{
public:
    static StatOption *Make() { return new AsksFirst; }
    ZafWindow *PreOptionWindow() override
    {
        auto *dialog = new ZafDialogWindow(2, 2, 30, 5);
        auto *value = new ZafString(1, 1, 10, "1.0", 20);
        value->SetStringID("FiVa");
        dialog->AddObject(value);
        dialog->SetVisible(false);
        return dialog;
    }
    bool Run() override
    {
        ZafWindowObject *value = preOptionWindow ? preOptionWindow->FindObjectByStringID("FiVa") : nullptr;
        Seen().preValue = value ? value->Text() : "-";
        return TestOption::Run();
    }
    void TakeFromWindow() override
    {
        if (preOptionWindow)
            ++Seen().takeFromWindow;
    }
};
