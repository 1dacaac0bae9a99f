// One graph drawn through every output (the screen's own paint is in the
// workbook's test): a 32-bit memory bitmap, an EMF file, the clipboard, a printer with an
// output scale and origin, and the print preview; and in grey.
#include "GraphTestSupport.h"

#include "shell/PrintPreview.h"
#include "shell/QivPrinter.h"
#include "tests/support/TempDirectory.h"
#include "dataset/PFILE.h"
#include "zaf/core/ZafGdiDisplay.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <set>

namespace {

using graphtest::Bitmap;
using graphtest::GraphTest;
using graphtest::Record;
using graphtest::RecordsOf;
using graphtest::TestGraph;

constexpr COLORREF white = RGB(255, 255, 255), black = RGB(0, 0, 0);
// The box's interior and outline (400 x 300 pixels: device 40, 60 .. 200, 210).
constexpr POINT boxInside{120, 135};
constexpr COLORREF boxFill = RGB(200, 40, 40), polygonFill = RGB(40, 160, 60);

// A printer whose output is three times the window's pixels, moved by 50.
class ScaledPrinter : public QivPrinter
{
public:
    using QivPrinter::QivPrinter;
    void GetScale(int &numerator, int &denominator) const override
    {
        numerator = 3;
        denominator = 1;
    }
    void GetOrigin(int &x, int &y) const override { x = y = 50; }
};

// A printer that draws the window's pixels as they are.
class UnscaledPrinter : public QivPrinter
{
public:
    using QivPrinter::QivPrinter;
    void GetScale(int &numerator, int &denominator) const override { numerator = denominator = 1; }
    void GetOrigin(int &x, int &y) const override { x = y = 0; }
};

// A metafile recorded on a context of its own, and its records.
class Recording
{
public:
    Recording() : dc(CreateEnhMetaFileA(nullptr, nullptr, nullptr, nullptr)) {}
    ~Recording() { DeleteEnhMetaFile(picture); }
    std::vector<Record> Finish()
    {
        picture = CloseEnhMetaFile(dc);
        return RecordsOf(picture);
    }
    HDC dc;
    HENHMETAFILE picture = nullptr;
};

bool IsShape(DWORD type)
{
    return type == EMR_RECTANGLE || type == EMR_PIE || type == EMR_POLYGON16 || type == EMR_POLYGON ||
           type == EMR_LINETO;
}

// What a metafile stores less than the right and bottom given to Rectangle:
// Wine stores them one less, Windows as given.
LONG StoredEdgeShortfall()
{
    HDC dc = CreateEnhMetaFileA(nullptr, nullptr, nullptr, nullptr);
    Rectangle(dc, 0, 0, 10, 10);
    HENHMETAFILE probe = CloseEnhMetaFile(dc);
    LONG shortfall = 0;
    for (const Record &r : RecordsOf(probe))
        if (r.type == EMR_RECTANGLE)
            shortfall = 10 - r.numbers[2];
    DeleteEnhMetaFile(probe);
    return shortfall;
}

// The coordinates of the shapes and texts as they were drawn, in record
// order (without the texts' and the pies': x, y pairs of the other shapes).
std::vector<LONG> Geometry(const std::vector<Record> &records, bool textsAndPies = true)
{
    static const LONG shortfall = StoredEdgeShortfall();
    std::vector<LONG> numbers;
    for (const Record &r : records) {
        switch (r.type) {
        case EMR_RECTANGLE:
        case EMR_PIE:
            if (r.type == EMR_PIE && !textsAndPies)
                break;
            numbers.insert(numbers.end(),
                           {r.numbers[0], r.numbers[1], r.numbers[2] + shortfall, r.numbers[3] + shortfall});
            if (r.type == EMR_PIE)
                numbers.insert(numbers.end(), r.numbers.begin() + 4, r.numbers.begin() + 8);
            break;
        case EMR_MOVETOEX:
        case EMR_LINETO:
            numbers.insert(numbers.end(), r.numbers.begin(), r.numbers.begin() + 2);
            break;
        case EMR_POLYGON16: {
            const auto *points = reinterpret_cast<const short *>(&r.numbers[5]);
            for (LONG i = 0; i < 2 * r.numbers[4]; ++i)
                numbers.push_back(points[i]);
            break;
        }
        case EMR_POLYGON:
            numbers.insert(numbers.end(), r.numbers.begin() + 5, r.numbers.begin() + 5 + 2 * r.numbers[4]);
            break;
        case EMR_EXTTEXTOUTW:
            if (textsAndPies)
                numbers.push_back(r.numbers[7]); // the reference point's x
            break;
        default:
            break;
        }
    }
    return numbers;
}

std::set<COLORREF> BrushColours(const std::vector<Record> &records)
{
    std::set<COLORREF> colours;
    for (const Record &r : records)
        if (r.type == EMR_CREATEBRUSHINDIRECT)
            colours.insert(static_cast<COLORREF>(r.numbers[2]));
    return colours;
}

std::vector<std::string> Texts(const std::vector<Record> &records)
{
    std::vector<std::string> texts;
    for (const Record &r : records)
        if (r.type == EMR_EXTTEXTOUTW)
            texts.push_back(r.text);
    return texts;
}

// Texts come after every shape.
bool TextsLast(const std::vector<Record> &records)
{
    std::size_t lastShape = 0, firstText = records.size();
    for (std::size_t i = 0; i < records.size(); ++i) {
        if (IsShape(records[i].type))
            lastShape = i;
        if (records[i].type == EMR_EXTTEXTOUTW)
            firstText = std::min(firstText, i);
    }
    return firstText < records.size() && lastShape < firstText;
}

// Grid dots: a move and a line to the next pixel down and right.
int GridDots(const std::vector<Record> &records)
{
    int dots = 0;
    for (std::size_t i = 1; i < records.size(); ++i)
        if (records[i].type == EMR_LINETO && records[i - 1].type == EMR_MOVETOEX &&
            records[i].numbers[0] == records[i - 1].numbers[0] + 1 &&
            records[i].numbers[1] == records[i - 1].numbers[1] + 1)
            ++dots;
    return dots;
}

class GraphOutputTest : public GraphTest
{
protected:
    // The graph drawn as a preview into a context (mode 3), with a printer's
    // scale when one is given.
    void DrawInto(HDC dc, ZafPrinter *printer = nullptr)
    {
        ZafGdiDisplay *display = ZafScreenGdiDisplay();
        HDC previous = display->SetCurrentDC(dc);
        graph->PreviewOn(printer);
        display->SetCurrentDC(previous);
    }
    std::vector<Record> Preview(ZafPrinter *printer = nullptr)
    {
        Recording recording;
        DrawInto(recording.dc, printer);
        return recording.Finish();
    }
    std::vector<Record> ExportFile()
    {
        testsupport::TempDirectory directory("mervalograph");
        const std::string path = directory.File("graph-test.emf");
        graph->SetMetafileName(path.c_str());
        EXPECT_TRUE(graph->ExportMetafile());
        HENHMETAFILE file = GetEnhMetaFileA(path.c_str());
        EXPECT_NE(file, nullptr);
        std::vector<Record> records = RecordsOf(file);
        char description[64] = {};
        const UINT length = GetEnhMetaFileDescriptionA(file, sizeof description, description);
        description_.assign(description, length);
        ENHMETAHEADER header = {};
        GetEnhMetaFileHeader(file, sizeof header, &header);
        frame = header.rclFrame;
        DeleteEnhMetaFile(file);
        return records;
    }
    // Ink (any pixel not white) of the area outside the box, counted.
    static int InkOutside(const Bitmap &bitmap, RECT area, RECT box)
    {
        int ink = 0;
        for (int y = area.top; y < area.bottom; ++y)
            for (int x = area.left; x < area.right; ++x)
                if (bitmap.At(x, y) != white && (x < box.left || x > box.right || y < box.top || y > box.bottom))
                    ++ink;
        return ink;
    }

