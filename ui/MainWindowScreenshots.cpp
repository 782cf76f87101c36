// The review run: every page in every language rendered to PNG files, as the window shows
// them (the key page also with its menu open).
#include <QApplication>
#include <QDir>
#include <QEnterEvent>
#include <QPixmap>

#include "ui/KeyMenu.h"
#include "ui/MainWindow.h"
#include "ui/WindowTables.h"

namespace qeltra3k::ui {

namespace {

struct Shot {
    const char* name;
    PageState state;
    int panel;  // the page shown; the fire macro page keeps the key page's state
};

constexpr std::array<Shot, 7> kShots{{
    {"1-key-office", PageState::Office, 1},
    {"1-key-game", PageState::Game, 1},
    {"2-advanced", PageState::Advanced, 2},
    {"3-light", PageState::Light, 3},
    {"4-macro", PageState::Macro, 4},
    {"5-fire-macro", PageState::Office, 5},
    {"6-engineer", PageState::Engineer, 6},
}};

constexpr int kMenuShotKey = 3;

void Settle()
{
    for (int i = 0; i < 3; ++i)
        QApplication::processEvents();
}

}  // namespace

bool MainWindow::WriteScreenshots(const QString& folder)
{
    if (!QDir().mkpath(folder))
        return false;
    bool written = true;
    const auto save = [&](const QString& name) {
        Settle();
        written = grab().save(QDir(folder).filePath(name + QStringLiteral(".png")), "PNG") && written;
    };
    for (int language = 1; language <= text::kLanguageCount; ++language) {
        LanguageButtonClick(language);
        const QString prefix = QStringLiteral("lang%1-").arg(language);
        for (const Shot& shot : kShots) {
            ShowPage(shot.state);
            if (shot.panel != InfoOf(shot.state).page)
                ShowOnlyPanel(shot.panel);
            save(prefix + QString::fromLatin1(shot.name));
        }
        // The key menu open on a key, with the special keys' submenu.
        ShowPage(PageState::Office);
        KeyClick(kMenuShotKey);
        if (QWidget* special = Find(QStringLiteral("Key_Special"))) {
            QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
            QApplication::sendEvent(special, &enter);
        }
        save(prefix + QStringLiteral("1-key-menu"));
        CloseMenus();
    }
    LanguageButtonClick(1);
    ShowPage(PageState::Office);
    return written;
}

}  // namespace qeltra3k::ui
