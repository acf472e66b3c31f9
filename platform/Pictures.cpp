#include "platform/Pictures.h"

#include <QFile>
#include <QGuiApplication>
#include <QImageReader>

namespace Pictures {

Source sourceFor(const QString& path, qreal devicePixelRatio)
{
    if (devicePixelRatio <= 1.0)
        return {path, 1};
    const qsizetype dot = path.lastIndexOf(u'.');
    const qsizetype slash = path.lastIndexOf(u'/');
    const qsizetype end = dot > slash ? dot : path.size();
    const QString doubled = path.left(end) + u"@2x" + path.mid(end);
    if (QFile::exists(doubled))
        return {doubled, 2};
    return {path, 1};
}

QImage image(const QString& path)
{
    const Source source = sourceFor(path, qApp ? qApp->devicePixelRatio() : 1.0);
    QImage picture = QImageReader(source.path).read();
    picture.setDevicePixelRatio(source.ratio);
    return picture;
}

QPixmap pixmap(const QString& path)
{
    return QPixmap::fromImage(image(path));
}

} // namespace Pictures
