#pragma once
// Skin values on widgets: colours, and fonts sized as the layout's point sizes are meant on
// a 96 dpi screen, so a skin looks the same whatever the display reports.
#include <QColor>
#include <QFont>
#include <QWidget>

#include "ui/text/SkinSection.h"

namespace qeltra3k::ui {

QColor ColourOf(const text::SkinColour& colour);
QFont SkinFont(const QString& family, int pointSize);
// Font face and size, and the colour of the widget's text.
void SetTextStyle(QWidget* widget, const QString& family, int pointSize, const text::SkinColour& colour);
// Keeps the widget's size and colour, changes only the face (a language switch).
void SetFontFamily(QWidget* widget, const QString& family);

}  // namespace qeltra3k::ui
