#pragma once
// The general section [org] of the layout: product options read once at start-up.
#include <string>
#include <string_view>
#include <vector>

#include "ui/text/IniFile.h"

namespace qeltra3k::text {

inline constexpr std::string_view kGeneralSectionName = "org";
inline constexpr std::string_view kShippedSpecialConfig =
    "Key_CPIKey,Key_Fire,Key_AIMKey,Key_LEDMode,Key_LEDSwitch";

// Every key of the general section, under its own name; the initial values are the
// shipped ones, which also stand in for a required key that is missing or broken.
struct GeneralOptions {
    int Web_Enable = 1;
    std::string Web;
    int Web_X = 420;
    int Web_Y = 600;
    int Rev_Manu_ID = 255;
    int Rev_Pro_ID = 255;
    std::string Path;
    int TR_Enable = 0;
    int GD_Enable = 0;
    int Main_Pnl_Height_With_Gun = 195;
    int Main_Pnl_Height_WithNo_Gun = 165;
    int DPILED_Status = 1;
    int Gun6_Num = 2;
    int Gun7_Num = 3;
    int Num_Order = 0;
    int Ap_Mode = 0;
    int DPI_Count = 11;
    std::string Special_Config{kShippedSpecialConfig};

    // The EEPROM mode flag: the configuration lives in the mouse (Ap_Mode 0 or 2),
    // not only in the PC driver (Ap_Mode 1).
    bool eepromMode = true;
};

struct GeneralOptionsReading {
    GeneralOptions options;
    // One line per key that was missing or unusable, naming the value used instead.
    std::vector<std::string> warnings;
};

// Reads section [org] of `layout`, with the clamps and the Ap_Mode rules applied.
GeneralOptionsReading ReadGeneralOptions(const IniFile& layout);

// Reads the embedded resource "org".
GeneralOptionsReading LoadGeneralOptions();

// Height of the key menu panel Pnl_Main: taller when the gun functions are shown.
int MainPanelHeight(const GeneralOptions& options);

// Which LED number label (1 ... 10) sits under number picture `picture` (1 ... 10):
// Num_Order 0 counts up from the left, 1 down.
int LedNumberLabelUnder(int picture, int numOrder);

}  // namespace qeltra3k::text
