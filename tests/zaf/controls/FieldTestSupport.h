// Helpers of the field tests, on the controls' harness (application, pump,
// recorded reports): a dialog built in code, the library's loop run until
// its queue is empty, typing and keys posted as the keyboard gives them, an
// error system for the fields that records each report with its flags and
// answers as told, a user function that records its calls and accepts
// them, and a round trip of a control through a UI data file.
#pragma once

#include "zaf/controls/ZafInteger.h"
#include "zaf/controls/ZafPrompt.h"
#include "zaf/controls/ZafReal.h"
#include "zaf/controls/ZafString.h"
#include "zaf/core/ZafDialogWindow.h"
#include "zaf/data/ZafDiskFile.h"
#include "zaf/data/ZafPersistenceRegistry.h"
#include "zaf/data/ZafStorage.h"

#include "ControlTestHarness.h"
#include "tests/support/TempDirectory.h"

#include <cstdio>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace fieldtest {

struct Report
{
    ZafWindowObject *object;
    std::string title;
    unsigned flags;
    std::string message;
};

struct Call
{
    ZafWindowObject *object;
    ZafEventType code;
    std::string text; // the object's text when called
};

// What the fields' error system and the user function saw; reset per test.
struct Record
{
    std::vector<Report> reports;
    std::vector<Call> calls;
    ZafEventType answer = ZAF_DIALOG_OK;
    // Run inside a report, as something the user does while the message
    // shows (null: nothing).
    void (*duringReport)(ZafWindowObject *object) = nullptr;
};

inline Record &Recorded()
{
    static Record record;
    return record;
}

inline ZafEventType RecordReport(ZafWindowObject *object, const char *title, unsigned flags, const char *message)
{
    Recorded().reports.push_back({object, title ? title : "", flags, message ? message : ""});
    if (auto during = Recorded().duringReport)
        during(object);
    return Recorded().answer;
}

// Accepts (answers 0): a field restores its old value on any other answer.
inline ZafEventType RecordCall(ZafWindowObject *object, ZafEventRecord &, ZafEventType code)
{
    const char *text = object->Text();
    Recorded().calls.push_back({object, code, text ? text : ""});
    return 0;
}

inline std::string WindowText(HWND window)
{
    char text[2048] = "";
    GetWindowTextA(window, text, sizeof text);
    return text;
}

// The pixels of a window's client area (row by row, width columns) as its
// paint draws them into a bitmap (WM_PRINTCLIENT).
inline std::vector<COLORREF> PaintedPixels(HWND window, int &width)
{
    RECT client;
    GetClientRect(window, &client);
    width = client.right;
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, client.right, client.bottom);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(dc, bitmap);
    SendMessageA(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
    std::vector<COLORREF> pixels;
    for (int y = 0; y < client.bottom; ++y)
        for (int x = 0; x < client.right; ++x)
            pixels.push_back(GetPixel(dc, x, y));
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    return pixels;
}

inline LONG Style(HWND window)
{
    return GetWindowLongA(window, GWL_STYLE);
}

// The harness's test with the fields' error system installed; its answer
// hook gives way to the recording one here for the test's length.
class FieldTest : public controltest::ControlTest
{
protected:
    FieldTest()
    {
        Recorded() = Record();
        previousSystem = ZafString::SetErrorSystem(&errors);
        harnessHook = ZafErrorStub::SetAnswerHook(RecordReport);
        ZafString::RegisterPersistence();
        ZafPrompt::RegisterPersistence();
        ZafInteger::RegisterPersistence();
        ZafReal::RegisterPersistence();
    }
    ~FieldTest() override
    {
        ZafErrorStub::SetAnswerHook(harnessHook);
        ZafString::SetErrorSystem(previousSystem);
    }

    // A dialog built in code (cells), hidden.
    static ZafDialogWindow *Dialog()
    {
        auto *dialog = new ZafDialogWindow(2, 2, 60, 14);
        dialog->SetVisible(false);
        return dialog;
    }
    template <class T> static T *Add(ZafWindow *window, T *object)
    {
        window->AddObject(object);
        return object;
    }
    static void Show(ZafWindow *window)
    {
        zafWindowManager->AddObject(window);
        RunQueued();
    }
    static void Close(ZafWindow *window) { zafWindowManager->CloseWindow(window); }

