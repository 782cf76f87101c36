#pragma once
// The two dialogs that capture keys from the keyboard, on the "MSG" picture like the macro
// dialogs: the key-assembly dialog TForm2 (a key plus Ctrl, Shift, Alt and Win for a mouse
// button) and the single-key dialog TForm5 (one key for a key row of a macro). Their rules
// are the plain ones of config/KeyAssembly.h; these classes only show them and feed them the
// keys typed into the read-only field.
#include <QDialog>
#include <QString>
#include <array>
#include <optional>

#include "config/KeyAssembly.h"
#include "ui/text/SkinSection.h"

class QLineEdit;
class QKeyEvent;

namespace qeltra3k::ui {

class ClickLabel;
class PictureLabel;

// The window's texts for a key dialog: title, confirm and clear captions and the font.
struct KeyDialogTexts {
    QString title;
    QString confirmText;
    QString clearText;
    QString fontFamily;
};

// The virtual key a Qt key event stands for; nothing for a key without one.
std::optional<int> VirtualKeyOf(const QKeyEvent& event);

class AssemblyDialog : public QDialog {
    Q_OBJECT
public:
    AssemblyDialog(const KeyDialogTexts& texts, const text::SkinAssemblyDialog& skin, QWidget* mainWindow);

    const config::KeyAssembly& State() const { return state_; }
    QLineEdit* Field() const { return field_; }
    // The actions of the field, the boxes and the buttons, as the events run them.
    void KeyPressed(int virtualKey, bool modifierHeld);
    void Toggle(config::AssemblyModifier modifier);
    void Confirm();
    void Clear();

Q_SIGNALS:
    // The text the user saw and the code "02" + modifier mask + usage.
    void confirmed(const QString& displayText, const QString& code);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Show();

    config::KeyAssembly state_;
    QLineEdit* field_ = nullptr;
    std::array<PictureLabel*, 4> boxes_{};  // in AssemblyModifier order
};

class SingleKeyDialog : public QDialog {
    Q_OBJECT
public:
    // `press`: a key press row is being edited (else a release).
    SingleKeyDialog(bool press, const KeyDialogTexts& texts, const text::SkinNameDialog& skin, QWidget* mainWindow);

    QLineEdit* Field() const { return field_; }
    std::optional<int> CapturedKey() const { return key_; }
    // "F5 CODE:823E"; empty without a key.
    QString ResultLine() const { return line_; }
    void KeyPressed(int virtualKey);
    void Confirm();
    void Clear();

Q_SIGNALS:
    // The captured key; nothing when the field was empty.
    void confirmed(std::optional<int> virtualKey);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool press_;
    std::optional<int> key_;
    QString line_;
    QLineEdit* field_ = nullptr;
};

}  // namespace qeltra3k::ui
