#include "platform/Pictures.h"

#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImageReader>

namespace Pictures {

namespace {

qreal applicationRatio()
{
    return qApp ? qApp->devicePixelRatio() : 1.0;
}

// Qt's built-in reader for the format the name gives. Without format detection the
// reader asks no plugin, where with it (Qt's default) it loads all of them first.
QImage read(const Source& source)
{
    QImageReader reader(source.path, QFileInfo(source.path).suffix().toLatin1());
    reader.setAutoDetectImageFormat(false);
    QImage picture = reader.read();
    picture.setDevicePixelRatio(source.ratio);
    return picture;
}

} // namespace

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
    return read(sourceFor(path, applicationRatio()));
}

QPixmap pixmap(const QString& path)
{
    return QPixmap::fromImage(image(path));
}

QPixmap pixmap(const char* path)
{
    return pixmap(QString::fromUtf8(path));
}

QIcon icon(const QStringList& paths)
{
    QIcon icon;
    for (const QString& path : paths) {
        icon.addPixmap(QPixmap::fromImage(read({path, 1})));
        if (const Source doubled = sourceFor(path, applicationRatio()); doubled.ratio > 1)
            icon.addPixmap(QPixmap::fromImage(read(doubled)));
    }
    return icon;
}

} // namespace Pictures
