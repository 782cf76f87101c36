// Building the macro page's controls and placing them by the skin's "Macro Page" keys.
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QRegularExpressionValidator>
#include <array>

#include "ui/MacroPage.h"
#include "ui/MainWindow.h"
#include "ui/SkinStyle.h"
#include "ui/SkinWidgets.h"

namespace qeltra3k::ui {

namespace {

// Sizes the layout does not carry.
constexpr QSize kMacroButton{116, 32};
constexpr QSize kInsertButton{92, 28};
constexpr QSize kInsertBase{296, 330};
constexpr QSize kEdit{64, 24};
constexpr QSize kInsertList{264, 24};
constexpr QSize kBox{18, 18};
constexpr int kLabelHeight = 20;
constexpr int kOptionTextInset = 6;   // option texts start this far into their box
constexpr int kOptionTextWidth = 250;
constexpr int kLabelGap = 6;
constexpr int kAxisLabelX = 16;
// The insert choice's texts, in the order of macros::InsertChoice.
constexpr std::array<std::string_view, 8> kInsertChoiceTexts{"Str410", "Str411", "Str412", "Str413",
                                                             "Str440", "Str441", "Str442", "Str443"};
// The texts of the insert delay options carry seven spaces so they begin right of their box.
constexpr const char* kOptionTextIndent = "       ";

struct InsertOption {
    const char* box;
    const char* label;
    const char* textKey;
};
constexpr std::array<InsertOption, 3> kInsertOptions{{
    {"LED_InsertRecDelay", "IB_InsertRecDelay", "Str414"},
    {"LED_InsertDelayTime", "IB_InsertDelayTime", "Str415"},
    {"LED_InsertNoDelay", "IB_InsertNoDelay", "Str416"},
}};

struct MenuEntry {
    const char* action;
    const char* textKey;
};
// The library menu and the row menu, in their order.
constexpr std::array<MenuEntry, 7> kLibraryMenu{{
    {"Btn_NewMacro", "Str432"},
    {"Btn_ImportOne", "Str406"},
    {"Btn_Export", "Str405"},
    {"Btn_Import", "Str407"},
    {"Btn_ExportOne", "Str404"},
    {"Btn_NewName", "Str402"},
    {"Btn_DelPCMacro", "Str433"},
}};
constexpr std::array<MenuEntry, 3> kRowMenu{{{"Btn_Del", "Str408"}, {"Btn_Insert", "Str409"}, {"Btn_Edit", "Str435"}}};

QString Name(const char* name)
{
    return QString::fromLatin1(name);
}

QString Rgb(const text::SkinColour& colour)
{
    return ColourOf(colour).name();
}

QLineEdit* NumberEdit(const char* name, QWidget* parent, const char* pattern)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(Name(name));
    edit->setAlignment(Qt::AlignCenter);
    edit->setValidator(new QRegularExpressionValidator(QRegularExpression(Name(pattern)), edit));
    edit->resize(kEdit);
    return edit;
}

QLabel* PanelLabel(const char* name, QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setObjectName(Name(name));
    label->setAttribute(Qt::WA_TranslucentBackground);
    return label;
}

}  // namespace

