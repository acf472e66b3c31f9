#pragma once

#include <QHash>
#include <QObject>
#include <QSet>

#include <functional>

class QAction;
class QWidget;

// Decides who gets a key that both a window's command and its focused child want.
//
// The window's commands (the actions added to it) win over a child that claims their
// keys for its own editing, such as the address box's Ctrl+C, so that the window's Edit
// menu commands run wherever the focus is in it. Two exceptions: actions given to
// yieldToPage leave their keys to the page while the page holds the focus (a person
// copying page text expects Ctrl+C to copy it), and actions given to onlyWhile take
// their keys only while their condition holds; otherwise the key reaches the focused
// widget (Esc stops a loading page, and is the page's own at other times).
class ShortcutRouter : public QObject
{
    Q_OBJECT
public:
    ShortcutRouter(QWidget* window, QWidget* page);

    void yieldToPage(QAction* action) { m_pageKeys.insert(action); }
    void onlyWhile(QAction* action, std::function<bool(const QWidget* focus)> condition)
    {
        m_conditions.insert(action, std::move(condition));
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Filters widget and its descendants, and every widget added to them later.
    void watch(QWidget* widget);

    QWidget* m_window;
    QWidget* m_page;
    QSet<const QAction*> m_pageKeys;
    QHash<QAction*, std::function<bool(const QWidget*)>> m_conditions;
};
