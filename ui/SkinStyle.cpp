#include "ui/SkinStyle.h"

#include <QPalette>
#include <algorithm>

namespace qeltra3k::ui {

namespace {

constexpr int kLayoutDpi = 96;
constexpr int kPointsPerInch = 72;
constexpr int kSmallestPointSize = 1;

}  // namespace

QColor ColourOf(const text::SkinColour& colour)
{
    return QColor(std::clamp(colour.r, 0, 255), std::clamp(colour.g, 0, 255), std::clamp(colour.b, 0, 255));
}

QFont SkinFont(const QString& family, int pointSize)
{
    QFont font(family);
    const int points = std::max(pointSize, kSmallestPointSize);
    font.setPixelSize((points * kLayoutDpi + kPointsPerInch / 2) / kPointsPerInch);
    return font;
}

void SetTextStyle(QWidget* widget, const QString& family, int pointSize, const text::SkinColour& colour)
{
    widget->setFont(SkinFont(family, pointSize));
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, ColourOf(colour));
    palette.setColor(QPalette::Text, ColourOf(colour));
    palette.setColor(QPalette::ButtonText, ColourOf(colour));
    widget->setPalette(palette);
}

void SetFontFamily(QWidget* widget, const QString& family)
{
    QFont font = widget->font();
    font.setFamily(family);
    widget->setFont(font);
}

}  // namespace qeltra3k::ui
