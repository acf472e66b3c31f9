#pragma once

#include <QObject>

class QWebEngineView;
class WebEnginePage;

// Answers the page's login requests, a site's and the proxy's, with a LoginDialog over
// the view.
class LoginRequests : public QObject
{
    Q_OBJECT

public:
    LoginRequests(WebEnginePage* page, QWebEngineView* view);
};
