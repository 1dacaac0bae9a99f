// The combo box on a real COMBOBOX, driven as a user drives it: the list
// dropped with F4, Alt+Down or a click, arrows, typing into the edit field,
// entries picked; checked through the combo box's text, the user functions
// of the combo box and its entries, and what the control reports.
#include "zaf/controls/ZafComboBox.h"
#include "zaf/controls/ZafButton.h"
#include "zaf/controls/ZafString.h"
#include "zaf/core/ZafDisplay.h"

#include "FieldTestSupport.h"

#include <string>

using fieldtest::FieldTest;
using fieldtest::Recorded;
using fieldtest::Style;
using fieldtest::WindowText;

namespace {

class ZafComboBoxTest : public FieldTest
{
protected:
    ZafComboBoxTest()
    {
        ZafComboBox::RegisterPersistence();
        dialog = Dialog();
    }
    ~ZafComboBoxTest() override
    {
        if (dialog)
            Close(dialog);
    }

    // A combo box of entries named by their texts in the dialog (or in the
    // window given), with a field after it; everything reports its calls.
    ZafComboBox *MakeCombo(bool readOnly, std::initializer_list<const char *> texts, ZafWindow *in = nullptr)
    {
        combo = Add(in ? in : dialog, new ZafComboBox(1, 1, 20, 6));
        combo->SetReadOnly(readOnly);
        combo->SetUserFunction(fieldtest::RecordCall);
        for (const char *text : texts) {
            auto *entry = new ZafButton(0, 0, 20, 1, text);
            entry->SetUserFunction(fieldtest::RecordCall);
            combo->AddObject(entry);
        }
        after = Add(dialog, new ZafString(1, 9, 20, "", 20));
        return combo;
    }
    ZafWindowObject *Entry(int row) { return static_cast<ZafWindowObject *>(combo->List()->Get(row)); }
    HWND Box() { return combo->OSHandle(); }
    LRESULT Ask(UINT message, WPARAM wParam = 0, LPARAM lParam = 0)
    {
        return SendMessageA(Box(), message, wParam, lParam);
    }
    COMBOBOXINFO Parts()
    {
        COMBOBOXINFO info = {};
        info.cbSize = sizeof info;
        GetComboBoxInfo(Box(), &info);
        return info;
    }
    bool Dropped() { return Ask(CB_GETDROPPEDSTATE) != 0; }
    std::string RowText(int row)
    {
        char text[64] = "";
        if (Ask(CB_GETLBTEXTLEN, static_cast<WPARAM>(row)) < static_cast<LRESULT>(sizeof text))
            Ask(CB_GETLBTEXT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(text));
        return text;
    }
    std::string Rows()
    {
        std::string rows;
        for (int row = 0; row < Ask(CB_GETCOUNT); ++row)
            rows += (row ? "," : "") + RowText(row);
        return rows;
    }
    std::string TakeCalls() { return fieldtest::TakeCalls(combo, "combo"); }

    ZafDialogWindow *dialog = nullptr;
    ZafComboBox *combo = nullptr;
    ZafString *after = nullptr;
};

// A window that answers as a table record does.
class RecordStandIn : public ZafWindow
{
public:
    RecordStandIn() : ZafWindow(0, 0, 40, 3) {}
    bool IsClassID(ZafClassID id) const override
    {
        return id == ZafComboBox::tableRecordID || ZafWindow::IsClassID(id);
    }
};

} // namespace

