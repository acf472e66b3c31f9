// picture_to_png <picture> <out.png>: converts a picture to PNG when the program is built
// (see Pictures.cmake). The program reads its pictures with Qt's built-in readers only,
// which have none for JPEG; this one may use the image plugins, as it runs on the build
// machine only.
#include <QImage>

int main(int argc, char* argv[])
{
    if (argc != 3)
        return 2;
    const QImage picture(QString::fromLocal8Bit(argv[1]));
    return !picture.isNull() && picture.save(QString::fromLocal8Bit(argv[2]), "PNG") ? 0 : 1;
}
