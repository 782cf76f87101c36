#pragma once
// gbPage6, the engineer page: both key sets at once (btn_Key101 .. 109, btn_Key201 .. 209,
// assigned through the same key menu), the key test, the identity bytes and plain controls
// over the form model's fields. Every change goes through config/FormEditing.h.
#include <QObject>
#include <array>
#include <optional>
#include <string>

class QCheckBox;
class QComboBox;
class QFrame;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace qeltra3k::ui {

class MainWindow;

class EngineerPage : public QObject {
    Q_OBJECT
public:
    EngineerPage(MainWindow& window, QFrame* page);

    void ApplyLanguage(const QString& fontFamily);
    // Every control from the form model.
    void Refresh();
    // Only the eighteen key buttons.
    void RefreshKeys();
    void SetTestButtonEnabled(bool enabled);
    void SetTestButtonCaption(const std::optional<std::string>& countdown);

    // The fire macro block is read the first time the page opens.
    bool FireBlockRead() const { return fireBlockRead_; }
    void SetFireBlockRead() { fireBlockRead_ = true; }

private:
    void Build();
    QPushButton* KeyButton(int number) const;

    MainWindow& window_;
    QFrame* page_;
    bool fireBlockRead_ = false;
    bool refreshing_ = false;

    QComboBox* keyMode_ = nullptr;
    QCheckBox* midPress_ = nullptr;
    QCheckBox* cpiPress_ = nullptr;
    QCheckBox* gunPress_ = nullptr;
    QRadioButton* save_ = nullptr;
    QRadioButton* noSave_ = nullptr;
    QComboBox* cpiStep_ = nullptr;
    QComboBox* currentCpi_ = nullptr;
    std::array<QComboBox*, 7> cpi_{};
    QComboBox* aimValue_ = nullptr;
    QComboBox* fireCount_ = nullptr;
    QCheckBox* fireContinue_ = nullptr;
    QLineEdit* fireTime_ = nullptr;
    QLineEdit* vendorId_ = nullptr;
    QLineEdit* productId_ = nullptr;
    QPushButton* testKeys_ = nullptr;
};

}  // namespace qeltra3k::ui
