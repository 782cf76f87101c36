#include "ui/KeyMenu.h"

#include <QEnterEvent>
#include <QListWidget>
#include <algorithm>
#include <array>

#include "ui/SkinStyle.h"
#include "ui/text/GeneralOptions.h"

namespace qeltra3k::ui {

namespace {

constexpr std::string_view kAssemblyEntry = "Key_Assembly";
constexpr std::string_view kMacroPanel = "Pnl_MacroName";

constexpr std::array<MenuEntrySpec, 7> kMainEntries{{
    {"Key_Standard", "Str201", 0, "Pnl_MseKey"},
    {"Key_Special", "Str202", 0, "Pnl_Special"},
    {"Key_Media", "Str203", 0, "Pnl_Media"},
    {"Key_WWW", "Str204", 0, "Pnl_WWW"},
    {"Key_MyPC", "Str207", 0, "Pnl_MyPC"},
    {kAssemblyEntry, "Str205", 0, {}},
    {"Key_Macro", "Str206", 0, kMacroPanel},
}};

// Opens the fire macro page rather than assigning; placed below the main entries when offered.
constexpr std::array<MenuEntrySpec, 1> kFireMacroEntry{{{"Key_FireMacro", "Str208", 0, {}}}};

constexpr std::array<MenuEntrySpec, 5> kMouseEntries{{
    {"Key_Left", "Str210", 900, {}},
    {"Key_Right", "Str211", 901, {}},
    {"Key_Middle", "Str212", 902, {}},
    {"Key_B4", "Str213", 903, {}},
    {"Key_B5", "Str214", 904, {}},
}};

// Every entry the special-keys submenu can show; Special_Config picks and orders them.
constexpr std::array<MenuEntrySpec, 8> kSpecialEntries{{
    {"Key_CPIKey", "Str230", 0, "Pnl_CPIKey"},
    {"Key_Fire", "Str220", 1000, {}},
    {"Key_LEDSwitch", "Str221", 1001, {}},
    {"Key_AIMKey", "Str222", 1002, {}},
    {"Key_FnFire", "Str223", 1003, {}},
    {"Key_KeyOff", "Str224", 1004, {}},
    {"Key_KeyMode", "Str225", 1005, {}},
    {"Key_LEDMode", "Str226", 1006, {}},
}};

constexpr std::array<MenuEntrySpec, 3> kCpiEntries{{
    {"Key_CPI", "Str231", 2000, {}},
    {"Key_CPII", "Str232", 2001, {}},
    {"Key_CPID", "Str233", 2002, {}},
}};

constexpr std::array<MenuEntrySpec, 7> kMediaEntries{{
    {"Key_PlayPause", "Str250", 1300, {}},
    {"Key_Stop", "Str251", 1301, {}},
    {"Key_PreviousTrack", "Str252", 1302, {}},
    {"Key_NextTrack", "Str253", 1303, {}},
    {"Key_VolumePlus", "Str254", 1304, {}},
    {"Key_VolumeMinus", "Str255", 1305, {}},
    {"Key_Mute", "Str256", 1306, {}},
}};

constexpr std::array<MenuEntrySpec, 7> kWebEntries{{
    {"Key_WWWHome", "Str260", 1400, {}},
    {"Key_WWWSearch", "Str261", 1401, {}},
    {"Key_WWWBack", "Str262", 1402, {}},
    {"Key_WWWForward", "Str263", 1403, {}},
    {"Key_WWWStop", "Str264", 1404, {}},
    {"Key_WWWRefresh", "Str265", 1405, {}},
    {"Key_WWWFavorites", "Str266", 1406, {}},
}};

constexpr std::array<MenuEntrySpec, 4> kMyPcEntries{{
    {"Key_Computer", "Str240", 1100, {}},
    {"Key_Calculator", "Str241", 1101, {}},
    {"Key_EMail", "Str242", 1102, {}},
    {"Key_Desktop", "Str243", 1103, {}},
}};

constexpr const char* kArrowText = "\u25B8";

QString Name(std::string_view name)
{
    return QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
}

// Arrow labels are named after their entry: Key_CPIKey -> ST_CPIKey.
QString ArrowName(std::string_view entryName)
{
    return QStringLiteral("ST_") + Name(entryName.substr(entryName.find('_') + 1));
}

}  // namespace

QPoint PlaceBeside(const QRect& anchor, QSize size, const QRect& bounds)
{
    int x = anchor.right() + 1;
    if (x + size.width() > bounds.right() + 1)
        x = anchor.left() - size.width();
    x = std::clamp(x, bounds.left(), std::max(bounds.left(), bounds.right() + 1 - size.width()));
    int y = anchor.top();
    if (y + size.height() > bounds.bottom() + 1)
        y = bounds.bottom() + 1 - size.height();
    y = std::max(y, bounds.top());
    return {x, y};
}

KeyMenu::KeyMenu(QWidget* host) : QObject(host), host_(host)
{
    // Room for every entry up front: the connections below keep indexes into it.
    entries_.reserve(kMainEntries.size() + kMouseEntries.size() + kSpecialEntries.size() + kCpiEntries.size() +
                     kMediaEntries.size() + kWebEntries.size() + kMyPcEntries.size() + kFireMacroEntry.size());
    AddEntries(MakePanel("Pnl_Main"), kMainEntries);
    AddEntries(MakePanel("Pnl_MseKey"), kMouseEntries);
    AddEntries(MakePanel("Pnl_Special"), kSpecialEntries);
    AddEntries(MakePanel("Pnl_CPIKey"), kCpiEntries);
    AddEntries(MakePanel("Pnl_Media"), kMediaEntries);
    AddEntries(MakePanel("Pnl_WWW"), kWebEntries);
    AddEntries(MakePanel("Pnl_MyPC"), kMyPcEntries);
    BuildMacroList(MakePanel(kMacroPanel));
    panels_.front().main = true;
    AddEntries(Panel("Pnl_Main"), kFireMacroEntry);
    entries_.back().label->hide();
    LayoutSpecialKeys(text::LayoutSpecialKeys(text::kShippedSpecialConfig));
}

QFrame* KeyMenu::MakePanel(std::string_view name)
{
    auto* frame = new QFrame(host_);
    frame->setObjectName(Name(name));
    frame->hide();
    panels_.push_back({frame, name, false});
    return frame;
}

void KeyMenu::AddEntries(QFrame* panel, std::span<const MenuEntrySpec> definitions)
{
    int row = 0;
    for (const MenuEntrySpec& definition : definitions) {
        Entry entry;
        entry.panel = panel;
        entry.definition = definition;
        entry.label = new ClickLabel(Name(definition.name), panel);
        entry.label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        entry.label->setAutoFillBackground(false);
        entry.label->move(kMenuBorder, kMenuBorder + row * kMenuEntryHeight);
        if (!definition.subPanel.empty()) {
            entry.arrow = new QLabel(QString::fromUtf8(kArrowText), panel);
            entry.arrow->setObjectName(ArrowName(definition.name));
            entry.arrow->setAttribute(Qt::WA_TransparentForMouseEvents);
            entry.arrow->move(0, kMenuBorder + row * kMenuEntryHeight);
        }
        const std::size_t index = entries_.size();
        entries_.push_back(entry);
        connect(entry.label, &ClickLabel::entered, this, [this, index] { Hovered(entries_[index], true); });
        connect(entry.label, &ClickLabel::left, this, [this, index] { Hovered(entries_[index], false); });
        connect(entry.label, &ClickLabel::clicked, this, [this, index] {
            const Entry& clicked = entries_[index];
            if (!clicked.definition.subPanel.empty()) {
                OpenSubmenu(clicked);
                return;
            }
            if (clicked.definition.name == kAssemblyEntry) {
                HideAll();
                Q_EMIT assemblyRequested();
                return;
            }
            if (clicked.definition.name == kFireMacroEntry.front().name) {
                HideAll();
                Q_EMIT fireMacroPicked();
                return;
            }
            const QString text = clicked.text;
            const int tag = clicked.definition.tag;
            HideAll();
            Q_EMIT picked(tag, text);
        });
        ++row;
    }
}

void KeyMenu::ApplySkin(const text::SkinKeyMenu& skin, const QString& fontFamily)
{
    skin_ = skin;
    fontFamily_ = fontFamily;
    for (const PanelInfo& info : panels_) {
        info.frame->setStyleSheet(QStringLiteral("QFrame#%1 { background-color: %2; border: %3px solid %4; }")
                                      .arg(info.frame->objectName(), ColourOf(skin.Color_G_Back).name())
                                      .arg(kMenuBorder)
                                      .arg(ColourOf(skin.Color_G_Border).name()));
        int width = skin.O_L_W;
        if (info.main)
            width = skin.M_L_W;
        else if (info.name == "Pnl_Special")
            width = skin.SP_L_W;
        info.frame->resize(std::max(width, 2 * kMenuBorder + kMenuEntryInset), info.frame->height());
    }
    for (Entry& entry : entries_) {
        const int panelWidth = entry.panel->width();
        entry.label->resize(panelWidth - kMenuEntryInset, kMenuEntryHeight);
        StyleEntry(entry, false);
        if (entry.arrow != nullptr) {
            SetTextStyle(entry.arrow, fontFamily_, skin.Size_G, skin.Color_G);
            entry.arrow->resize(kMenuArrowInset - kMenuEntryInset, kMenuEntryHeight);
            entry.arrow->move(panelWidth - kMenuArrowInset, entry.label->y());
            entry.arrow->setAlignment(Qt::AlignCenter);
        }
    }
    for (const PanelInfo& info : panels_) {
        if (info.name != kMacroPanel)
            info.frame->resize(info.frame->width(), info.main ? MainPanelHeight() : PanelContentHeight(info.frame));
    }
    macroList_->setStyleSheet(QStringLiteral("QListWidget { background: transparent; border: none; color: %1; }"
                                             "QListWidget::item { height: %2px; padding-left: 4px; }"
                                             "QListWidget::item:hover, QListWidget::item:selected { background: %3; color: %4; }")
                                  .arg(ColourOf(skin.Color_G).name())
                                  .arg(kMenuEntryHeight)
                                  .arg(ColourOf(skin.Color_G_SP).name(), ColourOf(skin.Color_G_SF).name()));
    SetTextStyle(macroList_, fontFamily_, skin.Size_G, skin.Color_G);
    FillMacroList();
}

void KeyMenu::StyleEntry(const Entry& entry, bool hovered)
{
    SetTextStyle(entry.label, fontFamily_, skin_.Size_G, hovered ? skin_.Color_G_SF : skin_.Color_G);
    // Entries are see-through labels; the hovered one is filled, which needs the system
    // background back that the see-through setting switched off.
    entry.label->setAttribute(Qt::WA_NoSystemBackground, !hovered);
    entry.label->setAutoFillBackground(hovered);
    if (hovered) {
        QPalette palette = entry.label->palette();
        palette.setColor(QPalette::Window, ColourOf(skin_.Color_G_SP));
        entry.label->setPalette(palette);
    }
    if (entry.arrow != nullptr)
        entry.arrow->raise();
}

void KeyMenu::ApplyTexts(const std::function<QString(std::string_view key)>& text)
{
    const QString prefix = QStringLiteral(" ") + text("Str200") + QStringLiteral(" ");
    for (Entry& entry : entries_) {
        entry.text = text(entry.definition.textKey);
        entry.label->setText(prefix + entry.text);
    }
}

void KeyMenu::LayoutSpecialKeys(const text::SpecialKeysLayout& layout)
{
    QFrame* special = Panel("Pnl_Special");
    for (Entry& entry : entries_) {
        if (entry.panel != special)
            continue;
        const auto placed = std::find_if(layout.entries.begin(), layout.entries.end(),
                                         [&](const text::SpecialKeyPlacement& p) { return p.name == entry.definition.name; });
        // An entry Special_Config does not name stays out of the panel's view.
        const bool shown = placed != layout.entries.end();
        entry.label->setVisible(shown);
        if (shown)
            entry.label->move(kMenuBorder, kMenuBorder + placed->top);
        if (entry.arrow != nullptr) {
            entry.arrow->setVisible(shown);
            if (shown)
                entry.arrow->move(entry.arrow->x(), kMenuBorder + placed->top);
        }
    }
    special->resize(special->width(), layout.panelHeight);
}

void KeyMenu::SetMainPanelHeight(int height)
{
    mainHeight_ = height;
    QFrame* main = Panel("Pnl_Main");
    main->resize(main->width(), MainPanelHeight());
}

void KeyMenu::SetMacroNames(std::function<QStringList()> names)
{
    macroNames_ = std::move(names);
}

int KeyMenu::MainPanelHeight() const
{
    const QFrame* main = Panel("Pnl_Main");
    if (mainHeight_ <= 0)
        return PanelContentHeight(main);
    // The layout's heights count entries, not pixels of this window's entry height: an entry
    // that begins inside the height is offered whole, one that begins below it not at all.
    int bottom = 0;
    for (const Entry& entry : entries_) {
        if (entry.panel == main && !entry.label->isHidden() && entry.label->y() < mainHeight_)
            bottom = std::max(bottom, entry.label->y() + kMenuEntryHeight);
    }
    return bottom + kMenuBorder;
}

void KeyMenu::BuildMacroList(QFrame* panel)
{
    macroList_ = new QListWidget(panel);
    macroList_->setObjectName(QStringLiteral("LB_Name"));
    macroList_->setUniformItemSizes(true);
    macroList_->setMouseTracking(true);
    macroList_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    macroList_->setFocusPolicy(Qt::NoFocus);
    macroList_->move(kMenuBorder, kMenuBorder);
    connect(macroList_, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        const int index = macroList_->row(item);
        HideAll();
        Q_EMIT macroPicked(index);
    });
}