TEST_F(ZafComboBoxTest, AReadOnlyComboBoxFollowsArrowsTypingAndItsDroppedList)
{
    MakeCombo(true, {"alpha", "beta", "gamma"});
    Show(dialog);
    EXPECT_EQ(Style(Box()) & 3, CBS_DROPDOWNLIST);
    combo->SetFocus(true);
    RunQueued();
    EXPECT_EQ(Ask(CB_GETCURSEL), CB_ERR);

    KeyTo(Box(), VK_DOWN);
    EXPECT_EQ(TakeCalls(), "combo(alpha):1002 alpha:1002");
    KeyTo(Box(), VK_DOWN);
    EXPECT_EQ(TakeCalls(), "combo(beta):1002 beta:1002");
    EXPECT_EQ(Ask(CB_GETCURSEL), 1);
    EXPECT_STREQ(combo->Text(), "beta");
    EXPECT_EQ(WindowText(Box()), "beta");
    EXPECT_TRUE(Entry(1)->Selected());
    EXPECT_FALSE(Entry(0)->Selected()) << "one entry is selected at a time";
    EXPECT_TRUE(combo->Changed());

    // F4 drops the list; Enter then only closes it.
    KeyTo(Box(), VK_F4);
    ASSERT_TRUE(Dropped());
    EXPECT_EQ(ZafWindowManager::droppedComboBox, Box());
    KeyTo(Box(), VK_RETURN);
    EXPECT_FALSE(Dropped());
    EXPECT_EQ(ZafWindowManager::droppedComboBox, nullptr);
    EXPECT_EQ(TakeCalls(), "");
    // With the list closed Enter selects the combo box.
    KeyTo(Box(), VK_RETURN);
    EXPECT_EQ(TakeCalls(), "combo(beta):1002");

    // Alt+Down drops it too; Escape only closes it.
    KeyTo(Box(), VK_DOWN, true);
    ASSERT_TRUE(Dropped());
    KeyTo(Box(), VK_ESCAPE);
    EXPECT_FALSE(Dropped());
    EXPECT_TRUE(zafWindowManager->Contains(dialog)) << "Escape is the combo box's, not the dialog's";
    EXPECT_EQ(TakeCalls(), "");

    // A typed letter picks the entry it starts.
    TypeInto(Box(), "g");
    EXPECT_EQ(TakeCalls(), "combo(gamma):1002 gamma:1002");
    EXPECT_EQ(Ask(CB_GETCURSEL), 2);

    EXPECT_EQ(combo->SetText("other"), 0);
    EXPECT_STREQ(combo->Text(), "gamma") << "a read-only combo box refuses a text";

    // Tab leaves for the next field.
    KeyTo(Box(), VK_TAB);
    EXPECT_EQ(GetFocus(), after->OSHandle());
    EXPECT_EQ(TakeCalls(), "combo(gamma):-3503");
}

// In a dialog with a default button Enter on the closed combo box selects it
// and presses that button, as a Windows dialog does; on the dropped list it
// only closes the list.
TEST_F(ZafComboBoxTest, EnterOnAClosedComboBoxPressesTheDefaultButton)
{
    MakeCombo(true, {"alpha", "beta"});
    auto *ok = Add(dialog, new ZafButton(1, 11, 10, 1, "OK"));
    ok->SetUserFunction(fieldtest::RecordCall);
    dialog->SetDefaultButton(ok, true);
    Show(dialog);
    combo->SetFocus(true);
    RunQueued();
    KeyTo(Box(), VK_F4);
    ASSERT_TRUE(Dropped());
    KeyTo(Box(), VK_RETURN);
    EXPECT_FALSE(Dropped());
    EXPECT_TRUE(Recorded().calls.empty()) << "Enter on the dropped list presses nothing";
    KeyTo(Box(), VK_RETURN);
    ASSERT_EQ(Recorded().calls.size(), 2u);
    EXPECT_EQ(Recorded().calls[0].object, combo);
    EXPECT_EQ(Recorded().calls[1].object, ok);
    EXPECT_EQ(Recorded().calls[1].code, ZAF_SELECT);
}

