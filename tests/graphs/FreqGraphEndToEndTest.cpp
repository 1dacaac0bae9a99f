// The frequency graphs along the whole road, as a user takes it: the sample
// survey the build converts opened as the current data set, the frequency
// table of "sex" run from the variable-list window of the program's UI
// file, the workbook's bar tool and then its pie tool pressed, the graph
// page printed on a metafile printer and the graph exported to an EMF file
// and read back.
#include "GraphTestSupport.h"
#include "tests/support/TempDirectory.h"
#include "tests/zaf/controls/FieldTestSupport.h"

#include "analyses/frequencies/FreqBook.h"
#include "analyses/frequencies/FreqOption.h"
#include "analyses/RegisterAnalyses.h"
#include "dataset/DATASET.h"
#include "dataset/ProgramSettings.h"
#include "dataset/TextCatalog.h"
#include "graphs/ElementDump.h"
#include "graphs/FREQBAR.h"
#include "graphs/FREQPIE.h"
#include "shell/AnalysisRegistry.h"
#include "shell/Main.h"
#include "shell/QivPrinter.h"
#include "shell/VariableListWindow.h"
#include "stats/StatClass.h"
#include "zaf/controls/ZafButton.h"
#include "zaf/controls/ZafControls.h"
#include "zaf/controls/ZafFrameButton.h"
#include "zaf/controls/ZafToolBar.h"
#include "zaf/controls/ZafVtList.h"
#include "zaf/data/ZafObjectPersistence.h"
#include "zaf/data/ZafPersistenceRegistry.h"
#include "zaf/data/ZafStorage.h"

#include <cstdio>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace {

const std::string binDirectory = GRAPH_TEST_BIN_DIR;

WorkBook *shownBook = nullptr;
void KeepShownBook(WorkBook *book)
{
    shownBook = book;
    zafWindowManager->AddObject(book);
}

// The lines of an element dump that start with the kind (after the indent).
std::vector<std::string> DumpLines(const std::string &dump, const std::string &kind)
{
    std::vector<std::string> lines;
    std::istringstream in(dump);
    for (std::string line; std::getline(in, line);)
        if (line.compare(line.find_first_not_of(' '), kind.size() + 1, kind + " ") == 0)
            lines.push_back(line);
    return lines;
}

// The width of a dump line's device rectangle "D(left,top,right,bottom)".
int DeviceWidth(const std::string &line)
{
    int left = 0, top = 0, right = -1, bottom = 0;
    const std::size_t at = line.find(" D(");
    if (at == std::string::npos || std::sscanf(line.c_str() + at, " D(%d,%d,%d,%d)", &left, &top, &right, &bottom) != 4)
        return 0;
    return right - left + 1;
}

std::vector<std::string> TextsOf(const std::vector<graphtest::Record> &records)
{
    std::vector<std::string> texts;
    for (const graphtest::Record &r : records)
        if (r.type == EMR_EXTTEXTOUTW)
            texts.push_back(r.text);
    return texts;
}

int CountOf(const std::vector<graphtest::Record> &records, DWORD type)
{
    int count = 0;
    for (const graphtest::Record &r : records)
        count += r.type == type;
    return count;
}

bool Holds(const std::vector<std::string> &texts, const std::string &text)
{
    return std::find(texts.begin(), texts.end(), text) != texts.end();
}

class FreqGraphEndToEndTest : public fieldtest::FieldTest
{
protected:
    FreqGraphEndToEndTest()
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
        shownBook = nullptr;
        previousPrinterSource = WorkBook::PrinterSourceInForce();
        opened = ProgramSettings::Instance()->OpenDataSet((binDirectory + "/samples/survey.QVF").c_str());
    }
    ~FreqGraphEndToEndTest() override
    {
        WorkBook::SetPrinterSource(previousPrinterSource);
        if (shownBook)
            Close(shownBook);
        if (window)
            Close(window);
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
    ZafWindowObject *ToolButton(int value)
    {
        for (ZafElement *e = shownBook->ToolBar()->First(); e; e = e->Next())
            if (auto *button = dynamic_cast<ZafButton *>(static_cast<ZafWindowObject *>(e)))
                if (button->Value() == value)
                    return button;
        return nullptr;
    }

    TextCatalog catalog;
    std::unique_ptr<ZafStorage> storage;
    std::unique_ptr<ZafObjectPersistence> persistence;
    ZafStorage *previousStorage = nullptr;
    WorkBook::ShowHook previousShow = nullptr;
    WorkBook::PrinterSource previousPrinterSource = nullptr;
    VariableListWindow *window = nullptr;
    int opened = -1;
};

