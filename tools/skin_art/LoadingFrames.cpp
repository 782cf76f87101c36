#include "LoadingFrames.h"

#include <QLinearGradient>
#include <QRadialGradient>

#include <cmath>
#include <numbers>

#include "ArtCommon.h"

namespace skin_art {

namespace {

// A small mouse seen from above, the loading screen's centre piece.
void MouseGlyph(QPainter& p, const QPointF& c)
{
    QPainterPath body;
    body.addRoundedRect(QRectF(c.x() - 15, c.y() - 22, 30, 44), 14, 14);
    p.setPen(QPen(White(0.85), 2));
    p.setBrush(White(0.06));
    p.drawPath(body);
    p.drawLine(c + QPointF(0, -22), c + QPointF(0, -6));
    p.setPen(Qt::NoPen);
    p.setBrush(White(0.9));
    p.drawRoundedRect(QRectF(c.x() - 2, c.y() - 17, 4, 8), 2, 2);
}

}  // namespace

bool DrawLoadingFrames(const QString& outDir)
{
    const skin_design::Size size = skin_design::kLoading;
    const QPointF centre(size.w / 2.0, size.h / 2.0);
    constexpr int kSegments = 12;
    constexpr double kRadius = 58;
    bool ok = true;
    for (int frame = 0; frame < kLoadingFrameCount; ++frame) {
        QImage image = NewImage(size);
        QPainter p(&image);
        Prepare(p);
        const QRectF panel(4, 4, size.w - 8, size.h - 8);
        QRadialGradient ground(centre, size.w / 1.6);
        ground.setColorAt(0, QColor(26, 31, 39, 235));
        ground.setColorAt(1, QColor(10, 12, 16, 235));
        p.setPen(QPen(White(0.18), 1));
        p.setBrush(ground);
        p.drawRoundedRect(panel, 22, 22);

        // The bright head moves one segment a frame; the segments behind it fade.
        for (int i = 0; i < kSegments; ++i) {
            const int behind = (frame - i + kSegments) % kSegments;
            const double level = behind < 8 ? 1.0 - behind / 8.0 : 0.0;
            const double angle = 2 * std::numbers::pi * i / kSegments - std::numbers::pi / 2;
            const QPointF dir(std::cos(angle), std::sin(angle));
            const QPointF a = centre + dir * (kRadius - 9);
            const QPointF b = centre + dir * (kRadius + 9);
            if (level > 0.6) {
                p.setPen(QPen(White(0.16 * level), 14, Qt::SolidLine, Qt::RoundCap));
                p.drawLine(a, b);
            }
            p.setPen(QPen(White(0.14 + 0.84 * level), 6, Qt::SolidLine, Qt::RoundCap));
            p.drawLine(a, b);
        }
        MouseGlyph(p, centre);
        p.end();
        ok = SavePicture(image, outDir, QString("Loading_%1").arg(frame, 2, 10, QChar('0'))) && ok;
    }
    return ok;
}

}  // namespace skin_art
