// Window objects for the persistence tests: a control with a field of its
// own, the names a window stores beside its record, the program's object
// persistence with them, and a frame with children at several depths.
#pragma once

#include <memory>
#include <string>

#include "zaf/core/ZafDialogWindow.h"
#include "zaf/core/ZafMDIWindow.h"
#include "zaf/core/ZafText.h"
#include "zaf/core/ZafWindow.h"
#include "zaf/core/ZafWindowPersistence.h"
#include "zaf/data/ZafPersistenceRegistry.h"
#include "zaf/data/ZafStorage.h"

namespace {

// A control with one field of its own after the window-object record, as
// every control of the library reads and writes itself.
class TestField : public ZafWindowObject
{
public:
    static constexpr ZafClassID classID = 9301;
    static constexpr const char *className = "TestField";
    ZafClassID ClassID() const override { return classID; }
    const char *ClassName() const override { return className; }

    TestField(const char *name, int value) : ZafWindowObject(1, 1, 10, 1), value(value) { SetStringID(name); }
    TestField(const char *name, ZafWindowPersistence &persistence)
        : ZafWindowObject(name, persistence.PushLevel(className, classID, ZafWindowPersistence::childEntry))
    {
        if (persistence.Error() == 0)
            persistence.Read32(value);
        persistence.PopLevel();
        if (persistence.Error() != 0)
            SetError(static_cast<int>(persistence.Error()));
    }
    static ZafElement *New(const char *name, ZafWindowPersistence &persistence)
    {
        return new TestField(name, persistence);
    }
    void Write(ZafWindowPersistence &persistence) override
    {
        persistence.PushLevel(className, classID, ZafWindowPersistence::childEntry);
        ZafWindowObject::Write(persistence);
        if (persistence.Error() == 0)
            persistence.Write32(value);
        persistence.PopLevel();
    }

    std::int32_t value = 0;
};

inline ZafEventType ChoiceHandler(ZafWindowObject *, ZafEventRecord &, ZafEventType code) { return code; }
inline int ByName(ZafElement *a, ZafElement *b) { return ZafStringCompare(a->StringID(), b->StringID()); }
int userObjectTarget = 0;

// The program's persistence with the test field and, when asked, the names
// of the function, compare function and user object.
inline std::unique_ptr<ZafObjectPersistence> MakePersistence(ZafFileSystem &storage, bool withField = true,
                                                             bool withNames = true)
{
    std::unique_ptr<ZafObjectPersistence> persistence(ZafPersistenceRegistry::MakePersistence(&storage));
    if (withField)
        persistence->AddObjectConstructor(TestField::className, TestField::classID, ZafObjectNew<TestField::New>);
    if (withNames)
    {
        persistence->AddUserFunction("ChoiceHandler", ChoiceHandler);
        persistence->AddCompareFunction("ByName", ByName);
        persistence->AddUserObject("target", &userObjectTarget);
    }
    return persistence;
}

// A frame with a support object, a child window with children of its own
// (one of them a dialog inside), and plain children; every flag and text
// away from its default somewhere.
inline std::unique_ptr<ZafMDIWindow> MakeFrame()
{
    auto frame = std::make_unique<ZafMDIWindow>(3, 2, 60, 20);
    frame->SetStringID("FRAME");
    frame->SetNumberID(7);
    frame->SetHelpContext("frame help");
    frame->SetTipText("tip \xE9");
    frame->SetUserFunction(ChoiceHandler);
    frame->SetUserObject(&userObjectTarget);
    frame->SetNoClose(true);
    frame->SetMaximized(true);
    frame->SetSelectionMode(1);
    auto *support = new TestField("BORDERLIKE", -1);
    support->SetSupportObject(true);
    support->SetNumberID(ZAF_NUMID_BORDER);
    support->SetBordered(true);
    frame->AddObject(support);
    auto *child = new ZafWindow(1, 1, 30, 8);
    child->SetStringID("CHILD");
    child->SetCompareFunction(ByName);
    child->SetCoordinateType(ZAF_PIXEL);
    child->SetRegionType(2);
    child->SetDestroyable(false);
    child->SetTemporary(true);
    child->AddObject(new TestField("ZETA", 26));
    child->AddObject(new TestField("ALPHA", 1));
    auto *inner = new ZafDialogWindow(0, 0, 10, 4);
    inner->SetStringID("INNER");
    inner->SetSecondTipText(std::string(500, 's').c_str());
    inner->AddObject(new TestField("DEEP", 123456));
    child->AddObject(inner);
    frame->AddObject(child);
    auto *field = new TestField("FIELD", -2147483647 - 1);
    field->SetNoFocus(true);
    field->SetDisabled(true);
    field->SetVisible(false);
    field->SetAcceptDrop(true);
    field->SetMoveDraggable(true);
    field->SetUserFunction(ChoiceHandler);
    frame->AddObject(field);
    frame->AddObject(new TestField("OTHER", 0));
    return frame;
}

} // namespace
