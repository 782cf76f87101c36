#include "config/DpiTable.h"

#include <gtest/gtest.h>

namespace qeltra3k::config {
namespace {

struct DpiRow {
    int index;
    int dpi;
    std::string_view textKey;
};

TEST(DpiTable, HoldsTheTwelveValuesWithTheirTextKeys)
{
    const DpiRow rows[] = {
        {0, 500, "Str300"},   {1, 800, "Str301"},   {2, 1000, "Str302"},  {3, 1200, "Str303"},
        {4, 1600, "Str304"},  {5, 2000, "Str305"},  {6, 2400, "Str306"},  {7, 3200, "Str307"},
        {8, 4000, "Str308"},  {9, 4800, "Str309"},  {10, 6400, "Str310"}, {11, 8000, "Str311"},
    };
    for (const DpiRow& row : rows) {
        SCOPED_TRACE(row.index);
        EXPECT_EQ(DpiForIndex(row.index), row.dpi);
        EXPECT_EQ(DpiItemText(row.index), std::to_string(row.dpi));
        EXPECT_EQ(LevelValueTextKey(static_cast<std::uint8_t>(row.index)), row.textKey);
    }
}

TEST(DpiTable, IndexesOutsideTheTableHaveNoValueOrText)
{
    for (int index : {-1, 12, 255}) {
        SCOPED_TRACE(index);
        EXPECT_FALSE(DpiForIndex(index).has_value());
        EXPECT_EQ(DpiItemText(index), "");
    }
    // "No value" shows the first value's text; any other byte beyond the table shows nothing.
    EXPECT_EQ(LevelValueTextKey(kNoLevelValue), "Str300");
    EXPECT_EQ(LevelValueTextKey(12), "");
    EXPECT_EQ(LevelValueTextKey(0xFE), "");
}

struct SliderRow {
    int x;
    int dpiCount;
    int index;
};

TEST(DpiTable, SliderRulerMapsPositionsToIndexes)
{
    const SliderRow rows[] = {
        // DPI_Count 11: width 20, start -5, indexes 0..10.
        {-40, 11, 0}, {0, 11, 0}, {15, 11, 0}, {16, 11, 1}, {35, 11, 1}, {36, 11, 2},
        {195, 11, 9}, {196, 11, 10}, {225, 11, 10}, {1000, 11, 10},
        // DPI_Count 12: width 18, start -4, indexes 0..11.
        {0, 12, 0}, {14, 12, 0}, {15, 12, 1}, {194, 12, 10}, {195, 12, 11}, {225, 12, 11},
        // A layout value outside 1..12 is held to that range instead of dividing by zero
        // or reaching past the table.
        {100, 0, 0}, {100, -3, 0}, {225, 40, 11},
    };
    for (const SliderRow& row : rows) {
        SCOPED_TRACE(testing::Message() << "x=" << row.x << " count=" << row.dpiCount);
        EXPECT_EQ(DpiSliderIndex(row.x, row.dpiCount), row.index);
    }
}

TEST(DpiTable, SliderMaximumFollowsTheOfferedEntries)
{
    EXPECT_EQ(DpiSliderMaximum(11), 1000);
    EXPECT_EQ(DpiSliderMaximum(12), 1100);
    EXPECT_EQ(DpiSliderMaximum(0), 0);
}

TEST(DpiTable, RulerStopsAtTheSegmentHoldingThePosition)
{
    // The speed slider's ruler: start -15, width 30, seven segments.
    EXPECT_EQ(RulerIndex(-15, -15, 30, 7), 0);
    EXPECT_EQ(RulerIndex(15, -15, 30, 7), 0);
    EXPECT_EQ(RulerIndex(16, -15, 30, 7), 1);
    EXPECT_EQ(RulerIndex(195, -15, 30, 7), 6);
    EXPECT_EQ(RulerIndex(196, -15, 30, 7), 7);
    EXPECT_EQ(RulerIndex(500, -15, 30, 7), 7);
}

}  // namespace
}  // namespace qeltra3k::config
