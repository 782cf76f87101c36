#pragma once
// The skin's slider (slider_DPI1 .. 8, slider_Spd, slider_DbSpd, slider_SrcSpd): the ruler
// picture with a thumb over a background colour. A drag moves the thumb with the mouse; the
// release hands the position to the page, whose rule decides where the thumb snaps.
#include <QColor>
#include <QWidget>

namespace qeltra3k::ui {

class StepSlider : public QWidget {
    Q_OBJECT
public:
    StepSlider(const QString& objectName, QWidget* parent);
    // Values run 0 .. maximum in steps of 100, as the design's sliders do.
    void SetMaximum(int maximum);
    int Maximum() const { return maximum_; }
    void SetValue(int value);
    int Value() const { return value_; }
    void SetBackground(const QColor& colour);

Q_SIGNALS:
    // While dragged: the value under the mouse.
    void dragged(int value);
    // The mouse was released at x, in pixels from the slider's left edge.
    void released(int x);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    int ValueAt(int x) const;
    int ThumbLeft(int value) const;

    int maximum_ = 1000;
    int value_ = 0;
    int dragValue_ = -1;  // the value under the mouse while dragged, -1 otherwise
    QColor background_;
};

}  // namespace qeltra3k::ui