    std::string description_;
    RECTL frame = {};
};

TEST_F(GraphOutputTest, MemoryBitmapHoldsExactFillsEdgesAndTextInItsBox)
{
    ShowGraph();
    Bitmap bitmap(TestGraph::width, TestGraph::height);
    DrawInto(bitmap.dc);
    EXPECT_EQ(bitmap.At(boxInside.x, boxInside.y), boxFill);
    EXPECT_EQ(bitmap.At(300, 220), polygonFill);
    // The box's outline: its left and top edge within one pixel.
    for (POINT edge : {POINT{40, 135}, POINT{120, 60}, POINT{199, 135}, POINT{120, 209}}) {
        bool found = false;
        for (int d = -1; d <= 1; ++d)
            found = found || bitmap.At(edge.x + (edge.y == 135 ? d : 0), edge.y + (edge.y == 135 ? 0 : d)) == black;
        EXPECT_TRUE(found) << edge.x << "," << edge.y;
    }
    EXPECT_EQ(bitmap.At(38, 135), white);
    // The pie's quarter from 0 to 90 degrees: upper right of its centre.
    EXPECT_EQ(bitmap.At(295, 30), boxFill);
    EXPECT_EQ(bitmap.At(265, 60), white);
    EXPECT_EQ(bitmap.At(295, 60), white);
    // The title: ink, and only inside its box (one pixel of slack).
    const element *title = graph->Elements().At(0);
    const RECT box{title->device.left - 1, title->device.top - 1, title->device.right + 1, title->device.bottom + 1};
    const RECT around{20, 20, 150, 58};
    EXPECT_GT(InkOutside(bitmap, around, RECT{0, 0, -1, -1}), 20) << "the text is drawn";
    EXPECT_EQ(InkOutside(bitmap, around, box), 0);
}

TEST_F(GraphOutputTest, GreyModeGivesEqualRedGreenAndBlue)
{
    Set("UseGrayscale", 1);
    ShowGraph();
    Bitmap bitmap(TestGraph::width, TestGraph::height);
    DrawInto(bitmap.dc);
    EXPECT_EQ(bitmap.At(boxInside.x, boxInside.y), RGB(90, 90, 90));
    EXPECT_EQ(bitmap.At(300, 220), RGB(170, 170, 170));
    int coloured = 0;
    for (int y = 0; y < bitmap.height; ++y)
        for (int x = 0; x < bitmap.width; ++x) {
            const COLORREF c = bitmap.At(x, y);
            coloured += GetRValue(c) != GetGValue(c) || GetGValue(c) != GetBValue(c);
        }
    EXPECT_EQ(coloured, 0);
    for (COLORREF colour : BrushColours(Preview()))
        EXPECT_TRUE(GetRValue(colour) == GetGValue(colour) && GetGValue(colour) == GetBValue(colour)) << colour;
}

TEST_F(GraphOutputTest, MetafileFileHoldsTheGraphRecordByRecord)
{
    Set("WinClip", 0);
    Set("ShowGrid", 1);
    Set("GridSize", 50);
    ShowGraph();
    const std::vector<Record> records = ExportFile();
    EXPECT_EQ(description_, std::string("mervalo\0graph\0\0", 15));
    // WinClip off: the frame is the whole window in hundredths of a millimetre.
    const ZafDisplay &convert = ZafDisplay::ForConversion();
    EXPECT_NEAR(frame.right, convert.ConvertXValue(TestGraph::width, ZAF_PIXEL, ZAF_TENTH_MILLIMETRE) * 10, 30);
    EXPECT_NEAR(frame.bottom, convert.ConvertYValue(TestGraph::height, ZAF_PIXEL, ZAF_TENTH_MILLIMETRE) * 10, 30);
    const std::set<COLORREF> brushes = BrushColours(records);
    EXPECT_TRUE(brushes.count(boxFill));
    EXPECT_TRUE(brushes.count(polygonFill));
    // Pens: the outlines (width 1, black), the dashes (width 2, flat ends,
    // dark blue). Wine records the dashes' geometric pen as a plain one.
    bool outline = false, dashes = false;
    for (const Record &r : records) {
        outline = outline || (r.type == EMR_CREATEPEN && r.numbers[2] == 1 && r.numbers[4] == black);
        const bool extended = r.type == EMR_EXTCREATEPEN;
        if (r.type != EMR_CREATEPEN && !extended)
            continue;
        const LONG style = r.numbers[extended ? 5 : 1], width = r.numbers[extended ? 6 : 2];
        const auto colour = static_cast<COLORREF>(r.numbers[extended ? 8 : 4]);
        dashes = dashes || (style == (PS_GEOMETRIC | PS_ENDCAP_FLAT) && width == 2 && colour == RGB(0, 0, 128));
    }
    EXPECT_TRUE(outline);
    EXPECT_TRUE(dashes);
    const std::vector<LONG> geometry = Geometry(records);
    const std::vector<LONG> box{40, 60, 200, 210};
    EXPECT_NE(std::search(geometry.begin(), geometry.end(), box.begin(), box.end()), geometry.end());
    const std::vector<LONG> triangle{240, 240, 360, 240, 300, 150};
    EXPECT_NE(std::search(geometry.begin(), geometry.end(), triangle.begin(), triangle.end()), geometry.end());
    EXPECT_EQ(Texts(records), (std::vector<std::string>{"Title", "Subtitle"}));
    EXPECT_TRUE(TextsLast(records));
    EXPECT_EQ(GridDots(records), (400 / 50) * (300 / 50));
}

// A metafile that finds the disk full says so and leaves the file that
// stood under its name as it was; a new name gets no file at all.
TEST_F(GraphOutputTest, AMetafileOnAFullDiskKeepsTheOldFile)
{
    ShowGraph();
    testsupport::TempDirectory directory("mervalograph");
    const std::string old = directory.File("old.emf"), fresh = directory.File("new.emf");
    std::ofstream(old, std::ios::binary) << "the old picture";
    for (long long room : {0LL, 100LL}) {
        for (const std::string &path : {old, fresh}) {
            graph->SetMetafileName(path.c_str());
            PFILE::SetWriteLimit(room);
            EXPECT_FALSE(graph->ExportMetafile()) << path << " with room " << room;
            PFILE::SetWriteLimit(-1);
            EXPECT_EQ(graph->MetafileError(), PFILE_ERR_DISK_FULL);
            EXPECT_EQ(GetFileAttributesA((path + ".$$$").c_str()), INVALID_FILE_ATTRIBUTES);
        }
        std::ifstream in(old, std::ios::binary);
        EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "the old picture");
        EXPECT_EQ(GetFileAttributesA(fresh.c_str()), INVALID_FILE_ATTRIBUTES);
    }
    graph->SetMetafileName(old.c_str());
    ASSERT_TRUE(graph->ExportMetafile());
    HENHMETAFILE file = GetEnhMetaFileA(old.c_str());
    EXPECT_NE(file, nullptr);
    DeleteEnhMetaFile(file);
}

