// Applying skin N: its pictures, its layout section family by family, then language table N,
// then carrying the key captions into the new language.
#include <QApplication>
#include <QBitmap>
#include <QFontMetrics>
#include <QFrame>
#include <QLabel>
#include <algorithm>

#include "ui/AdvancedPage.h"
#include "ui/EngineerPage.h"
#include "ui/FirePage.h"
#include "ui/LightPage.h"
#include "ui/KeyMenu.h"
#include "ui/MacroPage.h"
#include "ui/MainWindow.h"
#include "ui/Pictures.h"
#include "ui/SkinStyle.h"
#include "ui/SkinWidgets.h"
#include "ui/WindowTables.h"

namespace qeltra3k::ui {

namespace {

// Sizes of controls whose picture this build does not carry, so they keep a place to click.
struct FallbackSize {
    std::string_view family;
    QSize size;
};
constexpr std::array<FallbackSize, 7> kFallbackSizes{{
    {"BtnS", {100, 32}},
    {"ExitS", {26, 26}},
    {"MiniS", {26, 26}},
    {"SetS", {108, 36}},
    {"Lang", {66, 26}},
    {"WebS", {110, 32}},
    {"KeyS", {190, 30}},
}};

QSize FallbackFor(std::string_view family)
{
    for (const FallbackSize& entry : kFallbackSizes) {
        if (entry.family == family)
            return entry.size;
    }
    return {100, 30};
}

// The Delphi window's transparent colour, maroon (0x000080 as BGR).
const QColor kTransparentColour(128, 0, 0);

// A caption label's height: one line of its font with a little air.
int LineHeight(const QWidget* label)
{
    return QFontMetrics(label->font()).height() + 4;
}

void PlaceCaption(QLabel* label, text::SkinPoint position, int width)
{
    const int height = LineHeight(label);
    if (width > 0)
        label->setGeometry(position.x, position.y, width, height);
    else {
        label->adjustSize();
        label->move(position.x, position.y);
    }
}

}  // namespace

QString MainWindow::Text(std::string_view key) const
{
    return QString::fromStdString(tables_[static_cast<std::size_t>(language_ - 1)].Text(key));
}

void MainWindow::ApplySkin(int index)
{
    const text::SkinSectionReading reading = text::LoadSkinSection(index);
    for (const std::string& warning : reading.warnings)
        qWarning("%s", warning.c_str());
    skin_ = reading.skin;
    fontFamily_ = Text("FontName");

    ApplySkinPictures(index);
    ApplyTopBarSkin(skin_);
    ApplyKeyPageSkin(skin_);
    findChild<LightPage*>()->ApplySkin(skin_, fontFamily_);
    findChild<AdvancedPage*>()->ApplySkin(skin_, fontFamily_);
    menu_->ApplySkin(skin_.keyMenu, fontFamily_);
    menu_->SetMainPanelHeight(state_ == PageState::Game || state_ == PageState::Engineer
                                  ? text::MainPanelHeight(options_)
                                  : options_.Main_Pnl_Height_WithNo_Gun);
    ApplyCaptionLabelSkin(skin_);
    ApplyLanguageTable();
}

void MainWindow::ApplySkinPictures(int index)
{
    const QString skin = QStringLiteral("L%1_").arg(index);
    const QPixmap background = Picture(skin + QStringLiteral("BackGround"));
    backgroundSize_ = background.isNull() ? kFallbackWindowSize : background.size();
    for (int page = 1; page <= 5; ++page) {
        auto* base = FindAs<PictureLabel>(CopyName("Img_Base_", page));
        base->SetPicture(skin + QStringLiteral("BackGround"));
        base->setGeometry(0, 0, backgroundSize_.width(), backgroundSize_.height());
        auto* picture = FindAs<PictureLabel>(CopyName("Img_P", page));
        picture->SetPicture(skin + QStringLiteral("Back%1").arg(page), true);
        Page(page)->resize(backgroundSize_);
    }
    for (int copy = 1; copy <= kPageCopies; ++copy)
        Find(CopyName("Disable_All_", copy))->resize(backgroundSize_);

    // The background gives the window its shape: its transparent pixels, or the pixels of
    // the transparent colour in a picture without alpha.
    if (background.isNull())
        windowMask_ = QRegion();
    else if (background.hasAlphaChannel())
        windowMask_ = QRegion(background.mask());
    else
        windowMask_ = QRegion(background.createMaskFromColor(kTransparentColour, Qt::MaskInColor));
    ResizeForPage(InfoOf(state_).page);
}

void MainWindow::ApplyTopBarSkin(const text::SkinSection& skin)
{
    for (int copy = 1; copy <= kPageCopies; ++copy) {
        for (const TopBarButton& button : kTopBarButtons) {
            const QString suffix = QName(button.stem) + u'_' + QString::number(copy);
            auto* picture = FindAs<PictureLabel>(QStringLiteral("Img_") + suffix);
            auto* label = FindAs<ClickLabel>(QStringLiteral("Btn_") + suffix);
            if (button.font == TopBarFont::A)
                SetTextStyle(label, fontFamily_, skin.topBar.Size_A, skin.topBar.Color_A);
            else if (button.font == TopBarFont::B)
                SetTextStyle(label, fontFamily_, skin.pageButtons.Size_B, skin.pageButtons.Color_B);

            // Where the button's position comes from: an A key, a B key, or the general
            // section (web button); the engineer page button uses B11 and stays hidden.
            std::optional<text::SkinSwitched> placed;
            int insetFront = 0;
            int insetBack = 0;
            const auto a = std::find(text::kActionButtonNames.begin(), text::kActionButtonNames.end(), button.stem);
            const auto b = std::find(text::kPageButtonNames.begin(), text::kPageButtonNames.end(), button.stem);
            if (a != text::kActionButtonNames.end()) {
                placed = skin.topBar.Btn_A[static_cast<std::size_t>(a - text::kActionButtonNames.begin())];
            } else if (b != text::kPageButtonNames.end() || button.stem == "Engineer") {
                const std::size_t slot = button.stem == "Engineer" ? text::kPageButtonNames.size() - 1
                                                                   : static_cast<std::size_t>(b - text::kPageButtonNames.begin());
                placed = skin.pageButtons.Btn_B[slot];
                insetFront = skin.pageButtons.Btn_Space_F;
                insetBack = skin.pageButtons.Btn_Space_B;
                if (button.stem == "Engineer")
                    placed->enabled = false;
            } else {
                placed = text::SkinSwitched{true, text::SkinPoint{options_.Web_X, options_.Web_Y}};
            }

            const QSize size = picture->PictureSize(FallbackFor(button.family));
            if (placed->enabled && placed->position) {
                const QPoint at(placed->position->x, placed->position->y);
                picture->setGeometry(QRect(at, size));
                label->setGeometry(at.x() + insetFront, at.y(), std::max(0, size.width() - insetFront - insetBack),
                                   size.height());
            }
            // A button whose flag is not 1 stays hidden and keeps where it was.
            picture->setVisible(placed->enabled);
            label->setVisible(placed->enabled);
        }
    }
}

void MainWindow::ApplyKeyPageSkin(const text::SkinSection& skin)
{
    const text::SkinKeyPage& keys = skin.keyPage;
    // Each page's picture at its own P position.
    const std::array<text::SkinPoint, 5> pagePictures{keys.P1, skin.advancedPage.P2, skin.lightPage.P3,
                                                      skin.macroPage.P4, skin.firePage.P5};
    for (std::size_t page = 0; page < pagePictures.size(); ++page)
        FindAs<PictureLabel>(CopyName("Img_P", static_cast<int>(page + 1)))->move(pagePictures[page].x, pagePictures[page].y);
    for (std::size_t key = 0; key < keys.Key.size(); ++key) {
        auto* picture = FindAs<PictureLabel>(CopyName("Img_Key", static_cast<int>(key + 1)));
        auto* label = FindAs<ClickLabel>(CopyName("Key", static_cast<int>(key + 1)));
        SetTextStyle(label, fontFamily_, keys.Size_C, keys.Color_C);
        const text::SkinSwitched& placed = keys.Key[key];
        if (placed.enabled && placed.position) {
            const QRect rect(placed.position->x, placed.position->y, keys.Key_Width,
                             picture->PictureSize(FallbackFor("KeyS")).height());
            picture->setGeometry(rect);
            label->setGeometry(rect);
        }
        picture->setVisible(placed.enabled);
        label->setVisible(placed.enabled);
    }
    for (std::size_t hint = 0; hint < keys.ComboKey.size(); ++hint) {
        auto* picture = FindAs<PictureLabel>(CopyName("Img_ComboKey", static_cast<int>(hint + 1)));
        auto* label = FindAs<ClickLabel>(CopyName("IB_ComboKey", static_cast<int>(hint + 1)));
        SetTextStyle(label, fontFamily_, keys.Size_C, keys.ComboKeyColour);
        const text::SkinSwitched& placed = keys.ComboKey[hint];
        if (placed.enabled && placed.position) {
            const QSize size = picture->PictureSize({16, 16});
            picture->setGeometry(QRect(QPoint(placed.position->x, placed.position->y), size));
            label->setGeometry(placed.position->x + keys.ComboKey_D, placed.position->y + keys.ComboKey_H,
                               keys.Combox_Width, std::max(size.height(), LineHeight(label)));
        }
    }
    RefreshComboHints();
}

void MainWindow::ApplyCaptionLabelSkin(const text::SkinSection& skin)
{
    for (std::size_t i = 0; i < kCaptionLabels.size(); ++i) {
        auto* label = FindAs<QLabel>(QName(kCaptionLabels[i].label));
        const text::SkinCaptionLabel& place = skin.captionLabels[i];
        SetTextStyle(label, fontFamily_, place.size, place.colour);
        label->setProperty("skinWidth", place.width);
        label->move(place.position.x, place.position.y);
    }
    const text::SkinMacroPage& macro = skin.macroPage;
    if (auto* group = FindAs<QFrame>(QStringLiteral("Gb_Delay"))) {
        group->move(macro.DelayTime.x, macro.DelayTime.y);
        group->resize(std::max(0, backgroundSize_.width() - macro.DelayTime.x),
                      std::max(0, backgroundSize_.height() - macro.DelayTime.y));
    }
    const text::SkinOptionLabels& options = skin.optionLabels;
    for (int n = 1; n <= kOptionLabelCount; ++n) {
        const auto slot = static_cast<std::size_t>(n - 1);
        auto* dpi = FindAs<QLabel>(CopyName("lbl_DPI", n));
        SetTextStyle(dpi, fontFamily_, options.DPI_Size, options.DPI_Colour);
        dpi->setProperty("skinWidth", options.DPI_Width);
        dpi->move(skin.advancedPage.DPI[slot].Name.x, skin.advancedPage.DPI[slot].Name.y);
        for (const char* prefix : {"lbl_MCULEDMode", "lbl_RBLEDMode"}) {
            auto* mode = FindAs<QLabel>(CopyName(prefix, n));
            SetTextStyle(mode, fontFamily_, options.LED_Mode_Size, options.LED_Mode_Colour);
            mode->setProperty("skinWidth", options.LED_Mode[slot].width);
            mode->move(options.LED_Mode[slot].position.x, options.LED_Mode[slot].position.y);
        }
    }
}

void MainWindow::ApplyLanguageTable()
{
    const auto text = [this](std::string_view key) { return Text(key); };
    for (int copy = 1; copy <= kPageCopies; ++copy) {
        for (const TopBarButton& button : kTopBarButtons) {
            if (button.textKey.empty())
                continue;
            Find(QStringLiteral("Btn_") + QName(button.stem) + u'_' + QString::number(copy))
                ->setProperty("text", text(button.textKey));
        }
    }
    for (std::size_t hint = 0; hint < kComboHintTexts.size(); ++hint)
        FindAs<QLabel>(CopyName("IB_ComboKey", static_cast<int>(hint + 1)))->setText(text(kComboHintTexts[hint]));

    std::vector<QLabel*> captions;
    for (const CaptionLabel& caption : kCaptionLabels) {
        auto* label = FindAs<QLabel>(QName(caption.label));
        label->setText(text(caption.textKey));
        captions.push_back(label);
    }
    for (int n = 1; n <= kOptionLabelCount; ++n) {
        const auto key = [](int number) { return "Str" + std::to_string(number); };
        auto* dpi = FindAs<QLabel>(CopyName("lbl_DPI", n));
        dpi->setText(text(key(kDpiLabelFirstText + n - 1)));
        auto* mcu = FindAs<QLabel>(CopyName("lbl_MCULEDMode", n));
        mcu->setText(text(key(kMcuModeFirstText + n - 1)));
        auto* rb = FindAs<QLabel>(CopyName("lbl_RBLEDMode", n));
        rb->setText(text(key(kRbModeFirstText + n - 1)));
        captions.insert(captions.end(), {dpi, mcu, rb});
    }
    // Texts are in place: now the labels can take their widths and heights.
    for (QLabel* label : captions) {
        const QPoint at = label->pos();
        PlaceCaption(label, {at.x(), at.y()}, label->property("skinWidth").toInt());
    }
    menu_->ApplyTexts(text);
    engineer_->ApplyLanguage(fontFamily_);
    findChild<AdvancedPage*>()->ApplyLanguage();
    if (auto* macro = findChild<MacroPage*>())
        macro->ApplySkin(skin_, fontFamily_);
    if (auto* fire = findChild<FirePage*>())
        fire->ApplySkin(skin_, fontFamily_);
    if (hovered_ != nullptr)
        rolling_.Restart(hovered_->text().toStdString());
}

void MainWindow::CarryKeyCaptions(const text::LanguageTable& newTable)
{
    config::FormModel& form = controller_->Form();
    for (auto& profile : form.keyCaptions) {
        for (std::string& caption : profile)
            caption = text::CarryCaption(tables_, newTable, caption);
    }
    RefreshKeyLabels();
}

void MainWindow::SetApplicationTitle()
{
    QApplication::setApplicationDisplayName(Text("Title"));
}

}  // namespace qeltra3k::ui
