#pragma once
// The main window's controls as tables: the top-bar buttons that exist once per page, the
// caption labels of pages 2 to 5 with their texts, and the page states.
#include <array>
#include <optional>
#include <string_view>

#include "ui/MainWindow.h"

namespace qeltra3k::ui {

enum class TopBarKind { Confirm, Apply, Reset1, Exit, Reset2, Reset3, Mini, Read, Page, Save, Load, Language, Web };
// Which skin keys give the button its font: Size_A / Color_A, Size_B / Color_B, or none.
enum class TopBarFont { A, B, None };

// A page button Btn_<stem>_1 .. _4 over its picture Img_<stem>_1 .. _4.
struct TopBarButton {
    std::string_view stem;
    TopBarKind kind;
    std::string_view family;      // pictures <family>_01 normal, _02 / _03 ...
    std::string_view hoverSuffix; // the picture under the mouse
    bool hoverAllCopies;          // the hover picture goes on all four copies
    std::string_view textKey;     // caption; empty for picture-only buttons
    TopBarFont font;
    std::optional<PageState> page;  // page buttons: the page they open
    int language = 0;               // language buttons: 1 .. 3
};

inline constexpr std::array<TopBarButton, 20> kTopBarButtons{{
    {"Confirm", TopBarKind::Confirm, "BtnS", "_02", true, "Str000", TopBarFont::A, {}},
    {"Apply", TopBarKind::Apply, "BtnS", "_02", true, "Str001", TopBarFont::A, {}},
    {"Confirm1", TopBarKind::Reset1, "BtnS", "_02", true, "Str002", TopBarFont::A, {}},
    {"Exit", TopBarKind::Exit, "ExitS", "_02", true, {}, TopBarFont::None, {}},
    {"Confirm2", TopBarKind::Reset2, "BtnS", "_02", true, "Str015", TopBarFont::A, {}},
    {"Confirm3", TopBarKind::Reset3, "BtnS", "_02", true, "Str016", TopBarFont::A, {}},
    {"Mini", TopBarKind::Mini, "MiniS", "_02", true, {}, TopBarFont::None, {}},
    {"Read", TopBarKind::Read, "BtnS", "_02", true, "Str017", TopBarFont::A, {}},
    {"Main", TopBarKind::Page, "SetS", "_02", false, "Str004", TopBarFont::B, PageState::Office},
    {"Second", TopBarKind::Page, "SetS", "_02", false, "Str005", TopBarFont::B, PageState::Game},
    {"Adv", TopBarKind::Page, "SetS", "_02", false, "Str007", TopBarFont::B, PageState::Advanced},
    {"Breath", TopBarKind::Page, "SetS", "_02", false, "Str008", TopBarFont::B, PageState::Light},
    {"Save", TopBarKind::Save, "BtnS", "_02", true, "Str009", TopBarFont::A, {}},
    {"Load", TopBarKind::Load, "BtnS", "_02", true, "Str010", TopBarFont::A, {}},
    {"Lang1", TopBarKind::Language, "Lang", "_02", false, "Str011", TopBarFont::B, {}, 1},
    {"Lang2", TopBarKind::Language, "Lang", "_02", false, "Str012", TopBarFont::B, {}, 2},
    {"Lang3", TopBarKind::Language, "Lang", "_02", false, "Str013", TopBarFont::B, {}, 3},
    {"Macro", TopBarKind::Page, "SetS", "_02", false, "Str014", TopBarFont::B, PageState::Macro},
    {"Engineer", TopBarKind::Page, "SetS", "_02", false, {}, TopBarFont::B, PageState::Engineer},
    {"Web", TopBarKind::Web, "WebS", "_03", true, {}, TopBarFont::None, {}},
}};

const TopBarButton* FindTopBarButton(std::string_view stem);

struct PageStateInfo {
    PageState state;
    std::string_view radio;   // rb_...
    std::string_view button;  // the stem of its page button
    int page;                 // gbPage1 .. gbPage6
};

inline constexpr std::array<PageStateInfo, 6> kPageStates{{
    {PageState::Office, "rb_1", "Main", 1},
    {PageState::Game, "rb_2", "Second", 1},
    {PageState::Advanced, "rb_4", "Adv", 2},
    {PageState::Light, "rb_5", "Breath", 3},
    {PageState::Macro, "rb_6", "Macro", 4},
    {PageState::Engineer, "rb_7", "Engineer", 6},
}};

const PageStateInfo& InfoOf(PageState state);

// A caption label of pages 2 to 5 placed by its caption label family; `group` names the
// group box it sits in (positions are then inside it).
struct CaptionLabel {
    std::string_view label;
    std::string_view textKey;
    int page;
    std::string_view group;
};

// In the order of text::kCaptionFamilies.
inline constexpr std::array<CaptionLabel, 44> kCaptionLabels{{
    {"lbl_FireKey", "Str800", 2, {}},
    {"lbl_Fire_Count", "Str801", 2, {}},
    {"lbl_Fire_Time", "Str802", 2, {}},
    {"lbl_Fire_Continue", "Str803", 2, {}},
    {"lbl_Mouse_Speed", "Str804", 2, {}},
    {"lbl_Is_Control", "Str805", 2, {}},
    {"lbl_Double_Click", "Str806", 2, {}},
    {"lbl_Roller_Speed", "Str807", 2, {}},
    {"lbl_Roll_All_Screen", "Str808", 2, {}},
    {"lbl_DPI_Setting", "Str809", 2, {}},
    {"lbl_DPI_Value", "Str810", 2, {}},
    {"lbl_DPI_Note", "Str811", 2, {}},
    {"lbl_LED_Status", "Str812", 3, {}},
    {"lbl_LEDOn", "Str813", 3, {}},
    {"lbl_LEDOff", "Str814", 3, {}},
    {"lbl_LLED_Status", "Str815", 3, {}},
    {"lbl_LCPIOn", "Str813", 3, {}},
    {"lbl_LCPIOff", "Str814", 3, {}},
    {"lbl_MCPI_Status", "Str816", 3, {}},
    {"lbl_B4CPIOn", "Str813", 3, {}},
    {"lbl_B4CPIOff", "Str814", 3, {}},
    {"lbl_Led_Light", "Str817", 3, {}},
    {"lbl_SaveKeyMode", "Str818", 3, {}},
    {"lbl_NoSaveKeyMode", "Str819", 3, {}},
    {"lbl_Led_Mode", "Str820", 3, {}},
    {"lbl_LED_Effect_Setting", "Str856", 3, {}},
    {"lbl_LED_Effect_Slow", "Str857", 3, {}},
    {"lbl_LED_Effect_Fast", "Str858", 3, {}},
    {"lbl_Marco_List", "Str835", 4, {}},
    {"lbl_Marco_Content", "Str836", 4, {}},
    {"IB_RecDelay", "Str837", 4, "Gb_Delay"},
    {"IB_DelayTime", "Str838", 4, "Gb_Delay"},
    {"IB_NoDelay", "Str839", 4, "Gb_Delay"},
    {"lbl_MS", "Str840", 4, "Gb_Delay"},
    {"IB_ReleaseStop", "Str841", 4, "Gb_Delay"},
    {"IB_ReleaseContiue", "Str842", 4, "Gb_Delay"},
    {"IB_CircleTimes", "Str859", 4, "Gb_Delay"},
    {"IB_CircleAll", "Str861", 4, "Gb_Delay"},
    {"lbl_Fire_Marco_Stop_Release", "Str843", 5, {}},
    {"lbl_Fire_Marco_Count", "Str844", 5, {}},
    {"lbl_Fire_Marco_Y", "Str845", 5, {}},
    {"lbl_Fire_Marco_Y_Offset", "Str846", 5, {}},
    {"lbl_Fire_Marco_Delay", "Str847", 5, {}},
    {"lbl_Fire_Marco_Color", "Str848", 5, {}},
}};

// Labels that share one family's colour and size: lbl_DPI1 .. 7 (advanced page) and the
// light mode labels lbl_MCULEDMode1 .. 7 / lbl_RBLEDMode1 .. 7 (light page, one place each).
inline constexpr int kDpiLabelFirstText = 849;
inline constexpr int kMcuModeFirstText = 821;
inline constexpr int kRbModeFirstText = 828;
inline constexpr int kOptionLabelCount = 7;

// Mode-switch hints IB_ComboKey1 .. 3.
inline constexpr std::array<std::string_view, 3> kComboHintTexts{"Str700", "Str701", "Str702"};

QString QName(std::string_view name);
// "<prefix><copy>", e.g. CopyName("Btn_Apply_", 2) = "Btn_Apply_2".
QString CopyName(std::string_view prefix, int copy);

}  // namespace qeltra3k::ui
