// RunFileNameDialog: the program's Open and Save dialogs, whose file-name
// field never takes a name longer than the caller's buffer holds.
//
// Every GetOpenFileNameA/GetSaveFileNameA of the program goes through here.
// The caller fills an OPENFILENAMEA as for the system call (buffer, nMaxFile,
// filter, flags) and sets no hook of its own; RunFileNameDialog adds the
// Explorer style and a hook that limits the name field so that the folder
// shown, a backslash, the name and the default extension fit the buffer (and
// never more than MAX_PATH); the limit follows the folder as the user moves,
// and a name already typed is cut to it. Windows itself refuses an over-long
// name with a message; Wine's dialog joins folder and name in a MAX_PATH
// buffer of its own without a bound and faults, which the limit keeps from
// being reached. When a name typed, pasted or already in the field was cut
// to the limit and the dialog is confirmed, a message box tells the user
// the name that was used.
#pragma once

#include <windows.h>

#include <commdlg.h>

enum class FileNameDialogKind { open, save };

// Runs the Open or Save dialog on the description; answers as the system
// call does (FALSE on cancel, with CommDlgExtendedError() 0).
BOOL RunFileNameDialog(OPENFILENAMEA &dialog, FileNameDialogKind kind);

// The number of characters the name field takes: bufferSize counts the
// terminator and is taken as at most MAX_PATH; folderLength is the folder's
// length without terminator (0 for a folder without a path, where the name
// typed must be a whole path); extensionLength is that of the default
// extension without its dot (0 for none). At least 1.
int FileNameFieldLimit(DWORD bufferSize, int folderLength, int extensionLength);
