#include "dataset/FileNameDialog.h"

#include <dlgs.h>

#include <string>

namespace {

// The field of the file name: a combo box in the Explorer-style dialog,
// an edit field in others.
void LimitNameField(HWND dialog, int limit)
{
    if (HWND combo = GetDlgItem(dialog, cmb13)) {
        SendMessageA(combo, CB_LIMITTEXT, static_cast<WPARAM>(limit), 0);
        if (GetWindowTextLengthA(combo) > limit) {
            std::string text(static_cast<size_t>(GetWindowTextLengthA(combo)) + 1, '\0');
            GetWindowTextA(combo, &text[0], static_cast<int>(text.size()));
            text.resize(static_cast<size_t>(limit));
            SetWindowTextA(combo, text.c_str());
        }
    }
    if (HWND edit = GetDlgItem(dialog, edt1)) {
        SendMessageA(edit, EM_LIMITTEXT, static_cast<WPARAM>(limit), 0);
        if (GetWindowTextLengthA(edit) > limit) {
            std::string text(static_cast<size_t>(GetWindowTextLengthA(edit)) + 1, '\0');
            GetWindowTextA(edit, &text[0], static_cast<int>(text.size()));
            text.resize(static_cast<size_t>(limit));
            SetWindowTextA(edit, text.c_str());
        }
    }
}

// Sets the limit for the folder the dialog shows now.
void FollowFolder(HWND hook)
{
    const auto *description = reinterpret_cast<const OPENFILENAMEA *>(GetWindowLongPtrA(hook, GWLP_USERDATA));
    HWND dialog = GetParent(hook);
    if (!description || !dialog)
        return;
    char folder[MAX_PATH * 2] = "";
    LRESULT length = SendMessageA(dialog, CDM_GETFOLDERPATH, sizeof folder, reinterpret_cast<LPARAM>(folder));
    // Without a folder in words (a virtual folder) the longest folder
    // possible is assumed.
    if (length <= 0 || length > static_cast<LRESULT>(sizeof folder))
        length = MAX_PATH;
    const int extension = description->lpstrDefExt ? lstrlenA(description->lpstrDefExt) : 0;
    LimitNameField(dialog, FileNameFieldLimit(static_cast<int>(description->nMaxFile), static_cast<int>(length),
                                              extension));
}

UINT_PTR CALLBACK FileNameHook(HWND hook, UINT message, WPARAM, LPARAM parameter)
{
    switch (message) {
    case WM_INITDIALOG:
        SetWindowLongPtrA(hook, GWLP_USERDATA, parameter);
        FollowFolder(hook);
        return TRUE;
    case WM_NOTIFY: {
        const auto *notice = reinterpret_cast<const OFNOTIFYA *>(parameter);
        if (notice && (notice->hdr.code == CDN_INITDONE || notice->hdr.code == CDN_FOLDERCHANGE))
            FollowFolder(hook);
        return FALSE;
    }
    default:
        return FALSE;
    }
}

} // namespace

int FileNameFieldLimit(int bufferSize, int folderSize, int extensionLength)
{
    // (folderSize - 1) + backslash + name + dot and extension + terminator.
    const int extension = extensionLength > 0 ? extensionLength + 1 : 0;
    const int limit = bufferSize - folderSize - 1 - extension;
    return limit > 0 ? limit : 1;
}

BOOL RunFileNameDialog(OPENFILENAMEA &dialog, FileNameDialogKind kind)
{
    dialog.Flags |= OFN_EXPLORER | OFN_ENABLEHOOK | OFN_ENABLESIZING;
    dialog.lpfnHook = FileNameHook;
    return kind == FileNameDialogKind::open ? GetOpenFileNameA(&dialog) : GetSaveFileNameA(&dialog);
}
