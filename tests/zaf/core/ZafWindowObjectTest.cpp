#include "zaf/core/ZafApplication.h"
#include "zaf/core/ZafDisplay.h"
#include "zaf/core/ZafWindow.h"
#include "zaf/core/ZafWindowManager.h"
#include "zaf/core/ZafWindowObject.h"

#include "tests/zaf/ZafTestSupport.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

using Events = std::vector<ZafEventType>;
using Sides = std::vector<int>;

namespace {

using zaftest::Recording;

struct Probe : Recording<ZafWindowObject>
{
    Probe() : Recording(2, 3, 10, 1) {}
};

struct ProbeWindow : Recording<ZafWindow>
{
    ProbeWindow() : Recording(0, 0, 40, 10) {}
};

} // namespace

TEST(ZafWindowObject, AttributeSettersAreRefusedOnceCreated)
{
    const struct
    {
        const char *name;
        std::function<bool(ZafWindowObject &, bool)> set;
    } setters[] = {
        {"Bordered", [](ZafWindowObject &o, bool f) { return o.SetBordered(f); }},
        {"SystemDrawn", [](ZafWindowObject &o, bool f) { return o.SetSystemDrawn(f); }},
        {"ParentDrawsBorder", [](ZafWindowObject &o, bool f) { return o.SetParentDrawsBorder(f); }},
        {"ParentDrawsFocus", [](ZafWindowObject &o, bool f) { return o.SetParentDrawsFocus(f); }},
        {"NoClassPalette", [](ZafWindowObject &o, bool f) { return o.SetNoClassPalette(f); }},
        {"LayoutMode", [](ZafWindowObject &o, bool f) { return o.SetLayoutMode(f); }},
        {"RegionType", [](ZafWindowObject &o, bool f) { return o.SetRegionType(f ? 2 : 0) == 2; }},
        {"CoordinateType",
         [](ZafWindowObject &o, bool f) { return o.SetCoordinateType(f ? ZAF_PIXEL : ZAF_CELL) == ZAF_PIXEL; }},
    };
    for (const auto &s : setters) {
        Probe object;
        EXPECT_TRUE(s.set(object, true)) << s.name << " before creation";
        object.Create();
        EXPECT_TRUE(s.set(object, false)) << s.name << " changed once created";
        EXPECT_TRUE(s.set(object, true)) << s.name;
        object.Uncreate();
        EXPECT_FALSE(s.set(object, false)) << s.name << " after the window went";
    }
    // The coordinate type also sets the region's, unconverted; unknown types are refused.
    Probe object;
    EXPECT_EQ(object.SetCoordinateType(ZAF_MINI_CELL), ZAF_MINI_CELL);
    EXPECT_EQ(object.SetCoordinateType(12), ZAF_MINI_CELL);
    EXPECT_EQ(object.Region().coordinateType, ZAF_MINI_CELL);
    EXPECT_EQ(object.Region().right, 11);
    // Selecting marks the object changed only once it is created.
    object.SetSelected(true);
    EXPECT_FALSE(object.Changed());
    object.Create();
    EXPECT_FALSE(object.SetSelected(false));
    EXPECT_TRUE(object.Changed());
}

TEST(ZafWindowObject, TextsAreOwnedCopiesAndMaySetThemselves)
{
    Probe object;
    char help[] = "USE_AUTORECODE";
    object.SetHelpContext(help);
    help[0] = 'X';
    EXPECT_STREQ(object.HelpContext(), "USE_AUTORECODE");
    // Setting a text to itself must not read freed memory.
    object.SetHelpContext(object.HelpContext());
    EXPECT_STREQ(object.HelpContext(), "USE_AUTORECODE");
    object.SetSecondTipText("second");
    EXPECT_EQ(object.SetSecondTipText(nullptr), nullptr);
}

// --- Events and user functions -------------------------------------------------

namespace {

struct Call
{
    ZafWindowObject *object = nullptr;
    ZafEventType code = 0;
    std::intptr_t value = 0;
    int count = 0;
};
Call lastCall;

ZafEventType Handler(ZafWindowObject *object, ZafEventRecord &event, ZafEventType code)
{
    lastCall = {object, code, event.value, lastCall.count + 1};
    event.value = -1; // a copy: the caller's event must not change
    return 42;
}

} // namespace

