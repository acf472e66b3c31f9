#include "platform/webengine/ViewOverlay.h"

#include "platform/ServerText.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>

ViewOverlay::ViewOverlay(QWidget* view)
    : QWidget(view)
{
    hide();
    view->installEventFilter(this);
}

bool ViewOverlay::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == parent() && (event->type() == QEvent::Resize || event->type() == QEvent::ChildAdded)) {
        place();
        raise();
    }
    return QWidget::eventFilter(watched, event);
}

void ViewOverlay::showOnTop()
{
    place();
    raise();
    show();
}

QString ViewOverlay::shownText(const QString& serverText) const
{
    return ServerText::elided(serverText, fontMetrics(), 40 * fontMetrics().averageCharWidth());
}

void ViewOverlay::makeBar(QLabel* message, std::initializer_list<QWidget*> buttons)
{
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::ToolTipBase);
    message->setForegroundRole(QPalette::ToolTipText);
    message->setTextFormat(Qt::PlainText);
    message->setWordWrap(true);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(message, 1);
    for (QWidget* button : buttons)
        layout->addWidget(button);
}
