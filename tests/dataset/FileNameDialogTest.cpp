// The Open and Save dialogs' file-name field stops taking keys where the
// folder, the name and the extension fill the caller's buffer. On Windows
// the dialog itself refuses an over-long name with a message; Wine's dialog
// joins folder and name past a MAX_PATH buffer of its own and faults (311
// characters typed and Return: a page fault at 0061006x, the typed "a"s),
// ending the program with every open workbook.
//
// The dialog runs on the test thread. A thread timer finds it by its owner,
// posts the keys into its name field as WM_CHAR (which honours the field's
// limit as typing does; WM_SETTEXT would not), reads the field's length and
// presses OK or Cancel. A watchdog cancels every dialog of the thread after
// a bounded number of ticks and fails the test, so that it cannot hang.
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
constexpr int watchdogTicks = 200; // of 50 ms

struct TypingRun
{
    HWND owner = nullptr;
    WPARAM button = IDCANCEL; // pressed once the field is read
    int ticks = 0;
    bool typed = false;
    int fieldLength = -1;
    std::string message; // of the box that says the name was shortened
    bool watchdogFired = false;
} run;

// The thread's dialog owned by the run's owner; with cancel, every dialog
// of the thread (a message box too) is cancelled instead.
BOOL CALLBACK VisitDialog(HWND window, LPARAM found)
{
    char name[16] = "";
    GetClassNameA(window, name, sizeof name);
    if (std::string(name) != "#32770")
        return TRUE;
    if (!found)
        return PostMessageA(window, WM_COMMAND, IDCANCEL, 0), TRUE;
    if (GetWindow(window, GW_OWNER) != run.owner)
        return TRUE;
    *reinterpret_cast<HWND *>(found) = window;
    return FALSE;
}

// The edit field inside the name combo box (a ComboBoxEx32 holding a
// ComboBox under Wine, a ComboBox on Windows), or the name edit field.
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
    if (++run.ticks > watchdogTicks) {
        run.watchdogFired = true;
        EnumThreadWindows(GetCurrentThreadId(), VisitDialog, 0);
        return;
    }
    HWND dialog = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), VisitDialog, reinterpret_cast<LPARAM>(&dialog));
    if (dialog && run.fieldLength >= 0 && run.message.empty()) {
        // After OK: the message box, owned by the same window, says the name
        // that was used.
        char text[1024] = "";
        GetDlgItemTextA(dialog, 0xFFFF, text, sizeof text);
        run.message = text;
        PostMessageA(dialog, WM_COMMAND, IDOK, 0);
        return;
    }
    HWND field = dialog ? NameField(dialog) : nullptr;
    if (!field || run.fieldLength >= 0)
        return;
    if (!run.typed) {
        for (int i = 0; i < typedCharacters; ++i)
            PostMessageA(field, WM_CHAR, 'a', 1);
        run.typed = true;
        return;
    }
    // A timer comes only once no posted message waits: the keys are taken.
    run.fieldLength = GetWindowTextLengthA(field);
    PostMessageA(dialog, WM_COMMAND, run.button, 0);
}

struct DialogCase
{
    FileNameDialogKind kind;
    DWORD bufferSize;
    bool confirm; // OK on the name typed, else Cancel
};

class FileNameDialogTyping : public testing::TestWithParam<DialogCase>
{};

// Never more than MAX_PATH (Wine's own buffer), whatever the caller's buffer.
// Confirmed, the dialog gives the whole path back; cancelled, it answers
// FALSE with no error.
TEST_P(FileNameDialogTyping, TheNameFieldStopsWhereThePathFillsTheBuffer)
{
    const DialogCase parameters = GetParam();
    testsupport::TempDirectory folder;
    run = TypingRun();
    run.button = parameters.confirm ? IDOK : IDCANCEL;
    run.owner = CreateWindowExA(0, "STATIC", "owner", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    std::string buffer(parameters.bufferSize, '\0');
    OPENFILENAMEA dialog = {};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = run.owner;
    dialog.lpstrFilter = "Text (*.txt)\0*.txt\0";
    dialog.lpstrFile = &buffer[0];
    dialog.nMaxFile = parameters.bufferSize;
    dialog.lpstrInitialDir = folder.Path();
    dialog.lpstrDefExt = "txt";
    dialog.Flags = OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
    const UINT_PTR timer = SetTimer(nullptr, 0, 50, TypeIntoDialog);
    const BOOL answer = RunFileNameDialog(dialog, parameters.kind);
    const DWORD error = CommDlgExtendedError();
    KillTimer(nullptr, timer);
    DestroyWindow(run.owner);

    ASSERT_FALSE(run.watchdogFired) << "the dialog did not take the keys and the button in time";
    const int folderLength = static_cast<int>(std::strlen(folder.Path()));
    const int limit = static_cast<int>(std::min<DWORD>(parameters.bufferSize, MAX_PATH)) - 1 - (folderLength + 1) - 4;
    ASSERT_GT(limit, 0) << "a shorter temporary folder is needed";
    EXPECT_EQ(run.fieldLength, std::min(limit, typedCharacters)) << "characters taken of " << typedCharacters;
    EXPECT_EQ(error, 0u);
    EXPECT_EQ(answer, parameters.confirm ? TRUE : FALSE);
    if (parameters.confirm) {
        EXPECT_EQ(buffer.c_str(), folder.File(std::string(static_cast<size_t>(limit), 'a') + ".txt"));
        // The 311 characters typed were cut: the user is told the name used.
        EXPECT_NE(run.message.find("shortened"), std::string::npos) << run.message;
        EXPECT_NE(run.message.find(buffer.c_str()), std::string::npos) << run.message;
    } else {
        EXPECT_EQ(run.message, "");
    }
}

INSTANTIATE_TEST_SUITE_P(OpenAndSave, FileNameDialogTyping,
                         testing::Values(DialogCase{FileNameDialogKind::save, MAX_PATH, false},
                                         DialogCase{FileNameDialogKind::open, MAX_PATH, false},
                                         DialogCase{FileNameDialogKind::save, MAX_PATH, true},
                                         DialogCase{FileNameDialogKind::save, 200, true},
                                         DialogCase{FileNameDialogKind::save, 1000, true}));

} // namespace
