#include "analyses/caselist/ListOutput.h"

#include <windows.h>

#include "analyses/caselist/ListBook.h"
#include "analyses/caselist/ListOption.h"
#include "dataset/BUFFERTYPE.h"
#include "dataset/CaseSort.h"
#include "dataset/DATASET.h"
#include "dataset/KATLABS.h"
#include "dataset/PFILE.h"
#include "dataset/ProgramSettings.h"
#include "dataset/SelectRec.h"
#include "shell/OptionWindow.h"
#include "shell/OptionWindowBuilder.h"
#include "shell/QIVprog.h"
#include "shell/QivPrinter.h"
#include "shell/TXTWIN.h"
#include "stats/StatClass.h"
#include "zaf/controls/ZafButton.h"
#include "zaf/controls/ZafPrompt.h"
#include "zaf/controls/ZafString.h"
#include "zaf/controls/ZafTableRecord.h"
#include "zaf/controls/ZafVtList.h"
#include "zaf/core/ZafDialogWindow.h"
#include "zaf/core/ZafErrorStub.h"
#include "zaf/core/ZafGroup.h"
#include "zaf/core/ZafScrollBar.h"
#include "zaf/core/ZafWindowManager.h"
#include "zaf/core/ZafApplication.h"
#include "zaf/data/ZafStringData.h"

#include <algorithm>
#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace {

constexpr int textGroup = ListOption::textGroup;
ListOutput::DialogHook dialogHook = nullptr;
ListOutput::FileNameSource fileNameSource = nullptr;

bool IsMissing(const BUFFERTYPE &list, const CaseValue &value)
{
    if (!value.valid)
        return true;
    return value.isReal ? list.IsMissingReal(value.realValue) : list.IsMissingInt(value.intValue);
}

std::string Format(const char *format, ...) __attribute__((format(gnu_printf, 1, 2)));
std::string Format(const char *format, ...)
{
    char buffer[512];
    va_list args;
    va_start(args, format);
    std::vsnprintf(buffer, sizeof buffer, format, args);
    va_end(args);
    return buffer;
}

std::string PadLeft(std::string text, size_t width)
{
    if (text.size() < width)
        text.insert(0, width - text.size(), ' ');
    return text;
}

std::string PadRight(std::string text, size_t width)
{
    if (text.size() < width)
        text.append(width - text.size(), ' ');
    return text;
}

OneListVariable *ListedVariable(ListOption *record, long number)
{
    for (int i = 0; i < record->VariableCount(); ++i)
        if (record->VariableAt(i)->Variable() == number)
            return record->VariableAt(i);
    return nullptr;
}

void Report(ZafWindowObject *over, const char *text)
{
    ZafErrorSystem errors;
    // The main window owns the message, so that it opens over it.
    if (QIVprog *main = QIVprog::Instance())
        over = main;
    errors.ReportError(over, StatText(1, textGroup), MB_OK | MB_ICONEXCLAMATION, "%s", text);
}

// A whole number of the entry, or false when it holds anything else.
bool ReadNumber(ZafWindowObject *entry, long &number)
{
    const char *text = entry ? entry->Text() : nullptr;
    if (!text || !*text)
        return false;
    char *end = nullptr;
    errno = 0;
    number = std::strtol(text, &end, 10);
    while (end && *end == ' ')
        ++end;
    return errno == 0 && end && *end == '\0';
}

} // namespace

// ------------------------------------------------------------------ ListTable

