// The pictures of one skin: the window background "L"N"_BackGround" and the page
// pictures "L"N"_Back1" ... "_Back6". The pages are transparent around their panels, so
// the background's ground and the skin's pattern show between them.
#include "SkinPictures.h"

#include <QFont>
#include <QLinearGradient>

#include <cmath>
#include <string_view>
#include <vector>

#include "ArtCommon.h"
#include "MouseDrawing.h"

namespace skin_art {

namespace {

using namespace skin_design;
using qeltra3k::text::SkinSection;

QRectF F(const Rect& r)
{
    return QRectF(r.x, r.y, r.w, r.h);
}

QColor WithAlpha(QColor c, int alpha)
{
    c.setAlpha(alpha);
    return c;
}

// The pattern of each skin, faint, over the page area of the background.
void Pattern(QPainter& p, const ArtPalette& palette)
{
    const QRectF area = F(kPageArea);
    p.save();
    p.setClipRect(area);
    p.setBrush(Qt::NoBrush);
    switch (palette.index) {
    case 2: {
        // Ember: long diagonal strokes.
        p.setPen(QPen(WithAlpha(palette.accent, 14), 10));
        for (double x = -600; x < kWindow.w + 600; x += 46)
            p.drawLine(QPointF(x, area.bottom()), QPointF(x + area.height() * 0.9, area.top()));
        break;
    }
    case 3: {
        // Jade: a hexagon grid.
        p.setPen(QPen(WithAlpha(palette.accent, 18), 1));
        const double r = 22;
        const double w = std::sqrt(3.0) * r;
        for (int row = 0; row * 1.5 * r < area.height() + r; ++row) {
            for (int col = -1; col * w < area.width() + w; ++col) {
                const QPointF c(col * w + (row % 2) * w / 2, area.top() + row * 1.5 * r);
                QPolygonF hex;
                for (int k = 0; k < 6; ++k) {
                    const double a = (60.0 * k + 30.0) * 3.14159265358979 / 180.0;
                    hex << c + QPointF(r * std::cos(a), r * std::sin(a));
                }
                hex << hex.front();
                p.drawPolyline(hex);
            }
        }
        break;
    }
    default: {
        // Cyan: circuit traces with pads.
        p.setPen(QPen(WithAlpha(palette.accent, 26), 1.5));
        for (int i = 0; i < 34; ++i) {
            const double y = area.top() + 18 + (i * 97) % static_cast<int>(area.height() - 36);
            const double x = (i * 173) % (kWindow.w - 160) + 20;
            QPainterPath trace(QPointF(x, y));
            trace.lineTo(x + 40 + (i % 5) * 14, y);
            trace.lineTo(x + 60 + (i % 5) * 14, y + ((i % 2) ? 20 : -20));
            trace.lineTo(x + 120 + (i % 3) * 20, y + ((i % 2) ? 20 : -20));
            p.drawPath(trace);
            p.setBrush(WithAlpha(palette.accent, 40));
            p.drawEllipse(trace.currentPosition(), 2.5, 2.5);
            p.setBrush(Qt::NoBrush);
        }
        break;
    }
    }
    p.restore();
}

void Logo(QPainter& p, const ArtPalette& palette)
{
    // A shield with a mouse in it, and the product name: the window's own brand mark.
    const QPointF c(36, kTopBarHeight / 2.0);
    QPainterPath shield;
    shield.moveTo(c + QPointF(0, -14));
    shield.lineTo(c + QPointF(12, -9));
    shield.lineTo(c + QPointF(12, 3));
    shield.quadTo(c + QPointF(10, 11), c + QPointF(0, 15));
    shield.quadTo(c + QPointF(-10, 11), c + QPointF(-12, 3));
    shield.lineTo(c + QPointF(-12, -9));
    shield.closeSubpath();
    Glow(p, shield, palette.accent, 1.8, 3);
    p.setPen(QPen(White(0.9), 1.4));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(c.x() - 4.5, c.y() - 7, 9, 13), 4.5, 4.5);
    p.drawLine(c + QPointF(0, -7), c + QPointF(0, -2));

