#pragma once

#include <QColor>
#include <QString>

class QDialog;
class QLabel;
class QPushButton;
class QWidget;

// Builds the information windows' controls from their described places, in twips.
namespace InfoControls {

QLabel* label(QWidget* parent, const char* name, const QString& text, int left, int top, int width,
              int height, bool wraps = false);
QPushButton* button(QWidget* parent, const char* name, const QString& text, int left, int top,
                    int width, int height);
// A straight horizontal line from (x1, y) to (x2, y), width pixels thick.
QWidget* line(QWidget* parent, const char* name, int x1, int x2, int y, const QColor& colour,
              int width = 1);
// A fixed window of the given client size in twips, with a title bar and close box only.
void fixWindow(QDialog* dialog, int clientWidth, int clientHeight, bool sizable = false);

} // namespace InfoControls
