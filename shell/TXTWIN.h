// TXTWIN: the fixed-width result text of one workbook page, and the text
// writer every analysis writes its tables with.
//
// The writer works without any Windows window: a TXTWIN can be made, written
// and read back (Text, SaveText) with no display, so each analysis's text is
// testable on its own. ShowText hands the text to the window's multi-line
// text child, which shows it once the window is on screen: read-only, in
// the fixed-width font, lines unwrapped, with both scroll bars, filling the
// window.
//
// Field formats: a write is laid out in the centred width when that is set,
// else padded with blanks before it to the right width, else after it to the
// left width; with the cut flag on a longer text is cut to that width
// (otherwise it is written whole and the line grows). NewLine clears all five
// format words, decimals included, so a writer sets its decimals after each
// rule. Every line end is "\r\n " (each line after the first starts with a
// blank, as the result texts are laid out).
//
// The text starts with room for 32,767 bytes and grows as it is written, so
// that large crosstab, n-way and correlation tables are kept whole. A text
// that would pass TextLimit() is refused: the write stops, Error() answers
// txtErrorTooLong and ShowText ends the shown text with a line saying so.
//
// Beside the fixed-width text the writer keeps the same table with one tab
// between fields (each write with a width is one field; plain writes in a
// row join into one field; rules are left out), which SaveText writes when
// asked for tabs, for reading into a spreadsheet.
//
// Ownership: the window owns its text and its text child; the page owns the
// window.
#pragma once

#include "shell/OutputWindow.h"

#include <algorithm>
#include <cstddef>
#include <string>
#include <utility>
#include <vector>

class ZafText;

// How SaveText lays out the saved text.
enum TxtSaveLayout {
    txtSaveBlanks = 0, // as shown: fields padded with blanks
    txtSaveTabs = 1    // one tab between fields, no padding, no rules
};

// Error words of a TXTWIN.
enum TxtError {
    txtErrorNone = 0,
    txtErrorTooLong = 1,  // a write would have passed the text limit; it was refused
    txtErrorFile = 2,     // the saved file could not be written
    txtErrorClipboard = 3, // the clipboard could not be opened or filled
    txtErrorDiskFull = 4   // the saved file could not be written: the disk is full
};

class TXTWIN : public OutputWindow
{
public:
    // The size the text starts with, and the default limit of its growth.
    static constexpr std::size_t initialCapacity = 32767;
    static constexpr std::size_t defaultTextLimit = 64u * 1024u * 1024u;

    // title: the window's caption (kept, may be null); toFile: the text is
    // meant to be saved rather than shown (kept for the caller); the third
    // argument is unused (0 in every result window).
    TXTWIN(const char *title, int toFile, int reserved = 0);
    ~TXTWIN() override = default;

    // --- The writer -------------------------------------------------------
    // Empties the text, resets the line count and clears the field formats.
    void Clear();
    void WriteString(const char *text);
    void WriteInteger(long value);
    // With the current decimals (0 to 15); from 1e15 on in exponent form,
    // and "---" for a value that is not finite.
    void WriteReal(double value);
    void WriteDouble(double value);
    // Clears the field formats, writes n dashes and ends the line.
    void NewLine(int n);
    // PFILE_ENDL ends the line and counts it; false for any other code or
    // when the text is full.
    bool ApplyManipulator(int manipulator);
    void EndLine() { ApplyManipulator(0); }
    // Puts the whole text of another window (its lines, shown and tab text)
    // before this window's text; a writer that empties the window first can
    // so be combined with lines written elsewhere.
    void Prepend(const TXTWIN &other);

    // Field formats. Right/Left/Centred set that width and clear the other
    // two; Plain clears all three.
    void SetCut(bool cut) { cut_ = cut; }
    void SetCentredWidth(int width) { centred_ = width; }
    void SetLeftWidth(int width) { left_ = width; }
    void SetRightWidth(int width) { right_ = width; }
    void SetDecimals(int decimals);
    void Right(int width) { centred_ = 0, left_ = 0, right_ = width; }
    void Left(int width) { centred_ = 0, left_ = width, right_ = 0; }
    void Centred(int width) { centred_ = width, left_ = 0, right_ = 0; }
    void Plain() { centred_ = 0, left_ = 0, right_ = 0; }
    bool Cut() const { return cut_; }
    int Decimals() const { return decimals_; }
    // The column-width word the result writers lay their tables out by.
    void SetColumnWidth(int width) { columnWidth_ = width; }
    int CurrentPart() const { return columnWidth_; }

