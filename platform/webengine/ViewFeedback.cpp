#include "platform/webengine/ViewFeedback.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWebEnginePage>

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

ProgressLine::ProgressLine(QWebEnginePage* page, QWidget* view)
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

LinkBubble::LinkBubble(QWebEnginePage* page, QWidget* view)
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

CrashNotice::CrashNotice(QWebEnginePage* page, QWidget* view)
    : ViewOverlay(view)
    , m_text(new QLabel(this))
{
    setObjectName(QStringLiteral("crashNotice"));
    setAutoFillBackground(true);
    auto* reload = new QPushButton(tr("&Reload"), this);
    auto* layout = new QVBoxLayout(this);
    layout->addStretch();
    layout->addWidget(m_text, 0, Qt::AlignHCenter);
    layout->addWidget(reload, 0, Qt::AlignHCenter);
    layout->addStretch();
    m_text->setAlignment(Qt::AlignCenter);
    m_text->setWordWrap(true);

    connect(page, &QWebEnginePage::renderProcessTerminated, this,
            [this](QWebEnginePage::RenderProcessTerminationStatus status) {
                if (status == QWebEnginePage::NormalTerminationStatus)
                    return;
                m_text->setText(status == QWebEnginePage::KilledTerminationStatus
                                    ? tr("This page was stopped: its process was ended.")
                                    : tr("This page has crashed."));
                showOnTop();
            });
    connect(reload, &QPushButton::clicked, page, [this, page] {
        hide();
        page->triggerAction(QWebEnginePage::Reload);
    });
    connect(page, &QWebEnginePage::loadStarted, this, &QWidget::hide);
}

void CrashNotice::place()
{
    setGeometry(parentWidget()->rect());
}
