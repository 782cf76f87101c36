#include "fire/CustomGunKeys.h"

#include <algorithm>
#include <system_error>

#include "device/AtomicFile.h"

namespace qeltra3k::fire {

namespace {

constexpr config::KeyCode kUnusedSlot{};

bool InChoiceRange(int value) { return value >= 1 && value <= kMaxGunKeyFireMacro; }

}  // namespace

CustomGunKeys::CustomGunKeys(std::filesystem::path folder) : folder_(std::move(folder))
{
    SetSlots({});
}

std::filesystem::path CustomGunKeys::FilePath() const
{
    return folder_ / std::string(kCustomGunKeyFileName);
}

CustomGunKeys::Loading CustomGunKeys::Load()
{
    Loading loading;
    Slots slots{};
    const device::FileContent file = device::ReadWholeFile(FilePath(), kCustomGunKeyFileSize);
    if (file.bytes) {
        std::array<std::uint8_t, kCustomGunKeyFileSize> raw{};
        std::copy_n(file.bytes->begin(), std::min(file.bytes->size(), raw.size()), raw.begin());
        for (std::size_t i = 0; i < slots.size(); ++i) {
            const std::size_t at = i * config::kKeyCodeSize;
            slots[i] = {raw[at], raw[at + 1], raw[at + 2]};
        }
        loading.existed = true;
    } else if (!file.missing) {
        loading.error = file.error;
    }
    existedAtStart_ = loading.existed;
    SetSlots(slots);
    listsShown_ = true;
    selectedSlot_.reset();
    return loading;
}

std::optional<std::span<const std::string>> CustomGunKeys::NamingList() const
{
    if (!existedAtStart_)
        return std::nullopt;
    return std::span<const std::string>(codeTexts_);
}

std::vector<std::size_t> CustomGunKeys::UsedSlots() const
{
    std::vector<std::size_t> used;
    if (!listsShown_)
        return used;
    for (std::size_t slot = 0; slot < slots_.size(); ++slot) {
        if (slots_[slot] != kUnusedSlot)
            used.push_back(slot);
    }
    return used;
}

std::vector<std::string> CustomGunKeys::Entries() const
{
    std::vector<std::string> entries;
    for (std::size_t slot : UsedSlots())
        entries.push_back(std::string(kCustomGunKeyEntryPrefix) + std::to_string(slot + 1));
    return entries;
}

std::optional<std::size_t> CustomGunKeys::EntrySlot(std::size_t entry) const
{
    const std::vector<std::size_t> used = UsedSlots();
    if (entry >= used.size())
        return std::nullopt;
    return used[entry];
}

std::optional<config::KeyCode> CustomGunKeys::EntryCode(std::size_t entry) const
{
    const auto slot = EntrySlot(entry);
    if (!slot)
        return std::nullopt;
    return slots_[*slot];
}

std::optional<std::size_t> CustomGunKeys::Selection() const
{
    if (!selectedSlot_)
        return std::nullopt;
    const std::vector<std::size_t> used = UsedSlots();
    const auto it = std::find(used.begin(), used.end(), *selectedSlot_);
    if (it == used.end())
        return std::nullopt;
    return static_cast<std::size_t>(it - used.begin());
}

std::optional<GunKeyRange> CustomGunKeys::Select(std::size_t entry)
{
    const auto slot = EntrySlot(entry);
    if (!slot)
        return std::nullopt;
    selectedSlot_ = *slot;
    return GunKeyRange{slots_[*slot].data1, slots_[*slot].data2};
}

GunKeyChange CustomGunKeys::Add(GunKeyRange range)
{
    if (!InChoiceRange(range.first) || !InChoiceRange(range.last))
        return {};
    // After a lost device the lists are empty while the slots are not: the new key goes
    // into a free slot, never over one that is still in use.
    RefillLists();
    const auto freeSlot = std::find(slots_.begin(), slots_.end(), kUnusedSlot);
    if (freeSlot == slots_.end())
        return {};
    Slots slots = slots_;
    slots[static_cast<std::size_t>(freeSlot - slots_.begin())] = {
        config::code_type::GunKey, static_cast<std::uint8_t>(range.first), static_cast<std::uint8_t>(range.last)};
    return Store(slots);
}

GunKeyChange CustomGunKeys::DeleteSelected()
{
    const auto entry = Selection();
    if (!entry)
        return {};
    const std::size_t slot = *selectedSlot_;
    Slots slots = slots_;
    std::copy(slots.begin() + static_cast<std::ptrdiff_t>(slot) + 1, slots.end(),
              slots.begin() + static_cast<std::ptrdiff_t>(slot));
    slots.back() = kUnusedSlot;
    GunKeyChange change = Store(slots);
    if (!change.changed)
        return change;
    selectedSlot_.reset();
    if (const auto next = EntrySlot(*entry > 0 ? *entry - 1 : 0))
        selectedSlot_ = *next;
    return change;
}

void CustomGunKeys::DeviceLost()
{
    listsShown_ = false;
    selectedSlot_.reset();
}

void CustomGunKeys::RefillLists()
{
    listsShown_ = true;
}

GunKeyChange CustomGunKeys::Store(const Slots& slots)
{
    std::vector<std::uint8_t> bytes;
    bytes.reserve(kCustomGunKeyFileSize);
    for (const config::KeyCode& code : slots) {
        bytes.push_back(code.type);
        bytes.push_back(code.data1);
        bytes.push_back(code.data2);
    }
    // A data folder that does not exist yet is made; if that fails, the write says why.
    std::error_code ignored;
    std::filesystem::create_directories(folder_, ignored);
    GunKeyChange change;
    if (!device::WriteFileAtomically(FilePath(), bytes, change.error))
        return change;
    SetSlots(slots);
    change.changed = true;
    return change;
}

void CustomGunKeys::SetSlots(const Slots& slots)
{
    slots_ = slots;
    for (std::size_t i = 0; i < slots_.size(); ++i)
        codeTexts_[i] = config::KeyCodeText(slots_[i]);
}

}  // namespace qeltra3k::fire
