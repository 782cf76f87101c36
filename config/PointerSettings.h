#pragma once
// The four pointer settings of the user account that the advanced page offers besides the
// mouse's own configuration: pointer speed, enhanced precision, double-click speed and wheel
// lines. They never enter DataBuf. The page works in eleven steps; the system keeps raw
// numbers, and these functions are the only translation between the two.
#include <array>
#include <optional>

namespace qeltra3k::config {

inline constexpr int kPointerStepCount = 11;
// One screen at a time, as the system stores the wheel lines.
inline constexpr int kWheelOneScreen = -1;

struct PointerStepValues {
    int mouseSensitivity;
    int doubleClickSpeed;  // milliseconds
    int wheelScrollLines;
};

// What each step 1 .. 11 stands for ([step - 1]).
inline constexpr std::array<PointerStepValues, kPointerStepCount> kPointerStepTable{{
    {1, 900, 1},
    {2, 830, 2},
    {4, 760, 3},
    {6, 690, 4},
    {8, 620, 5},
    {10, 550, 6},
    {12, 480, 7},
    {14, 410, 8},
    {16, 340, 9},
    {18, 270, 10},
    {20, 200, 11},
}};

// "MouseSpeed", "MouseThreshold1", "MouseThreshold2" of enhanced precision on and off.
struct PrecisionTriple {
    int mouseSpeed;
    int threshold1;
    int threshold2;
};
inline constexpr PrecisionTriple kPrecisionOn{1, 6, 10};
inline constexpr PrecisionTriple kPrecisionOff{0, 0, 0};

// The raw values as the system keeps them. A key that is missing is neither read nor
// written; a value that is missing or unreadable is empty.
struct SystemPointerValues {
    bool mouseKeyPresent = false;    // "Control Panel\Mouse"
    bool desktopKeyPresent = false;  // "Control Panel\Desktop"
    std::optional<int> mouseSensitivity;
    std::optional<int> mouseSpeed;
    std::optional<int> mouseThreshold1;
    std::optional<int> mouseThreshold2;
    std::optional<int> doubleClickSpeed;
    std::optional<int> wheelScrollLines;
};

// What the page shows: slider_Spd, cb_IsControl, slider_DbSpd, slider_SrcSpd, cb_IsScreen.
struct PointerSettings {
    int speedStep = 6;
    bool precision = false;
    int doubleClickStep = 7;
    // Kept while one screen at a time is ticked, so removing the tick brings it back.
    int wheelStep = 3;
    bool oneScreen = false;
};

int SpeedStepForSensitivity(int sensitivity);
int DoubleClickStepForTime(int milliseconds);
// Wheel lines other than one screen at a time: 1 .. 11 are their own step, 0 is step 3,
// anything else step 11.
int WheelStepForLines(int lines);

// Reads the system's values into the settings. A missing key leaves its settings as they
// were; unreadable values count as sensitivity 20, precision off, double-click 480 ms; a
// missing wheel value leaves the wheel settings as they were.
void ReadPointerValues(PointerSettings& settings, const SystemPointerValues& values);
// The values a write hands to the system (both keys marked present: the store itself knows
// which keys exist and skips the missing ones).
SystemPointerValues PointerValuesToWrite(const PointerSettings& settings);

// Slider value of a step ((step - 1) x 100), and the step a release at position x gives:
// the ruler with start -7, segment width 26 and 11 segments, held to the slider's maximum.
int PointerSliderValue(int step);
int PointerStepForRelease(int x);
// The ruler above assumes ticks 26 pixels apart with the first one 6 pixels in; a skin may
// set its ticks closer. This moves a position on such a slider onto the ruler so that a
// release on tick k gives step k (a spacing of 0 or less leaves x as it is).
int PointerRulerPosition(int x, int tickSpacing, int firstTickCentre);

// Ticking one screen at a time keeps the wheel step; the wheel slider is disabled meanwhile.
void SetOneScreen(PointerSettings& settings, bool on);
// A wheel slider release while one screen at a time is ticked changes nothing.
bool SetWheelStep(PointerSettings& settings, int step);

}  // namespace qeltra3k::config
