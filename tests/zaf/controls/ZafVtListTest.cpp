// The vertical list on a real LISTBOX, driven as a user drives it: clicks
// with Ctrl and Shift, double clicks and arrow keys, checked through the
// entries, their user functions and what the list box reports.
#include "zaf/controls/ZafVtList.h"
#include "zaf/controls/ZafButton.h"
#include "zaf/core/ZafScrollBar.h"

#include "FieldTestSupport.h"
#include "tests/support/PaintedWindow.h"

#include <string>

using fieldtest::FieldTest;
using fieldtest::TakeCalls;

namespace {

class ZafVtListTest : public FieldTest
{
protected:
    ZafVtListTest()
    {
        ZafVtList::RegisterPersistence();
        dialog = Dialog();
    }
    ~ZafVtListTest() override
    {
        if (dialog)
            Close(dialog);
    }

    // A list of entries named by their texts, each reporting to the
    // recording user function, with a field after it in the dialog.
    ZafVtList *MakeList(unsigned mode, std::initializer_list<const char *> texts)
    {
        list = Add(dialog, new ZafVtList(1, 1, 30, 8));
        list->SetSelectionMode(mode);
        for (const char *text : texts) {
            auto *entry = new ZafButton(0, 0, 20, 1, text);
            entry->SetUserFunction(fieldtest::RecordCall);
            list->AddObject(entry);
        }
        after = Add(dialog, new ZafString(1, 10, 20, "", 20));
        return list;
    }
    ZafWindowObject *Entry(int row) { return static_cast<ZafWindowObject *>(list->Get(row)); }
    HWND Box() { return list->OSHandle(); }
    LRESULT Ask(UINT message, WPARAM wParam = 0, LPARAM lParam = 0)
    {
        return SendMessageA(Box(), message, wParam, lParam);
    }
    LPARAM RowPoint(int row)
    {
        RECT r = {};
        Ask(LB_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&r));
        return MAKELPARAM(r.left + 4, (r.top + r.bottom) / 2);
    }
    void ClickAt(LPARAM point, WPARAM keys = 0)
    {
        Ask(WM_LBUTTONDOWN, MK_LBUTTON | keys, point);
        Ask(WM_LBUTTONUP, keys, point);
        RunQueued();
    }
    void ClickRow(int row, WPARAM keys = 0) { ClickAt(RowPoint(row), keys); }
    void DoubleClickRow(int row)
    {
        ClickRow(row);
        Ask(WM_LBUTTONDBLCLK, MK_LBUTTON, RowPoint(row));
        Ask(WM_LBUTTONUP, 0, RowPoint(row));
        RunQueued();
    }
    std::string RowText(int row)
    {
        char text[64] = "";
        if (Ask(LB_GETTEXTLEN, static_cast<WPARAM>(row)) < static_cast<LRESULT>(sizeof text))
            Ask(LB_GETTEXT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(text));
        return text;
    }
    // A list-box notification as the list box sends it to the dialog.
    void Notify(WORD code)
    {
        SendMessageA(dialog->OSHandle(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(Box()), code),
                     reinterpret_cast<LPARAM>(Box()));
        RunQueued();
    }

    ZafDialogWindow *dialog = nullptr;
    ZafVtList *list = nullptr;
    ZafString *after = nullptr;
};

} // namespace

TEST_F(ZafVtListTest, DialogSelectionReachesTheEntriesWithSelectAndDoubleSelect)
{
    MakeList(ZafVtList::singleSelection, {"alpha", "beta", "gamma"});
    Show(dialog);
    ClickRow(1);
    EXPECT_EQ(TakeCalls(), "beta:1002");
    EXPECT_EQ(Ask(LB_GETCURSEL), 1);
    EXPECT_TRUE(Entry(1)->Selected());
    EXPECT_EQ(GetFocus(), Box());

    // The arrow is the list's: it moves the selection, not the focus.
    Press(list, VK_DOWN);
    EXPECT_EQ(TakeCalls(), "gamma:1002");
    EXPECT_EQ(Ask(LB_GETCURSEL), 2);
    EXPECT_FALSE(Entry(1)->Selected()) << "single selection keeps one entry selected";
    EXPECT_EQ(list->CurrentChild(), Entry(2));
    EXPECT_EQ(GetFocus(), Box());

    DoubleClickRow(0);
    EXPECT_EQ(TakeCalls(), "alpha:1002 alpha:1012");

    // Tab leaves the list for the next field.
    Press(list, VK_TAB);
    EXPECT_EQ(GetFocus(), after->OSHandle());
}

