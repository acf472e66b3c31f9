#include "browser/MenuShortcutKeeper.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QKeySequence>
#include <QWidget>

MenuShortcutKeeper::MenuShortcutKeeper(QWidget* window)
    : QObject(window)
    , m_window(window)
{
    // The web view's focus widget is created by the engine at some later point, so
    // the override is caught at the application rather than on a known child.
    qApp->installEventFilter(this);
}

MenuShortcutKeeper::~MenuShortcutKeeper()
{
    qApp->removeEventFilter(this);
}

bool MenuShortcutKeeper::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::ShortcutOverride || !watched->isWidgetType())
        return false;
    auto* target = static_cast<QWidget*>(watched);
    if (!m_window->isAncestorOf(target))
        return false;
    const QKeySequence pressed(static_cast<QKeyEvent*>(event)->keyCombination());
    const auto actions = m_window->actions();
    for (const QAction* action : actions) {
        if (action->isEnabled() && action->shortcut() == pressed) {
            // Not overridden: the shortcut map goes on and triggers the window's action.
            event->ignore();
            return true;
        }
    }
    return false;
}
