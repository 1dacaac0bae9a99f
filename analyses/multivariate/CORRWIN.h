// CORRWIN: the text of the correlation page: the matrix of coefficients of
// the computation's variables, as a lower triangle or in full, with the
// variables' captions above it and a significance mark after each
// coefficient on request, then the missing-value mode and the report
// footer: under listwise deletion with the case count (their sum of
// weights under a weight, as every page counts), under pairwise deletion,
// where each coefficient has its own cases, only the weight, selection and
// left-out lines. A computation error
// shows its text instead of the matrix.
//
// Display bits (the computation's display word): 0x1 captions, 0x2 full
// matrix, 0x4 significance marks and their legend. Coefficients print with
// 4 decimals in fields of 8; a coefficient that could not be computed
// prints "---". With marks asked for and no p-value matrix (not computed),
// the marks and the legend are left out.
// A matrix of any size is written whole (the text grows past its first
// 32,767 bytes).
//
// WriteResult (after the option window's OK or apply) takes the book's
// record: a changed missing-value mode computes the matrix again, then the
// record's display word is written.
//
// Ownership: the page owns the window and the computation; the window only
// points to the computation and to its workbook.
#pragma once

#include "shell/TXTWIN.h"

#include <cstdint>

class CorrObj;
class WorkBook;

class CORRWIN : public TXTWIN
{
public:
    enum DisplayBit : std::uint32_t {
        displayCaptions = 0x1, // "DIS_LAB"
        displayFull = 0x2,     // "DIS_FMATR"
        displayMarks = 0x4,    // "DIS_SIGSYM"
    };
    static constexpr int cellWidth = 8, markWidth = 2, decimals = 4;

    // book: the workbook whose record (a CorrOption) WriteResult reads; null
    // writes what the computation holds.
    CORRWIN(const char *title, CorrObj *computation, WorkBook *book = nullptr);

    // The record's mode and display word into the computation, then the table.
    void WriteResult() override;
    // Writes the table for the computation's display word and missing-value
    // mode and shows it.
    void WriteTable();
    CorrObj *Computation() const { return computation; }

private:
    void WriteError();
    void WriteCaptions();
    void WriteHeading(bool marks);
    void WriteRow(int i, bool full, bool marks);
    void WriteLegend();
    void WriteFooter();
    // The lines that say why marks stand for coefficients' p.
    void WriteMarkReasons(bool listwise);

    CorrObj *computation;
    WorkBook *book;
};
