// TXTWIN's printed pages: the font, the lines as printed (a table wider than
// the paper in bands of whole columns, a list's rows over several lines),
// the pages and their running head.
#include "shell/TXTWIN.h"

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "shell/QivPrinter.h"

namespace {

constexpr int largestTextTenths = QivPrinter::textPoints * 10;
constexpr int smallestTextTenths = 60;
// A line's continuation lines begin this far in, so that they stand apart
// from the lines that begin a row.
constexpr int continuationIndent = 4;

bool IsRule(const std::string &line)
{
    const std::size_t first = line.find_first_not_of(' ');
    if (first == std::string::npos || line.size() - first < 3)
        return false;
    return line.find_first_not_of("-= ", first) == std::string::npos;
}

bool IsBlank(const std::string &line)
{
    return line.find_first_not_of(' ') == std::string::npos;
}

// A number, a percentage or a dash standing for one.
bool IsFigure(const std::string &token)
{
    return token.find_first_not_of("0123456789.,-+%()*") == std::string::npos;
}

// The line right above a table's top rule holds its column headings: it
// leaves the row-label column empty (beyond the line's first blank), or
// names its columns without any figure. A totals line ("Total  15  22")
// above a closing rule has both a label and figures.
bool IsColumnHeading(const std::string &line)
{
    if (IsBlank(line) || IsRule(line))
        return false;
    if (line.compare(0, 4, "    ") == 0)
        return true;
    std::size_t at = 0;
    while ((at = line.find_first_not_of(' ', at)) != std::string::npos) {
        const std::size_t stop = std::min(line.find(' ', at), line.size());
        if (IsFigure(line.substr(at, stop - at)))
            return false;
        at = stop;
    }
    return true;
}

// Where the row label of a table's row ends: after its first word and the
// words up to its first figure ("Bay Area  12.5" ends after "Area").
std::size_t LabelEnd(const std::string &line)
{
    std::size_t at = line.find_first_not_of(' '), end = 0;
    bool first = true;
    while (at != std::string::npos) {
        const std::size_t stop = std::min(line.find(' ', at), line.size());
        if (!first && IsFigure(line.substr(at, stop - at)))
            break;
        end = stop;
        first = false;
        at = line.find_first_not_of(' ', stop);
    }
    return end;
}

// The columns (positions) blank in every one of the lines (past a line's
// end counts as blank): a table's cells stand between them, so a line
// broken at one of them cuts no figure and no label.
std::vector<bool> BlankColumns(const std::vector<const std::string *> &lines, std::size_t width)
{
    std::vector<bool> blank(width + 1, true);
    for (const std::string *line : lines)
        for (std::size_t at = 0; at < std::min(line->size(), width); ++at)
            if ((*line)[at] != ' ')
                blank[at] = false;
    return blank;
}

// The break points of lines `width` characters wide, each piece after the
// first indented by `indent`: the first piece is [0, breaks[0]), the next
// [breaks[0], breaks[1]) and so on, each break a blank column where one
// lies within reach, else (a single cell wider than the paper) a cut at
// the paper's edge.
std::vector<std::size_t> Breaks(const std::vector<bool> &blank, std::size_t from, std::size_t width, int firstRoom,
                                int room)
{
    std::vector<std::size_t> breaks;
    std::size_t start = from;
    int reach = firstRoom;
    while (width > start + static_cast<std::size_t>(std::max(reach, 1))) {
        std::size_t cut = start + static_cast<std::size_t>(std::max(reach, 1));
        std::size_t at = cut;
        while (at > start + 1 && !blank[at])
            --at;
        if (at > start + 1)
            cut = at;
        breaks.push_back(cut);
        start = cut;
        reach = room;
    }
    breaks.push_back(std::max(width, start));
    return breaks;
}

std::string Piece(const std::string &line, std::size_t from, std::size_t to)
{
    if (from >= line.size() || to <= from)
        return std::string();
    return line.substr(from, std::min(to, line.size()) - from);
}

std::string WithoutTrailingBlanks(std::string line)
{
    line.erase(line.find_last_not_of(' ') + 1);
    return line;
}

// A run of printed lines kept on one page (a row and its continuations),
// and a stretch of them under headings that a page it runs onto repeats.
using Unit = std::vector<std::string>;
struct Section {
    Unit heading;             // printed lines repeated on each page the section runs onto
    std::vector<Unit> units;  // what follows them, unit by unit
    bool keepTogether = true; // fits on a page: starts on a new one rather than be split
};

// Lines too wide for the paper that belong to no table go on over further
// lines, broken between words.
Unit WrappedFreeLine(const std::string &line, int columns)
{
    if (static_cast<int>(line.size()) <= columns)
        return {line};
    std::vector<bool> blank(line.size() + 1, false);
    for (std::size_t at = 0; at < line.size(); ++at)
        blank[at] = line[at] == ' ';
    const std::size_t indent = static_cast<std::size_t>(std::min(continuationIndent, columns / 4));
    Unit printed;
    std::size_t start = 0;
    for (std::size_t stop : Breaks(blank, 0, line.size(), columns, columns - static_cast<int>(indent))) {
        std::string piece = Piece(line, start, stop);
        if (start > 0) {
            piece.erase(0, piece.find_first_not_of(' '));
            piece.insert(0, indent, ' ');
        }
        printed.push_back(WithoutTrailingBlanks(piece));
        start = stop;
    }
    return printed;
}

// The pieces of a table's lines: rows of `columns` characters at most. A
// table of one long list (its rows written one per case) has each row go
// on over further lines at the same columns, so that its heading's printed
// lines stand over its rows' printed lines; any other table is printed in
// bands of whole columns, each band repeating the row labels.
class TableCutter
{
public:
    TableCutter(const std::vector<std::string> &lines, int first, int headingEnd, int bodyEnd, int columns,
                bool list)
        : lines_(lines), headingEnd_(headingEnd), columns_(columns)
    {
        std::vector<const std::string *> cells;
        for (int i = first; i < bodyEnd; ++i) {
            width_ = std::max(width_, lines[i].size());
            if (!IsRule(lines[i]) && !IsCaption(i))
                cells.push_back(&lines[i]);
        }
        const std::vector<bool> blank = BlankColumns(cells, width_);
        if (list) {
            indent_ = static_cast<std::size_t>(std::min(continuationIndent, columns / 4));
            breaks_ = Breaks(blank, 0, width_, columns, columns - static_cast<int>(indent_));
            return;
        }
        // The row labels: from the line's start to the first column blank
        // in every line past the longest label.
        std::size_t labels = 0;
        for (int i = headingEnd + 1; i < bodyEnd; ++i)
            if (!IsRule(lines[i]))
                labels = std::max(labels, LabelEnd(lines[i]));
        while (labels < width_ && !blank[labels])
            ++labels;
        // Labels that leave too little room for a column are not repeated.
        if (static_cast<int>(labels) > columns / 2)
            labels = 0;
        labels_ = labels;
        breaks_ = Breaks(blank, labels, width_, columns - static_cast<int>(labels),
                         columns - static_cast<int>(labels));
    }

