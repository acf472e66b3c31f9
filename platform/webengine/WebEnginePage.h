#pragma once

#include "platform/webengine/PageDialogs.h"

#include <QPointer>
#include <QWebEnginePage>

#include <functional>

// The page of every view of the module, on the shared profile. It opens the new windows
// a page asks for on a user's click or key through the window maker its view gives it,
// and tells of those it opens without one; it hands the addresses of other programs
// (mailto:, other schemes the engine does not open) to whoever shows them. It tells when
// the engine's "leave this page?" prompt is shown and how it was answered: the engine
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
    // A new window's page, through the window maker; null when no window opens.
    QWebEnginePage* openWindow() { return m_windowMaker ? m_windowMaker() : nullptr; }

    // Whether typed addresses with this scheme are the engine's to open.
    static bool opensScheme(const QString& scheme);
    // Whether the engine would hand addresses with this scheme to another program of the
    // desktop (mailto:, ftp:, custom schemes): neither the engine's own nor its inner ones.
    static bool isOtherProgramsScheme(const QString& scheme);

signals:
    void leavePromptShown();
    void leavePromptAnswered(bool leave);
    // The page tried to open a window without a user's click or key; none opened.
    void popupBlocked(const QUrl& address);
    // The page asked for an address of another program, by a user's click or not; the
    // engine opened nothing.
    void otherProgramAddress(const QUrl& address, bool byClick);

protected:
    bool acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame) override;
    void javaScriptAlert(const QUrl& securityOrigin, const QString& msg) override;
    bool javaScriptConfirm(const QUrl& securityOrigin, const QString& msg) override;
    bool javaScriptPrompt(const QUrl& securityOrigin, const QString& msg, const QString& defaultValue,
                          QString* result) override;

private:
    WindowMaker m_windowMaker;
    QPointer<PageDialogs> m_dialogs;
    QUrl m_takenOver; // the other program's address last taken from the engine
};