TEST_F(GraphOutputTest, WinClipLetsTheSystemFindTheFrame)
{
    ShowGraph();
    ExportFile();
    const ZafDisplay &convert = ZafDisplay::ForConversion();
    EXPECT_LT(frame.right, convert.ConvertXValue(TestGraph::width, ZAF_PIXEL, ZAF_TENTH_MILLIMETRE) * 10 - 200);
    EXPECT_GT(frame.right, 0);
}

TEST_F(GraphOutputTest, ClipboardGetsTheSameRecordsAsTheFile)
{
    Set("ShowGrid", 1);
    ShowGraph();
    const std::vector<Record> file = ExportFile();
    graph->Event(ZafEventRecord(ZAF_COPY));
    ASSERT_TRUE(OpenClipboard(nullptr));
    auto picture = static_cast<HENHMETAFILE>(GetClipboardData(CF_ENHMETAFILE));
    std::vector<Record> clipboard;
    if (picture)
        clipboard = RecordsOf(picture);
    CloseClipboard();
    ASSERT_FALSE(clipboard.empty());
    ASSERT_EQ(clipboard.size(), file.size());
    for (std::size_t i = 1; i + 1 < file.size(); ++i) {
        EXPECT_EQ(clipboard[i].type, file[i].type) << "record " << i;
        // A font record's face name carries bytes past its end; its size,
        // weight and family are compared.
        const std::size_t compared = file[i].type == EMR_EXTCREATEFONTINDIRECTW ? 7 : file[i].numbers.size();
        EXPECT_TRUE(
            std::equal(file[i].numbers.begin(), file[i].numbers.begin() + compared, clipboard[i].numbers.begin()))
            << "record " << i;
    }
    EXPECT_GT(GridDots(clipboard), 1000);
}

