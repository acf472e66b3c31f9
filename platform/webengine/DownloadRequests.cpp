#include "platform/webengine/DownloadRequests.h"

#include "platform/ServerText.h"
#include "platform/webengine/DownloadsWindow.h"
#include "platform/webengine/RunningDownloads.h"
#include "platform/webengine/WebEnginePage.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QPointer>
#include <QStandardPaths>
#include <QWebEngineDownloadRequest>
#include <QWebEngineProfile>
#include <QWebEngineView>

DownloadRequests::DownloadRequests(WebEnginePage* page, QWebEngineView* view)
    : QObject(view)
    , m_page(page)
{
    // The profile, shared by every page, asks for each download: this page's are ours.
    connect(page->profile(), &QWebEngineProfile::downloadRequested, this, &DownloadRequests::onDownloadRequested);
}

void DownloadRequests::onDownloadRequested(QWebEngineDownloadRequest* request)
{
    if (request->page() != m_page)
        return;
    // The engine drops a download that is neither accepted nor cancelled before this
    // returns, so the dialog is modal here. Its owner is the window showing the page: the
    // frame, or the page's full-screen window.
    const QPointer<QWebEngineDownloadRequest> download(request);
    QWebEngineView* view = QWebEngineView::forPage(m_page);
    const QPointer<QWidget> owner = view ? view->window() : nullptr;
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DownloadLocation);
    QDir().mkpath(folder);
    // The name comes from the server: made safe before the dialog shows it. On the heap:
    // closing the frame while the dialog is open takes the dialog along.
    const QString proposed = ServerText::safeFileName(download->downloadFileName());
    const QPointer<QFileDialog> dialog
        = new QFileDialog(owner, QStringLiteral("Save As"), QDir(folder).filePath(proposed));
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
    RunningDownloads::add(download);
    DownloadsWindow::add(owner, download);
}
