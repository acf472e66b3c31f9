#pragma once

#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QString>

// The windows' pictures and icons, at the screens' scale, read without Qt's image plugins.
//
// Qt reads a picture whose format it is not told (QPixmap(path), QIcon::addFile, a window
// description's picture) by first loading every installed image-format plugin to ask it,
// even for a PNG: on a desktop with the usual plugin packages that maps some twenty
// libraries into the program before its first window shows. Here each picture is read by
// Qt's built-in reader for the format its name gives, PNG or BMP, with the plugins left
// alone. Pictures drawn in other formats (JPEG) are converted to PNG when the program is
// built (calculator_add_pictures in Pictures.cmake); window descriptions read theirs
// through pixmap() by naming it as their <pixmapfunction>.
//
// Each picture of the resources has a double-resolution version beside it, named with
// "@2x" before the extension (":/calculator/picture@2x.png"). Loading by the 1x name picks
// that version when the screens are scaled beyond 1 and gives it a device pixel ratio of
// 2, so that it takes the same place in a window as the 1x picture, only sharper.
namespace Pictures {

// The file to read for a picture at a device pixel ratio, and the ratio it is drawn for:
// the @2x version for ratios above 1 where it exists, else the 1x file.
struct Source
{
    QString path;
    int ratio = 1;
};
Source sourceFor(const QString& path, qreal devicePixelRatio);

// The picture for the application's device pixel ratio (the largest of its screens').
// A missing file, or one in another format than PNG or BMP, gives a null picture.
QImage image(const QString& path);
QPixmap pixmap(const QString& path);
QPixmap pixmap(const char* path); // for the window descriptions' <pixmapfunction>

// An icon of the pictures, each at 1x and, on scaled screens, its double too, as
// QIcon::addFile makes them.
QIcon icon(const QStringList& paths);

} // namespace Pictures
