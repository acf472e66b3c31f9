#include "mainframe/frmMain.h"
#include "ui_frmMain.h"

#include "browser/frmBrowser.h"
#include "browser/openBrowserWindow.h"
#include "mainframe/Placement.h"
#include "mainframe/StatusPanels.h"
#include "platform/SettingsStore.h"
#include "platform/Twips.h"
#include "platform/UnexpectedError.h"

#include <QCloseEvent>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPixmap>
#include <QStyle>

QPointer<frmMain> frmMain::s_frame;

frmMain* frmMain::current()
{
    return s_frame;
}

frmMain::frmMain()
    : m_ui(std::make_unique<Ui::frmMain>())
{
    m_ui->setupUi(this);
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowIcon(QIcon(QStringLiteral(":/mainframe/frmMain.png")));
    m_panels = new StatusPanels(m_ui->sbStatusBar);

    // The designed client area (under the menu bar) is 6360 x 4545 twips, its top-left
    // corner at 165, 735 on the screen.
    const int menuHeight = m_ui->menuBar->sizeHint().height();
    setGeometry(Twips::toPixels(165), Twips::toPixels(735) - menuHeight, Twips::toPixels(6360),
                Twips::toPixels(4545) + menuHeight);

    connect(m_ui->mnuViewWebBrowser, &QAction::triggered, this, &frmMain::mnuViewWebBrowser_Click);
    connect(m_ui->mnuFileExit2, &QAction::triggered, this, &frmMain::mnuFileExit2_Click);
    connect(m_ui->mdiArea, &QMdiArea::subWindowActivated, this, &frmMain::updateMenus);
}

frmMain::~frmMain() = default;

QMdiArea* frmMain::mdiArea() const
{
    return m_ui->mdiArea;
}

void frmMain::showChild(QWidget* child)
{
    if (!s_frame) {
        s_frame = new frmMain;
        s_frame->show();
    }
    frmMain* frame = s_frame;
    const QSize designed = child->size();
    auto* sub = new QMdiSubWindow;
    sub->setWidget(child);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    // Document windows have no icon of their own.
    QPixmap noIcon(16, 16);
    noIcon.fill(Qt::transparent);
    sub->setWindowIcon(QIcon(noIcon));
    frame->mdiArea()->addSubWindow(sub);
    // The menus go with the window when it closes; pick the next window's menus then.
    connect(sub, &QObject::destroyed, frame, &frmMain::updateMenus, Qt::QueuedConnection);
    // The window's designed inner size plus its frame, but fitted into the frame's area
    // so that it does not open cut off.
    const int border = sub->style()->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth, nullptr, sub);
    const int title = sub->style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, sub);
    const QSize outer = designed + QSize(2 * border, title + border);
    sub->resize(outer.boundedTo(frame->mdiArea()->viewport()->size()));
    sub->show();
    frame->mdiArea()->setActiveSubWindow(sub);
    frame->updateMenus();
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

void frmMain::closeEvent(QCloseEvent* event)
{
    int cancel = 0;
    MDIForm_Unload(cancel);
    s_frame = nullptr; // a browser window shown from now on opens a fresh frame
    m_ui->mdiArea->closeAllSubWindows();
    event->accept();
}
