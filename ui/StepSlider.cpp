#include "ui/StepSlider.h"

#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

#include "ui/Pictures.h"

namespace qeltra3k::ui {

namespace {

constexpr QSize kThumbFallback{14, 22};

QSize ThumbSize()
{
    const QPixmap thumb = Picture(QStringLiteral("Slider_Thumb"));
    return thumb.isNull() ? kThumbFallback : thumb.size();
}

}  // namespace

StepSlider::StepSlider(const QString& objectName, QWidget* parent) : QWidget(parent)
{
    setObjectName(objectName);
    setCursor(Qt::PointingHandCursor);
}

void StepSlider::SetMaximum(int maximum)
{
    maximum_ = std::max(0, maximum);
    value_ = std::clamp(value_, 0, maximum_);
    update();
}

void StepSlider::SetValue(int value)
{
    value_ = std::clamp(value, 0, maximum_);
    update();
}

void StepSlider::SetBackground(const QColor& colour)
{
    background_ = colour;
    update();
}

int StepSlider::ValueAt(int x) const
{
    const int travel = std::max(1, width() - ThumbSize().width());
    const int along = std::clamp(x - ThumbSize().width() / 2, 0, travel);
    return maximum_ * along / travel;
}

int StepSlider::ThumbLeft(int value) const
{
    const int travel = std::max(0, width() - ThumbSize().width());
    return maximum_ > 0 ? travel * value / maximum_ : 0;
}

void StepSlider::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (!isEnabled())
        painter.setOpacity(0.4);
    if (background_.isValid())
        painter.fillRect(rect(), background_);
    const QPixmap ruler = Picture(QStringLiteral("Slider_Ruler"));
    if (!ruler.isNull())
        painter.drawPixmap(QRect(QPoint(0, (height() - ruler.height()) / 2), QSize(width(), ruler.height())), ruler);
    const QPixmap thumb = Picture(QStringLiteral("Slider_Thumb"));
    const QSize size = ThumbSize();
    const QPoint at(ThumbLeft(dragValue_ >= 0 ? dragValue_ : value_), (height() - size.height()) / 2);
    if (thumb.isNull())
        painter.fillRect(QRect(at, size), palette().color(QPalette::Highlight));
    else
        painter.drawPixmap(at, thumb);
}

void StepSlider::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    dragValue_ = ValueAt(event->position().toPoint().x());
    Q_EMIT dragged(dragValue_);
    update();
}

void StepSlider::mouseMoveEvent(QMouseEvent* event)
{
    if (dragValue_ < 0)
        return;
    dragValue_ = ValueAt(event->position().toPoint().x());
    Q_EMIT dragged(dragValue_);
    update();
}

void StepSlider::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || dragValue_ < 0)
        return;
    dragValue_ = -1;
    update();
    Q_EMIT released(event->position().toPoint().x());
}

}  // namespace qeltra3k::ui