    QFont font("DejaVu Sans");
    font.setPixelSize(17);
    font.setBold(true);
    font.setLetterSpacing(QFont::AbsoluteSpacing, 1.5);
    p.setFont(font);
    const QRectF text(56, 0, 140, kTopBarHeight);
    p.setPen(White(0.94));
    p.drawText(text, Qt::AlignVCenter | Qt::AlignLeft, "QELTRA");
    const double used = QFontMetricsF(font).horizontalAdvance("QELTRA");
    p.setPen(palette.accent);
    p.drawText(text.adjusted(used, 0, 0, 0), Qt::AlignVCenter | Qt::AlignLeft, "3K");
}

QImage Background(const ArtPalette& palette)
{
    QImage image = NewImage(kWindow);
    QPainter p(&image);
    Prepare(p);
    const QRectF whole(0, 0, kWindow.w, kWindow.h);
    const QPainterPath window = RoundedRect(whole, kCornerRadius);
    p.setClipPath(window);

    QLinearGradient ground(0, 0, 0, kWindow.h);
    ground.setColorAt(0, palette.base.lighter(125));
    ground.setColorAt(1, palette.base);
    p.fillRect(whole, ground);
    Pattern(p, palette);

    // Top bar, with a line of the accent colour under it.
    QLinearGradient bar(0, 0, 0, kTopBarHeight);
    bar.setColorAt(0, palette.bar.lighter(135));
    bar.setColorAt(1, palette.bar);
    p.fillRect(QRectF(0, 0, kWindow.w, kTopBarHeight), bar);
    FadingLine(p, 0, kWindow.w, kTopBarHeight - 1, WithAlpha(palette.accent, 60), 6);
    FadingLine(p, 0, kWindow.w, kTopBarHeight - 1, palette.accent, 1.6);
    if (palette.index == 2) {
        // Ember: a hot second line and slashes at the bar's right end.
        FadingLine(p, kWindow.w * 0.15, kWindow.w * 0.85, kTopBarHeight - 3.5, QColor(220, 40, 40, 160), 1);
    }
    if (palette.index == 3)
        FadingLine(p, kWindow.w * 0.1, kWindow.w * 0.9, kTopBarHeight - 3.5, WithAlpha(palette.title, 170), 1);
    Logo(p, palette);

    // Foot bar.
    QLinearGradient foot(0, kFootTop, 0, kWindow.h);
    foot.setColorAt(0, palette.bar);
    foot.setColorAt(1, palette.bar.darker(130));
    p.fillRect(QRectF(0, kFootTop, kWindow.w, kWindow.h - kFootTop), foot);
    FadingLine(p, 0, kWindow.w, kFootTop + 0.5, WithAlpha(palette.accent, 90), 1);

    p.setClipping(false);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(WithAlpha(palette.accent, 70), 1));
    p.drawPath(RoundedRect(whole.adjusted(0.5, 0.5, -0.5, -0.5), kCornerRadius));
    return image;
}

// A page panel: flat fill (sliders and edits paint the same colour), a thin border and
// the skin's own corner mark.
void Panel(QPainter& p, const ArtPalette& palette, const Rect& rect)
{
    const QRectF r = F(rect).adjusted(0.5, 0.5, -0.5, -0.5);
    const QPainterPath shape = PanelShape(palette.index, r);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 90));
    p.drawPath(PanelShape(palette.index, r.translated(0, 3)));
    p.setBrush(palette.panel);
    p.drawPath(shape);
    p.setPen(QPen(WithAlpha(palette.accent, 80), 1));
    p.setBrush(Qt::NoBrush);
    p.drawPath(shape);
    if (palette.index == 2) {
        QPainterPath notch;
        notch.moveTo(r.left() + 1, r.top() + 22);
        notch.lineTo(r.left() + 1, r.top() + 12);
        notch.lineTo(r.left() + 12, r.top() + 1);
        notch.lineTo(r.left() + 22, r.top() + 1);
        p.setPen(QPen(palette.accent, 2));
        p.drawPath(notch);
    }
    if (palette.index == 3) {
        // Gold brackets at the corners.
        p.setPen(QPen(palette.title, 2, Qt::SolidLine, Qt::SquareCap));
        const double l = 12;
        for (const QPointF& corner : {r.topLeft(), r.topRight(), r.bottomLeft(), r.bottomRight()}) {
            const double sx = corner.x() == r.left() ? 1 : -1;
            const double sy = corner.y() == r.top() ? 1 : -1;
            p.drawLine(corner, corner + QPointF(sx * l, 0));
            p.drawLine(corner, corner + QPointF(0, sy * l));
        }
    }
}

