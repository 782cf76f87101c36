// Writes the three skin sections of the layout, org1.ini ... org3.ini: every key of a
// skin section, family by family, from one geometry (make_skin_layout.h and the tables
// below) and one palette per skin. The output is 8-bit ASCII with CR LF line ends.
//
//   make_skin_layout OUTPUT_DIR      (the shipped files live in resources/layout)
//
// The skins share their geometry and differ in colour: skin 1 cyan, skin 2 ember
// (orange on red), skin 3 jade with gold titles.
#include <array>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <string>
#include <string_view>

#include "make_skin_layout.h"

namespace {

using namespace skin_design;

// A coordinate beyond the window: the layout's way of keeping a control out of view.
constexpr int kHidden = 9000;

struct Rgb {
    int r;
    int g;
    int b;
};

struct Palette {
    std::string_view name;
    Rgb accent;      // selection, borders of menus and lists
    Rgb title;       // panel titles
    Rgb text;        // labels
    Rgb dim;         // tick numbers, secondary texts
    Rgb buttonText;  // captions over the button pictures
    Rgb panel;       // the flat fill of the page panels, behind sliders and edits
    Rgb field;       // edits and lists
    Rgb fieldBorder;
    Rgb menu;        // key menu panels
    Rgb hoverText;   // key menu entry under the mouse
    Rgb dialogInput; // the dialogs' input fields are light, their text dark
};

constexpr std::array<Palette, 3> kPalettes = {{
    {"cyan", {0, 200, 230}, {0, 210, 240}, {214, 226, 238}, {128, 148, 166}, {236, 244, 250},
     {17, 25, 34}, {9, 15, 22}, {0, 110, 132}, {14, 21, 30}, {6, 16, 22}, {16, 22, 30}},
    {"ember", {255, 104, 36}, {255, 138, 58}, {238, 226, 218}, {168, 146, 136}, {250, 242, 236},
     {30, 19, 19}, {18, 10, 10}, {150, 56, 24}, {26, 15, 15}, {24, 10, 6}, {30, 16, 16}},
    {"jade", {56, 212, 128}, {236, 190, 72}, {222, 232, 216}, {146, 166, 148}, {240, 246, 236},
     {17, 28, 23}, {9, 18, 14}, {34, 118, 78}, {14, 24, 20}, {8, 22, 14}, {14, 26, 20}},
}};

class Section {
public:
    explicit Section(int index)
    {
        Line("; Skin " + std::to_string(index) + " (" + std::string(kPalettes[index - 1].name) +
             ") of the QELTRA3K editor, made by tools/make_skin_layout.");
        Line("; Positions are pixels inside the page (inside Gb_Delay and Gb_Insert for their");
        Line("; controls); 9000 keeps a control out of view. Colours are R, G, B, 0 ... 255.");
        Line("[org" + std::to_string(index) + "]");
    }

    void Family(std::string_view title)
    {
        Line("");
        Line("; ---- " + std::string(title) + " ----");
    }

    void Comment(std::string_view text) { Line("; " + std::string(text)); }

    void Int(const std::string& key, int value) { Line(key + "=" + std::to_string(value)); }

    void Point(const std::string& stem, int x, int y)
    {
        Int(stem + "_X", x);
        Int(stem + "_Y", y);
    }

    void Colour(const std::string& stem, Rgb c)
    {
        Int(stem + "_R", c.r);
        Int(stem + "_G", c.g);
        Int(stem + "_B", c.b);
    }

    // A family with an enable flag; a control that is off is also put out of view.
    void Switched(const std::string& stem, bool enabled, int x, int y)
    {
        Int(stem + "_Enable", enabled ? 1 : 0);
        Point(stem, enabled ? x : kHidden, enabled ? y : kHidden);
    }

    const std::string& Text() const { return text_; }

private:
    void Line(const std::string& line) { text_ += line + "\r\n"; }

