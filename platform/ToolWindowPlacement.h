#pragma once

#include <QMargins>
#include <QRect>

// Where a small tool window of a frame opens (the downloads window): at the bottom right
// of the frame's client area, under its menu bar, and wholly on the screen; made smaller
// when the room left is smaller than the window.
namespace ToolWindowPlacement {

// clientArea and screen in screen coordinates; size is the window's inner size, and
// decorations what the window manager adds around it. Returns the inner geometry.
inline QRect place(const QRect& clientArea, const QRect& screen, QSize size, const QMargins& decorations)
{
    const QRect room = clientArea.intersected(screen);
    const QSize outer = size.grownBy(decorations).boundedTo(room.size());
    return QRect(room.bottomRight() - QPoint(outer.width() - 1, outer.height() - 1), outer).marginsRemoved(decorations);
}

} // namespace ToolWindowPlacement