TEST_F(ZafComboBoxTest, AnEditableComboBoxTakesTypedTextAndTheEntryTheUserPicks)
{
    MakeCombo(false, {"alpha", "beta", "gamma"});
    Show(dialog);
    EXPECT_EQ(Style(Box()) & 3, CBS_DROPDOWN);
    HWND edit = Parts().hwndItem;
    ASSERT_NE(edit, nullptr);
    combo->SetFocus(true);
    RunQueued();
    EXPECT_EQ(GetFocus(), edit);
    EXPECT_TRUE(combo->Focus());
    EXPECT_EQ(combo->CurrentObject(), combo);

    TypeInto(edit, "Rome");
    EXPECT_EQ(Ask(CB_GETCURSEL), CB_ERR) << "typing selects no entry";
    // Enter selects the combo box, whose text is what was typed.
    KeyTo(edit, VK_RETURN);
    EXPECT_EQ(TakeCalls(), "combo(Rome):1002");
    EXPECT_STREQ(combo->Text(), "Rome");
    EXPECT_TRUE(combo->Changed());
    EXPECT_EQ(WindowText(edit), "Rome") << "Enter and Escape type nothing";
    // F4 in the edit field drops the list; Escape closes it again.
    KeyTo(edit, VK_F4);
    EXPECT_TRUE(Dropped());
    KeyTo(edit, VK_ESCAPE);
    EXPECT_FALSE(Dropped());
    EXPECT_EQ(WindowText(edit), "Rome");
    EXPECT_EQ(TakeCalls(), "");

    // Tab in the edit field moves on; the focus loss reaches the combo box.
    KeyTo(edit, VK_TAB);
    EXPECT_EQ(GetFocus(), after->OSHandle());
    EXPECT_EQ(TakeCalls(), "combo(Rome):-3503");
    EXPECT_FALSE(combo->Focus());

    // A click on the button drops the list; a click on a row picks it.
    RECT client;
    GetClientRect(Box(), &client);
    const LPARAM button = MAKELPARAM(client.right - 4, client.bottom / 2);
    Ask(WM_LBUTTONDOWN, MK_LBUTTON, button);
    Ask(WM_LBUTTONUP, 0, button);
    RunQueued();
    ASSERT_TRUE(Dropped());
    HWND rows = Parts().hwndList;
    RECT row = {};
    SendMessageA(rows, LB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&row));
    const LPARAM onRow = MAKELPARAM(row.left + 4, (row.top + row.bottom) / 2);
    SendMessageA(rows, WM_LBUTTONDOWN, MK_LBUTTON, onRow);
    SendMessageA(rows, WM_LBUTTONUP, 0, onRow);
    RunQueued();
    EXPECT_FALSE(Dropped());
    EXPECT_EQ(Ask(CB_GETCURSEL), 1);
    EXPECT_STREQ(combo->Text(), "beta");
    EXPECT_EQ(WindowText(edit), "beta");
    const std::string calls = TakeCalls();
    EXPECT_NE(calls.find("combo(beta):1002 beta:1002"), std::string::npos) << calls;

    // The program's text shows in the edit field; its selection too.
    EXPECT_EQ(combo->SetText("Paris"), 0);
    EXPECT_EQ(WindowText(edit), "Paris");
    Entry(2)->SetSelected(true);
    EXPECT_STREQ(combo->Text(), "gamma");
    EXPECT_EQ(WindowText(edit), "gamma");
    EXPECT_EQ(Ask(CB_GETCURSEL), 2);
    EXPECT_FALSE(Entry(1)->Selected());
    EXPECT_EQ(TakeCalls(), "") << "the program's selection calls no user function";
    Entry(2)->SetSelected(false);
    EXPECT_STREQ(combo->Text(), "gamma") << "deselecting changes nothing";
}

TEST_F(ZafComboBoxTest, RowsFollowAddedRemovedAndSortedEntries)
{
    MakeCombo(true, {"pear", "apple"});
    Entry(0)->SetSelected(true);
    EXPECT_STREQ(combo->Text(), "pear") << "an entry selected before the control exists gives its text";
    Show(dialog);
    EXPECT_EQ(Rows(), "pear,apple");
    EXPECT_EQ(Ask(CB_GETCURSEL), 0);

    auto *fig = new ZafButton(0, 0, 20, 1, "fig");
    fig->SetSelected(true);
    combo->AddObject(fig, Entry(1));
    EXPECT_EQ(Rows(), "pear,fig,apple");
    EXPECT_EQ(Ask(CB_GETCURSEL), 1) << "a selected entry comes with its selection";
    EXPECT_STREQ(combo->Text(), "fig");

    static_cast<ZafButton *>(Entry(0))->SetText("plum");
    EXPECT_EQ(RowText(0), "plum");
    EXPECT_EQ(Ask(CB_GETCURSEL), 1);

    combo->SetSorted(true);
    EXPECT_EQ(Rows(), "apple,fig,plum");
    EXPECT_EQ(Ask(CB_GETCURSEL), 1) << "the selection moves with its entry";
    combo->AddObject(new ZafButton(0, 0, 20, 1, "kiwi"));
    EXPECT_EQ(Rows(), "apple,fig,kiwi,plum");

    delete combo->SubtractObject(Entry(0));
    EXPECT_EQ(Rows(), "fig,kiwi,plum");
    EXPECT_EQ(combo->AddObject(fig), fig) << "an entry with a parent is not taken";
    EXPECT_EQ(combo->List()->Count(), 3);
    EXPECT_EQ(combo->Count(), 0) << "entries are the list's, not the combo box's children";

    auto *kept = new ZafButton(0, 0, 20, 1, "own child");
    combo->ZafWindow::AddObject(kept);
    static_cast<ZafWindow *>(combo)->DestroyChildren();
    EXPECT_EQ(Ask(CB_GETCOUNT), 0);
    EXPECT_TRUE(combo->List()->IsEmpty());
    EXPECT_EQ(combo->FirstChild(), kept) << "only the entries go";
}

