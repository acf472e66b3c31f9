#pragma once

#include <QWidget>

#include <initializer_list>

class QLabel;

// A small widget laid over a web view, showing what the page is doing or asks for: it
// keeps its place and stays on top of the engine's own drawing surface, which the engine replaces
// whenever a page gets a new renderer.
class ViewOverlay : public QWidget
{
    Q_OBJECT

public:
    explicit ViewOverlay(QWidget* view);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    virtual void place() = 0;
    void showOnTop();
    // Lays the overlay out as a bar in tooltip colours: the message, plain and wrapped, at
    // the left, the buttons after it.
    void makeBar(QLabel* message, std::initializer_list<QWidget*> buttons);
    // A text from the page or its server (a host) as a bar shows it: cleaned, and cut in
    // the middle when it is wider than forty characters, so that the bar keeps its size.
    QString shownText(const QString& serverText) const;
};
