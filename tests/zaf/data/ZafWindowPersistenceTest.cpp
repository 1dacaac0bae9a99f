// Windows and window objects written through the object persistence into a
// UI data file, saved, reopened and read back: every stored field, the
// support objects and the children at any depth come back, writing them
// again gives the same bytes, and bad records end in error words.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <utility>

#include "DataTestSupport.h"

namespace {

std::string Rect(const ZafRegionRect &r)
{
    return "[" + std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
           std::to_string(r.bottom) + "/" + std::to_string(r.coordinateType) + "]";
}

// Every stored field of an object and, for windows, of its support objects
// and children, depth first.
std::string Describe(ZafWindowObject *object)
{
    using ObjectFlag = bool (ZafWindowObject::*)() const;
    using WindowFlag = bool (ZafWindow::*)() const;
    std::string text = std::string(object->ClassName()) + " " + (object->StringID() ? object->StringID() : "-") + " #" +
                       std::to_string(object->NumberID()) + " " + Rect(object->Region()) + " rt" +
                       std::to_string(object->RegionType()) + " flags";
    for (ObjectFlag flag :
         {&ZafWindowObject::Bordered, &ZafWindowObject::SystemDrawn, &ZafWindowObject::ParentDrawsBorder,
          &ZafWindowObject::ParentDrawsFocus, &ZafWindowObject::NoClassPalette, &ZafWindowObject::NoFocus,
          &ZafWindowObject::Disabled, &ZafWindowObject::Visible, &ZafWindowObject::Redraw, &ZafWindowObject::OwnWindow,
          &ZafWindowObject::SupportObject, &ZafWindowObject::AcceptDrop, &ZafWindowObject::CopyDraggable,
          &ZafWindowObject::SecondDragFlag, &ZafWindowObject::MoveDraggable, &ZafWindowObject::Selected})
        text += std::to_string((object->*flag)());
    text += std::string(" help=") + (object->HelpContext() ? object->HelpContext() : "") +
            " tip=" + (object->TipText() ? object->TipText() : "") +
            " tip2=" + (object->SecondTipText() ? object->SecondTipText() : "") +
            (object->UserFunction() == ChoiceHandler ? " fn" : "") +
            (object->UserObject() == &userObjectTarget ? " obj" : "");
    if (auto *field = dynamic_cast<TestField *>(object))
        text += " value=" + std::to_string(field->value);
    if (auto *bar = dynamic_cast<ZafScrollBar *>(object)) {
        const ZafScrollStruct s = bar->Scroll();
        for (int value : {static_cast<int>(bar->Kind()), s.minimum, s.maximum, s.current, s.step, s.pageSize})
            text += " " + std::to_string(value);
    }
    if (ZafPaletteData *palette = object->PaletteData()) {
        text += " palette observed " + std::to_string(palette->NotificationCount());
        for (const ZafPaletteMap *row = palette->PaletteMap(); !row->IsEnd(); ++row) {
            const ZafPaletteStruct &p = row->palette;
            text += " " + std::to_string(row->type) + "/" + std::to_string(row->state);
            for (int value : {p.lineStyle, p.fillPattern, p.colorForeground, p.colorBackground, p.monoForeground,
                              p.monoBackground, p.font})
                text += "," + std::to_string(value);
        }
    }
    if (auto *group = dynamic_cast<ZafGroup *>(object))
        text += std::string(" text=") + (group->Text() ? group->Text() : "");
    if (auto *window = dynamic_cast<ZafWindow *>(object)) {
        text += " window";
        for (WindowFlag flag :
             {&ZafWindow::Destroyable, &ZafWindow::Moveable, &ZafWindow::Sizeable, &ZafWindow::Temporary,
              &ZafWindow::NoClose, &ZafWindow::PlainKeyHotKeys, &ZafWindow::Maximized, &ZafWindow::Minimized,
              &ZafWindow::Modal, &ZafWindow::AllowEmptySelection, &ZafWindow::RegionIsClientSize})
            text += std::to_string((window->*flag)());
        text += " mode" + std::to_string(window->SelectionMode()) + " client" + Rect(window->ClientRegion()) +
                (window->CompareFunction() == ByName ? " sorted" : "") + " support{";
        for (ZafElement *e = window->SupportList().First(); e; e = e->Next())
            text += Describe(static_cast<ZafWindowObject *>(e)) + ";";
        text += "} children{";
        for (ZafElement *e = window->First(); e; e = e->Next())
            text += Describe(static_cast<ZafWindowObject *>(e)) + ";";
        text += "}";
    }
    return text;
}

class ZafWindowPersistenceTest : public ::testing::Test
{
protected:
    // Writes the frame, or what write writes, into a new storage and saves it.
    void WriteFile(const std::string &name, void (*write)(ZafObjectPersistence &) = nullptr)
    {
        ZafStorage storage(name.c_str(), ZafStorage::CreateTree);
        auto persistence = MakePersistence(storage);
        write ? write(*persistence) : frame->Write(*persistence);
        ASSERT_EQ(0u, persistence->Error());
        ASSERT_EQ(0u, storage.Save());
    }
    TempDirectory dir;
    std::unique_ptr<ZafMDIWindow> frame = MakeFrame();
    const std::string first = dir.File("first.znc");
};

TEST_F(ZafWindowPersistenceTest, WindowWithSupportObjectsAndChildrenReadsBackEqual)
{
    WriteFile(first);
    std::unique_ptr<ZafMDIWindow> read;
    {
        ZafStorage storage(first.c_str(), ZafStorage::Read);
        ASSERT_EQ(0u, storage.Error());
        auto persistence = MakePersistence(storage);
        read = std::make_unique<ZafMDIWindow>("FRAME", *persistence);
        EXPECT_EQ(0, read->Error());
        EXPECT_EQ(0, persistence->LevelIndex());
        const std::pair<const char *, const char *> names[] = {
            {"~ZafMDIWindow~FRAME~userFunction", "ChoiceHandler"},
            {"~ZafMDIWindow~FRAME~userObject", "target"},
            {"~ZafMDIWindow~FRAME~FIELD~userFunction", "ChoiceHandler"},
            {"~ZafMDIWindow~FRAME~CHILD~compareFunction", "ByName"}};
        for (const auto &name : names) // kept beside the record, as a string
            EXPECT_EQ((std::string{static_cast<char>(std::strlen(name.second)), '\0'} + name.second),
                      ObjectBytes(storage, name.first));
        EXPECT_EQ("<none>", ObjectBytes(storage, "~ZafMDIWindow~FRAME~OTHER~userFunction"));
    }
    EXPECT_EQ(Describe(frame.get()), Describe(read.get()));
    // The children came back in compare order: ALPHA before ZETA.
    auto *child = dynamic_cast<ZafWindow *>(read->FindObjectByStringID("CHILD"));
    ASSERT_NE(nullptr, child);
    EXPECT_STREQ("ALPHA", child->FirstChild()->StringID());
    EXPECT_NE(nullptr, dynamic_cast<ZafDialogWindow *>(child->FindObjectByStringID("INNER")));
    EXPECT_EQ(read.get(), read->FindSupportObject(ZAF_NUMID_BORDER)->Parent());
    frame = std::move(read);
    WriteFile(dir.File("second.znc"));
    EXPECT_EQ(ReadWholeFile(first), ReadWholeFile(dir.File("second.znc")));
}

// Names that no table holds give none; children of classes without a
// constructor are skipped; a missing window keeps its defaults.
TEST_F(ZafWindowPersistenceTest, ReadWithSmallerTablesOrNoRecord)
{
    WriteFile(first);
    ZafStorage storage(first.c_str(), ZafStorage::Read);
    ZafMDIWindow unnamed("FRAME", *MakePersistence(storage, true, false));
    EXPECT_EQ(0, unnamed.Error());
    EXPECT_EQ(nullptr, unnamed.UserFunction());
    EXPECT_EQ(nullptr, unnamed.UserObject());
    auto *child = dynamic_cast<ZafWindow *>(unnamed.FindObjectByStringID("CHILD"));
    ASSERT_NE(nullptr, child);
    EXPECT_EQ(nullptr, child->CompareFunction());

    ZafMDIWindow fieldless("FRAME", *MakePersistence(storage, false, false));
    EXPECT_EQ(0, fieldless.Error());
    EXPECT_EQ(nullptr, fieldless.FindObjectByStringID("FIELD"));
    EXPECT_EQ(nullptr, fieldless.FirstSupport());
    ASSERT_NE(nullptr, fieldless.FindObjectByStringID("INNER"));
    EXPECT_EQ(nullptr, fieldless.FindObjectByStringID("DEEP"));

    auto persistence = MakePersistence(storage);
    ZafWindow missing("NOWHERE", *persistence);
    EXPECT_EQ(static_cast<int>(ZafError::Open), missing.Error());
    EXPECT_EQ(0, persistence->LevelIndex());
    EXPECT_TRUE(missing.IsEmpty());
    EXPECT_TRUE(missing.Destroyable());
    EXPECT_STREQ("NOWHERE", missing.StringID());
}

// Two objects of one name, and names the reader could not read back, are
// refused with error 17 when written.
TEST_F(ZafWindowPersistenceTest, TheWriterRefusesTwinsAndOverlongNames)
{
    ZafWindow window(0, 0, 20, 5);
    window.SetStringID("TWINS");
    window.AddObject(new TestField("SAME", 1));
    window.AddObject(new TestField("SAME", 2));
    ZafStorage storage(first.c_str(), ZafStorage::CreateTree);
    auto persistence = MakePersistence(storage);
    window.Write(*persistence);
    EXPECT_EQ(ZafError::Write, persistence->Error());
    ZafWindow read("TWINS", *persistence);
    ASSERT_NE(nullptr, read.FirstChild());
    EXPECT_EQ(1, static_cast<TestField *>(read.FirstChild())->value) << "the first one stays";

    persistence->SetError(0);
    ZafWindow named(0, 0, 10, 3);
    named.SetStringID("W");
    named.SetUserFunction(ChoiceHandler);
    persistence->RemoveUserFunction("ChoiceHandler");
    persistence->AddUserFunction(std::string(64, 'f').c_str(), ChoiceHandler);
    named.Write(*persistence);
    EXPECT_EQ(ZafError::Write, persistence->Error());
}

// A child whose name a path or a pattern would read as another entry ("Q*"
// would match "Q1", which would then be removed and replaced) is refused
// with error 2 and nothing written for it; its sibling reads back whole.
class ZafStoredNameTest : public ZafWindowPersistenceTest, public ::testing::WithParamInterface<const char *>
{};

TEST_P(ZafStoredNameTest, NameThatIsNoPlainEntryIsRefusedAndItsSiblingSurvives)
{
    ZafWindow window(0, 0, 20, 5);
    window.SetStringID("W");
    window.AddObject(new TestField("Q1", 11));
    window.AddObject(new TestField(GetParam(), 12));
    {
        ZafStorage storage(first.c_str(), ZafStorage::CreateTree);
        auto persistence = MakePersistence(storage);
        window.Write(*persistence);
        EXPECT_EQ(ZafError::NotFound, persistence->Error());
        EXPECT_EQ(0, persistence->LevelIndex());
        ASSERT_EQ(0u, storage.Save());
    }
    ZafStorage storage(first.c_str(), ZafStorage::Read);
    ZafWindow read("W", *MakePersistence(storage));
    EXPECT_EQ(0, read.Error());
    ASSERT_EQ(1, read.Count());
    EXPECT_STREQ("Q1", read.FirstChild()->StringID());
    EXPECT_EQ(11, static_cast<TestField *>(read.FirstChild())->value);
    ASSERT_EQ(0, storage.ChDir("~ZafWindow~W"));
    EXPECT_EQ(2, storage.CurrentDirectory()->ChildCount()) << "the window's record and Q1 only";
}

INSTANTIATE_TEST_SUITE_P(PatternsPathsAndDots, ZafStoredNameTest, ::testing::Values("Q*", "Q?", "~", "Q~1", ".", ".."));

// A window record made by hand: the window-object record with the names
// given, then valid window fields. A region or client extent other than 0
// stores that region as -extent, -extent, extent, extent.
void WriteHandMadeWindow(ZafObjectPersistence &p, const char *name, const std::string &functionName,
                         std::uint16_t coordinates, std::int32_t extent = 0, std::int32_t clientExtent = 0)
{
    p.PushLevel("ZafWindow", 1007, ZafWindowPersistence::topLevelEntry);
    ASSERT_EQ(0u, p.OpenLevelFile(name, ZafWindowPersistence::writeMode));
    p.Write16(static_cast<std::uint16_t>(5));
    for (int i = 0; i < 4; i++)
        p.Write32(extent ? (i < 2 ? -extent : extent) : static_cast<std::int32_t>(i * 10));
    p.Write16(static_cast<std::uint16_t>(ZafWindowObject::flagVisible));
    p.Write16(coordinates);
    for (int i = 0; i < 3; i++)
        p.WriteString("text");
    p.Write16(static_cast<std::uint16_t>(0));
    p.Write16(static_cast<std::uint16_t>(0));
    const char *const texts[] = {nullptr, functionName.c_str(), nullptr, nullptr};
    for (const char *text : texts)
        p.WriteString(text);
    p.Write16(static_cast<std::uint16_t>(ZafWindow::flagDestroyable));
    p.Write16(static_cast<std::uint16_t>(0));
    for (int i = 0; i < 4; i++)
        p.Write32(clientExtent ? (i < 2 ? -clientExtent : clientExtent) : static_cast<std::int32_t>(i));
    p.Write16(static_cast<std::uint16_t>(0));
    p.PopLevel();
}

TEST_F(ZafWindowPersistenceTest, OverlongNamesAndRegionsBeyondTheStoredRangeAreRefusedWithError16)
{
    WriteFile(first, [](ZafObjectPersistence &p) {
        WriteHandMadeWindow(p, "FIT", std::string(63, 'n'), 0);
        WriteHandMadeWindow(p, "LONG", std::string(64, 'n'), 0);
        WriteHandMadeWindow(p, "HUGE", std::string(2000, 'x'), 0);
        WriteHandMadeWindow(p, "BADTYPE", "", 7);
        // Regions whose widths overflow 32 bits, and the largest kept.
        WriteHandMadeWindow(p, "WIDE", "", 0, INT32_MAX);
        WriteHandMadeWindow(p, "WIDECLIENT", "", 0, 0, INT32_MAX);
        WriteHandMadeWindow(p, "EDGE", "", ZAF_TWIP, ZAF_MAX_STORED_COORDINATE, ZAF_MAX_STORED_COORDINATE);
    });
    ZafStorage storage(first.c_str(), ZafStorage::Read);
    auto persistence = MakePersistence(storage);
    persistence->AddUserFunction(std::string(63, 'n').c_str(), ChoiceHandler);
    ZafWindow fits("FIT", *persistence);
    EXPECT_EQ(0, fits.Error());
    EXPECT_EQ(ChoiceHandler, fits.UserFunction());
    EXPECT_EQ(5, fits.NumberID());
    ZafWindow edge("EDGE", *persistence);
    EXPECT_EQ(0, edge.Error());
    EXPECT_EQ(2 * ZAF_MAX_STORED_COORDINATE + 1, edge.Region().Width());
    ZafWindow wideClient("WIDECLIENT", *persistence);
    EXPECT_EQ(16, wideClient.Error());
    EXPECT_EQ(1, wideClient.ClientRegion().Width()) << "the refused client region is not taken";
    for (const char *bad : {"LONG", "HUGE", "BADTYPE", "WIDE"}) {
        ZafWindow read(bad, *persistence);
        EXPECT_EQ(static_cast<int>(ZafError::Read), read.Error()) << bad;
        EXPECT_EQ(nullptr, read.UserFunction()) << bad;
        EXPECT_EQ(nullptr, read.HelpContext()) << bad << ": a refused record leaves the defaults";
        EXPECT_EQ(0, persistence->LevelIndex());
    }
}

// A child's record cut short: the error reaches the window, and the children
// after it read cleanly.
TEST_F(ZafWindowPersistenceTest, ChildErrorReachesTheWindow)
{
    WriteFile(first);
    {
        ZafStorage storage(first.c_str(), ZafStorage::Writeable);
        ZafFile *file = storage.Open("~ZafMDIWindow~FRAME~CHILD~objectData", ZafFileMode::Write);
        ASSERT_NE(nullptr, file);
        file->Write16(static_cast<std::uint16_t>(1));
        storage.Close(file);
        ASSERT_EQ(0u, storage.Save());
    }
    ZafStorage storage(first.c_str(), ZafStorage::Read);
    ZafMDIWindow read("FRAME", *MakePersistence(storage));
    EXPECT_EQ(static_cast<int>(ZafError::Read), read.Error());
    ZafWindowObject *child = read.FindObjectByStringID("CHILD");
    ASSERT_NE(nullptr, child);
    EXPECT_EQ(static_cast<int>(ZafError::Read), child->Error());
    EXPECT_NE(nullptr, read.FindObjectByStringID("OTHER"));
}

} // namespace
