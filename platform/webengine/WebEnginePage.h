#pragma once

#include <QWebEnginePage>

#include <functional>

// The page of every view of the module. It opens the new windows a page asks for
// through the window maker its view gives it. Pop-ups a page opens without a user's
// click or key never get here: the profile's settings have the engine refuse them.
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
};
