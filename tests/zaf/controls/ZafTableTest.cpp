// The table over an owner that keeps the data and logs every load and
// store, driven as a user drives it: keys posted to the focused window,
// presses at points of the table's window, scroll-bar messages; checked
// through the owner's records, the cursor and what Windows reports.
#include "zaf/controls/ZafTable.h"
#include "zaf/controls/ZafTableHeader.h"
#include "zaf/controls/ZafTableRecord.h"
#include "zaf/core/ZafScrollBar.h"

#include "BarTestSupport.h"
#include "FieldTestSupport.h"

#include <functional>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

using fieldtest::FieldTest;
using fieldtest::Recorded;
using fieldtest::WindowText;

namespace {

// Two columns (a name and a count from 0 to 100) over rows the owner keeps;
// the row field shows the record number.
class OwnerTable : public ZafTable
{
public:
    static constexpr int width = 300, height = 200, rowHeader = 40, columnHeader = 20, rowHeight = 20;

    explicit OwnerTable(int records, int countWidth = 120)
        : ZafTable(10, 10, width, height, rowHeader, columnHeader, rowHeight)
    {
        SetBordered(false);
        SetCoordinateType(ZAF_PIXEL);
        for (int i = 0; i < records; ++i)
            rows.push_back({"name" + std::to_string(i), std::to_string(i)});
        SetLastRecord(records - 1);
        auto *name = new ZafString(0, 0, 100, "", -1);
        name->SetRegion(0, 0, 99, rowHeight - 1, ZAF_PIXEL);
        InsertObject(name, "Name");
        auto *count = new ZafInteger(100, 0, 120, 0);
        count->SetRegion(100, 0, 99 + countWidth, rowHeight - 1, ZAF_PIXEL);
        count->SetRange("0..100");
        InsertObject(count, "Count");
        SetLoadFunction(Load);
        SetStoreFunction(Store);
    }
    // The data ends early for an owner that cannot step beyond it.
    int NextRecord() override { return RecordIndex() >= reachable ? 1 : ZafTable::NextRecord(); }
    int SeekRecord(int offset, int origin) override
    {
        const int base = origin == seekFromCursor ? RecordIndex() : origin == seekFromLast ? LastRecord() : 0;
        return base + offset > reachable ? 1 : ZafTable::SeekRecord(offset, origin);
    }

    static int Load(ZafTable *table, ZafTableRecord *record, ZafWindowObject *rowField)
    {
        auto &owner = static_cast<OwnerTable &>(*table);
        const int at = table->RecordIndex();
        owner.log.push_back("L" + std::to_string(at));
        Field(record, 0)->SetText(owner.rows[at][0].c_str());
        Field(record, 1)->SetText(owner.rows[at][1].c_str());
        if (rowField)
            rowField->SetText(std::to_string(at + 1).c_str());
        return 0;
    }
    // Logged as S<cursor>/<row field's text>: its own row field says
    // which record it belongs to.
    static int Store(ZafTable *table, ZafTableRecord *record, ZafWindowObject *rowField)
    {
        auto &owner = static_cast<OwnerTable &>(*table);
        const int at = table->RecordIndex();
        owner.log.push_back("S" + std::to_string(at) + "/" + (rowField ? rowField->Text() : ""));
        owner.rows[at] = {Field(record, 0)->Text(), Field(record, 1)->Text()};
        return 0;
    }
    static ZafWindowObject *Field(ZafTableRecord *record, int column)
    {
        return static_cast<ZafWindowObject *>(record->Get(column));
    }
    // Entries of the log that begin with the letter.
    std::vector<std::string> Logged(char kind) const
    {
        std::vector<std::string> found;
        for (const std::string &entry : log)
            if (entry[0] == kind)
                found.push_back(entry);
        return found;
    }

