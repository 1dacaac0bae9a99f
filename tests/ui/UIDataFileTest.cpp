// The program's UI data file: generated, it reads back and writes again
// unchanged, and a corrupt copy never crashes or hangs a reader. The
// corrupt-input run mutates the generated file in memory (deterministic
// sequence), writes each mutant and reads every window of the program from
// it: each read ends with an error word or succeeds.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <memory>
#include <set>
#include <string>

#include "tests/zaf/data/DataTestSupport.h"
#include "tests/zaf/data/TestMutations.h"
#include "shell/MainWindowDefinition.h"
#include "ui/UIDataFile.h"
#include "zaf/controls/ZafMaximizeButton.h"
#include "zaf/controls/ZafMinimizeButton.h"
#include "zaf/controls/ZafPullDownMenu.h"
#include "zaf/controls/ZafSystemButton.h"
#include "zaf/controls/ZafTitle.h"
#include "zaf/core/ZafApplication.h"
#include "zaf/core/ZafMDIWindow.h"
#include "zaf/core/ZafWindowManager.h"
#include "zaf/data/ZafDataStartup.h"
#include "zaf/data/ZafPersistenceRegistry.h"

bool trackAllocations = false;
std::size_t largestAllocation = 0;

namespace {

TEST(UIDataFile, GeneratedFileReadsBackAndWritesAgainUnchanged)
{
    TempDirectory dir;
    const std::string path = dir.File("MERVALO.ZNC");
    std::string report;
    ASSERT_EQ(0u, UIDataFile::Generate(path.c_str(), report)) << report;
    ASSERT_EQ(0u, UIDataFile::Verify(path.c_str(), report)) << report;

    ZafStorage storage(path.c_str(), ZafStorage::Read);
    std::unique_ptr<ZafObjectPersistence> persistence(ZafPersistenceRegistry::MakePersistence(&storage));
    ZafMDIWindow main(mainWindowName, *persistence);
    EXPECT_EQ(0, main.Error());
    std::unique_ptr<ZafMDIWindow> defined(MakeMainWindowDefinition());
    EXPECT_FALSE(main.Region().Differs(defined->Region()));
    EXPECT_TRUE(main.Destroyable());
    EXPECT_TRUE(main.Sizeable());
}

BOOL CALLBACK CountWindow(HWND window, LPARAM counter)
{
    // Wine gives a thread with windows an input-method window of its own.
    char name[16] = "";
    GetClassNameA(window, name, sizeof name);
    if (lstrcmpiA(name, "IME") != 0)
        ++*reinterpret_cast<int *>(counter);
    return TRUE;
}

int TopLevelWindowCount()
{
    int count = 0;
    EnumThreadWindows(GetCurrentThreadId(), CountWindow, reinterpret_cast<LPARAM>(&count));
    return count;
}

TEST(UIDataFile, TheMainWindowComesWithItsMenuBarAndFrameAndLeavesNoWindowBehind)
{
    TempDirectory dir;
    const std::string path = dir.File("MERVALO.ZNC");
    std::string report;
    ASSERT_EQ(0u, UIDataFile::Generate(path.c_str(), report)) << report;
    ZafDataStartup::Install();
    ZafApplication application(GetModuleHandleA(nullptr), {"test.exe"});
    const int before = TopLevelWindowCount();
    {
        ZafStorage storage(path.c_str(), ZafStorage::Read);
        std::unique_ptr<ZafObjectPersistence> persistence(ZafPersistenceRegistry::MakePersistence(&storage));
        auto *main = new ZafMDIWindow(mainWindowName, *persistence);
        ASSERT_EQ(0, main->Error());
        EXPECT_NE(nullptr, dynamic_cast<ZafTitle *>(main->FindTitle()));
        EXPECT_NE(nullptr, dynamic_cast<ZafSystemButton *>(main->FindSystemButton()));
        EXPECT_NE(nullptr, dynamic_cast<ZafMinimizeButton *>(main->MinimizeButton()));
        EXPECT_NE(nullptr, dynamic_cast<ZafMaximizeButton *>(main->FindMaximizeButton()));
        auto *bar = dynamic_cast<ZafPullDownMenu *>(main->FindPullDownMenu());
        ASSERT_NE(nullptr, bar);
        auto *exit = dynamic_cast<ZafPopUpItem *>(main->FindObjectByStringID(exitItemName));
        ASSERT_NE(nullptr, exit);
        // Choosing Exit ends the program.
        EXPECT_EQ(ZafPopUpItem::kindExit, exit->ItemKind());
        zafWindowManager->AddObject(main);
        HWND frame = main->OSHandle(2);
        ASSERT_NE(nullptr, frame);
        const auto style = static_cast<DWORD>(GetWindowLongA(frame, GWL_STYLE));
        EXPECT_EQ(static_cast<DWORD>(WS_MINIMIZEBOX | WS_MAXIMIZEBOX), style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
        HMENU menu = GetMenu(frame);
        // File, Analyses, Graphs and Window; Exit ends the File menu.
        ASSERT_EQ(4, GetMenuItemCount(menu));
        EXPECT_EQ(static_cast<UINT>(exit->NumberID()), GetMenuItemID(GetSubMenu(menu, 0), 2));
        zafWindowManager->CloseWindow(main);
        MSG m;
        while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&m);
    }
    EXPECT_EQ(before, TopLevelWindowCount());
}

TEST(UIDataFile, VerifyFindsAFileThatDoesNotMatchItsWindows)
{
    TempDirectory dir;
    const std::string path = dir.File("MERVALO.ZNC");
    std::string report;
    ASSERT_EQ(0u, UIDataFile::Generate(path.c_str(), report));
    // A file without the main window cannot be verified.
    {
        ZafStorage storage(path.c_str(), ZafStorage::Writeable);
        storage.RmDir("~ZafMDIWindow", true);
        ASSERT_EQ(0u, storage.Save());
    }
    EXPECT_NE(0u, UIDataFile::Verify(path.c_str(), report));
    EXPECT_NE(std::string::npos, report.find("cannot read MAINWINDOW")) << report;
    EXPECT_NE(0u, UIDataFile::Verify(dir.File("none.znc").c_str(), report));
}

const std::set<std::uint32_t> knownErrors = {0, 2, 8, 14, 16, 17, 18};

TEST(UIDataFile, EveryCorruptCopyReadsWithAnErrorWordOrCleanly)
{
    TempDirectory dir;
    const std::string valid = dir.File("MERVALO.ZNC");
    std::string report;
    ASSERT_EQ(0u, UIDataFile::Generate(valid.c_str(), report)) << report;
    const Bytes base = ReadWholeFile(valid);
    ASSERT_GT(base.size(), 72u);
    const std::size_t directory = base[68] | base[69] << 8 | base[70] << 16 | base[71] << 24;
    ASSERT_LT(directory, base.size());

    const int iterations = 13500;
    const std::string mutantName = dir.File("mutant.znc");
    Random random(20260601);
    int opened = 0, windowsRead = 0, windowErrors = 0, objects = 0;
    for (int i = 0; i < iterations; i++) {
        // Three mutants in four change the windows' records in place; the
        // fourth may also cut or shift the file and its tree.
        ASSERT_TRUE(WriteWholeFile(mutantName, i % 4 ? MutateObjectBytes(base, directory, random)
                                                     : Mutate(base, directory, random)));
        ZafStorage storage(mutantName.c_str(), ZafStorage::Read);
        ASSERT_TRUE(knownErrors.count(storage.Error())) << "iteration " << i << ": " << storage.Error();
        if (storage.Error() != 0)
            continue;
        opened++;
        ReadEveryObject(storage, storage.Root(), "", objects);
        std::unique_ptr<ZafObjectPersistence> persistence(ZafPersistenceRegistry::MakePersistence(&storage));
        for (const UIDataFile::Definition &definition : UIDataFile::Definitions()) {
            std::unique_ptr<ZafWindow> defined(definition.make());
            std::unique_ptr<ZafElement> object(persistence->NewObject(
                defined->ClassID(), defined->ClassName(), definition.name, ZafObjectPersistence::topLevelEntry));
            auto *window = dynamic_cast<ZafWindow *>(object.get());
            ASSERT_NE(nullptr, window) << "iteration " << i;
            const std::uint32_t error = static_cast<std::uint32_t>(window->Error());
            ASSERT_TRUE(knownErrors.count(error)) << "iteration " << i << ": " << error;
            error ? windowErrors++ : windowsRead++;
        }
        ASSERT_EQ(0, persistence->LevelIndex()) << "iteration " << i;
    }
    EXPECT_GE(opened, 10000) << "the window readers meet at least 10,000 mutated files";
    EXPECT_GT(windowErrors, 0);
    EXPECT_GT(windowsRead, 0);
    std::printf("UI data file corrupt input: %d mutants, %d opened, %d objects read raw, %d windows read, "
                "%d windows with an error word\n",
                iterations, opened, objects, windowsRead, windowErrors);
}

} // namespace
