#include "zaf/core/ZafBorder.h"
#include "zaf/core/ZafScrollBar.h"
#include "zaf/core/ZafText.h"
#include "zaf/core/ZafWindow.h"

#include "tests/zaf/ZafTestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

using Events = std::vector<ZafEventType>;

namespace {

int deaths = 0;

// A named window object that records its events and its deletion.
struct Item : zaftest::Recording<ZafWindowObject>
{
    explicit Item(const char *name = nullptr, ZafNumberID id = 0, const char *text = nullptr)
        : Recording(0, 0, 10, 1), label(text)
    {
        SetStringID(name);
        SetNumberID(id);
    }
    ~Item() override { ++deaths; }
    const char *Text() override { return label; }
    const char *label;
};

Item *SupportItem(const char *name, ZafNumberID id = 0)
{
    Item *item = new Item(name, id);
    item->SetSupportObject(true);
    return item;
}

// A radio button: selected, it deselects its like siblings.
struct Radio : Item
{
    using Item::Item;
    bool ExcludesSiblingsWhenSelected() const override { return true; }
};

// A support object by class, whatever its caller asks.
struct PinnedSupport : Item
{
    PinnedSupport(const char *name, ZafNumberID id = 0) : Item(name, id) { ForceSupportObject(false); }
    bool SetSupportObject(bool flag) override { return ForceSupportObject(flag); }
};

struct Window : zaftest::Recording<ZafWindow>
{
    explicit Window(const char *name = nullptr, ZafNumberID id = 0) : Recording(0, 0, 40, 10)
    {
        SetStringID(name);
        SetNumberID(id);
    }
};

std::string Names(const ZafList &list)
{
    std::string names;
    for (ZafElement *e = list.First(); e; e = e->Next())
        names += (names.empty() ? "" : " ") + std::string(e->StringID() ? e->StringID() : "?");
    return names;
}

} // namespace

// --- Adding and subtracting --------------------------------------------------------

TEST(ZafWindow, AddObjectAppendsInsertsBeforeAndSortsSupportObjectsApart)
{
    Window window;
    Item *a = new Item("a"), *c = new Item("c");
    EXPECT_EQ(window.AddObject(a), a);
    window.AddObject(c);
    window.AddObject(new Item("b"), c);
    Item stranger("stranger");
    window.AddObject(new Item("z"), &stranger); // not ours: appended
    Item *title = SupportItem("title", ZAF_NUMID_TITLE);
    window.AddObject(title);
    window.AddObject(new PinnedSupport("border", ZAF_NUMID_BORDER), title);
    EXPECT_EQ(Names(window), "a b c z");
    EXPECT_EQ(Names(window.SupportList()), "border title");
    EXPECT_EQ(c->Parent(), &window);
    EXPECT_EQ(title->Parent(), &window);
    EXPECT_EQ(c->GetListIndex(), 2);
    EXPECT_EQ(window.FindSupportObject(ZAF_NUMID_TITLE), title);
    EXPECT_EQ(window.FindSupportObject(ZAF_NUMID_MINIMIZE), nullptr);
    // With a compare function the children stay in order; before wins.
    Window sorted;
    sorted.SetCompareFunction(CompareObjectTexts);
    for (const char *text : {"Pear", "apple", static_cast<const char *>(nullptr), "FIG"})
        sorted.AddObject(new Item(text ? text : "none", 0, text));
    sorted.AddObject(new Item("first", 0, "Apple"), sorted.FirstChild());
    EXPECT_EQ(Names(sorted), "first none apple FIG Pear");
}

TEST(ZafWindow, AnObjectLivesInOneWindowOnly)
{
    Window first("first"), second("second");
    Item *item = new Item("item");
    first.AddObject(item);
    second.AddObject(item);
    second.AddObject(item); // again to the same window: one link
    EXPECT_EQ(first.Count(), 0);
    EXPECT_EQ(second.Count(), 1);
    EXPECT_EQ(item->Parent(), &second);
    // A window inside itself or inside its own child is refused.
    Window *child = new Window("child");
    first.AddObject(child);
    EXPECT_EQ(child->AddObject(&first), nullptr);
    EXPECT_EQ(first.AddObject(&first), nullptr);
    EXPECT_EQ(first.AddObject(nullptr), nullptr);
    EXPECT_EQ(first.Parent(), nullptr);
}