TEST_F(FreqGraphEndToEndTest, BarThenPieOfARunTablePrintAndExportTheGraph)
{
    ASSERT_EQ(0, opened) << "the build's sample survey";
    DATASET *survey = ProgramSettings::Instance()->GetDataSet(0);
    const long sex = survey->FindVariable("sex");
    ASSERT_GT(sex, 0);

    // The frequency table (the first analysis listed) of "sex", run.
    window = new VariableListWindow(*userPersist, survey, RegisteredOptionsList.data(),
                                    static_cast<int>(RegisteredOptionsList.size()));
    window->SetVisible(false);
    Show(window);
    ClickRow(window->AnalysisList(), 0);
    ASSERT_NE(nullptr, dynamic_cast<FreqOption *>(window->Option()));
    ClickRow(window->VariableList(), static_cast<int>(sex - 1));
    PressButton(window->FindObjectByStringID("BT_ADD0"));
    ASSERT_EQ(std::vector<long>{sex}, window->ListVariables(0));
    PressButton(window->FindObjectByStringID(VariableListWindow::runName));
    ASSERT_NE(nullptr, dynamic_cast<FreqBook *>(shownBook));
    Pump();
    Page *page = shownBook->CurrentPage();
    ASSERT_NE(nullptr, page);
    RECT pageArea = {};
    GetClientRect(page->OSHandle(), &pageArea);

    // The bar tool: a bar graph over the whole page, a bar a category.
    PressButton(ToolButton(WorkBook::graphToolEvent + 0));
    ASSERT_EQ(1u, page->GraphWindows().size());
    auto *bars = dynamic_cast<FREQBAR *>(page->GraphWindows().back());
    ASSERT_NE(nullptr, bars);
    RECT barArea = {};
    GetClientRect(bars->OSHandle(), &barArea);
    EXPECT_GT(barArea.right, 200);
    EXPECT_GT(barArea.bottom, 150);
    EXPECT_EQ(pageArea.right, barArea.right);
    EXPECT_EQ(pageArea.bottom, barArea.bottom);
    const std::string barDump = DumpElements(*bars);
    EXPECT_NE(barDump.find("\"Male\""), std::string::npos) << barDump;
    EXPECT_NE(barDump.find("\"Female\""), std::string::npos) << barDump;
    int drawnBars = 0;
    for (const std::string &line : DumpLines(barDump, "box"))
        drawnBars += line.compare(0, 4, "    ") == 0 && DeviceWidth(line) > 1;
    EXPECT_GE(drawnBars, 2) << barDump;

    // The pie tool: a pie over the page, the bars hidden under it.
    PressButton(ToolButton(WorkBook::graphToolEvent + 1));
    ASSERT_EQ(2u, page->GraphWindows().size());
    auto *pie = dynamic_cast<FREQPIE *>(page->GraphWindows().back());
    ASSERT_NE(nullptr, pie);
    EXPECT_FALSE(IsWindowVisible(bars->OSHandle()));
    EXPECT_TRUE(IsWindowVisible(pie->OSHandle()));
    EXPECT_EQ(1, shownBook->CurrentGraphKind());
    const std::vector<std::string> slices = DumpLines(DumpElements(*pie), "pie");
    ASSERT_GE(slices.size(), 2u) << DumpElements(*pie);
    EXPECT_NE(slices.back().find("to 360.00"), std::string::npos) << slices.back();

    // Printed from the workbook's print button on a metafile printer.
    const std::vector<graphtest::Record> printRecords =
        graphtest::PrintedOnMetafile([&] { PressButton(shownBook->ToolBar()->FindObjectByStringID("bt_print")); });
    EXPECT_EQ(static_cast<int>(slices.size()), CountOf(printRecords, EMR_PIE));
    EXPECT_TRUE(Holds(TextsOf(printRecords), "Male"));
    EXPECT_TRUE(Holds(TextsOf(printRecords), "Female"));

    // Exported to an EMF file and read back: the same slices and texts.
    testsupport::TempDirectory directory("mervalopie");
    const std::string path = directory.File("pie.emf");
    pie->SetMetafileName(path.c_str());
    ASSERT_TRUE(pie->ExportMetafile());
    HENHMETAFILE file = GetEnhMetaFileA(path.c_str());
    ASSERT_NE(nullptr, file);
    ENHMETAHEADER header = {};
    GetEnhMetaFileHeader(file, sizeof header, &header);
    const std::vector<graphtest::Record> fileRecords = graphtest::RecordsOf(file);
    DeleteEnhMetaFile(file);
    EXPECT_EQ(static_cast<int>(slices.size()), CountOf(fileRecords, EMR_PIE));
    EXPECT_TRUE(Holds(TextsOf(fileRecords), "Male"));
    EXPECT_GT(header.rclFrame.right, 0) << "the picture has a size";
    // The printed page: the head (the workbook's caption, "page 1 of 1",
    // the page's subject) over the same texts.
    std::vector<std::string> headed{shownBook->CaptionText(), "page 1 of 1", page->Subject()};
    for (const std::string &text : TextsOf(fileRecords))
        headed.push_back(text);
    EXPECT_EQ(TextsOf(printRecords), headed);
    // Laid out for the page, the pie stays round.
    for (const graphtest::Record &r : printRecords)
        if (r.type == EMR_PIE) {
            EXPECT_NEAR(r.numbers[2] - r.numbers[0], r.numbers[3] - r.numbers[1], 2);
        }
}

} // namespace
