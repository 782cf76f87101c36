// Page previews of every skin in every language, painted as the window will show them,
// with a list of texts that do not fit and controls that overlap.
#include "Preview.h"

#include <QDir>
#include <QFile>
#include <QFontMetrics>

#include <array>
#include <functional>
#include <iostream>
#include <optional>
#include <string>

#include "ArtCommon.h"
#include "PreviewScene.h"
#include "make_skin_layout.h"
#include "ui/text/GeneralOptions.h"
#include "ui/text/IniFile.h"
#include "ui/text/LanguageTable.h"

namespace skin_art {

namespace {

using namespace skin_design;
using qeltra3k::text::GeneralOptions;
using qeltra3k::text::LanguageTable;
using qeltra3k::text::SkinSection;

// Captions the window definition gives: button labels and texts without a layout key.
constexpr int kKeyLabelSize = 10;
constexpr int kMenuEntryHeight = 25;

struct Context {
    const SkinSection& skin;
    const GeneralOptions& general;
    const LanguageTable& table;
    int language;
    QString picturesDir;
};

QColor C(const qeltra3k::text::SkinColour& colour)
{
    return ToQColor(colour);
}

QString P(int skin, const char* name)
{
    return QString("L%1_%2").arg(skin).arg(name);
}

const qeltra3k::text::SkinCaptionLabel& Caption(const SkinSection& skin, std::string_view family)
{
    for (std::size_t i = 0; i < qeltra3k::text::kCaptionFamilies.size(); ++i) {
        if (qeltra3k::text::kCaptionFamilies[i].family == family)
            return skin.captionLabels[i];
    }
    return skin.captionLabels[0];
}

void CaptionLabel(PreviewScene& s, const SkinSection& skin, std::string_view family, const char* textKey)
{
    const auto& c = Caption(skin, family);
    s.Label(QString::fromUtf8(family.data(), static_cast<int>(family.size())), s.Text(textKey), c.position.x,
            c.position.y, c.width, c.size, C(c.colour));
}

void Ground(PreviewScene& s, const Context& c, const char* page, qeltra3k::text::SkinPoint at)
{
    s.Scenery(P(c.skin.index, "BackGround"), 0, 0);
    s.Scenery(P(c.skin.index, page), at.x, at.y);
}

// The top and foot bars of pages 1 to 4; `currentTab` is the B number of the page.
void Bars(PreviewScene& s, const Context& c, int currentTab)
{
    const auto& top = c.skin.topBar;
    static const std::array<const char*, 8> kActionText = {"Str000", "Str001", "Str002", "", "Str015", "Str016", "", "Str017"};
    for (std::size_t i = 0; i < top.Btn_A.size(); ++i) {
        const auto& b = top.Btn_A[i];
        if (!b.enabled)
            continue;
        const QString name = QString("Btn_%1_1").arg(QString::fromUtf8(qeltra3k::text::kActionButtonNames[i].data()));
        if (i == 3 || i == 6) {
            s.Picture(i == 3 ? "ExitS_01" : "MiniS_01", b.position->x, b.position->y, name);
            continue;
        }
        s.LabelOverPicture("BtnS_01", name, s.Text(kActionText[i]), b.position->x, b.position->y, top.Size_A, C(top.Color_A));
    }
    const auto& pb = c.skin.pageButtons;
    static const std::array<const char*, 11> kPageText = {"Str004", "Str005", "", "Str007", "Str008", "Str009",
                                                          "Str010", "Str011", "Str012", "Str013", "Str014"};
    for (std::size_t i = 0; i < pb.Btn_B.size(); ++i) {
        const auto& b = pb.Btn_B[i];
        if (!b.enabled)
            continue;
        const int number = static_cast<int>(i) + 1;
        const QString name = QString("Btn_%1_1").arg(QString::fromUtf8(qeltra3k::text::kPageButtonNames[i].data()));
        QString picture;
        int size = pb.Size_B;
        QColor colour = C(pb.Color_B);
        if (number == 6 || number == 7) {
            picture = "BtnS_01";
            size = top.Size_A;
            colour = C(top.Color_A);
        } else if (number >= 8 && number <= 10) {
            picture = number - 7 == c.language ? "Lang_03" : "Lang_01";
        } else {
            picture = number == currentTab ? "SetS_03" : "SetS_01";
        }
        s.LabelOverPicture(picture, name, s.Text(kPageText[i]), b.position->x, b.position->y, size, colour,
                           pb.Btn_Space_F, pb.Btn_Space_B);
    }
    s.Picture("WebS_01", c.general.Web_X, c.general.Web_Y, "Btn_Web_1");
}

// Names a button label can show; the longest must fit Key_Width.
const std::array<const char*, 34> kFunctionKeys = {
    "Str210", "Str211", "Str212", "Str213", "Str214", "Str220", "Str221", "Str222", "Str223", "Str224", "Str225", "Str226",
    "Str230", "Str231", "Str232", "Str233", "Str240", "Str241", "Str242", "Str243", "Str250", "Str251", "Str252", "Str253",
    "Str254", "Str255", "Str256", "Str260", "Str261", "Str262", "Str263", "Str264", "Str265", "Str266"};

void KeyPage(PreviewScene& s, const Context& c, bool withMenu)
{
    const auto& k = c.skin.keyPage;
    Ground(s, c, "Back1", k.P1);
    Bars(s, c, 1);
    // The default assignment: left, middle, right, back, forward, DPI loop, +, -, fire key.
    static const std::array<const char*, 9> kDefaults = {"Str210", "Str212", "Str211", "Str213", "Str214",
                                                         "Str231", "Str232", "Str233", "Str220"};
    for (std::size_t n = 0; n < k.Key.size(); ++n) {
        if (!k.Key[n].enabled)
            continue;
        s.LabelOverPicture(n == 0 && withMenu ? "KeyS_02" : "KeyS_01", QString("Key%1").arg(n + 1), s.Text(kDefaults[n]),
                           k.Key[n].position->x, k.Key[n].position->y, kKeyLabelSize, C(c.skin.keyMenu.Color_G), 8, 8);
    }
    for (int n = 1; n <= 2; ++n) {
        const auto& hint = k.ComboKey[n - 1];
        if (!hint.enabled)
            continue;
        s.Picture(n == 1 ? "CbS_E" : "CbS_D", hint.position->x, hint.position->y, QString("IB_ComboKey%1").arg(n));
        s.Label(QString("IB_ComboKey%1").arg(n), s.Text(n == 1 ? "Str700" : "Str701"), hint.position->x + k.ComboKey_D,
                hint.position->y + k.ComboKey_H, k.Combox_Width, k.Size_C, C(k.ComboKeyColour), Qt::AlignLeft,
                QString("IB_ComboKey%1").arg(n));
    }
    // Every function name a label can show must fit it, padding included.
    const QString fontName = QString::fromStdString(c.table.Text("FontName"));
    QFont font(fontName);
    font.setPixelSize(kKeyLabelSize * 96 / 72 + 1);
    for (const char* key : kFunctionKeys) {
        const int needed = QFontMetrics(font).horizontalAdvance(s.Text(key));
        if (needed > k.Key_Width - 16)
            std::cout << "key labels: \"" << s.Text(key).toStdString() << "\" needs " << needed << " px\n";
    }
    if (!withMenu)
        return;

    // The key menu beside Key1, its special-keys submenu and the media submenu, a layer
    // over the page.
    s.NewLayer();
    const auto& menu = c.skin.keyMenu;
    const auto entry = [&](const char* key) { return " " + s.Text("Str200") + " " + s.Text(key); };
    struct Panel {
        QString name;
        std::vector<const char*> keys;
        int width;
        int height;
        bool arrows;
    };
    const Panel panels[] = {
        {"Pnl_Main", {"Str201", "Str202", "Str203", "Str204", "Str207", "Str205", "Str206", "Str208"}, menu.M_L_W,
         c.general.Main_Pnl_Height_WithNo_Gun, true},
        {"Pnl_Special", {"Str230", "Str220", "Str222", "Str226", "Str221"}, menu.SP_L_W, 5 * kMenuEntryHeight + 2, false},
        {"Pnl_Media", {"Str250", "Str251", "Str252", "Str253", "Str254", "Str255", "Str256"}, menu.O_L_W,
         7 * kMenuEntryHeight + 2, false},
    };
    int x = k.Key[0].position->x + k.Key_Width + 6;
    int y = k.Key[0].position->y;
    for (const Panel& panel : panels) {
        s.Backdrop(QRect(x, y, panel.width, panel.height), C(menu.Color_G_Back), C(menu.Color_G_Border));
        for (std::size_t i = 0; i < panel.keys.size() && static_cast<int>(i + 1) * kMenuEntryHeight <= panel.height; ++i) {
            const bool hovered = i == 1;
            const int top = y + 1 + static_cast<int>(i) * kMenuEntryHeight;
            if (hovered)
                s.Painter().fillRect(QRect(x + 2, top, panel.width - 4, kMenuEntryHeight), C(menu.Color_G_SP));
            // Entries with a submenu leave room for the arrow at width - 24.
            const int textWidth = panel.width - 4 - (panel.arrows || i == 0 ? 24 : 0);
            s.Label(panel.name + QString("[%1]").arg(i), entry(panel.keys[i]), x + 2, top + (kMenuEntryHeight - 20) / 2,
                    textWidth, menu.Size_G, hovered ? C(menu.Color_G_SF) : C(menu.Color_G), Qt::AlignLeft, panel.name);
        }
        x += panel.width;
        y += kMenuEntryHeight;
    }
}

// One DPI level row, value index `value`.
void DpiLevel(PreviewScene& s, const Context& c, int n, int value, bool shown, bool selected)
{
    const auto& a = c.skin.advancedPage;
    const auto& level = a.DPI[n - 1];
    const auto& o = c.skin.optionLabels;
    s.Picture(selected ? "RdS_E" : "RdS_D", level.Check.x, level.Check.y);
    s.Label(QString("lbl_DPI%1").arg(n), s.Text(QString("Str%1").arg(848 + n).toUtf8().constData()), level.Name.x,
            level.Name.y, o.DPI_Width, o.DPI_Size, shown ? C(a.Color_D_Selected) : C(a.Color_D_notSelected));
    if (!shown)
        return;
    s.Slider(QString("slider_DPI%1").arg(n), level.Steps.x, level.Steps.y, value, c.general.DPI_Count, C(a.Color_BG_Slider));
    s.Label(QString("lbl_DPI%1Value").arg(n), s.Text(QString("Str%1").arg(300 + value).toUtf8().constData()), level.Value.x,
            level.Value.y, kDpiValueWidth, a.Size_D, C(a.Color_D_notSelected));
    static const std::array<QColor, 7> kColours = {QColor(255, 40, 40), QColor(40, 220, 60), QColor(40, 110, 255),
                                                   QColor(255, 220, 0), QColor(220, 40, 255), QColor(0, 220, 230),
                                                   QColor(255, 255, 255)};
    s.ColourSwatch(QString("cs_DPI%1Col").arg(n), level.Color.x, level.Color.y, kColours[n - 1]);
}

void Ticks(PreviewScene& s, const Context& c, const QString& slider, qeltra3k::text::SkinPoint at)
{
    const auto& a = c.skin.advancedPage;
    for (int i = 1; i <= 11; ++i) {
        s.Label(QString("%1 tick %2").arg(slider).arg(i), QString::number(i), at.x + (i - 1) * a.Spd_D + 4, at.y + 26,
                kTickWidth, a.Size_D, C(a.Color_D_notSelected), Qt::AlignLeft, slider + " ticks");
    }
}

void AdvancedPage(PreviewScene& s, const Context& c)
{
    const auto& a = c.skin.advancedPage;
    Ground(s, c, "Back2", a.P2);
    Bars(s, c, 4);
    CaptionLabel(s, c.skin, "DPI_Setting", "Str809");
    CaptionLabel(s, c.skin, "DPI_Value", "Str810");
    CaptionLabel(s, c.skin, "DPI_Note", "Str811");
    if (a.DPI_Count_Visible)
        s.Edit("cbb_DPICount", a.DPI_Count.x, a.DPI_Count.y, kCombo.w, kCombo.h, "5  v", a.Size_D, C(a.Color_D_notSelected),
               C(a.Color_D_Back), C(a.Color_D_Border));
    const std::array<int, 7> values = {1, 3, 4, 7, 10, 5, 0};
    for (int n = 1; n <= 7; ++n)
        DpiLevel(s, c, n, values[n - 1], n <= 5, n == 2);
    s.Label("lbl_AIMKey", s.Text("Str222"), a.AIMKey.x, a.AIMKey.y, kDpiValueWidth + 20, a.Size_D, C(a.Color_D_Selected));
    s.Slider("slider_DPI8", a.AIMKey_Steps.x, a.AIMKey_Steps.y, 2, c.general.DPI_Count, C(a.Color_BG_Slider));
    s.Label("lbl_AIMKeyValue", s.Text("Str302"), a.AIMKey_Value.x, a.AIMKey_Value.y, kDpiValueWidth, a.Size_D,
            C(a.Color_D_notSelected));

    CaptionLabel(s, c.skin, "Fire_Key", "Str800");
    CaptionLabel(s, c.skin, "Fire_Key_Count", "Str801");
    CaptionLabel(s, c.skin, "Fire_Key_Time", "Str802");
    CaptionLabel(s, c.skin, "Fire_Key_Continue", "Str803");
    s.Edit("Edt_Repeat1", a.FKCnt.x, a.FKCnt.y, kEdit.w, kEdit.h, "3", a.Size_D, C(a.Color_D_notSelected),
           C(a.Color_D_Back), C(a.Color_D_Border));
    s.Edit("Edt_DelayTime1", a.FKDelay.x, a.FKDelay.y, kEdit.w, kEdit.h, "6", a.Size_D, C(a.Color_D_notSelected),
           C(a.Color_D_Back), C(a.Color_D_Border));
    s.Picture("CbS_E", a.IsFireContinue.x, a.IsFireContinue.y);

    CaptionLabel(s, c.skin, "Mouse_Speed", "Str804");
    CaptionLabel(s, c.skin, "Mouse_IsControl", "Str805");
    CaptionLabel(s, c.skin, "Mouse_Double_Click", "Str806");
    CaptionLabel(s, c.skin, "Mouse_Roller_Speed", "Str807");
    CaptionLabel(s, c.skin, "Mouse_Roll_All_Screen", "Str808");
    s.Slider("slider_Spd", a.Spd.x, a.Spd.y, 9, 11, C(a.Color_BG_Slider));
    s.Slider("slider_DbSpd", a.DbSpd.x, a.DbSpd.y, 5, 11, C(a.Color_BG_Slider));
    s.Slider("slider_SrcSpd", a.ScrSpd.x, a.ScrSpd.y, 2, 11, C(a.Color_BG_Slider));
    Ticks(s, c, "slider_Spd", a.Spd);
    Ticks(s, c, "slider_DbSpd", a.DbSpd);
    Ticks(s, c, "slider_SrcSpd", a.ScrSpd);
    s.Picture("CbS_E", a.IsControl.x, a.IsControl.y);
    s.Picture("CbS_D", a.IsScreen.x, a.IsScreen.y);
}

void LightPage(PreviewScene& s, const Context& c)
{
    const auto& l = c.skin.lightPage;
    const auto& o = c.skin.optionLabels;
    Ground(s, c, "Back3", l.P3);
    Bars(s, c, 5);
    const std::array<std::pair<const char*, const char*>, 4> titles = {
        {{"LED_Status", "Str812"}, {"MCPI_Status", "Str816"}, {"LED_Light_Status", "Str817"}, {"LCPI_Status", "Str815"}}};
    for (const auto& [family, key] : titles)
        CaptionLabel(s, c.skin, family, key);
    const std::array<std::tuple<qeltra3k::text::SkinPoint, qeltra3k::text::SkinPoint, const char*, const char*, const char*, const char*>, 4> pairs = {{
        {l.LEDOn, l.LEDOff, "LED_On", "LED_Off", "Str813", "Str814"},
        {l.B4CPIOn, l.B4CPIOff, "MCPI_On", "MCPI_Off", "Str813", "Str814"},
        {l.SaveKeyMode, l.NoSaveKeyMode, "LED_Light_All", "LED_Light_Half", "Str818", "Str819"},
        {l.LEDSwitchOn, l.LEDSwitchOff, "LCPI_On", "LCPI_Off", "Str813", "Str814"},
    }};
    for (const auto& [on, off, onFamily, offFamily, onText, offText] : pairs) {
        s.Picture("RdS_E", on.x, on.y);
        s.Picture("RdS_D", off.x, off.y);
        CaptionLabel(s, c.skin, onFamily, onText);
        CaptionLabel(s, c.skin, offFamily, offText);
    }
    CaptionLabel(s, c.skin, "LED_Mode", "Str820");
    for (int n = 1; n <= 7; ++n) {
        const auto& at = l.MCULEDMode[n - 1];
        s.Picture(n == 2 ? "RdS_E" : "RdS_D", at.x, at.y);
        const auto& slot = o.LED_Mode[n - 1];
        s.Label(QString("lbl_MCULEDMode%1").arg(n), s.Text(QString("Str%1").arg(820 + n).toUtf8().constData()),
                slot.position.x, slot.position.y, slot.width, o.LED_Mode_Size, C(o.LED_Mode_Colour));
        // The two-colour family's names share the places; they must fit there too.
        s.Label(QString("lbl_RBLEDMode%1").arg(n), QString(), slot.position.x, slot.position.y, slot.width, o.LED_Mode_Size,
                C(o.LED_Mode_Colour));
        const QString rb = s.Text(QString("Str%1").arg(827 + n).toUtf8().constData());
        QFont font(QString::fromStdString(c.table.Text("FontName")));
        font.setPixelSize(o.LED_Mode_Size * 96 / 72 + 1);
        if (QFontMetrics(font).horizontalAdvance(rb) > slot.width)
            std::cout << "light page: \"" << rb.toStdString() << "\" does not fit\n";
    }
    const int barW = s.PictureSize("Bar1_E").width();
    for (int i = 1; i <= 10; ++i) {
        const int x = l.MCULEDNum.x + (i - 1) * (barW + l.MCULEDNum_D);
        s.Picture(i <= 5 ? "Bar1_E" : "Bar1_D", x, l.MCULEDNum.y, QString("Img_MCULEDNum_%1").arg(i));
        s.Label(QString("lbl_MCULEDNum_%1").arg(i), QString::number(i + 3), x + (barW - kNumberWidth) / 2,
                l.MCULEDNum.y + 24 - 4, kNumberWidth, l.Size_E, C(l.Color_E), Qt::AlignHCenter);
    }
    CaptionLabel(s, c.skin, "LED_Effect_Setting", "Str856");
    CaptionLabel(s, c.skin, "LED_Effect_Slow", "Str857");
    CaptionLabel(s, c.skin, "LED_Effect_Fast", "Str858");
    s.Slider("slider_Breath_Speed", l.MCULEDStep.x, l.MCULEDStep.y, 3, 8, C(c.skin.advancedPage.Color_BG_Slider));
}

enum class MacroView { Browse, InsertKey, InsertDelay, InsertAxis };

void MacroPage(PreviewScene& s, const Context& c, MacroView view)
{
    const auto& m = c.skin.macroPage;
    Ground(s, c, "Back4", m.P4);
    Bars(s, c, 11);
    CaptionLabel(s, c.skin, "Marco_List", "Str835");
    CaptionLabel(s, c.skin, "Marco_Content", "Str836");
    const QStringList macros = {"Macro 1", "Reload + Knife", "Build wall", "Sprint toggle", "Burst 3"};
    s.List("LB_PCMacroName", m.PCMacroName.x, m.PCMacroName.y, m.PCMacroName_W, m.PCMacroName_H, macros,
           m.MacroNameHeight, m.Size_F, C(m.Color_F_Font), C(m.Color_F_LBack), C(m.Color_F_LBorder), 1, C(m.Color_MACRO));
    const QStringList rows = {"R  Down", "Delay  32 ms", "R  Up", "Delay  120 ms", "X-Axis  -10", "Left Click  Down",
                              "Delay  16 ms", "Left Click  Up"};
    s.List("LB_macro", m.MacroContent.x, m.MacroContent.y, m.MacroContent_W, m.MacroContent_H, rows, m.MacroNameHeight,
           m.Size_F, C(m.Color_F_Font), C(m.Color_F_LBack), C(m.Color_F_LBorder), 3, C(m.Color_MACRO));
    s.LabelOverPicture("MacroS_01", "Btn_New", s.Text("Str432"), m.BtnNew.x, m.BtnNew.y, m.Size_F, C(m.Color_F));
    s.LabelOverPicture("MacroS_01", "Btn_Delete", s.Text("Str860"), m.BtnDelete.x, m.BtnDelete.y, m.Size_F, C(m.Color_F));
    s.LabelOverPicture("MacroS_01", "Btn_Start", s.Text("Str400"), m.BtnStart.x,
                       m.BtnStart.y, m.Size_F, C(m.Color_F));

    if (view == MacroView::Browse) {
        s.Group(QPoint(m.DelayTime.x, m.DelayTime.y));
        s.Picture("RdS_E", m.RecDelay.x, m.RecDelay.y);
        s.Picture("RdS_D", m.DelaySetting.x, m.DelaySetting.y);
        s.Picture("RdS_D", m.NoDelay.x, m.NoDelay.y);
        CaptionLabel(s, c.skin, "Marco_Record_Delay", "Str837");
        CaptionLabel(s, c.skin, "Marco_Delay_Setting", "Str838");
        CaptionLabel(s, c.skin, "Marco_No_Delay", "Str839");
        CaptionLabel(s, c.skin, "Marco_MS", "Str840");
        s.Edit("Edt_Delay", m.DelayEdit.x, m.DelayEdit.y, kEdit.w, kEdit.h, "32", m.Size_F, QColor(120, 120, 120),
               C(m.Color_F_Back), C(m.Color_F_LBorder));
        s.Picture("RdS_E", m.ReleaseStop.x, m.ReleaseStop.y);
        s.Picture("RdS_D", m.ReleaseContinue.x, m.ReleaseContinue.y);
        CaptionLabel(s, c.skin, "Marco_Stop_Release", "Str841");
        CaptionLabel(s, c.skin, "Marco_Stop_Over", "Str842");
        s.Picture("RdS_E", m.CircleTimes.x, m.CircleTimes.y);
        s.Picture("RdS_D", m.CircleAll.x, m.CircleAll.y);
        CaptionLabel(s, c.skin, "Marco_Circle_Times", "Str859");
        CaptionLabel(s, c.skin, "Marco_Circle_ALL", "Str861");
        s.Edit("Edt_Circle_Times", m.CircleEdit.x, m.CircleEdit.y, kEdit.w, kEdit.h, "8", m.Size_F, C(m.Color_F_Font),
               C(m.Color_F_Back), C(m.Color_F_LBorder));
        s.Ungroup();
        return;
    }

    s.Group(QPoint(m.Insert.x, m.Insert.y));
    const char* base = view == MacroView::InsertKey ? "InsertKeyBase" : view == MacroView::InsertDelay ? "InsertDelayBase" : "InsertXYBase";
    s.Scenery(base, 0, 0);
    const char* choice = view == MacroView::InsertKey ? "Str412" : view == MacroView::InsertDelay ? "Str410" : "Str441";
    s.Edit("CB_Insert", m.InsertList.x, m.InsertList.y, kInsertList.w, kInsertList.h, s.Text(choice) + "", m.Size_F,
           C(m.Color_F), C(m.Color_F_LBack), C(m.Color_F_LBorder));
    const int labelW = m.InsertDelayEdit.x - m.InsertRecDelay.x - 6;
    if (view == MacroView::InsertKey) {
        const char* keys[] = {"Str414", "Str415", "Str416"};
        for (int i = 0; i < 3; ++i) {
            const int y = m.InsertRecDelay.y + i * m.InsertRecDelay_H;
            s.Picture(i == 0 ? "RdS_E" : "RdS_D", m.InsertRecDelay.x, y, QString("IB_Insert%1").arg(i));
            // The texts begin with seven spaces to clear the box; the label starts a little
            // right of the box's left edge so that they clear it in every font.
            s.Label(QString("IB_Insert%1").arg(i), "       " + s.Text(keys[i]), m.InsertRecDelay.x + 6, y - 1, labelW - 6, m.Size_F,
                    C(m.Color_F), Qt::AlignLeft, QString("IB_Insert%1").arg(i));
        }
        s.Edit("Edt_InsertDelay", m.InsertDelayEdit.x, m.InsertDelayEdit.y, kEdit.w, kEdit.h, "50", m.Size_F,
               QColor(120, 120, 120), C(m.Color_F_Back), C(m.Color_F_LBorder));
        s.LabelOverPicture("MacroBtnS_01", "Btn_InsertStart", s.Text("Str400"), m.InsertBtnStart.x, m.InsertBtnStart.y,
                           m.Size_F, C(m.Color_F));
    } else if (view == MacroView::InsertDelay) {
        const int y = m.InsertDelayEdit.y + (kEdit.h - kLabelHeight) / 2;
        s.Label("lbl_Delay", s.Text("Str417"), m.InsertRecDelay.x, y, labelW, m.Size_F, C(m.Color_F));
        s.Edit("Edt_InsertDelay", m.InsertDelayEdit.x, m.InsertDelayEdit.y, kEdit.w, kEdit.h, "50", m.Size_F,
               C(m.Color_F_Font), C(m.Color_F_Back), C(m.Color_F_LBorder));
        s.Label("lbl_s_A", s.Text("Str418"), m.InsertDelayEdit.x + kEdit.w + 6, y, 40, m.Size_F, C(m.Color_F));
    } else {
        const int y = m.InsertAxisEdit.y + (kEdit.h - kLabelHeight) / 2;
        s.Label("lbl_XAxisValue", s.Text("Str444"), m.InsertRecDelay.x, y, labelW, m.Size_F, C(m.Color_F));
        s.Edit("edt_XAxisValue", m.InsertAxisEdit.x, m.InsertAxisEdit.y, kEdit.w, kEdit.h, "-10", m.Size_F,
               C(m.Color_F_Font), C(m.Color_F_Back), C(m.Color_F_LBorder));
    }
    s.LabelOverPicture("MacroBtnS_01", "Btn_OK", s.Text(view == MacroView::InsertKey ? "Str421" : "Str420"), m.InsertBtnOK.x,
                       m.InsertBtnOK.y, m.Size_F, C(m.Color_F));
    s.LabelOverPicture("MacroBtnS_01", "Btn_Cancel", s.Text("Str422"), m.InsertBtnCancel.x, m.InsertBtnCancel.y, m.Size_F,
                       C(m.Color_F));
    s.Ungroup();
}

void FirePage(PreviewScene& s, const Context& c)
{
    const auto& f = c.skin.firePage;
    Ground(s, c, "Back5", f.P5);
    const int selected = 7;
    for (int g = 1; g <= 7; ++g)
        s.Picture(QString("Gun%1_%2").arg(g).arg(g == selected ? "02" : "01"), f.Fire[g - 1].x, f.Fire[g - 1].y);
    for (int mode = 3; mode <= 5; ++mode)
        s.Picture(QString("GunMode%1").arg(mode), f.GunMode[mode - 1].x, f.GunMode[mode - 1].y);
    const std::array<std::pair<const char*, const char*>, 6> captions = {{{"Gun_Marco_Stop_Release", "Str843"},
                                                                          {"Gun_Marco_Fire_Count", "Str844"},
                                                                          {"Gun_Marco_Fire_Y", "Str845"},
                                                                          {"Gun_Marco_Y_Offset", "Str846"},
                                                                          {"Gun_Marco_Fire_Delay", "Str847"},
                                                                          {"Gun_Marco_Fire_Color", "Str848"}}};
    for (const auto& [family, key] : captions)
        CaptionLabel(s, c.skin, family, key);
    static const std::array<QColor, 3> kColours = {QColor(255, 60, 40), QColor(40, 200, 255), QColor(250, 220, 40)};
    for (int r = 1; r <= 3; ++r) {
        const auto& row = f.Row[r - 1];
        s.Picture(r == 2 ? "CbS_D" : "CbS_E", row.RKFS.x, row.RKFS.y);
        const auto edit = [&](const char* name, qeltra3k::text::SkinPoint at, const QString& text) {
            s.Edit(QString("%1%2").arg(name).arg(r), at.x, at.y, kEdit.w, kEdit.h, text, f.Size_J, C(f.Color_J_Font),
                   C(f.Color_J_Back), C(f.Color_J_Border));
        };
        edit("Edt_FireCnt", row.FireCnt, QString::number(10 * r));
        edit("Edt_FireY", row.FireY, QString::number(4 + r));
        edit("Edt_FireYOffset", row.FireY_Offset, "-2");
        edit("Edt_FireTime", row.FireTime, "96");
        s.ColourSwatch(QString("cs_FireColor%1").arg(r), row.FireColor.x, row.FireColor.y, kColours[r - 1]);
    }
    s.LabelOverPicture("BtnS_01", "Btn_FireConfirm", s.Text("Str620"), f.FireConfirm.x, f.FireConfirm.y, f.Size_J, C(f.Color_J));
    s.LabelOverPicture("BtnS_01", "Btn_FireExit", s.Text("Str621"), f.FireCancel.x, f.FireCancel.y, f.Size_J, C(f.Color_J));
}

// The dialogs over the key page, centred on the window (40 pixels lower, as designed).
void Dialogs(PreviewScene& s, const Context& c, bool assembly)
{
    KeyPage(s, c, false);
    s.Painter().fillRect(QRect(0, 0, kWindow.w, kWindow.h), QColor(0, 0, 0, 110));
    s.NewLayer();
    s.Group(QPoint((kWindow.w - kMsg.w) / 2, (kWindow.h - kMsg.h) / 2 + 40));
    s.Scenery("MSG", 0, 0);
    if (assembly) {
        const auto& d = c.skin.assemblyDialog;
        s.Label("lbl_Title", s.Text("Str500"), d.AKT.x, d.AKT.y, kMsg.w - d.AKT.x - 60, d.Size_K + 5, C(d.Color_K));
        s.Edit("Edt_Assembly", d.AKC.x, d.AKC.y, d.AKC_W, 32, "Ctrl+Shift+F5", d.Size_K + 3, C(d.Color_K_AK),
               QColor(236, 240, 244), QColor(120, 130, 140));
        const std::array<std::pair<qeltra3k::text::SkinPoint, const char*>, 4> boxes = {
            {{d.MK_C, "Ctrl"}, {d.MK_S, "Shift"}, {d.MK_A, "Alt"}, {d.MK_W, "Win"}}};
        for (const auto& [at, text] : boxes) {
            s.Picture(QString(text) == "Alt" ? "CbS_D" : "CbS_E", at.x, at.y, text);
            s.Label(text, text, at.x + kBox.w + 6, at.y - 1, 48, d.Size_K + 1, C(d.Color_K), Qt::AlignLeft, text);
        }
        s.LabelOverPicture("BtnS_01", "Btn_Confirm", s.Text("Str501"), d.AK_Cfm.x, d.AK_Cfm.y, d.Size_K + 1, C(d.Color_K));
        s.LabelOverPicture("BtnS_01", "Btn_Clear", s.Text("Str502"), d.AK_Clear.x, d.AK_Clear.y, d.Size_K + 1, C(d.Color_K));
        s.Picture("ExitS_01", d.AK_Close.x, d.AK_Close.y);
    } else {
        const auto& d = c.skin.nameDialog;
        s.Label("lbl_MacroName", s.Text("Str510"), d.MNT.x, d.MNT.y, kMsg.w - d.MNT.x - 60, d.Size_L + 5, C(d.Color_L));
        s.Edit("Edt_MacroName", d.MNC.x, d.MNC.y, d.MNC_W, 32, "Reload + Knife", d.Size_L + 3, C(d.Color_L_MN),
               QColor(236, 240, 244), QColor(120, 130, 140));
        s.LabelOverPicture("BtnS_01", "IB_Confirm", s.Text("Str511"), d.MN_Cfm.x, d.MN_Cfm.y, d.Size_L + 1, C(d.Color_L));
        s.LabelOverPicture("BtnS_01", "IB_Cancel", s.Text("Str512"), d.MN_Clear.x, d.MN_Clear.y, d.Size_L + 1, C(d.Color_L));
        s.Picture("ExitS_01", d.MN_Close.x, d.MN_Close.y);
    }
    s.Ungroup();
}

// Every shared picture, state by state, on the skin's ground and on its panel colour.
void PictureSheet(const QString& picturesDir, const SkinSection& skin, const QString& path)
{
    const ArtPalette palette = PaletteOf(skin);
    QImage sheet = NewImage(1000, 1100);
    QPainter p(&sheet);
    Prepare(p);
    p.fillRect(QRect(0, 0, 1000, 550), palette.base);
    p.fillRect(QRect(0, 550, 1000, 550), palette.panel);
    const QStringList names = {
        "BtnS_01", "BtnS_02", "BtnS_03", "ExitS_01", "ExitS_02", "ExitS_03", "MiniS_01", "MiniS_02", "MiniS_03",
        "SetS_01", "SetS_02", "SetS_03", "Lang_01", "Lang_02", "Lang_03", "WebS_01", "WebS_02", "WebS_03",
        "KeyS_01", "KeyS_02", "KeyS_03", "CbS_E", "CbS_D", "RdS_E", "RdS_D", "Bar1_E", "Bar1_D", "Bar2_E", "Bar2_D",
        "Col_F", "MacroS_01", "MacroS_02", "MacroS_03", "MacroS_04", "MacroBtnS_01", "MacroBtnS_02", "MacroBtnS_03",
        "Gun1_01", "Gun1_02", "Gun4_01", "Gun4_02", "Gun6_01", "Gun6_02", "GunMode1", "GunMode2", "GunMode5",
        "Slider_Ruler", "Slider_Thumb", "Loading_00", "Loading_04"};
    for (int half = 0; half < 2; ++half) {
        int x = 10;
        int y = 10 + half * 550;
        int rowHeight = 0;
        for (const QString& name : names) {
            const QImage image(QDir(picturesDir).filePath(name + ".png"));
            if (x + image.width() > 990) {
                x = 10;
                y += rowHeight + 10;
                rowHeight = 0;
            }
            p.drawImage(QPoint(x, y), image);
            x += image.width() + 10;
            rowHeight = std::max(rowHeight, image.height());
        }
    }
    p.end();
    sheet.save(path, "PNG");
}

}  // namespace

int RenderPreviews(const QString& layoutDir, const QString& picturesDir, const QString& outDir)
{
    QDir().mkpath(outDir);
    const auto readText = [](const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : std::string();
    };
    const auto generalLayout = qeltra3k::text::IniFile::Parse(readText(QDir(layoutDir).filePath("org.ini")));
    const GeneralOptions general = qeltra3k::text::ReadGeneralOptions(generalLayout).options;
    const auto skin1 = qeltra3k::text::IniFile::Parse(readText(QDir(layoutDir).filePath("org1.ini")));

    int problems = 0;
    for (int skinIndex = 1; skinIndex <= qeltra3k::text::kSkinCount; ++skinIndex) {
        const auto layout = qeltra3k::text::IniFile::Parse(readText(QDir(layoutDir).filePath(QString("org%1.ini").arg(skinIndex))));
        const auto reading = qeltra3k::text::ReadSkinSection(layout, skinIndex, &skin1);
        for (const std::string& warning : reading.warnings) {
            std::cout << warning << "\n";
            ++problems;
        }
        PictureSheet(picturesDir, reading.skin, QDir(outDir).filePath(QString("skin%1_pictures.png").arg(skinIndex)));
        for (int language = 1; language <= qeltra3k::text::kLanguageCount; ++language) {
            const auto loading = qeltra3k::text::LoadLanguageTable(language);
            if (!loading.table) {
                std::cout << "language " << language << ": " << loading.error << "\n";
                return 1;
            }
            const Context context{reading.skin, general, *loading.table, language, picturesDir};
            const std::array<std::pair<const char*, std::function<void(PreviewScene&)>>, 10> pages = {{
                {"1_key", [&](PreviewScene& s) { KeyPage(s, context, false); }},
                {"1_key_menu", [&](PreviewScene& s) { KeyPage(s, context, true); }},
                {"2_advanced", [&](PreviewScene& s) { AdvancedPage(s, context); }},
                {"3_light", [&](PreviewScene& s) { LightPage(s, context); }},
                {"4_macro", [&](PreviewScene& s) { MacroPage(s, context, MacroView::Browse); }},
                {"4_macro_insert_key", [&](PreviewScene& s) { MacroPage(s, context, MacroView::InsertKey); }},
                {"4_macro_insert_delay", [&](PreviewScene& s) { MacroPage(s, context, MacroView::InsertDelay); }},
                {"4_macro_insert_axis", [&](PreviewScene& s) { MacroPage(s, context, MacroView::InsertAxis); }},
                {"5_fire", [&](PreviewScene& s) { FirePage(s, context); }},
                {"6_dialogs", [&](PreviewScene& s) { Dialogs(s, context, false); }},
            }};
            for (const auto& [name, paint] : pages) {
                const QString page = QString("skin%1_lang%2_%3").arg(skinIndex).arg(language).arg(name);
                PreviewScene scene(picturesDir, page, *loading.table);
                paint(scene);
                for (const QString& problem : scene.Problems()) {
                    std::cout << problem.toStdString() << "\n";
                    ++problems;
                }
                scene.Save(QDir(outDir).filePath(page + ".png"));
            }
            PreviewScene assembly(picturesDir, QString("skin%1_lang%2_6_assembly").arg(skinIndex).arg(language), *loading.table);
            Dialogs(assembly, context, true);
            for (const QString& problem : assembly.Problems()) {
                std::cout << problem.toStdString() << "\n";
                ++problems;
            }
            assembly.Save(QDir(outDir).filePath(QString("skin%1_lang%2_6_assembly.png").arg(skinIndex).arg(language)));
        }
    }
    std::cout << problems << " problem(s)\n";
    return problems == 0 ? 0 : 1;
}

}  // namespace skin_art
