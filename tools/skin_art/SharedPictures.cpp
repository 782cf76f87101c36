// The state pictures shared by the three skins. They are neutral and partly translucent:
// each skin's own ground and colours show through, so one set serves every skin.
#include "SharedPictures.h"

#include <QFont>
#include <QLinearGradient>

#include <array>
#include <functional>

#include "ArtCommon.h"
#include "GunShapes.h"

namespace skin_art {

namespace {

using skin_design::Size;

enum class State { Normal, Hover, Pressed };

constexpr std::array<State, 3> kStates = {State::Normal, State::Hover, State::Pressed};

QString Numbered(const QString& stem, int n)
{
    return stem + QString("_%1").arg(n, 2, 10, QChar('0'));
}

// A glass button: the fill brightens under the mouse and darkens, inset, when pressed.
void GlassButton(QPainter& p, const QRectF& r, double radius, State state)
{
    const QPainterPath shape = RoundedRect(r.adjusted(0.5, 0.5, -0.5, -0.5), radius);
    QLinearGradient fill(r.topLeft(), r.bottomLeft());
    switch (state) {
    case State::Normal:
        fill.setColorAt(0, White(0.11));
        fill.setColorAt(1, White(0.04));
        break;
    case State::Hover:
        fill.setColorAt(0, White(0.24));
        fill.setColorAt(1, White(0.10));
        break;
    case State::Pressed:
        fill.setColorAt(0, QColor(0, 0, 0, 70));
        fill.setColorAt(1, White(0.16));
        break;
    }
    p.setPen(Qt::NoPen);
    p.setBrush(fill);
    p.drawPath(shape);
    const double border = state == State::Normal ? 0.26 : state == State::Hover ? 0.70 : 0.85;
    p.setPen(QPen(White(border), 1));
    p.setBrush(Qt::NoBrush);
    p.drawPath(shape);
    if (state != State::Pressed) {
        // A thin highlight along the top edge.
        p.setPen(QPen(White(state == State::Hover ? 0.35 : 0.16), 1));
        p.drawLine(QPointF(r.left() + radius, r.top() + 1.5), QPointF(r.right() - radius, r.top() + 1.5));
    }
}

void SaveStates(const QString& outDir, const QString& stem, Size size,
                const std::function<void(QPainter&, State)>& draw, bool& ok)
{
    for (std::size_t i = 0; i < kStates.size(); ++i) {
        QImage image = NewImage(size);
        QPainter p(&image);
        Prepare(p);
        draw(p, kStates[i]);
        p.end();
        ok = SavePicture(image, outDir, Numbered(stem, static_cast<int>(i) + 1)) && ok;
    }
}

QRectF Whole(Size s)
{
    return QRectF(0, 0, s.w, s.h);
}

void Tab(QPainter& p, Size s, State state)
{
    const QRectF r(1, 2, s.w - 2, s.h - 2);
    QPainterPath shape;
    shape.addRoundedRect(r.adjusted(0, 0, 0, 8), 8, 8);  // rounded at the top only
    shape = shape.intersected(RoundedRect(QRectF(0, 0, s.w, s.h), 0));
    QLinearGradient fill(r.topLeft(), r.bottomLeft());
    const double top = state == State::Normal ? 0.04 : state == State::Hover ? 0.13 : 0.20;
    fill.setColorAt(0, White(top));
    fill.setColorAt(1, White(top * 0.35));
    p.setPen(Qt::NoPen);
    p.setBrush(fill);
    p.drawPath(shape);
    if (state == State::Normal)
        return;
    const double barHeight = state == State::Pressed ? 3 : 2;
    const QRectF bar(10, s.h - barHeight, s.w - 20, barHeight);
    if (state == State::Pressed) {
        QLinearGradient glow(0, s.h - 14, 0, s.h);
        glow.setColorAt(0, White(0));
        glow.setColorAt(1, White(0.22));
        p.setBrush(glow);
        p.drawRect(QRectF(4, s.h - 14, s.w - 8, 14));
    }
    p.setBrush(White(state == State::Pressed ? 0.95 : 0.55));
    p.drawRoundedRect(bar, 1.5, 1.5);
}

void Pill(QPainter& p, Size s, State state)
{
    const QRectF r = Whole(s).adjusted(0.5, 0.5, -0.5, -0.5);
    const double radius = r.height() / 2;
    const double fill = state == State::Normal ? 0.05 : state == State::Hover ? 0.14 : 0.26;
    const double border = state == State::Normal ? 0.28 : state == State::Hover ? 0.62 : 0.95;
    p.setPen(QPen(White(border), state == State::Pressed ? 1.5 : 1));
    p.setBrush(White(fill));
    p.drawRoundedRect(r, radius, radius);
}

void CloseIcon(QPainter& p, Size s, State state)
{
    const QRectF r = Whole(s).adjusted(1, 1, -1, -1);
    if (state != State::Normal) {
        p.setPen(Qt::NoPen);
        p.setBrush(state == State::Hover ? QColor(226, 62, 58) : QColor(160, 36, 36));
        p.drawRoundedRect(r, 6, 6);
    }
    const QPointF c = r.center();
    const double d = 5.5;
    p.setPen(QPen(White(state == State::Normal ? 0.78 : 1.0), 1.8, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(c + QPointF(-d, -d), c + QPointF(d, d));
    p.drawLine(c + QPointF(-d, d), c + QPointF(d, -d));
}

void MinimiseIcon(QPainter& p, Size s, State state)
{
    const QRectF r = Whole(s).adjusted(1, 1, -1, -1);
    if (state != State::Normal) {
        p.setPen(Qt::NoPen);
        p.setBrush(White(state == State::Hover ? 0.16 : 0.28));
        p.drawRoundedRect(r, 6, 6);
    }
    const QPointF c = r.center();
    p.setPen(QPen(White(state == State::Normal ? 0.78 : 1.0), 1.8, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(c + QPointF(-6, 4), c + QPointF(6, 4));
}

void Globe(QPainter& p, const QPointF& c, double radius, const QColor& colour)
{
    p.setPen(QPen(colour, 1.4));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(c, radius, radius);
    p.drawEllipse(c, radius * 0.45, radius);
    p.drawLine(c + QPointF(-radius, 0), c + QPointF(radius, 0));
    p.drawLine(c + QPointF(0, -radius), c + QPointF(0, radius));
    const double y = radius * 0.5;
    const double half = radius * 0.86;
    p.drawLine(c + QPointF(-half, -y), c + QPointF(half, -y));
    p.drawLine(c + QPointF(-half, y), c + QPointF(half, y));
}

// Web button: a globe and an "opens outside" arrow. Its _02 marks a click, _03 the mouse.
void WebButton(QPainter& p, Size s, State picture)
{
    const State look = picture == State::Hover ? State::Pressed : picture == State::Pressed ? State::Hover : State::Normal;
    GlassButton(p, Whole(s), s.h / 2.0, look);
    const QColor ink = White(look == State::Normal ? 0.80 : 1.0);
    const QPointF c(s.w / 2.0 - 9, s.h / 2.0);
    Globe(p, c, 8.5, ink);
    const QPointF a(s.w / 2.0 + 8, s.h / 2.0 + 5);
    p.setPen(QPen(ink, 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawLine(a, a + QPointF(9, -9));
    p.drawLine(a + QPointF(3, -9), a + QPointF(9, -9));
    p.drawLine(a + QPointF(9, -9), a + QPointF(9, -3));
}

void KeyLabel(QPainter& p, Size s, State state)
{
    const QRectF r = Whole(s).adjusted(0.5, 0.5, -0.5, -0.5);
    const double radius = r.height() / 2;
    const QColor fill = state == State::Normal ? QColor(0, 0, 0, 96) : White(state == State::Hover ? 0.13 : 0.24);
    p.setPen(QPen(White(state == State::Normal ? 0.24 : state == State::Hover ? 0.72 : 0.95), 1));
    p.setBrush(fill);
    p.drawRoundedRect(r, radius, radius);
}

void CheckBox(QPainter& p, Size s, bool set)
{
    const QRectF r = Whole(s).adjusted(1, 1, -1, -1);
    if (set) {
        p.setPen(Qt::NoPen);
        p.setBrush(White(0.94));
        p.drawRoundedRect(r, 4, 4);
        p.setPen(QPen(QColor(16, 20, 26), 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        QPainterPath tick;
        tick.moveTo(r.left() + 3.5, r.center().y() + 0.5);
        tick.lineTo(r.left() + 6.8, r.bottom() - 4);
        tick.lineTo(r.right() - 3.2, r.top() + 4);
        p.setBrush(Qt::NoBrush);
        p.drawPath(tick);
    } else {
        p.setPen(QPen(White(0.58), 1.5));
        p.setBrush(QColor(0, 0, 0, 70));
        p.drawRoundedRect(r, 4, 4);
    }
}

void RadioBox(QPainter& p, Size s, bool set)
{
    const QRectF r = Whole(s).adjusted(1.5, 1.5, -1.5, -1.5);
    p.setPen(QPen(White(set ? 0.95 : 0.58), 1.5));
    p.setBrush(QColor(0, 0, 0, 70));
    p.drawEllipse(r);
    if (set) {
        p.setPen(Qt::NoPen);
        p.setBrush(White(0.96));
        p.drawEllipse(r.center(), 4.2, 4.2);
    }
}

void BarSegment(QPainter& p, Size s, bool set)
{
    const QRectF r = Whole(s).adjusted(1, 1, -1, -1);
    p.setPen(QPen(White(set ? 0.9 : 0.22), 1));
    p.setBrush(White(set ? 0.85 : 0.10));
    p.drawRoundedRect(r, 3, 3);
}

void ColourFrame(QPainter& p, Size s)
{
    // The window paints the colour inside; the frame leaves the middle clear.
    const QRectF r = Whole(s).adjusted(1, 1, -1, -1);
    QPainterPath ring = RoundedRect(r, 5);
    ring = ring.subtracted(RoundedRect(r.adjusted(3, 3, -3, -3), 3));
    p.setPen(Qt::NoPen);
    p.setBrush(White(0.72));
    p.drawPath(ring);
}

// Bullets of a gun mode badge or a calibre picture.
void Bullets(QPainter& p, const QPointF& centre, int count, double length, double calibre, const QColor& ink)
{
    const double gap = calibre * 0.9;
    const double total = count * calibre + (count - 1) * gap;
    double x = centre.x() - total / 2;
    for (int i = 0; i < count; ++i) {
        const QRectF body(x, centre.y() - length / 2 + calibre * 0.9, calibre, length - calibre * 0.9);
        QPainterPath bullet;
        bullet.moveTo(body.left(), body.top());
        bullet.quadTo(body.center().x(), centre.y() - length / 2 - calibre * 0.5, body.right(), body.top());
        bullet.lineTo(body.right(), body.bottom());
        bullet.lineTo(body.left(), body.bottom());
        bullet.closeSubpath();
        p.setPen(Qt::NoPen);
        p.setBrush(ink);
        p.drawPath(bullet);
        p.setBrush(QColor(0, 0, 0, 90));
        p.drawRect(QRectF(body.left(), body.top() + body.height() * 0.35, body.width(), 1.2));
        x += calibre + gap;
    }
}

void GunButton(QPainter& p, Size s, int gun, bool lit)
{
    const QRectF r = Whole(s).adjusted(0.5, 0.5, -0.5, -0.5);
    p.setPen(QPen(White(lit ? 0.80 : 0.18), 1));
    p.setBrush(White(lit ? 0.15 : 0.04));
    p.drawRoundedRect(r, 8, 8);
    const QColor ink = White(lit ? 0.97 : 0.58);
    const QRectF art(10, 8, s.w - 20, 38);
    if (gun <= 5) {
        DrawGunSilhouette(p, gun, art, ink);
    } else {
        Bullets(p, art.center(), 3, gun == 6 ? 30 : 34, gun == 6 ? 6 : 8, ink);
    }
    // The weapon's name is the picture's own label; it reads the same in every language.
    static const std::array<const char*, 7> kNames = {"AKM", "M16", "M4", "UMP9", "SCAR-L", "5.56", "7.62"};
    QFont font("DejaVu Sans");
    font.setPixelSize(12);
    font.setBold(true);
    font.setLetterSpacing(QFont::AbsoluteSpacing, 1);
    p.setFont(font);
    p.setPen(White(lit ? 1.0 : 0.70));
    p.drawText(QRectF(0, s.h - 24, s.w, 20), Qt::AlignCenter, kNames[gun - 1]);
}

void GunModeBadge(QPainter& p, Size s, int mode)
{
    // Gun 6 has two modes (one and two slim bullets), gun 7 three (one to three thick ones).
    static const std::array<int, 5> kCounts = {1, 2, 1, 2, 3};
    const QRectF r = Whole(s).adjusted(0.5, 0.5, -0.5, -0.5);
    p.setPen(QPen(White(0.42), 1));
    p.setBrush(White(0.07));
    p.drawRoundedRect(r, r.height() / 2, r.height() / 2);
    const bool thick = mode >= 3;
    Bullets(p, r.center(), kCounts[mode - 1], 16, thick ? 5 : 3.6, White(0.9));
}

void RecordingButton(QPainter& p, Size s)
{
    // The record button while recording runs: a red glass with a lit dot.
    const QRectF r = Whole(s).adjusted(0.5, 0.5, -0.5, -0.5);
    QLinearGradient fill(r.topLeft(), r.bottomLeft());
    fill.setColorAt(0, QColor(230, 60, 56, 120));
    fill.setColorAt(1, QColor(160, 30, 30, 90));
    p.setPen(QPen(QColor(255, 110, 100), 1));
    p.setBrush(fill);
    p.drawRoundedRect(r, 6, 6);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 72, 64));
    p.drawEllipse(QPointF(14, s.h / 2.0), 4, 4);
}

void InsertBase(QPainter& p, Size s, const std::function<void(QPainter&, const QRectF&)>& icon)
{
    const QRectF r = Whole(s).adjusted(0.5, 0.5, -0.5, -0.5);
    p.setPen(QPen(White(0.14), 1));
    p.setBrush(White(0.035));
    p.drawRoundedRect(r, 8, 8);
    icon(p, QRectF(s.w - 110, 150, 84, 84));
}

void ClockIcon(QPainter& p, const QRectF& r)
{
    p.setPen(QPen(White(0.09), 5, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(r.adjusted(4, 4, -4, -4));
    p.drawLine(r.center(), r.center() + QPointF(0, -26));
    p.drawLine(r.center(), r.center() + QPointF(18, 10));
}

void KeyIcon(QPainter& p, const QRectF& r)
{
    p.setPen(QPen(White(0.09), 4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    for (int row = 0; row < 2; ++row) {
        for (int col = 0; col < 2; ++col)
            p.drawRoundedRect(QRectF(r.left() + 4 + col * 42, r.top() + 4 + row * 42, 34, 34), 6, 6);
    }
}

void AxesIcon(QPainter& p, const QRectF& r)
{
    const QPointF c = r.center();
    p.setPen(QPen(White(0.09), 4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawLine(c + QPointF(-38, 0), c + QPointF(38, 0));
    p.drawLine(c + QPointF(0, -38), c + QPointF(0, 38));
    for (const QPointF& tip : {QPointF(38, 0), QPointF(0, -38)}) {
        const QPointF t = c + tip;
        const QPointF back = tip.x() != 0 ? QPointF(-10, 0) : QPointF(0, 10);
        const QPointF side = tip.x() != 0 ? QPointF(0, 7) : QPointF(7, 0);
        p.drawLine(t, t + back + side);
        p.drawLine(t, t + back - side);
    }
}

void SliderRuler(QPainter& p, Size s)
{
    const double travelLeft = skin_design::kSliderThumb.w / 2.0;
    const QRectF groove(travelLeft - 2, s.h / 2.0 - 2.5, s.w - 2 * travelLeft + 4, 5);
    p.setPen(QPen(White(0.20), 1));
    p.setBrush(QColor(0, 0, 0, 120));
    p.drawRoundedRect(groove, 2.5, 2.5);
}

void SliderThumb(QPainter& p, Size s)
{
    const QRectF r = Whole(s).adjusted(1, 1, -1, -1);
    QLinearGradient fill(r.topLeft(), r.bottomLeft());
    fill.setColorAt(0, White(0.98));
    fill.setColorAt(1, QColor(196, 204, 214));
    p.setPen(QPen(QColor(0, 0, 0, 110), 1));
    p.setBrush(fill);
    p.drawRoundedRect(r, 4, 4);
    p.setPen(QPen(QColor(0, 0, 0, 70), 1));
    for (int i = -1; i <= 1; ++i)
        p.drawLine(QPointF(r.left() + 3.5, r.center().y() + 3 * i), QPointF(r.right() - 3.5, r.center().y() + 3 * i));
}

void DialogBackground(QPainter& p, Size s)
{
    const QRectF r = Whole(s).adjusted(0.5, 0.5, -0.5, -0.5);
    const QPainterPath shape = RoundedRect(r, 12);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(18, 22, 28));
    p.drawPath(shape);
    QLinearGradient head(0, 0, 0, 56);
    head.setColorAt(0, QColor(34, 40, 50));
    head.setColorAt(1, QColor(24, 29, 36));
    p.save();
    p.setClipPath(shape);
    p.setBrush(head);
    p.drawRect(QRectF(0, 0, s.w, 56));
    p.restore();
    p.setPen(QPen(White(0.14), 1));
    p.drawLine(QPointF(16, 56.5), QPointF(s.w - 16, 56.5));
    p.setPen(QPen(White(0.26), 1));
    p.setBrush(Qt::NoBrush);
    p.drawPath(shape);
}

bool Single(const QString& outDir, const QString& name, Size size, const std::function<void(QPainter&)>& draw)
{
    QImage image = NewImage(size);
    QPainter p(&image);
    Prepare(p);
    draw(p);
    p.end();
    return SavePicture(image, outDir, name);
}

}  // namespace

bool DrawSharedPictures(const QString& outDir)
{
    using namespace skin_design;
    bool ok = true;
    SaveStates(outDir, "BtnS", kBtnS, [](QPainter& p, State st) { GlassButton(p, Whole(kBtnS), 6, st); }, ok);
    SaveStates(outDir, "ExitS", kExitS, [](QPainter& p, State st) { CloseIcon(p, kExitS, st); }, ok);
    SaveStates(outDir, "MiniS", kMiniS, [](QPainter& p, State st) { MinimiseIcon(p, kMiniS, st); }, ok);
    SaveStates(outDir, "SetS", kSetS, [](QPainter& p, State st) { Tab(p, kSetS, st); }, ok);
    SaveStates(outDir, "Lang", kLang, [](QPainter& p, State st) { Pill(p, kLang, st); }, ok);
    SaveStates(outDir, "WebS", kWebS, [](QPainter& p, State st) { WebButton(p, kWebS, st); }, ok);
    SaveStates(outDir, "KeyS", kKeyS, [](QPainter& p, State st) { KeyLabel(p, kKeyS, st); }, ok);
    SaveStates(outDir, "MacroBtnS", kMacroBtnS, [](QPainter& p, State st) { GlassButton(p, Whole(kMacroBtnS), 6, st); }, ok);
    SaveStates(outDir, "MacroS", kMacroS, [](QPainter& p, State st) { GlassButton(p, Whole(kMacroS), 6, st); }, ok);
    ok = Single(outDir, "MacroS_04", kMacroS, [](QPainter& p) { RecordingButton(p, kMacroS); }) && ok;

    for (bool set : {true, false}) {
        const QString suffix = set ? "_E" : "_D";
        ok = Single(outDir, "CbS" + suffix, kBox, [set](QPainter& p) { CheckBox(p, kBox, set); }) && ok;
        ok = Single(outDir, "RdS" + suffix, kBox, [set](QPainter& p) { RadioBox(p, kBox, set); }) && ok;
        ok = Single(outDir, "Bar1" + suffix, kBar1, [set](QPainter& p) { BarSegment(p, kBar1, set); }) && ok;
        ok = Single(outDir, "Bar2" + suffix, kBar2, [set](QPainter& p) { BarSegment(p, kBar2, set); }) && ok;
    }
    ok = Single(outDir, "Col_F", kColF, [](QPainter& p) { ColourFrame(p, kColF); }) && ok;

    for (int gun = 1; gun <= 7; ++gun) {
        for (bool lit : {false, true}) {
            const QString name = QString("Gun%1_%2").arg(gun).arg(lit ? "02" : "01");
            ok = Single(outDir, name, kGun, [gun, lit](QPainter& p) { GunButton(p, kGun, gun, lit); }) && ok;
        }
    }
    for (int mode = 1; mode <= 5; ++mode)
        ok = Single(outDir, QString("GunMode%1").arg(mode), kGunMode, [mode](QPainter& p) { GunModeBadge(p, kGunMode, mode); }) && ok;

    ok = Single(outDir, "InsertDelayBase", kInsertBase, [](QPainter& p) { InsertBase(p, kInsertBase, ClockIcon); }) && ok;
    ok = Single(outDir, "InsertKeyBase", kInsertBase, [](QPainter& p) { InsertBase(p, kInsertBase, KeyIcon); }) && ok;
    ok = Single(outDir, "InsertXYBase", kInsertBase, [](QPainter& p) { InsertBase(p, kInsertBase, AxesIcon); }) && ok;
    ok = Single(outDir, "Slider_Ruler", kSliderRuler, [](QPainter& p) { SliderRuler(p, kSliderRuler); }) && ok;
    ok = Single(outDir, "Slider_Thumb", kSliderThumb, [](QPainter& p) { SliderThumb(p, kSliderThumb); }) && ok;
    ok = Single(outDir, "MSG", kMsg, [](QPainter& p) { DialogBackground(p, kMsg); }) && ok;
    return ok;
}

}  // namespace skin_art
