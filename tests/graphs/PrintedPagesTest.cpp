// Printing on a real printer: a private CUPS scheduler with its PDF printer
// as the default (tests/support/cups_printer.sh, started around this test
// program), the sample survey's workbooks printed from their print buttons
// on one printer context in an order that puts a graph first (a bar graph,
// then the frequency table, a wide crosstab and the whole case list), and
// each PDF read back as text (pdftotext): every line of every table whole,
// the running head and "page n of m" on every page, the case list's column
// titles on every page, and as many pages as the print preview shows.
#include "GraphTestSupport.h"
#include "tests/support/ModalLoop.h"
#include "tests/zaf/controls/FieldTestSupport.h"

#include "analyses/RegisterAnalyses.h"
#include "analyses/kit/AnalysisBook.h"
#include "analyses/caselist/ListOption.h"
#include "analyses/caselist/ListOutput.h"
#include "analyses/crosstab/XtabOption.h"
#include "analyses/map/MapStatOption.h"
#include "analyses/map/MapWorkBook.h"
#include "analyses/frequencies/FreqOption.h"
#include "dataset/DATASET.h"
#include "dataset/ProgramSettings.h"
#include "dataset/TextCatalog.h"
#include "graphs/maps/MapGraphWindow.h"
#include "graphs/maps/MapKey.h"
#include "stats/StatClass.h"
#include "shell/AnalysisRegistry.h"
#include "shell/Main.h"
#include "shell/OutputWindow.h"
#include "shell/Page.h"
#include "shell/PrintPreview.h"
#include "shell/QivPrinter.h"
#include "shell/TXTWIN.h"
#include "shell/VariableListWindow.h"
#include "zaf/controls/ZafButton.h"
#include "zaf/controls/ZafControls.h"
#include "zaf/controls/ZafFrameButton.h"
#include "zaf/controls/ZafToolBar.h"
#include "zaf/controls/ZafVtList.h"
#include "zaf/core/ZafDialogWindow.h"
#include "zaf/data/ZafObjectPersistence.h"
#include "zaf/data/ZafPersistenceRegistry.h"
#include "zaf/data/ZafStorage.h"

#include <algorithm>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace {

const std::string binDirectory = GRAPH_TEST_BIN_DIR;
const std::string printerFolder = PDF_PRINTER_DIR;
const std::string pdfTextScript = PDF_TEXT_SCRIPT;

std::vector<WorkBook *> shownBooks;
void KeepShownBook(WorkBook *book)
{
    shownBooks.push_back(book);
    zafWindowManager->AddObject(book);
}

// The one printer of the session: every print goes to the same context, as
// nothing a print leaves on it may change the next.
std::unique_ptr<QivPrinter> &SessionPrinter()
{
    static std::unique_ptr<QivPrinter> printer;
    return printer;
}
QivPrinter *TheSessionPrinter()
{
    return SessionPrinter().get();
}

// A fresh context of the system's default printer at each request, as the
// program takes one for each print.
QivPrinter *FreshPrinter()
{
    SessionPrinter().reset(QivPrinter::OpenDefault());
    return SessionPrinter().get();
}

// Every variable kept ungrouped, however many categories it has.
bool KeepUngrouped(long *, long *, const char *)
{
    return true;
}

ZafEventType ChooseTitlesAndPrint(ZafDialogWindow *dialog)
{
    if (auto *titles = dynamic_cast<ZafButton *>(dialog->FindObjectByStringID("titles")))
        titles->SetSelected(true);
    return ZAF_DIALOG_OK;
}

ZafEventType ChooseNoTitlesAndPrint(ZafDialogWindow *dialog)
{
    if (auto *titles = dynamic_cast<ZafButton *>(dialog->FindObjectByStringID("titles")))
        titles->SetSelected(false);
    return ZAF_DIALOG_OK;
}

