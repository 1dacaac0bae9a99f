// QivPrinter: the program's printer, a ZafPrinter with fonts of the
// printer's own size and a text operation that prints one line.
//
// A ZafPrinter starts with the screen's stock fonts, which on a printer of
// 600 pixels per inch come out a sixth of their size. The constructor
// therefore puts fonts made for the printer's pixels per inch in every
// slot of the font table (10-point text, a fixed-pitch font for result text).
//
// DrawTextLine prints one line (in the fixed font) between left and right
// from top and returns the bottom of the line, where the next one starts;
// outside an open page it draws nothing and returns top.
//
// Ownership: as ZafPrinter (the context is deleted only when given as owned);
// the fonts it made are deleted with it.
#pragma once

#include "zaf/core/ZafPrinter.h"

#include <string>

class QivPrinter : public ZafPrinter
{
public:
    static constexpr int textPoints = 10;

    explicit QivPrinter(HDC printerDC, bool owned = false);
    // A printer on the system's default printer (its context owned), or null
    // when the system has no printer.
    static QivPrinter *OpenDefault();

    // length -1: the whole text; justification ZAF_HZ_LEFT, _RIGHT or
    // _CENTER. Returns the bottom of the drawn line in device pixels.
    int DrawTextLine(int left, int top, int right, const char *text, int length = -1, int justification = 0);
    // The height of one printed line in device pixels.
    int LineHeight() const { return lineHeight; }
    // The advance of one character of the fixed font in device pixels,
    // rounded up.
    int CharWidth() const { return charWidth; }
    // The width in device pixels of a line of that many characters in the
    // fixed font, as the printer draws it, and the most characters whose
    // line fits into a width: a line's extent is measured whole, as the
    // advance of a character is seldom a whole number of pixels.
    int TextWidth(int characters) const;
    int CharactersIn(int width) const;
    // The fixed font's size in tenths of a point (textPoints at first);
    // the line height and character width follow it.
    void SetTextSize(int tenths);
    int TextSize() const { return textTenths; }
    // The margin kept free around a printed page: half an inch.
    int Margin() const;
    // The printer's name as the system knows it (empty for a context made
    // elsewhere, such as a test's metafile).
    const std::string &Name() const { return name; }
    void SetName(const std::string &printerName) { name = printerName; }
    // Why the last job failed, in words naming the printer ("the printer
    // PDF cannot be reached", "the print service is not running, so ...").
    std::string FailureReason() const;

private:
    int lineHeight = 1;
    int charWidth = 0;
    int textTenths = 0;
    std::string name;
};