struct Heights
{
    int height;
    int listHeight;
    int comboRows; // the combo box's height
    int listRows;  // the list's
};

class ZafComboBoxHeights : public testing::TestWithParam<Heights>
{};

TEST_P(ZafComboBoxHeights, TheListHeightDecidesWhichHeightIsTheList)
{
    const Heights h = GetParam();
    ZafComboBox combo(1, 1, 20, h.height, h.listHeight);
    EXPECT_EQ(combo.Region().Height(), h.comboRows);
    EXPECT_EQ(combo.List()->Region().Height(), h.listRows);
    EXPECT_EQ(combo.List()->Region().Width(), 20);
    EXPECT_EQ(combo.ListHeight(), h.listHeight);
    EXPECT_TRUE(combo.IsClassID(ZafComboBox::listFamilyID)); // fields in it draw as list rows
    EXPECT_FALSE(combo.List()->OwnWindow()) << "the combo box's own control shows the list";
}

INSTANTIATE_TEST_SUITE_P(ZafComboBox, ZafComboBoxHeights, testing::Values(Heights{5, -1, 1, 5}, Heights{5, 8, 5, 8}));

TEST_F(ZafComboBoxTest, ReadsBackWhatItWroteAndCopiesItsList)
{
    ZafComboBox written(1, 1, 20, 6);
    written.SetReadOnly(true);
    written.AddObject(new ZafButton(0, 0, 20, 1, "zeta"))->SetStringID("Z");
    written.AddObject(new ZafButton(0, 0, 20, 1, "eta"))->SetStringID("E");
    written.SetSorted(true);
    static_cast<ZafWindowObject *>(written.List()->Get(1))->SetSelected(true);
    ASSERT_STREQ(written.Text(), "zeta");
    std::unique_ptr<ZafComboBox> read = fieldtest::RoundTrip(written, "COMBO");
    EXPECT_TRUE(read->ReadOnly());
    EXPECT_TRUE(read->Sorted());
    EXPECT_EQ(read->Count(), 0) << "the list is taken out of the children";
    ASSERT_EQ(read->List()->Count(), 2);
    EXPECT_EQ(read->List()->Parent(), read.get());
    EXPECT_STREQ(static_cast<ZafWindowObject *>(read->List()->First())->Text(), "eta");
    EXPECT_STREQ(read->Text(), "zeta") << "the selected entry's text";
    EXPECT_EQ(read->ListHeight(), 6);
    EXPECT_EQ(read->ListWidth(), 20);
    EXPECT_EQ(read->List()->Region().top, 0);
    EXPECT_EQ(read->FindObjectByStringID("Z"), read->List()->Last());

    std::unique_ptr<ZafWindowObject> copy(written.Duplicate());
    auto *copied = static_cast<ZafComboBox *>(copy.get());
    EXPECT_TRUE(copied->ReadOnly());
    ASSERT_EQ(copied->List()->Count(), 2);
    EXPECT_NE(copied->List()->First(), written.List()->First()) << "a copy has entries of its own";
    EXPECT_STREQ(copied->Text(), "zeta");
}

// The combo box copied the first part of a name path into a buffer of 63
// characters without looking at its length.
// The first own child stands for the edit field: the tip texts and the help
// context set on the combo box, through the setters of any window object,
// reach it too, and clearing them clears them there.
TEST_F(ZafComboBoxTest, TipTextsAndHelpContextReachTheEditField)
{
    ZafComboBox combo(0, 0, 20, 1, 5);
    auto *field = new ZafString(0, 0, 10, "");
    combo.ZafWindow::AddObject(field);
    ASSERT_EQ(field, combo.FirstChild());
    ZafWindowObject &object = combo;
    object.SetTipText("Pick a region");
    object.SetSecondTipText("The regions of the map file");
    object.SetHelpContext("HELP_REGION");
    EXPECT_STREQ("Pick a region", field->TipText());
    EXPECT_STREQ("The regions of the map file", field->SecondTipText());
    EXPECT_STREQ("HELP_REGION", field->HelpContext());
    EXPECT_STREQ("Pick a region", combo.TipText());
    object.SetTipText(nullptr);
    EXPECT_EQ(nullptr, field->TipText());
    EXPECT_EQ(nullptr, combo.TipText());
}