std::string ReadWhole(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string Collapsed(const std::string &line)
{
    std::string out;
    std::istringstream words(line);
    for (std::string word; words >> word;)
        out += (out.empty() ? "" : " ") + word;
    return out;
}

// The PDF's pages (pdftotext ends each with a form feed), each as its lines
// with their blanks collapsed.
std::vector<std::vector<std::string>> PagesOf(std::string text)
{
    // pdftotext gives the printed hyphen-minus as a soft hyphen (U+00AD).
    for (std::size_t at; (at = text.find("\xC2\xAD")) != std::string::npos;)
        text.replace(at, 2, "-");
    std::vector<std::vector<std::string>> pages;
    std::size_t start = 0;
    for (std::size_t feed; (feed = text.find('\f', start)) != std::string::npos; start = feed + 1) {
        std::vector<std::string> lines;
        std::istringstream in(text.substr(start, feed - start));
        for (std::string line; std::getline(in, line);)
            if (!Collapsed(line).empty())
                lines.push_back(Collapsed(line));
        pages.push_back(lines);
    }
    return pages;
}

// A collapsed line that begins a case list's row: its number and ") ".
// (A title may hold ") " too, as "(euros) ".)
bool BeginsRow(const std::string &line)
{
    const std::size_t digits = line.find_first_not_of("0123456789");
    return digits != 0 && digits != std::string::npos && line.compare(digits, 2, ") ") == 0;
}

class PrintedPagesTest : public fieldtest::FieldTest
{
protected:
    PrintedPagesTest()
    {
        catalog.Load((binDirectory + "/qivsteng.btx").c_str());
        SetStatTextCatalog(&catalog);
        ZafRegisterControls();
        ZafVtList::RegisterPersistence();
        ZafFrameButton::InstallGenericObjectMaker();
        storage = std::make_unique<ZafStorage>((binDirectory + "/MERVALO.ZNC").c_str(), ZafStorage::Read);
        persistence.reset(ZafPersistenceRegistry::MakePersistence(storage.get()));
        previousStorage = uiStorage;
        uiStorage = storage.get();
        userPersist = persistence.get();
        RegisterAnalyses();
        BuildAnalysisRegistry(&catalog);
        previousShow = WorkBook::SetShowHook(KeepShownBook);
        shownBooks.clear();
        previousPrinterSource = WorkBook::PrinterSourceInForce();
        opened = ProgramSettings::Instance()->OpenDataSet((binDirectory + "/samples/survey.QVF").c_str());
        previousDialog = ListOutput::SetDialogHook(ChooseTitlesAndPrint);
        previousOffer = AnalysisBook::SetAutoRecodeOffer(KeepUngrouped);
    }
    ~PrintedPagesTest() override
    {
        ListOutput::SetDialogHook(previousDialog);
        AnalysisBook::SetAutoRecodeOffer(previousOffer);
        WorkBook::SetPrinterSource(previousPrinterSource);
        SessionPrinter().reset();
        for (WorkBook *book : shownBooks)
            Close(book);
        RunQueued();
        Pump();
        WorkBook::SetShowHook(previousShow);
        FreeAnalysisRegistry();
        ProgramSettings::Instance()->CloseDataSet();
        userPersist = nullptr;
        uiStorage = previousStorage;
        SetStatTextCatalog(nullptr);
    }

    void ClickRow(ZafVtList *list, int row)
    {
        RECT r = {};
        SendMessageA(list->OSHandle(), LB_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&r));
        const LPARAM point = MAKELPARAM(r.left + 4, (r.top + r.bottom) / 2);
        SendMessageA(list->OSHandle(), WM_LBUTTONDOWN, MK_LBUTTON, point);
        SendMessageA(list->OSHandle(), WM_LBUTTONUP, 0, point);
        RunQueued();
    }
    void PressButton(ZafWindowObject *button)
    {
        ASSERT_NE(nullptr, button);
        Click(button->OSHandle());
        RunQueued();
        Pump();
    }
    // Runs the analysis at that row of the registry on the variables of
    // each list; answers the workbook it shows.
    WorkBook *Run(int analysis, const std::vector<std::vector<const char *>> &lists)
    {
        DATASET *survey = ProgramSettings::Instance()->GetDataSet(0);
        auto *window = new VariableListWindow(*userPersist, survey, RegisteredOptionsList.data(),
                                              static_cast<int>(RegisteredOptionsList.size()));
        window->SetVisible(false);
        Show(window);
        ClickRow(window->AnalysisList(), analysis);
        for (std::size_t list = 0; list < lists.size(); ++list)
            for (const char *name : lists[list]) {
                ClickRow(window->VariableList(), static_cast<int>(survey->FindVariable(name) - 1));
                PressButton(window->FindObjectByStringID(("BT_ADD" + std::to_string(list)).c_str()));
            }
        const std::size_t before = shownBooks.size();
        PressButton(window->FindObjectByStringID(VariableListWindow::runName));
        Close(window);
        RunQueued();
        Pump();
        return shownBooks.size() > before ? shownBooks.back() : nullptr;
    }
    static int PdfCount()
    {
        int count = 0;
        WIN32_FIND_DATAA found;
        HANDLE search = FindFirstFileA((printerFolder + "/pdf/*.pdf").c_str(), &found);
        if (search == INVALID_HANDLE_VALUE)
            return 0;
        do
            ++count;
        while (FindNextFileA(search, &found));
        FindClose(search);
        return count;
    }
    // Prints the book's current page from its print button and answers the
    // PDF's text; empty when no PDF came.
    std::string Print(WorkBook *book)
    {
        const int before = PdfCount();
        PressButton(book->ToolBar()->FindObjectByStringID("bt_print"));
        // Named by the job's number among all the printer's, so that no
        // earlier test's text is taken for it.
        const std::string out = printerFolder + "/job" + std::to_string(before + 1) + ".txt";
        DeleteFileA(out.c_str());
        std::string command = "Z:\\bin\\sh " + pdfTextScript + " " + printerFolder + "/pdf " +
                              std::to_string(before + 1) + " " + out;
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION process = {};
        if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                            &process))
            return "";
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
        // The reader runs as a Unix process beside this one: wait for its
        // output to appear.
        for (int i = 0; i < 700; ++i) {
            if (GetFileAttributesA(out.c_str()) != INVALID_FILE_ATTRIBUTES)
                return ReadWhole(out);
            Sleep(100);
        }
        return "";
    }
    // The pages the preview of the book's current page shows.
    int PreviewPages(WorkBook *book)
    {
        Page *page = book->CurrentPage();
        TXTWIN *text = page && page->ResultWindow() ? page->ResultWindow()->ResultText() : nullptr;
        if (!text)
            return 0;
        text->SetRunningHead(book->CaptionText());
        PrintPreview preview(*text, SessionPrinter()->DC());
        return preview.PageCount();
    }
    // Every page of a text printed: its running head and number, every
    // written line whole in the PDF, the page count the preview shows.
    void ExpectWholePages(WorkBook *book, const std::string &pdf, const std::string &heading = "")
    {
        const std::vector<std::vector<std::string>> pages = PagesOf(pdf);
        ASSERT_FALSE(pages.empty());
        EXPECT_EQ(static_cast<int>(pages.size()), PreviewPages(book));
        std::vector<std::string> printed;
        for (std::size_t n = 0; n < pages.size(); ++n) {
            ASSERT_FALSE(pages[n].empty()) << "page " << n + 1;
            const std::string number = "page " + std::to_string(n + 1) + " of " + std::to_string(pages.size());
            EXPECT_EQ(pages[n].front(), Collapsed(book->CaptionText() + " " + number)) << "page " << n + 1;
            if (!heading.empty())
                EXPECT_EQ(pages[n][1], heading) << "page " << n + 1;
            printed.insert(printed.end(), pages[n].begin(), pages[n].end());
        }
        TXTWIN *text = book->CurrentPage()->ResultWindow()->ResultText();
        std::istringstream written(text->Text());
        for (std::string line; std::getline(written, line);) {
            const std::string whole = Collapsed(line);
            if (!whole.empty() && whole.find_first_not_of("-") != std::string::npos)
                EXPECT_NE(std::find(printed.begin(), printed.end(), whole), printed.end()) << whole;
        }
    }

    TextCatalog catalog;
    std::unique_ptr<ZafStorage> storage;
    std::unique_ptr<ZafObjectPersistence> persistence;
    ZafStorage *previousStorage = nullptr;
    WorkBook::ShowHook previousShow = nullptr;
    WorkBook::PrinterSource previousPrinterSource = nullptr;
    ListOutput::DialogHook previousDialog = nullptr;
    AnalysisBook::AutoRecodeOffer previousOffer = nullptr;
    int opened = -1;
};

