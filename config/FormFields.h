#pragma once
// The corrections the form's number edits apply to their text, and the value the store reads
// from each. The corrections run on every change of a field (the edit then shows the
// corrected text); the value functions apply the same rules, so a store never writes a value
// its field could not have shown, whatever text it is handed.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace qeltra3k::config {

// Plain decimal digits; nothing for an empty text or any other character. Long digit runs
// saturate far above every field's range instead of overflowing.
std::optional<long> ParseDigits(std::string_view text);
// Like ParseDigits with an optional leading '-'.
std::optional<long> ParseSignedDecimal(std::string_view text);

// edt_VendorID, edt_ProductID: above 255 or empty becomes "255" (255 is the generic number).
std::string CorrectIdText(std::string_view text);
std::uint8_t IdValue(std::string_view text);

// Edt_Repeat1 (repeat count on the advanced page): empty becomes "2", "0" becomes "1",
// 256 or more becomes "255".
std::string CorrectRepeatText(std::string_view text);
int RepeatValue(std::string_view text);  // 1..255

// Edt_DelayTime1 (firing interval on the advanced page): empty or negative becomes "0",
// 256 or more becomes "255".
std::string CorrectDelayTimeText(std::string_view text);
// edt_FireTime (the same interval on the engineer page): more than 255 becomes "255",
// empty becomes "100".
std::string CorrectFireTimeText(std::string_view text);
std::uint8_t FireTimeValue(std::string_view text);

// Colour edits (edt_CPInR/G/B, edt_FireMacroColorkR/G/B): more than 255 becomes "255",
// empty becomes "0".
std::string CorrectColourText(std::string_view text);
std::uint8_t ColourValue(std::string_view text);

// edt_MCULEDNum, the flowing LED count 4..13. While typing: 0, 2 and 3 become "4", more than
// 13 becomes "13", empty becomes "13"; a lone "1" is left so that 10..13 can be typed.
std::string CorrectLedCountTyping(std::string_view text);
// When the field loses focus a lone "1" becomes "4".
std::string CorrectLedCountOnLeave(std::string_view text);
// The count the store writes: both corrections, then held to 4..13 so that the stored nibble
// (13 - count) always stays inside 0..9.
int LedCountValue(std::string_view text);

// edt_MCULEDCrtStep, the flowing step 0..7: more than 7 becomes "7", empty becomes "0".
std::string CorrectStepText(std::string_view text);
int StepValue(std::string_view text);

// edt_YOffsetk, a fire macro's Y offset as signed text. "-" alone is left for further typing;
// empty becomes "0"; 128..255 become the negative number of the same byte ("255" -> "-1");
// below -128 becomes "-128". A number too large for a byte becomes "127".
std::string CorrectYOffsetText(std::string_view text);
// The offset byte (two's complement) of a field after its correction; nothing while the field
// holds a lone "-" (the user is still typing a negative number).
std::optional<std::uint8_t> YOffsetByte(std::string_view text);
// The text a loaded offset byte is shown as (-128..127).
std::string YOffsetText(std::uint8_t offsetByte);

}  // namespace qeltra3k::config