ListTable::ListTable(ListBook *book) : ZafTable(0, 0, 10, 10, 0, 0, 1), book(book)
{
    SetCoordinateType(ZAF_MINI_CELL);
    auto *corner = new ZafTableHeader(50, 0, ZafTableHeader::typeCorner);
    corner->SetCoordinateType(ZAF_MINI_CELL);
    AddObject(corner);
    auto *columns = new TableHeader;
    columns->SetCoordinateType(ZAF_MINI_CELL);
    AddObject(columns);
    auto *rows = new ZafTableHeader(50, 0, ZafTableHeader::typeRow);
    rows->SetCoordinateType(ZAF_MINI_CELL);
    auto *field = new ZafString(0, 0, 50, "", -1);
    field->SetHzJustify(ZafString::justifyRight);
    rows->SetField(field);
    AddObject(rows);

    book->ShowCaseDocButton();
    SetRegionType(2);
    AddObject(new ZafScrollBar(ZafScrollBar::vertical));
    AddObject(new ZafScrollBar(ZafScrollBar::horizontal));
    // A data set without a selection record lists every case.
    SelectRec *selection = book->DataSet()->GetActiveSelection();
    SetLastRecord(static_cast<int>((selection ? selection->GetCaseCount() : book->DataSet()->GetCaseCount()) - 1));
    SetStringID("table");
    BuildCaseMap();
    SetColumnHeaderHeight(8);
    SetRecordHeight(7, ZAF_MINI_CELL);
}

ListTable::~ListTable()
{
    delete caseMap;
}

long ListTable::CaseOfRecord(long r) const
{
    if (r < 0 || r > LastRecord())
        return -1;
    BUFFERTYPE *order = caseMap ? static_cast<BUFFERTYPE *>(caseMap) : book->Record()->sortOrder;
    if (!order)
        return r;
    const CaseValue value = ReadCaseValue(order, r);
    return value.valid ? value.intValue : -1;
}

void ListTable::BuildCaseMap()
{
    delete caseMap;
    caseMap = nullptr;
    SelectRec *selection = book->DataSet()->GetActiveSelection();
    if (!selection || !selection->IsActive())
        return;
    caseMap = new TMPLISTETYPE(STORAGE_I32);
    ListOption *record = book->Record();
    if (TMPLISTETYPE *order = record->sortOrder) {
        for (long r = 0; r < order->GetCaseCount(); ++r) {
            const CaseValue c = ReadCaseValue(order, r);
            if (c.valid && IsCaseSelected(selection->bits, c.intValue))
                caseMap->AppendInt(c.intValue);
        }
        // With a selection only the case map carries the order.
        delete order;
        record->sortOrder = nullptr;
    } else {
        for (long c = 0; c < book->DataSet()->GetCaseCount(); ++c)
            if (IsCaseSelected(selection->bits, c))
                caseMap->AppendInt(c);
    }
    caseMap->OpenFile();
}

void ListTable::Resort()
{
    ListOption *record = book->Record();
    delete record->sortOrder;
    record->sortOrder = nullptr;
    if (record->FirstKey() && record->sortDirection != 0) {
        record->sortOrder = SortCasesToValueList(book->DataSet(), record->sortKeys.data());
        if (record->sortOrder)
            record->sortOrder->OpenFile();
    }
    BuildCaseMap();
}

void ListTable::ReverseOrder()
{
    ListOption *record = book->Record();
    TMPLISTETYPE *source = record->sortOrder ? record->sortOrder : caseMap;
    if (!source)
        return;
    // The cases kept last are those missing in the variable the order is
    // by (the clicked one): kept last by another variable, they would break
    // the clicked column's descending order.
    const OneListVariable *key = ListedVariable(record, record->FirstKey());
    auto *valid = new TMPLISTETYPE(STORAGE_I32);
    TMPLISTETYPE missing(STORAGE_I32);
    for (long r = source->GetCaseCount() - 1; r >= 0; --r) {
        const CaseValue c = ReadCaseValue(source, r);
        if (!c.valid)
            continue;
        const bool isMissing = key && IsMissing(*key->values, ReadCaseValue(key->values, c.intValue));
        (isMissing ? &missing : valid)->AppendInt(c.intValue);
    }
    for (long r = 0; r < missing.GetCaseCount(); ++r)
        valid->AppendInt(ReadCaseValue(&missing, r).intValue);
    valid->OpenFile();
    if (source == record->sortOrder) {
        delete record->sortOrder;
        record->sortOrder = valid;
        BuildCaseMap();
    } else {
        delete caseMap;
        caseMap = valid;
    }
}

