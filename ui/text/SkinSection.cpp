#include "ui/text/SkinSection.h"

#include <cstddef>
#include <utility>

namespace qeltra3k::text {

namespace {

// What a value is for decides its last-resort default (no usable skin 1 value) and the
// range it must keep.
enum class Kind {
    Flag,        // _Enable, _Visible, _Wrap: 1 is on
    Coordinate,  // _X, _Y
    FontSize,    // Size_*, _Lable_Size: must be at least 1
    Length,      // widths, heights, spacings
    Component,   // colour part, 0 ... 255
};

// A coordinate beyond any window, the layout's own way of hiding a control.
constexpr int kOutOfView = 9000;
constexpr int kDefaultFontSize = 9;

int LastResort(Kind kind)
{
    switch (kind) {
    case Kind::Coordinate:
        return kOutOfView;
    case Kind::FontSize:
        return kDefaultFontSize;
    case Kind::Flag:
    case Kind::Length:
    case Kind::Component:
        break;
    }
    return 0;
}

// Why a read value cannot be used as it stands; empty when it can.
std::string Unusable(Kind kind, int value)
{
    if (kind == Kind::FontSize && value < 1)
        return "is not a usable font size";
    if (kind == Kind::Component && (value < 0 || value > 255))
        return "is not a colour part (0 ... 255)";
    return {};
}

class Reader {
public:
    Reader(const IniFile& layout, std::string section, const IniFile* fallback,
           std::vector<std::string>& warnings)
        : layout_(layout), section_(std::move(section)), fallback_(fallback), warnings_(warnings)
    {
    }

    // Reading the fallback itself: nothing is reported per key.
    void Quiet() { quiet_ = true; }

    int Int(const std::string& key, Kind kind)
    {
        const IntReading reading = layout_.ReadInt(section_, key);
        std::string problem;
        if (reading.status == IntStatus::Missing) {
            problem = "is missing";
        } else if (reading.status == IntStatus::NotANumber) {
            problem = "=\"" + *layout_.Find(section_, key) + "\" is not a decimal number";
        } else {
            problem = Unusable(kind, reading.value);
            if (problem.empty())
                return reading.value;
            problem = "=" + std::to_string(reading.value) + " " + problem;
        }

        const auto [value, source] = Fallback(key, kind);
        if (!quiet_) {
            warnings_.push_back("layout [" + section_ + "]: " + key + " " + problem + "; using " +
                                std::to_string(value) + source);
        }
        return value;
    }

    bool Flag(const std::string& key) { return Int(key, Kind::Flag) == 1; }
    int Size(const std::string& key) { return Int(key, Kind::FontSize); }
    int Length(const std::string& key) { return Int(key, Kind::Length); }

    SkinPoint Point(const std::string& stem)
    {
        SkinPoint point;
        point.x = Int(stem + "_X", Kind::Coordinate);
        point.y = Int(stem + "_Y", Kind::Coordinate);
        return point;
    }

    SkinColour Colour(const std::string& stem)
    {
        SkinColour colour;
        colour.r = Int(stem + "_R", Kind::Component);
        colour.g = Int(stem + "_G", Kind::Component);
        colour.b = Int(stem + "_B", Kind::Component);
        return colour;
    }

    // The enable rule: the position keys of a hidden control are not read at all.
    SkinSwitched Switched(const std::string& stem)
    {
        SkinSwitched control;
        control.enabled = Flag(stem + "_Enable");
        if (control.enabled)
            control.position = Point(stem);
        return control;
    }

private:
    struct Substitute {
        int value;
        std::string source;
    };

    Substitute Fallback(const std::string& key, Kind kind) const
    {
        if (fallback_ != nullptr) {
            const std::string shipped = SkinSectionName(1);
            const IntReading reading = fallback_->ReadInt(shipped, key);
            if (reading.Ok() && Unusable(kind, reading.value).empty())
                return {reading.value, " from [" + shipped + "]"};
        }
        return {LastResort(kind), ""};
    }

