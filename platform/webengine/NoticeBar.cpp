#include "platform/webengine/NoticeBar.h"

#include "platform/ServerText.h"
#include "platform/webengine/WebEnginePage.h"

#include <QDesktopServices>
#include <QLabel>
#include <QPushButton>
#include <QWebEngineLoadingInfo>
#include <QWebEngineView>

namespace {

// An address as the bar names it: cleaned of hidden characters, not longer than the bar
// can sensibly hold.
QString quoted(const QString& address)
{
    constexpr int longest = 200;
    const QString cleaned = ServerText::cleaned(address);
    return u'\u201c' + (cleaned.size() > longest ? cleaned.left(longest) + u'\u2026' : cleaned) + u'\u201d';
}

} // namespace

NoticeBar::NoticeBar(WebEnginePage* page, QWebEngineView* view)
    : ViewOverlay(view)
    , m_text(new QLabel(this))
    , m_action(new QPushButton(this))
{
    setObjectName(QStringLiteral("noticeBar"));
    m_action->setObjectName(QStringLiteral("cmdAction"));
    auto* close = new QPushButton(tr("&Close"), this);
    makeBar(m_text, {m_action, close});
    connect(close, &QPushButton::clicked, this, &QWidget::hide);
    connect(m_action, &QPushButton::clicked, this, [this] {
        hide();
        if (m_run)
            m_run();
    });
    // A new page takes the bar away; the engine's start of another program's address does not.
    connect(page, &QWebEnginePage::loadingChanged, this, [this](const QWebEngineLoadingInfo& info) {
        if (info.status() == QWebEngineLoadingInfo::LoadStartedStatus
            && !WebEnginePage::isOtherProgramsScheme(info.url().scheme()))
            hide();
    });
    connect(page, &WebEnginePage::otherProgramAddress, this, &NoticeBar::openElsewhere);
    connect(page, &WebEnginePage::popupBlocked, this, [this, page](const QUrl& address) {
        say(tr("This page tried to open a window"), tr("&Open it"), [page, address] {
            if (QWebEnginePage* opened = page->openWindow())
                opened->load(address);
        });
    });
}

void NoticeBar::say(const QString& why, const QString& button, std::function<void()> run)
{
    m_text->setText(why);
    m_action->setText(button);
    m_action->setVisible(!button.isEmpty());
    m_run = std::move(run);
    showOnTop();
}

void NoticeBar::openElsewhere(const QUrl& address, bool byClick)
{
    const QString shown = address.toDisplayString();
    if (address.scheme().compare(u"mailto", Qt::CaseInsensitive) != 0)
        say(tr("Addresses starting with %1 are not opened by this browser").arg(quoted(address.scheme() + u':')));
    else if (!byClick)
        say(tr("This page tried to open %1 without a click").arg(quoted(shown)));
    else if (!QDesktopServices::openUrl(address))
        say(tr("No mail program is set up to open %1").arg(quoted(shown)));
}

void NoticeBar::place()
{
    const QWidget* view = parentWidget();
    setGeometry(0, 0, view->width(), sizeHint().height());
}
