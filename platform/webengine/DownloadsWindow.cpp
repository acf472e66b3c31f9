#include "platform/webengine/DownloadsWindow.h"

#include "platform/ServerText.h"
#include "platform/ToolWindowPlacement.h"

#include <QDesktopServices>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QGridLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QLocale>
#include <QMainWindow>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QUrl>
#include <QVBoxLayout>
#include <QWebEngineDownloadRequest>

namespace {

QString bytes(qint64 count)
{
    return QLocale().formattedDataSize(count);
}

// One download: its file name, a progress bar, what it is doing, and its buttons.
class DownloadRow : public QWidget
{
public:
    DownloadRow(QWebEngineDownloadRequest* download, QWidget* parent)
        : QWidget(parent)
        , m_download(download)
        , m_path(QDir(download->downloadDirectory()).filePath(download->downloadFileName()))
    {
        setObjectName(QStringLiteral("download"));
        auto* grid = new QGridLayout(this);
        // The name came from the server: cut to fit, whole in the tooltip's path.
        auto* name = new QLabel(
            ServerText::elided(download->downloadFileName(), fontMetrics(), 40 * fontMetrics().averageCharWidth()),
            this);
        name->setToolTip(QDir::toNativeSeparators(m_path));
        m_bar = new QProgressBar(this);
        m_status = new QLabel(this);
        m_status->setObjectName(QStringLiteral("lblStatus"));
        m_cancel = button(QStringLiteral("&Cancel"), QStringLiteral("cmdCancel"));
        m_open = button(QStringLiteral("&Open"), QStringLiteral("cmdOpen"));
        m_show = button(QStringLiteral("Show in &Folder"), QStringLiteral("cmdShowInFolder"));
        grid->addWidget(name, 0, 0, 1, 3);
        grid->addWidget(m_bar, 1, 0, 1, 3);
        grid->addWidget(m_status, 2, 0, 1, 3);
        grid->addWidget(m_cancel, 3, 0);
        grid->addWidget(m_open, 3, 1);
        grid->addWidget(m_show, 3, 2);

        connect(m_cancel, &QPushButton::clicked, this, [this] {
            if (m_download)
                m_download->cancel();
        });
        connect(m_open, &QPushButton::clicked, this,
                [this] { QDesktopServices::openUrl(QUrl::fromLocalFile(m_path)); });
        connect(m_show, &QPushButton::clicked, this,
                [this] { QDesktopServices::openUrl(QUrl::fromLocalFile(QFileInfo(m_path).absolutePath())); });
        connect(download, &QWebEngineDownloadRequest::receivedBytesChanged, this, &DownloadRow::showState);
        connect(download, &QWebEngineDownloadRequest::totalBytesChanged, this, &DownloadRow::showState);
        connect(download, &QWebEngineDownloadRequest::stateChanged, this, &DownloadRow::showState);
        m_started.start();
        showState();
    }

private:
    QPushButton* button(const QString& text, const QString& name)
    {
        auto* pushButton = new QPushButton(text, this);
        pushButton->setObjectName(name);
        return pushButton;
    }

    // Shows the download's state, progress and speed, and enables the buttons that apply.
    void showState()
    {
        // An ended download goes with the profile when nothing else uses it: the row
        // keeps showing how it ended.
        if (!m_download)
            return;
        using State = QWebEngineDownloadRequest::DownloadState;
        const State state = m_download->state();
        const qint64 received = m_download->receivedBytes();
        const qint64 total = m_download->totalBytes();
        const bool running = state == State::DownloadRequested || state == State::DownloadInProgress;
        m_cancel->setEnabled(running);
        m_open->setEnabled(state == State::DownloadCompleted);
        m_show->setEnabled(state == State::DownloadCompleted);
        switch (state) {
        case State::DownloadCompleted:
            m_bar->setRange(0, 100);
            m_bar->setValue(100);
            m_status->setText(u"Done, " % bytes(received));
            return;
        case State::DownloadCancelled:
            m_bar->setRange(0, 100);
            m_bar->setValue(0);
            m_status->setText(QStringLiteral("Cancelled"));
            return;
        case State::DownloadInterrupted:
            m_status->setText(u"Failed: " % m_download->interruptReasonString());
            return;
        default:
            break;
        }
        // A total the server did not announce makes the bar a busy indicator.
        m_bar->setRange(0, total > 0 ? 1000 : 0);
        if (total > 0)
            m_bar->setValue(int(received * 1000 / total));
        const qint64 elapsed = qMax<qint64>(m_started.elapsed(), 1);
        const QString done = total > 0 ? bytes(received) % u" of " % bytes(total) : bytes(received);
        m_status->setText(done % u", " % bytes(received * 1000 / elapsed) % u"/s");
    }

    QPointer<QWebEngineDownloadRequest> m_download;
    const QString m_path;
    QElapsedTimer m_started;
    QProgressBar* m_bar;
    QLabel* m_status;
    QPushButton* m_cancel;
    QPushButton* m_open;
    QPushButton* m_show;
};

QPointer<DownloadsWindow> g_window;

} // namespace

DownloadsWindow::DownloadsWindow(QWidget* owner)
    : QWidget(owner, Qt::Tool)
{
    setObjectName(QStringLiteral("frmDownloads"));
    setWindowTitle(QStringLiteral("Downloads"));
    setAttribute(Qt::WA_DeleteOnClose);
    auto* scroll = new QScrollArea(this);
    scroll->setWidgetResizable(true);
    auto* list = new QWidget(scroll);
    m_rows = new QVBoxLayout(list);
    m_rows->addStretch();
    scroll->setWidget(list);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(scroll);
    resize(360, 240);
}

void DownloadsWindow::add(QWidget* owner, QWebEngineDownloadRequest* download)
{
    if (!g_window || g_window->parentWidget() != owner) {
        g_window = new DownloadsWindow(owner);
        g_window->placeOver(owner);
    }
    // The newest download on top.
    g_window->m_rows->insertWidget(0, new DownloadRow(download, g_window->m_rows->parentWidget()));
    g_window->show();
    g_window->raise();
}

void DownloadsWindow::placeOver(QWidget* owner)
{
    // Inside the frame's client area, under its menu bar, and on the screen, a little in
    // from the corner; the window manager is taken to decorate this window as it
    // decorated the owner, give or take that gap.
    const auto* frame = qobject_cast<QMainWindow*>(owner);
    const QWidget* client = frame && frame->centralWidget() ? frame->centralWidget() : owner;
    const int gap = 8;
    const QRect area = QRect(client->mapToGlobal(QPoint(0, 0)), client->size()).adjusted(gap, gap, -gap, -gap);
    const QScreen* screen = owner->screen() ? owner->screen() : QGuiApplication::primaryScreen();
    const QRect outer = owner->frameGeometry(), inner = owner->geometry();
    const QMargins decorations(inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
                               outer.bottom() - inner.bottom());
    setGeometry(ToolWindowPlacement::place(area, screen->availableGeometry(), size(), decorations));
}
