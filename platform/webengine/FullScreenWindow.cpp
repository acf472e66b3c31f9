#include "platform/webengine/FullScreenWindow.h"

#include <QCloseEvent>
#include <QShortcut>
#include <QVBoxLayout>
#include <QWebEngineFullScreenRequest>
#include <QWebEnginePage>
#include <QWebEngineSettings>
#include <QWebEngineView>

void FullScreenWindow::serve(QWebEnginePage* page, QWebEngineView* view)
{
    page->settings()->setAttribute(QWebEngineSettings::FullScreenSupportEnabled, true);
    auto* window = new QPointer<FullScreenWindow>;
    QObject::connect(page, &QObject::destroyed, [window] {
        delete window->data();
        delete window;
    });
    QObject::connect(page, &QWebEnginePage::fullScreenRequested, view,
                     [page, view, window](QWebEngineFullScreenRequest request) {
                         if (request.toggleOn() == !window->isNull()) {
                             request.accept(); // already as asked
                             return;
                         }
                         request.accept();
                         if (request.toggleOn())
                             *window = new FullScreenWindow(page, view);
                         else
                             delete window->data();
                     });
}

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
