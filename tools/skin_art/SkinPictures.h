#pragma once
#include <QString>

#include "ui/text/SkinSection.h"

namespace skin_art {

// Draws "L"N"_BackGround" and "L"N"_Back1" ... "_Back6" of skin N = skin.index into
// OUT_DIR, using the skin section for its colours and the key labels' places; false when
// a picture could not be written.
bool DrawSkinPictures(const qeltra3k::text::SkinSection& skin, const QString& outDir);

}  // namespace skin_art