void Separator(QPainter& p, const ArtPalette& palette, const Rect& panel, double y)
{
    FadingLine(p, panel.x + 12, panel.Right() - 12, y + 0.5, WithAlpha(palette.text, 34), 1);
}

// A small bar of the accent colour before every panel title of the page.
void TitleMarks(QPainter& p, const SkinSection& skin, const ArtPalette& palette, std::string_view prefixes)
{
    const auto& families = qeltra3k::text::kCaptionFamilies;
    for (std::size_t i = 0; i < families.size(); ++i) {
        const auto& label = skin.captionLabels[i];
        const std::string family(families[i].family);
        bool onPage = false;
        for (std::size_t start = 0; start < prefixes.size();) {
            const std::size_t end = std::min(prefixes.find(',', start), prefixes.size());
            if (family.rfind(std::string(prefixes.substr(start, end - start)), 0) == 0)
                onPage = true;
            start = end + 1;
        }
        if (!onPage || label.size < 11 || label.position.x >= 3000)
            continue;
        p.setPen(Qt::NoPen);
        p.setBrush(palette.accent);
        p.drawRoundedRect(QRectF(label.position.x - 12, label.position.y + 3, 4, 15), 2, 2);
    }
}

// Lines from each button label to its button on the drawing.
void LeaderLines(QPainter& p, const SkinSection& skin, const ArtPalette& palette)
{
    const auto& targets = KeyTargets();
    const double middle = kKeyS.h / 2.0;
    for (std::size_t n = 0; n < skin.keyPage.Key.size(); ++n) {
        const auto& key = skin.keyPage.Key[n];
        if (!key.enabled || !key.position || key.position->x >= 3000)
            continue;
        const bool leftSide = key.position->x + skin.keyPage.Key_Width / 2 < key_page::kMouseCentreX;
        const double startX = leftSide ? key.position->x + skin.keyPage.Key_Width + 4 : key.position->x - 4;
        const QPointF start(startX, key.position->y + middle);
        const QPointF elbow(startX + (leftSide ? 26 : -26), start.y());
        QPainterPath line(start);
        line.lineTo(elbow);
        line.lineTo(targets[n]);
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(QColor(0, 0, 0, 120), 3.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPath(line);
        p.setPen(QPen(WithAlpha(palette.accent, 210), 1.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPath(line);
        p.setPen(Qt::NoPen);
        p.setBrush(palette.accent);
        p.drawEllipse(start, 2.5, 2.5);
        p.setPen(QPen(palette.accent, 1.6));
        p.setBrush(QColor(10, 12, 16));
        p.drawEllipse(targets[n], 4, 4);
    }
}

void KeyPage(QPainter& p, const SkinSection& skin, const ArtPalette& palette)
{
    DrawMouse(p, palette);
    LeaderLines(p, skin, palette);
    Panel(p, palette, key_page::kHintPanel);
}

void AdvancedPage(QPainter& p, const SkinSection& skin, const ArtPalette& palette)
{
    using namespace advanced_page;
    Panel(p, palette, kDpiPanel);
    Panel(p, palette, kFirePanel);
    Panel(p, palette, kPointerPanel);
    Separator(p, palette, kDpiPanel, 114);
    Separator(p, palette, kDpiPanel, 154);
    Separator(p, palette, kDpiPanel, kAimSeparatorY);
    Separator(p, palette, kFirePanel, 114);
    TitleMarks(p, skin, palette, "Fire_Key,Mouse_,DPI_");
}

void LightPage(QPainter& p, const SkinSection& skin, const ArtPalette& palette)
{
    using namespace light_page;
    Panel(p, palette, kSwitchPanel);
    Panel(p, palette, kModePanel);
    for (int group = 1; group < 4; ++group)
        Separator(p, palette, kSwitchPanel, 92 + group * 112 - 16);
    Separator(p, palette, kModePanel, 116);
    Separator(p, palette, kModePanel, 400);
    Separator(p, palette, kModePanel, 466);
    // A strip of lights before the LED count bar (the bar has no caption of its own).
    const auto& light = skin.lightPage;
    const double y = light.MCULEDNum.y + kBar1.h / 2.0;
    for (int i = 0; i < 3; ++i) {
        const QPointF c(light.MCULEDNum.x - 36 + i * 10, y);
        p.setPen(Qt::NoPen);
        p.setBrush(WithAlpha(palette.accent, 70));
        p.drawEllipse(c, 5, 5);
        p.setBrush(palette.accent);
        p.drawEllipse(c, 2.5, 2.5);
    }
    TitleMarks(p, skin, palette, "LED_,LCPI_,MCPI_");
}

void MacroPage(QPainter& p, const SkinSection& skin, const ArtPalette& palette)
{
    using namespace macro_page;
    Panel(p, palette, kListPanel);
    Panel(p, palette, kContentPanel);
    Panel(p, palette, kOptionPanel);
    Panel(p, palette, kTipPanel);
    Separator(p, palette, kListPanel, 112);
    Separator(p, palette, kContentPanel, 112);
    // No lines across the option panel: the insert panel takes its place at times.
    // The tip panel shows a macro as a row of keys with delays between them.
    const QRectF tip = F(kTipPanel);
    const double y = tip.center().y();
    double x = tip.left() + 30;
    for (int i = 0; i < 4; ++i) {
        p.setPen(QPen(WithAlpha(palette.accent, 150), 1.5));
        p.setBrush(WithAlpha(palette.accent, 28));
        p.drawRoundedRect(QRectF(x, y - 17, 34, 34), 6, 6);
        p.setPen(Qt::NoPen);
        p.setBrush(WithAlpha(palette.text, 120));
        p.drawRoundedRect(QRectF(x + 10, y - 3, 14, 6), 3, 3);
        if (i < 3) {
            p.setPen(QPen(WithAlpha(palette.text, 70), 1.5, Qt::DotLine));
            p.drawLine(QPointF(x + 38, y), QPointF(x + 58, y));
        }
        x += 62;
    }
    TitleMarks(p, skin, palette, "Marco_List,Marco_Content");
}

void FirePage(QPainter& p, const SkinSection& skin, const ArtPalette& palette)
{
    using namespace fire_page;
    Panel(p, palette, kGunPanel);
    Panel(p, palette, kTablePanel);
    // A lighter band behind each fire macro column, and lines between the fields.
    for (int c = 0; c < 3; ++c) {
        const QRectF band(kFirstColumnX + c * kColumnPitch, kTablePanel.y + 8, kColumnWidth, kTablePanel.h - 16);
        p.setPen(Qt::NoPen);
        p.setBrush(White(0.035));
        p.drawRoundedRect(band, 6, 6);
    }
    const auto& rows = skin.firePage.Row[0];
    for (int y : {rows.RKFS.y, rows.FireCnt.y, rows.FireY.y, rows.FireY_Offset.y, rows.FireTime.y}) {
        const int mid = y < 3000 ? y + 31 : -1;
        if (mid > 0)
            Separator(p, palette, kTablePanel, mid);
    }
}

QImage PagePicture(int page, const SkinSection& skin, const ArtPalette& palette)
{
    QImage image = NewImage(kPageArea.w, kPageArea.h);
    QPainter p(&image);
    Prepare(p);
    // Drawn in window pixels: the page picture sits at the top of the page area.
    p.translate(-kPageArea.x, -kPageArea.y);
    switch (page) {
    case 1:
        KeyPage(p, skin, palette);
        break;
    case 2:
        AdvancedPage(p, skin, palette);
        break;
    case 3:
        LightPage(p, skin, palette);
        break;
    case 4:
        MacroPage(p, skin, palette);
        break;
    case 5:
        FirePage(p, skin, palette);
        break;
    default:
        // Not shown by the window; one plain panel over the page area.
        Panel(p, palette, Rect{16, kPageArea.y + 12, kWindow.w - 32, kPageArea.h - 24});
        break;
    }
    return image;
}

}  // namespace

bool DrawSkinPictures(const SkinSection& skin, const QString& outDir)
{
    const ArtPalette palette = PaletteOf(skin);
    const QString prefix = QString("L%1_").arg(skin.index);
    bool ok = SavePicture(Background(palette), outDir, prefix + "BackGround");
    for (int page = 1; page <= 6; ++page)
        ok = SavePicture(PagePicture(page, skin, palette), outDir, prefix + QString("Back%1").arg(page)) && ok;
    return ok;
}

}  // namespace skin_art
