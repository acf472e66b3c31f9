#pragma once

#include <QObject>

class QWidget;

// Keeps a window's menu shortcuts (the actions added to the window) working while a
// child that claims such keys for itself has the focus: the web view takes Ctrl+C and
// the like for its page, the address box for its own editing. The window's command
// runs instead of the child's.
class MenuShortcutKeeper : public QObject
{
    Q_OBJECT
public:
    explicit MenuShortcutKeeper(QWidget* window);
    ~MenuShortcutKeeper() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* m_window;
};
