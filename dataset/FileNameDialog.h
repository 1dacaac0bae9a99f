// RunFileNameDialog: the Open and Save dialogs of the program, whose file
// name field never takes more than the caller's buffer holds.
//
// The field is limited to the characters that fit the buffer (nMaxFile)
// together with the folder shown and the default extension, and the limit follows the folder as the
// user moves; a name longer than the new limit is cut. The dialog's own
// answer to a name past the buffer (FNERR_BUFFERTOOSMALL) stays as the
// system gives it. The caller's OPENFILENAMEA is used as it is, with a hook
// of its own added (the caller sets none).
#pragma once

#include <windows.h>

#include <commdlg.h>

enum class FileNameDialogKind { open, save };

// Runs GetOpenFileNameA or GetSaveFileNameA on the description; answers as
// they do.
BOOL RunFileNameDialog(OPENFILENAMEA &dialog, FileNameDialogKind kind);

// The number of characters a name typed in the dialog may have so that the
// folder, a backslash, the name and the default extension with its dot fit
// a buffer of bufferSize characters (its terminator included); folderSize
// counts the folder's terminator, as CDM_GETFOLDERPATH answers it;
// extensionLength is 0 without a default extension. At least 1.
int FileNameFieldLimit(int bufferSize, int folderSize, int extensionLength);
