#pragma once
// The number fields of the macro page and of its delay and value dialogs: the correction
// each applies to its text on every change, and the value the editor reads from it. The
// value functions run the same correction first, so a row never gets a value its field
// could not have shown, whatever text it is handed.
#include <optional>
#include <string>
#include <string_view>

namespace qeltra3k::macros {

// A delay in ms: the page's delay field (Edt_Delay), the insert delay field and the delay
// dialog. Empty, negative or not a number becomes "0", more than 2040 becomes "2040".
std::string CorrectDelayText(std::string_view text);
int DelayValue(std::string_view text);  // 0 .. 2040

// The loop count field (Edt_Circle_Times): empty, 0 or not a number becomes "1", 256 or more
// becomes "255".
std::string CorrectLoopCountText(std::string_view text);
int LoopCountValue(std::string_view text);  // 1 .. 255

// A pointer move: the X and Y fields of the insert panel and the value dialog of a move row.
// A lone "-" stays (a negative number is being typed); empty or not a number becomes "0",
// 128 or more "127", below -128 "-128".
std::string CorrectMoveText(std::string_view text);
// -128 .. 127; nothing for a lone "-", which is no number yet.
std::optional<int> MoveValue(std::string_view text);

// The value dialog of a repeat row: a lone "-" stays; empty, negative or not a number
// becomes "0", 256 or more "255".
std::string CorrectRepeatCountText(std::string_view text);
// 1 .. 255; nothing for a lone "-" and for 0, which would play the stretch no times.
std::optional<int> RepeatCountValue(std::string_view text);

}  // namespace qeltra3k::macros
