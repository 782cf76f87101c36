// Building the window: six pages, the top bar on pages 1 to 4, the key page and the caption
// labels of the other pages. Every control gets its design name; the skin places it later.
#include <QButtonGroup>
#include <QFrame>
#include <QRadioButton>

#include "ui/AdvancedPage.h"
#include "ui/EngineerPage.h"
#include "ui/FirePage.h"
#include "ui/LightPage.h"
#include "ui/MacroPage.h"
#include "ui/MainWindow.h"
#include "ui/SkinWidgets.h"
#include "ui/WindowTables.h"

namespace qeltra3k::ui {

QString QName(std::string_view name)
{
    return QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
}

QString CopyName(std::string_view prefix, int copy)
{
    return QName(prefix) + QString::number(copy);
}

const TopBarButton* FindTopBarButton(std::string_view stem)
{
    for (const TopBarButton& button : kTopBarButtons) {
        if (button.stem == stem)
            return &button;
    }
    return nullptr;
}

const PageStateInfo& InfoOf(PageState state)
{
    for (const PageStateInfo& info : kPageStates) {
        if (info.state == state)
            return info;
    }
    return kPageStates.front();
}

void MainWindow::BuildPages()
{
    for (int page = 1; page <= kPageCount; ++page) {
        auto* frame = new QFrame(this);
        frame->setObjectName(CopyName("gbPage", page));
        frame->setAttribute(Qt::WA_NoSystemBackground);
        frame->setGeometry(0, 0, backgroundSize_.width(), backgroundSize_.height());
        if (page <= 5) {
            auto* base = new BackgroundPicture(CopyName("Img_Base_", page), frame);
            connect(base, &PictureLabel::pressed, this, [this] { CloseMenus(); });
            auto* picture = new PictureLabel(CopyName("Img_P", page), frame);
            connect(picture, &PictureLabel::pressed, this, [this] { CloseMenus(); });
        }
        frame->hide();
    }
    // The hidden radio groups that hold the page state and the language.
    auto* states = new QButtonGroup(this);
    for (const PageStateInfo& info : kPageStates) {
        auto* radio = new QRadioButton(this);
        radio->setObjectName(QName(info.radio));
        radio->hide();
        states->addButton(radio);
    }
    auto* languages = new QButtonGroup(this);
    for (int language = 1; language <= text::kLanguageCount; ++language) {
        auto* radio = new QRadioButton(this);
        radio->setObjectName(CopyName("rb_Lang", language));
        radio->hide();
        languages->addButton(radio);
    }

    BuildKeyPage();
    BuildCaptionLabels();
    new LightPage(*this, Page(3));
    new FirePage(*this, Page(5));
    new MacroPage(*this, Page(4));  // before the top bar, so the busy overlay lies over it
    new AdvancedPage(*this, Page(2), setup_.dataFolder);
    for (int copy = 1; copy <= kPageCopies; ++copy)
        BuildTopBar(copy);
    engineer_ = new EngineerPage(*this, Page(6));
}

void MainWindow::BuildTopBar(int copy)
{
    QFrame* page = Page(copy);
    for (const TopBarButton& button : kTopBarButtons) {
        const QString stem = QName(button.stem) + u'_';
        auto* picture = new PictureLabel(QStringLiteral("Img_") + stem + QString::number(copy), page);
        picture->SetPicture(QName(button.family) + QStringLiteral("_01"));
        auto* label = new ClickLabel(QStringLiteral("Btn_") + stem + QString::number(copy), page);
        ConnectHover(label);
        const TopBarButton* entry = &button;
        if (button.family == "BtnS")
            connect(label, &ClickLabel::pressed, this, [this, label] { ActionPressed(label); });
        connect(label, &ClickLabel::clicked, this, [this, entry] {
            switch (entry->kind) {
            case TopBarKind::Confirm: ConfirmClick(); break;
            case TopBarKind::Apply: ApplyClick(); break;
            case TopBarKind::Reset1: ResetClick(0); break;
            case TopBarKind::Reset2: ResetClick(1); break;
            case TopBarKind::Reset3: ResetClick(2); break;
            case TopBarKind::Exit: close(); break;
            case TopBarKind::Mini: CloseMenus(); showMinimized(); break;
            case TopBarKind::Read: ReadClick(); break;
            case TopBarKind::Page: PageButtonClick(*entry->page); break;
            case TopBarKind::Save: SaveClick(); break;
            case TopBarKind::Load: LoadClick(); break;
            case TopBarKind::Language: LanguageButtonClick(entry->language); break;
            case TopBarKind::Web: WebClick(); break;
            }
        });
    }
    // The overlay lies over everything on the page but the exit and minimise buttons.
    auto* overlay = new BusyOverlay(CopyName("Disable_All_", copy), page);
    overlay->setGeometry(page->rect());
    for (const char* stem : {"Exit_", "Mini_"}) {
        Find(QStringLiteral("Img_") + QLatin1String(stem) + QString::number(copy))->raise();
        Find(QStringLiteral("Btn_") + QLatin1String(stem) + QString::number(copy))->raise();
    }
}

void MainWindow::BuildKeyPage()
{
    QFrame* page = Page(1);
    for (int key = 1; key <= static_cast<int>(config::kKeysPerProfile); ++key) {
        auto* picture = new PictureLabel(CopyName("Img_Key", key), page);
        picture->SetPicture(QStringLiteral("KeyS_01"));
        auto* label = new ClickLabel(CopyName("Key", key), page);
        ConnectHover(label);
        connect(label, &ClickLabel::clicked, this, [this, key] { KeyClick(key); });
    }
    for (int hint = 1; hint <= static_cast<int>(kComboHintTexts.size()); ++hint) {
        auto* picture = new PictureLabel(CopyName("Img_ComboKey", hint), page);
        picture->SetPicture(QStringLiteral("CbS_D"));
        auto* label = new ClickLabel(CopyName("IB_ComboKey", hint), page);
        label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        connect(label, &ClickLabel::clicked, this, [this, hint] { ComboKeyClick(hint); });
        connect(picture, &PictureLabel::clicked, this, [this, hint] { ComboKeyClick(hint); });
    }
}

void MainWindow::BuildCaptionLabels()
{
    // The macro page's delay options sit in their own group; positions in it are relative.
    auto* delayGroup = new QFrame(Page(4));
    delayGroup->setObjectName(QStringLiteral("Gb_Delay"));
    delayGroup->setAttribute(Qt::WA_TranslucentBackground);
    for (const CaptionLabel& caption : kCaptionLabels) {
        QWidget* parent = caption.group.empty() ? static_cast<QWidget*>(Page(caption.page)) : delayGroup;
        auto* label = new QLabel(parent);
        label->setObjectName(QName(caption.label));
        label->setAttribute(Qt::WA_TranslucentBackground);
    }
    for (int n = 1; n <= kOptionLabelCount; ++n) {
        for (const auto& [prefix, page] : {std::pair{"lbl_DPI", 2}, {"lbl_MCULEDMode", 3}, {"lbl_RBLEDMode", 3}}) {
            auto* label = new QLabel(Page(page));
            label->setObjectName(CopyName(prefix, n));
            label->setAttribute(Qt::WA_TranslucentBackground);
        }
    }
}

void MainWindow::ConnectHover(ClickLabel* label)
{
    connect(label, &ClickLabel::entered, this, [this, label] { HoverEnter(label); });
    connect(label, &ClickLabel::left, this, [this, label] { HoverLeave(label); });
}

QFrame* MainWindow::Page(int page) const
{
    return findChild<QFrame*>(CopyName("gbPage", page), Qt::FindDirectChildrenOnly);
}

QWidget* MainWindow::Find(const QString& name) const
{
    return findChild<QWidget*>(name);
}

}  // namespace qeltra3k::ui