TEST(ZafWindow, SubtractObjectUnlinksAndHandsTheObjectBack)
{
    Window window;
    Item *a = new Item("a"), *b = new Item("b"), *support = SupportItem("support");
    for (Item *item : {a, b, support})
        window.AddObject(item);
    window.SetCurrent(b);
    EXPECT_EQ(window.SubtractObject(b), b);
    EXPECT_EQ(b->Parent(), nullptr);
    EXPECT_EQ(window.CurrentChild(), nullptr);
    EXPECT_EQ(window.SubtractObject(support), support);
    EXPECT_TRUE(window.SupportList().IsEmpty());
    EXPECT_TRUE(b->events.empty()); // not created: nothing to destroy
    Item stranger("stranger");
    EXPECT_EQ(window.SubtractObject(&stranger), &stranger);
    EXPECT_EQ(Names(window), "a");
    delete b;
    delete support;
    // Created, an object is told to make its window when added and to
    // destroy it when taken out.
    window.Create();
    Item *item = new Item("item");
    window.AddObject(item);
    EXPECT_EQ(item->events, (Events{ZAF_CREATE}));
    item->Create();
    window.SubtractObject(item);
    EXPECT_EQ(item->events, (Events{ZAF_CREATE, ZAF_DESTROY_OS_WINDOW}));
    item->Uncreate();
    delete item;
}

TEST(ZafWindow, OwnedObjectsAreDeletedOnceAndDeletedChildrenUnlinkThemselves)
{
    deaths = 0;
    {
        Window window;
        Item *doomed = new Item("doomed");
        for (Item *item : {new Item("a"), doomed, new Item("c"), SupportItem("support")})
            window.AddObject(item);
        delete doomed; // deleted by its holder while still in the window
        EXPECT_EQ(Names(window), "a c");
        EXPECT_EQ(deaths, 1);
    }
    EXPECT_EQ(deaths, 4);
    // DestroyChildren tells each child, then deletes the children only.
    deaths = 0;
    Window window;
    Events seen;
    struct Witness : Item
    {
        Witness(Events &log) : Item("w"), log(log) {}
        ZafEventType Event(const ZafEventRecord &e) override
        {
            log.push_back(e.type);
            return 0;
        }
        Events &log;
    };
    for (Item *item :
         {static_cast<Item *>(new Witness(seen)), static_cast<Item *>(new Witness(seen)), SupportItem("s")})
        window.AddObject(item);
    window.DestroyChildren();
    EXPECT_EQ(seen, (Events{ZAF_DESTROY_OS_WINDOW, ZAF_DESTROY_OS_WINDOW}));
    EXPECT_EQ(deaths, 2);
    EXPECT_TRUE(window.IsEmpty());
    EXPECT_EQ(window.SupportList().Count(), 1);
}

TEST(ZafWindow, EventsOfUnknownCodesGoToTheCurrentChild)
{
    Window window;
    Item *item = zaftest::AddTo(&window, new Item("item"));
    EXPECT_EQ(window.Event(ZafEventRecord(ZAF_UNKNOWN)), ZAF_UNKNOWN);
    EXPECT_TRUE(item->events.empty());
    window.SetCurrent(item);
    window.Event(ZafEventRecord(ZAF_UNKNOWN));
    EXPECT_EQ(item->events, (Events{ZAF_UNKNOWN}));
}

// --- Lookup by name and number ------------------------------------------------------

namespace {

// Top-level windows OTHER { DEEP (8) } and
// DIALOG (100)
//   support: TITLE (-5), OK (the vertical scroll bar's id)
//   children: NAME (1), GROUP (2) { OK (3), INNER (4) { DEEP (5), GROUP (6) } }, OK (7)
class ZafWindowLookup : public ::testing::Test
{
protected:
    void SetUp() override
    {
        dialog = new Window("DIALOG", 100);
        title = dialog->AddObject(SupportItem("TITLE", ZAF_NUMID_TITLE));
        supportOK = dialog->AddObject(SupportItem("OK", ZAF_NUMID_VT_SCROLL)); // same name as a child
        name = dialog->AddObject(new Item("NAME", 1));
        group = static_cast<Window *>(dialog->AddObject(new Window("GROUP", 2)));
        groupOK = group->AddObject(new Item("OK", 3));
        inner = static_cast<Window *>(group->AddObject(new Window("INNER", 4)));
        deep = inner->AddObject(new Item("DEEP", 5));
        innerGroup = inner->AddObject(new Item("GROUP", 6));
        dialog->AddObject(new Item("OK", 7));
        other = new Window("OTHER");
        otherDeep = other->AddObject(new Item("DEEP", 8));
        roots.Add(other);
        roots.Add(dialog);
        savedRoots = ZafWindowObject::SetRootWindowList(&roots);
    }
    void TearDown() override { ZafWindowObject::SetRootWindowList(savedRoots); }
    void ExpectFound(ZafWindowObject *from, std::vector<std::pair<const char *, ZafWindowObject *>> cases)
    {
        for (const auto &c : cases)
            EXPECT_EQ(from->FindObjectByStringID(c.first), c.second) << from->StringID() << " finds " << c.first;
    }

