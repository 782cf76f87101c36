#pragma once
// The function menu of the key page: the main panel Pnl_Main beside the clicked button and
// its submenus, opened by hovering their entries. A leaf entry carries the tag whose code
// config::CodeForMenuTag gives; picking it reports the tag and the entry's text, and the
// window does the assignment. Key_Macro opens the list LB_Name of the library's macro names,
// read afresh each time it opens; Key_Assembly asks for the key-assembly dialog.
#include <QFrame>
#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>
#include <string_view>
#include <vector>

#include "ui/SkinWidgets.h"
#include "ui/text/SkinSection.h"
#include "ui/text/SpecialKeys.h"

class QListWidget;

namespace qeltra3k::ui {

inline constexpr int kMenuEntryHeight = text::kSpecialEntryHeight;
inline constexpr int kMenuBorder = 1;
// Entries are this much narrower than their panel; arrows sit this far from its right edge.
inline constexpr int kMenuEntryInset = 4;
inline constexpr int kMenuArrowInset = 24;

// Where a panel of `size` opens beside `anchor`: to its right when it fits inside `bounds`,
// else to its left; level with the anchor's top, moved up when it would leave `bounds` at the
// bottom; never outside `bounds` where the panel fits in them at all.
QPoint PlaceBeside(const QRect& anchor, QSize size, const QRect& bounds);

// One entry of a panel.
struct MenuEntrySpec {
    std::string_view name;     // Key_... control name
    std::string_view textKey;  // its text in the language tables
    int tag = 0;               // leaf entries: the menu tag; 0 for an entry with a submenu
    std::string_view subPanel; // the submenu it opens, or empty
};

// The macro list shows this many names at most; more scroll.
inline constexpr int kMacroListRows = 12;

class KeyMenu : public QObject {
    Q_OBJECT
public:
    // The panels become children of `host`, the widget they are kept inside.
    explicit KeyMenu(QWidget* host);

    // Fonts, colours and panel widths of the skin's key menu family.
    void ApplySkin(const text::SkinKeyMenu& skin, const QString& fontFamily);
    // Captions: a space, the menu prefix (Str200), a space and the entry's text.
    void ApplyTexts(const std::function<QString(std::string_view key)>& text);
    // The special-keys submenu in the order of Special_Config.
    void LayoutSpecialKeys(const text::SpecialKeysLayout& layout);
    // Pnl_Main's height from the layout: the entries that begin within it are offered, each
    // whole; the panel never grows past its present entries.
    void SetMainPanelHeight(int height);
    // Where LB_Name gets the macro names when Key_Macro opens it.
    void SetMacroNames(std::function<QStringList()> names);

    // Opens Pnl_Main beside `anchor` (host coordinates), all submenus closed.
    void OpenBeside(const QRect& anchor);
    // Key_FireMacro is offered only when `shown` says so as the menu opens (the game-mode key
    // page with the gun functions on); it sits below the other main entries.
    void SetFireMacroRule(std::function<bool()> shown);
    void HideAll();
    bool IsOpen() const;

    QFrame* Panel(std::string_view name) const;
    QListWidget* MacroList() const { return macroList_; }

Q_SIGNALS:
    void picked(int tag, const QString& entryText);
    // Entry `index` of LB_Name, a position in the library's name list.
    void macroPicked(int index);
    void assemblyRequested();
    // Key_FireMacro was clicked: the fire macro page opens instead of an assignment.
    void fireMacroPicked();

private:
    struct Entry {
        ClickLabel* label = nullptr;
        QLabel* arrow = nullptr;
        QFrame* panel = nullptr;  // the panel holding the entry
        MenuEntrySpec definition;
        QString text;             // the entry's own text, without the prefix
    };
    struct PanelInfo {
        QFrame* frame = nullptr;
        std::string_view name;
        bool main = false;
    };

    QFrame* MakePanel(std::string_view name);
    void AddEntries(QFrame* panel, std::span<const MenuEntrySpec> definitions);
    void Hovered(Entry& entry, bool inside);
    void OpenSubmenu(const Entry& entry);
    // Closes every open submenu below `panel` (or all submenus when null).
    void CloseSubmenusOf(const QFrame* panel);
    void StyleEntry(const Entry& entry, bool hovered);
    int PanelContentHeight(const QFrame* panel) const;
    int MainPanelHeight() const;
    void BuildMacroList(QFrame* panel);
    void FillMacroList();

    QWidget* host_;
    std::vector<PanelInfo> panels_;
    std::vector<Entry> entries_;
    text::SkinKeyMenu skin_;
    QString fontFamily_;
    int mainHeight_ = 0;
    QListWidget* macroList_ = nullptr;
    std::function<QStringList()> macroNames_;
    std::function<bool()> fireMacroShown_;
};

}  // namespace qeltra3k::ui
