// What the program's start-up enters for the analyses: the frequency table
// and the crosstab in the registry, and the grouping dialog as the
// crosstab's grouping offer unless one is installed already.
#include "analyses/RegisterAnalyses.h"
#include "analyses/FreqOption.h"
#include "analyses/XTAB.h"
#include "analyses/XtabOption.h"
#include "shell/AnalysisRegistry.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

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
    // Each entry's factory makes its own analysis's record.
    int entered = 0;
    for (const RegisteredOption &entry : RegisteredOptionsList) {
        if (!entry.factory)
            continue;
        std::unique_ptr<StatOption> record(entry.factory());
        const std::string name = entry.helpName;
        if (name == "USE_ONEWAY_FREQ")
            entered += dynamic_cast<FreqOption *>(record.get()) != nullptr;
        else if (name == "USE_TWOWAY_CROSS")
            entered += dynamic_cast<XtabOption *>(record.get()) != nullptr;
    }
    FreeAnalysisRegistry();
    EXPECT_EQ(2, entered);
    const XTAB::AutoRecodeOffer installed = XTAB::SetAutoRecodeOffer(TestOffer);
    EXPECT_NE(nullptr, installed);
    // An offer installed before is kept.
    RegisterAnalyses();
    EXPECT_EQ(TestOffer, XTAB::SetAutoRecodeOffer(before));
}

} // namespace
