#pragma once

#include <QObject>
#include <QPointer>

class FullScreenWindow;
class QWebEngineView;
class WebEnginePage;

// Grants the page's full-screen requests, showing the page in a FullScreenWindow while
// it is full screen.
class FullScreenRequests : public QObject
{
    Q_OBJECT

public:
    FullScreenRequests(WebEnginePage* page, QWebEngineView* view);
    ~FullScreenRequests() override;

private:
    QPointer<FullScreenWindow> m_window;
};
