// Helpers of the field tests: a dialog built in code under a real
// application, the loop run until its queue is empty, typing and keys as a
// user gives them, an error system that records every report and answers as
// told, a user function that records its calls, and a round trip of a
// control through a UI data file.
#pragma once

#include "zaf/controls/ZafString.h"
#include "zaf/core/ZafApplication.h"
#include "zaf/core/ZafDialogWindow.h"
#include "zaf/core/ZafErrorStub.h"
#include "zaf/core/ZafEventManager.h"
#include "zaf/core/ZafWindowManager.h"
#include "zaf/data/ZafDiskFile.h"
#include "zaf/data/ZafPersistenceRegistry.h"
#include "zaf/data/ZafStorage.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
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

// What the recording error system and user function saw; reset per test.
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

inline LONG Style(HWND window)
{
    return GetWindowLongA(window, GWL_STYLE);
}

// Each test under an application of its own, with the recording error
// system installed for the fields; dialogs are hidden (Xvfb has no window
// manager to wait for).
class FieldTest : public testing::Test
{
protected:
    FieldTest() : application(GetModuleHandleA(nullptr), {"test.exe"})
    {
        Recorded() = Record();
        previousSystem = ZafString::SetErrorSystem(&errors);
        previousHook = ZafErrorStub::SetAnswerHook(RecordReport);
    }
    ~FieldTest() override
    {
        ZafErrorStub::SetAnswerHook(previousHook);
        ZafString::SetErrorSystem(previousSystem);
    }

    // A dialog built in code, on screen (hidden) with its controls.
    ZafDialogWindow *Dialog()
    {
        auto *dialog = new ZafDialogWindow(2, 2, 60, 14);
        dialog->SetVisible(false);
        return dialog;
    }
    template <class T> T *Add(ZafWindow *window, T *object)
    {
        window->AddObject(object);
        return object;
    }
    void Show(ZafWindow *window)
    {
        zafWindowManager->AddObject(window);
        RunQueued();
    }
    void Close(ZafWindow *window) { zafWindowManager->CloseWindow(window); }

    // The loop until nothing waits.
    static void RunQueued()
    {
        ZafEventRecord event;
        while (zafEventManager->Get(event, ZAF_QUEUE_NO_WAIT))
            zafWindowManager->Event(event);
    }
    // Characters as the keyboard gives them to the focused control.
    static void Type(ZafWindowObject *object, const char *text)
    {
        for (const char *c = text; *c; ++c)
            PostMessageA(object->OSHandle(), WM_CHAR, static_cast<unsigned char>(*c), 1);
        RunQueued();
    }
    static void Press(ZafWindowObject *object, WPARAM key)
    {
        PostMessageA(object->OSHandle(), WM_KEYDOWN, key, 1);
        PostMessageA(object->OSHandle(), WM_KEYUP, key, 1 | (3UL << 30));
        RunQueued();
    }
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

    ZafApplication application;
    ZafErrorStub errors;

private:
    ZafErrorStub *previousSystem = nullptr;
    ZafErrorStub::AnswerHook previousHook = nullptr;
};

// A scratch UI data file in the temporary directory, removed at the end.
class ScratchFile
{
public:
    ScratchFile()
    {
        char directory[MAX_PATH];
        GetTempPathA(sizeof directory, directory);
        static int serial = 0;
        path = std::string(directory) + "zafcontrols" + std::to_string(GetCurrentProcessId()) + "_" +
               std::to_string(serial++) + ".znc";
    }
    ~ScratchFile() { DeleteFileA(path.c_str()); }
    const char *Path() const { return path.c_str(); }

private:
    std::string path;
};

// Writes the object into a new UI data file and reads it back by name, with
// the class's constructor entered in the persistence.
template <class T> std::unique_ptr<T> RoundTrip(T &object, const char *name)
{
    ScratchFile file;
    object.SetStringID(name);
    {
        ZafStorage storage(file.Path(), ZafStorage::CreateTree);
        std::unique_ptr<ZafObjectPersistence> persistence(ZafPersistenceRegistry::MakePersistence(&storage));
        object.Write(*persistence);
        EXPECT_EQ(0u, persistence->Error());
        EXPECT_EQ(0u, storage.Save());
    }
    ZafStorage storage(file.Path(), ZafStorage::Read);
    std::unique_ptr<ZafObjectPersistence> persistence(ZafPersistenceRegistry::MakePersistence(&storage));
    persistence->AddObjectConstructor(T::className, T::classID, ZafObjectNew<T::New>);
    auto read = std::make_unique<T>(name, *persistence);
    EXPECT_EQ(0, read->Error());
    EXPECT_EQ(0, persistence->LevelIndex());
    return read;
}

} // namespace fieldtest
