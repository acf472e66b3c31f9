#pragma once

#include <QImage>
#include <QPixmap>
#include <QString>

// The windows' pictures at the screens' scale. Each picture of the resources has a
// double-resolution version beside it, named with "@2x" before the extension
// (":/calculator/picture@2x.png"). Loading by the 1x name picks that version when the
// screens are scaled beyond 1 and gives it a device pixel ratio of 2, so that it takes
// the same place in a window as the 1x picture, only sharper.
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
QPixmap pixmap(const QString& path);
QImage image(const QString& path);

} // namespace Pictures
