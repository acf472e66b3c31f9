#include "platform/webengine/DownloadManager.h"

#include "platform/webengine/DownloadsWindow.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QPointer>
#include <QStandardPaths>
#include <QWebEngineDownloadRequest>
#include <QWebEngineProfile>
#include <QWebEngineView>

namespace DownloadManager {
namespace {

// The window of the view that asked for the download: the frame, for our views.
QWidget* ownerWindow(const QWebEngineDownloadRequest* download)
{
    QWebEngineView* view = download->page() ? QWebEngineView::forPage(download->page()) : nullptr;
    return view ? view->window() : nullptr;
}

void onDownloadRequested(QWebEngineDownloadRequest* request)
{
    // The engine drops a download that is neither accepted nor cancelled before this
    // returns, so the dialog is modal here.
    const QPointer<QWebEngineDownloadRequest> download(request);
    const QPointer<QWidget> owner = ownerWindow(download);
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DownloadLocation);
    QDir().mkpath(folder);
    // On the heap: closing the frame while the dialog is open takes the dialog along.
    const QPointer<QFileDialog> dialog
        = new QFileDialog(owner, QStringLiteral("Save As"), QDir(folder).filePath(download->downloadFileName()));
    dialog->setObjectName(QStringLiteral("dlgSaveAs"));
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    dialog->setFileMode(QFileDialog::AnyFile);
    const bool accepted = dialog->exec() == QDialog::Accepted;
    const QStringList chosen = dialog && accepted ? dialog->selectedFiles() : QStringList();
    delete dialog.data();
    if (!download) // the engine ended while the dialog was open
        return;
    if (chosen.isEmpty()) {
        download->cancel();
        return;
    }
    const QFileInfo target(chosen.constFirst());
    download->setDownloadDirectory(target.absolutePath());
    download->setDownloadFileName(target.fileName());
    download->accept();
    DownloadsWindow::add(owner, download);
}

} // namespace

void watch(QWebEngineProfile* profile)
{
    QObject::connect(profile, &QWebEngineProfile::downloadRequested, profile, &onDownloadRequested);
}

} // namespace DownloadManager
