#pragma once

#include "platform/webengine/PageDialogs.h"

#include <QPointer>
#include <QWebEnginePage>

#include <functional>

// The page of every view of the module, on the shared profile. It opens the new windows
// a page asks for through the window maker its view gives it, and tells when the
// engine's "leave this page?" prompt is shown and how it was answered: the engine
// reports a cancelled navigation or close nowhere else. Its JavaScript dialogs and that
// prompt are shown by the PageDialogs its view gives it.
class WebEnginePage : public QWebEnginePage
{
    Q_OBJECT

public:
    // Makes the page of a new window and has it shown; null when no window opens.
    using WindowMaker = std::function<QWebEnginePage*()>;

    explicit WebEnginePage(QObject* parent);

    void setWindowMaker(WindowMaker maker) { m_windowMaker = std::move(maker); }
    void setDialogs(PageDialogs* dialogs) { m_dialogs = dialogs; }

signals:
    void leavePromptShown();
    void leavePromptAnswered(bool leave);

protected:
    QWebEnginePage* createWindow(WebWindowType type) override;
    void javaScriptAlert(const QUrl& securityOrigin, const QString& msg) override;
    bool javaScriptConfirm(const QUrl& securityOrigin, const QString& msg) override;
    bool javaScriptPrompt(const QUrl& securityOrigin, const QString& msg, const QString& defaultValue,
                          QString* result) override;

private:
    WindowMaker m_windowMaker;
    QPointer<PageDialogs> m_dialogs;
};