TEST_F(ZafVtListTest, ExtendedSelectionCallsEachChangedEntryOnceAlsoWhenDeselected)
{
    MakeList(ZafVtList::extendedSelection, {"a", "b", "c", "d"});
    Show(dialog);
    ClickRow(0);
    EXPECT_EQ(TakeCalls(), "a:1002");
    ClickRow(2, MK_CONTROL);
    EXPECT_EQ(TakeCalls(), "c:1002");
    EXPECT_EQ(Ask(LB_GETSELCOUNT), 2);
    ClickRow(3, MK_SHIFT);
    EXPECT_EQ(Ask(LB_GETSELCOUNT), 2) << "Shift selects from the anchor row 2 and drops the rest";
    EXPECT_EQ(TakeCalls(), "a:1002 d:1002") << "a leaves the selection, d joins it";
    EXPECT_FALSE(Entry(0)->Selected());
    EXPECT_TRUE(Entry(2)->Selected() && Entry(3)->Selected());

    ClickRow(1);
    EXPECT_EQ(TakeCalls(), "b:1002 c:1002 d:1002");
    EXPECT_EQ(Ask(LB_GETSELCOUNT), 1);
    EXPECT_EQ(list->CurrentChild(), Entry(1));
}

TEST_F(ZafVtListTest, DeselectingTheLastRowOfAMultipleListReadsNoSelectedRows)
{
    MakeList(ZafVtList::multipleSelection, {"a", "b"});
    Show(dialog);
    ClickRow(1);
    ClickRow(1);
    EXPECT_EQ(Ask(LB_GETSELCOUNT), 0);
    EXPECT_EQ(TakeCalls(), "b:1002 b:1002");
    EXPECT_FALSE(Entry(1)->Selected());
    // A change notice with nothing selected changes nothing.
    Notify(LBN_SELCHANGE);
    EXPECT_EQ(TakeCalls(), "");
}

TEST_F(ZafVtListTest, AnEmptySingleListTakesNotificationsAndKeysWithoutAnEntry)
{
    MakeList(ZafVtList::singleSelection, {});
    Show(dialog);
    Notify(LBN_SELCHANGE);
    Notify(LBN_DBLCLK);
    Press(list, VK_DOWN);
    ClickAt(MAKELPARAM(10, 10));
    EXPECT_EQ(TakeCalls(), "");
    EXPECT_EQ(list->CurrentChild(), nullptr);
}

TEST_F(ZafVtListTest, SelectionsSetByTheProgramReachTheListBox)
{
    MakeList(ZafVtList::singleSelection, {"a", "b", "c"});
    Entry(0)->SetSelected(true);
    Entry(2)->SetSelected(true);
    Show(dialog);
    EXPECT_EQ(Ask(LB_GETCURSEL), 2) << "the last entry selected before the list box is made wins";
    EXPECT_EQ(list->CurrentChild(), Entry(2));
    EXPECT_FALSE(Entry(0)->Selected());
    Entry(1)->SetSelected(true);
    EXPECT_EQ(Ask(LB_GETCURSEL), 1);
    EXPECT_FALSE(Entry(2)->Selected());
    EXPECT_EQ(TakeCalls(), "") << "the program's selection calls no user function";
}

