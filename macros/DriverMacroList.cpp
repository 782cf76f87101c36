#include "macros/DriverMacroList.h"

#include <algorithm>

#include "macros/MacroLibrary.h"

namespace qeltra3k::macros {

namespace {

std::string SlotNameText(const MacroName& name) { return IsUnusedSlotName(name) ? std::string() : NameToText(name); }

}  // namespace

void DriverMacroList::Load(std::span<const std::uint8_t> recordBytes)
{
    records_ = ReadDriverRecords(recordBytes);
    RefreshDriverMacroName();
}

std::vector<std::uint8_t> DriverMacroList::Bytes() const { return DriverRecordsBytes(records_); }

void DriverMacroList::RefreshDriverMacroName()
{
    names_.clear();
    for (const DriverMacroRecord& record : records_)
        names_.push_back(SlotNameText(record.name));
}

std::optional<std::size_t> DriverMacroList::FindByName(const MacroName& name) const
{
    const auto found = std::find_if(records_.begin(), records_.end(),
                                    [&name](const DriverMacroRecord& record) { return record.name == name; });
    if (found == records_.end())
        return std::nullopt;
    return static_cast<std::size_t>(found - records_.begin());
}

std::size_t DriverMacroList::Append(const DriverMacroRecord& record)
{
    records_.push_back(record);
    names_.push_back(SlotNameText(record.name));
    return records_.size() - 1;
}

void RefreshDriverWriteMacro(std::span<const DriverMacroRecord> pcLibrary, DriverMacroList& driverList)
{
    for (DriverMacroRecord& target : driverList.records_) {
        const auto twin = std::find_if(pcLibrary.begin(), pcLibrary.end(),
                                       [&target](const DriverMacroRecord& pc) { return pc.name == target.name; });
        if (twin != pcLibrary.end())
            target.body = twin->body;
    }
}

}  // namespace qeltra3k::macros
