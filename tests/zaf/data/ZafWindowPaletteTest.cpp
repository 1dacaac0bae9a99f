// Palettes of window objects through the data layer's link: the colour and
// font setters, the effective palette, the class maps, system colours, the
// palette data's life with its observers, and a record naming a palette
// that is gone. (Palettes make the round trip of the frame in
// ZafWindowPersistenceTest.)
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "DataTestSupport.h"
#include "zaf/core/ZafApplication.h"
#include "zaf/core/ZafGdiDisplay.h"
#include "zaf/core/ZafWindow.h"
#include "zaf/data/ZafPaletteData.h"
#include "zaf/data/ZafPersistenceRegistry.h"
#include "zaf/data/ZafStorage.h"

namespace {

ZafPaletteStruct Colors(std::uint8_t foreground, std::uint8_t background, std::uint8_t font = 255)
{
    ZafPaletteStruct p;
    p.colorForeground = foreground;
    p.colorBackground = background;
    p.font = font;
    return p;
}

// A control with a class map of its own: type 4 in any state, and a
// selected-only text row ahead of the window object's.
struct Mapped : ZafWindowObject
{
    Mapped() : ZafWindowObject(1, 1, 10, 1) {}
    const ZafPaletteMap *ClassPaletteMap() const override { return map; }
    static const ZafPaletteMap map[];
};
const ZafPaletteMap Mapped::map[] = {
    {4, ZAF_PM_ANY_STATE, Colors(3, 4, 2)},
    {ZAF_PM_TEXT, ZAF_PM_SELECTED, Colors(9, 10)},
    {0, 0, ZafPaletteStruct()},
};

// A system-drawn control on a window class that keeps its font.
struct Label : ZafWindowObject
{
    Label() : ZafWindowObject(1, 1, 10, 1) {}
    HWND CreateOSWindow() override
    {
        HWND window = ZafCreateOSWindow(this, "STATIC", WS_CHILD, "label", Parent()->OSHandle(), 0, nullptr);
        UpdateFont();
        return window;
    }
};

// Palette data that counts its deletions.
struct CountedPalette : ZafPaletteData
{
    ~CountedPalette() override { ++deaths; }
    static int deaths;
};
int CountedPalette::deaths = 0;

class WindowPalette : public testing::Test
{
protected:
    void SetUp() override { ZafPaletteData::InstallWindowLink(); }
};

} // namespace

TEST_F(WindowPalette, SettersFillTheTextEntryOfTheEnabledStateMadeOnFirstUse)
{
    ZafWindowObject object(0, 0, 10, 1);
    EXPECT_EQ(object.PaletteData(), nullptr);
    EXPECT_EQ(object.SetFont(2), 2);
    ZafPaletteData *palette = object.PaletteData();
    ASSERT_NE(palette, nullptr);
    EXPECT_EQ(object.SetTextColor(4, 0), 4);
    EXPECT_EQ(object.SetBackgroundColor(14, 15), 14);
    EXPECT_EQ(object.PaletteData(), palette) << "later setters use the same palette data";

    ZafPaletteStruct e;
    palette->GetPalette(e, ZAF_PM_TEXT, ZAF_PM_ENABLED);
    EXPECT_EQ((std::vector<int>{2, 4, 0, 14, 15, 255}),
              (std::vector<int>{e.font, e.colorForeground, e.monoForeground, e.colorBackground, e.monoBackground,
                                e.lineStyle}));
}