    // --- The text ---------------------------------------------------------
    const std::string &Text() const { return text_; }
    int LineCount() const { return lines_; }
    int Error() const { return error_; }
    void ClearError() { error_ = txtErrorNone; }
    // Lowers (or raises) the growth limit; a text already longer is kept.
    void SetTextLimit(std::size_t limit) { limit_ = limit; }
    std::size_t TextLimit() const { return limit_; }
    const char *Title() const { return title_.c_str(); }
    bool ToFile() const { return toFile_ != 0; }

    // Hands the text to the window's text child.
    void ShowText();
    ZafText *TextField() const { return field_; }
    // Writes the text to a file (created or replaced); false with
    // txtErrorFile when it cannot.
    bool SaveText(const char *fileName, TxtSaveLayout layout);
    TXTWIN *ResultText() override { return this; }
    bool SaveResult(const char *fileName, bool tabs) override
    {
        return SaveText(fileName, tabs ? txtSaveTabs : txtSaveBlanks);
    }
    // Puts the text on the clipboard as plain text; false with
    // txtErrorClipboard when it cannot.
    bool CopyToClipboard();

    // Prints the text as one document titled by the window's title, a
    // half-inch margin around each page; answers the pages printed (0 when
    // the printer refused or the job was cancelled).
    //
    // Printed pages: the font is made smaller (down to 6 points) until the
    // widest line fits across the paper, and a line still wider goes on
    // over the next lines; every page starts with a running head (the
    // running head text, else the title, and "page n of m"). A table (its
    // caption and column headings down to the rule under them, then its
    // rows) that fits on a page is not split; one that runs over repeats
    // its headings on the next page.
    int Print(QivPrinter &printer) override;
    // The caption the printed pages carry at their head (empty: the title).
    void SetRunningHead(const std::string &text) { runningHead_ = text; }
    // The first n lines head a text of one long table (a list): they are
    // repeated at the top of every printed page. 0: tables are found in the
    // text by their rules.
    void SetRepeatedHeadingLines(int lines) { repeatedHeadingLines_ = std::max(lines, 0); }
    // The pages the text takes on that printer (at least 1), and the
    // drawing of one of them (from 0) into the printer's open page; the
    // print preview draws its pages with these.
    int PageCount(QivPrinter &printer) const;
    void DrawPage(QivPrinter &printer, int page) const;

    // Writes the result and sizes the window to the text (cells).
    void Update() override;
    // The text child fills the window (a page sizes the window to itself).
    void LayoutChildren() override;
    // The client size (pixels) the window needs to show the whole text in
    // its font, scroll bars and borders included; {0, 0} without a window.
    SIZE TextExtent() const;

    // The pages as printed on that printer: the font size it sets on the
    // printer, the characters a line holds, the printed lines and, per
    // page, the lines it shows (repeated headings included).
    struct PrintLayout {
        int textTenths = 0;
        int columns = 0;
        std::vector<std::string> lines;
        std::vector<std::vector<int>> pages;
    };
    PrintLayout LayOutForPrinter(QivPrinter &printer) const;
    // Draws page (from 0) of a layout made for that printer.
    void DrawPage(QivPrinter &printer, const PrintLayout &layout, int page) const;
    // The running head's line and the blank line under it.
    static constexpr int runningHeadLines = 2;

private:
    // Start and length of each line of the text, line ends left out.
    std::vector<std::pair<std::size_t, std::size_t>> Lines() const;
    static int PrintMargin(QivPrinter &printer);
    static int LinesPerPage(QivPrinter &printer);
    void Append(const std::string &piece, bool field);
    bool Fits(std::size_t more);
    std::string Pad(std::string text) const;
    void TabField(const std::string &text, bool field);
    void TabLineEnd();

    std::string title_;
    std::string runningHead_;
    int repeatedHeadingLines_ = 0;
    int toFile_;
    ZafText *field_; // child of this window: deleted with it

    std::string text_;
    std::string tabText_;
    std::size_t limit_ = defaultTextLimit;
    int lines_ = 0;
    int error_ = txtErrorNone;

    bool cut_ = false;
    int centred_ = 0, left_ = 0, right_ = 0, decimals_ = 0;
    int columnWidth_ = 0;

    // The tab text's state on its current line: fields written, and whether
    // the last write was plain (a plain write joins the field before it).
    int tabFields_ = 0;
    bool tabPlainOpen_ = false;
};
