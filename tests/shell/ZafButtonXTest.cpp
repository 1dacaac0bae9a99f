// The program's own button class in a UI data file: the option windows'
// check boxes and radio buttons are stored as "ZafButtonX" (class id 3500)
// and read back through the program's persistence as that class, with
// their fields.
#include <gtest/gtest.h>

#include "shell/OptionWindow.h"
#include "shell/OptionWindowBuilder.h"
#include "shell/UserPersist.h"
#include "shell/ZafButtonX.h"
#include "zaf/core/ZafWindow.h"
#include "zaf/data/ZafStorage.h"
#include "tests/support/TempDirectory.h"

#include <string>

TEST(ZafButtonX, OptionWindowButtonsAreStoredAndReadBackAsTheProgramsButtonClass)
{
    OptionWindowBuilder::RegisterClasses();
    testsupport::TempDirectory scratch("buttonx");
    const std::string path = std::string(scratch.Path()) + "\\BUTTONS.ZNC";
    {
        ZafStorage storage(path.c_str(), ZafStorage::CreateTree);
        UserPersist persistence(&storage);
        ZafWindow window(0, 0, 40, 6);
        window.SetStringID("BUTTONS");
        auto *keep = new OpButton(5, 0, 200, 7, "Keep", "keep");
        keep->SetChecked(true);
        window.AddObject(keep);
        window.AddObject(new RadioButton(5, 8, 200, 7, "One", "one"));
        auto *plain = new ZafButtonX(1, 3, 10, 1, "Plain");
        plain->SetStringID("plain");
        window.AddObject(plain);
        window.Write(persistence);
        ASSERT_EQ(0u, persistence.Error());
        ASSERT_EQ(0u, storage.Save());
    }
    ZafStorage storage(path.c_str(), ZafStorage::Read);
    UserPersist persistence(&storage);
    ZafWindow window("BUTTONS", persistence);
    ASSERT_EQ(0, window.Error());
    auto *keep = dynamic_cast<ZafButtonX *>(window.FindObjectByStringID("keep"));
    auto *one = dynamic_cast<ZafButtonX *>(window.FindObjectByStringID("one"));
    auto *plain = dynamic_cast<ZafButtonX *>(window.FindObjectByStringID("plain"));
    ASSERT_NE(nullptr, keep);
    ASSERT_NE(nullptr, one);
    ASSERT_NE(nullptr, plain);
    EXPECT_EQ(ZafButtonX::classID, keep->ClassID());
    EXPECT_STREQ("ZafButtonX", one->ClassName());
    EXPECT_TRUE(keep->IsClassName("ZafButton"));
    EXPECT_EQ(ZafButton::checkBox, keep->Type());
    EXPECT_TRUE(keep->Selected());
    EXPECT_STREQ("Keep", keep->Text());
    EXPECT_EQ(ZafButton::radioButton, one->Type());
    EXPECT_FALSE(one->Selected());
    EXPECT_EQ(ZafButton::pushButton, plain->Type());
    EXPECT_STREQ("Plain", plain->Text());
}
