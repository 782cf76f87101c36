#include "ArtCommon.h"

#include <QDir>
#include <QLinearGradient>

#include <algorithm>
#include <cstddef>
#include <iostream>

namespace skin_art {

namespace {

constexpr int kDotsPerMeter96Dpi = 3780;

std::size_t CaptionIndex(std::string_view family)
{
    const auto& families = qeltra3k::text::kCaptionFamilies;
    for (std::size_t i = 0; i < families.size(); ++i) {
        if (families[i].family == family)
            return i;
    }
    return 0;
}

QColor Scaled(const QColor& c, double factor)
{
    auto part = [factor](int v) { return std::clamp(static_cast<int>(v * factor), 0, 255); };
    return QColor(part(c.red()), part(c.green()), part(c.blue()));
}

}  // namespace

QColor ToQColor(const qeltra3k::text::SkinColour& colour, int alpha)
{
    return QColor(colour.r, colour.g, colour.b, alpha);
}

ArtPalette PaletteOf(const qeltra3k::text::SkinSection& skin)
{
    ArtPalette p;
    p.index = skin.index;
    p.accent = ToQColor(skin.keyMenu.Color_G_SP);
    p.title = ToQColor(skin.captionLabels[CaptionIndex("DPI_Setting")].colour);
    p.text = ToQColor(skin.keyMenu.Color_G);
    p.panel = ToQColor(skin.advancedPage.Color_BG_Slider);
    p.field = ToQColor(skin.macroPage.Color_F_LBack);
    p.fieldBorder = ToQColor(skin.macroPage.Color_F_LBorder);
    p.base = Scaled(p.panel, 0.55);
    p.bar = Scaled(p.panel, 0.8);
    return p;
}

QImage NewImage(int w, int h)
{
    QImage image(w, h, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    image.setDotsPerMeterX(kDotsPerMeter96Dpi);
    image.setDotsPerMeterY(kDotsPerMeter96Dpi);
    return image;
}

QImage NewImage(skin_design::Size size)
{
    return NewImage(size.w, size.h);
}

bool SavePicture(const QImage& image, const QString& outDir, const QString& name)
{
    const QString path = QDir(outDir).filePath(name + ".png");
    // Quality 0 asks the PNG writer for its strongest compression.
    if (!image.convertToFormat(QImage::Format_ARGB32).save(path, "PNG", 0)) {
        std::cerr << "cannot write " << path.toStdString() << "\n";
        return false;
    }
    return true;
}

QColor White(double opacity)
{
    return QColor(255, 255, 255, std::clamp(static_cast<int>(opacity * 255 + 0.5), 0, 255));
}

QPainterPath RoundedRect(const QRectF& r, double radius)
{
    QPainterPath path;
    path.addRoundedRect(r, radius, radius);
    return path;
}

QPainterPath Chamfered(const QRectF& r, double cut)
{
    QPainterPath path;
    path.moveTo(r.left() + cut, r.top());
    path.lineTo(r.right() - cut, r.top());
    path.lineTo(r.right(), r.top() + cut);
    path.lineTo(r.right(), r.bottom() - cut);
    path.lineTo(r.right() - cut, r.bottom());
    path.lineTo(r.left() + cut, r.bottom());
    path.lineTo(r.left(), r.bottom() - cut);
    path.lineTo(r.left(), r.top() + cut);
    path.closeSubpath();
    return path;
}

QPainterPath PanelShape(int skinIndex, const QRectF& r)
{
    switch (skinIndex) {
    case 2:
        return Chamfered(r, 12);
    case 3:
        return RoundedRect(r, 4);
    default:
        return RoundedRect(r, 10);
    }
}

void Glow(QPainter& p, const QPainterPath& path, const QColor& colour, double width, int rings)
{
    p.save();
    p.setBrush(Qt::NoBrush);
    for (int i = rings; i >= 1; --i) {
        QColor c = colour;
        c.setAlphaF(colour.alphaF() * 0.5 / i);
        p.setPen(QPen(c, width + 2.5 * i, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPath(path);
    }
    p.setPen(QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(path);
    p.restore();
}

void FadingLine(QPainter& p, double x1, double x2, double y, const QColor& colour, double width)
{
    QLinearGradient g(x1, 0, x2, 0);
    QColor clear = colour;
    clear.setAlpha(0);
    g.setColorAt(0, clear);
    g.setColorAt(0.2, colour);
    g.setColorAt(0.8, colour);
    g.setColorAt(1, clear);
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawRect(QRectF(x1, y - width / 2, x2 - x1, width));
    p.restore();
}

void Prepare(QPainter& p)
{
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setRenderHint(QPainter::TextAntialiasing, true);
    p.setRenderHint(QPainter::SmoothPixmapTransform, true);
}

}  // namespace skin_art