    ZafList roots; // owns both windows
    ZafList *savedRoots = nullptr;
    Window *dialog = nullptr, *group = nullptr, *inner = nullptr, *other = nullptr;
    ZafWindowObject *title, *supportOK, *name, *groupOK, *deep, *innerGroup, *otherDeep;
};

} // namespace

TEST_F(ZafWindowLookup, APlainNameIsFoundAtAnyDepthSupportObjectsFirst)
{
    // The support object named OK comes before every child named OK.
    ExpectFound(dialog, {{"DIALOG", dialog},
                         {"DEEP", deep},
                         {"TITLE", title},
                         {"OK", supportOK},
                         {"MISSING", nullptr},
                         {"", nullptr},
                         {nullptr, nullptr}});
    ExpectFound(group, {{"OK", groupOK}});
    ExpectFound(deep, {{"DEEP", deep}, {"INNER", nullptr}}); // no search upward
}

TEST_F(ZafWindowLookup, APathSearchesEachNameInsideTheOneBefore)
{
    ExpectFound(dialog, {{"GROUP~OK", groupOK},
                         {"GROUP~DEEP", deep},
                         {"INNER~DEEP", deep},
                         {"DIALOG~GROUP~INNER~DEEP", deep},
                         // The next name is looked for inside, never the object itself.
                         {"GROUP~GROUP", innerGroup},
                         {"INNER~INNER", nullptr},
                         {"NAME~OK", nullptr},
                         // Missing or empty segments find nothing.
                         {"GROUP~MISSING", nullptr},
                         {"MISSING~OK", nullptr},
                         {"GROUP~~OK", nullptr},
                         {"GROUP~", nullptr},
                         {"~", nullptr},
                         {"~~DIALOG", nullptr}});
}

TEST_F(ZafWindowLookup, ALeadingTildeStartsAtTheTopLevelWindowsInOrder)
{
    // From any object, even one in another window; OTHER holds a DEEP too.
    ExpectFound(deep, {{"~DIALOG~GROUP~OK", groupOK}, {"~DEEP", otherDeep}});
    ExpectFound(groupOK, {{"~OTHER", other}});
    ExpectFound(other, {{"~DIALOG~DEEP", deep}, {"~NOWHERE~DEEP", nullptr}});
    ZafWindowObject::SetRootWindowList(nullptr);
    ExpectFound(deep, {{"~DIALOG", nullptr}});
}

TEST_F(ZafWindowLookup, NumberIDsAreFoundInTheWindowItsSupportObjectsAndChildren)
{
    const std::pair<ZafNumberID, ZafWindowObject *> cases[] = {
        {100, dialog}, {5, deep}, {ZAF_NUMID_TITLE, title}, {3, groupOK}, {8, nullptr}}; // 8: another window
    for (const auto &c : cases)
        EXPECT_EQ(dialog->FindObjectByNumberID(c.first), c.second) << c.first;
    EXPECT_EQ(deep->FindObjectByNumberID(5), deep);
    EXPECT_EQ(deep->FindObjectByNumberID(4), nullptr);
}

// --- Selection and focus -----------------------------------------------------------

namespace {

std::string SelectedNames(const ZafWindow &window)
{
    std::string names;
    for (ZafElement *e = window.First(); e; e = e->Next())
        if (static_cast<ZafWindowObject *>(e)->Selected())
            names += (names.empty() ? "" : " ") + std::string(e->StringID());
    return names;
}

} // namespace