TEST(ZafWindowObject, SelectionAndFocusChangeRunTheUserFunctionWithACopy)
{
    lastCall = Call();
    Probe object;
    ZafEventRecord select(ZAF_SELECT, 7);
    EXPECT_EQ(object.Event(select), 0); // no user function yet
    EXPECT_EQ(lastCall.count, 0);
    EXPECT_EQ(object.SetUserFunction(Handler), Handler);
    EXPECT_EQ(object.Event(select), 42);
    EXPECT_EQ(lastCall.object, &object);
    EXPECT_EQ(lastCall.code, ZAF_SELECT);
    EXPECT_EQ(lastCall.value, 7);
    EXPECT_EQ(select.value, 7);
    EXPECT_EQ(object.Event(ZafEventRecord(ZAF_FOCUS_CHANGE)), 42);
    EXPECT_EQ(lastCall.code, ZAF_FOCUS_CHANGE);
    // Other codes do not reach the user function.
    EXPECT_EQ(object.Event(ZafEventRecord(ZAF_DOUBLE_SELECT)), ZAF_UNKNOWN);
    EXPECT_EQ(lastCall.count, 2);
    // A dispatcher replaces the default; null restores it.
    object.SetUserCallback([](ZafWindowObject *, const ZafEventRecord &, ZafEventType code) { return code + 1; });
    EXPECT_EQ(object.Event(ZafEventRecord(ZAF_SELECT)), ZAF_SELECT + 1);
    EXPECT_EQ(object.SetUserCallback(nullptr), &ZafWindowObject::CallUserFunction);
    EXPECT_EQ(object.Event(ZafEventRecord(ZAF_SELECT)), 42);
    EXPECT_EQ(ZafWindowObject::CallUserFunction(nullptr, ZafEventRecord(ZAF_SELECT), ZAF_SELECT), 0);
}

// --- Parents and screen ------------------------------------------------------------

TEST(ZafWindowObject, UpChainQueriesFoldOverTheParents)
{
    ProbeWindow outer;
    auto *inner = zaftest::AddTo(&outer, new ProbeWindow);
    auto *object = zaftest::AddTo(inner, new Probe);
    EXPECT_EQ(object->RootObject(), &outer);
    EXPECT_FALSE(object->IsNoFocusUpChain());
    // The argument says whether the object itself counts.
    outer.SetDisabled(true);
    inner->SetVisible(false);
    outer.SetRedraw(false);
    inner->SetNoFocus(true);
    EXPECT_EQ((std::vector<bool>{object->IsDisabledUpChain(true), object->IsDisabledUpChain(false),
                                 object->IsVisibleUpChain(true), object->IsVisibleUpChain(false),
                                 object->IsRedrawOnUpChain(true), object->IsRedrawOnUpChain(false),
                                 object->IsNoFocusUpChain()}),
              (std::vector<bool>{true, false, false, true, false, true, true}));
}

namespace {

// An object that holds another without being a window, as a menu item
// holds its sub-menu.
struct Holder : Probe
{
    void Hold(Holder &inner) { inner.parent = this; }
    void ForgetChild(ZafWindowObject *) override {}
    bool ExcludesSiblingsWhenSelected() const override { return true; }
};

} // namespace

TEST(ZafWindowObject, FocusAndSelectionPassThroughAParentThatIsNoWindow)
{
    ProbeWindow window;
    auto *holder = zaftest::AddTo(&window, new Holder);
    auto *sibling = zaftest::AddTo(&window, new Probe);
    Holder inner;
    holder->Hold(inner);
    sibling->SetFocus(true);
    EXPECT_TRUE(inner.SetFocus(true));
    EXPECT_EQ(window.CurrentChild(), holder);
    EXPECT_FALSE(sibling->Focus());
    EXPECT_TRUE(inner.SetSelected(true));
    EXPECT_FALSE(inner.SetSelected(false));
}