void ListTable::HeaderClicked(int k)
{
    ListOption *record = book->Record();
    const OneListVariable *variable = record->VariableAt(k);
    if (!variable)
        return;
    const int number = static_cast<int>(variable->Variable());
    const bool repeat = record->FirstKey() == number;
    record->sortDirection = repeat && record->sortDirection == 1 ? 2 : 1;
    std::vector<int> keys = {number};
    // The order within equal values is the one clicked before.
    const size_t previous = repeat ? 1 : 0;
    if (record->sortKeys.size() > previous && record->sortKeys[previous])
        keys.push_back(record->sortKeys[previous]);
    keys.push_back(0);
    record->sortKeys = keys;
    if (repeat)
        ReverseOrder();
    else
        Resort();
    RefreshRecord(-1);
}

int ListTable::FillRecord(ZafTableRecord *recordWindow, ZafWindowObject *rowField)
{
    const long r = RecordIndex();
    const long c = CaseOfRecord(r);
    ListOption *record = book->Record();
    int i = 0;
    for (ZafElement *e = recordWindow->First(); e && i < record->VariableCount(); e = e->Next(), ++i) {
        const OneListVariable &variable = *record->VariableAt(i);
        std::string text = c < 0 ? std::string() : ListOutput::CellText(variable, ReadCaseValue(variable.values, c), variable.printWidth);
        // The alignment follows the label choice, which the option window
        // changes after the field was made.
        if (auto *field = dynamic_cast<ZafString *>(static_cast<ZafWindowObject *>(e)))
            field->SetHzJustify(ListOutput::Justification(variable));
        // A blank after a right-aligned cell keeps it apart from a label
        // that begins the next column.
        if (variable.AlignsRight() && !text.empty())
            text += " ";
        static_cast<ZafWindowObject *>(e)->SetText(text.c_str());
    }
    if (rowField)
        rowField->SetText(std::to_string(r + 1).c_str());
    return ZafTable::LoadRecord(recordWindow, rowField);
}

// ---------------------------------------------------------------- TableHeader

ZafEventType TableHeader::Event(const ZafEventRecord &event)
{
    if (event.type == ZAF_BEGIN_SELECT || MapEvent(event) == ZAF_BEGIN_SELECT) {
        if (auto *table = dynamic_cast<ListTable *>(Table())) {
            table->RefreshRecord(-1);
            int k = 0;
            for (ZafElement *e = First(); e; e = e->Next(), ++k) {
                const ZafRegionRect r = static_cast<ZafWindowObject *>(e)->GetWindowRegion();
                if (event.position.x >= r.left && event.position.x <= r.right)
                    break;
            }
            table->HeaderClicked(k);
        }
    }
    return ZafTableHeader::Event(event);
}

// ---------------------------------------------------------------- ListOutput

ListOutput::ListOutput(ListBook *book) : OutputWindow(0, 0, 10, 10), book(book)
{
}

int ListOutput::Justification(const OneListVariable &variable)
{
    return variable.AlignsRight() ? ZafString::justifyRight : ZafString::justifyLeft;
}

std::string ListOutput::CellText(const OneListVariable &variable, const CaseValue &value, int width)
{
    const BUFFERTYPE &list = *variable.values;
    const bool missing = IsMissing(list, value);
    if (variable.ShowsLabels()) {
        const int label = value.valid ? variable.labels->FindValue(value.AsReal()) : -1;
        if (label >= 0)
            return std::string(" ") + variable.labels->GetText(label);
        return missing ? " --" : " " + std::to_string(value.intValue);
    }
    if (missing)
        return Format(" %*s", width, "--");
    if (!list.integerTyped)
        return Format(" %*.*f", width, list.GetDecimals(), value.AsReal());
    return Format(" %*ld", width, value.intValue);
}

