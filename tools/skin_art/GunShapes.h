#pragma once
#include <QColor>
#include <QPainter>
#include <QRectF>

namespace skin_art {

// A side view of gun 1 ... 5 (AKM, M16, M4, UMP9, SCAR-L), muzzle to the right, fitted
// into `area` and filled with `ink`.
void DrawGunSilhouette(QPainter& p, int gun, const QRectF& area, const QColor& ink);

}  // namespace skin_art