    bool Banded() const { return indent_ == 0; }
    std::size_t Bands() const { return Banded() ? breaks_.size() : 1; }

    // The printed lines of written line i in band `band` (a list: all its
    // printed lines).
    Unit Printed(int i, std::size_t band) const
    {
        const std::string &line = lines_[i];
        if (breaks_.size() == 1 || (IsCaption(i) && static_cast<int>(line.size()) <= columns_))
            return {line};
        if (!Banded()) {
            Unit printed;
            std::size_t start = 0;
            for (std::size_t stop : breaks_) {
                std::string piece = Piece(line, start, stop);
                if (start > 0)
                    piece.insert(0, indent_, ' ');
                printed.push_back(WithoutTrailingBlanks(piece));
                start = stop;
            }
            return printed;
        }
        const std::size_t from = band == 0 ? labels_ : breaks_[band - 1];
        if (IsRule(line)) {
            const std::size_t length = labels_ + breaks_[band] - from;
            return {line.substr(0, std::min(length, line.size()))};
        }
        return {WithoutTrailingBlanks(line.substr(0, std::min(labels_, line.size())) +
                                      Piece(line, from, breaks_[band]))};
    }

private:
    // A caption over the column headings, printed whole in every band where
    // it fits: a heading line that begins at the text's left edge (column
    // headings leave the row labels' column empty).
    bool IsCaption(int i) const
    {
        return i < headingEnd_ && !IsRule(lines_[i]) && lines_[i].find_first_not_of(' ') <= 1;
    }

