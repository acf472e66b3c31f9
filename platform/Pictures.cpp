#include "platform/Pictures.h"

#include <QFile>
#include <QGuiApplication>
#include <QResource>

#include <array>
#include <cstring>
#include <memory>

namespace Pictures {

namespace {

qreal applicationRatio()
{
    return qApp ? qApp->devicePixelRatio() : 1.0;
}

// The pixels the build converted the picture to (PictureToPixels.cpp): the tag "PIX1",
// width, height and QImage::Format as 32-bit numbers, then the rows, 32 bits a pixel.
// Stored uncompressed, they are used where they lie; else the image keeps the
// uncompressed data it was handed. Nothing is decoded, converted or copied.
QImage read(const Source& source)
{
    const QResource resource(source.path);
    auto data = std::make_unique<QByteArray>(resource.uncompressedData());
    std::array<quint32, 4> header{};
    if (data->size() < qsizetype(sizeof header))
        return {};
    std::memcpy(header.data(), data->constData(), sizeof header);
    const auto [tag, width, height, format] = header;
    const bool known
        = width > 0 && height > 0 && (format == QImage::Format_RGB32 || format == QImage::Format_ARGB32_Premultiplied);
    if (std::memcmp(&tag, "PIX1", 4) != 0 || !known
        || data->size() != qsizetype(sizeof header) + qsizetype(width) * height * 4)
        return {};
    const bool inPlace = resource.compressionAlgorithm() == QResource::NoCompression
        && reinterpret_cast<quintptr>(data->constData()) % alignof(quint32) == 0;
    if (!inPlace)
        data->detach(); // an aligned copy of its own
    const auto* rows = reinterpret_cast<const uchar*>(data->constData() + sizeof header);
    QImage picture = inPlace ? QImage(rows, int(width), int(height), int(width) * 4, QImage::Format(format))
                             : QImage(
                                 rows, int(width), int(height), int(width) * 4, QImage::Format(format),
                                 [](void* owner) { delete static_cast<QByteArray*>(owner); }, data.release());
    picture.setDevicePixelRatio(source.ratio);
    return picture;
}

} // namespace

Source sourceFor(const QString& path, qreal devicePixelRatio)
{
    if (devicePixelRatio > 1.0 && QFile::exists(path + u"@2x"))
        return {path + u"@2x", 2};
    return {path, 1};
}

QImage image(const QString& path, qreal devicePixelRatio)
{
    return read(sourceFor(path, devicePixelRatio));
}

QImage image(const QString& path)
{
    return image(path, applicationRatio());
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
