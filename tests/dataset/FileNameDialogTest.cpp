// The Open and Save dialogs' file-name field stops taking keys at what the
// caller's buffer holds. On Windows the dialog itself refuses an over-long
// name with a message; Wine's dialog copies it past a path buffer of its own
// and faults (311 typed characters: "page fault at address 00610061", the
// typed "aa"), ending the program with every open workbook.
//
// The dialog runs on the test thread. A thread timer finds it by its owner,
// posts the keys into its name field as WM_CHAR (which honours the field's
// limit as typing does; WM_SETTEXT would not), reads the field's length back
// and cancels. A watchdog cancels the dialog, and any message box it shows,
// after a bounded number of ticks and fails the test, so that a dialog that
// misbehaves cannot hang the run.
#include "dataset/FileNameDialog.h"

#include "tests/support/TempDirectory.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <commdlg.h>
#include <dlgs.h>

#include <algorithm>
#include <cstring>
#include <string>

namespace {

constexpr int typedCharacters = 311;
constexpr int tickMs = 50;
constexpr int watchdogTicks = 200; // ten seconds

struct TypingRun
{
    HWND owner = nullptr;
    WPARAM finalCommand = IDCANCEL; // pressed once the field is read
    int ticks = 0;
    bool typed = false;
    int fieldLength = -1; // after the keys; -1 while not read
    bool watchdogFired = false;
};
TypingRun *run = nullptr;

BOOL CALLBACK TakeDialog(HWND window, LPARAM found)
{
    char name[16] = "";
    GetClassNameA(window, name, sizeof name);
    if (std::string(name) != "#32770" || GetWindow(window, GW_OWNER) != run->owner)
        return TRUE;
    *reinterpret_cast<HWND *>(found) = window;
    return FALSE;
}

BOOL CALLBACK CancelDialog(HWND window, LPARAM)
{
    char name[16] = "";
    GetClassNameA(window, name, sizeof name);
    if (std::string(name) == "#32770")
        PostMessageA(window, WM_COMMAND, IDCANCEL, 0);
    return TRUE;
}

// The edit field the keys go into: the one inside the name combo box (a
// ComboBoxEx32 holding a ComboBox under Wine, a ComboBox on Windows), or the
// dialog's name edit field.
HWND NameField(HWND dialog)
{
    HWND combo = GetDlgItem(dialog, cmb13);
    if (!combo)
        return GetDlgItem(dialog, edt1);
    if (HWND inner = FindWindowExA(combo, nullptr, "ComboBox", nullptr))
        combo = inner;
    return FindWindowExA(combo, nullptr, "Edit", nullptr);
}

VOID CALLBACK TypeIntoDialog(HWND, UINT, UINT_PTR, DWORD)
{
    if (++run->ticks > watchdogTicks) {
        run->watchdogFired = true;
        EnumThreadWindows(GetCurrentThreadId(), CancelDialog, 0);
        return;
    }
    HWND dialog = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), TakeDialog, reinterpret_cast<LPARAM>(&dialog));
    HWND field = dialog ? NameField(dialog) : nullptr;
    if (!field || run->fieldLength >= 0)
        return;
    if (!run->typed) {
        for (int i = 0; i < typedCharacters; ++i)
            PostMessageA(field, WM_CHAR, 'a', 1);
        run->typed = true;
        return;
    }
    // A timer comes only once no posted message waits: the keys are taken.
    run->fieldLength = GetWindowTextLengthA(field);
    PostMessageA(dialog, WM_COMMAND, run->finalCommand, 0);
}

struct DialogCase
{
    FileNameDialogKind kind;
    DWORD bufferSize;
    bool confirm; // OK on the name typed, else Cancel
};

class FileNameDialogTyping : public testing::TestWithParam<DialogCase>
{};

// The folder, a backslash, the name and ".txt" fill the buffer, and never
// more than MAX_PATH (Wine's own buffer, whatever the caller's): the field
// takes what is left of 311 characters. Confirmed, the dialog gives the
// whole path back; cancelled, it answers FALSE with no error.
TEST_P(FileNameDialogTyping, TheNameFieldStopsWhereThePathFillsTheBuffer)
{
    const DialogCase parameters = GetParam();
    testsupport::TempDirectory folder;
    TypingRun state;
    state.finalCommand = parameters.confirm ? IDOK : IDCANCEL;
    state.owner = CreateWindowExA(0, "STATIC", "owner", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(state.owner, nullptr);
    run = &state;
    std::string buffer(parameters.bufferSize, '\0');
    OPENFILENAMEA dialog = {};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = state.owner;
    dialog.lpstrFilter = "Text (*.txt)\0*.txt\0";
    dialog.lpstrFile = &buffer[0];
    dialog.nMaxFile = parameters.bufferSize;
    dialog.lpstrInitialDir = folder.Path();
    dialog.lpstrDefExt = "txt";
    dialog.Flags = OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
    const UINT_PTR timer = SetTimer(nullptr, 0, tickMs, TypeIntoDialog);
    const BOOL answer = RunFileNameDialog(dialog, parameters.kind);
    const DWORD error = CommDlgExtendedError();
    KillTimer(nullptr, timer);
    run = nullptr;
    DestroyWindow(state.owner);

    ASSERT_FALSE(state.watchdogFired) << "the dialog did not take the keys and the button in time";
    const int folderLength = static_cast<int>(std::strlen(folder.Path()));
    const int limit = static_cast<int>(std::min<DWORD>(parameters.bufferSize, MAX_PATH)) - 1 - (folderLength + 1) - 4;
    ASSERT_GT(limit, 0) << "a shorter temporary folder is needed";
    EXPECT_EQ(state.fieldLength, std::min(limit, typedCharacters)) << "characters taken of " << typedCharacters;
    EXPECT_EQ(error, 0u);
    if (parameters.confirm) {
        EXPECT_TRUE(answer);
        EXPECT_EQ(buffer.c_str(), folder.File(std::string(static_cast<size_t>(limit), 'a') + ".txt"));
    } else {
        EXPECT_FALSE(answer);
    }
}

INSTANTIATE_TEST_SUITE_P(OpenAndSave, FileNameDialogTyping,
                         testing::Values(DialogCase{FileNameDialogKind::save, MAX_PATH, false},
                                         DialogCase{FileNameDialogKind::open, MAX_PATH, false},
                                         DialogCase{FileNameDialogKind::save, MAX_PATH, true},
                                         DialogCase{FileNameDialogKind::save, 200, true},
                                         DialogCase{FileNameDialogKind::save, 1000, true}));

} // namespace
