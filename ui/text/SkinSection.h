#pragma once
// One skin section of the layout ([org1] ... [org3], resources "org1" ... "org3"), read
// into plain values by family so that the window only has to apply them, family by
// family, in the order of the members below.
//
// Field names are the key stems of the section: `Size_A` is key Size_A, a SkinPoint
// `P1` is P1_X and P1_Y, a SkinColour `Color_A` is Color_A_R, Color_A_G and Color_A_B,
// an array `Key` holds Key1 ... Key9 at [0] ... [8]. Positions are pixels inside the
// control's page (or inside its group box for the controls of Gb_Delay and Gb_Insert);
// values of 3000 and more put a control out of view on purpose.
#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ui/text/IniFile.h"

namespace qeltra3k::text {

inline constexpr int kSkinCount = 3;

struct SkinPoint {
    int x = 0;
    int y = 0;

    friend bool operator==(const SkinPoint&, const SkinPoint&) = default;
};

// A colour given as three keys _R, _G, _B (0 ... 255 each).
struct SkinColour {
    int r = 0;
    int g = 0;
    int b = 0;

    // The colour value used on screen.
    constexpr int Value() const { return r + 256 * g + 65536 * b; }

    friend bool operator==(const SkinColour&, const SkinColour&) = default;
};

// A control family with an _Enable key: shown only when the flag is 1. The position of a
// hidden control is not read, so the control keeps wherever it was.
struct SkinSwitched {
    bool enabled = false;
    std::optional<SkinPoint> position;
};

// Top-bar action buttons A1 ... A8 (section "Confirm & Apply & Reset & Exit Button").
// Button An is the label Btn_<name>_1 ... _4 over the picture Img_<name>_1 ... _4.
inline constexpr std::array<std::string_view, 8> kActionButtonNames = {
    "Confirm", "Apply", "Confirm1", "Exit", "Confirm2", "Confirm3", "Mini", "Read"};

struct SkinTopBar {
    int Size_A = 9;    // font of Confirm, Apply, Read, Confirm1 ... 3, Save, Load
    SkinColour Color_A;
    std::array<SkinSwitched, 8> Btn_A;
};

// Page and profile buttons B1 ... B11 (section "Setting & Profile Button"); there is no
// B3. The engineer page button (Btn_Engineer_) takes the position of B11.
inline constexpr std::array<std::string_view, 11> kPageButtonNames = {
    "Main", "Second", "", "Adv", "Breath", "Save", "Load", "Lang1", "Lang2", "Lang3", "Macro"};

struct SkinPageButtons {
    int Size_B = 9;    // font of Main, Second, Adv, Breath, Macro, Engineer, Lang1 ... 3
    SkinColour Color_B;
    int Btn_Space_F = 0;  // the label starts this far into its picture
    int Btn_Space_B = 0;  // and ends this far before the picture's right edge
    std::array<SkinSwitched, 11> Btn_B;  // [2] (B3) is never enabled
};

// Key page (section "Mouse Keys Button").
struct SkinKeyPage {
    int Size_C = 9;  // font of the mode-switch hints IB_ComboKey1 ... 3
    SkinColour Color_C;
    SkinPoint P1;    // page picture Img_P1
    std::array<SkinSwitched, 9> Key;  // label Keyn over picture Img_Keyn
    int Key_Width = 0;
    // Hint n: picture Img_ComboKeyn at the position, label IB_ComboKeyn at
    // (x + ComboKey_D, y + ComboKey_H), Combox_Width wide. Hint 3 (gun key) is shown only
    // on the game-mode page with the gun functions on.
    std::array<SkinSwitched, 3> ComboKey;
    int ComboKey_D = 0;
    int ComboKey_H = 0;
    int Combox_Width = 0;
    SkinColour ComboKeyColour;  // ComboKey_R/_G/_B: the hints' font colour, set after Color_C
};

// Key menu (section "Mouse Keys Parameters List").
struct SkinKeyMenu {
    int Size_G = 9;
    SkinColour Color_G;         // entries, their arrows, LB_Name
    SkinColour Color_G_Back;    // menu panels and LB_Name
    SkinColour Color_G_Border;
    SkinColour Color_G_SF;      // entry under the mouse: font
    SkinColour Color_G_SP;      // entry under the mouse: background
    int M_L_W = 0;              // Pnl_Main width
    int SP_L_W = 0;             // Pnl_Special width
    int O_L_W = 0;              // the other submenus' width
};

// One DPI level n of the advanced page.
struct SkinDpiLevel {
    SkinPoint Color;     // DPIn_Color: Img_DPInCol, cs_DPInCol, lbl_DPInCol
    SkinPoint Check;     // DPIn_Check: selection picture Img_DPIn
    SkinPoint Name;      // DPIn_X, DPIn_Y: label lbl_DPIn
    SkinPoint Value;     // DPIn_Value: label lbl_DPInValue
    SkinPoint Steps;     // DPIn_Steps: slider_DPIn
};

// Advanced page (section "Advanced Page").
struct SkinAdvancedPage {
    int Size_D = 9;
    SkinColour Color_D_Selected;     // lbl_AIMKey, shown DPI levels
    SkinColour Color_D_notSelected;  // tick labels, lbl_AIMKeyValue, the fire key edits
    SkinColour Color_D_Back;         // fire key edits
    SkinColour Color_D_Border;
    SkinPoint P2;
    SkinPoint FKCnt;           // Edt_Repeat1
    SkinPoint FKDelay;         // Edt_DelayTime1
    SkinPoint IsFireContinue;  // Img_FireContinue, lbl_FireContinue
    SkinPoint Spd;             // slider_Spd; tick i at (x + (i - 1) Spd_D + 4, y + 26)
    SkinPoint DbSpd;           // slider_DbSpd
    SkinPoint ScrSpd;          // slider_SrcSpd
    int Spd_D = 0;
    SkinPoint IsControl;       // Img_IsControl; lbl_IsControl 8 pixels to the left
    SkinPoint IsScreen;        // Img_IsScreen; lbl_IsScreen 2 pixels to the left
    std::array<SkinDpiLevel, 7> DPI;
    SkinPoint AIMKey;          // lbl_AIMKey
    SkinPoint AIMKey_Value;    // lbl_AIMKeyValue
    SkinPoint AIMKey_Steps;    // slider_DPI8
    SkinPoint DPI_Count;       // cbb_DPICount
    bool DPI_Count_Visible = false;
    SkinColour Color_BG_Slider;  // background of every slider
};

// Light page (section "Breathing Page").
struct SkinLightPage {
    int Size_E = 9;  // lbl_MCULEDStep_1 ... 8, lbl_MCULEDNum_1 ... 10
    SkinColour Color_E;
    SkinPoint P3;
    SkinPoint LEDOn, LEDOff;                  // Img_LEDOn, Img_LEDOff
    SkinPoint B4CPIOn, B4CPIOff;              // Img_/lbl_B4CPIOn, Img_/lbl_B4CPIOff
    SkinPoint LEDSwitchOn, LEDSwitchOff;      // Img_/lbl_LCPIOn, Img_/lbl_LCPIOff
    SkinPoint SaveKeyMode, NoSaveKeyMode;     // Img_/lbl_SaveKeyMode, Img_/lbl_NoSaveKeyMode
    SkinPoint LED3Control, LED6Control;       // Img_/lbl_MCULED3Control, ..._MCULED6Control
    std::array<SkinPoint, 7> MCULEDMode;      // Img_/lbl_MCULEDModen
    std::array<SkinPoint, 7> RBLEDMode;       // Img_/lbl_RBLEDModen
    SkinPoint MCULEDNum;  // picture i at (x + (i - 1)(picture width + MCULEDNum_D), y)
    int MCULEDNum_D = 0;
    SkinPoint MCULEDStep;  // slider_Breath_Speed
};

// Macro page (section "Macro Page").
struct SkinMacroPage {
    int Size_F = 9;
    SkinColour Color_F;          // Btn_New, Btn_Start, CB_Insert, insert panel texts
    SkinColour Color_F_LBack;    // macro lists and CB_Insert
    SkinColour Color_F_LBorder;  // edits' border
    SkinColour Color_F_Font;     // lists, library buttons, edits
    SkinColour Color_F_Back;     // library buttons and edits
    SkinColour Color_MACRO;      // selected entry of the macro lists
    SkinPoint P4;
    SkinPoint PCMacroName;       // LB_PCMacroName
    int PCMacroName_H = 0;
    int PCMacroName_W = 0;
    int MacroNameHeight = 0;
    SkinPoint MacroContent;      // LB_macro
    int MacroContent_W = 0;
    int MacroContent_H = 0;
    SkinPoint BtnNew, BtnStart, BtnDelete;  // label over picture
    SkinPoint DelayTime;         // group Gb_Delay; the positions below up to CircleAll are inside it
    SkinPoint RecDelay;          // LED_RecDelay, IB_RecDelay
    int RecDelay_H = 0;
    SkinPoint DelaySetting;      // LED_DelayTime, IB_DelayTime
    SkinPoint NoDelay;           // LED_NoDelay, IB_NoDelay
    SkinPoint DelayEdit;         // Edt_Delay
    SkinPoint CircleEdit;        // Edt_Circle_Times
    SkinPoint ReleaseStop, ReleaseContinue, CircleTimes, CircleAll;  // their pictures
    SkinPoint Insert;            // Gb_Insert and Img_InsertBase; the positions below are inside it
    SkinPoint InsertList;        // CB_Insert
    SkinPoint InsertRecDelay;    // first of the three insert option boxes
    int InsertRecDelay_H = 0;    // distance between the option boxes
    SkinPoint InsertDelayEdit;   // Edt_InsertDelay
    SkinPoint InsertAxisEdit;    // edt_XAxisValue, edt_YAxisValue, edt_Repeat
    SkinPoint InsertBtnStart, InsertBtnOK, InsertBtnCancel;  // label over picture
    int Edit_PCMarco_Width = 0;  // Pnl_PCMacro and its buttons
    bool Marco_Stop_Release_Lable_Wrap = false;  // IB_ReleaseStop on two lines after "-"
    bool Marco_Stop_Over_Lable_Wrap = false;     // IB_ReleaseContiue likewise
};

// Row r of the fire macro page.
struct SkinFireRow {
    SkinPoint RKFS;          // lbl_FireRKFSr over Img_FireRKFSr
    SkinPoint FireCnt;       // Edt_FireCntr
    SkinPoint FireX;         // Edt_FireXr
    SkinPoint FireY;         // Edt_FireYr
    SkinPoint FireY_Offset;  // Edt_FireYrOffset
    SkinPoint FireTime;      // Edt_FireTimer
    SkinPoint FireColor;     // Img_FireColorr, cs_FireColorr, IB_FireColorr
};

// Fire macro page (section "Fire Macro Page").
struct SkinFirePage {
    int Size_J = 9;
    SkinColour Color_J;          // Btn_FireConfirm, Btn_FireExit, other texts
    SkinColour Color_J_Font;     // the fifteen row edits
    SkinColour Color_J_Back;
    SkinColour Color_J_Border;
    SkinPoint P5;
    std::array<SkinPoint, 7> Fire;     // Btn_Fireg over Img_Fireg
    std::array<SkinPoint, 5> GunMode;  // Img_GunMode1 ... 5
    std::array<SkinFireRow, 3> Row;
    SkinPoint FireConfirm;  // Btn_FireConfirm over Img_FireConfirm
    SkinPoint FireCancel;   // Btn_FireExit over Img_FireExit
};

// A caption label family F: keys F_Lable_X, _Y, _R, _G, _B, _Size, _Width.
struct SkinCaptionFamily {
    std::string_view family;
    std::string_view label;
};

inline constexpr std::array<SkinCaptionFamily, 44> kCaptionFamilies = {{
    {"Fire_Key", "lbl_FireKey"},
    {"Fire_Key_Count", "lbl_Fire_Count"},
    {"Fire_Key_Time", "lbl_Fire_Time"},
    {"Fire_Key_Continue", "lbl_Fire_Continue"},
    {"Mouse_Speed", "lbl_Mouse_Speed"},
    {"Mouse_IsControl", "lbl_Is_Control"},
    {"Mouse_Double_Click", "lbl_Double_Click"},
    {"Mouse_Roller_Speed", "lbl_Roller_Speed"},
    {"Mouse_Roll_All_Screen", "lbl_Roll_All_Screen"},
    {"DPI_Setting", "lbl_DPI_Setting"},
    {"DPI_Value", "lbl_DPI_Value"},
    {"DPI_Note", "lbl_DPI_Note"},
    {"LED_Status", "lbl_LED_Status"},
    {"LED_On", "lbl_LEDOn"},
    {"LED_Off", "lbl_LEDOff"},
    {"LCPI_Status", "lbl_LLED_Status"},
    {"LCPI_On", "lbl_LCPIOn"},
    {"LCPI_Off", "lbl_LCPIOff"},
    {"MCPI_Status", "lbl_MCPI_Status"},
    {"MCPI_On", "lbl_B4CPIOn"},
    {"MCPI_Off", "lbl_B4CPIOff"},
    {"LED_Light_Status", "lbl_Led_Light"},
    {"LED_Light_All", "lbl_SaveKeyMode"},
    {"LED_Light_Half", "lbl_NoSaveKeyMode"},
    {"LED_Mode", "lbl_Led_Mode"},
    {"LED_Effect_Setting", "lbl_LED_Effect_Setting"},
    {"LED_Effect_Slow", "lbl_LED_Effect_Slow"},
    {"LED_Effect_Fast", "lbl_LED_Effect_Fast"},
    {"Marco_List", "lbl_Marco_List"},
    {"Marco_Content", "lbl_Marco_Content"},
    {"Marco_Record_Delay", "IB_RecDelay"},
    {"Marco_Delay_Setting", "IB_DelayTime"},
    {"Marco_No_Delay", "IB_NoDelay"},
    {"Marco_MS", "lbl_MS"},
    {"Marco_Stop_Release", "IB_ReleaseStop"},
    {"Marco_Stop_Over", "IB_ReleaseContiue"},
    {"Marco_Circle_Times", "IB_CircleTimes"},
    {"Marco_Circle_ALL", "IB_CircleAll"},
    {"Gun_Marco_Stop_Release", "lbl_Fire_Marco_Stop_Release"},
    {"Gun_Marco_Fire_Count", "lbl_Fire_Marco_Count"},
    {"Gun_Marco_Fire_Y", "lbl_Fire_Marco_Y"},
    {"Gun_Marco_Y_Offset", "lbl_Fire_Marco_Y_Offset"},
    {"Gun_Marco_Fire_Delay", "lbl_Fire_Marco_Delay"},
    {"Gun_Marco_Fire_Color", "lbl_Fire_Marco_Color"},
}};

struct SkinCaptionLabel {
    SkinPoint position;
    SkinColour colour;
    int size = 9;
    int width = 0;
};

// One place of a label that shares its family's colour and size.
struct SkinOptionSlot {
    SkinPoint position;
    int width = 0;
};

// Shared-option label families.
struct SkinOptionLabels {
    // LED_Mode_Option_Lable_*: lbl_MCULEDModen and lbl_RBLEDModen, both at LED_Mode_n_Lable.
    SkinColour LED_Mode_Colour;
    int LED_Mode_Size = 9;
    std::array<SkinOptionSlot, 7> LED_Mode;
    // LED_Step_Option_Lable_*: lbl_MCULEDStep_1 ... 8 at LED_Step_n_Lable.
    SkinColour LED_Step_Colour;
    int LED_Step_Size = 9;
    std::array<SkinOptionSlot, 8> LED_Step;
    // DPI_Lable_*: lbl_DPI1 ... 7.
    SkinColour DPI_Colour;
    int DPI_Size = 9;
    int DPI_Width = 0;
};

// Key-assembly dialog (section "Assembly Keys Page"), read when the dialog opens.
struct SkinAssemblyDialog {
    int Size_K = 9;
    SkinColour Color_K;     // title and buttons
    SkinColour Color_K_AK;  // the key field
    SkinPoint AKT;          // title
    SkinPoint AKC;          // key field
    int AKC_W = 0;
    SkinPoint MK_A, MK_C, MK_S, MK_W;  // Alt, Ctrl, Shift, Win boxes
    SkinPoint AK_Cfm, AK_Clear, AK_Close;
};

// Macro name, key, delay and value dialogs, read when they open.
struct SkinNameDialog {
    int Size_L = 9;          // base size: title + 5, input + 3, buttons + 1
    SkinColour Color_L;      // title and buttons
    SkinColour Color_L_MN;   // input field
    SkinPoint MNT;           // title
    SkinPoint MNC;           // input field
    int MNC_W = 0;
    SkinPoint MN_Cfm, MN_Clear, MN_Close;
};

struct SkinSection {
    int index = 1;
    SkinTopBar topBar;
    SkinPageButtons pageButtons;
    SkinKeyPage keyPage;
    SkinKeyMenu keyMenu;
    SkinAdvancedPage advancedPage;
    SkinLightPage lightPage;
    SkinMacroPage macroPage;
    SkinFirePage firePage;
    std::array<SkinCaptionLabel, kCaptionFamilies.size()> captionLabels;  // as kCaptionFamilies
    SkinOptionLabels optionLabels;
    SkinAssemblyDialog assemblyDialog;
    SkinNameDialog nameDialog;
};

struct SkinSectionReading {
    SkinSection skin;
    // One line per key that was missing or unusable, naming the section, the key and the
    // value used instead.
    std::vector<std::string> warnings;
};

// "org1" ... "org3".
std::string SkinSectionName(int index);

// Reads section [orgN] of `layout`. A key that is missing, not a decimal number or out of
// range takes the value of the same key in section [org1] of `fallback` (the shipped
// skin 1) and gives a warning; without a usable fallback it takes a safe value: hidden for
// enable flags and positions, 9 for font sizes, 0 otherwise. Colour parts are kept in
// 0 ... 255. A missing section is read from the fallback as a whole, with one warning.
SkinSectionReading ReadSkinSection(const IniFile& layout, int index, const IniFile* fallback);

// Reads the embedded resource "org"N with the embedded "org1" as fallback; an index
// outside 1 ... 3 reads skin 1, with a warning.
SkinSectionReading LoadSkinSection(int index);

}  // namespace qeltra3k::text
