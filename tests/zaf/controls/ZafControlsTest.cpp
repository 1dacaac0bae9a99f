// The program's start-up step for the controls: after it, every control
// class that the library's constructor table names can be read from a UI
// data file (a class left out would read back as nothing, silently).
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "zaf/controls/ZafControls.h"
#include "zaf/data/ZafPersistenceRegistry.h"

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

} // namespace
