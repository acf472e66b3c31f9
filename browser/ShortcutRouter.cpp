#include "browser/ShortcutRouter.h"

#include <QAction>
#include <QKeyEvent>
#include <QKeySequence>
#include <QWidget>

ShortcutRouter::ShortcutRouter(QWidget* window, QWidget* page)
    : QObject(window)
    , m_window(window)
    , m_page(page)
{
    // The web view's focus widget is made by the engine at some later point, and made
    // again for a new renderer: widgets are watched as they are added.
    watch(window);
}

void ShortcutRouter::watch(QWidget* widget)
{
    widget->installEventFilter(this);
    const auto children = widget->findChildren<QWidget*>();
    for (QWidget* child : children)
        child->installEventFilter(this);
}

bool ShortcutRouter::eventFilter(QObject* watched, QEvent* event)
{
    // A widget is one by the time its parent hears of it (QWidget makes its private part
    // first), though its own constructor may not have finished.
    if (event->type() == QEvent::ChildAdded) {
        QObject* child = static_cast<QChildEvent*>(event)->child();
        if (child->isWidgetType())
            watch(static_cast<QWidget*>(child));
        return false;
    }
    // Qt asks the focused widget first (ShortcutOverride); a widget that accepts keeps
    // the key, otherwise the window's matching shortcut runs.
    if (event->type() != QEvent::ShortcutOverride || !watched->isWidgetType())
        return false;
    auto* focus = static_cast<QWidget*>(watched);
    if (!m_window->isAncestorOf(focus))
        return false;
    const QKeyCombination pressed = static_cast<QKeyEvent*>(event)->keyCombination();
    const QKeySequence keys(QKeyCombination(pressed.keyboardModifiers() & ~Qt::KeypadModifier, pressed.key()));
    const bool inPage = focus == m_page || m_page->isAncestorOf(focus);
    const auto actions = m_window->actions();
    for (QAction* action : actions) {
        if (!action->isEnabled() || !action->shortcuts().contains(keys))
            continue;
        const auto condition = m_conditions.constFind(action);
        const bool focusKeepsIt
            = (inPage && m_pageKeys.contains(action)) || (condition != m_conditions.cend() && !(*condition)(focus));
        if (focusKeepsIt)
            event->accept(); // overridden: the key goes to the focused widget as a key press
        else
            event->ignore(); // not overridden: the shortcut map goes on and triggers the action
        return true;
    }
    return false;
}
