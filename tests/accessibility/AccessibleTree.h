#pragma once

#include <QAccessible>
#include <QString>
#include <QStringList>

#include <functional>

// Walks a window's accessibility tree as an assistive technology sees it, through
// QAccessible::queryAccessibleInterface, and reports what such a tool could not name.
namespace AccessibleTree {

struct Node
{
    QAccessibleInterface* iface;
    QString path; // roles and names from the window down, for messages
};

// Calls visit for every node under (and including) root. Subtrees for which prune
// returns true are visited but not entered (the web page, whose tree is the page's).
void walk(QAccessibleInterface* root, const std::function<void(const Node&)>& visit,
          const std::function<bool(QAccessibleInterface*)>& prune = {});

// Roles a user acts on or reads; each must carry a name.
bool needsName(QAccessible::Role role);

// One line per node under root that needs a name and has none.
QStringList unnamed(QAccessibleInterface* root,
                    const std::function<bool(QAccessibleInterface*)>& prune = {});

// One line per widget under root whose tooltip does not reach its accessible
// description.
QStringList tooltipsNotDescribed(QAccessibleInterface* root,
                                 const std::function<bool(QAccessibleInterface*)>& prune = {});

QString roleName(QAccessible::Role role);

} // namespace AccessibleTree
