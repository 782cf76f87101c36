#include "config/PointerSettings.h"

#include <algorithm>

#include "config/DpiTable.h"

namespace qeltra3k::config {

namespace {

constexpr int kUnreadableSensitivity = 20;
constexpr int kUnreadableDoubleClick = 480;
constexpr int kSliderRulerStart = -7;
constexpr int kSliderRulerWidth = 26;

int ClampStep(int step)
{
    return std::clamp(step, 1, kPointerStepCount);
}

const PointerStepValues& ValuesOf(int step)
{
    return kPointerStepTable[static_cast<std::size_t>(ClampStep(step) - 1)];
}

}  // namespace

int SpeedStepForSensitivity(int sensitivity)
{
    // Pairs of sensitivities share a step, except 10 and 11 (step 6 like any stray value)
    // and 20 alone at the top.
    if (sensitivity >= 0 && sensitivity <= 9)
        return sensitivity / 2 + 1;
    if (sensitivity >= 12 && sensitivity <= 19)
        return sensitivity / 2 + 1;
    if (sensitivity == 20)
        return 11;
    return 6;
}

int DoubleClickStepForTime(int milliseconds)
{
    if (milliseconds >= 900)
        return 1;
    if (milliseconds < 270)
        return 11;
    // 830 .. 899 is step 2, and each lower band of 70 ms one step more.
    return 2 + (899 - milliseconds) / 70;
}

int WheelStepForLines(int lines)
{
    if (lines >= 1 && lines <= kPointerStepCount)
        return lines;
    return lines == 0 ? 3 : kPointerStepCount;
}

void ReadPointerValues(PointerSettings& settings, const SystemPointerValues& values)
{
    if (values.mouseKeyPresent) {
        settings.speedStep = SpeedStepForSensitivity(values.mouseSensitivity.value_or(kUnreadableSensitivity));
        settings.precision = values.mouseSpeed.value_or(0) != 0 || values.mouseThreshold1.value_or(0) != 0 ||
                             values.mouseThreshold2.value_or(0) != 0;
        settings.doubleClickStep = DoubleClickStepForTime(values.doubleClickSpeed.value_or(kUnreadableDoubleClick));
    }
    if (values.desktopKeyPresent && values.wheelScrollLines) {
        if (*values.wheelScrollLines == kWheelOneScreen) {
            settings.oneScreen = true;
        } else {
            settings.oneScreen = false;
            settings.wheelStep = WheelStepForLines(*values.wheelScrollLines);
        }
    }
}

SystemPointerValues PointerValuesToWrite(const PointerSettings& settings)
{
    const PrecisionTriple& triple = settings.precision ? kPrecisionOn : kPrecisionOff;
    SystemPointerValues values;
    values.mouseKeyPresent = true;
    values.desktopKeyPresent = true;
    values.mouseSensitivity = ValuesOf(settings.speedStep).mouseSensitivity;
    values.mouseSpeed = triple.mouseSpeed;
    values.mouseThreshold1 = triple.threshold1;
    values.mouseThreshold2 = triple.threshold2;
    values.doubleClickSpeed = ValuesOf(settings.doubleClickStep).doubleClickSpeed;
    values.wheelScrollLines = settings.oneScreen ? kWheelOneScreen : ValuesOf(settings.wheelStep).wheelScrollLines;
    return values;
}

int PointerSliderValue(int step)
{
    return (ClampStep(step) - 1) * 100;
}

int PointerStepForRelease(int x)
{
    const int index = RulerIndex(x, kSliderRulerStart, kSliderRulerWidth, kPointerStepCount);
    const int sliderValue = std::min(index * 100, PointerSliderValue(kPointerStepCount));
    return sliderValue / 100 + 1;
}

int PointerRulerPosition(int x, int tickSpacing, int firstTickCentre)
{
    if (tickSpacing <= 0)
        return x;
    const int firstRulerCentre = kSliderRulerStart + kSliderRulerWidth / 2;
    return firstRulerCentre + (x - firstTickCentre) * kSliderRulerWidth / tickSpacing;
}

void SetOneScreen(PointerSettings& settings, bool on)
{
    settings.oneScreen = on;
}

bool SetWheelStep(PointerSettings& settings, int step)
{
    if (settings.oneScreen)
        return false;
    settings.wheelStep = ClampStep(step);
    return true;
}

}  // namespace qeltra3k::config
