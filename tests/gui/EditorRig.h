#pragma once
// An editor window on the virtual mouse alone, with the message boxes, file dialogs and web
// handler recorded instead of shown, a waiter that never sleeps, and the timers driven by
// hand.
#include <QApplication>
#include <QEnterEvent>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>
#include <gtest/gtest.h>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "config/ConfigImage.h"
#include "config/Conversion.h"
#include "config/FormModel.h"
#include "device/VirtualMouse.h"
#include "device/VirtualMouseBus.h"
#include "device/Waiting.h"
#include "ui/MainWindow.h"
#include "ui/SkinWidgets.h"
#include "ui/text/GeneralOptions.h"
#include "ui/text/LanguageTable.h"

namespace qeltra3k::ui::testing {

inline config::DeviceImage DefaultImage()
{
    return *config::LoadDefaultImage(0);
}

// The image with key `key` of `profile` set to `codeText`, checksums made right again.
inline config::DeviceImage WithKeyCode(config::DeviceImage image, config::Profile profile, std::size_t key,
                                       std::string_view codeText)
{
    config::DataBuf dataBuf{};
    config::LoadSections(image, dataBuf);
    config::WriteKeyCodeText(dataBuf, *config::KeyCodeOffset(profile, key), codeText);
    config::StoreSections(dataBuf, image);
    return image;
}

// The code text key `key` of `profile` has in a device image.
inline std::string KeyCodeIn(const config::DeviceImage& image, config::Profile profile, std::size_t key)
{
    config::DataBuf dataBuf{};
    config::LoadSections(image, dataBuf);
    const auto code = config::ReadKeyCode(dataBuf, *config::KeyCodeOffset(profile, key));
    return code ? config::KeyCodeText(*code) : std::string();
}

inline std::string TableText(int language, std::string_view key)
{
    return text::LoadLanguageTable(language).table->Text(key);
}

inline text::GeneralOptions ShippedOptions()
{
    return text::LoadGeneralOptions().options;
}

struct EditorRig {
    // `realTime`: the window's own waiting (real pauses, events pumped) and its own timers.
    explicit EditorRig(const config::DeviceImage& memory = DefaultImage(), text::GeneralOptions options = ShippedOptions(),
                       bool realTime = false)
        : mouse(std::make_shared<device::VirtualMouse>(memory)), bus(mouse)
    {
        MainWindowSetup setup;
        setup.bus = &bus;
        setup.dataFolder = folder.path().toStdString();
        setup.options = options;
        setup.waiting = realTime ? nullptr : &waiting;
        setup.runTimers = realTime;
        setup.showMessage = [this](const app::ViewMessage& message) { messages.push_back(message); };
        setup.chooseProfileFile = [this](ProfileDialog dialog) {
            dialogs.push_back(dialog);
            return nextFile;
        };
        setup.openUrl = [this](const QUrl& url) { opened.push_back(url); };
        window = std::make_unique<MainWindow>(setup);
        window->show();
        window->CreateLoadingWindow();
    }

    // The first tick of the device watch: the mouse is found and read.
    void FirstSearch() { window->DevTimerTimer(); }

    template <class T = QWidget>
    T* Get(const QString& name) const
    {
        T* widget = window->findChild<T*>(name);
        EXPECT_NE(widget, nullptr) << name.toStdString();
        return widget;
    }
    QString TextOf(const QString& name) const { return Get<QLabel>(name)->text(); }
    QString PictureOf(const QString& name) const { return Get<PictureLabel>(name)->PictureName(); }
    void Click(const QString& name) const { QTest::mouseClick(Get(name), Qt::LeftButton); }
    void Enter(const QString& name) const
    {
        QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
        QApplication::sendEvent(Get(name), &enter);
    }
    void Leave(const QString& name) const
    {
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(Get(name), &leave);
    }
    // Picks a leaf of the key menu: its group entry is hovered first, as a person would.
    void Pick(const QString& group, const QString& entry) const
    {
        Enter(group);
        Click(entry);
    }
    // The widget a click at the centre of `name` would reach.
    QWidget* HitAt(const QString& name) const
    {
        QWidget* target = Get(name);
        return window->childAt(target->mapTo(window.get(), target->rect().center()));
    }
    std::vector<std::string> MessageKeys() const
    {
        std::vector<std::string> keys;
        for (const auto& message : messages)
            keys.insert(keys.end(), message.keys.begin(), message.keys.end());
        return keys;
    }

    QTemporaryDir folder;
    std::shared_ptr<device::VirtualMouse> mouse;
    device::VirtualMouseBus bus;
    device::RecordingWaiting waiting;
    std::vector<app::ViewMessage> messages;
    std::vector<ProfileDialog> dialogs;
    std::optional<std::filesystem::path> nextFile;
    std::vector<QUrl> opened;
    std::unique_ptr<MainWindow> window;
};

}  // namespace qeltra3k::ui::testing