void ListOutput::WriteResult()
{
    ListOption *record = book->Record();
    if (!table) {
        table = new ListTable(book);
        table->SetRegionType(2);
        AddObject(table);
        int x = 0;
        for (int i = 0; i < record->VariableCount(); ++i) {
            const OneListVariable &variable = *record->VariableAt(i);
            // The column takes its heading whole up to widestGridHeading
            // characters; a longer heading shows whole in its tip.
            // Wide enough for its numbers and, when it has them, its
            // labels: the option window switches between the two.
            int content = variable.printWidth;
            if (variable.hasLabels)
                content = std::max(content, variable.labels->GetLongestLabelLength());
            const int heading = std::min(static_cast<int>(std::strlen(variable.Text())), widestGridHeading);
            const int width = std::max(content, heading) + 2;
            auto *field = new ZafString(x, 0, width, "", -1);
            field->SetFont(4);
            field->SetReadOnly(true);
            field->SetHzJustify(Justification(variable));
            field->SetTipText(variable.Text());
            table->InsertObject(field, variable.Text());
            if (ZafTableHeader *header = table->ColumnHeader())
                if (auto *cell = static_cast<ZafWindowObject *>(header->Get(i)))
                    cell->SetTipText(variable.Text());
            x += width;
        }
        table->Resort();
        return;
    }
    table->Resort();
    if (record->sortDirection == 2)
        table->ReverseOrder();
    table->RefreshRecord(-1);
}

void ListOutput::LayoutChildren()
{
    RECT client = {};
    if (table && osWindow && GetClientRect(osWindow, &client) && client.right > 0 && client.bottom > 0)
        table->SetRegion(ZafRegionRect(0, 0, client.right - 1, client.bottom - 1, ZAF_PIXEL));
    OutputWindow::LayoutChildren();
}

int ListOutput::ContentWidth(const OneListVariable &variable) const
{
    // The widest cell text of the variable over every case, its print width
    // and its longest label: a column as wide holds each of its cells whole.
    int width = variable.printWidth;
    if (variable.ShowsLabels())
        width = std::max(width, variable.labels->GetLongestLabelLength());
    BUFFERTYPE *values = variable.values;
    const long cases = values ? values->GetCaseCount() : 0;
    for (long c = 0; c < cases; ++c)
        width = std::max(width, static_cast<int>(CellText(variable, ReadCaseValue(values, c), 1).size()) - 1);
    return width;
}

int ListOutput::ColumnWidth(int index) const
{
    const OneListVariable &variable = *book->Record()->VariableAt(index);
    if (contentWidths.size() != static_cast<size_t>(book->Record()->VariableCount()))
        contentWidths.assign(static_cast<size_t>(book->Record()->VariableCount()), {false, -1});
    auto &cached = contentWidths[static_cast<size_t>(index)];
    if (cached.second < 0 || cached.first != variable.ShowsLabels())
        cached = {variable.ShowsLabels(), ContentWidth(variable)};
    return cached.second;
}