TEST_F(ZafVtListTest, RowsFollowAddedRemovedRenamedAndSortedEntries)
{
    MakeList(ZafVtList::multipleSelection, {"pear", "apple"});
    Show(dialog);
    auto *fig = new ZafButton(0, 0, 20, 1, "fig");
    fig->SetSelected(true);
    list->AddObject(fig, Entry(1));
    ASSERT_EQ(Ask(LB_GETCOUNT), 3);
    EXPECT_EQ(RowText(1), "fig");
    EXPECT_GT(Ask(LB_GETSEL, 1), 0) << "a selected entry comes with its selection";

    static_cast<ZafButton *>(Entry(0))->SetText("plum");
    EXPECT_EQ(RowText(0), "plum");

    list->SetSorted(true);
    EXPECT_EQ(RowText(0) + "," + RowText(1) + "," + RowText(2), "apple,fig,plum");
    EXPECT_GT(Ask(LB_GETSEL, 1), 0) << "the selection moves with its entry";
    list->AddObject(new ZafButton(0, 0, 20, 1, "kiwi"));
    EXPECT_EQ(RowText(2), "kiwi");

    delete list->SubtractObject(Entry(0));
    EXPECT_EQ(Ask(LB_GETCOUNT), 3);
    EXPECT_EQ(RowText(0), "fig");
    EXPECT_EQ(list->AddObject(fig), fig) << "an entry with a parent is not taken";
    EXPECT_EQ(list->Count(), 3);

    static_cast<ZafWindow *>(list)->DestroyChildren();
    EXPECT_EQ(Ask(LB_GETCOUNT), 0) << "the rows go before their entries";
    EXPECT_TRUE(list->IsEmpty());
}

// A list that refuses the focus selects the row under the click itself. Its
// owner-drawn rows vary in height, where the heights of rows beyond the last
// are errors: a click anywhere but on a row must select nothing.
TEST_F(ZafVtListTest, ClicksOutsideTheRowsOfAListThatRefusesTheFocusSelectNothing)
{
    MakeList(ZafVtList::multipleSelection, {"a", "b"});
    list->SetSystemDrawn(false);
    list->SetNoFocus(true);
    Show(dialog);
    ASSERT_EQ(Ask(LB_GETCOUNT), 2);
    RECT client;
    GetClientRect(Box(), &client);
    RECT last = {};
    Ask(LB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&last));
    ASSERT_LT(last.bottom + 4, client.bottom) << "the list must be taller than its rows";

    ClickAt(MAKELPARAM(4, last.bottom + 2));
    ClickAt(MAKELPARAM(4, static_cast<WORD>(-3)));
    ClickAt(MAKELPARAM(4, client.bottom - 1));
    EXPECT_EQ(TakeCalls(), "");
    EXPECT_EQ(Ask(LB_GETSELCOUNT), 0);

    ClickRow(1);
    EXPECT_EQ(TakeCalls(), "b:1002");
    EXPECT_TRUE(Entry(1)->Selected());
    EXPECT_GT(Ask(LB_GETSEL, 1), 0);
    EXPECT_NE(GetFocus(), Box()) << "the click takes no focus";
    ClickRow(1);
    EXPECT_EQ(TakeCalls(), "") << "deselecting by a click calls no user function";
    EXPECT_FALSE(Entry(1)->Selected());
}

TEST_F(ZafVtListTest, OwnerDrawnRowsAreMeasuredByTheirEntries)
{
    MakeList(ZafVtList::singleSelection, {"a", "b"});
    list->SetSystemDrawn(false);
    Show(dialog);
    EXPECT_TRUE(GetWindowLongA(Box(), GWL_STYLE) & LBS_OWNERDRAWVARIABLE);
    EXPECT_EQ(Ask(LB_GETITEMDATA, 1), reinterpret_cast<LRESULT>(Entry(1)));
    // An auto-sized push button is 23 pixels high.
    EXPECT_EQ(Ask(LB_GETITEMHEIGHT, 0), 23);
    ClickRow(1);
    EXPECT_EQ(TakeCalls(), "b:1002");
}

TEST_F(ZafVtListTest, AUserFunctionMayDeleteOtherEntriesDuringTheWalk)
{
    MakeList(ZafVtList::extendedSelection, {"a", "b", "c"});
    Show(dialog);
    ClickRow(0);
    TakeCalls();
    // Selecting c deselects a, whose user function deletes b and c.
    ZafVtList *theList = list;
    Entry(0)->SetUserFunction([](ZafWindowObject *object, ZafEventRecord &, ZafEventType) -> ZafEventType {
        auto *owner = static_cast<ZafVtList *>(object->Parent());
        while (owner->Count() > 1)
            delete owner->SubtractObject(static_cast<ZafWindowObject *>(owner->Last()));
        return 0;
    });
    ClickRow(2);
    EXPECT_EQ(theList->Count(), 1);
    EXPECT_EQ(TakeCalls(), "") << "the deleted entries are not called";
    EXPECT_EQ(Ask(LB_GETCOUNT), 1);
}

