#pragma once
// The engineer page's list of up to ten custom gun keys and its file "QELTRA3K Fire Macro.bin":
// ten 3-byte gun key codes (0C, first, last) in slot order, 00 00 00 for an unused slot.
// The ten slots are the truth; the two on-screen lists (LB_ScriptName and its copy LB_Script
// on the assignment menu) are only a view of them, which a lost device empties.
#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "config/Conversion.h"
#include "fire/FireMacroRecord.h"

namespace qeltra3k::fire {

inline constexpr std::string_view kCustomGunKeyFileName = "QELTRA3K Fire Macro.bin";
inline constexpr std::size_t kCustomGunKeySlotCount = 10;
inline constexpr std::size_t kCustomGunKeyFileSize = kCustomGunKeySlotCount * config::kKeyCodeSize;
inline constexpr std::string_view kUnusedGunKeyText = "000000";
// An entry's text: this, then its 1-based slot number.
inline constexpr std::string_view kCustomGunKeyEntryPrefix = "Fire Macro";
// The choice boxes cb_SOSStartIndex and cb_SOSNumber offer fire macros 1 .. 10.
inline constexpr int kMaxGunKeyFireMacro = static_cast<int>(kFireMacroCount);

struct GunKeyRange {
    int first = 0;
    int last = 0;
    bool operator==(const GunKeyRange&) const = default;
};

// What a change of the list did. Neither changed nor an error: the change was refused
// (an eleventh entry, nothing selected, a range outside 1 .. 10), as the page refuses it,
// silently.
struct GunKeyChange {
    bool changed = false;
    std::string error;  // the file could not be written; the list is as it was
};

class CustomGunKeys {
public:
    // The file lives in `folder` (the program's data folder, chosen by the caller).
    explicit CustomGunKeys(std::filesystem::path folder);

    std::filesystem::path FilePath() const;

    // Start-up: reads the file when it exists and fills the lists. A short file fills the
    // slots it covers, the others stay unused; bytes past the thirty are not read. A file
    // that exists but cannot be read counts as absent, with the reason in `error`.
    struct Loading {
        bool existed = false;
        std::string error;
    };
    Loading Load();

    // Whether the file existed at start-up; only then does key naming use the slots.
    bool FileExistedAtStart() const { return existedAtStart_; }
    // The ten code texts in slot order ("000000" for an unused slot).
    const std::array<std::string, kCustomGunKeySlotCount>& CodeTexts() const { return codeTexts_; }
    // What key naming takes (config::KeyNameContext::customGunKeys): the ten code texts
    // while the file existed at start-up, nothing otherwise.
    std::optional<std::span<const std::string>> NamingList() const;

    // The entries both lists show, in order: "Fire Macro" + slot number for each used slot.
    // Empty while the lists are emptied after a lost device.
    std::vector<std::string> Entries() const;
    // Slot (0-based) and code of a list entry.
    std::optional<std::size_t> EntrySlot(std::size_t entry) const;
    std::optional<config::KeyCode> EntryCode(std::size_t entry) const;

    // The selected entry; nothing while none is (or the lists are emptied).
    std::optional<std::size_t> Selection() const;
    // Selecting an entry gives the range the two choice boxes then show.
    std::optional<GunKeyRange> Select(std::size_t entry);

    // Adds "0C first last" into the first unused slot and rewrites the file. Refused while
    // all ten slots are used, and for a first or last outside 1 .. 10. Emptied lists are
    // refilled first, so the new entry joins the entries it belongs with.
    GunKeyChange Add(GunKeyRange range);
    // Removes the selected entry: later slots move up, the last slot becomes unused, the
    // entry before it (or the first) is selected, and the file is rewritten.
    GunKeyChange DeleteSelected();

    // A lost device empties both lists; the slots, their texts and the file stay.
    void DeviceLost();
    // Shows the slots in the lists again.
    void RefillLists();
    bool ListsShown() const { return listsShown_; }

private:
    using Slots = std::array<config::KeyCode, kCustomGunKeySlotCount>;

    std::vector<std::size_t> UsedSlots() const;  // empty while the lists are emptied
    // Writes `slots` to the file and, only when that worked, takes them over.
    GunKeyChange Store(const Slots& slots);
    void SetSlots(const Slots& slots);

    std::filesystem::path folder_;
    Slots slots_{};
    std::array<std::string, kCustomGunKeySlotCount> codeTexts_{};
    bool existedAtStart_ = false;
    bool listsShown_ = true;
    // Kept by slot, so entries that appear before it (a hole filled by an add) cannot move
    // the selection onto another key.
    std::optional<std::size_t> selectedSlot_;
};

}  // namespace qeltra3k::fire
