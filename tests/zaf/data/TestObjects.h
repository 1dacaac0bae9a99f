// Persistent test classes that follow the library's read and write pattern,
// standing in for the window classes:
//   TestObject   the root of the chain (like the window-object base): takes
//                the name, opens the level file, reads / writes its number id
//   TestControl  a control (entry type 2 inside a window): a value and a text
//   TestWindow   a window (type 0 at the top, type 2 inside another window):
//                a title, its children one level each, a data object of its
//                own and its user-function entry
//   TestNote     a data object (type 3) in the current directory
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "zaf/core/ZafList.h"
#include "zaf/data/ZafData.h"
#include "zaf/data/ZafFile.h"
#include "zaf/data/ZafObjectPersistence.h"

class TestObject : public ZafElement
{
public:
    TestObject() = default;
    TestObject(const char *name, ZafObjectPersistence &persistence);
    virtual void Write(ZafObjectPersistence &persistence);
    std::uint32_t error = 0;
    std::string directory; // where the object's file lay when read or written
};

class TestNote : public ZafData
{
public:
    static constexpr ZafClassID classID = 9200;
    static constexpr const char *className = "TestNote";
    ZafClassID ClassID() const override { return classID; }
    const char *ClassName() const override { return className; }

    explicit TestNote(const std::string &text = "") : text(text) {}
    TestNote(const char *name, ZafDataPersistence &persistence);
    static ZafElement *New(const char *name, ZafDataPersistence &persistence);
    std::uint32_t Write(ZafDataPersistence &persistence) override;
    ZafData *Duplicate() override { return new TestNote(*this); }
    void Clear() override { SetText(""); }
    ZafReadFunction ReadFunction() override { return New; }
    // Changes the text inside an update bracket that notifies.
    void SetText(const std::string &value)
    {
        StartUpdate();
        text = value;
        EndUpdate(true);
    }

    std::string text;
};

class TestControl : public TestObject
{
public:
    static constexpr ZafClassID classID = 9001;
    static constexpr const char *className = "TestControl";
    ZafClassID ClassID() const override { return classID; }
    const char *ClassName() const override { return className; }

    TestControl(const char *name, int value, const std::string &text);
    TestControl(const char *name, ZafObjectPersistence &persistence);
    static ZafElement *New(const char *name, ZafDataPersistence &persistence);
    void Write(ZafObjectPersistence &persistence) override;

    int value = 0;
    std::string text;
};

class TestWindow : public TestObject
{
public:
    static constexpr ZafClassID classID = 9100;
    static constexpr const char *className = "TestWindow";
    ZafClassID ClassID() const override { return classID; }
    const char *ClassName() const override { return className; }

    TestWindow(const char *name, const std::string &title);
    TestWindow(const char *name, ZafObjectPersistence &persistence);
    static ZafElement *New(const char *name, ZafDataPersistence &persistence);
    void Write(ZafObjectPersistence &persistence) override;
    ~TestWindow() override { delete note; }

    std::string title;
    ZafList children;         // TestObject elements, owned
    TestNote *note = nullptr; // owned; written beside the window's objectData
    std::string userFunctionName;
};

// A user function the windows name in their files.
int TestUserFunction(ZafWindowObject *object, ZafEventRecord &event, int code);

// Enters the test classes' constructors and "TestUserFunction".
void AddTestTables(ZafObjectPersistence &persistence);

// "name(class)" of an object and, for windows, of its children, depth first.
std::string Describe(ZafElement *object);

// The objects of the round trips: two windows (one with nested children, a
// data object and a user-function entry) and two data objects at the root.
struct TestScene
{
    std::vector<std::unique_ptr<TestWindow>> windows;
    std::vector<std::unique_ptr<TestNote>> notes;
};

TestScene MakeTestScene();
void WriteTestScene(TestScene &scene, ZafObjectPersistence &persistence);
// Reads the scene's objects by name; each keeps its error word.
TestScene ReadTestScene(ZafObjectPersistence &persistence);
