#include "mainframe/frmMain.h"
#include "ui_frmMain.h"

#include "browser/FixedAddresses.h"
#include "browser/frmBrowser.h"
#include "mainframe/Cascade.h"
#include "mainframe/Placement.h"
#include "mainframe/StatusPanels.h"
#include "platform/Pictures.h"
#include "platform/SettingsStore.h"
#include "platform/Twips.h"
#include "platform/UnexpectedError.h"
#include "platform/WebViewProvider.h"

#include <QCloseEvent>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMessageBox>
#include <QPixmap>
#include <QStyle>

#include <algorithm>

QPointer<frmMain> frmMain::s_frame;

namespace {
// On a document window that opened smaller than designed: its designed outer size.
constexpr char squeezedProperty[] = "designedSize";
} // namespace

frmMain* frmMain::current()
{
    return s_frame;
}

frmMain::frmMain()
    : m_ui(std::make_unique<Ui::frmMain>())
{
    m_ui->setupUi(this);
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowIcon(Pictures::icon({QStringLiteral(":/mainframe/frmMain")}));
    m_panels = new StatusPanels(m_ui->sbStatusBar);

    // The designed client area (under the menu bar) is 6360 x 4545 twips, its top-left
    // corner at 165, 735 on the screen. That is the frame's normal placement; it opens
    // maximised, since browser windows want the room.
    const int menuHeight = m_ui->menuBar->sizeHint().height();
    setGeometry(Twips::toPixels(165), Twips::toPixels(735) - menuHeight, Twips::toPixels(6360),
                Twips::toPixels(4545) + menuHeight);

    connect(m_ui->mnuViewWebBrowser, &QAction::triggered, this, &frmMain::mnuViewWebBrowser_Click);
    connect(m_ui->mnuFileExit2, &QAction::triggered, this, &frmMain::mnuFileExit2_Click);
    connect(m_ui->mdiArea, &QMdiArea::subWindowActivated, this, &frmMain::updateMenus);
    connect(m_ui->mdiArea, &FrameArea::resized, this, &frmMain::growSqueezedWindows);
}

frmMain::~frmMain() = default;

QMdiArea* frmMain::mdiArea() const
{
    return m_ui->mdiArea;
}

frmBrowser* frmMain::openBrowserWindow()
{
    QString error;
    std::unique_ptr<frmBrowser> window = frmBrowser::create(&error);
    if (!window) {
        UnexpectedError::report(error.isEmpty() ? QStringLiteral("The web view could not be created.") : error);
        return nullptr;
    }
    window->setStartingAddress(FixedAddresses::home());
    frmBrowser* shown = window.get();
    adopt(std::move(window));
    return shown;
}

void frmMain::adopt(std::unique_ptr<frmBrowser> window)
{
    const bool fresh = !s_frame;
    if (fresh)
        s_frame = new frmMain;
    frmMain* frame = s_frame;
    QMdiArea* area = frame->mdiArea();
    const QList<QMdiSubWindow*> open = area->subWindowList(QMdiArea::CreationOrder);
    QList<QPoint> taken;
    for (const QMdiSubWindow* sub : open)
        taken.append(sub->pos());

    connect(window.get(), &frmBrowser::newWindowRequested, frame, [] { openBrowserWindow(); });
    connect(window.get(), &frmBrowser::windowOpened, frame,
            [](std::unique_ptr<frmBrowser>& opened) { adopt(std::move(opened)); });
    const QSize designed = window->size();
    auto* sub = new QMdiSubWindow;
    sub->setWidget(window.release());
    sub->setAttribute(Qt::WA_DeleteOnClose);
    // Document windows have no icon of their own.
    QPixmap noIcon(16, 16);
    noIcon.fill(Qt::transparent);
    sub->setWindowIcon(QIcon(noIcon));
    area->addSubWindow(sub);
    if (fresh) {
        frame->showMaximized();
        frame->m_maximiseOnWindowManagerReply = true;
    }
    // The menus go with the window when it closes; pick the next window's menus then.
    connect(sub, &QObject::destroyed, frame, &frmMain::updateMenus, Qt::QueuedConnection);
    // The window's designed inner size plus its frame, fitted into the frame's area so
    // that it does not open cut off, and cascaded from the window opened before it.
    const int border = sub->style()->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth, nullptr, sub);
    const int title = sub->style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, sub);
    const QSize designedOuter = designed + QSize(2 * border, title + border);
    const QSize outer = designedOuter.boundedTo(area->viewport()->size());
    sub->resize(outer);
    // The frame may not have its maximised size yet (the window manager gives it later):
    // a window squeezed now grows to its designed size as the area grows.
    if (outer != designedOuter)
        sub->setProperty(squeezedProperty, designedOuter);
    sub->move(Cascade::place(area->viewport()->size(), outer,
                             open.isEmpty() ? std::nullopt : std::optional(open.last()->pos()), taken, title));
    sub->show();
    area->setActiveSubWindow(sub);
    // The page holds the focus when the window opens, so that its keys work at once.
    sub->widget()->setFocus(Qt::ActiveWindowFocusReason);
    frame->updateMenus();
}