TEST_F(PrintedPagesTest, AGraphThenTablesAndTheCaseListPrintWholeOnThePdfPrinter)
{
    const std::string status = ReadWhole(printerFolder + "/status");
    if (status.compare(0, 2, "ok") != 0)
        GTEST_SKIP() << "no PDF printer: " << (status.empty() ? "the CUPS fixture did not run" : status);
    SessionPrinter().reset(QivPrinter::OpenDefault());
    if (!SessionPrinter())
        GTEST_SKIP() << "CUPS runs, but Wine sees no default printer (is CUPS_SERVER set for the test?)";
    WorkBook::SetPrinterSource(TheSessionPrinter);
    ASSERT_EQ(0, opened) << "the build's sample survey";

    // The frequency table of region, its bar graph printed first.
    WorkBook *frequencies = Run(0, {{"region"}});
    ASSERT_NE(nullptr, frequencies);
    for (ZafElement *e = frequencies->ToolBar()->First(); e; e = e->Next())
        if (auto *button = dynamic_cast<ZafButton *>(static_cast<ZafWindowObject *>(e));
            button && button->Value() == WorkBook::graphToolEvent) {
            PressButton(button);
            break;
        }
    ASSERT_NE(nullptr, frequencies->CurrentPage()->ShownGraph());
    const std::vector<std::vector<std::string>> graph = PagesOf(Print(frequencies));
    ASSERT_EQ(1u, graph.size()) << "one graph, one page";
    ASSERT_FALSE(graph[0].empty());
    EXPECT_EQ(graph[0].front(), Collapsed(frequencies->CaptionText() + " page 1 of 1"));

    // The same page's table after the graph: whole, as its preview.
    frequencies->Event(ZafEventRecord(WorkBook::tableViewEvent));
    ASSERT_EQ(nullptr, frequencies->CurrentPage()->ShownGraph());
    ExpectWholePages(frequencies, Print(frequencies));

    // A crosstab wider than the paper holds at the regular size.
    WorkBook *crosstab = Run(4, {{"region"}, {"agegroup"}});
    ASSERT_NE(nullptr, crosstab);
    ASSERT_NE(nullptr, dynamic_cast<XtabOption *>(crosstab->Option()));
    const std::string crosstabPdf = Print(crosstab);
    ExpectWholePages(crosstab, crosstabPdf);
    EXPECT_NE(crosstabPdf.find("Total"), std::string::npos);

    // Twenty regions across: far wider than the paper at the smallest size,
    // printed in bands of whole columns, every label and figure whole.
    WorkBook *wide = Run(4, {{"agegroup"}, {"region"}});
    ASSERT_NE(nullptr, wide);
    const std::string widePdf = Print(wide);
    const std::vector<std::vector<std::string>> widePages = PagesOf(widePdf);
    ASSERT_FALSE(widePages.empty());
    EXPECT_EQ(static_cast<int>(widePages.size()), PreviewPages(wide));
    std::vector<std::string> printedWords;
    for (const auto &page : widePages)
        for (const std::string &line : page) {
            std::istringstream words(line);
            for (std::string word; words >> word;)
                printedWords.push_back(word);
        }
    EXPECT_NE(widePdf.find("Bay Area"), std::string::npos) << "a label of two words stands whole";
    std::istringstream writtenWide(wide->CurrentPage()->ResultWindow()->ResultText()->Text());
    int figures = 0;
    for (std::string word; writtenWide >> word;)
        if (word.find('.') != std::string::npos && word.find_first_not_of("0123456789.-") == std::string::npos) {
            ++figures;
            EXPECT_NE(std::find(printedWords.begin(), printedWords.end(), word), printedWords.end()) << word;
        }
    EXPECT_GT(figures, 100);

    // The whole case list (2,000 cases), a little wider than the paper holds
    // at the regular size, its column titles on every page.
    WorkBook *list = Run(16, {{"resp_id", "region", "sex", "age"}});
    ASSERT_NE(nullptr, list);
    ASSERT_NE(nullptr, dynamic_cast<ListOption *>(list->Option()));
    auto *output = dynamic_cast<ListOutput *>(list->CurrentPage()->ResultWindow());
    ASSERT_NE(nullptr, output);
    const std::string listPdf = Print(list);
    const std::string titles = Collapsed(output->FormatLine(0, false));
    ExpectWholePages(list, listPdf, titles);
    EXPECT_GT(PagesOf(listPdf).size(), 20u);

    // With every variable and titles 50 wide the list is far wider than the
    // paper: its rows go on over further lines. Every page repeats the
    // title line's printed lines whole, and each row stays on its page: a
    // page's first line after the titles begins a row ("n) ").
    WorkBook *wideList = Run(16, {{"resp_id", "region", "sex", "age", "agegroup", "educ", "employ", "income", "hours",
                                   "hhsize", "health"}});
    ASSERT_NE(nullptr, wideList);
    const std::vector<std::vector<std::string>> listPages = PagesOf(Print(wideList));
    ASSERT_GT(listPages.size(), 2u);
    EXPECT_EQ(static_cast<int>(listPages.size()), PreviewPages(wideList));
    std::size_t headingLines = 0;
    while (headingLines + 1 < listPages[0].size() && !BeginsRow(listPages[0][headingLines + 1]))
        ++headingLines;
    ASSERT_GT(headingLines, 1u) << "the title line goes on over a second line";
    for (std::size_t n = 0; n < listPages.size(); ++n) {
        ASSERT_GT(listPages[n].size(), headingLines + 1) << "page " << n + 1;
        for (std::size_t h = 1; h <= headingLines; ++h)
            EXPECT_EQ(listPages[n][h], listPages[0][h]) << "page " << n + 1;
        const std::string &first = listPages[n][headingLines + 1];
        EXPECT_TRUE(BeginsRow(first)) << "page " << n + 1 << ": " << first;
        // The page ends with a row's last line: the next page's first row
        // follows the last row begun on this one.
        const auto lastRow = std::find_if(listPages[n].rbegin(), listPages[n].rend(), BeginsRow);
        ASSERT_NE(lastRow, listPages[n].rend());
        if (n + 1 < listPages.size()) {
            EXPECT_EQ(std::stoi(listPages[n + 1][headingLines + 1]), std::stoi(*lastRow) + 1) << "page " << n + 2;
        }
    }

    // Without titles (the dialog's last choice kept): the preview shows as
    // many pages as Print prints.
    ListOutput::SetDialogHook(ChooseNoTitlesAndPrint);
    const std::vector<std::vector<std::string>> untitled = PagesOf(Print(wideList));
    ASSERT_FALSE(untitled.empty());
    EXPECT_EQ(static_cast<int>(untitled.size()), PreviewPages(wideList));
    EXPECT_EQ(untitled[0][1].rfind("1) ", 0), 0u) << "no title line: " << untitled[0][1];
    for (std::size_t n = 0; n < untitled.size(); ++n)
        EXPECT_TRUE(untitled[n].size() > 1 && BeginsRow(untitled[n][1])) << "page " << n + 1;
}