TEST_F(GraphOutputTest, PrinterScaleAndOriginMoveEveryCoordinate)
{
    ShowGraph();
    RECT before;
    ASSERT_TRUE(GetClientRect(graph->OSHandle(), &before));
    const std::vector<LONG> window = Geometry(Preview());
    // The graph laid out for the page on a printer of scale 1 at 0, 0, and
    // on one of scale 3 moved by 50: every coordinate of the second is three
    // times the first's plus 50.
    Recording plainPage, scaledPage;
    {
        UnscaledPrinter printer(plainPage.dc);
        EXPECT_TRUE(graph->PrintOn(&printer));
    }
    {
        ScaledPrinter printer(scaledPage.dc);
        EXPECT_TRUE(graph->PrintOn(&printer));
    }
    const std::vector<Record> plain = plainPage.Finish(), printed = scaledPage.Finish();
    const std::vector<LONG> one = Geometry(plain), three = Geometry(printed);
    ASSERT_EQ(one.size(), three.size());
    ASSERT_GT(one.size(), 30u);
    for (std::size_t i = 0; i < one.size(); ++i)
        EXPECT_EQ(three[i], 3 * one[i] + 50) << "coordinate " << i;
    // Laid out for the page, not the window's layout: the page is larger.
    ASSERT_EQ(window.size(), one.size());
    EXPECT_GT(*std::max_element(one.begin(), one.end()), *std::max_element(window.begin(), window.end()));
    // The texts' fonts grow with the scale.
    const auto heights = [](const std::vector<Record> &records) {
        std::vector<LONG> found;
        for (const Record &r : records)
            if (r.type == EMR_EXTCREATEFONTINDIRECTW && r.numbers[1] > 0)
                found.push_back(r.numbers[1]);
        return found;
    };
    std::vector<LONG> tripled = heights(plain);
    ASSERT_EQ(tripled.size(), 2u);
    for (LONG &height : tripled)
        height *= 3;
    EXPECT_EQ(heights(printed), tripled);
    EXPECT_TRUE(TextsLast(printed));
    EXPECT_EQ(graph->DrawModeInForce(), GRAPHWIN::drawScreen);
    // The window has its own layout again.
    RECT after;
    ASSERT_TRUE(GetClientRect(graph->OSHandle(), &after));
    EXPECT_EQ(after.right, before.right);
    EXPECT_EQ(Geometry(Preview()), window);
}

