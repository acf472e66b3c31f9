#include "platform/webengine/LinkBubble.h"

#include "platform/webengine/WebEnginePage.h"

#include <QLabel>
#include <QWebEngineView>

LinkBubble::LinkBubble(WebEnginePage* page, QWebEngineView* view)
    : ViewOverlay(view)
    , m_text(new QLabel(this))
{
    setObjectName(QStringLiteral("linkBubble"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::ToolTipBase);
    m_text->setForegroundRole(QPalette::ToolTipText);
    m_text->setContentsMargins(4, 1, 4, 1);
    m_text->setTextFormat(Qt::PlainText);
    connect(page, &QWebEnginePage::linkHovered, this, [this](const QString& address) {
        m_text->setText(address);
        if (address.isEmpty())
            hide();
        else
            showOnTop();
    });
}

void LinkBubble::place()
{
    // Long addresses are cut at half the view's width, keeping their start.
    const QWidget* view = parentWidget();
    const int widest = qMax(view->width() / 2, 100);
    const QSize size(qMin(m_text->sizeHint().width(), widest), m_text->sizeHint().height());
    m_text->resize(size);
    setGeometry(0, view->height() - size.height(), size.width(), size.height());
}
