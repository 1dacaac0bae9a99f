#include "TestObjects.h"

#include "TestFiles.h"
#include "zaf/data/ZafFileSystem.h"

namespace {
std::string CurrentDirectory(ZafDataPersistence &persistence)
{
    char buffer[ZafMaxPath] = "";
    if (ZafFileSystem *fileSystem = persistence.LevelFileSystem())
        fileSystem->GetCWD(buffer, sizeof buffer);
    return buffer;
}

void AddChild(ZafElement *object, void *window) { static_cast<TestWindow *>(window)->children.Add(object); }
} // namespace

TestObject::TestObject(const char *name, ZafObjectPersistence &persistence)
{
    persistence.PushLevel("TestObject", 9000, ZafDataPersistence::childEntry);
    SetStringID(name);
    if (persistence.OpenLevelFile(name, ZafFileMode::Read) == 0)
    {
        directory = CurrentDirectory(persistence);
        std::uint16_t id = 0;
        persistence.File()->Read16(id);
        SetNumberID(id);
    }
    persistence.PopLevel();
    error = persistence.Error();
}

void TestObject::Write(ZafObjectPersistence &persistence)
{
    persistence.PushLevel("TestObject", 9000, ZafDataPersistence::childEntry);
    if (persistence.OpenLevelFile(StringID(), ZafFileMode::Write) == 0)
    {
        directory = CurrentDirectory(persistence);
        persistence.File()->Write16(static_cast<std::uint16_t>(NumberID()));
    }
    persistence.PopLevel();
}

TestNote::TestNote(const char *name, ZafDataPersistence &persistence)
    : ZafData(name, persistence.PushLevel(className, classID, ZafDataPersistence::dataEntry))
{
    if (persistence.Error() == 0)
        text = ReadText(persistence.File());
    persistence.PopLevel();
    if (persistence.Error() != 0)
        SetError(persistence.Error());
}

ZafElement *TestNote::New(const char *name, ZafDataPersistence &persistence)
{
    return new TestNote(name, persistence);
}

std::uint32_t TestNote::Write(ZafDataPersistence &persistence)
{
    persistence.PushLevel(className, classID, ZafDataPersistence::dataEntry);
    if (ZafData::Write(persistence) == 0)
        persistence.File()->WriteString(text.c_str());
    persistence.PopLevel();
    return SetError(persistence.Error());
}

TestControl::TestControl(const char *name, int value, const std::string &text) : value(value), text(text)
{
    SetStringID(name);
}

TestControl::TestControl(const char *name, ZafObjectPersistence &persistence)
    : TestObject(name, persistence.PushLevel(className, classID, ZafDataPersistence::childEntry))
{
    if (persistence.Error() == 0)
    {
        std::int32_t number = 0;
        persistence.File()->ReadInt32(number);
        value = number;
        text = ReadText(persistence.File());
    }
    persistence.PopLevel();
    error = persistence.Error();
}

ZafElement *TestControl::New(const char *name, ZafDataPersistence &persistence)
{
    return new TestControl(name, static_cast<ZafObjectPersistence &>(persistence));
}

void TestControl::Write(ZafObjectPersistence &persistence)
{
    persistence.PushLevel(className, classID, ZafDataPersistence::childEntry);
    TestObject::Write(persistence);
    if (persistence.Error() == 0)
    {
        persistence.File()->WriteInt32(value);
        persistence.File()->WriteString(text.c_str());
    }
    persistence.PopLevel();
    error = persistence.Error();
}

TestWindow::TestWindow(const char *name, const std::string &title) : title(title) { SetStringID(name); }

TestWindow::TestWindow(const char *name, ZafObjectPersistence &persistence)
    : TestObject(name, persistence.PushLevel(className, classID, ZafDataPersistence::topLevelEntry))
{
    if (persistence.Error() == 0)
    {
        title = ReadText(persistence.File());
        char noteName[64], functionName[64];
        persistence.File()->ReadStringInto(noteName, sizeof noteName);
        if (noteName[0])
            note = new TestNote(noteName, persistence);
        // The user-function entry is for readers of the file; the name
        // itself is in the record.
        persistence.File()->ReadStringInto(functionName, sizeof functionName);
        userFunctionName = functionName;
        if (persistence.Error() == 0)
            persistence.ReadChildObjects(AddChild, this);
    }
    persistence.PopLevel();
    error = persistence.Error();
}

