#pragma once

#include <QObject>
#include <QPointer>

class QWebEngineView;
class WebEnginePage;

// The page's "leave this page?" prompt, which a page may show before it is left or closed.
class LeavePrompt : public QObject
{
    Q_OBJECT

public:
    LeavePrompt(WebEnginePage* page, QWebEngineView* view);

    // Runs the page's unload handlers and its prompt; whether the page may close.
    bool mayClose();

signals:
    // The user chose to stay: the navigation or close that showed the prompt ends there.
    void stayed();

private:
    QPointer<WebEnginePage> m_page;
};
