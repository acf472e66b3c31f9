#include "mainframe/Cascade.h"

namespace Cascade {

QPoint place(QSize area, QSize size, std::optional<QPoint> previous, const QList<QPoint>& taken, int step)
{
    const auto fits
        = [&](QPoint p) { return p.x() + size.width() <= area.width() && p.y() + size.height() <= area.height(); };
    QPoint p = previous ? *previous + QPoint(step, step) : QPoint(0, 0);
    if (!fits(p))
        p = QPoint(0, 0);
    // Taken places are passed by to the right, then on the next step down.
    while (taken.contains(p)) {
        const QPoint right = p + QPoint(step, 0), down(0, p.y() + step);
        if (fits(right))
            p = right;
        else if (fits(down))
            p = down;
        else
            break; // the area is full of windows: this one may cover another
    }
    return p;
}

} // namespace Cascade
