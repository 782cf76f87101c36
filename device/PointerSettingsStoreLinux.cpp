// Outside Windows there is no account-wide pointer setting to reach, so the editor keeps
// its own in the per-user data folder.
#ifndef _WIN32

#include "device/PointerSettingsStore.h"

namespace qeltra3k::device {

std::unique_ptr<PointerSettingsStore> MakeSystemPointerSettingsStore(const std::filesystem::path& dataFolder)
{
    return std::make_unique<FilePointerSettingsStore>(dataFolder / kPointerSettingsFileName);
}

}  // namespace qeltra3k::device

#endif
