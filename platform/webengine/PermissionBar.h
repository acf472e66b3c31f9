#pragma once

#include "platform/webengine/ViewOverlay.h"

#include <QHash>
#include <QList>
#include <QPair>
#include <QUrl>
#include <QWebEnginePage>

class QPushButton;
class QWebEngineView;
class WebEnginePage;

// Answers what a page asks permission for. Location, notifications, camera, microphone
// and screen capture are asked of the user in a bar across the top of the view, one
// request at a time, naming the site; the answer holds for that site in this page for
// as long as the page lives. Anything else is refused at once.
class PermissionBar : public ViewOverlay
{
    Q_OBJECT

public:
    PermissionBar(WebEnginePage* page, QWebEngineView* view);

    // The question put to the user, or an empty text for a feature that is never granted.
    static QString question(QWebEnginePage::Feature feature, const QString& site);

protected:
    void place() override;

private:
    using Request = QPair<QUrl, QWebEnginePage::Feature>;
    void onRequested(const QUrl& origin, QWebEnginePage::Feature feature);
    void onCanceled(const QUrl& origin, QWebEnginePage::Feature feature);
    void answer(bool allow);
    void askNext();

    QWebEnginePage* m_page;
    QLabel* m_text;
    QList<Request> m_waiting; // the first is the one shown
    QHash<Request, bool> m_answers;
};