void MacroPage::Build()
{
    for (QListWidget** list : {&macroList_, &rowList_}) {
        *list = new QListWidget(page_);
        (*list)->setFrameShape(QFrame::NoFrame);
        (*list)->setSelectionMode(QAbstractItemView::SingleSelection);
        (*list)->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        (*list)->viewport()->installEventFilter(this);
    }
    macroList_->setObjectName(QStringLiteral("LB_PCMacroName"));
    rowList_->setObjectName(QStringLiteral("LB_macro"));

    new_ = MakeSkinButton(page_, QStringLiteral("Btn_New"), QStringLiteral("Img_New"), QStringLiteral("MacroS"));
    delete_ = MakeSkinButton(page_, QStringLiteral("Btn_Delete"), QStringLiteral("Img_Delete"), QStringLiteral("MacroS"));
    start_ = MakeSkinButton(page_, QStringLiteral("Btn_Start"), QStringLiteral("Img_Start"), QStringLiteral("MacroS"));
    connect(new_.label, &ClickLabel::clicked, this, [this] { NewMacro(false); });
    connect(delete_.label, &ClickLabel::clicked, this, &MacroPage::DeleteMacro);
    connect(start_.label, &ClickLabel::clicked, this, &MacroPage::RecordClick);

    BuildOptions();
    BuildInsertPanel();
    BuildMenus();

    // The click that stops a recording is no part of it.
    for (const SkinButton* button : {&new_, &start_, &insertStart_}) {
        connect(button->label, &ClickLabel::entered, this, [this] { editor_->SetRecordButtonHover(true); });
        connect(button->label, &ClickLabel::left, this, [this] { editor_->SetRecordButtonHover(false); });
        // A recording shows its own picture on the record button, under the mouse or not.
        connect(button->label, &ClickLabel::left, this, [this] { Show(); });
    }
}

void MacroPage::BuildOptions()
{
    delayGroup_ = page_->findChild<QFrame*>(QStringLiteral("Gb_Delay"));
    for (const char* name : {"LED_RecDelay", "LED_DelayTime", "LED_NoDelay"}) {
        auto* box = new PictureLabel(Name(name), delayGroup_);
        box->SetPicture(QStringLiteral("RdS_D"));
        box->installEventFilter(this);
    }
    for (const char* name : {"Img_ReleaseStop", "Img_ReleaseContiue", "Img_CircleTimes", "Img_CircleAll"}) {
        auto* box = new PictureLabel(Name(name), delayGroup_);
        box->SetPicture(QStringLiteral("RdS_D"));
        box->installEventFilter(this);
    }
    // The caption labels of the options are the window's; a click on them picks the option.
    for (const char* name : {"IB_RecDelay", "IB_DelayTime", "IB_NoDelay", "IB_ReleaseStop", "IB_ReleaseContiue",
                             "IB_CircleTimes", "IB_CircleAll"}) {
        if (QLabel* label = delayGroup_->findChild<QLabel*>(Name(name)))
            label->installEventFilter(this);
    }
    delayEdit_ = NumberEdit("Edt_Delay", delayGroup_, "[0-9]*");
    loopEdit_ = NumberEdit("Edt_Circle_Times", delayGroup_, "[0-9]*");
    connect(delayEdit_, &QLineEdit::textEdited, this, [this](const QString& text) {
        delayEdit_->setText(QString::fromStdString(editor_->TypeDelay(text.toStdString())));
    });
    connect(loopEdit_, &QLineEdit::textEdited, this, [this](const QString& text) {
        loopEdit_->setText(QString::fromStdString(editor_->TypeLoopCount(text.toStdString())));
    });
}