std::string ListOutput::FormatLine(long row, bool tab) const
{
    ListOption *record = book->Record();
    std::string line;
    if (lineNumbers) {
        if (row > 0)
            line += std::to_string(row);
        // Seven characters, or as many as the largest row number needs.
        const long rows = table ? table->LastRecord() + 1 : 0;
        if (!tab)
            line = PadLeft(line, std::max<size_t>(7, std::to_string(rows).size()));
        line += row == 0 ? "  " : ") ";
        if (tab)
            line += "\t";
    }
    const long c = row > 0 && table ? table->CaseOfRecord(row - 1) : -1;
    // A width of 0 would cut the title to -1 characters: 1 at least.
    const size_t cut = static_cast<size_t>(std::max(1, std::min(titleWidth, widestTitle)) - 1);
    for (int i = 0; i < record->VariableCount(); ++i) {
        const OneListVariable &variable = *record->VariableAt(i);
        if (!variable.output)
            continue;
        const std::string text = variable.Text();
        if (tab) {
            if (row == 0) {
                // The titles end with a tab as the cells do, so that each
                // stands in its own column.
                if (titles)
                    line += (text.size() < cut ? text : text.substr(0, cut) + " ") + "\t";
                continue;
            }
            const CaseValue value = c >= 0 ? ReadCaseValue(variable.values, c) : CaseValue();
            line += CellText(variable, value, 1) + "\t";
            continue;
        }
        std::string title = text.size() <= cut ? text : text.substr(0, cut);
        // A title cut after a blank keeps no blank at its end: it would
        // stand apart from the column it heads.
        while (!title.empty() && title.back() == ' ')
            title.pop_back();
        // Every column one blank and as wide as its widest cell or title:
        // titles over their cells, no two cells run together.
        const size_t width =
            static_cast<size_t>(std::max(ColumnWidth(i), titles ? static_cast<int>(title.size()) : 0));
        // Title and cells take the column's one alignment.
        auto pad = variable.AlignsRight() ? PadLeft : PadRight;
        if (row == 0) {
            if (titles)
                line += " " + pad(title, width);
            continue;
        }
        const CaseValue value = c >= 0 ? ReadCaseValue(variable.values, c) : CaseValue();
        line += " " + pad(CellText(variable, value, 1).substr(1), width);
    }
    return line;
}

ListOutput::DialogHook ListOutput::SetDialogHook(DialogHook hook)
{
    DialogHook previous = dialogHook;
    dialogHook = hook;
    return previous;
}

ListOutput::FileNameSource ListOutput::SetFileNameSource(FileNameSource source)
{
    FileNameSource previous = fileNameSource;
    fileNameSource = source;
    return previous;
}

ZafEventType PrintRangeToggled(ZafWindowObject *object, ZafEventRecord &event, ZafEventType code)
{
    (void)event;
    if (code != ZAF_SELECT && code != 1002)
        return 0;
    ZafWindowObject *top = object;
    while (top && top->Parent())
        top = top->Parent();
    auto *dialog = dynamic_cast<ZafWindow *>(top);
    auto *all = dialog ? dynamic_cast<ZafButton *>(dialog->FindObjectByStringID("printall")) : nullptr;
    if (!all)
        return 0;
    const bool some = !all->Selected();
    for (const char *name : {"strfrom", "strto"})
        if (ZafWindowObject *entry = dialog->FindObjectByStringID(name)) {
            entry->SetDisabled(!some);
            entry->SetVisible(some);
        }
    return 0;
}

