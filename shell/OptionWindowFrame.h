// OptionWindowFrame: the dialog around an analysis's option window, with
// OK, apply, cancel and the check box "CHKBX_SAVE_PERSIST" (keep the
// settings for later runs).
//
// It is opened on a record alone (from the variable-list window, before any
// run) or on an open workbook (through OptionFrameBook). It makes the option
// window with StatOption::CreateOptionWindow, stores it in the record's
// optionWindow, marks an OptionWindow with whether it was opened before any
// workbook, and calls StatOption::ToWindow and OptionWindow::UpdateControls.
//
// On OK (-2999) and apply (-2998): the record takes the controls' values
// (StatOption::FromWindow) and, on OK with the check box on, hands them to
// the settings store (StatOption::SaveSettings); the same two for each of
// the workbook's graph option records; then every result window of the
// workbook writes itself again, every graph window is rebuilt, and the
// workbook is redisplayed. Apply leaves the dialog open; OK and cancel end
// it (run it with ZafDialogWindow::Control, or RunOptionFrame).
//
// The title is the analysis's name as the registry shows it (the frame's
// own title when the registry has none); the record's name is the frame's
// help context.
//
// The frame is read by name from the UI data file (OPTION_FRAME, defined by
// MakeDefinition); the option window goes in at its top left, and the
// frame is sized round it with the check box and the buttons placed below.
// A frame that could not be read, or lacks one of its controls, has a
// non-zero Error(); RunOptionFrame reports it and answers cancel.
//
// Ownership: the frame owns the option window (its child) and clears the
// record's optionWindow when it goes; it owns neither the record nor the
// workbook, which must outlive it.
#pragma once

#include "zaf/core/ZafDialogWindow.h"

class OptionWindow;
class StatOption;
class ZafButton;
class ZafWindowPersistence;

// What the frame needs of an open workbook. WorkBook implements it (the
// workbook lives in its own files; this interface keeps the frame free of
// them): its record, its graph tools' option records, its result windows
// and graph windows.
class OptionFrameBook
{
public:
    virtual ~OptionFrameBook() = default;
    // WorkBook::Option.
    virtual StatOption *FrameOption() = 0;
    // The graph option records of the graph tools, in tool order (none: 0).
    virtual int FrameGraphOptionCount() = 0;
    virtual StatOption *FrameGraphOption(int index) = 0;
    // OutputWindow::WriteResult of every page's result window.
    virtual void WriteEveryResult() = 0;
    // Every graph window of every page emptied and built again (GraphPane).
    virtual void RebuildEveryGraph() = 0;
    // Shows the workbook again after the changes.
    virtual void RedisplayBook() = 0;
    // The changed flag of the record the frame was opened on, after its
    // controls were taken (the map options say with it whether to redo the
    // map's classes).
    virtual void TakeChangedFlag(int flag) { (void)flag; }
};

class OptionWindowFrame : public ZafDialogWindow
{
public:
    static constexpr const char *frameName = "OPTION_FRAME";
    static constexpr const char *savePersistName = "CHKBX_SAVE_PERSIST";
    static constexpr const char *okName = "BT_OK";
    static constexpr const char *applyName = "BT_APPLY";
    static constexpr const char *cancelName = "BT_CANCEL";

    static constexpr const char *missingFrameText = "The option frame could not be read from mervalo.znc.";
    // Error() of a frame read without one of its controls.
    static constexpr int missingControlError = 2;

    // The frame as the UI data file holds it (the caller owns it).
    static ZafWindow *MakeDefinition();
    // The visible name of the analysis whose record has that name (the
    // registry entry's text, "Frequency table" for
    // "USE_ONEWAY_FREQ_OPTIONS"); null when the registry lists none.
    static const char *AnalysisTitle(const char *recordName);

    // Read through the persistence, on a record alone (before any workbook
    // exists) or on an open workbook and its record.
    OptionWindowFrame(ZafWindowPersistence &persistence, StatOption *record);
    OptionWindowFrame(ZafWindowPersistence &persistence, OptionFrameBook *book);
    // On an open workbook for one of its records: its own or one of its
    // graph option records (the graph's options).
    OptionWindowFrame(ZafWindowPersistence &persistence, OptionFrameBook *book, StatOption *record);
    ~OptionWindowFrame() override;

    ZafEventType Event(const ZafEventRecord &event) override;

    // Applies the controls' values as OK (ok true) or apply does.
    void ApplyChanges(bool ok);
    // Checks every number field of the option window against its range;
    // the first one out of range says so (its own range message) and
    // answers false, and OK or apply then takes nothing and the frame stays
    // open, so that a typed value is never replaced without a word.
    bool NumberFieldsInRange();

    StatOption *Record() const { return record; }
    // The record's option window (null when the record made none).
    ZafWindow *Window() const { return window; }

private:
    void Build();
    // Brings a record's settings in (FromWindow, and SaveSettings when
    // asked to); on OK the record notes whether they were kept.
    static void TakeSettings(StatOption *option, bool ok, bool save);

    StatOption *record;
    OptionFrameBook *book = nullptr;
    ZafWindow *window = nullptr;
    ZafButton *savePersist = nullptr;
};

// Opens the frame, read through the program's persistence (userPersist), on
// the record (or on the workbook, centred on it), runs it modally, deletes
// it and answers
// how it ended (ZAF_DIALOG_OK or ZAF_DIALOG_CANCEL; cancel when the frame
// could not be read).
ZafEventType RunOptionFrame(StatOption *record);
ZafEventType RunOptionFrame(OptionFrameBook *book);
ZafEventType RunOptionFrame(OptionFrameBook *book, StatOption *record);
