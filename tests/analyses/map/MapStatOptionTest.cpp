// The map record taking the settings of another record: the three that
// choose what the map shows and where its range comes from, nothing else,
// and nothing from a record of another analysis.
#include "analyses/frequencies/FreqOption.h"
#include "analyses/map/MapStatOption.h"

#include <gtest/gtest.h>

namespace {

TEST(MapStatOption, TakesDisplayGroupingAndDataSourceOfAnotherMapRecordOnly)
{
    MapStatOption page;
    page.LoadSettings(0);
    page.colourScheme = MapClassSettings::slide;
    page.classCountMode = MapClassSettings::userCount;
    page.classCount = 7;
    page.SyncClasses();

    MapStatOption book;
    book.LoadSettings(0);
    book.displayMode = MapClassSettings::circles;
    book.groupingMethod = MapClassSettings::byCases;
    book.dataSource = MapClassSettings::allCases;
    book.currentMapBox = 0;
    book.colourScheme = MapClassSettings::contrast;
    book.classCount = 3;

    StatOption &asRecord = page;
    asRecord.TakeFromWindow(book);
    EXPECT_EQ(MapClassSettings::circles, page.displayMode);
    EXPECT_EQ(MapClassSettings::byCases, page.groupingMethod);
    EXPECT_EQ(MapClassSettings::allCases, page.dataSource);
    // What the map computes follows at once.
    EXPECT_EQ(MapClassSettings::circles, page.classes.displayMode);
    EXPECT_EQ(MapClassSettings::allCases, page.classes.dataSource);
    // The colours and the class count stay the page's own.
    EXPECT_EQ(MapClassSettings::slide, page.colourScheme);
    EXPECT_EQ(7, page.classCount);
    EXPECT_EQ(7, page.classes.classCount);

    FreqOption other;
    other.LoadSettings(0);
    asRecord.TakeFromWindow(other);
    EXPECT_EQ(MapClassSettings::circles, page.displayMode);
    EXPECT_EQ(MapClassSettings::byCases, page.groupingMethod);
}

} // namespace