TEST_F(WindowPalette, TheEffectivePaletteTakesEachValueFromTheFirstSourceThatSetsIt)
{
    ZafWindow parent(0, 0, 40, 10);
    auto *child = new Mapped;
    parent.AddObject(child);
    child->SetTextColor(5, 5);
    const std::uint16_t state = child->PaletteState();
    ASSERT_EQ(state, ZAF_PM_ENABLED | ZAF_PM_NOT_SELECTED);

    ZafPaletteStruct text;
    child->LogicalPalette(text, ZAF_PM_TEXT, state);
    EXPECT_EQ(text.colorForeground, 5) << "the object's own palette data first";
    EXPECT_EQ(text.colorBackground, ZAF_CLR_SYSTEM) << "then the window object's map";
    EXPECT_EQ(text.font, ZAF_FONT_DIALOG);

    child->SetSelected(true);
    child->LogicalPalette(text, ZAF_PM_TEXT, child->PaletteState());
    EXPECT_EQ(text.colorBackground, 10) << "the class's selected row before the window object's";

    // Type 4 is in the class map only; without it the parent's palette data
    // gives the value, and where nobody sets one the unset value stands.
    ZafPaletteStruct other;
    child->LogicalPalette(other, 4, state);
    EXPECT_EQ(other.colorForeground, 3);
    parent.SetPaletteData(new ZafPaletteData);
    parent.PaletteData()->SetPalette(4, ZAF_PM_ANY_STATE, Colors(6, 254));
    child->SetNoClassPalette(true);
    child->LogicalPalette(other, 4, state);
    EXPECT_EQ(other.colorForeground, 6);
    EXPECT_EQ(other.colorBackground, ZAF_CLR_UNSET);
    EXPECT_EQ(other.font, ZAF_FONT_UNSET);
    // The state follows selection and disabling up the chain.
    parent.SetDisabled(true);
    EXPECT_EQ(child->PaletteState(), ZAF_PM_DISABLED | ZAF_PM_SELECTED);
}

TEST_F(WindowPalette, MapRowsServeTypesByMaskAndStatesByContainedBits)
{
    Mapped object;
    EXPECT_EQ(object.MapPalette(4 | ZAF_PM_TEXT, ZAF_PM_ENABLED), &Mapped::map[0]);
    EXPECT_EQ(object.MapPalette(ZAF_PM_TEXT, ZAF_PM_SELECTED | ZAF_PM_ENABLED), &Mapped::map[1]);
    const ZafPaletteMap *text = object.MapPalette(ZAF_PM_TEXT, ZAF_PM_ENABLED);
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->type, ZAF_PM_TEXT) << "the window object's row";
    EXPECT_EQ(text->palette.colorForeground, ZAF_CLR_SYSTEM);
    EXPECT_EQ(object.MapPalette(16, ZAF_PM_ENABLED), nullptr);
}

TEST_F(WindowPalette, SystemColoursAreResolvedByTypeAndOnlyWhereAsked)
{
    ZafWindowObject object(0, 0, 10, 1);
    ZafPaletteStruct text = Colors(ZAF_CLR_SYSTEM, ZAF_CLR_SYSTEM);
    object.ResolveSystemColors(text, ZAF_PM_TEXT, ZAF_PM_ENABLED);
    EXPECT_EQ(static_cast<COLORREF>(text.osColorForeground), GetSysColor(COLOR_WINDOWTEXT));
    EXPECT_EQ(static_cast<COLORREF>(text.osColorBackground), GetSysColor(COLOR_WINDOW));

    ZafPaletteStruct disabled = Colors(ZAF_CLR_SYSTEM, 7);
    object.ResolveSystemColors(disabled, ZAF_PM_TEXT, ZAF_PM_DISABLED);
    EXPECT_EQ(static_cast<COLORREF>(disabled.osColorForeground), GetSysColor(COLOR_GRAYTEXT));
    EXPECT_EQ(disabled.osColorBackground, -1) << "a table colour is not a system colour";

    ZafPaletteStruct edge = Colors(ZAF_CLR_SYSTEM, ZAF_CLR_SYSTEM);
    edge.osColorBackground = 12345;
    object.ResolveSystemColors(edge, ZAF_PM_DARK_EDGE, ZAF_PM_ENABLED);
    EXPECT_EQ(static_cast<COLORREF>(edge.osColorForeground), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(edge.osColorBackground, 12345) << "a resolved value stays";
}

TEST_F(WindowPalette, ColoursAndFontReachTheObjectsDrawingAndItsWindow)
{
    ZafApplication::RegisterWindowClasses(GetModuleHandleA(nullptr));
    ZafApplication application(GetModuleHandleA(nullptr), {"test.exe"});
    ZafGdiDisplay *display = ZafScreenGdiDisplay();
    ASSERT_NE(display, nullptr);

    ZafWindow window(1, 1, 30, 8);
    window.SetVisible(false);
    auto *child = new Label;
    window.AddObject(child);
    EXPECT_EQ(child->BackgroundColor(), GetSysColor(COLOR_WINDOW));
    child->SetBackgroundColor(ZAF_COLOR_DARKGRAY, ZAF_COLOR_BLACK);
    child->SetTextColor(ZAF_COLOR_WHITE, ZAF_COLOR_WHITE);
    COLORREF gray = 0, white = 0;
    ASSERT_TRUE(display->ColorOf(ZAF_COLOR_DARKGRAY, gray));
    ASSERT_TRUE(display->ColorOf(ZAF_COLOR_WHITE, white));
    EXPECT_EQ(child->BackgroundColor(), gray);
    EXPECT_EQ(child->ForegroundColor(), white);

    window.Event(ZafEventRecord(ZAF_CREATE));
    ASSERT_NE(child->OSHandle(), nullptr);
    EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageA(child->OSHandle(), WM_GETFONT, 0, 0)),
              display->Font(ZAF_FONT_DIALOG));
    child->SetFont(ZAF_FONT_FIXED);
    EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageA(child->OSHandle(), WM_GETFONT, 0, 0)), display->Font(ZAF_FONT_FIXED))
        << "the palette's change reaches its observer's window";
    window.Event(ZafEventRecord(ZAF_DESTROY_OS_WINDOW));
    EXPECT_EQ(child->OSHandle(), nullptr);
}

