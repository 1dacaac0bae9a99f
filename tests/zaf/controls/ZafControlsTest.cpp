// The program's start-up step for the controls: after it, every control
// class that the library's constructor table names can be read from a UI
// data file (a class left out would read back as nothing, silently), and
// the controls that keep data objects keep them inside a window too.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "FieldTestSupport.h"

#include "zaf/controls/ZafButton.h"
#include "zaf/controls/ZafControls.h"
#include "zaf/controls/ZafProgressBar.h"
#include "zaf/controls/ZafSpinControl.h"
#include "zaf/controls/ZafTextField.h"
#include "zaf/core/ZafGroup.h"
#include "zaf/data/ZafDataManager.h"
#include "zaf/data/ZafIntegerData.h"
#include "zaf/data/ZafPersistenceRegistry.h"
#include "zaf/data/ZafRealData.h"
#include "zaf/data/ZafScrollData.h"
#include "zaf/data/ZafStringData.h"

namespace {

TEST(ZafRegisterControls, LeavesNoControlOfTheTableWithoutItsReadFunction)
{
    ZafRegisterControls();
    // "ZafButtonX" names no class of this library; every other entry must
    // have its read function.
    const char *const notControls[] = {"ZafButtonX"};
    int controls = 0;
    for (const ZafConstructorEntry *e = ZafPersistenceRegistry::ObjectConstructors(); e->className; ++e) {
        bool skip = false;
        for (const char *name : notControls)
            skip = skip || std::strcmp(name, e->className) == 0;
        if (skip)
            continue;
        EXPECT_NE(e->New, nullptr) << e->className;
        ++controls;
    }
    EXPECT_GE(controls, 30);
}

// The UI data file's own generator reads the program's windows back without
// the data start-up, so no data class has its read function in the table:
// each control's data objects (texts, values, steps, scroll data) must still
// come back, also one window further down, and write the same bytes again.
class ChildDataTest : public fieldtest::FieldTest
{
protected:
    ChildDataTest()
    {
        ZafRegisterControls();
        for (const char *name :
             {ZafStringData::className, ZafIntegerData::className, ZafRealData::className, ZafScrollData::className})
            ZafPersistenceRegistry::RegisterNew(name, nullptr);
    }
    ~ChildDataTest() override { ZafDataManager::RegisterDataClasses(); }

    static ZafSpinControl *Spin(ZafString *field, ZafData *step)
    {
        auto *spin = new ZafSpinControl(0, 0, 10, 1);
        spin->AddObject(field);
        spin->SetStepData(step);
        return spin;
    }
};

TEST_F(ChildDataTest, ControlsInsideAWindowKeepTheirDataAndWriteBackTheSameBytes)
{
    struct Child
    {
        const char *name;
        ZafWindowObject *object;
        const char *text;
    };
    ZafWindow stored(0, 0, 40, 20);
    stored.SetStringID("OPTIONS");
    auto *group = new ZafGroup(12, 4, 20, 6, "Group");
    const Child children[] = {
        {"S", new ZafString(0, 0, 10, "text"), "text"},
        {"I", new ZafInteger(0, 1, 10, 42), "42"},
        {"R", new ZafReal(0, 2, 10, 2.5), "2.5"},
        {"P", new ZafPrompt(0, 3, 10, "prompt"), "prompt"},
        {"T", new ZafText(0, 4, 10, 3, "lines"), "lines"},
        {"B", new ZafButton(0, 8, 10, 1, "button"), "button"},
        {"PB", new ZafProgressBar(0, 9, 10, 1, new ZafScrollData(0, 100, 30)), nullptr},
        {"SP", Spin(new ZafReal(0, 0, 10, 1.5), new ZafRealData(0.25)), "1.5"},
        {"G", group, "Group"},
    };
    for (const Child &child : children) {
        child.object->SetStringID(child.name);
        stored.AddObject(child.object);
    }
    ZafSpinControl *inner = Spin(new ZafInteger(0, 0, 10, 3), new ZafIntegerData(2));
    inner->SetStringID("GSP");
    group->AddObject(inner);
    fieldtest::ScratchFile first, second;
    fieldtest::WriteInto(stored, first.Path());

    std::unique_ptr<ZafWindow> read;
    {
        ZafStorage storage(first.Path(), ZafStorage::Read);
        std::unique_ptr<ZafObjectPersistence> persistence(ZafPersistenceRegistry::MakePersistence(&storage));
        read.reset(dynamic_cast<ZafWindow *>(persistence->NewObject(ZafWindow::classID, ZafWindow::className, "OPTIONS",
                                                                    ZafObjectPersistence::topLevelEntry)));
    }
    ASSERT_NE(nullptr, read);
    EXPECT_EQ(0, read->Error());
    for (const Child &child : children) {
        ZafWindowObject *object = read->FindObjectByStringID(child.name);
        ASSERT_NE(nullptr, object) << child.name;
        if (child.text) {
            EXPECT_STREQ(child.text, object->Text()) << child.name;
        }
    }
    auto *progress = dynamic_cast<ZafProgressBar *>(read->FindObjectByStringID("PB"));
    ASSERT_NE(nullptr, progress);
    EXPECT_NE(nullptr, progress->ScrollData());
    for (const char *name : {"SP", "GSP"}) {
        auto *spin = dynamic_cast<ZafSpinControl *>(read->FindObjectByStringID(name));
        ASSERT_NE(nullptr, spin) << name;
        EXPECT_NE(nullptr, spin->StepData()) << name;
    }
    fieldtest::WriteInto(*read, second.Path());
    EXPECT_TRUE(fieldtest::ReadWholeFile(first.Path()) == fieldtest::ReadWholeFile(second.Path())) << "the rewrite differs";
}

} // namespace
