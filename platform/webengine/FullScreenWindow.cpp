#include "platform/webengine/FullScreenWindow.h"

#include <QCloseEvent>
#include <QShortcut>
#include <QVBoxLayout>
#include <QWebEnginePage>
#include <QWebEngineView>

FullScreenWindow::FullScreenWindow(QWebEnginePage* page, QWebEngineView* home)
    : m_view(new QWebEngineView(this))
    , m_page(page)
    , m_home(home)
{
    setObjectName(QStringLiteral("fullScreenWindow"));
    setWindowTitle(page->title());
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_view);
    m_view->setPage(page);
    auto* leave = new QShortcut(Qt::Key_Escape, this);
    connect(leave, &QShortcut::activated, page, [page] { page->triggerAction(QWebEnginePage::ExitFullScreen); });
    showFullScreen();
    activateWindow();
    m_view->setFocus();
}

FullScreenWindow::~FullScreenWindow()
{
    if (!m_page || !m_home)
        return;
    m_home->setPage(m_page);
    m_home->setFocus();
    m_home->window()->activateWindow();
}

void FullScreenWindow::closeEvent(QCloseEvent* event)
{
    event->ignore();
    if (m_page)
        m_page->triggerAction(QWebEnginePage::ExitFullScreen);
}
