// GraphTextDialogDefinition: the text-in-graph dialog "GRTXTDLG" as the UI
// data file holds it. The definition is built in code here, beside the
// graph window that opens it, and written into MERVALO.ZNC by the UI data
// file generator (ui/); TEXT_DIALOG reads it back by name.
//
// The dialog (cells, 58 x 14 with its frame): the text field across the
// top; three group boxes below it - font family (serif, sans serif: radio
// buttons), weight (bold, italic: check boxes) and pitch (variable, fixed:
// radio buttons); the size prompt and the empty window "GTD_SIZE" into
// which the dialog puts its size field; the buttons OK, Delete, Cancel and
// Help along the bottom. The texts written here are placeholders: the
// dialog puts the language file's texts on its controls when it opens.
#pragma once

class ZafWindow;

namespace GraphTextDialogNames {

constexpr const char *dialog = "GRTXTDLG";
constexpr const char *text = "GTD_TEXT";
constexpr const char *familyGroup = "GTD_SERIF";
constexpr const char *serif = "GTD_ASERIF";
constexpr const char *sansSerif = "GTD_SSERIF";
constexpr const char *weightGroup = "GTD_VEKT";
constexpr const char *bold = "GTD_BOLD";
constexpr const char *italic = "GTD_ITALIC";
constexpr const char *pitchGroup = "GTD_PITCH";
constexpr const char *variablePitch = "GTD_VARPITCH";
constexpr const char *fixedPitch = "GTD_FIXPITCH";
constexpr const char *sizePrompt = "GTD_SIZEPR";
constexpr const char *size = "GTD_SIZE";
constexpr const char *ok = "GTD_OK";
constexpr const char *cancel = "GTD_CANCEL";
constexpr const char *help = "GTD_HELP";
constexpr const char *remove = "GTD_DELETE";

} // namespace GraphTextDialogNames

// A new dialog (a ZafDialogWindow) as defined (the caller owns it);
// registers the classes it is read back as.
ZafWindow *MakeGraphTextDialogDefinition();
