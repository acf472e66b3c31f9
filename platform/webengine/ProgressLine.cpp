#include "platform/webengine/ProgressLine.h"

#include "platform/webengine/WebEnginePage.h"

#include <QPainter>
#include <QWebEngineView>

ProgressLine::ProgressLine(WebEnginePage* page, QWebEngineView* view)
    : ViewOverlay(view)
{
    setObjectName(QStringLiteral("progressLine"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    connect(page, &QWebEnginePage::loadStarted, this, [this] {
        m_percent = 0;
        showOnTop();
    });
    connect(page, &QWebEnginePage::loadProgress, this, [this](int percent) {
        m_percent = percent;
        update();
    });
    connect(page, &QWebEnginePage::loadFinished, this, &QWidget::hide);
    connect(page, &QWebEnginePage::renderProcessTerminated, this, &QWidget::hide);
}

void ProgressLine::place()
{
    setGeometry(0, 0, parentWidget()->width(), 3);
}

void ProgressLine::paintEvent(QPaintEvent*)
{
    // A load that has not reported progress yet still shows a short stretch.
    const int length = width() * qMax(m_percent, 5) / 100;
    QPainter(this).fillRect(0, 0, length, height(), palette().color(QPalette::Highlight));
}