void MacroPage::BuildInsertPanel()
{
    insertPanel_ = new QFrame(page_);
    insertPanel_->setObjectName(QStringLiteral("Gb_Insert"));
    insertPanel_->setAttribute(Qt::WA_TranslucentBackground);
    new PictureLabel(QStringLiteral("Img_InsertBase"), insertPanel_);
    insertChoice_ = new QComboBox(insertPanel_);
    insertChoice_->setObjectName(QStringLiteral("CB_Insert"));
    insertChoice_->resize(kInsertList);
    for (std::size_t i = 0; i < kInsertChoiceTexts.size(); ++i)
        insertChoice_->addItem(QString());
    connect(insertChoice_, &QComboBox::activated, this, [this](int index) {
        editor_->ChooseInsert(static_cast<macros::InsertChoice>(index));
        Show();
    });
    for (const InsertOption& option : kInsertOptions) {
        auto* box = new PictureLabel(Name(option.box), insertPanel_);
        box->SetPicture(QStringLiteral("RdS_D"));
        box->installEventFilter(this);
        auto* label = new ClickLabel(Name(option.label), insertPanel_);
        label->installEventFilter(this);
    }
    insertDelayEdit_ = NumberEdit("Edt_InsertDelay", insertPanel_, "[0-9]*");
    xEdit_ = NumberEdit("edt_XAxisValue", insertPanel_, "-?[0-9]*");
    yEdit_ = NumberEdit("edt_YAxisValue", insertPanel_, "-?[0-9]*");
    connect(insertDelayEdit_, &QLineEdit::textEdited, this, [this](const QString& text) {
        insertDelayEdit_->setText(QString::fromStdString(editor_->TypeInsertDelay(text.toStdString())));
    });
    connect(xEdit_, &QLineEdit::textEdited, this, [this](const QString& text) {
        xEdit_->setText(QString::fromStdString(editor_->TypeX(text.toStdString())));
    });
    connect(yEdit_, &QLineEdit::textEdited, this, [this](const QString& text) {
        yEdit_->setText(QString::fromStdString(editor_->TypeY(text.toStdString())));
    });
    for (const char* name : {"lbl_Delay", "lbl_s_A", "lbl_XAxisValue", "lbl_YAxisValue"})
        PanelLabel(name, insertPanel_);

    insertStart_ = MakeSkinButton(insertPanel_, QStringLiteral("Btn_InsertStart"), QStringLiteral("Img_InsertStart"),
                                  QStringLiteral("MacroBtnS"));
    ok_ = MakeSkinButton(insertPanel_, QStringLiteral("Btn_OK"), QStringLiteral("Img_OK"), QStringLiteral("MacroBtnS"));
    cancel_ = MakeSkinButton(insertPanel_, QStringLiteral("Btn_Cancel"), QStringLiteral("Img_Cancel"), QStringLiteral("MacroBtnS"));
    connect(insertStart_.label, &ClickLabel::clicked, this, &MacroPage::InsertRecordClick);
    connect(ok_.label, &ClickLabel::clicked, this, &MacroPage::InsertOk);
    connect(cancel_.label, &ClickLabel::clicked, this, &MacroPage::InsertCancel);
    insertPanel_->hide();
}

void MacroPage::BuildMenus()
{
    libraryMenu_ = new QMenu(page_);
    libraryMenu_->setObjectName(QStringLiteral("Pnl_PCMacro"));
    rowMenu_ = new QMenu(page_);
    rowMenu_->setObjectName(QStringLiteral("Pnl_DevContent"));
    const std::array<std::function<void()>, kLibraryMenu.size()> library{
        [this] { NewMacro(true); }, [this] { ImportOne(); },   [this] { ExportAll(); },  [this] { ImportAll(); },
        [this] { ExportOne(); },    [this] { RenameMacro(); }, [this] { DeleteMacro(); }};
    for (std::size_t i = 0; i < kLibraryMenu.size(); ++i) {
        QAction* action = libraryMenu_->addAction(QString());
        action->setObjectName(Name(kLibraryMenu[i].action));
        connect(action, &QAction::triggered, this, library[i]);
    }
    const std::array<std::function<void()>, kRowMenu.size()> rows{[this] { DeleteRow(); }, [this] { InsertRow(); },
                                                                   [this] { EditRow(); }};
    for (std::size_t i = 0; i < kRowMenu.size(); ++i) {
        QAction* action = rowMenu_->addAction(QString());
        action->setObjectName(Name(kRowMenu[i].action));
        connect(action, &QAction::triggered, this, rows[i]);
    }
}

