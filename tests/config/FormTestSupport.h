#pragma once
// Shared pieces of the form model tests: a stand-in for the key-code naming and the sections
// of the shipped default configuration images.
#include "config/FormEditing.h"
#include "config/FormFields.h"
#include "config/FormModel.h"

#include "config/Conversion.h"

#include <gtest/gtest.h>

#include <map>
#include <random>
#include <vector>

namespace qeltra3k::config::formtest {

inline constexpr std::string_view kLeft = "Left Click";
inline constexpr std::string_view kAim = "AIM";
inline constexpr std::string_view kFire = "Fire Key";

// Stands in for the key-code naming: a few fixed names, every aim code named like the aim key,
// and one device macro that the user happened to name "AIM".
inline std::string FakeName(std::string_view code)
{
    static const std::map<std::string, std::string, std::less<>> names{
        {"010100", "Left Click"}, {"010200", "Right Click"}, {"010400", "Middle Click"},
        {"0600F0", "Fire Key"},   {"060121", "AIM"},
    };
    if (code.substr(0, 2) == "0A")
        return std::string(kAim);
    const auto it = names.find(code);
    return it == names.end() ? std::string{} : it->second;
}
inline const KeyNameFn kNameOf = FakeName;

inline void PutCode(DataBuf& buf, Profile profile, std::size_t key, std::string_view code)
{
    ASSERT_TRUE(WriteKeyCodeText(buf, *KeyCodeOffset(profile, key), code));
}

inline void PutBytes(DataBuf& buf, std::size_t offset, std::initializer_list<std::uint8_t> bytes)
{
    for (std::uint8_t b : bytes)
        buf[offset++] = b;
}

// The sections of the shipped default configuration images.
inline DataBuf DefaultDataBuf()
{
    DataBuf buf{};
    PutBytes(buf, 0, {0x44, 0xF8, 0x06, 0x38, 0xFF, 0x00, 1, 4, 6, 7, 9, 11, 7,
                      0x01, 0x04, 0x03, 0x00, 0x02, 0x05, 0x06, 0xFF, 0x00, 0x7F, 0xFF, 0xFF, 0xFF,
                      0x00, 0xFF, 0x00, 0xFF, 0x00, 0xFF, 0x00, 0x00, 0xFF, 0xFF, 0x00, 0x00,
                      0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0xFF, 0xFF, 0xFF, 0x70});
    PutBytes(buf, 48, {0x01, 0xFE, 0x22, 0xDD, 0x00, 0xFF, 0xFF, 0xFF});
    const char* codes[] = {"010100", "010400", "010200", "010800", "011000", "050000", "070000", "080000", "0600F0"};
    for (std::size_t k = 1; k <= kKeysPerProfile; ++k) {
        PutCode(buf, Profile::One, k, codes[k - 1]);
        PutCode(buf, Profile::Two, k, codes[k - 1]);
    }
    buf[field::ProfileChecksum] = 0x06;
    for (std::size_t k = 0; k < kFireMacroCount; ++k) {
        const auto address = static_cast<std::uint16_t>(0x0501 + 24 * k);
        PutBytes(buf, field::FireMacroKeyTable + 3 * k, {0x0E, static_cast<std::uint8_t>(address >> 8),
                                                         static_cast<std::uint8_t>(address & 0xFF)});
        PutBytes(buf, field::FireMacroOffsetTable + 2 * k, {0x00, 0xFF});
    }
    PutBytes(buf, field::FireMacroColourTable,
             {0xFF, 0, 0, 0, 0xFF, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0, 0xFF, 0, 0xFF,
              0, 0xFF, 0xFF, 0xFF, 0x80, 0, 0xFF, 0, 0x80, 0, 0xFF, 0x80, 0xFF, 0xFF, 0xFF});
    PutBytes(buf, field::FireKeyProgram, {0x0A, 0xFD, 0xFF, 0xA1, 0xFE, 0x03, 0x21, 0xFE, 0x06, 0xFC, 0x93});
    return buf;
}

inline DataBuf RandomDataBuf(unsigned seed)
{
    std::mt19937 random(seed);
    DataBuf buf{};
    for (auto& b : buf)
        b = static_cast<std::uint8_t>(random());
    return buf;
}

inline FormModel Shown(const DataBuf& buf)
{
    FormModel form;
    DataBufToUI(form, buf, kNameOf, kAim);
    return form;
}

inline DataBuf Stored(const FormModel& form, DataBuf buf)
{
    UIToDataBuf(form, buf);
    return buf;
}

inline void ExpectSameBytes(const DataBuf& actual, const DataBuf& expected)
{
    for (std::size_t i = 0; i < actual.size(); ++i)
        EXPECT_EQ(actual[i], expected[i]) << "DataBuf byte " << i;
}

}  // namespace qeltra3k::config::formtest
