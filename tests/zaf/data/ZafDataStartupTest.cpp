// The data layer's start-up steps inside the application: the search path
// exists while the application lives and is gone after it.
#include <gtest/gtest.h>

#include "zaf/core/ZafApplication.h"
#include "zaf/data/ZafDataStartup.h"
#include "zaf/data/ZafPath.h"

namespace {

TEST(ZafDataStartup, SearchPathLivesAsLongAsTheApplication)
{
    ZafDataStartup::Install();
    {
        ZafApplication application(GetModuleHandleA(nullptr), {"C:\\prog\\mervalo.exe"});
        ASSERT_NE(nullptr, zafSearchPath);
        const ZafPathElement *element = zafSearchPath->First();
        while (element && std::string(element->StringID()) != "pwd")
            element = static_cast<const ZafPathElement *>(element->Next());
        ASSERT_NE(nullptr, element);
        EXPECT_STREQ("C:\\prog", element->Directory());
    }
    EXPECT_EQ(nullptr, zafSearchPath);
    ZafApplication::SetStartupSteps(ZafStartupSteps{});
}

} // namespace