// The region map of income printed: one page with the running head and
// "page 1 of 1", the variable and its label under it, the legend's classes.
TEST_F(PrintedPagesTest, AMapPrintsUnderItsHeadAndNamesItsVariable)
{
    const std::string status = ReadWhole(printerFolder + "/status");
    if (status.compare(0, 2, "ok") != 0)
        GTEST_SKIP() << "no PDF printer: " << (status.empty() ? "the CUPS fixture did not run" : status);
    SessionPrinter().reset(QivPrinter::OpenDefault());
    if (!SessionPrinter())
        GTEST_SKIP() << "CUPS runs, but Wine sees no default printer (is CUPS_SERVER set for the test?)";
    WorkBook::SetPrinterSource(TheSessionPrinter);
    ASSERT_EQ(0, opened) << "the build's sample survey";
    DATASET *survey = ProgramSettings::Instance()->GetDataSet(0);
    ASSERT_EQ(survey->ReadMapDirectory(), 0);

    // "Region map" of income, the first map taken in the pre-option window.
    auto *window = new VariableListWindow(*userPersist, survey, RegisteredOptionsList.data(),
                                          static_cast<int>(RegisteredOptionsList.size()));
    window->SetVisible(false);
    Show(window);
    const std::string name = StatText(47, 1); // "Region map"
    const LRESULT row = SendMessageA(window->AnalysisList()->OSHandle(), LB_FINDSTRINGEXACT,
                                     static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(name.c_str()));
    ASSERT_GE(row, 0) << name;
    testsupport::WhenModalLoopIdles([] {
        if (ZafDialogWindow *dialog = ZafDialogWindow::ModalWindow())
            dialog->Event(ZafEventRecord(ZAF_DIALOG_OK));
    });
    ClickRow(window->AnalysisList(), static_cast<int>(row));
    testsupport::ForgetModalLoopSteps();
    ASSERT_NE(nullptr, dynamic_cast<MapStatOption *>(window->Option()));
    ClickRow(window->VariableList(), static_cast<int>(survey->FindVariable("income") - 1));
    PressButton(window->FindObjectByStringID("BT_ADD0"));
    const std::size_t before = shownBooks.size();
    PressButton(window->FindObjectByStringID(VariableListWindow::runName));
    Close(window);
    RunQueued();
    Pump();
    ASSERT_GT(shownBooks.size(), before);
    auto *book = dynamic_cast<MapWorkBook *>(shownBooks.back());
    ASSERT_NE(nullptr, book);
    for (ZafElement *e = book->ToolBar()->First(); e; e = e->Next())
        if (auto *button = dynamic_cast<ZafButton *>(static_cast<ZafWindowObject *>(e));
            button && button->Value() == WorkBook::graphToolEvent) {
            PressButton(button);
            break;
        }
    auto *page = dynamic_cast<MapPage *>(book->CurrentPage());
    ASSERT_NE(nullptr, page);
    MapGraphWindow *map = page->GraphWindow();
    ASSERT_TRUE(map && map->OSHandle());
    Pump();

    const std::string subject = page->Subject();
    EXPECT_NE(subject.find("income"), std::string::npos) << subject;
    EXPECT_NE(subject.find("Personal income per year"), std::string::npos) << subject;
    const std::vector<std::vector<std::string>> pages = PagesOf(Print(book));
    ASSERT_EQ(1u, pages.size()) << "one map, one page";
    ASSERT_GT(pages[0].size(), 2u);
    EXPECT_EQ(pages[0][0], Collapsed(book->CaptionText() + " page 1 of 1"));
    EXPECT_EQ(pages[0][1], Collapsed(subject));
    // The legend's class ranges are printed too.
    const std::string firstClass = Collapsed(map->Legend()->ClassText(0));
    ASSERT_FALSE(firstClass.empty());
    bool legend = false;
    for (const std::string &line : pages[0])
        legend = legend || line.find(firstClass) != std::string::npos;
    EXPECT_TRUE(legend) << firstClass;
}