TEST(ZafWindowSelection, RadioButtonsExcludeEachOtherAndLeaveCheckBoxesAlone)
{
    Window window;
    Radio *r1 = new Radio("r1"), *r2 = new Radio("r2"), *r3 = new Radio("r3");
    Item *check = new Item("check");
    for (Item *item : {static_cast<Item *>(r1), check, static_cast<Item *>(r2), static_cast<Item *>(r3)})
        window.AddObject(item);
    check->SetSelected(true);
    r1->SetSelected(true);
    EXPECT_EQ(SelectedNames(window), "r1 check");
    EXPECT_TRUE(r2->SetSelected(true));
    EXPECT_FALSE(check->SetSelected(false));
    EXPECT_EQ(SelectedNames(window), "r2");
    // The last selected radio stays selected unless the window allows none.
    EXPECT_TRUE(r2->SetSelected(false));
    EXPECT_EQ(SelectedNames(window), "r2");
    window.SetAllowEmptySelection(true);
    EXPECT_FALSE(r2->SetSelected(false));
    EXPECT_FALSE(r3->SetSelected(false)); // never selected: may always be set off
    // A list makes all its entries exclude each other.
    struct ListWindow : Window
    {
        bool SelectionExcludes(const ZafWindowObject *) const override { return true; }
    } list;
    Item *a = new Item("a"), *b = new Item("b");
    list.AddObject(a);
    list.AddObject(b);
    a->SetSelected(true);
    b->SetSelected(true);
    EXPECT_TRUE(b->SetSelected(false)); // the last one stays
    EXPECT_EQ(SelectedNames(list), "b");
}

TEST(ZafWindowSelection, MultipleSelectionLeavesEveryChildAloneAndModesAreFixedOnceCreated)
{
    Window window;
    EXPECT_EQ(window.SetSelectionMode(1), 1u);
    Radio *r1 = new Radio("r1"), *r2 = new Radio("r2"), *r3 = new Radio("r3");
    for (Radio *radio : {r1, r2, r3})
        window.AddObject(radio);
    r1->SetSelected(true);
    r2->SetSelected(true);
    EXPECT_FALSE(r2->SetSelected(false));
    r2->SetSelected(true);
    r3->SetSelected(true);
    EXPECT_EQ(SelectedNames(window), "r1 r2 r3");
    // Back to single selection: only the first selected radio stays.
    EXPECT_EQ(window.SetSelectionMode(0), 0u);
    EXPECT_EQ(SelectedNames(window), "r1");
    // Unknown modes are refused, and any change once created.
    EXPECT_EQ(window.SetSelectionMode(7), 0u);
    EXPECT_EQ(window.SetSelectionMode(2), 2u);
    window.Create();
    EXPECT_EQ(window.SetSelectionMode(0), 2u);
    EXPECT_FALSE(window.SetTemporary(true));
    window.Uncreate();
    EXPECT_TRUE(window.SetTemporary(true));
}

TEST(ZafWindowFocus, AWindowlessChildGainingFocusBecomesCurrentUpTheChain)
{
    Window outer;
    Window *inner = new Window("inner");
    Item *a = new Item("a"), *b = new Item("b"), *c = new Item("c");
    outer.AddObject(a);
    outer.AddObject(inner);
    inner->AddObject(b);
    inner->AddObject(c);
    for (Item *item : {a, b, c})
        item->SetOwnWindow(false);

    EXPECT_TRUE(a->SetFocus(true));
    EXPECT_EQ(outer.CurrentChild(), a);
    EXPECT_TRUE(b->SetFocus(true));
    EXPECT_EQ(inner->CurrentChild(), b);
    EXPECT_EQ(outer.CurrentChild(), inner); // the change passes upward
    EXPECT_TRUE(c->SetFocus(true));
    EXPECT_EQ(inner->CurrentChild(), c);
    EXPECT_FALSE(b->Focus()); // told ZAF_NOT_CURRENT
    EXPECT_EQ(b->events.back(), ZAF_NOT_CURRENT);
    EXPECT_FALSE(c->SetFocus(false));
    EXPECT_EQ(inner->CurrentChild(), c);
    // No focus is given when disabled or refusing up the chain.
    outer.SetDisabled(true);
    EXPECT_FALSE(a->SetFocus(true));
    EXPECT_EQ(outer.CurrentChild(), inner);
    outer.SetDisabled(false);
    outer.SetNoFocus(true);
    EXPECT_FALSE(a->SetFocus(true));
    outer.SetNoFocus(false);
    EXPECT_TRUE(a->SetFocus(true));
}

