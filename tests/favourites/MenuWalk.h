#pragma once

#include <QAction>
#include <QMenu>
#include <QStringList>

// Finds the item a user reaches by choosing these captions in turn, starting in menu;
// null when a caption is missing on the way or names more than one item.
inline QAction* itemAt(QMenu* menu, const QStringList& captions)
{
    QAction* found = nullptr;
    for (const QString& caption : captions) {
        if (!menu)
            return nullptr;
        found = nullptr;
        const auto items = menu->actions();
        for (QAction* item : items) {
            if (item->text() != caption)
                continue;
            if (found)
                return nullptr; // ambiguous within one menu
            found = item;
        }
        if (!found)
            return nullptr;
        menu = found->menu();
    }
    return found;
}

// Every item below menu, depth first in display order, submenu headers included.
inline QList<QAction*> allItems(QMenu* menu)
{
    QList<QAction*> items;
    const auto here = menu->actions();
    for (QAction* item : here) {
        items.append(item);
        if (QMenu* sub = item->menu())
            items.append(allItems(sub));
    }
    return items;
}
