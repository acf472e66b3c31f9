#pragma once

#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QString>

// The windows' pictures and icons, at the screens' scale, read without Qt's image plugins.
//
// Qt reads a picture whose format it is not told (QPixmap(path), QIcon::addFile, a window
// description's picture) by first loading every installed image-format plugin to ask it:
// on a desktop with the usual plugin packages that maps some twenty libraries into the
// program before its first window shows. Even told the format, decoding a PNG took a
// twelfth of the calculator's start-up. So the build converts every picture into the
// pixels a QImage holds (calculator_add_pictures in Pictures.cmake), and reading one is
// taking its resource's data, uncompressed where the resource compiler compressed it,
// with no decoder at all. Window descriptions read theirs through pixmap(), named as
// their <pixmapfunction>.
//
// Pictures are named without an extension (":/calculator/picture"). Each has a
// double-resolution version beside it, named with "@2x" after the name
// (":/calculator/picture@2x"). Loading by the 1x name picks that version when the screens
// are scaled beyond 1 and gives it a device pixel ratio of 2, so that it takes the same
// place in a window as the 1x picture, only sharper.
namespace Pictures {

// The file to read for a picture at a device pixel ratio, and the ratio it is drawn for:
// the @2x version for ratios above 1 where it exists, else the 1x file.
struct Source
{
    QString path;
    int ratio = 1;
};
Source sourceFor(const QString& path, qreal devicePixelRatio);

// The picture for a device pixel ratio, by default the application's (the largest of its
// screens'). A missing picture, or a file that is not one, gives a null picture.
QImage image(const QString& path, qreal devicePixelRatio);
QImage image(const QString& path);
QPixmap pixmap(const QString& path);
QPixmap pixmap(const char* path); // for the window descriptions' <pixmapfunction>

// An icon of the pictures, each at 1x and, on scaled screens, its double too, as
// QIcon::addFile makes them.
QIcon icon(const QStringList& paths);

} // namespace Pictures