TEST_F(ZafVtListTest, ReadsBackWhatItWrote)
{
    ZafVtList written(1, 1, 30, 8);
    written.SetSelectionMode(ZafVtList::extendedSelection);
    written.AddObject(new ZafButton(0, 0, 20, 1, "zeta"))->SetStringID("Z");
    written.AddObject(new ZafButton(0, 0, 20, 1, "eta"))->SetStringID("E");
    written.SetSorted(true);
    std::unique_ptr<ZafVtList> read = fieldtest::RoundTrip(written, "LIST");
    EXPECT_TRUE(read->Sorted());
    EXPECT_EQ(read->SelectionMode(), ZafVtList::extendedSelection);
    ASSERT_EQ(read->Count(), 2);
    EXPECT_STREQ(static_cast<ZafWindowObject *>(read->First())->Text(), "eta");
    EXPECT_FALSE(static_cast<ZafWindowObject *>(read->First())->OwnWindow());
    EXPECT_TRUE(read->IsClassID(ZafVtList::listFamilyID));

    std::unique_ptr<ZafWindowObject> copy(written.Duplicate());
    auto *copied = static_cast<ZafVtList *>(copy.get());
    EXPECT_TRUE(copied->Sorted());
    ASSERT_EQ(copied->Count(), 2);
    EXPECT_FALSE(static_cast<ZafWindowObject *>(copied->First())->OwnWindow());
    EXPECT_NE(copied->First(), written.First()) << "a copy has entries of its own";
}

TEST_F(ZafVtListTest, DroppedTextBecomesAnEntryAndDroppedEntriesMoveOrCopy)
{
    MakeList(ZafVtList::extendedSelection, {"a"});
    auto *source = Add(dialog, new ZafVtList(32, 1, 20, 8));
    source->SetSelectionMode(ZafVtList::multipleSelection);
    for (const char *text : {"x", "y", "z"})
        source->AddObject(new ZafButton(0, 0, 20, 1, text));
    Show(dialog);
    list->SetAcceptDrop(true);
    Entry(0)->SetSelected(true);

    after->SetText("dropped");
    after->SetMoveDraggable(true);
    zafWindowManager->SetDragObject(after);
    EXPECT_EQ(list->Event(ZafEventRecord(ZAF_DROP_QUERY)), ZAF_DROP_MOVE);
    ASSERT_EQ(Ask(LB_GETCOUNT), 2);
    EXPECT_EQ(RowText(1), "dropped");
    EXPECT_STREQ(after->Text(), "") << "a move empties the field";
    EXPECT_FALSE(Entry(0)->Selected()) << "an extended list drops its selection first";

    static_cast<ZafWindowObject *>(source->Get(0))->SetSelected(true);
    static_cast<ZafWindowObject *>(source->Get(2))->SetSelected(true);
    source->SetCopyDraggable(true);
    zafWindowManager->SetDragObject(source);
    EXPECT_EQ(list->Event(ZafEventRecord(ZAF_DROP_COPY)), ZAF_DROP_COPY);
    EXPECT_EQ(RowText(2) + RowText(3), "xz");
    EXPECT_EQ(source->Count(), 3) << "a copy leaves the source";
    EXPECT_EQ(list->Event(ZafEventRecord(ZAF_DROP_MOVE)), ZAF_DROP_MOVE);
    EXPECT_EQ(source->Count(), 1);
    EXPECT_EQ(SendMessageA(source->OSHandle(), LB_GETCOUNT, 0, 0), 1);
    EXPECT_EQ(Ask(LB_GETCOUNT), 6);

    list->SetDisabled(true);
    EXPECT_EQ(list->Event(ZafEventRecord(ZAF_DROP_COPY)), ZAF_REFUSED);
    zafWindowManager->SetDragObject(list);
    list->SetDisabled(false);
    EXPECT_EQ(list->Event(ZafEventRecord(ZAF_DROP_COPY)), ZAF_REFUSED) << "no drop onto itself";
    zafWindowManager->SetDragObject(nullptr);
}

