#pragma once

#include <QWidget>

class QVBoxLayout;
class QWebEngineDownloadRequest;

// The small window that lists the downloads of this run, each with its progress and
// speed, and Cancel, Open and Show in Folder. It belongs to the frame it was opened
// over and goes with it; the list lives in memory only.
class DownloadsWindow : public QWidget
{
    Q_OBJECT

public:
    // Lists download (accepted already) in the downloads window over owner, opening the
    // window first if it is not open, and brings the window up.
    static void add(QWidget* owner, QWebEngineDownloadRequest* download);

private:
    explicit DownloadsWindow(QWidget* owner);
    void placeOver(QWidget* owner);

    QVBoxLayout* m_rows = nullptr;
};