namespace {

ZafWindowObject *Named(ZafWindowObject *object, const char *name)
{
    object->SetStringID(name);
    return object;
}

ZafButton *EndButton(int top, int text, ZafEventType code)
{
    auto *button = new ZafButton(55, top, 13, 1, StatText(text, 0));
    button->SetValue(code);
    button->SetSendMessageWhenSelected(true);
    return button;
}

// The dialog opens with the choices of the list's last output (its
// defaults before the first).
ZafDialogWindow *MakeOutputDialog(ListOption *record, long records, const ListOutput &last)
{
    OptionWindowBuilder::RegisterClasses();
    auto *dialog = new ZafDialogWindow(0, 0, 69, 13 + 2);
    dialog->SetHelpContext("LST_PRINT_OPTIONS");
    dialog->AddGenericObjects(new ZafStringData(StatText(1, textGroup)));
    dialog->AddObject(new ZafPrompt(1, 0, 50, StatText(10, textGroup)));
    auto *list = new ZafVtList(1, 1, 35, 7);
    list->SetStringID("vl_lab_opt");
    list->SetSelectionMode(1);
    list->AddObject(new ZafScrollBar(ZafScrollBar::vertical));
    for (int i = 0; i < record->VariableCount(); ++i) {
        auto *box = new ZafButton(0, 0, 33, 1, record->VariableAt(i)->Text(), nullptr, ZafButton::checkBox);
        box->SetAllowToggling(true);
        box->SetHzJustify(ZafButton::justifyStart);
        box->SetSelected(record->VariableAt(i)->output);
        list->AddObject(box);
    }
    dialog->AddObject(list);

    // A group's children stand below its title: row 0 is the first under it.
    using Build = OptionWindowBuilder;
    ZafGroup *where = Build::Group(dialog, 1, 8, 35, 5, StatText(19, textGroup), "destination");
    Build::RadioButton(where, 1, 0, 33, StatText(20, textGroup), "dest_printer")
        ->SetSelected(last.chosenDestination != ListOutput::toTextFile &&
                      last.chosenDestination != ListOutput::toClipboard);
    Build::RadioButton(where, 1, 1, 33, StatText(21, textGroup), "dest_file")
        ->SetSelected(last.chosenDestination == ListOutput::toTextFile);
    Build::RadioButton(where, 1, 2, 33, StatText(18, 0), "dest_clip")
        ->SetSelected(last.chosenDestination == ListOutput::toClipboard);

    ZafGroup *separator = Build::Group(dialog, 37, 8, 17, 5, StatText(22, textGroup), "separator");
    Build::RadioButton(separator, 1, 0, 15, StatText(23, textGroup), "sep_blank")->SetSelected(!last.tabSeparated);
    Build::RadioButton(separator, 1, 1, 15, StatText(24, textGroup), "sep_tab")->SetSelected(last.tabSeparated);

    ZafGroup *range = Build::Group(dialog, 37, 0, 31, 5, StatText(11, textGroup), "range");
    ZafButton *all = Build::RadioButton(range, 1, 0, 20, StatText(12, textGroup), "printall");
    ZafButton *some = Build::RadioButton(range, 1, 1, 20, StatText(13, textGroup), "printsome");
    // A part of the list chosen last is offered again while it lies
    // within the rows.
    const bool part = last.lastRow > 0 && last.lastRow <= records && last.firstRow >= 1 &&
                      (last.firstRow != 1 || last.lastRow != records);
    (part ? some : all)->SetSelected(true);
    all->SetUserFunction(PrintRangeToggled);
    some->SetUserFunction(PrintRangeToggled);
    Build::Prompt(range, 1, 2, 7, StatText(14, textGroup), "fromprompt")->SetHzJustify(ZafPrompt::justifyEnd);
    ZafWindowObject *from =
        Named(new ZafString(9, 2, 6, std::to_string(part ? last.firstRow : 1).c_str(), 10), "strfrom");
    range->AddObject(from);
    Build::Prompt(range, 15, 2, 7, StatText(15, textGroup), "toprompt")->SetHzJustify(ZafPrompt::justifyEnd);
    ZafWindowObject *to =
        Named(new ZafString(23, 2, 6, std::to_string(part ? last.lastRow : records).c_str(), 10), "strto");
    range->AddObject(to);
    for (ZafWindowObject *entry : {from, to}) {
        entry->SetDisabled(!part);
        entry->SetVisible(part);
    }

    Build::CheckBox(dialog, 37, 5, 20, StatText(16, textGroup), "titles")->SetSelected(last.titles);
    Build::Prompt(dialog, 37, 6, 24, StatText(18, textGroup), "widthprompt")->SetHzJustify(ZafPrompt::justifyEnd);
    dialog->AddObject(Named(new ZafString(62, 6, 6, std::to_string(last.titleWidth).c_str(), 10), "titlewidth"));
    Build::CheckBox(dialog, 37, 7, 20, StatText(17, textGroup), "linenumbers")->SetSelected(last.lineNumbers);

    // Push buttons stand a row apart: each is a little higher than a row.
    ZafButton *ok = EndButton(8, 0, ZAF_DIALOG_OK);
    dialog->AddObject(ok);
    dialog->AddObject(EndButton(10, 4, ZAF_DIALOG_CANCEL));
    // The program has no help files: Help would open nothing.
    ZafButton *help = EndButton(12, 9, ZAF_HELP);
    help->SetDisabled(true);
    dialog->AddObject(help);
    dialog->SetDefaultButton(ok, true);
    return dialog;
}

bool IsChosen(ZafWindow *dialog, const char *name)
{
    auto *button = dynamic_cast<ZafButton *>(dialog->FindObjectByStringID(name));
    return button && button->Selected();
}

} // namespace

