#include "platform/webengine/CrashNotice.h"

#include "platform/webengine/WebEnginePage.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWebEngineView>

CrashNotice::CrashNotice(WebEnginePage* page, QWebEngineView* view)
    : ViewOverlay(view)
    , m_text(new QLabel(this))
{
    setObjectName(QStringLiteral("crashNotice"));
    setAutoFillBackground(true);
    auto* reload = new QPushButton(tr("&Reload"), this);
    auto* layout = new QVBoxLayout(this);
    layout->addStretch();
    layout->addWidget(m_text); // the whole width, so that a wrapped text gets the height it needs
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