void frmMain::growSqueezedWindows()
{
    const QSize room = m_ui->mdiArea->viewport()->size();
    const auto subs = m_ui->mdiArea->subWindowList();
    for (QMdiSubWindow* sub : subs) {
        const QSize designed = sub->property(squeezedProperty).toSize();
        if (designed.isEmpty())
            continue;
        sub->resize(designed.boundedTo(room));
        if (sub->size() == designed)
            sub->setProperty(squeezedProperty, QVariant());
    }
}

void frmMain::updateMenus()
{
    // currentSubWindow, not activeSubWindow: while the calculator is the active window
    // the frame has no active child, yet it keeps showing the current one's menus.
    QMdiSubWindow* sub = m_ui->mdiArea->currentSubWindow();
    const auto* browser = sub ? qobject_cast<frmBrowser*>(sub->widget()) : nullptr;
    QList<QAction*> wanted;
    if (browser) {
        const auto menus = browser->menus();
        for (const QMenu* menu : menus)
            wanted.append(menu->menuAction());
    } else {
        wanted.append(m_ui->mnuView->menuAction());
    }
    if (m_ui->menuBar->actions() == wanted)
        return;
    m_ui->menuBar->clear();
    m_ui->menuBar->addActions(wanted);
}

void frmMain::mnuViewWebBrowser_Click()
{
    openBrowserWindow();
}

void frmMain::mnuFileExit2_Click()
{
    close();
}

void frmMain::MDIForm_Unload(int& Cancel)
{
    Q_UNUSED(Cancel); // the frame never refuses to close
    if (windowState() & Qt::WindowMinimized)
        return;
    const QString failure = SettingsStore::save(QStringLiteral("Calculator"), QStringLiteral("Settings"),
                                                Placement::entries(frameGeometry()));
    if (!failure.isEmpty())
        UnexpectedError::report(failure);
}

void frmMain::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    // A window manager may drop the maximised state that a window asks for before it is
    // mapped (openbox does); the first state it reports then gets the request again.
    if (event->type() == QEvent::WindowStateChange && event->spontaneous() && m_maximiseOnWindowManagerReply) {
        m_maximiseOnWindowManagerReply = false;
        if (!(windowState() & (Qt::WindowMaximized | Qt::WindowMinimized | Qt::WindowFullScreen)))
            QMetaObject::invokeMethod(
                this, [this] { setWindowState(windowState() | Qt::WindowMaximized); }, Qt::QueuedConnection);
    }
}

bool frmMain::mayEndDownloads()
{
    if (!WebViewProvider::downloadRunning())
        return true;
    QMessageBox question(QMessageBox::Question, QStringLiteral("Corvel Explorer"),
                         tr("A download is in progress. Cancel it and close?"), QMessageBox::Yes | QMessageBox::Cancel,
                         this);
    question.setDefaultButton(QMessageBox::Cancel);
    question.setWindowModality(Qt::WindowModal); // the calculator stays usable
    return question.exec() == QMessageBox::Yes;
}

void frmMain::closeEvent(QCloseEvent* event)
{
    // Downloads outlive the browser windows but not the frame: the user decides first.
    if (!mayEndDownloads()) {
        event->ignore();
        return;
    }
    // A window whose page the user chose to stay on keeps the frame open with it.
    m_ui->mdiArea->closeAllSubWindows();
    const QList<QMdiSubWindow*> windows = m_ui->mdiArea->subWindowList();
    if (std::any_of(windows.begin(), windows.end(), [](const QMdiSubWindow* window) { return !window->isHidden(); })) {
        event->ignore();
        return;
    }
    WebViewProvider::cancelDownloads();
    int cancel = 0;
    MDIForm_Unload(cancel);
    s_frame = nullptr; // a browser window shown from now on opens a fresh frame
    event->accept();
}
