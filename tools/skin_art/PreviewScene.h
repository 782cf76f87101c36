#pragma once
// A page as the window will show it, painted from the skin section, the language table
// and the pictures, for review; it also notes every text that does not fit its label and
// every two controls that overlap.
#include <QColor>
#include <QImage>
#include <QMap>
#include <QPainter>
#include <QRect>
#include <QString>
#include <QStringList>

#include <vector>

#include "ui/text/LanguageTable.h"
#include "ui/text/SkinSection.h"

namespace skin_art {

class PreviewScene {
public:
    PreviewScene(QString picturesDir, QString pageName, const qeltra3k::text::LanguageTable& table);

    QImage& Image() { return image_; }
    QPainter& Painter() { return painter_; }
    QString Text(const char* key) const;

    // Places everything below relative to a group box at `origin` until Ungroup.
    void Group(QPoint origin) { origin_ = origin; }
    void Ungroup() { origin_ = QPoint(); }

    // A picture; `owner` ties a label to the picture it sits on (no overlap between them).
    void Picture(const QString& name, int x, int y, const QString& owner = {});
    QSize PictureSize(const QString& name);

    // A label of `width` at (x, y); the text must fit the width.
    void Label(const QString& name, const QString& text, int x, int y, int width, int size,
               const QColor& colour, Qt::Alignment align = Qt::AlignLeft, const QString& owner = {});

    // A label over a picture: the label takes the picture's place and size.
    void LabelOverPicture(const QString& picture, const QString& name, const QString& text, int x, int y,
                          int size, const QColor& colour, int insetFront = 0, int insetBack = 0);

    void Edit(const QString& name, int x, int y, int w, int h, const QString& text, int size,
              const QColor& font, const QColor& back, const QColor& border);
    void List(const QString& name, int x, int y, int w, int h, const QStringList& items, int itemHeight,
              int size, const QColor& font, const QColor& back, const QColor& border, int selected,
              const QColor& selection);
    void Slider(const QString& name, int x, int y, int index, int positions, const QColor& back);
    void ColourSwatch(const QString& name, int x, int y, const QColor& colour);

    // A picture behind the controls (background, page picture, dialog ground): drawn, but
    // not part of the overlap check.
    void Scenery(const QString& name, int x, int y);

    // Forgets what was placed so far, for a layer (menu, dialog) drawn over the page.
    void NewLayer() { placed_.clear(); }

    // A panel that holds other controls: drawn, but not part of the overlap check.
    void Backdrop(const QRect& rect, const QColor& fill, const QColor& border);

    // Problems found so far, one line each.
    QStringList Problems();

    bool Save(const QString& path);

private:
    struct Placed {
        QString name;
        QString owner;
        QRect rect;
    };

    QFont Font(int pointSize) const;
    void Note(const QString& name, const QString& owner, const QRect& rect);

    QString picturesDir_;
    QString pageName_;
    const qeltra3k::text::LanguageTable& table_;
    QImage image_;
    QPainter painter_;
    QPoint origin_;
    QMap<QString, QImage> pictures_;
    std::vector<Placed> placed_;
    QStringList problems_;
};

}  // namespace skin_art