void KeyMenu::FillMacroList()
{
    macroList_->clear();
    if (macroNames_)
        macroList_->addItems(macroNames_());
    QFrame* panel = Panel(kMacroPanel);
    // An empty library still shows an empty row, so the submenu is seen to have opened.
    const int rows = std::clamp(macroList_->count(), 1, kMacroListRows);
    const int width = std::max(skin_.O_L_W, 2 * kMenuBorder + kMenuEntryInset);
    panel->resize(width, rows * kMenuEntryHeight + 2 * kMenuBorder);
    macroList_->resize(width - 2 * kMenuBorder, rows * kMenuEntryHeight);
}

int KeyMenu::PanelContentHeight(const QFrame* panel) const
{
    int bottom = 0;
    for (const Entry& entry : entries_) {
        if (entry.panel == panel && !entry.label->isHidden())
            bottom = std::max(bottom, entry.label->y() + kMenuEntryHeight);
    }
    return bottom + kMenuBorder;
}

void KeyMenu::SetFireMacroRule(std::function<bool()> shown)
{
    fireMacroShown_ = std::move(shown);
}

void KeyMenu::OpenBeside(const QRect& anchor)
{
    HideAll();
    QFrame* main = Panel("Pnl_Main");
    for (Entry& entry : entries_) {
        if (entry.definition.name != kFireMacroEntry.front().name)
            continue;
        entry.label->hide();
        entry.label->move(kMenuBorder, PanelContentHeight(main) - kMenuBorder);
        entry.label->setVisible(fireMacroShown_ && fireMacroShown_());
    }
    if (mainHeight_ > 0)
        SetMainPanelHeight(mainHeight_);
    main->move(PlaceBeside(anchor, main->size(), host_->rect()));
    main->show();
    main->raise();
}

