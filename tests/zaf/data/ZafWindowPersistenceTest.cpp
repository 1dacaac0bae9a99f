// Windows and window objects written through the object persistence into a
// UI data file, saved, reopened and read back: every stored field, the
// support objects and the children at any depth come back, writing them
// again gives the same bytes, and bad records end in error words.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <utility>

#include "TestFiles.h"
#include "zaf/core/ZafDialogWindow.h"
#include "zaf/core/ZafMDIWindow.h"
#include "zaf/core/ZafText.h"
#include "zaf/core/ZafWindow.h"
#include "zaf/core/ZafWindowPersistence.h"
#include "zaf/data/ZafPersistenceRegistry.h"
#include "zaf/data/ZafStorage.h"

namespace {

// A control with one field of its own after the window-object record, as
// every control of the library reads and writes itself.
class TestField : public ZafWindowObject
{
public:
    static constexpr ZafClassID classID = 9301;
    static constexpr const char *className = "TestField";
    ZafClassID ClassID() const override { return classID; }
    const char *ClassName() const override { return className; }

    TestField(const char *name, int value) : ZafWindowObject(1, 1, 10, 1), value(value) { SetStringID(name); }
    TestField(const char *name, ZafWindowPersistence &persistence)
        : ZafWindowObject(name, persistence.PushLevel(className, classID, ZafWindowPersistence::childEntry))
    {
        if (persistence.Error() == 0)
            persistence.Read32(value);
        persistence.PopLevel();
        if (persistence.Error() != 0)
            SetError(static_cast<int>(persistence.Error()));
    }
    static ZafElement *New(const char *name, ZafWindowPersistence &persistence)
    {
        return new TestField(name, persistence);
    }
    void Write(ZafWindowPersistence &persistence) override
    {
        persistence.PushLevel(className, classID, ZafWindowPersistence::childEntry);
        ZafWindowObject::Write(persistence);
        if (persistence.Error() == 0)
            persistence.Write32(value);
        persistence.PopLevel();
    }

