#include "ui/SkinWidgets.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWindow>

#include "ui/Pictures.h"

namespace qeltra3k::ui {

namespace {

constexpr const char* kPictureProperty = "picture";
// The overlay only hints that the page is asleep; the page must stay readable under it.
constexpr int kOverlayAlpha = 70;

}  // namespace

PictureLabel::PictureLabel(const QString& objectName, QWidget* parent) : QLabel(parent)
{
    setObjectName(objectName);
    setScaledContents(true);
}

void PictureLabel::SetPicture(const QString& name, bool resizeToPicture)
{
    setProperty(kPictureProperty, name);
    const QPixmap pixmap = Picture(name);
    setPixmap(pixmap);
    if (resizeToPicture && !pixmap.isNull())
        resize(pixmap.size());
}

QString PictureLabel::PictureName() const
{
    return property(kPictureProperty).toString();
}

QSize PictureLabel::PictureSize(QSize fallback) const
{
    const QPixmap pixmap = Picture(PictureName());
    return pixmap.isNull() ? fallback : pixmap.size();
}

void PictureLabel::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return QLabel::mousePressEvent(event);
    pressedInside_ = true;
    Q_EMIT pressed();
}

void PictureLabel::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return QLabel::mouseReleaseEvent(event);
    const bool inside = pressedInside_ && rect().contains(event->position().toPoint());
    pressedInside_ = false;
    if (inside)
        Q_EMIT clicked();
}

ClickLabel::ClickLabel(const QString& objectName, QWidget* parent) : QLabel(parent)
{
    setObjectName(objectName);
    setAttribute(Qt::WA_TranslucentBackground);
    setAlignment(Qt::AlignCenter);
    setCursor(Qt::PointingHandCursor);
}

void ClickLabel::enterEvent(QEnterEvent* event)
{
    QLabel::enterEvent(event);
    Q_EMIT entered();
}

void ClickLabel::leaveEvent(QEvent* event)
{
    QLabel::leaveEvent(event);
    Q_EMIT left();
}

void ClickLabel::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return QLabel::mousePressEvent(event);
    pressedInside_ = true;
    Q_EMIT pressed();
}

void ClickLabel::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return QLabel::mouseReleaseEvent(event);
    const bool inside = pressedInside_ && rect().contains(event->position().toPoint());
    pressedInside_ = false;
    if (inside && isEnabled())
        Q_EMIT clicked();
}

void BackgroundPicture::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return QLabel::mousePressEvent(event);
    Q_EMIT pressed();
    QWidget* top = window();
    // The window system moves the window itself where it can (as a caption drag would);
    // elsewhere the window follows the mouse.
    manualDrag_ = top->windowHandle() == nullptr || !top->windowHandle()->startSystemMove();
    grabOffset_ = event->globalPosition().toPoint() - top->frameGeometry().topLeft();
}

void BackgroundPicture::mouseMoveEvent(QMouseEvent* event)
{
    if (manualDrag_ && (event->buttons() & Qt::LeftButton))
        window()->move(event->globalPosition().toPoint() - grabOffset_);
    QLabel::mouseMoveEvent(event);
}

void BackgroundPicture::mouseReleaseEvent(QMouseEvent* event)
{
    manualDrag_ = false;
    QLabel::mouseReleaseEvent(event);
}

BusyOverlay::BusyOverlay(const QString& objectName, QWidget* parent) : QWidget(parent)
{
    setObjectName(objectName);
    setAttribute(Qt::WA_TranslucentBackground);
}

void BusyOverlay::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), QColor(0, 0, 0, kOverlayAlpha));
}

void BusyOverlay::mousePressEvent(QMouseEvent* event)
{
    // Clicks go nowhere, but the window can still be moved by its page.
    event->accept();
    if (event->button() == Qt::LeftButton && window()->windowHandle() != nullptr)
        window()->windowHandle()->startSystemMove();
}

void BusyOverlay::mouseReleaseEvent(QMouseEvent* event)
{
    event->accept();
}

void BusyOverlay::mouseDoubleClickEvent(QMouseEvent* event)
{
    event->accept();
}

}  // namespace qeltra3k::ui
