#pragma once

#include <QWidget>

class QLabel;
class QWebEnginePage;

// Small widgets laid over a web view that show what the page is doing: each keeps its
// place and stays on top of the engine's own drawing surface, which the engine replaces
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
};

// A line across the top of the view whose length follows the progress of any load of
// the page, whoever started it; hidden while nothing loads.
class ProgressLine : public ViewOverlay
{
    Q_OBJECT

public:
    ProgressLine(QWebEnginePage* page, QWidget* view);

protected:
    void place() override;
    void paintEvent(QPaintEvent* event) override;

private:
    int m_percent = 0;
};

// The address of the link under the mouse pointer, in a bubble at the view's bottom left.
class LinkBubble : public ViewOverlay
{
    Q_OBJECT

public:
    LinkBubble(QWebEnginePage* page, QWidget* view);

protected:
    void place() override;

private:
    QLabel* m_text;
};

// Covers the view when the page's renderer has ended abnormally: says so and offers to
// load the page again.
class CrashNotice : public ViewOverlay
{
    Q_OBJECT

public:
    CrashNotice(QWebEnginePage* page, QWidget* view);

protected:
    void place() override;

private:
    QLabel* m_text;
};