    std::vector<std::vector<std::string>> rows;
    std::vector<std::string> log;
    int reachable = 1 << 30;
};

class ZafTableTest : public FieldTest
{
protected:
    OwnerTable *Make(int records, int countWidth = 120)
    {
        ZafTable::RegisterPersistence();
        table = ControlTest::Add(new OwnerTable(records, countWidth));
        table->AddObject(new ZafScrollBar(ZafScrollBar::vertical));
        ControlTest::Show();
        RunQueued();
        return table;
    }
    HWND Handle() const { return table->OSHandle(); }
    // Keys and characters as the keyboard gives them to the focused window.
    void Key(WPARAM key) { KeyTo(GetFocus(), key); }
    void Typed(const char *text) { TypeInto(GetFocus(), text); }
    // A press and release at the middle of a field of a record window.
    void Click(int window, int column)
    {
        const ZafRegionRect r = Field(window, column)->GetWindowRegion();
        const LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
        PostMessageA(Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
        PostMessageA(Handle(), WM_LBUTTONUP, 0, at);
        RunQueued();
    }
    void Scroll(int request)
    {
        SendMessageA(Handle(), WM_VSCROLL, static_cast<WPARAM>(request), 0);
        RunQueued();
    }
    // The focus comes to the table and Down puts it on the first record.
    void Enter()
    {
        SetFocus(Handle());
        RunQueued();
        Key(VK_DOWN);
    }
    ZafTableRecord *Window(int position) const { return static_cast<ZafTableRecord *>(table->Get(position)); }
    ZafWindowObject *Field(int position, int column) const { return OwnerTable::Field(Window(position), column); }
    SCROLLINFO Bar() const
    {
        SCROLLINFO info = {};
        info.cbSize = sizeof info;
        info.fMask = SIF_ALL;
        GetScrollInfo(Handle(), SB_VERT, &info);
        return info;
    }
    // Each window shows the owner's record of its index.
    void ExpectWindowsShowTheirRecords() const
    {
        for (int i = 0; i < table->RecordWindowCount(); ++i) {
            const int index = Window(i)->RecordIndex();
            EXPECT_EQ(index, table->FirstVisibleIndex() + i);
            EXPECT_STREQ(Field(i, 0)->Text(), table->rows[index][0].c_str()) << "window " << i;
        }
    }

    OwnerTable *table = nullptr;
};

} // namespace

TEST_F(ZafTableTest, ShowsTheRecordsThatFitEachLoadedOnceUnderItsColumns)
{
    Make(50);
    // 180 pixels below the header; rows of 20 with a grid line between.
    ASSERT_EQ(table->RecordWindowCount(), 8);
    EXPECT_EQ(table->log, (std::vector<std::string>{"L0", "L1", "L2", "L3", "L4", "L5", "L6", "L7"}));
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(Window(i)->Region().top, 1 + i * 21);
        EXPECT_EQ(Field(i, 0)->Region().right, 98) << "one pixel is left for the vertical grid line";
    }
    ExpectWindowsShowTheirRecords();
    ZafTableHeader *rows = table->RowHeader();
    ASSERT_EQ(rows->Count(), 8);
    EXPECT_STREQ(static_cast<ZafWindowObject *>(rows->Get(3))->Text(), "4");
    ZafTableHeader *columns = table->ColumnHeader();
    ASSERT_EQ(columns->Count(), 2);
    EXPECT_STREQ(static_cast<ZafWindowObject *>(columns->Get(1))->Text(), "Count");
    EXPECT_EQ(static_cast<ZafWindowObject *>(columns->Get(1))->GetWindowRegion().left,
              Field(0, 1)->GetWindowRegion().left)
        << "the header's cells follow the columns";
    const SCROLLINFO bar = Bar();
    EXPECT_EQ(bar.nPos, 0);
    EXPECT_EQ(bar.nPage, 8u);
    EXPECT_EQ(bar.nMax, 49);
}

TEST_F(ZafTableTest, DownWalksTheRowsAndScrollsOneRecordAtTheBottom)
{
    Make(50);
    Enter();
    EXPECT_TRUE(Field(0, 0)->Focus());
    for (int i = 0; i < 7; ++i)
        Key(VK_DOWN);
    EXPECT_TRUE(Field(7, 0)->Focus());
    table->log.clear();
    Key(VK_DOWN);
    EXPECT_EQ(table->log, std::vector<std::string>{"L8"}) << "only the row that came into view is loaded";
    EXPECT_EQ(table->FirstVisibleIndex(), 1);
    EXPECT_EQ(table->CurrentRecord(), 8);
    EXPECT_TRUE(Field(7, 0)->Focus());
    EXPECT_EQ(Bar().nPos, 1);
    ExpectWindowsShowTheirRecords();
    // Up at the top of the view scrolls back; Up on record 0 does nothing.
    for (int i = 0; i < 8; ++i)
        Key(VK_UP);
    EXPECT_EQ(table->FirstVisibleIndex(), 0);
    EXPECT_EQ(table->CurrentRecord(), 0);
    table->log.clear();
    Key(VK_UP);
    EXPECT_TRUE(table->log.empty());
    EXPECT_EQ(table->CurrentRecord(), 0);
}

