#include "ui/Pictures.h"

#include <QHash>

#include "resources/Resources.h"

namespace qeltra3k::ui {

QPixmap Picture(const QString& name)
{
    static QHash<QString, QPixmap> cache;
    if (const auto found = cache.constFind(name); found != cache.constEnd())
        return *found;
    QPixmap pixmap;
    const QByteArray utf8 = name.toUtf8();
    if (const auto bytes = resources::Find(std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size()))))
        pixmap.loadFromData(bytes->data(), static_cast<uint>(bytes->size()), "PNG");
    cache.insert(name, pixmap);
    return pixmap;
}

QList<QPixmap> PictureSequence(const QString& prefix)
{
    QList<QPixmap> frames;
    for (int n = 0; n < 1000; ++n) {
        const QPixmap frame = Picture(prefix + QStringLiteral("_%1").arg(n, 2, 10, QChar(u'0')));
        if (frame.isNull())
            break;
        frames.append(frame);
    }
    return frames;
}

}  // namespace qeltra3k::ui