    std::string text_;
};

std::string N(std::string_view prefix, int n, std::string_view suffix = {})
{
    return std::string(prefix) + std::to_string(n) + std::string(suffix);
}

// Vertically centres a box of height `h` on a row whose label starts at `labelY`.
constexpr int Centred(int labelY, int h) { return labelY + (kLabelHeight - h) / 2; }

void TopBar(Section& s, const Palette& p)
{
    s.Family("Confirm & Apply & Reset & Exit Button");
    s.Int("Size_A", 10);
    s.Colour("Color_A", p.buttonText);
    // A1 confirm, A2 apply, A3 default 1, A4 close, A5 default 2, A6 default 3,
    // A7 minimise, A8 read back. The foot bar holds Read, Reset and Apply on its right.
    const int footY = 600;
    const int closeY = (kTopBarHeight - kExitS.h) / 2;
    struct Button {
        bool on;
        int x;
        int y;
    };
    const std::array<Button, 8> buttons = {{
        {false, 0, 0},
        {true, 872, footY},
        {true, 758, footY},
        {true, kWindow.w - 14 - kExitS.w, closeY},
        {false, 0, 0},
        {false, 0, 0},
        {true, kWindow.w - 14 - kExitS.w - 6 - kMiniS.w, closeY},
        {true, 644, footY},
    }};
    for (int n = 1; n <= 8; ++n) {
        const Button& b = buttons[n - 1];
        s.Switched(N("Btn_A", n), b.on, b.x, b.y);
    }
}

void PageButtons(Section& s, const Palette& p)
{
    s.Family("Setting & Profile Button");
    s.Int("Size_B", 10);
    s.Colour("Color_B", p.buttonText);
    s.Int("Btn_Space_F", 0);
    s.Int("Btn_Space_B", 0);
    const int tabY = 16;
    const int langY = (kTopBarHeight - kLang.h) / 2 + 2;
    struct Button {
        int number;
        bool on;
        int x;
        int y;
    };
    // B2 (game-mode page) stays off while the gun functions are off, as the general
    // section ships; the tabs leave it no place of its own.
    const std::array<Button, 11> buttons = {{
        {1, true, 188, tabY},
        {2, false, 0, 0},
        {4, true, 188 + (kSetS.w + 4), tabY},
        {5, true, 188 + 2 * (kSetS.w + 4), tabY},
        {6, true, 20, 600},
        {7, true, 20 + kBtnS.w + 6, 600},
        {8, true, 664, langY},
        {9, true, 664 + (kLang.w + 4), langY},
        {10, true, 664 + 2 * (kLang.w + 4), langY},
        {11, true, 188 + 3 * (kSetS.w + 4), tabY},
        {12, false, 0, 0},
    }};
    for (const Button& b : buttons)
        s.Switched(N("Btn_B", b.number), b.on, b.x, b.y);
}

// Where the nine button labels sit: a column on each side of the mouse drawing.
struct KeyPlace {
    int x;
    int y;
};
constexpr int kLeftKeyX = 120;
constexpr int kRightKeyX = 690;
constexpr std::array<KeyPlace, 9> kKeyPlaces = {{
    {kLeftKeyX, 130},   // 1 left button
    {kRightKeyX, 190},  // 2 wheel
    {kRightKeyX, 130},  // 3 right button
    {kLeftKeyX, 350},   // 4 back side button
    {kLeftKeyX, 290},   // 5 forward side button
    {kRightKeyX, 250},  // 6 first button behind the wheel
    {kRightKeyX, 310},  // 7 second
    {kRightKeyX, 370},  // 8 third
    {kLeftKeyX, 190},   // 9 fire button beside the left button
}};

void KeyPage(Section& s, const Palette& p)
{
    s.Family("Mouse Keys Button");
    s.Int("Size_C", 9);
    s.Colour("Color_C", p.text);
    s.Point("P1", kPageArea.x, kPageArea.y);
    for (int n = 1; n <= 9; ++n)
        s.Switched(N("Key", n), true, kKeyPlaces[n - 1].x, kKeyPlaces[n - 1].y);
    s.Int("Key_Width", kKeyS.w);
    const int hintX = key_page::kHintPanel.x + 24;
    for (int n = 1; n <= 3; ++n)
        s.Switched(N("ComboKey", n), true, hintX, key_page::kHintPanel.y + 10 + (n - 1) * 26);
    s.Int("ComboKey_D", kBox.w + 10);
    s.Int("ComboKey_H", (kBox.h - kLabelHeight) / 2);
    s.Int("Combox_Width", 900);
    s.Colour("ComboKey", p.text);
    s.Comment("Present for older layouts, not read:");
    for (int n = 1; n <= 3; ++n) {
        const std::string stem = N("ComboKey", n, "_Lable");
        s.Point(stem, kHidden, kHidden);
        s.Colour(stem, p.text);
        s.Int(stem + "_Size", 9);
        s.Int(stem + "_Width", 0);
    }
}

void KeyMenu(Section& s, const Palette& p)
{
    s.Family("Mouse Keys Parameters List");
    s.Int("Size_G", 9);
    s.Colour("Color_G", p.text);
    s.Colour("Color_G_Back", p.menu);
    s.Colour("Color_G_Border", p.accent);
    s.Colour("Color_G_SF", p.hoverText);
    s.Colour("Color_G_SP", p.accent);
    s.Int("M_L_W", 250);
    s.Int("SP_L_W", 230);
    s.Int("O_L_W", 210);
}

// Advanced page rows.
constexpr int kDpiRowY = 172;     // level 1; the others follow kDpiRowPitch apart
constexpr int kDpiRowPitch = 46;
constexpr int kDpiNameX = 62;
constexpr int kDpiSliderX = 120;
constexpr int kDpiValueX = kDpiSliderX + kSlider.w + 12;
constexpr int kDpiColourX = 430;
constexpr int kAimRowY = 516;
constexpr int kPointerLabelX = 532;
constexpr int kPointerSliderX = 744;
constexpr int kSpeedRowY = 266;
constexpr int kPrecisionRowY = 338;
constexpr int kDoubleClickRowY = 388;
constexpr int kWheelRowY = 460;
constexpr int kScreenRowY = 532;

void AdvancedPage(Section& s, const Palette& p)
{
    s.Family("Advanced Page");
    s.Int("Size_D", 9);
    s.Colour("Color_D_Selected", p.accent);
    s.Colour("Color_D_notSelected", p.text);
    s.Colour("Color_D_Back", p.field);
    s.Colour("Color_D_Border", p.fieldBorder);
    s.Point("P2", kPageArea.x, kPageArea.y);
    s.Point("FKCnt", 780, Centred(126, kEdit.h));
    s.Point("FKDelay", 780, Centred(162, kEdit.h));
    s.Point("IsFireContinue", kPointerLabelX, Centred(200, kBox.h));
    const int sliderDy = (kLabelHeight - kSlider.h) / 2;
    s.Point("Spd", kPointerSliderX, kSpeedRowY + sliderDy);
    s.Point("DbSpd", kPointerSliderX, kDoubleClickRowY + sliderDy);
    s.Point("ScrSpd", kPointerSliderX, kWheelRowY + sliderDy);
    // Eleven ticks across the thumb's travel (slider width less the thumb).
    const int tickPitch = (kSlider.w - kSliderThumb.w) / 10;
    s.Int("Spd_D", tickPitch);
    s.Int("DbSpd_D", tickPitch);
    s.Int("ScrSpd_D", tickPitch);
    s.Point("IsControl", kPointerLabelX, Centred(kPrecisionRowY, kBox.h));
    s.Point("IsScreen", kPointerLabelX, Centred(kScreenRowY, kBox.h));
    for (int n = 1; n <= 7; ++n) {
        const int y = kDpiRowY + (n - 1) * kDpiRowPitch;
        s.Point(N("DPI", n, "_Color"), kDpiColourX, Centred(y, kColF.h));
        s.Point(N("DPI", n, "_Check"), 36, Centred(y, kBox.h));
        s.Point(N("DPI", n), kDpiNameX, y);
        s.Point(N("DPI", n, "_Value"), kDpiValueX, y);
        s.Point(N("DPI", n, "_Steps"), kDpiSliderX, y + sliderDy);
    }
    s.Comment("Read, no effect:");
    for (int n = 1; n <= 7; ++n)
        s.Int(N("DPI", n, "_Steps_D"), 20);
    s.Int("AIMKey_Steps_D", 20);
    s.Point("AIMKey", 36, kAimRowY);
    s.Point("AIMKey_Value", kDpiValueX, kAimRowY);
    s.Point("AIMKey_Steps", kDpiSliderX, kAimRowY + sliderDy);
    s.Point("DPI_Count", 200, Centred(126, kCombo.h));
    s.Int("DPI_Count_Visible", 1);
    s.Colour("Color_BG_Slider", p.panel);
}

// Light page: four switch groups on the left, each a title and two option boxes.
constexpr int kSwitchGroupY = 92;  // title of the first group; the others kSwitchPitch apart
constexpr int kSwitchPitch = 112;
constexpr int kSwitchRowDy = 36;   // option boxes below their title
constexpr int kOptionOnX = 36;
constexpr int kOptionOffX = 236;
constexpr int kModeRowY = 128;
constexpr int kModePitch = 34;
constexpr int kCountBarY = 422;
constexpr int kSpeedTitleY = 482;
constexpr int kSpeedRowY2 = 522;
constexpr int kSpeedSliderX = 620;

int SwitchTitleY(int group) { return kSwitchGroupY + group * kSwitchPitch; }
int SwitchRowY(int group) { return SwitchTitleY(group) + kSwitchRowDy; }

void LightPage(Section& s, const Palette& p)
{
    s.Family("Breathing Page");
    s.Int("Size_E", 9);
    s.Colour("Color_E", p.dim);
    s.Point("P3", kPageArea.x, kPageArea.y);
    // Groups: 0 light on/off, 1 on/off by middle + DPI, 2 brightness, 3 mode switch by
    // left + DPI (last: the families without it leave no hole in the middle).
    const auto box = [&](const std::string& stem, int x, int group) {
        s.Point(stem, x, Centred(SwitchRowY(group), kBox.h));
    };
    box("LEDOn", kOptionOnX, 0);
    box("LEDOff", kOptionOffX, 0);
    box("B4CPIOn", kOptionOnX, 1);
    box("B4CPIOff", kOptionOffX, 1);
    box("LEDSwitchOn", kOptionOnX, 3);
    box("LEDSwitchOff", kOptionOffX, 3);
    box("SaveKeyMode", kOptionOnX, 2);
    box("NoSaveKeyMode", kOptionOffX, 2);
    s.Comment("The flowing brightness has no text on this page; kept out of view:");
    s.Point("LED3Control", kHidden, kHidden);
    s.Point("LED6Control", kHidden, kHidden);
    const int modeX = light_page::kModePanel.x + 20;
    for (int n = 1; n <= 7; ++n)
        s.Point(N("MCULEDMode", n), modeX, Centred(kModeRowY + (n - 1) * kModePitch, kBox.h));
    for (int n = 1; n <= 7; ++n)
        s.Point(N("RBLEDMode", n), modeX, Centred(kModeRowY + (n - 1) * kModePitch, kBox.h));
    s.Point("MCULEDNum", modeX + 44, kCountBarY);
    s.Int("MCULEDNum_D", 10);
    s.Point("MCULEDStep", kSpeedSliderX, kSpeedRowY2 + (kLabelHeight - kSlider.h) / 2);
    s.Int("MCULEDStep_D", 30);
}

// Macro page.
constexpr int kGroupRow = 32;  // option rows inside Gb_Delay and Gb_Insert

void MacroPage(Section& s, const Palette& p)
{
    using namespace macro_page;
    s.Family("Macro Page");
    s.Int("Size_F", 9);
    s.Colour("Color_F", p.buttonText);
    s.Colour("Color_F_LBack", p.field);
    s.Colour("Color_F_LBorder", p.fieldBorder);
    s.Colour("Color_F_Font", p.text);
    s.Colour("Color_F_Back", p.field);
    s.Colour("Color_MACRO", p.accent);
    s.Point("P4", kPageArea.x, kPageArea.y);
    s.Point("PCMacroName", kListPanel.x + 16, 120);
    s.Int("PCMacroName_H", 400);
    s.Int("PCMacroName_W", kListPanel.w - 32);
    s.Int("MacroNameHeight", 22);
    s.Point("MacroContent", kContentPanel.x + 16, 120);
    s.Int("MacroContent_W", kContentPanel.w - 32);
    s.Int("MacroContent_H", 400);
    const int buttonY = kListPanel.Bottom() - 14 - kMacroS.h;
    s.Point("BtnNew", kListPanel.x + 16, buttonY);
    s.Point("BtnStart", kContentPanel.x + (kContentPanel.w - kMacroS.w) / 2, buttonY);
    s.Point("BtnDelete", kListPanel.Right() - 16 - kMacroS.w, buttonY);
    s.Point("DelayTime", kOptionPanel.x, kOptionPanel.y);
    s.Comment("Inside Gb_Delay:");
    const int x = 16;
    const int editX = 176;
    s.Point("RecDelay", x, Centred(20, kBox.h));
    s.Int("RecDelay_H", kGroupRow);
    s.Point("DelaySetting", x, Centred(20 + kGroupRow, kBox.h));
    s.Point("NoDelay", x, Centred(20 + 2 * kGroupRow, kBox.h));
    s.Point("DelayEdit", editX, Centred(20 + kGroupRow, kEdit.h));
    s.Point("CircleEdit", editX, Centred(236, kEdit.h));
    s.Point("ReleaseStop", x, Centred(148, kBox.h));
    s.Point("ReleaseContinue", x, Centred(148 + kGroupRow, kBox.h));
    s.Point("CircleTimes", x, Centred(236, kBox.h));
    s.Point("CircleAll", x, Centred(236 + kGroupRow, kBox.h));
    s.Point("Insert", kOptionPanel.x, kOptionPanel.y);
    s.Comment("Inside Gb_Insert:");
    s.Point("InsertList", x, 16);
    s.Point("InsertRecDelay", x, Centred(64, kBox.h));
    s.Int("InsertRecDelay_H", kGroupRow);
    s.Point("InsertDelayEdit", editX, Centred(64 + kGroupRow, kEdit.h));
    s.Point("InsertAxisEdit", editX, Centred(64, kEdit.h));
    s.Point("InsertBtnStart", x, 176);
    s.Point("InsertBtnOK", kInsertBase.w - 2 * (kMacroBtnS.w + 8) - 8, kInsertBase.h - 14 - kMacroBtnS.h);
    s.Point("InsertBtnCancel", kInsertBase.w - kMacroBtnS.w - 16, kInsertBase.h - 14 - kMacroBtnS.h);
    s.Int("Edit_PCMarco_Width", 170);
    s.Int("Marco_Stop_Release_Lable_Wrap", 0);
    s.Int("Marco_Stop_Over_Lable_Wrap", 0);
}

// Fire macro page: the three fire macros of a gun are columns, their fields rows.
constexpr int kFireRowY[] = {246, 286, 326, 366, 406, 448};  // stop, count, Y, offset, delay, colour
constexpr int kGunModeY = 204;

int FireColumnX(int column) { return fire_page::kFirstColumnX + (column - 1) * fire_page::kColumnPitch; }
int Centre(int column, int w) { return FireColumnX(column) + (fire_page::kColumnWidth - w) / 2; }

void FirePage(Section& s, const Palette& p)
{
    using namespace fire_page;
    s.Family("Fire Macro Page");
    s.Int("Size_J", 9);
    s.Colour("Color_J", p.text);
    s.Colour("Color_J_Font", p.text);
    s.Colour("Color_J_Back", p.field);
    s.Colour("Color_J_Border", p.fieldBorder);
    s.Point("P5", kPageArea.x, kPageArea.y);
    const int gunPitch = (kGunPanel.w - 32 - kGun.w) / 6;
    for (int g = 1; g <= 7; ++g)
        s.Point(N("Fire", g), kGunPanel.x + 16 + (g - 1) * gunPitch, kGunPanel.y + (kGunPanel.h - kGun.h) / 2);
    // Gun 6 marks its two columns with modes 1 and 2, gun 7 its three with 3, 4 and 5.
    const std::array<int, 5> modeColumn = {1, 2, 1, 2, 3};
    for (int m = 1; m <= 5; ++m)
        s.Point(N("GunMode", m), Centre(modeColumn[m - 1], kGunMode.w), kGunModeY);
    for (int r = 1; r <= 3; ++r)
        s.Point(N("RKFS", r), Centre(r, kBox.w), Centred(kFireRowY[0], kBox.h));
    for (int r = 1; r <= 3; ++r)
        s.Point(N("FireCnt", r), Centre(r, kEdit.w), Centred(kFireRowY[1], kEdit.h));
    s.Comment("The horizontal pull is not offered; its edits stay out of view:");
    for (int r = 1; r <= 3; ++r)
        s.Point(N("FireX", r), 3550, 8260);
    for (int r = 1; r <= 3; ++r)
        s.Point(N("FireY", r), Centre(r, kEdit.w), Centred(kFireRowY[2], kEdit.h));
    for (int r = 1; r <= 3; ++r)
        s.Point(N("FireY", r, "_Offset"), Centre(r, kEdit.w), Centred(kFireRowY[3], kEdit.h));
    for (int r = 1; r <= 3; ++r)
        s.Point(N("FireTime", r), Centre(r, kEdit.w), Centred(kFireRowY[4], kEdit.h));
    for (int r = 1; r <= 3; ++r)
        s.Point(N("FireColor", r), Centre(r, kColF.w), Centred(kFireRowY[5], kColF.h));
    const int buttonY = kPageArea.Bottom() - 14 - kBtnS.h;
    s.Point("FireConfirm", kWindow.w - 20 - 2 * kBtnS.w - 8, buttonY);
    s.Point("FireCancel", kWindow.w - 20 - kBtnS.w, buttonY);
}

enum class Role { Title, Text, Dim };

struct Caption {
    std::string_view family;
    int x;
    int y;
    Role role;
    int width;
};

// The caption label families, in their order.
std::array<Caption, 44> Captions()
{
    using namespace advanced_page;
    const int dpiX = kDpiPanel.x + 20;
    const int rightX = kPointerLabelX;
    const int boxLabelDx = kBox.w + 8;
    const int onX = kOptionOnX + boxLabelDx;
    const int offX = kOptionOffX + boxLabelDx;
    const int modeX = light_page::kModePanel.x + 20;
    const int slowX = modeX;
    const int fastX = kSpeedSliderX + kSlider.w + 12;
    const int groupX = 16 + boxLabelDx;
    const int fireX = fire_page::kLabelColumnX;
    const int fireW = fire_page::kFirstColumnX - fireX - 16;
    return {{
        {"Fire_Key", rightX, 88, Role::Title, 420},
        {"Fire_Key_Count", rightX, 126, Role::Text, 236},
        {"Fire_Key_Time", rightX, 162, Role::Text, 236},
        {"Fire_Key_Continue", rightX + boxLabelDx, 200, Role::Text, 400},
        {"Mouse_Speed", rightX, kSpeedRowY, Role::Text, 204},
        {"Mouse_IsControl", rightX + boxLabelDx, kPrecisionRowY, Role::Text, 400},
        {"Mouse_Double_Click", rightX, kDoubleClickRowY, Role::Text, 204},
        {"Mouse_Roller_Speed", rightX, kWheelRowY, Role::Text, 204},
        {"Mouse_Roll_All_Screen", rightX + boxLabelDx, kScreenRowY, Role::Text, 400},
        {"DPI_Setting", dpiX, 88, Role::Title, 420},
        {"DPI_Value", dpiX, 126, Role::Text, 156},
        {"DPI_Note", 276, 126, Role::Dim, 204},
        {"LED_Status", kOptionOnX, SwitchTitleY(0), Role::Title, 440},
        {"LED_On", onX, SwitchRowY(0), Role::Text, 170},
        {"LED_Off", offX, SwitchRowY(0), Role::Text, 170},
        {"LCPI_Status", kOptionOnX, SwitchTitleY(3), Role::Title, 440},
        {"LCPI_On", onX, SwitchRowY(3), Role::Text, 170},
        {"LCPI_Off", offX, SwitchRowY(3), Role::Text, 170},
        {"MCPI_Status", kOptionOnX, SwitchTitleY(1), Role::Title, 440},
        {"MCPI_On", onX, SwitchRowY(1), Role::Text, 170},
        {"MCPI_Off", offX, SwitchRowY(1), Role::Text, 170},
        {"LED_Light_Status", kOptionOnX, SwitchTitleY(2), Role::Title, 440},
        {"LED_Light_All", onX, SwitchRowY(2), Role::Text, 170},
        {"LED_Light_Half", offX, SwitchRowY(2), Role::Text, 170},
        {"LED_Mode", modeX, 92, Role::Title, 420},
        {"LED_Effect_Setting", modeX, kSpeedTitleY, Role::Title, 420},
        {"LED_Effect_Slow", slowX, kSpeedRowY2, Role::Text, kSpeedSliderX - slowX - 8},
        {"LED_Effect_Fast", fastX, kSpeedRowY2, Role::Text, light_page::kModePanel.Right() - fastX - 8},
        {"Marco_List", macro_page::kListPanel.x + 16, 90, Role::Title, 240},
        {"Marco_Content", macro_page::kContentPanel.x + 16, 90, Role::Title, 330},
        {"Marco_Record_Delay", groupX, 20, Role::Text, 250},
        {"Marco_Delay_Setting", groupX, 20 + kGroupRow, Role::Text, 130},
        {"Marco_No_Delay", groupX, 20 + 2 * kGroupRow, Role::Text, 250},
        {"Marco_MS", 176 + kEdit.w + 6, 20 + kGroupRow, Role::Dim, 40},
        {"Marco_Stop_Release", groupX, 148, Role::Text, 254},
        {"Marco_Stop_Over", groupX, 148 + kGroupRow, Role::Text, 254},
        {"Marco_Circle_Times", groupX, 236, Role::Text, 130},
        {"Marco_Circle_ALL", groupX, 236 + kGroupRow, Role::Text, 250},
        {"Gun_Marco_Stop_Release", fireX, kFireRowY[0], Role::Text, fireW},
        {"Gun_Marco_Fire_Count", fireX, kFireRowY[1], Role::Text, fireW},
        {"Gun_Marco_Fire_Y", fireX, kFireRowY[2], Role::Text, fireW},
        {"Gun_Marco_Y_Offset", fireX, kFireRowY[3], Role::Text, fireW},
        {"Gun_Marco_Fire_Delay", fireX, kFireRowY[4], Role::Text, fireW},
        {"Gun_Marco_Fire_Color", fireX, kFireRowY[5], Role::Text, fireW},
    }};
}

void CaptionLabels(Section& s, const Palette& p)
{
    s.Family("Caption labels");
    for (const Caption& c : Captions()) {
        const std::string stem = std::string(c.family) + "_Lable";
        s.Point(stem, c.x, c.y);
        s.Colour(stem, c.role == Role::Title ? p.title : c.role == Role::Dim ? p.dim : p.text);
        s.Int(stem + "_Size", c.role == Role::Title ? 11 : 9);
        s.Int(stem + "_Width", c.width);
    }
}

void OptionLabels(Section& s, const Palette& p)
{
    s.Family("Shared option labels");
    s.Colour("LED_Mode_Option_Lable", p.text);
    s.Int("LED_Mode_Option_Lable_Size", 9);
    const int modeLabelX = light_page::kModePanel.x + 20 + kBox.w + 8;
    for (int n = 1; n <= 7; ++n) {
        const std::string stem = N("LED_Mode_", n, "_Lable");
        s.Point(stem, modeLabelX, kModeRowY + (n - 1) * kModePitch);
        s.Int(stem + "_Width", 300);
    }
    // The step pictures are always put out of view (the speed slider sets the step), so
    // their labels go with them.
    s.Colour("LED_Step_Option_Lable", p.dim);
    s.Int("LED_Step_Option_Lable_Size", 9);
    for (int n = 1; n <= 8; ++n) {
        const std::string stem = N("LED_Step_", n, "_Lable");
        s.Point(stem, kHidden, kHidden);
        s.Int(stem + "_Width", 20);
    }
    s.Colour("DPI_Lable", p.text);
    s.Int("DPI_Lable_Size", 9);
    s.Int("DPI_Lable_Width", kDpiSliderX - kDpiNameX - 6);
}

void Dialogs(Section& s, const Palette& p)
{
    const int closeX = kMsg.w - 14 - kExitS.w;
    const int buttonsX = (kMsg.w - 2 * kBtnS.w - 24) / 2;
    s.Family("Assembly Keys Page");
    s.Int("Size_K", 9);
    s.Colour("Color_K", p.buttonText);
    s.Colour("Color_K_AK", p.dialogInput);
    s.Point("AKT", 24, 16);
    s.Point("AKC", 70, 62);
    s.Int("AKC_W", 300);
    const int boxY = 118;
    const int boxPitch = 76;
    s.Point("MK_A", 70 + 2 * boxPitch, boxY);
    s.Point("MK_C", 70, boxY);
    s.Point("MK_S", 70 + boxPitch, boxY);
    s.Point("MK_W", 70 + 3 * boxPitch, boxY);
    s.Point("AK_Cfm", buttonsX, 178);
    s.Point("AK_Clear", buttonsX + kBtnS.w + 24, 178);
    s.Point("AK_Close", closeX, 14);

    s.Family("New Macro Name Page / Edit Macro Content Page / Edit Macro Delay Time Page");
    s.Int("Size_L", 9);
    s.Colour("Color_L", p.buttonText);
    s.Colour("Color_L_MN", p.dialogInput);
    s.Point("MNT", 24, 16);
    s.Point("MNC", 70, 90);
    s.Int("MNC_W", 300);
    s.Point("MN_Cfm", buttonsX, 172);
    s.Point("MN_Clear", buttonsX + kBtnS.w + 24, 172);
    s.Point("MN_Close", closeX, 14);

    s.Family("Normal LED Color Control Page (not read)");
    s.Int("Size_M", 9);
    s.Colour("Color_M", p.text);
    for (const char* stem : {"NorLED_Tte", "NorLED_Col", "NorLED_Cfm", "NorLED_Clear", "NorLED_Close"})
        s.Point(stem, kHidden, kHidden);

    s.Comment("The general section's value is the one used:");
    s.Int("Main_Pnl_Height_WithNo_Gun", 165);
}

std::string MakeSection(int index)
{
    const Palette& p = kPalettes[index - 1];
    Section s(index);
    TopBar(s, p);
    PageButtons(s, p);
    KeyPage(s, p);
    KeyMenu(s, p);
    AdvancedPage(s, p);
    LightPage(s, p);
    MacroPage(s, p);
    FirePage(s, p);
    CaptionLabels(s, p);
    OptionLabels(s, p);
    Dialogs(s, p);
    return s.Text();
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::cerr << "usage: make_skin_layout OUTPUT_DIR\n";
        return 2;
    }
    for (int index = 1; index <= 3; ++index) {
        const std::string path = std::string(argv[1]) + "/org" + std::to_string(index) + ".ini";
        std::ofstream out(path, std::ios::binary);
        out << MakeSection(index);
        if (!out) {
            std::cerr << "cannot write " << path << "\n";
            return 1;
        }
    }
    return 0;
}
