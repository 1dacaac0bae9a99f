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
    const int length = GetWindowTextLengthA(edit);
    if (length > limit) {
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
    return kind == FileNameDialogKind::open ? GetOpenFileNameA(&dialog) : GetSaveFileNameA(&dialog);
}