TEST_F(ZafComboBoxTest, ANamePartLongerThanSixtyThreeCharactersIsAnErrorNotAnOverflow)
{
    MakeCombo(true, {"short", "long"});
    const std::string fits(ZafComboBox::maxPathPartLength, 'n');
    const std::string tooLong = fits + "x";
    Entry(0)->SetStringID(fits.c_str());
    Entry(1)->SetStringID(tooLong.c_str());
    combo->SetStringID("COMBO");

    EXPECT_EQ(combo->FindObjectByStringID(fits.c_str()), Entry(0));
    EXPECT_EQ(combo->FindObjectByStringID(("list~" + fits).c_str()), Entry(0));
    EXPECT_EQ(combo->FindObjectByStringID("list"), combo->List());
    EXPECT_EQ(combo->Error(), 0);

    EXPECT_EQ(combo->FindObjectByStringID(tooLong.c_str()), nullptr) << "no cut name finds the shorter entry";
    EXPECT_EQ(combo->Error(), static_cast<int>(ZafError::NotFound));
    EXPECT_EQ(combo->FindObjectByStringID((tooLong + "~" + fits).c_str()), nullptr);
    EXPECT_EQ(combo->FindObjectByStringID(std::string(4000, 'y').c_str()), nullptr);
    // A dialog finds entries by plain name through the combo box.
    EXPECT_EQ(dialog->FindObjectByStringID(("COMBO~" + fits).c_str()), Entry(0));
}

TEST_F(ZafComboBoxTest, InATableRecordClosingTheListQueuesARedisplayOfWhatItCovered)
{
    auto *record = Add(dialog, new RecordStandIn);
    MakeCombo(true, {"a", "b"}, record);
    Show(dialog);
    Ask(CB_SHOWDROPDOWN, TRUE);
    ASSERT_TRUE(Dropped());
    RECT covered = {};
    Ask(CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&covered));
    MapWindowPoints(HWND_DESKTOP, dialog->OSHandle(), reinterpret_cast<POINT *>(&covered), 2);
    Ask(CB_SHOWDROPDOWN, FALSE);
    std::vector<ZafEventRecord> queued = Queued();
    ASSERT_EQ(queued.size(), 1u);
    EXPECT_EQ(queued[0].type, ZAF_REDISPLAY_AREA);
    EXPECT_EQ(queued[0].Object(), dialog);
    EXPECT_EQ(queued[0].region.left, covered.left);
    EXPECT_EQ(queued[0].region.top, covered.top);
    EXPECT_EQ(queued[0].region.bottom, covered.bottom - 1);
    EXPECT_EQ(ZafWindowManager::droppedComboBox, nullptr);

    // Outside a record nothing is queued.
    auto *plain = Add(dialog, new ZafComboBox(1, 5, 20, 4));
    plain->AddObject(new ZafButton(0, 0, 20, 1, "c"));
    SendMessageA(plain->OSHandle(), CB_SHOWDROPDOWN, TRUE, 0);
    SendMessageA(plain->OSHandle(), CB_SHOWDROPDOWN, FALSE, 0);
    EXPECT_TRUE(Queued().empty());
}

TEST_F(ZafComboBoxTest, OwnerDrawnRowsHoldTheirEntriesAndAreMeasuredByThem)
{
    MakeCombo(true, {"a", "b"});
    combo->SetSystemDrawn(false);
    Show(dialog);
    EXPECT_TRUE(Style(Box()) & CBS_OWNERDRAWVARIABLE);
    EXPECT_EQ(Ask(CB_GETITEMDATA, 1), reinterpret_cast<LRESULT>(Entry(1)));
    // An auto-sized push button is 23 pixels high.
    EXPECT_EQ(Ask(CB_GETITEMHEIGHT, 0), 23);
    combo->SetFocus(true);
    KeyTo(Box(), VK_DOWN);
    EXPECT_EQ(TakeCalls(), "combo(a):1002 a:1002");
    EXPECT_EQ(Ask(CB_GETCURSEL), 0);
}