ZafElement *TestWindow::New(const char *name, ZafDataPersistence &persistence)
{
    return new TestWindow(name, static_cast<ZafObjectPersistence &>(persistence));
}

void TestWindow::Write(ZafObjectPersistence &persistence)
{
    persistence.PushLevel(className, classID, ZafDataPersistence::topLevelEntry);
    TestObject::Write(persistence);
    if (persistence.Error() == 0)
    {
        ZafFile *file = persistence.File();
        file->WriteString(title.c_str());
        file->WriteString(note ? note->StringID() : nullptr);
        file->WriteString(userFunctionName.c_str());
        if (note)
            note->Write(persistence);
        if (!userFunctionName.empty())
        {
            // Beside the record, as window objects keep their function names.
            ZafFileSystem *fileSystem = persistence.LevelFileSystem();
            if (ZafFile *entry = fileSystem->Open("userFunction", ZafFileMode::Write, userFunctionName.c_str(),
                                                  ZafObjectPersistence::userFunctionEntryID))
            {
                entry->WriteString(userFunctionName.c_str());
                fileSystem->Close(entry);
            }
        }
        for (ZafElement *child = children.First(); child; child = child->Next())
            persistence.WriteChildObject(*static_cast<TestObject *>(child));
    }
    persistence.PopLevel();
    error = persistence.Error();
}

int TestUserFunction(ZafWindowObject *, ZafEventRecord &, int code) { return code; }

void AddTestTables(ZafObjectPersistence &persistence)
{
    persistence.AddObjectConstructor(TestWindow::className, TestWindow::classID, TestWindow::New);
    persistence.AddObjectConstructor(TestControl::className, TestControl::classID, TestControl::New);
    persistence.AddDataConstructor(TestNote::className, TestNote::classID, TestNote::New);
    persistence.AddUserFunction("TestUserFunction", TestUserFunction);
}

std::string Describe(ZafElement *object)
{
    std::string text = std::string(object->StringID() ? object->StringID() : "?") + "(" + object->ClassName() + ")";
    if (TestWindow *window = dynamic_cast<TestWindow *>(object))
    {
        text += "{";
        for (ZafElement *child = window->children.First(); child; child = child->Next())
            text += Describe(child) + (child->Next() ? "," : "");
        text += "}";
    }
    return text;
}

TestScene MakeTestScene()
{
    TestScene scene;
    auto main = std::make_unique<TestWindow>("MAINWINDOW", "Mervalo");
    main->SetNumberID(1);
    main->userFunctionName = "TestUserFunction";
    main->note = new TestNote("window palette");
    main->note->SetStringID("PALETTE");
    main->children.Add(new TestControl("OK", 1, "&OK"));
    auto *group = new TestWindow("GROUP", "Options");
    group->children.Add(new TestControl("CHECK", -7, "Check me"));
    group->children.Add(new TestControl("EMPTY", 0, ""));
    main->children.Add(group);
    main->children.Add(new TestControl("CANCEL", 2, std::string(300, 'c')));
    scene.windows.push_back(std::move(main));
    scene.windows.push_back(std::make_unique<TestWindow>("ABOUT", "About \xE9"));
    for (const char *name : {"greeting", "farewell"})
    {
        scene.notes.push_back(std::make_unique<TestNote>(std::string("text of ") + name));
        scene.notes.back()->SetStringID(name);
    }
    return scene;
}

void WriteTestScene(TestScene &scene, ZafObjectPersistence &persistence)
{
    for (auto &window : scene.windows)
        window->Write(persistence);
    for (auto &note : scene.notes)
        note->Write(persistence);
}

TestScene ReadTestScene(ZafObjectPersistence &persistence)
{
    TestScene scene;
    for (const char *name : {"MAINWINDOW", "ABOUT"})
        scene.windows.push_back(std::make_unique<TestWindow>(name, persistence));
    for (const char *name : {"greeting", "farewell"})
        scene.notes.push_back(std::make_unique<TestNote>(name, persistence));
    return scene;
}