TEST_F(ZafTableTest, PageKeysMoveToTheEdgeOfTheViewFirstAndThenScroll)
{
    Make(50);
    Enter();
    Key(VK_NEXT);
    EXPECT_EQ(table->FirstVisibleIndex(), 0) << "the first Page Down only moves the focus";
    EXPECT_EQ(table->CurrentRecord(), 7);
    Key(VK_NEXT);
    EXPECT_EQ(table->FirstVisibleIndex(), 7);
    EXPECT_EQ(table->CurrentRecord(), 14);
    EXPECT_EQ(Bar().nPos, 7);
    Key(VK_PRIOR);
    EXPECT_EQ(table->CurrentRecord(), 7);
    Key(VK_PRIOR);
    EXPECT_EQ(table->FirstVisibleIndex(), 0);
    EXPECT_EQ(table->CurrentRecord(), 0);
    ExpectWindowsShowTheirRecords();
}

struct ScrollCase
{
    std::vector<int> requests;
    int first; // first visible index afterwards
};

class ZafTableScrollTest : public ZafTableTest, public testing::WithParamInterface<ScrollCase>
{};

TEST_P(ZafTableScrollTest, ScrollBarRequestsMoveTheRowsAndTheThumb)
{
    Make(50);
    for (int request : GetParam().requests)
        Scroll(request);
    EXPECT_EQ(table->FirstVisibleIndex(), GetParam().first);
    EXPECT_EQ(Bar().nPos, GetParam().first);
    EXPECT_EQ(table->RecordWindowCount(), 8);
    ExpectWindowsShowTheirRecords();
    for (const std::string &load : table->Logged('L'))
        EXPECT_LE(std::stoi(load.substr(1)), 49) << "nothing beyond the last record is loaded";
}

INSTANTIATE_TEST_SUITE_P(Requests, ZafTableScrollTest,
                         testing::Values(ScrollCase{{SB_LINEDOWN}, 1},
                                         ScrollCase{{SB_LINEDOWN, SB_LINEDOWN, SB_LINEDOWN}, 3},
                                         ScrollCase{{SB_PAGEDOWN}, 8}, ScrollCase{std::vector<int>(9, SB_PAGEDOWN), 42},
                                         ScrollCase{{SB_BOTTOM}, 42}, ScrollCase{{SB_BOTTOM, SB_BOTTOM}, 42},
                                         ScrollCase{{SB_LINEUP, SB_LINEUP}, 0}, ScrollCase{{SB_BOTTOM, SB_LINEUP}, 41},
                                         ScrollCase{{SB_BOTTOM, SB_LINEUP, SB_TOP}, 0}));

TEST_F(ZafTableTest, TheCurrentRecordSurvivesScrollingOutAndDownBringsItBack)
{
    Make(50);
    Enter();
    Key(VK_DOWN);
    Key(VK_DOWN);
    Scroll(SB_PAGEDOWN);
    Scroll(SB_PAGEDOWN);
    EXPECT_EQ(table->CurrentRecordWindow(), nullptr);
    EXPECT_EQ(table->CurrentRecord(), 2);
    Key(VK_DOWN);
    EXPECT_EQ(table->CurrentRecord(), 3);
    ASSERT_NE(table->FindRecord(3), nullptr);
    EXPECT_TRUE(OwnerTable::Field(table->FindRecord(3), 0)->Focus());
    ExpectWindowsShowTheirRecords();
}

TEST_F(ZafTableTest, TypingOnARowOpensTheEditKeepsTheCharacterAndLeavingStoresOnce)
{
    Make(50);
    Enter();
    Key('X');
    HWND edit = Field(0, 0)->OSHandle();
    ASSERT_NE(edit, nullptr) << "the first typed character opens the field's edit control";
    EXPECT_EQ(GetFocus(), edit);
    Typed("yz");
    EXPECT_EQ(WindowText(edit), "xyz");
    EXPECT_TRUE(table->Logged('S').empty());
    Key(VK_DOWN);
    EXPECT_EQ(table->Logged('S'), std::vector<std::string>{"S0/1"});
    EXPECT_EQ(table->rows[0][0], "xyz");
    EXPECT_EQ(Field(0, 0)->OSHandle(), nullptr) << "the edit ended";
    EXPECT_TRUE(Field(1, 0)->Focus());
    // Leaving an unchanged row stores nothing.
    Key(VK_UP);
    Key(VK_DOWN);
    EXPECT_EQ(table->Logged('S').size(), 1u);
}

