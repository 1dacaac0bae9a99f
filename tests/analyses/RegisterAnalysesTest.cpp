// What the program's start-up enters for the analyses: the frequency table
// and the crosstab in the registry, and the grouping dialog as the
// crosstab's grouping offer unless one is installed already.
#include "analyses/RegisterAnalyses.h"
#include "analyses/XTAB.h"
#include "shell/AnalysisRegistry.h"

#include <gtest/gtest.h>

namespace {

bool TestOffer(long *, long *, const char *)
{
    return true;
}

TEST(RegisterAnalyses, EntersBothAnalysesAndGivesTheCrosstabTheGroupingDialog)
{
    const XTAB::AutoRecodeOffer before = XTAB::SetAutoRecodeOffer(nullptr);
    RegisterAnalyses();
    BuildAnalysisRegistry(nullptr);
    int entered = 0;
    for (const RegisteredOption &entry : RegisteredOptionsList)
        if (entry.factory)
            entered +=
                std::string(entry.helpName) == "USE_ONEWAY_FREQ" || std::string(entry.helpName) == "USE_TWOWAY_CROSS";
    FreeAnalysisRegistry();
    EXPECT_EQ(2, entered);
    const XTAB::AutoRecodeOffer installed = XTAB::SetAutoRecodeOffer(TestOffer);
    EXPECT_NE(nullptr, installed);
    // An offer installed before is kept.
    RegisterAnalyses();
    EXPECT_EQ(TestOffer, XTAB::SetAutoRecodeOffer(before));
}

} // namespace
