#pragma once
// The fire macro page as plain data and rules: the current gun, the texts of its up to three
// rows, the corrections each row edit applies, and what each edit stores (an operand byte in
// the row's fire macro record, or its entry in DataBuf's offset and colour tables, mirrored in
// the engineer page's fields of the form). Widgets show a FirePage and call these functions.
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "config/FormModel.h"
#include "config/ImageLayout.h"
#include "fire/FireMacros.h"
#include "fire/GunKeys.h"

namespace qeltra3k::fire {

// One row of the page; field names follow the controls (row r: cb_FireRKFSr, Edt_FireCntr,
// Edt_FireXr, Edt_FireYr, Edt_FireYrOffset, Edt_FireTimer, cs_FireColorr).
struct FireRow {
    bool stopOnRelease = false;
    std::string count = "0";
    std::string x = "0";
    std::string y = "0";
    std::string yOffset = "0";
    std::string time = "0";
    std::uint32_t colour = 0;  // R + 256 G + 65536 B
};

struct FirePage {
    int gun = 1;  // 1 .. 7
    std::array<FireRow, kMaxGunRows> rows{};
};

// The colour value a square shows for R, G, B.
constexpr std::uint32_t FireColourValue(std::uint8_t r, std::uint8_t g, std::uint8_t b)
{
    return static_cast<std::uint32_t>(r) + 256u * g + 65536u * b;
}

// Fire macro (1 .. 10) that row r (1 .. 3) of gun g edits; nothing for a row the gun does
// not show.
std::optional<std::size_t> RowFireMacro(int gun, int row);

// Sets all fifteen row edits to "0".
void InitFireParameter(FirePage& page);

// Shows gun g: clears the rows, decodes each shown row's fire macro into its row (which also
// sets the macro's key type byte), takes each row's Y offset from DataBuf's offset table and
// its colour from the engineer page's colour fields. A record that cannot be shown keeps its
// row at "0" and its stop box as it was; when that is row 1, the gun's later rows are not
// decoded either. False (nothing changed) for a gun outside 1 .. 7.
bool SelectGun(FirePage& page, int gun, FireMacros& macros, config::DataBuf& dataBuf,
               const config::FormModel& form);

// --- Corrections of the row edits (each returns the text the edit then shows) ----------------
// Count: empty -> "1", 0 or less -> "1", above 256 -> "256".
std::string CorrectFireCountText(std::string_view text);
// X: a lone "-" stays for further typing; empty -> "0", 128 or more -> "127", below -128 -> "-128".
std::string CorrectFireXText(std::string_view text);
// Y: empty -> "0", 128 or more -> "127", below 0 -> "0".
std::string CorrectFireYText(std::string_view text);
// Y offset against the row's Y: a lone "-" stays; empty -> "0", 128 or more -> "127", below
// -128 -> "-128"; then held so that Y + offset stays within -128 .. 127.
std::string CorrectFireYOffsetText(std::string_view text, int y);
// Time in ms: empty -> "0", above 2040 -> "2040"; a negative number (it can only be pasted,
// the key filter takes no "-") -> "0".
std::string CorrectFireTimeText(std::string_view text);

// --- Edits of row r (1 .. 3) -------------------------------------------------------------------
// Each corrects the text into the row, then stores the value as the table above each says.
// They return whether the row's fire macro record was changed: false when the text is a lone
// "-", the record lacks the parameter's event (an empty record, or no repeat, move or delay
// after a move), or the row is not shown for the current gun.
bool EditFireCount(FirePage& page, int row, std::string_view text, FireMacros& macros);
bool EditFireX(FirePage& page, int row, std::string_view text, FireMacros& macros);
// A new Y also resets the row's offset to "0" (offset table entry 00 FF, engineer field "0"),
// so the pair cannot leave -128 .. 127.
bool EditFireY(FirePage& page, int row, std::string_view text, FireMacros& macros, config::DataBuf& dataBuf,
               config::FormModel& form);
bool EditFireTime(FirePage& page, int row, std::string_view text, FireMacros& macros);
// Stores the offset and its complement in the offset table and copies the text into the
// engineer field edt_YOffsetk; the record is not changed. Returns whether the offset was
// stored (not for a lone "-", nor a row not shown).
bool EditFireYOffset(FirePage& page, int row, std::string_view text, config::DataBuf& dataBuf,
                     config::FormModel& form);

// The stop-on-release box of row r: toggles it and sets the stop flag and key type byte of the
// row's fire macro. False for a row not shown.
bool ToggleFireStop(FirePage& page, int row, FireMacros& macros, config::DataBuf& dataBuf);

// A colour chosen for row r: the square, the engineer colour fields and the colour table.
bool SetFireColour(FirePage& page, int row, std::uint8_t r, std::uint8_t g, std::uint8_t b,
                   config::DataBuf& dataBuf, config::FormModel& form);

}  // namespace qeltra3k::fire
