#include "platform/LazyIconStyle.h"

#include "platform/DeferredIcon.h"

#include <QApplication>
#include <QPointer>

LazyIconStyle::LazyIconStyle(const QString& key)
    : QProxyStyle(key)
{
}

QIcon LazyIconStyle::standardIcon(StandardPixmap icon, const QStyleOption* option, const QWidget* widget) const
{
    if (icon != SP_ToolBarHorizontalExtensionButton && icon != SP_ToolBarVerticalExtensionButton)
        return QProxyStyle::standardIcon(icon, option, widget);
    // The option and the widget may be gone by the time the icon is drawn; these two
    // icons do not depend on them. The style may be replaced meanwhile too.
    const QPointer<QStyle> base(baseStyle());
    return DeferredIcon::make([base, icon] {
        QStyle* style = base ? base.data() : QApplication::style();
        return style->standardIcon(icon);
    });
}
