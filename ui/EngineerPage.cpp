#include "ui/EngineerPage.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>

#include "config/DpiTable.h"
#include "config/FormEditing.h"
#include "ui/MainWindow.h"

namespace qeltra3k::ui {

namespace {

// The engineer page speaks the engineers' English whatever the language tables say.
constexpr const char* kTestKeysCaption = "Test Keys Position";
constexpr int kFireCountItems = 256;
constexpr int kLevelCountMin = 2;
constexpr int kLevelCountMax = 7;
constexpr int kDpiTextFirst = 300;
const QColor kPageColour(236, 238, 241);
const QColor kPageButtonColour(222, 226, 231);

QString DpiText(MainWindow& window, int index)
{
    return QString::fromStdString(window.Controller().Text("Str" + std::to_string(kDpiTextFirst + index)));
}

}  // namespace

EngineerPage::EngineerPage(MainWindow& window, QFrame* page) : QObject(page), window_(window), page_(page)
{
    Build();
}

QPushButton* EngineerPage::KeyButton(int number) const
{
    return page_->findChild<QPushButton*>(QStringLiteral("btn_Key%1").arg(number));
}

void EngineerPage::Build()
{
    // A plain light page: it does not wear the skin, and must not show the window's
    // transparent colour through.
    QPalette palette(kPageButtonColour);
    palette.setColor(QPalette::Window, kPageColour);
    palette.setColor(QPalette::Base, Qt::white);
    palette.setColor(QPalette::WindowText, Qt::black);
    palette.setColor(QPalette::Text, Qt::black);
    palette.setColor(QPalette::ButtonText, Qt::black);
    page_->setPalette(palette);
    page_->setAutoFillBackground(true);
    page_->setAttribute(Qt::WA_NoSystemBackground, false);
    auto* grid = new QGridLayout(page_);

    auto* keys = new QGroupBox(QStringLiteral("Key Mode1 / Key Mode2"), page_);
    auto* keyGrid = new QGridLayout(keys);
    for (int profile = 1; profile <= 2; ++profile) {
        keyGrid->addWidget(new QLabel(QStringLiteral("Key Mode%1").arg(profile), keys), 0, profile);
        for (int key = 1; key <= 9; ++key) {
            const int number = profile * 100 + key;
            if (profile == 1)
                keyGrid->addWidget(new QLabel(QStringLiteral("Key%1").arg(key), keys), key, 0);
            auto* button = new QPushButton(keys);
            button->setObjectName(QStringLiteral("btn_Key%1").arg(number));
            button->setMinimumWidth(170);
            connect(button, &QPushButton::clicked, this, [this, number] { window_.EngineerKeyClick(number); });
            keyGrid->addWidget(button, key, profile);
        }
    }
    testKeys_ = new QPushButton(QString::fromLatin1(kTestKeysCaption), keys);
    testKeys_->setObjectName(QStringLiteral("btn_TestKeys"));
    connect(testKeys_, &QPushButton::clicked, this, [this] { window_.Controller().btn_TestKeysClick(); });
    keyGrid->addWidget(testKeys_, 10, 1, 1, 2);
    keyGrid->setRowStretch(11, 1);
    grid->addWidget(keys, 0, 0, 3, 1);

    auto* mode = new QGroupBox(QStringLiteral("Switch Key Mode"), page_);
    auto* modeGrid = new QGridLayout(mode);
    keyMode_ = new QComboBox(mode);
    keyMode_->setObjectName(QStringLiteral("cb_KeyMode"));
    keyMode_->addItems({QStringLiteral("Key Mode1"), QStringLiteral("Key Mode2")});
    midPress_ = new QCheckBox(QStringLiteral("Press Middle Key"), mode);
    midPress_->setObjectName(QStringLiteral("cb_MidPress"));
    cpiPress_ = new QCheckBox(QStringLiteral("Press CPI Key"), mode);
    cpiPress_->setObjectName(QStringLiteral("cb_CPIPress"));
    gunPress_ = new QCheckBox(QStringLiteral("Press Gun Key"), mode);
    gunPress_->setObjectName(QStringLiteral("cb_GunPress"));
    save_ = new QRadioButton(QStringLiteral("Save"), mode);
    save_->setObjectName(QStringLiteral("rb_Save"));
    noSave_ = new QRadioButton(QStringLiteral("No Save"), mode);
    noSave_->setObjectName(QStringLiteral("rb_NoSave"));
    modeGrid->addWidget(new QLabel(QStringLiteral("Key Mode:"), mode), 0, 0);
    modeGrid->addWidget(keyMode_, 0, 1);
    modeGrid->addWidget(midPress_, 1, 0, 1, 2);
    modeGrid->addWidget(cpiPress_, 2, 0, 1, 2);
    modeGrid->addWidget(gunPress_, 3, 0, 1, 2);
    modeGrid->addWidget(new QLabel(QStringLiteral("Is Save Key Mode"), mode), 4, 0, 1, 2);
    modeGrid->addWidget(save_, 5, 0);
    modeGrid->addWidget(noSave_, 5, 1);
    grid->addWidget(mode, 0, 1);

    auto* cpi = new QGroupBox(QStringLiteral("CPI"), page_);
    auto* cpiGrid = new QGridLayout(cpi);
    cpiStep_ = new QComboBox(cpi);
    cpiStep_->setObjectName(QStringLiteral("cb_CPIStep"));
    for (int count = kLevelCountMin; count <= kLevelCountMax; ++count)
        cpiStep_->addItem(QString::number(count));
    currentCpi_ = new QComboBox(cpi);
    currentCpi_->setObjectName(QStringLiteral("cb_CurrentCPI"));
    for (int level = 1; level <= kLevelCountMax; ++level)
        currentCpi_->addItem(QString::number(level));
    cpiGrid->addWidget(new QLabel(QStringLiteral("CPI Steps:"), cpi), 0, 0);
    cpiGrid->addWidget(cpiStep_, 0, 1);
    cpiGrid->addWidget(new QLabel(QStringLiteral("Current CPI:"), cpi), 1, 0);
    cpiGrid->addWidget(currentCpi_, 1, 1);
    for (int level = 0; level < kLevelCountMax; ++level) {
        cpi_[static_cast<std::size_t>(level)] = new QComboBox(cpi);
        cpi_[static_cast<std::size_t>(level)]->setObjectName(QStringLiteral("cb_CPI%1").arg(level + 1));
        cpiGrid->addWidget(new QLabel(QStringLiteral("CPI %1:").arg(level + 1), cpi), level + 2, 0);
        cpiGrid->addWidget(cpi_[static_cast<std::size_t>(level)], level + 2, 1);
    }
    aimValue_ = new QComboBox(cpi);
    aimValue_->setObjectName(QStringLiteral("cb_AIMKeyValue"));
    cpiGrid->addWidget(new QLabel(QStringLiteral("AIM Key:"), cpi), 9, 0);
    cpiGrid->addWidget(aimValue_, 9, 1);
    grid->addWidget(cpi, 0, 2, 3, 1);

    auto* fire = new QGroupBox(QStringLiteral("Fire Function"), page_);
    auto* fireGrid = new QGridLayout(fire);
    fireCount_ = new QComboBox(fire);
    fireCount_->setObjectName(QStringLiteral("cb_FireCount"));
    for (int count = 1; count <= kFireCountItems; ++count)
        fireCount_->addItem(QString::number(count));
    fireContinue_ = new QCheckBox(QStringLiteral("Continuous"), fire);
    fireContinue_->setObjectName(QStringLiteral("cb_IsFireContinue"));
    fireTime_ = new QLineEdit(fire);
    fireTime_->setObjectName(QStringLiteral("edt_FireTime"));
    fireGrid->addWidget(new QLabel(QStringLiteral("Fire Count:"), fire), 0, 0);
    fireGrid->addWidget(fireCount_, 0, 1);
    fireGrid->addWidget(fireContinue_, 1, 0, 1, 2);
    fireGrid->addWidget(new QLabel(QStringLiteral("Fire Time:"), fire), 2, 0);
    fireGrid->addWidget(fireTime_, 2, 1);
    grid->addWidget(fire, 1, 1);

    auto* identity = new QGroupBox(QStringLiteral("Operation"), page_);
    auto* identityGrid = new QGridLayout(identity);
    vendorId_ = new QLineEdit(identity);
    vendorId_->setObjectName(QStringLiteral("edt_VendorID"));
    vendorId_->setReadOnly(true);
    productId_ = new QLineEdit(identity);
    productId_->setObjectName(QStringLiteral("edt_ProductID"));
    productId_->setReadOnly(true);
    auto* back = new QPushButton(QStringLiteral("Office Mode"), identity);
    back->setObjectName(QStringLiteral("btn_EngineerBack"));
    auto* closeButton = new QPushButton(QStringLiteral("Exit"), identity);
    closeButton->setObjectName(QStringLiteral("Btn_Close"));
    auto* defaultCpi = new QPushButton(QStringLiteral("Default_CPI+/-"), identity);
    defaultCpi->setObjectName(QStringLiteral("btn_loadDefaultCPI"));
    auto* defaultLed = new QPushButton(QStringLiteral("Default_LEDMode"), identity);
    defaultLed->setObjectName(QStringLiteral("btn_loadDefaultLED"));
    identityGrid->addWidget(new QLabel(QStringLiteral("Vendor ID:"), identity), 0, 0);
    identityGrid->addWidget(vendorId_, 0, 1);
    identityGrid->addWidget(new QLabel(QStringLiteral("Product ID:"), identity), 1, 0);
    identityGrid->addWidget(productId_, 1, 1);
    identityGrid->addWidget(defaultCpi, 2, 0);
    identityGrid->addWidget(defaultLed, 2, 1);
    identityGrid->addWidget(back, 3, 0);
    identityGrid->addWidget(closeButton, 3, 1);
    grid->addWidget(identity, 2, 1);

    connect(back, &QPushButton::clicked, this, [this] { window_.PageButtonClick(PageState::Office); });
    connect(closeButton, &QPushButton::clicked, this, [this] { window_.close(); });
    connect(defaultCpi, &QPushButton::clicked, this, [this] { window_.RunPreset(true); });
    connect(defaultLed, &QPushButton::clicked, this, [this] { window_.RunPreset(false); });

    const auto form = [this]() -> config::FormModel& { return window_.Controller().Form(); };
    const auto edited = [this] {
        if (!refreshing_)
            window_.FormEdited();
    };
    connect(keyMode_, &QComboBox::activated, this, [=, this](int index) { form().cb_KeyMode = index; edited(); });
    connect(midPress_, &QCheckBox::toggled, this, [=, this](bool on) { if (!refreshing_) { form().cb_MidPress = on; edited(); } });
    connect(cpiPress_, &QCheckBox::toggled, this, [=, this](bool on) { if (!refreshing_) { form().cb_CPIPress = on; edited(); } });
    connect(gunPress_, &QCheckBox::toggled, this, [=, this](bool on) { if (!refreshing_) { form().cb_GunPress = on; edited(); } });
    connect(save_, &QRadioButton::clicked, this, [=, this] { config::ChooseSaveChoice(form(), config::SaveChoice::Save); edited(); });
    connect(noSave_, &QRadioButton::clicked, this, [=, this] { config::ChooseSaveChoice(form(), config::SaveChoice::NoSave); edited(); });
    connect(cpiStep_, &QComboBox::activated, this, [=, this](int index) { config::ChooseLevelCount(form(), index); edited(); });
    connect(currentCpi_, &QComboBox::activated, this, [=, this](int index) {
        config::ChooseCurrentLevel(form(), static_cast<std::size_t>(index + 1));
        edited();
    });
    for (std::size_t level = 0; level < cpi_.size(); ++level)
        connect(cpi_[level], &QComboBox::activated, this, [=, this](int index) { form().cb_CPI[level] = index; edited(); });
    connect(aimValue_, &QComboBox::activated, this, [this, form, edited](int index) {
        app::Controller& controller = window_.Controller();
        const config::EditResult result = config::ChangeAimValue(form(), controller.DataBuf(), index, controller.NameOf(),
                                                                 controller.Text("Str222"));
        window_.ShowFormMessage(result.message);
        edited();
    });
    connect(fireCount_, &QComboBox::activated, this, [=, this](int index) { config::ChooseFireCount(form(), index); edited(); });
    connect(fireContinue_, &QCheckBox::clicked, this, [=, this](bool on) { config::SetFireContinue(form(), on); edited(); });
    connect(fireTime_, &QLineEdit::editingFinished, this, [=, this] {
        fireTime_->setText(QString::fromStdString(config::EditFireTime(form(), fireTime_->text().toStdString())));
        edited();
    });
}

void EngineerPage::ApplyLanguage(const QString&)
{
    // The DPI value texts of the lists follow the language tables.
    const int items = config::kAimValueIndexCount;
    for (QComboBox* box : cpi_) {
        box->clear();
        for (int index = 0; index < items; ++index)
            box->addItem(DpiText(window_, index));
    }
    aimValue_->clear();
    for (int index = 0; index < items; ++index)
        aimValue_->addItem(DpiText(window_, index));
    Refresh();
}

void EngineerPage::RefreshKeys()
{
    const config::FormModel& form = window_.Controller().Form();
    for (int profile = 1; profile <= 2; ++profile) {
        for (int key = 1; key <= 9; ++key) {
            if (QPushButton* button = KeyButton(profile * 100 + key))
                button->setText(QString::fromStdString(
                    form.keyCaptions[static_cast<std::size_t>(profile - 1)][static_cast<std::size_t>(key - 1)]));
        }
    }
}

void EngineerPage::Refresh()
{
    refreshing_ = true;
    const config::FormModel& form = window_.Controller().Form();
    const auto select = [](QComboBox* box, int index) {
        const QSignalBlocker block(box);
        box->setCurrentIndex(index >= 0 && index < box->count() ? index : -1);
    };
    select(keyMode_, form.cb_KeyMode);
    keyMode_->setEnabled(form.cb_KeyModeEnabled);
    midPress_->setChecked(form.cb_MidPress);
    cpiPress_->setChecked(form.cb_CPIPress);
    gunPress_->setChecked(form.cb_GunPress);
    {
        const QSignalBlocker blockSave(save_);
        const QSignalBlocker blockNoSave(noSave_);
        save_->setAutoExclusive(false);
        noSave_->setAutoExclusive(false);
        save_->setChecked(form.rb_Save == config::SaveChoice::Save);
        noSave_->setChecked(form.rb_Save == config::SaveChoice::NoSave);
        save_->setAutoExclusive(true);
        noSave_->setAutoExclusive(true);
    }
    select(cpiStep_, form.cb_CPIStep);
    select(currentCpi_, form.cb_CurrentCPI);
    for (std::size_t level = 0; level < cpi_.size(); ++level) {
        select(cpi_[level], form.cb_CPI[level]);
        cpi_[level]->setEnabled(config::LevelEnabled(form, level + 1));
    }
    select(aimValue_, form.cb_AIMKeyValue);
    select(fireCount_, form.cb_FireCount);
    fireContinue_->setChecked(form.cb_IsFireContinue);
    fireTime_->setText(QString::fromStdString(form.edt_FireTime));
    vendorId_->setText(QString::fromStdString(form.edt_VendorID));
    productId_->setText(QString::fromStdString(form.edt_ProductID));
    RefreshKeys();
    refreshing_ = false;
}

void EngineerPage::SetTestButtonEnabled(bool enabled)
{
    testKeys_->setEnabled(enabled);
}

void EngineerPage::SetTestButtonCaption(const std::optional<std::string>& countdown)
{
    testKeys_->setText(countdown ? QString::fromStdString(*countdown) : QString::fromLatin1(kTestKeysCaption));
}

}  // namespace qeltra3k::ui