// The selection field of an owner-drawn combo box is as high as its highest
// entry; without entries it is a display cell less the two cell spacings.
// (The control adds its frame to the measured height, so the two combo
// boxes are compared.)
TEST_F(ZafComboBoxTest, AnEmptyOwnerDrawnSelectionFieldIsACellLessItsSpacing)
{
    ZafComboBox *empty = MakeCombo(true, {});
    empty->SetSystemDrawn(false);
    ZafComboBox *holding = MakeCombo(true, {"a"});
    holding->SetSystemDrawn(false);
    Show(dialog);
    ASSERT_TRUE(zafScreenDisplay);
    const int cellLessSpacing =
        zafScreenDisplay->CellHeight() - zafScreenDisplay->PreSpace() - zafScreenDisplay->PostSpace();
    const auto height = [](ZafComboBox *box, int item) {
        return static_cast<int>(SendMessageA(box->OSHandle(), CB_GETITEMHEIGHT, static_cast<WPARAM>(item), 0));
    };
    const int entryHeight = height(holding, 0);
    ASSERT_NE(entryHeight, cellLessSpacing);
    EXPECT_EQ(height(holding, -1) - height(empty, -1), entryHeight - cellLessSpacing);
}

// Without a window of its own the combo box draws itself: its text area and
// a raised button at the right holding a black down arrow of 7, 5, 3 and 1
// pixels on a light grey face.
TEST_F(ZafComboBoxTest, AComboBoxWithoutItsOwnWindowDrawsAButtonWithADownArrow)
{
    MakeCombo(true, {"a"});
    combo->SetOwnWindow(false);
    Show(dialog);
    ASSERT_EQ(combo->OSHandle(), nullptr);
    const ZafRegionRect area = combo->GetWindowRegion();
    int width = 0;
    const std::vector<COLORREF> pixels = fieldtest::PaintedPixels(combo->DrawingHandle(), width);
    ASSERT_GE(width, area.right + 1);
    ASSERT_GE(static_cast<int>(pixels.size()) / width, area.bottom + 1);
    // Inside the one-pixel border.
    int black = 0, grey = 0, blackLeftOfButton = 0;
    for (int y = area.top + 1; y < area.bottom; ++y)
        for (int x = area.left + 1; x < area.right; ++x) {
            const COLORREF pixel = pixels[y * width + x];
            const bool inButton = x >= area.right - 1 - 15;
            black += inButton && pixel == RGB(0, 0, 0);
            grey += inButton && pixel == RGB(192, 192, 192);
            blackLeftOfButton += !inButton && pixel == RGB(0, 0, 0);
        }
    EXPECT_EQ(black, 7 + 5 + 3 + 1);
    EXPECT_GT(grey, 16);
    EXPECT_EQ(blackLeftOfButton, 0) << "the text area holds no arrow";
}

TEST_F(ZafComboBoxTest, AUserFunctionMayCloseTheDialogWhileTheUserPicksAnEntry)
{
    MakeCombo(true, {"a", "b"});
    Show(dialog);
    combo->SetFocus(true);
    // The combo box's user function closes the dialog with the combo box
    // and its entries: the entry's user function is never reached.
    static ZafDialogWindow *closing = nullptr;
    closing = dialog;
    combo->SetUserFunction([](ZafWindowObject *, ZafEventRecord &, ZafEventType) -> ZafEventType {
        Close(closing);
        return 0;
    });
    KeyTo(Box(), VK_DOWN);
    dialog = nullptr;
    EXPECT_FALSE(zafWindowManager->Contains(closing));
    EXPECT_EQ(TakeCalls(), "");
}

