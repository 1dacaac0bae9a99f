// A notebook written into a UI data file and read back: its pages come back
// with the support objects their tabs held, the tabs are made again, and
// writing again gives the same bytes.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "DataTestSupport.h"
#include "zaf/core/ZafNotebook.h"
#include "zaf/core/ZafWindowPersistence.h"
#include "zaf/data/ZafPersistenceRegistry.h"
#include "zaf/data/ZafStorage.h"

namespace {

using zaftest::NotebookTab;

ZafWindow *Page(const char *name)
{
    auto *page = new ZafWindow(0, 0, 20, 5);
    page->SetStringID(name);
    auto *title = new ZafWindow(0, 0, 5, 1);
    title->SetStringID((std::string(name) + "_TITLE").c_str());
    title->SetNumberID(ZAF_NUMID_TITLE);
    title->SetSupportObject(true);
    page->AddObject(title);
    page->AddObject(new ZafWindow(1, 1, 5, 1));
    return page;
}

class ZafNotebookPersistenceTest : public ::testing::Test
{
protected:
    void SetUp() override { previous = ZafNotebook::SetHooks(zaftest::notebookHooks); }
    void TearDown() override { ZafNotebook::SetHooks(previous); }

    ZafNotebookHooks previous{};
    TempDirectory dir;
};

} // namespace

TEST_F(ZafNotebookPersistenceTest, PagesComeBackWithTheSupportObjectsTheirTabsHeld)
{
    ZafNotebook notebook(0, 0, 40, 12);
    notebook.SetStringID("BOOK");
    ZafWindow *first = Page("FIRST");
    notebook.AddObject(first);
    notebook.AddObject(Page("SECOND"));
    notebook.SetCurrentPage(1);
    ASSERT_EQ(nullptr, first->FindSupportObject(ZAF_NUMID_TITLE));
    const std::string one = dir.File("book.znc"), two = dir.File("again.znc");
    SaveObject(notebook, one);
    // Writing leaves the notebook as it was.
    EXPECT_EQ(nullptr, first->FindSupportObject(ZAF_NUMID_TITLE));
    EXPECT_EQ(2, notebook.SupportList().Count());
    EXPECT_EQ(notebook.TabOf(first), notebook.FirstSupport());

    auto read = LoadObject<ZafNotebook>(one, "BOOK");
    ASSERT_EQ(0, read->Error());
    EXPECT_EQ(2, read->Count());
    EXPECT_EQ(2, read->SupportList().Count());
    EXPECT_EQ(1, read->CurrentPage());
    auto *page = static_cast<ZafWindow *>(read->FirstChild());
    auto *tab = static_cast<NotebookTab *>(read->TabOf(page));
    ASSERT_NE(nullptr, tab);
    ASSERT_EQ(1, tab->held.Count());
    EXPECT_STREQ("FIRST_TITLE", tab->held.First()->StringID());
    EXPECT_FALSE(page->Visible());

    SaveObject(*read, two);
    EXPECT_EQ(ReadWholeFile(one), ReadWholeFile(two));
}

TEST_F(ZafNotebookPersistenceTest, ACurrentPageBeyondThePagesTurnsToTheFirst)
{
    ZafNotebook notebook(0, 0, 40, 12);
    notebook.SetStringID("BOOK");
    notebook.AddObject(Page("ONLY"));
    const std::string name = dir.File("index.znc");
    SaveObject(notebook, name);
    {
        ZafStorage storage(name.c_str(), ZafStorage::Writeable);
        ZafFile *file = storage.Open("~ZafNotebook~BOOK~objectData", ZafFileMode::ReadWrite);
        ASSERT_NE(nullptr, file);
        // The index is the record's last word.
        ASSERT_EQ(0, file->Seek(-2, 2));
        file->Write16(static_cast<std::uint16_t>(9));
        storage.Close(file);
        ASSERT_EQ(0u, storage.Save());
    }
    auto read = LoadObject<ZafNotebook>(name, "BOOK");
    EXPECT_EQ(0, read->Error());
    EXPECT_EQ(0, read->CurrentPage());
    EXPECT_TRUE(read->FirstChild()->Visible());
}