// --- Flags, copies and frame objects -------------------------------------------------

TEST(ZafWindow, CopyDuplicatesSupportObjectsAndChildrenInOrderAndChangedFoldsOverThem)
{
    Window window("source");
    window.SetSelectionMode(1);
    window.SetTemporary(true);
    window.AddObject(SupportItem("border", ZAF_NUMID_BORDER));
    window.AddObject(new Item("one"));
    Window *sub = new Window("sub");
    sub->AddObject(new Item("inside"));
    window.AddObject(sub);

    ZafWindow copy(window);
    EXPECT_EQ(Names(copy), "one sub");
    EXPECT_EQ(Names(copy.SupportList()), "border");
    EXPECT_EQ(copy.SelectionMode(), 1u);
    EXPECT_TRUE(copy.Temporary());
    ZafWindowObject *copiedSub = copy.FindObjectByStringID("sub");
    ASSERT_NE(copiedSub, nullptr);
    EXPECT_NE(copiedSub, sub);
    EXPECT_EQ(copiedSub->Parent(), &copy);
    EXPECT_EQ(copy.FirstSupport()->Parent(), &copy);
    ZafWindowObject *inside = copy.FindObjectByStringID("sub~inside");
    ASSERT_NE(inside, nullptr);
    EXPECT_EQ(inside->Parent(), copiedSub);
    EXPECT_NE(inside, window.FindObjectByStringID("sub~inside"));
    // Changed folds over the children, and clearing clears them all.
    EXPECT_FALSE(copy.Changed());
    inside->SetChanged(true);
    EXPECT_TRUE(copy.Changed());
    copy.SetChanged(false);
    EXPECT_FALSE(inside->Changed());
    // An explicit region is no client size.
    copy.SetRegionIsClientSize(true);
    copy.SetRegion(1, 1, 20, 5, ZAF_CELL);
    EXPECT_FALSE(copy.RegionIsClientSize());
}

namespace {

std::vector<int> madeIDs;

ZafWindowObject *MakeGeneric(ZafNumberID id, ZafStringData *, ZafWindow *)
{
    madeIDs.push_back(static_cast<std::int16_t>(id));
    if (id == ZAF_NUMID_MINIMIZE)
        return nullptr; // a maker may leave one out
    return new Item(("generic" + std::to_string(static_cast<std::int16_t>(id))).c_str(), id);
}

} // namespace

TEST(ZafWindow, AddGenericObjectsAddsTheFrameObjectsInOrder)
{
    Window window;
    EXPECT_FALSE(window.AddGenericObjects());
    EXPECT_TRUE(window.SupportList().IsEmpty());
    madeIDs.clear();
    ZafWindow::SetGenericObjectMaker(MakeGeneric);
    EXPECT_TRUE(window.AddGenericObjects());
    ZafWindow::SetGenericObjectMaker(nullptr);
    EXPECT_EQ(madeIDs, (std::vector<int>{-1, -2, -3, -4, -5}));
    EXPECT_EQ(Names(window.SupportList()), "generic-1 generic-2 generic-4 generic-5");
    EXPECT_TRUE(window.IsEmpty());
}

TEST(ZafWindow, FrameSupportObjectsAreFoundByNumberIDAndClass)
{
    Window window;
    EXPECT_EQ(window.FindBorder(), nullptr);
    EXPECT_EQ(window.VerticalScrollBar(), nullptr);
    auto *border = new ZafBorder;
    auto *horizontal = new ZafScrollBar(ZafScrollBar::horizontal);
    window.AddObject(border);
    window.AddObject(horizontal);
    std::vector<ZafWindowObject *> frame;
    for (ZafNumberID id :
         {ZAF_NUMID_MAXIMIZE, ZAF_NUMID_MINIMIZE, ZAF_NUMID_SYSTEM, ZAF_NUMID_TITLE, ZAF_NUMID_PULL_DOWN_MENU})
        frame.push_back(window.AddObject(new PinnedSupport("frame", id)));
    // An ordinary child with a support object's id is none of them.
    window.AddObject(new Item("child", ZAF_NUMID_VT_SCROLL));
    EXPECT_EQ(window.FindBorder(), border);
    EXPECT_EQ(window.HorizontalScrollBar(), horizontal);
    EXPECT_EQ(window.VerticalScrollBar(), nullptr);
    EXPECT_EQ(frame, (std::vector<ZafWindowObject *>{window.FindMaximizeButton(), window.MinimizeButton(),
                                                     window.FindSystemButton(), window.FindTitle(),
                                                     window.FindPullDownMenu()}));
    // A support object of another class is not taken for the border or a
    // scroll bar; a vertical bar in the horizontal bar's place still is one.
    Window other;
    other.AddObject(new PinnedSupport("not a border", ZAF_NUMID_BORDER));
    other.AddObject(new PinnedSupport("not a bar", ZAF_NUMID_HZ_SCROLL));
    auto *bar = new ZafScrollBar(ZafScrollBar::vertical);
    other.AddObject(bar);
    EXPECT_NE(other.FindSupportObject(ZAF_NUMID_BORDER), nullptr);
    EXPECT_EQ(other.FindBorder(), nullptr);
    EXPECT_EQ(other.HorizontalScrollBar(), nullptr);
    EXPECT_EQ(other.VerticalScrollBar(), bar);
}