// Runs the printer script with that action on the test's printer folder
// and waits for it.
bool PrinterScript(const std::string &action)
{
    std::string command = "Z:\\bin\\bash " + std::string(CUPS_PRINTER_SCRIPT) + " " + action + " " + printerFolder;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return false;
    // A Unix process: its end is seen by the scheduler's socket, not by a
    // wait on the handle, which Wine gives back at once.
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    const std::string socket = printerFolder + "/cups.sock";
    for (int i = 0; i < 100; ++i) {
        const bool there = GetFileAttributesA(socket.c_str()) != INVALID_FILE_ATTRIBUTES;
        if (there == (action == "start"))
            break;
        Sleep(100);
    }
    Sleep(500);
    return true;
}

// The scheduler stopped: a print fails, and the message names the printer.
// (Windows answers with its spooler stopped; under Wine the printer's CUPS
// queue cannot be reached.)
TEST_F(PrintedPagesTest, APrintThatFailsNamesThePrinter)
{
    const std::string status = ReadWhole(printerFolder + "/status");
    if (status.compare(0, 2, "ok") != 0)
        GTEST_SKIP() << "no PDF printer: " << (status.empty() ? "the CUPS fixture did not run" : status);
    SessionPrinter().reset(QivPrinter::OpenDefault());
    if (!SessionPrinter())
        GTEST_SKIP() << "CUPS runs, but Wine sees no default printer (is CUPS_SERVER set for the test?)";
    const std::string printerName = SessionPrinter()->Name();
    ASSERT_FALSE(printerName.empty());
    // As the program does: each print on a fresh context of the default.
    WorkBook::SetPrinterSource(FreshPrinter);
    WorkBook *frequencies = Run(0, {{"region"}});
    ASSERT_NE(nullptr, frequencies);
    WorkBook *list = Run(16, {{"resp_id", "region", "sex", "age"}});
    ASSERT_NE(nullptr, list);
    ASSERT_TRUE(PrinterScript("stop"));
    fieldtest::Recorded().reports.clear();
    const int page = frequencies->PrintCurrentPage();
    const int pages = list->PrintCurrentPage();
    PrinterScript("start");
    EXPECT_EQ(0, page);
    EXPECT_EQ(0, pages);
    std::vector<std::string> messages;
    for (const fieldtest::Report &report : fieldtest::Recorded().reports)
        messages.push_back(report.message);
    fieldtest::Recorded().reports.clear();
    ASSERT_EQ(2u, messages.size());
    // Under Wine the queue is reached through the stopped scheduler: the
    // printer cannot be reached. (Windows names its stopped spooler.)
    const std::string reason = "the printer " + printerName + " cannot be reached.";
    EXPECT_EQ(messages[0], "The page could not be printed: " + reason);
    EXPECT_EQ(messages[1], "The list could not be printed: " + reason);
}

} // namespace
