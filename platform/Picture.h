#pragma once

#include <QPixmap>
#include <QString>

namespace Picture {

// A PNG picture, read as PNG outright. Qt's usual reading guesses the format, and the
// first guess in a process loads every image plugin installed (a few milliseconds and
// about half a megabyte) only to hear that none of them is needed for a PNG.
// A file that is missing or not a PNG gives a null pixmap.
QPixmap png(const QString& path);

} // namespace Picture
