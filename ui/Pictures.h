#pragma once
// The skin pictures, embedded as PNG resources and found by name ("L1_BackGround",
// "BtnS_01", ...). Each is decoded once.
#include <QPixmap>
#include <QString>

namespace qeltra3k::ui {

// The picture, or a null pixmap when this build does not carry it.
QPixmap Picture(const QString& name);

// The frames of an animation named Prefix_00, Prefix_01, ... in order, up to the first
// missing number.
QList<QPixmap> PictureSequence(const QString& prefix);

}  // namespace qeltra3k::ui
