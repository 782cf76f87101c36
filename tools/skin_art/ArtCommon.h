#pragma once
// Shared drawing helpers of the skin picture generator.
#include <QColor>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QRectF>
#include <QString>

#include "make_skin_layout.h"
#include "ui/text/SkinSection.h"

namespace skin_art {

// The colours a skin's pictures are drawn in. They come from the skin section itself, so
// that the flat panel fill is exactly the slider and edit background the window uses.
struct ArtPalette {
    int index = 1;
    QColor accent;      // Color_G_SP
    QColor title;       // the panel titles' colour
    QColor text;        // Color_G
    QColor panel;       // Color_BG_Slider
    QColor field;       // Color_F_LBack
    QColor fieldBorder; // Color_F_LBorder
    QColor base;        // the window's own dark ground, a shade darker than the panels
    QColor bar;         // top and foot bars
};

QColor ToQColor(const qeltra3k::text::SkinColour& colour, int alpha = 255);
ArtPalette PaletteOf(const qeltra3k::text::SkinSection& skin);

// A transparent ARGB picture, 96 dots per inch.
QImage NewImage(int w, int h);
QImage NewImage(skin_design::Size size);

// Writes `image` as OUT_DIR/NAME.png with the strongest compression; false on failure.
bool SavePicture(const QImage& image, const QString& outDir, const QString& name);

// White at the given opacity (0 ... 1): the shared pictures are neutral and translucent,
// so that each skin's own ground shows through them.
QColor White(double opacity);

QPainterPath RoundedRect(const QRectF& r, double radius);
// A rectangle with its four corners cut at 45 degrees.
QPainterPath Chamfered(const QRectF& r, double cut);

// The panel shape of a skin: rounded (1), chamfered (2), nearly square (3).
QPainterPath PanelShape(int skinIndex, const QRectF& r);

// A soft glow: `path` stroked several times with growing width and falling opacity.
void Glow(QPainter& p, const QPainterPath& path, const QColor& colour, double width, int rings);

// A horizontal line that fades out at both ends.
void FadingLine(QPainter& p, double x1, double x2, double y, const QColor& colour, double width);

// Begins a painter with anti-aliasing on.
void Prepare(QPainter& p);

}  // namespace skin_art
