#pragma once
// The editor's command line: it has no options of its own for the user beyond attaching the
// virtual mouse; the screenshot run is for reviewing the skins.
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace qeltra3k::ui {

struct EditorArguments {
    // --virtual-mouse[=IMAGE_FILE]: the virtual mouse as one more HID interface, its memory
    // kept in IMAGE_FILE when given.
    bool virtualMouse = false;
    std::optional<std::filesystem::path> virtualMouseImage;
    // --screenshots=DIR (not in the usage text): render every page in every language into
    // DIR as PNG files and end.
    std::optional<std::filesystem::path> screenshotFolder;
};

struct EditorArgumentsParsing {
    std::optional<EditorArguments> arguments;
    std::string error;  // why the command line was refused
};

inline constexpr const char* kEditorUsage =
    "usage: qeltra3k-editor [--virtual-mouse[=IMAGE_FILE]]\n"
    "  --virtual-mouse[=IMAGE_FILE]  attach the virtual mouse (its memory kept in IMAGE_FILE)\n";

// Reads the arguments after the program name. Qt's own options (-platform, ...) are taken
// out by QApplication before this sees them.
EditorArgumentsParsing ParseEditorArguments(const std::vector<std::string>& args);

}  // namespace qeltra3k::ui
