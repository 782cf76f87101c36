#pragma once
#include <QString>

namespace skin_art {

// Draws the pictures every skin shares (button states, boxes, bars, guns, macro page,
// sliders, dialog background) into OUT_DIR; false when one could not be written.
bool DrawSharedPictures(const QString& outDir);

}  // namespace skin_art
