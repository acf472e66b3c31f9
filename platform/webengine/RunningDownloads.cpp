#include "platform/webengine/RunningDownloads.h"

#include "platform/webengine/SharedProfile.h"

#include <QDir>
#include <QFile>
#include <QList>
#include <QPointer>
#include <QWebEngineDownloadRequest>

#include <algorithm>

namespace RunningDownloads {
namespace {

QList<QPointer<QWebEngineDownloadRequest>> g_running;

// The engine writes a download under its name with ".download" added, and renames it once whole.
QString partOf(const QWebEngineDownloadRequest* download)
{
    return QDir(download->downloadDirectory()).filePath(download->downloadFileName()) + QStringLiteral(".download");
}

} // namespace

void add(QWebEngineDownloadRequest* download)
{
    g_running.append(download);
    // Holds the profile, and with it the download, until the download ends.
    auto* keeper = new QObject;
    SharedProfile::track(keeper);
    QObject::connect(download, &QWebEngineDownloadRequest::isFinishedChanged, keeper, [download, keeper] {
        g_running.removeAll(download);
        // The engine removes a cancelled download's part later, on a thread of its own (the
        // program may have ended by then), and keeps a failed one's for a resume that is
        // never offered.
        if (download->state() != QWebEngineDownloadRequest::DownloadCompleted)
            QFile::remove(partOf(download));
        keeper->deleteLater(); // the profile, which owns download, may go with it
    });
}

bool any()
{
    return std::any_of(g_running.cbegin(), g_running.cend(),
                       [](const QPointer<QWebEngineDownloadRequest>& download) { return download; });
}

void cancelAll()
{
    const QList<QPointer<QWebEngineDownloadRequest>> running = g_running;
    for (const QPointer<QWebEngineDownloadRequest>& download : running) {
        if (download)
            download->cancel(); // reports the end at once, which removes the part
    }
}

} // namespace RunningDownloads
