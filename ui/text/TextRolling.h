#pragma once
// Text rolling of a hovered button caption: every tick the caption moves one character to
// the left, the first character going round to the end, with four spaces between the end
// and the start added once per hover.
#include <optional>
#include <string>
#include <string_view>

namespace qeltra3k::text {

// Past this count the counter goes on from kRollingRestart, so the gap is added only on the
// first tick of a hover.
inline constexpr int kRollingCounterLimit = 20;
inline constexpr int kRollingRestart = 2;
inline constexpr std::string_view kRollingGap = "    ";

class TextRolling {
public:
    // The mouse entered the label `name` showing `caption`.
    void Enter(std::string name, std::string caption);
    // The label's caption changed under the mouse (a language switch): rolling starts over
    // from the new caption, on the same label.
    void Restart(std::string caption);
    // One tick of the rolling timer: the caption to show, or nothing when rolling is off or
    // there is nothing to roll. Captions are UTF-8 and move by whole characters.
    std::optional<std::string> Tick(bool enabled);
    // The mouse left: the caption to put back.
    const std::string& Remembered() const { return remembered_; }
    const std::string& Name() const { return name_; }
    const std::string& Rolling() const { return rolling_; }
    int Counter() const { return counter_; }

private:
    std::string name_;
    std::string remembered_;
    std::string rolling_;
    int counter_ = 0;
};

// The caption after one rolling step: `text` without its first character, then (when
// `withGap`) four spaces, then that character. Empty text stays empty.
std::string RollOnce(std::string_view text, bool withGap);

}  // namespace qeltra3k::text
