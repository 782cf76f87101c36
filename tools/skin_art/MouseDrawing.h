#pragma once
#include <QPainter>
#include <QPointF>

#include <array>

#include "ArtCommon.h"

namespace skin_art {

// The key page's drawing of the mouse from above, in window pixels: left and right
// buttons, the wheel with three buttons behind it, a fire button beside the left button
// and two side buttons on the left flank.
void DrawMouse(QPainter& p, const ArtPalette& palette);

// Where the leader line of label Keyn ends: the middle of button n (window pixels).
// Buttons: 1 left, 2 wheel, 3 right, 4 back, 5 forward, 6 to 8 behind the wheel, 9 fire.
const std::array<QPointF, 9>& KeyTargets();

}  // namespace skin_art