    const std::vector<std::string> &lines_;
    int headingEnd_, columns_;
    std::size_t width_ = 0, labels_ = 0, indent_ = 0;
    std::vector<std::size_t> breaks_;
};

} // namespace

TXTWIN::PrintLayout TXTWIN::LayOutForPrinter(QivPrinter &printer) const
{
    PrintLayout layout;
    const int margin = printer.Margin();
    const int roomX = std::max(printer.PageWidth() - 2 * margin, 1);
    std::vector<std::string> written;
    for (const auto &line : Lines())
        written.push_back(text_.substr(line.first, line.second));
    while (!written.empty() && IsBlank(written.back()))
        written.pop_back();
    const int count = static_cast<int>(written.size());

    // The font: the regular size, or smaller until the widest line fits
    // across the page, but never below a readable size.
    int widest = 1;
    for (const std::string &line : written)
        widest = std::max(widest, static_cast<int>(line.size()));
    int tenths = largestTextTenths;
    printer.SetTextSize(tenths);
    while (tenths > smallestTextTenths && printer.TextWidth(widest) > roomX)
        printer.SetTextSize(tenths = std::max(tenths - 2, smallestTextTenths));
    layout.textTenths = tenths;
    layout.columns = std::max(printer.CharactersIn(roomX), 8);
    const int columns = layout.columns;

    // The tables: each starts with its caption lines and column headings
    // down to the rule under them and runs to its last rule; the lines
    // after it belong to no table. The first lines the writer marks as
    // headings make one table (a list) of the whole text.
    struct Table {
        int first, headingEnd, bodyEnd;
    };
    std::vector<Table> tables;
    const bool list = repeatedHeadingLines_ > 0 && count > repeatedHeadingLines_;
    if (list) {
        tables.push_back({0, repeatedHeadingLines_ - 1, count});
    } else {
        for (int r = 1; r < count; ++r) {
            if (!IsRule(written[r]) || !IsColumnHeading(written[r - 1]))
                continue;
            int first = r - 1;
            while (first > 0 && r - first < 4 && !IsBlank(written[first - 1]) && !IsRule(written[first - 1]))
                --first;
            if (!tables.empty() && first < tables.back().bodyEnd)
                continue;
            tables.push_back({first, r, r + 1});
        }
        for (std::size_t t = 0; t < tables.size(); ++t) {
            const int end = t + 1 < tables.size() ? tables[t + 1].first : count;
            for (int i = tables[t].headingEnd + 1; i < end; ++i)
                if (IsRule(written[i]))
                    tables[t].bodyEnd = i + 1;
        }
    }

    // The sections to lay out: free lines one by one, each table (or each
    // band of a table wider than the paper) with its headings.
    std::vector<Section> sections;
    auto freeLines = [&](int from, int to) {
        if (from >= to)
            return;
        Section free;
        free.keepTogether = false;
        for (int i = from; i < to; ++i)
            free.units.push_back(WrappedFreeLine(written[i], columns));
        sections.push_back(std::move(free));
    };
    int next = 0;
    for (const Table &table : tables) {
        freeLines(next, table.first);
        const TableCutter cutter(written, table.first, table.headingEnd, table.bodyEnd, columns, list);
        for (std::size_t band = 0; band < cutter.Bands(); ++band) {
            Section section;
            for (int i = table.first; i <= table.headingEnd; ++i)
                for (std::string &line : cutter.Printed(i, band))
                    section.heading.push_back(std::move(line));
            for (int i = table.headingEnd + 1; i < table.bodyEnd; ++i)
                section.units.push_back(cutter.Printed(i, band));
            sections.push_back(std::move(section));
        }
        next = table.bodyEnd;
    }
    freeLines(next, count);

    // The pages.
    const int perPage = std::max(LinesPerPage(printer) - runningHeadLines, 1);
    std::vector<int> page;
    auto newPage = [&]() {
        if (!page.empty())
            layout.pages.push_back(page);
        page.clear();
    };
    auto place = [&](const Unit &unit) {
        std::vector<int> placed;
        for (const std::string &line : unit) {
            placed.push_back(static_cast<int>(layout.lines.size()));
            layout.lines.push_back(line);
        }
        return placed;
    };
    auto left = [&]() { return perPage - static_cast<int>(page.size()); };
    for (const Section &section : sections) {
        const int headingLines = static_cast<int>(section.heading.size());
        if (headingLines > 0) {
            int lines = headingLines;
            for (const Unit &unit : section.units)
                lines += static_cast<int>(unit.size());
            const int firstUnit = section.units.empty() ? 0 : static_cast<int>(section.units.front().size());
            // A table that fits on a page starts on a new one rather than
            // be split; any table starts on a new page rather than leave its
            // headings without a row under them.
            if (!page.empty() && ((lines > left() && lines <= perPage) || headingLines + firstUnit > left()))
                newPage();
        }
        const std::vector<int> heading = place(section.heading);
        page.insert(page.end(), heading.begin(), heading.end());
        // Headings taking half a page or more are not repeated.
        const bool repeat = headingLines > 0 && headingLines < perPage / 2;
        for (const Unit &unit : section.units) {
            const int size = static_cast<int>(unit.size());
            if (size > left() && !page.empty()) {
                newPage();
                // A section that runs over repeats its headings first.
                if (repeat)
                    page.insert(page.end(), heading.begin(), heading.end());
            }
            // A page does not begin with blank lines.
            if (page.empty() && size == 1 && IsBlank(unit.front()))
                continue;
            for (int index : place(unit)) {
                // A row longer than a whole page goes on over the next.
                if (left() <= 0)
                    newPage();
                page.push_back(index);
            }
        }
    }
    newPage();
    if (layout.pages.empty())
        layout.pages.emplace_back();
    return layout;
}

