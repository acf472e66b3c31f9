#include "platform/Picture.h"

#include <QImageReader>

namespace Picture {

QPixmap png(const QString& path)
{
    QImageReader reader(path, "png");
    reader.setAutoDetectImageFormat(false);
    return QPixmap::fromImage(reader.read());
}

} // namespace Picture
