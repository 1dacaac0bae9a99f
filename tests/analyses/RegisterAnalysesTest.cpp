// What the program's start-up enters for the analyses besides their
// factories: the grouping dialog as the crosstab's grouping offer unless one
// is installed already.
#include "analyses/RegisterAnalyses.h"
#include "analyses/crosstab/XTAB.h"

#include <gtest/gtest.h>

namespace {

bool TestOffer(long *, long *, const char *)
{
    return true;
}

TEST(RegisterAnalyses, GivesTheCrosstabTheGroupingDialogButKeepsAnOfferInstalledBefore)
{
    // (That each entry's factory makes its record is checked with every record.)
    const XTAB::AutoRecodeOffer before = XTAB::SetAutoRecodeOffer(nullptr);
    RegisterAnalyses();
    const XTAB::AutoRecodeOffer installed = XTAB::SetAutoRecodeOffer(TestOffer);
    EXPECT_NE(nullptr, installed);
    RegisterAnalyses();
    EXPECT_EQ(TestOffer, XTAB::SetAutoRecodeOffer(before));
}

} // namespace