TEST_F(ZafTableTest, EnterOpensTheEditAndTabMovesToTheNextFieldOfTheRow)
{
    Make(5);
    Enter();
    Key(VK_RETURN);
    HWND edit = Field(0, 0)->OSHandle();
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(WindowText(edit), "name0");
    Key(VK_TAB);
    EXPECT_EQ(Field(0, 0)->OSHandle(), nullptr);
    EXPECT_TRUE(Field(0, 1)->Focus());
    EXPECT_EQ(table->CurrentField(), 1);
    Key(VK_TAB);
    EXPECT_TRUE(Field(0, 0)->Focus()) << "Tab wraps round to the first field";
    EXPECT_TRUE(table->Logged('S').empty());
    // Enter on the field being edited takes its text, ends the edit and
    // moves on; the row is stored when it is left.
    Key(VK_RETURN);
    ASSERT_NE(Field(0, 0)->OSHandle(), nullptr);
    SendMessageA(Field(0, 0)->OSHandle(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("entered"));
    Key(VK_RETURN);
    EXPECT_EQ(Field(0, 0)->OSHandle(), nullptr);
    EXPECT_STREQ(Field(0, 0)->Text(), "entered");
    EXPECT_TRUE(Field(0, 1)->Focus());
    EXPECT_TRUE(table->Logged('S').empty());
    Key(VK_DOWN);
    EXPECT_EQ(table->Logged('S'), std::vector<std::string>{"S0/1"});
    EXPECT_EQ(table->rows[0][0], "entered");
}

TEST_F(ZafTableTest, APressOnAFieldOpensItsEditAndLeavingForAnotherRowStoresTheRow)
{
    Make(50);
    Click(2, 1);
    HWND edit = Field(2, 1)->OSHandle();
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(GetFocus(), edit);
    EXPECT_EQ(table->CurrentRecord(), 2);
    SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("77"));
    Click(5, 0);
    EXPECT_EQ(table->Logged('S'), std::vector<std::string>{"S2/3"});
    EXPECT_EQ(table->rows[2][1], "77");
    EXPECT_EQ(table->CurrentRecord(), 5);
    ASSERT_NE(Field(5, 0)->OSHandle(), nullptr);
}

TEST_F(ZafTableTest, ARowWhoseFieldRefusesToLetTheFocusGoIsNeitherLeftNorStored)
{
    Make(50);
    Click(0, 1);
    HWND edit = Field(0, 1)->OSHandle();
    ASSERT_NE(edit, nullptr);
    // Each way out is tried with a count beyond the field's range: the
    // field reports it, shows its old value again and keeps the focus.
    const std::function<void()> ways[] = {[this] { Key(VK_DOWN); }, [this] { Scroll(SB_PAGEDOWN); },
                                          [this] { Click(3, 0); }, [this] { Key(VK_TAB); }};
    for (std::size_t way = 0; way < std::size(ways); ++way) {
        SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("500"));
        ways[way]();
        EXPECT_EQ(Recorded().reports.size(), way + 1) << "way " << way;
        EXPECT_TRUE(table->Logged('S').empty()) << "way " << way;
        EXPECT_EQ(table->CurrentRecord(), 0) << "way " << way;
        EXPECT_EQ(table->FirstVisibleIndex(), 0) << "way " << way;
        EXPECT_EQ(Bar().nPos, 0) << "the thumb shows where the table stayed";
        EXPECT_EQ(Field(0, 1)->OSHandle(), edit) << "way " << way;
        EXPECT_EQ(WindowText(edit), "0") << "way " << way;
    }
    SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("50"));
    Key(VK_DOWN);
    EXPECT_EQ(table->Logged('S'), std::vector<std::string>{"S0/1"}) << "stored once, with its own row field";
    EXPECT_EQ(table->rows[0][1], "50");
    EXPECT_EQ(table->CurrentRecord(), 1);
}

