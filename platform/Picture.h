#pragma once

#include <QPixmap>
#include <QString>

namespace Picture {

// A PNG picture, read as PNG outright. Qt's usual reading (QPixmap(path), QIcon::addFile)
// first asks every installed image plugin whether it reads the format, which maps all of
// them into the process for pictures that are PNG anyway.
// A file that is missing or not a PNG gives a null pixmap.
QPixmap png(const QString& path);

} // namespace Picture