TEST_F(WindowPalette, PaletteDataIsFreedWhenItsLastObserverGoes)
{
    CountedPalette::deaths = 0;
    auto *palette = new CountedPalette;
    auto *first = new ZafWindowObject(0, 0, 10, 1);
    auto *second = new ZafWindowObject(0, 0, 10, 1);
    first->SetPaletteData(palette);
    second->SetPaletteData(palette);
    first->SetPaletteData(palette); // the same again: nothing moves
    ZafWindowObject *copy = first->Duplicate();
    EXPECT_EQ(palette->NotificationCount(), 3);
    delete first;
    delete copy;
    EXPECT_EQ(CountedPalette::deaths, 0);
    EXPECT_EQ(palette->NotificationCount(), 1);
    second->SetPaletteData(nullptr);
    EXPECT_EQ(CountedPalette::deaths, 1) << "replaced by none, the last observer lets it go";
    delete second;
    EXPECT_EQ(CountedPalette::deaths, 1);

    // A palette that is not destroyable belongs to someone else.
    CountedPalette kept;
    kept.SetDestroyable(false);
    {
        ZafWindowObject object(0, 0, 10, 1);
        object.SetPaletteData(&kept);
    }
    EXPECT_EQ(CountedPalette::deaths, 1);
    EXPECT_EQ(kept.NotificationCount(), 0);
}

TEST_F(WindowPalette, ARecordNamingAMissingPaletteIsAnError)
{
    TempDirectory dir;
    const std::string name = dir.File("missing.znc");
    {
        StoredObjects file(name, ZafStorage::CreateTree);
        ZafWindow window(1, 1, 30, 8);
        window.SetStringID("LOST");
        window.SetFont(2);
        window.PaletteData()->SetStringID("gone");
        window.Write(*file.persistence);
        ASSERT_EQ(file.persistence->Error(), 0u);
        ASSERT_EQ(file.storage.Remove("~ZafWindow~LOST~gone"), 0);
        ASSERT_EQ(file.storage.Save(), 0u);
    }
    StoredObjects file(name, ZafStorage::Read);
    std::unique_ptr<ZafElement> window(
        file.persistence->NewObject(ZafWindow::classID, nullptr, "LOST", ZafObjectPersistence::topLevelEntry));
    ASSERT_NE(window, nullptr);
    EXPECT_NE(static_cast<ZafWindow *>(window.get())->Error(), 0);
    EXPECT_EQ(static_cast<ZafWindow *>(window.get())->PaletteData(), nullptr);
}
