// The graph tests' fixture: a graph window with one element of each shape
// and two texts, shown in the controls' test window, and the "Graphics"
// settings set per test (restored to the defaults afterwards); the English
// texts; memory bitmaps and the records of enhanced metafiles to read
// what was drawn.
#pragma once

#include "../zaf/controls/ControlTestHarness.h"
#include "tests/support/EnglishTexts.h"
#include "tests/support/GoldenSwitch.h"

#include "dataset/RegistrySettings.h"
#include "dataset/TextCatalog.h"
#include "stats/StatClass.h"
#include "graphs/GRAPHWIN.h"
#include "graphs/GROUPELEMENT.h"
#include "graphs/ShapeElements.h"
#include "graphs/TEKSTELEMENT.h"
#include "shell/QivPrinter.h"
#include "shell/WorkBook.h"

#include <cstdio>
#include <string>
#include <vector>

namespace graphtest {

// The settings section of the graphs.
inline const SettingsSection *Graphics()
{
    return FindSettingsSection(5);
}

// A graph of a box, a dashed line, a polygon, a pie slice, a group of two
// boxes and two texts (title and subtitle, each may be left out).
class TestGraph : public GRAPHWIN
{
public:
    static constexpr int width = 400, height = 300;

    TestGraph() : GRAPHWIN(0, 0, 0, 0)
    {
        SetCoordinateType(ZAF_PIXEL);
        SetRegion(ZafRegionRect(0, 0, width - 1, height - 1, ZAF_PIXEL));
        SetDrawStyle(nullptr);
        box.SetSecondColour(0);
        box.SetFillRGB(200, 40, 40);
        box.SetGreyLevels(90, 0);
        other.SetSecondColour(1);
        other.SetFillRGB(40, 160, 60);
        other.SetGreyLevels(170, 30);
    }

    void BuildGraph() override
    {
        ++builds;
        SetDrawStyle(nullptr);
        if (subtitleFirst && subtitle)
            AddElement(new TEKSTELEMENT(1000, 9000, "Subtitle", 0));
        if (title)
            AddElement(new TEKSTELEMENT(1000, 1500, "Title", 0));
        if (!subtitleFirst && subtitle)
            AddElement(new TEKSTELEMENT(1000, 9000, "Subtitle", 0));
        AddElement(new BOXELEMENT(1000, 2000, 4000, 5000, &box));
        auto *line = new LINEELEMENT(6000, 3000, 9000, 3000, 2, &other);
        line->SetDashes(500, 250);
        AddElement(line);
        const POINT triangle[] = {{6000, 8000}, {9000, 8000}, {7500, 5000}};
        AddElement(new POLYGONELEMENT(3, triangle, &other, true));
        AddElement(new PIEELEMENT(6000, 500, 1000, 0.0, 90.0, &box));
        auto *group = new GROUPELEMENT;
        group->AddElement(new BOXELEMENT(200, 7500, 500, 500, &other));
        group->AddElement(new BOXELEMENT(800, 8000, 500, 500, &other));
        AddElement(group);
    }

    bool title = true, subtitle = true, subtitleFirst = false;
    int builds = 0;
    DrawStyle box, other;
};

using testsupport::EnglishTexts;

// A 32-bit top-down memory bitmap, white, selected into a memory context.
class Bitmap
{
public:
    Bitmap(int width, int height) : width(width), height(height), dc(CreateCompatibleDC(nullptr))
    {
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, reinterpret_cast<void **>(&bits), nullptr, 0);
        old = SelectObject(dc, bitmap);
        PatBlt(dc, 0, 0, width, height, WHITENESS);
    }
    ~Bitmap()
    {
        SelectObject(dc, old);
        DeleteObject(bitmap);
        DeleteDC(dc);
    }
    Bitmap(const Bitmap &) = delete;
    Bitmap &operator=(const Bitmap &) = delete;

    // The pixel as a COLORREF; white outside.
    COLORREF At(int x, int y) const
    {
        if (x < 0 || y < 0 || x >= width || y >= height)
            return RGB(255, 255, 255);
        GdiFlush();
        const std::uint32_t p = bits[static_cast<std::size_t>(y) * width + x];
        return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
    }

