#include "calculator/ReadoutFit.h"

#include <QFontMetrics>

#include <algorithm>

ReadoutFit::Shown ReadoutFit::fit(const QString& text, const QFont& designed, int width)
{
    constexpr qreal legibleMinimum = 8; // points, as the program's smallest designed texts
    // Far more characters than fit at any size: only the end is measured, and shown.
    constexpr qsizetype measured = 200;
    const bool tooLong = text.size() > measured;
    const QString end = tooLong ? text.right(measured) : text;

    QFont font = designed;
    for (qreal points = designed.pointSizeF();; points -= 1) {
        font.setPointSizeF(std::max(points, legibleMinimum));
        const QFontMetrics metrics(font);
        const int room = width - 2 * (metrics.horizontalAdvance(u'x') / 2);
        if (!tooLong && metrics.horizontalAdvance(text) <= room)
            return {font, text, true};
        if (points <= legibleMinimum)
            return {font, metrics.elidedText(end, Qt::ElideLeft, room), false};
    }
}
