#pragma once
#include <QString>

namespace skin_art {

inline constexpr int kLoadingFrameCount = 12;

// Draws the loading animation "Loading_00" ... "Loading_11" (200 x 192, shown in turn,
// about 80 ms each) into OUT_DIR; false when one could not be written.
bool DrawLoadingFrames(const QString& outDir);

}  // namespace skin_art
