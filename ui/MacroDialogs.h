#pragma once
// The macro page's small skinned dialogs: the macro name (TForm3), the delay (TForm6) and the
// value (TForm7) dialogs, on the "MSG" picture, placed by the skin's dialog keys. They are
// shown without blocking the main window; Confirm hands the text to whoever opened the
// dialog, Close ends it without a result. The input rules are the plain corrections of
// macros/MacroEditorFields.h, applied on every change.
//
// Also here: the label-over-picture button the macro page and the dialogs share (pictures
// <family>_01 normal, _02 under the mouse, _03 pressed).
#include <QDialog>
#include <QString>
#include <functional>

#include "ui/text/SkinSection.h"

class QLineEdit;
class QLabel;

namespace qeltra3k::ui {

class ClickLabel;
class PictureLabel;

struct SkinButton {
    PictureLabel* picture = nullptr;
    ClickLabel* label = nullptr;
    // Both at `at` with the picture's size (or `fallback` without one).
    void Place(QPoint at, QSize fallback) const;
    void SetVisible(bool visible) const;
};
// Img_<stem> under Btn_<stem> (or the names given), hover and press pictures wired.
SkinButton MakeSkinButton(QWidget* parent, const QString& labelName, const QString& pictureName, const QString& family);

enum class MacroDialogKind {
    Name,         // TForm3: any text up to 16 characters
    Delay,        // TForm6: 0 .. 2040 ms
    MoveValue,    // TForm7 for an X or Y row: -128 .. 127
    RepeatCount,  // TForm7 for a repeat row: 0 .. 255
};

inline constexpr int kMacroNameMaxLength = 16;

// What a dialog shows: the window's texts and font, and the skin's dialog keys.
struct MacroDialogLook {
    QString title;
    QString confirmText;
    QString clearText;
    QString fontFamily;
    text::SkinNameDialog skin;
};

class MacroDialog : public QDialog {
    Q_OBJECT
public:
    MacroDialog(MacroDialogKind kind, const MacroDialogLook& look, QWidget* mainWindow);

    MacroDialogKind Kind() const { return kind_; }
    QLineEdit* Input() const { return input_; }
    // The buttons' actions, as a click runs them.
    void Confirm();
    void Clear();

Q_SIGNALS:
    void confirmed(const QString& text);

private:
    void Correct(const QString& typed);

    MacroDialogKind kind_;
    QLineEdit* input_ = nullptr;
    bool correcting_ = false;
};

}  // namespace qeltra3k::ui
