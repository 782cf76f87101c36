// qeltra3k-editor: one editor window per desktop session, on the system's HID interfaces and,
// when asked, the virtual mouse.
#include <QApplication>
#include <QStandardPaths>
#include <QTimer>
#include <cstdio>
#include <memory>

#include "device/LinuxHidBus.h"
#include "device/VirtualMouse.h"
#include "device/VirtualMouseBus.h"
#include "ui/EditorArguments.h"
#include "ui/MainWindow.h"
#include "ui/SingleInstance.h"

namespace {

constexpr int kExitUsage = 2;
constexpr int kExitFailure = 1;

std::filesystem::path DataFolder()
{
    // $XDG_DATA_HOME/qeltra3k: the data files live with the user, not beside the program.
    const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    return std::filesystem::path(base.toStdString()) / "qeltra3k";
}

std::unique_ptr<qeltra3k::device::HidBus> SystemBus()
{
#if defined(__linux__)
    return std::make_unique<qeltra3k::device::LinuxHidBus>();
#else
    return nullptr;
#endif
}

}  // namespace

int main(int argc, char** argv)
{
    using namespace qeltra3k;
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("qeltra3k-editor"));

    std::vector<std::string> args;
    for (const QString& arg : QApplication::arguments().mid(1))
        args.push_back(arg.toStdString());
    const ui::EditorArgumentsParsing parsing = ui::ParseEditorArguments(args);
    if (!parsing.arguments) {
        std::fprintf(stderr, "qeltra3k-editor: %s\n%s", parsing.error.c_str(), ui::kEditorUsage);
        return kExitUsage;
    }
    const ui::EditorArguments& arguments = *parsing.arguments;

    // A second editor on the same desktop ends here, silently and without a window.
    ui::SingleInstance instance;
    if (!instance.Acquire())
        return 0;

    std::unique_ptr<device::HidBus> bus = SystemBus();
    if (arguments.virtualMouse) {
        std::shared_ptr<device::VirtualMouse> mouse;
        if (arguments.virtualMouseImage) {
            device::VirtualMouseOpening opening = device::VirtualMouse::OpenFile(*arguments.virtualMouseImage);
            if (!opening.mouse) {
                std::fprintf(stderr, "qeltra3k-editor: virtual mouse: %s\n", opening.error.c_str());
                return kExitFailure;
            }
            mouse = std::move(opening.mouse);
        } else {
            const auto memory = device::VirtualMouse::DefaultMemory();
            if (!memory) {
                std::fprintf(stderr, "qeltra3k-editor: this build carries no default image for the virtual mouse\n");
                return kExitFailure;
            }
            mouse = std::make_shared<device::VirtualMouse>(*memory);
        }
        bus = std::make_unique<device::VirtualMouseBus>(std::move(mouse), std::move(bus));
    }

    ui::MainWindowSetup setup;
    setup.bus = bus.get();
    setup.dataFolder = DataFolder();
    std::error_code ignored;
    std::filesystem::create_directories(setup.dataFolder, ignored);
    // The review run drives the device search itself instead of waiting for the timers.
    setup.runTimers = !arguments.screenshotFolder;
    ui::MainWindow window(setup);
    window.show();
    window.CreateLoadingWindow();

    if (arguments.screenshotFolder) {
        const QString folder = QString::fromStdString(arguments.screenshotFolder->string());
        int result = 0;
        QTimer::singleShot(0, &window, [&] {
            window.DevTimerTimer();
            if (window.Controller().NoDevice())
                std::fprintf(stderr, "qeltra3k-editor: no mouse was read; the pages show the defaults\n");
            if (!window.WriteScreenshots(folder)) {
                std::fprintf(stderr, "qeltra3k-editor: could not write the pictures into %s\n", qPrintable(folder));
                result = kExitFailure;
            }
            QApplication::exit(result);
        });
        return QApplication::exec();
    }
    return QApplication::exec();
}
