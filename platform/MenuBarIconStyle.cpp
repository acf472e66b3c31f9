#include "platform/MenuBarIconStyle.h"

#include "platform/Picture.h"

#include <QGuiApplication>
#include <QStyleOption>

MenuBarIconStyle::MenuBarIconStyle(const QString& key)
    : QProxyStyle(key)
{ }

QIcon MenuBarIconStyle::standardIcon(StandardPixmap icon, const QStyleOption* option, const QWidget* widget) const
{
    const bool horizontal = icon == SP_ToolBarHorizontalExtensionButton;
    if (!horizontal && icon != SP_ToolBarVerticalExtensionButton)
        return QProxyStyle::standardIcon(icon, option, widget);
    const bool rtl = option ? option->direction == Qt::RightToLeft : QGuiApplication::isRightToLeft();
    // The drawings Qt's common style makes these arrows from, at its three sizes.
    const QString stem = QStringLiteral(":/qt-project.org/styles/commonstyle/images/toolbar-ext-")
        + (horizontal ? (rtl ? QStringLiteral("h-rtl-") : QStringLiteral("h-")) : QStringLiteral("v-"));
    const QList<int> sizes = horizontal ? QList<int>{8, 16, 32} : QList<int>{5, 10, 20};
    QIcon arrows;
    for (int size : sizes) {
        const QPixmap pixmap = Picture::png(stem + QString::number(size) + QStringLiteral(".png"));
        if (pixmap.isNull()) // a Qt that draws them from elsewhere
            return QProxyStyle::standardIcon(icon, option, widget);
        arrows.addPixmap(pixmap);
    }
    return arrows;
}