TEST(ZafWindowObject, OnScreenSettersRedisplayAndSwitchingTheOwnWindowRemakesIt)
{
    ProbeWindow window;
    auto *windowless = zaftest::AddTo(&window, new Probe), *owning = zaftest::AddTo(&window, new Probe);
    windowless->SetOwnWindow(false);
    windowless->SetDisabled(true); // nothing on screen yet: only the flags
    EXPECT_TRUE(windowless->Disabled());
    EXPECT_FALSE(owning->SetOwnWindow(false));
    EXPECT_TRUE(windowless->events.empty());
    EXPECT_TRUE(owning->events.empty());

    window.Create();
    EXPECT_FALSE(windowless->SetDisabled(false));
    EXPECT_FALSE(windowless->SetVisible(false));
    EXPECT_EQ(windowless->events, (Events{ZAF_REDISPLAY, ZAF_REDISPLAY}));
    window.events.clear();
    EXPECT_TRUE(owning->SetOwnWindow(true));
    EXPECT_EQ(owning->events, (Events{ZAF_DESTROY_OS_WINDOW, ZAF_CREATE_OS_WINDOW}));
    EXPECT_EQ(window.events, (Events{ZAF_REDISPLAY_AREA}));
}

// --- Regions ---------------------------------------------------------------------

namespace {

class ZafWindowObjectRegion : public ::testing::Test
{
protected:
    void SetUp() override
    {
        saved = zafScreenDisplay;
        zafScreenDisplay = &display; // 8 x 20 pixel cells, 2 + 2 pixels spacing
    }
    void TearDown() override { zafScreenDisplay = saved; }
    // Left, top, right, bottom of the region converted to a type.
    Sides To(ZafRegionRect r, ZafCoordinateType type)
    {
        object.ConvertRegion(r, type);
        return {r.left, r.top, r.right, r.bottom};
    }
    ZafDisplay display{ZafCellMetrics()};
    ZafDisplay *saved = nullptr;
    Probe object; // cells 2,3 .. 11,3
};

} // namespace

TEST_F(ZafWindowObjectRegion, CellRegionsKeepTheCellSpacingFreeUnlessOfTypeTwo)
{
    // Rows 1-2 span pixels 20-59; 2 pixels stay free above and below.
    EXPECT_EQ(To({1, 1, 10, 2, ZAF_CELL}, ZAF_PIXEL), (Sides{8, 22, 87, 57}));
    EXPECT_EQ(To({8, 22, 87, 57, ZAF_PIXEL}, ZAF_CELL), (Sides{1, 1, 10, 2}));
    // To points through the spacing: 22 px = 16.5 -> 17 pt, 36 px = 27 pt high.
    const Sides points = To({1, 1, 10, 2, ZAF_CELL}, ZAF_POINT);
    EXPECT_EQ(points[1], 17);
    EXPECT_EQ(points[3] - points[1] + 1, 27);
    // Mini-cells are not cells: no spacing.
    const Sides minis = To({10, 10, 19, 19, ZAF_MINI_CELL}, ZAF_PIXEL);
    EXPECT_EQ((Sides{minis[0], minis[1]}), (Sides{8, 20}));
    object.SetRegionType(2);
    EXPECT_EQ(To({1, 1, 10, 2, ZAF_CELL}, ZAF_PIXEL), (Sides{8, 20, 87, 59}));
}

TEST_F(ZafWindowObjectRegion, ConvertCoordinatesConvertsTheOwnRegionOnly)
{
    object.ConvertCoordinates(ZAF_PIXEL);
    ZafRegionRect r = object.Region();
    EXPECT_EQ((Sides{r.left, r.top, r.right, r.bottom, r.coordinateType}), (Sides{16, 62, 95, 77, ZAF_PIXEL}));
    EXPECT_EQ(object.CoordinateType(), ZAF_CELL);
}

// --- Copies ---------------------------------------------------------------------

TEST(ZafWindowObject, CopyIsUnlinkedWithoutFocusAndWithItsOwnTexts)
{
    ProbeWindow window;
    auto *source = zaftest::AddTo(&window, new Probe);
    source->SetStringID("FIELD");
    source->SetTipText("tip");
    source->SetUserFunction(Handler);
    source->SetSelected(true);
    source->SetFocus(true);
    source->SetError(5);
    ASSERT_TRUE(source->Focus());

    ZafWindowObject *copy = source->Duplicate();
    EXPECT_EQ(copy->Parent(), nullptr);
    EXPECT_EQ(copy->Next(), nullptr);
    EXPECT_EQ((std::vector<int>{copy->Focus(), copy->Selected(), copy->Error(), copy->Region().right}),
              (std::vector<int>{false, true, 0, source->Region().right}));
    EXPECT_EQ(copy->UserFunction(), Handler);
    EXPECT_STREQ(copy->TipText(), "tip");
    EXPECT_NE(copy->TipText(), source->TipText());
    EXPECT_STREQ(copy->StringID(), "FIELD");
    EXPECT_NE(copy->StringID(), source->StringID());
    delete copy;
}

