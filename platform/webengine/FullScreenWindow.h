#pragma once

#include <QPointer>
#include <QWidget>

class QWebEnginePage;
class QWebEngineView;

// Shows a page's element or video full screen: the page moves to a view of its own in a
// full-screen top-level window, and back into its place in the browser window when the
// page leaves full screen or the user presses Esc. The browser window and its frame are
// left as they were.
class FullScreenWindow : public QWidget
{
    Q_OBJECT

public:
    // Moves page from its view home into a new full-screen window, shown at once.
    FullScreenWindow(QWebEnginePage* page, QWebEngineView* home);
    ~FullScreenWindow() override;

protected:
    // Closing the window (the window manager's close) leaves full screen.
    void closeEvent(QCloseEvent* event) override;

private:
    QWebEngineView* m_view;
    QPointer<QWebEnginePage> m_page;
    QPointer<QWebEngineView> m_home;
};
