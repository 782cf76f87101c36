#include "GunShapes.h"

#include <QPainterPath>
#include <QPolygonF>

#include <algorithm>
#include <vector>

namespace skin_art {

namespace {

// The silhouettes are drawn in a 100 x 40 box, muzzle to the right.
constexpr double kBoxW = 100;
constexpr double kBoxH = 40;

using Gun = std::vector<std::vector<QPointF>>;

Gun Akm()
{
    return {
        {{0, 14}, {22, 10}, {26, 10}, {26, 20}, {4, 30}, {0, 28}},          // stock
        {{26, 9}, {58, 9}, {58, 20}, {26, 20}},                            // receiver
        {{48, 6}, {55, 6}, {55, 9}, {48, 9}},                              // rear sight
        {{58, 10}, {76, 10}, {76, 19}, {58, 19}},                          // handguard
        {{76, 13}, {96, 13}, {96, 16}, {76, 16}},                          // barrel
        {{89, 8}, {91.5, 8}, {91.5, 13}, {89, 13}},                        // front sight
        {{95, 12}, {100, 12}, {100, 17}, {95, 17}},                        // muzzle brake
        {{44, 20}, {52, 20}, {57, 30}, {62, 37}, {55, 40}, {49, 31}},      // curved magazine
        {{30, 20}, {37, 20}, {35, 32}, {28, 32}},                          // grip
    };
}

Gun M16()
{
    return {
        {{0, 12}, {24, 12}, {26, 14}, {26, 20}, {0, 26}},
        {{26, 11}, {60, 11}, {60, 20}, {26, 20}},
        {{32, 4}, {54, 4}, {54, 11}, {50, 11}, {50, 7}, {36, 7}, {36, 11}, {32, 11}},  // carry handle
        {{60, 10}, {82, 10}, {82, 20}, {60, 20}},
        {{82, 14}, {100, 14}, {100, 17}, {82, 17}},
        {{84, 6}, {87.5, 6}, {87.5, 14}, {84, 14}},
        {{44, 20}, {51, 20}, {53, 34}, {46, 34}},
        {{30, 20}, {36, 20}, {34, 31}, {28, 31}},
    };
}

Gun M4()
{
    return {
        {{4, 11}, {22, 11}, {22, 21}, {10, 23}, {4, 23}},  // collapsible stock
        {{22, 13}, {28, 13}, {28, 17}, {22, 17}},          // buffer tube
        {{28, 9}, {58, 9}, {58, 20}, {28, 20}},
        {{28, 6.5}, {78, 6.5}, {78, 9}, {28, 9}},          // rail
        {{58, 9}, {78, 9}, {78, 19}, {58, 19}},
        {{78, 13}, {93, 13}, {93, 16}, {78, 16}},
        {{93, 12}, {98, 12}, {98, 17}, {93, 17}},
        {{70, 3}, {74, 3}, {74, 6.5}, {70, 6.5}},
        {{42, 20}, {49, 20}, {51, 33}, {44, 33}},
        {{31, 20}, {37, 20}, {35, 31}, {29, 31}},
    };
}

Gun Ump9()
{
    return {
        {{0, 10}, {22, 10}, {22, 14}, {6, 14}, {6, 22}, {22, 22}, {22, 26}, {0, 26}},  // folded frame
        {{22, 8}, {72, 8}, {72, 22}, {22, 22}},
        {{26, 5.5}, {64, 5.5}, {64, 8}, {26, 8}},
        {{72, 13}, {88, 13}, {88, 17}, {72, 17}},
        {{48, 22}, {55, 22}, {55, 38}, {48, 38}},
        {{28, 22}, {36, 22}, {34, 34}, {26, 34}},
        {{61, 22}, {67, 22}, {67, 30}, {61, 30}},
    };
}

Gun ScarL()
{
    return {
        {{0, 10}, {20, 10}, {24, 14}, {24, 22}, {10, 26}, {0, 26}},
        {{24, 8}, {66, 8}, {66, 19}, {24, 19}},
        {{24, 5.5}, {66, 5.5}, {66, 8}, {24, 8}},
        {{30, 19}, {54, 19}, {54, 22}, {30, 22}},
        {{66, 13}, {92, 13}, {92, 16}, {66, 16}},
        {{92, 12}, {97, 12}, {97, 17}, {92, 17}},
        {{44, 22}, {51, 22}, {54, 34}, {47, 35}},
        {{31, 22}, {37, 22}, {35, 33}, {29, 33}},
    };
}

Gun GunParts(int gun)
{
    switch (gun) {
    case 1:
        return Akm();
    case 2:
        return M16();
    case 3:
        return M4();
    case 4:
        return Ump9();
    default:
        return ScarL();
    }
}

}  // namespace

void DrawGunSilhouette(QPainter& p, int gun, const QRectF& area, const QColor& ink)
{
    const double scale = std::min(area.width() / kBoxW, area.height() / kBoxH);
    const QPointF origin(area.center().x() - kBoxW * scale / 2, area.center().y() - kBoxH * scale / 2);
    QPainterPath outline;
    outline.setFillRule(Qt::WindingFill);
    for (const std::vector<QPointF>& part : GunParts(gun)) {
        QPolygonF polygon;
        for (const QPointF& point : part)
            polygon << origin + point * scale;
        polygon << polygon.front();
        outline.addPolygon(polygon);
    }
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(ink);
    p.drawPath(outline.simplified());
    p.restore();
}

}  // namespace skin_art