    // The library's loop until nothing waits.
    static void RunQueued()
    {
        ZafEventRecord event;
        while (zafEventManager->Get(event, ZAF_QUEUE_NO_WAIT))
            zafWindowManager->Event(event);
    }
    // Characters and keys as the keyboard gives them to a window (Alt held:
    // a system key), then the library's loop.
    static void TypeInto(HWND window, const char *text)
    {
        for (const char *c = text; *c; ++c)
            PostMessageA(window, WM_CHAR, static_cast<unsigned char>(*c), 1);
        RunQueued();
    }
    static void KeyTo(HWND window, WPARAM key, bool alt = false)
    {
        const LPARAM altBit = alt ? (1L << 29) : 0;
        PostMessageA(window, alt ? WM_SYSKEYDOWN : WM_KEYDOWN, key, 1 | altBit);
        PostMessageA(window, alt ? WM_SYSKEYUP : WM_KEYUP, key, 1 | altBit | (3UL << 30));
        RunQueued();
    }
    static void Type(ZafWindowObject *object, const char *text) { TypeInto(object->OSHandle(), text); }
    static void Press(ZafWindowObject *object, WPARAM key) { KeyTo(object->OSHandle(), key); }
    // Replaces the control's text as a user would: select all, type.
    static void Retype(ZafWindowObject *object, const char *text)
    {
        SendMessageA(object->OSHandle(), EM_SETSEL, 0, -1);
        PostMessageA(object->OSHandle(), WM_CHAR, VK_BACK, 1);
        Type(object, text);
    }
    static void SetClipboardText(HWND owner, const char *text)
    {
        ASSERT_TRUE(OpenClipboard(owner));
        EmptyClipboard();
        const std::size_t size = std::strlen(text) + 1;
        HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size);
        std::memcpy(GlobalLock(memory), text, size);
        GlobalUnlock(memory);
        SetClipboardData(CF_TEXT, memory);
        CloseClipboard();
    }

    ZafErrorStub errors;

private:
    ZafErrorStub *previousSystem = nullptr;
    ZafErrorStub::AnswerHook harnessHook = nullptr;
};

// The user function's calls as "name:code" in order, each object named by
// its text (the whole, if given, as "<wholeName>(<text>)"), and forgets them.
inline std::string TakeCalls(const ZafWindowObject *whole = nullptr, const std::string &wholeName = "")
{
    std::string calls;
    for (const Call &call : Recorded().calls) {
        const std::string name = call.object == whole ? wholeName + "(" + call.text + ")" : call.text;
        calls += (calls.empty() ? "" : " ") + name + ":" + std::to_string(call.code);
    }
    Recorded().calls.clear();
    return calls;
}

// Asks the window for a part's colours as Windows does before painting it:
// a brush comes back and the device context holds the palette's colours.
inline void ExpectPartColours(HWND window, UINT message, HWND part, int background, int text)
{
    HDC dc = GetDC(part);
    EXPECT_NE(SendMessageA(window, message, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(part)), 0);
    EXPECT_EQ(GetBkColor(dc), ZafWindowObject::PaletteColor(background, -1, 0));
    EXPECT_EQ(GetTextColor(dc), ZafWindowObject::PaletteColor(text, -1, 0));
    ReleaseDC(part, dc);
}

// A scratch UI data file in a directory of its own, removed at the end.
class ScratchFile
{
public:
    const char *Path() const { return path.c_str(); }

private:
    testsupport::TempDirectory directory{"zafcontrols"};
    std::string path = directory.File("scratch.znc");
};

using testsupport::ReadWholeFile;

// Writes the object (a window with its children) into a new UI data file.
inline void WriteInto(ZafWindowObject &object, const char *path)
{
    ZafStorage storage(path, ZafStorage::CreateTree);
    std::unique_ptr<ZafObjectPersistence> persistence(ZafPersistenceRegistry::MakePersistence(&storage));
    object.Write(*persistence);
    EXPECT_EQ(0u, persistence->Error());
    EXPECT_EQ(0u, storage.Save());
}

// Writes the object into a new UI data file and reads it back by name, with
// the class's constructor (and those that enter adds) entered in the
// persistence.
template <class T>
std::unique_ptr<T> RoundTrip(T &object, const char *name,
                             const std::function<void(ZafObjectPersistence &)> &enter = nullptr)
{
    ScratchFile file;
    object.SetStringID(name);
    WriteInto(object, file.Path());
    ZafStorage storage(file.Path(), ZafStorage::Read);
    std::unique_ptr<ZafObjectPersistence> persistence(ZafPersistenceRegistry::MakePersistence(&storage));
    persistence->AddObjectConstructor(T::className, T::classID, ZafObjectNew<T::New>);
    if (enter)
        enter(*persistence);
    auto read = std::make_unique<T>(name, *persistence);
    EXPECT_EQ(0, read->Error());
    EXPECT_EQ(0, persistence->LevelIndex());
    return read;
}

} // namespace fieldtest