TEST_F(GraphOutputTest, PreviewShowsThePrintedPageFilledInsideTheMargins)
{
    ShowGraph();
    graph->SetRunningHead("Survey results", "v1: Region");
    Recording reference;
    PrintPreview preview(*graph, reference.dc);
    ASSERT_EQ(preview.PageCount(), 1);
    const std::vector<Record> page = RecordsOf(preview.PageMetafile(0));
    // The head first: the caption, "page 1 of 1" and what the page shows.
    EXPECT_EQ(Texts(page), (std::vector<std::string>{"Survey results", "page 1 of 1", "v1: Region", "Title",
                                                     "Subtitle"}));
    EXPECT_TRUE(BrushColours(page).count(boxFill));
    // The graph laid out for the room under the head inside a half-inch
    // margin: the window's picture stretched to fill that room, but for the
    // pie, which stays round.
    const std::vector<Record> window = Preview();
    const std::vector<LONG> plain = Geometry(window, false), shown = Geometry(page, false);
    ASSERT_EQ(plain.size(), shown.size());
    ASSERT_GT(plain.size(), 30u);
    RECT client;
    ASSERT_TRUE(GetClientRect(graph->OSHandle(), &client));
    QivPrinter sheet(reference.dc);
    const int perInch = GetDeviceCaps(reference.dc, LOGPIXELSY), margin = perInch / 2;
    // Three 10-point lines of head.
    HFONT font = CreateFontA(-MulDiv(10, perInch, 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET,
                             OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, VARIABLE_PITCH | FF_DONTCARE,
                             "Arial");
    HGDIOBJ previous = SelectObject(reference.dc, font);
    TEXTMETRICA metrics = {};
    ASSERT_TRUE(GetTextMetricsA(reference.dc, &metrics));
    SelectObject(reference.dc, previous);
    DeleteObject(font);
    const int head = 3 * (metrics.tmHeight + metrics.tmExternalLeading);
    const double roomX = sheet.PageWidth() - 2 * margin, roomY = sheet.PageHeight() - 2 * margin - head;
    const double scaleX = roomX / client.right, scaleY = roomY / client.bottom;
    for (std::size_t i = 0; i < plain.size(); ++i) {
        const double expected = i % 2 == 0 ? margin + plain[i] * scaleX : margin + head + plain[i] * scaleY;
        EXPECT_NEAR(shown[i], expected, (i % 2 == 0 ? scaleX : scaleY) + 1) << "coordinate " << i;
        // Nothing of the graph above the head's last line or past the margins.
        EXPECT_GE(shown[i], i % 2 == 0 ? margin : margin + head) << "coordinate " << i;
        EXPECT_LE(shown[i], i % 2 == 0 ? sheet.PageWidth() - margin : sheet.PageHeight() - margin)
            << "coordinate " << i;
    }
    // The pie stays round, inside the room.
    int pies = 0;
    for (const Record &r : page)
        if (r.type == EMR_PIE) {
            ++pies;
            EXPECT_NEAR(r.numbers[2] - r.numbers[0], r.numbers[3] - r.numbers[1], 1);
            EXPECT_GE(r.numbers[0], margin);
            EXPECT_GE(r.numbers[1], margin + head);
            EXPECT_LE(r.numbers[2], sheet.PageWidth() - margin);
        }
    EXPECT_EQ(pies, 1);
    // The graph's texts placed across as its shapes are.
    const std::vector<LONG> textsThere = Geometry(window), textsHere = Geometry(page);
    ASSERT_EQ(textsHere.size(), textsThere.size() + 3) << "the head's three texts";
    for (std::size_t i = 1; i <= 2; ++i)
        EXPECT_NEAR(textsHere[textsHere.size() - i], margin + textsThere[textsThere.size() - i] * scaleX, scaleX + 1);
    reference.Finish();
}

} // namespace
