#pragma once
// The design of the three skins that both the layout generator (make_skin_layout.cpp)
// and the picture generator (skin_art/) follow: window and picture sizes, the panels
// drawn on the page pictures, and the sizes of controls that the layout does not carry
// (the window takes them from here). Positions are window pixels; pages 1 to 5 cover
// the whole window, so page pixels are window pixels too.
#include <array>

namespace skin_design {

struct Size {
    int w;
    int h;
};

struct Rect {
    int x;
    int y;
    int w;
    int h;
    constexpr int Right() const { return x + w; }
    constexpr int Bottom() const { return y + h; }
};

// The window: a top bar with the page and language buttons, the page area, and a foot
// bar with the profile, web and action buttons (the general section puts the web button
// at 420, 600; a 160 pixel button there sits in the middle of a 1000 pixel window).
inline constexpr Size kWindow{1000, 640};
inline constexpr int kTopBarHeight = 64;
inline constexpr int kFootTop = 592;
inline constexpr Rect kPageArea{0, kTopBarHeight, kWindow.w, kFootTop - kTopBarHeight};
inline constexpr int kCornerRadius = 14;

// Pictures (the label over a picture takes the picture's size).
inline constexpr Size kBtnS{108, 32};       // action buttons, Save, Load, fire page, dialogs
inline constexpr Size kExitS{32, 28};
inline constexpr Size kMiniS{32, 28};
inline constexpr Size kSetS{110, 40};       // page tabs
inline constexpr Size kLang{72, 26};
inline constexpr Size kWebS{160, 32};
inline constexpr Size kKeyS{190, 30};       // Key1 ... Key9 (Key_Width)
inline constexpr Size kBox{18, 18};         // CbS_*, RdS_*
inline constexpr Size kBar1{20, 12};
inline constexpr Size kBar2{12, 20};
inline constexpr Size kColF{34, 20};
inline constexpr Size kGun{124, 72};
inline constexpr Size kGunMode{44, 26};
inline constexpr Size kMacroS{116, 32};
inline constexpr Size kMacroBtnS{92, 28};
inline constexpr Size kInsertBase{296, 330};
inline constexpr Size kSliderRuler{225, 24};
inline constexpr Size kSliderThumb{14, 22};
inline constexpr Size kMsg{440, 240};
inline constexpr Size kLoading{200, 192};

// Controls without a picture: their sizes belong to the window definition.
inline constexpr Size kSlider{225, 24};      // every slider; the DPI ruler maps 0 ... 225
inline constexpr Size kEdit{64, 24};         // numeric edits
inline constexpr Size kCombo{64, 24};        // cbb_DPICount
inline constexpr Size kInsertList{264, 24};  // CB_Insert
inline constexpr Size kDelayGroup{296, 330}; // Gb_Delay, the same place as Gb_Insert
inline constexpr int kLabelHeight = 20;      // one line of 9 to 11 point text
inline constexpr int kDpiValueWidth = 60;    // lbl_DPInValue, lbl_AIMKeyValue
inline constexpr int kTickWidth = 16;        // lbl_Spd1 ... 11 and the like
inline constexpr int kNumberWidth = 20;      // lbl_MCULEDNum_1 ... 10, one per bar picture

// Panels of the page pictures (window pixels).
namespace key_page {
inline constexpr Rect kHintPanel{16, 496, 968, 88};
inline constexpr int kMouseCentreX = 500;
}  // namespace key_page

namespace advanced_page {
inline constexpr Rect kDpiPanel{16, 76, 480, 508};
inline constexpr Rect kFirePanel{512, 76, 472, 162};
inline constexpr Rect kPointerPanel{512, 250, 472, 334};
inline constexpr int kAimSeparatorY = 496;
}  // namespace advanced_page

namespace light_page {
inline constexpr Rect kSwitchPanel{16, 76, 480, 508};
inline constexpr Rect kModePanel{512, 76, 472, 508};
}  // namespace light_page

namespace macro_page {
inline constexpr Rect kListPanel{16, 76, 276, 508};
inline constexpr Rect kContentPanel{304, 76, 372, 508};
inline constexpr Rect kOptionPanel{688, 76, kDelayGroup.w, kDelayGroup.h};
inline constexpr Rect kTipPanel{688, 418, 296, 166};
}  // namespace macro_page

namespace fire_page {
inline constexpr Rect kGunPanel{16, 76, 968, 102};
inline constexpr Rect kTablePanel{16, 190, 968, 302};
inline constexpr int kLabelColumnX = 36;
inline constexpr int kFirstColumnX = 360;  // fire macro columns, kColumnPitch apart
inline constexpr int kColumnPitch = 200;
inline constexpr int kColumnWidth = 160;
}  // namespace fire_page

}  // namespace skin_design
