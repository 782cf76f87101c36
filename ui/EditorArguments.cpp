#include "ui/EditorArguments.h"

#include <string_view>

namespace qeltra3k::ui {

namespace {

constexpr std::string_view kVirtualMouse = "--virtual-mouse";
constexpr std::string_view kScreenshots = "--screenshots=";

}  // namespace

EditorArgumentsParsing ParseEditorArguments(const std::vector<std::string>& args)
{
    EditorArguments parsed;
    for (const std::string& arg : args) {
        const std::string_view view(arg);
        if (view == kVirtualMouse) {
            parsed.virtualMouse = true;
        } else if (view.starts_with(kVirtualMouse) && view.size() > kVirtualMouse.size() &&
                   view[kVirtualMouse.size()] == '=') {
            const std::string_view file = view.substr(kVirtualMouse.size() + 1);
            if (file.empty())
                return {std::nullopt, "--virtual-mouse= needs a file name"};
            parsed.virtualMouse = true;
            parsed.virtualMouseImage = std::filesystem::path(std::string(file));
        } else if (view.starts_with(kScreenshots) && view.size() > kScreenshots.size()) {
            parsed.screenshotFolder = std::filesystem::path(std::string(view.substr(kScreenshots.size())));
        } else {
            return {std::nullopt, "unknown argument '" + arg + "'"};
        }
    }
    return {parsed, {}};
}

}  // namespace qeltra3k::ui