// --- Broadcast ---------------------------------------------------------------------

namespace {

constexpr ZafEventType broadcastCode = -9100;
std::string reached;

// Logs the broadcast it receives, then does what it is told to the window's
// objects: delete one (itself included) or take one out.
struct Receiver : Item
{
    using Item::Item;
    ZafEventType Event(const ZafEventRecord &event) override
    {
        if (event.type != broadcastCode)
            return Item::Event(event);
        reached += (reached.empty() ? "" : " ") + std::string(StringID());
        ZafWindowObject *doomed = deletes;
        if (takesOut)
            static_cast<ZafWindow *>(Parent())->SubtractObject(takesOut);
        delete doomed; // may be this object: nothing touches it after
        return event.type;
    }
    ZafWindowObject *deletes = nullptr;
    ZafWindowObject *takesOut = nullptr;
};

struct ReceiverWindow : Window
{
    using Window::Window;
    ZafEventType Event(const ZafEventRecord &event) override
    {
        if (event.type != broadcastCode)
            return Window::Event(event);
        reached += (reached.empty() ? "" : " ") + std::string(StringID());
        if (deletesItself)
            delete this;
        return event.type;
    }
    bool deletesItself = false;
};

std::string Reached(ZafWindow &window, int depth)
{
    reached.clear();
    window.BroadcastEvent(ZafEventRecord(broadcastCode), depth);
    return reached;
}

} // namespace

TEST(ZafWindowBroadcast, SupportObjectsComeFirstAndDepthSaysHowFarItGoes)
{
    Window window("top");
    window.AddObject(new Receiver("a"));
    auto *inner = static_cast<ZafWindow *>(window.AddObject(new ReceiverWindow("inner")));
    auto *support = new Receiver("support");
    support->SetSupportObject(true);
    window.AddObject(support); // added last, reached first
    inner->AddObject(new Receiver("b"));
    auto *innerSupport = new Receiver("innerSupport");
    innerSupport->SetSupportObject(true);
    inner->AddObject(innerSupport);
    static_cast<ZafWindow *>(inner->AddObject(new ReceiverWindow("deepest")))->AddObject(new Receiver("c"));

    EXPECT_EQ(Reached(window, 0), "support a inner");
    EXPECT_EQ(Reached(window, 1), "support a inner innerSupport b deepest");
    EXPECT_EQ(Reached(window, 5), "support a inner innerSupport b deepest c");
}

TEST(ZafWindowBroadcast, ReceiversMayDeleteOrTakeOutThemselvesAndOthersOnTheWay)
{
    Window window("top");
    auto *a = new Receiver("a"), *b = new Receiver("b"), *c = new Receiver("c");
    auto *d = new Receiver("d"), *e = new Receiver("e");
    auto *nested = new ReceiverWindow("nested");
    for (ZafWindowObject *object : std::vector<ZafWindowObject *>{a, b, c, d, e, nested})
        window.AddObject(object);
    nested->AddObject(new Receiver("never"));
    a->deletes = b;  // a sibling still to come
    c->deletes = c;  // itself
    d->takesOut = e; // a sibling taken out, not deleted
    nested->deletesItself = true;

    deaths = 0;
    EXPECT_EQ(Reached(window, 3), "a c d nested");
    EXPECT_EQ(deaths, 3); // b, c and the child of the nested window
    EXPECT_EQ(Names(window), "a d");
    EXPECT_EQ(e->Parent(), nullptr);
    delete e;
}
