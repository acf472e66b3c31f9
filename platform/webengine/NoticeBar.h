#pragma once

#include "platform/webengine/ViewOverlay.h"

#include <functional>

class QPushButton;
class QUrl;
class QWebEngineView;
class WebEnginePage;

// Says in a bar across the top of the view why an address or a window was refused, or
// what failed: text that is no address, a scheme this browser does not open, a mail
// address with no mail program to take it, a window the page tried to open without a
// click (with a button that opens it), a printed page that could not be saved. Mail
// addresses go to the desktop's mail program.
class NoticeBar : public ViewOverlay
{
    Q_OBJECT

public:
    NoticeBar(WebEnginePage* page, QWebEngineView* view);

    // Shows why; with a button's text, a button that runs run and closes the bar.
    void say(const QString& why, const QString& button = {}, std::function<void()> run = {});
    // An address of another program: a mail address asked for by a click or typed goes
    // to the mail program; any other is refused.
    void openElsewhere(const QUrl& address, bool byClick);

protected:
    void place() override;

private:
    QLabel* m_text;
    QPushButton* m_action;
    std::function<void()> m_run;
};
