#include "dataset/FileNameDialog.h"

#include <commctrl.h>
#include <dlgs.h>

#include <algorithm>
#include <string>

namespace {

// The edit field the name is typed into: inside the name combo box (a
// ComboBoxEx32 under Wine, a ComboBox on Windows), or the dialog's own edit
// field where it has no combo box.
HWND NameEditField(HWND dialog)
{
    HWND combo = GetDlgItem(dialog, cmb13);
    if (!combo)
        return GetDlgItem(dialog, edt1);
    char className[32] = "";
    GetClassNameA(combo, className, sizeof className);
    if (lstrcmpiA(className, WC_COMBOBOXEXA) == 0)
        return reinterpret_cast<HWND>(SendMessageA(combo, CBEM_GETEDITCONTROL, 0, 0));
    COMBOBOXINFO info = {};
    info.cbSize = sizeof info;
    return GetComboBoxInfo(combo, &info) ? info.hwndItem : nullptr;
}

// The name field of the dialog running now (the dialogs are modal, one at
// a time): its own window procedure, and whether a name typed, pasted or
// already there was cut to the field's limit.
HWND nameField = nullptr;
WNDPROC nameFieldProcedure = nullptr;
bool nameCut = false;

int SelectionLength(HWND edit)
{
    DWORD start = 0, end = 0;
    SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return end > start ? static_cast<int>(end - start) : 0;
}

int ClipboardTextLength(HWND owner)
{
    int length = 0;
    if (OpenClipboard(owner)) {
        if (HANDLE data = GetClipboardData(CF_TEXT)) {
            if (const char *text = static_cast<const char *>(GlobalLock(data))) {
                length = lstrlenA(text);
                GlobalUnlock(data);
            }
        }
        CloseClipboard();
    }
    return length;
}

// Notes a character or a paste that the field's limit kept from going in
// whole: the text is then shorter than the keys or the clipboard asked.
LRESULT CALLBACK NameFieldProcedure(HWND edit, UINT message, WPARAM wParam, LPARAM lParam)
{
    int expected = -1;
    if (message == WM_CHAR && wParam >= 32)
        expected = GetWindowTextLengthA(edit) - SelectionLength(edit) + 1;
    else if (message == WM_PASTE)
        expected = GetWindowTextLengthA(edit) - SelectionLength(edit) + ClipboardTextLength(edit);
    const LRESULT result = CallWindowProcA(nameFieldProcedure, edit, message, wParam, lParam);
    if (expected >= 0 && GetWindowTextLengthA(edit) < expected)
        nameCut = true;
    return result;
}

void WatchNameField(HWND edit)
{
    if (nameField)
        return;
    nameField = edit;
    nameFieldProcedure = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(NameFieldProcedure)));
}

void ForgetNameField()
{
    if (nameField && IsWindow(nameField) && nameFieldProcedure)
        SetWindowLongPtrA(nameField, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(nameFieldProcedure));
    nameField = nullptr;
    nameFieldProcedure = nullptr;
}

// Limits the name field for the folder the dialog shows now and cuts a name
// already longer.
void LimitNameField(HWND hook)
{
    const auto *description = reinterpret_cast<const OPENFILENAMEA *>(GetWindowLongPtrA(hook, GWLP_USERDATA));
    HWND dialog = GetParent(hook);
    if (!description || !dialog)
        return;
    char folder[MAX_PATH * 2] = "";
    // The size the folder needs, its terminator counted; negative for a
    // folder without a path (My Computer).
    const LRESULT size = SendMessageA(dialog, CDM_GETFOLDERPATH, sizeof folder, reinterpret_cast<LPARAM>(folder));
    const int folderLength = size > 0 ? static_cast<int>(size) - 1 : 0;
    const int extension = description->lpstrDefExt ? lstrlenA(description->lpstrDefExt) : 0;
    const int limit = FileNameFieldLimit(description->nMaxFile, folderLength, extension);
    if (HWND combo = GetDlgItem(dialog, cmb13))
        SendMessageA(combo, CB_LIMITTEXT, static_cast<WPARAM>(limit), 0);
    HWND edit = NameEditField(dialog);
    if (!edit)
        return;
    SendMessageA(edit, EM_LIMITTEXT, static_cast<WPARAM>(limit), 0);
    WatchNameField(edit);
    const int length = GetWindowTextLengthA(edit);
    if (length > limit) {
        nameCut = true;
        std::string name(static_cast<size_t>(length) + 1, '\0');
        GetWindowTextA(edit, &name[0], length + 1);
        name.resize(static_cast<size_t>(limit));
        SetWindowTextA(edit, name.c_str());
    }
}

// The hook is a child dialog of the Explorer-style dialog; the fields are
// the parent's. The description comes with WM_INITDIALOG; the folder is
// known from CDN_INITDONE on and changes with CDN_FOLDERCHANGE.
UINT_PTR CALLBACK FileNameHook(HWND hook, UINT message, WPARAM, LPARAM parameter)
{
    switch (message) {
    case WM_INITDIALOG:
        SetWindowLongPtrA(hook, GWLP_USERDATA, parameter);
        LimitNameField(hook);
        return TRUE;
    case WM_NOTIFY: {
        const auto *notice = reinterpret_cast<const OFNOTIFYA *>(parameter);
        if (notice && (notice->hdr.code == CDN_INITDONE || notice->hdr.code == CDN_FOLDERCHANGE))
            LimitNameField(hook);
        return FALSE;
    }
    default:
        return FALSE;
    }
}

} // namespace

int FileNameFieldLimit(DWORD bufferSize, int folderLength, int extensionLength)
{
    const int buffer = static_cast<int>(std::min<DWORD>(bufferSize, MAX_PATH));
    const int folder = folderLength > 0 ? folderLength + 1 : 0; // with the backslash
    const int extension = extensionLength > 0 ? extensionLength + 1 : 0;
    return std::max(buffer - 1 - folder - extension, 1);
}

BOOL RunFileNameDialog(OPENFILENAMEA &dialog, FileNameDialogKind kind)
{
    dialog.Flags |= OFN_EXPLORER | OFN_ENABLEHOOK;
    dialog.lpfnHook = FileNameHook;
    nameCut = false;
    const BOOL answer = kind == FileNameDialogKind::open ? GetOpenFileNameA(&dialog) : GetSaveFileNameA(&dialog);
    ForgetNameField();
    if (answer && nameCut && dialog.lpstrFile) {
        // The name the user gave did not fit: the one used is said.
        const std::string text = std::string("The name was too long for its folder and was shortened. The file ") +
                                 (kind == FileNameDialogKind::open ? "opened" : "used") + " is:\n" + dialog.lpstrFile;
        MessageBoxA(dialog.hwndOwner, text.c_str(), "File name", MB_OK | MB_ICONINFORMATION);
    }
    nameCut = false;
    return answer;
}
