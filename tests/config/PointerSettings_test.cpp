#include "config/PointerSettings.h"

#include <gtest/gtest.h>

namespace qeltra3k::config {
namespace {

SystemPointerValues BothKeys()
{
    SystemPointerValues values;
    values.mouseKeyPresent = true;
    values.desktopKeyPresent = true;
    return values;
}

TEST(PointerSettings, SensitivityGivesItsSpeedStep)
{
    const std::pair<int, int> rows[] = {{0, 1},  {1, 1},  {2, 2},  {3, 2},   {8, 5},  {9, 5},  {10, 6}, {11, 6},
                                        {12, 7}, {13, 7}, {18, 10}, {19, 10}, {20, 11}, {21, 6}, {-3, 6}};
    for (const auto& [sensitivity, step] : rows)
        EXPECT_EQ(SpeedStepForSensitivity(sensitivity), step) << sensitivity;
}

TEST(PointerSettings, DoubleClickTimeGivesItsStep)
{
    const std::pair<int, int> rows[] = {{2000, 1}, {900, 1}, {899, 2}, {830, 2}, {829, 3}, {500, 7},
                                        {480, 7},  {479, 8}, {270, 10}, {269, 11}, {0, 11}};
    for (const auto& [time, step] : rows)
        EXPECT_EQ(DoubleClickStepForTime(time), step) << time;
}

TEST(PointerSettings, WheelLinesGiveTheirStep)
{
    const std::pair<int, int> rows[] = {{1, 1}, {7, 7}, {11, 11}, {0, 3}, {12, 11}, {-5, 11}};
    for (const auto& [lines, step] : rows)
        EXPECT_EQ(WheelStepForLines(lines), step) << lines;
}

TEST(PointerSettings, StrayValuesAreWrittenBackAsTheirStepsValues)
{
    SystemPointerValues read = BothKeys();
    read.mouseSensitivity = 11;
    read.doubleClickSpeed = 500;
    read.wheelScrollLines = 0;
    PointerSettings settings;
    ReadPointerValues(settings, read);
    EXPECT_EQ(settings.speedStep, 6);
    EXPECT_EQ(settings.doubleClickStep, 7);
    EXPECT_EQ(settings.wheelStep, 3);

    const SystemPointerValues written = PointerValuesToWrite(settings);
    EXPECT_EQ(written.mouseSensitivity, 10);
    EXPECT_EQ(written.doubleClickSpeed, 480);
    EXPECT_EQ(written.wheelScrollLines, 3);
}

TEST(PointerSettings, PrecisionIsOnWhenAnyOfTheTripleIsSetAndWritesItsTriple)
{
    for (int which = 0; which < 3; ++which) {
        SystemPointerValues read = BothKeys();
        (which == 0 ? read.mouseSpeed : which == 1 ? read.mouseThreshold1 : read.mouseThreshold2) = 4;
        PointerSettings settings;
        ReadPointerValues(settings, read);
        EXPECT_TRUE(settings.precision) << which;
    }
    PointerSettings settings;
    settings.precision = true;
    SystemPointerValues written = PointerValuesToWrite(settings);
    EXPECT_EQ(written.mouseSpeed, 1);
    EXPECT_EQ(written.mouseThreshold1, 6);
    EXPECT_EQ(written.mouseThreshold2, 10);
    settings.precision = false;
    written = PointerValuesToWrite(settings);
    EXPECT_EQ(written.mouseSpeed, 0);
    EXPECT_EQ(written.mouseThreshold1, 0);
    EXPECT_EQ(written.mouseThreshold2, 0);
}

TEST(PointerSettings, UnreadableValuesFallBackAndMissingKeysLeaveTheSettings)
{
    PointerSettings settings;
    settings.precision = true;
    settings.wheelStep = 9;
    ReadPointerValues(settings, BothKeys());
    EXPECT_EQ(settings.speedStep, 11);  // sensitivity 20
    EXPECT_FALSE(settings.precision);
    EXPECT_EQ(settings.doubleClickStep, 7);  // 480 ms
    EXPECT_EQ(settings.wheelStep, 9);        // no wheel value: as it was

    PointerSettings untouched;
    untouched.speedStep = 2;
    untouched.oneScreen = true;
    SystemPointerValues noKeys;
    noKeys.mouseSensitivity = 20;
    noKeys.wheelScrollLines = 5;
    ReadPointerValues(untouched, noKeys);
    EXPECT_EQ(untouched.speedStep, 2);
    EXPECT_TRUE(untouched.oneScreen);
}

TEST(PointerSettings, OneScreenAtATimeKeepsTheWheelStep)
{
    SystemPointerValues read = BothKeys();
    read.wheelScrollLines = 5;
    PointerSettings settings;
    ReadPointerValues(settings, read);
    read.wheelScrollLines = kWheelOneScreen;
    ReadPointerValues(settings, read);
    EXPECT_TRUE(settings.oneScreen);
    EXPECT_EQ(PointerValuesToWrite(settings).wheelScrollLines, -1);
    EXPECT_FALSE(SetWheelStep(settings, 2));
    SetOneScreen(settings, false);
    EXPECT_EQ(PointerValuesToWrite(settings).wheelScrollLines, 5);
    EXPECT_TRUE(SetWheelStep(settings, 2));
    EXPECT_EQ(PointerValuesToWrite(settings).wheelScrollLines, 2);
}

TEST(PointerSettings, SliderReleaseGivesTheStepOfTheRuler)
{
    const std::pair<int, int> rows[] = {{-20, 1}, {0, 1}, {6, 1}, {19, 1}, {20, 2}, {45, 2}, {46, 3}, {253, 10}, {254, 11}, {400, 11}};
    for (const auto& [x, step] : rows)
        EXPECT_EQ(PointerStepForRelease(x), step) << x;
    EXPECT_EQ(PointerSliderValue(1), 0);
    EXPECT_EQ(PointerSliderValue(11), 1000);
}

TEST(PointerSettings, ReleaseOnEveryTickOfACloserSkinGivesThatTicksStep)
{
    // Ticks 21 pixels apart, the first centred 12 pixels in; the far right end is step 11.
    for (int step = 1; step <= kPointerStepCount; ++step) {
        const int tickCentre = 12 + (step - 1) * 21;
        for (int offset : {-9, 0, 9})
            EXPECT_EQ(PointerStepForRelease(PointerRulerPosition(tickCentre + offset, 21, 12)), step)
                << step << " " << offset;
    }
    EXPECT_EQ(PointerStepForRelease(PointerRulerPosition(225, 21, 12)), 11);
    EXPECT_EQ(PointerStepForRelease(PointerRulerPosition(0, 21, 12)), 1);
    EXPECT_EQ(PointerRulerPosition(37, 0, 12), 37);
}

}  // namespace
}  // namespace qeltra3k::config
