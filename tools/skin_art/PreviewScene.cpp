#include "PreviewScene.h"

#include <QDir>
#include <QFontMetrics>

#include <algorithm>
#include <cmath>

#include "ArtCommon.h"

namespace skin_art {

namespace {

// Font sizes are points; the window shows them at 96 dots per inch.
int PixelSize(int points)
{
    return static_cast<int>(std::lround(points * 96.0 / 72.0));
}

int LineHeight(int points)
{
    return std::max(skin_design::kLabelHeight, PixelSize(points) + 6);
}

}  // namespace

PreviewScene::PreviewScene(QString picturesDir, QString pageName, const qeltra3k::text::LanguageTable& table)
    : picturesDir_(std::move(picturesDir)),
      pageName_(std::move(pageName)),
      table_(table),
      image_(NewImage(skin_design::kWindow))
{
    painter_.begin(&image_);
    Prepare(painter_);
}

QString PreviewScene::Text(const char* key) const
{
    return QString::fromStdString(table_.Text(key));
}

QFont PreviewScene::Font(int pointSize) const
{
    QFont font(QString::fromStdString(table_.Text("FontName")));
    font.setPixelSize(PixelSize(pointSize));
    return font;
}

QSize PreviewScene::PictureSize(const QString& name)
{
    if (!pictures_.contains(name))
        pictures_.insert(name, QImage(QDir(picturesDir_).filePath(name + ".png")));
    return pictures_[name].size();
}

void PreviewScene::Note(const QString& name, const QString& owner, const QRect& rect)
{
    placed_.push_back({name, owner.isEmpty() ? name : owner, rect});
}

void PreviewScene::Picture(const QString& name, int x, int y, const QString& owner)
{
    const QSize size = PictureSize(name);
    if (size.isEmpty()) {
        problems_ << pageName_ + ": picture " + name + " is missing";
        return;
    }
    const QPoint at = origin_ + QPoint(x, y);
    painter_.drawImage(at, pictures_[name]);
    Note(name, owner, QRect(at, size));
}

void PreviewScene::Scenery(const QString& name, int x, int y)
{
    if (PictureSize(name).isEmpty()) {
        problems_ << pageName_ + ": picture " + name + " is missing";
        return;
    }
    painter_.drawImage(origin_ + QPoint(x, y), pictures_[name]);
}

void PreviewScene::Label(const QString& name, const QString& text, int x, int y, int width, int size,
                         const QColor& colour, Qt::Alignment align, const QString& owner)
{
    const QFont font = Font(size);
    const QFontMetrics metrics(font);
    const int needed = metrics.horizontalAdvance(text);
    const QRect box(origin_ + QPoint(x, y), QSize(width, LineHeight(size)));
    if (needed > width) {
        problems_ << QString("%1: %2 \"%3\" needs %4 px, has %5").arg(pageName_, name, text).arg(needed).arg(width);
    }
    painter_.save();
    painter_.setClipRect(box);
    painter_.setFont(font);
    painter_.setPen(colour);
    painter_.drawText(box, static_cast<int>(align | Qt::AlignVCenter), text);
    painter_.restore();
    // What can collide with other controls is the text itself, not the empty rest.
    int left = box.left();
    const int used = std::min(needed, width);
    if (align & Qt::AlignHCenter)
        left += (width - used) / 2;
    else if (align & Qt::AlignRight)
        left += width - used;
    const int textHeight = metrics.height();
    const QRect inked(left, box.center().y() - textHeight / 2, used, textHeight);
    if (!text.isEmpty())
        Note(name, owner, inked);
}

void PreviewScene::LabelOverPicture(const QString& picture, const QString& name, const QString& text, int x,
                                    int y, int size, const QColor& colour, int insetFront, int insetBack)
{
    Picture(picture, x, y, name);
    const QSize s = PictureSize(picture);
    const int width = s.width() - insetFront - insetBack;
    const int top = y + (s.height() - LineHeight(size)) / 2;
    Label(name, text, x + insetFront, top, width, size, colour, Qt::AlignHCenter, name);
}

void PreviewScene::Edit(const QString& name, int x, int y, int w, int h, const QString& text, int size,
                        const QColor& font, const QColor& back, const QColor& border)
{
    const QRect r(origin_ + QPoint(x, y), QSize(w, h));
    painter_.setPen(border);
    painter_.setBrush(back);
    painter_.drawRect(QRectF(r).adjusted(0.5, 0.5, -0.5, -0.5));
    Note(name, name, r);
    const QPoint saved = origin_;
    origin_ = QPoint();
    Label(name, text, r.x() + 4, r.y() + (h - LineHeight(size)) / 2, w - 8, size, font, Qt::AlignLeft, name);
    origin_ = saved;
}

void PreviewScene::List(const QString& name, int x, int y, int w, int h, const QStringList& items, int itemHeight,
                        int size, const QColor& font, const QColor& back, const QColor& border, int selected,
                        const QColor& selection)
{
    const QRect r(origin_ + QPoint(x, y), QSize(w, h));
    painter_.setPen(border);
    painter_.setBrush(back);
    painter_.drawRect(QRectF(r).adjusted(0.5, 0.5, -0.5, -0.5));
    Note(name, name, r);
    for (int i = 0; i < items.size() && (i + 1) * itemHeight <= h - 2; ++i) {
        const QRect row(r.x() + 1, r.y() + 1 + i * itemHeight, w - 2, itemHeight);
        if (i == selected)
            painter_.fillRect(row, selection);
        const QColor ink = i == selected ? QColor(10, 12, 16) : font;
        painter_.setFont(Font(size));
        painter_.setPen(ink);
        painter_.drawText(row.adjusted(6, 0, -6, 0), Qt::AlignVCenter | Qt::AlignLeft, items[i]);
        if (QFontMetrics(Font(size)).horizontalAdvance(items[i]) > row.width() - 12)
            problems_ << pageName_ + ": " + name + " row \"" + items[i] + "\" does not fit";
    }
}

void PreviewScene::Slider(const QString& name, int x, int y, int index, int positions, const QColor& back)
{
    const QSize size(skin_design::kSlider.w, skin_design::kSlider.h);
    const QRect r(origin_ + QPoint(x, y), size);
    painter_.fillRect(r, back);
    const QSize ruler = PictureSize("Slider_Ruler");
    painter_.drawImage(QRect(r.topLeft(), ruler), pictures_["Slider_Ruler"]);
    const QSize thumb = PictureSize("Slider_Thumb");
    const int travel = size.width() - thumb.width();
    const int left = positions > 1 ? travel * index / (positions - 1) : 0;
    painter_.drawImage(QPoint(r.x() + left, r.y() + (size.height() - thumb.height()) / 2), pictures_["Slider_Thumb"]);
    Note(name, name, r);
}

void PreviewScene::ColourSwatch(const QString& name, int x, int y, const QColor& colour)
{
    const QSize frame = PictureSize("Col_F");
    const QRect r(origin_ + QPoint(x, y), frame);
    painter_.fillRect(r.adjusted(3, 3, -3, -3), colour);
    Picture("Col_F", x, y, name);
}

void PreviewScene::Backdrop(const QRect& rect, const QColor& fill, const QColor& border)
{
    painter_.setPen(border);
    painter_.setBrush(fill);
    painter_.drawRect(QRectF(rect.translated(origin_)).adjusted(0.5, 0.5, -0.5, -0.5));
}

QStringList PreviewScene::Problems()
{
    QStringList all = problems_;
    for (std::size_t i = 0; i < placed_.size(); ++i) {
        for (std::size_t j = i + 1; j < placed_.size(); ++j) {
            const Placed& a = placed_[i];
            const Placed& b = placed_[j];
            if (a.owner == b.owner || !a.rect.intersects(b.rect))
                continue;
            const QRect both = a.rect.intersected(b.rect);
            all << QString("%1: %2 and %3 overlap by %4 x %5 px")
                       .arg(pageName_, a.name, b.name)
                       .arg(both.width())
                       .arg(both.height());
        }
    }
    return all;
}

bool PreviewScene::Save(const QString& path)
{
    painter_.end();
    return image_.save(path, "PNG");
}

}  // namespace skin_art