// --- Drag and drop -----------------------------------------------------------------

namespace {

// An object with a text of its own, as a text field has.
struct Field : ZafWindowObject
{
    explicit Field(const char *initial = "") : ZafWindowObject(0, 0, 10, 1), text(initial) {}
    const char *Text() override { return text.c_str(); }
    int SetText(const char *newText) override
    {
        text = newText ? newText : "";
        return 0;
    }
    std::string text;
};

// A window manager of its own whose drag object the fields see.
class ZafWindowObjectDrop : public ::testing::Test
{
protected:
    void SetUp() override
    {
        previous = zafWindowManager;
        zafWindowManager = &manager;
        target.SetAcceptDrop(true);
        source.SetMoveDraggable(true);
        source.SetCopyDraggable(true);
        manager.SetDragObject(&source);
    }
    void TearDown() override
    {
        manager.SetDragObject(nullptr);
        zafWindowManager = previous;
    }
    ZafEventType Drop(ZafWindowObject &onto, ZafEventType code) { return onto.Event(ZafEventRecord(code)); }
    std::string Texts() { return source.text + " " + target.text; }

    ZafWindowManager *previous = nullptr;
    ZafWindowManager manager;
    Field source{"alpha"};
    Field target{"old"};
};

} // namespace

TEST_F(ZafWindowObjectDrop, TheQueryAnswersMoveBeforeCopyWhenTheDropCanBeTaken)
{
    EXPECT_EQ(Drop(target, ZAF_DROP_QUERY), ZAF_DROP_MOVE);
    source.SetMoveDraggable(false);
    EXPECT_EQ(Drop(target, ZAF_DROP_QUERY), ZAF_DROP_COPY);
    source.SetCopyDraggable(false);
    EXPECT_EQ(Drop(target, ZAF_DROP_QUERY), ZAF_REFUSED);
    source.SetCopyDraggable(true);
    // Refused: not accepting, disabled up the chain, onto the source itself,
    // or nothing dragged.
    target.SetAcceptDrop(false);
    EXPECT_EQ(Drop(target, ZAF_DROP_QUERY), ZAF_REFUSED);
    target.SetAcceptDrop(true);
    ProbeWindow window;
    window.AddObject(&target);
    window.SetDisabled(true);
    EXPECT_EQ(Drop(target, ZAF_DROP_QUERY), ZAF_REFUSED);
    window.SubtractObject(&target);
    source.SetAcceptDrop(true);
    EXPECT_EQ(Drop(source, ZAF_DROP_QUERY), ZAF_REFUSED);
    manager.SetDragObject(nullptr);
    EXPECT_EQ(Drop(target, ZAF_DROP_QUERY), ZAF_REFUSED);
    EXPECT_EQ(Texts(), "alpha old");
}

TEST_F(ZafWindowObjectDrop, ACopyTakesTheTextAMoveEmptiesTheSourceAndNoTextIsLostOtherwise)
{
    // An object without a text of its own cannot take one: the move is
    // refused and the source keeps its text.
    Probe plain;
    plain.SetAcceptDrop(true);
    EXPECT_EQ(Drop(plain, ZAF_DROP_MOVE), ZAF_REFUSED);
    // A source that may only be copied keeps its text against a move.
    source.SetMoveDraggable(false);
    EXPECT_EQ(Drop(target, ZAF_DROP_MOVE), ZAF_REFUSED);
    // Codes of the range that are no drop are not acted on.
    EXPECT_EQ(Drop(target, ZAF_DRAG_LAST), ZAF_UNKNOWN);
    EXPECT_EQ(Texts(), "alpha old");

    EXPECT_EQ(Drop(target, ZAF_DROP_COPY), ZAF_DROP_COPY);
    EXPECT_EQ(Texts(), "alpha alpha");
    source.SetMoveDraggable(true);
    source.text = "beta";
    EXPECT_EQ(Drop(target, ZAF_DROP_MOVE), ZAF_DROP_MOVE);
    EXPECT_EQ(Texts(), " beta");
    // Nothing to drop: the target keeps its text.
    EXPECT_EQ(Drop(target, ZAF_DROP_COPY), ZAF_REFUSED);
    EXPECT_EQ(Texts(), " beta");
}
