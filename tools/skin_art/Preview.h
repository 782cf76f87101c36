#pragma once
#include <QString>

namespace skin_art {

// Paints every page of every skin in every language into OUT_DIR from the skin sections
// in LAYOUT_DIR (org.ini, org1.ini ... org3.ini), the embedded language tables and the
// pictures in PICTURES_DIR, and prints each text that does not fit and each overlap.
// Returns 0 when there is none.
int RenderPreviews(const QString& layoutDir, const QString& picturesDir, const QString& outDir);

}  // namespace skin_art
