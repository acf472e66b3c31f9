#pragma once

#include <QWebEnginePage>

#include <functional>

// The page of every view of the module, on the shared profile. It opens the new windows
// a page asks for through the window maker its view gives it, and tells when the
// engine's "leave this page?" prompt is shown and how it was answered: the engine
// reports a cancelled navigation or close nowhere else. Pop-ups a page opens without a
// user's click or key never get here: the profile's settings have the engine refuse them.
class WebEnginePage : public QWebEnginePage
{
    Q_OBJECT

public:
    // Makes the page of a new window and has it shown; null when no window opens.
    using WindowMaker = std::function<QWebEnginePage*()>;

    explicit WebEnginePage(QObject* parent);

    void setWindowMaker(WindowMaker maker) { m_windowMaker = std::move(maker); }

signals:
    void leavePromptShown();
    void leavePromptAnswered(bool leave);

protected:
    QWebEnginePage* createWindow(WebWindowType type) override;
    bool javaScriptConfirm(const QUrl& securityOrigin, const QString& msg) override;

private:
    WindowMaker m_windowMaker;
};
