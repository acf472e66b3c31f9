#pragma once

#include <QWebEnginePage>

#include <functional>

// The page of every view of the module. It opens the new windows a page asks for
// through the window maker its view gives it, and refuses those a page asks for
// without a user's click or key (pop-ups), as browsers do.
class WebEnginePage : public QWebEnginePage
{
    Q_OBJECT

public:
    // Makes the page of a new window and has it shown; null when no window opens.
    using WindowMaker = std::function<QWebEnginePage*()>;

    WebEnginePage(QWebEngineProfile* profile, QObject* parent);

    void setWindowMaker(WindowMaker maker) { m_windowMaker = std::move(maker); }

protected:
    QWebEnginePage* createWindow(WebWindowType type) override;

private:
    WindowMaker m_windowMaker;
    bool m_requestUserInitiated = false;
};
