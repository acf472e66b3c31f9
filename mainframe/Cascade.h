#pragma once

#include <QList>
#include <QPoint>
#include <QSize>

#include <optional>

namespace Cascade {

// Where a new document window of the given size opens in an area: one step right and
// down from the previous window, or the top-left corner when that would not fit; never
// exactly where another open window is, so that none hides another.
QPoint place(QSize area, QSize size, std::optional<QPoint> previous, const QList<QPoint>& taken, int step);

} // namespace Cascade
