#pragma once

#include <QObject>
#include <QPointer>

class QDialog;
class QUrl;
class QWebEngineView;
class WebEnginePage;

// Shows the page's JavaScript dialogs (alert, confirm, prompt) and its leave prompt as
// dialogs of the page's own browser window: that window takes no input while one is up,
// while the calculator, the frame's other windows and every close box stay usable. From
// the page's second dialog on, the dialog offers to stop the page's dialogs; then its
// later ones are answered at once (not confirmed, no text, the page may be left) until
// the page loads another document.
class PageDialogs : public QObject
{
    Q_OBJECT

public:
    enum class Kind { Alert, Confirm, Prompt, Leave };

    PageDialogs(WebEnginePage* page, QWebEngineView* view);

    // Asks the user and waits for the answer: whether it was OK, with the text typed
    // into a prompt in text. Events are processed meanwhile.
    bool ask(Kind kind, const QUrl& origin, const QString& message, QString* text);
    // Answers the dialog that is up, if any, as Cancel; whether there was one.
    bool cancel();
    // Whether any page's dialog is up. The engine does nothing else meanwhile (no page
    // loads, no unload handler runs): the engine's request that shows the dialog waits
    // for the answer, and the engine runs no other work inside it.
    static bool anyShown();
    // The view is to go while a dialog is up: it goes once the engine has the answer,
    // since the engine's request that showed the dialog is still running.
    void deleteViewWhenAnswered() { m_deleteView = true; }

private:
    QPointer<QWebEngineView> m_view;
    QPointer<QDialog> m_dialog;
    int m_shown = 0; // dialogs of this document
    bool m_silenced = false;
    bool m_deleteView = false;
};