bool ListOutput::AskOutputOptions()
{
    ListOption *record = book->Record();
    const long records = table ? table->RecordCount() : 0;
    std::unique_ptr<ZafDialogWindow> dialog(MakeOutputDialog(record, records, *this));
    ZafEventType code;
    if (dialogHook) {
        code = dialogHook(dialog.get());
    } else {
        // Centred on the case list's workbook, whose button opened it.
        dialog->SetOpener(book);
        code = dialog->Control();
    }
    if (code == ZAF_DIALOG_CANCEL) {
        destination = cancelled;
        return false;
    }
    long width = 0, from = 1, to = records;
    if (!ReadNumber(dialog->FindObjectByStringID("titlewidth"), width) || width < 1 || width > widestTitle) {
        Report(this, badTitleWidthText);
        destination = cancelled;
        return false;
    }
    const bool some = IsChosen(dialog.get(), "printsome");
    if (some && (!ReadNumber(dialog->FindObjectByStringID("strfrom"), from) ||
                 !ReadNumber(dialog->FindObjectByStringID("strto"), to) || from < 1 || to < 1 || from > records ||
                 to > records)) {
        Report(this, badRangeText);
        destination = cancelled;
        return false;
    }
    destination = IsChosen(dialog.get(), "dest_file") ? toTextFile : IsChosen(dialog.get(), "dest_clip") ? toClipboard : toPrinter;
    chosenDestination = destination;
    tabSeparated = IsChosen(dialog.get(), "sep_tab");
    if (auto *list = dynamic_cast<ZafWindow *>(dialog->FindObjectByStringID("vl_lab_opt"))) {
        int i = 0;
        for (ZafElement *e = list->First(); e && i < record->VariableCount(); e = e->Next(), ++i)
            if (auto *box = dynamic_cast<ZafButton *>(e))
                record->VariableAt(i)->output = box->Selected();
    }
    firstRow = some ? from : 1;
    lastRow = some ? to : records;
    titles = IsChosen(dialog.get(), "titles");
    lineNumbers = IsChosen(dialog.get(), "linenumbers");
    titleWidth = static_cast<int>(width);
    return true;
}

int ListOutput::WriteList(QivPrinter *printer)
{
    destination = cancelled;
    if (!AskOutputOptions())
        return 0;
    switch (destination) {
    case toPrinter:
        return WriteToPrinter(printer);
    case toTextFile:
        return WriteToTextFile();
    case toClipboard:
        return WriteToClipboard();
    default:
        return 0;
    }
}

namespace {

// Tabs as blanks up to the next stop of eight, as the list's tab-separated
// columns line up on paper.
std::string ExpandTabs(const std::string &line)
{
    std::string laidOut;
    for (char c : line) {
        if (c == '\t')
            laidOut.append(8 - laidOut.size() % 8, ' ');
        else
            laidOut += c;
    }
    return laidOut;
}

} // namespace

std::unique_ptr<TXTWIN> ListOutput::ChosenText() const
{
    auto text = std::make_unique<TXTWIN>(StatText(ListBook::titleTextNumber, ListBook::titleTextGroup), 0);
    // The text's first line begins without the blank that the next ones
    // begin with: the title line is given it, so that it stands over the
    // rows' cells.
    if (titles) {
        text->WriteString((" " + ExpandTabs(FormatLine(0, tabSeparated))).c_str());
        text->EndLine();
    }
    // Before the first output, and after the rows have changed beneath the
    // range chosen, the whole list.
    const long rows = table ? table->RecordCount() : 0;
    const bool part = lastRow > 0 && lastRow <= rows && firstRow >= 1;
    for (long row = part ? firstRow : 1; row <= (part ? lastRow : rows); ++row) {
        text->WriteString(ExpandTabs(FormatLine(row, tabSeparated)).c_str());
        text->EndLine();
    }
    // The column titles head every printed page.
    text->SetRepeatedHeadingLines(titles ? 1 : 0);
    text->SetRunningHead(book->CaptionText());
    return text;
}

