#include "platform/webengine/PermissionBar.h"

#include "platform/webengine/WebEnginePage.h"

#include <QLabel>
#include <QPushButton>
#include <QWebEngineView>

PermissionBar::PermissionBar(WebEnginePage* page, QWebEngineView* view)
    : ViewOverlay(view)
    , m_page(page)
    , m_text(new QLabel(this))
{
    setObjectName(QStringLiteral("permissionBar"));
    auto* allow = new QPushButton(tr("&Allow"), this);
    auto* deny = new QPushButton(tr("&Deny"), this);
    makeBar(m_text, {allow, deny});
    connect(allow, &QPushButton::clicked, this, [this] { answer(true); });
    connect(deny, &QPushButton::clicked, this, [this] { answer(false); });

    connect(page, &QWebEnginePage::featurePermissionRequested, this, &PermissionBar::onRequested);
    connect(page, &QWebEnginePage::featurePermissionRequestCanceled, this, &PermissionBar::onCanceled);
}

QString PermissionBar::question(QWebEnginePage::Feature feature, const QString& site)
{
    switch (feature) {
    case QWebEnginePage::Geolocation:
        return tr("%1 wants to know your location.").arg(site);
    case QWebEnginePage::Notifications:
        return tr("%1 wants to show notifications.").arg(site);
    case QWebEnginePage::MediaVideoCapture:
        return tr("%1 wants to use your camera.").arg(site);
    case QWebEnginePage::MediaAudioCapture:
        return tr("%1 wants to use your microphone.").arg(site);
    case QWebEnginePage::MediaAudioVideoCapture:
        return tr("%1 wants to use your camera and microphone.").arg(site);
    case QWebEnginePage::DesktopVideoCapture:
        return tr("%1 wants to see your screen.").arg(site);
    case QWebEnginePage::DesktopAudioVideoCapture:
        return tr("%1 wants to see your screen and hear its sound.").arg(site);
    default:
        return {};
    }
}

void PermissionBar::onRequested(const QUrl& origin, QWebEnginePage::Feature feature)
{
    const Request request(origin, feature);
    if (question(feature, origin.host()).isEmpty() || m_answers.contains(request)) {
        const bool allow = m_answers.value(request, false);
        m_page->setFeaturePermission(
            origin, feature, allow ? QWebEnginePage::PermissionGrantedByUser : QWebEnginePage::PermissionDeniedByUser);
        return;
    }
    if (!m_waiting.contains(request))
        m_waiting.append(request);
    askNext();
}

void PermissionBar::onCanceled(const QUrl& origin, QWebEnginePage::Feature feature)
{
    const bool shown = !m_waiting.isEmpty() && m_waiting.first() == Request(origin, feature);
    m_waiting.removeAll(Request(origin, feature));
    if (shown)
        askNext();
}

void PermissionBar::answer(bool allow)
{
    if (m_waiting.isEmpty())
        return;
    const Request request = m_waiting.takeFirst();
    m_answers.insert(request, allow);
    m_page->setFeaturePermission(request.first, request.second,
                                 allow ? QWebEnginePage::PermissionGrantedByUser
                                       : QWebEnginePage::PermissionDeniedByUser);
    askNext();
}

void PermissionBar::askNext()
{
    if (m_waiting.isEmpty()) {
        hide();
        return;
    }
    const Request& request = m_waiting.first();
    const QString host = request.first.host(), shown = shownText(host);
    m_text->setText(question(request.second, shown));
    m_text->setToolTip(shown == host ? QString() : host);
    showOnTop();
}

void PermissionBar::place()
{
    const QWidget* view = parentWidget();
    setGeometry(0, 0, view->width(), sizeHint().height());
}
