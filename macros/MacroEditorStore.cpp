#include "macros/MacroEditorStore.h"

#include <algorithm>
#include <string>
#include <vector>

#include "macros/DriverMacroList.h"

namespace qeltra3k::macros {

namespace {

// A body the store can take for `position`: a macro in use, and exactly one body's bytes.
FileResult CheckSave(std::size_t position, std::size_t count, std::size_t bodySize, std::size_t givenSize)
{
    if (position >= count)
        return {false, "no macro at list position " + std::to_string(position)};
    if (givenSize != bodySize)
        return {false, "a body of " + std::to_string(givenSize) + " bytes; the library's bodies have " +
                           std::to_string(bodySize)};
    return {};
}

}  // namespace

// --- EEPROM mode ------------------------------------------------------------------------

std::span<const std::uint8_t> LibraryBodyStore::Body(std::size_t position) const
{
    if (position >= Count())
        return {};
    return library_.Records()[position].body;
}

FileResult LibraryBodyStore::SaveBody(std::size_t position, std::span<const std::uint8_t> body)
{
    if (FileResult check = CheckSave(position, Count(), MacroRecord::kBodySize, body.size()); !check)
        return check;
    LibraryRecords next = library_.Records();
    std::copy(body.begin(), body.end(), next[position].body.begin());
    return library_.Replace(next);
}

bool LibraryBodyStore::SetStopFlag(std::size_t position, std::uint8_t stopFlag)
{
    return position < Count() && library_.SetStopFlag(position, stopFlag);
}

// --- Driver mode --------------------------------------------------------------------------

std::span<const std::uint8_t> DriverLibraryBodyStore::Body(std::size_t position) const
{
    if (position >= Count())
        return {};
    return library_.Records()[position].body;
}

FileResult DriverLibraryBodyStore::SaveBody(std::size_t position, std::span<const std::uint8_t> body)
{
    if (FileResult check = CheckSave(position, Count(), DriverMacroRecord::kBodySize, body.size()); !check)
        return check;
    std::vector<DriverMacroRecord> next = library_.Records();
    std::copy(body.begin(), body.end(), next[position].body.begin());
    return library_.Replace(std::move(next), driverList_);
}

bool DriverLibraryBodyStore::SetStopFlag(std::size_t position, std::uint8_t stopFlag)
{
    return position < Count() && library_.SetStopFlag(position, stopFlag);
}

}  // namespace qeltra3k::macros
