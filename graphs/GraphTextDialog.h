// TEXT_DIALOG: the modal dialog in which the user writes or edits a free
// text of a graph and chooses its font: family, weight, slant, pitch and
// size. It is read from the UI data file object "GRTXTDLG" (see
// GraphTextDialogDefinition) and shows the language file's texts (groups
// 0, 20 and 21). The graph window opens it (GRAPHWIN::EditTextAt), runs it
// modally (Control: ZAF_DIALOG_OK or ZAF_DIALOG_DELETE act, anything else
// changes nothing) and reads the result through the accessors below.
//
// Style bits as in TEKSTELEMENT: 1 bold, 2 italic, 4 serif, 8 fixed pitch.
//
// Ownership: the caller deletes the dialog. The element is not owned; it is
// null for a new text.
#pragma once

#include "zaf/core/ZafDialogWindow.h"

#include <cstdint>
#include <string>

class TEKSTELEMENT;
class ZafButton;
class ZafInteger;
class ZafString;

class TEXT_DIALOG : public ZafDialogWindow
{
public:
    static constexpr const char *helpTopic = "Tekst_i_grafikk";
    // The width of the size field (cells).
    static constexpr int sizeFieldWidth = 14;

    // Reads the dialog of that persistence (the program's UI data file) at
    // pixel (x, y) of the graph, for the element or for a new text. A
    // dialog that cannot be read keeps its error word (Error()).
    TEXT_DIALOG(ZafWindowPersistence &persistence, int x, int y, TEKSTELEMENT *element);

    // The dialog from the program's UI data file; null (reported) when the
    // file holds none.
    static TEXT_DIALOG *Open(int x, int y, TEKSTELEMENT *element);

    // OK takes the typed text and size while the controls still exist.
    ZafEventType Event(const ZafEventRecord &event) override;

    // The results: what the controls hold while the dialog runs, what they
    // held at OK once it has ended.
    std::string EnteredText();
    // The style bits chosen; the bits the dialog does not show are kept
    // from old.
    std::uint32_t ChosenStyle(std::uint32_t old) const;
    // The font size typed; 0 when the field was left empty.
    int ChosenSize();

    TEKSTELEMENT *Element() const { return element; }
    int X() const { return x; }
    int Y() const { return y; }
    ZafString *TextField() const { return textField; }
    ZafInteger *SizeField() const { return sizeField; }

private:
    // The control of that name; a missing one is reported as an internal
    // error and answered null.
    ZafWindowObject *Find(const char *name, int line);
    void SetTexts();
    void SetStates();
    bool IsSelected(const char *name) const;
    void TakeResults();

    ZafString *textField = nullptr;
    TEKSTELEMENT *element;
    ZafInteger *sizeField = nullptr;
    int x, y;
    bool taken = false;
    std::string takenText;
    int takenSize = 0;
};