    const IniFile& layout_;
    std::string section_;
    const IniFile* fallback_;
    std::vector<std::string>& warnings_;
    bool quiet_ = false;
};

std::string Numbered(std::string_view prefix, std::size_t n, std::string_view suffix = {})
{
    return std::string(prefix) + std::to_string(n) + std::string(suffix);
}

SkinTopBar ReadTopBar(Reader& r)
{
    SkinTopBar bar;
    bar.Size_A = r.Size("Size_A");
    bar.Color_A = r.Colour("Color_A");
    for (std::size_t n = 1; n <= bar.Btn_A.size(); ++n)
        bar.Btn_A[n - 1] = r.Switched(Numbered("Btn_A", n));
    return bar;
}

SkinPageButtons ReadPageButtons(Reader& r)
{
    SkinPageButtons buttons;
    buttons.Size_B = r.Size("Size_B");
    buttons.Color_B = r.Colour("Color_B");
    buttons.Btn_Space_F = r.Length("Btn_Space_F");
    buttons.Btn_Space_B = r.Length("Btn_Space_B");
    for (std::size_t n = 1; n <= buttons.Btn_B.size(); ++n) {
        if (!kPageButtonNames[n - 1].empty())
            buttons.Btn_B[n - 1] = r.Switched(Numbered("Btn_B", n));
    }
    return buttons;
}

SkinKeyPage ReadKeyPage(Reader& r)
{
    SkinKeyPage page;
    page.Size_C = r.Size("Size_C");
    page.Color_C = r.Colour("Color_C");
    page.P1 = r.Point("P1");
    for (std::size_t n = 1; n <= page.Key.size(); ++n)
        page.Key[n - 1] = r.Switched(Numbered("Key", n));
    page.Key_Width = r.Length("Key_Width");
    for (std::size_t n = 1; n <= page.ComboKey.size(); ++n)
        page.ComboKey[n - 1] = r.Switched(Numbered("ComboKey", n));
    page.ComboKey_D = r.Int("ComboKey_D", Kind::Length);
    page.ComboKey_H = r.Int("ComboKey_H", Kind::Length);
    page.Combox_Width = r.Length("Combox_Width");
    page.ComboKeyColour = r.Colour("ComboKey");
    return page;
}

SkinKeyMenu ReadKeyMenu(Reader& r)
{
    SkinKeyMenu menu;
    menu.Size_G = r.Size("Size_G");
    menu.Color_G = r.Colour("Color_G");
    menu.Color_G_Back = r.Colour("Color_G_Back");
    menu.Color_G_Border = r.Colour("Color_G_Border");
    menu.Color_G_SF = r.Colour("Color_G_SF");
    menu.Color_G_SP = r.Colour("Color_G_SP");
    menu.M_L_W = r.Length("M_L_W");
    menu.SP_L_W = r.Length("SP_L_W");
    menu.O_L_W = r.Length("O_L_W");
    return menu;
}

SkinAdvancedPage ReadAdvancedPage(Reader& r)
{
    SkinAdvancedPage page;
    page.Size_D = r.Size("Size_D");
    page.Color_D_Selected = r.Colour("Color_D_Selected");
    page.Color_D_notSelected = r.Colour("Color_D_notSelected");
    page.Color_D_Back = r.Colour("Color_D_Back");
    page.Color_D_Border = r.Colour("Color_D_Border");
    page.P2 = r.Point("P2");
    page.FKCnt = r.Point("FKCnt");
    page.FKDelay = r.Point("FKDelay");
    page.IsFireContinue = r.Point("IsFireContinue");
    page.Spd = r.Point("Spd");
    page.DbSpd = r.Point("DbSpd");
    page.ScrSpd = r.Point("ScrSpd");
    page.Spd_D = r.Length("Spd_D");
    page.IsControl = r.Point("IsControl");
    page.IsScreen = r.Point("IsScreen");
    for (std::size_t n = 1; n <= page.DPI.size(); ++n) {
        SkinDpiLevel& level = page.DPI[n - 1];
        level.Color = r.Point(Numbered("DPI", n, "_Color"));
        level.Check = r.Point(Numbered("DPI", n, "_Check"));
        level.Name = r.Point(Numbered("DPI", n));
        level.Value = r.Point(Numbered("DPI", n, "_Value"));
        level.Steps = r.Point(Numbered("DPI", n, "_Steps"));
    }
    page.AIMKey = r.Point("AIMKey");
    page.AIMKey_Value = r.Point("AIMKey_Value");
    page.AIMKey_Steps = r.Point("AIMKey_Steps");
    page.DPI_Count = r.Point("DPI_Count");
    page.DPI_Count_Visible = r.Flag("DPI_Count_Visible");
    page.Color_BG_Slider = r.Colour("Color_BG_Slider");
    return page;
}

SkinLightPage ReadLightPage(Reader& r)
{
    SkinLightPage page;
    page.Size_E = r.Size("Size_E");
    page.Color_E = r.Colour("Color_E");
    page.P3 = r.Point("P3");
    page.LEDOn = r.Point("LEDOn");
    page.LEDOff = r.Point("LEDOff");
    page.B4CPIOn = r.Point("B4CPIOn");
    page.B4CPIOff = r.Point("B4CPIOff");
    page.LEDSwitchOn = r.Point("LEDSwitchOn");
    page.LEDSwitchOff = r.Point("LEDSwitchOff");
    page.SaveKeyMode = r.Point("SaveKeyMode");
    page.NoSaveKeyMode = r.Point("NoSaveKeyMode");
    page.LED3Control = r.Point("LED3Control");
    page.LED6Control = r.Point("LED6Control");
    for (std::size_t n = 1; n <= page.MCULEDMode.size(); ++n)
        page.MCULEDMode[n - 1] = r.Point(Numbered("MCULEDMode", n));
    for (std::size_t n = 1; n <= page.RBLEDMode.size(); ++n)
        page.RBLEDMode[n - 1] = r.Point(Numbered("RBLEDMode", n));
    page.MCULEDNum = r.Point("MCULEDNum");
    page.MCULEDNum_D = r.Length("MCULEDNum_D");
    page.MCULEDStep = r.Point("MCULEDStep");
    return page;
}

SkinMacroPage ReadMacroPage(Reader& r)
{
    SkinMacroPage page;
    page.Size_F = r.Size("Size_F");
    page.Color_F = r.Colour("Color_F");
    page.Color_F_LBack = r.Colour("Color_F_LBack");
    page.Color_F_LBorder = r.Colour("Color_F_LBorder");
    page.Color_F_Font = r.Colour("Color_F_Font");
    page.Color_F_Back = r.Colour("Color_F_Back");
    page.Color_MACRO = r.Colour("Color_MACRO");
    page.P4 = r.Point("P4");
    page.PCMacroName = r.Point("PCMacroName");
    page.PCMacroName_H = r.Length("PCMacroName_H");
    page.PCMacroName_W = r.Length("PCMacroName_W");
    page.MacroNameHeight = r.Length("MacroNameHeight");
    page.MacroContent = r.Point("MacroContent");
    page.MacroContent_W = r.Length("MacroContent_W");
    page.MacroContent_H = r.Length("MacroContent_H");
    page.BtnNew = r.Point("BtnNew");
    page.BtnStart = r.Point("BtnStart");
    page.BtnDelete = r.Point("BtnDelete");
    page.DelayTime = r.Point("DelayTime");
    page.RecDelay = r.Point("RecDelay");
    page.RecDelay_H = r.Length("RecDelay_H");
    page.DelaySetting = r.Point("DelaySetting");
    page.NoDelay = r.Point("NoDelay");
    page.DelayEdit = r.Point("DelayEdit");
    page.CircleEdit = r.Point("CircleEdit");
    page.ReleaseStop = r.Point("ReleaseStop");
    page.ReleaseContinue = r.Point("ReleaseContinue");
    page.CircleTimes = r.Point("CircleTimes");
    page.CircleAll = r.Point("CircleAll");
    page.Insert = r.Point("Insert");
    page.InsertList = r.Point("InsertList");
    page.InsertRecDelay = r.Point("InsertRecDelay");
    page.InsertRecDelay_H = r.Length("InsertRecDelay_H");
    page.InsertDelayEdit = r.Point("InsertDelayEdit");
    page.InsertAxisEdit = r.Point("InsertAxisEdit");
    page.InsertBtnStart = r.Point("InsertBtnStart");
    page.InsertBtnOK = r.Point("InsertBtnOK");
    page.InsertBtnCancel = r.Point("InsertBtnCancel");
    page.Edit_PCMarco_Width = r.Length("Edit_PCMarco_Width");
    page.Marco_Stop_Release_Lable_Wrap = r.Flag("Marco_Stop_Release_Lable_Wrap");
    page.Marco_Stop_Over_Lable_Wrap = r.Flag("Marco_Stop_Over_Lable_Wrap");
    return page;
}

SkinFirePage ReadFirePage(Reader& r)
{
    SkinFirePage page;
    page.Size_J = r.Size("Size_J");
    page.Color_J = r.Colour("Color_J");
    page.Color_J_Font = r.Colour("Color_J_Font");
    page.Color_J_Back = r.Colour("Color_J_Back");
    page.Color_J_Border = r.Colour("Color_J_Border");
    page.P5 = r.Point("P5");
    for (std::size_t g = 1; g <= page.Fire.size(); ++g)
        page.Fire[g - 1] = r.Point(Numbered("Fire", g));
    for (std::size_t m = 1; m <= page.GunMode.size(); ++m)
        page.GunMode[m - 1] = r.Point(Numbered("GunMode", m));
    for (std::size_t n = 1; n <= page.Row.size(); ++n) {
        SkinFireRow& row = page.Row[n - 1];
        row.RKFS = r.Point(Numbered("RKFS", n));
        row.FireCnt = r.Point(Numbered("FireCnt", n));
        row.FireX = r.Point(Numbered("FireX", n));
        row.FireY = r.Point(Numbered("FireY", n));
        row.FireY_Offset = r.Point(Numbered("FireY", n, "_Offset"));
        row.FireTime = r.Point(Numbered("FireTime", n));
        row.FireColor = r.Point(Numbered("FireColor", n));
    }
    page.FireConfirm = r.Point("FireConfirm");
    page.FireCancel = r.Point("FireCancel");
    return page;
}

SkinCaptionLabel ReadCaptionLabel(Reader& r, std::string_view family)
{
    const std::string stem = std::string(family) + "_Lable";
    SkinCaptionLabel label;
    label.position = r.Point(stem);
    label.colour = r.Colour(stem);
    label.size = r.Size(stem + "_Size");
    label.width = r.Length(stem + "_Width");
    return label;
}

template <std::size_t N>
void ReadSlots(Reader& r, std::string_view prefix, std::array<SkinOptionSlot, N>& slots)
{
    for (std::size_t n = 1; n <= N; ++n) {
        const std::string stem = Numbered(prefix, n, "_Lable");
        slots[n - 1].position = r.Point(stem);
        slots[n - 1].width = r.Length(stem + "_Width");
    }
}

SkinOptionLabels ReadOptionLabels(Reader& r)
{
    SkinOptionLabels labels;
    labels.LED_Mode_Colour = r.Colour("LED_Mode_Option_Lable");
    labels.LED_Mode_Size = r.Size("LED_Mode_Option_Lable_Size");
    ReadSlots(r, "LED_Mode_", labels.LED_Mode);
    labels.LED_Step_Colour = r.Colour("LED_Step_Option_Lable");
    labels.LED_Step_Size = r.Size("LED_Step_Option_Lable_Size");
    ReadSlots(r, "LED_Step_", labels.LED_Step);
    labels.DPI_Colour = r.Colour("DPI_Lable");
    labels.DPI_Size = r.Size("DPI_Lable_Size");
    labels.DPI_Width = r.Length("DPI_Lable_Width");
    return labels;
}

SkinAssemblyDialog ReadAssemblyDialog(Reader& r)
{
    SkinAssemblyDialog dialog;
    dialog.Size_K = r.Size("Size_K");
    dialog.Color_K = r.Colour("Color_K");
    dialog.Color_K_AK = r.Colour("Color_K_AK");
    dialog.AKT = r.Point("AKT");
    dialog.AKC = r.Point("AKC");
    dialog.AKC_W = r.Length("AKC_W");
    dialog.MK_A = r.Point("MK_A");
    dialog.MK_C = r.Point("MK_C");
    dialog.MK_S = r.Point("MK_S");
    dialog.MK_W = r.Point("MK_W");
    dialog.AK_Cfm = r.Point("AK_Cfm");
    dialog.AK_Clear = r.Point("AK_Clear");
    dialog.AK_Close = r.Point("AK_Close");
    return dialog;
}

SkinNameDialog ReadNameDialog(Reader& r)
{
    SkinNameDialog dialog;
    dialog.Size_L = r.Size("Size_L");
    dialog.Color_L = r.Colour("Color_L");
    dialog.Color_L_MN = r.Colour("Color_L_MN");
    dialog.MNT = r.Point("MNT");
    dialog.MNC = r.Point("MNC");
    dialog.MNC_W = r.Length("MNC_W");
    dialog.MN_Cfm = r.Point("MN_Cfm");
    dialog.MN_Clear = r.Point("MN_Clear");
    dialog.MN_Close = r.Point("MN_Close");
    return dialog;
}

// The families in the order the window applies them.
SkinSection ReadFamilies(Reader& r, int index)
{
    SkinSection skin;
    skin.index = index;
    skin.topBar = ReadTopBar(r);
    skin.pageButtons = ReadPageButtons(r);
    skin.keyPage = ReadKeyPage(r);
    skin.keyMenu = ReadKeyMenu(r);
    skin.advancedPage = ReadAdvancedPage(r);
    skin.lightPage = ReadLightPage(r);
    skin.macroPage = ReadMacroPage(r);
    skin.firePage = ReadFirePage(r);
    for (std::size_t i = 0; i < kCaptionFamilies.size(); ++i)
        skin.captionLabels[i] = ReadCaptionLabel(r, kCaptionFamilies[i].family);
    skin.optionLabels = ReadOptionLabels(r);
    skin.assemblyDialog = ReadAssemblyDialog(r);
    skin.nameDialog = ReadNameDialog(r);
    return skin;
}

}  // namespace

std::string SkinSectionName(int index)
{
    return "org" + std::to_string(index);
}

SkinSectionReading ReadSkinSection(const IniFile& layout, int index, const IniFile* fallback)
{
    SkinSectionReading result;
    const std::string section = SkinSectionName(index);
    const std::string shipped = SkinSectionName(1);

    if (layout.HasSection(section)) {
        Reader reader(layout, section, fallback, result.warnings);
        result.skin = ReadFamilies(reader, index);
        return result;
    }

    // A whole section missing would give a warning for every key; one says it all.
    const bool canFallBack = fallback != nullptr && fallback->HasSection(shipped);
    result.warnings.push_back("layout [" + section + "]: section is missing; using " +
                              (canFallBack ? "[" + shipped + "]" : "safe defaults"));
    if (canFallBack) {
        Reader reader(*fallback, shipped, nullptr, result.warnings);
        reader.Quiet();
        result.skin = ReadFamilies(reader, index);
    } else {
        const IniFile empty;
        Reader reader(empty, section, nullptr, result.warnings);
        reader.Quiet();
        result.skin = ReadFamilies(reader, index);
    }
    return result;
}

SkinSectionReading LoadSkinSection(int index)
{
    std::vector<std::string> early;
    if (index < 1 || index > kSkinCount) {
        early.push_back("skin " + std::to_string(index) + " does not exist; using skin 1");
        index = 1;
    }
    const std::optional<IniFile> shipped = IniFile::FromResource(SkinSectionName(1));
    const std::optional<IniFile> layout =
        index == 1 ? shipped : IniFile::FromResource(SkinSectionName(index));

    SkinSectionReading result =
        ReadSkinSection(layout ? *layout : IniFile{}, index, shipped ? &*shipped : nullptr);
    result.warnings.insert(result.warnings.begin(), early.begin(), early.end());
    return result;
}

}  // namespace qeltra3k::text