TEST_F(ZafVtListTest, ItsColoursReachTheListBoxAndReverseOnSelectedRows)
{
    MakeList(ZafVtList::singleSelection, {"a"});
    Show(dialog);
    constexpr int yellow = 14, blue = 1;
    ASSERT_EQ(list->SetBackgroundColor(yellow, 0), yellow);
    ASSERT_EQ(list->SetTextColor(blue, 0), blue);
    fieldtest::ExpectPartColours(dialog->OSHandle(), WM_CTLCOLORLISTBOX, Box(), yellow, blue);

    // A selected row shows the text colour as its background.
    ZafPaletteStruct selectedText;
    list->LogicalPalette(selectedText, ZAF_PM_TEXT, ZAF_PM_SELECTED | ZAF_PM_ENABLED);
    EXPECT_EQ(selectedText.colorForeground, yellow);
    ZafPaletteStruct selectedBack;
    list->LogicalPalette(selectedBack, ZAF_PM_BACKGROUND, ZAF_PM_SELECTED | ZAF_PM_ENABLED);
    EXPECT_EQ(selectedBack.colorBackground, blue);
}

TEST_F(ZafVtListTest, AUserFunctionMayCloseTheDialogDuringTheWalk)
{
    MakeList(ZafVtList::extendedSelection, {"a", "b", "c"});
    Show(dialog);
    ClickRow(0);
    TakeCalls();
    // The plain click on c deselects a, whose user function closes the
    // dialog with the list; b and c are never reached.
    static ZafDialogWindow *closing = nullptr;
    closing = dialog;
    Entry(0)->SetUserFunction([](ZafWindowObject *, ZafEventRecord &, ZafEventType) -> ZafEventType {
        Close(closing);
        return 0;
    });
    ClickAt(RowPoint(2));
    dialog = nullptr;
    EXPECT_FALSE(zafWindowManager->Contains(closing));
    EXPECT_EQ(TakeCalls(), "");
}

TEST_F(ZafVtListTest, OwnerDrawnRowsAreDrawnByTheirEntries)
{
    MakeList(ZafVtList::singleSelection, {"a", "b"});
    list->SetSystemDrawn(false);
    Show(dialog);
    RECT row = {};
    Ask(LB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&row));
    // The list box paints into a bitmap as it paints on screen.
    const testsupport::Painted painted(Box(), RGB(255, 0, 255));
    const COLORREF face = painted.At(row.right - 6, (row.top + row.bottom) / 2);
    EXPECT_EQ(face, GetSysColor(COLOR_BTNFACE)) << "the button entry paints its face in its row";
}

namespace {

// The dark (text) pixels of a row as the list box paints it.
int TextPixels(HWND box, int row)
{
    RECT r = {};
    SendMessageA(box, LB_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&r));
    const testsupport::Painted painted(box, RGB(255, 0, 255));
    int dark = 0;
    for (int y = r.top + 1; y < r.bottom - 1; ++y)
        for (int x = r.left + 1; x < r.right - 1; ++x) {
            const COLORREF c = painted.At(x, y);
            dark += GetRValue(c) + GetGValue(c) + GetBValue(c) < 300;
        }
    return dark;
}

} // namespace

TEST_F(ZafVtListTest, AListShownAfterItsBoxWasMadePaintsItsRowsAndScrollsAcrossALongOne)
{
    MakeList(ZafVtList::extendedSelection, {"first"});
    list->AddObject(new ZafScrollBar(ZafScrollBar::horizontal));
    list->SetVisible(false);
    Show(dialog);
    // Rows come while the list is hidden, as a list that an analysis shows
    // later gets them.
    auto *wide = new ZafButton(0, 0, 20, 1, "A label far wider than the list that shows it, read by scrolling across");
    list->AddObject(wide);
    list->SetVisible(true);
    EXPECT_GT(TextPixels(Box(), 0), 0);
    EXPECT_GT(TextPixels(Box(), 1), 0);
    EXPECT_EQ(TextPixels(Box(), 2), 0) << "no third row";

    const LRESULT width = testsupport::ClientRect(Box()).right;
    EXPECT_GT(Ask(LB_GETHORIZONTALEXTENT), width) << "the long row scrolls across";
    EXPECT_NE(fieldtest::Style(Box()) & WS_HSCROLL, 0);
    delete list->SubtractObject(wide);
    EXPECT_LE(Ask(LB_GETHORIZONTALEXTENT), width) << "the short rows left fit";
}
