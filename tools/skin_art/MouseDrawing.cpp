#include "MouseDrawing.h"

#include <QLinearGradient>
#include <QRadialGradient>

namespace skin_art {

namespace {

constexpr double kCentreX = skin_design::key_page::kMouseCentreX;

QPointF Mirror(const QPointF& point)
{
    return QPointF(2 * kCentreX - point.x(), point.y());
}

// The body outline: the right half as cubic segments, the left half its mirror.
QPainterPath Body()
{
    struct Cubic {
        QPointF c1;
        QPointF c2;
        QPointF end;
    };
    const QPointF top(kCentreX, 94);
    const Cubic right[] = {
        {{548, 92}, {584, 106}, {592, 152}},
        {{600, 198}, {598, 236}, {604, 282}},
        {{612, 340}, {618, 404}, {596, 444}},
        {{572, 480}, {530, 484}, {kCentreX, 484}},
    };
    QPainterPath path(top);
    for (const Cubic& c : right)
        path.cubicTo(c.c1, c.c2, c.end);
    // Back up the left side: the mirrored segments in reverse order.
    const int n = sizeof(right) / sizeof(right[0]);
    for (int i = n - 1; i >= 0; --i) {
        const QPointF start = i == 0 ? top : right[i - 1].end;
        path.cubicTo(Mirror(right[i].c2), Mirror(right[i].c1), Mirror(start));
    }
    path.closeSubpath();
    return path;
}

// Everything in front of the arc that ends the two main buttons.
QPainterPath ButtonZone()
{
    QPainterPath zone(QPointF(340, 60));
    zone.lineTo(660, 60);
    zone.lineTo(660, 250);
    zone.quadTo(QPointF(kCentreX, 300), QPointF(340, 250));
    zone.closeSubpath();
    return zone;
}

QPainterPath Channel()
{
    QPainterPath channel;
    channel.addRect(QRectF(kCentreX - 14, 60, 28, 260));
    return channel;
}

QLinearGradient Vertical(double top, double bottom, const QColor& a, const QColor& b)
{
    QLinearGradient g(0, top, 0, bottom);
    g.setColorAt(0, a);
    g.setColorAt(1, b);
    return g;
}

void SmallButton(QPainter& p, const QRectF& r, const QColor& fill, const QColor& edge)
{
    p.setPen(QPen(edge, 1));
    p.setBrush(fill);
    p.drawRoundedRect(r, r.width() / 3, r.width() / 3);
}

}  // namespace

const std::array<QPointF, 9>& KeyTargets()
{
    static const std::array<QPointF, 9> targets = {{
        {456, 134},  // 1 left button
        {500, 170},  // 2 wheel
        {544, 134},  // 3 right button
        {391, 344},  // 4 back
        {391, 300},  // 5 forward
        {500, 205},  // 6
        {500, 229},  // 7
        {500, 251},  // 8
        {418, 194},  // 9 fire
    }};
    return targets;
}

void DrawMouse(QPainter& p, const ArtPalette& palette)
{
    const QPainterPath body = Body();
    const QColor edge = White(0.20);

    // Shadow on the ground.
    QRadialGradient shadow(QPointF(kCentreX, 300), 220);
    shadow.setColorAt(0, QColor(0, 0, 0, 150));
    shadow.setColorAt(1, QColor(0, 0, 0, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(shadow);
    p.drawEllipse(QPointF(kCentreX, 300), 200, 230);
    // The accent glow the mouse sits in.
    QRadialGradient halo(QPointF(kCentreX, 290), 240);
    QColor accent = palette.accent;
    accent.setAlpha(34);
    halo.setColorAt(0, accent);
    accent.setAlpha(0);
    halo.setColorAt(1, accent);
    p.setBrush(halo);
    p.drawEllipse(QPointF(kCentreX, 290), 240, 240);

    // Side buttons stick out of the left flank; drawn first so the body covers their roots.
    for (const QRectF& r : {QRectF(384, 282, 18, 36), QRectF(384, 326, 18, 36)}) {
        p.setPen(QPen(White(0.30), 1));
        p.setBrush(Vertical(r.top(), r.bottom(), QColor(70, 77, 90), QColor(40, 45, 54)));
        p.drawRoundedRect(r, 7, 7);
    }

    p.setBrush(Vertical(94, 484, QColor(44, 50, 60), QColor(20, 23, 29)));
    p.drawPath(body);
    // Light from the upper left.
    QRadialGradient sheen(QPointF(450, 200), 230);
    sheen.setColorAt(0, White(0.07));
    sheen.setColorAt(1, White(0));
    p.setBrush(sheen);
    p.drawPath(body);

    // Main buttons: lighter, split by the channel, with a gloss along their front.
    const QPainterPath buttons = body.intersected(ButtonZone()).subtracted(Channel());
    p.setPen(QPen(White(0.16), 1));
    p.setBrush(Vertical(94, 290, QColor(62, 69, 82), QColor(36, 41, 50)));
    p.drawPath(buttons);
    p.setPen(Qt::NoPen);
    p.setBrush(Vertical(94, 170, White(0.10), White(0)));
    p.drawPath(buttons);
    const QPainterPath channel = body.intersected(ButtonZone()).intersected(Channel());
    QLinearGradient groove(kCentreX - 14, 0, kCentreX + 14, 0);
    groove.setColorAt(0, QColor(14, 16, 20));
    groove.setColorAt(0.5, QColor(26, 29, 36));
    groove.setColorAt(1, QColor(14, 16, 20));
    p.setBrush(groove);
    p.drawPath(channel);

    // Wheel with ribs and a lit rim.
    const QRectF wheel(kCentreX - 11, 128, 22, 58);
    p.setPen(Qt::NoPen);
    p.setBrush(Vertical(wheel.top(), wheel.bottom(), QColor(70, 76, 88), QColor(30, 34, 42)));
    p.drawRoundedRect(wheel, 10, 10);
    p.setPen(QPen(QColor(0, 0, 0, 120), 1.5));
    for (double y = wheel.top() + 7; y < wheel.bottom() - 5; y += 5)
        p.drawLine(QPointF(wheel.left() + 4, y), QPointF(wheel.right() - 4, y));
    QColor rim = palette.accent;
    rim.setAlpha(200);
    Glow(p, RoundedRect(wheel, 10), rim, 1.2, 3);

    // Buttons 6 to 8 behind the wheel: a lit bar, then plus and minus.
    SmallButton(p, QRectF(kCentreX - 10, 196, 20, 18), QColor(50, 56, 68), White(0.28));
    p.setPen(QPen(palette.accent, 2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(kCentreX - 5, 205), QPointF(kCentreX + 5, 205));
    SmallButton(p, QRectF(kCentreX - 9, 222, 18, 14), QColor(50, 56, 68), White(0.28));
    SmallButton(p, QRectF(kCentreX - 9, 244, 18, 14), QColor(50, 56, 68), White(0.28));
    p.setPen(QPen(White(0.75), 1.5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(kCentreX - 4, 229), QPointF(kCentreX + 4, 229));
    p.drawLine(QPointF(kCentreX, 225), QPointF(kCentreX, 233));
    p.drawLine(QPointF(kCentreX - 4, 251), QPointF(kCentreX + 4, 251));

    // Fire button on the left button's shoulder, in the skin's accent.
    QColor fire = palette.accent;
    fire.setAlpha(150);
    SmallButton(p, QRectF(412, 176, 12, 36), fire, palette.accent);

    // Light strips along both flanks, fading in and out, and a chevron on the palm.
    QColor stripColour = palette.accent;
    stripColour.setAlpha(230);
    p.save();
    p.setClipPath(body);
    p.setBrush(Qt::NoBrush);
    for (int ring = 4; ring >= 0; --ring) {
        QLinearGradient fade(0, 300, 0, 450);
        QColor c = stripColour;
        c.setAlphaF(ring == 0 ? stripColour.alphaF() : stripColour.alphaF() * 0.5 / ring);
        QColor clear = c;
        clear.setAlpha(0);
        fade.setColorAt(0, clear);
        fade.setColorAt(0.3, c);
        fade.setColorAt(0.75, c);
        fade.setColorAt(1, clear);
        p.setPen(QPen(QBrush(fade), 2.5 + 2.5 * ring, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPath(body);
    }
    p.restore();
    QPainterPath chevron;
    chevron.moveTo(kCentreX - 20, 372);
    chevron.lineTo(kCentreX, 392);
    chevron.lineTo(kCentreX + 20, 372);
    Glow(p, chevron, stripColour, 2.5, 4);

    p.setPen(QPen(edge, 1));
    p.setBrush(Qt::NoBrush);
    p.drawPath(body);
}

}  // namespace skin_art
