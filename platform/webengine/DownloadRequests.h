#pragma once

#include <QObject>

class QWebEngineDownloadRequest;
class QWebEngineView;
class WebEnginePage;

// Answers the downloads the page starts as a person expects: a save dialog proposing the
// page's file name in the user's Downloads folder, then the download's progress in the
// frame's downloads window. Nothing about downloads is recorded anywhere.
class DownloadRequests : public QObject
{
    Q_OBJECT

public:
    DownloadRequests(WebEnginePage* page, QWebEngineView* view);

private:
    void onDownloadRequested(QWebEngineDownloadRequest* request);

    WebEnginePage* m_page;
};
