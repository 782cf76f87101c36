#include "fire/FirePage.h"

#include "config/Checksum.h"
#include "config/FormFields.h"

namespace qeltra3k::fire {

namespace {

constexpr std::string_view kTypingMinus = "-";

// A row of the current gun and the fire macro behind it.
struct ShownRow {
    FireRow& row;
    std::size_t fireMacro;
};

std::optional<ShownRow> Shown(FirePage& page, int row)
{
    const auto k = RowFireMacro(page.gun, row);
    if (!k)
        return std::nullopt;
    return ShownRow{page.rows[static_cast<std::size_t>(row - 1)], *k};
}

// The value of a corrected text (corrections always leave a number, or a lone "-").
int ValueOf(std::string_view correctedText)
{
    return static_cast<int>(config::ParseSignedDecimal(correctedText).value_or(0));
}

// A value held to [low, high] by the field's own words; the text is kept when no rule applies.
std::string Clamped(std::string_view text, long value, long low, const char* lowText, long high,
                    const char* highText)
{
    if (value < low)
        return lowText;
    if (value > high)
        return highText;
    return std::string(text);
}

std::size_t OffsetEntry(std::size_t k) { return config::field::FireMacroOffsetTable + 2 * (k - 1); }
std::size_t ColourEntry(std::size_t k) { return config::field::FireMacroColourTable + 3 * (k - 1); }

void ShowFields(FireRow& row, const FireMacroFields& fields)
{
    row.stopOnRelease = fields.stopOnRelease;
    row.count = std::to_string(fields.count);
    row.x = std::to_string(fields.x);
    row.y = std::to_string(fields.y);
    row.time = std::to_string(fields.timeMs);
}

bool EditParameter(FirePage& page, int row, std::string_view text, FireMacros& macros, FireParameter parameter,
                   std::string FireRow::*field, std::string (*correct)(std::string_view))
{
    const auto shown = Shown(page, row);
    if (!shown)
        return false;
    std::string& shownText = shown->row.*field;
    shownText = correct(text);
    if (shownText == kTypingMinus)
        return false;
    return macros.SetParameter(shown->fireMacro, parameter, ValueOf(shownText));
}

}  // namespace

std::optional<std::size_t> RowFireMacro(int gun, int row)
{
    const auto fireMacros = GunFireMacros(gun);
    if (row < 1 || static_cast<std::size_t>(row) > fireMacros.size())
        return std::nullopt;
    return fireMacros[static_cast<std::size_t>(row - 1)];
}

void InitFireParameter(FirePage& page)
{
    for (FireRow& row : page.rows)
        row.count = row.x = row.y = row.yOffset = row.time = "0";
}

bool SelectGun(FirePage& page, int gun, FireMacros& macros, config::DataBuf& dataBuf,
               const config::FormModel& form)
{
    const auto fireMacros = GunFireMacros(gun);
    if (fireMacros.empty())
        return false;
    page.gun = gun;
    InitFireParameter(page);
    bool decodeRows = true;
    for (std::size_t i = 0; i < fireMacros.size(); ++i) {
        const std::size_t k = fireMacros[i];
        FireRow& row = page.rows[i];
        if (decodeRows) {
            if (const auto fields = macros.Decode(k, dataBuf))
                ShowFields(row, *fields);
            else if (i == 0)
                decodeRows = false;
        }
        row.yOffset = config::YOffsetText(dataBuf[OffsetEntry(k)]);
        const config::RgbEdits& colour = form.edt_FireMacroColor[k - 1];
        row.colour = FireColourValue(config::ColourValue(colour.R), config::ColourValue(colour.G),
                                     config::ColourValue(colour.B));
    }
    return true;
}

std::string CorrectFireCountText(std::string_view text)
{
    const auto value = config::ParseSignedDecimal(text);
    if (!value)
        return "1";
    return Clamped(text, *value, 1, "1", 256, "256");
}

std::string CorrectFireXText(std::string_view text)
{
    if (text == kTypingMinus)
        return std::string(kTypingMinus);
    const auto value = config::ParseSignedDecimal(text);
    if (!value)
        return "0";
    return Clamped(text, *value, -128, "-128", 127, "127");
}

std::string CorrectFireYText(std::string_view text)
{
    const auto value = config::ParseSignedDecimal(text);
    if (!value)
        return "0";
    return Clamped(text, *value, 0, "0", 127, "127");
}

std::string CorrectFireYOffsetText(std::string_view text, int y)
{
    if (text == kTypingMinus)
        return std::string(kTypingMinus);
    const auto parsed = config::ParseSignedDecimal(text);
    if (!parsed)
        return "0";
    const std::string own = Clamped(text, *parsed, -128, "-128", 127, "127");
    // The mouse adds the offset to the record's Y: the sum must stay a signed byte.
    const long offset = ValueOf(own);
    if (y + offset > 127)
        return std::to_string(127 - y);
    if (y + offset < -128)
        return std::to_string(-y - 128);
    return own;
}

std::string CorrectFireTimeText(std::string_view text)
{
    const auto value = config::ParseSignedDecimal(text);
    if (!value)
        return "0";
    return Clamped(text, *value, 0, "0", 255 * kDelayUnitMs, "2040");
}

bool EditFireCount(FirePage& page, int row, std::string_view text, FireMacros& macros)
{
    return EditParameter(page, row, text, macros, FireParameter::Count, &FireRow::count, CorrectFireCountText);
}

bool EditFireX(FirePage& page, int row, std::string_view text, FireMacros& macros)
{
    return EditParameter(page, row, text, macros, FireParameter::X, &FireRow::x, CorrectFireXText);
}

bool EditFireY(FirePage& page, int row, std::string_view text, FireMacros& macros, config::DataBuf& dataBuf,
               config::FormModel& form)
{
    if (!Shown(page, row))
        return false;
    const bool stored = EditParameter(page, row, text, macros, FireParameter::Y, &FireRow::y, CorrectFireYText);
    EditFireYOffset(page, row, "0", dataBuf, form);
    return stored;
}

bool EditFireTime(FirePage& page, int row, std::string_view text, FireMacros& macros)
{
    return EditParameter(page, row, text, macros, FireParameter::Time, &FireRow::time, CorrectFireTimeText);
}

bool EditFireYOffset(FirePage& page, int row, std::string_view text, config::DataBuf& dataBuf,
                     config::FormModel& form)
{
    const auto shown = Shown(page, row);
    if (!shown)
        return false;
    shown->row.yOffset = CorrectFireYOffsetText(text, ValueOf(shown->row.y));
    if (shown->row.yOffset == kTypingMinus)
        return false;
    const auto offsetByte = static_cast<std::uint8_t>(ValueOf(shown->row.yOffset) & 0xFF);
    config::WriteComplementPair(dataBuf, OffsetEntry(shown->fireMacro), offsetByte);
    // The engineer field is what the next form-to-DataBuf store writes back into the table.
    form.edt_YOffset[shown->fireMacro - 1] = shown->row.yOffset;
    return true;
}

bool ToggleFireStop(FirePage& page, int row, FireMacros& macros, config::DataBuf& dataBuf)
{
    const auto shown = Shown(page, row);
    if (!shown)
        return false;
    shown->row.stopOnRelease = !shown->row.stopOnRelease;
    return macros.SetStopFlag(shown->fireMacro, shown->row.stopOnRelease, dataBuf);
}

bool SetFireColour(FirePage& page, int row, std::uint8_t r, std::uint8_t g, std::uint8_t b,
                   config::DataBuf& dataBuf, config::FormModel& form)
{
    const auto shown = Shown(page, row);
    if (!shown)
        return false;
    shown->row.colour = FireColourValue(r, g, b);
    form.edt_FireMacroColor[shown->fireMacro - 1] = {std::to_string(r), std::to_string(g), std::to_string(b)};
    const std::size_t entry = ColourEntry(shown->fireMacro);
    dataBuf[entry] = r;
    dataBuf[entry + 1] = g;
    dataBuf[entry + 2] = b;
    return true;
}

}  // namespace qeltra3k::fire