TEST_F(ZafComboBoxTest, DroppedTextAndDroppedEntriesBecomeEntriesWithRows)
{
    MakeCombo(true, {"a"});
    auto *source = Add(dialog, new ZafVtList(32, 1, 20, 8));
    source->SetSelectionMode(ZafVtList::multipleSelection);
    for (const char *text : {"x", "y", "z"})
        source->AddObject(new ZafButton(0, 0, 20, 1, text));
    Show(dialog);

    after->SetText("dropped");
    after->SetMoveDraggable(true);
    zafWindowManager->SetDragObject(after);
    EXPECT_EQ(combo->Event(ZafEventRecord(ZAF_DROP_QUERY)), ZAF_DROP_MOVE);
    EXPECT_EQ(Rows(), "a") << "a combo box that takes no drops takes nothing";
    EXPECT_STREQ(after->Text(), "dropped");
    combo->SetAcceptDrop(true);
    EXPECT_EQ(combo->Event(ZafEventRecord(ZAF_DROP_QUERY)), ZAF_DROP_MOVE);
    EXPECT_EQ(Rows(), "a,dropped");
    EXPECT_STREQ(after->Text(), "") << "a move empties the field";

    static_cast<ZafWindowObject *>(source->Get(0))->SetSelected(true);
    static_cast<ZafWindowObject *>(source->Get(2))->SetSelected(true);
    zafWindowManager->SetDragObject(source);
    EXPECT_EQ(combo->Event(ZafEventRecord(ZAF_DROP_COPY)), ZAF_DROP_COPY);
    EXPECT_EQ(Rows(), "a,dropped,x,z");
    EXPECT_EQ(source->Count(), 3) << "a copy leaves the source";
    EXPECT_EQ(combo->Event(ZafEventRecord(ZAF_DROP_MOVE)), ZAF_DROP_MOVE);
    EXPECT_EQ(Rows(), "a,dropped,x,z,x,z");
    EXPECT_EQ(SendMessageA(source->OSHandle(), LB_GETCOUNT, 0, 0), 1);

    combo->SetDisabled(true);
    EXPECT_EQ(combo->Event(ZafEventRecord(ZAF_DROP_COPY)), ZAF_REFUSED);
    zafWindowManager->SetDragObject(nullptr);
}

// Dragging from the drop-down list is the combo box's to allow: the list's
// own flags (a record may hold others) do not count while it is the combo
// box's; a list of its own answers with its own.
TEST_F(ZafComboBoxTest, ItsListIsDraggedAsTheComboBoxAllows)
{
    MakeCombo(true, {"a", "b"});
    auto *target = Add(dialog, new ZafVtList(32, 1, 20, 8));
    target->SetAcceptDrop(true);
    Show(dialog);
    ZafVtList *list = combo->List();
    combo->SetCopyDraggable(true);
    list->SetMoveDraggable(true);
    EXPECT_TRUE(list->IsCopyDraggable());
    EXPECT_FALSE(list->IsMoveDraggable()) << "the combo box is not move-draggable";
    EXPECT_TRUE(list->IsDraggable());

    Entry(1)->SetSelected(true);
    zafWindowManager->SetDragObject(list);
    EXPECT_EQ(target->Event(ZafEventRecord(ZAF_DROP_QUERY)), ZAF_DROP_COPY);
    ASSERT_EQ(target->Count(), 1);
    EXPECT_STREQ(static_cast<ZafWindowObject *>(target->First())->Text(), "b");
    EXPECT_EQ(list->Count(), 2) << "a copy leaves the entry in the combo box";

    combo->SetCopyDraggable(false);
    EXPECT_EQ(target->Event(ZafEventRecord(ZAF_DROP_QUERY)), ZAF_REFUSED);
    zafWindowManager->SetDragObject(nullptr);

    EXPECT_FALSE(target->IsMoveDraggable());
    target->SetMoveDraggable(true);
    EXPECT_TRUE(target->IsMoveDraggable()) << "a list of its own answers for itself";
}

TEST_F(ZafComboBoxTest, ItsColoursReachTheEditFieldAndTheDroppedList)
{
    MakeCombo(false, {"a"});
    Show(dialog);
    constexpr int yellow = 14, blue = 1;
    ASSERT_EQ(combo->SetBackgroundColor(yellow, 0), yellow);
    ASSERT_EQ(combo->SetTextColor(blue, 0), blue);
    EXPECT_EQ(combo->PaletteData(), combo->List()->PaletteData()) << "one palette for both";
    fieldtest::ExpectPartColours(Box(), WM_CTLCOLOREDIT, Parts().hwndItem, yellow, blue);
    fieldtest::ExpectPartColours(Box(), WM_CTLCOLORLISTBOX, Parts().hwndList, yellow, blue);
}