TEST_F(ZafTableTest, InsertingDeletingAndRefreshingStoreTheEditedRowFirst)
{
    Make(50);
    Click(1, 0);
    SendMessageA(Field(1, 0)->OSHandle(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("kept"));
    table->RefreshRecord(-1);
    EXPECT_EQ(table->rows[1][0], "kept");
    EXPECT_STREQ(Field(1, 0)->Text(), "kept");

    Click(2, 0);
    SendMessageA(Field(2, 0)->OSHandle(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("also kept"));
    table->rows.push_back({"new", "1"});
    ASSERT_EQ(table->InsertRecord(50), 0);
    EXPECT_EQ(table->rows[2][0], "also kept");
    EXPECT_EQ(table->LastRecord(), 50);
    EXPECT_EQ(table->InsertRecord(52), 1) << "beyond the end";

    Click(3, 0);
    SendMessageA(Field(3, 0)->OSHandle(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("still kept"));
    table->rows.pop_back();
    ASSERT_EQ(table->DeleteRecord(50), 0);
    EXPECT_EQ(table->rows[3][0], "still kept");
    ExpectWindowsShowTheirRecords();
}

TEST_F(ZafTableTest, DeletingTheLastRecordsMovesTheFocusUpUntilNoneIsLeft)
{
    Make(3);
    Enter();
    Key(VK_DOWN);
    Key(VK_DOWN);
    ASSERT_EQ(table->CurrentRecord(), 2);
    for (int left = 2; left >= 0; --left) {
        table->rows.pop_back();
        ASSERT_EQ(table->DeleteRecord(left), 0);
        RunQueued();
        EXPECT_EQ(table->RecordWindowCount(), left);
        if (left > 0) {
            EXPECT_EQ(table->CurrentRecord(), left - 1);
            EXPECT_TRUE(Field(left - 1, 0)->Focus());
        }
    }
    EXPECT_EQ(table->LastRecord(), -1);
    EXPECT_EQ(table->FindRecord(0), nullptr);
    EXPECT_EQ(GetFocus(), Handle());
    EXPECT_EQ(table->DeleteRecord(0), 1);
}

TEST_F(ZafTableTest, DeletingTheLastRecordWhileItIsScrolledOutKeepsTheTableWhole)
{
    Make(50);
    Enter();
    table->Event(ZafEventRecord(ZAF_MOVE_BOTTOM));
    RunQueued();
    EXPECT_EQ(table->CurrentRecord(), 49);
    Scroll(SB_TOP);
    table->rows.pop_back();
    ASSERT_EQ(table->DeleteRecord(49), 0);
    EXPECT_EQ(table->LastRecord(), 48);
    EXPECT_EQ(table->FirstVisibleIndex(), 0);
    ExpectWindowsShowTheirRecords();
}

TEST_F(ZafTableTest, AWindowWhoseRecordCannotBeReachedIsLeftEmptyAndNeverStored)
{
    Make(50);
    table->reachable = 45;
    table->log.clear();
    Scroll(SB_BOTTOM);
    EXPECT_EQ(table->FirstVisibleIndex(), 42);
    for (int i = 0; i < table->RecordWindowCount(); ++i) {
        const int index = 42 + i;
        if (index <= 45) {
            EXPECT_EQ(Window(i)->RecordIndex(), index);
            EXPECT_STREQ(Field(i, 0)->Text(), table->rows[index][0].c_str());
        } else {
            EXPECT_EQ(Window(i)->RecordIndex(), -1) << "not loaded with the record the cursor stayed on";
            EXPECT_STREQ(Field(i, 0)->Text(), "");
        }
    }
    EXPECT_EQ(table->Logged('L').size(), 4u);
    Click(7, 0);
    SendMessageA(Field(7, 0)->OSHandle(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("lost"));
    Click(3, 0);
    EXPECT_TRUE(table->Logged('S').empty()) << "an empty window is stored over no record";
    EXPECT_EQ(table->rows[45][0], "name45");
}

TEST_F(ZafTableTest, ARoundTripThroughTheUIDataFileKeepsColumnsHeadersAndTheRecordCount)
{
    ZafTable::RegisterPersistence();
    ZafTable source(0, 0, 300, 200, 40, 20, 20);
    source.SetCoordinateType(ZAF_PIXEL);
    source.SetGrid(false);
    source.SetLastRecord(9);
    source.InsertObject(new ZafString(0, 0, 10, "", -1), "Name");
    source.InsertObject(new ZafInteger(10, 0, 8, 0), "Count");
    // The program's constructor table has no rows for the table's classes:
    // a reader enters them, as it does for the table itself.
    auto read = fieldtest::RoundTrip(source, "CASES", [](ZafObjectPersistence &persistence) {
        persistence.AddObjectConstructor(ZafTableRecord::className, ZafTableRecord::classID,
                                         ZafObjectNew<ZafTableRecord::New>);
        persistence.AddObjectConstructor(ZafTableHeader::className, ZafTableHeader::classID,
                                         ZafObjectNew<ZafTableHeader::New>);
    });
    EXPECT_FALSE(read->Grid());
    EXPECT_EQ(read->LastRecord(), 9);
    EXPECT_EQ(read->RecordWindowCount(), 0) << "record windows are never stored";
    ASSERT_NE(read->VirtualRecord(), nullptr);
    ASSERT_EQ(read->VirtualRecord()->Count(), 2);
    EXPECT_TRUE(static_cast<ZafWindowObject *>(read->VirtualRecord()->Get(1))->IsClassID(ZafInteger::classID));
    ASSERT_NE(read->ColumnHeader(), nullptr);
    ASSERT_EQ(read->ColumnHeader()->Count(), 2);
    EXPECT_STREQ(static_cast<ZafWindowObject *>(read->ColumnHeader()->Get(0))->Text(), "Name");
    ASSERT_NE(read->RowHeader(), nullptr);
    EXPECT_EQ(read->RowHeader()->HeaderType(), ZafTableHeader::typeRow);
    EXPECT_NE(read->RowHeader()->Field(), nullptr) << "the row fields' template comes back";
    EXPECT_EQ(read->RowHeader()->Count(), 0);
    ASSERT_NE(read->CornerHeader(), nullptr);
    EXPECT_EQ(read->CornerHeader()->HeaderType(), ZafTableHeader::typeCorner);
    EXPECT_EQ(read->VirtualRecord()->Parent(), read.get()) << "the template read back belongs to the table";
    EXPECT_EQ(read->RowHeader()->Field()->Parent(), read->RowHeader());
}

TEST_F(ZafTableTest, TemplatesHaveTheirOwnersAsParentsButStandInNoList)
{
    ZafTable owner(0, 0, 300, 200, 40, 20, 20);
    EXPECT_EQ(owner.VirtualRecord()->Parent(), &owner);
    EXPECT_EQ(owner.Count(), 0);
    EXPECT_FALSE(owner.SupportList().Contains(owner.VirtualRecord()));
    ZafTableHeader *rows = owner.RowHeader();
    ASSERT_NE(rows, nullptr);
    EXPECT_EQ(rows->Field()->Parent(), rows);
    EXPECT_EQ(rows->Count(), 0);

    auto *replacement = new ZafTableRecord(300, 20);
    replacement->AddObject(new ZafString(0, 0, 10, "", -1));
    ASSERT_EQ(owner.SetVirtualRecord(replacement), replacement);
    EXPECT_EQ(replacement->Parent(), &owner);
    EXPECT_EQ(owner.Count(), 0);
    EXPECT_EQ(owner.ColumnHeader()->Count(), 1) << "one cell for the new template's field";

    // A copied row header has a copy of the template and no row fields.
    std::unique_ptr<ZafWindowObject> copy(rows->Duplicate());
    auto *copied = static_cast<ZafTableHeader *>(copy.get());
    ASSERT_NE(copied->Field(), nullptr);
    EXPECT_NE(copied->Field(), rows->Field());
    EXPECT_EQ(copied->Field()->Parent(), copied);
    EXPECT_EQ(copied->Count(), 0);
}

TEST_F(ZafTableTest, AnUnknownHeaderTypeIsStoredAndKeepsTheIds)
{
    ZafTableHeader header(0, 20, ZafTableHeader::typeColumn);
    EXPECT_EQ(header.SetHeaderType(5), 5);
    EXPECT_EQ(header.NumberID(), ZAF_NUMID_COLUMN_HEADER);
    EXPECT_STREQ(header.StringID(), "ZAF_COLUMN_HEADER");
    auto read = fieldtest::RoundTrip(header, "HEADER");
    EXPECT_EQ(read->HeaderType(), 5) << "the type's four bits are stored as they are";
}

TEST_F(ZafTableTest, TheHeadersShowTheBackgroundColourTheTableGivesThem)
{
    Make(3);
    constexpr int yellow = 14;
    ASSERT_EQ(table->SetHeaderBackgroundColor(yellow, 0), yellow);
    table->Event(ZafEventRecord(ZAF_REDISPLAY));
    RunQueued();
    const bartest::Painted painted(Handle());
    const COLORREF expected = bartest::TableColor(yellow);
    EXPECT_EQ(painted.At(OwnerTable::rowHeader / 2, OwnerTable::columnHeader / 2), expected) << "the corner";
    // The row header's empty cells below the three rows.
    const int belowRows = OwnerTable::columnHeader + 3 * (OwnerTable::rowHeight + 1) + 2 + 10;
    EXPECT_EQ(painted.At(OwnerTable::rowHeader / 2, belowRows), expected) << "an empty row cell";
}

namespace {

// Holds Ctrl down in the thread's key state while it lives.
class HeldControl
{
public:
    HeldControl() { Set(0x80); }
    ~HeldControl() { Set(0); }

private:
    static void Set(BYTE state)
    {
        BYTE keys[256];
        GetKeyboardState(keys);
        keys[VK_CONTROL] = state;
        SetKeyboardState(keys);
    }
};

} // namespace

TEST_F(ZafTableTest, ControlLettersOpenNoEditAndControlTabLeavesForTheNextSiblingStoringTheRow)
{
    auto *after = ControlTest::Add(new ZafString(0, 0, 100, "", -1));
    after->SetRegion(10, 250, 109, 269, ZAF_PIXEL);
    Make(10);
    Enter();
    {
        HeldControl control;
        Key('C');
    }
    EXPECT_EQ(Field(0, 0)->OSHandle(), nullptr);
    EXPECT_TRUE(Field(0, 0)->Focus());
    Key('Q');
    ASSERT_NE(Field(0, 0)->OSHandle(), nullptr);
    {
        HeldControl control;
        Key(VK_TAB);
    }
    EXPECT_EQ(GetFocus(), after->OSHandle());
    EXPECT_EQ(table->Logged('S'), std::vector<std::string>{"S0/1"});
    EXPECT_EQ(table->rows[0][0], "q");
}

TEST_F(ZafTableTest, ArrowsHomeAndEndMoveBetweenTheFieldsOfARow)
{
    Make(10);
    Enter();
    Key(VK_END);
    EXPECT_TRUE(Field(0, 1)->Focus());
    Key(VK_RIGHT);
    EXPECT_TRUE(Field(0, 0)->Focus()) << "Right wraps round to the first field";
    Key(VK_LEFT);
    EXPECT_TRUE(Field(0, 1)->Focus());
    Key(VK_HOME);
    EXPECT_TRUE(Field(0, 0)->Focus());
    Key(VK_DOWN);
    EXPECT_TRUE(Field(1, 0)->Focus()) << "the row below is entered at the same column";
    Key(VK_END);
    Key(VK_DOWN);
    EXPECT_TRUE(Field(2, 1)->Focus());
}

TEST_F(ZafTableTest, APressOnTheRowHeaderTogglesTheSelectionOfItsRecord)
{
    Make(10);
    const LPARAM at = MAKELPARAM(OwnerTable::rowHeader / 2, OwnerTable::columnHeader + 2 * 21 + 10);
    auto *rowField = static_cast<ZafWindowObject *>(table->RowHeader()->Get(2));
    for (const bool selected : {true, false}) {
        PostMessageA(Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
        PostMessageA(Handle(), WM_LBUTTONUP, 0, at);
        RunQueued();
        EXPECT_EQ(Window(2)->Selected(), selected);
        EXPECT_EQ(rowField->Selected(), selected);
        EXPECT_FALSE(Window(1)->Selected());
    }
}

TEST_F(ZafTableTest, DrawsGridLinesBetweenRowsAndColumnsAroundWhiteFields)
{
    Make(10);
    const bartest::Painted painted(Handle());
    const int x0 = OwnerTable::rowHeader, y0 = OwnerTable::columnHeader;
    const COLORREF grid = painted.At(x0 + 50, y0 + 21), field = painted.At(x0 + 50, y0 + 10);
    EXPECT_EQ(painted.At(x0 + 50, y0), grid) << "a grid line above the first row";
    EXPECT_EQ(painted.At(x0 + 99, y0 + 10), grid) << "a grid line right of the first column";
    EXPECT_NE(grid, field);
    EXPECT_EQ(field, GetSysColor(COLOR_WINDOW));
}

TEST_F(ZafTableTest, WithoutGridTheCurrentRecordIsMarkedByInvertedLines)
{
    ZafTable::RegisterPersistence();
    table = ControlTest::Add(new OwnerTable(10));
    table->SetGrid(false);
    constexpr int yellow = 14;
    table->SetBackgroundColor(yellow, 0);
    ControlTest::Show();
    RunQueued();
    // Right of the last column, where no field draws over the line.
    const int x = OwnerTable::rowHeader + 240, above = OwnerTable::columnHeader;
    const COLORREF before = bartest::Painted(Handle()).At(x, above);
    ASSERT_EQ(before, bartest::TableColor(yellow));
    Enter();
    table->Event(ZafEventRecord(ZAF_REDISPLAY));
    RunQueued();
    const bartest::Painted painted(Handle());
    EXPECT_EQ(painted.At(x, above), before ^ GetSysColor(COLOR_BTNHIGHLIGHT))
        << "the line above the current record inverts what lies under it";
    EXPECT_EQ(painted.At(x, above + 2 * (OwnerTable::rowHeight + 1)), before) << "none at the next records";
}

TEST_F(ZafTableTest, AnEmptyTableShowsNoRowsUntilARecordIsInserted)
{
    Make(0);
    EXPECT_EQ(table->RecordWindowCount(), 0);
    EXPECT_EQ(table->FindRecord(0), nullptr);
    EXPECT_EQ(Bar().nPage, 0u);
    table->rows.push_back({"first", "1"});
    ASSERT_EQ(table->InsertRecord(0), 0);
    ASSERT_EQ(table->RecordWindowCount(), 1);
    EXPECT_EQ(table->log, std::vector<std::string>{"L0"});
    EXPECT_STREQ(Field(0, 0)->Text(), "first");
    EXPECT_EQ(table->CurrentRecord(), 0);
}

TEST_F(ZafTableTest, MovingToAColumnOutOfViewScrollsTheColumnsAndTheirHeaderCells)
{
    // The count column reaches beyond the 260 pixels right of the row header.
    Make(10, 200);
    Enter();
    auto cell = [this](int column) {
        return static_cast<ZafWindowObject *>(table->ColumnHeader()->Get(column))->Region();
    };
    Key(VK_TAB);
    EXPECT_TRUE(Field(0, 1)->Focus());
    EXPECT_EQ(Field(0, 1)->Region().left, 0) << "the count column came into view";
    EXPECT_EQ(Field(5, 1)->Region().left, 0) << "every row follows";
    EXPECT_EQ(cell(1).left, 0);
    EXPECT_EQ(cell(0).left, -100);
    Key(VK_TAB);
    EXPECT_TRUE(Field(0, 0)->Focus());
    EXPECT_EQ(Field(0, 0)->Region().left, 0);
    EXPECT_EQ(cell(0).left, 0);
}

TEST_F(ZafTableTest, InsertingAmongTheRowsShownReloadsTheRowsFromThereOn)
{
    Make(20);
    Click(5, 0);
    SendMessageA(Field(5, 0)->OSHandle(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("edited"));
    // The owner stores what is shown before its indexes move.
    table->StoreShownRecords();
    EXPECT_EQ(table->Logged('S'), std::vector<std::string>{"S5/6"});
    table->rows.insert(table->rows.begin() + 3, {"inserted", "3"});
    table->log.clear();
    ASSERT_EQ(table->InsertRecord(3), 0);
    EXPECT_EQ(table->log, (std::vector<std::string>{"L3", "L4", "L5", "L6", "L7"}));
    EXPECT_STREQ(Field(3, 0)->Text(), "inserted");
    EXPECT_STREQ(Field(6, 0)->Text(), "edited");
    EXPECT_EQ(table->LastRecord(), 20);
    EXPECT_EQ(Bar().nMax, 20);
    ExpectWindowsShowTheirRecords();
}

TEST_F(ZafTableTest, TheFocusedFieldAndTheFieldsOfASelectedRowAreDrawnInTheHighlightColours)
{
    Make(10);
    // A field with palette data of its own gets it back after each paint.
    Field(0, 0)->SetTextColor(ZAF_CLR_SYSTEM, ZAF_CLR_SYSTEM);
    ZafPaletteData *own = Field(0, 0)->PaletteData();
    ASSERT_NE(own, nullptr);
    Enter();
    ASSERT_TRUE(Field(0, 0)->Focus());
    ASSERT_FALSE(ZafTableRecord::IsEditing(Field(0, 0)));
    const COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT), window = GetSysColor(COLOR_WINDOW);
    ASSERT_NE(highlight, window);
    // Points of a cell's background: right of the name, left of the count.
    const int x0 = OwnerTable::rowHeader, y0 = OwnerTable::columnHeader;
    auto back = [&](const testsupport::Painted &painted, int row, int column) {
        return painted.At(x0 + (column == 0 ? 90 : 105), y0 + row * (OwnerTable::rowHeight + 1) + 17);
    };
    {
        const testsupport::Painted painted(Handle());
        EXPECT_EQ(back(painted, 0, 0), highlight) << "the focused field";
        EXPECT_EQ(back(painted, 0, 1), window) << "the next field of its row";
        EXPECT_EQ(back(painted, 1, 0), window) << "the field below";
        EXPECT_EQ(Field(0, 0)->PaletteData(), own);
    }
    // Selected rows: every field of the third is highlighted; in the first
    // the focused field, being selected too, is drawn as unselected.
    Window(2)->SetSelected(true);
    Window(0)->SetSelected(true);
    table->Event(ZafEventRecord(ZAF_REDISPLAY));
    RunQueued();
    ASSERT_TRUE(Field(0, 0)->Focus());
    const testsupport::Painted painted(Handle());
    EXPECT_EQ(back(painted, 2, 0), highlight);
    EXPECT_EQ(back(painted, 2, 1), highlight);
    EXPECT_EQ(back(painted, 1, 1), window);
    EXPECT_EQ(back(painted, 0, 0), window) << "focused in a selected row";
    EXPECT_EQ(back(painted, 0, 1), highlight);
    EXPECT_EQ(Field(0, 0)->PaletteData(), own);
}