    // Writes the pixels as a 24-bit ".bmp" file; false when it cannot.
    bool Save(const char *path) const
    {
        const int stride = (width * 3 + 3) / 4 * 4;
        std::vector<unsigned char> rows(static_cast<std::size_t>(stride) * height);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                const COLORREF c = At(x, height - 1 - y);
                unsigned char *p = &rows[static_cast<std::size_t>(y) * stride + x * 3];
                p[0] = GetBValue(c);
                p[1] = GetGValue(c);
                p[2] = GetRValue(c);
            }
        BITMAPINFOHEADER info = {};
        info.biSize = sizeof info;
        info.biWidth = width;
        info.biHeight = height;
        info.biPlanes = 1;
        info.biBitCount = 24;
        BITMAPFILEHEADER file = {};
        file.bfType = 0x4D42;
        file.bfOffBits = sizeof file + sizeof info;
        file.bfSize = file.bfOffBits + static_cast<DWORD>(rows.size());
        std::FILE *out = std::fopen(path, "wb");
        if (!out)
            return false;
        std::fwrite(&file, sizeof file, 1, out);
        std::fwrite(&info, sizeof info, 1, out);
        std::fwrite(rows.data(), 1, rows.size(), out);
        return std::fclose(out) == 0;
    }

    // The screen's pixels of a window (a dialog, a workbook) saved for a look
    // at it.
    static bool SaveWindow(HWND window, const char *path)
    {
        RECT r;
        GetWindowRect(window, &r);
        Bitmap copy(r.right - r.left, r.bottom - r.top);
        HDC screen = GetDC(nullptr);
        BitBlt(copy.dc, 0, 0, copy.width, copy.height, screen, r.left, r.top, SRCCOPY);
        ReleaseDC(nullptr, screen);
        return copy.Save(path);
    }

    const int width, height;
    HDC dc;

private:
    HBITMAP bitmap = nullptr;
    HGDIOBJ old = nullptr;
    std::uint32_t *bits = nullptr;
};

class GraphTest : public controltest::ControlTest
{
protected:
    GraphTest()
    {
        for (const char *key : keys)
            RegistrySettings::DeleteKeyInSection(Graphics(), key);
    }
    ~GraphTest() override
    {
        for (const char *key : keys)
            RegistrySettings::DeleteKeyInSection(Graphics(), key);
    }
    static void Set(const char *key, unsigned long value)
    {
        RegistrySettings::WriteValueInSection(Graphics(), key, value);
    }

    // The graph on the test window, its Windows window made, laid out (which
    // builds it) and drawn once.
    TestGraph *ShowGraph()
    {
        graph = Add(new TestGraph);
        Show();
        graph->Event(ZafEventRecord(ZAF_APPLY_GEOMETRY));
        Pump();
        Bitmap screen(TestGraph::width, TestGraph::height);
        PaintInto(screen);
        return graph;
    }
    // The window paints itself into the bitmap as onto the screen (the test
    // window is hidden, so no WM_PAINT comes).
    void PaintInto(Bitmap &bitmap)
    {
        SendMessageA(graph->OSHandle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(bitmap.dc), PRF_CLIENT);
    }

    TestGraph *graph = nullptr;

private:
    static constexpr const char *keys[] = {"ShowGrid", "GridSize", "WinClip", "UseGrayscale"};
};

// One record of an enhanced metafile, with what the tests read of it.
struct Record
{
    DWORD type;
    std::vector<LONG> numbers; // the record's parameters after its header
    std::string text;          // EMR_EXTTEXTOUTW: the text
};

inline int CALLBACK CollectRecord(HDC, HANDLETABLE *, const ENHMETARECORD *record, int, LPARAM data)
{
    Record r{record->iType, {}, {}};
    const DWORD words = (record->nSize - 8) / 4;
    r.numbers.assign(reinterpret_cast<const LONG *>(record->dParm),
                     reinterpret_cast<const LONG *>(record->dParm) + words);
    if (record->iType == EMR_EXTTEXTOUTW) {
        auto *text = reinterpret_cast<const EMREXTTEXTOUTW *>(record);
        auto *chars =
            reinterpret_cast<const wchar_t *>(reinterpret_cast<const BYTE *>(record) + text->emrtext.offString);
        r.text.assign(chars, chars + text->emrtext.nChars);
    }
    reinterpret_cast<std::vector<Record> *>(data)->push_back(r);
    return 1;
}

inline std::vector<Record> RecordsOf(HENHMETAFILE picture)
{
    std::vector<Record> records;
    EnumEnhMetaFile(nullptr, picture, CollectRecord, &records, nullptr);
    return records;
}

// The records a workbook prints while print runs, on a metafile printer
// (Wine has no printer); the workbooks' printer source is put back after.
inline HDC &MetafilePrinterDC()
{
    static HDC dc = nullptr;
    return dc;
}
inline QivPrinter *MetafilePrinter()
{
    static QivPrinter *printer = nullptr;
    delete printer;
    printer = MetafilePrinterDC() ? new QivPrinter(MetafilePrinterDC()) : nullptr;
    return printer;
}
template <typename Print> std::vector<Record> PrintedOnMetafile(Print print)
{
    MetafilePrinterDC() = CreateEnhMetaFileA(nullptr, nullptr, nullptr, nullptr);
    const WorkBook::PrinterSource previous = WorkBook::SetPrinterSource(MetafilePrinter);
    print();
    WorkBook::SetPrinterSource(previous);
    HDC printed = MetafilePrinterDC();
    MetafilePrinterDC() = nullptr;
    MetafilePrinter(); // lets the printer go before its context
    HENHMETAFILE picture = CloseEnhMetaFile(printed);
    EXPECT_NE(nullptr, picture);
    std::vector<Record> records = picture ? RecordsOf(picture) : std::vector<Record>();
    if (picture)
        DeleteEnhMetaFile(picture);
    return records;
}

} // namespace graphtest