void KeyMenu::Hovered(Entry& entry, bool inside)
{
    StyleEntry(entry, inside);
    if (!inside)
        return;
    // Hovering an entry closes the submenus of its siblings and opens its own.
    CloseSubmenusOf(entry.panel);
    if (!entry.definition.subPanel.empty())
        OpenSubmenu(entry);
}

void KeyMenu::OpenSubmenu(const Entry& entry)
{
    QFrame* sub = Panel(entry.definition.subPanel);
    if (sub == nullptr)
        return;
    if (entry.definition.subPanel == kMacroPanel)
        FillMacroList();
    const QRect anchor(entry.panel->mapTo(host_, QPoint(0, entry.label->y())),
                       QSize(entry.panel->width(), kMenuEntryHeight));
    sub->move(PlaceBeside(anchor, sub->size(), host_->rect()));
    sub->show();
    sub->raise();
}

void KeyMenu::CloseSubmenusOf(const QFrame* panel)
{
    for (const Entry& entry : entries_) {
        if (entry.panel != panel || entry.definition.subPanel.empty())
            continue;
        if (QFrame* sub = Panel(entry.definition.subPanel); sub != nullptr && sub->isVisible()) {
            CloseSubmenusOf(sub);
            sub->hide();
        }
    }
}

void KeyMenu::HideAll()
{
    for (const PanelInfo& info : panels_)
        info.frame->hide();
}

bool KeyMenu::IsOpen() const
{
    return Panel("Pnl_Main")->isVisible();
}

QFrame* KeyMenu::Panel(std::string_view name) const
{
    for (const PanelInfo& info : panels_) {
        if (info.name == name)
            return info.frame;
    }
    return nullptr;
}

}  // namespace qeltra3k::ui