    std::int32_t value = 0;
};

ZafEventType ChoiceHandler(ZafWindowObject *, ZafEventRecord &, ZafEventType code)
{
    return code;
}

int ByName(ZafElement *a, ZafElement *b)
{
    return ZafStringCompare(a->StringID(), b->StringID());
}

int userObjectTarget = 0;

std::unique_ptr<ZafObjectPersistence> MakePersistence(ZafStorage &storage)
{
    std::unique_ptr<ZafObjectPersistence> persistence(ZafPersistenceRegistry::MakePersistence(&storage));
    persistence->AddObjectConstructor(TestField::className, TestField::classID, ZafObjectNew<TestField::New>);
    persistence->AddUserFunction("ChoiceHandler", ChoiceHandler);
    persistence->AddCompareFunction("ByName", ByName);
    persistence->AddUserObject("target", &userObjectTarget);
    return persistence;
}

// Every stored field of an object and, for windows, of its support objects
// and children, depth first.
std::string Describe(ZafWindowObject *object)
{
    const ZafRegionRect r = object->Region();
    std::string text = std::string(object->ClassName()) + " " + (object->StringID() ? object->StringID() : "-") +
                       " #" + std::to_string(object->NumberID()) + " [" + std::to_string(r.left) + "," +
                       std::to_string(r.top) + "," + std::to_string(r.right) + "," + std::to_string(r.bottom) +
                       "/" + std::to_string(object->CoordinateType()) + "] rt" +
                       std::to_string(object->RegionType()) + " flags" + std::to_string(object->Bordered()) +
                       std::to_string(object->SystemDrawn()) + std::to_string(object->ParentDrawsBorder()) +
                       std::to_string(object->ParentDrawsFocus()) + std::to_string(object->NoClassPalette()) +
                       std::to_string(object->NoFocus()) + std::to_string(object->Disabled()) +
                       std::to_string(object->Visible()) + std::to_string(object->Redraw()) +
                       std::to_string(object->OwnWindow()) + std::to_string(object->SupportObject()) +
                       std::to_string(object->AcceptDrop()) + std::to_string(object->CopyDraggable()) +
                       std::to_string(object->SecondDragFlag()) + std::to_string(object->MoveDraggable()) +
                       std::to_string(object->Selected()) + " help=" +
                       (object->HelpContext() ? object->HelpContext() : "") +
                       " tip=" + (object->TipText() ? object->TipText() : "") +
                       " tip2=" + (object->SecondTipText() ? object->SecondTipText() : "") +
                       (object->UserFunction() == ChoiceHandler ? " fn" : "") +
                       (object->UserObject() == &userObjectTarget ? " obj" : "");
    if (auto *field = dynamic_cast<TestField *>(object))
        text += " value=" + std::to_string(field->value);
    if (auto *window = dynamic_cast<ZafWindow *>(object)) {
        const ZafRegionRect c = window->ClientRegion();
        text += " window" + std::to_string(window->Destroyable()) + std::to_string(window->Moveable()) +
                std::to_string(window->Sizeable()) + std::to_string(window->Temporary()) +
                std::to_string(window->NoClose()) + std::to_string(window->PlainKeyHotKeys()) +
                std::to_string(window->Maximized()) + std::to_string(window->Minimized()) +
                std::to_string(window->Modal()) + std::to_string(window->AllowEmptySelection()) +
                std::to_string(window->RegionIsClientSize()) + " mode" +
                std::to_string(window->SelectionMode()) + " client[" + std::to_string(c.left) + "," +
                std::to_string(c.top) + "," + std::to_string(c.right) + "," + std::to_string(c.bottom) + "/" +
                std::to_string(c.coordinateType) + "]" + (window->CompareFunction() == ByName ? " sorted" : "") +
                " support{";
        for (ZafElement *e = window->SupportList().First(); e; e = e->Next())
            text += Describe(static_cast<ZafWindowObject *>(e)) + ";";
        text += "} children{";
        for (ZafElement *e = window->First(); e; e = e->Next())
            text += Describe(static_cast<ZafWindowObject *>(e)) + ";";
        text += "}";
    }
    return text;
}

// A frame with a support object, a child window with children of its own
// (one of them a dialog inside), and plain children; every flag and text
// away from its default somewhere.
std::unique_ptr<ZafMDIWindow> MakeFrame()
{
    auto frame = std::make_unique<ZafMDIWindow>(3, 2, 60, 20);
    frame->SetStringID("FRAME");
    frame->SetNumberID(7);
    frame->SetHelpContext("frame help");
    frame->SetTipText("tip \xE9");
    frame->SetUserFunction(ChoiceHandler);
    frame->SetUserObject(&userObjectTarget);
    frame->SetNoClose(true);
    frame->SetMaximized(true);
    frame->SetSelectionMode(1);

    auto *support = new TestField("BORDERLIKE", -1);
    support->SetSupportObject(true);
    support->SetNumberID(ZAF_NUMID_BORDER);
    support->SetBordered(true);
    frame->AddObject(support);

    auto *child = new ZafWindow(1, 1, 30, 8);
    child->SetStringID("CHILD");
    child->SetCompareFunction(ByName);
    child->SetCoordinateType(ZAF_PIXEL);
    child->SetRegionType(2);
    child->SetDestroyable(false);
    child->SetTemporary(true);
    child->AddObject(new TestField("ZETA", 26));
    child->AddObject(new TestField("ALPHA", 1));
    auto *inner = new ZafDialogWindow(0, 0, 10, 4);
    inner->SetStringID("INNER");
    inner->SetSecondTipText(std::string(500, 's').c_str());
    inner->AddObject(new TestField("DEEP", 123456));
    child->AddObject(inner);
    frame->AddObject(child);

    auto *field = new TestField("FIELD", -2147483647 - 1);
    field->SetNoFocus(true);
    field->SetDisabled(true);
    field->SetVisible(false);
    field->SetAcceptDrop(true);
    field->SetMoveDraggable(true);
    field->SetUserFunction(ChoiceHandler);
    frame->AddObject(field);
    frame->AddObject(new TestField("OTHER", 0));
    return frame;
}

class ZafWindowPersistenceTest : public ::testing::Test
{
protected:
    // Writes the objects with write into a new storage and saves it.
    template <class Write> void WriteFile(const std::string &name, Write write)
    {
        ZafStorage storage(name.c_str(), ZafStorage::CreateTree);
        auto persistence = MakePersistence(storage);
        write(*persistence);
        ASSERT_EQ(0u, persistence->Error());
        ASSERT_EQ(0u, storage.Save());
    }

