// The data layer's start-up steps inside the application: the data manager
// and the search path exist while the application lives and are gone after.
#include <gtest/gtest.h>

#include "zaf/core/ZafApplication.h"
#include "zaf/data/ZafDataManager.h"
#include "zaf/data/ZafDataStartup.h"
#include "zaf/data/ZafPath.h"

namespace {

TEST(ZafDataStartup, DataManagerAndSearchPathLiveAsLongAsTheApplication)
{
    ZafDataStartup::Install();
    {
        ZafApplication application(GetModuleHandleA(nullptr), {"C:\\prog\\mervalo.exe"});
        EXPECT_NE(nullptr, zafDataManager);
        ASSERT_NE(nullptr, zafSearchPath);
        const ZafPathElement *element = zafSearchPath->First();
        while (element && std::string(element->StringID()) != "pwd")
            element = static_cast<const ZafPathElement *>(element->Next());
        ASSERT_NE(nullptr, element);
        EXPECT_STREQ("C:\\prog", element->Directory());
    }
    EXPECT_EQ(nullptr, zafSearchPath);
    EXPECT_EQ(nullptr, zafDataManager);
    ZafApplication::SetStartupSteps(ZafStartupSteps{});
}

} // namespace
