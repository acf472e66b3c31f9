#pragma once

#include <QColor>
#include <QDialog>
#include <QString>

class QLabel;
class QPushButton;
class QWidget;

// Builds the information windows' controls from their described places, in twips, and
// opens the windows.
namespace InfoControls {

QLabel* label(QWidget* parent, const char* name, const QString& text, int left, int top, int width, int height,
              bool wraps = false);
QPushButton* button(QWidget* parent, const char* name, const QString& text, int left, int top, int width, int height);
// A straight horizontal line from (x1, y) to (x2, y), width pixels thick.
QWidget* line(QWidget* parent, const char* name, int x1, int x2, int y, const QColor& colour, int width = 1);

// Gives the window a title bar with a close box only: no minimise, maximise or help button.
void titleBarWithCloseBox(QDialog* dialog);

// The same title bar, a sizable border and a first client area of the given size in twips.
void frameWindow(QDialog* dialog, int clientWidth, int clientHeight);

// Opens a fresh window of the class modally and returns when it has been closed, so that
// every opening shows the window as designed. `args` go to its constructor, before the parent.
template <typename Window, typename... Args> void showModal(QWidget* parent, const Args&... args)
{
    Window window(args..., parent);
    window.exec();
}

} // namespace InfoControls
