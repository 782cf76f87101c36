#pragma once
// The building blocks of the skinned window: pictures that remember which skin picture they
// show, transparent labels that take the mouse for the picture under them, the background
// that drags the window, and the busy overlay that swallows clicks.
#include <QLabel>
#include <QPoint>
#include <QWidget>

namespace qeltra3k::ui {

// A picture control (Img_...). The name of the skin picture it shows is kept in the
// property "picture", so tests and the hover rules can tell which state it is in.
class PictureLabel : public QLabel {
    Q_OBJECT
public:
    explicit PictureLabel(const QString& objectName, QWidget* parent);
    // Shows the named picture (nothing when the build lacks it), keeping the control's size
    // unless `resizeToPicture`.
    void SetPicture(const QString& name, bool resizeToPicture = false);
    QString PictureName() const;
    // The picture's own size, or `fallback` when there is no picture.
    QSize PictureSize(QSize fallback) const;

Q_SIGNALS:
    void pressed();
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool pressedInside_ = false;
};

// A transparent clickable label (Btn_..., Key1, IB_..., lbl_...) lying over its picture.
class ClickLabel : public QLabel {
    Q_OBJECT
public:
    explicit ClickLabel(const QString& objectName, QWidget* parent);

Q_SIGNALS:
    void entered();
    void left();
    void pressed();
    void clicked();

protected:
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool pressedInside_ = false;
};

// The background picture of a page (Img_Base_n): a press closes the menus and moves the
// window, through the window system's own move where it offers one.
class BackgroundPicture : public PictureLabel {
    Q_OBJECT
public:
    using PictureLabel::PictureLabel;

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool manualDrag_ = false;
    QPoint grabOffset_;
};

// Disable_All_n: lies over a page and swallows every click while the program is busy or
// has no mouse; the page shows through, slightly dimmed.
class BusyOverlay : public QWidget {
    Q_OBJECT
public:
    explicit BusyOverlay(const QString& objectName, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
};

}  // namespace qeltra3k::ui
