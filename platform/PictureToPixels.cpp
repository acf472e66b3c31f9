// picture_to_pixels <picture> <out>: converts a picture, when the program is built, into
// the pixels Pictures reads (see Pictures.h): a header of four 32-bit numbers (the tag
// "PIX1", width, height and QImage::Format), then the rows, 32 bits a pixel. This program
// may use Qt's image plugins (JPEG has no built-in reader); it runs on the build machine
// only, and for that machine's byte order, as the program it builds. The picture may be
// one of Qt's own resources; one this Qt does not have gives an empty file, which
// Pictures reads as no picture.
#include <QFile>
#include <QImage>

#include <array>
#include <cstring>

int main(int argc, char* argv[])
{
    if (argc != 3)
        return 2;
    const QString path = QString::fromLocal8Bit(argv[1]);
    QImage picture(path);
    QFile out(QString::fromLocal8Bit(argv[2]));
    if (picture.isNull())
        return path.startsWith(u":/") && out.open(QIODevice::WriteOnly) ? 0 : 1;
    picture = picture.convertToFormat(picture.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied
                                                                : QImage::Format_RGB32);
    std::array<quint32, 4> header{0, quint32(picture.width()), quint32(picture.height()), quint32(picture.format())};
    std::memcpy(header.data(), "PIX1", 4);
    const qint64 rows = qint64(picture.bytesPerLine()) * picture.height();
    const bool written = out.open(QIODevice::WriteOnly)
        && out.write(reinterpret_cast<const char*>(header.data()), sizeof header) == qint64(sizeof header)
        && out.write(reinterpret_cast<const char*>(picture.constBits()), rows) == rows;
    return written ? 0 : 1;
}