void MacroPage::ApplySkin(const text::SkinSection& skin, const QString& fontFamily)
{
    skin_ = skin;
    fontFamily_ = fontFamily;
    const text::SkinMacroPage& macro = skin.macroPage;
    const int size = macro.Size_F;

    const QString listStyle = QStringLiteral("QListWidget { background: %1; color: %2; }"
                                             "QListWidget::item { height: %3px; }"
                                             "QListWidget::item:selected { background: %4; color: %1; }")
                                  .arg(Rgb(macro.Color_F_LBack), Rgb(macro.Color_F_Font))
                                  .arg(std::max(macro.MacroNameHeight, 1))
                                  .arg(Rgb(macro.Color_MACRO));
    macroList_->setStyleSheet(listStyle);
    rowList_->setStyleSheet(listStyle);
    macroList_->setFont(SkinFont(fontFamily, size));
    rowList_->setFont(SkinFont(fontFamily, size));
    macroList_->setGeometry(macro.PCMacroName.x, macro.PCMacroName.y, macro.PCMacroName_W, macro.PCMacroName_H);
    rowList_->setGeometry(macro.MacroContent.x, macro.MacroContent.y, macro.MacroContent_W, macro.MacroContent_H);

    new_.Place({macro.BtnNew.x, macro.BtnNew.y}, kMacroButton);
    delete_.Place({macro.BtnDelete.x, macro.BtnDelete.y}, kMacroButton);
    start_.Place({macro.BtnStart.x, macro.BtnStart.y}, kMacroButton);
    for (const SkinButton* button : {&new_, &delete_, &start_, &insertStart_, &ok_, &cancel_})
        SetTextStyle(button->label, fontFamily, size, macro.Color_F);

    // The delay options group: positions inside it.
    const auto place = [this](const char* name, text::SkinPoint at) {
        if (auto* box = page_->findChild<PictureLabel*>(Name(name)))
            box->setGeometry(QRect(QPoint(at.x, at.y), box->PictureSize(kBox)));
    };
    place("LED_RecDelay", macro.RecDelay);
    place("LED_DelayTime", macro.DelaySetting);
    place("LED_NoDelay", macro.NoDelay);
    place("Img_ReleaseStop", macro.ReleaseStop);
    place("Img_ReleaseContiue", macro.ReleaseContinue);
    place("Img_CircleTimes", macro.CircleTimes);
    place("Img_CircleAll", macro.CircleAll);
    // A long release caption may be set to break after its first "-", four font sizes high.
    for (const auto& [name, wrap] : {std::pair{"IB_ReleaseStop", macro.Marco_Stop_Release_Lable_Wrap},
                                     std::pair{"IB_ReleaseContiue", macro.Marco_Stop_Over_Lable_Wrap}}) {
        auto* label = delayGroup_->findChild<QLabel*>(Name(name));
        const qsizetype dash = label != nullptr ? label->text().indexOf(u'-') : -1;
        if (!wrap || dash < 0 || label->text().contains(u'\n'))
            continue;
        QString text = label->text();
        text.insert(dash + 1, u'\n');
        label->setText(text);
        label->resize(label->width(), 4 * label->font().pixelSize());
    }
    delayEdit_->move(macro.DelayEdit.x, macro.DelayEdit.y);
    loopEdit_->move(macro.CircleEdit.x, macro.CircleEdit.y);

    // The insert panel: positions inside it.
    insertPanel_->setGeometry(QRect(QPoint(macro.Insert.x, macro.Insert.y), kInsertBase));
    insertPanel_->findChild<PictureLabel*>(QStringLiteral("Img_InsertBase"))->setGeometry(QRect(QPoint(0, 0), kInsertBase));
    insertChoice_->move(macro.InsertList.x, macro.InsertList.y);
    insertChoice_->setFont(SkinFont(fontFamily, size));
    insertChoice_->setStyleSheet(QStringLiteral("QComboBox, QComboBox QAbstractItemView { background: %1; color: %2; }")
                                     .arg(Rgb(macro.Color_F_LBack), Rgb(macro.Color_F)));
    for (std::size_t i = 0; i < kInsertOptions.size(); ++i) {
        const int y = macro.InsertRecDelay.y + static_cast<int>(i) * macro.InsertRecDelay_H;
        auto* box = insertPanel_->findChild<PictureLabel*>(Name(kInsertOptions[i].box));
        box->setGeometry(QRect(QPoint(macro.InsertRecDelay.x, y), box->PictureSize(kBox)));
        auto* label = insertPanel_->findChild<ClickLabel*>(Name(kInsertOptions[i].label));
        SetTextStyle(label, fontFamily, size, macro.Color_F);
        label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        label->setGeometry(macro.InsertRecDelay.x + kOptionTextInset, y + kBox.height() / 2 - kLabelHeight / 2,
                           kOptionTextWidth, kLabelHeight);
    }
    insertDelayEdit_->move(macro.InsertDelayEdit.x, macro.InsertDelayEdit.y);
    xEdit_->move(macro.InsertAxisEdit.x, macro.InsertAxisEdit.y);
    yEdit_->move(macro.InsertAxisEdit.x, macro.InsertAxisEdit.y);
    const auto placeLabel = [&](const char* name, int x, int y, int width) {
        auto* label = insertPanel_->findChild<QLabel*>(Name(name));
        SetTextStyle(label, fontFamily, size, macro.Color_F);
        label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        label->setGeometry(x, y, width, kEdit.height());
    };
    const int captionWidth = std::max(0, macro.InsertDelayEdit.x - kAxisLabelX - kLabelGap);
    placeLabel("lbl_Delay", kAxisLabelX, macro.InsertDelayEdit.y, captionWidth);
    placeLabel("lbl_s_A", macro.InsertDelayEdit.x + kEdit.width() + kLabelGap, macro.InsertDelayEdit.y, 40);
    const int axisWidth = std::max(0, macro.InsertAxisEdit.x - kAxisLabelX - kLabelGap);
    placeLabel("lbl_XAxisValue", kAxisLabelX, macro.InsertAxisEdit.y, axisWidth);
    placeLabel("lbl_YAxisValue", kAxisLabelX, macro.InsertAxisEdit.y, axisWidth);
    insertStart_.Place({macro.InsertBtnStart.x, macro.InsertBtnStart.y}, kInsertButton);
    ok_.Place({macro.InsertBtnOK.x, macro.InsertBtnOK.y}, kInsertButton);
    cancel_.Place({macro.InsertBtnCancel.x, macro.InsertBtnCancel.y}, kInsertButton);
    for (QLineEdit* edit : {delayEdit_, loopEdit_, insertDelayEdit_, xEdit_, yEdit_})
        edit->setFont(SkinFont(fontFamily, size));

    // Texts of the current language.
    new_.label->setText(Text("Str432"));
    delete_.label->setText(Text("Str860"));
    for (std::size_t i = 0; i < kInsertChoiceTexts.size(); ++i)
        insertChoice_->setItemText(static_cast<int>(i), Text(kInsertChoiceTexts[i]));
    for (const InsertOption& option : kInsertOptions)
        insertPanel_->findChild<ClickLabel*>(Name(option.label))->setText(Name(kOptionTextIndent) + Text(option.textKey));
    insertPanel_->findChild<QLabel*>(QStringLiteral("lbl_Delay"))->setText(Text("Str417"));
    insertPanel_->findChild<QLabel*>(QStringLiteral("lbl_s_A"))->setText(Text("Str418"));
    insertPanel_->findChild<QLabel*>(QStringLiteral("lbl_XAxisValue"))->setText(Text("Str444"));
    insertPanel_->findChild<QLabel*>(QStringLiteral("lbl_YAxisValue"))->setText(Text("Str445"));
    cancel_.label->setText(Text("Str422"));
    for (std::size_t i = 0; i < kLibraryMenu.size(); ++i)
        libraryMenu_->actions()[static_cast<qsizetype>(i)]->setText(Text(kLibraryMenu[i].textKey));
    for (std::size_t i = 0; i < kRowMenu.size(); ++i)
        rowMenu_->actions()[static_cast<qsizetype>(i)]->setText(Text(kRowMenu[i].textKey));
    for (QMenu* menu : {libraryMenu_, rowMenu_}) {
        menu->setFont(SkinFont(fontFamily, size));
        menu->setStyleSheet(QStringLiteral("QMenu { background: %1; color: %2; border: 1px solid %3; }"
                                           "QMenu::item:selected { background: %4; color: %1; }")
                                .arg(Rgb(macro.Color_F_Back), Rgb(macro.Color_F_Font), Rgb(macro.Color_F_LBorder),
                                     Rgb(macro.Color_MACRO)));
    }
    Show();
}

}  // namespace qeltra3k::ui