int ListOutput::WriteToPrinter(QivPrinter *printer)
{
    if (!printer) {
        Report(this, noPrinterText);
        return 0;
    }
    // Printed as a result text is: the pages of the preview, with margins,
    // the column titles on every page and the page numbers.
    const std::unique_ptr<TXTWIN> text = ChosenText();
    if (text->Print(*printer) <= 0) {
        Report(this, WorkBook::PrintFailureText(*printer, "list").c_str());
        return 0;
    }
    return static_cast<int>(lastRow - firstRow + 1) + (titles ? 1 : 0);
}

int ListOutput::WriteToTextFile()
{
    char *name = fileNameSource ? fileNameSource() : ProgramSettings::Instance()->AskSaveFileName("txt");
    if (!name)
        return 0;
    TXTFILE file;
    const bool opened = file.Open(1, name);
    delete[] name;
    if (!opened)
        return 0;
    int lines = 0;
    // Plain "\r\n" line ends: the file holds the rows as shown, without
    // the blank that result texts begin their lines with.
    file.WriteText("\r\n");
    if (titles) {
        file.WriteText((FormatLine(0, tabSeparated) + "\r\n").c_str());
        ++lines;
    }
    for (long row = firstRow; row <= lastRow; ++row, ++lines)
        file.WriteText((FormatLine(row, tabSeparated) + "\r\n").c_str());
    file.Close();
    return lines;
}

int ListOutput::WriteToClipboard()
{
    std::string text;
    int lines = 0;
    if (titles) {
        text += FormatLine(0, tabSeparated) + "\r\n";
        ++lines;
    }
    for (long row = firstRow; row <= lastRow; ++row, ++lines)
        text += FormatLine(row, tabSeparated) + "\r\n";
    if (!OpenClipboard(nullptr))
        return 0;
    if (!EmptyClipboard()) {
        CloseClipboard();
        return 0;
    }
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, text.size() + 1);
    if (block) {
        if (void *at = GlobalLock(block)) {
            std::memcpy(at, text.c_str(), text.size() + 1);
            GlobalUnlock(block);
        }
        if (!SetClipboardData(CF_TEXT, block)) {
            GlobalFree(block);
            lines = 0;
        }
    } else {
        lines = 0;
    }
    CloseClipboard();
    return lines;
}

std::vector<std::string> ListOutput::WholeList(bool tabs)
{
    if (!table)
        WriteResult();
    // The whole list, titled and numbered, whatever the output dialog was
    // last told.
    const bool shownTitles = titles, shownNumbers = lineNumbers;
    const int shownWidth = titleWidth;
    titles = true, lineNumbers = true, titleWidth = widestTitle;
    std::vector<std::string> lines{FormatLine(0, tabs)};
    const long rows = table ? table->RecordCount() : 0;
    for (long row = 1; row <= rows; ++row)
        lines.push_back(FormatLine(row, tabs));
    titles = shownTitles, lineNumbers = shownNumbers, titleWidth = shownWidth;
    return lines;
}

TXTWIN *ListOutput::ResultText()
{
    if (!table)
        WriteResult();
    // What Print with the output dialog's present choices prints.
    wholeText = ChosenText();
    return wholeText.get();
}

bool ListOutput::SaveResult(const char *fileName, bool tabs)
{
    PFILE file;
    bool saved = file.Open(PFILE_WRITE, fileName);
    for (const std::string &line : WholeList(tabs)) {
        if (!saved)
            break;
        saved = file.WriteText(line.c_str()) && file.WriteText("\r\n");
    }
    saved = saved && file.Flush();
    file.Close();
    return saved;
}