int TXTWIN::PrintMargin(QivPrinter &printer)
{
    return printer.Margin();
}

int TXTWIN::LinesPerPage(QivPrinter &printer)
{
    // A page always takes at least one line, however small the paper.
    const int room = printer.PageHeight() - 2 * PrintMargin(printer);
    return std::max(room / std::max(printer.LineHeight(), 1), 1);
}

int TXTWIN::PageCount(QivPrinter &printer) const
{
    return static_cast<int>(LayOutForPrinter(printer).pages.size());
}

void TXTWIN::DrawPage(QivPrinter &printer, int page) const
{
    DrawPage(printer, LayOutForPrinter(printer), page);
}

void TXTWIN::DrawPage(QivPrinter &printer, const PrintLayout &layout, int page) const
{
    const int pages = static_cast<int>(layout.pages.size());
    if (page < 0 || page >= pages)
        return;
    const int margin = PrintMargin(printer);
    // The printable width: the page number ends as far from the paper's
    // right edge as the lines begin from its left.
    const int right = std::max(printer.PageWidth() - margin, margin + 1);
    // The running head: the caption on the left, the page's number on the
    // right, a blank line under them.
    const std::string number = "page " + std::to_string(page + 1) + " of " + std::to_string(pages);
    std::string head = runningHead_.empty() ? title_ : runningHead_;
    const int headRoom = std::max(layout.columns - static_cast<int>(number.size()) - 2, 0);
    if (static_cast<int>(head.size()) > headRoom)
        head.resize(headRoom);
    printer.DrawTextLine(margin, margin, right, head.c_str());
    int top = printer.DrawTextLine(margin, margin, right, number.c_str(), -1, ZAF_HZ_RIGHT);
    top += printer.LineHeight() * (runningHeadLines - 1);
    for (int index : layout.pages[page])
        top = printer.DrawTextLine(margin, top, right, layout.lines[index].c_str());
}

int TXTWIN::Print(QivPrinter &printer)
{
    if (!printer.BeginDocument(title_.c_str()))
        return 0;
    // One layout for every page: it cuts the text and sets the printer's
    // font once.
    const PrintLayout layout = LayOutForPrinter(printer);
    const int pages = static_cast<int>(layout.pages.size());
    for (int page = 0; page < pages; ++page) {
        if (!printer.BeginPage())
            return 0;
        DrawPage(printer, layout, page);
        if (!printer.EndPage())
            return 0;
    }
    if (!printer.EndDocument() || printer.JobCancelled())
        return 0;
    return pages;
}