    TempDirectory dir;
};

TEST_F(ZafWindowPersistenceTest, WindowWithSupportObjectsAndChildrenReadsBackEqual)
{
    auto frame = MakeFrame();
    const std::string expected = Describe(frame.get());
    const std::string first = dir.File("first.znc"), second = dir.File("second.znc");
    WriteFile(first, [&](ZafObjectPersistence &p) { frame->Write(p); });

    std::unique_ptr<ZafMDIWindow> read;
    {
        ZafStorage storage(first.c_str(), ZafStorage::Read);
        ASSERT_EQ(0u, storage.Error());
        auto persistence = MakePersistence(storage);
        read = std::make_unique<ZafMDIWindow>("FRAME", *persistence);
        EXPECT_EQ(0, read->Error());
        EXPECT_EQ(0, persistence->LevelIndex());
    }
    EXPECT_EQ(expected, Describe(read.get()));
    // The children came back in compare order: ALPHA before ZETA.
    auto *child = dynamic_cast<ZafWindow *>(read->FindObjectByStringID("CHILD"));
    ASSERT_NE(nullptr, child);
    EXPECT_STREQ("ALPHA", child->FirstChild()->StringID());
    EXPECT_NE(nullptr, dynamic_cast<ZafDialogWindow *>(child->FindObjectByStringID("INNER")));
    EXPECT_EQ(read.get(), read->FindSupportObject(ZAF_NUMID_BORDER)->Parent());

    WriteFile(second, [&](ZafObjectPersistence &p) { read->Write(p); });
    EXPECT_EQ(ReadWholeFile(first), ReadWholeFile(second));
}

TEST_F(ZafWindowPersistenceTest, FunctionNamesAreKeptBesideTheRecord)
{
    auto frame = MakeFrame();
    const std::string name = dir.File("names.znc");
    WriteFile(name, [&](ZafObjectPersistence &p) { frame->Write(p); });
    ZafStorage storage(name.c_str(), ZafStorage::Read);
    const std::pair<const char *, const char *> entries[] = {
        {"~ZafMDIWindow~FRAME~userFunction", "ChoiceHandler"},
        {"~ZafMDIWindow~FRAME~userObject", "target"},
        {"~ZafMDIWindow~FRAME~FIELD~userFunction", "ChoiceHandler"},
        {"~ZafMDIWindow~FRAME~CHILD~compareFunction", "ByName"}};
    for (const auto &entry : entries) {
        ZafFile *file = storage.Open(entry.first, ZafFileMode::Read);
        ASSERT_NE(nullptr, file) << entry.first;
        char *text = nullptr;
        file->ReadString(&text);
        EXPECT_STREQ(entry.second, text) << entry.first;
        delete[] text;
        storage.Close(file);
    }
    EXPECT_EQ(nullptr, storage.Open("~ZafMDIWindow~FRAME~OTHER~userFunction", ZafFileMode::Read));
}

TEST_F(ZafWindowPersistenceTest, NamesThatNoTableHoldsGiveNone)
{
    auto frame = MakeFrame();
    const std::string name = dir.File("unknown.znc");
    WriteFile(name, [&](ZafObjectPersistence &p) { frame->Write(p); });
    ZafStorage storage(name.c_str(), ZafStorage::Read);
    std::unique_ptr<ZafObjectPersistence> persistence(ZafPersistenceRegistry::MakePersistence(&storage));
    persistence->AddObjectConstructor(TestField::className, TestField::classID, ZafObjectNew<TestField::New>);
    ZafMDIWindow read("FRAME", *persistence);
    EXPECT_EQ(0, read.Error());
    EXPECT_EQ(nullptr, read.UserFunction());
    EXPECT_EQ(nullptr, read.UserObject());
    auto *child = dynamic_cast<ZafWindow *>(read.FindObjectByStringID("CHILD"));
    ASSERT_NE(nullptr, child);
    EXPECT_EQ(nullptr, child->CompareFunction());
}

TEST_F(ZafWindowPersistenceTest, ChildrenOfClassesWithoutConstructorAreSkipped)
{
    auto frame = MakeFrame();
    const std::string name = dir.File("skip.znc");
    WriteFile(name, [&](ZafObjectPersistence &p) { frame->Write(p); });
    ZafStorage storage(name.c_str(), ZafStorage::Read);
    std::unique_ptr<ZafObjectPersistence> persistence(ZafPersistenceRegistry::MakePersistence(&storage));
    ZafMDIWindow read("FRAME", *persistence);
    EXPECT_EQ(0, read.Error());
    EXPECT_EQ(nullptr, read.FindObjectByStringID("FIELD"));
    EXPECT_EQ(nullptr, read.FirstSupport());
    ASSERT_NE(nullptr, read.FindObjectByStringID("INNER"));
    EXPECT_EQ(nullptr, read.FindObjectByStringID("DEEP"));
}

TEST_F(ZafWindowPersistenceTest, MissingWindowKeepsItsDefaultsWithAnError)
{
    const std::string name = dir.File("empty.znc");
    WriteFile(name, [](ZafObjectPersistence &) {});
    ZafStorage storage(name.c_str(), ZafStorage::Read);
    auto persistence = MakePersistence(storage);
    ZafWindow read("NOWHERE", *persistence);
    EXPECT_EQ(14, read.Error());
    EXPECT_EQ(0, persistence->LevelIndex());
    EXPECT_TRUE(read.IsEmpty());
    EXPECT_TRUE(read.Destroyable());
    EXPECT_STREQ("NOWHERE", read.StringID());
}

TEST_F(ZafWindowPersistenceTest, TwoObjectsOfOneNameAreRefusedNotMerged)
{
    ZafWindow window(0, 0, 20, 5);
    window.SetStringID("TWINS");
    window.AddObject(new TestField("SAME", 1));
    window.AddObject(new TestField("SAME", 2));
    const std::string name = dir.File("twins.znc");
    ZafStorage storage(name.c_str(), ZafStorage::CreateTree);
    auto persistence = MakePersistence(storage);
    window.Write(*persistence);
    EXPECT_EQ(17u, persistence->Error());
    ZafWindow read("TWINS", *persistence);
    ASSERT_NE(nullptr, read.FirstChild());
    EXPECT_EQ(1, static_cast<TestField *>(read.FirstChild())->value) << "the first one stays";
}

// A window record made by hand: the window-object record with the names
// given, then valid window fields.
void WriteHandMadeWindow(ZafObjectPersistence &p, const char *name, const std::string &functionName,
                         std::uint16_t coordinates)
{
    p.PushLevel("ZafWindow", 1007, ZafWindowPersistence::topLevelEntry);
    ASSERT_EQ(0u, p.OpenLevelFile(name, ZafWindowPersistence::writeMode));
    p.Write16(static_cast<std::uint16_t>(5));
    for (int i = 0; i < 4; i++)
        p.Write32(static_cast<std::int32_t>(i * 10));
    p.Write16(static_cast<std::uint16_t>(ZafWindowObject::flagVisible));
    p.Write16(coordinates);
    for (int i = 0; i < 3; i++)
        p.WriteString("text");
    p.Write16(static_cast<std::uint16_t>(0));
    p.Write16(static_cast<std::uint16_t>(0));
    p.WriteString(nullptr);
    p.WriteString(functionName.c_str());
    p.WriteString(nullptr);
    p.WriteString(nullptr);
    p.Write16(static_cast<std::uint16_t>(ZafWindow::flagDestroyable));
    p.Write16(static_cast<std::uint16_t>(0));
    for (int i = 0; i < 4; i++)
        p.Write32(static_cast<std::int32_t>(i));
    p.Write16(static_cast<std::uint16_t>(0));
    p.PopLevel();
}

TEST_F(ZafWindowPersistenceTest, NamesLongerThan63CharactersAreRefusedWithError16)
{
    const std::string name = dir.File("long.znc");
    const std::string name63(63, 'n'), name64 = name63 + "n", name2000(2000, 'x');
    WriteFile(name, [&](ZafObjectPersistence &p) {
        WriteHandMadeWindow(p, "FIT", name63, 0);
        WriteHandMadeWindow(p, "LONG", name64, 0);
        WriteHandMadeWindow(p, "HUGE", name2000, 0);
        WriteHandMadeWindow(p, "BADTYPE", "", 7);
    });
    ZafStorage storage(name.c_str(), ZafStorage::Read);
    auto persistence = MakePersistence(storage);
    persistence->AddUserFunction(name63.c_str(), ChoiceHandler);
    ZafWindow fits("FIT", *persistence);
    EXPECT_EQ(0, fits.Error());
    EXPECT_EQ(ChoiceHandler, fits.UserFunction());
    EXPECT_EQ(5, fits.NumberID());
    for (const char *bad : {"LONG", "HUGE", "BADTYPE"}) {
        ZafWindow read(bad, *persistence);
        EXPECT_EQ(16, read.Error()) << bad;
        EXPECT_EQ(nullptr, read.UserFunction()) << bad;
        EXPECT_EQ(nullptr, read.HelpContext()) << bad << ": a refused record leaves the defaults";
        EXPECT_EQ(0, persistence->LevelIndex());
    }
}

TEST_F(ZafWindowPersistenceTest, WriterRefusesANameItCouldNotReadBack)
{
    const std::string longName(64, 'f');
    ZafWindow window(0, 0, 10, 3);
    window.SetStringID("W");
    window.SetUserFunction(ChoiceHandler);
    ZafStorage storage(dir.File("refuse.znc").c_str(), ZafStorage::CreateTree);
    std::unique_ptr<ZafObjectPersistence> persistence(ZafPersistenceRegistry::MakePersistence(&storage));
    persistence->AddUserFunction(longName.c_str(), ChoiceHandler);
    window.Write(*persistence);
    EXPECT_EQ(17u, persistence->Error());
}

TEST_F(ZafWindowPersistenceTest, ChildErrorReachesTheWindow)
{
    auto frame = MakeFrame();
    const std::string name = dir.File("child.znc");
    WriteFile(name, [&](ZafObjectPersistence &p) { frame->Write(p); });
    // Cut the first child's record short: the children after it read cleanly.
    {
        ZafStorage storage(name.c_str(), ZafStorage::Writeable);
        ZafFile *file = storage.Open("~ZafMDIWindow~FRAME~CHILD~objectData", ZafFileMode::Write);
        ASSERT_NE(nullptr, file);
        file->Write16(static_cast<std::uint16_t>(1));
        storage.Close(file);
        ASSERT_EQ(0u, storage.Save());
    }
    ZafStorage storage(name.c_str(), ZafStorage::Read);
    auto persistence = MakePersistence(storage);
    ZafMDIWindow read("FRAME", *persistence);
    EXPECT_EQ(16, read.Error());
    ZafWindowObject *child = read.FindObjectByStringID("CHILD");
    ASSERT_NE(nullptr, child);
    EXPECT_EQ(16, child->Error());
    EXPECT_NE(nullptr, read.FindObjectByStringID("OTHER"));
}

TEST(ZafPersistenceRegistry, TheCoreWindowsAreReadThroughTheObjectTable)
{
    for (ZafClassID id : {ZafWindow::classID, ZafDialogWindow::classID, ZafMDIWindow::classID}) {
        const ZafConstructorEntry *entry = ZafPersistenceRegistry::ObjectConstructors();
        while (entry->classID != id && entry->classID != ZafEndOfTable)
            entry++;
        EXPECT_NE(nullptr, entry->New) << id;
    }
}

} // namespace
