#pragma once
// gbPage5, the fire macro page: seven gun buttons, up to three rows of fire macro edits with
// their stop-on-release boxes and colour squares, Confirm and Exit. It shows a fire::FirePage
// and hands every edit to the rules of fire/FirePage.h; it is opened from the key menu's fire
// macro entry for the key label whose menu was open.
#include <QColor>
#include <QObject>
#include <array>
#include <functional>
#include <optional>

#include "fire/FirePage.h"
#include "fire/GunKeys.h"
#include "ui/text/SkinSection.h"

class QCheckBox;
class QFrame;
class QLabel;
class QLineEdit;

namespace qeltra3k::ui {

class ClickLabel;
class MainWindow;
class PictureLabel;

// The five edits of one row, in the order count, X, Y, Y offset, time.
enum class FireField { Count, X, Y, YOffset, Time };
inline constexpr int kFireFieldCount = 5;

class FirePage : public QObject {
    Q_OBJECT
public:
    FirePage(MainWindow& window, QFrame* page);

    // The fire macro page family and the page's own texts.
    void ApplySkin(const text::SkinSection& skin, const QString& fontFamily);
    // The key menu's fire macro entry for Key1 .. Key9: the fire macro block is read once,
    // the page is shown alone with gun 1.
    void Open(int keyNumber);
    // Shows gun g (1 .. 7) with its rows decoded again.
    void SelectGun(int gun);
    // The records were unpacked again: while the page is shown it shows them.
    void Refresh();
    // Btn_FireConfirm and Btn_FireExit.
    void Confirm();
    void Exit();

    int Gun() const { return model_.gun; }
    int KeyNumber() const { return keyNumber_; }

    // The colour chooser (the platform's dialog); tests replace it. Nothing: cancelled.
    std::function<std::optional<QColor>(const QColor& initial)> chooseColour;

private:
    struct Row {
        PictureLabel* box = nullptr;   // Img_FireRKFSr
        ClickLabel* boxLabel = nullptr;  // lbl_FireRKFSr
        QCheckBox* check = nullptr;    // cb_FireRKFSr
        std::array<QLineEdit*, kFireFieldCount> edits{};
        QLabel* square = nullptr;      // cs_FireColorr
        PictureLabel* frame = nullptr;  // Img_FireColorr
        ClickLabel* colourLabel = nullptr;  // IB_FireColorr
    };

    void Build();
    // The key menu exists only after the pages: its fire macro entry is tied in at the first skin.
    void ConnectKeyMenu();
    void BuildRow(int row);
    void FieldEdited(int row, FireField field);
    void ToggleStop(int row);
    void ChooseColour(int row);
    // The page's model into its controls.
    void ShowModel();
    void ShowGunPictures();
    QLineEdit* Edit(int row, FireField field) const;

    MainWindow& window_;
    QFrame* page_;
    fire::FirePage model_;
    std::array<Row, fire::kMaxGunRows> rows_{};
    std::array<PictureLabel*, fire::kGunCount> gunPictures_{};
    int hoveredGun_ = 0;
    int keyNumber_ = 0;
    // Set while the page fills its own fields, so their change handlers stay quiet.
    bool loading_ = false;
    bool menuConnected_ = false;
};

}  // namespace qeltra3k::ui
