// The case list over a large data set: builds a data set of N cases (default
// 10,000,000) of three variables (a labelled one-byte code, a two-byte
// integer, a double), opens the case list of all three and reports the time
// to the first showing, to 100 pages down, to the jump to the last row and
// to a header click (a sort of every case), with the process's peak working
// set. Not a test.
//
//   wine build/bench/caselist_bench.exe [cases]
#include "analyses/caselist/ListBook.h"
#include "analyses/caselist/ListOption.h"
#include "analyses/caselist/ListOutput.h"
#include "dataset/DataSetBuilder.h"
#include "dataset/ProgramSettings.h"
#include "shell/VariableListWindow.h"
#include "zaf/core/ZafApplication.h"
#include "zaf/core/ZafEventManager.h"
#include "zaf/core/ZafWindowManager.h"
#include "zaf/data/ZafDataStartup.h"

#include "WindowBench.h"

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

using windowbench::Drain;
using windowbench::PeakMegabytes;
using windowbench::Seconds;

int main(int argc, char **argv)
{
    const long cases = argc > 1 ? std::atol(argv[1]) : 10000000L;
    const char *file = "caselist_bench.QVF";
    auto start = std::chrono::steady_clock::now();
    {
        DataSetBuilder builder;
        builder.ReadDescription("variable code\ntype u8\nmissing 9\nvalue 1 = one\nvalue 2 = two\nvalue 3 = three\n"
                                "variable count\ntype i16\nwidth 5\nvariable amount\ntype double\ndecimals 2\n");
        long next = -1;
        unsigned seed = 12345;
        const int error = builder.ReadCsvLines(
            [&](std::string *line) {
                if (next == -1) {
                    *line = "code,count,amount";
                } else if (next >= cases) {
                    return false;
                } else {
                    seed = seed * 1103515245u + 12345u;
                    *line = std::to_string(1 + (seed >> 16) % 4) + "," + std::to_string((seed >> 8) % 1000) + "," +
                            std::to_string((seed % 100000) / 100.0);
                }
                ++next;
                return true;
            },
            "generated");
        if (error || builder.Write(file)) {
            std::printf("the data set could not be built: %s\n", builder.GetErrorText());
            return 1;
        }
    }
    std::printf("cases %ld; data set written in %.1f s\n", cases, Seconds(start));

    ZafDataStartup::Install();
    ZafApplication application(GetModuleHandleA(nullptr), {"caselist_bench.exe"});
    if (ProgramSettings::Instance()->OpenDataSet(file)) {
        std::printf("the data set could not be opened\n");
        return 1;
    }
    long variables[] = {1, 2, 3};
    VarSelection selection;
    selection.count = 3;
    selection.variables = variables;

    start = std::chrono::steady_clock::now();
    auto *record = new ListOption;
    auto *book = new ListBook(ProgramSettings::Instance()->GetDataSet(0), record, &selection);
    selection.variables = nullptr;
    book->CompleteToolBar();
    Drain();
    std::printf("first showing: %.3f s\n", Seconds(start));

    ListTable *table = book->Output()->Table();
    start = std::chrono::steady_clock::now();
    const int page = std::max(1, table->LastVisibleIndex() - table->FirstVisibleIndex() + 1);
    for (int i = 1; i <= 100; ++i) {
        table->ScrollToFirst(i * page);
        Drain();
    }
    std::printf("100 pages down (%d rows a page): %.3f s\n", page, Seconds(start));
    start = std::chrono::steady_clock::now();
    table->ScrollToLast(table->LastRecord());
    Drain();
    std::printf("jump to the last row: %.3f s\n", Seconds(start));
    start = std::chrono::steady_clock::now();
    table->HeaderClicked(1);
    Drain();
    std::printf("sorted by a header click: %.3f s\n", Seconds(start));
    std::printf("peak working set: %.0f MB\n", PeakMegabytes());
    delete book;
    ProgramSettings::Instance()->CloseDataSet();
    DeleteFileA(file);
    DeleteFileA("caselist_bench.IND");
    return 0;
}
