// The first screen of a crosstab page of many distinct values: builds a
// data set of N cases (default 10,000) whose two variables each take N
// distinct values (an N x N table of N cells), counts the crosstab as the
// workbook does with grouping declined, writes its page text into a shown
// text window and reports the time until the window has drawn, the text's
// size and the process's peak working set. Not a test.
//
//   wine build/bench/xtab_page_bench.exe [cases]
#include "analyses/crosstab/XTAB.h"
#include "analyses/crosstab/XTABOBJECT.h"
#include "analyses/crosstab/XTWIN.h"
#include "analyses/crosstab/XtabOption.h"
#include "dataset/BUFFERTYPE.h"
#include "dataset/DataSetBuilder.h"
#include "dataset/KATLABS.h"
#include "dataset/ProgramSettings.h"
#include "zaf/core/ZafApplication.h"
#include "zaf/core/ZafEventManager.h"
#include "zaf/core/ZafWindowManager.h"
#include "zaf/data/ZafDataStartup.h"

#include "WindowBench.h"

#include <windows.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

using windowbench::Drain;
using windowbench::PeakMegabytes;
using windowbench::Seconds;

int main(int argc, char **argv)
{
    const long cases = argc > 1 ? std::atol(argv[1]) : 10000L;
    const char *file = "xtab_page_bench.QVF";
    {
        DataSetBuilder builder;
        builder.ReadDescription("variable a\ntype i32\nvariable b\ntype i32\n");
        long next = -1;
        const int error = builder.ReadCsvLines(
            [&](std::string *line) {
                if (next == -1)
                    *line = "a,b";
                else if (next >= cases)
                    return false;
                else // both distinct in every case, the rows in another order
                    *line = std::to_string(next) + "," + std::to_string(next * 7919L % cases);
                ++next;
                return true;
            },
            "generated");
        if (error || builder.Write(file)) {
            std::printf("the data set could not be built: %s\n", builder.GetErrorText());
            return 1;
        }
    }
    ZafDataStartup::Install();
    ZafApplication application(GetModuleHandleA(nullptr), {"xtab_page_bench.exe"});
    if (ProgramSettings::Instance()->OpenDataSet(file)) {
        std::printf("the data set could not be opened\n");
        return 1;
    }
    DATASET *set = ProgramSettings::Instance()->GetDataSet(0);
    const auto start = std::chrono::steady_clock::now();
    {
        auto *record = new XtabOption;
        XTAB book(record);
        LISTETYPE columns(set, 1), rows(set, 2);
        XTABOBJECT table(&columns, nullptr, &rows, nullptr, 0, set);
        const double counted = Seconds(start);
        auto *window = new ZafWindow(0, 0, 100, 30);
        auto *text = new XTWIN(&book, &table);
        window->AddObject(text);
        zafWindowManager->AddObject(window);
        text->Update();
        Drain();
        std::printf("cases %ld: table %d x %d counted in %.3f s; first screen after %.3f s; text %zu bytes\n", cases,
                    table.RowCount(), table.ColumnCount(), counted, Seconds(start), text->Text().size());
        std::printf("peak working set: %.0f MB\n", PeakMegabytes());
        if (text->Text().size() < 2000)
            std::printf("the text:\n%s\n", text->Text().c_str());
        zafWindowManager->CloseWindow(window);
        Drain();
    }
    ProgramSettings::Instance()->CloseDataSet();
    DeleteFileA(file);
    DeleteFileA("xtab_page_bench.IND");
    return 0;
}
